// pel_open_book FILE: reads, detects, decodes and paginates a book by lines as opening it does, then
// prints the encoding, the text length, the page count and the Chinese character count.
#include <time.h>

#include <cstdio>
#include <string>
#include <vector>

#include "book/decode.h"
#include "book/pagination.h"
#include "platform/native/native_code_page.h"
#include "platform/native/native_file_system.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: pel_open_book FILE\n");
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
    std::vector<long long> pageTable;
    const pel::LinePages pages = pel::BuildLinePages(text, pageTable);
    const double done = now();
    std::printf("encoding=%s length=%zu pages=%d%s hanzi=%lld\n", pel::EncodingName(detected.encoding),
                text.size(), pages.pageCount, pages.overflow ? " (over the limit)" : "", pages.hanziCount);
    std::fprintf(stderr, "read %.1f ms, decode %.1f ms, paginate %.1f ms\n", read - start, decoded - read,
                 done - decoded);
    return 0;
}
