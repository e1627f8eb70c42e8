# GoogleTest for the cross build: compiled from Debian's sources (package googletest),
# since the Linux libraries of libgtest-dev cannot link into a Windows program.
# Provides the same imported names as find_package(GTest).
set(TARVIX_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT EXISTS ${TARVIX_GTEST_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest sources not found in ${TARVIX_GTEST_SOURCE_DIR}; "
                        "install Debian's googletest package")
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)

# Our warning flags (and -Werror) are for our own code, not for GoogleTest's.
get_directory_property(_tarvix_saved_options COMPILE_OPTIONS)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
add_subdirectory(${TARVIX_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "${_tarvix_saved_options}")

foreach(lib gtest gtest_main gmock gmock_main)
    if(NOT TARGET GTest::${lib})
        add_library(GTest::${lib} ALIAS ${lib})
    endif()
endforeach()
if(NOT TARGET GTest::GTest)
    add_library(GTest::GTest ALIAS gtest)
    add_library(GTest::Main ALIAS gtest_main)
endif()
set(GTest_FOUND TRUE)
set(GTEST_FOUND TRUE)
