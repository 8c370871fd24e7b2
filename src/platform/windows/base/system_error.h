// The error value of a failed operating-system call.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "common/result.h"

namespace numvora {

struct SystemError {
    std::int32_t code = 0;  // an HRESULT
    std::string message;    // the system's text for the code, may be empty
};

template <class T>
using SystemResult = Result<T, SystemError>;
using SystemStatus = Result<void, SystemError>;

// The error for an HRESULT, with the system's message text.
SystemError system_error_from_code(std::int32_t hresult);

// A failure that left no reason in the last error: our own code, so that such a
// failure is never shown with the system's text for success.
inline constexpr std::int32_t UNEXPLAINED_FAILURE = static_cast<std::int32_t>(0xA0000001);

// The error for the calling thread's last error after failed_call (a Win32 function's
// name) failed; when the call set no last error, UNEXPLAINED_FAILURE naming the call.
SystemError last_system_error(std::string_view failed_call);

// "message (0x80070005)", or the code alone when there is no message text.
std::string display_text(const SystemError& error);

}  // namespace numvora
