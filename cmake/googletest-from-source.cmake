# Debian packages GoogleTest's libraries for the build machine only, with its sources in
# /usr/src/googletest: a cross build compiles them for the target.
set(VELMORA_GTEST_SOURCE_DIR /usr/src/googletest
    CACHE PATH "GoogleTest sources, compiled for the target in a cross build")
if(NOT EXISTS ${VELMORA_GTEST_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources in ${VELMORA_GTEST_SOURCE_DIR} "
                        "(Debian package googletest, or set VELMORA_GTEST_SOURCE_DIR)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${VELMORA_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# GoogleTest 1.11 and later name their targets GTest::... themselves.
foreach(target gtest gtest_main gmock gmock_main)
    if(NOT TARGET GTest::${target})
        add_library(GTest::${target} ALIAS ${target})
    endif()
endforeach()
