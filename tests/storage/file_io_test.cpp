#include "storage/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "storage/data_paths.h"
#include "storage/settings.h"
#include "storage/write_fault.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/windows/wide_text.h"
#else
#include <cstdlib>
#endif

namespace numvora {
namespace {

namespace fs = std::filesystem;

fs::path fs_path(const std::string& utf8) {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string utf8_of(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

// Sets (or with nullopt removes) LOCALAPPDATA in this process; Wine ignores the
// variable of the Linux side, so tests set it here.
void set_local_app_data(const std::optional<std::string>& value) {
#ifdef _WIN32
    SetEnvironmentVariableW(L"LOCALAPPDATA", value ? to_wide(*value).c_str() : nullptr);
    if (value && value->empty()) SetEnvironmentVariableW(L"LOCALAPPDATA", L"");
#else
    if (value) setenv("LOCALAPPDATA", value->c_str(), 1);
    else unsetenv("LOCALAPPDATA");
#endif
}

// A fresh folder per test, unique per run, with a non-ASCII name so that every path
// goes through the wide conversion on Windows.
class FileTest : public testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        root_ = fs::temp_directory_path() /
                fs_path("numvora-저장-" + std::to_string(seed()) + "-" + std::to_string(seed()));
        fs::create_directories(root_);
    }
    void TearDown() override {
        set_write_fault_hook(nullptr);
        std::error_code ignored;
        for (const auto& entry : fs::recursive_directory_iterator(root_, ignored))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(root_, ignored);
    }
    std::string path(const std::string& name) const { return utf8_of(root_ / fs_path(name)); }
    std::vector<std::string> names_in(const std::string& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(fs_path(folder))) names.push_back(utf8_of(entry.path().filename()));
        std::sort(names.begin(), names.end());
        return names;
    }
    void put_bytes(const std::string& file, std::string_view bytes) const {
        std::ofstream out(fs_path(file), std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::string root() const { return utf8_of(root_); }

private:
    fs::path root_;
};

TEST_F(FileTest, ResolvesTheDataPathsFromTheEnvironmentOnly) {
    set_local_app_data(std::nullopt);
    const auto missing = resolve_data_paths();
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().kind, StorageErrorKind::NotFound);
    EXPECT_EQ(display_text(missing.error()), "LOCALAPPDATA 환경 변수를 찾을 수 없습니다.");

    const std::string base = path("not-created");
    set_local_app_data(base);
    const auto paths = resolve_data_paths();
    ASSERT_TRUE(paths);
    const fs::path folder = fs_path(base) / "Numvora";
    EXPECT_EQ(paths->folder, utf8_of(folder));
    EXPECT_EQ(paths->memo_file, utf8_of(folder / "memo.txt"));
    EXPECT_EQ(paths->settings_file, utf8_of(folder / "settings.txt"));
    EXPECT_FALSE(fs::exists(fs_path(base)));

    set_local_app_data(base + utf8_of(fs::path("/").make_preferred()));  // a trailing separator is kept as is
    EXPECT_EQ(resolve_data_paths()->folder, paths->folder);
}

TEST_F(FileTest, ReadsBytesExactlyAndRefusesNonUtf8) {
    const std::string file = path("memo.txt");
    put_bytes(file, "\xef\xbb\xbfline\r\n가\r");
    EXPECT_EQ(read_text(file).value(), "\xef\xbb\xbfline\r\n가\r");
    for (std::string_view bad : {"\xff", "abc\xea\xb0", "\xc0\x80"}) {
        put_bytes(file, bad);
        for (const auto& result : {read_text(file), read_text_or_empty(file)}) {
            ASSERT_FALSE(result);
            EXPECT_EQ(result.error(), make_storage_error(StorageErrorKind::InvalidData,
                                                         "stream did not contain valid UTF-8"));
        }
    }
}

TEST_F(FileTest, OnlyAMissingFileOrFolderReadsAsEmpty) {
    for (const std::string& missing : {path("none.txt"), path("no-folder/none.txt")}) {
        const auto read = read_text(missing);
        ASSERT_FALSE(read);
        EXPECT_EQ(read.error().kind, StorageErrorKind::NotFound);
        EXPECT_TRUE(display_text(read.error()).ends_with("(os error " + std::to_string(read.error().os_code) + ")"));
        EXPECT_EQ(read_text_or_empty(missing).value(), "");
    }
    const auto folder = read_text_or_empty(root());  // a folder is not a missing file
    ASSERT_FALSE(folder);
    EXPECT_EQ(folder.error().kind, StorageErrorKind::Os);
}

TEST_F(FileTest, WritesCreateMissingFoldersAndReplaceWholeFiles) {
    const std::string folder = path("a/b/Numvora");
    const std::string file = utf8_of(fs_path(folder) / "memo.txt");
    ASSERT_TRUE(write_data_file(folder, file, "first\r\nversion"));
    EXPECT_EQ(read_text(file).value(), "first\r\nversion");
    ASSERT_TRUE(write_data_file(folder, file, ""));  // existing folder, shorter text
    EXPECT_EQ(read_text(file).value(), "");
    EXPECT_EQ(names_in(folder), std::vector<std::string>{"memo.txt"});

    const DataPaths paths{folder, file, utf8_of(fs_path(folder) / "settings.txt")};
    AppSettings settings;
    settings.window_x = -7;
    ASSERT_TRUE(save_settings(paths, settings));
    EXPECT_EQ(load_settings(paths.settings_file).value(), settings);
    EXPECT_EQ(load_settings(path("none.txt")).value(), AppSettings{});
}

TEST_F(FileTest, AFileInPlaceOfTheFolderFailsEveryWrite) {
    const std::string blocker = path("Numvora");
    put_bytes(blocker, "not a folder");
    for (const std::string& folder : {blocker, utf8_of(fs_path(blocker) / "inner")}) {
        const auto written = write_data_file(folder, utf8_of(fs_path(folder) / "memo.txt"), "x");
        ASSERT_FALSE(written);
        EXPECT_TRUE(is_os_error(written.error()));
    }
    EXPECT_EQ(read_text(blocker).value(), "not a folder");
    EXPECT_EQ(names_in(root()), std::vector<std::string>{"Numvora"});
}

TEST_F(FileTest, AReadOnlyTargetKeepsItsContent) {
    const std::string file = path("settings.txt");
    put_bytes(file, "old");
    fs::permissions(fs_path(file), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const auto written = write_text_file(file, "new");
    ASSERT_FALSE(written);
    EXPECT_EQ(written.error().kind, StorageErrorKind::Os);
    EXPECT_EQ(read_text(file).value(), "old");
    EXPECT_EQ(names_in(root()), std::vector<std::string>{"settings.txt"});
}

TEST_F(FileTest, AFolderAsTargetFailsAndLeavesNothingBehind) {
    const std::string target = path("memo.txt");
    fs::create_directory(fs_path(target));
    const auto written = write_text_file(target, "text");
    ASSERT_FALSE(written);
    EXPECT_TRUE(is_os_error(written.error()));
    EXPECT_EQ(names_in(root()), std::vector<std::string>{"memo.txt"});
}

WriteStage failing_stage;
fs::path fault_folder;
std::uintmax_t temp_size_at_fault = 0;
std::optional<StorageError> fail_at_stage(WriteStage stage) {
    if (stage != failing_stage) return std::nullopt;
    for (const auto& entry : fs::directory_iterator(fault_folder))
        if (entry.path().extension() == ".tmp") temp_size_at_fault = entry.file_size();
    return make_storage_error(StorageErrorKind::WriteZero, "failed to write whole buffer");
}

TEST_F(FileTest, AWriteThatFailsMidwayLeavesTheOldContentAndNoTemporaryFile) {
    const std::string file = path("memo.txt");
    const std::string old_text = "old memo\n" + std::string(100000, 'o');
    const std::string new_text = std::string(300000, 'n');
    set_write_fault_hook(fail_at_stage);
    for (const WriteStage stage : {WriteStage::TempCreated, WriteStage::HalfWritten, WriteStage::Flushed}) {
        failing_stage = stage;
        fault_folder = fs_path(root());
        put_bytes(file, old_text);
        const auto written = write_text_file(file, new_text);
        ASSERT_FALSE(written);
        // The fault really struck with the temporary file partly or fully written.
        const std::uintmax_t expected_size[] = {0, new_text.size() / 2, new_text.size()};
        EXPECT_EQ(temp_size_at_fault, expected_size[static_cast<int>(stage)]);
        EXPECT_EQ(written.error().kind, StorageErrorKind::WriteZero);
        EXPECT_EQ(read_text(file).value(), old_text);
        EXPECT_EQ(names_in(root()), std::vector<std::string>{"memo.txt"});
        // Without an old file nothing at all is left.
        const std::string fresh = path("fresh.txt");
        ASSERT_FALSE(write_text_file(fresh, new_text));
        EXPECT_EQ(names_in(root()), std::vector<std::string>{"memo.txt"});
    }
    set_write_fault_hook(nullptr);
    ASSERT_TRUE(write_text_file(file, new_text));
    EXPECT_EQ(read_text(file).value(), new_text);
    EXPECT_EQ(names_in(root()), std::vector<std::string>{"memo.txt"});
}

}  // namespace
}  // namespace numvora
