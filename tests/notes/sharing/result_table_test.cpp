// The memo's lines as a table: the rows the notebook gives, the tab-separated text and
// the HTML a spreadsheet takes, and the clipboard's header of offsets.
#include <gtest/gtest.h>

#include <string>

#include "notes/sharing/result_table.h"

namespace numvora {

void PrintTo(const TableRow& row, std::ostream* out) {
    *out << "{" << row.label << " | " << row.value << " | " << row.unit << (row.total ? " | total" : "") << "}";
}

namespace {

TEST(ResultTable, ARowALineWithItsValueAsAPlainNumber) {
    NoteBook book;
    book.set_today(*day_number(2026, 12, 8));
    book.assign(
        "회비 정산\n\n점심 12,000원\n할인 -1,500원\n  합계  \n3*4 = 99\n$120 x 3\n2026-12-08 + "
        "100일\n09:00~18:00\n84㎡ "
        "평\n2026-03-02 ~ 2026-12-08\n1억 2천만원 + 3,500만원 =\n10 / 4");
    const std::vector<TableRow> rows{
        {"회비 정산", "", "", false},
        {"점심 12,000원", "12000", "원", false},
        {"할인 -1,500원", "-1500", "원", false},
        {"합계", "10500", "원", true},
        {"3*4", "12", "", false},
        {"$120 x 3", "360", "$", false},
        {"2026-12-08 + 100일", "2027-03-18", "날짜", false},
        {"09:00~18:00", "540", "분", false},
        {"84㎡ 평", "25.41", "평", false},
        {"2026-03-02 ~ 2026-12-08", "281", "일", false},
        {"1억 2천만원 + 3,500만원", "155000000", "원", false},
        {"10 / 4", "2.5", "", false},
    };
    EXPECT_EQ(table_rows(book, {0, book.size()}), rows);
    EXPECT_EQ(table_rows(book, {2, 3}), std::vector<TableRow>(rows.begin() + 1, rows.begin() + 4));
}

TEST(ResultTable, TabSeparatedCellsNeverBecomeFormulas) {
    const struct {
        TableRow row;
        std::string line;  // the row's line of the text
    } rows[] = {
        {{"점심 12,000원", "12000", "원"}, "점심 12,000원\t12000\t원"},
        {{"=1+2", "3", ""}, "'=1+2\t3\t"},
        {{"+ 커피 4,500", "4500", "원"}, "'+ 커피 4,500\t4500\t원"},
        {{"- 교통 62,400", "62400", "원"}, "'- 교통 62,400\t62400\t원"},
        {{"@회비", "-5000", "원"}, "'@회비\t-5000\t원"},
        {{"\"특가\" 세트", "1", ""}, "\"\"\"특가\"\" 세트\"\t1\t"},
        {{"이름\t탭", "1", ""}, "이름 탭\t1\t"},
        {{"합계", "16500", "원", true}, "합계\t16500\t원"},
    };
    for (const auto& row : rows) EXPECT_EQ(table_tsv({&row.row, 1}), "항목\t값\t단위\r\n" + row.line) << row.line;
}

TEST(ResultTable, HtmlCellsAreEscapedTextBesideNumbers) {
    const TableRow rows[] = {{"<b>A&B</b> \"x\" 'y'", "-12.5", "$"}, {"합계", "16500", "원", true}, {"메모", "", ""}};
    const std::string text = "<td style=\"mso-number-format:'\\@'\">";
    EXPECT_EQ(table_html(rows),
              "<table border=\"1\" cellspacing=\"0\">\r\n<tr>"
              "<th style=\"mso-number-format:'\\@'\">항목</th><th style=\"mso-number-format:'\\@'\">값</th>"
              "<th style=\"mso-number-format:'\\@'\">단위</th></tr>\r\n<tr>" +
                  text + "&lt;b&gt;A&amp;B&lt;/b&gt; &quot;x&quot; &#39;y&#39;</td><td>-12.5</td>" + text +
                  "$</td></tr>\r\n<tr>" + text + "<b>합계</b></td><td><b>16500</b></td>" + text +
                  "<b>원</b></td></tr>\r\n<tr>" + text + "메모</td><td></td>" + text + "</td></tr>\r\n</table>");
}

TEST(ResultTable, TheClipboardHeaderCountsBytesToTheDocumentAndTheFragment) {
    for (const std::string fragment : {"", "<table><tr><td>합계 16,500원</td></tr></table>"}) {
        const std::string html = clipboard_html(fragment);
        const auto offset = [&](const std::string& name) {
            const std::size_t at = html.find(name + ":");
            return at == std::string::npos ? std::string::npos : std::stoul(html.substr(at + name.size() + 1, 10));
        };
        EXPECT_TRUE(html.starts_with("Version:0.9\r\n")) << fragment;
        EXPECT_EQ(html.substr(offset("StartHTML"), 6), "<html>") << fragment;
        EXPECT_EQ(offset("EndHTML"), html.size()) << fragment;
        EXPECT_EQ(html.substr(offset("StartFragment"), offset("EndFragment") - offset("StartFragment")), fragment);
        EXPECT_TRUE(html.substr(0, offset("StartFragment")).ends_with("<!--StartFragment-->")) << fragment;
    }
}

}  // namespace
}  // namespace numvora
