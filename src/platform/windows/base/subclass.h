// Procedures that run ahead of a control's own, through comctl32's subclassing, which
// keeps the chain itself: no procedure is kept in a window property.
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace numvora {

// Puts proc ahead of the control's procedure for the rest of the control's life.
inline void subclass_control(HWND control, SUBCLASSPROC proc) { SetWindowSubclass(control, proc, 0, 0); }

// What a subclass procedure does with a message it leaves to the control; at
// WM_NCDESTROY it takes itself off first.
inline LRESULT pass_to_control(HWND control, UINT message, WPARAM wparam, LPARAM lparam, SUBCLASSPROC proc,
                               UINT_PTR id) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(control, proc, id);
    return DefSubclassProc(control, message, wparam, lparam);
}

}  // namespace numvora
