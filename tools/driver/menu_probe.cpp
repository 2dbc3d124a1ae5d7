// pel_menu_probe.dll: loaded into the reader by the driver (menu-items), it writes the reader's menu bar as
// the reader's own process sees it, since under Wine another process cannot read a window's menus. Its
// file name tells it the frame ("..._<frame in hexadecimal>.dll"); it writes "<its path>.txt" in UTF-8,
// one line for each item: the path of the pop-up holding it ("文件(&F)/最近文件夹"), a tab, the item's
// id (0 for a separator or a pop-up), a tab, its text.
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

std::wstring ItemText(HMENU menu, int pos) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &info) || info.cch == 0) return {};
    std::wstring text(info.cch + 1, L'\0');
    info.dwTypeData = text.data();
    info.cch += 1;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &info)) return {};
    text.resize(std::wcslen(text.c_str()));
    return text;
}

void Dump(HMENU menu, const std::wstring& path, std::wstring& out, int depth) {
    if (depth > 8) return;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        HMENU sub = GetSubMenu(menu, i);
        const std::wstring text = ItemText(menu, i);
        const UINT id = sub ? 0 : GetMenuItemID(menu, i);
        out += path + L"\t" + std::to_wstring(id == static_cast<UINT>(-1) ? 0 : id) + L"\t" + text + L"\n";
        if (sub) Dump(sub, path.empty() ? text : path + L"/" + text, out, depth + 1);
    }
}

void Probe(HMODULE self) {
    wchar_t file[MAX_PATH] = L"";
    if (!GetModuleFileNameW(self, file, MAX_PATH)) return;
    std::wstring path = file;
    const size_t mark = path.rfind(L'_');
    const size_t dot = path.rfind(L'.');
    if (mark == std::wstring::npos || dot == std::wstring::npos || dot < mark) return;
    HWND frame = reinterpret_cast<HWND>(
        static_cast<UINT_PTR>(wcstoull(path.substr(mark + 1, dot - mark - 1).c_str(), nullptr, 16)));
    std::wstring out;
    HMENU bar = IsWindow(frame) ? GetMenu(frame) : nullptr;
    if (bar) Dump(bar, L"", out, 0);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, out.data(), static_cast<int>(out.size()), nullptr, 0,
                                          nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, out.data(), static_cast<int>(out.size()), utf8.data(), bytes, nullptr,
                        nullptr);
    const std::wstring target = path + L".txt";
    const std::wstring partial = target + L".part";
    HANDLE h = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    const bool ok = WriteFile(h, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr) &&
                    written == utf8.size();
    CloseHandle(h);
    // The file appears whole or not at all.
    if (ok) MoveFileExW(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
        Probe(instance);
    }
    return TRUE;
}
