# Benchmarks of the main window (offscreen Qt): rebuilding its lists, "Captilaize Selected List" over
# a 100,000-entry selection, and the form preview window (load, refresh, fit check).
# vt_bench_generator comes from model.cmake.
if(VT_WITH_GUI)
  foreach(b IN ITEMS bench_client_lists bench_client_batch bench_form_preview)
    add_executable(${b} ${CMAKE_CURRENT_SOURCE_DIR}/${b}.cpp)
    target_link_libraries(${b} PRIVATE vt_client vt_bench_generator benchmark::benchmark)
    vt_warnings(${b})
    vt_qt_defines(${b})
  endforeach()
endif()
