#include "storage/document.h"

#include <gtest/gtest.h>

#include <random>

namespace numvora {
namespace {

const std::string HEADER = "format=Quorvex\nversion=1\n";

TEST(FormatDocument, WritesTheExactBytesAndAtMostTwentyRecords) {
    PadDocument d{"abc", "1+2", "1+2", "3", {{"1+2", "3"}}};
    EXPECT_EQ(format_document(d), HEADER +
                                      "memo=616263\nexpression=312b32\nlast_expression=312b32\n"
                                      "last_result=33\nhistory_record=312b32|33\n");
    EXPECT_EQ(format_document(PadDocument{}), HEADER + "memo=\nexpression=\nlast_expression=-\nlast_result=-\n");
    d.history.assign(25, {"1", "2"});
    EXPECT_EQ(parse_document(format_document(d))->history.size(), 20u);
}

TEST(ParseDocument, ToleratesLineEndsOrderAndUnknownKeys) {
    const std::pair<std::string, std::string> cases[] = {
        {"format=Quorvex\r\nversion=1\r\nmemo=616263\r\n", "abc"},
        {"memo=61\nmemo=6263\nformat=Quorvex\nformat=other\nversion=1", "bc"},
        {HEADER + " memo=zz\nMemo=zz\nnoise\n" + std::string("\xff\0", 2), ""},
        {HEADER + "memo=0a3d7c2d\n", "\n=|-"},
    };
    for (const auto& [text, memo] : cases) EXPECT_EQ(parse_document(text)->memo, memo) << testing::PrintToString(text);
    const auto parsed = parse_document(HEADER + "last_expression=\nlast_result=-\nhistory_record=|\n");
    EXPECT_EQ(parsed->last_expression, std::optional<std::string>(""));
    EXPECT_EQ(parsed->last_result, std::nullopt);
    EXPECT_EQ(parsed->history, (std::vector<HistoryRecord>{{"", ""}}));
}

TEST(ParseDocument, ReportsTheFirstErrorInFileOrderBeforeTheHeader) {
    const std::string hex = "저장 파일의 문자열 형식이 잘못되었습니다.";
    const std::string record = "계산 기록 형식이 잘못되었습니다.";
    const std::string header = "지원하지 않는 전체 내용 저장 파일입니다.";
    std::string twenty;
    for (int i = 0; i < 20; ++i) twenty += "history_record=31|32\n";
    const std::pair<std::string, std::string> cases[] = {
        {"", header},
        {"version=01\nformat=Quorvex\nmemo=616263\n", header},
        {"version= 1\nformat=quorvex\n", header},
        {"\xef\xbb\xbf" + HEADER, header},
        {"memo=616263 \n", hex},
        {"memo=6\n" + HEADER, hex},
        {HEADER + "last_result=--\n", hex},
        {HEADER + "history_record=3132\n", record},
        {HEADER + "history_record=31|32|33\n", hex},
        {"history_record=31\nmemo=6\n", record},
        {"memo=6\nhistory_record=31\n", hex},
        {HEADER + twenty.substr(21) + "history_record=bad\n", record},
        {HEADER + twenty + "history_record=bad\nhistory_record=\xff\n", ""},
    };
    for (const auto& [text, message] : cases) {
        const auto parsed = parse_document(text);
        EXPECT_EQ(parsed ? "" : parsed.error().message, message) << testing::PrintToString(text);
        EXPECT_TRUE(parsed || parsed.error().kind == StorageErrorKind::InvalidData);
    }
}

std::string random_text(std::mt19937& random) {
    static const std::string_view pieces[] = {"\n", "\r\n", "=", "|", "-", "a", "가", "\xf0\x9f\x92\xbe", " ", "2d"};
    std::string text;
    for (int i = static_cast<int>(random() % 12); i > 0; --i) text += pieces[random() % std::size(pieces)];
    return text;
}

TEST(ParseDocument, ReadsBackEveryFormattedDocument) {
    std::mt19937 random(3);
    for (int round = 0; round < 1000; ++round) {
        PadDocument d{random_text(random), random_text(random), {}, {}, {}};
        if (random() % 3) d.last_expression = random() % 4 ? random_text(random) : "-";
        if (random() % 3) d.last_result = random_text(random);
        for (int i = static_cast<int>(random() % 21); i > 0; --i)
            d.history.push_back({random_text(random), random_text(random)});
        const auto parsed = parse_document(format_document(d));
        ASSERT_TRUE(parsed) << format_document(d);
        EXPECT_EQ(parsed.value(), d) << format_document(d);
    }
}

TEST(ParseDocument, RandomBytesGiveADocumentOrAnError) {
    std::mt19937 random(11);
    const std::string_view pieces[] = {
        "format=Quorvex\n", "version=1\n", "memo=", "history_record=", "|", "\n", "6", "e"};
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int i = static_cast<int>(random() % 60); i > 0; --i) {
            if (random() % 4 == 0) {
                text += static_cast<char>(random() % 256);
            } else {
                text += pieces[random() % std::size(pieces)];
            }
        }
        const auto parsed = parse_document(text);
        EXPECT_TRUE(!parsed || parsed->history.size() <= 20u);
    }
}

TEST(DocumentPath, NameAndExtension) {
    const struct {
        const char* path;
        std::optional<std::string> name;
        bool accepted;
    } rows[] = {
        {"C:\\문서\\Ordenna.qvx", "Ordenna.qvx", true},
        {"a.QVX", "a.QVX", true},
        {"d/a.Qvx", "a.Qvx", true},
        {"C:\\x\\a.qvx\\", "a.qvx", true},
        {"a.qvx/.", "a.qvx", true},
        {"notes.txt", "notes.txt", false},
        {"a.qvx.txt", "a.qvx.txt", false},
        {"a.qv", "a.qv", false},
        {".qvx", ".qvx", false},
        {"notes", "notes", false},
        {"C:\\x\\..", std::nullopt, false},
        {"C:\\", std::nullopt, false},
        {"", std::nullopt, false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(last_path_component(row.path), row.name) << row.path;
        const auto checked = check_document_extension(row.path);
        EXPECT_EQ(checked.has_value(), row.accepted) << row.path;
        if (!checked) {
            EXPECT_EQ(display_text(checked.error()), "파일 확장자는 .qvx를 사용해 주세요.");
        }
    }
}

}  // namespace
}  // namespace numvora
