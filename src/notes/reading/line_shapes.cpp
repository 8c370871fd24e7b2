// The shapes a line takes around its figures: a total line, a definition, a list item,
// old results at its end, full-width figures.
#include <algorithm>
#include <cctype>

#include "common/unicode.h"
#include "notes/figures/written_number.h"
#include "notes/reading/line_parts.h"

namespace numvora {

std::optional<TotalLine> read_total_line(std::string_view line) {
    // Longest first, so that "총합계" is not read as "총합" and a rest.
    static constexpr std::pair<std::string_view, TotalWord> WORDS[] = {
        {"합계금액", TotalWord::Grand}, {"총합계", TotalWord::Grand}, {"총금액", TotalWord::Grand},
        {"합계액", TotalWord::Grand},   {"합계", TotalWord::Grand},   {"총합", TotalWord::Grand},
        {"총계", TotalWord::Grand},     {"총액", TotalWord::Grand},   {"소계", TotalWord::Sub},
        {"합", TotalWord::Grand},       {"계", TotalWord::Grand}};
    const std::string_view all = trim_white_space(line);
    // Every total word begins with one of these: most lines are passed at their first letter.
    static constexpr std::string_view FIRSTS[] = {"합", "총", "소", "계"};
    if (std::none_of(std::begin(FIRSTS), std::end(FIRSTS),
                     [&](std::string_view first) { return all.starts_with(first); }))
        return std::nullopt;
    if (all.find_first_of("\r\n") != std::string_view::npos) return std::nullopt;
    // "총 합계": 총 before a total word is part of it.
    std::string_view words = all;
    if (words.starts_with("총 ")) words = trim_white_space(words.substr(std::string_view("총").size()));
    for (const auto& [word, kind] : WORDS) {
        if (!words.starts_with(word)) continue;
        std::size_t word_end = static_cast<std::size_t>(words.data() - line.data()) + word.size();
        std::string_view rest = trim_white_space(line.substr(word_end));
        // "합계 (카드)": a note in parentheses belongs to the word.
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

std::optional<Definition> read_definition(std::string_view line) {
    std::size_t begin = 0;
    while (begin < line.size() && (line[begin] == ' ' || line[begin] == '\t')) ++begin;
    std::size_t end = begin;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '=' && line[end] != ':') ++end;
    std::size_t sign = end;
    while (sign < line.size() && (line[sign] == ' ' || line[sign] == '\t')) ++sign;
    if (sign >= line.size() || (line[sign] != '=' && line[sign] != ':')) return std::nullopt;
    const std::string_view name = line.substr(begin, end - begin);
    if (!is_note_name(name) || trim_white_space(line.substr(sign + 1)).empty()) return std::nullopt;
    return Definition{std::string(name), sign + 1};
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
    std::size_t item = mark_end;
    while (item < line.size() && (line[item] == ' ' || line[item] == '\t')) ++item;
    // A word: a Hangul syllable or a Latin letter first ("ㄴㄴ" is no item of an item), and
    // not a number word ("- 오천원" subtracts).
    std::size_t pos = item;
    const char32_t c = pos < line.size() ? decode_utf8(line, pos) : 0;
    if (!((c >= 0xAC00 && c <= 0xD7A3) || (c < 0x80 && std::isalpha(static_cast<int>(c)) != 0))) return 0;
    const std::vector<Token> first = tokenize_line(line.substr(item, line.find(' ', item) - item));
    return !first.empty() && first.front().kind == TokenKind::Word ? item : 0;
}

}  // namespace notes_detail

}  // namespace numvora
