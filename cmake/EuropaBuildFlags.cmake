# How every target of ours is compiled and linked: each calls
# europa_build_flags() as soon as it is made, so that options of its own come
# after these and can undo one of them.
include(${CMAKE_CURRENT_LIST_DIR}/EuropaHardening.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/EuropaQtSwitches.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/EuropaSanitize.cmake)

# The headers of src/ by their layer ("game/quiz.h"), warnings, Qt's switches,
# and either the sanitizers or, in every other build, the hardening the package
# is made with: the sanitizers bring checks of their own that the hardening
# would blur.
function(europa_build_flags target)
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    europa_qt_switches(${target})
    if(EUROPA_SANITIZE)
        europa_sanitize(${target})
    else()
        europa_hardening(${target})
    endif()
endfunction()

if(EUROPA_SANITIZE)
    # The sanitizers' settings, linked into every program of the build.
    add_library(europa_sanitizer_defaults OBJECT
        ${PROJECT_SOURCE_DIR}/tests/sanitize/sanitizer_defaults.cpp)
    europa_build_flags(europa_sanitizer_defaults)
    target_compile_definitions(europa_sanitizer_defaults PRIVATE
        EUROPA_LSAN_SUPPRESSIONS="${PROJECT_SOURCE_DIR}/tests/sanitize/lsan.supp")
endif()
