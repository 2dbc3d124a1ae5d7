// pel_driver_target: a stand-in for the reader's window, with its class name, control ids and status bar,
// that reports what reaches it (keys, drops, message-box answers) in its status bar. The driver's tests run
// every verb against it. Command 1003 shows a box captioned "提示" that closes itself after a second, as
// the reader's confirmations do.
#include <windows.h>
// The headers below need windows.h first.
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

HWND g_frame, g_view, g_status, g_page, g_finder;
constexpr UINT_PTR kCloseBoxTimer = 100;
constexpr UINT_PTR kLateBoxTimer = 101;

void SetPane(int pane, const std::string& text) {
    SendMessageA(g_status, SB_SETTEXTA, pane, (LPARAM)text.c_str());
}

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int id, int x, int y, int w, int h) {
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           (HMENU)(INT_PTR)id, GetModuleHandleA(nullptr), nullptr);
}

LRESULT CALLBACK ViewProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    // Button 1004 reports the rows selected in the list view 1067 and the list box 1000.
    if (msg == WM_COMMAND && LOWORD(wp) == 1004 && HIWORD(wp) == BN_CLICKED) {
        HWND chapters = GetDlgItem(hwnd, 1067);
        int row = (int)SendMessageA(chapters, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
        int focused = (int)SendMessageA(chapters, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_FOCUSED);
        int shelf = (int)SendMessageA(GetDlgItem(hwnd, 1000), LB_GETCURSEL, 0, 0);
        SetPane(0, "click 1004 selected " + std::to_string(row) + " focused " + std::to_string(focused) +
                       " shelf " + std::to_string(shelf));
        return 0;
    }
    if (msg == WM_DROPFILES) {
        char path[MAX_PATH] = {};
        DragQueryFileA((HDROP)wp, 0, path, MAX_PATH);
        DragFinish((HDROP)wp);
        SetPane(0, std::string("drop ") + path);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

void Layout(int cx, int cy) {
    RECT bar{};
    GetWindowRect(g_status, &bar);
    MoveWindow(g_view, 0, 0, cx, cy - (bar.bottom - bar.top), TRUE);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND: {
            int id = LOWORD(wp);
            if (id == 1001) {
                int answer = MessageBoxA(hwnd, "文件已删除！", "Pelinreader", MB_OK);
                SetPane(0, "answer " + std::to_string(answer));
            } else if (id == 1002) {
                int answer = MessageBoxA(hwnd, "是否保存文本？", "提示", MB_OKCANCEL);
                SetPane(0, "answer " + std::to_string(answer));
            } else if (id == 1003) {
                SetTimer(hwnd, kCloseBoxTimer, 1000, nullptr);
                MessageBoxA(hwnd, "已添加书签！", "提示", MB_OK | MB_ICONEXCLAMATION);
                SetPane(0, "box closed");
            } else if (id == 1005) {
                // A modeless dialog with an edit, as the find dialog is, and a box that comes a little later.
                g_finder =
                    CreateWindowExA(WS_EX_DLGMODALFRAME, "#32770", "查找", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                                    200, 200, 300, 120, hwnd, nullptr, GetModuleHandleA(nullptr), nullptr);
                Child(g_finder, "EDIT", "江南", WS_BORDER, 1152, 10, 10, 200, 20);
                SetTimer(hwnd, kLateBoxTimer, 400, nullptr);
            } else if (id == 32830) {
                SetPane(0, "command 32830");
            }
            return 0;
        }
        case WM_TIMER:
            if (wp == kLateBoxTimer) {
                KillTimer(hwnd, kLateBoxTimer);
                MessageBoxA(hwnd, "找不到 \"江南\"", "Pelinreader", MB_OK);
                DestroyWindow(g_finder);
            }
            if (wp == kCloseBoxTimer) {
                KillTimer(hwnd, kCloseBoxTimer);
                if (HWND box = FindWindowA(nullptr, "提示")) PostMessageA(box, WM_CLOSE, 0, 0);
            }
            return 0;
        case WM_SIZE:
            SendMessageA(g_status, WM_SIZE, 0, 0);
            Layout(LOWORD(lp), HIWORD(lp));
            return 0;
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

HMENU BuildMenu() {
    HMENU bar = CreateMenu();
    HMENU options = CreatePopupMenu();
    AppendMenuA(options, MF_STRING | MF_CHECKED, 32798, "按行数分[普通]");
    AppendMenuA(options, MF_STRING | MF_GRAYED, 32830, "单页全文阅读");
    AppendMenuA(bar, MF_POPUP, (UINT_PTR)options, "选项(&P)");
    return bar;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    LoadLibraryA("riched32.dll");

    WNDCLASSA wc{};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = "PelinreaderFrame";
    RegisterClassA(&wc);
    wc.lpfnWndProc = ViewProc;
    wc.lpszClassName = "PelTargetView";
    RegisterClassA(&wc);

    g_frame = CreateWindowExA(0, "PelinreaderFrame", "sample.txt", WS_OVERLAPPEDWINDOW, 100, 100, 800, 600,
                              nullptr, BuildMenu(), instance, nullptr);
    g_status = Child(g_frame, STATUSCLASSNAMEA, "", SBARS_SIZEGRIP, 59393, 0, 0, 0, 0);
    int parts[] = {200, 300, 500, -1};
    SendMessageA(g_status, SB_SETPARTS, 4, (LPARAM)parts);
    SetPane(2, "字数：1.2345 万[ANSI]");
    SetPane(3, "[0.00%]->[页 1/12] 正在阅读：sample.txt");
    g_view = CreateWindowExA(WS_EX_ACCEPTFILES, "PelTargetView", "", WS_CHILD | WS_VISIBLE, 0, 0, 800, 500,
                             g_frame, (HMENU)59648, instance, nullptr);
    std::string book;
    for (int i = 0; i < 200; ++i) book += "第" + std::to_string(i) + "行 文字\r\n";
    g_page = Child(g_view, "RICHEDIT", book.c_str(), WS_VSCROLL | ES_MULTILINE | ES_READONLY, 1018, 0, 0, 600,
                   400);
    Child(g_view, "STATIC", "总页数", 0, 1021, 610, 10, 60, 20);
    Child(g_view, "EDIT", "12", WS_BORDER, 1014, 680, 10, 60, 20);
    Child(g_view, "STATIC", "当前页数", 0, 1022, 610, 40, 60, 20);
    Child(g_view, "EDIT", "1", WS_BORDER, 1015, 680, 40, 60, 20);
    Child(g_view, "BUTTON", "删除", BS_PUSHBUTTON, 1004, 680, 70, 60, 20);
    HWND hidden = Child(g_view, "STATIC", "hidden", 0, 1030, 610, 70, 60, 20);
    ShowWindow(hidden, SW_HIDE);
    HWND shelf = Child(g_view, "LISTBOX", "", WS_BORDER, 1000, 610, 100, 150, 60);
    for (const char* name : {"甲.txt", "乙.txt", "丙.txt"})
        SendMessageA(shelf, LB_ADDSTRING, 0, (LPARAM)name);
    HWND chapters = Child(g_view, WC_LISTVIEWA, "", WS_BORDER | LVS_REPORT, 1067, 610, 170, 170, 100);
    const char* headings[] = {"No.", "章节标题", "进度%"};
    for (int c = 0; c < 3; ++c) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 60;
        column.pszText = const_cast<char*>(headings[c]);
        SendMessageA(chapters, LVM_INSERTCOLUMNA, c, (LPARAM)&column);
    }
    const char* cells[2][3] = {{"1", "第一章 初到小镇", "0.00"}, {"2", "第二章 雨夜来客", "48.50"}};
    for (int r = 0; r < 2; ++r) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = const_cast<char*>(cells[r][0]);
        SendMessageA(chapters, LVM_INSERTITEMA, 0, (LPARAM)&item);
        for (int c = 1; c < 3; ++c) {
            item.iSubItem = c;
            item.pszText = const_cast<char*>(cells[r][c]);
            SendMessageA(chapters, LVM_SETITEMTEXTA, r, (LPARAM)&item);
        }
    }
    ShowWindow(g_frame, SW_SHOW);
    SendMessageA(g_page, EM_LINESCROLL, 0, 7);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        // What the reader's pre-translation sees: key-downs with the modifier state of the keyboard.
        if (msg.message == WM_KEYDOWN) {
            char text[64];
            std::snprintf(text, sizeof text, "key %u ctrl=%d shift=%d to=%d", (unsigned)msg.wParam,
                          GetKeyState(VK_CONTROL) < 0 ? 1 : 0, GetKeyState(VK_SHIFT) < 0 ? 1 : 0,
                          GetDlgCtrlID(msg.hwnd));
            SetPane(1, text);
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
