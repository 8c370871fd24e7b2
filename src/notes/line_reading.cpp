#include "notes/line_reading.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "calculator/evaluate.h"
#include "calculator/number_format.h"
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

Reading read_tokens(std::string_view body, bool split_joined, const NoteScope* scope = nullptr,
                    NameUse* use = nullptr) {
    Reading r{body, notes_detail::tokenize_line(body, split_joined), {}, {}, {}};
    NameUse ignored;
    if (scope != nullptr) resolve_names(body, r.tokens, *scope, use != nullptr ? *use : ignored);
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

    Reading r = read_tokens(line.substr(0, body_end), false, scope, &use);
    bool has_figure = false;
    for (std::size_t i = 0; i < r.tokens.size(); ++i) has_figure = has_figure || r.number(i);
    if (out.asks && !has_amount(r) && !has_amount(read_tokens(r.line, true, scope))) {
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
        // "12/7 =" asks for a division, not a date.
        const Reading split = read_tokens(line.substr(0, body_end), true, scope);
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
        {"합", TotalWord::Grand}};
    const std::string_view all = trim_white_space(line);
    if (all.find_first_of("\r\n") != std::string_view::npos) return std::nullopt;
    for (const auto& [word, kind] : WORDS) {
        if (!all.starts_with(word)) continue;
        std::string_view rest = trim_white_space(all.substr(word.size()));
        if (rest.starts_with(':') || rest.starts_with('=')) rest = trim_white_space(rest.substr(1));
        if (!rest.empty() && !is_written_result(rest)) return std::nullopt;
        const auto start = static_cast<std::size_t>(all.data() - line.data());
        std::size_t end = start + all.size();
        while (end < line.size() && line[end] == ' ') ++end;
        return TotalLine{kind, start + word.size(), end};
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

LineReading read_line(std::string_view text, bool selected, const NoteScope* scope) {
    LineReading out;
    // The line without its break; trailing spaces after a result are the result's. A lead
    // byte is never inside another sequence, so the breaks are found by their bytes.
    std::size_t line_end = text.find_first_of("\n\v\f\r");
    for (const std::string_view wide_break : {"\xC2\x85", "\xE2\x80\xA8", "\xE2\x80\xA9"})
        line_end = std::min(line_end, text.find(wide_break));
    const std::string_view line = text.substr(0, line_end);
    if (const std::optional<TotalLine> total = read_total_line(line)) {
        out.kind = LineKind::Total;
        out.total = total->word;
        out.replace_begin = total->word_end;
        out.replace_end = total->line_end;
        out.asks = true;
        return out;
    }
    if (const std::optional<Definition> definition = read_definition(line)) {
        LineReading value = read_line(line.substr(definition->rest), selected, scope);
        if (value.has_result()) {
            value.defines = definition->name;
            value.replace_begin += definition->rest;
            value.replace_end += definition->rest;
            return value;
        }
    }
    NameUse use;
    out = read_plain(line, selected, scope, use);
    out.uses = std::move(use.uses);
    out.uses_previous = use.uses_previous;
    out.continues = use.continues;
    out.unknown = std::move(use.unknown);
    // A name nothing above defines leaves the line without a result, never one of some terms.
    if (!out.unknown.empty()) out.value.clear();
    return out;
}

std::string written_result(std::string_view value, bool grouped) {
    return " = " + (grouped ? add_thousands_separators(value) : std::string(value));
}

}  // namespace numvora
