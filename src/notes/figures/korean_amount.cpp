#include "notes/figures/korean_amount.h"

#include <algorithm>
#include <array>

#include "calculator/number_format.h"
#include "common/unicode.h"
#include "notes/figures/korean_words.h"

namespace numvora {
namespace {

struct SplitDecimal {
    bool negative = false;
    std::string_view whole;     // no leading zeros: empty for zero
    std::string_view fraction;  // no trailing zeros
};

std::optional<SplitDecimal> split_decimal(std::string_view text) {
    SplitDecimal d;
    if (text.starts_with('-')) {
        d.negative = true;
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    d.whole = text.substr(0, point);
    if (point != std::string_view::npos) d.fraction = text.substr(point + 1);
    if (!all_ascii_digits(d.whole) || (point != std::string_view::npos && !all_ascii_digits(d.fraction)))
        return std::nullopt;
    d.whole.remove_prefix(std::min(d.whole.find_first_not_of('0'), d.whole.size()));
    d.fraction = d.fraction.substr(0, d.fraction.find_last_not_of('0') + 1);
    if (d.whole.empty() && d.fraction.empty()) d.negative = false;  // never "-0"
    return d;
}

// The 만-groups of the integer digits, ones first; the 조 group takes every digit above
// it. A zero group is empty.
// A group's unit: none for the ones, then 만, 억 and 조.
constexpr std::string_view group_unit(std::size_t k) { return k == 0 ? std::string_view() : LARGE_UNITS[k - 1].word; }
std::array<std::string_view, 4> four_digit_groups(std::string_view whole) {
    std::array<std::string_view, 4> groups;
    for (std::size_t k = 0; k < groups.size() && !whole.empty(); ++k) {
        const std::size_t take = k + 1 == groups.size() ? whole.size() : std::min<std::size_t>(4, whole.size());
        std::string_view group = whole.substr(whole.size() - take);
        whole.remove_suffix(take);
        group.remove_prefix(std::min(group.find_first_not_of('0'), group.size()));
        groups[k] = group;
    }
    return groups;
}

Result<SplitDecimal, AmountRefusal> whole_amount(std::string_view value) {
    const std::optional<SplitDecimal> d = split_decimal(value);
    if (!d) return fail(AmountRefusal::NotAnAmount);
    if (d->negative) return fail(AmountRefusal::BelowZero);
    if (!d->fraction.empty()) return fail(AmountRefusal::Fraction);
    return *d;
}

}  // namespace

std::optional<std::string> korean_amount_text(std::string_view value, bool with_won) {
    const std::optional<SplitDecimal> d = split_decimal(value);
    if (!d) return std::nullopt;
    const std::array<std::string_view, 4> groups = four_digit_groups(d->whole);
    std::string text;
    // "1억 2,000" reads as 1억 2,000만, as listings write it: a value with no 만 group between
    // 억 and its last group is written in figures, unless 원 follows to say so.
    if (!with_won && groups[1].empty() && !groups[0].empty() && !groups[2].empty()) {
        text = add_thousands_separators(d->whole);
        if (!d->fraction.empty()) {
            text += '.';
            text += d->fraction;
        }
        if (d->negative) text.insert(0, 1, '-');
        return text;
    }
    for (std::size_t k = groups.size(); k-- > 0;) {
        if (groups[k].empty()) continue;
        if (!text.empty()) text += ' ';
        text += add_thousands_separators(groups[k]);
        text += group_unit(k);
    }
    if (!d->fraction.empty()) {
        if (groups[0].empty()) text += text.empty() ? "0" : " 0";
        text += '.';
        text += d->fraction;
    }
    if (text.empty()) text += '0';
    if (d->negative) text.insert(0, 1, '-');
    if (with_won) text += "원";
    return text;
}

std::string_view amount_refusal_text(AmountRefusal refusal) {
    switch (refusal) {
    case AmountRefusal::NotAnAmount: return "금액으로 읽을 수 없는 값입니다";
    case AmountRefusal::Fraction: return "소수점 아래가 있는 금액은 영수증 금액으로 쓸 수 없습니다";
    case AmountRefusal::BelowZero: return "0보다 작은 금액은 영수증 금액으로 쓸 수 없습니다";
    case AmountRefusal::TooLarge: return "10,000조 이상인 금액은 한글로 쓸 수 없습니다";
    }
    return {};
}

Result<std::string, AmountRefusal> amount_in_words(std::string_view value) {
    const Result<SplitDecimal, AmountRefusal> amount = whole_amount(value);
    if (!amount) return fail(amount.error());
    const std::string_view whole = amount->whole;
    if (whole.size() > 16) return fail(AmountRefusal::TooLarge);  // past LARGEST_AMOUNT_IN_WORDS
    const std::array<std::string_view, 4> groups = four_digit_groups(whole);
    std::string words = "일금 ";
    if (whole.empty()) words += "영";
    for (std::size_t k = groups.size(); k-- > 0;) {
        const std::string_view group = groups[k];
        for (std::size_t i = 0; i < group.size(); ++i) {
            if (group[i] == '0') continue;
            const std::size_t power = group.size() - 1 - i;
            words += HANGUL_DIGITS[group[i] - '1'];
            if (power > 0) words += SMALL_UNITS[power - 1].word;
        }
        if (!group.empty()) words += group_unit(k);
    }
    return words + "원정";
}

Result<std::string, AmountRefusal> amount_figure(std::string_view value) {
    const Result<SplitDecimal, AmountRefusal> amount = whole_amount(value);
    if (!amount) return fail(amount.error());
    return amount->whole.empty() ? std::string("0") : std::string(amount->whole);
}

}  // namespace numvora
