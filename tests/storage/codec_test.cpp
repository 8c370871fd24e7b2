#include "storage/text_codec.h"

#include <gtest/gtest.h>

#include "storage/files/file_primitives.h"

namespace numvora {
namespace {

TEST(SplitLines, CutsAfterLineFeedsAndDropsOneCarriageReturn) {
    const std::pair<std::string_view, std::vector<std::string_view>> cases[] = {
        {"a\r\nb\n", {"a", "b"}},
        {"a\r\r\nb", {"a\r", "b"}},
        {"a\rb", {"a\rb"}},
        {"", {}},
        {"\n", {""}},
        {"\n\n", {"", ""}},
        {"\r", {"\r"}},
    };
    for (const auto& [text, lines] : cases) EXPECT_EQ(split_lines(text), lines) << testing::PrintToString(text);
    using Pair = std::pair<std::string_view, std::string_view>;
    EXPECT_EQ(split_key_value("memo=61=62"), (Pair{"memo", "61=62"}));
    EXPECT_EQ(split_key_value(" =5 "), (Pair{" ", "5 "}));
    EXPECT_EQ(split_key_value("memo"), std::nullopt);
}

TEST(HexText, EncodesLowerCaseAndDecodesEitherCaseOfValidUtf8Only) {
    EXPECT_EQ(encode_hex_text("1+2가"), "312b32eab080");
    EXPECT_EQ(encode_hex_text(std::string_view("\0\xff", 2)), "00ff");
    const std::pair<std::string_view, std::string_view> good[] = {{"EAB080", "가"}, {"eAb080", "가"}, {"", ""}};
    for (const auto& [value, text] : good) EXPECT_EQ(decode_hex_text(value).value(), text);
    // Odd length, sign, spaces, non-ASCII, bad UTF-8 (invalid byte, overlong, truncated).
    for (std::string_view bad : {"6", "6g", "+1", " 61", "61 ", "\xea\xb0", "ff", "c080", "eab0"})
        EXPECT_EQ(decode_hex_text(bad).error(), text_format_error()) << bad;
    std::string long_value = encode_hex_text(std::string(10000, 'x'));
    long_value[18001] = 'z';  // far into the value, past the first checked block
    EXPECT_FALSE(decode_hex_text(long_value));
}

TEST(HexText, EveryTwoByteValueDecodesExactlyWhenItIsTheHexOfAnAsciiByte) {
    const std::string digits = "0123456789abcdefABCDEF";
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const std::string value{static_cast<char>(a), static_cast<char>(b)};
            const bool hex = digits.find(value[0]) != std::string::npos && digits.find(value[1]) != std::string::npos;
            const int byte = hex ? std::stoi(value, nullptr, 16) : 0x100;
            const auto decoded = decode_hex_text(value);
            const std::string expected = byte < 0x80 ? std::string(1, static_cast<char>(byte)) : "none";
            ASSERT_EQ(decoded ? decoded.value() : "none", expected) << a << "," << b;
        }
    }
}

TEST(ParseIntegers, AcceptOnlySignedAsciiDigitsInRange) {
    const std::pair<std::string_view, std::optional<std::int32_t>> i32_cases[] = {
        {"+15", 15},
        {"-2147483648", INT32_MIN},
        {"2147483647", INT32_MAX},
        {"007", 7},
        {"-0", 0},
        {"2147483648", {}},
        {"-2147483649", {}},
        {"99999999999999999999", {}},
        {"", {}},
        {"+", {}},
        {"-", {}},
        {" 5", {}},
        {"5 ", {}},
        {"1.0", {}},
        {"+-1", {}},
        {"\xef\xbc\x91", {}},  // a full-width digit
    };
    for (const auto& [value, expected] : i32_cases) EXPECT_EQ(parse_i32(value), expected) << value;
    const std::pair<std::string_view, std::optional<std::uint8_t>> u8_cases[] = {
        {"255", 255}, {"256", {}}, {"+7", 7}, {"-1", {}}, {"-0", {}}, {"0070", 70}, {"+", {}}, {"4294967337", {}},
    };
    for (const auto& [value, expected] : u8_cases) EXPECT_EQ(parse_u8(value), expected) << value;
}

TEST(StorageErrorText, MessageAloneOrSystemTextWithTheCode) {
    EXPECT_EQ(display_text(text_format_error()), "저장 파일의 문자열 형식이 잘못되었습니다.");
    EXPECT_EQ(make_os_error(13).kind, StorageErrorKind::Os);
    // A missing file (code 2 on both platforms) keeps its code, so it shows the system's text.
    EXPECT_EQ(make_os_error(2).kind, StorageErrorKind::NotFound);
    EXPECT_EQ(display_text(make_os_error(2)), file_primitives::os_message(2) + " (os error 2)");
    EXPECT_FALSE(file_primitives::os_message(2).empty());
}

}  // namespace
}  // namespace numvora
