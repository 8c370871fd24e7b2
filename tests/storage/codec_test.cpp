#include "storage/text_codec.h"

#include <gtest/gtest.h>

#include "storage/file_primitives.h"

namespace numvora {
namespace {

using Lines = std::vector<std::string_view>;

TEST(SplitLines, CutsAfterLineFeedsAndDropsOneCarriageReturn) {
    const std::pair<std::string_view, Lines> cases[] = {
        {"a\r\nb\n", {"a", "b"}},
        {"a\r\r\nb", {"a\r", "b"}},
        {"a\rb", {"a\rb"}},
        {"", {}},
        {"\n", {""}},
        {"\n\n", {"", ""}},
        {"x\ny", {"x", "y"}},
        {"\r", {"\r"}},
        {"\r\n", {""}},
    };
    for (const auto& [text, lines] : cases) EXPECT_EQ(split_lines(text), lines) << testing::PrintToString(text);
}

TEST(SplitKeyValue, CutsAtTheFirstEqualsSign) {
    using Pair = std::pair<std::string_view, std::string_view>;
    EXPECT_EQ(split_key_value("memo=61=62"), (Pair{"memo", "61=62"}));
    EXPECT_EQ(split_key_value("=5"), (Pair{"", "5"}));
    EXPECT_EQ(split_key_value(" k = v "), (Pair{" k ", " v "}));
    EXPECT_EQ(split_key_value("memo"), std::nullopt);
}

TEST(HexText, EncodesLowerCaseAndDecodesEitherCase) {
    EXPECT_EQ(encode_hex_text("abc"), "616263");
    EXPECT_EQ(encode_hex_text("가"), "eab080");
    EXPECT_EQ(encode_hex_text("1+2"), "312b32");
    EXPECT_EQ(encode_hex_text(std::string_view("\0\xff", 2)), "00ff");
    EXPECT_EQ(encode_hex_text(""), "");
    const std::pair<std::string_view, std::string_view> good[] = {
        {"616263", "abc"}, {"EAB080", "가"}, {"eAb080", "가"}, {"", ""}, {"00", std::string_view("\0", 1)},
    };
    for (const auto& [value, text] : good) {
        const auto decoded = decode_hex_text(value);
        ASSERT_TRUE(decoded) << value;
        EXPECT_EQ(decoded.value(), text);
    }
    // Odd length, bad digits (sign, space, non-ASCII, letters past f), bad UTF-8.
    for (std::string_view bad : {"6", "6g", "+1", " 61", "61 ", "\xea\xb0", "ff", "c080", "eab0"}) {
        const auto decoded = decode_hex_text(bad);
        ASSERT_FALSE(decoded) << bad;
        EXPECT_EQ(decoded.error(), text_format_error());
    }
}

TEST(HexText, EveryTwoByteValueDecodesExactlyWhenBothAreDigitsOfAnAsciiByte) {
    const std::string digits = "0123456789abcdefABCDEF";
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const std::string value{static_cast<char>(a), static_cast<char>(b)};
            const bool hex = digits.find(value[0]) != std::string::npos && digits.find(value[1]) != std::string::npos;
            const auto decoded = decode_hex_text(value);
            if (!hex || std::stoi(value, nullptr, 16) >= 0x80) {
                EXPECT_FALSE(decoded) << a << "," << b;
            } else {
                ASSERT_TRUE(decoded) << a << "," << b;
                EXPECT_EQ(decoded.value(), std::string(1, static_cast<char>(std::stoi(value, nullptr, 16))));
            }
        }
    }
}

TEST(HexText, ABadDigitFarIntoALongValueIsFound) {
    std::string value = encode_hex_text(std::string(10000, 'x'));
    value[2 * 9000 + 1] = 'z';
    EXPECT_FALSE(decode_hex_text(value));
}

TEST(OptionalText, DashIsAbsentAndEmptyIsPresent) {
    EXPECT_EQ(encode_optional_text(std::nullopt), "-");
    EXPECT_EQ(encode_optional_text(std::string()), "");
    EXPECT_EQ(encode_optional_text(std::string("-")), "2d");
    EXPECT_EQ(decode_optional_text("-").value(), std::nullopt);
    EXPECT_EQ(decode_optional_text("").value(), std::optional<std::string>(""));
    EXPECT_EQ(decode_optional_text("2d").value(), std::optional<std::string>("-"));
    EXPECT_FALSE(decode_optional_text("--"));
    EXPECT_FALSE(decode_optional_text("- "));
}

TEST(ParseIntegers, AcceptOnlySignedAsciiDigitsInRange) {
    const std::pair<std::string_view, std::optional<std::int32_t>> i32_cases[] = {
        {"+15", 15}, {"-2147483648", INT32_MIN}, {"2147483647", INT32_MAX}, {"007", 7}, {"-0", 0},
        {"2147483648", std::nullopt}, {"-2147483649", std::nullopt}, {"99999999999999999999", std::nullopt},
        {"", std::nullopt}, {"+", std::nullopt}, {"-", std::nullopt}, {" 5", std::nullopt}, {"5 ", std::nullopt},
        {"1.0", std::nullopt}, {"+-1", std::nullopt}, {"--1", std::nullopt}, {"1e3", std::nullopt},
        {"\xef\xbc\x91", std::nullopt},  // a full-width digit
    };
    for (const auto& [value, expected] : i32_cases) EXPECT_EQ(parse_i32(value), expected) << value;
    const std::pair<std::string_view, std::optional<std::uint8_t>> u8_cases[] = {
        {"255", 255}, {"256", std::nullopt}, {"+7", 7}, {"-1", std::nullopt}, {"-0", std::nullopt},
        {"0070", 70}, {"0", 0}, {"", std::nullopt}, {"+", std::nullopt}, {"4294967337", std::nullopt},
    };
    for (const auto& [value, expected] : u8_cases) EXPECT_EQ(parse_u8(value), expected) << value;
}

TEST(TrimWhitespace, RemovesUnicodeWhiteSpaceButNotTheByteOrderMark) {
    EXPECT_EQ(trim_whitespace(" \t\xe3\x80\x80x y\xc2\xa0\r\n"), "x y");
    EXPECT_EQ(trim_whitespace("\xef\xbb\xbfkey "), "\xef\xbb\xbfkey");
    EXPECT_EQ(trim_whitespace(" \xe2\x80\xa8 "), "");
}

TEST(StorageErrorText, MessageAloneOrSystemTextWithTheCode) {
    EXPECT_EQ(display_text(text_format_error()), "저장 파일의 문자열 형식이 잘못되었습니다.");
    const StorageError denied = make_os_error(13);  // EACCES on POSIX, ERROR_INVALID_DATA on Windows
    EXPECT_EQ(denied.kind, StorageErrorKind::Os);
    const std::string text = display_text(denied);
    EXPECT_EQ(text, file_primitives::os_message(13) + " (os error 13)");
    EXPECT_GT(text.size(), std::string(" (os error 13)").size());
    // A missing file keeps its code, so it still shows the system's text.
    const StorageError missing = make_os_error(2);
    EXPECT_EQ(missing.kind, StorageErrorKind::NotFound);
    EXPECT_EQ(display_text(missing), file_primitives::os_message(2) + " (os error 2)");
}

}  // namespace
}  // namespace numvora
