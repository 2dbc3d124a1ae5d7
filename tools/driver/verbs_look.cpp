// Verbs around the page: messages posted to the frame (hot key, tray callback, registered messages).
#include <string>

#include "utf8_out.h"
#include "verbs.h"

namespace {
// A number, or the name of a registered window message ("TaskbarCreated").
bool MessageArg(const Invocation& in, size_t i, UINT& out) {
    long n = 0;
    if (in.IntArg(i, n)) {
        out = static_cast<UINT>(n);
        return true;
    }
    if (i >= in.args.size() || in.args[i].empty()) return false;
    out = RegisterWindowMessageW(in.args[i].c_str());
    return out != 0;
}
}  // namespace

// post-frame MSG [WPARAM [LPARAM]]: posts a message to the reader's frame (MSG a number or a registered
// message's name).
int VerbPostFrame(Invocation& in) {
    UINT msg = 0;
    long wp = 0, lp = 0;
    if (!MessageArg(in, 0, msg)) return 2;
    if (in.args.size() > 1 && !in.IntArg(1, wp)) return 2;
    if (in.args.size() > 2 && !in.IntArg(2, lp)) return 2;
    return PostMessageW(in.target.frame, msg, static_cast<WPARAM>(wp), static_cast<LPARAM>(lp)) ? 0 : 1;
}
