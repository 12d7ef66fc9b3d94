# Checks the shipped sound folder file by file: a missing, misnamed or badly
# encoded sound would otherwise only show as silence while someone plays.
if(NOT TARGET GTest::gtest_main)
    find_package(GTest REQUIRED)
endif()

add_executable(sound_files_test ${CMAKE_CURRENT_LIST_DIR}/sound_files_test.cpp)
europa_build_flags(sound_files_test)
# The folder that holds "Europa", as the program's folder does once installed.
target_compile_definitions(sound_files_test PRIVATE
    SOUND_ROOT_DIR="${PROJECT_SOURCE_DIR}/assets/sounds")
target_link_libraries(sound_files_test PRIVATE GTest::gtest_main)
add_test(NAME sound_files COMMAND sound_files_test)
