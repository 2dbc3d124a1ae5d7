// The reading logic driving the real rich-edit 1.0 control: positions in the control and byte
// offsets of the CP936 text must map exactly, Chinese text and line ends included.
#include "ui/rich_page_control.h"

#include <gtest/gtest.h>
#include <richedit.h>

#include <string>

#include "book/reader.h"
#include "platform/win32/win32_code_page.h"
#include "support/fake_file_system.h"
#include "support/fake_host.h"

namespace {

class RichEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(LoadLibraryA("riched32.dll"), nullptr);
        window_ =
            CreateWindowExA(0, "RICHEDIT", "",
                            WS_POPUP | WS_VISIBLE | ES_MULTILINE | WS_VSCROLL | ES_AUTOVSCROLL | ES_READONLY,
                            0, 0, 500, 300, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window_, nullptr);
        control_.Attach(window_);
    }
    void TearDown() override { DestroyWindow(window_); }

    HWND window_ = nullptr;
    pel::RichPageControl control_;
};

// A novel-like text: Chinese lines with CR LF, a few ASCII and LF-only lines.
std::string MakeBook(int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) {
        text += "第" + std::to_string(i) + "行 天下大势，分久必合，合久必分。abc";
        text += (i % 7 == 3) ? "\n" : "\r\n";
    }
    return text;
}

TEST_F(RichEditTest, HoldsALargePageWhole) {
    // Far beyond the control's default limit of 32K characters.
    const std::string line = "天下大势 分久必合 abc def\r\n";  // 19 characters in the control
    std::string big;
    int lines = 0;
    for (; big.size() < 600 * 1024; ++lines) big += line;
    control_.SetText(big);
    GETTEXTLENGTHEX query{GTL_NUMCHARS, CP_ACP};
    EXPECT_EQ(SendMessageA(window_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query), 0), lines * 19);
}

TEST_F(RichEditTest, GoToTextPositionPutsTheLineOfTheByteAtTheTop) {
    pel::testing::FakeHost host;
    pel::testing::FakeFileSystem files;
    pel::Win32CodePage codePage;
    const std::string book = MakeBook(400);
    files.Add("book.txt", book);
    pel::Reader reader(control_, host, files, codePage);
    reader.pagingMode = pel::kPagingWhole;
    reader.OpenBook("book.txt");
    ASSERT_EQ(reader.TextLength(), static_cast<long long>(book.size()));

    for (long long p : {0LL, 1LL, 500LL, 4321LL, static_cast<long long>(book.size()) / 2, 15000LL}) {
        reader.GoToTextPosition(p);
        reader.OnPositionTimer();
        const long long lineStart = static_cast<long long>(book.rfind('\n', p == 0 ? 0 : p - 1) + 1);
        const long long expected = p == 0 ? 0 : (book[p - 1] == '\n' ? p : lineStart);
        // The control cannot scroll the last screenful to the top; positions here are far from the end.
        EXPECT_EQ(reader.ReadPosition(), expected) << "p = " << p;
    }
}

TEST_F(RichEditTest, LinePagesMapPositionsOnEveryPage) {
    pel::testing::FakeHost host;
    pel::testing::FakeFileSystem files;
    pel::Win32CodePage codePage;
    const std::string book = MakeBook(300);
    files.Add("book.txt", book);
    pel::Reader reader(control_, host, files, codePage);
    reader.OpenBook("book.txt");
    ASSERT_EQ(reader.PageCount(), 6);
    reader.ShowPage(3);
    // Line 10 of page 3 starts at the byte after the 110th LF of the book.
    size_t pos = 0;
    for (int lf = 0; lf < 110; ++lf) pos = book.find('\n', pos) + 1;
    reader.GoToTextPosition(static_cast<long long>(pos));
    EXPECT_EQ(reader.CurrentPage(), 3);
    EXPECT_EQ(control_.FirstVisibleLine(), 10);
    reader.OnPositionTimer();
    EXPECT_EQ(reader.ReadPosition(), static_cast<long long>(pos));
}

}  // namespace
