// One window's calculator: the history, the last calculation and the grouping toggle,
// and the texts each command shows. It knows no window: the shell reads the controls,
// asks here, and writes back what it is told.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calculator/calc_error.h"
#include "storage/calculation_record.h"
#include "storage/document.h"

namespace numvora {

inline constexpr std::string_view INITIAL_RESULT_TEXT = "계산 결과가 여기에 표시됩니다.";
inline constexpr std::string_view NO_RESULT_TEXT = "오류: 메모에 넣거나 복사할 계산 결과가 없습니다.";

// What '=' makes of the expression box's text.
struct Calculation {
    std::string label_text;               // the result label's new text
    std::optional<HistoryRecord> record;  // present when the expression has a value
};

// An expression that has no value: the label says why.
Calculation failed_calculation(const CalcError& error);

// What a double-click on a history line puts back.
struct HistoryReuse {
    HistoryRecord record;
    std::string expression_text;  // the expression box's new text
    std::string label_text;       // the result label's new text
};

// The two texts that can be carried into the memo or onto the clipboard.
enum class CarryForm { Result, ExpressionAndResult };

// What a carried text puts into the memo between the characters around the caret (0 at
// either end of the memo): a space before it after a digit, and after it before a letter
// or a digit, since "5550055500", "163605택시" or "360012월" would read as other
// numbers; elsewhere the text as it is.
std::string memo_insertion(std::string text, char32_t preceding, char32_t following);

struct CalculatorSession {
    std::vector<HistoryRecord> history;  // newest first, at most HISTORY_LIMIT
    std::optional<std::string> last_expression;
    std::optional<std::string> last_result;
    bool group_thousands = false;
    // The expression box's text, commas aside, when a calculation was last shown or a
    // history line was put into it (saw_box).
    std::string seen_box;

    // Changes nothing: the shell shows the label first and remembers only what it showed.
    // Money as the memo writes it ("55만*12") is calculated, and recorded, as the engine's
    // text ("550000*12"); a character that neither reads is named.
    Calculation calculate(std::string_view box_text) const;
    // A calculation the notes reading made: its expression and its value as read, so
    // that the label shows what goes into the memo, with the unit the notes write after
    // the figure ("25.41평"); the record keeps the figure.
    Calculation calculated(std::string expression, std::string result) const;
    // A shown result: the last calculation, and the newest record unless it is one
    // figure with no operator ("12000" of a lone total), which is no calculation to list.
    void remember(const HistoryRecord& record);
    // A failed calculation leaves nothing to carry out.
    void forget_last();
    void clear_history() { history.clear(); }

    // The list's lines, newest first, in the toggle's form.
    std::vector<std::string> history_lines() const;
    // Nothing for an index that is not a record (LB_ERR included).
    std::optional<HistoryReuse> reuse(std::int64_t index) const;
    void take_over(const HistoryRecord& record);

    // The result label after the toggle; nothing keeps the label as it is.
    std::optional<std::string> regrouped_label() const;
    // Nothing when the calculation that the form needs is missing.
    std::optional<std::string> carry_text(CarryForm form) const;
    void saw_box(std::string_view box_text);
    // Whether the box holds an expression typed since it was last seen: the carry of an
    // expression calculates it first.
    bool box_is_new(std::string_view box_text) const;
    // What an operation button computes: the operand alone (no operator), or
    // "(left) op (operand)" with the box, else the last result, else 0 on the left.
    std::string operand_expression(std::string_view box_text, std::string_view operand, std::optional<char> op) const;
    // An expression as the box shows it under the toggle.
    std::string expression_text(std::string_view expression) const;

    // The working state as a document: the memo, the box's expression without commas,
    // the last calculation and the history.
    PadDocument to_document(std::string memo, std::string_view box_text) const;
    // A document's calculation replaces this one; the history keeps HISTORY_LIMIT records.
    void take_document(const PadDocument& document);
    // The result label for the calculation now held, as after a document load.
    std::string result_label_text() const;
};

}  // namespace numvora
