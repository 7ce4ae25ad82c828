#pragma once

// Defaults for the sanitizer runtimes of the test binaries (include from exactly one file of
// each binary: its main). Leak checking stays on for our code; the Firebird client keeps its
// character-set converters for the life of the process, which is not a leak of ours.
extern "C" const char* __asan_default_options()
{
    return "detect_leaks=1";
}

extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfbclient.so\nleak:libEngine12.so\nleak:libfbintl.so\n";
}

extern "C" const char* __ubsan_default_options()
{
    return "print_stacktrace=1";
}
