// The help page (F1): what the notes read, a section each with example lines, what the
// status line says of a line that is not read, and the keys. The examples' results are
// never written here: the page reads its example lines with the memo's own notebook as
// it is shown, and each example states the result it promises only so that a test can
// hold the notebook to it. The keys are the command list's.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace numvora {

// An example line and what the page promises beside it: the result the margin shows,
// or for a line without one what the status line says of it (empty: nothing).
struct HelpExample {
    std::string_view line;
    std::string_view promised;
};

struct HelpSection {
    std::string_view title;
    std::string_view text;
    // Its examples, read together as lines of one memo, in order ("" is an empty line).
    std::span<const HelpExample> examples;
    std::int32_t command = 0;  // a command the text names, given after it with its keys; 0: none
};

std::span<const HelpSection> help_sections();

// What the page shows beside each example of the section, as the notebook reads the
// lines, the date examples' today (2026-12-08) theirs.
struct HelpOutcome {
    std::string text;
    bool status = false;  // what the status line says of a line without a result
    bool operator==(const HelpOutcome&) const = default;
};
std::vector<HelpOutcome> example_outcomes(const HelpSection& section);

// A key of the command list with what it does: "Ctrl+P", "인쇄…"; where it works, when
// only in one place, after the keys ("Enter (계산식 칸에서)").
struct HelpKey {
    std::string keys;
    std::string what;
};
std::vector<HelpKey> help_keys();

// The page's paragraphs in order, for the window to draw.
enum class HelpStyle : std::uint8_t { Title, Heading, Text, Example, Key };
struct HelpParagraph {
    HelpStyle style = HelpStyle::Text;
    std::string text;
    std::string aside;  // an example's outcome ("16,500", "상태 줄: …"), a key's description
};
std::vector<HelpParagraph> help_page();

}  // namespace numvora
