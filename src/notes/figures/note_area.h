// Floor areas in ㎡ and 평. 1평 is 400/121 ㎡ (a square of six 자, 1.818 m a side); an
// area is kept as an exact fraction of ㎡, so that the two decimals shown are rounded
// once, from the true value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace numvora::notes_detail {

struct SquareMetres {
    std::int64_t numerator = 0;
    std::int64_t denominator = 1;
};

enum class AreaUnit : std::uint8_t { SquareMetre, Pyeong };

struct AreaRead {
    SquareMetres area;
    AreaUnit unit = AreaUnit::SquareMetre;  // as written
    std::size_t end = 0;                    // past the unit; a particle after it is the caller's to judge
};

// An area at pos: "84㎡", "84m²", "84m2", "84제곱미터", "32평", "84.5㎡"; at most twelve
// significant digits and eleven decimals.
std::optional<AreaRead> read_area(std::string_view line, std::size_t pos);

// An area and the unit it is asked in, after white space or an arrow, or in words:
// "84㎡ 평", "84m2 → 평", "32평 ㎡", "114.9㎡ 몇 평", "32평은 몇 제곱미터?". unit is the one
// asked for.
std::optional<AreaRead> read_area_conversion(std::string_view line, std::size_t pos);

// An area with its value in the other unit written after it in parentheses: "84㎡
// (25.4평)", "32평 (약 105.8㎡)", "84㎡ (34평형)". The area as first written, and end past
// the parenthesis.
std::optional<AreaRead> read_area_with_conversion(std::string_view line, std::size_t pos);

// "25.41" and "34.485" in 평, "105.79" in ㎡: exact where four decimals hold it, else two,
// half rounded up; nothing when too large.
std::optional<std::string> area_figure(SquareMetres area, AreaUnit unit);

// The unit as written after a figure: "평", "㎡".
std::string_view area_unit_text(AreaUnit unit);

}  // namespace numvora::notes_detail
