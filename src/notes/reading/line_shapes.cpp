// The shapes a line takes around its figures: a total line, a definition, a list item,
// old results at its end, full-width figures.
#include <algorithm>
#include <array>
#include <cctype>

#include "common/hangul.h"
#include "common/unicode.h"
#include "notes/figures/written_number.h"
#include "notes/reading/line_parts.h"

namespace numvora {

namespace {

// Longest first, so that "총합계" is not read as "총합" and a rest; "합게" is 합계 mistyped.
constexpr std::pair<std::string_view, TotalWord> TOTAL_WORDS[] = {
    {"합계금액", TotalWord::Grand}, {"총합계", TotalWord::Grand}, {"총금액", TotalWord::Grand},
    {"합계액", TotalWord::Grand},   {"합계", TotalWord::Grand},   {"합게", TotalWord::Grand},
    {"총합", TotalWord::Grand},     {"총계", TotalWord::Grand},   {"총액", TotalWord::Grand},
    {"소계", TotalWord::Sub},       {"합", TotalWord::Grand},     {"계", TotalWord::Grand}};

// The last syllables of the total words, each once, and 총: a line without any of them
// holds no total word, and is passed in one look at its letters.
constexpr auto TOTAL_SYLLABLES = [] {
    std::array<std::string_view, std::size(TOTAL_WORDS) + 1> out{};
    std::size_t n = 0;
    out[n++] = "총";
    for (const auto& total : TOTAL_WORDS) {
        const std::string_view last = total.first.substr(total.first.size() - 3);
        if (std::find(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(n), last) ==
            out.begin() + static_cast<std::ptrdiff_t>(n))
            out[n++] = last;
    }
    return std::pair{out, n};
}();
static_assert(std::all_of(TOTAL_SYLLABLES.first.begin(),
                          TOTAL_SYLLABLES.first.begin() + static_cast<std::ptrdiff_t>(TOTAL_SYLLABLES.second),
                          [](std::string_view syllable) {
                              return syllable.size() == 3 && static_cast<unsigned char>(syllable[0]) >= 0xE0;
                          }));

bool holds_total_syllable(std::string_view text) {
    const auto& [syllables, count] = TOTAL_SYLLABLES;
    for (std::size_t i = 0; i + 3 <= text.size(); ++i) {
        // Each of them is three bytes, the first at 0xE0 or above.
        if (static_cast<unsigned char>(text[i]) < 0xE0) continue;
        // Byte by byte: a call to compare three bytes costs more than the compare.
        for (std::size_t n = 0; n < count; ++n) {
            const std::string_view syllable = syllables[n];
            if (text[i] == syllable[0] && text[i + 1] == syllable[1] && text[i + 2] == syllable[2]) return true;
        }
    }
    return false;
}

// What may stand before a total word: words, and figures that name ("3개월", "12월",
// "1차"), never an amount nor an operation: "수입 합계", "이번달 할부금 합계", "12월 합계".
bool is_label(std::string_view text) {
    for (const notes_detail::Token& token : notes_detail::tokenize_line(text)) {
        using notes_detail::TokenKind;
        if (token.kind == TokenKind::Word || token.kind == TokenKind::Colon || token.kind == TokenKind::Other ||
            token.kind == TokenKind::Open || token.kind == TokenKind::Close)
            continue;
        if (token.kind != TokenKind::Number) return false;
        const notes_detail::NumberMarks& m = token.marks;
        if (!(m.name || m.date || m.joined) || m.won || m.foreign || m.grouped) return false;
    }
    return true;
}

// A total word at where, and what follows it: nothing, ":" or "=", an old result, a note
// in parentheses ("합계 (카드)").
std::optional<TotalLine> total_at(std::string_view line, std::string_view all, std::size_t where, std::string_view word,
                                  TotalWord kind) {
    std::size_t word_end = static_cast<std::size_t>(all.data() - line.data()) + where + word.size();
    std::string_view rest = trim_white_space(line.substr(word_end));
    if (rest.starts_with('(') && rest.find(')') != std::string_view::npos) {
        word_end = static_cast<std::size_t>(rest.data() - line.data()) + rest.find(')') + 1;
        rest = trim_white_space(line.substr(word_end));
    }
    if (rest.starts_with(':') || rest.starts_with('=')) rest = trim_white_space(rest.substr(1));
    if (!rest.empty() && !notes_detail::is_written_result(rest)) return std::nullopt;
    const auto start = static_cast<std::size_t>(all.data() - line.data());
    std::size_t end = start + all.size();
    while (end < line.size() && line[end] == ' ') ++end;
    return TotalLine{kind, word_end, end, !rest.empty()};
}

}  // namespace

std::optional<TotalLine> read_total_line(std::string_view line, bool with_results) {
    const std::string_view all = trim_white_space(line);
    // "잔액", "남은돈", "실수령": a word alone on its line that names what a block comes to.
    if (with_results) {
        // Not 차액: under "일시불 … / 무이자 … / 차액" a difference is meant, never the sum.
        static constexpr std::string_view RESULT_WORDS[] = {
            "잔액",     "남은돈",   "남은 돈", "남는돈",    "남는 돈",  "실수령", "실수령액", "순수익",
            "결제액",   "실결제",   "총예산",  "평가액",    "세후",     "세전",   "예상",     "전체",
            "실지급",   "실지급액", "순이익",  "남은 원금", "남은원금", "납부액", "공급가",   "공급가액",
            "투자원금", "결제",     "받을돈",  "받을 돈",   "갚을돈"};
        std::string_view alone = all;
        while (!alone.empty() && (alone.back() == ':' || alone.back() == '=' || alone.back() == ' '))
            alone.remove_suffix(1);
        if (std::find(std::begin(RESULT_WORDS), std::end(RESULT_WORDS), alone) != std::end(RESULT_WORDS)) {
            const auto at = static_cast<std::size_t>(all.data() - line.data());
            return TotalLine{TotalWord::Grand, at + alone.size(), at + all.size(), false};
        }
    }
    // Most lines hold no total word's last syllable, and are passed at a look.
    if (!holds_total_syllable(all)) return std::nullopt;
    if (all.find_first_of("\r\n") != std::string_view::npos) return std::nullopt;
    // "총 합계": 총 before a total word is part of it.
    std::string_view words = all;
    if (words.starts_with("총 ")) words = trim_white_space(words.substr(std::string_view("총").size()));
    const auto offset = static_cast<std::size_t>(words.data() - all.data());
    for (const auto& [word, kind] : TOTAL_WORDS) {
        if (words.starts_with(word)) {
            if (auto total = total_at(line, all, offset, word, kind)) return total;
            break;
        }
    }
    // "수입 합계", "지급합계", "월 합", "관리비 계": after a label, one of the words of two
    // syllables or more, or 합 or 계 set apart. A label says what it adds: the sections right
    // above it, never across an empty line.
    for (const auto& [word, kind] : TOTAL_WORDS) {
        if (word.size() < 6 && word != "합" && word != "계") continue;
        for (std::size_t at = all.rfind(word); at != std::string_view::npos && at > 0;
             at = at == 0 ? std::string_view::npos : all.rfind(word, at - 1)) {
            const std::string_view label = trim_white_space(all.substr(0, at));
            if (label.empty() || !is_label(label) || (word.size() < 6 && all[at - 1] != ' ')) continue;
            // 소계 stays a section, 총계 and its kind stay grand totals; 합계 after a label adds
            // what that label names.
            const bool grand = word.starts_with("총");
            const TotalWord labelled = kind == TotalWord::Sub ? kind : grand ? TotalWord::Grand : TotalWord::Labelled;
            if (auto total = total_at(line, all, at, word, labelled)) return total;
        }
    }
    // "지급계", "공제액계": 계 glued to what a pay slip or an account book adds, as "지급 합계".
    static constexpr std::string_view SUMMED[] = {"지급", "지급액", "공제", "공제액", "수입", "지출", "매출"};
    if (const std::size_t gye = all.find("계");
        gye != std::string_view::npos &&
        std::find(std::begin(SUMMED), std::end(SUMMED), all.substr(0, gye)) != std::end(SUMMED))
        return total_at(line, all, gye, "계", TotalWord::Labelled);
    // "총지급", "총공제액": 총 glued before one, as "총 지급".
    for (const std::string_view stem : SUMMED) {
        const std::string_view glued = all.substr(0, std::string_view("총").size() + stem.size());
        if (!all.starts_with("총") || !glued.ends_with(stem)) continue;
        if (auto total = total_at(line, all, 0, glued, TotalWord::Grand)) return total;
    }
    // "총", "총 =", "총 대출", "카드값 총", "올해 4분기 총": 총 alone, before a label or after
    // one, adds what is above.
    std::string_view asked = all;
    std::size_t asked_end = all.size();
    while (!asked.empty() && (asked.back() == ':' || asked.back() == '=' || asked.back() == ' '))
        asked.remove_suffix(1);
    if (asked.size() < all.size()) asked_end = asked.size();
    const auto offset_of = [&](std::size_t in_all) {
        return static_cast<std::size_t>(all.data() - line.data()) + in_all;
    };
    // "총 8학점": a figure after 총 is the whole told, not a total asked for.
    const std::string_view after_total = asked.substr(std::min(asked.size(), std::string_view("총").size()));
    const bool before_label = asked.starts_with("총 ") && is_label(after_total) &&
                              after_total.find_first_of("0123456789") == std::string_view::npos;
    const bool after_label =
        asked.ends_with(" 총") && is_label(asked.substr(0, asked.size() - std::string_view(" 총").size()));
    // "이번달 총 과금": 총 between two labels, as "총 과금" with a time or a name before it.
    const std::size_t middle = asked.find(" 총 ");
    const bool between_labels = middle != std::string_view::npos && middle > 0 && is_label(asked.substr(0, middle)) &&
                                is_label(asked.substr(middle + std::string_view(" 총 ").size())) &&
                                asked.find_first_of("0123456789", middle) == std::string_view::npos;
    if (asked == "총" || before_label || after_label || between_labels)
        return TotalLine{after_label ? TotalWord::Labelled : TotalWord::Grand, offset_of(asked_end),
                         offset_of(all.size()), false};
    return std::nullopt;
}

namespace notes_detail {

std::size_t old_result_start(std::string_view text) {
    std::size_t start = text.rfind('=');
    if (start == std::string_view::npos) return start;
    const std::string_view last = text.substr(start + 1);
    if (!trim_white_space(last).empty() && !is_written_result(last)) return std::string_view::npos;
    for (std::size_t before = start; before > 0;) {
        const std::size_t earlier = text.rfind('=', before - 1);
        if (earlier == std::string_view::npos || !is_written_result(text.substr(earlier + 1, start - earlier - 1)))
            break;
        before = start = earlier;
    }
    return start;
}

bool opens_with_count(std::string_view word) {
    std::size_t pos = 0;
    while (pos < word.size() && word[pos] >= '0' && word[pos] <= '9') ++pos;
    if (pos == 0 || pos == word.size()) return false;
    while (pos < word.size()) {
        if (!is_hangul_syllable(decode_utf8(word, pos))) return false;
    }
    return true;
}

std::optional<Definition> read_definition(std::string_view line) {
    // "월세 = 55만원", and up to three words: "현 월세 = 85만", "월 회비: 10,000".
    if (find_byte_of(line, "=:") == std::string_view::npos) return std::nullopt;
    std::size_t begin = 0;
    std::string name;
    for (int words = 0; words < 3; ++words) {
        while (begin < line.size() && (line[begin] == ' ' || line[begin] == '\t')) ++begin;
        std::size_t end = begin;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '=' && line[end] != ':')
            ++end;
        const std::string_view word = line.substr(begin, end - begin);
        std::size_t sign = end;
        while (sign < line.size() && (line[sign] == ' ' || line[sign] == '\t')) ++sign;
        const bool named_next = sign < line.size() && (line[sign] == '=' || line[sign] == ':');
        // "12월 여행 적립 = 15만": a counted figure may open a name of more words.
        if (!is_note_name(word) && !(name.empty() && !named_next && opens_with_count(word))) return std::nullopt;
        if (!name.empty()) name += ' ';
        name += word;
        if (named_next) {
            if (trim_white_space(line.substr(sign + 1)).empty()) return std::nullopt;
            return Definition{std::move(name), sign + 1};
        }
        begin = sign;
    }
    return std::nullopt;
}

std::string ascii_figures(std::string_view line, std::vector<std::size_t>& origin) {
    std::string out;
    for (std::size_t pos = 0; pos < line.size();) {
        const std::size_t start = pos;
        const char32_t c = decode_utf8(line, pos);
        const bool digit = c >= 0xFF10 && c <= 0xFF19;
        if (digit || c == 0xFF0C || c == 0xFF0E) {
            out += digit ? static_cast<char>('0' + (c - 0xFF10)) : c == 0xFF0C ? ',' : '.';
            origin.push_back(start);
            continue;
        }
        out.append(line, start, pos - start);
        for (std::size_t i = start; i < pos; ++i) origin.push_back(i);
    }
    origin.push_back(line.size());
    return out;
}

std::size_t list_item_start(std::string_view line) {
    static constexpr std::string_view MARKS[] = {"-", "*", "•", "·", "ㄴ", ">", "\u2212"};
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    // A mark begins with one of these bytes ("•" "−" "①" 0xE2, "·" 0xC2, "ㄴ" 0xE3).
    if (i == line.size() || std::string_view("-*>0123456789\xC2\xE2\xE3").find(line[i]) == std::string_view::npos)
        return 0;
    std::size_t mark_end = 0;
    for (const std::string_view mark : MARKS) {
        if (line.substr(i).starts_with(mark)) mark_end = i + mark.size();
    }
    std::size_t digits = i;
    while (digits < line.size() && digits - i < 3 && is_ascii_digit(line[digits])) ++digits;
    if (digits > i && digits < line.size() && (line[digits] == '.' || line[digits] == ')') &&
        line.substr(digits + 1).starts_with(' '))
        mark_end = digits + 1;
    // ① to ⑳.
    if (line.substr(i).starts_with("\xE2\x91") && i + 2 < line.size() &&
        static_cast<unsigned char>(line[i + 2]) >= 0xA0 && static_cast<unsigned char>(line[i + 2]) <= 0xB3)
        mark_end = i + 3;
    if (mark_end == 0) return 0;
    return word_after_mark(line, mark_end);
}

namespace {

// "- 12/3 8,700": money written with a comma, 원 or 만 past the spaces at pos.
bool money_after(std::string_view line, std::size_t pos) {
    while (pos < line.size() && line[pos] == ' ') ++pos;
    if (pos >= line.size() || !is_ascii_digit(line[pos])) return false;
    const std::vector<Token> figure = tokenize_line(line.substr(pos, find_byte_of(line.substr(pos), " ")), false);
    return figure.size() == 1 && figure[0].kind == TokenKind::Number &&
           (figure[0].marks.grouped || figure[0].marks.won || figure[0].marks.large_unit);
}

}  // namespace

std::size_t word_after_mark(std::string_view line, std::size_t mark_end) {
    std::size_t item = mark_end;
    while (item < line.size() && (line[item] == ' ' || line[item] == '\t')) ++item;
    // A word: a Hangul syllable or a Latin letter first ("ㄴㄴ" is no item of an item), and
    // not a number word ("- 오천원" subtracts).
    std::size_t pos = item;
    // "- 10월 다과 34,500", "- 7월 300만": a month or a day labelling the item before its word
    // (a month also before its amount) opens it as the word would; "- 3일" alone goes on
    // from a date above.
    std::size_t digits = item;
    while (digits < line.size() && is_ascii_digit(line[digits])) ++digits;
    if (digits > item) {
        const std::string_view after = line.substr(digits);
        // "- 11/04 주차 12,800": a day written with a slash labels it the same way.
        if (after.starts_with('/') && digits - item <= 2) {
            std::size_t day = digits + 1;
            while (day < line.size() && day - digits <= 3 && is_ascii_digit(line[day])) ++day;
            if (day - digits >= 2 && day - digits <= 3 && day < line.size() && line[day] == ' ')
                return word_after_mark(line, day) != 0 || money_after(line, day) ? item : 0;
            return 0;
        }
        // "- 20231145 김민수": eight digits or more before a word are an id heading the item,
        // no sum to subtract.
        if (id_digits_at(line, item) && after.starts_with(' ') && word_after_mark(line, digits) != 0) return item;
        // "- 4인 식탁 세트 748,000", "- 2차 상환 300만": a count or an ordinal before the word
        // labels the item too.
        const std::size_t counted = find_byte_of(line.substr(item), " ");
        if (counted < line.size() - item) {
            const std::string_view first = line.substr(item, counted);
            const bool ordinal = first.ends_with("차") || first.ends_with("번째");
            const std::vector<Token> count = tokenize_line(first, false);
            if ((ordinal || (count.size() == 1 && count[0].kind == TokenKind::Number && count[0].marks.counter)) &&
                word_after_mark(line, item + counted) != 0)
                return item;
        }
        if (!after.starts_with("월 ") && !after.starts_with("일 ")) return 0;
        std::size_t next = digits + std::string_view("월 ").size();
        while (next < line.size() && line[next] == ' ') ++next;
        if (after.starts_with("월 ") && next < line.size() && is_ascii_digit(line[next])) return item;
        return word_after_mark(line, digits + std::string_view("월").size()) != 0 ? item : 0;
    }
    const char32_t c = pos < line.size() ? decode_utf8(line, pos) : 0;
    if (!(is_hangul_syllable(c) || (c < 0x80 && std::isalpha(static_cast<int>(c)) != 0))) return 0;
    return opens_word(line.substr(item, find_byte_of(line.substr(item), " "))) ? item : 0;
}

bool id_digits_at(std::string_view line, std::size_t at) {
    std::size_t end = at;
    while (end < line.size() && is_ascii_digit(line[end])) ++end;
    return end - at >= 8;
}

SignedItem signed_item_start(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    char sign = 0;
    std::size_t mark_end = i;
    for (const auto& [mark, as] : {std::pair<std::string_view, char>{"+", '+'}, {"-", '-'}, {"\u2212", '-'}}) {
        if (line.substr(i).starts_with(mark)) {
            sign = as;
            mark_end = i + mark.size();
        }
    }
    // "-버블티 5,800" as "- 버블티 5,800": the mark glued to a word still marks the item;
    // "- 5,000" and "-5,000" have no word.
    if (sign == 0 || mark_end >= line.size()) return {};
    const std::size_t item = word_after_mark(line, mark_end);
    return item == 0 ? SignedItem{} : SignedItem{sign, item};
}

}  // namespace notes_detail

}  // namespace numvora
