#include "shell/association.h"

#include <vector>

#include "framework/handles.h"
#include "shell/help.h"

namespace {

bool SetDefaultString(HKEY key, const char* text) {
    return RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::char_traits<char>::length(text) + 1)) == ERROR_SUCCESS;
}

fw::UniqueKey CreateKey(HKEY root, const char* path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return fw::UniqueKey();
    return fw::UniqueKey(key);
}

fw::UniqueKey OpenKeyForReading(HKEY root, const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return fw::UniqueKey();
    return fw::UniqueKey(key);
}

}  // namespace

// Both parts are quoted: unquoted, a program under "C:\Program Files" is first looked for as
// "C:\Program.exe", and a book path with blanks would reach the program as several arguments.
std::string TxtVerbCommand(const std::string& programPath) { return "\"" + programPath + "\" \"%1\""; }

std::string ProgramFilePath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return std::string();
        if (n < buffer.size()) return std::string(buffer.data(), n);
        if (buffer.size() >= 32768) return std::string();
        buffer.resize(buffer.size() * 2);
    }
}

bool TxtVerbPresent(HKEY root) { return static_cast<bool>(OpenKeyForReading(root, kTxtVerbKey)); }

bool AddTxtVerb(HKEY root, const std::string& programPath) {
    if (programPath.empty()) return false;
    if (fw::UniqueKey verb = CreateKey(root, kTxtVerbKey)) SetDefaultString(verb.get(), kTxtVerbText);
    fw::UniqueKey command = CreateKey(root, kTxtVerbCommandKey);
    return command && SetDefaultString(command.get(), TxtVerbCommand(programPath).c_str());
}

bool RemoveTxtVerb(HKEY root) {
    if (fw::UniqueKey verb = OpenKeyForReading(root, kTxtVerbKey)) RegDeleteKeyA(verb.get(), "command");
    fw::UniqueKey shell = OpenKeyForReading(root, "txtfile\\shell");
    return shell && RegDeleteKeyA(shell.get(), "Pelin阅读器") == ERROR_SUCCESS;
}

const char* CTxtAssociation::Toggle(const std::string& programPath) {
    if (flag_ == 0) {
        if (!AddTxtVerb(root_, programPath)) return "关联TXT右键失败！";
        flag_ = 1;
        return "关联TXT右键成功！";
    }
    if (!RemoveTxtVerb(root_)) return "删除TXT右键失败！";
    flag_ = 0;
    return "删除TXT右键成功！";
}

void CTxtAssociation::OnToggleCommand(HWND owner) {
    const char* message = Toggle(ProgramFilePath());
    MessageBoxA(owner, message, MessageCaption().c_str(), MB_OK);
}
