# EUROPA_SANITIZE builds every target of ours with AddressSanitizer (which
# brings LeakSanitizer) and UndefinedBehaviorSanitizer. Any report ends the
# program with a failure, so a test that provokes one fails.
option(EUROPA_SANITIZE "Build with AddressSanitizer, LeakSanitizer and UBSan" OFF)

# Builds `target` with the sanitizers; a program also carries their settings
# and the leak suppressions, so a test or a hand-started run needs no
# environment of its own.
function(europa_sanitize target)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=all
                                             -fno-omit-frame-pointer)
    # GCC 12 cannot evaluate a constexpr comparison of a pointer with nullptr
    # under its null checks, and the tables are checked at compile time that
    # way. A null dereference still stops the program, as AddressSanitizer's
    # SEGV report.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        target_compile_options(${target} PRIVATE
                               -fno-sanitize=null,nonnull-attribute,returns-nonnull-attribute)
    endif()
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
        target_link_libraries(${target} PRIVATE europa_sanitizer_defaults)
    endif()
endfunction()
