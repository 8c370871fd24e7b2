// One window per data folder: a second start fronts the running window and hands it a
// document to open (app/single_instance.cpp is the second start's side). Also
// Explorer's restart, after which the icon is added again.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace numvora {

struct AppState;

// A second start and the running window of the same data folder agree on these: the
// mutex the first start holds, the registered message that finds the window (answered
// with FRONT_ANSWER), and the WM_COPYDATA tag of a handed document's path (UTF-16).
struct InstanceNames {
    std::wstring mutex;
    std::wstring front_request;
};
InstanceNames instance_names(const std::string& data_folder);
inline constexpr LRESULT FRONT_ANSWER = 0x4E56;
inline constexpr ULONG_PTR HANDED_DOCUMENT_TAG = 0x4E560051;

struct SecondStart {
    UINT front_request = 0;  // a second start's question, one message per data folder
    // What a second start handed over until it can be opened (open_handed_document).
    std::optional<std::string> handed_document;
};

// Registered messages: Explorer's restart (the icon again) and a second start's
// question; WM_COPYDATA with a document's path.
std::optional<LRESULT> on_registered_message(AppState& state, UINT message);
std::optional<LRESULT> on_copy_data(AppState& state, const COPYDATASTRUCT* data);

}  // namespace numvora
