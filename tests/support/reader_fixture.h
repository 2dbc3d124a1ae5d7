// A Reader wired to the test doubles and the platform's code page, with helpers to make books.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "book/reader.h"
#include "support/fake_file_system.h"
#include "support/fake_host.h"
#include "support/fake_page_control.h"
#include "support/system_code_page.h"

namespace pel::testing {

// Lines of Chinese with their number, CR LF ended: "第12行：天地玄黄宇宙洪荒abc".
inline std::string ChineseLines(int count, int first = 1) {
    std::string text;
    for (int i = first; i < first + count; ++i) {
        text += "第" + std::to_string(i) + "行：天地玄黄宇宙洪荒abc\r\n";
    }
    return text;
}

// `count` chapters "第N章 标题N" of 20 such lines each, after `preface`; the digits suit rules 1 and 8.
inline std::string ChapterNovel(int count, const std::string& preface = "") {
    std::string text = preface;
    for (int i = 1; i <= count; ++i) {
        text += "第" + std::to_string(i) + "章 标题" + std::to_string(i) + "\r\n" + ChineseLines(20);
    }
    return text;
}

class ReaderTest : public ::testing::Test {
protected:
    ReaderTest() : reader(control, host, files, codePage) { reader.programDir = "C:\\pel\\"; }

    void Open(const std::string& path, const std::string& bytes) {
        files.Add(path, bytes);
        reader.SetBookPath(path);
        reader.OpenBook(path);
    }

    FakePageControl control{20};
    FakeHost host;
    FakeFileSystem files;
    SystemCodePage codePage;
    Reader reader;
};

}  // namespace pel::testing
