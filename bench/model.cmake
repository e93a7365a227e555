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

# Process-level programs of the open/save benchmark (scripts/bench_project.py, which also uses
# make_project): the floors, and the in-process timings on an opened project. Not named bench_*,
# as they take arguments, so the plain benchmark run skips them.
add_executable(floor_project ${CMAKE_CURRENT_SOURCE_DIR}/floor_project.cpp)
target_link_libraries(floor_project PRIVATE vt_model)
add_executable(project_runs ${CMAKE_CURRENT_SOURCE_DIR}/project_runs.cpp)
target_link_libraries(project_runs PRIVATE vt_model)
foreach(t floor_project project_runs)
  target_include_directories(${t} PRIVATE ${PROJECT_SOURCE_DIR})
  vt_warnings(${t})
endforeach()
