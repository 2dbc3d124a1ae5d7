#include "framework/command_line.h"

namespace fw {

std::vector<std::string> SplitCommandLine(const char* p) {
    std::vector<std::string> out;
    if (!p) return out;
    while (*p) {
        while (*p == ' ' || *p == '\t') ++p;
        if (!*p) break;
        std::string arg;
        bool quoted = false;
        for (; *p; ++p) {
            if (*p == '"') {
                quoted = !quoted;
                continue;
            }
            if (!quoted && (*p == ' ' || *p == '\t')) break;
            arg.push_back(*p);
        }
        out.push_back(arg);
    }
    return out;
}

}  // namespace fw
