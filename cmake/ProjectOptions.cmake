# One interface target that carries the language standard, warnings and sanitizer flags
# for every target of the project.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

add_library(tabulo_options INTERFACE)
target_compile_options(tabulo_options INTERFACE -Wall -Wextra -Wpedantic -Wno-missing-field-initializers)
target_compile_definitions(tabulo_options INTERFACE _FILE_OFFSET_BITS=64 _GNU_SOURCE)
# GCC 12 reports false overlaps inside libstdc++'s string code at -O2 (GCC bug 105329).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(tabulo_options INTERFACE -Wno-restrict)
endif()

if(TABULO_SANITIZE)
    target_compile_options(tabulo_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                    -fno-sanitize-recover=undefined)
    target_link_options(tabulo_options INTERFACE -fsanitize=address,undefined)
endif()

# Adds a library of one subsystem folder: every .cpp file beside the CMakeLists.txt.
function(tabulo_library name)
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(${name} PUBLIC tabulo_options)
endfunction()

# Adds one GoogleTest binary of a tests folder: every .cpp file beside the CMakeLists.txt.
function(tabulo_test name)
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ${ARGN} tabulo_testsupport GTest::gtest GTest::gtest_main)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 120)
endfunction()
