// The memo's right-click menu: its items in order, and when each can act.
#pragma once

#include <cstdint>
#include <string_view>

#include "ui/control_ids.h"
#include "ui/memo_versions.h"

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
    std::int32_t id;        // 0: a separator
    std::string_view text;  // UTF-8
    MemoMenuNeed need;
    MemoMenuCheck check = MemoMenuCheck::None;
};

inline constexpr MemoMenuItem MEMO_MENU_ITEMS[] = {
    {ids::MEMO_UNDO, "실행 취소\tCtrl+Z", MemoMenuNeed::Undo},
    {ids::MEMO_REDO, "다시 실행\tCtrl+Y", MemoMenuNeed::Redo},
    {0, "", MemoMenuNeed::Nothing},
    {ids::MEMO_CUT, "잘라내기\tCtrl+X", MemoMenuNeed::Selection},
    {ids::MEMO_COPY, "복사\tCtrl+C", MemoMenuNeed::Selection},
    {ids::MEMO_PASTE, "붙여넣기\tCtrl+V", MemoMenuNeed::ClipboardText},
    {ids::MEMO_DELETE, "삭제\tDel", MemoMenuNeed::Selection},
    {0, "", MemoMenuNeed::Nothing},
    {ids::MEMO_SELECT_ALL, "모두 선택\tCtrl+A", MemoMenuNeed::Text},
    {0, "", MemoMenuNeed::Nothing},
    {ids::MEMO_TOTAL, "선택 영역 합계 계산", MemoMenuNeed::Amount},
    {ids::MEMO_EVALUATE, "선택한 식 계산\tF9", MemoMenuNeed::Expression},
    {ids::MEMO_RESULTS_MARGIN, "줄마다 계산 결과 보기\tCtrl+Shift+R", MemoMenuNeed::Nothing,
     MemoMenuCheck::ResultsMargin},
    {0, "", MemoMenuNeed::Nothing},
    {ids::FIND, "찾기…\tCtrl+F", MemoMenuNeed::Nothing},
    {ids::REPLACE, "바꾸기…\tCtrl+H", MemoMenuNeed::Nothing},
    {0, "", MemoMenuNeed::Nothing},
    {ids::MEMO_VERSIONS, MEMO_VERSIONS_MENU_TEXT, MemoMenuNeed::Nothing},
};

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
