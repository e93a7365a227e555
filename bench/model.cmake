# Benchmarks of the project model. One program per name in the list: bench/<name>.cpp.
add_library(vt_bench_generator STATIC ${CMAKE_CURRENT_SOURCE_DIR}/project_generator.cpp)
target_include_directories(vt_bench_generator PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(vt_bench_generator PUBLIC vt_model)
vt_warnings(vt_bench_generator)

foreach(b IN ITEMS bench_project_files bench_queries)
  add_executable(${b} ${CMAKE_CURRENT_SOURCE_DIR}/${b}.cpp)
  target_link_libraries(${b} PRIVATE vt_bench_generator vt_model benchmark::benchmark)
  vt_warnings(${b})
endforeach()
