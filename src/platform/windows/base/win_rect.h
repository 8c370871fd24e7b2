// Win32 rectangles as the pure geometry code takes them.
#pragma once

#include <windows.h>

#include "ui/layout/pixel_rect.h"

namespace numvora {

inline PixelRect pixel_rect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace numvora
