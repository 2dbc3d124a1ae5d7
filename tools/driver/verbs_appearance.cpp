// Verbs for the look of the page and the common dialogs that set it:
//   char-format [ID] [--selection]  the page's default character format (or that of its selection), one
//                                   "name=value" a line: face, size and offset in twips, colour "R,G,B",
//                                   bold, italic, underline (0 or 1)
//   format-rect [ID]                the page's formatting rectangle: LEFT TOP RIGHT BOTTOM
//   combo-pick ID TEXT              (with --box) picks the exact entry TEXT of a drop-down list of the
//   dialog,
//                                   as a click on it would, and tells the dialog
//   tick ID [off]                   (with --box) checks (or clears) a check box of the dialog and tells it
#include <windows.h>
// The headers below need windows.h first.
#include <richedit.h>

#include <string>

#include "remote_buffer.h"
#include "utf8_out.h"
#include "verbs.h"

namespace {

constexpr int kPageId = 1018;

bool Send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR& result) {
    return SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) != 0;
}

HWND PageOf(Invocation& in) {
    long id = kPageId;
    if (!in.args.empty() && !in.IntArg(0, id)) return nullptr;
    if (!in.toId) in.toId = static_cast<int>(id);
    return ControlOrReport(in, kPageId);
}

}  // namespace

int VerbCharFormat(Invocation& in) {
    HWND page = PageOf(in);
    if (!page) return 1;
    RemoteBuffer block(in.target.pid, sizeof(CHARFORMATW));
    CHARFORMATW cf{};
    cf.cbSize = sizeof cf;
    if (!block.ok() || !block.Write(&cf, sizeof cf)) {
        PrintError(L"cannot reach the reader's memory");
        return 1;
    }
    DWORD_PTR ignored = 0;
    const WPARAM which = in.Has(L"--selection") ? SCF_SELECTION : SCF_DEFAULT;
    if (!Send(page, EM_GETCHARFORMAT, which, reinterpret_cast<LPARAM>(block.address()), ignored)) return 1;
    std::vector<char> bytes = block.Read(sizeof cf);
    if (bytes.size() != sizeof cf) return 1;
    memcpy(&cf, bytes.data(), sizeof cf);
    cf.szFaceName[LF_FACESIZE - 1] = L'\0';
    auto flag = [&](DWORD effect) { return std::to_wstring((cf.dwEffects & effect) ? 1 : 0); };
    PrintLine(std::wstring(L"face=") + cf.szFaceName);
    PrintLine(L"size=" + std::to_wstring(cf.yHeight));
    PrintLine(L"offset=" + std::to_wstring(cf.yOffset));
    PrintLine(L"color=" + std::to_wstring(GetRValue(cf.crTextColor)) + L"," +
              std::to_wstring(GetGValue(cf.crTextColor)) + L"," + std::to_wstring(GetBValue(cf.crTextColor)));
    PrintLine(L"bold=" + flag(CFE_BOLD));
    PrintLine(L"italic=" + flag(CFE_ITALIC));
    PrintLine(L"underline=" + flag(CFE_UNDERLINE));
    return 0;
}

int VerbFormatRect(Invocation& in) {
    HWND page = PageOf(in);
    if (!page) return 1;
    RECT rc{};
    DWORD_PTR ignored = 0;
    // Wine carries this message's rectangle between processes itself; elsewhere it is read from a block
    // in the reader's memory.
    if (!Send(page, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rc), ignored)) {
        RemoteBuffer block(in.target.pid, sizeof(RECT));
        if (!block.ok() || !block.Write(&rc, sizeof rc)) {
            PrintError(L"cannot reach the reader's memory");
            return 1;
        }
        if (!Send(page, EM_GETRECT, 0, reinterpret_cast<LPARAM>(block.address()), ignored)) return 1;
        std::vector<char> bytes = block.Read(sizeof rc);
        if (bytes.size() != sizeof rc) return 1;
        memcpy(&rc, bytes.data(), sizeof rc);
    }
    PrintLine(std::to_wstring(rc.left) + L" " + std::to_wstring(rc.top) + L" " + std::to_wstring(rc.right) +
              L" " + std::to_wstring(rc.bottom));
    return 0;
}

int VerbComboPick(Invocation& in) {
    long id = 0;
    if (!in.IntArg(0, id) || in.args.size() < 2) return 2;
    in.toId = static_cast<int>(id);
    HWND combo = ControlOrReport(in, 0);
    if (!combo) return 1;
    const std::wstring& text = in.args[1];
    DWORD_PTR index = 0;
    if (!Send(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()),
              index) ||
        static_cast<LRESULT>(index) == CB_ERR) {
        // Say what there is to pick from, for the scenario's log.
        DWORD_PTR count = 0;
        Send(combo, CB_GETCOUNT, 0, 0, count);
        std::wstring entries;
        for (DWORD_PTR i = 0; i < count && i < 40; ++i) {
            DWORD_PTR length = 0;
            if (!Send(combo, CB_GETLBTEXTLEN, i, 0, length) || static_cast<LRESULT>(length) == CB_ERR) break;
            std::wstring entry(length + 1, L'\0');
            DWORD_PTR got = 0;
            if (!Send(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()), got)) break;
            entry.resize(static_cast<size_t>(got));
            entries += (entries.empty() ? L"" : L" | ") + entry;
        }
        PrintError(L"no entry \"" + text + L"\" in " + std::to_wstring(id) + L": " + entries);
        return 1;
    }
    DWORD_PTR ignored = 0;
    if (!Send(combo, CB_SETCURSEL, index, 0, ignored)) return 1;
    HWND owner = GetParent(combo);
    return Send(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), CBN_SELCHANGE),
                reinterpret_cast<LPARAM>(combo), ignored)
               ? 0
               : 1;
}

int VerbTick(Invocation& in) {
    long id = 0;
    if (!in.IntArg(0, id)) return 2;
    in.toId = static_cast<int>(id);
    HWND box = ControlOrReport(in, 0);
    if (!box) return 1;
    DWORD_PTR ignored = 0;
    const WPARAM state = in.Has(L"off") ? BST_UNCHECKED : BST_CHECKED;
    if (!Send(box, BM_SETCHECK, state, 0, ignored)) return 1;
    return Send(GetParent(box), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                reinterpret_cast<LPARAM>(box), ignored)
               ? 0
               : 1;
}
