// Verbs around the library sidebar: the pointer onto the reading form itself, away from its controls.
#include <windows.h>

#include "utf8_out.h"
#include "verbs.h"

namespace {
constexpr int kLibraryListId = 1000;

// A point of `form` (screen coordinates) where no shown control and no other window lies over the form.
bool BarePointOf(HWND form, POINT& out) {
    RECT client{};
    if (!GetClientRect(form, &client)) return false;
    for (LONG y = client.top + 2; y < client.bottom - 2; y += 3) {
        for (LONG x = client.left + 2; x < client.right - 2; x += 3) {
            POINT inside{x, y};
            if (ChildWindowFromPointEx(form, inside, CWP_SKIPINVISIBLE) != form) continue;
            POINT screen = inside;
            ClientToScreen(form, &screen);
            if (WindowFromPoint(screen) != form) continue;
            out = screen;
            return true;
        }
    }
    return false;
}
}  // namespace

// hover-form: the pointer onto a bare spot of the form that holds the library list (not onto a control).
int VerbHoverForm(Invocation& in) {
    HWND list = FindControl(in.target.frame, kLibraryListId);
    HWND form = list ? GetParent(list) : nullptr;
    if (!form) {
        PrintError(L"no library list");
        return 1;
    }
    POINT spot{};
    if (!BarePointOf(form, spot)) {
        PrintError(L"no bare spot on the form");
        return 1;
    }
    return MovePointer(static_cast<int>(spot.x), static_cast<int>(spot.y)) ? 0 : 1;
}
