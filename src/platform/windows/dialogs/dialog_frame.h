// The frame of the program's own modal dialogs: a titled frame without controls, which
// the dialog makes at WM_INITDIALOG in pixels for the DPI and in the window's font (a
// template would size them in dialog units), placed over its owner.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "ui/layout/pixel_rect.h"

namespace numvora {

// Runs the dialog over owner until it ends; its result, or -1 when it could not be made.
INT_PTR run_dialog(HWND owner, std::string_view title, DLGPROC procedure, LPARAM parameter);

// The frame around a client of this size at the DPI, centred over the owner on its
// monitor.
void place_dialog(HWND dialog, HWND owner, PixelBox client, std::uint32_t dpi);

}  // namespace numvora
