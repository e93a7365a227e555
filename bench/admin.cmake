# Benchmarks of the administrator's smaller tools: file comparison and the manual tree.
if(TARGET vt_tools AND TARGET vt_support)
  add_executable(bench_tools_admin ${CMAKE_CURRENT_SOURCE_DIR}/bench_tools_admin.cpp)
  target_link_libraries(bench_tools_admin PRIVATE vt_tools benchmark::benchmark)
  vt_warnings(bench_tools_admin)
endif()
