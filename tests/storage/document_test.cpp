#include "storage/document.h"

#include <gtest/gtest.h>

#include <random>

namespace numvora {
namespace {

const std::string HEADER = "format=Quorvex\nversion=1\n";

std::string history_lines(int count, std::string_view value) {
    std::string out;
    for (int i = 0; i < count; ++i) out += "history_record=" + std::string(value) + "\n";
    return out;
}

std::string error_of(std::string_view text) {
    const auto parsed = parse_document(text);
    if (parsed) return "(parsed)";
    EXPECT_EQ(parsed.error().kind, StorageErrorKind::InvalidData);
    return parsed.error().message;
}

TEST(FormatDocument, WritesTheExactBytes) {
    PadDocument d{"abc", "1+2", "1+2", "3", {{"1+2", "3"}}};
    EXPECT_EQ(format_document(d), HEADER + "memo=616263\nexpression=312b32\nlast_expression=312b32\n"
                                           "last_result=33\nhistory_record=312b32|33\n");
    EXPECT_EQ(format_document(PadDocument{}),
              HEADER + "memo=\nexpression=\nlast_expression=-\nlast_result=-\n");
}

TEST(FormatDocument, WritesAtMostTwentyRecords) {
    PadDocument d;
    for (int i = 0; i < 25; ++i) d.history.push_back({std::to_string(i), "r"});
    const std::string text = format_document(d);
    const auto parsed = parse_document(text);
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->history.size(), 20u);
    EXPECT_EQ(parsed->history.back().expression, "19");
}

TEST(ParseDocument, ReadsToleratedVariants) {
    const auto memo_of = [](std::string_view text) {
        const auto parsed = parse_document(text);
        return parsed ? parsed->memo : "error: " + parsed.error().message;
    };
    EXPECT_EQ(memo_of(HEADER + "memo=616263\n"), "abc");
    EXPECT_EQ(memo_of("format=Quorvex\r\nversion=1\r\nmemo=616263\r\n"), "abc");
    EXPECT_EQ(memo_of("memo=61\nmemo=6263\nformat=Quorvex\nformat=other\nversion=1"), "bc");
    EXPECT_EQ(memo_of(HEADER + " memo=zz\nMemo=zz\nnoise\n"), "");
    EXPECT_EQ(memo_of(HEADER + "memo=0a3d7c2d\n"), "\n=|-");
    const auto parsed = parse_document(HEADER + "last_expression=\nlast_result=-\nhistory_record=|\n");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->last_expression, std::optional<std::string>(""));
    EXPECT_EQ(parsed->last_result, std::nullopt);
    EXPECT_EQ(parsed->history, (std::vector<HistoryRecord>{{"", ""}}));
}

TEST(ParseDocument, ReportsTheFirstErrorInFileOrderBeforeTheHeader) {
    const std::string hex = "저장 파일의 문자열 형식이 잘못되었습니다.";
    const std::string record = "계산 기록 형식이 잘못되었습니다.";
    const std::string header = "지원하지 않는 전체 내용 저장 파일입니다.";
    const std::pair<std::string, std::string> cases[] = {
        {"", header},
        {"memo=616263\n", header},
        {"version=01\nformat=Quorvex\n", header},
        {"version= 1\nformat=Quorvex\n", header},
        {"format=quorvex\nversion=1\n", header},
        {"\xef\xbb\xbf" + HEADER, header},
        {"memo=616263 \n", hex},
        {"memo=6\n" + HEADER, hex},
        {HEADER + "expression=ff\n", hex},
        {HEADER + "last_result=--\n", hex},
        {HEADER + "history_record=3132\n", record},
        {HEADER + "history_record=31|32|33\n", hex},
        {HEADER + "history_record=3g|32\n", hex},
        {"history_record=31\nmemo=6\n", record},
        {"memo=6\nhistory_record=31\n", hex},
        {HEADER + history_lines(19, "31|32") + "history_record=bad\n", record},
        {HEADER + history_lines(20, "31|32") + "history_record=bad\nhistory_record=\xff\n", "(parsed)"},
        {std::string("\xff\xfe\x00\x01", 4) + "\n" + HEADER, "(parsed)"},
    };
    for (const auto& [text, message] : cases) EXPECT_EQ(error_of(text), message) << testing::PrintToString(text);
}

std::string random_text(std::mt19937& random) {
    static const std::string_view pieces[] = {"\n", "\r\n", "=", "|", "-", "a", "1+2", "가", "\xf0\x9f\x92\xbe",
                                              "\xc3\xa9", " ", "\t", "2d", "\r"};
    std::string text;
    const int count = static_cast<int>(random() % 12);
    for (int i = 0; i < count; ++i) text += pieces[random() % std::size(pieces)];
    return text;
}

TEST(ParseDocument, ReadsBackEveryFormattedDocument) {
    std::mt19937 random(3);
    for (int round = 0; round < 1000; ++round) {
        PadDocument d;
        d.memo = random_text(random);
        d.expression = random_text(random);
        if (random() % 3) d.last_expression = random() % 4 ? random_text(random) : "-";
        if (random() % 3) d.last_result = random_text(random);
        const int records = static_cast<int>(random() % 22) - 1;
        for (int i = 0; i < records && i < 20; ++i) d.history.push_back({random_text(random), random_text(random)});
        const auto parsed = parse_document(format_document(d));
        ASSERT_TRUE(parsed) << format_document(d);
        EXPECT_EQ(parsed.value(), d) << format_document(d);
    }
}

TEST(ParseDocument, RandomBytesGiveADocumentOrAnError) {
    std::mt19937 random(11);
    const std::string_view pieces[] = {"format=Quorvex\n", "version=1\n", "memo=", "history_record=", "last_result=",
                                       "|", "-", "\n", "\r\n", "6", "1", "e", "a", "\xff"};
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 60);
        for (int i = 0; i < length; ++i) {
            if (random() % 4 == 0) {
                text += static_cast<char>(random() % 256);
            } else {
                text += pieces[random() % std::size(pieces)];
            }
        }
        const auto parsed = parse_document(text);
        if (parsed) {
            EXPECT_LE(parsed->history.size(), 20u);
        }
    }
}

}  // namespace
}  // namespace numvora
