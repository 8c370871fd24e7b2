#include "common/unicode.h"

#include <gtest/gtest.h>

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
}

// What a figure inserted before it would run into: letters and digits of any script, but
// no punctuation, symbol, space or emoji.
TEST(LetterOrDigit, AnyScriptButNoPunctuationOrSymbol) {
    // é Σ Ж 택 ㄱ 一 カ １ ａ
    for (const char32_t c : {U'7', U'q', U'Z', U'\u00e9', U'\u03a3', U'\u0416', U'\ud0dd', U'\u3131', U'\u4e00',
                             U'\u30ab', U'\uff11', U'\uff41'})
        EXPECT_TRUE(is_letter_or_digit(c)) << std::hex << std::uint32_t{c};
    // no-break space, · × ₩ → — 、 ） ￦, the ideographic space, a combining acute, 😀 ① ㎎
    for (const char32_t c : {char32_t{0}, U' ',      U'\r',     U'(',      U',',          U'.',      U'-',
                             U'\u00a0',   U'\u00b7', U'\u00d7', U'\u20a9', U'\u2192',     U'\u2014', U'\u3001',
                             U'\uff09',   U'\uffe6', U'\u3000', U'\u0301', U'\U0001F600', U'\u2460', U'\u338e'})
        EXPECT_FALSE(is_letter_or_digit(c)) << std::hex << std::uint32_t{c};
}

}  // namespace
}  // namespace numvora
