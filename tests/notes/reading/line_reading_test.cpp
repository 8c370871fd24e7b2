// One line of notes read as a Korean user reads it: what each figure is, and what the
// line comes to.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "notes/reading/line_reading.h"

namespace numvora {
namespace {

// "12000:a 3:c": each figure's value and role (a amount, c count, d time or date not
// calculated with, r rate, g range, f foreign money, n part of a name, h duration, t date,
// y days, m area), a duration, a date, days or an area written as a result shows it.
std::string figures_of(const LineReading& reading) {
    static constexpr char ROLES[] = {'a', 'c', 'd', 'r', 'g', 'f', 'n', 'h', 't', 'y', 'm'};
    static constexpr ResultUnit UNITS[] = {ResultUnit::Duration, ResultUnit::Date, ResultUnit::Days,
                                           ResultUnit::SquareMetre};
    std::string out;
    for (const Figure& figure : reading.figures) {
        if (!out.empty()) out += ' ';
        const auto role = static_cast<std::size_t>(figure.role);
        const auto quantity = role - static_cast<std::size_t>(FigureRole::Duration);
        out += quantity < std::size(UNITS) ? result_text({figure.value, UNITS[quantity], {}, {}, {}}, false)
                                           : figure.value;
        out += std::string(":") + ROLES[role];
    }
    return out;
}

// A line's result as the writer writes it, money in plain figures whatever its line's writing.
std::string figure_text(const LineReading& reading) {
    NoteResult result = reading.result();
    result.writing = {};
    return result_text(result, false);
}

TEST(ReadLine, FiguresByTheirOwnMarks) {
    const struct {
        std::string line, figures;
    } rows[] = {
        {"12,000원 ₩4,500 3개 (−2,000) 1-", "12000:a 4500:a 3:c -2000:a 1:n"},
        {"A4 mp3 5kg B-2 COVID-19 No.5 v1.2 S24 16GB", "5:n 2:n 19:n 5:n 2:n 16:n"},
        {"2026-12-07 010-1234-5678 12:30 12/7 3.14.15 오후 3", "2026-12-07 (월):t 10:d 12:d 12:d 3.14:d 3:d"},
        // Durations, clock spans, areas and dates are one figure each; a time of day stays two.
        {"6시간 30분 09:00~18:00 84m2 2026.12.08 3시 30분",
         "6시간 30분:h 9시간:h 84.00㎡:m 2026-12-08 (화):t 3:d 30:d"},
        {"1,23 1,234,5678 10. 007 0,001", "1:n 23:n 12345678:n 10:n 7:n 1:a"},
        {".5 .25원", "0.5:n 0.25:a"},  // a figure may open with its point
        // Typos: read as meant where one reading is plausible, else a name that adds nothing.
        {"3 만원 5 천원 3 만나서", "30000:a 5000:a 3:n"},
        {"12, 300원 8 300원 1,0000원 95, 100, 105", "12:n 8:n 10000:n 95:n"},
        {"１２，０００원", "12000:a"},
        {"김밥 3500원원", "3500:a"},
        // After 억, a group with a unit and no 만 is a group of 만, and so is one of two to four
        // digits, as listings write it; with 원 after it, it is won.
        {"1억 2천 3억5천 12억 2천5백 2억 5천만원 1억 2,000 9억 8,000원",
         "120000000:a 350000000:a 1225000000:a 250000000:a 120000000:a 900008000:a"},
        // Units in any written combination, number words with 원.
        {"2천5백만원 3백만원 5만 5천원 15만 원 1.5만, 0.25천 1억 2,000만 500",
         "25000000:a 3000000:a 55000:a 150000:a 15000:a 250:a 120000500:a"},
        {"오천원 만원 삼만 원 십만원 천원 일만이천원 삼십오만 원",
         "5000:a 10000:a 30000:a 100000:a 1000:a 12000:a 350000:a"},
        {"일억오만원 일만오원", "100050000:a 10005:a"},
        {"만약 천천히 오천 이만 5천 이상 3만이", "5000:a 30000:a"},
        // A sign glued between words joins them: no 조 of people.
        {"전기/조명 1,650,000", "1650000:a"},
        {"5천이면", "5000:n"},                          // after digits, a lone 이 is a particle
        {"출석 12 초6", "12:n 6:n"},                    // a spaced word glued to digits is no unit of the figure before
        {"시급 10,500 주 12시간", "10500:a 12시간:h"},  // nor one spaced before another figure
        {"서울 31바 8812 빨대 500개 9500", "31:n 8812:n 500:c 9500:n"},  // a plate; a count and its price
        {"세차 15,000 차 38너4512", "15000:a 38:n 4512:n"},              // a plate written whole
        // Under 10,000 beside a word of sums kept in 만, grouped or not, before or after it.
        {"세전 4,200 연봉 / 연봉 3,800", "4200:n 3800:n"},
        // Eight digits that are a day of a year name it; others are a sum.
        {"학생증 20270318 / 보증금 20000000", "20270318:d 20000000:a"},
        {"99999999999999999999조 9조 9999억 9999만 9999.99", "99999999999999999999000000000000:a 9999999999999.99:a"},
        // Fused words make names; a floor, a building and a set are not counts.
        {"2차 1인당 3층 101동 30구 1망 4대보험 16인치 2만보", "2:n 1:n 3:n 101:n 30:c 1:c 4:n 16:n 20000:c"},
        {"커피 2잔 3명이 5 명 2 명이 2박 1만 보", "2:c 3:c 5:c 2:n 2:c 10000:c"},
        {"다섯 개 두 잔 한잔 열 명 2근 1단 2모 32평 세대 열대 두부", "5:c 2:c 1:c 10:c 2:c 1:c 2:c 32:c"},
        // Identifiers: ten or more plain digits, or a plain number after 번호, 학번, 카드 ….
        {"주문번호 2024031512345 학번 20241234 카드 1234 6012345678901 체크카드 12,000",
         "2024031512345:n 20241234:n 1234:n 6012345678901:n 12000:a"},
        {"3개월 5 시간 2일간 12월의 9.4% 3.3％", "3:d 5:d 2일:y 12:d 9.4:r 3.3:r"},
        {"3~5만원 10,000~20,000원 3만-5만 1,000-2,000원", "3:g 50000:g 10000:g 20000:g 30000:g 1000:g"},
        {"$12.50 100달러 USD 20 ¥1000 5유로 €3 10 엔 30000동", "12.5:f 100:f 20:f 1000:f 5:f 3:f 10:f 30000:f"},
        {"환불:-5,000 할인-5,000 ₩-5,000 −5,000 (-5,000)", "-5000:a -5000:a -5000:a -5000:a -5000:a"},
        // A plain number is money only at the end of a label, after a word of money or in a
        // paragraph of money; alone, no line says it is won.
        {"아이폰 15 프로 RTX 4090 테헤란로 123", "15:n 4090:n 123:n"},
        {"식비 98500", "98500:a"},
        {"메모 98500", "98500:n"},
        {"우편번호 06236", "6236:n"},
        // A cut 만, a cut minus and a stray byte part nothing they should not.
        {std::string("5\xEB\xA7 \xE2\x88") + "7 x\xFF" + "8 \xE2\x88\x92" + "9", "5:n 7:n 8:n -9:n"},
        // 주 counts shares after 보유, 매수, 매도 or 주식, or beside a price; weeks elsewhere.
        {"보유 20주, 주식 3주, 임신 20주, 매수 10주, 매도 5주, 2주 매도", "20:c 3:c 20:d 10:c 5:c 2:c"},
        {"4주 x 71,000원 메모 71,000원 × 3주 주 15시간 x 4주", "4:c 71000:a 71000:a 3:c 15시간:h 4:d"},
        {"나스닥 20주 x 7,300 코스닥 2개", "20:c 7300:a 2:c"},  // shares of funds named after an index
        {"신용대출 2,000만 6.8%", "20000000:a 6.8:r"},          // a rate beside 만 is no lower part of it
        // An area with its conversion in parentheses is one area.
        {"전용 84㎡ (25.4평) 32평 (약 105.8㎡) 112㎡ (34평형)", "84.00㎡:m 105.79㎡:m 112.00㎡:m"},
    };
    for (const auto& row : rows) EXPECT_EQ(figures_of(read_line(row.line)), row.figures) << row.line;
}

TEST(ReadLine, WhatALineComesTo) {
    const struct {
        std::string line;
        LineKind kind;
        std::string value;  // "error" for an expression that fails
    } rows[] = {
        {"커피 4,500 x 2", LineKind::Expression, "9000"},
        {"수수료 3.3% 2,500원", LineKind::Amount, "2500"},
        {"정가 45,000원 20% 할인", LineKind::Expression, "36000"},
        {"45,000원에서 20% 할인", LineKind::Expression, "36000"},
        {"월급 300만원 5% 인상", LineKind::Expression, "3150000"},
        {"5만원의 10%", LineKind::Expression, "5000"},
        {"1000 + 10%", LineKind::Expression, "1100"},
        {"1000 - 20% + 10%", LineKind::Expression, "880"},
        {"1000 * 10%", LineKind::Expression, "100"},
        // Rates of things each named add only where asked.
        {"시즌오프 20% + 회원 10% 중복", LineKind::Nothing, ""},
        {"취득세 1% + 지방교육세 0.1% =", LineKind::Expression, "1.1%"},
        {"7 % 3", LineKind::Expression, "1"},
        {"차값 2천5백만원", LineKind::Amount, "25000000"},
        {"아이폰 15 프로 1,550,000원", LineKind::Amount, "1550000"},
        {"RTX 4090 2,500,000", LineKind::Amount, "2500000"},
        {"한우 등심 1++ 300g 39,000", LineKind::Amount, "39000"},  // a grade of beef
        {"예산 3~5만원", LineKind::Nothing, ""},
        // A range of money rises: one that falls is a difference.
        {"받을돈 186,400-130,300", LineKind::Expression, "56100"},
        {"목표 매매가 5억 이하", LineKind::Nothing, ""},      // a limit
        {"자기부담 20% (최소 20만)", LineKind::Nothing, ""},  // the rate's floor or cap
        {"수수료 1% 최대 5,000원", LineKind::Nothing, ""},
        {"배송비 최대 5,000원", LineKind::Amount, "5000"},
        {"관부가세 없음 ($150 이하)", LineKind::Nothing, ""},
        {"4대보험 9.4%", LineKind::Nothing, ""},
        {"환율 $1 = 1,380원", LineKind::Nothing, ""},  // a rate of exchange
        {"$12.50", LineKind::Amount, "$12.50"},
        // Letters before "$" name another dollar; one not known leaves no figure.
        {"딤섬 HK$ 420", LineKind::Amount, "HK$ 420"},
        {"NT$300", LineKind::Amount, "NT$ 300"},
        {"S$2", LineKind::Amount, "S$ 2"},
        {"A$1", LineKind::Amount, "A$ 1"},
        {"C$1", LineKind::Amount, "C$ 1"},
        {"US$1", LineKind::Amount, "US$ 1"},
        {"택시 R$ 50", LineKind::Expression, ""},
        {"식비 98,500 커피 4,500원", LineKind::Nothing, ""},
        // Nor beside a sum kept in 만 unwritten after it; one before it labels the line.
        {"보증금 3억 월세 80", LineKind::Nothing, ""},
        {"30만원 → 7,150바트", LineKind::Nothing, ""},                     // nor beside foreign money
        {"7월 / 9월 반반 = 858,000 / 2", LineKind::Expression, "429000"},  // two months set apart
        {"헬리오시티 84 매매 4억 5천", LineKind::Amount, "450000000"},
        {"참석 12명", LineKind::Count, "12"},
        {"마사지 4명 $25씩", LineKind::Nothing, ""},  // a price for each, the sum unsaid
        {"5만원권 2장", LineKind::Nothing, ""},       // a note for each
        {"€50 지폐 2장", LineKind::Nothing, ""},
        {"원두 1kg x 6 @ 32,000", LineKind::Expression, "192000"},  // so many at a price each
        {"대학동기 8명 각 10만", LineKind::Expression, "800000"},   // so many giving so much each
        {"전화 +81-75-123-4567", LineKind::Nothing, ""},            // a number to call, dashes and all
        {"n빵 4명 각 26,000", LineKind::Amount, "26000"},           // shared out, each one's share
        {"삼성전자 30주 @ 70,100", LineKind::Nothing, ""},          // shares: notes split on what they mean
        {"삼성전자 매수 10주 @71,500", LineKind::Amount, "71500"},  // the price of a trade
        {"1인 70,750원씩", LineKind::Amount, "70750"},
        {"100,000 * 1.1 =", LineKind::Expression, "110000"},
        {"$17.99 * 1,380 =", LineKind::Expression, "24826.2"},
        // A dash in parentheses beside an operator subtracts; no range, no phone number.
        {"손익 (41,900-48,350) x 120", LineKind::Expression, "-774000"},
        {"400 x (1-0.033)", LineKind::Expression, "386.8"},
        {"1,698,400 / 24", LineKind::Expression, "70766.6666666667"},
        {"0.1 + 0.2", LineKind::Expression, "0.3"},
        {"1.000.000 =", LineKind::Expression, "error"},
        {"12/7 =", LineKind::Expression, "1.714285714286"},
        {"총 120,000원 / 4명 =", LineKind::Expression, "30000"},
        {"5만원 x 3명 =", LineKind::Expression, "150000"},
        {"3만원 × 12개월", LineKind::Expression, "360000"},
        {"커피 2잔 x 4,500원", LineKind::Expression, "9000"},
        {"1인당 120,000 / 4 =", LineKind::Expression, "30000"},
        {"회식 2차 180,000 / 6 =", LineKind::Expression, "30000"},
        {"coffee 4,500 x 2 =", LineKind::Expression, "9000"},
        {"15만 원 x 2 =", LineKind::Expression, "300000"},
        {"점심 12,000원 + 커피 4,500원 =", LineKind::Expression, "16500"},
        {"월세 50만원 + 관리비 12만 3천원 =", LineKind::Expression, "623000"},
        {"맥북 프로 16인치 3,690,000원 / 12개월 =", LineKind::Expression, "307500"},
        {"3월 식비12,000*2", LineKind::Expression, "24000"},
        {"₩1,000 X (1+2) x 3", LineKind::Expression, "9000"},
        {"4,500원x2", LineKind::Expression, "9000"},
        {"3개x 2,500원", LineKind::Expression, "7500"},
        {"절임배추 20kg x 3박스 x 38,000", LineKind::Expression, "114000"},  // what each box holds
        {"생크림 500ml x 10 x 5,900", LineKind::Expression, "59000"},        // what each carton holds
        {"쌀 10kg x 2포대 x 32,000원", LineKind::Expression, "64000"},
        {"점심 22일x 9천", LineKind::Expression, "198000"},
        {"x = 3 + 4 = 7", LineKind::Expression, "7"},
        // A word between two figures leaves the reading unclear: no result of some terms.
        {"12,000 점심 4,500 + 1,000 =", LineKind::Expression, "error"},
        {"커피 4,500 x 2 케이크 32,000", LineKind::Nothing, ""},
        {"모니터 1920x1080", LineKind::Nothing, ""},
        {"어묵 2x1500", LineKind::Expression, "3000"},  // a few at a price, no size
        // k for a thousand after a label; a race's "10k" after its date, a screen's "4k".
        {"그늘집 68k", LineKind::Amount, "68000"},
        {"택시 만2천", LineKind::Amount, "12000"},  // 만 alone before thousands is one 만
        {"버스 만5백", LineKind::Amount, "10500"},
        {"커피 4.5k x 2", LineKind::Expression, "9000"},
        {"2026-10-18 10k", LineKind::Nothing, ""},
        {"심장사상충 3개월분 36k", LineKind::Amount, "36000"},
        {"삼성 4k 모니터", LineKind::Nothing, ""},
        {"러닝 5km", LineKind::Nothing, ""},
        {"간식 3k씩", LineKind::Nothing, ""},
        {"대파 3k 2단", LineKind::Count, "2"},
        // A unit in parentheses is no amount; right after a whole figure, it is that figure's.
        {"연봉 3800 (만원)", LineKind::Amount, "38000000"},
        {"적립 12 (천원)", LineKind::Amount, "12000"},
        {"순익 3 (억원)", LineKind::Amount, "300000000"},
        {"매출 25 (백만원)", LineKind::Amount, "25000000"},
        {"(단위: 만원)", LineKind::Nothing, ""},
        {"매출 (천원)", LineKind::Nothing, ""},
        {"매출 (백만원)", LineKind::Nothing, ""},
        {"자산 (억원)", LineKind::Nothing, ""},
        {"5 / 0", LineKind::Expression, "error"},
        {"(3 + 4", LineKind::Expression, "error"},
        {"2026-12-07 - 회의", LineKind::Nothing, ""},
        {"합계표 2장", LineKind::Count, "2"},
        {"합계 = 3", LineKind::Total, ""},
        // A count or a rate in the label before an expression is part of the label.
        {"평당 2,650만원 x 32평 =", LineKind::Expression, "848000000"},
        {"LTV 70% 대출가능 = 5억 * 70%", LineKind::Expression, "350000000"},
        {"항공 1인 420,000 x 2", LineKind::Expression, "840000"},
        {"주휴 16/40 x 8 x 10,320", LineKind::Expression, "33024"},  // a division, no date, before x
        {"12/7 x 3", LineKind::Expression, ""},                      // a date is no operand
        // A price of a measure divides nothing.
        {"한우 3,000원/kg x 2kg", LineKind::Expression, "6000"},
        {"수하물 23kg x 1", LineKind::Nothing, ""},  // a weight, no money
        {"11/02 1,689원/L 45L 76,005", LineKind::Nothing, ""},
        // Parts set apart by "/" are several figures, whatever each part calculates.
        {"국어 4.5 x 3학점 / 영어 4.0 x 3학점", LineKind::Nothing, ""},
        {"A은행 4.15% 변동 / 중도상환 1.2%", LineKind::Nothing, ""},
        // A rate after its amount, or a labelled rate and an amount labelled anew: no one
        // figure; a rate before its amount, or set aside, labels it.
        {"중도상환 3,000만 하면 수수료 1.2%", LineKind::Nothing, ""},
        {"기존 금리 5.1% 남은원금 1억 5천", LineKind::Nothing, ""},
        {"DSR 40% 연소득 7,000만", LineKind::Nothing, ""},
        {"수수료율 1.2% 원금 3,000만", LineKind::Nothing, ""},
        {"쿠폰 10% 할인 45,000", LineKind::Amount, "45000"},
        {"수수료율 1.5% 30,000원", LineKind::Amount, "30000"},
        {"24개월 이자 5.9% 포함 월 68,650", LineKind::Amount, "68650"},
        {"1~3개월 100% 상한 250만", LineKind::Amount, "2500000"},
        {"수익률 5% 평가 1,000만원", LineKind::Nothing, ""},
        {"상여 100% 3,200,000", LineKind::Amount, "3200000"},
        {"카드론 1,500만 (17.9%)", LineKind::Amount, "15000000"},
        {"귤 1박스 25,000원 / 2 =", LineKind::Expression, "12500"},
        {"추가할인 5% 적용: 40,800 - 5% =", LineKind::Expression, "38760"},
        {"캠핑장 2박 = 45,000 * 2", LineKind::Expression, "90000"},
        {"사과 다섯 개 x 이천원", LineKind::Expression, "10000"},
        {"근무 8시간 x 10,030원", LineKind::Expression, "80240"},
        // 분 before a price per head counts people; minutes are half an hour's pay.
        {"동료 3분 x 50,000원", LineKind::Expression, "150000"},
        {"하객 12분 x 5만", LineKind::Expression, "600000"},
        {"30분 x 10,030원", LineKind::Expression, "5015"},
        // Foreign money keeps its currency; times a rate of exchange it is won.
        {"호텔 $120 x 3박", LineKind::Expression, "$360"},
        {"라멘 1,200엔 x 2", LineKind::Expression, "2400엔"},
        {"USD 20 + 10%", LineKind::Expression, "USD 22"},
        {"$100 / $4", LineKind::Expression, "25"},
        {"$120 + 100달러", LineKind::Expression, "$220"},  // one currency however written
        {"$12 = 16,560원", LineKind::Amount, "16560"},     // an amount and what it came to, no rate
        {"1파운드 = 0.4536kg", LineKind::Nothing, ""},     // a conversion of units
        {"티켓 $81 (4장)", LineKind::Amount, "$81"},
        // Things counted and the price they came to, no product of the counts.
        {"휴지 30롤 x 2 = 36,800", LineKind::Amount, "36800"},
        {"우유 1L x 60 = 138,000", LineKind::Amount, "138000"},
        {"박스 10개 x 100 = 1,000", LineKind::Expression, "1000"},
        {"사과 3개 x 2 = 7", LineKind::Expression, "6"},
        {"커피 2잔 x 4,500 = 9,500", LineKind::Expression, "9000"},
        // 부가세, 10%: a result in won is cut below the 원; the word elsewhere is a label.
        {"1,000 + 부가세", LineKind::Expression, "1100"},
        {"1,234원 부가세 별도 =", LineKind::Expression, "1357"},
        {"5만원의 부가세", LineKind::Expression, "5000"},
        {"부가세 1,234원", LineKind::Expression, "123"},
        {"부가세 3,300,000 - 3,000,000", LineKind::Expression, "300000"},
        {"1,100,000원 공급가", LineKind::Expression, "1000000"},
        {"부가세 포함 1,100,000원", LineKind::Amount, "1100000"},
        {"부가세 별도 문의", LineKind::Nothing, ""},
        // A "/" between two labelled figures parts them.
        {"정가 42,000 / 할인가 33,600", LineKind::Nothing, ""},
        {"보증금 1천/월 65", LineKind::Nothing, ""},              // a sum per month, then another: two sums
        {"오퍼 연봉 4,800 + 성과급 300", LineKind::Nothing, ""},  // a sum in 만 unwritten joined to another
        {"실외기 1대 + 실내기 4대 세트 4,650,000", LineKind::Amount, "4650000"},  // things counted, joined
        {"도수 -3.25 / -2.75", LineKind::Nothing, ""},              // so does one between two signed figures
        {"3콜 (25,000 / 30,000 / 18,000)", LineKind::Nothing, ""},  // and a row of grouped amounts
        {"동기 모임 회비 (월 3만)", LineKind::Nothing, ""},         // a remark after words names them
        {"4. 생신 선물 (예산 10만)", LineKind::Amount, "100000"},   // an item's is what it costs
        {"이상철 (6만 냄)", LineKind::Amount, "60000"},             // and one opened by its figure tells of it
        {"12월 7일 - 12,000원", LineKind::Amount, "12000"},
        {"30만원 + 15만원 = 45만원", LineKind::Expression, "450000"},
        {"- 교통 62,400", LineKind::Amount, "62400"},
        {"x-ray 12,400", LineKind::Amount, "12400"},
        {"12 @ 3 =", LineKind::Expression, "error"},
        // Hours: a span of clock times is its duration, and durations add, scale and earn.
        {"09:00~18:00", LineKind::Expression, "9시간"},
        {"토 17:00~25:00", LineKind::Expression, "8시간"},  // a shift's end written past midnight
        {"오전 9시 ~ 오후 6시 30분", LineKind::Expression, "9시간 30분"},
        {"22:00~06:00", LineKind::Expression, "8시간"},
        {"09:30~18:00 - 1시간", LineKind::Expression, "7시간 30분"},
        {"시급 10,030원 x 6.5시간", LineKind::Expression, "65195"},
        {"주 15시간 x 4주", LineKind::Expression, "60시간"},
        {"주 40시간 / 5", LineKind::Expression, "8시간"},
        {"근무 8시간", LineKind::Duration, "8시간"},
        {"근무 오후 3시 2시간", LineKind::Nothing, ""},
        {"서울→판교 23km 40분", LineKind::Nothing, ""},  // a trip's time beside its distance
        {"숙박 3일 x 50,000원", LineKind::Expression, "150000"},
        // Dates: days on, days between, a leap day, a month's end.
        {"2028-02-28 + 1일", LineKind::Expression, "2028-02-29 (화)"},
        {"2026-01-31 + 30일", LineKind::Expression, "2026-03-02 (월)"},
        {"2026-12-08 =", LineKind::Expression, "2026-12-08 (화)"},
        {"D-day 2026-12-25", LineKind::Nothing, ""},  // no today to count from
        // 평 and ㎡: an area asked in the other unit; alone, an area is no money.
        {"84㎡ 평", LineKind::Expression, "25.41평"},
        {"84m² 평", LineKind::Expression, "25.41평"},
        {"84m2 → 평", LineKind::Expression, "25.41평"},
        {"32평 ㎡", LineKind::Expression, "105.79㎡"},
        {"아파트 84㎡", LineKind::Nothing, ""},
        {"9시~18시", LineKind::Expression, "9시간"},
        {"근무 아침 7시~밤 9시", LineKind::Expression, "14시간"},
        {"84㎡는 몇 평?", LineKind::Expression, "25.41평"},
        {"32평은 몇 제곱미터", LineKind::Expression, "105.79㎡"},
        {"전용 84㎡ (25.4평)", LineKind::Nothing, ""},
        // VAT, vat and V.A.T are 부가세; "부가세 10%" is the rate itself; a tax of a sum.
        {"1,800,000 + VAT", LineKind::Expression, "1980000"},
        {"1,800,000 vat 별도", LineKind::Expression, "1980000"},
        // In parentheses beside a quote, the words only say the tax is not in it.
        {"견적 1,800,000원 (V.A.T 별도)", LineKind::Amount, "1800000"},
        {"(350,000 + 180,000)의 부가세", LineKind::Expression, "53000"},
        {"부가세 100,000원", LineKind::Expression, "10000"},  // no operator: the tax of it
        {"330,000원 (VAT 포함)", LineKind::Amount, "330000"},
        // More tokens than a reading holds in place.
        {"1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1", LineKind::Expression, "30"},
    };
    for (const auto& row : rows) {
        const LineReading reading = read_line(row.line);
        EXPECT_EQ(reading.kind, row.kind) << row.line;
        const std::string value = reading.has_result() ? figure_text(reading) : "";
        EXPECT_EQ(reading.error ? "error" : value, row.value) << row.line;
    }
}

// The one writer of a result, beside its line and after it: money grouped as asked or
// in 만 as its line writes it (or the margin's preference asks), foreign money with its
// sign or word and its value in won at a rate, a D-day, days and durations in words; and
// the figure a calculator takes from it, only where it is the figure shown.
TEST(ResultText, EachResultAsItIs) {
    constexpr AmountWriting IN_MAN{true, false};
    constexpr AmountWriting IN_MAN_WON{true, true};
    const struct {
        NoteResult result;
        ResultView view;
        std::string text;
        std::optional<std::string> calculator;
    } rows[] = {
        {{"-1234.5", ResultUnit::Money, "", {}, "", true}, {false}, "-1,234.5", "-1234.5"},
        {{"1234.5", ResultUnit::Number, "", {}, "", false}, {false}, "1234.5", "1234.5"},
        {{"-1360", ResultUnit::Money, "$", {}, "", true}, {false}, "-$1,360", "-1360"},
        {{"2400", ResultUnit::Money, "엔", {}, "", true}, {false}, "2,400엔", "2400"},
        {{"22", ResultUnit::Money, "USD", {}, "", false}, {false}, "USD 22", "22"},
        {{"17", ResultUnit::DDay, "", {}, "", true}, {false}, "D-17", std::nullopt},
        {{"0", ResultUnit::DDay, "", {}, "", true}, {false}, "D-Day", std::nullopt},
        {{"-3", ResultUnit::DDay, "", {}, "", true}, {false}, "D+3", std::nullopt},
        {{"1281", ResultUnit::Days, "", {}, "", true}, {false}, "1281일", "1281"},
        {{"570", ResultUnit::Duration, "", {}, "", true}, {false}, "9시간 30분", std::nullopt},
        {{"20795", ResultUnit::Date, "", {}, "", true}, {false}, "2026-12-08 (화)", std::nullopt},
        {{"25.41", ResultUnit::Pyeong, "", {}, "", true}, {false}, "25.41평", "25.41"},
        {{"7.2", ResultUnit::Percent, "", {}, "", true}, {false}, "7.2%", std::nullopt},
        // Money in 만 as its line writes it, whatever the grouping; 원 where the line has it.
        {{"155000000", ResultUnit::Money, "", IN_MAN_WON, "", false}, {false}, "1억 5,500만원", "155000000"},
        {{"673000", ResultUnit::Money, "", IN_MAN, "", true}, {false}, "67만 3,000", "673000"},
        // The margin's preference writes every amount so, and nothing else.
        {{"1234000", ResultUnit::Number, "", {false, true}, "", false}, {true}, "123만 4,000원", "1234000"},
        {{"90", ResultUnit::Duration, "", {}, "", false}, {true}, "1시간 30분", std::nullopt},
        // Cents to the cent, and the value in won at a rate.
        {{"165.5", ResultUnit::Money, "$", {}, "", false}, {false}, "$165.50", "165.5"},
        {{"12.5", ResultUnit::Money, "$", {}, "17250", true}, {false}, "$12.50 → 17,250원", "12.5"},
        {{"1200.5", ResultUnit::Money, "엔", {}, "11044.6", false}, {true}, "1200.5엔 → 1만 1,044.6원", "1200.5"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(margin_text(row.result, row.view), row.text) << row.result.value;
        EXPECT_EQ(calculator_value(row.result), row.calculator) << row.result.value;
    }
}

// What F9 makes of a line: the result in place of the old ones, grouped as the
// expression's numbers are, whatever the calculator's grouping.
TEST(ReadLine, WhereF9Writes) {
    const struct {
        std::string text, written;  // the text with the result written in; "" when F9 writes nothing
    } rows[] = {
        {"(12,000 + 4,500) * 3 =", "(12,000 + 4,500) * 3 = 49,500"},
        {"1+2=\u3000\r\n", "1+2 = 3\r\n"},
        {"  1+2  ", "  1+2 = 3  "},
        {" 3×4−1 \n", " 3×4−1 = 11 \n"},
        {"12000 + 4500", "12000 + 4500 = 16500"},
        {"12,000원 + 4,500원 = 3", "12,000원 + 4,500원 = 16,500"},
        {"점심 12만 + 3천 =", "점심 12만 + 3천 = 12만 3,000"},
        {"1+2 = 3 = 3  \n", "1+2 = 3\n"},
        {"1+2=-1,234.50원", "1+2 = 3"},
        {"7 = 1 + 2", "7 = 1 + 2 = 3"},
        {"배민 2만원 수수료 = 20,000 x 7.8%", "배민 2만원 수수료 = 20,000 x 7.8% = 1,560"},  // a label's figures
        {"월세 55만원 =", "월세 55만원 = 55만원"},
        {"월세 55만원", ""},
        {"１２，０００원 + 3 =", "１２，０００원 + 3 = 12,003"},
        {"1) 커피 4,500 x 2", "1) 커피 4,500 x 2 = 9,000"},
        // An old result as the writer writes it is replaced too.
        {"1시간 45분 + 50분 = 2시간", "1시간 45분 + 50분 = 2시간 35분"},
        {"2026-12-08 + 100일 = 2027-03-17 (수)", "2026-12-08 + 100일 = 2027-03-18 (목)"},
        {"2026-03-02 ~ 2026-12-08 = 280일", "2026-03-02 ~ 2026-12-08 = 281일"},
        {"84㎡ 평 = 25평", "84㎡ 평 = 25.41평"},
        {"호텔 $120 x 3박 = $300", "호텔 $120 x 3박 = $360"},
        {"USD 20 + 10% = USD 20", "USD 20 + 10% = USD 22"},
        {"점심 12,000원", ""},
        {"휴지 30롤 x 2 = 36,800", ""},  // the writer's price, no product of the counts
        {"box 2", ""},
        {" = ", ""},
        {"", ""},
    };
    for (const auto& row : rows) {
        const LineReading reading = read_line(row.text);
        const bool writes = reading.calculates();
        std::string written = row.text;
        if (writes)
            written.replace(reading.replace_begin, reading.replace_end - reading.replace_begin,
                            written_result(reading.result(), reading.grouped));
        EXPECT_EQ(writes ? written : "", row.written) << row.text;
    }
}

// "이름 = 값" and "이름: 값" give the name the value; a number word, a total word, a
// phrase or a name without a value give none.
TEST(ReadLine, DefinitionsGiveTheirName) {
    const struct {
        std::string line, defines, value;
    } rows[] = {
        {"월세 = 55만원", "월세", "550000"},
        {"관리비: 12만 3천원", "관리비", "123000"},
        {"인원 = 4명", "인원", "4"},
        {"항목_2 = 3 * 4 = 7", "항목_2", "12"},
        {"rate2 = 1,380", "rate2", "1380"},
        {"오천 = 3", "", "3"},
        {"합계 = 3", "", ""},
        {"회비 정산: 30,000", "회비 정산", "30000"},
        {"메모: 내일 회의", "", ""},
        {"2차: 40,000", "", "40000"},
        // A rate or a duration names no result, but the name gives it to the lines below.
        {"세율 = 3.3%", "세율", ""},
        {"근무 = 1시간 30분", "근무", "90"},
        {"입주 = 2026-03-02", "입주", ""},
        {"메모: 3시 회의", "", ""},
    };
    for (const auto& row : rows) {
        const LineReading reading = read_line(row.line);
        EXPECT_EQ(reading.defines, row.defines) << row.line;
        EXPECT_EQ(reading.value, row.value) << row.line;
    }
}

// The lines above as a scope: names with their values, the nearest result, and whether
// the block above holds a result.
class Above final : public NoteScope {
public:
    Above(std::map<std::string, std::string, std::less<>> names, bool block_result)
        : names_(std::move(names)), block_result_(block_result) {}
    std::optional<std::string> value_of(std::string_view name) const override {
        const auto found = names_.find(name);
        return found == names_.end() ? std::nullopt : std::optional(found->second);
    }
    std::optional<std::string> previous() const override { return "1000"; }
    std::optional<std::string> line_above() const override { return "1000"; }
    bool block_has_result() const override { return block_result_; }
    // The lines above hold money.
    std::optional<ParagraphFacts> paragraph() const override { return ParagraphFacts{true, false}; }
    std::optional<DayNumber> today() const override { return day_number(2026, 12, 8); }
    std::optional<std::string> rate_of(std::string_view code) const override {
        return code == "EUR" ? std::optional<std::string>("1500") : std::nullopt;
    }

private:
    std::map<std::string, std::string, std::less<>> names_;
    bool block_result_;
};

// Names with particles, a name alone, a rate a name gives, list marks, a total word with
// an amount, dates with today's, 부가세 of the line above, euros at a rate, and the reason
// a line has no result; the result above is 1,000, today 2026-12-08, €1 1,500원.
TEST(ReadLine, WithTheLinesAbove) {
    const Above above({{"월급", "3500000"},
                       {"월세", "600000"},
                       {"세율", "3.3%"},
                       {"근무", "1시간 30분"},
                       {"호텔", "360 $"},
                       {"합계", "500000"}},
                      false);
    const Above block_with_results({}, true);
    const struct {
        std::string line;
        std::string value;
        std::string unclear = "";
        bool continues = false;
        const NoteScope* scope = nullptr;
    } rows[] = {
        {"월급의 10% =", "350000"},
        {"월급에서 20% 할인", "2800000"},
        {"위의 부가세", "100"},
        {"합계의 10%", "50000"},
        {"월급-월세 차이 3,500,000 - 500,000", "3000000"},  // names glued over figures label them
        {"월세는 + 5만원", "650000"},
        {"월세", "600000"},
        {"강사료 500,000 - 세율 =", "483500"},
        {"근무 * 10,030원", "15045"},
        {"월세 + 관리비", "", "'관리비'를 찾을 수 없습니다"},
        {"식비 - 월세", "", "'식비'를 찾을 수 없습니다"},  // a word alone across a "-" from a name
        {"월세 - 식비", "", "'식비'를 찾을 수 없습니다"},
        // A year or a code is no operand; a number of years is.
        {"준공 2008년 / 1,234세대", "", "'2008년'을 계산에 쓸 수 없습니다"},
        {"종목 005930 / 000660", "", "'005930'을 계산에 쓸 수 없습니다"},
        {"3년 x 12", "36"},
        // Two bare figures of tens or hundreds after a label are a pair of sizes or scores.
        {"나 235 / 55", ""},
        {"식비 450 / 3", "150"},
        // A bare figure after a label, added to won: dishes or won, the line does not say.
        {"짜장면 2 + 탕수육 29,000", "", "'2'를 금액으로 읽을 수 없습니다"},
        {"시급 10,030 (주휴 포함 X)", "10030"},       // an X after a word, no operand after it, marks a no
        {"정장 (입학식X 면접용) 198,000", "198000"},  // and so does one glued to a word before another
        // A list mark before a word makes an item; before a figure it is an operator.
        {"- 교통 62,400", "62400"},
        {"- 10월 다과 34,500", "34500"},
        {"- 7월 300만", "3000000"},
        {"* 우유 2,980", "2980"},
        {"• 두부 3,000원", "3000"},
        {"2. 이지은 30,000", "30000"},
        {"① 월세", "600000"},
        {"- 10%", "900", "", true},
        {"* 2", "2000", "", true},
        {"× 1,380", "1380000", "", true},
        // A label then "/" glued to a figure, or after a word of "per", divides the result above.
        {"1인 /4", "250"},
        {"1인당 / 2", "500"},
        {"월급 /2", "1750000"},
        {"사과 / 4", "", "'사과'를 찾을 수 없습니다"},
        {"-5,000", "-5000"},
        // "총액 128,000원" is the amount at the top of its block, a total below results.
        {"총액 128,000원", "128000"},
        {"총액 128,000원", "", "", false, &block_with_results},
        // A figure or an operator that cannot be read whole: no result, and why.
        {"택시 12, 300원", "", "'12, 300원'을 읽을 수 없습니다"},
        {"택시비 8 300원", "", "'8 300원'을 읽을 수 없습니다"},
        {"저녁 €28,50", "", "'€28,50'을 읽을 수 없습니다"},        // a decimal comma, or a slip
        {"차량 68조 4421", "", "'68조 4421'을 읽을 수 없습니다"},  // 억 after 조 or a plate
        {"201호 55만 11/5 입금", "550000"},                        // a date after 만 is its own
        {"신용대출 5천 30년", "50000000"},                         // and a term after 천
        {"주차 1,0000원", "", "'1,0000원'을 읽을 수 없습니다"},
        {"숙소 1박 10~15만원 x 3", "", "범위는 계산할 수 없습니다"},
        {"오후 3시 + 2시간", "", "날짜와 시간을 이렇게 계산할 수는 없습니다"},
        {"2026-12-08 + 2026-12-25", "", "날짜와 시간을 이렇게 계산할 수는 없습니다"},
        {"3개월 무이자 / 3", "", "날짜와 시간을 이렇게 계산할 수는 없습니다"},  // the term names the line
        {"배당 3 / 4 / 8월", "", "날짜와 시간을 이렇게 계산할 수는 없습니다"},  // a month divides nothing
        {"배당 3월 / 4", "", "날짜와 시간을 이렇게 계산할 수는 없습니다"},
        {"412,300 - 12월 여행 적립", "", "날짜와 시간을 이렇게 계산할 수는 없습니다"},  // a month with no figure after
        {"84㎡ x 2", "", "면적은 평과 ㎡ 사이로만 바꿀 수 있습니다"},
        {"$350 / × 1,380", "", "연산자가 겹쳐 있어 계산할 수 없습니다"},
        {"$120 + 85,000원", "", "환율 없이 외화를 원화와 계산할 수 없습니다"},
        {"$120 x 1,200엔", "", "환율 없이 외화를 원화와 계산할 수 없습니다"},
        {"호텔 + 85,000원", "", "환율 없이 외화를 원화와 계산할 수 없습니다"},
        // Dates and hours calculate: today, days on and between, D-days, a date's dash.
        {"2026-03-02 ~ 2026-12-08 =", "281일"},
        {"2026-12-08 + 100일 =", "2027-03-18 (목)"},
        {"오늘 + 100일", "2027-03-18 (목)"},
        {"12월 8일 + 100일", "2027-03-18 (목)"},
        {"2026-12-25 - 오늘", "17일"},
        {"12/25 - 오늘", "17일"},
        {"2026-12-01 ~ 12/8", "7일"},
        {"D-day 2026-12-25", "D-17"},
        {"D-2026-12-08", "D-Day"},
        {"D-12/5", "D+3"},
        {"12월 7일 - 12,000원", "12000"},
        {"1시간 45분 + 50분 =", "2시간 35분"},
        {"6시간 30분 x 10,030원 =", "65195"},
        {"토 11:00-20:00", "9시간"},
        // Beside 억, 천 alone counts 만.
        {"실투자 2억1천 - 1천", "200000000"},
        // 천 alone after a word of sums kept in 만, however far before it, is of 만원; after
        // 월세, 관리비 or 한도 won or 만원.
        {"전세금 보태라고 3천 보낸다", "30000000"},
        {"월세 5천", "", "'5천'을 읽을 수 없습니다"},
        {"관리비 2천", "", "'2천'을 읽을 수 없습니다"},
        {"마통 한도 3천", "", "'3천'을 읽을 수 없습니다"},
        {"권리금 2~3천", ""},
        // A size word after its figure names that one, not the price after it.
        {"옷장 1200 폭 398,000", "398000"},
        {"부츠 사이즈 240 129,000", "129000"},  // a price right after the size's figure
        // and after a size in letters
        {"하네스 XS 사이즈 29,000", "29000"},
        {"하네스 S 사이즈 29,000", "29000"},
        {"하네스 M 사이즈 29,000", "29000"},
        {"하네스 L 사이즈 29,000", "29000"},
        {"하네스 XL 사이즈 29,000", "29000"},
        {"하네스 XXL 사이즈 29,000", "29000"},
        {"하네스 FREE 사이즈 29,000", "29000"},
        {"하네스 프리 사이즈 29,000", "29000"},
        {"사이즈 270 나이키 운동화 89,000", "89000"},  // or after words
        // 부가세 alone is 10% of the line above; under it, its 10% written is that amount.
        {"부가세", "100"},
        {"부가세 100", "100"},
        {"부가세 91원", "91"},
        {"부가세 5,000", "500"},
        {"부가세 10% 100", "100"},
        {"부가세 10% 5,000", "500"},
        // Foreign money at the rate above: in won beside it, and added to won.
        {"€20", "€20 → 30,000원"},
        {"€20 + 5,000원", "35000"},
        // A D-day after its date, in Latin letters or Hangul.
        {"이사 2027-02-27 D-day", "D-81"},
        {"이사일 2027-02-27 (D-Day)", "D-81"},
        {"이사 2027-02-27까지 D-day", "D-81"},
        {"이사 디데이 2027-02-27", "D-81"},
        // "부가세 10%" is the rate, never a name to look for.
        {"공급가 250,000 + 부가세 10%", "275000"},
    };
    for (const auto& row : rows) {
        const LineReading reading = read_line(row.line, false, row.scope != nullptr ? row.scope : &above);
        EXPECT_EQ(reading.has_result() ? figure_text(reading) : "", row.value) << row.line;
        EXPECT_EQ(reading.unclear, row.unclear) << row.line;
        EXPECT_EQ(reading.continues, row.continues) << row.line;
    }
}

// A rate of exchange as notes write it, for the lines below; an amount converted once,
// or a rate that is a percentage, sets none.
TEST(ReadLine, RateLinesSetTheirRate) {
    const struct {
        std::string line;
        std::optional<ExchangeRate> rate;
    } rows[] = {
        {"$1 = 1,380원", ExchangeRate{"USD", "1380"}},
        {"1달러 = 1,380원", ExchangeRate{"USD", "1380"}},
        {"환율 $1 = 1,380원", ExchangeRate{"USD", "1380"}},
        {"$1 = 1,040원 (싱달러)", ExchangeRate{"USD", "1040"}},
        {"100엔 = 903.4원 (우대 90%)", ExchangeRate{"JPY", "9.034"}},
        {"달러 환율 1,470원 (오늘)", ExchangeRate{"USD", "1470"}},
        {"$1 = 1,380원 (3일)", std::nullopt},
        {"100엔 = 920원", ExchangeRate{"JPY", "9.2"}},
        {"100동 = 5.45원", ExchangeRate{"VND", "0.0545"}},
        {"1,000,000동 = 54,000원", ExchangeRate{"VND", "0.054"}},
        {"1유로 = 1,500원", ExchangeRate{"EUR", "1500"}},
        {"1위안 = 190원", ExchangeRate{"CNY", "190"}},
        {"1 NT$ = 43.47원", ExchangeRate{"TWD", "43.47"}},  // a sign of letters after its figure
        {"£1 = 1,700", ExchangeRate{"GBP", "1700"}},
        {"환율 1,380", ExchangeRate{"USD", "1380"}},
        {"환율 = 1,380", ExchangeRate{"USD", "1380"}},
        {"$12 = 16,560원", std::nullopt},
        {"환율 1,380원 올랐다", std::nullopt},
        {"환율 3.3%", std::nullopt},
        // The currency named before 환율; yen quoted per 100엔, as banks do, above 100원.
        {"원달러 환율 1,470원", ExchangeRate{"USD", "1470"}},
        {"원/달러 환율: 1,470원", ExchangeRate{"USD", "1470"}},
        {"달러 환율 1,470원", ExchangeRate{"USD", "1470"}},
        {"엔화 환율 9.1원", ExchangeRate{"JPY", "9.1"}},
        {"엔 환율 910원 (100엔)", ExchangeRate{"JPY", "9.1"}},
        {"엔화 환율 910원", ExchangeRate{"JPY", "9.1"}},
        {"유로 환율 1,600", ExchangeRate{"EUR", "1600"}},
        {"위안화 환율 = 190원", ExchangeRate{"CNY", "190"}},
        {"달러 환율 1,470원 돌파", std::nullopt},
        {"여행 환율 1,470원", std::nullopt},
        {"엔 환율 910원 (100달러)", std::nullopt},
    };
    for (const auto& row : rows) {
        const LineReading reading = read_line(row.line);
        EXPECT_EQ(reading.sets_rate, row.rate) << row.line;
        if (row.rate) {
            EXPECT_FALSE(reading.has_result()) << row.line;  // never added into a total
        }
    }
}

TEST(ReadTotalLine, Table) {
    const struct {
        std::string line;
        std::optional<std::size_t> word_end, line_end;
        TotalWord word = TotalWord::Grand;
    } rows[] = {
        {"합계", 6, 6},
        {" 총합 : 29,300원  ", 7, 21},
        {"소계=-1.5", 6, 11, TotalWord::Sub},
        {"총합계: 3", 9, 12},
        {"합계금액", 12, 12},
        {"합계 = 3 = 4", std::nullopt, std::nullopt},
        {"합격", std::nullopt, std::nullopt},
        {"합계\n\n5", std::nullopt, std::nullopt},
        {"합계 (식비)", 15, 15},
        {"총 합계", 10, 10},
        {"계", 3, 3},
        {"계좌 110-123", std::nullopt, std::nullopt},
        {"총 120,000원 / 4명", std::nullopt, std::nullopt},
        {"총 8학점", std::nullopt, std::nullopt},
        {"이번달 총 과금", 20, 20},
        {"이번달 총 8학점", std::nullopt, std::nullopt},
        {"합계 = 32시간 30분", 6, 23},
        {"합게", 6, 6},
        {"식비 합", 10, 10, TotalWord::Labelled},
    };
    for (const auto& row : rows) {
        const std::optional<TotalLine> line = read_total_line(row.line);
        EXPECT_EQ(line ? std::optional(line->word_end) : std::nullopt, row.word_end) << row.line;
        EXPECT_EQ(line ? std::optional(line->line_end) : std::nullopt, row.line_end) << row.line;
        if (line) {
            EXPECT_EQ(line->word, row.word) << row.line;
        }
    }
}

}  // namespace
}  // namespace numvora
