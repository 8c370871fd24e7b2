#include "notes/reading/line_tokens.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <utility>

#include "common/hangul.h"
#include "common/unicode.h"
#include "notes/figures/currencies.h"
#include "notes/figures/korean_words.h"
#include "notes/figures/plain_number.h"
#include "notes/figures/written_number.h"

namespace numvora::notes_detail {

namespace {

// Durations before the words they begin with: "개월" is no count and "시간" no hour.
constexpr std::string_view DATE_WORDS[] = {"시간", "개월", "일간", "년", "월", "일", "시", "분", "초", "주"};
// A floor, a building or a house number ("3층", "101동", "1203호") is a name, not a count.
// Longer words first where one begins another ("개입" before "개").
constexpr std::string_view COUNTER_WORDS[] = {
    "마리", "인분", "그릇", "차례", "가지", "켤레", "송이",   "포기", "봉지", "상자", "박스", "조각",
    "접시", "세트", "묶음", "자루", "다스", "개입", "페이지", "캡슐", "개",   "명",   "잔",   "장",
    "권",   "회",   "건",   "대",   "병",   "박",   "살",     "쪽",   "통",   "봉",   "팩",   "벌",
    "줄기", "줄",   "곳",   "알",   "캔",   "판",   "인",     "보",   "모",   "근",   "단",   "평",
    "매",   "망",   "부",   "종",   "채",   "롤",   "포",     "쌍",   "짝",   "정",   "구"};
// The three bytes of the syllable at i, as one number.
constexpr std::uint32_t syllable_key(std::string_view s, std::size_t i) {
    return (std::uint32_t{static_cast<unsigned char>(s[i])} << 16U) |
           (std::uint32_t{static_cast<unsigned char>(s[i + 1])} << 8U) | static_cast<unsigned char>(s[i + 2]);
}
// The counter words by their first syllable, in their order within each: a place after a
// figure is compared with the few that open with its syllable, not with every one.
struct CounterOpening {
    std::uint32_t syllable = 0;
    std::size_t word = 0;  // in COUNTER_WORDS
    constexpr bool operator<(const CounterOpening& other) const {
        return syllable != other.syllable ? syllable < other.syllable : word < other.word;
    }
};
constexpr auto COUNTER_OPENINGS = [] {
    std::array<CounterOpening, std::size(COUNTER_WORDS)> out{};
    for (std::size_t n = 0; n < out.size(); ++n) out[n] = {syllable_key(COUNTER_WORDS[n], 0), n};
    std::sort(out.begin(), out.end());
    return out;
}();
static_assert(std::all_of(std::begin(COUNTER_WORDS), std::end(COUNTER_WORDS),
                          [](std::string_view word) { return word.size() >= 3; }));

// Native numerals, read only before a counter: "다섯 개", "두 잔", "한잔".
constexpr std::pair<std::string_view, char> NATIVE_NUMERALS[] = {
    {"다섯", '5'}, {"여섯", '6'}, {"일곱", '7'}, {"여덟", '8'}, {"아홉", '9'},
    {"한", '1'},   {"두", '2'},   {"세", '3'},   {"네", '4'},   {"열", '0'}};
constexpr std::string_view HALF_DAYS[] = {"오전", "오후"};

// Whether a byte opens a currency's sign ("$", "HK$", "€" …): most places of a line open
// none, and are passed without a compare.
constexpr auto SIGN_OPENERS = [] {
    std::array<bool, 256> out{};
    for (const CurrencyForm& form : CURRENCY_FORMS) {
        if (form.mark == CurrencyMark::Sign) out[static_cast<unsigned char>(form.written.front())] = true;
    }
    return out;
}();

bool is_ascii_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// decode_utf8 with the memo's common scalars, ASCII and Hangul syllables, read in place:
// the lexer decodes every scalar of a line, most of them more than once.
inline char32_t decode_at(std::string_view s, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[pos + i]); };
    if (byte(0) < 0x80) return static_cast<char32_t>(s[pos++]);
    if (byte(0) >= 0xEA && byte(0) <= 0xED && pos + 2 < s.size() && byte(1) >= 0x80 &&
        byte(1) <= (byte(0) == 0xED ? 0x9F : 0xBF) && is_utf8_continuation(byte(2))) {
        const char32_t c = (static_cast<char32_t>(byte(0) & 0x0F) << 12) |
                           (static_cast<char32_t>(byte(1) & 0x3F) << 6) | static_cast<char32_t>(byte(2) & 0x3F);
        pos += 3;
        return c;
    }
    return decode_utf8(s, pos);
}

// The syllables a number in words opens with: a digit (일 … 구) or a unit (십 … 조).
bool opens_written_number(char32_t c) {
    static constexpr auto SYLLABLES = [] {
        std::array<char32_t, std::size(HANGUL_DIGITS) + std::size(SMALL_UNITS) + std::size(LARGE_UNITS)> all{};
        std::size_t n = 0;
        // Each is one three-byte syllable.
        const auto take = [&](std::string_view word) {
            const auto byte = [&](std::size_t i) { return static_cast<char32_t>(static_cast<unsigned char>(word[i])); };
            all[n++] = ((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
        };
        for (const std::string_view digit : HANGUL_DIGITS) take(digit);
        for (const NumberUnit& unit : SMALL_UNITS) take(unit.word);
        for (const NumberUnit& unit : LARGE_UNITS) take(unit.word);
        return all;
    }();
    return std::find(SYLLABLES.begin(), SYLLABLES.end(), c) != SYLLABLES.end();
}

// Native numerals open with one of these: one look at a word's first syllable settles most.
constexpr std::u32string_view NATIVE_FIRSTS = U"다여일아한두세네열";

// Whether one of the words may begin at i, directly or after one space: most figures are
// followed by none of their first bytes.
template <std::size_t N>
bool may_begin(std::string_view s, std::size_t i, const std::string_view (&words)[N]) {
    const char direct = i < s.size() ? s[i] : '\0';
    const char spaced = direct == ' ' && i + 1 < s.size() ? s[i + 1] : '\0';
    return std::any_of(std::begin(words), std::end(words),
                       [&](std::string_view word) { return word[0] == direct || word[0] == spaced; });
}

bool written_as_money(const Token& token) {
    const NumberMarks& m = token.marks;
    // "12, 300원" is money too, if no one can tell how much.
    return token.kind == TokenKind::Number && (!m.name || m.unclear) && !m.joined && !m.date && !m.percent &&
           (m.won || m.unit || m.grouped || m.foreign);
}

struct Lexer {
    std::string_view s;
    bool split_joined;
    std::vector<Token> tokens;
    bool until_money = false;  // stop after the first figure written as money
    enum class Prefix { None, Won, Foreign } prefix = Prefix::None;
    std::string_view prefix_text = {};                // a foreign prefix as written: "$", "USD"
    std::size_t sign_begin = std::string_view::npos;  // where a sign prefix ("₩", "$") began
    std::size_t latin_end = std::string_view::npos;   // where the last Latin word ended
    bool other_dollar = false;                        // the next figure is in an unknown dollar

    bool at(std::size_t i, std::string_view what) const { return starts_at(s, i, what); }
    bool digit(std::size_t i) const { return i < s.size() && is_ascii_digit(s[i]); }
    bool letter(std::size_t i) const { return i < s.size() && is_ascii_letter(s[i]); }
    char32_t scalar(std::size_t i) const {
        if (i >= s.size()) return 0;
        return decode_at(s, i);
    }
    bool hangul_at(std::size_t i) const { return is_hangul(scalar(i)); }

    std::size_t hangul_run_end(std::size_t i) const {
        while (i < s.size()) {
            std::size_t next = i;
            if (!is_hangul(decode_at(s, next))) break;
            i = next;
        }
        return i;
    }

    // A glued Hangul run that is only a particle, or none at all.
    bool particle_or_nothing(std::size_t i, NumberMarks* marks) const {
        if (i >= s.size() || static_cast<unsigned char>(s[i]) < 0xE0) return true;
        const std::string_view run = s.substr(i, hangul_run_end(i) - i);
        if (run.empty()) return true;
        for (std::string_view particle : PARTICLES) {
            if (run != particle) continue;
            if (marks != nullptr && run == "의") marks->of = true;
            if (marks != nullptr && run == "에서") marks->from = true;
            return true;
        }
        return false;
    }

    // One of the words at i (directly), or after one space standing alone; the end
    // past it and its particle, or nothing.
    template <std::size_t N>
    std::optional<std::size_t> word_after(std::size_t i, const std::string_view (&words)[N], NumberMarks& marks,
                                          bool spaced_particles = false, std::string_view* matched = nullptr) const {
        for (int spaced = 0; spaced < 2; ++spaced) {
            if (spaced == 1 && !at(i, " ")) break;
            const std::size_t from = i + static_cast<std::size_t>(spaced);
            // Every word opens with a letter or a Hangul syllable's lead byte: most figures
            // are followed by neither, and a mebibyte of notes stays quick.
            if (from >= s.size() || !(letter(from) || static_cast<unsigned char>(s[from]) >= 0xE0)) continue;
            for (std::string_view word : words) {
                // A syllable's lead byte is shared by a quarter of the words: its last byte first.
                if (s[from] != word[0] || (word.size() > 2 && from + 2 < s.size() && s[from + 2] != word[2]) ||
                    !at(from, word))
                    continue;
                if (const auto end = word_stands(from, word, spaced == 1, spaced_particles, marks, matched)) return end;
            }
        }
        return std::nullopt;
    }

    // The same for the counter words, only those that open with the syllable there.
    std::optional<std::size_t> counter_after(std::size_t i, NumberMarks& marks,
                                             std::string_view* matched = nullptr) const {
        for (int spaced = 0; spaced < 2; ++spaced) {
            if (spaced == 1 && !at(i, " ")) break;
            const std::size_t from = i + static_cast<std::size_t>(spaced);
            if (from + 3 > s.size()) continue;
            const CounterOpening first{syllable_key(s, from), 0};
            for (auto it = std::lower_bound(COUNTER_OPENINGS.begin(), COUNTER_OPENINGS.end(), first);
                 it != COUNTER_OPENINGS.end() && it->syllable == first.syllable; ++it) {
                const std::string_view word = COUNTER_WORDS[it->word];
                if (!at(from, word)) continue;
                if (const auto end = word_stands(from, word, spaced == 1, false, marks, matched)) return end;
            }
        }
        return std::nullopt;
    }

    // A word found at from (spaced: after one space) stands as one there: the end past it
    // and its particle, or nothing.
    std::optional<std::size_t> word_stands(std::size_t from, std::string_view word, bool spaced, bool spaced_particles,
                                           NumberMarks& marks, std::string_view* matched) const {
        const std::size_t end = from + word.size();
        if (at(end, "*")) return std::nullopt;  // "360,000 박*희": a masked name, no nights
        if (is_ascii_letter(word[0]) && letter(end)) return std::nullopt;
        if (spaced && !spaced_particles && hangul_at(end)) return std::nullopt;
        // "15:30 초6", "3 중2": a spaced word glued to digits names a class.
        if (spaced && digit(end)) return std::nullopt;
        NumberMarks probe = marks;
        if (!particle_or_nothing(end, &probe)) return std::nullopt;
        marks = probe;
        if (matched != nullptr) *matched = word;
        return hangul_run_end(end);
    }

    // Whether a Hangul number word may begin at i: not inside a word.
    bool word_boundary(std::size_t i) const {
        if (i == 0) return true;
        std::size_t before = i - 1;
        while (before > 0 && is_utf8_continuation(static_cast<unsigned char>(s[before]))) --before;
        std::size_t pos = before;
        const char32_t c = decode_at(s, pos);
        return !is_hangul(c) &&
               !(c < 0x80 && (is_ascii_letter(static_cast<char>(c)) || is_ascii_digit(static_cast<char>(c))));
    }

    std::optional<std::size_t> joiner(std::size_t i) const {
        if (at(i, ".") || at(i, ":")) return 1;
        if (split_joined) return std::nullopt;
        if (at(i, "/") || at(i, "-")) return 1;
        return std::nullopt;
    }

    void push(TokenKind kind, std::size_t begin, std::size_t end) {
        Token& token = tokens.emplace_back();
        token.kind = kind;
        token.begin = begin;
        token.end = end;
        // "₩-5,000": the sign stays the figure's, but no longer right before it.
        sign_begin = std::string_view::npos;
        if (kind != TokenKind::Minus) prefix = Prefix::None;
    }

    // A figure from a digit (or a point before one, or a Hangul number word read as such).
    std::size_t number(std::size_t begin, const WrittenNumber& read) {
        Token token;
        token.kind = TokenKind::Number;
        // "-₩5,000": the sign before ₩ or $ is glued to the figure it marks.
        token.begin = sign_begin != std::string_view::npos && prefix != Prefix::None ? sign_begin : begin;
        token.value = to_text(read.value, false);
        NumberMarks& marks = token.marks;
        marks.grouped = read.grouped;
        marks.plain_long = read.plain_long;
        marks.unit = read.unit;
        marks.large_unit = read.large_unit;
        marks.leading_zero = read.leading_zero;
        marks.unclear = read.unclear || other_dollar;
        other_dollar = false;
        marks.won = prefix == Prefix::Won;
        marks.foreign = prefix == Prefix::Foreign;
        if (marks.foreign) token.currency = std::string(prefix_text);
        std::size_t end = read.end;
        // "€28,50": after a money sign, a comma before one or two digits is a decimal comma
        // or a slip, either way no figure to read as 28.
        if (prefix != Prefix::None && at(end, ",") && digit(end + 1) && !digit(end + 2 + (digit(end + 2) ? 1 : 0))) {
            marks.unclear = true;
            end += digit(end + 2) ? 3 : 2;
        }

        // "B-2", "No.5", "v1.2": a number hanging on a Latin word is part of its name.
        if (begin > 0 && (s[begin - 1] == '-' || s[begin - 1] == '.') && latin_end == begin - 1) {
            marks.name = true;
            if (!tokens.empty() && tokens.back().end == begin) tokens.pop_back();
        }
        // Digits joined like "2026-12-07", "010-1234-5678", "12:30", "3.14.15", "3만-5만";
        // in "3*4-1" and "(10-2)" the joiners are operators.
        std::size_t parts = 1;
        bool only_dashes = true;
        bool only_operators = true;  // every joiner a "-" or "/"
        NumberMarks joined = marks;
        std::size_t joined_end = end;
        bool falls = false;  // "186,400-130,300": grouped whole won down to a smaller sum
        for (std::optional<std::size_t> n = joiner(joined_end); n && digit(joined_end + *n); n = joiner(joined_end)) {
            const char c = s[joined_end];
            // "120만/6개월", "16000/4": money over something, or digits no date begins
            // with, make a division.
            if (c == '/' && (marks.unit || marks.grouped || marks.won || read.end - begin > 4)) break;
            only_dashes = only_dashes && c == '-';
            only_operators = only_operators && (c == '-' || c == '/');
            joined.joined_by_point = joined.joined_by_point || c == '.';
            const std::size_t stop = std::min(s.size(), s.find(' ', joined_end + *n));
            const WrittenNumber part = read_written_number(s.substr(0, stop), joined_end + *n, false);
            joined.unit = joined.unit || part.unit;
            joined.grouped = joined.grouped || part.grouped;
            const Decimal& high = read.value;
            const Decimal& low = part.value;
            falls = parts == 1 && c == '-' && read.grouped && part.grouped && high.scale == 0 && low.scale == 0 &&
                    (high.digits.size() > low.digits.size() ||
                     (high.digits.size() == low.digits.size() && high.digits > low.digits));
            joined_end = part.end;
            joined.joined = true;
            joined.clock = joined.clock || c == ':';
            ++parts;
        }
        // "+82-2-3210-0404", "010-1234-5678": a part that opens with 0 makes a phone or a code.
        bool zero_part = false;
        for (std::size_t k = end; k + 1 < joined_end; ++k)
            zero_part = zero_part || ((s[k] == '-' || s[k] == '/') && s[k + 1] == '0' && digit(k + 2));
        // "(41,900-48,350) x 120": a difference in parentheses that is multiplied.
        const bool bracketed = !tokens.empty() && tokens.back().kind == TokenKind::Open && at(joined_end, ")");
        // A range of money rises; one that falls is a difference. Asked only of joined digits.
        const bool in_expression = parts > 1 && only_operators && !zero_part &&
                                   ((falls && parts == 2) || operator_before() ||
                                    operator_then_operand(joined_end, bracketed || no_date(begin, joined_end)));
        if (parts > 1 && !in_expression) {
            marks = joined;
            end = joined_end;
        } else {
            parts = 1;
        }
        // "1/n": a share, never a division of what follows.
        if ((at(end, "/n") || at(end, "/N")) && !letter(end + 2) && parts == 1) {
            marks.name = true;
            end += 2;
        }
        // "그늘집 68k", "대파 3k x 2": k for a thousand, as "68,000" is written; "5k 러닝" and
        // "4K 모니터" name a distance and a screen.
        if (!marks.name && parts == 1 && !marks.unit && !marks.grouped && !marks.won && !marks.foreign &&
            thousands_mark_at(end)) {
            token.value = to_text(thousand_times(read.value), false);
            marks.grouped = true;
            marks.plain_long = false;
            ++end;
        }
        if (!marks.name) {
            const std::size_t digits_end = end;
            end = suffixes(end, marks, token.currency);
            if (marks.won) point_for_comma(s.substr(begin, digits_end - begin), token);
            end = per_unit(end);
        }
        if (marks.joined && only_dashes && parts == 2 && (marks.unit || marks.grouped || marks.won))
            marks.range_joined = true;
        token.end = end;
        tokens.push_back(std::move(token));
        prefix = Prefix::None;
        sign_begin = std::string_view::npos;
        return end;
    }

    // A "k" glued to the digits after a label, a count or an operator ("2026-10-18 10k" after
    // a date is a race),
    // with no word after it: the line's end, an operator or a sign ("대파 3k x 2").
    bool thousands_mark_at(std::size_t i) const {
        if (!at(i, "k") || tokens.empty() || (tokens.back().kind == TokenKind::Number && tokens.back().marks.joined))
            return false;
        std::size_t next = i + 1;
        while (at(next, " ")) ++next;
        if ((at(next, "x") || at(next, "X")) && !letter(next + 1)) return true;
        return !letter(next) && !digit(next) && !hangul_at(next);
    }

    static Decimal thousand_times(Decimal value) {
        if (value.scale >= 3) {
            value.scale -= 3;
        } else {
            value.digits.append(3 - value.scale, '0');
            value.scale = 0;
        }
        return value;
    }

    // "4.500원", "1.200.000원", "4.500만원": a point typed for the thousands comma before 원.
    // Any other fraction of a won ("4.5원", "3.50원") is a typo of who knows what.
    static void point_for_comma(std::string_view written, Token& token) {
        NumberMarks& marks = token.marks;
        if (written.find('.') == std::string_view::npos) return;
        std::size_t i = 0;
        while (i < written.size() && is_ascii_digit(written[i])) ++i;
        std::string plain(written.substr(0, i));
        std::size_t groups = 0;
        while (i >= 1 && i <= 3 + 4 * groups && i + 4 <= written.size() && written[i] == '.' &&
               all_ascii_digits(written.substr(i + 1, 3)) &&
               (i + 4 == written.size() || !is_ascii_digit(written[i + 4]))) {
            plain.append(written.substr(i + 1, 3));
            i += 4;
            ++groups;
        }
        if (groups > 0 && (i == written.size() || written[i] != '.')) {
            plain.append(written.substr(i));
            token.value = to_text(read_written_number(plain, 0, true).value, false);
            marks.grouped = true;
            marks.joined = marks.joined_by_point = marks.plain_long = false;
        } else if (!marks.unit) {
            marks.won_fraction = true;
        }
    }

    // The marks after a number: %, 원, a foreign money word, a date or counter word; a
    // word fused to it otherwise makes it part of a name.
    std::size_t suffixes(std::size_t end, NumberMarks& marks, std::string& currency) {
        if (at(end, "%") || at(end, "％")) {
            marks.percent = true;
            return end + (at(end, "%") ? 1 : 3);
        }
        // "시급 10,500 주 12시간": a week of the figure after, no week or share of a sum.
        if (marks.grouped && at(end, " 주 ") && digit(end + std::string_view(" 주 ").size())) return end;
        // "2만원권": a voucher of that much; "3500원원": 원 typed twice.
        static constexpr std::string_view WON[] = {"원권", "원원", "원"};
        if (const auto won = word_after(end, WON, marks, true)) {
            marks.won = true;
            end = *won;
        } else if (const std::optional<std::size_t> foreign = currency_after(end, marks, currency)) {
            marks.foreign = true;
            end = *foreign;
        } else if (std::string_view word; const auto date = word_after(end, DATE_WORDS, marks, false, &word)) {
            marks.date = true;
            marks.clock = word == "시" || word == "분" || word == "초";
            end = *date;
        } else if (const auto counter = counter_after(end, marks)) {
            marks.counter = true;
            end = *counter;
        } else if (!particle_or_nothing(end, &marks)) {
            marks.name = true;  // "2차", "30구", "101동"
            marks.measure = true;
            // "7,000웜": grouped like money, one syllable no figure takes: a typo of 원, where
            // "12,000단어" counts words.
            const std::size_t word_end = hangul_run_end(end);
            marks.unclear = marks.grouped && word_end - end == std::string_view("원").size();
            end = word_end;
        } else {
            end = hangul_run_end(end);
        }
        // "16GB", "5kg", "3D"; but "4,500원x2", "3개x2,500", "3x2,500" and "3개x 2,500" multiply,
        // while "6x4m" is a size.
        std::size_t after_x = end + 1;
        while (at(after_x, " ")) ++after_x;
        const bool times_next = (at(end, "x") || at(end, "X")) && digit(after_x) && !size_after(after_x);
        if (letter(end) && !times_next) {
            marks.name = true;
            const std::size_t word = end;
            while (letter(end) || digit(end)) ++end;
            marks.measure = is_measure_unit(s.substr(word, end - word));
            marks.length = is_length_unit(s.substr(word, end - word));
        }
        return end;
    }

    // "$15.99/년", "50,000원/월", "3만원/인": what a price is for, no division.
    std::size_t per_unit(std::size_t end) const {
        if (!at(end, "/")) return end;
        static constexpr std::string_view UNITS[] = {"년", "월", "일", "주",   "인", "명",
                                                     "개", "회", "건", "시간", "박"};
        for (const std::string_view unit : UNITS) {
            const std::size_t past = end + 1 + unit.size();
            // "보증금 1천/월 65": a figure after the unit makes the "/" part two sums.
            if (at(end + 1, unit) && !hangul_at(past) && !(at(past, " ") && digit(past + 1))) return past;
        }
        // "1,689원/L", "3,000원/kg": a price of a measure.
        std::size_t word = end + 1;
        while (letter(word)) ++word;
        if (word > end + 1 && !digit(word) && !hangul_at(word) && is_measure_unit(s.substr(end + 1, word - end - 1)))
            return word;
        return end;
    }

    // "4m" of "6x4m": digits and a unit of length after the x of a size.
    bool size_after(std::size_t i) const {
        while (digit(i)) ++i;
        std::size_t end = i;
        while (letter(end)) ++end;
        const std::string_view unit = s.substr(i, end - i);
        return unit == "m" || unit == "cm" || unit == "mm" || unit == "M";
    }

    static bool is_length_unit(std::string_view unit) {
        return unit == "m" || unit == "cm" || unit == "mm" || unit == "M";
    }

    static bool is_measure_unit(std::string_view unit) {
        static constexpr std::string_view UNITS[] = {"m", "cm", "mm", "km", "g",   "kg",  "t",   "ml",  "L",
                                                     "l", "M",  "T",  "GB", "TB",  "EA",  "ea",  "kWh", "kwh",
                                                     "W", "kW", "p",  "P",  "pcs", "set", "box", "MM"};
        return std::find(std::begin(UNITS), std::end(UNITS), unit) != std::end(UNITS);
    }

    // "= 5.45원" after the 동 at i: a rate in won.
    bool equals_won_after(std::size_t i) const {
        if (!at(i, DONG.written)) return false;
        i += DONG.written.size();
        while (at(i, " ")) ++i;
        if (!at(i, "=")) return false;
        ++i;
        while (at(i, " ")) ++i;
        while (digit(i) || at(i, ".") || at(i, ",")) ++i;
        return i > 0 && digit(i - 1) && at(i, "원");
    }

    // A currency after a figure: "100달러", "1,200엔", "20 USD", "120$", "85,000동".
    std::optional<std::size_t> currency_after(std::size_t end, NumberMarks& marks, std::string& currency) const {
        // Most figures have no currency after them, directly or a space apart: one look.
        const bool may_follow = may_open_currency(s, end) || (at(end, " ") && may_open_currency(s, end + 1));
        for (const CurrencyForm& form : CURRENCY_FORMS) {
            if (!may_follow) break;
            if (form.mark == CurrencyMark::Sign) {
                // "1 NT$ = 43.47원": a sign of letters may follow a space, where no figure follows it.
                const std::size_t past = end + 1 + form.written.size();
                const bool spaced =
                    form.written.size() > 2 && at(end, " ") && at(end + 1, form.written) && !digit(past);
                if (!at(end, form.written) && !spaced) continue;
                currency = std::string(form.written);
                return spaced ? past : end + form.written.size();
            }
            const std::string_view words[] = {form.written};
            if (!may_begin(s, end, words)) continue;
            if (const auto past = word_after(end, words, marks)) {
                currency = std::string(form.written);
                return past;
            }
        }
        // A building is numbered in four digits at most; five plain ones are money
        // ("30000동"), and so is a 동 set equal to won ("100동 = 5.45원").
        std::size_t digits = 0;
        while (digits < end && digit(end - digits - 1)) ++digits;
        const std::string_view dong[] = {DONG.written};
        if (marks.grouped || marks.large_unit || (marks.plain_long && digits > 4) || equals_won_after(end)) {
            if (const auto past = word_after(end, dong, marks)) {
                currency = std::string(DONG.written);
                return past;
            }
        }
        return std::nullopt;
    }

    // "다섯 개", "두 잔", "열 명", "한잔": a native numeral right before a counter word; not
    // "세대" nor "열대", where the counter 대 glued to it makes another word.
    std::optional<WrittenNumber> native_numeral(std::size_t i, char32_t first) const {
        // Most words begin with none of them: one look at the syllable settles it.
        if (NATIVE_FIRSTS.find(first) == std::u32string_view::npos) return std::nullopt;
        for (const auto& [word, digit] : NATIVE_NUMERALS) {
            if (!at(i, word)) continue;
            const std::size_t end = i + word.size();
            NumberMarks probe;
            std::string_view counter;
            // Glued, only the counters no word begins with: "한잔", "두개", not "두부", "세대", "네모".
            static constexpr std::string_view GLUED[] = {"개", "명", "잔", "장", "권", "병", "살", "곳", "벌"};
            if (!counter_after(end, probe, &counter)) return std::nullopt;
            const bool one_syllable = counter.size() == 3;
            if (one_syllable && !at(end, " ") &&
                std::find(std::begin(GLUED), std::end(GLUED), counter) == std::end(GLUED))
                return std::nullopt;
            WrittenNumber read;
            read.value.digits = digit == '0' ? "10" : std::string(1, digit);
            read.end = end;
            return read;
        }
        return std::nullopt;
    }

    // "x (1-0.033)": an operator before the opening parenthesis counts as well.
    bool operator_before() const {
        std::size_t n = tokens.size();
        while (n > 0 && tokens[n - 1].kind == TokenKind::Open) --n;
        if (n == 0) return false;
        const TokenKind kind = tokens[n - 1].kind;
        return kind == TokenKind::Plus || kind == TokenKind::Minus || kind == TokenKind::Times ||
               kind == TokenKind::Divide;
    }

    // "16/40": two figures joined by a slash that no month and day are written as.
    bool no_date(std::size_t begin, std::size_t end) const {
        const std::string_view joined = s.substr(begin, end - begin);
        const std::size_t slash = joined.find('/');
        if (slash == std::string_view::npos || joined.find('/', slash + 1) != std::string_view::npos) return false;
        int month = 0, day = 0;
        std::from_chars(joined.data(), joined.data() + slash, month);
        std::from_chars(joined.data() + slash + 1, joined.data() + joined.size(), day);
        return month < 1 || month > 12 || day < 1 || day > 31;
    }

    // An operator and an operand after it, past spaces and closing parentheses: "4-1 * 3",
    // "(10-2)*3"; not "(12/20)" alone. x_too: a spaced x is one too ("16/40 x 8").
    bool operator_then_operand(std::size_t i, bool x_too = false) const {
        const std::size_t start = i;
        while (at(i, " ") || at(i, ")")) ++i;
        std::size_t next = i;
        const char32_t c = scalar(i);
        const bool spaced_x = x_too && (c == 'x' || c == 'X') && i > start && at(i + 1, " ");
        if (!(c == '+' || c == '-' || c == '*' || c == '/' || c == U'×' || c == U'÷' || c == U'\u2212' || spaced_x))
            return false;
        decode_at(s, next);
        while (at(next, " ")) ++next;
        return digit(next) || at(next, "(");
    }

    bool after_half_day() const {
        if (tokens.empty() || tokens.back().kind != TokenKind::Word) return false;
        const Token& word = tokens.back();
        for (std::string_view half : HALF_DAYS) {
            if (s.substr(word.begin, word.end - word.begin) == half) return true;
        }
        return false;
    }

    std::size_t currency_sign_at(std::size_t i) const {
        if (i >= s.size() || !SIGN_OPENERS[static_cast<unsigned char>(s[i])]) return 0;
        for (const CurrencyForm& form : CURRENCY_FORMS) {
            if (form.mark == CurrencyMark::Sign && at(i, form.written)) return form.written.size();
        }
        return 0;
    }

    // A foreign sign of n bytes at i becomes the prefix of the figure after it.
    void take_foreign_sign(std::size_t& i, std::size_t n) {
        prefix = Prefix::Foreign;
        prefix_text = s.substr(i, n);
        sign_begin = i;
        i += n;
    }

    template <std::size_t N>
    std::size_t sign_at(std::size_t i, const std::string_view (&signs)[N]) const {
        for (std::string_view sign : signs) {
            if (at(i, sign)) return sign.size();
        }
        return 0;
    }

    void run() {
        for (std::size_t i = 0; i < s.size();) {
            // A figure is settled once the lexer has passed it.
            if (until_money && !tokens.empty() && written_as_money(tokens.back())) return;
            std::size_t next = i;
            const char32_t c = decode_at(s, next);
            if (is_white_space(c)) {
                if (!tokens.empty()) tokens.back().spaced_after = true;
                i = next;
                continue;
            }
            const bool point_number = c == '.' && digit(i + 1) && !(i > 0 && (digit(i - 1) || letter(i - 1)));
            if (digit(i) || point_number) {
                const bool half_day = after_half_day();
                WrittenNumber read = read_written_number(s, i, true);
                // "나스닥100 600만": digits glued to a word end at their space, never one
                // number with the figure after it.
                if (read.unclear && i > 0 && !word_boundary(i) && s.find(' ', i) != std::string_view::npos)
                    read = read_written_number(s.substr(0, s.find(' ', i)), i, true);
                i = number(i, read);
                if (half_day) tokens.back().marks.date = tokens.back().marks.clock = true;
                continue;
            }
            if (is_hangul_syllable(c) && word_boundary(i)) {
                if (const std::optional<WrittenNumber> native = native_numeral(i, c)) {
                    i = number(i, *native);
                    continue;
                }
                // A word that opens with no digit nor unit reads as no number.
                const WrittenNumber read =
                    opens_written_number(c) ? read_written_number(s, i, true) : WrittenNumber{{}, i};
                // "만2천": 만 alone is one of it, and the thousands after it go with it.
                const bool man_then_thousands = at(i, "만") && digit(i + 3) && [&] {
                    std::size_t d = i + 3;
                    while (digit(d)) ++d;
                    return at(d, "천") || at(d, "백");
                }();
                if (man_then_thousands && read.end > i + 3) {
                    i = number(i, read);
                    continue;
                }
                if (read.end > i && read.words_only && read.unit) {
                    NumberMarks probe;
                    static constexpr std::string_view WON[] = {"원권", "원"};
                    // "삼만 오천원", and "삼만 오천 + 5,000": number words with 원, or beside an
                    // operation, are a figure as the calculator reads them; not after a sign
                    // glued between two words ("전기/조명" is no trillion people).
                    const std::size_t n = tokens.size();
                    const bool glued_sign = n >= 2 && tokens[n - 1].end == i && tokens[n - 2].kind == TokenKind::Word &&
                                            tokens[n - 2].end == tokens[n - 1].begin;
                    if (word_after(read.end, WON, probe, true) || (operator_before() && !glued_sign) ||
                        operator_then_operand(read.end)) {
                        i = number(i, read);
                        continue;
                    }
                }
            }
            if (is_hangul(c)) {
                push(TokenKind::Word, i, hangul_run_end(i));
                i = tokens.back().end;
                continue;
            }
            if (is_ascii_letter(s[i])) {
                if (const std::size_t n = currency_sign_at(i)) {
                    take_foreign_sign(i, n);
                    continue;
                }
                std::size_t end = i;
                while (letter(end) || digit(end) || at(end, "_")) ++end;
                const std::string_view word = s.substr(i, end - i);
                const bool operand_before = !tokens.empty() && (tokens.back().kind == TokenKind::Number ||
                                                                tokens.back().kind == TokenKind::Close);
                // "x" alone, or "x2" after a figure or opening the line: a multiplication the
                // reading may take.
                const bool times_first = (word[0] == 'x' || word[0] == 'X') && digit(i + 1);
                // "(주휴 포함 X)": after a word, with nothing after it, an X marks a no.
                std::size_t after = end;
                while (at(after, " ")) ++after;
                // "(입학식X 면접용)": glued to a word, before another, too.
                const bool glued_to_word = !tokens.empty() && tokens.back().end == i && after > end &&
                                           after < s.size() && static_cast<unsigned char>(s[after]) >= 0xEA;
                const bool mark = !tokens.empty() && tokens.back().kind == TokenKind::Word &&
                                  (after == s.size() || at(after, ")") || glued_to_word);
                // "x-ray 12,400": an x joined to letters by a dash is a word.
                const bool dashed = at(end, "-") && letter(end + 1);
                if (((word == "x" || word == "X") && !mark && !dashed) ||
                    (times_first && (operand_before || tokens.empty()))) {
                    push(TokenKind::Times, i, i + 1);
                    i += 1;
                    continue;
                }
                const bool currency = !currency_code(word).empty();
                push(TokenKind::Word, i, end);
                latin_end = end;
                if (currency) {
                    prefix = Prefix::Foreign;
                    prefix_text = word;
                }
                // "R$ 50": a dollar of a country not known here, no figure to trust.
                if (at(end, "$") && !currency) {
                    other_dollar = true;
                    end += 1;
                }
                i = end;
                continue;
            }
            if (const std::size_t n = sign_at(i, WON_SIGNS)) {
                prefix = Prefix::Won;
                sign_begin = i;
                i += n;
                continue;
            }
            if (const std::size_t n = currency_sign_at(i)) {
                take_foreign_sign(i, n);
                continue;
            }
            push(kind_of(c), i, next);
            i = next;
        }
    }

    static TokenKind kind_of(char32_t c) {
        switch (c) {
        case U'+':
        case U'＋': return TokenKind::Plus;
        case U'-':
        case U'\u2212':
        case U'－': return TokenKind::Minus;
        case U'*':
        case U'×':
        case U'＊': return TokenKind::Times;
        case U'/':
        case U'÷':
        case U'／': return TokenKind::Divide;
        case U'%':
        case U'％': return TokenKind::Remainder;
        case U'(':
        case U'（': return TokenKind::Open;
        case U')':
        case U'）': return TokenKind::Close;
        case U'=':
        case U'＝': return TokenKind::Equals;
        case U'~':
        case U'∼':
        case U'〜':
        case U'～': return TokenKind::Tilde;
        case U':': return TokenKind::Colon;
        default: return TokenKind::Other;
        }
    }
};

// Into room given: a memo's tokens are cut again and again into the same vectors.
void tokenize_into(std::vector<Token>& tokens, std::string_view line, bool split_joined) {
    tokens.clear();
    Lexer lexer{line, split_joined, std::move(tokens)};
    // About a token in six bytes: room for most lines at once, in a block the allocator
    // hands out quickly.
    lexer.tokens.reserve(line.size() / 6 + 2);
    lexer.run();
    tokens = std::move(lexer.tokens);
}

}  // namespace

std::vector<Token> tokenize_line(std::string_view line, bool split_joined) {
    std::vector<Token> tokens;
    tokenize_into(tokens, line, split_joined);
    return tokens;
}

const std::vector<Token>& TokenMemo::tokens(std::string_view text, bool split_joined) {
    for (std::size_t n = 0; n < used_; ++n) {
        const Cut& cut = cuts_[n];
        if (cut.data == text.data() && cut.size == text.size() && cut.split_joined == split_joined) return cut.tokens;
    }
    // A reading cuts a few texts of its line: room for them at once.
    if (cuts_.empty()) cuts_.reserve(4);
    if (used_ == cuts_.size()) cuts_.emplace_back();
    const Cut* line = item_of(text, split_joined);
    Cut& cut = cuts_[used_++];
    cut.data = text.data();
    cut.size = text.size();
    cut.split_joined = split_joined;
    if (line == nullptr) {
        tokenize_into(cut.tokens, text, split_joined);
    } else {
        // The item's tokens are the line's after its mark, where they lie in the item.
        const auto offset = static_cast<std::size_t>(text.data() - line->data);
        cut.tokens.assign(line->tokens.begin() + 1, line->tokens.end());
        for (Token& token : cut.tokens) {
            token.begin -= offset;
            token.end -= offset;
        }
    }
    return cut.tokens;
}

const TokenMemo::Cut* TokenMemo::item_of(std::string_view text, bool split_joined) const {
    // The lexer reads a figure by the token before it: after a "+" or "-" a number word
    // is a figure ("- 오천 밥"), and an "x2" opening a text is a multiplication. Past a
    // word it looks back no further than that word, and the word clears what a sign
    // before it left; so where a line's mark is followed by a word other than an "x"
    // opening the text, the text is cut as the line is from that word on.
    if (text.empty() || text.front() == 'x' || text.front() == 'X') return nullptr;
    for (std::size_t n = 0; n < used_; ++n) {
        const Cut& cut = cuts_[n];
        if (cut.split_joined != split_joined || text.data() <= cut.data ||
            text.data() + text.size() != cut.data + cut.size || cut.tokens.size() < 2)
            continue;
        const TokenKind mark = cut.tokens[0].kind;
        const Token& word = cut.tokens[1];
        if ((mark == TokenKind::Minus || mark == TokenKind::Plus) && word.kind == TokenKind::Word &&
            word.begin == static_cast<std::size_t>(text.data() - cut.data))
            return &cut;
    }
    return nullptr;
}

bool holds_money(std::string_view line) {
    Lexer lexer{line, false, {}};
    lexer.tokens.reserve(line.size() / 4 + 4);
    lexer.until_money = true;
    lexer.run();
    return holds_money(lexer.tokens);
}

bool holds_money(const std::vector<Token>& tokens) {
    // The lexer changes no token it has passed, so stopping at the first money loses none.
    return std::any_of(tokens.begin(), tokens.end(), written_as_money);
}

bool opens_word(std::string_view text) {
    if (text.empty()) return false;
    std::size_t pos = 0;
    const char32_t c = decode_at(text, pos);
    // Letters other than an x, and syllables no number opens with, are a word whatever follows.
    if (c < 0x80 && is_ascii_letter(static_cast<char>(c)) && c != 'x' && c != 'X') return true;
    if (is_hangul_syllable(c) && !opens_written_number(c) && NATIVE_FIRSTS.find(c) == std::u32string_view::npos)
        return true;
    const std::vector<Token> first = tokenize_line(text);
    return !first.empty() && first.front().kind == TokenKind::Word;
}

bool word_starts_with(std::string_view line, const Token& token, std::string_view prefix) {
    return token.kind == TokenKind::Word && line.substr(token.begin, token.end - token.begin).starts_with(prefix);
}

}  // namespace numvora::notes_detail
