#include "storage/text_codec.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "common/unicode.h"

namespace numvora {

namespace {

constexpr char HEX_DIGITS[] = "0123456789abcdef";

// Every byte value to its two lower-case hex characters, so that encoding is one
// 16-bit copy per byte.
constexpr std::array<std::array<char, 2>, 256> make_hex_pairs() {
    std::array<std::array<char, 2>, 256> pairs{};
    for (std::size_t b = 0; b < 256; ++b) pairs[b] = {HEX_DIGITS[b >> 4], HEX_DIGITS[b & 0xF]};
    return pairs;
}
constexpr auto HEX_PAIRS = make_hex_pairs();

// Hex digit value, or 0xFF for every byte that is not a hex digit.
constexpr std::array<unsigned char, 256> make_digit_values() {
    std::array<unsigned char, 256> values{};
    for (auto& v : values) v = 0xFF;
    for (unsigned char c = '0'; c <= '9'; ++c) values[c] = static_cast<unsigned char>(c - '0');
    for (unsigned char c = 'a'; c <= 'f'; ++c) values[c] = static_cast<unsigned char>(c - 'a' + 10);
    for (unsigned char c = 'A'; c <= 'F'; ++c) values[c] = static_cast<unsigned char>(c - 'A' + 10);
    return values;
}
constexpr auto DIGIT_VALUES = make_digit_values();

// Digits of an optionally signed decimal, accumulated without overflow: fails as soon as
// the magnitude passes limit.
std::optional<std::uint32_t> parse_magnitude(std::string_view digits, std::uint32_t limit) {
    if (digits.empty()) return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        const auto digit = static_cast<std::uint32_t>(c - '0');
        if (value > (limit - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

}  // namespace

StorageError text_format_error() {
    return make_storage_error(StorageErrorKind::InvalidData, "저장 파일의 문자열 형식이 잘못되었습니다.");
}

std::vector<std::string_view> split_lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t feed = text.find('\n', start);
        if (feed == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        std::string_view line = text.substr(start, feed - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = feed + 1;
    }
    return lines;
}

std::optional<std::pair<std::string_view, std::string_view>> split_key_value(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return std::pair{line.substr(0, equals), line.substr(equals + 1)};
}

void append_hex_text(std::string& out, std::string_view text) {
    const std::size_t start = out.size();
    out.resize(start + text.size() * 2);
    char* dest = out.data() + start;
    for (const char c : text) {
        std::memcpy(dest, HEX_PAIRS[static_cast<unsigned char>(c)].data(), 2);
        dest += 2;
    }
}

std::string encode_hex_text(std::string_view text) {
    std::string out;
    append_hex_text(out, text);
    return out;
}

StorageResult<std::string> decode_hex_text(std::string_view value) {
    if (value.size() % 2 != 0) return fail(text_format_error());
    std::string out(value.size() / 2, '\0');
    const auto* in = reinterpret_cast<const unsigned char*>(value.data());
    // Bad digits are collected with OR and checked once per block, keeping the loop
    // free of branches.
    constexpr std::size_t BLOCK = 4096;
    for (std::size_t base = 0; base < out.size(); base += BLOCK) {
        const std::size_t end = std::min(out.size(), base + BLOCK);
        unsigned char bad = 0;
        for (std::size_t i = base; i < end; ++i) {
            const unsigned char high = DIGIT_VALUES[in[2 * i]];
            const unsigned char low = DIGIT_VALUES[in[2 * i + 1]];
            bad |= high | low;
            out[i] = static_cast<char>((high << 4) | (low & 0x0F));
        }
        if (bad & 0xF0) return fail(text_format_error());
    }
    if (!is_valid_utf8(out)) return fail(text_format_error());
    return out;
}

std::string encode_optional_text(const std::optional<std::string>& text) {
    return text ? encode_hex_text(*text) : std::string("-");
}

StorageResult<std::optional<std::string>> decode_optional_text(std::string_view value) {
    if (value == "-") return std::optional<std::string>{};
    auto decoded = decode_hex_text(value);
    if (!decoded) return fail(decoded.error());
    return std::optional<std::string>{std::move(decoded).value()};
}

std::optional<std::int32_t> parse_i32(std::string_view value) {
    bool negative = false;
    if (!value.empty() && (value.front() == '+' || value.front() == '-')) {
        negative = value.front() == '-';
        value.remove_prefix(1);
    }
    const auto magnitude = parse_magnitude(value, negative ? 2147483648u : 2147483647u);
    if (!magnitude) return std::nullopt;
    // Through int64 so that the minimum, whose magnitude has no int32 form, is exact.
    const std::int64_t signed_value =
        negative ? -static_cast<std::int64_t>(*magnitude) : static_cast<std::int64_t>(*magnitude);
    return static_cast<std::int32_t>(signed_value);
}

std::optional<std::uint8_t> parse_u8(std::string_view value) {
    if (!value.empty() && value.front() == '+') value.remove_prefix(1);
    const auto magnitude = parse_magnitude(value, 255);
    if (!magnitude) return std::nullopt;
    return static_cast<std::uint8_t>(*magnitude);
}

}  // namespace numvora
