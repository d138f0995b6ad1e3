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

# brindle_test(NAME name SOURCES a.cpp b.cpp LIBS engine [DISPLAY] [ENVIRONMENT VAR=value...])
# A GoogleTest executable registered with CTest. Tests that open a window or a GL context say DISPLAY:
# they run under SDL's offscreen driver (Mesa EGL), and every test gets the dummy audio driver.
# ENVIRONMENT adds variables of the program's own.
function(brindle_test)
  cmake_parse_arguments(T "DISPLAY" "NAME" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  brindle_warnings(${T_NAME})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  # The environment goes through env(1): an ENVIRONMENT list handed to gtest_discover_tests loses every
  # variable after the first.
  set_target_properties(${T_NAME} PROPERTIES CROSSCOMPILING_EMULATOR
    "/usr/bin/env;SDL_VIDEODRIVER=offscreen;SDL_AUDIODRIVER=dummy;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0;UBSAN_OPTIONS=print_stacktrace=1;BRINDLE_TEST_DATA=${PROJECT_BINARY_DIR}/testdata;${T_ENVIRONMENT}")
  gtest_discover_tests(${T_NAME}
    DISCOVERY_TIMEOUT 60
    PROPERTIES
      LABELS "$<IF:$<BOOL:${T_DISPLAY}>,display,headless>")
endfunction()

# brindle_glob_library(NAME name [EXCLUDE file.cpp...] LIBS ...)
# A static library of every .cpp in the current folder (not its sub-folders). The game's folders grow
# file by file, so their sources are found rather than listed; a folder with no source yet makes no target.
function(brindle_glob_library)
  cmake_parse_arguments(L "" "NAME" "EXCLUDE;LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(ex ${L_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${ex})
  endforeach()
  if(NOT sources)
    return()
  endif()
  set(libs "")
  foreach(lib ${L_LIBS})
    if(TARGET ${lib})
      list(APPEND libs ${lib})
    endif()
  endforeach()
  add_library(${L_NAME} STATIC ${sources})
  brindle_warnings(${L_NAME})
  target_include_directories(${L_NAME} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${L_NAME} PUBLIC ${libs})
endfunction()

# brindle_glob_tests(NAME prefix LIBS ...)
# Every *Test.cpp of the current folder goes into <prefix>_tests (headless); every *DisplayTest.cpp into
# <prefix>_display_tests, which opens windows under the offscreen driver and may read the default data
# (BRINDLE_GAME_FOLDER). Libraries not built yet are skipped, so a folder's tests build as its code grows.
function(brindle_glob_tests)
  cmake_parse_arguments(T "" "NAME" "LIBS" ${ARGN})
  set(libs "")
  foreach(lib ${T_LIBS})
    if(TARGET ${lib})
      list(APPEND libs ${lib})
    endif()
  endforeach()
  file(GLOB all CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Test.cpp)
  file(GLOB display CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*DisplayTest.cpp)
  set(headless ${all})
  if(display)
    list(REMOVE_ITEM headless ${display})
  endif()
  file(GLOB support CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Support.cpp)
  if(headless)
    brindle_test(NAME ${T_NAME}_tests SOURCES ${headless} ${support} LIBS ${libs})
    target_compile_definitions(${T_NAME}_tests PRIVATE BRINDLE_GAME_FOLDER="${CMAKE_BINARY_DIR}/game")
    add_dependencies(${T_NAME}_tests gamedata)
  endif()
  if(display)
    brindle_test(NAME ${T_NAME}_display_tests SOURCES ${display} ${support} LIBS ${libs} DISPLAY)
    target_compile_definitions(${T_NAME}_display_tests PRIVATE BRINDLE_GAME_FOLDER="${CMAKE_BINARY_DIR}/game")
    add_dependencies(${T_NAME}_display_tests gamedata)
  endif()
endfunction()
