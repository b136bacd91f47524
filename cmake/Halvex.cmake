# halvex_library(NAME SOURCES... [DEPS libs...])
# One static library per engine folder; its include root is engine/src so that
# headers are included by their folder path ("base/source/system/logger.h").
function(halvex_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/engine/src ${CMAKE_SOURCE_DIR}/engine/include)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# halvex_test(NAME LABEL unit|gl|app SOURCES... [DEPS libs...])
# Registers every GoogleTest case of one executable with CTest under LABEL.
# GL and app tests run headless through SDL's offscreen driver.
function(halvex_test name)
    cmake_parse_arguments(ARG "" "LABEL" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    # Test code is compiled without optimisation, which halves its build time; the code under
    # test keeps the build type's flags.
    target_compile_options(${name} PRIVATE -O0)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} halvex_testsupport GTest::gtest GTest::gtest_main)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
    set(env "HALVEX_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
    if(NOT ARG_LABEL STREQUAL "unit")
        list(APPEND env "SDL_VIDEODRIVER=offscreen")
    endif()
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin
        PROPERTIES LABELS ${ARG_LABEL} ENVIRONMENT "${env}")
    if(TARGET halvex_${ARG_LABEL}_tests)
        add_dependencies(halvex_${ARG_LABEL}_tests ${name})
    endif()
endfunction()
