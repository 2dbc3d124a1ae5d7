#include "book/chapters.h"

#include <algorithm>
#include <bitset>
#include <cstring>

#include "book/chapter_rules.h"
#include "book/reader.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace pel {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// Heading words: the prefix and the suffix must lie closer than this.
constexpr std::size_t kWordSpan = 20;
constexpr std::size_t kMaxWordTitle = 100;
// A heading this close after the previous one is not a new chapter.
constexpr long long kWordMinGap = 300;
constexpr long long kRuleMinGap = 100;
// The rule-text detector leaves the end of the text alone.
constexpr std::size_t kRuleTail = 50;
// Rule texts: prefix, number and suffix spread wider than this make no heading.
constexpr long long kRuleSpan = 20;

bool IsLineEnd(unsigned char c) { return c == '\r' || c == '\n'; }

#if defined(__SSE2__)
inline unsigned Ctz(unsigned mask) { return static_cast<unsigned>(__builtin_ctz(mask)); }
#endif

// First a >= from with the bytes a, a + 1 equal to c0, c1; kNone when there is none.
std::size_t FindPair(const unsigned char* p, std::size_t n, std::size_t from, unsigned char c0,
                     unsigned char c1) {
    if (n < 2) return kNone;
    std::size_t i = from;
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi8(static_cast<char>(c0));
    const __m128i second = _mm_set1_epi8(static_cast<char>(c1));
    auto pairs = [&](std::size_t at) {
        const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
        const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at + 1));
        return _mm_and_si128(_mm_cmpeq_epi8(v0, first), _mm_cmpeq_epi8(v1, second));
    };
    // 32 candidates a round: the loads reach byte at + 32, so the round ends one byte before the text.
    for (; i + 33 <= n; i += 32) {
        const __m128i low = pairs(i), high = pairs(i + 16);
        if (_mm_movemask_epi8(_mm_or_si128(low, high)) == 0) continue;
        const unsigned lowMask = static_cast<unsigned>(_mm_movemask_epi8(low));
        if (lowMask != 0) return i + Ctz(lowMask);
        return i + 16 + Ctz(static_cast<unsigned>(_mm_movemask_epi8(high)));
    }
#endif
    for (; i + 1 < n; ++i) {
        if (p[i] == c0 && p[i + 1] == c1) return i;
    }
    return kNone;
}

// First position in [from, to) whose byte `match` accepts, `to` when none. `block` tells the same of
// 16 bytes at once as a mask; bytes up to `n` may be loaded, so a short window still goes in one step.
template <class Scalar, class Block>
std::size_t FindIn(const unsigned char* p, std::size_t n, std::size_t from, std::size_t to, Scalar match,
                   [[maybe_unused]] Block block) {
    std::size_t i = from;
#if defined(__SSE2__)
    for (; i < to && i + 16 <= n; i += 16) {
        unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(block(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)))));
        if (to - i < 16) mask &= (1u << (to - i)) - 1;
        if (mask != 0) return i + Ctz(mask);
    }
#endif
    for (; i < to; ++i) {
        if (match(p[i])) return i;
    }
    return to;
}

#if defined(__SSE2__)
inline __m128i LineEndBytes(__m128i v) {
    return _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\n')));
}
#else
struct NoBlock {};
#endif

// First CR, LF or `c` in [from, to).
std::size_t FindLineEndOr(const unsigned char* p, std::size_t n, std::size_t from, std::size_t to,
                          unsigned char c) {
    auto scalar = [c](unsigned char b) { return b == c || IsLineEnd(b); };
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi8(static_cast<char>(c));
    auto block = [wanted](__m128i v) { return _mm_or_si128(_mm_cmpeq_epi8(v, wanted), LineEndBytes(v)); };
#else
    NoBlock block;
#endif
    return FindIn(p, n, from, to, scalar, block);
}

// First CR, LF or ASCII digit in [from, to).
std::size_t FindLineEndOrDigit(const unsigned char* p, std::size_t n, std::size_t from, std::size_t to) {
    auto scalar = [](unsigned char b) { return (b >= '0' && b <= '9') || IsLineEnd(b); };
#if defined(__SSE2__)
    auto block = [](__m128i v) {
        // Unsigned range test: (b - '0') <= 9 as saturating subtraction of 9 leaving zero.
        const __m128i offset = _mm_sub_epi8(v, _mm_set1_epi8('0'));
        const __m128i digit = _mm_cmpeq_epi8(_mm_subs_epu8(offset, _mm_set1_epi8(9)), _mm_setzero_si128());
        return _mm_or_si128(digit, LineEndBytes(v));
    };
#else
    NoBlock block;
#endif
    return FindIn(p, n, from, to, scalar, block);
}

// First CR or LF in [from, to).
std::size_t FindLineEnd(const unsigned char* p, std::size_t n, std::size_t from, std::size_t to) {
    return FindLineEndOr(p, n, from, to, '\r');
}

// ---- Heading words (rules 1 .. 7)

struct HeadingWord {
    unsigned char prefix[2];
    unsigned char suffix[2];
};

bool WordOfRule(int rule, HeadingWord& word) {
    static const char* const kSuffixes[] = {"章", "卷", "回", "部", "节", "集", "文"};
    if (rule < kFirstWordRule || rule > kLastWordRule) return false;
    const char* prefix = rule == kLastWordRule ? "正" : "第";
    const char* suffix = kSuffixes[rule - 1];
    for (int i = 0; i < 2; ++i) {
        word.prefix[i] = static_cast<unsigned char>(prefix[i]);
        word.suffix[i] = static_cast<unsigned char>(suffix[i]);
    }
    return true;
}

// Adds a heading unless it is too close to the previous one; false when the table is full.
bool AddHeading(ChapterScan& scan, std::size_t start, std::string title, long long minGap) {
    if (!scan.starts.empty() && static_cast<long long>(start) - scan.starts.back() < minGap) return true;
    if (static_cast<int>(scan.starts.size()) >= kMaxPages) {
        scan.overflow = true;
        return false;
    }
    scan.starts.push_back(static_cast<long long>(start));
    scan.titles.push_back(std::move(title));
    return true;
}

// ---- Rule texts (rules 8, 9, 10)

// The 14 numerals of the "一二三" number class, as a set of byte pairs.
const std::bitset<65536>& Numerals() {
    static const std::bitset<65536> set = [] {
        std::bitset<65536> s;
        const std::string_view numerals = "一二三四五六七八九十百千零〇";
        for (std::size_t i = 0; i + 1 < numerals.size(); i += 2) {
            s.set(static_cast<unsigned char>(numerals[i]) << 8 | static_cast<unsigned char>(numerals[i + 1]));
        }
        return s;
    }();
    return set;
}

enum class NumberClass { kNone, kDigit, kNumeral };

struct CompiledRule {
    std::string prefix;  // empty: no prefix part
    bool hasPrefix = false;
    NumberClass number = NumberClass::kNone;
    bool hasSuffix = false;
    bool suffixUsable = false;  // a suffix shorter than two bytes matches nothing
    unsigned char suffix[2] = {0, 0};
    std::size_t longest = 0;  // Dmax
};

CompiledRule CompileRule(std::string_view ruleText) {
    const RuleParts parts = ParseRule(ruleText.empty() ? std::string_view(kDefaultRuleText) : ruleText);
    CompiledRule rule;
    rule.hasPrefix = parts.a != kRuleNone;
    rule.prefix = parts.a;
    if (parts.b == kRuleDigits) {
        rule.number = NumberClass::kDigit;
    } else if (parts.b == kRuleNumerals) {
        rule.number = NumberClass::kNumeral;
    }
    rule.hasSuffix = parts.c != kRuleNone;
    if (parts.c.size() >= 2) {
        rule.suffixUsable = true;
        rule.suffix[0] = static_cast<unsigned char>(parts.c[0]);
        rule.suffix[1] = static_cast<unsigned char>(parts.c[1]);
    }
    // A negative length (only a hand-edited settings file has one) would send the scan backwards.
    rule.longest = static_cast<std::size_t>(std::max(0, RuleNumber(parts.d)));
    return rule;
}

// One line of the rule-text detector.
class LineExaminer {
public:
    LineExaminer(std::string_view text, const CompiledRule& rule)
        : p_(reinterpret_cast<const unsigned char*>(text.data())), n_(text.size()), rule_(rule) {}

    // Examines the line starting at `lineStart`; returns the stop position and, for a heading, its title
    // end (`headingEnd` stays kNone otherwise).
    std::size_t Examine(std::size_t lineStart, std::size_t& headingEnd) const {
        headingEnd = kNone;
        const std::size_t L = lineStart;
        // The window never reaches past the text.
        const std::size_t E = rule_.longest >= n_ - std::min(L, n_) ? n_ : L + rule_.longest;
        long long prefixAt = -1, numberAt = -1, suffixAt = -1;
        std::size_t v = L;
        if (rule_.hasPrefix && !MatchPrefix(L, E, v, prefixAt)) return v;
        v = SkipSpaces(v);
        if (rule_.number == NumberClass::kDigit) {
            const std::size_t hit = FindLineEndOrDigit(p_, n_, v, E);
            if (hit >= E || IsLineEnd(p_[hit])) return std::max(hit, v);
            numberAt = static_cast<long long>(hit);
            v = hit + 1;
        } else if (rule_.number == NumberClass::kNumeral) {
            if (!FindDoubleByte(v, E, numberAt, [](unsigned pair) { return Numerals().test(pair); }))
                return v;
            v += 2;
        }
        v = SkipSpaces(v);
        if (rule_.hasSuffix) {
            const unsigned wanted = rule_.suffixUsable ? (rule_.suffix[0] << 8 | rule_.suffix[1]) : 0x10000;
            if (!FindDoubleByte(v, E, suffixAt, [wanted](unsigned pair) { return pair == wanted; })) return v;
        }
        // The line end: never the last byte of the text.
        if (n_ > 0 && v < n_ - 1) v = FindLineEnd(p_, n_, v, n_ - 1);
        bool tooWide = false;
        if (prefixAt > 0) {
            tooWide = suffixAt - prefixAt > kRuleSpan;
        } else if (numberAt > 0) {
            tooWide = suffixAt - numberAt > kRuleSpan;
        }
        if (v - L > rule_.longest || tooWide) return v;
        headingEnd = v;
        return v;
    }

private:
    // Prefix A from L: a byte that does not continue the match starts it over (and is not tried again
    // as A's first byte). Sets v past the prefix when found; otherwise v is the stop position.
    bool MatchPrefix(std::size_t L, std::size_t E, std::size_t& v, long long& prefixAt) const {
        const std::string& a = rule_.prefix;
        const unsigned char first = a.empty() ? 0 : static_cast<unsigned char>(a[0]);
        std::size_t j = 0;
        std::size_t k = L;
        while (k < E) {
            if (j == 0) {
                // Nothing matched so far: jump to the next byte that can start A or ends the line.
                k = a.empty() ? FindLineEnd(p_, n_, k, E) : FindLineEndOr(p_, n_, k, E, first);
                if (k >= E) break;
            }
            const unsigned char c = p_[k];
            if (j < a.size() && c == static_cast<unsigned char>(a[j])) {
                if (++j == 1) prefixAt = static_cast<long long>(k);
            } else {
                j = 0;
            }
            if (j > 0 && j == a.size()) {
                v = k + 1;
                return true;
            }
            if (IsLineEnd(c)) {
                v = k;
                return false;
            }
            ++k;
        }
        v = E;
        return false;
    }

    std::size_t SkipSpaces(std::size_t v) const {
        while (v < n_ && p_[v] == ' ') ++v;
        return v;
    }

    // Walks the characters of [v, E): single bytes one at a time, lead bytes with their trail byte. Stops
    // at the first double-byte character that `accept` takes (v stays on it) and returns true; at a line
    // end or at the window's end (v where the walk stopped, possibly E + 1) returns false.
    template <class Accept>
    bool FindDoubleByte(std::size_t& v, std::size_t E, long long& at, Accept accept) const {
        while (v < E) {
            const unsigned char c = p_[v];
            if (IsLineEnd(c)) return false;
            if (c < 0x80) {
                ++v;
                continue;
            }
            if (v + 1 < n_ && accept(static_cast<unsigned>(c) << 8 | p_[v + 1])) {
                at = static_cast<long long>(v);
                return true;
            }
            v += 2;
        }
        return false;
    }

    const unsigned char* p_;
    std::size_t n_;
    const CompiledRule& rule_;
};

}  // namespace

int ChapterRuleCommandId(int rule) {
    static constexpr int kCommands[] = {32816, 32817, 32818, 32819, 32820, 32822, 32829, 32857, 32858, 32859};
    return rule >= 1 && rule <= 10 ? kCommands[rule - 1] : 0;
}

int ChapterRuleOfCommand(int commandId) {
    for (int rule = 1; rule <= 10; ++rule) {
        if (ChapterRuleCommandId(rule) == commandId) return rule;
    }
    return 0;
}

ChapterScan PaginateByChapterWord(std::string_view text, int rule) {
    ChapterScan scan;
    HeadingWord word;
    if (!WordOfRule(rule, word)) return scan;
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t cursor = 0;
    while (cursor < n && n - cursor >= 2) {
        const std::size_t a = FindPair(p, n, cursor, word.prefix[0], word.prefix[1]);
        if (a == kNone) break;
        const std::size_t b = FindPair(p, n, a, word.suffix[0], word.suffix[1]);
        if (b == kNone) break;
        if (b - a >= kWordSpan || b == a) {
            // The next prefix may lie closer to this suffix.
            cursor = b == a ? a + 1 : b - (kWordSpan - 1);
            continue;
        }
        // The title runs to the line end; one byte past the limit is enough to refuse it.
        const std::size_t end = FindLineEnd(p, n, a, std::min(n, a + kMaxWordTitle + 1));
        if (end - a <= kMaxWordTitle &&
            !AddHeading(scan, a, std::string(text.substr(a, end - a)), kWordMinGap)) {
            break;
        }
        cursor = b + 1;
    }
    return scan;
}

ChapterScan PaginateByRuleText(std::string_view text, std::string_view ruleText) {
    ChapterScan scan;
    const CompiledRule rule = CompileRule(ruleText);
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    if (n <= kRuleTail) return scan;
    const std::size_t limit = n - kRuleTail;
    const LineExaminer examiner(text, rule);
    std::size_t u = 0;
    while (u < limit) {
        if (u > 0) {
            // Scan to the next LF; a line is examined only when its LF lies before the last 50 bytes.
            if (p[u] != '\n') {
                const void* lf = std::memchr(p + u, '\n', limit - u);
                if (lf == nullptr) break;
                u = static_cast<std::size_t>(static_cast<const unsigned char*>(lf) - p);
            }
            ++u;
        }
        while (u < n && (p[u] == ' ' || p[u] == '\r' || p[u] == '\n' || p[u] == '\t')) ++u;
        std::size_t headingEnd = kNone;
        const std::size_t stop = examiner.Examine(u, headingEnd);
        if (headingEnd != kNone &&
            !AddHeading(scan, u, std::string(text.substr(u, headingEnd - u)), kRuleMinGap)) {
            break;
        }
        u = stop + 1;
    }
    return scan;
}

}  // namespace pel
