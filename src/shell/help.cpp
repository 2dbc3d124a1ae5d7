#include "shell/help.h"

#include <shellapi.h>

#include <initializer_list>

#include "framework/window.h"
#include "resource.h"
#include "shell/about_dialog.h"

namespace {

std::string JoinLines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// The makers of the linked sites are not ours to name here: every address is this project's own
// placeholder, to be replaced by the real home pages before release.
struct HelpLink {
    UINT id;
    const char* address;
};
constexpr HelpLink kHelpLinks[] = {
    {ID_LINK_1, "https://example.com/pelin/links/weekly"},           // 南方周末
    {ID_LINK_2, "https://example.com/pelin/links/articles"},         // 文章阅读网
    {ID_LINK_3, "https://example.com/pelin/links/greenpeace"},       // 绿色和平
    {ID_LINK_4, "https://example.com/pelin/links/time-management"},  // 褪墨
    {ID_LINK_5, "https://example.com/pelin/links/environment"},      // 我们的家园
    {ID_LINK_YILIN, "https://example.com/pelin/links/yilin"},        // 意林
    {ID_LINK_YIGE, "https://example.com/pelin/links/music"},         // 亦歌
};

}  // namespace

std::string MessageCaption() {
    std::string title = fw::LoadStringResource(IDR_MAINFRAME);
    return title.empty() ? std::string("Pelinreader") : title;
}

std::string ShortcutHelpText() {
    return JoinLines({
        "----->>>快捷键<<<-----",
        "  '空格键'  向下翻屏和自动下一页 ",
        "  '←'  上一页，\t'→ '  下一页",
        "  '↑'  上翻屏，\t'↓ '  下翻屏",
        "  'F5'  添加书签， 'Enter'  自动滚屏， 'Ctrl+Enter/Esc'  全屏切换 ",
        "  'F1' 关闭侧边栏，'F2' 更多设置 ，'F3' 阅读时间记录，'F4' 查看目录",
        "  'PageUp/ PageDown'  向上/下翻屏。",
    });
}

std::string AboutUsageNotes() {
    return JoinLines({
        "【2.8】 更新时间：2017 年 3月 3日。",
        "1. 新增自定义分章规则功能；",
        "2. 支持自动识别99%无bom的utf8编码；",
        "3. 新增乱码按我，强制转换为utf8编码；",
        "4. 提高大文本可读取的页数；",
        "5. 修复边距设置较大时下次无法初始化的bug；",
        "6. 标题栏可显示文件名。",
        "",
        "----->>>快捷键<<<-----",
        "  '←'  上一页，\t'→ '  下一页",
        "  '↑'  上翻屏，\t'↓ '  下翻屏",
        "  'F5'  添加书签， 'Enter'  自动滚屏， 'Ctrl+Enter/Esc'  全屏切换 ",
        "  'F1' 关闭侧边栏，'F2' 高级设置 ，'F3' 阅读时间记录，'F4' 查看目录 ",
        "  '空格键'  向下翻屏和自动下一页 ",
        "  'PageUp/ PageDown'  向上/下翻屏。",
    });
}

const char* HelpLinkAddress(UINT id) {
    for (const HelpLink& link : kHelpLinks)
        if (link.id == id) return link.address;
    return nullptr;
}

void OpenWebAddress(HWND owner, const char* address) {
    ShellExecuteA(owner, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

bool HandleHelpCommand(HWND owner, UINT id, OpenAddressFn open) {
    if (id == ID_APP_ABOUT) {
        CAboutBox about;
        about.DoModal(owner);
        return true;
    }
    if (id == ID_SHORTCUT_HELP) {
        MessageBoxA(owner, ShortcutHelpText().c_str(), MessageCaption().c_str(), MB_OK);
        return true;
    }
    const char* address = HelpLinkAddress(id);
    if (!address) return false;
    if (id == ID_LINK_YILIN &&
        MessageBoxA(owner, "意林杂志散文！一则故事，改变一生！", MessageCaption().c_str(),
                    MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return true;
    open(owner, address);
    return true;
}

bool IsHelpCommand(UINT id) { return id == ID_APP_ABOUT || id == ID_SHORTCUT_HELP || HelpLinkAddress(id); }
