// The notice of a long extraction: the reader's 取消, Esc or closing the window gives the wait up, and
// nothing else does; messages of other windows are left queued while the wait asks.
#include "ui/wait_notice.h"

#include <gtest/gtest.h>

#include "archive/archive_driver.h"

namespace {

std::string WindowText(HWND hwnd) {
    char text[512] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

TEST(WaitNoticeTest, ShowsTheTextAndGivesUpOnlyWhenTheReaderAsks) {
    pel::WaitNotice notice;
    EXPECT_FALSE(notice.GaveUp());
    notice.Show(nullptr, pel::kMsgExtractorWorking);
    ASSERT_TRUE(notice.Shown());
    EXPECT_TRUE(IsWindowVisible(notice.Window()));
    EXPECT_EQ(WindowText(notice.CancelButton()), pel::kWaitNoticeCancel);
    bool textFound = false;
    for (HWND child = GetWindow(notice.Window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        textFound = textFound || WindowText(child) == pel::kMsgExtractorWorking;
    EXPECT_TRUE(textFound);

    for (int i = 0; i < 3; ++i) EXPECT_FALSE(notice.GaveUp());
    // A click as the mouse gives it: the button's own messages come through the queue.
    PostMessageA(notice.CancelButton(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(notice.CancelButton(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(notice.GaveUp());
    EXPECT_TRUE(notice.GaveUp());
    notice.Hide();
    EXPECT_FALSE(notice.Shown());
}

TEST(WaitNoticeTest, EscapeAndClosingGiveUpAndShowingAgainStartsFresh) {
    pel::WaitNotice notice;
    notice.Show(nullptr, "x");
    PostMessageA(notice.CancelButton(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(notice.GaveUp());
    notice.Hide();

    notice.Show(nullptr, "y");
    EXPECT_FALSE(notice.GaveUp());
    PostMessageA(notice.Window(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(notice.GaveUp());
    HWND window = notice.Window();
    notice.Hide();
    EXPECT_FALSE(IsWindow(window));
}

TEST(WaitNoticeTest, OtherWindowsMessagesStayQueued) {
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    pel::WaitNotice notice;
    notice.Show(nullptr, "z");
    PostMessageA(other, WM_USER + 7, 1, 2);
    EXPECT_FALSE(notice.GaveUp());
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, other, WM_USER + 7, WM_USER + 7, PM_REMOVE));
    notice.Hide();
    DestroyWindow(other);
}

}  // namespace
