// Tables of parts that act on a message in turn, where a part may need what another did
// with the same message first: its row names those parts, and they must come before it.
#pragma once

#include <cstddef>
#include <span>

namespace numvora {

// Every part a row needs stands above it (a default id in `needs` names none).
template <class Part>
constexpr bool parts_follow_their_needs(std::span<const Part> parts) {
    for (std::size_t row = 0; row < parts.size(); ++row) {
        for (const auto needed : parts[row].needs) {
            if (needed == decltype(needed){}) continue;
            bool above = false;
            for (std::size_t before = 0; before < row; ++before) above = above || parts[before].id == needed;
            if (!above) return false;
        }
    }
    return true;
}

}  // namespace numvora
