// Areas in ㎡ and 평, and one asked in the other.
#include "notes/figures/note_area.h"

#include <gtest/gtest.h>

#include <string>

namespace numvora::notes_detail {
namespace {

TEST(AreaConversion, SquareMetresAndPyeong) {
    const struct {
        std::string_view line, area;
    } rows[] = {
        {"84㎡ 평", "25.41평"},
        {"84m² → 평", "25.41평"},
        {"84m2→평", "25.41평"},
        {"32평 ㎡", "105.79㎡"},
        // Exact where four decimals hold it, else hundredths.
        {"121㎡ 평", "36.6025평"},
        {"114㎡ 평", "34.485평"},
        {"84.5㎡ ㎡", "84.50㎡"},
        {"0.0015125평 ㎡", "0.005㎡"},
        {"84㎡평", ""},
        {"84m 평", ""},
        {"84m23 평", ""},
        {"84 ㎡ 평", ""},
        {"1000000000000㎡ 평", ""},
        // Asked in words.
        {"114.9㎡ 몇 평", "34.76평"},
        {"84㎡는 몇 평?", "25.41평"},
        {"32평은 몇 제곱미터", "105.79㎡"},
        {"84제곱미터 몇평", "25.41평"},
        {"84㎡ 몇", ""},
        {"84㎡는평", ""},
    };
    for (const auto& row : rows) {
        const auto read = read_area_conversion(row.line, 0);
        const auto figure = read ? area_figure(read->area, read->unit) : std::nullopt;
        EXPECT_EQ(figure ? *figure + std::string(area_unit_text(read->unit)) : "", row.area) << row.line;
    }
}

}  // namespace
}  // namespace numvora::notes_detail
