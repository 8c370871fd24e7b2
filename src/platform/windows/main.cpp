#include <windows.h>

#include "platform/windows/app_entry.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return numvora::run_application();
}
