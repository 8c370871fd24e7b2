#include "notes/figures/note_area.h"

#include <cstdint>
#include <limits>
#include <utility>

#include "notes/figures/plain_number.h"

namespace numvora::notes_detail {

namespace {

// ㎡ in 평 is 121/400.
constexpr std::int64_t PYEONG_SQUARE_METRES = 400;
constexpr std::int64_t PYEONG_PARTS = 121;
// Twelve digits leave room for the conversions and the hundredths in 64 bits.
constexpr std::int64_t MOST_WRITTEN = 1'000'000'000'000;

constexpr std::string_view PYEONG = "평";
constexpr std::string_view SQUARE_METRE_SIGNS[] = {"㎡", "m²", "m2", "제곱미터"};
// After the area asked about: "84㎡는 몇 평", "32평은 몇 ㎡".
constexpr std::string_view TOPIC_PARTICLES[] = {"은", "는"};

// The unit written at pos, and where it ends.
std::optional<std::pair<AreaUnit, std::size_t>> unit_at(std::string_view s, std::size_t pos) {
    if (starts_at(s, pos, PYEONG)) return std::pair{AreaUnit::Pyeong, pos + PYEONG.size()};
    for (std::string_view sign : SQUARE_METRE_SIGNS) {
        if (starts_at(s, pos, sign)) return std::pair{AreaUnit::SquareMetre, pos + sign.size()};
    }
    return std::nullopt;
}

}  // namespace

std::optional<AreaRead> read_area(std::string_view line, std::size_t pos) {
    const auto number = read_grouped_decimal(line, pos);
    if (!number || number->value.numerator >= MOST_WRITTEN || number->value.denominator >= MOST_WRITTEN)
        return std::nullopt;
    const auto unit = unit_at(line, number->end);
    if (!unit || runs_on(line, unit->second)) return std::nullopt;
    SquareMetres area{number->value.numerator, number->value.denominator};
    if (unit->first == AreaUnit::Pyeong) {
        area.numerator *= PYEONG_SQUARE_METRES;
        area.denominator *= PYEONG_PARTS;
    }
    return AreaRead{area, unit->first, unit->second};
}

std::optional<AreaRead> read_area_conversion(std::string_view line, std::size_t pos) {
    auto read = read_area(line, pos);
    if (!read) return std::nullopt;
    std::size_t after = read->end;
    for (std::string_view particle : TOPIC_PARTICLES) {
        if (starts_at(line, after, particle)) after += particle.size();
    }
    std::size_t at = skip_spaces(line, after);
    if (starts_at(line, at, "→")) at = skip_spaces(line, at + std::string_view("→").size());
    if (starts_at(line, at, "몇")) at = skip_spaces(line, at + std::string_view("몇").size());
    const auto unit = at == after ? std::nullopt : unit_at(line, at);
    if (!unit) return std::nullopt;
    std::size_t end = unit->second;
    if (starts_at(line, end, "?")) ++end;
    if (runs_on(line, end)) return std::nullopt;
    read->unit = unit->first;
    read->end = end;
    return read;
}

std::optional<AreaRead> read_area_with_conversion(std::string_view line, std::size_t pos) {
    const auto read = read_area(line, pos);
    if (!read) return std::nullopt;
    std::size_t at = skip_spaces(line, read->end);
    if (!starts_at(line, at, "(")) return std::nullopt;
    at = skip_spaces(line, at + 1);
    if (starts_at(line, at, "약")) at = skip_spaces(line, at + std::string_view("약").size());
    const auto other = read_area(line, at);
    if (!other || other->unit == read->unit) return std::nullopt;
    at = other->end;
    if (starts_at(line, at, "형")) at += std::string_view("형").size();  // "34평형": a flat's size class
    at = skip_spaces(line, at);
    if (!starts_at(line, at, ")")) return std::nullopt;
    return AreaRead{read->area, read->unit, at + 1};
}

std::optional<std::string> area_figure(SquareMetres area, AreaUnit unit) {
    const bool pyeong = unit == AreaUnit::Pyeong;
    // Exact where four decimals hold it, as a whole ㎡ in 평 always is: "114㎡ 평" is 34.485평.
    const auto ten_thousand_n = checked_product(area.numerator, (pyeong ? PYEONG_PARTS : 1) * 10'000);
    const auto d = checked_product(area.denominator, pyeong ? PYEONG_SQUARE_METRES : 1);
    if (ten_thousand_n && d && *ten_thousand_n >= 0 && *d > 0 && *ten_thousand_n % *d == 0) {
        const std::int64_t parts = *ten_thousand_n / *d;
        std::string decimals = std::to_string(10'000 + parts % 10'000).substr(1);
        while (decimals.size() > 2 && decimals.back() == '0') decimals.pop_back();
        return std::to_string(parts / 10'000) + '.' + decimals;
    }
    // Else hundredths, half rounded up: (200n + d) / 2d, where n / d is the area in the unit.
    const auto twice_hundred_n = checked_product(area.numerator, (pyeong ? PYEONG_PARTS : 1) * 200);
    const auto twice_d = checked_product(area.denominator, (pyeong ? PYEONG_SQUARE_METRES : 1) * 2);
    if (!twice_hundred_n || !twice_d || *twice_hundred_n < 0 || *twice_d <= 0 ||
        *twice_hundred_n > std::numeric_limits<std::int64_t>::max() - *twice_d / 2)
        return std::nullopt;
    const std::int64_t hundredths = (*twice_hundred_n + *twice_d / 2) / *twice_d;
    std::string text = std::to_string(hundredths / 100) + '.';
    text += static_cast<char>('0' + hundredths / 10 % 10);
    text += static_cast<char>('0' + hundredths % 10);
    return text;
}

std::string_view area_unit_text(AreaUnit unit) { return unit == AreaUnit::Pyeong ? PYEONG : SQUARE_METRE_SIGNS[0]; }

}  // namespace numvora::notes_detail
