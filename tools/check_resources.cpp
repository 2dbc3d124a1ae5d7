// Checks the compiled resources of Pelinreader as the program will see them: loads the menus, the
// accelerators, the strings, the reading form, the icons, the bitmaps and the dialogs
// (check_resources_dialogs.cpp) through the ANSI calls and compares every text with its code page
// 936 bytes. Build and run with tools/check_resources.sh.
#include <windows.h>
// after <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "check_resources.h"
#include "resource.h"

namespace check {

namespace {
int g_passed = 0;
int g_failed = 0;
}  // namespace

std::string ToUtf8(const std::string& cp936) {
    if (cp936.empty()) return {};
    int wide_len = MultiByteToWideChar(936, 0, cp936.data(), static_cast<int>(cp936.size()), nullptr, 0);
    std::wstring wide(wide_len, L'\0');
    MultiByteToWideChar(936, 0, cp936.data(), static_cast<int>(cp936.size()), wide.data(), wide_len);
    int len = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_len, nullptr, 0, nullptr, nullptr);
    std::string out(len, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_len, out.data(), len, nullptr, nullptr);
    return out;
}

void Expect(bool ok, const std::string& what) {
    if (ok) {
        ++g_passed;
    } else {
        ++g_failed;
        std::printf("FAIL: %s\n", ToUtf8(what).c_str());
    }
}

}  // namespace check

namespace {

using check::Expect;
using check::ToUtf8;

// ---------------------------------------------------------------------------------------------
// Menus: the expected tree, one row per item in menu order. Depth 0 rows are the top-level menus.

constexpr UINT kPopup = 0xFFFFFFFF;  // row is a submenu
constexpr UINT kSeparator = 0;

struct MenuRow {
    int depth;
    UINT id;
    const char* text;
};

const MenuRow kMainMenu[] = {
    {0, kPopup, "文件(&F)"},
    {1, ID_FILE_OPEN_FOLDER, "打开文件夹(&N)\tCtrl+N"},
    {1, ID_FILE_OPEN, "打开文件(&O)...\tCtrl+O"},
    {1, kSeparator, ""},
    {1, kPopup, "最近文件夹"},
    {2, ID_RECENT_FOLDER_PLACEHOLDER, "（无）"},
    {1, ID_FILE_CLEAR_RECENT, "清除最近文件夹"},
    {1, ID_FILE_RECORDS, "阅读记录\tF3"},
    {1, kSeparator, ""},
    {1, ID_FILE_SAVE, "保存(&S)...\tCtrl+S"},
    {1, ID_FILE_SAVE_AS, "另存为..."},
    {1, ID_APP_EXIT, "退出(&X)"},
    {1, ID_FORCE_UTF8, "乱码按我"},
    {0, kPopup, "书签(&B)"},
    {1, ID_BOOKMARK_ADD, "添加书签\tF5"},
    {1, kPopup, "打开书签"},
    {2, ID_BOOKMARK_OPEN_FIRST, "（无书签）"},
    {1, kPopup, "删除书签"},
    {2, ID_BOOKMARK_DELETE_FIRST, "（无书签）"},
    {1, ID_BOOKMARK_CLEAR, "清除所有书签"},
    {0, kPopup, "选项(&P)"},
    {1, ID_FONT, "字体\t(&1)"},
    {1, kPopup, "背景色\t(&2)"},
    {2, ID_BK_DEFAULT, "青草绿（默认）"},
    {2, ID_BK_OTHER, "其他颜色"},
    {2, ID_BK_PICTURE, "图片背景"},
    {1, kPopup, "行距 \t(&3)"},
    {2, ID_SPACING_DEFAULT, "默认"},
    {2, ID_SPACING_15, "1.5"},
    {2, ID_SPACING_20, "2.0"},
    {2, ID_SPACING_25, "2.5"},
    {2, ID_SPACING_30, "3.0"},
    {1, kPopup, "字体大小 \t(&4)"},
    {2, ID_SIZE_SMALL, "小"},
    {2, ID_SIZE_MEDIUM, "中"},
    {2, ID_SIZE_LARGE, "大"},
    {1, kPopup, "分页方式 \t(&5)"},
    {2, ID_PAGING_LINES, "按行数分[普通]"},
    {2, ID_PAGING_CHAPTERS, "按章节分[小说]"},
    {2, ID_PAGING_WHOLE, "单页全文阅读"},
    {1, ID_TEXT_COLOR, "文字颜色\t(&6)"},
    {0, kPopup, "界面(&D)"},
    {1, ID_FULL_SCREEN, "全屏阅读 \tCtrl+Enter"},
    {1, ID_SIDEBAR, "侧边栏 \tF1"},
    {1, ID_VIEW_TOOLBAR, "工具栏\t(&T)"},
    {1, ID_VIEW_STATUS_BAR, "状态栏\t(&S)"},
    {1, ID_QUOTE_BAR, "名言警句栏\t(&Q)"},
    {0, kPopup, "拓展(&E)"},
    {1, ID_CONTENTS, "查看目录\tF4"},
    {1, ID_NIGHT_MODE, "夜间模式\t(&N)"},
    {1, kPopup, "章节分页常规\t(&R)"},
    {2, ID_RULE_1, "按“第...章”分页(&1)"},
    {2, ID_RULE_2, "按“第...卷”分页(&2)"},
    {2, ID_RULE_3, "按“第...回”分页(&3)"},
    {2, ID_RULE_4, "按“第...部”分页(&4)"},
    {2, ID_RULE_5, "按“第...节”分页(&5)"},
    {2, ID_RULE_6, "按“第...集”分页(&6)"},
    {2, ID_RULE_7, "按“正文  ”分页(&7)"},
    {1, kPopup, "章节分页自定义\t(&D)"},
    {2, ID_RULE_CUSTOM, "自定义规则设置"},
    {2, ID_RULE_8, "按“123...章”分页(&8)"},
    {2, ID_RULE_9, "按“一二...章”分页(&9)"},
    {1, ID_DELETE_BLANK_LINES, "自动删除空行"},
    {1, ID_KEEP_ONE_LINE, "翻屏保留一行"},
    {1, kPopup, "上下键功能"},
    {2, ID_KEYUD_1, "翻一行"},
    {2, ID_KEYUD_2, "翻一屏"},
    {2, ID_KEYUD_3, "翻三行"},
    {1, ID_AUTO_SCROLL, "自动滚屏\tEnter"},
    {1, ID_JUMP_PERCENT, "跳转到百分比"},
    {1, ID_BOSS_KEY, "老板键"},
    {1, ID_ADVANCED_SETTINGS, "高级设置\tF2"},
    {1, ID_TXT_ASSOCIATION, "添加TXT右键关联"},
    {0, kPopup, "帮助(&H)"},
    {1, ID_APP_ABOUT, "关于帮助反馈\t(&A)"},
    {1, ID_LINK_1, "[社会]中国南方周末"},
    {1, ID_LINK_2, "[读书]文章阅读网"},
    {1, ID_LINK_3, "[地球]绿色和平"},
    {1, ID_LINK_4, "[人生]褪墨时间管理"},
    {1, ID_LINK_5, "[环境]我们的家园"},
    {1, ID_SHORTCUT_HELP, "快捷键"},
};

const MenuRow kPagingMenu[] = {
    {0, kPopup, "分页方式"},
    {1, ID_PAGING_LINES, "按行数分[普通]"},
    {1, ID_PAGING_CHAPTERS, "按章节分[小说]"},
    {1, ID_PAGING_WHOLE, "单页全文阅读"},
};

// Flattens a loaded menu into rows, printing each as UTF-8.
void Walk(HMENU menu, int depth, std::vector<MenuRow>& rows, std::vector<std::string>& texts, bool print) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof(text) - 1;
        GetMenuItemInfoA(menu, i, TRUE, &info);
        UINT id = info.hSubMenu ? kPopup : (info.fType & MFT_SEPARATOR) ? kSeparator : info.wID;
        texts.push_back(text);
        rows.push_back({depth, id, nullptr});
        if (print) {
            std::string shown = ToUtf8(text);
            for (auto& c : shown)
                if (c == '\t') c = '|';
            std::printf("%*s%-6s %s\n", depth * 4, "",
                        id == kPopup       ? "popup"
                        : id == kSeparator ? "----"
                                           : std::to_string(id).c_str(),
                        shown.c_str());
        }
        if (info.hSubMenu) Walk(info.hSubMenu, depth + 1, rows, texts, print);
    }
}

void CheckMenu(UINT resource, const MenuRow* want, size_t want_count, bool print) {
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource));
    Expect(menu != nullptr, "menu " + std::to_string(resource) + " loads");
    if (!menu) return;
    std::vector<MenuRow> rows;
    std::vector<std::string> texts;
    Walk(menu, 0, rows, texts, print);
    Expect(rows.size() == want_count, "menu " + std::to_string(resource) + " has " +
                                          std::to_string(want_count) + " items, found " +
                                          std::to_string(rows.size()));
    for (size_t i = 0; i < rows.size() && i < want_count; ++i) {
        std::string where =
            "menu " + std::to_string(resource) + " item " + std::to_string(i) + " \"" + want[i].text + "\"";
        Expect(rows[i].depth == want[i].depth && rows[i].id == want[i].id, where + ": depth or id");
        Expect(texts[i] == want[i].text, where + ": text is \"" + texts[i] + "\"");
    }
    DestroyMenu(menu);
}

// ---------------------------------------------------------------------------------------------

void CheckAccelerators() {
    struct Key {
        BYTE virt;
        WORD key;
        WORD cmd;
    };
    const Key want[] = {
        {FVIRTKEY | FCONTROL, 'C', ID_EDIT_COPY},
        {FVIRTKEY | FCONTROL, 'F', ID_EDIT_FIND},
        {FVIRTKEY | FCONTROL, 'H', ID_EDIT_REPLACE},
        {FVIRTKEY | FCONTROL, 'N', ID_FILE_OPEN_FOLDER},
        {FVIRTKEY | FCONTROL, 'O', ID_FILE_OPEN},
        {FVIRTKEY | FCONTROL, 'S', ID_FILE_SAVE},
        {FVIRTKEY | FCONTROL, 'V', ID_EDIT_PASTE},
        {FVIRTKEY | FALT, VK_BACK, ID_EDIT_UNDO},
        {FVIRTKEY | FSHIFT, VK_DELETE, ID_EDIT_CUT},
        {FVIRTKEY, VK_F1, ID_SIDEBAR},
        {FVIRTKEY, VK_F2, ID_ADVANCED_SETTINGS},
        {FVIRTKEY, VK_F3, ID_FILE_RECORDS},
        {FVIRTKEY, VK_F4, ID_CONTENTS},
        {FVIRTKEY, VK_F5, ID_BOOKMARK_ADD},
        {FVIRTKEY, VK_F6, ID_NEXT_PANE},
        {FVIRTKEY | FSHIFT, VK_F6, ID_PREV_PANE},
        {FVIRTKEY | FCONTROL, VK_INSERT, ID_EDIT_COPY},
        {FVIRTKEY | FSHIFT, VK_INSERT, ID_EDIT_PASTE},
        {FVIRTKEY | FCONTROL, VK_RETURN, ID_FULL_SCREEN},
        {FVIRTKEY | FCONTROL, 'X', ID_EDIT_CUT},
        {FVIRTKEY | FCONTROL, 'Z', ID_EDIT_UNDO},
    };
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    Expect(table != nullptr, "accelerator table 128 loads");
    if (!table) return;
    ACCEL got[64];
    int count = CopyAcceleratorTableA(table, got, 64);
    std::printf("accelerators: %d\n", count);
    const int want_count = static_cast<int>(sizeof(want) / sizeof(want[0]));
    Expect(count == want_count, "accelerator count " + std::to_string(count));
    for (int i = 0; i < count && i < want_count; ++i) {
        Expect(
            (got[i].fVirt & ~0x80) == want[i].virt && got[i].key == want[i].key && got[i].cmd == want[i].cmd,
            "accelerator " + std::to_string(i) + " for command " + std::to_string(want[i].cmd));
    }
    DestroyAcceleratorTable(table);
}

void CheckStrings() {
    struct Text {
        UINT id;
        const char* text;
    };
    const Text want[] = {
        {IDS_IDLE_PROMPT, "小提示：空格翻屏自动下一页，【F5】添加书签，【←】上一页，【→】下一页"},
        {ID_PANE_CLOCK, "时间"},
        {ID_PANE_SIZE, "汉字统计"},
        {ID_PANE_PROGRESS, "阅读"},
        {ID_EDIT_MODE, "打开或关闭编辑模式\n编辑模式开关"},
        {ID_FILE_SAVE, "保存活动文档\n保存"},
        {ID_FILE_SAVE_AS, "将活动文档以一个新文件名保存\n另存为"},
        {ID_FILE_OPEN_FOLDER, "打开文件夹\n打开书库"},
        {ID_PAGING_LINES, "每页50行"},
        {ID_DELETE_BLANK_LINES, "打开、关闭自动删除空行"},
        {ID_FORCE_UTF8, "网站小说全部乱码时尝试切换至UTF-8。"},
        {ID_CONTENTS, "查看目录\n快捷键 F4"},
        {ID_SIDEBAR, "显示或隐藏侧边栏\n快捷键 F1"},
        {ID_QUOTE_BAR, "显示或隐藏名言警句栏，章节按钮栏"},
        {ID_ADVANCED_SETTINGS, "设置名言警句、滚屏、提醒时间"},
        {ID_TXT_ASSOCIATION, "添加、删除TXT右键关联"},
        {ID_SIZE_SMALL, "\n字体大小270"},
        {ID_SIZE_MEDIUM, "\n字体大小320"},
        {ID_SIZE_LARGE, "\n字体大小370"},
        {ID_SPACING_25, "250"},
        {ID_SPACING_30, "300"},
        {ID_APP_ABOUT, "显示程序信息，版本号和版权\n关于"},
        {ID_LINK_1, "以“在这里，读懂中国”为办报宗旨，以“正义、良知、爱心、理性”为编辑方针。"},
        {ID_LINK_2, "一个不错的读文章的小网站！"},
        {ID_LINK_3, "环境保护行动，从你我开始！全球最大的环保公益组织！"},
        {ID_LINK_4, "一个注重个人能力提升的优秀网站！"},
        {ID_LINK_5, "保护我们的家园，爱护环境！"},
        {ID_LINK_YILIN, "意林免费电子杂志"},
        {ID_LINK_YIGE, "亦歌，一个非常漂亮的在线听歌网站！还能根据你听歌的历程自动推荐你会喜欢的歌曲！"},
        {ID_RECENT_FOLDER_FIRST, "打开文件夹"},
        {ID_FILE_MRU_FIRST, "打开该文档"},
    };
    for (const Text& t : want) {
        char buffer[512] = {};
        int len = LoadStringA(GetModuleHandleA(nullptr), t.id, buffer, sizeof(buffer));
        Expect(std::string(buffer, len) == t.text,
               "string " + std::to_string(t.id) + " is \"" + std::string(buffer, len) + "\"");
    }
}

// ---------------------------------------------------------------------------------------------

INT_PTR CALLBACK FormProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

void CheckForm() {
    Expect(LoadLibraryA("riched32.dll") != nullptr, "riched32.dll loads");
    HWND parent = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 1000, 700, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    HWND form =
        CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_READER_VIEW), parent, FormProc, 0);
    Expect(form != nullptr, "form 101 is created as a child, error " + std::to_string(GetLastError()));
    if (!form) return;
    LONG style = GetWindowLongA(form, GWL_STYLE);
    Expect((style & WS_CHILD) && !(style & WS_CAPTION) && !(style & WS_BORDER),
           "form 101 is a borderless child");

    struct Control {
        int id;
        const char* window_class;
        const char* text;
        LONG style;  // bits that must be set (scroll bars show only once there is something to scroll)
    };
    const Control want[] = {
        {IDC_LIBRARY_LIST, "ListBox", "", LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT},
        {IDC_PAGE_CONTROL, "RichEdit", "", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_TABSTOP},
        {IDC_BOTTOM_FRAME, "Button", "", BS_GROUPBOX},
        {IDC_TOTAL_LABEL, "Static", "总页数", 0},
        {IDC_PAGE_TOTAL, "Edit", "", ES_AUTOHSCROLL},
        {IDC_CURRENT_LABEL, "Static", "当前页数", 0},
        {IDC_PAGE_CURRENT, "Edit", "", ES_AUTOHSCROLL},
        {IDC_PREV_PAGE, "Button", "上一页", 0},
        {IDC_SCREEN_DOWN, "Button", "翻屏", 0},
        {IDC_NEXT_PAGE, "Button", "下一页", 0},
        {IDC_QUOTE_LINE, "Static", "名言警句", SS_NOPREFIX},
    };
    for (const Control& c : want) {
        HWND item = GetDlgItem(form, c.id);
        std::string name = "control " + std::to_string(c.id);
        Expect(item != nullptr, name + " exists");
        if (!item) continue;
        char window_class[64] = {};
        char text[128] = {};
        GetClassNameA(item, window_class, sizeof(window_class));
        GetWindowTextA(item, text, sizeof(text));
        LONG item_style = GetWindowLongA(item, GWL_STYLE);
        std::printf("control %d: class %s, text \"%s\"\n", c.id, window_class, ToUtf8(text).c_str());
        Expect(lstrcmpiA(window_class, c.window_class) == 0, name + " has class " + window_class);
        Expect(std::string(text) == c.text, name + " text \"" + text + "\"");
        Expect((item_style & c.style) == c.style, name + " styles " + std::to_string(item_style));
    }
    Expect((GetWindowLongA(GetDlgItem(form, IDC_PAGE_CONTROL), GWL_STYLE) & ES_NOHIDESEL) == 0,
           "page control hides its selection when it loses the focus");
    Expect((GetWindowLongA(GetDlgItem(form, IDC_PAGE_TOTAL), GWL_STYLE) & ES_NUMBER) == 0,
           "page boxes accept a minus sign");
    // Long contents bring up the vertical scroll bars of the list and the page.
    HWND list = GetDlgItem(form, IDC_LIBRARY_LIST);
    HWND page = GetDlgItem(form, IDC_PAGE_CONTROL);
    std::string lines;
    for (int i = 0; i < 300; ++i) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("book.txt"));
        lines += "第" + std::to_string(i) + "行\r\n";
    }
    SetWindowTextA(page, lines.c_str());
    Expect(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL, "library list scrolls vertically");
    Expect(GetWindowLongA(page, GWL_STYLE) & WS_VSCROLL, "page control scrolls vertically");
    char first[64] = {};
    Expect(SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first)) == 8,
           "library list holds strings");
    DestroyWindow(form);
    DestroyWindow(parent);
}

void CheckIcons() {
    const int ids[] = {IDR_MAINFRAME,         IDI_TB_LIBRARY,      IDI_TB_OPEN,        IDI_TB_ADD_BOOKMARK,
                       IDI_TB_NIGHT,          IDI_TB_FONT_SMALLER, IDI_TB_FONT_LARGER, IDI_TB_SPACING_SMALLER,
                       IDI_TB_SPACING_LARGER, IDI_TB_PAGING,       IDI_TB_RECORDS,     IDI_TB_SIDEBAR,
                       IDI_TB_FULL_SCREEN,    IDI_TB_AUTO_SCROLL,  IDI_TB_EDIT_MODE,   IDI_TB_CONTENTS};
    for (int id : ids) {
        for (int size : {24, 19}) {
            HICON icon = static_cast<HICON>(
                LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
            std::string name = "icon " + std::to_string(id) + " at " + std::to_string(size);
            Expect(icon != nullptr, name + " loads");
            if (!icon) continue;
            ICONINFO info = {};
            GetIconInfo(icon, &info);
            BITMAP colour = {};
            GetObjectA(info.hbmColor, sizeof(colour), &colour);
            Expect(colour.bmWidth == size && colour.bmHeight == size,
                   name + " has its own image of that size");
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            DestroyIcon(icon);
        }
    }
}

void CheckBitmaps() {
    struct Want {
        int id, width, height;
    };
    for (Want w : {Want{IDB_SKIN_BUTTON, 275, 22}, Want{IDB_BAND_BACKGROUND, 32, 64},
                   Want{IDB_ABOUT_PICTURE, 96, 96}}) {
        HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(w.id),
                                                         IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        std::string name = "bitmap " + std::to_string(w.id);
        Expect(bitmap != nullptr, name + " loads");
        if (!bitmap) continue;
        DIBSECTION dib = {};
        GetObjectA(bitmap, sizeof(dib), &dib);
        std::printf("bitmap %d: %ld x %ld, %d bpp\n", w.id, dib.dsBm.bmWidth, dib.dsBm.bmHeight,
                    dib.dsBm.bmBitsPixel);
        Expect(dib.dsBm.bmWidth == w.width && dib.dsBm.bmHeight == w.height && dib.dsBm.bmBitsPixel == 24,
               name + " size and depth");
        if (w.id == IDB_SKIN_BUTTON) {
            // Each frame's corner pixel is the key colour the skinned buttons make transparent.
            HDC dc = CreateCompatibleDC(nullptr);
            HGDIOBJ old = SelectObject(dc, bitmap);
            for (int f = 0; f < 5; ++f) {
                Expect(GetPixel(dc, f * 55, 0) == RGB(255, 0, 255) &&
                           GetPixel(dc, f * 55 + 54, 21) == RGB(255, 0, 255),
                       "skin frame " + std::to_string(f) + " corners are the key colour");
                Expect(GetPixel(dc, f * 55 + 27, 11) != RGB(255, 0, 255),
                       "skin frame " + std::to_string(f) + " centre is opaque");
            }
            SelectObject(dc, old);
            DeleteDC(dc);
        }
        DeleteObject(bitmap);
    }
}

void CheckVersion() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    Expect(size > 0, "version information present");
    if (!size) return;
    std::vector<char> block(size);
    GetFileVersionInfoA(path, 0, size, block.data());
    char* value = nullptr;
    UINT len = 0;
    VerQueryValueA(block.data(), "\\StringFileInfo\\080404b0\\FileDescription",
                   reinterpret_cast<void**>(&value), &len);
    Expect(value && std::string(value) == "Pelin阅读器", "file description");
    VerQueryValueA(block.data(), "\\StringFileInfo\\080404b0\\ProductName", reinterpret_cast<void**>(&value),
                   &len);
    Expect(value && std::string(value) == "Pelinreader", "product name");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::string(argv[1]) == "--show") {
        check::ShowDialog(std::atoi(argv[2]), argc > 3 ? std::atoi(argv[3]) : 5000);
        return 0;
    }
    bool print = argc > 1 && std::string(argv[1]) == "--print";
    Expect(GetACP() == 936, "ANSI code page is 936, found " + std::to_string(GetACP()));
    CheckMenu(IDR_MAINFRAME, kMainMenu, sizeof(kMainMenu) / sizeof(kMainMenu[0]), print);
    CheckMenu(IDR_PAGING_DROPDOWN, kPagingMenu, sizeof(kPagingMenu) / sizeof(kPagingMenu[0]), print);
    CheckAccelerators();
    CheckStrings();
    CheckForm();
    CheckIcons();
    CheckBitmaps();
    CheckVersion();
    check::CheckDialogs(print);
    std::printf("%d passed, %d failed\n", check::g_passed, check::g_failed);
    return check::g_failed == 0 ? 0 : 1;
}
