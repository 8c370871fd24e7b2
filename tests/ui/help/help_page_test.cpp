// The help page cannot go stale: every example line, read by the memo's notebook, shows
// what the page promises beside it, and its keys are the command list's.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ui/commands.h"
#include "ui/help/help_page.h"

namespace numvora {
namespace {

TEST(HelpPage, EveryExampleShowsWhatThePagePromises) {
    for (const HelpSection& section : help_sections()) {
        const std::vector<HelpOutcome> outcomes = example_outcomes(section);
        ASSERT_EQ(outcomes.size(), section.examples.size()) << section.title;
        for (std::size_t i = 0; i < outcomes.size(); ++i)
            EXPECT_EQ(outcomes[i].text, section.examples[i].promised)
                << section.title << ": " << section.examples[i].line;
    }
}

TEST(HelpPage, ThePageShowsEachExampleBesideItsResultOrTheStatusLine) {
    const std::vector<HelpParagraph> page = help_page();
    const struct {
        std::string line;
        std::string aside;
    } rows[] = {
        {"1,999원 공급가", "1,817"},
        {"$1 = 1,380원", ""},
        {"12, 300 + 5", "상태 줄: '12, 300'을 읽을 수 없습니다"},
    };
    for (const auto& row : rows) {
        const auto at = std::find_if(page.begin(), page.end(), [&](const HelpParagraph& p) {
            return p.style == HelpStyle::Example && p.text == row.line;
        });
        ASSERT_NE(at, page.end()) << row.line;
        EXPECT_EQ(at->aside, row.aside) << row.line;
    }
    // The section on lines not read names the command that says why, with its key.
    EXPECT_TRUE(std::any_of(page.begin(), page.end(), [](const HelpParagraph& p) {
        return p.style == HelpStyle::Text && p.text.ends_with(" 선택한 식 계산 (F9)");
    }));
}

TEST(HelpPage, TheKeysAreTheCommandListsWithWhereTheyWork) {
    const std::vector<HelpKey> keys = help_keys();
    const struct {
        std::string keys;
        std::string what;
    } rows[] = {
        {"F9 (메모에서)", "선택한 식 계산"},
        {"Ctrl+,", "설정"},
        {"Ctrl+Y, Ctrl+Shift+Z (메모에서)", "다시 실행"},
        {"Enter (계산식 칸에서)", "계산"},
        {"Esc (찾기 막대에서)", "찾기 막대 닫기"},
        {"F3, Enter (찾기 칸에서)", "다음 찾기"},
        {"Ctrl+=, Ctrl+숫자 키패드 +", "메모 글자 크게"},
        {"Shift+F10, 메뉴 키 (메모에서)", "메모 메뉴 열기"},
    };
    for (const auto& row : rows) {
        EXPECT_TRUE(std::any_of(keys.begin(), keys.end(), [&](const HelpKey& key) {
            return key.keys == row.keys && key.what == row.what;
        })) << row.keys;
    }
    // A row of the list with a key is on the page: none left out, none twice.
    const auto keyed = std::count_if(COMMANDS.begin(), COMMANDS.end(),
                                     [](const Command& command) { return command.keys[0].chord.virtual_key != 0; });
    EXPECT_EQ(static_cast<std::ptrdiff_t>(keys.size()), keyed);
}

}  // namespace
}  // namespace numvora
