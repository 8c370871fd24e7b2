#include "notes/note_expression.h"

#include <string_view>

#include "common/unicode.h"
#include "notes/written_number.h"

namespace numvora {

namespace {

using notes_detail::is_ascii_letter;
using notes_detail::is_written_result;
using notes_detail::Part;
using notes_detail::to_text;
using notes_detail::WrittenNumbers;

bool is_line_break(char32_t c) { return (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029; }

bool is_ascii_alnum(char32_t c) {
    return c < 0x80 && (is_ascii_digit(static_cast<char>(c)) || is_ascii_letter(static_cast<char>(c)));
}

enum class Kind { Space, Number, Times, Sign, Other };

struct Piece {
    Kind kind = Kind::Other;
    char32_t c = 0;  // the scalar of a sign or other text
    std::size_t end = 0;
    Part number;
};

// One piece of an expression as notes write it; after_operand tells whether an "x" can
// stand for a multiplication.
Piece next_piece(std::string_view text, std::size_t pos, bool after_operand) {
    const WrittenNumbers scan{text, false};
    Piece piece;
    const std::size_t won = scan.at(pos, "₩") && scan.digit(pos + 3) ? 3 : 0;
    if (scan.digit(pos + won) || (scan.at(pos, ".") && scan.digit(pos + 1))) {
        piece.kind = Kind::Number;
        piece.number = scan.compound(pos + won);
        piece.end = piece.number.end + (scan.at(piece.number.end, "원") ? 3 : 0);
        return piece;
    }
    piece.end = pos;
    piece.c = decode_utf8(text, piece.end);
    if (is_white_space(piece.c)) {
        piece.kind = Kind::Space;
    } else if (piece.c == 'x' || piece.c == 'X') {
        // Alone between an operand and a number: "2 x 3", "1,000원 x 3", "(1+2)x(3)".
        const bool letter_before = pos > 0 && is_ascii_letter(text[pos - 1]);
        const bool letter_after = piece.end < text.size() && is_ascii_letter(text[piece.end]);
        std::size_t next = piece.end;
        while (scan.at(next, " ")) ++next;
        const bool operand_after = scan.digit(next) || scan.at(next, "(") || scan.at(next, "₩") || scan.at(next, ".");
        if (after_operand && operand_after && !letter_before && !letter_after) piece.kind = Kind::Times;
    } else if (piece.c < 0x80 ? std::string_view("+-*/%().,").find(static_cast<char>(piece.c)) != std::string_view::npos
                              : piece.c == U'\u00D7' || piece.c == U'\u00F7' || piece.c == U'\u2212') {
        piece.kind = Kind::Sign;
    }
    return piece;
}

bool closes_operand(const Piece& piece) {
    return piece.kind == Kind::Number || (piece.kind == Kind::Sign && piece.c == ')');
}

// Where the trailing run of expression pieces begins, past what cannot open an
// expression (the ")" of a label, a sentence's point); the whole text when that run
// has no digit or hangs on a word with ASCII letters or digits.
std::size_t expression_start(std::string_view body) {
    std::size_t run = 0;
    bool word_named = false;   // the current word has an ASCII letter or digit
    bool label_named = false;  // so has the word that ends the label
    bool after_operand = false;
    for (std::size_t pos = 0; pos < body.size();) {
        const Piece piece = next_piece(body, pos, after_operand);
        pos = piece.end;
        if (piece.kind == Kind::Space) {
            word_named = false;
            continue;
        }
        word_named = word_named || piece.kind == Kind::Number || is_ascii_alnum(piece.c);
        after_operand = closes_operand(piece);
        if (piece.kind == Kind::Other) {
            run = pos;
            label_named = word_named;
        }
    }
    for (std::size_t next = run; run < body.size(); run = next) {
        const char32_t c = decode_utf8(body, next);
        const bool point_alone = c == '.' && !(next < body.size() && is_ascii_digit(body[next]));
        if (!is_white_space(c) && c != ')' && c != ',' && !point_alone) break;
    }
    const bool has_digit = body.find_first_of("0123456789", run) != std::string_view::npos;
    return label_named || !has_digit ? 0 : run;
}

// The engine's text: plain numbers, "*" for "x" and "×", "/" and "-" for "÷" and "−";
// commas go, anything else stays for the engine to name.
std::string engine_text(std::string_view chosen) {
    std::string out;
    bool after_operand = false;
    for (std::size_t pos = 0; pos < chosen.size();) {
        const Piece piece = next_piece(chosen, pos, after_operand);
        if (piece.kind == Kind::Number)
            out += to_text(piece.number.value, false);
        else if (piece.kind == Kind::Times || piece.c == U'\u00D7')
            out += '*';
        else if (piece.c == U'\u00F7')
            out += '/';
        else if (piece.c == U'\u2212')
            out += '-';
        else if (piece.c != ',')
            out.append(chosen.substr(pos, piece.end - pos));
        if (piece.kind != Kind::Space) after_operand = closes_operand(piece);
        pos = piece.end;
    }
    return out;
}

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

}  // namespace

Result<MemoExpression, CalcError> find_memo_expression(std::string_view text) {
    const std::string_view all = trim_white_space(text);
    if (all.empty()) return fail(CalcError{calc_error::Empty{}});
    const std::size_t kept_end = static_cast<std::size_t>(all.data() - text.data()) + all.size();
    std::size_t line_end = kept_end;
    // Trailing spaces after a result are the result's; a line break is not.
    for (std::size_t pos = line_end, next = pos; pos < text.size(); pos = next) {
        if (is_line_break(decode_utf8(text, next))) break;
        line_end = next;
    }
    MemoExpression found;
    std::size_t stop = kept_end;
    const std::size_t results = old_result_start(text.substr(0, kept_end));
    if (results != std::string_view::npos) stop = results;
    const std::string_view body = trim_white_space(text.substr(0, stop));
    if (body.empty()) return fail(CalcError{calc_error::Empty{}});
    const std::string_view chosen = body.substr(expression_start(body));
    found.begin = static_cast<std::size_t>(chosen.data() - text.data());
    found.end = found.begin + chosen.size();
    found.replace_begin = found.end;
    found.replace_end = results == std::string_view::npos ? found.end : line_end;
    found.expression = engine_text(chosen);
    return found;
}

std::string result_insertion(std::string_view result) {
    std::string text = " = ";
    text += result;
    return text;
}

}  // namespace numvora
