#include "notes/line_reading.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "calculator/evaluate.h"
#include "calculator/number_format.h"
#include "common/korean_particle.h"
#include "common/unicode.h"
#include "notes/line_parts.h"
#include "notes/line_tokens.h"
#include "notes/written_number.h"

namespace numvora {

namespace {

using notes_detail::is_previous_word;
using notes_detail::is_written_result;
using notes_detail::NameUse;
using notes_detail::Parsed;
using notes_detail::Reading;
using notes_detail::TokenKind;
using LineToken = notes_detail::Token;

// Where the old results begin: the "=" before the first of a chain of results that
// runs to the text's end, the last of which may be empty. npos when there is none.
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

// asks: an "=" after the body asks for its value.
Reading read_tokens(std::string_view body, bool split_joined, const NoteScope* scope = nullptr, NameUse* use = nullptr,
                    bool asks = false) {
    Reading r{body, notes_detail::tokenize_line(body, split_joined), {}, {}, {}};
    NameUse ignored;
    if (scope != nullptr) resolve_names(body, r.tokens, *scope, asks, use != nullptr ? *use : ignored);
    assign_roles(r);
    return r;
}

bool grouped_style(const Reading& r, const std::vector<std::size_t>& used) {
    for (const std::size_t i : used) {
        if (r.tokens[i].marks.grouped || r.tokens[i].marks.unit || r.tokens[i].marks.reference) return true;
    }
    return false;
}

void fill_figures(const Reading& r, const std::vector<std::size_t>& used, LineReading& out) {
    std::vector<bool> taken(r.tokens.size(), false);
    for (const std::size_t u : used) taken[u] = true;
    for (std::size_t i = 0; i < r.tokens.size(); ++i) {
        if (!r.number(i)) continue;
        const bool negative = i > 0 && r.tokens[i - 1].kind == TokenKind::Minus && r.glued(i - 1) &&
                              !r.skipped[i - 1] && !r.binary(i - 1) && r.tokens[i].value != "0";
        const bool below_zero = negative || r.tokens[i].marks.negative;
        Figure figure{r.roles[i], (below_zero ? "-" : "") + r.tokens[i].value, false};
        figure.used = taken[i];
        // A plain number the calculation took is a quantity, whatever it would be alone.
        if (figure.used && figure.role == FigureRole::Name) figure.role = FigureRole::Amount;
        out.figures.push_back(std::move(figure));
    }
}

void evaluate_into(const Reading& r, const Parsed& parsed, LineReading& out) {
    fill_figures(r, parsed.used, out);
    out.grouped = grouped_style(r, parsed.used);
    out.kind = LineKind::Expression;
    out.expression = parsed.expression;
    if (!parsed.unclear.empty()) {
        out.unclear = parsed.unclear;
        return;
    }
    out.currency = parsed.currency;
    const Result<double, CalcError> value = evaluate(parsed.expression);
    if (value)
        out.value = notes_detail::note_value_text(*value);
    else
        out.error = value.error();
}

// A line that is no calculation: its one amount, else its one count.
void read_amount(const Reading& r, LineReading& out) {
    fill_figures(r, {}, out);
    std::optional<std::size_t> amount, count;
    std::size_t counts = 0;
    for (std::size_t i = 0; i < out.figures.size(); ++i) {
        if (out.figures[i].role == FigureRole::Amount) {
            ++out.amounts;
            amount = i;
        } else if (out.figures[i].role == FigureRole::Count) {
            ++counts;
            count = i;
        }
    }
    const std::optional<std::size_t> chosen = out.amounts == 1                  ? amount
                                              : out.amounts == 0 && counts == 1 ? count
                                                                                : std::nullopt;
    if (!chosen) return;
    Figure& figure = out.figures[*chosen];
    figure.used = true;
    out.kind = figure.role == FigureRole::Amount ? LineKind::Amount : LineKind::Count;
    out.value = figure.value;
    out.expression = figure.value;
    std::size_t number = 0;
    for (std::size_t i = 0; i < r.tokens.size(); ++i) {
        if (r.number(i) && number++ == *chosen) out.grouped = r.tokens[i].marks.grouped || r.tokens[i].marks.unit;
    }
}

// "월세 = 55만원", "관리비: 12만 3천원": a name, and where the value after it begins.
struct Definition {
    std::string name;
    std::size_t rest = 0;
};

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

std::string unclear_reason(const Reading& r) {
    for (const LineToken& token : r.tokens) {
        if (token.kind == TokenKind::Number && token.marks.unclear)
            return quoted_object(r.line.substr(token.begin, token.end - token.begin)) + " 읽을 수 없습니다";
    }
    return notes_detail::blocked_operation(r);
}

// A figure or an operator in checked that cannot be read whole leaves the line without a
// result, and says why; the line keeps the figures of r.
bool left_unclear(const Reading& r, const Reading& checked, LineReading& out) {
    std::string why = unclear_reason(checked);
    if (why.empty()) return false;
    fill_figures(r, {}, out);
    out.kind = LineKind::Expression;
    out.unclear = std::move(why);
    return true;
}

// A line that is neither a total line nor a definition.
LineReading read_plain(std::string_view line, bool selected, const NoteScope* scope, NameUse& use) {
    LineReading out;
    // Most lines of a memo are words alone: no digit, and no 원 for a number word.
    if (scope == nullptr && line.find_first_of("0123456789") == std::string_view::npos &&
        line.find("원") == std::string_view::npos)
        return out;
    const std::string_view kept = trim_white_space(line);
    const std::size_t kept_end = kept.empty() ? 0 : static_cast<std::size_t>(kept.data() - line.data()) + kept.size();
    const std::size_t results = old_result_start(line.substr(0, kept_end));
    std::string_view body = line.substr(0, results == std::string_view::npos ? kept_end : results);
    body = trim_white_space(body);
    const std::size_t body_end = body.empty() ? 0 : static_cast<std::size_t>(body.data() - line.data()) + body.size();
    out.asks = results != std::string_view::npos;
    out.replace_begin = body_end;
    out.replace_end = out.asks ? line.size() : body_end;

    Reading r = read_tokens(line.substr(0, body_end), false, scope, &use, out.asks);
    bool has_figure = false;
    for (std::size_t i = 0; i < r.tokens.size(); ++i) has_figure = has_figure || r.number(i);
    if (left_unclear(r, r, out)) return out;
    if (out.asks && !has_amount(r) && !has_amount(read_tokens(r.line, true, scope, nullptr, true))) {
        // "월세 = 550,000", "환율 $1 = 1,380원": a label and its amount, not a request.
        read_amount(read_tokens(line, false), out);
        if (out.kind != LineKind::Nothing) {
            out.asks = false;
            out.replace_begin = out.replace_end = kept_end;
            return out;
        }
        out = LineReading{};
        out.asks = true;
        out.replace_begin = body_end;
        out.replace_end = line.size();
    }
    if (std::optional<Parsed> parsed = parse_expression(r, out.asks)) {
        evaluate_into(r, *parsed, out);
        return out;
    }
    if (out.asks) {
        // "12/7 =" asks for a division, not a date; "2026-03-02 ~ 2026-12-08 =" for nothing.
        const Reading split = read_tokens(line.substr(0, body_end), true, scope, nullptr, true);
        if (left_unclear(r, split, out)) return out;
        if (std::optional<Parsed> parsed = parse_expression(split, true)) {
            evaluate_into(split, *parsed, out);
            return out;
        }
        fill_figures(r, {}, out);
        out.kind = LineKind::Expression;
        out.error = CalcError{calc_error::InvalidExpression{}};
        for (const LineToken& token : r.tokens) {
            if (token.marks.joined_by_point)
                out.error = CalcError{
                    calc_error::InvalidNumber{std::string(body.substr(token.begin, token.end - token.begin))}};
        }
        if (!has_figure) out.error = CalcError{calc_error::Empty{}};
        return out;
    }
    if (selected) {
        const Reading split = read_tokens(line.substr(0, body_end), true, scope);
        if (std::optional<Parsed> parsed = parse_expression(split, false)) {
            evaluate_into(split, *parsed, out);
            return out;
        }
    }
    read_amount(r, out);
    return out;
}

}  // namespace

std::optional<TotalLine> read_total_line(std::string_view line) {
    // Longest first, so that "총합계" is not read as "총합" and a rest.
    static constexpr std::pair<std::string_view, TotalWord> WORDS[] = {
        {"합계금액", TotalWord::Grand}, {"총합계", TotalWord::Grand}, {"총금액", TotalWord::Grand},
        {"합계액", TotalWord::Grand},   {"합계", TotalWord::Grand},   {"총합", TotalWord::Grand},
        {"총계", TotalWord::Grand},     {"총액", TotalWord::Grand},   {"소계", TotalWord::Sub},
        {"합", TotalWord::Grand},       {"계", TotalWord::Grand}};
    const std::string_view all = trim_white_space(line);
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
        if (!rest.empty() && !is_written_result(rest)) return std::nullopt;
        const auto start = static_cast<std::size_t>(all.data() - line.data());
        std::size_t end = start + all.size();
        while (end < line.size() && line[end] == ' ') ++end;
        return TotalLine{kind, word_end, end, !rest.empty()};
    }
    return std::nullopt;
}

bool is_note_name(std::string_view word) {
    if (word.empty() || read_total_line(word) || is_previous_word(word) || word == "원") return false;
    const notes_detail::WrittenNumber number = notes_detail::read_written_number(word, 0, true);
    if (number.end == word.size()) return false;  // "만", "오천"
    for (std::size_t pos = 0; pos < word.size();) {
        const std::size_t start = pos;
        const char32_t c = decode_utf8(word, pos);
        const bool letter = (c >= 0xAC00 && c <= 0xD7A3) || (c < 0x80 && std::isalpha(static_cast<int>(c)));
        const bool later = c < 0x80 && (std::isdigit(static_cast<int>(c)) || c == '_');
        if (!letter && !(start > 0 && later)) return false;
    }
    return true;
}

namespace {

// The reading of a part of a line that starts at offset, placed in the whole line.
LineReading shifted(LineReading reading, std::size_t offset) {
    reading.replace_begin += offset;
    reading.replace_end += offset;
    return reading;
}

// "１２，０００원": the line with full-width digits, commas and points made ASCII, and for
// each of its bytes the byte of the line it came from (one more for the end).
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

// Where the item after a list mark begins ("- 교통 62,400", "* 우유", "• ", "· ", "ㄴ",
// "> ", "1. ", "1) ", "①"), or 0: a mark before a figure ("- 10%", "* 2") is an
// operator, and the line goes on from the one above.
std::size_t list_item_start(std::string_view line) {
    static constexpr std::string_view MARKS[] = {"-", "*", "•", "·", "ㄴ", ">", "\u2212"};
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
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
    const std::vector<LineToken> first = notes_detail::tokenize_line(line.substr(item, line.find(' ', item) - item));
    return !first.empty() && first.front().kind == TokenKind::Word ? item : 0;
}

// "세율 = 3.3%", "근무 = 8시간": a value that is a rate or a duration alone.
bool rate_or_duration(const LineReading& value) {
    if (value.has_result() || value.figures.empty()) return false;
    const FigureRole role = value.figures.front().role;
    if (role == FigureRole::Rate) return value.figures.size() == 1;
    return std::all_of(value.figures.begin(), value.figures.end(),
                       [](const Figure& figure) { return figure.role == FigureRole::DateTime; });
}

}  // namespace

LineReading read_line(std::string_view text, bool selected, const NoteScope* scope) {
    LineReading out;
    // The line without its break; trailing spaces after a result are the result's. A lead
    // byte is never inside another sequence, so the breaks are found by their bytes.
    std::size_t line_end = text.find_first_of("\n\v\f\r");
    for (const std::string_view wide_break : {"\xC2\x85", "\xE2\x80\xA8", "\xE2\x80\xA9"})
        line_end = std::min(line_end, text.find(wide_break));
    const std::string_view line = text.substr(0, line_end);
    if (line.find("\xEF\xBC") != std::string_view::npos) {
        std::vector<std::size_t> origin;
        const std::string ascii = ascii_figures(line, origin);
        if (ascii.size() != line.size()) {
            out = read_line(ascii, selected, scope);
            out.replace_begin = origin[out.replace_begin];
            out.replace_end = origin[out.replace_end];
            return out;
        }
    }
    if (const std::size_t item = list_item_start(line); item > 0)
        return shifted(read_line(line.substr(item), selected, scope), item);
    if (const std::optional<TotalLine> total = read_total_line(line)) {
        const std::string_view word = trim_white_space(line.substr(0, total->word_end));
        // "총액 128,000원" with no result above it in its block: the amount, named.
        if (total->value && scope != nullptr && !scope->block_has_result()) {
            NameUse ignored;
            out = read_plain(line.substr(total->word_end), selected, scope, ignored);
            if (out.kind == LineKind::Amount) {
                out.defines = std::string(word);
                out.block_decides = true;
                return shifted(std::move(out), total->word_end);
            }
            out = LineReading{};
        }
        out.kind = LineKind::Total;
        out.total = total->word;
        out.replace_begin = total->word_end;
        out.replace_end = total->line_end;
        out.asks = true;
        return out;
    }
    if (const std::optional<Definition> definition = read_definition(line)) {
        LineReading value = read_line(line.substr(definition->rest), selected, scope);
        if (rate_or_duration(value)) value.gives = std::string(trim_white_space(line.substr(definition->rest)));
        if (value.has_result() || !value.gives.empty()) {
            value.defines = definition->name;
            return shifted(std::move(value), definition->rest);
        }
    }
    NameUse use;
    out = read_plain(line, selected, scope, use);
    out.uses = std::move(use.uses);
    out.uses_previous = use.uses_previous;
    out.continues = use.continues;
    out.unknown = std::move(use.unknown);
    // A name nothing above defines leaves the line without a result, never one of some terms.
    if (!out.unknown.empty()) {
        out.value.clear();
        out.unclear = quoted_object(out.unknown) + " 찾을 수 없습니다";
    }
    return out;
}

std::string written_result(std::string_view value, bool grouped) {
    return " = " + (grouped ? add_thousands_separators(value) : std::string(value));
}

}  // namespace numvora
