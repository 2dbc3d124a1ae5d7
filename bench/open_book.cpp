// pel_open_book FILE: reads, detects, decodes and paginates a book by lines as opening it does, then
// prints the encoding, the text length, the page count and the Chinese character count.
#include <chrono>
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
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    pel::NativeFileSystem files;
    pel::NativeCodePage codePage;
    std::string bytes;
    if (!files.ReadAll(argv[1], bytes)) {
        std::perror(argv[1]);
        return 1;
    }
    const auto read = Clock::now();
    const pel::DetectedEncoding detected = pel::DetectEncoding(bytes, false);
    std::string text = pel::DecodeBook(std::move(bytes), detected, codePage);
    const auto decoded = Clock::now();
    std::vector<long long> pageTable;
    const pel::LinePages pages = pel::BuildLinePages(text, pageTable);
    const auto done = Clock::now();
    auto ms = [](auto a, auto b) { return std::chrono::duration<double, std::milli>(b - a).count(); };
    std::printf("encoding=%s length=%zu pages=%d%s hanzi=%lld\n", pel::EncodingName(detected.encoding),
                text.size(), pages.pageCount, pages.overflow ? " (over the limit)" : "", pages.hanziCount);
    std::fprintf(stderr, "read %.1f ms, decode %.1f ms, paginate %.1f ms\n", ms(start, read),
                 ms(read, decoded), ms(decoded, done));
    return 0;
}
