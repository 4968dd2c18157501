// The program's entry point.
#include <windows.h>

#include "app/ToolboxApp.h"

namespace {
CToolboxApp theApp;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    return AfxWinMain(hInstance);
}
