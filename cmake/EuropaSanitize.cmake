# EUROPA_SANITIZE builds every target that follows with AddressSanitizer (which
# brings LeakSanitizer) and UndefinedBehaviorSanitizer. Any report ends the
# program with a failure, so a test that provokes one fails.
option(EUROPA_SANITIZE "Build with AddressSanitizer, LeakSanitizer and UBSan" OFF)

if(EUROPA_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    # GCC 12 cannot evaluate a constexpr comparison of a pointer with nullptr
    # under its null checks, and the tables are checked at compile time that
    # way. A null dereference still stops the program, as AddressSanitizer's
    # SEGV report.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        add_compile_options(-fno-sanitize=null,nonnull-attribute,returns-nonnull-attribute)
    endif()
    add_link_options(-fsanitize=address,undefined)

    # The sanitizers' settings and the leak suppressions travel inside every
    # program, so a test or a hand-started run needs no environment of its own.
    add_library(europa_sanitizer_defaults OBJECT
        ${PROJECT_SOURCE_DIR}/tests/sanitize/sanitizer_defaults.cpp)
    target_compile_definitions(europa_sanitizer_defaults PRIVATE
        EUROPA_LSAN_SUPPRESSIONS="${PROJECT_SOURCE_DIR}/tests/sanitize/lsan.supp")
    link_libraries("$<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>:europa_sanitizer_defaults>")
endif()
