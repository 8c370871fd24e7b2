// Plain rectangles for the pure geometry code, free of Win32 types.
#pragma once

#include <cstdint>
#include <iosfwd>

namespace numvora {

// Edges, as Win32 RECT stores them.
struct PixelRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool operator==(const PixelRect&) const = default;
};

// A length or size that a subtraction took below nothing, as nothing.
constexpr std::int32_t at_least_zero(std::int32_t n) { return n > 0 ? n : 0; }

// Position and size, as MoveWindow takes them.
struct PixelBox {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    bool operator==(const PixelBox&) const = default;
};

// As their braces write them ("PixelBox{28, 538, 184, 50}"), for a failed check's message.
std::ostream& operator<<(std::ostream& out, const PixelRect& rect);
std::ostream& operator<<(std::ostream& out, const PixelBox& box);

}  // namespace numvora
