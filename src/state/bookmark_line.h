// The lines of section BookMark: the LastReadEntry written at exit (key 0) and the parse shared by
// every key, in the bookmark layout ("... >P5,1,p1234, <path") and the older comma layout
// ("name,P5,14:05,03/March >path").
#pragma once
#include <string>
#include <string_view>

namespace pel {

// A broken-down local time, as the caller's clock gives it.
struct LocalTime {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// "%H:%M,%d/%B": 24-hour time, two-digit day and the English month name whatever the locale.
std::string FormatEntryTime(const LocalTime& time);

// "%s,P%d,%s >%s": file name, page, FormatEntryTime, full path.
std::string FormatLastReadEntry(const std::string& fileName, int page, const LocalTime& time,
                                const std::string& path);

// What is kept of one BookMark key. Texts are empty when the line lacks the delimiters around them.
struct BookmarkLine {
    std::string raw;
    std::string label;  // the text up to and including the last '>'
    std::string path;
    std::string page;        // digits of the page number
    std::string modeOrTime;  // paging mode of a bookmark, or the time text of the older layout
    std::string savedLine;   // older layout of keys 1..9 only: the number after "L", else "0"
    std::string charPos;     // bookmark layout only: the character position
};

// `key` is the BookMark key the line was read from (0 is the LastReadEntry). Lines of keys above 0
// that hold '<' use the bookmark layout; every other line the older comma layout.
BookmarkLine ParseBookmarkLine(int key, std::string_view line);

// The integer value of a stored text field, as atoi reads it: leading blanks, a sign, then digits; 0
// when there are none. Values beyond the range of long long stop at its limits.
long long LeadingNumber(std::string_view text);

}  // namespace pel
