#include "common/unicode.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace numvora {
namespace {

std::vector<char32_t> decode_all(std::string_view text) {
    std::vector<char32_t> out;
    for (std::size_t pos = 0; pos < text.size();) out.push_back(decode_utf8(text, pos));
    return out;
}

TEST(Utf8Decode, WellFormedAndMalformedSequences) {
    struct Case {
        std::string_view bytes;
        std::vector<char32_t> scalars;
    };
    const Case cases[] = {
        {"a\xea\xb0\x80", {U'a', 0xAC00}},
        {"\xf0\x9f\x92\xbe", {0x1F4BE}},
        {"\xc3", {0xFFFD}},                                      // truncated
        {"\xc0\xaf", {0xFFFD, 0xFFFD}},                          // overlong
        {"\xed\xa0\x80", {0xFFFD, 0xFFFD, 0xFFFD}},              // UTF-16 surrogate
        {"\xf4\x90\x80\x80", {0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD}},  // above U+10FFFF
        {"\xe2\x80", {0xFFFD, 0xFFFD}},                          // truncated at the end
        {"\xff"
         "1",
         {0xFFFD, U'1'}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(decode_all(c.bytes), c.scalars) << testing::PrintToString(c.bytes);
        EXPECT_EQ(is_valid_utf8(c.bytes), c.scalars.end() == std::find(c.scalars.begin(), c.scalars.end(), 0xFFFD));
    }
}

TEST(Utf8Encode, RoundTripsEveryPlaneAndReplacesSurrogates) {
    for (char32_t c : {char32_t{0x7F}, char32_t{0x80}, char32_t{0x7FF}, char32_t{0x800}, char32_t{0xFFFF},
                       char32_t{0x10000}, char32_t{0x10FFFF}}) {
        std::string s;
        append_utf8(s, c);
        std::size_t pos = 0;
        EXPECT_EQ(decode_utf8(s, pos), c);
        EXPECT_EQ(pos, s.size());
    }
    std::string s;
    append_utf8(s, 0xD800);
    EXPECT_EQ(s, "\xef\xbf\xbd");
}

TEST(TrimWhiteSpace, RemovesOnlyWhiteSpaceAtTheEnds) {
    EXPECT_EQ(trim_white_space(" \t\u3000a b\u00a0\r\n"), "a b");
    EXPECT_EQ(trim_white_space("\u2028\u205f"), "");
    EXPECT_EQ(trim_white_space("\xef\xbb\xbfx "), "\xef\xbb\xbfx");                           // a byte-order mark stays
    EXPECT_EQ(trim_white_space("x\xe2\xe2\x80\xa8 \xe2\x80"), "x\xe2\xe2\x80\xa8 \xe2\x80");  // cut, no space
    EXPECT_EQ(trim_white_space("\xe2\xe2\x80\xa8\u3000"), "\xe2");  // a stray lead byte before a space
    EXPECT_EQ(trim_white_space(" \xff "), "\xff");
    // Every scalar at both ends: white space goes, anything else stays.
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        std::string s;
        append_utf8(s, c);
        const std::string text = s + "a" + s;
        const std::string_view trimmed = trim_white_space(text);
        if (trimmed != (is_white_space(c) ? std::string_view("a") : std::string_view(text)))
            ADD_FAILURE() << std::hex << std::uint32_t{c};
    }
}

TEST(ByteSearch, FirstByteOfASetFirstWordAndFirstLineBreak) {
    constexpr std::size_t none = std::string_view::npos;
    const struct {
        std::string_view text, bytes;
        std::size_t at;
    } bytes[] = {{"점심 12원", "0123456789", 7},
                 {"없음", "0123456789", none},
                 {"a:b=c", "=:", 1},
                 {"a=b:c", "=:", 1},
                 {"\xff\x80", "\x80", 1},
                 {"abc", "", none},
                 {"", "a", none}};
    for (const auto& row : bytes) EXPECT_EQ(find_byte_of(row.text, row.bytes), row.at) << row.text;
    const struct {
        std::string_view text, word;
        std::size_t from, at;
    } words[] = {{"월세 55만원 관리비 5만원", "만원", 0, 9},
                 {"월세 55만원 관리비 5만원", "만원", 10, 27},
                 {"n빵 4명", "n빵", 0, 0},
                 {"시간 시급 9,860", "시급", 0, 7},
                 {"시시급", "시급", 0, 3},
                 {"aab", "ab", 0, 1},
                 {"시급", "시급", 1, none},
                 {"점심", "원", 0, none},
                 {"원", "만원", 0, none},
                 {"abc", "", 2, 2},
                 {"abc", "c", 9, none}};
    for (const auto& row : words) EXPECT_EQ(find_text(row.text, row.word, row.from), row.at) << row.text << row.word;
    const struct {
        std::string_view text;
        std::size_t at;
    } breaks[] = {{"ab\r\ncd", 2},
                  {"ab\nc", 2},
                  {"a\vb", 1},
                  {"a\fb", 1},
                  {"x\u0085y", 1},
                  {"x\u2028y", 1},
                  {"x\u2029y", 1},
                  {"x\u2027y", none},
                  {"x\u00a0y", none},
                  {"x\xc2", none},
                  {"x\xe2\x80", none},
                  {"월세 55만", none},
                  {"12345678 1234\r567", 13},
                  {"12345678 1\u2028 567", 10},
                  {"12345678 1\u0085 5678", 10},
                  {"12345678 1\r", 10},
                  {"123456789\u2028", 9}};
    for (const auto& row : breaks) EXPECT_EQ(find_line_break(row.text), row.at) << row.text;
}

// What a figure inserted before it would run into: letters and digits of any script
// (é Σ Ж 택 ㄱ 一 カ １ ａ), but no space, punctuation, symbol or emoji.
TEST(LetterOrDigit, AnyScriptButNoPunctuationOrSymbol) {
    for (const char32_t c : {U'7', U'Z', U'é', U'Σ', U'Ж', U'택', U'ㄱ', U'一', U'カ', U'１', U'ａ'})
        EXPECT_TRUE(is_letter_or_digit(c)) << std::hex << std::uint32_t{c};
    for (const char32_t c : {char32_t{0}, U' ', U'\r', U'(',  U',',  U'-',      U'\u00a0', U'·', U'×', U'₩',
                             U'→',        U'—', U'、', U'）', U'￦', U'\u3000', U'\u0301', U'😀', U'①', U'㎎'})
        EXPECT_FALSE(is_letter_or_digit(c)) << std::hex << std::uint32_t{c};
}

}  // namespace
}  // namespace numvora
