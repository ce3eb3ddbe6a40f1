#pragma once

// When a test binary dies of a signal, says which test was running and where, so that a crash
// seen once on a loaded machine can be found again: the brief output names nothing otherwise.

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <execinfo.h>
#include <unistd.h>

#ifndef __has_feature
#define __has_feature(x) 0
#endif

namespace vellum::test {

inline void reportCrash(int signal) {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::fprintf(stderr, "\n*** signal %d in %s.%s\n", signal, test ? test->test_suite_name() : "",
                 test ? test->name() : "(between tests)");
    void* frames[64];
    backtrace_symbols_fd(frames, backtrace(frames, 64), STDERR_FILENO);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

/// Call after InitGoogleTest. Under AddressSanitizer its own report says more, so it keeps the
/// signals.
inline void reportCrashes() {
#if !defined(__SANITIZE_ADDRESS__) && !__has_feature(address_sanitizer)
    for (int signal : {SIGSEGV, SIGBUS, SIGABRT, SIGFPE, SIGILL})
        std::signal(signal, reportCrash);
#endif
}

} // namespace vellum::test
