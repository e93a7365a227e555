# Benchmarks of a release: project update, merge of raw data files, rebuild of the source file.
if(TARGET vt_tools AND TARGET vt_bench_generator)
  add_executable(bench_tools_release ${CMAKE_CURRENT_SOURCE_DIR}/bench_tools_release.cpp)
  target_link_libraries(bench_tools_release PRIVATE vt_tools vt_bench_generator benchmark::benchmark)
  vt_warnings(bench_tools_release)
endif()
