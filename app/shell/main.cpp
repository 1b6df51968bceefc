// Quillet's entry point: start up, then live on window, timer and hotkey messages.
#include "app/shell/modInitialization.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    if (!quillet::Startup(commandLine ? commandLine : L""))
        return 0;
    return quillet::RunMessageLoop();
}
