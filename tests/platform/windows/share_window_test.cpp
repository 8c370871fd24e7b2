// The memo shared from the real window: a table on the clipboard as text and as HTML, the
// pages printed (into a metafile, whose text runs are read back), and the help page.
#include <windows.h>

#include <gtest/gtest.h>

#include <richedit.h>

#include <string>
#include <vector>

#include "common/win32/wide_text.h"
#include "platform/windows/dialogs/help_window.h"
#include "platform/windows/services/clipboard.h"
#include "platform/windows/services/printing.h"
#include "support/wait_until.h"
#include "window_test_support.h"

namespace numvora::testing {
namespace {

// A printer that draws into an enhanced metafile: the dialog's answer is the test's.
class MetafilePrinter : public PrintCalls {
public:
    enum class Answer { Print, Cancel, NoPrinter };

    SystemResult<std::optional<ChosenPrinter>> choose_printer(HWND, bool selection) override {
        offered_selection = selection;
        if (answer == Answer::NoPrinter) return fail(SystemError{NO_PRINTER, "설치된 프린터가 없습니다"});
        if (answer == Answer::Cancel) return std::optional<ChosenPrinter>();
        const HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
        return std::optional<ChosenPrinter>(ChosenPrinter{PrinterDc(*this, dc), selection});
    }
    void release_printer(HDC dc) override { metafile = CloseEnhMetaFile(dc); }
    int start_doc(HDC, const DOCINFOW& info) override {
        document = info.lpszDocName;
        return 1;
    }
    int end_doc(HDC) override { return ++ended; }
    int abort_doc(HDC) override { return ++aborted; }
    int start_page(HDC) override { return ++pages; }
    int end_page(HDC) override { return 1; }
    // An A4 sheet at 96 dots an inch, printable to its edges.
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

    // The texts drawn, in order, with where each was anchored (its right edge when
    // right-aligned) and how.
    struct Run {
        std::wstring text;
        LONG x;
        UINT align;
    };
    std::vector<Run> runs() const {
        struct Reading {
            std::vector<Run> runs;
            UINT align = TA_LEFT;
        } reading;
        EnumEnhMetaFile(
            nullptr, metafile,
            [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM into) -> int {
                auto& r = *reinterpret_cast<Reading*>(into);
                if (record->iType == EMR_SETTEXTALIGN)
                    r.align = reinterpret_cast<const EMRSETTEXTALIGN*>(record)->iMode & (TA_CENTER | TA_RIGHT);
                if (record->iType != EMR_EXTTEXTOUTW) return 1;
                const auto& out = *reinterpret_cast<const EMREXTTEXTOUTW*>(record);
                const auto* chars =
                    reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) + out.emrtext.offString);
                r.runs.push_back({std::wstring(chars, out.emrtext.nChars), out.emrtext.ptlReference.x, r.align});
                return 1;
            },
            &reading, nullptr);
        return reading.runs;
    }

    // Ready for the next print, answering so.
    void reset(Answer next) {
        if (metafile != nullptr) DeleteEnhMetaFile(metafile);
        metafile = nullptr;
        answer = next;
        offered_selection = false;
        document.clear();
        pages = ended = aborted = 0;
    }

    Answer answer = Answer::Print;
    bool offered_selection = false;
    HENHMETAFILE metafile = nullptr;
    std::wstring document;
    int pages = 0;
    int ended = 0;
    int aborted = 0;
};

class ShareWindowTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        calls.now = [] { return SnapshotTime{2026, 12, 8, 10, 0, 0}; };
        calls.print = printer;
        open_window();
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        printer->reset(MetafilePrinter::Answer::Print);
        MainWindowTest::TearDown();
    }
    HWND memo() { return state().memo_edit(); }
    void put_memo(const std::wstring& text, LONG start, LONG end) {
        SetWindowTextW(memo(), text.c_str());
        CHARRANGE range{start, end};
        SendMessageW(memo(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    }
    std::shared_ptr<MetafilePrinter> printer = std::make_shared<MetafilePrinter>();
};

std::string clipboard_bytes(UINT format) {
    std::string bytes;
    if (!OpenClipboard(nullptr)) return bytes;
    if (const HANDLE memory = GetClipboardData(format); memory != nullptr) {
        if (const auto* data = static_cast<const char*>(GlobalLock(memory)); data != nullptr) {
            bytes.assign(data, GlobalSize(memory));
            GlobalUnlock(memory);
        }
    }
    CloseClipboard();
    return bytes.substr(0, bytes.find('\0'));
}

TEST_F(ShareWindowTest, ATableGoesOnTheClipboardAsTextAndAsHtml) {
    put_memo(L"점심 12,000원\r=할인 -1,500원\r<합계>", 0, 0);
    SendMessageW(window, WM_COMMAND, ids::MEMO_COPY_TABLE, 0);
    EXPECT_EQ(clipboard_text(window),
              L"항목\t값\t단위\r\n점심 12,000원\t12000\t원\r\n'=할인 -1,500원\t-1500\t원\r\n<합계>\t\t");
    const std::string html = clipboard_bytes(html_clipboard_format());
    const auto offset = [&](const std::string& name) {
        const std::size_t at = html.find(name + ":");
        return at == std::string::npos ? html.size() : std::stoul(html.substr(at + name.size() + 1, 10));
    };
    const std::string fragment =
        html.substr(offset("StartFragment"), offset("EndFragment") - std::min(offset("StartFragment"), html.size()));
    EXPECT_TRUE(fragment.starts_with("<table")) << html;
    EXPECT_TRUE(fragment.ends_with("</table>")) << html;
    for (const std::string cell : {"<td>12000</td>", "<td>-1500</td>", ">=할인 -1,500원</td>", ">&lt;합계&gt;</td>"})
        EXPECT_NE(fragment.find(cell), std::string::npos) << cell;
    EXPECT_EQ(offset("EndHTML"), html.size());
}

TEST_F(ShareWindowTest, PrintingDrawsTheLinesBesideTheirResultsOnNumberedPages) {
    using Answer = MetafilePrinter::Answer;
    std::wstring long_memo;
    for (int i = 1; i <= 150; ++i) long_memo += L"항목 " + std::to_wstring(i) + L" 1,000원\r";
    const struct {
        const char* what;
        std::wstring memo;
        LONG start, end;
        Answer answer;
        std::vector<std::wstring> runs;  // the first page's; empty: not looked at
        std::wstring status;
        bool selection_offered;
    } rows[] = {
        {"the whole memo",
         L"점심 12,000원\r메모\r합계",
         0,
         0,
         Answer::Print,
         {L"메모", L"2026년 12월 8일", L"점심 12,000원", L"12,000", L"메모", L"합계", L"12,000", L"1 / 1"},
         L"1쪽을 인쇄했습니다",
         false},
        {"the lines the selection touches",
         L"점심 12,000원\r커피 4,500원\r합계",
         16,
         22,
         Answer::Print,
         {L"메모", L"2026년 12월 8일", L"커피 4,500원", L"4,500", L"합계", L"16,500", L"1 / 1"},
         L"1쪽을 인쇄했습니다",
         true},
        {"pages", long_memo, 0, 0, Answer::Print, {}, L"", false},
        {"cancelled", L"점심 12,000원", 0, 0, Answer::Cancel, {}, L"", false},
        {"no printer", L"점심 12,000원", 0, 0, Answer::NoPrinter, {}, L"설치된 프린터가 없습니다", false},
    };
    for (const auto& row : rows) {
        printer->reset(row.answer);
        put_memo(row.memo, row.start, row.end);
        SendMessageW(window, WM_TIMER, 1, 0);
        const std::wstring status_before = window_text(state().status_label());
        SendMessageW(window, WM_COMMAND, ids::PRINT, 0);
        EXPECT_EQ(printer->offered_selection, row.selection_offered) << row.what;
        if (row.answer != Answer::Print) {
            EXPECT_EQ(printer->metafile, nullptr) << row.what;
            EXPECT_EQ(window_text(state().status_label()), row.status.empty() ? status_before : row.status) << row.what;
            continue;
        }
        ASSERT_NE(printer->metafile, nullptr) << row.what;
        EXPECT_EQ(printer->document, L"메모") << row.what;
        EXPECT_EQ(printer->ended, 1) << row.what;
        EXPECT_EQ(printer->aborted, 0) << row.what;
        const std::vector<MetafilePrinter::Run> runs = printer->runs();
        // Each page ends with its number, "k / n", centred.
        std::vector<std::wstring> numbers;
        for (const auto& run : runs) {
            if (run.align == TA_CENTER) numbers.push_back(run.text);
        }
        ASSERT_EQ(numbers.size(), static_cast<std::size_t>(printer->pages)) << row.what;
        for (std::size_t i = 0; i < numbers.size(); ++i)
            EXPECT_EQ(numbers[i], std::to_wstring(i + 1) + L" / " + std::to_wstring(numbers.size())) << row.what;
        if (row.runs.empty()) {
            EXPECT_GT(printer->pages, 1) << row.what;
            EXPECT_EQ(window_text(state().status_label()), std::to_wstring(printer->pages) + L"쪽을 인쇄했습니다");
            continue;
        }
        std::vector<std::wstring> texts;
        for (const auto& run : runs) texts.push_back(run.text);
        EXPECT_EQ(texts, row.runs) << row.what;
        EXPECT_EQ(window_text(state().status_label()), row.status) << row.what;
        // Texts from the left margin, results and the date to the right one: 20 mm in.
        for (const auto& run : runs) {
            if (run.align == TA_RIGHT) {
                EXPECT_EQ(run.x, 794 - 76) << row.what;
            } else if (run.align == TA_LEFT) {
                EXPECT_EQ(run.x, 76) << row.what;
            }
        }
    }
}

// The page is read from another thread while the dialog's own loop runs.
TEST_F(ShareWindowTest, TheHelpPageShowsItsExamplesCalculatedAndFindsText) {
    std::wstring page;
    std::wstring found;
    const std::vector<ErrorBox> boxes =
        answer_boxes([&] { SendMessageW(window, WM_COMMAND, ids::HELP, 0); },
                     {BoxAnswer{IDCANCEL, [&](HWND box) {
                                    const HWND text = GetDlgItem(box, HELP_PAGE_ID);
                                    wait_until([&] { return GetWindowTextLengthW(text) > 0; });
                                    page = window_text(text);
                                    SetDlgItemTextW(box, HELP_FIND_BOX_ID, L"공급가");
                                    SendMessageW(box, WM_COMMAND, IDOK, 0);
                                    std::wstring selected(64, L'\0');
                                    selected.resize(static_cast<std::size_t>(SendMessageW(
                                        text, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(selected.data()))));
                                    found = selected;
                                }}});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"도움말");
    EXPECT_NE(page.find(L"1,999원 공급가\t1,817"), std::wstring::npos) << page;
    EXPECT_NE(page.find(L"12, 300 + 5\t상태 줄: '12, 300'을 읽을 수 없습니다"), std::wstring::npos);
    EXPECT_NE(page.find(L"Ctrl+P\t인쇄"), std::wstring::npos);
    EXPECT_EQ(found, L"공급가");
}

}  // namespace
}  // namespace numvora::testing
