// The memo on paper: the standard print dialog, and the pages drawn on the printer it
// gives as the page layout (ui/print/page_layout.h) lays them out.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/windows/base/system_error.h"
#include "platform/windows/base/win32_calls.h"
#include "ui/print/page_layout.h"

namespace numvora {

class PrintCalls;

// A printer's device context, handed back to the calls that gave it when its scope ends.
class PrinterDc {
public:
    PrinterDc(PrintCalls& calls, HDC dc) : calls_(&calls), dc_(dc) {}
    PrinterDc(const PrinterDc&) = delete;
    PrinterDc& operator=(const PrinterDc&) = delete;
    PrinterDc(PrinterDc&& other) noexcept;
    PrinterDc& operator=(PrinterDc&& other) noexcept;
    ~PrinterDc();
    HDC get() const { return dc_; }

private:
    PrintCalls* calls_;
    HDC dc_;
};

struct ChosenPrinter {
    PrinterDc dc;
    bool selection_only = false;  // the user kept "선택 영역" in the dialog
};

// The print dialog's failures that are no system error: comdlg32's own codes.
inline constexpr std::int32_t NO_PRINTER = static_cast<std::int32_t>(0xA0000101);

// The calls that tests replace: the dialog, and the printer's document and pages (a
// test prints into a metafile, which has no document of its own).
class PrintCalls : public CallGroup {
public:
    // PrintDlgW: the printer chosen, with "선택 영역" offered (and chosen at first) when
    // there is a selection; nothing when the user cancelled; NO_PRINTER without one.
    virtual SystemResult<std::optional<ChosenPrinter>> choose_printer(HWND owner, bool selection);
    virtual void release_printer(HDC dc);  // DeleteDC
    virtual int start_doc(HDC dc, const DOCINFOW& info);
    virtual int end_doc(HDC dc);
    virtual int abort_doc(HDC dc);
    virtual int start_page(HDC dc);
    virtual int end_page(HDC dc);
    // GetDeviceCaps, asked for the page's size, margins and resolution.
    virtual int device_caps(HDC dc, int index);
};

struct PrintedMemo {
    std::string title;  // the header's left: the document's name or "메모"
    std::string date;   // its right
    std::vector<PrintLine> lines;
};

// Draws the memo's pages on the printer as one document, in a 10-point font inside margins
// of 20 mm; the number of pages printed. A failed page aborts the document.
SystemResult<std::size_t> print_memo_pages(HDC dc, const PrintedMemo& memo, PrintCalls& calls);

}  // namespace numvora
