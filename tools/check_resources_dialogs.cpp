// Dialog part of the resource check: creates each dialog template hidden, as the program's dialogs
// will, and compares its caption, font, size and every control (order, id, class, kind, text) with
// what the dialog code relies on. It also checks that the texts fit their controls in the dialog's
// font, that no two controls overlap, and fills the lists the way the dialogs will.
#include <windows.h>
// after <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "check_resources.h"
#include "resource.h"

namespace check {

namespace {

enum class Kind {
    kPush,
    kDefault,  // default push button
    kCheck,
    kRadio,
    kGroup,
    kLabel,
    kCentred,
    kIcon,
    kBitmap,
    kEdit,      // single line, writable, any text
    kNumber,    // single line, digits only
    kReadOnly,  // single line, read-only
    kNotes,     // multi-line, read-only, vertical scroll bar
    kCombo,     // drop-down with an editable field, unsorted
    kList,      // report list view, one row selected at a time
    kHotKey,
};

struct Control {
    int id;
    Kind kind;
    const char* text;
};

struct DialogWant {
    int id;
    const char* caption;
    const char* face;
    int points;
    int width, height;              // dialog units
    std::vector<Control> controls;  // in template (tab) order
};

const char* ClassOf(Kind kind) {
    switch (kind) {
        case Kind::kPush:
        case Kind::kDefault:
        case Kind::kCheck:
        case Kind::kRadio:
        case Kind::kGroup:
            return "Button";
        case Kind::kLabel:
        case Kind::kCentred:
        case Kind::kIcon:
        case Kind::kBitmap:
            return "Static";
        case Kind::kEdit:
        case Kind::kNumber:
        case Kind::kReadOnly:
        case Kind::kNotes:
            return "Edit";
        case Kind::kCombo:
            return "ComboBox";
        case Kind::kList:
            return "SysListView32";
        case Kind::kHotKey:
            return "msctls_hotkey32";
    }
    return "";
}

bool StyleFits(Kind kind, LONG s) {
    const LONG edit_flags = s & (ES_READONLY | ES_NUMBER | ES_MULTILINE);
    switch (kind) {
        case Kind::kPush:
            return (s & BS_TYPEMASK) == BS_PUSHBUTTON;
        case Kind::kDefault:
            return (s & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        case Kind::kCheck:
            return (s & BS_TYPEMASK) == BS_AUTOCHECKBOX;
        case Kind::kRadio:
            return (s & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
        case Kind::kGroup:
            return (s & BS_TYPEMASK) == BS_GROUPBOX;
        case Kind::kLabel:
            return (s & SS_TYPEMASK) == SS_LEFT;
        case Kind::kCentred:
            return (s & SS_TYPEMASK) == SS_CENTER;
        case Kind::kIcon:
            return (s & SS_TYPEMASK) == SS_ICON;
        case Kind::kBitmap:
            return (s & SS_TYPEMASK) == SS_BITMAP;
        case Kind::kEdit:
            return edit_flags == 0;
        case Kind::kNumber:
            return edit_flags == ES_NUMBER;
        case Kind::kReadOnly:
            return edit_flags == ES_READONLY;
        case Kind::kNotes:
            return edit_flags == (ES_READONLY | ES_MULTILINE) && (s & WS_VSCROLL);
        case Kind::kCombo:
            return (s & 3) == CBS_DROPDOWN && !(s & CBS_SORT);
        case Kind::kList:
            return (s & LVS_TYPEMASK) == LVS_REPORT && (s & LVS_SINGLESEL) && (s & LVS_SHOWSELALWAYS);
        case Kind::kHotKey:
            return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------

const std::vector<DialogWant>& Wanted() {
    using K = Kind;
    static const std::vector<DialogWant> dialogs = {
        {IDD_JUMP_PERCENT,
         "跳转到百分比",
         "宋体",
         9,
         156,
         58,
         {
             {IDC_STATIC, K::kLabel, "跳转到(%)"},
             {IDC_JUMP_PERCENT, K::kEdit, ""},
             {IDOK, K::kDefault, "跳转"},
             {IDCANCEL, K::kPush, "取消"},
         }},
        {IDD_CONTENTS,
         "查看目录",
         "微软雅黑",
         10,
         452,
         246,
         {
             {IDC_TOC_LIST, K::kList, ""},
             {IDC_STATIC, K::kLabel, "注：单击左侧的章节实时预览，双击直接打开！"},
             {IDC_STATIC, K::kLabel, "实时预览区"},
             {IDC_TOC_PREVIEW, K::kNotes, ""},
         }},
        {IDD_CUSTOM_RULE,
         "自定义分章规则设置",
         "宋体",
         10,
         244,
         166,
         {
             {IDC_RULE_HELP, K::kNotes, ""},
             {IDC_RULE_COMBO, K::kCombo, ""},
             {IDC_RULE_ADD, K::kPush, "√"},
             {IDC_RULE_DELETE, K::kPush, "×"},
             {IDOK, K::kDefault, "应用"},
             {IDCANCEL, K::kPush, "取消"},
         }},
        {IDD_READING_RECORDS,
         "小说阅读时间记录   提示：1.双击直接打开文件； 2.最大存储100条记录，超出会覆盖最早的记录！",
         "宋体",
         9,
         520,
         262,
         {
             {IDC_RECORD_LIST, K::kList, ""},
             {IDOK, K::kDefault, "打开"},
             {IDC_RECORD_OPEN_FOLDER, K::kPush, "打开所在文件夹"},
             {IDC_RECORD_DELETE, K::kPush, "删除选中项记录"},
             {IDC_RECORD_DELETE_ALL, K::kPush, "删除全部记录"},
         }},
        {IDD_BOSS_KEY,
         "老板键设置",
         "宋体",
         9,
         232,
         66,
         {
             {IDC_BOSS_CTRL, K::kCheck, "Ctrl"},
             {IDC_BOSS_ALT, K::kCheck, "Alt"},
             {IDC_BOSS_SHIFT, K::kCheck, "Shift"},
             {IDC_BOSS_WIN, K::kCheck, "Win"},
             {IDC_STATIC, K::kCentred, "+"},
             {IDC_BOSS_HOTKEY, K::kHotKey, ""},
             {IDC_BOSS_DEFAULT, K::kPush, "恢复默认"},
             {IDOK, K::kDefault, "应用"},
             {IDCANCEL, K::kPush, "取消"},
         }},
        {IDD_ADVANCED_SETTINGS,
         "高级设置",
         "宋体",
         10,
         275,
         300,
         {
             {IDC_STATIC, K::kGroup, "名言警句设置"},
             {IDC_QUOTE_DEFAULT, K::kRadio, "默认"},
             {IDC_QUOTE_CUSTOM, K::kRadio, "自定义"},
             {IDC_QUOTE_OFF, K::kRadio, "关闭"},
             {IDC_QUOTE_FILE_LABEL, K::kLabel, "文本内容"},
             {IDC_QUOTE_FILE, K::kReadOnly, ""},
             {IDC_QUOTE_BROWSE, K::kPush, "浏览..."},
             {IDC_QUOTE_LOOP, K::kCheck, "自动循环"},
             {IDC_QUOTE_SCROLL, K::kCheck, "滚动显示"},
             {IDC_STATIC, K::kGroup, "自动滚屏设置"},
             {IDC_STATIC, K::kLabel, "滚屏方式"},
             {IDC_ROLL_TYPE, K::kCombo, ""},
             {IDC_STATIC, K::kLabel, "时间间隔"},
             {IDC_TIME_SPAN, K::kNumber, ""},
             {IDC_STATIC, K::kLabel, "ms"},
             {IDC_STATIC, K::kLabel, "翻页前(页尾)等待时间"},
             {IDC_TIME_END, K::kEdit, ""},
             {IDC_STATIC, K::kLabel, "s"},
             {IDC_STATIC, K::kLabel, "翻页后(页首)等待时间"},
             {IDC_TIME_FIRST, K::kEdit, ""},
             {IDC_STATIC, K::kLabel, "s"},
             {IDC_STATIC, K::kLabel, "提示：1.按像素滚屏时间间隔推荐范围在20-80，深色背景色闪烁小！"},
             {IDC_STATIC, K::kLabel, "2.当背景载入图片时，按像素滚屏闪烁厉害明显，以后改进！"},
             {IDC_STATIC, K::kGroup, ""},
             {IDC_STATIC, K::kLabel, "提醒时间间隔[分:]"},
             {IDC_REMINDER_SPAN, K::kNumber, ""},
             {IDC_STATIC, K::kLabel, "[0为关闭]"},
             {IDC_STATIC, K::kLabel, "托盘按钮"},
             {IDC_TRAY_BUTTON, K::kCombo, ""},
             {IDC_STATIC, K::kLabel, "边距"},
             {IDC_STATIC, K::kLabel, "左→"},
             {IDC_MARGIN_LEFT, K::kEdit, ""},
             {IDC_STATIC, K::kLabel, "←右"},
             {IDC_MARGIN_RIGHT, K::kEdit, ""},
             {IDC_STATIC, K::kLabel, "上↓"},
             {IDC_MARGIN_TOP, K::kEdit, ""},
             {IDC_STATIC, K::kLabel, "下↑"},
             {IDC_MARGIN_BOTTOM, K::kEdit, ""},
             {IDC_STATIC, K::kLabel, "个性化标题：留空时默认显示小说文件名"},
             {IDC_CUSTOM_TITLE, K::kEdit, ""},
             {IDOK, K::kDefault, "确定"},
             {IDCANCEL, K::kPush, "取消"},
         }},
        {IDD_ABOUTBOX,
         "关于 ",
         "Arial",
         9,
         271,
         189,
         {
             {IDC_STATIC, K::kGroup, "Pelinreader "},
             {IDC_STATIC, K::kIcon, nullptr},
             {IDC_STATIC, K::kLabel, "Pelin阅读器 V2.8    版权所有 (C) 2009-2017 Pelin"},
             {IDC_STATIC, K::kLabel, "本软件为免费软件，可自由使用和传播，请勿用于商业用途。"},
             {IDC_STATIC, K::kBitmap, nullptr},
             {IDC_ABOUT_AUTHOR, K::kLabel, "作者：Pelin"},
             {IDC_STATIC, K::kLabel, "欢迎反馈意见，以便修改！"},
             {IDC_STATIC, K::kLabel, "读者交流群1：10000001"},
             {IDC_STATIC, K::kLabel, "读者交流群2：10000002"},
             {IDC_ABOUT_MAIL, K::kLabel, "pelin@example.com"},
             {IDC_STATIC, K::kLabel, "欢迎到我的主页留言："},
             {IDC_ABOUT_HOME, K::kLabel, "https://example.com/pelin"},
             {IDC_ABOUT_SLOGAN, K::kCentred, "保护我们的家园！2009哥本哈根气候大会，“环保节能”从你我开始！"},
             {IDC_STATIC, K::kCentred, "——>>>Pelin阅读器------使用说明<<<——"},
             {IDC_ABOUT_NOTES, K::kNotes, ""},
         }},
    };
    return dialogs;
}

// ---------------------------------------------------------------------------------------------

INT_PTR CALLBACK QuietProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

std::string TextOf(HWND hwnd) {
    char text[512] = {};
    int len = GetWindowTextA(hwnd, text, sizeof(text));
    return std::string(text, len > 0 ? len : 0);
}

RECT RectIn(HWND dialog, HWND item) {
    RECT r;
    GetWindowRect(item, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Size of `text` drawn in `font`, wrapped at `wrap_width` when it is above 0.
SIZE Measure(HFONT font, const std::string& text, int wrap_width = 0) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    RECT r = {0, 0, wrap_width > 0 ? wrap_width : 10000, 0};
    DrawTextA(dc, text.data(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DT_NOPREFIX | (wrap_width > 0 ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return {r.right - r.left, r.bottom - r.top};
}

HFONT FontOf(HWND hwnd) { return reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)); }

// The caption of a control fits inside it in the dialog's font.
void CheckFit(HWND item, const Control& c, const std::string& where) {
    if (!c.text || !*c.text) return;
    RECT client;
    GetClientRect(item, &client);
    const int w = client.right, h = client.bottom;
    HFONT font = FontOf(item);
    SIZE line = Measure(font, c.text);
    bool fits = true;
    switch (c.kind) {
        case Kind::kLabel:
        case Kind::kCentred:
            fits = Measure(font, c.text, w).cy <= h;
            break;
        case Kind::kPush:
        case Kind::kDefault:
            fits = line.cx + 6 <= w && line.cy <= h;
            break;
        case Kind::kCheck:
        case Kind::kRadio:
            fits = line.cx + GetSystemMetrics(SM_CXMENUCHECK) + 4 <= w;
            break;
        case Kind::kGroup:
            fits = line.cx + 16 <= w;
            break;
        default:
            break;
    }
    Expect(fits, where + ": text \"" + c.text + "\" fits " + std::to_string(w) + "x" + std::to_string(h) +
                     " (needs " + std::to_string(line.cx) + "x" + std::to_string(line.cy) + ")");
}

// Controls stay inside the dialog and apart from each other; group boxes frame the others.
void CheckLayout(HWND dialog, const std::vector<HWND>& items, const std::vector<Control>& want,
                 const std::string& name) {
    RECT client;
    GetClientRect(dialog, &client);
    for (size_t i = 0; i < items.size() && i < want.size(); ++i) {
        RECT a = RectIn(dialog, items[i]);
        Expect(a.left >= 0 && a.top >= 0 && a.right <= client.right && a.bottom <= client.bottom,
               name + " control " + std::to_string(i) + " lies inside the dialog");
        if (want[i].kind == Kind::kGroup) continue;
        for (size_t j = i + 1; j < items.size() && j < want.size(); ++j) {
            if (want[j].kind == Kind::kGroup) continue;
            RECT b = RectIn(dialog, items[j]), both;
            Expect(!IntersectRect(&both, &a, &b),
                   name + " controls " + std::to_string(i) + " and " + std::to_string(j) + " do not overlap");
        }
    }
}

// The character set stored in an extended dialog template (Windows honours it, Wine does not).
int TemplateCharset(int id) {
    HRSRC found = FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), RT_DIALOG);
    if (!found) return -1;
    const WORD* p = static_cast<const WORD*>(LockResource(LoadResource(GetModuleHandleA(nullptr), found)));
    if (p[0] != 1 || p[1] != 0xFFFF) return -1;  // not DLGTEMPLATEEX
    DWORD style;
    memcpy(&style, p + 6, 4);
    if (!(style & DS_SETFONT)) return -1;
    p += 13;  // version, signature, help id, extended style, style, item count, x, y, cx, cy
    for (int field = 0; field < 2; ++field) {  // menu and class: empty, ordinal or string
        if (*p == 0xFFFF)
            p += 2;
        else
            while (*p++) {
            }
    }
    while (*p++) {  // caption
    }
    return reinterpret_cast<const BYTE*>(p)[5];  // after point size, weight and italic
}

void CheckFrame(HWND dialog, const DialogWant& d, const std::string& name) {
    Expect(!IsWindowVisible(dialog), name + " starts hidden");
    Expect(TextOf(dialog) == d.caption, name + " caption \"" + TextOf(dialog) + "\"");
    LOGFONTA lf = {};
    GetObjectA(FontOf(dialog), sizeof(lf), &lf);
    HDC dc = GetDC(nullptr);
    const int height = -MulDiv(d.points, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(nullptr, dc);
    Expect(std::string(lf.lfFaceName) == d.face && lf.lfHeight == height,
           name + " font " + lf.lfFaceName + " " + std::to_string(lf.lfHeight));
    Expect(TemplateCharset(d.id) == GB2312_CHARSET, name + " asks for the GB2312 character set");
    RECT want = {0, 0, d.width, d.height}, client;
    MapDialogRect(dialog, &want);
    GetClientRect(dialog, &client);
    Expect(client.right == want.right && client.bottom == want.bottom,
           name + " is " + std::to_string(d.width) + " by " + std::to_string(d.height) + " dialog units");
    // The whole window, caption included, fits a 1024 x 768 screen above the task bar.
    RECT frame;
    GetWindowRect(dialog, &frame);
    Expect(frame.right - frame.left <= 1024 && frame.bottom - frame.top <= 728,
           name + " fits a small screen");
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HFONT caption_font = CreateFontIndirectA(&metrics.lfCaptionFont);
    const int caption = Measure(caption_font, d.caption).cx;
    DeleteObject(caption_font);
    Expect(caption + 2 * GetSystemMetrics(SM_CXSIZE) <= frame.right - frame.left,
           name + " caption fits the title bar");
}

// The settings dialog fills its two drop-down lists from the dialog's list resource: entries of
// {WORD control, WORD message, DWORD length, bytes} ended by a WORD 0.
void FillDialogLists(HWND dialog, int template_id) {
    HRSRC found = FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(template_id),
                                MAKEINTRESOURCEA(RT_DIALOG_LISTS));
    Expect(found != nullptr, "list resource of dialog " + std::to_string(template_id));
    if (!found) return;
    const BYTE* p = static_cast<const BYTE*>(LockResource(LoadResource(GetModuleHandleA(nullptr), found)));
    const BYTE* end = p + SizeofResource(GetModuleHandleA(nullptr), found);
    while (end - p >= 2) {
        WORD id, message;
        DWORD length;
        memcpy(&id, p, 2);
        if (id == 0) break;
        if (end - p < 8) break;
        memcpy(&message, p + 2, 2);
        memcpy(&length, p + 4, 4);
        p += 8;
        const bool terminated = length > 0 && length <= static_cast<DWORD>(end - p) && p[length - 1] == 0;
        Expect(terminated, "list entry for control " + std::to_string(id) + " ends with its NUL");
        if (!terminated) return;
        SendDlgItemMessageA(dialog, id, message, 0, reinterpret_cast<LPARAM>(p));
        p += length;
    }
}

void CheckComboItems(HWND dialog, int id, const std::vector<std::string>& want) {
    HWND combo = GetDlgItem(dialog, id);
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    Expect(count == static_cast<int>(want.size()),
           "combo " + std::to_string(id) + " holds " + std::to_string(count) + " items");
    RECT r;
    GetClientRect(combo, &r);
    for (int i = 0; i < count && i < static_cast<int>(want.size()); ++i) {
        char text[128] = {};
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        Expect(want[i] == text,
               "combo " + std::to_string(id) + " item " + std::to_string(i) + " \"" + text + "\"");
        Expect(Measure(FontOf(combo), want[i]).cx + GetSystemMetrics(SM_CXVSCROLL) + 8 <= r.right,
               "combo " + std::to_string(id) + " item \"" + want[i] + "\" fits its field");
    }
}

// Columns and extended styles as the dialog's code sets them; returns the columns' total width.
int AddColumns(HWND list, const std::vector<std::pair<const char*, int>>& columns) {
    int total = 0, index = 0;
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (const auto& [heading, width] : columns) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = LVCFMT_LEFT;
        column.cx = width;
        column.pszText = const_cast<char*>(heading);
        Expect(SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column)) == index,
               std::string("column \"") + heading + "\" inserted");
        total += width;
        ++index;
    }
    return total;
}

void AddRow(HWND list, const std::vector<const char*>& cells) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<char*>(cells[0]);
    int row = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    Expect(row == item.iItem, "row added to the list");
    for (size_t i = 1; i < cells.size(); ++i) {
        item.iSubItem = static_cast<int>(i);
        item.pszText = const_cast<char*>(cells[i]);
        SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    }
}

// Lines of a multi-line box once `text` is in it, and whether they all show without scrolling.
int LinesShown(HWND edit, const std::string& text, bool* all_visible) {
    SetWindowTextA(edit, text.c_str());
    int lines = static_cast<int>(SendMessageA(edit, EM_GETLINECOUNT, 0, 0));
    RECT r;
    SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    TEXTMETRICA tm;
    HDC dc = GetDC(edit);
    HGDIOBJ old = SelectObject(dc, FontOf(edit));
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(edit, dc);
    *all_visible = lines * tm.tmHeight <= r.bottom - r.top;
    return lines;
}

// What each dialog's code does to its controls when it opens, checked against the template.
void CheckBehaviour(HWND dialog, int id) {
    switch (id) {
        case IDD_CONTENTS: {
            HWND list = GetDlgItem(dialog, IDC_TOC_LIST);
            int total = AddColumns(list, {{"No.", 40}, {"章节标题", 318}, {"进度%", 60}});
            RECT r;
            GetClientRect(list, &r);
            Expect(total + GetSystemMetrics(SM_CXVSCROLL) <= r.right,
                   "contents columns fit the list beside its scroll bar");
            AddRow(list, {"1", "第一章 风起青萍之末", "0.00"});
            AddRow(list, {"2", "第二章 山雨欲来风满楼", "3.57"});
            SetDlgItemTextA(dialog, IDC_TOC_PREVIEW, "第一章 风起青萍之末\r\n\r\n    清晨，薄雾笼罩着小镇。");
            break;
        }
        case IDD_READING_RECORDS:
            AddColumns(GetDlgItem(dialog, IDC_RECORD_LIST), {{"No.", 40},
                                                             {"小说名称", 170},
                                                             {"阅读时间总计", 130},
                                                             {"进度[%]", 70},
                                                             {"上次阅读时间", 130},
                                                             {"首次阅读时间", 130},
                                                             {"已阅读字符", 90},
                                                             {"路径", 300}});
            AddRow(GetDlgItem(dialog, IDC_RECORD_LIST),
                   {"1", "凡人修仙传.txt", "1时 12分 5秒 ", "35.20", "2017/3/3 09:05", "2017/2/1 20:30",
                    "1203344", "D:\\小说"});
            break;
        case IDD_CUSTOM_RULE: {
            const std::string help =
                "填写格式：[A][B][C][D]    例子：[第][0-9][章][50]\r\n"
                "说明：1.ABC至少选一个，D字符数必须给定并大于10\r\n"
                "      2.非严格判断模式，即A、B、C前后可含其他字符\r\n\r\n"
                "A 标题开始相同字符串，不选择填[无]\r\n\r\n"
                "B [0-9],[一二三],[无] 三种固定格式选择\r\n\r\n"
                "C 限1个汉字或2个字符,不选择填[无]\r\n\r\n"
                "D 标题行总字符数限值";
            bool visible = false;
            int lines = LinesShown(GetDlgItem(dialog, IDC_RULE_HELP), help, &visible);
            Expect(lines == 11, "rule help keeps its 11 lines unwrapped, found " + std::to_string(lines));
            Expect(visible, "rule help shows every line without scrolling");
            HWND combo = GetDlgItem(dialog, IDC_RULE_COMBO);
            for (const char* rule : {"[第][0-9][章][60]", "[无][0-9][章][50]", "[无][一二三][章][60]"})
                SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rule));
            CheckComboItems(dialog, IDC_RULE_COMBO,
                            {"[第][0-9][章][60]", "[无][0-9][章][50]", "[无][一二三][章][60]"});
            break;
        }
        case IDD_BOSS_KEY: {
            HWND key = GetDlgItem(dialog, IDC_BOSS_HOTKEY);
            SendMessageA(key, HKM_SETHOTKEY, MAKEWORD(VK_SPACE, 0), 0);
            Expect(LOWORD(SendMessageA(key, HKM_GETHOTKEY, 0, 0)) == VK_SPACE,
                   "key field holds the space bar");
            break;
        }
        case IDD_ADVANCED_SETTINGS: {
            FillDialogLists(dialog, IDD_ADVANCED_SETTINGS);
            CheckComboItems(dialog, IDC_ROLL_TYPE, {"按像素滚屏", "按行滚屏", "按页滚屏"});
            CheckComboItems(dialog, IDC_TRAY_BUTTON, {"无", "最小化按钮", "关闭按钮"});
            // The three quote radios form one group that ends before the path label.
            auto group = [&](int control) {
                return (GetWindowLongA(GetDlgItem(dialog, control), GWL_STYLE) & WS_GROUP) != 0;
            };
            Expect(group(IDC_QUOTE_DEFAULT) && !group(IDC_QUOTE_CUSTOM) && !group(IDC_QUOTE_OFF) &&
                       group(IDC_QUOTE_FILE_LABEL),
                   "quote radios form one group");
            CheckRadioButton(dialog, IDC_QUOTE_DEFAULT, IDC_QUOTE_OFF, IDC_QUOTE_OFF);
            Expect(
                IsDlgButtonChecked(dialog, IDC_QUOTE_OFF) && !IsDlgButtonChecked(dialog, IDC_QUOTE_DEFAULT),
                "one quote radio is chosen at a time");
            break;
        }
        case IDD_ABOUTBOX: {
            HWND icon = nullptr, picture = nullptr;
            for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                LONG type = GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK;
                char cls[32] = {};
                GetClassNameA(c, cls, sizeof(cls));
                if (lstrcmpiA(cls, "Static") != 0) continue;
                if (type == SS_ICON) icon = c;
                if (type == SS_BITMAP) picture = c;
            }
            Expect(icon && SendMessageA(icon, STM_GETICON, 0, 0) != 0, "About box shows the program icon");
            HBITMAP bitmap =
                picture ? reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0))
                        : nullptr;
            BITMAP info = {};
            if (bitmap) GetObjectA(bitmap, sizeof(info), &info);
            Expect(info.bmWidth == 96 && info.bmHeight == 96, "About box shows picture 165");
            SetDlgItemTextA(dialog, IDC_ABOUT_SLOGAN, "意识决定行动！→穹顶之下，雾霾思考→2017+你能做什么？");
            SetDlgItemTextA(dialog, IDC_ABOUT_NOTES,
                            "【2.8】 更新时间：2017 年 3月 3日。\r\n1. 新增自定义分章规则功能；\r\n"
                            "2. 支持自动识别99%无bom的utf8编码；\r\n3. 新增乱码按我，强制转换为utf8编码；\r\n"
                            "4. 提高大文本可读取的页数；\r\n\r\n----->>>快捷键<<<-----\r\n"
                            "  'F1' 关闭侧边栏，'F2' 高级设置 ，'F3' 阅读时间记录，'F4' 查看目录 \r\n");
            break;
        }
        default:
            break;
    }
}

void CheckDialog(const DialogWant& d, HWND owner, bool print) {
    const std::string name = "dialog " + std::to_string(d.id);
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(d.id), owner, QuietProc, 0);
    Expect(dialog != nullptr, name + " is created, error " + std::to_string(GetLastError()));
    if (!dialog) return;
    CheckFrame(dialog, d, name);

    std::vector<HWND> items;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) items.push_back(c);
    Expect(items.size() == d.controls.size(), name + " has " + std::to_string(d.controls.size()) +
                                                  " controls, found " + std::to_string(items.size()));
    for (size_t i = 0; i < items.size() && i < d.controls.size(); ++i) {
        const Control& c = d.controls[i];
        HWND item = items[i];
        char window_class[64] = {};
        GetClassNameA(item, window_class, sizeof(window_class));
        const int id = static_cast<int>(GetWindowLongPtrA(item, GWLP_ID));
        const LONG style = GetWindowLongA(item, GWL_STYLE);
        const std::string text = TextOf(item);
        if (print)
            std::printf("%s #%zu: id %d, class %s, style %08lx, text \"%s\"\n", name.c_str(), i, id,
                        window_class, static_cast<unsigned long>(style), ToUtf8(text).c_str());
        const std::string where =
            name + " control " + std::to_string(i) + " (id " + std::to_string(c.id) + ")";
        Expect((id & 0xFFFF) == (c.id & 0xFFFF), where + " has id " + std::to_string(id));
        Expect(lstrcmpiA(window_class, ClassOf(c.kind)) == 0, where + " has class " + window_class);
        Expect(StyleFits(c.kind, style), where + " has the styles of its kind, " + std::to_string(style));
        if (c.text) Expect(text == c.text, where + " text \"" + text + "\"");
        CheckFit(item, c, where);
    }
    CheckLayout(dialog, items, d.controls, name);
    CheckBehaviour(dialog, d.id);
    DestroyWindow(dialog);
}

}  // namespace

void ShowDialog(int id, int milliseconds) {
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_LISTVIEW_CLASSES | ICC_HOTKEY_CLASS};
    InitCommonControlsEx(&classes);
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), nullptr, QuietProc, 0);
    if (!dialog) return;
    CheckBehaviour(dialog, id);  // fills lists, columns and help texts as the dialog will
    ShowWindow(dialog, SW_SHOW);
    SetTimer(nullptr, 0, milliseconds, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) && msg.message != WM_TIMER) DispatchMessageA(&msg);
    DestroyWindow(dialog);
}

void CheckDialogs(bool print) {
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_LISTVIEW_CLASSES | ICC_HOTKEY_CLASS};
    Expect(InitCommonControlsEx(&classes), "list-view and hot-key classes registered");
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    for (const DialogWant& d : Wanted()) CheckDialog(d, owner, print);
    DestroyWindow(owner);
}

}  // namespace check
