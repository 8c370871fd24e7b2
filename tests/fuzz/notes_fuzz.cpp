// Any bytes read as notes: every line read, and the places F9 would write into stay
// inside their line. The bytes after the first zero byte edit the notes, and after every
// edit the notebook kept edit by edit is the same text read whole, F9 and the selection
// total included.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "notes/book/note_blocks.h"
#include "notes/book/notebook_differential.h"

namespace {

void check_same(const numvora::differential::EditedNotes& notes) {
    const std::string difference = notes.difference();
    if (!difference.empty()) std::fprintf(stderr, "%s\n", difference.c_str());
    FUZZ_CHECK(difference.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t text_end = std::min(input.find('\0'), input.size());
    const std::string_view text = input.substr(0, text_end);
    for (const std::string_view line : numvora::note_lines(text)) {
        for (const bool selected : {false, true}) {
            const numvora::LineReading reading = numvora::read_line(line, selected);
            FUZZ_CHECK(reading.replace_begin <= reading.replace_end && reading.replace_end <= line.size());
            FUZZ_CHECK(!reading.calculates() || !reading.value.empty());
        }
    }
    // A short text keeps the checks after every edit quick.
    numvora::differential::EditedNotes notes(text.substr(0, 512));
    check_same(notes);
    // Numbers in [0, n) from the bytes after the text, one byte or two.
    std::size_t at = std::min(text_end + 1, size);
    const auto pick = [&](std::size_t n) {
        std::size_t value = 0;
        for (std::size_t reach = 1; reach < n && at < size; reach <<= 8) value = value << 8 | data[at++];
        return value % n;
    };
    for (int edit = 0; edit < 32 && at < size; ++edit) {
        notes.apply(numvora::differential::random_edit(notes.lines(), pick));
        check_same(notes);
    }
    return 0;
}
