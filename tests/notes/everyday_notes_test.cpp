// Notes as Koreans keep them, each with the figure a careful user expects beside every
// line, written before the program read them: household accounts with bullets, dues,
// shopping, pay, instalments, property in 억, travel in dollars and yen, hours, addresses,
// phone and order numbers, models, dates, typos, lists and chains. A line that cannot be
// read whole shows nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "notes/notebook.h"

namespace numvora {
namespace {

// What the margin shows: the value, and the currency of foreign money after it.
std::string shown(const NoteBook& book, std::size_t line) {
    const std::string value = book.result(line).value_or("");
    const std::string& currency = book.reading(line).currency;
    return value.empty() || currency.empty() ? value : value + " " + currency;
}

TEST(EverydayNotes, EveryLineShowsWhatItsWriterMeant) {
    const struct {
        std::string text;
        std::vector<std::string> shown;
    } notes[] = {
        // Lists: a bullet before a word makes an item, never an operation on the line above.
        {"카드 사용 내역\n- 교통 62,400\n- 식비 318,000\n- 쇼핑 145,900\n총액",
         {"", "62400", "318000", "145900", "526300"}},
        {"* 우유 2,980\n* 식빵 3,500\n* 계란 7,990\n합계", {"2980", "3500", "7990", "14470"}},
        {"장보기\n• 두부 2모 3,000원\n• 대파 1단 2,500원\n• 삼겹살 600g 15,900원\n합계",
         {"", "3000", "2500", "15900", "21400"}},
        {"회비 정산\n1. 김민수 30,000\n2. 이지은 30,000\n3. 박서준 25,000\n합계",
         {"", "30000", "30000", "25000", "85000"}},
        {"1) 숙소 240,000원\n2) 렌트카 130,000원\n3) 유류비 45,000원\n소계", {"240000", "130000", "45000", "415000"}},
        {"① 보증금 1억 2천\n② 월세 80만원", {"120000000", "800000"}},
        {"월급 3,200,000\n- 국민연금 144,000\n- 건강보험 113,440", {"3200000", "144000", "113440"}},
        {"12,000\n> 교통비 3,200\nㄴ 택시 8,000원\n· 간식 5,000", {"12000", "3200", "8000", "5000"}},
        // A mark followed at once by a figure goes on from the line above.
        {"50,000\n- 10%\n* 2", {"50000", "45000", "90000"}},
        {"환불 -5,000", {"-5000"}},
        // Property: after 억, 천 and 백 are groups of 만.
        {"매매가 3억5천", {"350000000"}},
        {"아파트 12억 2천5백", {"1225000000"}},
        {"전세 2억 5천만원", {"250000000"}},
        {"평당 2,650만원 x 32평 =", {"848000000"}},
        {"LTV 70% 대출가능 = 5억 * 70%", {"350000000"}},
        // Pay and instalments.
        {"월급 = 350만원\n월급의 10% =", {"3500000", "350000"}},
        {"세율 = 3.3%\n강사료 500,000 - 세율 =", {"", "483500"}},
        {"노트북 할부 1,698,400 / 24 =", {"70766.6666666667"}},
        {"할부 1,200,000원 / 10개월 =", {"120000"}},
        {"3만원 × 12개월", {"360000"}},
        {"월세 = 60만원\n\n월세\n+ 관리비 12만원", {"600000", "", "600000", "720000"}},
        {"총액 128,000원\n1인당 = 총액 / 4", {"128000", "32000"}},
        // Hours and dates are not calculated yet: no figure rather than a wrong one.
        {"시급 10,030원\n주 15시간", {"10030", ""}},
        {"1시간 45분 + 50분 =", {""}},
        {"2026-12-08 + 100일 =", {""}},
        {"6시간 30분 x 10,030원 =", {""}},
        {"2026년 3월 2일 입사\n회의 오후 3시", {"", ""}},
        // Travel: foreign money keeps its currency and stays out of won.
        {"호텔 $120 x 3박\n식비 85,000원\n합계", {"360 $", "85000", "85000"}},
        {"라멘 1,200엔 x 2\n교통패스 27,000원\n합계", {"2400 엔", "27000", "27000"}},
        {"환율 = 1,380\n$12.50 * 환율 =", {"1380", "17250"}},
        {"$350 / × 1,380", {""}},
        {"호텔 $120 x 3박\n* 2\n+ 5,000원", {"360 $", "720 $", ""}},
        {"숙소 1박 10~15만원 x 3\n식비 50만원\n합계", {"", "500000", "500000"}},
        // Separators and identifiers.
        {"정가 42,000 / 할인가 33,600", {""}},
        {"보증금 5천 / 월세 50", {""}},
        {"주문번호 2024031512345\n학번 20241234\n사번 103452\n커피 4,500\n합계", {"", "", "", "4500", "4500"}},
        {"택배 운송장 6012345678901\n인증번호 482913\n계좌 110-123-456789 국민", {"", "", ""}},
        {"김철수 010-1234-5678\n서울시 강남구 테헤란로 123 4층", {"", ""}},
        {"모델명 RTX 4090 2,500,000원\n아이폰 15 프로 256GB 1,550,000원 x 2", {"2500000", "3100000"}},
        // Typos: read as meant when only one reading is plausible, else nothing.
        {"용돈 3 만원\n과자 5 천원", {"30000", "5000"}},
        {"택시 12, 300원\n택시비 8 300원\n주차 1,0000원", {"", "", ""}},
        {"점심 １２，０００원", {"12000"}},
        {"30만원 + 15만원 = 45만원", {"450000"}},
        // Counts and rates in a label, counters and native numerals.
        {"사과 다섯 개 x 이천원\n소고기 2근 x 18,000원\n달걀 1판 7,990원", {"10000", "36000", "7990"}},
        {"항공 1인 420,000 x 2\n귤 1박스 25,000원 / 2 =", {"840000", "12500"}},
        {"추가할인 5% 적용: 40,800 - 5% =\n캠핑장 2박 = 45,000 * 2", {"38760", "90000"}},
        // Total words as people write them.
        {"식비 32,000\n교통 12,500\n합계 (카드)", {"32000", "12500", "44500"}},
        {"커피 4,500\n케이크 32,000\n총 합계", {"4500", "32000", "36500"}},
        {"우유 2,980\n빵 3,500\n계", {"2980", "3500", "6480"}},
        // Chains and sections.
        {"점심 12,000\n+ 커피 4,500\n합계", {"12000", "16500", "16500"}},
        {"식비 200,000\n+ 외식 85,000\n+ 배달 43,000\n소계", {"200000", "285000", "328000", "328000"}},
        {"12/1 점심 9,000\n12/2 점심 8,500\n소계\n\n12/5 저녁 20,000\n12/6 커피 14,000\n합계",
         {"9000", "8500", "17500", "", "20000", "14000", "51500"}},
    };
    for (const auto& note : notes) {
        NoteBook book;
        book.assign(note.text);
        ASSERT_EQ(book.size(), note.shown.size()) << note.text;
        for (std::size_t line = 0; line < book.size(); ++line)
            EXPECT_EQ(shown(book, line), note.shown[line]) << note.text << "\nline " << line;
    }
}

}  // namespace
}  // namespace numvora
