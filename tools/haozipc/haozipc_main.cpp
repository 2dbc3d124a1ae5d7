// HaoZipC.exe: the console extractor that comes with the reader. It accepts the reader's two command
// lines and does the work through 7zz.exe, 7-Zip's console program, in its own folder:
//
//   HaoZipC l ARCHIVE [-y] [-r0] [PATTERN]       the listing of the matching members on standard output
//   HaoZipC e ARCHIVE [-y] -oFOLDER MEMBER       MEMBER written into FOLDER under its bare file name
//
// Member paths are written and read in code page 936. Exit codes: 0 done, 1 a command line it does not
// understand, 2 no 7zz.exe beside it or it could not be started, 3 7-Zip could not read the archive,
// 4 the member is not in the archive or was not written, 5 the listing could not be written. Every failure
// is told on standard error.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "listing_format.h"

namespace {

enum Exit {
    kDone = 0,
    kUsage = 1,
    kNoEngine = 2,
    kArchiveUnreadable = 3,
    kMemberMissing = 4,
    kWriteFailed = 5
};

class Handle {
public:
    explicit Handle(HANDLE handle = nullptr) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { Reset(); }
    void Reset(HANDLE handle = nullptr) {
        if (handle_ && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
        handle_ = handle;
    }
    HANDLE Get() const { return handle_; }
    HANDLE* Out() { return &handle_; }

private:
    HANDLE handle_;
};

std::string Narrow(const std::wstring& text, UINT codePage) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr,
                        nullptr);
    return out;
}

std::wstring Widen(const std::string& text, UINT codePage) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

// A member path in code page 936. A character that code page has not becomes '?', which the reader
// refuses as a file name instead of opening a different member.
std::string ToGbk(const std::string& utf8) {
    const std::wstring wide = Widen(utf8, CP_UTF8);
    if (wide.empty()) return {};
    BOOL lost = FALSE;
    const int size = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide.data(),
                                         static_cast<int>(wide.size()), nullptr, 0, "?", &lost);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), out.data(),
                        size, "?", &lost);
    return out;
}

void Fail(const std::wstring& text) {
    const std::string bytes =
        Narrow(L"HaoZipC: " + text + L"\r\n", GetConsoleOutputCP() ? GetConsoleOutputCP() : CP_ACP);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
              nullptr);
}

std::wstring ProgramFolder() {
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    const std::size_t cut = path.find_last_of(L"\\/");
    return cut == std::wstring::npos ? L"." : path.substr(0, cut);
}

// An argument quoted for CommandLineToArgvW-style parsing.
std::wstring Quote(const std::wstring& arg) {
    std::wstring out = L"\"";
    std::size_t slashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++slashes;
            continue;
        }
        if (c == L'"')
            out.append(slashes * 2 + 1, L'\\');
        else
            out.append(slashes, L'\\');
        slashes = 0;
        out += c;
    }
    out.append(slashes * 2, L'\\');
    return out + L"\"";
}

// Runs 7zz.exe with `args`; its standard output comes back in `output` (nullptr: discarded).
// -1 when it could not be started.
int RunEngine(const std::vector<std::wstring>& args, std::string* output) {
    const std::wstring engine = ProgramFolder() + L"\\7zz.exe";
    if (GetFileAttributesW(engine.c_str()) == INVALID_FILE_ATTRIBUTES) {
        Fail(L"7zz.exe is missing beside HaoZipC.exe (" + engine + L")");
        return -1;
    }
    std::wstring line = Quote(engine);
    for (const std::wstring& arg : args) line += L" " + Quote(arg);

    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    Handle readEnd, writeEnd, nul;
    if (!CreatePipe(readEnd.Out(), writeEnd.Out(), &inherit, 0)) return -1;
    SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0);
    nul.Reset(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                          OPEN_EXISTING, 0, nullptr));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul.Get();
    startup.hStdOutput = output ? writeEnd.Get() : nul.Get();
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION info{};
    std::vector<wchar_t> buffer(line.begin(), line.end());
    buffer.push_back(L'\0');
    if (!CreateProcessW(engine.c_str(), buffer.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &info)) {
        Fail(L"7zz.exe could not be started (error " + std::to_wstring(GetLastError()) + L")");
        return -1;
    }
    Handle process(info.hProcess), thread(info.hThread);
    writeEnd.Reset();
    if (output) {
        char chunk[64 * 1024];
        DWORD got = 0;
        while (ReadFile(readEnd.Get(), chunk, sizeof chunk, &got, nullptr) && got > 0)
            output->append(chunk, got);
    }
    WaitForSingleObject(process.Get(), INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.Get(), &code);
    return static_cast<int>(code);
}

bool WriteOut(const std::string& bytes) {
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        if (!WriteFile(out, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written,
                       nullptr) ||
            written == 0)
            return false;
        done += written;
    }
    return true;
}

// Zip member names without the UTF-8 flag are in the code page of the machine that packed them, for the
// books this reader takes code page 936, whatever the code page of this one. Only the zip reader takes
// the switch (7z archives refuse it), so it goes with the .zip name alone.
std::vector<std::wstring> WithNameCodePage(const std::wstring& archive, std::vector<std::wstring> args) {
    const bool zip = archive.size() >= 4 && _wcsicmp(archive.c_str() + archive.size() - 4, L".zip") == 0;
    if (zip) args.insert(args.begin() + 1, L"-mcp=936");
    return args;
}

int List(const std::wstring& archive, const std::wstring& pattern) {
    std::string text;
    const int code = RunEngine(
        WithNameCodePage(archive, {L"l", L"-slt", L"-sccUTF-8", L"-scsUTF-8", L"--", archive}), &text);
    if (code < 0) return kNoEngine;
    std::vector<haozipc::Entry> entries;
    if (code != 0 || !haozipc::ParseTechnicalListing(text, entries)) {
        // The header tells the reader an extractor answered; the missing end tells it the listing failed.
        WriteOut(haozipc::FormatBrokenListing());
        Fail(L"the archive could not be read: " + archive);
        return kArchiveUnreadable;
    }
    std::vector<haozipc::Entry> listed;
    const std::string wanted = Narrow(pattern, CP_UTF8);
    for (haozipc::Entry& entry : entries) {
        if (entry.folder || !haozipc::MatchesWildcard(entry.path, wanted)) continue;
        entry.path = ToGbk(entry.path);
        listed.push_back(std::move(entry));
    }
    if (!WriteOut(haozipc::FormatListing(listed))) {
        Fail(L"the listing could not be written");
        return kWriteFailed;
    }
    return kDone;
}

int Extract(const std::wstring& archive, const std::wstring& folder, const std::wstring& member) {
    std::wstring name = member;
    const std::size_t cut = name.find_last_of(L"\\/");
    if (cut != std::wstring::npos) name = name.substr(cut + 1);
    if (name.empty()) {
        Fail(L"no member file name given");
        return kUsage;
    }
    const std::wstring target = folder + L"\\" + name;
    // -spd: the member name is taken literally, never as a wildcard.
    const int code =
        RunEngine(WithNameCodePage(archive, {L"e", L"-y", L"-spd", L"-bso0", L"-bsp0", L"-scsUTF-8",
                                             L"-o" + folder, L"--", archive, member}),
                  nullptr);
    if (code < 0) return kNoEngine;
    if (code != 0) {
        Fail(L"the member could not be extracted (7-Zip exit code " + std::to_wstring(code) + L"): " +
             member);
        DeleteFileW(target.c_str());
        return code == 2 ? kArchiveUnreadable : kMemberMissing;
    }
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        Fail(L"no such member in the archive: " + member);
        return kMemberMissing;
    }
    return kDone;
}

int Usage(const std::wstring& why) {
    Fail(why +
         L"\r\nusage: HaoZipC l ARCHIVE [-y] [-r0] [PATTERN]\r\n       HaoZipC e ARCHIVE [-y] -oFOLDER "
         L"MEMBER");
    return kUsage;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return Usage(L"too few arguments");
    const std::wstring command = argv[1];
    const std::wstring archive = argv[2];
    std::wstring folder, pattern;
    std::vector<std::wstring> names;
    bool haveFolder = false;
    for (int i = 3; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"-y" || arg == L"-r0" || arg == L"-r" || arg == L"-r-") continue;
        if (arg.rfind(L"-o", 0) == 0) {
            folder = arg.substr(2);
            haveFolder = true;
        } else if (!arg.empty() && arg[0] == L'-') {
            return Usage(L"unknown switch " + arg);
        } else {
            names.push_back(arg);
        }
    }
    if (command == L"l") {
        if (names.size() > 1) return Usage(L"more than one pattern");
        return List(archive, names.empty() ? L"*" : names[0]);
    }
    if (command == L"e") {
        if (!haveFolder || folder.empty()) return Usage(L"no output folder (-oFOLDER)");
        if (names.size() != 1) return Usage(L"exactly one member is extracted");
        while (folder.size() > 1 && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
        return Extract(archive, folder, names[0]);
    }
    return Usage(L"unknown command " + command);
}
