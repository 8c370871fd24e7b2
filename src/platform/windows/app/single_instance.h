// One window per data folder, as a start sees it: the first start of a data folder
// holds the folder's mutex for as long as it runs; a later one finds the running window
// (by class and a registered message, never by its title), hands it the start's request
// and ends. A portable copy with its own data folder is a program of its own.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/windows/base/win_handle.h"
#include "ui/command_line.h"

namespace numvora {

inline BOOL close_kernel_handle(HANDLE handle) { return CloseHandle(handle); }
using UniqueKernelHandle = UniqueHandle<HANDLE, close_kernel_handle>;

// The folder's mutex when this start is its first; nothing when another process holds
// it. A mutex the system cannot make at all lets the start go on without one.
std::optional<UniqueKernelHandle> claim_data_folder(const std::string& data_folder);

// Looks for the running window of the folder for up to timeout_ms (it may still be
// starting), fronts it and hands it the document; false when none answered in time.
bool hand_over_to_running_window(const std::string& data_folder, const StartRequest& request, DWORD timeout_ms);

}  // namespace numvora
