#include "ui/layout/pixel_rect.h"

#include <ostream>

namespace numvora {

std::ostream& operator<<(std::ostream& out, const PixelRect& rect) {
    return out << "PixelRect{" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << "}";
}

std::ostream& operator<<(std::ostream& out, const PixelBox& box) {
    return out << "PixelBox{" << box.x << ", " << box.y << ", " << box.width << ", " << box.height << "}";
}

}  // namespace numvora
