#include <span>
#include <string>

#include "calculator/parser.h"
#include "notes/line_parts.h"

namespace numvora::notes_detail {

namespace {

// The expression grammar over what is left once labels are skipped, with the notes'
// percent: "X + 10%" is X × 1.1, "X * 10%" X × 0.1, "X의 10%" X × 0.1, "X 20% 할인" X × 0.8.
struct ExpressionParser {
    const Reading& r;
    std::span<const std::size_t> sk;  // token indices
    std::size_t pos = 0;
    int binaries = 0;
    bool percent_form = false;
    std::vector<std::size_t> used;

    const Token& at(std::size_t i) const { return r.tokens[sk[i]]; }
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
        const Token& number = r.tokens[figure];
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

}  // namespace

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

}  // namespace numvora::notes_detail
