#include "download/ImageLinks.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <array>
#include <chrono>
#include <cstring>
#include <memory>

namespace {

// PCRE2's \s also takes vertical tab; these classes hold exactly space, tab,
// line feed, carriage return and form feed.
constexpr std::array<const char*, 2> Patterns{
    R"re((?i)<img[ \t\n\r\f][^>]*(src)[ \t\n\r\f]*=[ \t\n\r\f]*(")([^"]*)\2[^>]*>)re",
    R"re((?i)<img[ \t\n\r\f][^>]*(src)[ \t\n\r\f]*=([ \t\n\r\f]*)([^ \t\n\r\f">]*)\2[^>]*>)re",
};

// Bounds on one search, generous for real pages (a tag costs a few steps per
// byte) and small enough that a hostile page ends within a second or so.
constexpr uint32_t GroupCount = 3;
constexpr uint32_t MatchLimit = 20'000'000;
constexpr uint32_t DepthLimit = 10'000;
constexpr uint32_t HeapLimitKiB = 16 * 1024;
constexpr size_t JitStackMin = 32 * 1024;
constexpr size_t JitStackMax = 1024 * 1024;
// Many attempts that each stay under the limits can still add up to a long
// time on a hostile page, so each pattern's scan of a page is also timed.
constexpr std::chrono::milliseconds ScanBudget{1500};

struct CodeFree {
    void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct MatchDataFree {
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
struct MatchContextFree {
    void operator()(pcre2_match_context* context) const { pcre2_match_context_free(context); }
};
struct JitStackFree {
    void operator()(pcre2_jit_stack* stack) const { pcre2_jit_stack_free(stack); }
};

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// "<img" in any case followed by white space: where a match can begin.
bool IsTagStart(const char* at, size_t available) {
    return available >= 5 && (at[1] | 0x20) == 'i' && (at[2] | 0x20) == 'm' &&
           (at[3] | 0x20) == 'g' && IsSpace(at[4]);
}

using Code = std::unique_ptr<pcre2_code, CodeFree>;

Code Compile(const char* pattern) {
    int error = 0;
    PCRE2_SIZE offset = 0;
    // Anchored, so that the scan below chooses the start positions and can
    // stop between them; JIT serves anchored patterns.
    Code code(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern), PCRE2_ZERO_TERMINATED,
                            PCRE2_ANCHORED, &error, &offset, nullptr));
    if (code)
        pcre2_jit_compile(code.get(), PCRE2_JIT_COMPLETE); // the interpreter serves without JIT
    return code;
}

// Compiled once for the life of the program; both are fixed and read-only.
const std::array<Code, 2>& CompiledPatterns() {
    static const std::array<Code, 2> compiled{Compile(Patterns[0]), Compile(Patterns[1])};
    return compiled;
}

// The matching engine for one page: match data, limits and JIT stack.
class LinkMatcher {
public:
    LinkMatcher()
        : m_context(pcre2_match_context_create(nullptr)),
          m_data(pcre2_match_data_create(GroupCount + 1, nullptr)),
          m_jitStack(pcre2_jit_stack_create(JitStackMin, JitStackMax, nullptr)) {
        if (m_context) {
            pcre2_set_match_limit(m_context.get(), MatchLimit);
            pcre2_set_depth_limit(m_context.get(), DepthLimit);
            pcre2_set_heap_limit(m_context.get(), HeapLimitKiB);
            if (m_jitStack)
                pcre2_jit_stack_assign(m_context.get(), nullptr, m_jitStack.get());
        }
    }

    bool usable() const { return m_context && m_data; }

    // Appends group 3 of every match of the pattern, left to right: the
    // leftmost match wins and the next search starts after its end, as in an
    // unanchored search, with the pattern tried only where "<img" and white
    // space stand.
    void collect(const pcre2_code* code, const QByteArray& text, QStringList& links) {
        const auto deadline = std::chrono::steady_clock::now() + ScanBudget;
        const char* const begin = text.constData();
        // Every match ends with ">", so nothing after the last one can take
        // part; cutting it off spares a hostile page's scans to its end.
        const auto length = static_cast<PCRE2_SIZE>(text.lastIndexOf('>') + 1);
        PCRE2_SIZE start = 0;
        while (start < length) {
            const auto* open =
                static_cast<const char*>(std::memchr(begin + start, '<', length - start));
            if (!open)
                return;
            const auto at = static_cast<PCRE2_SIZE>(open - begin);
            if (!IsTagStart(open, length - at)) {
                start = at + 1;
                continue;
            }
            if (std::chrono::steady_clock::now() > deadline)
                return;
            const int rc = pcre2_match(code, reinterpret_cast<PCRE2_SPTR>(begin), length, at, 0,
                                       m_data.get(), m_context.get());
            if (rc == PCRE2_ERROR_NOMATCH) {
                start = at + 1;
                continue;
            }
            // Any other failure, a limit among them, ends the scan with what it found.
            if (rc < 0)
                return;
            const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(m_data.get());
            if (ovector[6] != PCRE2_UNSET && ovector[7] > ovector[6])
                links.append(QString::fromUtf8(begin + ovector[6],
                                               static_cast<qsizetype>(ovector[7] - ovector[6])));
            start = ovector[1];
        }
    }

private:
    std::unique_ptr<pcre2_match_context, MatchContextFree> m_context;
    std::unique_ptr<pcre2_match_data, MatchDataFree> m_data;
    std::unique_ptr<pcre2_jit_stack, JitStackFree> m_jitStack;
};

} // namespace

void FindImageLinks(const QByteArray& pageText, QStringList& links) {
    LinkMatcher matcher;
    if (!matcher.usable())
        return;
    for (const Code& code : CompiledPatterns())
        if (code)
            matcher.collect(code.get(), pageText, links);
}
