include(GoogleTest)
# Strict warnings for our own targets only; third-party headers come in as SYSTEM.
function(vt_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Werror)
  # g++ 12 at -O2/-O3 reports std::string concatenations as overlapping copies and inlined
  # std::string/std::optional destructors as reads of uninitialised memory (known false positives
  # of its -Wrestrict and -Wmaybe-uninitialized); they would break Release builds of correct code.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict -Wno-maybe-uninitialized)
  endif()
endfunction()

# Qt targets name every byte/text conversion explicitly.
function(vt_qt_defines target)
  target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
endfunction()

# vt_test(<name> SOURCES ... LIBS ... [GUI] [ENV ...])
# One GoogleTest executable, registered with CTest per test case.
function(vt_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE VT_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                             VT_BINARY_DIR="${PROJECT_BINARY_DIR}")
  vt_warnings(${name})
  set(env ${T_ENV})
  if(T_GUI)
    list(APPEND env QT_QPA_PLATFORM=offscreen
         "QTWEBENGINE_CHROMIUM_FLAGS=--disable-background-timer-throttling --disable-renderer-backgrounding --disable-gpu")
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "${env}")
endfunction()
