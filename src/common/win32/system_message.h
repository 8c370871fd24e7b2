// The system's message text for an error code, shared by the shell's SystemError and
// the storage layer's operating-system errors.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace numvora {

// From the system table, or from source (a module such as ntdll) when given; trailing
// white space and line ends removed; empty when there is no text for the code.
std::string system_message_text(std::uint32_t message_id, HMODULE source = nullptr);

}  // namespace numvora
