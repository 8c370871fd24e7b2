// The currencies notes write, one row each: every way a currency is written, its code,
// whether it counts cents, and the range its rate in won plausibly takes. The reading of a
// line, the rates of exchange and the writer of results all take them from here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace numvora {

enum class CurrencyMark : unsigned char {
    Sign,  // before or after the figure, glued: "$12", "12$", "€20"
    Word,  // after the figure: "100달러", "1,200엔"
    Code,  // before the figure or after it, apart: "USD 20", "20 USD"
};

struct CurrencyForm {
    std::string_view written;
    std::string_view code;
    CurrencyMark mark;
};

// Longer words first where one ends another ("대만달러" before "달러"). Letters before "$"
// name another dollar ("HK$ 420" is Hong Kong's, never the US dollar).
inline constexpr CurrencyForm CURRENCY_FORMS[] = {
    {"HK$", "HKD", CurrencyMark::Sign},
    {"NT$", "TWD", CurrencyMark::Sign},
    {"S$", "SGD", CurrencyMark::Sign},
    {"A$", "AUD", CurrencyMark::Sign},
    {"C$", "CAD", CurrencyMark::Sign},
    {"US$", "USD", CurrencyMark::Sign},
    {"$", "USD", CurrencyMark::Sign},
    {"＄", "USD", CurrencyMark::Sign},
    {"¥", "JPY", CurrencyMark::Sign},
    {"￥", "JPY", CurrencyMark::Sign},
    {"€", "EUR", CurrencyMark::Sign},
    {"£", "GBP", CurrencyMark::Sign},
    {"대만달러", "TWD", CurrencyMark::Word},
    {"홍콩달러", "HKD", CurrencyMark::Word},
    {"싱가포르달러", "SGD", CurrencyMark::Word},
    {"호주달러", "AUD", CurrencyMark::Word},
    {"캐나다달러", "CAD", CurrencyMark::Word},
    {"달러", "USD", CurrencyMark::Word},
    {"불", "USD", CurrencyMark::Word},
    {"엔", "JPY", CurrencyMark::Word},
    {"유로", "EUR", CurrencyMark::Word},
    {"위안", "CNY", CurrencyMark::Word},
    {"파운드", "GBP", CurrencyMark::Word},
    {"바트", "THB", CurrencyMark::Word},
    {"페소", "PHP", CurrencyMark::Word},
    {"링깃", "MYR", CurrencyMark::Word},
    {"루피아", "IDR", CurrencyMark::Word},
    {"USD", "USD", CurrencyMark::Code},
    {"JPY", "JPY", CurrencyMark::Code},
    {"EUR", "EUR", CurrencyMark::Code},
    {"CNY", "CNY", CurrencyMark::Code},
    {"GBP", "GBP", CurrencyMark::Code},
    {"THB", "THB", CurrencyMark::Code},
    {"VND", "VND", CurrencyMark::Code},
    {"TWD", "TWD", CurrencyMark::Code},
    {"HKD", "HKD", CurrencyMark::Code},
    {"SGD", "SGD", CurrencyMark::Code},
    {"AUD", "AUD", CurrencyMark::Code},
    {"CAD", "CAD", CurrencyMark::Code},
    {"PHP", "PHP", CurrencyMark::Code},
    {"MYR", "MYR", CurrencyMark::Code},
    {"IDR", "IDR", CurrencyMark::Code},
    {"CHF", "CHF", CurrencyMark::Code},
};

// The first two bytes of every form as bits (a sign of one byte: its byte before any
// other), so that a place where none of them begins is passed at one look.
inline constexpr auto CURRENCY_OPENINGS = [] {
    std::array<std::uint64_t, 1024> bits{};
    const auto set = [&](unsigned key) { bits[key / 64] |= std::uint64_t{1} << (key % 64); };
    for (const CurrencyForm& form : CURRENCY_FORMS) {
        const unsigned first = static_cast<unsigned char>(form.written[0]) << 8U;
        if (form.written.size() == 1) {
            for (unsigned second = 0; second < 256; ++second) set(first | second);
        } else {
            set(first | static_cast<unsigned char>(form.written[1]));
        }
    }
    return bits;
}();

// Whether one of CURRENCY_FORMS may begin at i.
constexpr bool may_open_currency(std::string_view s, std::size_t i) {
    if (i >= s.size()) return false;
    const unsigned second = i + 1 < s.size() ? static_cast<unsigned char>(s[i + 1]) : 0U;
    const unsigned key = static_cast<unsigned char>(s[i]) << 8U | second;
    return ((CURRENCY_OPENINGS[key / 64] >> (key % 64)) & 1U) != 0;
}

// "동" is the dong only after a grouped figure ("85,000동"); "101동" is a building.
inline constexpr CurrencyForm DONG = {"동", "VND", CurrencyMark::Word};

// What one unit of a currency plausibly costs in won, so that "15,000엔 x 9.1" is won at
// a rate and "1,200엔 x 2" two of them. cents: it is written to the cent ("$165.50").
struct CurrencyRate {
    std::string_view code;
    double low;
    double high;
    bool cents;
};
inline constexpr CurrencyRate CURRENCY_RATES[] = {
    {"USD", 900, 2000, true},  {"JPY", 5, 15, false},    {"EUR", 1000, 2200, true},  {"CNY", 120, 300, true},
    {"GBP", 1200, 2600, true}, {"THB", 25, 60, true},    {"VND", 0.03, 0.09, false}, {"TWD", 30, 60, true},
    {"HKD", 120, 260, true},   {"SGD", 800, 1400, true}, {"AUD", 700, 1300, true},   {"CAD", 700, 1300, true},
    {"PHP", 18, 35, true},     {"MYR", 250, 450, true},  {"IDR", 0.06, 0.12, false}, {"CHF", 1100, 2200, true},
};

// The code of a currency as written ("USD" for "$", "달러", "불" and "USD"); empty for none.
constexpr std::string_view currency_code(std::string_view written) {
    for (const CurrencyForm& form : CURRENCY_FORMS) {
        if (form.written == written) return form.code;
    }
    return written == DONG.written ? DONG.code : std::string_view{};
}

constexpr const CurrencyRate* currency_rate(std::string_view code) {
    for (const CurrencyRate& rate : CURRENCY_RATES) {
        if (rate.code == code) return &rate;
    }
    return nullptr;
}

}  // namespace numvora
