// Every word of every word table the reading takes, each in a line of its own as notes
// write it: dropping one from its table changes what a line shows.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "notes/book/notebook.h"
#include "notes/figures/note_calendar.h"
#include "notes/shown_plainly.h"

namespace numvora {
namespace {

TEST(NoteWords, EachWordReadsAsItsTableSays) {
    const struct {
        std::string_view text;
        std::vector<std::string> shown;
    } rows[] = {
        // Total words, each under a block of its own.
        {"a 1,000\n합계금액\n\nb 1,000\n총합계\n\nc 1,000\n총금액\n\nd 1,000\n합계액\n\ne 1,000\n합계\n\nf 1,000\n"
         "총합\n\ng 1,000\n총계\n\nh 1,000\n총액\n\ni 1,000\n합\n\nj 1,000\n계\n\nk 1,000\n카드값 총\n\nl 1,000\n소계"
         "\n\nm 1,000\n관리비 계",
         {"1000", "1000", "",     "1000", "1000", "",     "1000", "1000", "",     "1000", "1000", "",     "1000",
          "1000", "",     "1000", "1000", "",     "1000", "1000", "",     "1000", "1000", "",     "1000", "1000",
          "",     "1000", "1000", "",     "1000", "1000", "",     "1000", "1000", "",     "1000", "1000"}},
        {"a 1,000\n합게", {"1000", "1000"}},
        {"a 1,000\n지급계\n\nb 1,000\n지급액계\n\nc 1,000\n공제계\n\nd 1,000\n공제액계\n\ne 1,000\n수입계\n\nf "
         "1,000\n지출계\n\ng 1,000\n총지급\n\nh 1,000\n매출계\n\ni 1,000\n총매출",
         {"1000", "1000", "",     "1000", "1000", "",     "1000", "1000", "",     "1000", "1000", "",     "1000",
          "1000", "",     "1000", "1000", "",     "1000", "1000", "",     "1000", "1000", "",     "1000", "1000"}},
        // Words that name what a block comes to, alone on their lines.
        {"a 1,000\n잔액\n\nb 1,000\n남은돈\n\nc 1,000\n남은 돈\n\nd 1,000\n실수령\n\ne 1,000\n실수령액\n\nf "
         "1,000\n순수익\n\nh 1,000\n결제액\n\ni 1,000\n실결제\n\nj 1,000\n총예산\n\nk "
         "1,000\n평가액\n\nl 1,000\n세후\n\nm 1,000\n세전\n\nn 1,000\n예상\n\no 1,000\n남는돈\n\np 1,000\n남는 "
         "돈\n\nq 1,000\n전체\n\nr 1,000\n실지급\n\ns 1,000\n실지급액\n\nt 1,000\n순이익\n\nu 1,000\n남은 "
         "원금\n\nv 1,000\n남은원금\n\nw 1,000\n납부액\n\nxx 1,000\n공급가액\n\ny 1,000\n투자원금\n\nz "
         "1,000\n공급가\n\naa 1,000\n결제\n\nab "
         "1,000\n받을돈\n\nac 1,000\n받을 돈\n\nad 1,000\n갚을돈",
         {"1000", "1000", "", "1000", "1000", "", "1000", "1000", "", "1000", "1000", "", "1000", "1000", "",
          "1000", "1000", "", "1000", "1000", "", "1000", "1000", "", "1000", "1000", "", "1000", "1000", "",
          "1000", "1000", "", "1000", "1000", "", "1000", "1000", "", "1000", "1000", "", "1000", "1000", "",
          "1000", "1000", "", "1000", "1000", "", "1000", "1000", "", "1000", "1000", "", "1000", "1000", "",
          "1000", "1000", "", "1000", "1000", "", "1000", "1000", "", "1000", "1000", "", "1000", "1000", "",
          "1000", "1000", "", "1000", "1000", "", "1000", "1000", "", "1000", "1000"}},
        // A difference of the lines above is never their sum.
        {"일시불 1,690,000\n무이자 1,790,000\n차액", {"1690000", "1790000", ""}},
        // Counters, and native numerals before them: counts alone add up under a total, and
        // each line counts once more than the one above, so that no two can trade places.
        {"a 1마리\nb 2인분\nc 3그릇\nd 4차례\ne 5가지\nf 6켤레\ng 7송이\nh 8포기\ni 9봉지\nj 10상자\nk 11박스\n"
         "l 12조각\nm 13접시\nn 14세트\no 15묶음\np 16자루\nq 17다스\nr 18개입\ns 19페이지\nt 20캡슐\nu 21개\n"
         "v 22명\nw 23잔\nxx 24장\ny 25권\nz 26회\naa 27건\nab 28대\nac 29병\nad 30박\nae 31살\naf 32쪽\n"
         "ag 33통\nah 34봉\nai 35팩\naj 36벌\nak 37줄\nal 38곳\nam 39알\nan 40캔\nao 41판\nap 42인\naq 43보\n"
         "ar 44모\nas 45근\nat 46단\nau 47평\nav 48매\naw 49망\nax 50부\nay 51종\naz 52채\nba 53롤\nbb 54포\n"
         "bc 55쌍\nbd 56짝\nbe 57정\nbf 58구\nbg 59줄기\n"
         "한잔\n두개\n세명\n네장\n다섯권\n여섯병\n일곱살\n여덟곳\n아홉벌\n열 명\n합계",
         {"", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",    "", "",
          "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",    "", "",
          "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "1825"}},
        // Currencies as signs, words and codes, alone and at a rate of exchange.
        {"$12\n12$\n＄12\n¥1000\n￥1000\n€5\n£5\n100대만달러\n100홍콩달러\n100싱가포르달러\n100호주달러\n"
         "100캐나다달러\n100달러\n100불\n100엔\n100유로\n100위안\n100파운드\n100바트\n100페소\n100링깃\n"
         "100루피아\nUSD 20\nJPY 20\nEUR 20\nCNY 20\nGBP 20\nTHB 20\nVND 20\nTWD 20\nHKD 20\nSGD 20\nAUD 20\n"
         "CAD 20\nPHP 20\nMYR 20\nIDR 20\nCHF 20\n85,000동",
         {"$12",     "$12",         "＄12",        "¥1000",           "￥1000",      "€5",
          "£5",      "100대만달러", "100홍콩달러", "100싱가포르달러", "100호주달러", "100캐나다달러",
          "100달러", "100불",       "100엔",       "100유로",         "100위안",     "100파운드",
          "100바트", "100페소",     "100링깃",     "100루피아",       "USD 20",      "JPY 20",
          "EUR 20",  "CNY 20",      "GBP 20",      "THB 20",          "VND 20",      "TWD 20",
          "HKD 20",  "SGD 20",      "AUD 20",      "CAD 20",          "PHP 20",      "MYR 20",
          "IDR 20",  "CHF 20",      "85000동"}},
        {"$10 x 1,380\n1,000엔 x 9.1\n€10 x 1,500\n10위안 x 190.5\n£10 x 1,800\n100바트 x 40.5\n10,000동 x 0.055\n"
         "10대만달러 x 44.5\n10홍콩달러 x 180\n10싱가포르달러 x 1,050\n10호주달러 x 900\n10캐나다달러 x 1,000\n"
         "100페소 x 24.5\n10링깃 x 310\n10,000루피아 x 0.09\nCHF 10 x 1,600",
         {"13800", "9100", "15000", "1905", "18000", "4050", "550", "445", "1800", "10500", "9000", "10000", "2450",
          "3100", "900", "16000"}},
        // Words after which a figure names a number, a year, a size or a thing counted: none
        // of them is money, even among money.
        {"커피 1,000원\n회원번호 123456\n번 456\n학번 789\n사번 987\n카드 654\n계좌 321\n비번 1234\n비밀번호 5678\n"
         "판교로 256번길 123\n호 1203\n동 101\n층 302\n열 120\n좌석 230\n게이트 150\n탑승구 120\n내선 4321\n뒷자리 "
         "4321\n"
         "앞자리 1234\n끝자리 4417\n사물함 170\n출구 120\n호실 305\n코드 4455\n핀 1357\nPIN 2468\n호선 150\n번지 123\n"
         "구역 230\n호봉 120\n등급 110\n레벨 150\nID 4455\nid 5544\nNo 123\nNO 321\n자물쇠 1923\n도어락 2580\n태그 "
         "1047\n"
         "사이즈 270\n입사 2019\n퇴사 2023\n졸업 2015\n입학 2011\n결혼 2020\n출생 1990\n생년 1988\n설립 1999\n개업 "
         "2021\n"
         "준공 2005\n연식 2018\n년식 2017\n크기 1,200 x 600\n규격 2,400 x 1,200\n치수 300 x 200\n가로 1,800\n세로 "
         "2,400\n"
         "폭 900\n높이 2,100\n거래량 12,345\n조회수 1,204\n구독자 5,300\n팔로워 1,200\n인구 9,400\n판매량 3,200\n재고 "
         "1,500\n"
         "코스피 2,512\n코스닥 812\n나스닥 17,000\n다우 39,000\n걸음 8,500\n칼로리 2,100\n마일리지 42,300\npw "
         "88291033\n배번 10482\n검침 2,418\n주소 Giap 248\n통신판매 2026-서울-1183\n10만 구독\n3,000 구독자\n5만 "
         "조회수\n1,000 팔로워\n카드끝자리 4417\n카드뒷자리 "
         "1234\n카드앞자리 5678\n현관비번 2580\n현관비밀번호 8520\n상품코드 4015820\n합계",
         {"1000", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",    "", "",
          "",     "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",    "", "",
          "",     "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",    "", "",
          "",     "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "1000"}},
        // Nor is a figure under 10,000 after a word of a sum kept in 만 left unwritten, each in a
        // paragraph of its own, as one such line leaves its whole paragraph's bare figures unread.
        {"커피 1,000원\n연봉 4200\n\n커피 1,000원\n보증금 500\n\n커피 1,000원\n월세 50\n\n커피 1,000원\n전세 3000\n\n"
         "커피 1,000원\n매매 9500\n\n커피 1,000원\n매매가 8000\n\n커피 1,000원\n권리금 3000\n\n커피 1,000원\n계약금 "
         "500\n\n"
         "커피 1,000원\n잔금 4500\n\n커피 1,000원\n중도금 2000\n\n커피 1,000원\n분양가 6500\n\n커피 1,000원\n시세 "
         "7200\n\n"
         "커피 1,000원\n호가 8100\n\n커피 1,000원\n관리비 150\n\n커피 1,000원\n대출 3000\n\n커피 1,000원\n신용대출 "
         "2000\n\n"
         "커피 1,000원\n주담대 5000\n\n커피 1,000원\n마통 1000\n\n커피 1,000원\n양도세 4000\n\n"
         "커피 1,000원\n연소득 5,500\n\n커피 1,000원\n한도 3000\n\n커피 1,000원\n빌림 2000",
         {"1000", "", "", "1000", "", "", "1000", "", "", "1000", "", "", "1000", "", "", "1000", "", "",
          "1000", "", "", "1000", "", "", "1000", "", "", "1000", "", "", "1000", "", "", "1000", "", "",
          "1000", "", "", "1000", "", "", "1000", "", "", "1000", "", "", "1000", "", "", "1000", "", "",
          "1000", "", "", "1000", "", "", "1000", "", "", "1000", ""}},
        {"커피 1,000원\n고객센터 100\n합계", {"1000", "", "1000"}},
        {"마트 12,000원\n카드 끝자리 4417\n합계", {"12000", "", "12000"}},
        // Pay by the month is kept in 만 as well, and so past a word of about.
        {"식비 45,000원\n월급 350\n합계", {"45000", "", "45000"}},
        {"식비 45,000원\n실수령 380\n합계", {"45000", "", "45000"}},
        {"식비 45,000원\n실수령액 320\n합계", {"45000", "", "45000"}},
        {"식비 45,000원\n연봉 약 4200\n합계", {"45000", "", "45000"}},
        // A month's bill is no sum kept in 만: its own figures are won.
        {"11월분 관리비\n경비비 21,500\n청소비 9870\n합계", {"", "21500", "9870", "31370"}},
        // Pay by the hour, the day or the week: won, written without its comma.
        {"시급 10030\n일급 85000\n주급 240720", {"10030", "85000", "240720"}},
        // A sum each month over a term: the line's sum unsaid.
        {"월 50만 적금 12개월\n매달 50만 적금 12개월\n매월 50만 적금 12개월", {"", "", ""}},
        // What an amount comes to a month, a year or a head, in parentheses after it: a remark.
        {"a 12,000 (월 1,000)\nb 12,000 (연 1,000)\nd 12,000 (인당 1,000)\ne 12,000 (개당 1,000)\nf 12,000 (회당 "
         "1,000)\ng 12,000 (리터당 1,000)",
         {"12000", "12000", "12000", "12000", "12000", "12000"}},
        // Shoe sizes among prices.
        {"양말 3,000원\n신발 270\n운동화 265\n부츠 220\n구두 250\n합계", {"3000", "", "", "", "", "3000"}},
        // What an account stands at after a payment, beside the payment.
        {"승인 4,800원 누적1,239,360원\n입금 20,000원 잔액 482,000원\n출금 550,000 잔고 2,570,450\n카드 3,000원 누계 "
         "98,000원",
         {"4800", "20000", "550000", "3000"}},
        // What may stick to an amount: particles, and a voucher's 권.
        {"a 3만원이\nb 3만원가\nc 3만원을\nd 3만원를\ne 3만원은\nf 3만원는\ng 3만원의\nh 3만원에\ni 3만원에서\n"
         "j 3만원으로\nk 3만원로\nl 3만원와\nm 3만원과\nn 3만원도\no 3만원만\np 3만원씩\nq 3만원짜리\nr 3만원까지\n"
         "s 3만원부터\nt 3만원쯤\nu 3만원정도\nv 3만원이고\nw 3만원이며\nxx 3만원이나\ny 3만원나\nz 3만원인데\n"
         "aa 3만원이다\nab 3만원입니다\nac 3만원이에요\nad 3만원예요\nae 3만원요\naf 3만원만큼\nag 3만원가량\n"
         "ah 3만원어치\nai 3만원씩이\naj 3만원이라\nak 3만원라\nal 3만원권\nam 3만원이네요",
         std::vector<std::string>(39, "3만원")},
        // Units that count beside a multiplication, and the words that share an amount.
        {"a 8m x 1,000\nb 8cm x 1,000\nc 8mm x 1,000\nd 8km x 1,000\ne 8g x 1,000\nf 8kg x 1,000\ng 8t x 1,000\n"
         "h 8ml x 1,000\ni 8L x 1,000\nj 8l x 1,000\nk 8M x 1,000\nl 8T x 1,000\nm 8GB x 1,000\nn 8TB x 1,000\n"
         "o 8EA x 1,000\np 8ea x 1,000\nq 8kWh x 1,000\nr 8kwh x 1,000\ns 8W x 1,000\nt 8kW x 1,000\nu 8p x 1,000\n"
         "v 8P x 1,000\nw 8pcs x 1,000\nxx 8set x 1,000\ny 8box x 1,000\nz 8MM x 1,000",
         std::vector<std::string>(26, "8000")},
        {"총 100,000원 4명 n빵\n총 100,000원 4명 N빵\n총 100,000원 4명 엔빵\n총 100,000원 4명 1/n\n"
         "총 100,000원 4명 1/N\n총 100,000원 4명 나눠\n총 100,000원 4명 나누기\n총 100,000원 4명 더치",
         std::vector<std::string>(8, "25000")},
        // The words before an amount that is already each one's share.
        {"4명 n빵 인당 26,000\n4명 n빵 명당 26,000\n4명 n빵 각 26,000\n4명 n빵 각자 26,000",
         std::vector<std::string>(4, "26000")},
        // Hours as a limit, a plan or a goal, or hours not worked, come to nothing; hours worked
        // show where a total asks for them.
        {"a 2시간\nb 30분 이내\nc 9시간 이하\nd 15시간 이상\ne 14시간 미만\nf 52시간 초과\ng 2시간 무료\n도보 7분\n"
         "주차 3시간 20분\n휴게 1시간\n점심 1시간 빼기\n오븐 180도 25분\nh 15시간 정도\ni 209시간 기준\nj 3시간쯤\n"
         "k 4시간 예정\nl 4시간씩\n목표 주 40시간\n회당 2시간\n합계",
         {"2시간", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "2시간"}},
        // The words of dates and times: a figure a price is multiplied by.
        {"3만원 x 12개월\n3만원 x 2일간\n3만원 x 2년\n3만원 x 12월\n3만원 x 2일\n3만원 x 3시\n3만원 x 30분\n"
         "3만원 x 10초\n3만원 x 2주\n3만원 x 2시간",
         {"36만원", "6만원", "6만원", "36만원", "6만원", "9만원", "1만 5,000원", "30만원", "6만원", "6만원"}},
        // The particles a name takes before a rate or an operator.
        {"월급 = 350만원\n월급의 10% =\n월급에서 20% 할인\n월급은 * 2\n월급는 * 2\n월급이 * 2\n월급가 * 2\n월급을 * 2\n"
         "월급를 * 2",
         {"350만원", "35만원", "280만원", "700만원", "700만원", "700만원", "700만원", "700만원", "700만원"}},
    };
    for (const auto& row : rows) {
        NoteBook book;
        book.set_today(day_number(2026, 12, 9));
        book.assign(row.text);
        ASSERT_EQ(book.size(), row.shown.size()) << row.text;
        for (std::size_t line = 0; line < book.size(); ++line)
            EXPECT_EQ(shown_plainly(book, line), row.shown[line]) << book.text(line);
    }
}

}  // namespace
}  // namespace numvora
