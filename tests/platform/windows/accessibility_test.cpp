// What a screen reader gets: names for the symbol keys and the memo's description (asked
// of the accessibility layer once the window is up; Wine does not keep them, so they
// are read here from the system-call record) and an event whenever the result or the
// status line changes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/win32/wide_text.h"
#include "support/wait_until.h"
#include "ui/memo/memo_menu.h"
#include "window_test_support.h"

namespace numvora::testing {
namespace {

constexpr GUID ACCESSIBLE_NAME{0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};
constexpr GUID ACCESSIBLE_DESCRIPTION{0x4d48dfe4, 0xbd3f, 0x491f, {0xa6, 0x48, 0x49, 0x2d, 0x6f, 0x20, 0xc5, 0x88}};
constexpr GUID LIVE_SETTING{0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};

class RecordingAccessibility : public AccessibilityCalls {
public:
    HRESULT annotate_text(HWND control, const GUID& property, const wchar_t* text) override {
        EXPECT_TRUE(IsEqualGUID(property, ACCESSIBLE_NAME) || IsEqualGUID(property, ACCESSIBLE_DESCRIPTION));
        (IsEqualGUID(property, ACCESSIBLE_NAME) ? names : descriptions)[GetDlgCtrlID(control)] = text;
        return S_OK;
    }
    HRESULT annotate_number(HWND control, const GUID& property, int value) override {
        EXPECT_TRUE(IsEqualGUID(property, LIVE_SETTING));
        live_settings[control] = value;
        return S_OK;
    }
    std::map<int, std::wstring> names;  // by control id
    std::map<int, std::wstring> descriptions;
    std::map<HWND, int> live_settings;
};

std::vector<HWND> live_region_changes;
void CALLBACK record_event(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT && child == CHILDID_SELF) live_region_changes.push_back(window);
}

TEST_F(MainWindowTest, SymbolKeysAreNamedAndResultsAnnounced) {
    const auto recorded = std::make_shared<RecordingAccessibility>();
    calls.accessibility = recorded;
    auto& names = recorded->names;
    open_window();
    ASSERT_NE(window, nullptr);
    AppState& s = state();
    EXPECT_TRUE(names.empty()) << "not during the start";
    // The names come with a timer, which the message loop only sees once it is idle.
    EXPECT_TRUE(wait_until([&] {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        return !names.empty();
    }));
    for (const auto& [id, name] : std::map<int, std::wstring>{{ids::KEY_MULTIPLY, L"곱하기"},
                                                              {ids::DELETE_BEFORE_CARET, L"한 글자 지우기"},
                                                              {ids::OPERATION_ALONE, L"선택값 계산"},
                                                              {ids::FIND_BOX, L"찾을 내용"}})
        EXPECT_EQ(names[id], name) << id;
    EXPECT_EQ(names.size(), static_cast<std::size_t>(std::ranges::count_if(
                                CONTROL_ROWS, [](const ControlRow& row) { return !row.accessible_name.empty(); })));
    EXPECT_EQ(names.count(ids::KEY_7), 0u) << "a digit says itself";
    // The memo is described by the hint it shows while empty.
    EXPECT_EQ(recorded->descriptions, (std::map<int, std::wstring>{{ids::MEMO_EDIT, to_wide(memo_hint_text())}}));
    EXPECT_EQ(recorded->live_settings,
              (std::map<HWND, int>{
                  {s.result_label(), 1}, {s.status_label(), 1}, {s.control(ControlSlot::FindMessage), 1}}));  // polite

    live_region_changes.clear();
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                                               record_event, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    for (const wchar_t* expression : {L"1+2", L"1+2", L"2*2"}) {
        SetWindowTextW(s.expression_edit(), expression);
        SendMessageW(window, WM_COMMAND, ids::CALCULATE, 0);
        pump();
    }
    s.status.show("선택값 7", false);
    SetWindowTextW(s.status_label(), L"선택값 7");
    pump();
    UnhookWinEvent(hook);
    // The same result again is nothing new to say.
    EXPECT_EQ(live_region_changes, (std::vector<HWND>{s.result_label(), s.result_label(), s.status_label()}));
}

}  // namespace
}  // namespace numvora::testing
