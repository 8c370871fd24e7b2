// The program's window with a printer that draws into a metafile, for the guide's
// picture of a printed page: "인쇄…" prints at once (no dialog) onto an A4 sheet, and the
// sheet is then shown in a window of its own ("Numvora.PrintedPage"), played from the
// metafile, for a screenshot.
#include <windows.h>

#include <memory>

#include "platform/windows/app/app_entry.h"
#include "platform/windows/window/main_window.h"

namespace {

constexpr wchar_t PAGE_CLASS[] = L"Numvora.PrintedPage";
// A4 at 72 dots an inch: the sheet fits the picture's screen.
constexpr int PAGE_WIDTH = 595;
constexpr int PAGE_HEIGHT = 842;

HENHMETAFILE printed = nullptr;

LRESULT CALLBACK page_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message != WM_PAINT) return DefWindowProcW(window, message, wparam, lparam);
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(window, &paint);
    RECT sheet{0, 0, PAGE_WIDTH, PAGE_HEIGHT};
    FillRect(dc, &sheet, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (printed != nullptr) PlayEnhMetaFile(dc, printed, &sheet);
    EndPaint(window, &paint);
    return 0;
}

void show_sheet() {
    WNDCLASSW page{};
    page.lpfnWndProc = page_procedure;
    page.hInstance = GetModuleHandleW(nullptr);
    page.lpszClassName = PAGE_CLASS;
    page.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&page);
    RECT frame{0, 0, PAGE_WIDTH, PAGE_HEIGHT};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, 0);
    CreateWindowExW(0, PAGE_CLASS, L"인쇄한 쪽", WS_POPUP | WS_BORDER | WS_VISIBLE, 40, 40, frame.right - frame.left,
                    frame.bottom - frame.top, nullptr, nullptr, page.hInstance, nullptr);
}

class SheetPrinter : public numvora::PrintCalls {
public:
    numvora::SystemResult<std::optional<numvora::ChosenPrinter>> choose_printer(HWND, bool selection) override {
        const RECT a4{0, 0, 21000, 29700};  // in hundredths of a millimetre
        const HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &a4, nullptr);
        return std::optional<numvora::ChosenPrinter>(numvora::ChosenPrinter{numvora::PrinterDc(*this, dc), selection});
    }
    void release_printer(HDC dc) override {
        printed = CloseEnhMetaFile(dc);
        show_sheet();
    }
    int start_doc(HDC, const DOCINFOW&) override { return 1; }
    int end_doc(HDC) override { return 1; }
    int abort_doc(HDC) override { return 1; }
    int start_page(HDC) override { return 1; }
    int end_page(HDC) override { return 1; }
    // The sheet at 96 dots an inch, as the metafile's screen records it.
    int device_caps(HDC dc, int index) override {
        switch (index) {
        case PHYSICALWIDTH: return 794;
        case PHYSICALHEIGHT: return 1123;
        case PHYSICALOFFSETX:
        case PHYSICALOFFSETY: return 0;
        case LOGPIXELSX:
        case LOGPIXELSY: return 96;
        default: return PrintCalls::device_caps(dc, index);
        }
    }
};

}  // namespace

int wmain() {
    auto instance = numvora::prepare_process();
    numvora::SystemCalls calls;
    calls.print = std::make_shared<SheetPrinter>();
    const int exit_code = instance ? numvora::run_main_window(instance.value(), calls) : 1;
    if (printed != nullptr) DeleteEnhMetaFile(printed);
    return exit_code;
}
