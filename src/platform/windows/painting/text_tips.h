// Whole texts in tooltips: a label that shows its text cut, a list line cut at the
// list's edge. One tooltip control serves every window of an owner, made with the
// first text it has to show.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace numvora {

// A tooltip control of the owner, destroyed with it, whose long texts wrap.
HWND make_tips(HWND owner, std::uint32_t dpi);

// The tooltip of the window `tool`, in the tooltip control `tips` of the owner (made
// here when still null); an empty text never shows.
void set_text_tip(HWND& tips, HWND owner, HWND tool, const std::wstring& text, std::uint32_t dpi);

// The width of a text in a font, as a control would draw it.
std::int32_t text_width(HWND control, HFONT font, std::wstring_view text);

// The text when a control shows it cut in the box's width, in the control's own font;
// empty when it fits.
std::wstring text_if_cut(HWND control, const std::wstring& text, std::int32_t box_width);

}  // namespace numvora
