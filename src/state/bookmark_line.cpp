#include "state/bookmark_line.h"

#include <array>
#include <cstdio>
#include <limits>

namespace pel {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

const char* const kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};

// Bytes [from, to) of the line, or nothing when a delimiter is missing or the range is empty.
std::string Between(std::string_view line, std::size_t from, std::size_t to) {
    if (from == kNone || to == kNone || from >= to || to > line.size()) return {};
    return std::string(line.substr(from, to - from));
}

std::size_t After(std::size_t pos, std::size_t skip) { return pos == kNone ? kNone : pos + skip; }

// ',', '<' and '>' are single bytes below 0x40, never the second byte of a double-byte character,
// so the walk can go byte by byte.
BookmarkLine ParseBookmarkLayout(std::string_view line) {
    BookmarkLine out;
    std::string running;
    std::size_t gt = kNone;
    std::array<std::size_t, 3> comma{kNone, kNone, kNone};
    std::size_t commas = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '>') {
            out.label = running + '>';
            running.clear();
            gt = i;
            comma.fill(kNone);
            commas = 0;
        } else if (c == '<') {
            running.clear();
        } else {
            if (c == ',' && commas < comma.size()) comma[commas++] = i;
            running += c;
        }
    }
    out.path = running;
    out.page = Between(line, After(gt, 2), comma[0]);
    out.modeOrTime = Between(line, After(comma[0], 1), comma[1]);
    out.charPos = Between(line, After(comma[1], 2), comma[2]);
    return out;
}

BookmarkLine ParseCommaLayout(int key, std::string_view line) {
    BookmarkLine out;
    std::string running;
    std::size_t lastGt = kNone;
    std::array<std::size_t, 4> comma{kNone, kNone, kNone, kNone};
    std::size_t commas = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '>') {
            out.label = running + '>';
            running.clear();
            lastGt = i;
        } else if (c == '<') {
            running.clear();
        } else {
            if (c == ',' && commas < comma.size()) comma[commas++] = i;
            running += c;
        }
    }
    out.path = running;
    if (key == 0 && lastGt != kNone) {
        // A file name may hold commas of its own; the three commas that the entry's format puts in are
        // the last three before the path.
        std::array<std::size_t, 3> last{kNone, kNone, kNone};
        std::size_t found = 0;
        for (std::size_t i = lastGt; i-- > 0 && found < last.size();) {
            if (line[i] == ',') last[last.size() - 1 - found++] = i;
        }
        if (found == last.size() && last[0] != comma[0]) {
            comma = {last[0], last[1], last[2], kNone};
        }
    }
    out.page = Between(line, After(comma[0], 2), comma[1]);
    out.modeOrTime = Between(line, After(comma[1], 1), comma[2]);
    if (key > 0) {
        const std::size_t mark = After(comma[2], 1);
        out.savedLine = mark != kNone && mark < line.size() && line[mark] == 'L'
                            ? Between(line, After(comma[2], 2), comma[3])
                            : std::string("0");
    }
    return out;
}

}  // namespace

long long LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    constexpr long long kLimit = std::numeric_limits<long long>::max();
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        if (value > (kLimit - digit) / 10) {
            value = kLimit;
            break;
        }
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

std::string FormatEntryTime(const LocalTime& time) {
    const int month = time.month >= 1 && time.month <= 12 ? time.month : 1;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d,%02d/%s", time.hour, time.minute, time.day,
                  kMonthNames[month - 1]);
    return buffer;
}

std::string FormatLastReadEntry(const std::string& fileName, int page, const LocalTime& time,
                                const std::string& path) {
    return fileName + ",P" + std::to_string(page) + "," + FormatEntryTime(time) + " >" + path;
}

BookmarkLine ParseBookmarkLine(int key, std::string_view line) {
    BookmarkLine out =
        key > 0 && line.find('<') != kNone ? ParseBookmarkLayout(line) : ParseCommaLayout(key, line);
    out.raw = std::string(line);
    return out;
}

}  // namespace pel
