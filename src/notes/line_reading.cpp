#include "notes/line_reading.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <span>
#include <utility>

#include "calculator/evaluate.h"
#include "calculator/number_format.h"
#include "calculator/parser.h"
#include "common/unicode.h"
#include "notes/line_tokens.h"
#include "notes/written_number.h"

namespace numvora {

namespace {

using notes_detail::is_written_result;
using LineToken = notes_detail::Token;
using notes_detail::TokenKind;

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

bool is_operator(TokenKind kind) {
    return kind == TokenKind::Plus || kind == TokenKind::Minus || kind == TokenKind::Times ||
           kind == TokenKind::Divide || kind == TokenKind::Remainder;
}

bool is_label(TokenKind kind) {
    return kind == TokenKind::Word || kind == TokenKind::Colon || kind == TokenKind::Other;
}

// The tokens of a line with what each figure means.
struct Reading {
    std::string_view line;
    std::vector<LineToken> tokens;
    std::vector<FigureRole> roles;  // by token; meaningful for numbers
    std::vector<bool> skipped;      // labels, names, and signs that only separate ("12/5 - 점심")
    std::vector<bool> starts;       // an operand begins here: a figure, "(", or signs glued to one

    bool number(std::size_t i) const { return tokens[i].kind == TokenKind::Number; }
    // A figure the calculation may take as an operand.
    bool operand(std::size_t i) const {
        return number(i) && !tokens[i].marks.joined && !tokens[i].marks.name && roles[i] != FigureRole::Range;
    }
    bool operand_end(std::size_t i) const { return operand(i) || tokens[i].kind == TokenKind::Close; }
    bool glued(std::size_t i) const { return i + 1 < tokens.size() && tokens[i + 1].begin == tokens[i].end; }

    std::optional<std::size_t> previous_significant(std::size_t i) const {
        while (i > 0) {
            --i;
            if (!is_label(tokens[i].kind) && !(number(i) && tokens[i].marks.name)) return i;
        }
        return std::nullopt;
    }
    std::optional<std::size_t> next_significant(std::size_t i) const {
        for (++i; i < tokens.size(); ++i) {
            if (!is_label(tokens[i].kind) && !(number(i) && tokens[i].marks.name)) return i;
        }
        return std::nullopt;
    }
    bool starts_operand(std::size_t i) const { return starts[i]; }
    // An operator with an operand on each side, labels between them allowed ("12,000원 + 커피 4,500원").
    bool binary(std::size_t i) const {
        // "9 -1,000", "환불:-5,000", "할인-5,000": glued to its figure and not to one before
        // it, a minus is the figure's sign.
        const bool after_operand = i > 0 && !tokens[i - 1].spaced_after && operand_end(i - 1);
        if (tokens[i].kind == TokenKind::Minus && glued(i) && !after_operand) return false;
        const auto before = previous_significant(i);
        const auto after = next_significant(i);
        return before && after && operand_end(*before) && starts_operand(*after);
    }
};

// "테헤란로 123", "올림픽로35길 10": a number after a road's name is its address.
bool after_road(const Reading& r, std::size_t i) {
    if (i == 0 || r.tokens[i - 1].kind != TokenKind::Word) return false;
    const std::string_view word = r.line.substr(r.tokens[i - 1].begin, r.tokens[i - 1].end - r.tokens[i - 1].begin);
    return word.ends_with("로") || word.ends_with("길");
}

void assign_roles(Reading& r) {
    const std::vector<LineToken>& t = r.tokens;
    r.roles.assign(t.size(), FigureRole::Amount);
    std::optional<std::size_t> last_number;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind == TokenKind::Number) last_number = i;
    }
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind != TokenKind::Number) continue;
        const notes_detail::NumberMarks& m = t[i].marks;
        const bool by_tilde =
            (i > 0 && t[i - 1].kind == TokenKind::Tilde && i > 1 && t[i - 2].kind == TokenKind::Number) ||
            (i + 2 < t.size() && t[i + 1].kind == TokenKind::Tilde && t[i + 2].kind == TokenKind::Number);
        FigureRole& role = r.roles[i];
        if (m.reference)
            role = FigureRole::Amount;
        else if (m.name)
            role = FigureRole::Name;
        else if (m.range_joined || by_tilde)
            role = FigureRole::Range;
        else if (m.joined || m.date)
            role = FigureRole::DateTime;
        else if (m.percent)
            role = FigureRole::Rate;
        else if (m.foreign)
            role = FigureRole::Foreign;
        else if (m.counter)
            role = FigureRole::Count;
        else if (m.won || m.unit || m.grouped)
            role = FigureRole::Amount;
        else {
            // A plain number is money only where it ends a label ("식비 98500"); elsewhere it
            // is a model, a floor or a code ("RTX 4090", "아이폰 15 프로").
            bool at_end = last_number == i && !m.leading_zero && !after_road(r, i);
            for (std::size_t j = i + 1; at_end && j < t.size(); ++j) at_end = t[j].kind != TokenKind::Word;
            role = at_end ? FigureRole::Amount : FigureRole::Name;
        }
    }
    // From the end, so that a run of signs is looked at once.
    r.starts.assign(t.size() + 1, false);
    for (std::size_t i = t.size(); i-- > 0;) {
        const bool sign = t[i].kind == TokenKind::Minus || t[i].kind == TokenKind::Plus;
        r.starts[i] = r.operand(i) || t[i].kind == TokenKind::Open || (sign && r.glued(i) && r.starts[i + 1]);
    }
    // Operators between operands stay; an operator that joins nothing is punctuation,
    // and a sign glued to a figure is its sign.
    r.skipped.assign(t.size(), false);
    for (std::size_t i = 0; i < t.size(); ++i) {
        const TokenKind kind = t[i].kind;
        if (is_label(kind) || (r.number(i) && t[i].marks.name)) {
            r.skipped[i] = true;
        } else if (is_operator(kind) && !r.binary(i)) {
            const bool sign =
                (kind == TokenKind::Minus || kind == TokenKind::Plus) && r.glued(i) && r.starts_operand(i + 1);
            r.skipped[i] = !sign;
        }
    }
}

// Whether the text before an "=" holds a calculation of its own: an operator between
// figures, or an amount ("월세 55만원 =").
bool has_amount(const Reading& r) {
    for (std::size_t i = 0; i < r.tokens.size(); ++i) {
        if (r.number(i) && r.roles[i] == FigureRole::Amount) return true;
        if (is_operator(r.tokens[i].kind) && !r.skipped[i] && r.binary(i)) return true;
    }
    return false;
}

// A plain number in a label: a date, a name, a model ("아이폰 15 프로 1,550,000원 x 2").
bool label_figure(const Reading& r, std::size_t i) {
    const notes_detail::NumberMarks& m = r.tokens[i].marks;
    if (r.roles[i] == FigureRole::DateTime || r.roles[i] == FigureRole::Name || m.joined) return true;
    return !m.grouped && !m.won && !m.unit && !m.foreign && !m.percent && !m.counter;
}

// The expression grammar over what is left once labels are skipped, with the notes'
// percent: "X + 10%" is X × 1.1, "X * 10%" X × 0.1, "X의 10%" X × 0.1, "X 20% 할인" X × 0.8.
struct ExpressionParser {
    const Reading& r;
    std::span<const std::size_t> sk;  // token indices
    std::size_t pos = 0;
    int binaries = 0;
    bool percent_form = false;
    std::vector<std::size_t> used;

    const LineToken& at(std::size_t i) const { return r.tokens[sk[i]]; }
    bool more() const { return pos < sk.size(); }

    bool lone_percent_then_end() const {
        if (!more() || !r.operand(sk[pos]) || !at(pos).marks.percent) return false;
        if (pos + 1 >= sk.size()) return true;
        const TokenKind next = at(pos + 1).kind;
        return next == TokenKind::Close || next == TokenKind::Plus || next == TokenKind::Minus;
    }

    // The word right after token index i.
    bool word_follows(std::size_t token, std::string_view prefix) const {
        return token + 1 < r.tokens.size() && notes_detail::word_starts_with(r.line, r.tokens[token + 1], prefix);
    }

    std::optional<std::string> expression(int depth) {
        std::optional<std::string> out = term(depth);
        if (!out) return std::nullopt;
        while (more()) {
            const TokenKind kind = at(pos).kind;
            if (kind == TokenKind::Close) {
                if (depth > 0) break;
                return std::nullopt;
            }
            if (!is_operator(kind) || !r.binary(sk[pos])) return std::nullopt;
            static constexpr char OPS[] = {'+', '-', '*', '/', '%'};
            const char op = OPS[static_cast<int>(kind) - static_cast<int>(TokenKind::Plus)];
            // Spaced as written, so that the history shows the expression as the memo does.
            const bool spaced = at(pos).spaced_after || (sk[pos] > 0 && r.tokens[sk[pos] - 1].spaced_after);
            ++pos;
            ++binaries;
            if ((op == '+' || op == '-') && lone_percent_then_end()) {
                used.push_back(sk[pos]);
                *out = "(" + *out + ")*(1" + op + at(pos).value + "/100)";
                ++pos;
                percent_form = true;
                continue;
            }
            const std::optional<std::string> right = term(depth);
            if (!right) return std::nullopt;
            *out += spaced ? std::string{' ', op, ' '} : std::string(1, op);
            *out += *right;
        }
        return out;
    }

    std::optional<std::string> term(int depth) {
        std::string sign;
        while (more() && (at(pos).kind == TokenKind::Minus || at(pos).kind == TokenKind::Plus)) {
            if (at(pos).kind == TokenKind::Minus) sign += '-';
            ++pos;
        }
        if (!more()) return std::nullopt;
        std::string text;
        if (at(pos).kind == TokenKind::Open) {
            // The engine's bound, which keeps a line of "(((…" from exhausting the stack.
            if (depth >= MAX_NESTING) return std::nullopt;
            ++pos;
            const std::optional<std::string> inner = expression(depth + 1);
            if (!inner) return std::nullopt;
            text = "(" + *inner;
            // A parenthesis left open is the engine's to name.
            if (more() && at(pos).kind == TokenKind::Close) {
                text += ')';
                ++pos;
            }
            return sign + text;
        }
        if (!r.operand(sk[pos])) return std::nullopt;
        const std::size_t figure = sk[pos++];
        used.push_back(figure);
        const LineToken& number = r.tokens[figure];
        text = number.marks.percent    ? "(" + number.value + "/100)"
               : number.marks.negative ? "(-" + number.value + ")"
                                       : number.value;
        // "X의 10%", "X 20% 할인", "X에서 20% 할인", "X 5% 인상".
        if (more() && r.operand(sk[pos]) && at(pos).marks.percent && !number.marks.percent) {
            const std::size_t rate = sk[pos];
            const std::string& p = r.tokens[rate].value;
            const char* change = nullptr;
            if (word_follows(rate, "할인"))
                change = "-";
            else if (word_follows(rate, "인상") || word_follows(rate, "할증"))
                change = "+";
            if (number.marks.of && change == nullptr) {
                text = "(" + text + ")*(" + p + "/100)";
            } else if (change != nullptr) {
                text = "(" + text + ")*(1" + change + p + "/100)";
            } else {
                return sign + text;
            }
            used.push_back(rate);
            ++pos;
            percent_form = true;
        }
        return sign + text;
    }
};

struct Parsed {
    std::string expression;
    std::vector<std::size_t> used;
};

// The expression of the body, past a label that may hold dates, names and plain numbers.
// asks: an "=" asks for a value, so one figure alone is enough.
std::optional<Parsed> parse_expression(const Reading& r, bool asks) {
    std::vector<std::size_t> sk;
    for (std::size_t i = 0; i < r.tokens.size(); ++i) {
        if (!r.skipped[i]) sk.push_back(i);
    }
    for (std::size_t start = 0; start < sk.size(); ++start) {
        const std::size_t i = sk[start];
        const bool term_start =
            r.operand(i) || r.tokens[i].kind == TokenKind::Open ||
            ((r.tokens[i].kind == TokenKind::Minus || r.tokens[i].kind == TokenKind::Plus) && r.glued(i));
        const bool inside =
            start > 0 && (is_operator(r.tokens[sk[start - 1]].kind) || r.tokens[sk[start - 1]].kind == TokenKind::Open);
        if (term_start && !inside) {
            ExpressionParser parser{r, sk, start, 0, false, {}};
            const std::optional<std::string> text = parser.expression(0);
            if (text && !parser.more() && (parser.binaries > 0 || parser.percent_form || asks))
                return Parsed{*text, std::move(parser.used)};
        }
        // Past a figure that a label cannot hold, an expression after it would leave it out.
        if (r.number(i) && !label_figure(r, i)) return std::nullopt;
    }
    return std::nullopt;
}

// What a line took from the lines above.
struct NameUse {
    std::vector<std::string> uses;
    bool uses_previous = false;
    std::string unknown;
};

constexpr std::string_view PREVIOUS_WORDS[] = {"위", "prev", "ans"};

bool is_previous_word(std::string_view word) {
    return std::find(std::begin(PREVIOUS_WORDS), std::end(PREVIOUS_WORDS), word) != std::end(PREVIOUS_WORDS);
}

// A value from above standing where a word (or nothing, before a line's first operator) stood.
LineToken reference_to(const LineToken& at, std::string_view value) {
    LineToken token;
    token.kind = TokenKind::Number;
    token.begin = at.begin;
    token.end = at.end;
    token.spaced_after = at.spaced_after;
    token.marks.reference = true;
    token.marks.negative = value.starts_with('-');
    token.value = std::string(value.substr(token.marks.negative ? 1 : 0));
    return token;
}

bool is_boundary(TokenKind kind) {
    return is_operator(kind) || kind == TokenKind::Open || kind == TokenKind::Close || kind == TokenKind::Equals;
}

// Whether an unknown word beside this operator was meant as a name: "월세 + 관리비",
// "월세 * 12", "합계 / 4명"; not "점심 - 12,000원" nor "서울/부산", where the sign parts words.
bool takes_names(const std::vector<LineToken>& t, std::size_t k) {
    switch (t[k].kind) {
    case TokenKind::Plus:
    case TokenKind::Times:
    case TokenKind::Remainder: return true;
    case TokenKind::Divide: return k > 0 && t[k - 1].spaced_after && t[k].spaced_after;
    default: return false;
    }
}

// Names and the result above, put in as figures: a word alone between operators that
// a line above defines, "위", "prev", "ans", and what a line starting with an operator
// continues. A word beside a figure stays its label.
void resolve_names(std::string_view body, std::vector<LineToken>& t, const NoteScope& scope, NameUse& use) {
    // "항목1": a Hangul name with digits reads as a word and a number; it is one name
    // where the lines above define it, or beside an operator ("항목1 * 12").
    for (std::size_t i = 0; i + 1 < t.size(); ++i) {
        const LineToken& number = t[i + 1];
        if (t[i].kind != TokenKind::Word || number.kind != TokenKind::Number || number.begin != t[i].end ||
            !all_ascii_digits(body.substr(number.begin, number.end - number.begin)))
            continue;
        const std::string_view name = body.substr(t[i].begin, number.end - t[i].begin);
        const bool beside = (i > 0 && is_operator(t[i - 1].kind)) || (i + 2 < t.size() && is_operator(t[i + 2].kind));
        if (!is_note_name(name) || !(beside || scope.value_of(name))) continue;
        t[i].end = number.end;
        t[i].spaced_after = number.spaced_after;
        t.erase(t.begin() + static_cast<std::ptrdiff_t>(i + 1));
    }
    for (std::size_t a = 0; a < t.size();) {
        std::size_t b = a;
        while (b < t.size() && !is_boundary(t[b].kind)) ++b;
        bool figure = false;
        std::optional<std::size_t> word;
        for (std::size_t i = a; i < b; ++i) {
            figure = figure || (t[i].kind == TokenKind::Number && !t[i].marks.name);
            if (t[i].kind == TokenKind::Word) word = i;
        }
        const bool beside_operator = (a > 0 && is_operator(t[a - 1].kind)) || (b < t.size() && is_operator(t[b].kind));
        const bool asked = b < t.size() && t[b].kind == TokenKind::Equals;
        if (word && !figure && (beside_operator || asked)) {
            const std::string name(body.substr(t[*word].begin, t[*word].end - t[*word].begin));
            const bool previous = is_previous_word(name);
            const std::optional<std::string> value = previous ? scope.previous() : scope.value_of(name);
            if (previous)
                use.uses_previous = true;
            else
                use.uses.push_back(name);
            const bool meant = (a > 0 && takes_names(t, a - 1)) || (b < t.size() && takes_names(t, b));
            if (value)
                t[*word] = reference_to(t[*word], *value);
            else if (use.unknown.empty() && (meant || previous))
                use.unknown = name;
        }
        a = b + 1;
    }
    // "+ 5,000", "× 2", "- 10%": a line that opens with an operator goes on from the result above.
    if (t.empty()) return;
    const TokenKind first = t.front().kind;
    const bool spaced_sign = (first == TokenKind::Plus || first == TokenKind::Minus) && t.front().spaced_after;
    if (spaced_sign || first == TokenKind::Times || first == TokenKind::Divide) {
        use.uses_previous = true;
        if (const std::optional<std::string> previous = scope.previous()) {
            LineToken at;
            at.spaced_after = true;
            t.insert(t.begin(), reference_to(at, *previous));
        }
    }
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
    out.unknown = std::move(use.unknown);
    // A name nothing above defines leaves the line without a result, never one of some terms.
    if (!out.unknown.empty()) out.value.clear();
    return out;
}

std::string written_result(std::string_view value, bool grouped) {
    return " = " + (grouped ? add_thousands_separators(value) : std::string(value));
}

}  // namespace numvora
