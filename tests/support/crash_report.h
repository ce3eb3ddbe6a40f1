#pragma once

// When a test binary dies of a signal, says which test was running and where, so that a crash
// seen once on a loaded machine can be found again: the brief output names nothing otherwise.

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <execinfo.h>
#include <unistd.h>

namespace vellum::test {

namespace crash_report {

inline char runningTest[512] = "(between tests)";

inline void write(const char* text) {
    ssize_t ignored = ::write(STDERR_FILENO, text, std::strlen(text));
    (void)ignored;
}

inline void onSignal(int signal) {
    write("\n*** signal ");
    write(strsignal(signal));
    write(" in ");
    write(runningTest);
    write("\n");
    void* frames[64];
    backtrace_symbols_fd(frames, backtrace(frames, 64), STDERR_FILENO);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

class Listener : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo& info) override {
        std::snprintf(runningTest, sizeof runningTest, "%s.%s", info.test_suite_name(),
                      info.name());
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        std::strcpy(runningTest, "(between tests)");
    }
};

} // namespace crash_report

/// Call after InitGoogleTest. Under AddressSanitizer its own report says more, so it keeps the
/// signals.
inline void reportCrashes() {
#if defined(__SANITIZE_ADDRESS__)
    return;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return;
#endif
#endif
    ::testing::UnitTest::GetInstance()->listeners().Append(new crash_report::Listener);
    for (int signal : {SIGSEGV, SIGBUS, SIGABRT, SIGFPE, SIGILL})
        std::signal(signal, crash_report::onSignal);
}

} // namespace vellum::test
