#include <windows.h>

#include "platform/windows/app/app_entry.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return numvora::run_application(); }
