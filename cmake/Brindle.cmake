# Shared build helpers.

# Warnings for our own targets only; third-party headers stay quiet through SYSTEM includes.
function(brindle_warnings target)
  # -Wrestrict is off: g++ 12 at -O3 reports impossible overlaps inside libstdc++'s own std::string
  # concatenation (a known false positive), which -Werror would turn into a failed release build.
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wno-restrict)
endfunction()

# Adds a sub-folder when it has a CMakeLists.txt, so layers can grow folder by folder.
function(brindle_add_optional_subdirectory dir)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endfunction()

# Adds every direct sub-folder that has a CMakeLists.txt, in name order.
function(brindle_add_subdirectories)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# brindle_test(NAME name SOURCES a.cpp b.cpp LIBS engine [DISPLAY])
# A GoogleTest executable registered with CTest. Tests that open a window or a GL context say DISPLAY:
# they run under SDL's offscreen driver (Mesa EGL), and every test gets the dummy audio driver.
function(brindle_test)
  cmake_parse_arguments(T "DISPLAY" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  brindle_warnings(${T_NAME})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  # The environment goes through env(1): an ENVIRONMENT list handed to gtest_discover_tests loses every
  # variable after the first.
  set_target_properties(${T_NAME} PROPERTIES CROSSCOMPILING_EMULATOR
    "/usr/bin/env;SDL_VIDEODRIVER=offscreen;SDL_AUDIODRIVER=dummy;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0;UBSAN_OPTIONS=print_stacktrace=1;BRINDLE_TEST_DATA=${PROJECT_BINARY_DIR}/testdata")
  gtest_discover_tests(${T_NAME}
    DISCOVERY_TIMEOUT 60
    PROPERTIES
      LABELS "$<IF:$<BOOL:${T_DISPLAY}>,display,headless>")
endfunction()
