// pel_open_book FILE [RULE]: reads, detects, decodes and paginates a book as opening it does, then prints
// the encoding, the text length, the page count and the Chinese character count. Without RULE the book
// goes by lines; RULE 1 .. 7 paginates by the heading words, 8 and 9 by their rule texts, and a
// "[A][B][C][D]" argument (CP936 bytes) by that rule text.
#include <time.h>

#include <cstdio>
#include <string>
#include <vector>

#include "book/chapters.h"
#include "book/decode.h"
#include "book/pagination.h"
#include "book/reader.h"
#include "platform/native/native_code_page.h"
#include "platform/native/native_file_system.h"

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: pel_open_book FILE [RULE]\n");
        return 2;
    }
    // <chrono> is kept out: its micro sign has no CP936 form, and our literals are CP936.
    auto now = [] {
        timespec ts;
        clock_gettime(CLOCK_MONOTONIC, &ts);
        return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
    };
    const double start = now();
    pel::NativeFileSystem files;
    pel::NativeCodePage codePage;
    std::string bytes;
    if (!files.ReadAll(argv[1], bytes)) {
        std::perror(argv[1]);
        return 1;
    }
    const double read = now();
    const pel::DetectedEncoding detected = pel::DetectEncoding(bytes, false);
    std::string text = pel::DecodeBook(std::move(bytes), detected, codePage);
    const double decoded = now();
    if (argc == 3) {
        const std::string rule = argv[2];
        pel::ChapterScan scan;
        if (rule.size() == 1 && rule[0] >= '1' && rule[0] <= '7') {
            scan = pel::PaginateByChapterWord(text, rule[0] - '0');
        } else {
            const char* ruleText = rule == "8"   ? pel::kDigitRuleText
                                   : rule == "9" ? pel::kChineseNumeralRuleText
                                                 : rule.c_str();
            scan = pel::PaginateByRuleText(text, ruleText);
        }
        // A book with chapters also counts its characters; one without them goes back to lines.
        const long long hanzi = pel::CountHighBitBytes(text) / 2;
        const double done = now();
        std::printf("encoding=%s length=%zu chapters=%zu%s hanzi=%lld\n",
                    pel::EncodingName(detected.encoding), text.size(), scan.starts.size(),
                    scan.overflow ? " (over the limit)" : "", hanzi);
        std::fprintf(stderr, "read %.1f ms, decode %.1f ms, chapters %.1f ms\n", read - start, decoded - read,
                     done - decoded);
        return 0;
    }
    std::vector<long long> pageTable;
    const pel::LinePages pages = pel::BuildLinePages(text, pageTable);
    const double done = now();
    std::printf("encoding=%s length=%zu pages=%d%s hanzi=%lld\n", pel::EncodingName(detected.encoding),
                text.size(), pages.pageCount, pages.overflow ? " (over the limit)" : "", pages.hanziCount);
    std::fprintf(stderr, "read %.1f ms, decode %.1f ms, paginate %.1f ms\n", read - start, decoded - read,
                 done - decoded);
    return 0;
}
