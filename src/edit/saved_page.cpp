#include "edit/saved_page.h"

#include <algorithm>
#include <vector>

#include "book/reader.h"

namespace pel {

namespace {

// Lines of `text`, each with its LF; the last one may have none.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t lf = text.find('\n', begin);
        const std::size_t end = lf == std::string_view::npos ? text.size() : lf + 1;
        lines.push_back(text.substr(begin, end - begin));
        begin = end;
    }
    return lines;
}

// The bytes of `original` before and after the longest common start and end of `shown` and `edited`, with
// the edited middle between them.
void RestoreEnds(std::string_view original, std::string_view shown, std::string_view edited, std::string& out,
                 std::string_view& shownMiddle, std::string_view& editedMiddle,
                 std::string_view& originalEnd) {
    const std::size_t n = shown.size();
    std::size_t prefix = 0;
    while (prefix < n && prefix < edited.size() && shown[prefix] == edited[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < n - prefix && suffix < edited.size() - prefix &&
           shown[n - 1 - suffix] == edited[edited.size() - 1 - suffix]) {
        ++suffix;
    }
    out.append(original.substr(0, prefix));
    shownMiddle = shown.substr(prefix, n - prefix - suffix);
    editedMiddle = edited.substr(prefix, edited.size() - prefix - suffix);
    originalEnd = original.substr(n - suffix);
}

// An edited stretch: its unchanged start and end get the book's bytes back.
void RestoreStretch(std::string_view original, std::string_view shown, std::string_view edited,
                    std::string& out) {
    std::string_view shownMiddle, editedMiddle, originalEnd;
    RestoreEnds(original, shown, edited, out, shownMiddle, editedMiddle, originalEnd);
    out.append(editedMiddle);
    out.append(originalEnd);
}

// Inserted or deleted runs longer than this many lines are not looked across for an unedited line.
constexpr std::size_t kLineWindow = 64;

// Between the first and the last edit: lines of `edited` that are lines of `shown`, in order, are written
// as the book's bytes of that line; the stretches between them as edited stretches.
void RestoreLines(std::string_view original, std::string_view shown, std::string_view edited,
                  std::string& out) {
    const std::vector<std::string_view> shownLines = SplitLines(shown);
    std::size_t next = 0;          // first line of `shown` not yet used
    std::size_t stretchStart = 0;  // where in `edited` the lines not yet matched begin
    std::size_t editedAt = 0;
    auto offsetOf = [&](std::size_t line) {
        return line < shownLines.size() ? static_cast<std::size_t>(shownLines[line].data() - shown.data())
                                        : shown.size();
    };
    auto flushStretch = [&](std::size_t upToLine, std::size_t editedEnd) {
        const std::size_t from = offsetOf(next), to = offsetOf(upToLine);
        RestoreStretch(original.substr(from, to - from), shown.substr(from, to - from),
                       edited.substr(stretchStart, editedEnd - stretchStart), out);
    };
    for (std::string_view line : SplitLines(edited)) {
        const std::size_t stop = std::min(shownLines.size(), next + kLineWindow);
        std::size_t k = next;
        while (k < stop && shownLines[k] != line) ++k;
        if (k < stop) {
            flushStretch(k, editedAt);
            out.append(original.substr(offsetOf(k), line.size()));
            next = k + 1;
            stretchStart = editedAt + line.size();
        }
        editedAt += line.size();
    }
    flushStretch(shownLines.size(), edited.size());
}

}  // namespace

std::string RestoreUneditedBytes(std::string_view original, std::string_view shown, std::string_view edited) {
    if (shown.size() != original.size() || shown == original) return std::string(edited);
    std::string out;
    out.reserve(edited.size());
    std::string_view shownMiddle, editedMiddle, originalEnd;
    RestoreEnds(original, shown, edited, out, shownMiddle, editedMiddle, originalEnd);
    const std::size_t middleAt = static_cast<std::size_t>(shownMiddle.data() - shown.data());
    RestoreLines(original.substr(middleAt, shownMiddle.size()), shownMiddle, editedMiddle, out);
    out.append(originalEnd);
    return out;
}

std::string TrimmedPath(const std::string& chosen) {
    std::string path = chosen;
    while (!path.empty() && (path.back() == ' ' || path.back() == '\t')) path.pop_back();
    return path;
}

bool SamePath(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 0x81 && x <= 0xFE && i + 1 < a.size()) {
            // A lead byte and its trail byte compare as they are.
            if (x != y || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (lower(x) != lower(y)) {
            return false;
        }
    }
    return true;
}

std::string SaveAsPath(const std::string& chosen) {
    std::string path = TrimmedPath(chosen);
    const std::size_t slash = FindLastOf(path, "\\");
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string name = path.substr(nameStart);
    for (const char* extension : {".txt", ".TXT"}) {
        for (std::size_t at = name.find(extension); at != std::string::npos; at = name.find(extension)) {
            name.erase(at, 4);
        }
    }
    return path.substr(0, nameStart) + name + ".txt";
}

}  // namespace pel
