// Names and earlier results in the memo, kept as it changes: what each line shows, and
// that an edit reads again the lines it changes and no others.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "notes/book/notebook.h"
#include "notes/book/notebook_differential.h"
#include "notes/shown_plainly.h"

namespace numvora {
namespace {

std::vector<std::string> results_of(const NoteBook& book) {
    std::vector<std::string> got;
    for (std::size_t line = 0; line < book.size(); ++line) got.push_back(book.result(line).value_or(""));
    return got;
}

TEST(NoteBook, NamesAndEarlierResults) {
    const struct {
        std::string text;
        std::vector<std::string> results;  // "" for a line that shows nothing
        std::string unknown = "";          // the name the last line cannot find
        std::string unclear = "";          // and why, where it matters
    } rows[] = {
        {"월세 = 55만원\n관리비: 12만 3천원\n월세 + 관리비", {"550000", "123000", "673000"}},
        {"월세 = 55만원\n월세 * 12\n환율 = 1,380\n$12.50 * 환율 =", {"550000", "6600000", "", "17250"}},
        {"인원 = 4명\n회비 = 30,000\n회비 * 인원 =", {"4", "30000", "120000"}},
        // A later definition takes over from its line on; a use above it or of no
        // definition at all shows nothing.
        {"a = 1\na + 1\na = 10\na + 1", {"1", "2", "10", "11"}},
        // "월 원금" worked out of 원금 names a part of it, and 원금 stays as it was.
        {"원금 = 1,200\n월 원금 = 원금 / 12\n원금 / 2", {"1200", "100", "600"}},
        {"월세 * 12\n월세 = 55만원", {"", "550000"}},
        {"월세 = 55만원\n월세 + 관리비 =", {"550000", ""}, "관리비"},
        // Words nothing names, joined as the figures after "=" are, say what those figures are.
        {"B + 사다리차 = 1,720,000 + 150,000", {"1870000"}},
        {"주3회 + 픽업 = 32만 + 12만", {"440000"}},
        // A total line's word names its total below it; 소계 is the nearest one.
        {"고기 186,000\n술 54,000\n노래방 40,000\n합계\n합계 / 4명 =", {"186000", "54000", "40000", "280000", "70000"}},
        {"1\n소계\n\n2\n소계\n소계 * 10", {"1", "1", "", "2", "2", "20"}},
        // The result above: 위, prev, ans, and a line that opens with an operator.
        {"12,000\n+ 5,000\n× 2\n- 10%\n위 / 2", {"12000", "17000", "34000", "30600", "15300"}},
        {"100원\n메모\nprev + 1\nans * 2", {"100", "", "101", "202"}},
        // "위" alone shows nothing new; after "이름 =" it names the result above.
        {"12,000\n+ 3,000\n위\n남은 회비 = 위\n남은 회비 * 2", {"12000", "15000", "", "15000", "30000"}},
        // A count the margin does not show is no result above.
        {"회식비 120,000원\n6명 n빵\n위 / 6", {"120000", "6", "20000"}},
        // A duration below zero taken by name (in minutes).
        {"a = 1시간 - 2시간\na + 3시간", {"-60", "120"}},
        // A label beside a figure stays a label, even when it is a name.
        {"커피 = 4,500\n커피 4,500원 x 2", {"4500", "9000"}},
        // A sign glued to a figure is its sign, not a continuation.
        {"5,000\n-2,000\n+3,000", {"5000", "-2000", "3000"}},
        // A dash between an unknown word and an amount parts them.
        {"점심 - 12,000원\n서울/부산 출장 350,000원", {"12000", "350000"}},
        // After "=", the word before a "-" is what is taken from: a name, never a label.
        {"남은돈 = 용돈 - 3,000원", {""}, "용돈"},
        // A total word glued to what it adds names the sum it is given.
        {"기본급 = 3,200,000\n지급계 = 기본급 + 100\n실수령 = 지급계 - 100", {"3200000", "3200100", "3200000"}},
        {"점심: 12,000원\n저녁: 15,000원\n합계", {"12000", "15000", "27000"}},
        // A name that only labels an amount in another paragraph (another note) heads a list
        // of its own there; a name set with "=" reaches across.
        {"수입 3,200,000\n\n수입\n- 월급 3,000,000\n- 부업 200,000\n소계",
         {"3200000", "", "", "3000000", "200000", "3200000"}},
        {"수입 = 3,200,000\n\n수입\n- 월세 600,000", {"3200000", "", "3200000", "2600000"}},
        // Alone over items a total adds, it heads them: its value would join their sum.
        {"수입 = 3,200,000\n\n수입\n연회비 1,440,000\n찬조 300,000\n소계",
         {"3200000", "", "", "1440000", "300000", "1740000"}},
        {"수입 = 3,200,000\n\n수입\n연회비 1,440,000", {"3200000", "", "3200000", "1440000"}},
        {"월세 = 550,000\n관리비 = 100,000\n\n월세\n관리비\n합계",
         {"550000", "100000", "", "550000", "100000", "650000"}},
        {"점심: 12,000원\n\n점심 * 2", {"12000", "", "24000"}},
        // Words before an "=" that has an expression after it name what it works out.
        {"호텔 $529\n총\n\nB 총 = 1,480,000 + 150,000", {"529", "529", "", "1630000"}},
        {"월세 = 550,000\n월세 = ?", {"550000", "550000"}},
        // One name told apart by words no line defines with it is none of them.
        {"월급 3,200,000\n소계\n월세 600,000\n소계\n남은 돈 = 수입 소계 - 지출 소계",
         {"3200000", "3200000", "600000", "600000", ""},
         "지출 소계"},
        {"월급 3,200,000\n\n월급 - 100,000",
         {"3200000", "", ""},
         "월급",
         "다른 문단의 '월급'은 '월급 = …'으로 정해야 씁니다"},
        {"월급 3,200,000\n\n5,000,000 - 월급",
         {"3200000", "", ""},
         "월급",
         "다른 문단의 '월급'은 '월급 = …'으로 정해야 씁니다"},
        // A dash between two labels there parts them, as in a note of its own.
        {"택시 14,300\n\n택시 - 카드 12,300", {"14300", "", "12300"}},
        // A range of money is no money its paragraph holds, whatever the joined figures
        // would be apart: the bare figure above it shows nothing.
        {"커피 4500\n예산 3만-5만원", {"", ""}},
        // A line too long to read tells its paragraph nothing: 만 left unwritten makes "4500" unclear.
        {"점심 12,000원\n커피 4500\n현재 연봉 3800", {"12000", "", ""}},
        {"점심 12,000원\n커피 4500\n현재 연봉 3800" + std::string(LINE_READ_MAX, ' '), {"12000", "4500", ""}},
    };
    for (const auto& row : rows) {
        NoteBook book;
        book.assign(row.text);
        EXPECT_EQ(results_of(book), row.results) << row.text;
        EXPECT_EQ(book.reading(book.size() - 1).unknown, row.unknown) << row.text;
        if (!row.unclear.empty()) {
            EXPECT_EQ(book.reading(book.size() - 1).unclear, row.unclear) << row.text;
        }
    }
}

// A chain of five names edited in the middle: the lines below change, the lines above
// do not, and only the lines that take a changed value are read again.
TEST(NoteBook, AnEditReadsAgainOnlyWhatItChanges) {
    NoteBook book;
    book.assign("a = 1\nb = a + 1\n메모\nc = b * 2\nd = c + a\ne = d * 10\n끝");
    EXPECT_EQ(results_of(book), (std::vector<std::string>{"1", "2", "", "4", "5", "50", ""}));
    EXPECT_EQ(book.replace(1, 1, "b = a + 2"), 4U);  // b, c, d, e: not a, the note or the last line
    EXPECT_EQ(results_of(book), (std::vector<std::string>{"1", "3", "", "6", "7", "70", ""}));
    EXPECT_EQ(book.replace(2, 1, "메모 고침"), 1U);
    // Lines come and go: the names below still find their definitions.
    book.replace(0, 0, "z = 5");
    EXPECT_EQ(book.result(6).value_or(""), "70");
    book.replace(1, 1, "a = 2");
    EXPECT_EQ(results_of(book), (std::vector<std::string>{"5", "2", "4", "", "8", "10", "100", ""}));
    book.replace(1, 1, "");
    EXPECT_EQ(book.result(2).value_or(""), "");
    EXPECT_EQ(book.reading(2).unknown, "a");
}

// A total follows the lines of its block as they are edited, across a 소계 chain.
TEST(NoteBook, TotalsFollowTheirBlocks) {
    NoteBook book;
    book.assign("식비 10,000\n소계\n\n교통 5,000\n소계\n\n총계");
    EXPECT_EQ(book.result(6).value_or(""), "15000");
    book.replace(3, 1, "교통 7,000");
    EXPECT_EQ(book.result(4).value_or(""), "7000");
    EXPECT_EQ(book.result(6).value_or(""), "17000");
    EXPECT_EQ(book.selection_total(0, "식비 10,000\n소계\n\n교통 7,000\n소계\n\n총계").value, "17000");
    book.replace(3, 1, "교통");  // no figure left: the second 소계 has nothing to add
    EXPECT_EQ(book.result(4).value_or(""), "");
    EXPECT_EQ(book.result(6).value_or(""), "10000");
}

// A paragraph of more lines than the book keeps together or cuts at once, read whole and
// one line edited: each line keeps its own result.
TEST(NoteBook, ManyLinesKeepTheirOwn) {
    std::string memo;
    for (int line = 1; line <= 1000; ++line) memo += std::to_string(line) + ",000원\n";
    NoteBook book;
    book.assign(memo);
    book.replace(500, 1, "7원");
    for (std::size_t line = 0; line < 1000; ++line)
        ASSERT_EQ(book.result(line).value_or(""), line == 500 ? "7" : std::to_string((line + 1) * 1000)) << line;
}

// Edits as the memo passes them on: after each, the book is the same text read whole,
// and it ends as a careful reader would read it.
TEST(NoteBook, EditedIsTheTextReadWhole) {
    using differential::LineEdit;
    const struct {
        std::string_view text;
        std::vector<LineEdit> edits;
        std::vector<std::string> results;
    } rows[] = {
        // Enter after "a = 5", then 소계 typed on the new line: the 합계 below it adds it.
        {"a = 5\n\n합계", {{0, 1, "a = 5\n"}, {1, 1, "소"}, {1, 1, "소계"}}, {"5", "5", "", "5"}},
        // A 소계 that becomes a heading leaves the empty line below it ending the block.
        {"1,000\n소계\n\n합계", {{1, 1, "메모"}}, {"1000", "", "", ""}},
        // A chain cut by an empty line, then its middle line changed.
        {"점심 12,000\n+ 커피 4,500\n합계", {{0, 1, "점심 12,000\n"}}, {"12000", "", "4500", "4500"}},
        {"식비 200,000\n+ 외식 85,000\n소계", {{1, 1, "+ 외식 95,000"}}, {"200000", "295000", "295000"}},
        // A list mark taken off the line above: the "- " line under it now subtracts.
        {"* 식용유 55,900원\n- 대파 2,600", {{0, 1, "식용유 55,900원"}}, {"55900", "53300"}},
        // "월로 /12" divides the result above, and follows it when it changes.
        {"876,300\n월로 /12", {{0, 1, "1,200"}}, {"1200", "100"}},
        // "위" reaches past a line that takes the result above but has none of its own.
        {"10원\n위 + 관리비\n위 * 2", {{0, 1, "20원"}}, {"20", "", "40"}},
        // A name a line only asked about: once defined above, "항목1" is a name, not 1.
        {"메모\n항목1", {{0, 1, "항목1 = 3"}}, {"3", "3"}},
        // A definition put between another and its use, then taken out with a joined line.
        {"a = 1\na * 3", {{1, 0, "a = 2"}}, {"1", "2", "6"}},
        {"a = 1\n\na = 2\na * 3", {{1, 2, "a = 2"}, {0, 2, "a = 1"}}, {"1", "3"}},
        // A label's name alone, parted from it by an empty line and joined again.
        {"월 10,000\n월", {{0, 1, "월 10,000\n"}}, {"10000", "", ""}},
        {"월 10,000\n\n월", {{0, 2, "월 10,000"}}, {"10000", "10000"}},
        // A line put between a 소계 and a "+ " line under it: the "+ " now signs the list.
        {"- 철거 1,800,000\n- 타일 2,450,000\n소계\n+ 부가세",
         {{3, 0, "메모"}},
         {"-1800000", "-2450000", "-4250000", "", ""}},
        // A rate line changed, put in above its money, and taken out again.
        {"$1 = 1,380원\n$10\n5,000원\n합계", {{0, 1, "$1 = 1,400원"}}, {"", "10", "5000", "19000"}},
        {"$10\n5,000원\n합계", {{0, 0, "$1 = 1,380원"}}, {"", "10", "5000", "18800"}},
        {"100엔 = 920원\n1,000엔 + 1,000원", {{0, 1, "메모"}}, {"", ""}},
        // A rate reaches across paragraphs that hold foreign money: a paragraph in won put
        // between, a line there changed to won, or one that takes won by name, stops it.
        {"$1 = 1,400원\n$10\n\n$20\n합계", {{3, 0, "점심 12,000원\n"}}, {"", "10", "", "12000", "", "20", "20"}},
        // The rate's own paragraph needs no foreign money of its own.
        {"$1 = 1,400원\n메모\n\n$10\n5,000원\n합계", {{1, 1, "메모 2"}}, {"", "", "", "10", "5000", "19000"}},
        // Foreign money of another currency between carries it on: pounds between euros.
        {"€1 = 1,500원\n£1 = 1,800원\n\n£10\n\n메모\n5,000원\n합계",
         {{5, 1, "€10"}},
         {"", "", "", "10", "", "10", "5000", "20000"}},
        {"$1 = 1,400원\n$10\n\n$5\n\n$20\n합계", {{3, 1, "5,000원"}}, {"", "10", "", "5000", "", "20", "20"}},
        // A paragraph with a rate of its own is another trip's: put in, and taken out again.
        {"$1 = 1,400원\n$10\n\n메모\n€5\n\n$20\n5,000원\n합계",
         {{3, 1, "€1 = 1,500원"}},
         {"", "10", "", "", "5", "", "20", "5000", ""}},
        {"$1 = 1,400원\n$10\n\n€1 = 1,500원\n€5\n\n$20\n5,000원\n합계",
         {{3, 1, "메모"}},
         {"", "10", "", "", "5", "", "20", "5000", "33000"}},
        {"$1 = 1,400원\na = $5\n\na\n\n$20\n합계", {{1, 1, "a = 5,000원"}}, {"", "5000", "", "5000", "", "20", "20"}},
        // A charge changed above: 부가세 6,359 is no longer a tenth of their sum, so it is taxed.
        {"기본요금 1,250\n사용요금 62,340\n부가세 6,359", {{0, 1, "기본요금 2,000"}}, {"2000", "62340", "635"}},
        // A line that leaves 만 unwritten makes a bare figure under 10,000 in its paragraph unclear.
        {"점심 12,000원\n커피 4500\n식비 45000\n메모", {{3, 1, "연봉 3800"}}, {"12000", "", "45000", ""}},
        // So a line that types a point for the comma makes "2.000" in its paragraph 2,000, and
        // undone, a fraction again.
        {"순대 3,000원\n어묵 2.000", {{0, 1, "순대 3.000원"}, {0, 1, "순대 3,000원"}}, {"3000", ""}},
        // A heading of sums kept in 만 put in, and taken out again.
        {"메모\n엄마 2천", {{0, 1, "부모님께 빌림"}}, {"", "20000000"}},
        {"부모님께 빌림\n엄마 2천", {{0, 1, "메모"}}, {"", "2000"}},
        // A grand total under totals of both signs takes them across empty lines, follows
        // a line changed above them, and adds its own block once one is put in.
        {"a 3,000\n지급 합계\n\nb -1,000\n공제 합계\n\n실수령",
         {{0, 1, "a 4,000"}, {3, 0, "공제 내역"}},
         {"4000", "4000", "", "", "-1000", "-1000", "", "3000"}},
        {"a 3,000\n지급 합계\n\nb -1,000\n공제 소계\n실수령",
         {{5, 0, "c 500"}},
         {"3000", "3000", "", "-1000", "-1000", "500", "-500"}},
        // A new day: the days left change, and the line that takes them by name.
        {"a = 12월 25일 - 오늘\na * 2", {{0, 0, {}, true}}, {"16", "32"}},
    };
    for (const auto& row : rows) {
        differential::EditedNotes notes(row.text);
        for (const LineEdit& edit : row.edits) {
            notes.apply(edit);
            EXPECT_EQ(notes.difference(), "") << row.text << " after " << edit.text;
        }
        EXPECT_EQ(results_of(notes.book()), row.results) << row.text;
    }
}

// The margin writes a figure as its line does, commas and 원 and all, whatever the
// calculator's box says; with 만 asked for, a total keeps the 원 of the lines it adds.
TEST(NoteBook, TheMarginWritesFiguresAsTheirLinesDo) {
    const struct {
        std::string_view text;
        ResultView view;
        std::vector<std::string> shown;
    } rows[] = {
        {"- 교통 62,400\n- 식비 98500", {}, {"62,400", "98500"}},
        {"월세 = 60만원\n월세 * 2", {}, {"60만원", "120만원"}},
        {"8만 5,000원\n49만 6,800원\n합계", {true}, {"8만 5,000원", "49만 6,800원", "58만 1,800원"}},
        {"165만원\n360만\n합계", {true}, {"165만원", "360만", "525만원"}},
        {"총 104,000원 4명 n빵", {}, {"26,000"}},
        // Won worked out from a figure too short to show its grouping.
        {"$1 = 1,380원\n$12.50\n$1000", {}, {"", "$12.50 → 17,250원", "$1000 → 1380000원"}},
        // A total's unit, currency and writing go on to the line that takes it.
        {"근무 8시간\n근무 7시간 30분\n합계\n위 * 2", {}, {"8시간", "7시간 30분", "15시간 30분", "31시간"}},
        {"$10\n$20\n합계\n위 * 2", {}, {"$10", "$20", "$30", "$60"}},
        {"월세 55만원\n관리비 12만원\n합계\n위 * 2", {}, {"55만원", "12만원", "67만원", "134만원"}},
    };
    for (const auto& row : rows) {
        NoteBook book;
        book.assign(row.text);
        std::vector<std::string> shown;
        for (std::size_t line = 0; line < book.size(); ++line) shown.push_back(book.shown(line, row.view).value_or(""));
        EXPECT_EQ(shown, row.shown) << row.text;
    }
}

// Lines that ask for today show nothing until the book has a day, and a new day reads
// again those lines alone.
TEST(NoteBook, ANewDayReadsAgainTheLinesThatAskedForToday) {
    NoteBook book;
    book.assign("오늘 + 1일\n점심 12,000\n12월 25일 - 오늘\n메모");
    const auto shown = [&] {
        std::vector<std::string> got;
        for (std::size_t line = 0; line < book.size(); ++line) got.push_back(shown_plainly(book, line));
        return got;
    };
    EXPECT_EQ(shown(), (std::vector<std::string>{"", "12000", "", ""}));
    EXPECT_EQ(book.set_today(day_number(2026, 12, 8)), 2U);
    EXPECT_EQ(shown(), (std::vector<std::string>{"2026-12-09 (수)", "12000", "17일", ""}));
}

// Random notes of amounts in thousands, numbers that name things and lines that cannot be
// read: a total never takes a number that names a thing (none is a multiple of 1,000), and
// shows nothing over a line it could not read.
TEST(NoteBook, RandomNotesNeverAddWhatTheyCannotRead) {
    static constexpr std::string_view AMOUNTS[] = {
        "점심 12,000",  "커피 4,000원", "택시 8천원",    "- 쿠폰 3,000", "교통 1만 2천원",   "관리비 12만원",
        "+ 환불 2,000", "식비 98000",   "3개 x 2,000원", "₩5,000",       "1/n 하면 30,000원"};
    static constexpr std::string_view NAMING[] = {"회원번호 88120777",
                                                  "좌석 23",
                                                  "KE081 게이트 15",
                                                  "판교로 256번길 25",
                                                  "카드번호 뒷자리 4777",
                                                  "입사 2019",
                                                  "당첨번호 7, 12, 23, 31",
                                                  "차량번호 12가 3456",
                                                  "현관 비번 #1234*",
                                                  "5호선 2번 출구",
                                                  "사물함 17번",
                                                  "회원번호: 88120457",
                                                  "멤버십 4400 2918"};
    static constexpr std::string_view UNREAD[] = {"택시 12, 300원", "커피 4.5원", "점심 12,000 저녁 15,000",
                                                  "주차 1,0000원", "월세 5천"};
    const char* long_run = std::getenv("NUMVORA_LONG");
    const std::size_t notes = long_run != nullptr && std::string_view(long_run) == "1" ? 100'000 : 1'000;
    std::mt19937 random(49);
    const auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    for (std::size_t n = 0; n < notes; ++n) {
        std::string text = pick(2) == 0 ? "12월 가계부\n" : "";
        bool unread = false;
        for (std::size_t lines = 1 + pick(6); lines > 0; --lines) {
            const std::size_t kind = pick(6);
            const bool reads_not = kind == 0;
            unread = unread || reads_not;
            text += reads_not  ? UNREAD[pick(std::size(UNREAD))]
                    : kind < 3 ? NAMING[pick(std::size(NAMING))]
                               : AMOUNTS[pick(std::size(AMOUNTS))];
            text += '\n';
        }
        text += "합계";
        NoteBook book;
        book.assign(text);
        const std::optional<std::string>& total = book.result(book.size() - 1);
        if (unread) {
            EXPECT_FALSE(total) << text;
        } else if (total) {
            EXPECT_EQ(std::stoll(*total) % 1000, 0) << text;
        }
    }
}

// Random edits of notes made of the words that move totals; NUMVORA_LONG=1 makes a
// million of them.
TEST(NoteBook, RandomEditsLeaveTheTextReadWhole) {
    const char* long_run = std::getenv("NUMVORA_LONG");
    const std::size_t edits = long_run != nullptr && std::string_view(long_run) == "1" ? 1'000'000 : 2'000;
    std::mt19937 random(40);
    const auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    differential::EditedNotes notes("a = 5\n점심 12,000\n+ 커피 4,500\n소계\n\n합계");
    for (std::size_t edit = 0; edit < edits; ++edit) {
        const differential::LineEdit change = differential::random_edit(notes.lines(), pick);
        notes.apply(change);
        const std::string difference = notes.difference();
        ASSERT_EQ(difference, "") << "edit " << edit << " (" << change.first << ", " << change.count << ", "
                                  << change.text << ") gave\n"
                                  << notes.text();
    }
}

}  // namespace
}  // namespace numvora
