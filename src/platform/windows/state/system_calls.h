// The system calls that tests fail or replace, handed to the window at creation, one
// group for each role. Every default is the real call; nothing in the program swaps
// them at run time. A test puts its own object into a group and keeps it to read back
// what it recorded.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/windows/base/win32_calls.h"
#include "platform/windows/services/clipboard.h"
#include "platform/windows/services/file_dialog.h"
#include "platform/windows/services/printing.h"
#include "storage/files/file_io.h"
#include "storage/history/memo_history.h"

namespace numvora {

// The running program's file and its folder; empty when the system cannot tell.
std::wstring running_program_path();
std::wstring running_program_folder();

struct SystemCalls {
    std::shared_ptr<LookCalls> look = std::make_shared<LookCalls>();
    std::shared_ptr<LayoutCalls> layout = std::make_shared<LayoutCalls>();
    std::shared_ptr<AccessibilityCalls> accessibility = std::make_shared<AccessibilityCalls>();
    std::shared_ptr<FileDialogCalls> dialogs = std::make_shared<FileDialogCalls>();
    std::shared_ptr<ClipboardCalls> clipboard = std::make_shared<ClipboardCalls>();
    std::shared_ptr<DesktopCalls> desktop = std::make_shared<DesktopCalls>();
    std::shared_ptr<PrintCalls> print = std::make_shared<PrintCalls>();
    // The data folder's side: every file the window writes, the clock of the memo's
    // snapshots (so that tests can let hours pass) and the folder the start looks in
    // for portable.txt.
    WriteCalls write;
    std::function<SnapshotTime()> now = local_now;
    std::function<std::wstring()> program_folder = running_program_folder;
};

}  // namespace numvora
