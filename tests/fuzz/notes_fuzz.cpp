// Any bytes read as notes: every line read, a block's results, the total of the whole
// text as a selection, and the places F9 would write into stay inside their line.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "notes/note_blocks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    for (const std::string_view line : lines) {
        for (const bool selected : {false, true}) {
            const numvora::LineReading reading = numvora::read_line(line, selected);
            FUZZ_CHECK(reading.replace_begin <= reading.replace_end && reading.replace_end <= line.size());
            FUZZ_CHECK(!reading.calculates() || !reading.value.empty());
        }
    }
    const auto results = numvora::line_results(lines);
    FUZZ_CHECK(results.size() == lines.size());
    const numvora::NotesSum sum = numvora::selection_total(text);
    FUZZ_CHECK(sum.added.empty() == sum.value.empty());
    return 0;
}
