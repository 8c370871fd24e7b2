// The HRESULT that stands for a thread's last error.
#pragma once

#include <cstdint>

namespace numvora {

// Positive codes become 0x8007xxxx; 0 stays 0 (still a failure of the call that set
// it); values that already look like an HRESULT (negative) are kept.
constexpr std::int32_t hresult_from_last_error(std::uint32_t last_error) {
    const auto as_signed = static_cast<std::int32_t>(last_error);
    if (as_signed <= 0) return as_signed;
    return static_cast<std::int32_t>(0x80070000u | (last_error & 0xFFFFu));
}

}  // namespace numvora
