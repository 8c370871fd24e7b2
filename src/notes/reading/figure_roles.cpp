#include <algorithm>
#include <cctype>
#include <iterator>
#include <optional>

#include "common/hangul.h"
#include "common/unicode.h"
#include "notes/reading/line_parts.h"

namespace numvora::notes_detail {

bool is_operator(TokenKind kind) {
    return kind == TokenKind::Plus || kind == TokenKind::Minus || kind == TokenKind::Times ||
           kind == TokenKind::Divide || kind == TokenKind::Remainder;
}

bool is_label(TokenKind kind) {
    return kind == TokenKind::Word || kind == TokenKind::Colon || kind == TokenKind::Other;
}

namespace {

std::string_view text_of(const Reading& r, std::size_t i) {
    return r.line.substr(r.tokens[i].begin, r.tokens[i].end - r.tokens[i].begin);
}

// "테헤란로 123", "올림픽로35길 10", "판교로 256번길 25": a number after a road's name is its
// address.
bool after_road(const Reading& r, std::size_t i) {
    if (i == 0 || (r.tokens[i - 1].kind != TokenKind::Word && !r.number(i - 1))) return false;
    const std::string_view word = text_of(r, i - 1);
    return word.ends_with("로") || word.ends_with("길");
}

// A figure that names a number: after "회원번호", "비번", "좌석", "게이트" …, or after "#".
constexpr std::string_view IDENTIFIER_WORDS[] = {
    "번",     "학번",   "사번",   "카드", "계좌",   "비번",   "비밀번호", "번길",   "호",   "동",      "층",   "열",
    "좌석",   "게이트", "탑승구", "내선", "뒷자리", "앞자리", "끝자리",   "사물함", "출구", "호실",    "코드", "핀",
    "PIN",    "호선",   "번지",   "구역", "호봉",   "등급",   "레벨",     "ID",     "id",   "No",      "NO",   "자물쇠",
    "도어락", "태그",   "사이즈", "pw",   "신발",   "운동화", "부츠",     "구두",   "배번", "고객센터"};
// Things counted, not paid: "거래량 12,345,678", "코스피 2,512.34", "마일리지 42,300".
constexpr std::string_view UNPAID_WORDS[] = {"거래량", "조회수", "구독자", "팔로워",   "인구",
                                             "판매량", "재고",   "코스피", "코스닥",   "나스닥",
                                             "다우",   "걸음",   "칼로리", "마일리지", "검침"};
// A year after these is the year of it: "입사 2019", "졸업 2015".
constexpr std::string_view YEAR_WORDS[] = {"입사", "퇴사", "졸업", "입학", "결혼", "출생",
                                           "생년", "설립", "개업", "준공", "연식", "년식"};

bool plain(const NumberMarks& m) {
    return !(m.grouped || m.won || m.unit || m.foreign || m.percent || m.counter || m.date || m.reference);
}

// The word a figure follows, past colons and signs ("비번 #1234", "번호: 123").
std::optional<std::string_view> word_before(const Reading& r, std::size_t i) {
    std::size_t before = i;
    while (before > 0 &&
           (r.tokens[before - 1].kind == TokenKind::Colon || r.tokens[before - 1].kind == TokenKind::Other))
        --before;
    if (before == 0 || r.tokens[before - 1].kind != TokenKind::Word) return std::nullopt;
    return text_of(r, before - 1);
}

// "주문번호 2024031512345", "학번 20241234", "카드 1234", "게이트 23", "#1234": a plain
// number there is an identifier, as is any of ten or more ungrouped digits.
bool identifier(const Reading& r, std::size_t i) {
    if (!plain(r.tokens[i].marks)) return false;
    // Nine or more digits with no comma: a number of an account, an order, a tag; unless
    // an operation takes it ("123456789012 * 1000 =").
    const auto operation = [&](std::size_t k) { return k < r.tokens.size() && is_operator(r.tokens[k].kind); };
    if (r.tokens[i].value.size() >= 9 && r.tokens[i].marks.plain_long && !operation(i + 1) &&
        !(i > 0 && operation(i - 1)))
        return true;
    if (i > 0 && r.tokens[i - 1].end == r.tokens[i].begin && text_of(r, i - 1) == "#") return true;
    // "KB국민체크(4471)", "신한카드(1234)": a card's last digits in parentheses on its name.
    const auto& t = r.tokens;
    if (i >= 2 && t[i - 1].kind == TokenKind::Open && t[i - 2].kind == TokenKind::Word &&
        t[i - 2].end == t[i - 1].begin && i + 1 < t.size() && t[i + 1].kind == TokenKind::Close &&
        (text_of(r, i - 2).ends_with("카드") || text_of(r, i - 2).ends_with("체크")))
        return true;
    // "2026-서울마포-1183": digits, a word and digits joined by dashes are one code.
    const auto glued = [&](std::size_t a, TokenKind kind) {
        return a > 0 && a < t.size() && t[a].kind == kind && t[a - 1].end == t[a].begin;
    };
    const auto code_from = [&](std::size_t first) {
        return first + 4 < t.size() && glued(first + 1, TokenKind::Minus) && glued(first + 2, TokenKind::Word) &&
               glued(first + 3, TokenKind::Minus) && r.number(first + 4) && t[first + 3].end == t[first + 4].begin;
    };
    if (code_from(i) || (i >= 4 && code_from(i - 4))) return true;
    // "+81-75-123-4567": three groups of digits or more joined by dashes are a number to call.
    std::size_t first = i, last = i;
    while (first >= 2 && glued(first - 1, TokenKind::Minus) && r.number(first - 2) &&
           t[first - 2].end == t[first - 1].begin)
        first -= 2;
    while (last + 2 < t.size() && glued(last + 1, TokenKind::Minus) && r.number(last + 2) &&
           t[last + 1].end == t[last + 2].begin)
        last += 2;
    if (last - first >= 4) return true;
    // "호텔 주소 Vo Nguyen Giap 248": after 주소, a plain figure is part of the address.
    for (std::size_t j = 0; j < i; ++j) {
        if (t[j].kind == TokenKind::Word && text_of(r, j).ends_with("주소")) return true;
    }
    const std::optional<std::string_view> word = word_before(r, i);
    // "카드 579000": a day's takings or a bill by card; its number is four digits or sixteen.
    if (word == "카드" && r.tokens[i].value.size() >= 5) return false;
    return word && names_a_number(*word);
}

// "입사 2019": a year.
bool year_of(const Reading& r, std::size_t i) {
    const std::string& value = r.tokens[i].value;
    if (!plain(r.tokens[i].marks) || value.size() != 4 || !(value.starts_with("19") || value.starts_with("20")))
        return false;
    const std::optional<std::string_view> word = word_before(r, i);
    return word && std::find(std::begin(YEAR_WORDS), std::end(YEAR_WORDS), *word) != std::end(YEAR_WORDS);
}

// "승인 12,500원 … 누적1,234,560원", "입금 20,000원 … 잔액 482,000원": what an account or a
// card stands at after the payment is no amount of the line that tells of the payment.
constexpr std::string_view BALANCE_WORDS[] = {"잔액", "누적", "잔고", "누계"};

bool after_balance_word(const Reading& r, std::size_t i) {
    const std::optional<std::string_view> word = word_before(r, i);
    return word && std::find(std::begin(BALANCE_WORDS), std::end(BALANCE_WORDS), *word) != std::end(BALANCE_WORDS);
}

bool a_balance(const Reading& r, std::size_t i) {
    if (!after_balance_word(r, i)) return false;
    for (std::size_t j = 0; j < r.tokens.size(); ++j) {
        const NumberMarks& m = r.tokens[j].marks;
        if (j != i && r.number(j) && (m.won || m.grouped || m.unit) && !after_balance_word(r, j)) return true;
    }
    return false;
}

// Another figure of the line is written in 만, below 천만: "12만 + 3천" is 123,000, where
// "8천 - 4120만 - 2천" under 억 counts 천만.
bool beside_man(const Reading& r, std::size_t i) {
    for (std::size_t j = 0; j < r.tokens.size(); ++j) {
        if (j != i && r.number(j) && r.tokens[j].marks.large_unit && r.tokens[j].value.size() < 8) return true;
    }
    return false;
}

// Another figure of the line is written in 억.
bool beside_eok(const Reading& r, std::size_t i) {
    for (std::size_t j = 0; j < r.tokens.size(); ++j) {
        if (j != i && r.number(j) && r.tokens[j].marks.large_unit && text_of(r, j).find("억") != std::string_view::npos)
            return true;
    }
    return false;
}

// "거실 창 사이즈 2,400 x 2,300", "규격 1,200 x 600": the figures of a size name it.
constexpr std::string_view SIZE_WORDS[] = {"사이즈", "크기", "규격", "치수", "가로", "세로", "폭", "높이"};

bool after_size_word(const Reading& r, std::size_t i) {
    const NumberMarks& m = r.tokens[i].marks;
    if (m.won || m.foreign || m.unit || m.counter || m.percent || m.date || m.reference) return false;
    // "부츠 사이즈 240 129,000": a grouped figure right after a bare one, no x between, is the price.
    if (m.grouped && i > 0 && r.number(i - 1) && plain(r.tokens[i - 1].marks) && !r.tokens[i - 1].marks.grouped)
        return false;
    bool words_before = false;
    for (std::size_t j = i; j-- > 0;) {
        // "사이즈 2벌 x 19,900": a count or money after the size word ends the size, and so do
        // words after its figure ("사이즈 270 나이키 운동화 89,000").
        if (r.number(j) && ((!plain(r.tokens[j].marks) && !r.tokens[j].marks.grouped) || words_before)) return false;
        if (r.tokens[j].kind != TokenKind::Word) continue;
        const std::string_view word = text_of(r, j);
        if (std::find(std::begin(SIZE_WORDS), std::end(SIZE_WORDS), word) == std::end(SIZE_WORDS)) {
            words_before = true;
            continue;
        }
        // "하네스 S 사이즈 29,000": a size in letters before the word is the size.
        static constexpr std::string_view LETTER_SIZES[] = {"XS", "S", "M", "L", "XL", "XXL", "FREE", "프리"};
        if (j > 0 && r.tokens[j - 1].kind == TokenKind::Word &&
            std::find(std::begin(LETTER_SIZES), std::end(LETTER_SIZES), text_of(r, j - 1)) != std::end(LETTER_SIZES))
            return false;
        // "옷장 1200 폭 398,000": written after its figure, the word names that one, not a price
        // grouped after it.
        return j == 0 || !r.number(j - 1) || !plain(r.tokens[j - 1].marks) || !m.grouped;
    }
    return false;
}

// "연봉 4200", "월세 50", "보증금 500": a bare figure under 10,000 after these is in 만원
// unwritten, so no amount can be told from it.
constexpr std::string_view TEN_THOUSANDS_WORDS[] = {
    "연봉", "보증금", "월세",   "전세", "매매",     "매매가", "권리금", "계약금", "잔금",   "중도금", "분양가",
    "시세", "호가",   "관리비", "대출", "신용대출", "주담대", "마통",   "양도세", "연소득", "한도",   "빌림"};

// "세전 4,200 연봉": grouped or not, and with the word before it or right after it.
bool in_ten_thousands(const Reading& r, std::size_t i) {
    const Token& token = r.tokens[i];
    NumberMarks marks = token.marks;
    marks.grouped = false;
    if (!plain(marks) || token.value.size() > 4 || token.value.find('.') != std::string::npos) return false;
    // "11월분 관리비": digits with a word of their own are none of those sums.
    const std::string_view written = text_of(r, i);
    if (std::any_of(written.begin(), written.end(), [](char c) { return c != ',' && !is_ascii_digit(c); }))
        return false;
    const auto big = [](std::string_view word) {
        return std::find(std::begin(TEN_THOUSANDS_WORDS), std::end(TEN_THOUSANDS_WORDS), word) !=
               std::end(TEN_THOUSANDS_WORDS);
    };
    // "실수령 약 380", "연봉 대략 4200": past a word of about.
    static constexpr std::string_view ABOUT[] = {"약", "대략", "대충", "얼추"};
    std::optional<std::string_view> word = word_before(r, i);
    if (word && i >= 2 && std::find(std::begin(ABOUT), std::end(ABOUT), *word) != std::end(ABOUT))
        word = word_before(r, i - 1);
    // Pay by the month is kept in 만 too, though 천 after it is no 천만 ("월급 350").
    static constexpr std::string_view MONTHLY_PAY[] = {"월급", "실수령", "실수령액"};
    const bool pay = word && std::find(std::begin(MONTHLY_PAY), std::end(MONTHLY_PAY), *word) != std::end(MONTHLY_PAY);
    return (word && (big(*word) || pay)) ||
           (i + 1 < r.tokens.size() && r.tokens[i + 1].kind == TokenKind::Word && big(text_of(r, i + 1)));
}

// "식비 98500", "수수료 600", "용돈 5000", "시급 10030": a word that names money says its
// figure is won; not 월급 nor 연봉, often kept in 만 ("월급 350").
bool after_money_word(const Reading& r, std::size_t i) {
    static constexpr std::string_view ENDINGS[] = {"비",   "료",   "값",   "금",   "세",   "가격", "요금",
                                                   "비용", "금액", "용돈", "시급", "일급", "주급"};
    const std::optional<std::string_view> word = word_before(r, i);
    return word && std::any_of(std::begin(ENDINGS), std::end(ENDINGS),
                               [&](std::string_view ending) { return word->ends_with(ending); });
}

// "신용대출 5천", "전세금 보태라고 3천": one of those words, or a longer one it begins, anywhere
// before the figure.
bool after_ten_thousands_word(const Reading& r, std::size_t i) {
    for (std::size_t j = 0; j < i; ++j) {
        if (r.tokens[j].kind != TokenKind::Word) continue;
        const std::string_view word = text_of(r, j);
        if (std::any_of(std::begin(TEN_THOUSANDS_WORDS), std::end(TEN_THOUSANDS_WORDS),
                        [&](std::string_view big) { return word.starts_with(big); }))
            return true;
    }
    return false;
}

bool after_monthly_word(const Reading& r, std::size_t i) {
    for (std::size_t j = 0; j < i; ++j) {
        const std::string_view word = r.tokens[j].kind == TokenKind::Word ? text_of(r, j) : std::string_view();
        if (word.starts_with("월세") || word.starts_with("관리비") || word.starts_with("한도")) return true;
    }
    return false;
}

// "나스닥 20주": a figure with a word of its own counts shares of a fund, no index level.
bool unpaid(const Reading& r, std::size_t i) {
    const NumberMarks& m = r.tokens[i].marks;
    if (m.won || m.foreign || m.percent || m.reference || m.counter || m.date) return false;
    // "10만 구독 이벤트", "1,000 팔로워": people counted may follow their figure.
    static constexpr std::string_view FOLLOWERS[] = {"구독", "구독자", "조회수", "팔로워"};
    if (i + 1 < r.tokens.size() && r.tokens[i + 1].kind == TokenKind::Word &&
        std::find(std::begin(FOLLOWERS), std::end(FOLLOWERS), text_of(r, i + 1)) != std::end(FOLLOWERS))
        return true;
    if (m.unit) return false;
    // "검침 1,234 → 1,298": an arrow from such a figure leads to another.
    std::size_t before = i;
    while (before > 0 && r.tokens[before - 1].kind == TokenKind::Other) --before;
    if (before < i && before > 0 && r.number(before - 1)) return unpaid(r, before - 1);
    const std::optional<std::string_view> word = word_before(r, i);
    return word && std::find(std::begin(UNPAID_WORDS), std::end(UNPAID_WORDS), *word) != std::end(UNPAID_WORDS);
}

bool names_something(const Reading& r, std::size_t i) {
    return identifier(r, i) || after_size_word(r, i) || in_ten_thousands(r, i) || unpaid(r, i);
}

// "2사이트 x 45,000", "배관 8m x 20,000": a multiplication apart from the figure; glued,
// "햇반210g*12" names a pack.
// The figure as written ends in a Hangul syllable: "3박스", "12가", "3줄기".
bool ends_in_hangul(std::string_view written) {
    return written.size() >= 3 && static_cast<unsigned char>(written[written.size() - 3]) >= 0xEA;
}

// Both sides of the multiplication are lengths: a size.
bool measure_across(const Reading& r, std::size_t i) {
    const std::vector<Token>& t = r.tokens;
    const auto length = [&](std::size_t k) { return k < t.size() && r.number(k) && t[k].marks.length; };
    // "절임배추 20kg x 3박스 x 38,000": a measure before things counted is what each holds.
    const bool priced =
        std::any_of(t.begin(), t.end(), [](const Token& k) { return k.marks.won || k.marks.grouped || k.marks.unit; });
    const auto counted = [&](std::size_t k) {
        return r.number(k) && (t[k].marks.counter || t[k].marks.measure) && ends_in_hangul(text_of(r, k));
    };
    // "생크림 500ml x 10 x 5,900": so is a weight or a volume before a bare count and a price.
    const auto bare = [&](std::size_t k) {
        const NumberMarks& m = t[k].marks;
        return r.number(k) && !has_quantity(t[k]) &&
               !(m.grouped || m.won || m.unit || m.measure || m.percent || m.foreign || m.counter);
    };
    const bool each_holds =
        priced && i + 2 < t.size() && t[i + 1].kind == TokenKind::Times &&
        (counted(i + 2) || (!t[i].marks.length && !ends_in_hangul(text_of(r, i)) && bare(i + 2) && i + 4 < t.size() &&
                            t[i + 3].kind == TokenKind::Times && r.number(i + 4) && !bare(i + 4)));
    return each_holds ||
           (t[i].marks.length && ((i >= 2 && t[i - 1].kind == TokenKind::Times && length(i - 2)) ||
                                  (i + 2 < t.size() && t[i + 1].kind == TokenKind::Times && length(i + 2))));
}

bool beside_times(const Reading& r, std::size_t i) {
    const std::vector<Token>& t = r.tokens;
    // A division counts so only in a line with money: "360km / 9km x 1,720".
    bool money = false;
    for (const Token& token : t) money = money || token.marks.won || token.marks.grouped || token.marks.unit;
    const auto multiplies = [&](std::size_t k) {
        return t[k].kind == TokenKind::Times || (t[k].kind == TokenKind::Divide && money);
    };
    // "3줄기x2000": glued to a word of its own in Hangul, an x multiplies as a spaced one does.
    return (i > 0 && multiplies(i - 1) && t[i - 1].end != t[i].begin) ||
           (i + 1 < t.size() && multiplies(i + 1) && (t[i].spaced_after || ends_in_hangul(text_of(r, i))));
}

// "갤럭시 S24 울트라 512", "맥북 에어 13 512": after a model's name, a storage size; "GS25
// 커피 1500" is a price.
bool storage_after_model(const Reading& r, std::size_t i) {
    static constexpr std::string_view SIZES[] = {"32", "64", "128", "256", "512", "1024", "2048"};
    if (std::find(std::begin(SIZES), std::end(SIZES), r.tokens[i].value) == std::end(SIZES)) return false;
    const auto ascii_has = [](std::string_view word, int (*test)(int)) {
        return std::any_of(word.begin(), word.end(), [&](char c) { return test(static_cast<unsigned char>(c)) != 0; });
    };
    for (std::size_t j = 0; j < i; ++j) {
        if (r.number(j) && r.roles[j] == FigureRole::Name) return true;
        if (r.tokens[j].kind == TokenKind::Word && ascii_has(text_of(r, j), isalpha) &&
            ascii_has(text_of(r, j), isdigit))
            return true;
    }
    return false;
}

bool after_capitals(const Reading& r, std::size_t i) {
    const std::string& value = r.tokens[i].value;
    if (i == 0 || r.tokens[i - 1].kind != TokenKind::Word || value.size() > 3 || value.find('.') != std::string::npos)
        return false;
    const std::string_view word = text_of(r, i - 1);
    return word.size() >= 2 && std::all_of(word.begin(), word.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

// What a figure is by the marks around it.
// "학생증 20270318": eight plain digits that are a day of a year ("YYYYMMDD") are a date or a
// number made of one, never a sum written without its commas.
bool compact_date(const Reading& r, std::size_t i) {
    const std::string_view written = text_of(r, i);
    if (!plain(r.tokens[i].marks) || written.size() != 8 || !all_ascii_digits(written)) return false;
    const auto number = [&](std::size_t at, std::size_t n) {
        int value = 0;
        for (std::size_t k = at; k < at + n; ++k) value = value * 10 + (written[k] - '0');
        return value;
    };
    const int year = number(0, 4), month = number(4, 2), day = number(6, 2);
    return year >= 1900 && year <= 2099 && month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

// "2.104.300": one to three digits, then groups of three after a point each, the last a ten.
bool points_for_commas(std::string_view written) {
    const std::size_t first = written.find('.');
    if (first == std::string_view::npos || first == 0 || first > 3 || written.back() != '0') return false;
    for (std::size_t at = first; at < written.size(); at += 4) {
        if (written[at] != '.' || at + 4 > written.size() || !all_ascii_digits(written.substr(at + 1, 3))) return false;
    }
    return all_ascii_digits(written.substr(0, first));
}

FigureRole role_of(Reading& r, std::size_t i, bool by_tilde, bool last) {
    const NumberMarks& m = r.tokens[i].marks;
    if (has_quantity(r.tokens[i])) return by_tilde ? FigureRole::Range : quantity_role(r.tokens[i].quantity);
    if (m.reference) {
        return m.percent   ? FigureRole::Rate
               : m.date    ? FigureRole::DateTime
               : m.foreign ? FigureRole::Foreign
                           : FigureRole::Amount;
    }
    // "2사이트 x 45,000", "배관 8m x 20,000": beside a multiplication, a figure with a word
    // of its own counts what it multiplies; two such are a size ("7m x 50m").
    if (m.measure && beside_times(r, i)) return measure_across(r, i) ? FigureRole::Name : FigureRole::Count;
    // "초6", "고1", "중2": digits glued to a word make a name of it.
    if (i > 0 && r.tokens[i - 1].kind == TokenKind::Word && r.tokens[i - 1].end == r.tokens[i].begin && plain(m) &&
        !m.plain_long) {
        r.tokens[i].marks.name = true;
        return FigureRole::Name;
    }
    if (m.name || m.unclear || names_something(r, i) || a_balance(r, i)) return FigureRole::Name;
    // "12/2 수 2.104.300" over a total: a point typed for every thousands comma of the line's
    // last figure, won ending in a ten, where "3.14.15" and "2026.12.08" are no such groups.
    if (m.joined_by_point && !m.clock && last && (point_for_comma_here(r) || totals_here(r)) &&
        points_for_commas(text_of(r, i))) {
        std::string digits(text_of(r, i));
        std::erase(digits, '.');
        r.tokens[i].value = std::move(digits);
        r.tokens[i].marks.grouped = true;
        r.tokens[i].marks.joined = r.tokens[i].marks.joined_by_point = false;
        return FigureRole::Amount;
    }
    // "1조 6명", "2조": a team, not a trillion, unless 원 or more of the figure follows; beside
    // a multiplication a count of sets ("튀김기 2조 x 1,450,000").
    if (m.large_unit && !m.won && text_of(r, i).ends_with("조") && r.tokens[i].value.size() <= 14) {
        const std::string_view written = text_of(r, i);
        r.tokens[i].value = std::string(written.substr(0, written.size() - 3));
        r.tokens[i].marks.name = r.tokens[i].marks.measure = true;
        r.tokens[i].marks.large_unit = r.tokens[i].marks.unit = false;
        return beside_times(r, i) ? FigureRole::Count : FigureRole::Name;
    }
    // "실투자 2억1천 - 1천", "12억 - 대출 5천": beside 억, 천 and 백 alone count 만 as they
    // do inside "2억1천".
    const bool thousands_alone = m.unit && !m.large_unit && !m.won && is_ascii_digit(text_of(r, i).front()) &&
                                 text_of(r, i).find('.') == std::string_view::npos;
    const auto in_man = [&] {
        r.tokens[i].value += "0000";
        r.tokens[i].marks.large_unit = true;
        // "권리금 2~3천": still the end of a range.
        return m.range_joined || by_tilde ? FigureRole::Range : FigureRole::Amount;
    };
    if (thousands_alone && beside_eok(r, i)) return in_man();
    // "보증금 5천", "신용대출 5천", "권리금 2천": 천 or 백 alone after a sum kept in 만 is of
    // 만원, as no deposit or loan is of 5,000원; after 월세 or 관리비 it may be either, and
    // notes disagree on whether a limit ("한도 3천") is a sum at all.
    if (m.unit && !m.large_unit && !m.won && after_ten_thousands_word(r, i)) {
        if (thousands_alone && !after_monthly_word(r, i)) return in_man();
        r.tokens[i].marks.unclear = true;
        return FigureRole::Name;
    }
    // "양가 지원 8천" under "전세 3억 5천": so too in a paragraph of 억, on a line that writes
    // no other figure in 만 ("12만 + 3천" is 123,000).
    if (thousands_alone && eok_here(r) && !beside_man(r, i)) return in_man();
    // "부모님께 빌림 / 엄마 2천": so too under a heading of such sums.
    if (thousands_alone && headed_man_here(r) && !beside_man(r, i)) return in_man();
    if (year_of(r, i) || compact_date(r, i)) return FigureRole::DateTime;
    if (m.range_joined || by_tilde) return FigureRole::Range;
    if (m.joined || m.date) return FigureRole::DateTime;
    if (m.percent) return FigureRole::Rate;
    if (m.foreign) return FigureRole::Foreign;
    if (m.counter) return FigureRole::Count;
    if (m.won || m.unit || m.grouped) return FigureRole::Amount;
    // "KODEX 200", "PCX 125": after a word in capitals, a plain number of three digits alone
    // names a fund or a model, where "CU 4500" is a price; an operator still takes it.
    if (after_capitals(r, i) || storage_after_model(r, i)) return FigureRole::Name;
    // A plain number is money only where it ends a label ("식비 98500"); elsewhere it is
    // a model, a floor or a code ("RTX 4090", "아이폰 15 프로").
    bool at_end = last && !m.leading_zero && !after_road(r, i);
    for (std::size_t j = i + 1; at_end && j < r.tokens.size(); ++j) at_end = r.tokens[j].kind != TokenKind::Word;
    // "근무 8.30": a bare fraction after a label is no sum of won, nor is a figure under 100
    // ("그램 16", "바지 32", "민지 지각 3" among fines in won) but under a total of figures
    // where no line holds money ("A 10 / B 20 / 합계"); "식비 98500" is one after a word of
    // money, or among money.
    const std::string& value = r.tokens[i].value;
    const bool fraction = value.find('.') != std::string::npos && i > 0;
    const bool money = money_here(r) || after_money_word(r, i);
    // "배송비 0" among money is none to pay.
    const bool small = value.size() < 3 && value != "0" && i > 0 && (!totals_here(r) || marked_here(r));
    // "현재 연봉 3800 / 회사 제시 4200": where the paragraph leaves 만 unwritten, a bare figure
    // under 10,000 may be in 만.
    if (at_end && !r.valued && value.size() <= 4 && !fraction && man_unwritten_here(r)) return FigureRole::Name;
    // "어묵 2.000", "귤 5kg 19.800", "키친타월 12롤 19.990" under "떡볶이 4.500원": a point typed for the thousands
    // comma, as the paragraph types it or in a list a total sums ("커피 5.400" over "소계"); won end in a ten, where
    // "금리 3.125" does not.
    const std::string_view written = text_of(r, i);
    const std::size_t point = written.find('.');
    const bool labelled = word_before(r, i) || (i > 1 && r.tokens[0].kind == TokenKind::Word && r.number(i - 1) &&
                                                (r.tokens[i - 1].marks.measure || r.tokens[i - 1].marks.counter));
    if (at_end && !r.valued && (point_for_comma_here(r) || totals_here(r)) && labelled && point >= 1 && point <= 3 &&
        written.front() != '0' && written.size() == point + 4 && written.back() == '0' &&
        all_ascii_digits(written.substr(0, point)) && all_ascii_digits(written.substr(point + 1))) {
        r.tokens[i].value = std::string(written.substr(0, point)) + std::string(written.substr(point + 1));
        r.tokens[i].marks.grouped = true;
        return FigureRole::Amount;
    }
    return at_end && (r.valued || (money && !fraction && !small)) ? FigureRole::Amount : FigureRole::Name;
}

// "12가", "31바": a plate's head; "500개 9500" counts cups, then their price.
bool plate_head(const Reading& r, std::size_t i) {
    const std::string_view written = text_of(r, i);
    return written.size() >= 5 && written.size() <= 6 && all_ascii_digits(written.substr(0, written.size() - 3)) &&
           ends_in_hangul(written) && !r.tokens[i].marks.counter;
}

void name(Reading& r, std::size_t i) {
    r.roles[i] = FigureRole::Name;
    r.tokens[i].marks.name = r.tokens[i].marks.identifier = true;
}

// Figures that name together: a list of bare numbers ("당첨번호 7, 12, 23, 31"), a car's
// plate ("12가 3456"), a number glued on to a name ("#1203*7788").
void name_runs(Reading& r) {
    const std::vector<Token>& t = r.tokens;
    const auto bare = [&](std::size_t i) {
        return r.number(i) && plain(t[i].marks) && !t[i].marks.name && !t[i].marks.joined && !has_quantity(t[i]);
    };
    const auto comma = [&](std::size_t i) {
        return i < t.size() && t[i].kind == TokenKind::Other && text_of(r, i) == ",";
    };
    for (std::size_t i = 0; i < t.size(); ++i) {
        // "서울 31바 8812", "38너4512": a car's plate, two or three digits and a syllable, then four.
        if (r.number(i) && plate_head(r, i) && i + 1 < t.size() && (t[i].spaced_after || t[i].end == t[i + 1].begin) &&
            r.number(i + 1) && plain(t[i + 1].marks) && text_of(r, i + 1).size() == 4 &&
            all_ascii_digits(text_of(r, i + 1))) {
            name(r, i);
            name(r, ++i);
            continue;
        }
        if (!bare(i)) continue;
        std::size_t end = i;
        while (comma(end + 1) && end + 2 < t.size() && bare(end + 2)) end += 2;
        if (end > i) {
            for (std::size_t j = i; j <= end; j += 2) name(r, j);
            i = end;
            continue;
        }
        // "1게임 3 11 19 24 38 42": three or more bare numbers in a row; "멤버십 4400 2918": two
        // groups of four digits, as a card's number is written.
        while (end + 1 < t.size() && bare(end + 1) && t[end].spaced_after) ++end;
        const auto four = [&](std::size_t k) { return text_of(r, k).size() == 4 && all_ascii_digits(text_of(r, k)); };
        if (end >= i + 2 || (end == i + 1 && four(i) && four(end))) {
            for (std::size_t j = i; j <= end; ++j) name(r, j);
            i = end;
            continue;
        }
        end = i;
        // "카드번호 1234 5678", "차량번호 12가 3456": bare digits after an identifier's go on with it.
        if (i > 0 && r.number(i - 1) && t[i - 1].marks.identifier && t[i - 1].spaced_after) {
            name(r, i);
            continue;
        }
        const bool plate_start = plate_head(r, i);
        if (plate_start && t[i].spaced_after && i + 1 < t.size() && bare(i + 1) && t[i + 1].value.size() == 4 &&
            text_of(r, i + 1).size() == 4) {
            name(r, i);
            name(r, ++i);
            continue;
        }
        // "#1203*7788", "1234-5678": digits glued on to an identifier's.
        const bool joiner = i >= 2 && (t[i - 1].kind == TokenKind::Times || t[i - 1].kind == TokenKind::Minus ||
                                       t[i - 1].kind == TokenKind::Other);
        if (joiner && t[i - 1].end == t[i].begin && t[i - 2].end == t[i - 1].begin && r.number(i - 2) &&
            t[i - 2].marks.identifier)
            name(r, i);
        // "모니터 1920x1080", "사진 3x4": plain figures glued by an x are a size, unless a
        // value is asked for ("3x4 ="), or a few are bought at a price ("어묵 2x1500").
        const auto latin_x = [&](std::size_t k) { return text_of(r, k) == "x" || text_of(r, k) == "X"; };
        const bool alone =
            (i == 0 || !is_operator(t[i - 1].kind)) && (i + 3 >= t.size() || !is_operator(t[i + 3].kind));
        const bool priced = i + 2 < t.size() && t[i].value.size() <= 2 && t[i + 2].value.size() >= 4;
        if (!r.valued && i + 2 < t.size() && t[i + 1].kind == TokenKind::Times && latin_x(i + 1) && r.glued(i) &&
            r.glued(i + 1) && bare(i + 2) && !t[i].marks.grouped && !t[i + 2].marks.grouped && alone && !priced) {
            name(r, i);
            name(r, i + 2);
            r.tokens[i + 1].kind = TokenKind::Other;
            i += 2;
            continue;
        }
        // "1+1 샴푸", "2+1 요거트": an offer, not a sum.
        if (i + 3 < t.size() && t[i + 1].kind == TokenKind::Plus && r.glued(i) && r.glued(i + 1) && bare(i + 2) &&
            t[i].value.size() == 1 && t[i + 2].value.size() == 1 && t[i + 3].kind == TokenKind::Word) {
            name(r, i);
            name(r, i + 2);
            r.tokens[i + 1].kind = TokenKind::Other;
        }
    }
    // "110-***-123456": a number with starred digits is an account's, a card's or a phone's.
    const auto joined = [&](std::size_t a) { return t[a].end == t[a + 1].begin; };
    for (std::size_t i = 0; i + 1 < t.size(); ++i) {
        if (t[i].kind != TokenKind::Times || t[i + 1].kind != TokenKind::Times || !joined(i)) continue;
        std::size_t first = i, last = i;
        while (first > 0 && joined(first - 1) && t[first - 1].kind != TokenKind::Word) --first;
        while (last + 1 < t.size() && joined(last) && t[last + 1].kind != TokenKind::Word) ++last;
        for (std::size_t j = first; j <= last; ++j) {
            if (r.number(j))
                name(r, j);
            else
                r.tokens[j].kind = TokenKind::Other;
        }
        i = last;
    }
}

// "x 12 (연봉)", "/ 3 (3형제)", "(12개월 할부)": words in parentheses, with no amount and no
// operation inside, say what a figure is; the calculation passes over them.
void skip_asides(Reading& r) {
    const std::vector<Token>& t = r.tokens;
    const auto money = [&](std::size_t i) {
        return r.number(i) && (r.roles[i] == FigureRole::Amount || r.roles[i] == FigureRole::Foreign);
    };
    for (std::size_t open = 0; open < t.size(); ++open) {
        if (t[open].kind != TokenKind::Open) continue;
        // "12개월 528,000 (월 44,000)", "주유 7만원 (리터당 1,689)": after an amount, what it
        // comes to a month, a head or a litre is a remark on it, no amount of the line.
        static constexpr std::string_view PER[] = {"월", "연"};
        const auto per = [&](std::string_view word) {
            return std::find(std::begin(PER), std::end(PER), word) != std::end(PER) ||
                   (word.size() > 3 && word.ends_with("당") && word != "식당");
        };
        if (open + 3 < t.size() && t[open + 1].kind == TokenKind::Word && money(open + 2) &&
            t[open + 3].kind == TokenKind::Close && per(text_of(r, open + 1)) &&
            std::any_of(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(open),
                        [&](const Token& k) { return money(static_cast<std::size_t>(&k - t.data())); })) {
            name(r, open + 2);
            for (std::size_t i = open; i <= open + 3; ++i) r.skipped[i] = true;
            open += 3;
            continue;
        }
        // "연봉 3800 (만원)", "(단위: 만원)": a unit in parentheses says what figures are counted
        // in, no amount.
        static constexpr std::string_view UNITS[] = {"천원", "만원", "백만원", "억원"};
        std::size_t unit = open + 1;
        if (unit < t.size() && t[unit].kind == TokenKind::Word && text_of(r, unit) == "단위") ++unit;
        if (unit < t.size() && unit > open + 1 && t[unit].kind == TokenKind::Colon) ++unit;
        if (unit + 1 < t.size() && r.number(unit) && t[unit + 1].kind == TokenKind::Close &&
            std::find(std::begin(UNITS), std::end(UNITS), text_of(r, unit)) != std::end(UNITS)) {
            // "현재 연봉 4,800 (만원)": right after a whole figure with no unit of its own, it is that
            // figure's.
            const std::size_t figure = open - 1;
            const NumberMarks& m = t[figure].marks;
            if (unit == open + 1 && open > 0 && r.number(figure) && !(m.unit || m.won || m.foreign || m.percent) &&
                all_ascii_digits(t[figure].value)) {
                const std::string_view written = text_of(r, unit);
                r.tokens[figure].value += std::string(written == "천원"   ? 3
                                                      : written == "만원" ? 4
                                                      : written == "억원" ? 8
                                                                          : 6,
                                                      '0');
                r.tokens[figure].marks.large_unit = written != "천원";
                r.tokens[figure].marks.won = true;
                r.tokens[figure].marks.unclear = false;
                r.roles[figure] = FigureRole::Amount;
            }
            name(r, unit);
            for (std::size_t i = open; i <= unit + 1; ++i) r.skipped[i] = true;
            open = unit + 1;
            continue;
        }
        std::size_t close = open + 1;
        bool aside = true;
        for (; close < t.size() && t[close].kind != TokenKind::Close; ++close) {
            const TokenKind kind = t[close].kind;
            aside =
                aside && !money(close) && !is_operator(kind) && kind != TokenKind::Open && kind != TokenKind::Equals;
        }
        if (close == t.size() || !aside || close == open + 1) continue;
        for (std::size_t i = open; i <= close; ++i) r.skipped[i] = true;
        open = close;
    }
}

}  // namespace

bool sum_in_man_unwritten_beside(const Reading& r, std::size_t amount) {
    std::size_t nth = 0;
    bool before = false;  // such a sum before the amount, with no operator after it yet
    for (std::size_t i = 0; i < r.tokens.size(); ++i) {
        // "오퍼 연봉 4,800 + 성과급 300": one before it too, where an operator joins the two.
        if (before && is_operator(r.tokens[i].kind) && r.tokens[i].spaced_after && r.tokens[i - 1].spaced_after)
            return true;
        if (!r.number(i)) continue;
        const bool unwritten = r.roles[i] == FigureRole::Name && i > 0 && r.tokens[i - 1].kind == TokenKind::Word &&
                               in_ten_thousands(r, i);
        if (nth++ == amount) break;
        before = unwritten;
    }
    nth = 0;
    for (std::size_t i = 0; i < r.tokens.size(); ++i) {
        if (!r.number(i) || nth++ <= amount) continue;
        if (r.roles[i] == FigureRole::Name && r.tokens[i - 1].kind == TokenKind::Word && in_ten_thousands(r, i))
            return true;
    }
    return false;
}

bool bare_price_before(const Reading& r, std::size_t amount) {
    std::size_t nth = 0;
    for (std::size_t i = 0; i + 1 < r.tokens.size(); ++i) {
        if (!r.number(i)) continue;
        if (nth++ >= amount) break;
        const Token& t = r.tokens[i];
        if (i > 0 && r.roles[i] == FigureRole::Name && plain(t.marks) && !names_something(r, i) &&
            t.value.size() >= 4 && t.value.ends_with("00") && r.tokens[i - 1].kind == TokenKind::Word &&
            r.tokens[i + 1].kind == TokenKind::Word &&
            std::find(std::begin(SIZE_WORDS), std::end(SIZE_WORDS), text_of(r, i + 1)) == std::end(SIZE_WORDS))
            return true;
    }
    return false;
}

bool names_a_number(std::string_view word) {
    // "카드끝자리 4417", "현관비번 2580": glued after what they are of. Asked of every label:
    // the last byte tells most of the identifier words apart before a compare.
    static constexpr std::string_view GLUED[] = {"번호", "끝자리", "뒷자리", "앞자리", "비번", "코드"};
    return std::any_of(std::begin(GLUED), std::end(GLUED), [&](std::string_view end) { return word.ends_with(end); }) ||
           std::any_of(std::begin(IDENTIFIER_WORDS), std::end(IDENTIFIER_WORDS), [&](std::string_view identifier) {
               return identifier.size() == word.size() && identifier.back() == word.back() && identifier == word;
           });
}

bool totals_here(const Reading& r) {
    const std::optional<ParagraphFacts> paragraph = r.scope != nullptr ? r.scope->paragraph() : std::nullopt;
    return paragraph ? paragraph->totals : line_traits(r.line).total;
}

bool heads_sums_in_man(std::string_view line) {
    const auto has = [&](std::string_view word) { return find_text(line, word) != std::string_view::npos; };
    // Not where a month's sums are named too: "월세 보증금" is either.
    return std::any_of(std::begin(TEN_THOUSANDS_WORDS), std::end(TEN_THOUSANDS_WORDS), has) && !has("월세") &&
           !has("관리비") && !has("한도");
}

namespace {

// Whether two Hangul syllables stand together in the text: every word of sums kept in 만 is
// two or more, and a heading such as "2001년 1월 1일 (월)" has none to look for them in.
bool syllables_together(std::string_view text) {
    bool after_syllable = false;
    for (std::size_t pos = 0; pos < text.size();) {
        const bool syllable = is_hangul_syllable(decode_utf8(text, pos));
        if (syllable && after_syllable) return true;
        after_syllable = syllable;
    }
    return false;
}

}  // namespace

bool leaves_man_unwritten(std::string_view line) {
    if (!syllables_together(line)) return false;
    if (std::none_of(std::begin(TEN_THOUSANDS_WORDS), std::end(TEN_THOUSANDS_WORDS),
                     [&](std::string_view word) { return find_text(line, word) != std::string_view::npos; }) &&
        find_text(line, "월급") == std::string_view::npos && find_text(line, "실수령") == std::string_view::npos)
        return false;
    const Reading r{line, tokenize_line(line), nullptr, false, {}, {}, {}};
    for (std::size_t i = 0; i < r.tokens.size(); ++i) {
        if (r.number(i) && in_ten_thousands(r, i)) return true;
    }
    return false;
}

bool man_unwritten_here(const Reading& r) {
    const std::optional<ParagraphFacts> paragraph = r.scope != nullptr ? r.scope->paragraph() : std::nullopt;
    return paragraph ? paragraph->man_unwritten : line_traits(r.line).man_unwritten;
}

bool point_for_comma_here(const Reading& r) {
    const std::optional<ParagraphFacts> paragraph = r.scope != nullptr ? r.scope->paragraph() : std::nullopt;
    return paragraph ? paragraph->point_for_comma : line_traits(r.line).point_for_comma;
}

bool eok_here(const Reading& r) {
    const std::optional<ParagraphFacts> paragraph = r.scope != nullptr ? r.scope->paragraph() : std::nullopt;
    return paragraph ? paragraph->in_eok : line_traits(r.line).in_eok;
}

bool headed_man_here(const Reading& r) {
    const std::optional<ParagraphFacts> paragraph = r.scope != nullptr ? r.scope->paragraph() : std::nullopt;
    return paragraph && paragraph->headed_man;
}

bool marked_here(const Reading& r) {
    const std::optional<ParagraphFacts> paragraph = r.scope != nullptr ? r.scope->paragraph() : std::nullopt;
    return paragraph ? paragraph->marked : line_traits(r.line).marked;
}

bool money_here(const Reading& r) {
    if (r.valued) return true;
    const std::optional<ParagraphFacts> paragraph = r.scope != nullptr ? r.scope->paragraph() : std::nullopt;
    return paragraph ? paragraph->money : line_traits(r.line).money;
}

void assign_roles(Reading& r) {
    const std::vector<Token>& t = r.tokens;
    r.roles.assign(t.size(), FigureRole::Amount);
    std::optional<std::size_t> last_number;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind == TokenKind::Number) last_number = i;
    }
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind != TokenKind::Number) continue;
        // "오전 412,500", "오후 98건": takings or work by half a day, no hour of it ("오전 9" is one).
        NumberMarks& m = r.tokens[i].marks;
        if (m.clock && m.date && i > 0 && t[i - 1].kind == TokenKind::Word &&
            (m.grouped || m.counter || t[i].value.size() > 2) &&
            (text_of(r, i - 1) == "오전" || text_of(r, i - 1) == "오후"))
            m.clock = m.date = false;
        const bool by_tilde =
            (i > 0 && t[i - 1].kind == TokenKind::Tilde && i > 1 && t[i - 2].kind == TokenKind::Number) ||
            (i + 2 < t.size() && t[i + 1].kind == TokenKind::Tilde && t[i + 2].kind == TokenKind::Number);
        r.roles[i] = role_of(r, i, by_tilde, last_number == i);
        // A figure that names something is part of a name, never an operand.
        if (r.roles[i] == FigureRole::Name && names_something(r, i))
            r.tokens[i].marks.name = r.tokens[i].marks.identifier = true;
    }
    name_runs(r);
    // From the end, so that a run of signs is looked at once.
    r.starts.assign(t.size() + 1, false);
    for (std::size_t i = t.size(); i-- > 0;) {
        const bool sign = t[i].kind == TokenKind::Minus || t[i].kind == TokenKind::Plus;
        r.starts[i] = r.operand(i) || t[i].kind == TokenKind::Open || (sign && r.glued(i) && r.starts[i + 1]);
    }
    // Operators between operands stay; an operator that joins nothing is punctuation,
    // and a sign glued to a figure is its sign.
    r.skipped.assign(t.size(), false);
    skip_asides(r);
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (r.skipped[i]) continue;
        const TokenKind kind = t[i].kind;
        if (is_label(kind) || r.named(i)) {
            r.skipped[i] = true;
        } else if (is_operator(kind) && !r.binary(i)) {
            // "-5,000", and "- 5,000" opening a line nothing goes on from: a sign.
            const bool sign = (kind == TokenKind::Minus || kind == TokenKind::Plus) && (r.glued(i) || i == 0) &&
                              r.starts_operand(i + 1);
            r.skipped[i] = !sign;
        }
    }
}

// Whether the text before an "=" holds a calculation of its own: an operator between
// figures, an amount ("월세 55만원 ="), a date, days, a duration or an area.
bool has_amount(const Reading& r) {
    for (std::size_t i = 0; i < r.tokens.size(); ++i) {
        if (r.number(i) && (r.roles[i] == FigureRole::Amount || has_quantity(r.tokens[i]))) return true;
        if (is_operator(r.tokens[i].kind) && !r.skipped[i] && r.binary(i)) return true;
    }
    return false;
}

bool counts_only(const Reading& r) {
    bool counted = false;
    for (std::size_t i = 0; i < r.tokens.size(); ++i) {
        if (!r.number(i)) continue;
        const NumberMarks& m = r.tokens[i].marks;
        if (m.grouped || m.plain_long || m.unit || m.won || m.foreign || m.percent || m.reference) return false;
        counted = counted || m.counter || m.measure || has_quantity(r.tokens[i]);
    }
    return counted;
}

bool money_alone(const Reading& r) {
    if (r.tokens.size() != 1 || !r.number(0)) return false;
    const NumberMarks& m = r.tokens[0].marks;
    return (m.grouped || m.won || m.large_unit) && !m.foreign && !m.counter && !m.date && !has_quantity(r.tokens[0]);
}

// A plain number in a label: a date, a time, a name, a model ("아이폰 15 프로 1,550,000원 x 2").
bool label_figure(const Reading& r, std::size_t i) {
    const notes_detail::NumberMarks& m = r.tokens[i].marks;
    // "12 @ 3": a sign the reading does not know may join a plain number to the next.
    const bool symbol_next = i + 1 < r.tokens.size() && r.tokens[i + 1].kind == TokenKind::Other;
    if (r.roles[i] == FigureRole::Name && !m.name && symbol_next) return false;
    switch (r.roles[i]) {
    case FigureRole::DateTime:
    case FigureRole::Name:
    case FigureRole::Duration:
    case FigureRole::Date:
    case FigureRole::Days:
    case FigureRole::Area: return true;
    default: break;
    }
    if (m.joined) return true;
    // "항공 1인 420,000 x 2", "추가할인 5% 적용: 40,800 - 5% =": a count or a rate names what follows.
    return !m.grouped && !m.won && !m.unit && !m.foreign;
}

namespace {}  // namespace

bool labels_figure(const Reading& r, std::size_t i) {
    const FigureRole role = r.roles[i];
    if (role != FigureRole::DateTime && role != FigureRole::Count && role != FigureRole::Date) return false;
    // "+ 12월 회비 8명 x 20,000": a month or a day before a word names what follows it.
    // Without a figure after its words ("통장잔액 - 12월 여행 적립") it would be the operand.
    if (role == FigureRole::DateTime && !r.tokens[i].marks.clock && i + 1 < r.tokens.size() &&
        r.tokens[i + 1].kind == TokenKind::Word) {
        for (std::size_t k = i + 1; k < r.tokens.size() && !is_operator(r.tokens[k].kind); ++k) {
            if (r.number(k)) return true;
        }
        return false;
    }
    std::optional<std::size_t> next = r.next_significant(i);
    if (!next || !r.number(*next)) return false;
    const FigureRole after = r.roles[*next];
    return after == FigureRole::Amount || after == FigureRole::Foreign;
}

namespace {

// A range, or a time of day or a date that is not read as one, that the operator would
// take apart or add to: "오후 3시 + 2시간", "12월 + 1"; one in a unit of its own may
// multiply or divide as a count: "3만원 × 12개월".
bool cannot_take_part(const Reading& r, std::size_t op, std::size_t i) {
    if (!r.number(i) || r.named(i)) return false;
    if (r.roles[i] == FigureRole::Range) return true;
    if (r.roles[i] != FigureRole::DateTime) return false;
    // "- 1월 상환 150만": a month or a day that labels the figure after it.
    if (i > op && labels_figure(r, i)) return false;
    const TokenKind kind = r.tokens[op].kind;
    // A name's time of day is never calculated with.
    const NumberMarks& m = r.tokens[i].marks;
    if (kind == TokenKind::Plus || kind == TokenKind::Minus || m.joined || m.reference) return true;
    // "3 / 4 / 8월": a month of the year is nothing to divide, where "12개월" is, and "7월 / 9월"
    // sets two months apart.
    const auto month = [&](std::size_t k) {
        const std::string_view written = text_of(r, k);
        return r.number(k) && written.ends_with("월") && !written.ends_with("개월");
    };
    const std::size_t other = i < op ? op + 1 : op - 1;
    if (kind == TokenKind::Divide && month(i) && other < r.tokens.size() && !month(other)) return true;
    // "3시 30분 x …": a time of several units, the next one on the far side.
    const bool before = i < op;
    if (before ? i == 0 : i + 1 >= r.tokens.size()) return false;
    const std::size_t far = before ? i - 1 : i + 1;
    return r.number(far) && r.roles[far] == FigureRole::DateTime;
}

}  // namespace

std::string blocked_operation(const Reading& r) {
    const std::vector<Token>& t = r.tokens;
    for (std::size_t i = 1; i + 1 < t.size(); ++i) {
        // "3개월 무이자 / 3": a term or a month opening the line names it; it is no operand.
        const bool times_or_divide = t[i].kind == TokenKind::Times || t[i].kind == TokenKind::Divide;
        if (times_or_divide && i == 2 && t[1].kind == TokenKind::Word && r.number(0) && !r.named(0) &&
            r.roles[0] == FigureRole::DateTime)
            return std::string(NOT_WITH_DATES);
        if (!is_operator(t[i].kind) || r.starts_operand(i) || !r.number(i - 1)) continue;
        // "$350 / × 1,380": an operator with nothing to take after it.
        if (is_operator(t[i + 1].kind) && !r.starts_operand(i + 1)) return "연산자가 겹쳐 있어 계산할 수 없습니다";
        if (!r.number(i + 1) && t[i + 1].kind != TokenKind::Open) continue;
        // "12월 7일 - 12,000원": a dash after a date sets an amount apart.
        if (r.dash_after_date(i) && r.number(i + 1) && r.roles[i + 1] == FigureRole::Amount) continue;
        for (const std::size_t side : {i - 1, i + 1}) {
            if (!cannot_take_part(r, i, side)) continue;
            return std::string(r.roles[side] == FigureRole::Range ? "범위는 계산할 수 없습니다" : NOT_WITH_DATES);
        }
    }
    return {};
}

}  // namespace numvora::notes_detail
