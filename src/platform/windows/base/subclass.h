// Procedures that run ahead of a control's own, which is kept in the control's user
// data. comctl32's subclassing looks the control's properties up on every message: a
// round trip to the server under Wine, which cost every question to the memo about a
// quarter of a millisecond.
#pragma once

#include <windows.h>

namespace numvora {

// Puts proc ahead of the control's procedure for the rest of the control's life.
inline void subclass_control(HWND control, WNDPROC proc) {
    SetWindowLongPtrW(control, GWLP_USERDATA, GetWindowLongPtrW(control, GWLP_WNDPROC));
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
}

// Puts the procedure put ahead of model ahead of control too, a control of model's class.
inline void subclass_like(HWND control, HWND model) {
    subclass_control(control, reinterpret_cast<WNDPROC>(GetWindowLongPtrW(model, GWLP_WNDPROC)));
}

// What a procedure put ahead does with a message it leaves to the control.
inline LRESULT pass_to_control(HWND control, UINT message, WPARAM wparam, LPARAM lparam) {
    const auto own = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_USERDATA));
    return CallWindowProcW(own, control, message, wparam, lparam);
}

}  // namespace numvora
