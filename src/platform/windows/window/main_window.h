// The one top-level window: its class, its procedure and its handlers.
#pragma once

#include <windows.h>

#include <string_view>

namespace numvora {

inline constexpr wchar_t MAIN_WINDOW_CLASS[] = L"Numvora.MainWindow";
inline constexpr std::string_view MAIN_WINDOW_TITLE = "Quorvex v.0.0.2 — 메모장 + 계산기";

// The class background: COLORREF 0xF4EDE9, the light window colour. It stays the
// class brush in dark mode too; the panel painting covers it.
inline constexpr COLORREF CLASS_BACKGROUND = 0xF4EDE9;

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace numvora
