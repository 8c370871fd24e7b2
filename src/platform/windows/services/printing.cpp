#include "platform/windows/services/printing.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <utility>

#include "common/win32/wide_text.h"
#include "platform/windows/base/win_handle.h"

namespace numvora {
namespace {

using RunPrintDialog = BOOL(WINAPI*)(PRINTDLGW* record);
using ExtendedErrorCall = DWORD(WINAPI*)();

struct PrintDialog {
    RunPrintDialog run = nullptr;
    ExtendedErrorCall extended_error = nullptr;
    std::optional<SystemError> unavailable;
};

// comdlg32 from the system folder, on the first print only.
const PrintDialog& print_dialog() {
    static const PrintDialog loaded = [] {
        PrintDialog dialog;
        const HMODULE module = LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (module == nullptr) {
            dialog.unavailable = last_system_error("LoadLibraryExW(comdlg32.dll)");
            return dialog;
        }
        dialog.run =
            reinterpret_cast<RunPrintDialog>(reinterpret_cast<void (*)()>(GetProcAddress(module, "PrintDlgW")));
        dialog.extended_error = reinterpret_cast<ExtendedErrorCall>(
            reinterpret_cast<void (*)()>(GetProcAddress(module, "CommDlgExtendedError")));
        if (dialog.run == nullptr || dialog.extended_error == nullptr)
            dialog.unavailable = last_system_error("GetProcAddress PrintDlgW");
        return dialog;
    }();
    return loaded;
}

// The document is ended once, or aborted when a page failed on the way.
class PrintJob {
public:
    PrintJob(HDC dc, PrintCalls& calls, const std::wstring& title) : dc_(dc), calls_(calls) {
        DOCINFOW info{};
        info.cbSize = sizeof info;
        info.lpszDocName = title.c_str();
        started_ = calls_.start_doc(dc_, info) > 0;
    }
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;
    ~PrintJob() {
        if (started_) calls_.abort_doc(dc_);
    }
    bool started() const { return started_; }
    bool end() { return std::exchange(started_, false) && calls_.end_doc(dc_) > 0; }

private:
    HDC dc_;
    PrintCalls& calls_;
    bool started_ = false;
};

struct PageGeometry {
    std::int32_t left = 0;
    std::int32_t top = 0;
    PageFrame frame;
};

// The part of the page inside 20 mm margins, in the device's units from its printable
// area's corner. A device without a physical page (a metafile on the screen) is its area.
PageGeometry page_geometry(HDC dc, std::int32_t line_height, PrintCalls& calls) {
    const int dpi_x = std::max(calls.device_caps(dc, LOGPIXELSX), 1);
    const int dpi_y = std::max(calls.device_caps(dc, LOGPIXELSY), 1);
    const int margin_x = MulDiv(20, dpi_x * 10, 254);
    const int margin_y = MulDiv(20, dpi_y * 10, 254);
    int width = calls.device_caps(dc, PHYSICALWIDTH);
    int height = calls.device_caps(dc, PHYSICALHEIGHT);
    int offset_x = calls.device_caps(dc, PHYSICALOFFSETX);
    int offset_y = calls.device_caps(dc, PHYSICALOFFSETY);
    if (width <= 0 || height <= 0) {
        width = calls.device_caps(dc, HORZRES);
        height = calls.device_caps(dc, VERTRES);
        offset_x = offset_y = 0;
    }
    const std::int32_t left = std::max(margin_x - offset_x, 0);
    const std::int32_t top = std::max(margin_y - offset_y, 0);
    return {left, top, {width - 2 * margin_x, height - 2 * margin_y, line_height}};
}

std::int32_t text_width(HDC dc, std::string_view text) {
    const std::wstring wide = to_wide(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

void draw(HDC dc, std::int32_t x, std::int32_t y, std::string_view text, UINT align) {
    if (text.empty()) return;
    const std::wstring wide = to_wide(text);
    SetTextAlign(dc, align | TA_TOP);
    TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

}  // namespace

PrinterDc::PrinterDc(PrinterDc&& other) noexcept : calls_(other.calls_), dc_(std::exchange(other.dc_, nullptr)) {}

PrinterDc& PrinterDc::operator=(PrinterDc&& other) noexcept {
    if (this != &other) {
        if (dc_ != nullptr) calls_->release_printer(dc_);
        calls_ = other.calls_;
        dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
}

PrinterDc::~PrinterDc() {
    if (dc_ != nullptr) calls_->release_printer(dc_);
}

SystemResult<std::optional<ChosenPrinter>> PrintCalls::choose_printer(HWND owner, bool selection) {
    const PrintDialog& dialog = print_dialog();
    if (dialog.unavailable) return fail(*dialog.unavailable);
    PRINTDLGW record{};
    record.lStructSize = sizeof record;
    record.hwndOwner = owner;
    record.Flags =
        PD_RETURNDC | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE | (selection ? PD_SELECTION : PD_NOSELECTION);
    const BOOL chosen = dialog.run(&record);
    // The dialog's settings are ours to free, chosen or not.
    const UniqueGlobal mode(record.hDevMode);
    const UniqueGlobal names(record.hDevNames);
    if (!chosen) {
        const DWORD code = dialog.extended_error();
        if (code == 0) return std::optional<ChosenPrinter>();
        if (code == PDERR_NODEFAULTPRN || code == PDERR_NODEVICES)
            return fail(SystemError{NO_PRINTER, "설치된 프린터가 없습니다"});
        return fail(SystemError{UNEXPLAINED_FAILURE, "인쇄 창 오류 코드: " + std::to_string(code)});
    }
    if (record.hDC == nullptr) return fail(last_system_error("PrintDlgW"));
    return std::optional<ChosenPrinter>(
        ChosenPrinter{PrinterDc(*this, record.hDC), (record.Flags & PD_SELECTION) != 0});
}

void PrintCalls::release_printer(HDC dc) { DeleteDC(dc); }
int PrintCalls::start_doc(HDC dc, const DOCINFOW& info) { return StartDocW(dc, &info); }
int PrintCalls::end_doc(HDC dc) { return EndDoc(dc); }
int PrintCalls::abort_doc(HDC dc) { return AbortDoc(dc); }
int PrintCalls::start_page(HDC dc) { return StartPage(dc); }
int PrintCalls::end_page(HDC dc) { return EndPage(dc); }
int PrintCalls::device_caps(HDC dc, int index) { return GetDeviceCaps(dc, index); }

SystemResult<std::size_t> print_memo_pages(HDC dc, const PrintedMemo& memo, PrintCalls& calls) {
    LOGFONTW face{};
    face.lfHeight = -MulDiv(10, calls.device_caps(dc, LOGPIXELSY), 72);
    face.lfCharSet = DEFAULT_CHARSET;
    face.lfQuality = DEFAULT_QUALITY;
    // The window's own face, which the system links to a Hangul font.
    std::wstring_view(L"Segoe UI").copy(face.lfFaceName, LF_FACESIZE - 1);
    const UniqueFont font(CreateFontIndirectW(&face));
    if (!font) return fail(last_system_error("CreateFontIndirectW"));
    const ScopedSelect selected(dc, font.get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const std::int32_t line_height = std::max<std::int32_t>(metrics.tmHeight + metrics.tmExternalLeading, 1);
    const PageGeometry page = page_geometry(dc, line_height, calls);
    const PrintLayout layout =
        lay_out_pages(memo.lines, page.frame, [dc](std::string_view text) { return text_width(dc, text); });

    PrintJob job(dc, calls, to_wide(memo.title));
    if (!job.started()) return fail(last_system_error("StartDocW"));
    SetBkMode(dc, TRANSPARENT);
    // A hairline under the header: a hundredth of an inch.
    const UniquePen rule(
        CreatePen(PS_SOLID, std::max(calls.device_caps(dc, LOGPIXELSY) / 100, 1), RGB(0x99, 0x99, 0x99)));
    const std::int32_t right = page.left + page.frame.width;
    const std::int32_t bottom = page.top + page.frame.height;
    for (const PrintPage& printed : layout.pages) {
        if (calls.start_page(dc) <= 0) return fail(last_system_error("StartPage"));
        // A printer may reset the context at each page: the font goes in again.
        SelectObject(dc, font.get());
        draw(dc, page.left, page.top, memo.title, TA_LEFT);
        draw(dc, right, page.top, memo.date, TA_RIGHT);
        if (rule) {
            const ScopedSelect pen(dc, rule.get());
            const std::int32_t under = page.top + line_height + line_height / 3;
            MoveToEx(dc, page.left, under, nullptr);
            LineTo(dc, right, under);
        }
        std::int32_t y = page.top + PRINT_HEADER_ROWS * line_height;
        for (const PrintRow& row : printed.rows) {
            draw(dc, page.left, y, row.text, TA_LEFT);
            draw(dc, right, y, row.result, TA_RIGHT);
            y += line_height;
        }
        draw(dc, page.left + page.frame.width / 2, bottom - line_height, printed.number, TA_CENTER);
        if (calls.end_page(dc) <= 0) return fail(last_system_error("EndPage"));
    }
    if (!job.end()) return fail(last_system_error("EndDoc"));
    return layout.pages.size();
}

}  // namespace numvora
