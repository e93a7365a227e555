# Benchmarks of the main window's lists (offscreen Qt).
if(VT_WITH_GUI)
  add_executable(bench_client_lists ${CMAKE_CURRENT_SOURCE_DIR}/bench_client_lists.cpp
                                    ${CMAKE_CURRENT_SOURCE_DIR}/project_generator.cpp)
  target_link_libraries(bench_client_lists PRIVATE vt_client benchmark::benchmark)
  vt_warnings(bench_client_lists)
  vt_qt_defines(bench_client_lists)
endif()
# "Captilaize Selected List" over a 100,000-entry selection in the offscreen window.
if(VT_WITH_GUI)
  add_executable(bench_client_batch ${CMAKE_CURRENT_SOURCE_DIR}/bench_client_batch.cpp
                                    ${CMAKE_CURRENT_SOURCE_DIR}/project_generator.cpp)
  target_link_libraries(bench_client_batch PRIVATE vt_client benchmark::benchmark)
  vt_warnings(bench_client_batch)
  vt_qt_defines(bench_client_batch)
endif()
