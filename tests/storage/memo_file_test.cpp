// memo.txt is never overwritten blindly: an unreadable file is set aside, another
// writer's content is kept, and the combined save keeps the memo when the settings
// cannot be captured.
#include "storage/memo_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <regex>

#include "storage/combined_save.h"
#include "storage/files/file_io.h"
#include "storage/history/memo_history.h"

namespace numvora {
namespace {

namespace fs = std::filesystem;

class MemoFileTest : public testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        root_ = fs::temp_directory_path() / ("numvora-memo-" + std::to_string(seed()) + std::to_string(seed()));
        const fs::path folder = root_ / "Numvora";
        paths_ = {folder.string(), (folder / "memo.txt").string(), (folder / "settings.txt").string(),
                  (folder / "preferences.txt").string()};
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    void put_memo(std::string_view bytes) const {
        fs::create_directories(paths_.folder);
        std::ofstream(paths_.memo_file, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    static std::string bytes_of(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::vector<std::string> others() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(paths_.folder))
            if (entry.path().filename() != "memo.txt") names.push_back(entry.path().filename().string());
        return names;
    }
    // As the history's worker keeps what memo.txt held: another writer's text as a
    // conflict copy beside it.
    StorageResult<std::optional<std::string>> keep(const std::string& held, bool changed_elsewhere) const {
        if (!changed_elsewhere) return std::optional<std::string>();
        auto copy = write_conflict_copy(paths_.folder, held);
        if (!copy) return fail(copy.error());
        return std::optional<std::string>(std::move(copy).value());
    }
    const MemoFile::KeepHeld keeping = [this](const std::string& held, bool changed_elsewhere) {
        return keep(held, changed_elsewhere);
    };
    fs::path root_;
    DataPaths paths_;
};

TEST_F(MemoFileTest, OpensWhatIsThereAndNothingWhenMissing) {
    MemoFile missing(paths_);
    const MemoFile::Opened nothing = missing.open();
    EXPECT_EQ(nothing.text, "");
    EXPECT_FALSE(nothing.unreadable || nothing.set_aside);
    ASSERT_TRUE(missing.write("first", keeping));  // creates the folder
    MemoFile again(paths_);
    EXPECT_EQ(again.open().text, "first");
    const auto written = again.write("second", keeping);
    ASSERT_TRUE(written);
    EXPECT_FALSE(written->kept_conflict || written->set_aside);
    EXPECT_EQ(bytes_of(paths_.memo_file), "second");
    // What memo.txt holds already is not written again, so a full disk cannot fail it.
    WriteCalls full;
    full.write_some = [](const file_primitives::OpenFile&, const char*, std::size_t) -> StorageResult<std::size_t> {
        return fail(make_storage_error(StorageErrorKind::Other, "full"));
    };
    MemoFile unchanged(paths_, full);
    unchanged.open();
    EXPECT_TRUE(unchanged.write("second", keeping));
    EXPECT_FALSE(unchanged.write("third", keeping));
}

// A memo saved as CP949 by another editor is moved aside whole before anything writes.
TEST_F(MemoFileTest, AnUnreadableMemoIsSetAsideBeforeAnyWrite) {
    const std::string cp949 = "\xb8\xde\xb8\xf0 \xc7\xd5\xb0\xe8";
    put_memo(cp949);
    MemoFile memo(paths_);
    const MemoFile::Opened opened = memo.open();
    EXPECT_EQ(opened.text, "");
    ASSERT_TRUE(opened.unreadable);
    EXPECT_EQ(display_text(*opened.unreadable), "stream did not contain valid UTF-8");
    ASSERT_TRUE(opened.set_aside);
    EXPECT_TRUE(std::regex_match(fs::path(*opened.set_aside).filename().string(),
                                 std::regex(R"(memo\.unreadable-\d{8}-\d{6}\.txt)")));
    EXPECT_EQ(bytes_of(*opened.set_aside), cp949);
    ASSERT_TRUE(memo.write("new", keeping));
    EXPECT_EQ(bytes_of(*opened.set_aside), cp949);
    EXPECT_EQ(bytes_of(paths_.memo_file), "new");
    EXPECT_EQ(others().size(), 1u);
}

// Two windows share memo.txt: the one that closes last must not write its stale text
// over the other's without keeping it.
TEST_F(MemoFileTest, AnotherWritersMemoIsKeptBeforeItIsReplaced) {
    put_memo("shared");
    MemoFile older(paths_);
    MemoFile newer(paths_);
    older.open();
    newer.open();
    ASSERT_TRUE(newer.write("typed in the newer window", keeping));
    // Where it cannot be kept, it stays.
    const auto refused = [](const std::string&, bool) -> StorageResult<std::optional<std::string>> {
        return fail(make_storage_error(StorageErrorKind::Other, "no room"));
    };
    EXPECT_FALSE(older.write("shared, as the older window shows it", refused));
    EXPECT_EQ(bytes_of(paths_.memo_file), "typed in the newer window");
    const auto written = older.write("shared, as the older window shows it", keeping);
    ASSERT_TRUE(written);
    ASSERT_TRUE(written->kept_conflict);
    EXPECT_TRUE(std::regex_match(fs::path(*written->kept_conflict).filename().string(),
                                 std::regex(R"(memo\.conflict-\d{8}-\d{6}\.txt)")));
    EXPECT_EQ(bytes_of(*written->kept_conflict), "typed in the newer window");
    EXPECT_EQ(bytes_of(paths_.memo_file), "shared, as the older window shows it");
    // Its own content again: nothing more is kept. A file created meanwhile is kept.
    EXPECT_FALSE(older.write("again", keeping)->kept_conflict);
    MemoFile first_run(paths_);
    fs::remove(paths_.memo_file);
    first_run.open();
    put_memo("appeared");
    EXPECT_TRUE(first_run.write("mine", keeping)->kept_conflict);
    EXPECT_EQ(others().size(), 2u);
}

TEST(CombinedSave, AFailedCaptureDoesNotCostTheMemo) {
    const StorageError capture = make_storage_error(StorageErrorKind::Other, "capture");
    const StorageError memo_error = make_storage_error(StorageErrorKind::Os, "memo");
    const StorageError settings_error = make_storage_error(StorageErrorKind::Os, "settings");
    const struct {
        bool memo_ok;
        bool captured;
        bool settings_ok;
        std::optional<StorageError> result;
        int settings_writes;
    } rows[] = {
        {true, true, true, std::nullopt, 1}, {true, false, true, capture, 0},        {false, true, true, memo_error, 1},
        {false, false, true, memo_error, 0}, {true, true, false, settings_error, 1},
    };
    for (const auto& row : rows) {
        int memo_writes = 0;
        int settings_writes = 0;
        const auto result = save_memo_and_settings(
            [&]() -> Result<void, StorageError> {
                ++memo_writes;
                if (!row.memo_ok) return fail(memo_error);
                return {};
            },
            row.captured ? Result<AppSettings, StorageError>(AppSettings{})
                         : Result<AppSettings, StorageError>(fail(capture)),
            [&](const AppSettings&) -> Result<void, StorageError> {
                ++settings_writes;
                if (!row.settings_ok) return fail(settings_error);
                return {};
            });
        EXPECT_EQ(memo_writes, 1);
        EXPECT_EQ(settings_writes, row.settings_writes);
        EXPECT_EQ(result ? std::nullopt : std::optional<StorageError>(result.error()), row.result);
    }
}

}  // namespace
}  // namespace numvora
