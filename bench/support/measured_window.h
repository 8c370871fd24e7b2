// The real main window for a measuring program, on a fresh data folder of its own.
#pragma once

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <system_error>

#include "platform/windows/app/app_entry.h"
#include "platform/windows/state/app_state.h"

namespace numvora::bench {

class MeasuredWindow {
public:
    // fill: what the data folder holds before the window opens.
    explicit MeasuredWindow(const wchar_t* folder_name, const SystemCalls& calls = {},
                            const std::function<void(const std::filesystem::path&)>& fill = {}) {
        wchar_t temp[MAX_PATH + 1];
        GetTempPathW(MAX_PATH + 1, temp);
        data_ = std::filesystem::path(temp) / folder_name;
        std::error_code ignored;
        std::filesystem::remove_all(data_, ignored);
        std::filesystem::create_directories(data_, ignored);
        if (fill) fill(data_ / "Numvora");
        SetEnvironmentVariableW(L"LOCALAPPDATA", data_.c_str());
        auto instance = prepare_process();
        auto window = instance ? open_main_window(instance.value(), calls) : SystemResult<HWND>(fail(instance.error()));
        if (window)
            state_ = app_state_of(window.value());
        else
            std::fprintf(stderr, "the main window did not open\n");
    }
    ~MeasuredWindow() {
        if (state_ != nullptr) SendMessageW(state_->main_window, WM_CLOSE, 0, 0);
        std::error_code ignored;
        std::filesystem::remove_all(data_, ignored);
    }
    MeasuredWindow(const MeasuredWindow&) = delete;
    MeasuredWindow& operator=(const MeasuredWindow&) = delete;

    // Null when the window did not open.
    AppState* state() const { return state_; }

private:
    std::filesystem::path data_;
    AppState* state_ = nullptr;
};

}  // namespace numvora::bench
