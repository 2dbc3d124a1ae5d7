#include "archive/listing.h"

#include <algorithm>

#include "archive/archive_paths.h"

namespace pel {

namespace {

// Lines split at LF, each without its CRs; no empty lines at the end.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        // A console that writes in text mode turns CR LF into CR CR LF.
        while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

bool EndsWithTxt(std::string_view path) {
    if (path.size() < 4) return false;
    std::string tail(path.substr(path.size() - 4));
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return tail == ".txt";
}

}  // namespace

ArchiveListing ParseArchiveListing(std::string_view bytes) {
    ArchiveListing listing;
    // The header is looked for in the text before the first zero byte only.
    const std::string_view text = bytes.substr(0, bytes.find('\0'));
    const std::size_t header = text.find(kListingHeader);
    if (header == std::string_view::npos) return listing;

    const std::size_t headerEnd = bytes.find('\n', header);
    const std::vector<std::string_view> lines = headerEnd == std::string_view::npos
                                                    ? std::vector<std::string_view>()
                                                    : SplitLines(bytes.substr(headerEnd + 1));
    // lines[0] is the opening separator; the closing separator and the summary follow the members.
    if (lines.size() < 3) {
        listing.status = ArchiveListing::Status::kIncomplete;
        return listing;
    }
    // The closing separator repeats the opening one; an extractor that writes another one of the same
    // length is understood as long as the summary is the last line.
    std::size_t closing = 0;
    for (std::size_t i = 1; i < lines.size() && closing == 0; ++i) {
        if (lines[i] == lines[0]) closing = i;
    }
    if (closing == 0 && lines[lines.size() - 2].size() == lines[0].size()) closing = lines.size() - 2;
    // Without a closing separator and a summary after it the extractor was stopped while writing.
    if (closing == 0 || closing + 1 >= lines.size()) {
        listing.status = ArchiveListing::Status::kIncomplete;
        return listing;
    }
    listing.status = ArchiveListing::Status::kListed;

    for (std::size_t i = 1; i < closing; ++i) {
        const std::string_view line = lines[i];
        if (line.size() <= kListingColumns || line[kListingAttributeColumn] == 'D') continue;
        std::string path(line.substr(kListingColumns));
        std::replace(path.begin(), path.end(), '/', '\\');
        if (!EndsWithTxt(path)) continue;
        if (!IsSafeMemberPath(path)) {
            ++listing.unsafeMembers;
            continue;
        }
        if (listing.members.size() == kMaxArchiveMembers) {
            listing.truncated = true;
            break;
        }
        listing.members.push_back(std::move(path));
    }
    return listing;
}

}  // namespace pel
