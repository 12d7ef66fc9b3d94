// Read by the sanitizer runtimes before main(); options given in the
// environment still override them.

extern "C" {

const char* __asan_default_options()
{
    return "detect_leaks=1:check_initialization_order=1:strict_init_order=1";
}

const char* __lsan_default_options()
{
    return "suppressions=" EUROPA_LSAN_SUPPRESSIONS ":print_suppressions=0";
}

const char* __ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1";
}

} // extern "C"
