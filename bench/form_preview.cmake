# Benchmarks of the form preview window (offscreen Qt): load, refresh, fit check.
if(VT_WITH_GUI)
  add_executable(bench_form_preview ${CMAKE_CURRENT_SOURCE_DIR}/bench_form_preview.cpp
                                    ${CMAKE_CURRENT_SOURCE_DIR}/project_generator.cpp)
  target_link_libraries(bench_form_preview PRIVATE vt_client benchmark::benchmark)
  vt_warnings(bench_form_preview)
  vt_qt_defines(bench_form_preview)
endif()
