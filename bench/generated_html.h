#pragma once

#include <QString>

#include <cstdint>

namespace vellum::bench {

/// splitmix64: the same sequence on every platform and standard library.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    /// Uniform in [lo, hi].
    int between(int lo, int hi) {
        return lo + static_cast<int>(next() % static_cast<std::uint64_t>(hi - lo + 1));
    }

private:
    std::uint64_t m_state;
};

/// An HTML-like document of about `targetChars` characters with CR LF line breaks, the same for
/// the same seed: short tag lines, medium lines, some long paragraphs (300-2000 characters) that
/// wrap, some blank lines, indentation with spaces and now and then tabs, a few non-ASCII words.
QString generateHtml(int targetChars, std::uint64_t seed);

} // namespace vellum::bench
