#include "notes/note_result.h"

#include <optional>

#include "calculator/number_format.h"
#include "notes/note_area.h"
#include "notes/note_calendar.h"
#include "notes/note_durations.h"
#include "notes/plain_number.h"

namespace numvora {

namespace {

// A count in its unit: minutes, days, a day number.
std::optional<std::int64_t> whole(std::string_view text) {
    const std::optional<notes_detail::ExactDecimal> value = notes_detail::exact_decimal(text);
    if (!value || value->denominator != 1) return std::nullopt;
    return value->numerator;
}

// A sign goes before the figure ("$360"), a code before it with a space ("USD 22"), a
// word after it ("2,400엔").
std::string foreign_text(std::string_view figure, std::string_view currency) {
    const bool negative = figure.starts_with('-');
    const std::string sign = negative ? "-" : "";
    if (negative) figure.remove_prefix(1);
    const unsigned char first = currency.empty() ? 0 : static_cast<unsigned char>(currency.front());
    if (first >= 'A' && first <= 'Z') return sign + std::string(currency) + " " + std::string(figure);
    // Every currency word is Hangul, whose lead bytes are 0xEA to 0xED; the signs are not.
    if (first >= 0xEA && first <= 0xED) return sign + std::string(figure) + std::string(currency);
    return sign + std::string(currency) + std::string(figure);
}

}  // namespace

std::string result_text(const NoteResult& result, bool grouped) {
    using notes_detail::area_unit_text;
    using notes_detail::AreaUnit;
    const std::string& value = result.value;
    if (!result.currency.empty())
        return foreign_text(grouped ? add_thousands_separators(value) : value, result.currency);
    const std::optional<std::int64_t> count = whole(value);
    switch (result.unit) {
    case ResultUnit::Number:
    case ResultUnit::Money: break;
    case ResultUnit::Date:
        if (count) return notes_detail::write_date(static_cast<DayNumber>(*count));
        break;
    case ResultUnit::DDay:
        if (count) return notes_detail::write_d_day(*count);
        break;
    case ResultUnit::Days: return value + "일";
    case ResultUnit::Duration:
        if (count) return notes_detail::write_duration(*count);
        break;
    case ResultUnit::Pyeong: return value + std::string(area_unit_text(AreaUnit::Pyeong));
    case ResultUnit::SquareMetre: return value + std::string(area_unit_text(AreaUnit::SquareMetre));
    }
    return grouped ? add_thousands_separators(value) : value;
}

std::string written_result(const NoteResult& result, bool grouped) { return " = " + result_text(result, grouped); }

}  // namespace numvora
