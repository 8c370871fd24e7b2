// The memo's right-click menu: its items in order, and when each can act.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/control_ids.h"
#include "ui/memo_versions.h"
#include "ui/shortcuts.h"

namespace numvora {

// What the memo is like when its menu opens.
struct MemoFacts {
    bool can_undo = false;
    bool can_redo = false;
    bool has_selection = false;
    bool clipboard_has_text = false;
    bool has_text = false;
    bool selection_has_amount = false;  // a number to total
    bool has_expression = false;        // a calculable expression in the selection or the caret's line
    bool results_margin = false;        // the line results are shown beside the memo
};

enum class MemoMenuNeed { Nothing, Undo, Redo, Selection, ClipboardText, Text, Amount, Expression };

// The option an item switches, shown as its check mark.
enum class MemoMenuCheck { None, ResultsMargin };

struct MemoMenuItem {
    std::int32_t id;         // 0: a separator
    std::string_view label;  // UTF-8
    MemoMenuNeed need;
    // The memo control's own keys, which no shortcut posts; a command's keys come
    // from the shortcut table.
    std::string_view own_keys = {};
    MemoMenuCheck check = MemoMenuCheck::None;
};

inline constexpr MemoMenuItem MEMO_MENU_ITEMS[] = {
    {ids::MEMO_UNDO, "실행 취소", MemoMenuNeed::Undo, "Ctrl+Z"},
    {ids::MEMO_REDO, "다시 실행", MemoMenuNeed::Redo, "Ctrl+Y"},
    {0, "", MemoMenuNeed::Nothing},
    {ids::MEMO_CUT, "잘라내기", MemoMenuNeed::Selection, "Ctrl+X"},
    {ids::MEMO_COPY, "복사", MemoMenuNeed::Selection, "Ctrl+C"},
    {ids::MEMO_PASTE, "붙여넣기", MemoMenuNeed::ClipboardText, "Ctrl+V"},
    {ids::MEMO_DELETE, "삭제", MemoMenuNeed::Selection, "Del"},
    {0, "", MemoMenuNeed::Nothing},
    {ids::MEMO_SELECT_ALL, "모두 선택", MemoMenuNeed::Text, "Ctrl+A"},
    {0, "", MemoMenuNeed::Nothing},
    {ids::MEMO_TOTAL, "선택 영역 합계 계산", MemoMenuNeed::Amount},
    {ids::MEMO_EVALUATE, "선택한 식 계산", MemoMenuNeed::Expression},
    {ids::MEMO_RESULTS_MARGIN, "줄마다 계산 결과 보기", MemoMenuNeed::Nothing, {}, MemoMenuCheck::ResultsMargin},
    {0, "", MemoMenuNeed::Nothing},
    {ids::FIND, "찾기…", MemoMenuNeed::Nothing},
    {ids::REPLACE, "바꾸기…", MemoMenuNeed::Nothing},
    {0, "", MemoMenuNeed::Nothing},
    {ids::MEMO_VERSIONS, MEMO_VERSIONS_MENU_TEXT, MemoMenuNeed::Nothing},
};

// The item's text as the menu shows it: the label, then a tab and its keys if it has any.
inline std::string memo_menu_item_text(const MemoMenuItem& item) {
    const std::string keys = item.own_keys.empty() ? shortcut_key_text(item.id) : std::string(item.own_keys);
    std::string text(item.label);
    if (!keys.empty()) text.append("\t").append(keys);
    return text;
}

constexpr bool memo_menu_item_enabled(const MemoMenuItem& item, const MemoFacts& facts) {
    switch (item.need) {
    case MemoMenuNeed::Nothing: return true;
    case MemoMenuNeed::Undo: return facts.can_undo;
    case MemoMenuNeed::Redo: return facts.can_redo;
    case MemoMenuNeed::Selection: return facts.has_selection;
    case MemoMenuNeed::ClipboardText: return facts.clipboard_has_text;
    case MemoMenuNeed::Text: return facts.has_text;
    case MemoMenuNeed::Amount: return facts.selection_has_amount;
    case MemoMenuNeed::Expression: return facts.has_expression;
    }
    return false;
}

constexpr bool memo_menu_item_checked(const MemoMenuItem& item, const MemoFacts& facts) {
    return item.check == MemoMenuCheck::ResultsMargin && facts.results_margin;
}

}  // namespace numvora
