// The help page's sections: their texts and example lines, each example with the result
// it promises, read with the memo's own notebook when the page is shown.
#include <string>

#include "notes/book/notebook.h"
#include "ui/commands.h"
#include "ui/help/help_page.h"

namespace numvora {
namespace {

// The day the date examples count from; the section's text names it.
constexpr int HELP_YEAR = 2026;
constexpr unsigned HELP_MONTH = 12;
constexpr unsigned HELP_DAY = 8;

constexpr HelpExample AMOUNTS[] = {
    {"점심 12,000원", "12,000"},
    {"택시 8천5백원", "8,500"},
    {"커피 4,500원 x 2 =", "9,000"},
    {"2차 회식 180,000 / 6 =", "30,000"},
};
constexpr HelpExample MAN_EOK[] = {
    {"오천원 + 삼만 원 =", "3만 5,000원"},
    {"1억 2천만원 + 3,500만원 =", "1억 5,500만원"},
    {"평당 2,650만원 x 32평", "8억 4,800만원"},
};
constexpr HelpExample NAMES[] = {
    {"월세 = 55만원", "55만원"},
    {"관리비: 12만 3천원", "12만 3,000원"},
    {"월세 + 관리비 =", "67만 3,000원"},
    {"위 * 12", "807만 6,000원"},
    {"인원 = 4명", ""},
    {"월세 / 인원 =", "13만 7,500원"},
};
constexpr HelpExample CHAINS[] = {
    {"점심 12,000원", "12,000"},
    {"+ 커피 4,500원", "16,500"},
    {"× 2", "33,000"},
    {"합계", "33,000"},
    {"", ""},
    {"- 교통 62,400원", "62,400"},
    {"• 우유 2,980원", "2,980"},
    {"1. 두부 2,000원", "2,000"},
    {"합계", "67,380"},
};
constexpr HelpExample TOTALS[] = {
    {"식비 32만원", "32만원"},
    {"교통 6만 5천원", "6만 5,000원"},
    {"소계", "38만 5,000원"},
    {"", ""},
    {"숙박 240,000원", "240,000"},
    {"소계", "240,000"},
    {"", ""},
    {"총계", "625,000"},
};
constexpr HelpExample VAT[] = {
    {"1,000,000원 + 부가세", "1,100,000"}, {"1,234원의 부가세", "123"}, {"1,999원 공급가", "1,817"}, {"", ""},
    {"공급가액 1,000,000", "1,000,000"},   {"부가세", "100,000"},       {"합계", "1,100,000"},
};
constexpr HelpExample RATES[] = {
    {"$1 = 1,380원", ""},        {"항공권 $1,250 x 2", "$2,500 → 3,450,000원"},
    {"식비 85,000원", "85,000"}, {"합계", "3,535,000"},
    {"100엔 = 920원", ""},       {"2,400엔", "2,400엔 → 22,080원"},
};
constexpr HelpExample HOURS[] = {
    {"09:00~18:00", "9시간"},
    {"오전 9시 ~ 오후 6시 30분", "9시간 30분"},
    {"1시간 45분 + 50분", "2시간 35분"},
    {"6시간 30분 x 10,030원", "65,195"},
    {"주 40시간 / 5", "8시간"},
};
constexpr HelpExample DATES[] = {
    {"오늘 + 100일", "2027-03-18 (목)"},
    {"2026-03-02 ~ 2026-12-08", "281일"},
    {"D-day 2026-12-25", "D-17"},
    {"2026-12-25 - 오늘", "17일"},
};
constexpr HelpExample AREAS[] = {
    {"84㎡ 평", "25.41평"},
    {"32평 ㎡", "105.79㎡"},
};
constexpr HelpExample NOT_READ[] = {
    {"12, 300 + 5", "'12, 300'을 읽을 수 없습니다"},
    {"8 300원", "'8 300원'을 읽을 수 없습니다"},
    {"숙소 1박 10~15만원 x 3", "범위는 계산할 수 없습니다"},
    {"$12 + 5,000원", "환율 없이 외화를 원화와 계산할 수 없습니다"},
    {"삼겹살 * 2", "'삼겹살'을 찾을 수 없습니다"},
    {"오후 3시 + 2시간", "날짜와 시간을 이렇게 계산할 수는 없습니다"},
};

constexpr HelpSection SECTIONS[] = {
    {"금액",
     "원, 만, 천 같은 돈 표시가 붙은 숫자, 쉼표로 묶은 숫자, 말 끝에 오는 숫자는 금액입니다. 금액이 하나인 줄은 "
     "그 금액이, 식이 있는 줄은 식의 값이 결과입니다. 숫자와 붙어 있는 말(2차, 1인당, 3층)은 이름의 일부입니다.",
     AMOUNTS},
    {"만과 억",
     "만, 억, 조로 적은 줄은 결과도 그렇게 씁니다. 설정의 '금액을 만 단위로 보기'를 켜면 모든 금액을 이렇게 "
     "씁니다.",
     MAN_EOK},
    {"이름과 위",
     "'이름 = 값'이나 '이름: 값'으로 적으면 그 아래 줄에서 이름을 값처럼 씁니다. 값을 바꾸면 이름을 쓴 줄이 모두 "
     "따라 바뀝니다. '위'는 위쪽에서 가장 가까운, 결과가 있는 줄의 값입니다.",
     NAMES},
    {"이어 쓰기와 목록",
     "연산자로 시작하는 줄은 바로 윗줄의 결과에 이어서 계산하고, 합계에는 마지막 값이 한 번 들어갑니다. '- ', "
     "'• ', '1. ' 같은 목록 표시는 없는 것처럼 읽습니다.",
     CHAINS},
    {"합계와 소계",
     "합계, 총계, 소계 같은 줄은 빈 줄까지 그 위에 있는 결과를 더합니다. 소계가 있으면 총계가 빈 줄을 건너 소계들을 "
     "모아 더합니다. 날짜, 비율, 범위, 환율 없는 외화는 더하지 않습니다.",
     TOTALS},
    {"부가세", "부가세는 10%로 계산하고, 원 아래는 계산서처럼 버립니다. 금액 아래 줄의 '부가세'는 그 금액의 10%입니다.",
     VAT},
    {"환율",
     "'$1 = 1,380원', '100엔 = 920원' 같은 줄은 그 아래 줄들의 환율입니다. 환율 줄에는 결과가 없고, 아래의 외화는 "
     "원화로 얼마인지와 함께 보이며 원화 합계에 들어갑니다.",
     RATES},
    {"시간",
     "시각의 범위는 걸린 시간이 되고, 시간끼리 더하고 뺄 수 있습니다. 시간에 시급을 곱하면 원 아래를 버린 금액이 "
     "됩니다.",
     HOURS},
    {"날짜와 D-day",
     "날짜에 날수를 더하거나 빼고, 두 날짜 사이의 날수와 D-day를 셉니다. 아래 예는 오늘을 2026년 12월 8일로 보고 "
     "계산한 것이고, 메모에서는 실제 오늘 날짜로 계산합니다.",
     DATES},
    {"평", "면적 뒤에 다른 단위를 적으면 그 단위로 바꿉니다 (1평 = 400/121㎡, 소수 둘째 자리까지).", AREAS},
    {"읽지 못하는 줄",
     "뜻이 둘로 읽히거나 계산할 수 없는 줄에는 결과가 없습니다. 까닭은 그 줄에서 이 명령을 쓰면 상태 줄에 "
     "나옵니다:",
     NOT_READ, ids::MEMO_EVALUATE},
};

std::string joined_lines(std::span<const HelpExample> examples) {
    std::string text;
    for (std::size_t i = 0; i < examples.size(); ++i) {
        if (i > 0) text += '\n';
        text += examples[i].line;
    }
    return text;
}

std::string command_with_keys(std::int32_t id) {
    const Command* command = find_command(id);
    if (command == nullptr) return {};
    const std::string keys = command_key_text(id);
    return std::string(command->label) + (keys.empty() ? "" : " (" + keys + ")");
}

}  // namespace

std::span<const HelpSection> help_sections() { return SECTIONS; }

std::vector<HelpOutcome> example_outcomes(const HelpSection& section) {
    NoteBook book;
    book.set_today(day_number(HELP_YEAR, HELP_MONTH, HELP_DAY));
    book.assign(joined_lines(section.examples));
    std::vector<HelpOutcome> outcomes;
    for (std::size_t line = 0; line < section.examples.size(); ++line) {
        if (std::optional<std::string> shown = book.shown(line, {}))
            outcomes.push_back({*std::move(shown), false});
        else
            outcomes.push_back({book.reading(line).unclear, !book.reading(line).unclear.empty()});
    }
    return outcomes;
}

std::vector<HelpParagraph> help_page() {
    std::vector<HelpParagraph> page{
        {HelpStyle::Title, "메모가 읽는 것", {}},
        {HelpStyle::Text,
         "메모에 적은 줄은 적은 그대로 읽혀 계산됩니다. 결과는 메모 오른쪽에 줄마다 보이고, 명령으로 줄 끝에 적거나 "
         "복사할 수 있습니다. 아래 예의 결과는 이 도움말을 열 때 메모와 같은 방식으로 계산한 것입니다. 예를 복사해 "
         "메모에 붙여 넣어 보세요.",
         {}},
    };
    for (const HelpSection& section : SECTIONS) {
        page.push_back({HelpStyle::Heading, std::string(section.title), {}});
        std::string text(section.text);
        if (section.command != 0) text.append(" ").append(command_with_keys(section.command));
        page.push_back({HelpStyle::Text, std::move(text), {}});
        const std::vector<HelpOutcome> outcomes = example_outcomes(section);
        for (std::size_t i = 0; i < outcomes.size(); ++i) {
            const HelpOutcome& outcome = outcomes[i];
            page.push_back({HelpStyle::Example, std::string(section.examples[i].line),
                            outcome.status ? "상태 줄: " + outcome.text : outcome.text});
        }
    }
    page.push_back({HelpStyle::Heading, "단축키", {}});
    for (HelpKey& key : help_keys()) page.push_back({HelpStyle::Key, std::move(key.keys), std::move(key.what)});
    return page;
}

}  // namespace numvora
