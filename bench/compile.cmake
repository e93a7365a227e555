# Benchmarks of compiled language files: one compile and the batch compile.
if(TARGET vt_tools)
  add_executable(bench_tools_compile ${CMAKE_CURRENT_SOURCE_DIR}/bench_tools_compile.cpp)
  target_link_libraries(bench_tools_compile PRIVATE vt_tools benchmark::benchmark)
  vt_warnings(bench_tools_compile)
endif()
