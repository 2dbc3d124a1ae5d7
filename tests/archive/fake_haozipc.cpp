// A stand-in HaoZipC.exe for the Windows tests: it understands the two command lines the reader sends
// and writes the listing layout of the real extractor. Its "archives" are text files, one member a
// line: the member path, a tab, and the member's one line of text. A line "#sleep N" makes it work N ms
// before it answers.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Member {
    std::string path;
    std::string text;
};

bool ReadArchive(const std::string& path, std::vector<Member>& members, int& sleepMs) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("#sleep ", 0) == 0) {
            sleepMs = std::atoi(line.c_str() + 7);
            continue;
        }
        const std::size_t tab = line.find('\t');
        if (tab != std::string::npos) members.push_back({line.substr(0, tab), line.substr(tab + 1)});
    }
    return true;
}

bool IsTxt(const std::string& path) {
    if (path.size() < 4) return false;
    std::string tail = path.substr(path.size() - 4);
    for (char& c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return tail == ".txt";
}

void Out(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

int List(const std::vector<Member>& members) {
    const std::string separator =
        "------------------- ----- ------------ ------------  ------------------------";
    Out("\r\nHaoZip stand-in for the reader's tests\r\n\r\n");
    Out("日期      时间    属性         大小         压缩  名称\r\n" + separator + "\r\n");
    int count = 0;
    for (const Member& m : members) {
        if (!IsTxt(m.path)) continue;
        char columns[64];
        std::snprintf(columns, sizeof columns, "2024-03-01 08:00:00 ....A %12u %12u  ",
                      static_cast<unsigned>(m.text.size()), static_cast<unsigned>(m.text.size()));
        Out(columns + m.path + "\r\n");
        ++count;
    }
    char summary[96];
    std::snprintf(summary, sizeof summary, "2024-03-01 08:00:00              %12d %12d  %d files", 0, 0,
                  count);
    Out(separator + "\r\n" + summary + "\r\n");
    return 0;
}

int Extract(const std::vector<Member>& members, const std::string& folder, const std::string& wanted) {
    for (const Member& m : members) {
        if (m.path != wanted) continue;
        const std::size_t cut = m.path.find_last_of('\\');
        const std::string name = cut == std::string::npos ? m.path : m.path.substr(cut + 1);
        std::ofstream out(folder + "\\" + name, std::ios::binary | std::ios::trunc);
        out << m.text;
        return out ? 0 : 3;
    }
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 1;
    const std::string command = argv[1];
    std::vector<Member> members;
    int sleepMs = 0;
    if (!ReadArchive(argv[2], members, sleepMs)) return 2;
    if (sleepMs > 0) Sleep(static_cast<DWORD>(sleepMs));
    if (command == "l") {
        // The real extractor's list file has plain CR LF line ends.
        _setmode(_fileno(stdout), _O_BINARY);
        return List(members);
    }
    if (command == "e" && argc >= 6 && std::string(argv[4]).rfind("-o", 0) == 0)
        return Extract(members, std::string(argv[4]).substr(2), argv[5]);
    return 1;
}
