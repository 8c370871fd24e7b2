// The help window's boxes at a DPI: a find row above the page, the page, and the close
// button under it.
#pragma once

#include <cstdint>
#include <string_view>

#include "ui/layout/pixel_rect.h"

namespace numvora {

struct HelpLayout {
    PixelBox client;
    PixelBox find_caption;
    PixelBox find_box;
    PixelBox find_next;
    PixelBox page;
    PixelBox close;
};

HelpLayout help_layout(std::uint32_t dpi);

// Texts of the window.
inline constexpr std::string_view HELP_TITLE = "도움말";
inline constexpr std::string_view HELP_FIND_CAPTION = "찾을 말";
inline constexpr std::string_view HELP_FIND_NEXT = "다음 찾기";
inline constexpr std::string_view HELP_CLOSE = "닫기";

}  // namespace numvora
