// The error value of a failed operating-system call.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

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

// The error for the calling thread's last error.
SystemError last_system_error();

// "message (0x80070005)", or the code alone when there is no message text.
std::string display_text(const SystemError& error);

}  // namespace numvora
