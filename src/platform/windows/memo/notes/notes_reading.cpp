#include "platform/windows/memo/notes/notes_reading.h"

#include <utility>

#include "common/win32/wide_text.h"
#include "notes/book/reading_in_steps.h"

namespace numvora {
namespace {

// Lines a run reads: a millisecond or two, so that giving up waits no longer.
constexpr std::size_t RUN_LINES = 2'000;

}  // namespace

std::wstring in_control_form(std::wstring text) {
    std::size_t out = 0;
    wchar_t before = L'\0';
    for (const wchar_t unit : text) {
        const bool pair = unit == L'\n' && before == L'\r';  // the CR of its pair stands for it
        before = unit;
        if (!pair) text[out++] = unit == L'\n' ? L'\r' : unit;
    }
    text.resize(out);
    return text;
}

NotesReading::NotesReading(std::wstring text, std::optional<DayNumber> today, HWND tell) {
    thread_ = std::thread([this, text = std::move(text), today, tell]() mutable {
        read_.text = in_control_form(std::move(text));
        ReadingInSteps reading(to_utf8(read_.text), today);
        while (!stop_.load() && reading.step(RUN_LINES)) {}
        if (stop_.load()) return;
        read_.book = reading.take();
        done_.store(true);
        PostMessageW(tell, WM_NOTES_READ, 0, 0);
    });
}

NotesReading::~NotesReading() {
    stop_.store(true);
    if (thread_.joinable()) thread_.join();
}

NotesReading::Read NotesReading::take() {
    if (thread_.joinable()) thread_.join();
    return std::move(read_);
}

}  // namespace numvora
