// The memo selection as an operand: when a check looks again, and what it leaves; and
// what the status line shows of it and of the troubles that last.
#include <gtest/gtest.h>

#include <functional>

#include "session/lasting_troubles.h"
#include "session/selection_state.h"
#include "session/status_line.h"

namespace numvora {
namespace {

TEST(SelectionState, LooksAgainOnlyWhenTheSelectionMoved) {
    SelectionState state;
    EXPECT_TRUE(state.moved_to({0, 0}));
    EXPECT_FALSE(state.moved_to({0, 0}));
    EXPECT_TRUE(state.moved_to({0, 5}));
    state.reset();
    EXPECT_TRUE(state.moved_to({0, 5}));
}

TEST(SelectionState, OutcomesOfASelection) {
    const struct {
        std::optional<std::string> selected;
        std::optional<std::string> operand;
        bool is_error;
        std::string status;
    } rows[] = {
        {std::nullopt, std::nullopt, false, ""},
        {"1,234.50", "1234.5", false, "선택값 1234.5 — 연산 버튼 사용 가능"},
        {"(1 + 2)", "(1 + 2)", false, "선택값 (1 + 2) — 연산 버튼 사용 가능"},
        {"12만 3천원", "123000", false, "선택값 123000 — 연산 버튼 사용 가능"},
        {"12만 + 3", std::nullopt, true, "계산식은 전체를 괄호로 감싸 주세요. 예: (1 + 2)"},
        {"   ", std::nullopt, true, "선택한 내용이 비어 있습니다."},
        {"2x3", std::nullopt, true, "곱하기 연산은 x 대신 * 를 사용해 주세요."},
        {"호텔 $120 x 3박\n식비 85,000원", std::nullopt, false, ""},
        {"\xED\xA0\x80"
         "5",
         std::nullopt, true, "숫자 또는 괄호로 감싼 계산식만 선택할 수 있습니다."},
        {std::string(1'000'000, '('), std::nullopt, true,
         "괄호 안 계산식이 올바르지 않습니다: 올바르지 않은 계산식입니다."},
    };
    for (const auto& row : rows) {
        SelectionState state;
        state.pending_operand = "stale";
        EXPECT_EQ(state.take(row.selected), (SelectionMessage{row.status, row.is_error}));
        EXPECT_EQ(state.pending_operand, row.operand);
        EXPECT_EQ(state.operand_ready(), row.operand.has_value());
    }
}

// A standing warning shows whenever the selection falls silent, until it is cleared;
// a selection message and a command's outcome take its place meanwhile.
TEST(StatusLine, AStandingWarningShowsWhenTheSelectionIsSilent) {
    StatusLine line;
    const SelectionMessage operand{"선택값 5 — 연산 버튼 사용 가능", false};
    const struct {
        const char* step;
        std::function<void(StatusLine&)> act;
        std::string text;
        bool is_error;
    } steps[] = {
        {"selection", [&](StatusLine& l) { l.show_selection(operand); }, operand.text, false},
        {"warning under a selection", [](StatusLine& l) { l.raise_notice("메모 자동 저장 실패: x"); }, operand.text,
         false},
        {"selection falls silent", [](StatusLine& l) { l.show_selection({}); }, "메모 자동 저장 실패: x", true},
        {"document saved", [](StatusLine& l) { l.show("a.qvx 파일로 저장했습니다.", false); },
         "a.qvx 파일로 저장했습니다.", false},
        {"cleared under another text", [](StatusLine& l) { l.clear_notice(); }, "a.qvx 파일로 저장했습니다.", false},
        {"silent again", [](StatusLine& l) { l.show_selection({}); }, "", false},
        {"warning raised", [](StatusLine& l) { l.raise_notice("메모 자동 저장 실패: y"); }, "메모 자동 저장 실패: y",
         true},
        {"document opened", [](StatusLine& l) { l.show("b.qvx 파일을 열었습니다.", false); },
         "b.qvx 파일을 열었습니다.", false},
        {"same warning again", [](StatusLine& l) { l.raise_notice("메모 자동 저장 실패: y"); },
         "b.qvx 파일을 열었습니다.", false},
        {"zoom noted", [](StatusLine& l) { l.show("메모 확대 110%", false); }, "메모 확대 110%", false},
        {"an older note withdrawn", [](StatusLine& l) { l.withdraw("메모 확대 120%"); }, "메모 확대 110%", false},
        {"the note withdrawn", [](StatusLine& l) { l.withdraw("메모 확대 110%"); }, "메모 자동 저장 실패: y", true},
        {"selection moves", [](StatusLine& l) { l.show_selection({}); }, "메모 자동 저장 실패: y", true},
        {"warning changes", [](StatusLine& l) { l.raise_notice("메모 자동 저장 실패: z"); }, "메모 자동 저장 실패: z",
         true},
        {"cleared while shown", [](StatusLine& l) { l.clear_notice(); }, "", false},
        {"selection error",
         [](StatusLine& l) {
             l.show_selection({"선택한 내용이 비어 있습니다.", true});
         },
         "선택한 내용이 비어 있습니다.", true},
    };
    for (const auto& step : steps) {
        step.act(line);
        EXPECT_EQ(line.text(), step.text) << step.step;
        EXPECT_EQ(line.status_is_error(), step.is_error) << step.step;
    }
}

// A lasting trouble keeps its mark before whatever the line says, until it ends; the
// most serious one's mark shows, every detail is in the tooltip.
TEST(StatusLine, ALastingTroubleStaysMarkedUntilItEnds) {
    StatusLine line;
    LastingTroubles troubles;
    const struct {
        const char* step;
        std::function<void()> act;
        StatusLineView shown;
    } steps[] = {
        {"history fails",
         [&] { troubles.begin(Trouble::HistoryNotKept, "메모 이전 버전 저장 실패: a"); },
         {"⚠ 이전 버전 저장 안 됨", "메모 이전 버전 저장 실패: a", true}},
        {"the caret moves onto an operand",
         [&] {
             line.show_selection({"선택값 5 — 연산 버튼 사용 가능", false});
         },
         {"⚠ 이전 버전 저장 안 됨  선택값 5 — 연산 버튼 사용 가능", "메모 이전 버전 저장 실패: a", false}},
        {"another window, then a failed save",
         [&] {
             troubles.begin(Trouble::OtherWindow, "다른 창: b");
             troubles.begin(Trouble::MemoNotSaved, "메모 저장 실패: c");
         },
         {"⚠ 메모 저장 안 됨  선택값 5 — 연산 버튼 사용 가능",
          "메모 저장 실패: c\n메모 이전 버전 저장 실패: a\n다른 창: b", false}},
        {"saved and kept again",
         [&] {
             troubles.end(Trouble::MemoNotSaved);
             troubles.end(Trouble::HistoryNotKept);
             line.show_selection({});
         },
         {"⚠ 다른 창이 같은 메모를 씁니다", "다른 창: b", true}},
        {"alone again", [&] { troubles.end(Trouble::OtherWindow); }, {"", "", false}},
    };
    for (const auto& step : steps) {
        step.act();
        EXPECT_EQ(status_line_view(line, troubles), step.shown) << step.step;
    }
}

}  // namespace
}  // namespace numvora
