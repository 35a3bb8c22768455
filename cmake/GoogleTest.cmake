# GoogleTest from Debian's googletest sources, built with the project's own compiler so that the
# Windows build gets a Windows copy.
set(TARNWICK_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${TARNWICK_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)

# One test program; its tests are listed when CTest runs, under Wine for the Windows build.
# THREADS marks a program whose tests start threads: its tests carry the label "threads", and
# the ThreadSanitizer build runs every test so labelled (`ctest -L threads`).
function(tarnwick_test name)
    cmake_parse_arguments(T "THREADS" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock_main)
    if(T_THREADS)
        list(APPEND T_PROPERTIES LABELS threads)
    endif()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         TEST_PREFIX "${TARNWICK_TEST_PREFIX}" PROPERTIES ${T_PROPERTIES})
endfunction()
