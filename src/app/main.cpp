#include <windows.h>

#include "app/pelinreader_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CPelinreaderApp app;
    if (!app.InitInstance()) return app.ExitInstance(1);
    return app.ExitInstance(app.Run());
}
