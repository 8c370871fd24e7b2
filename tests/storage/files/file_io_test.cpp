#include "storage/files/file_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include "storage/files/data_paths.h"
#include "storage/memo_file.h"
#include "storage/settings.h"

#ifdef _WIN32
#include <windows.h>

#include "common/win32/wide_text.h"
#else
#include <cstdlib>
#endif

namespace numvora {
namespace {

namespace fs = std::filesystem;

fs::path fs_path(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

std::string utf8_of(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// Wine ignores the variable of the Linux side, so tests set it in the process.
void set_local_app_data(const char* value) {
#ifdef _WIN32
    SetEnvironmentVariableW(L"LOCALAPPDATA", value ? to_wide(value).c_str() : nullptr);
#else
    if (value)
        setenv("LOCALAPPDATA", value, 1);
    else
        unsetenv("LOCALAPPDATA");
#endif
}

// A fresh folder per test, unique per run; its non-ASCII name sends every path
// through the wide conversion on Windows.
class FileTest : public testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        root_ = fs::temp_directory_path() / fs_path("numvora-저장-" + std::to_string(seed()) + std::to_string(seed()));
        fs::create_directories(root_);
    }
    void TearDown() override {
        std::error_code ignored;
        for (const auto& entry : fs::recursive_directory_iterator(root_, ignored))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(root_, ignored);
    }
    std::string path(const std::string& name) const { return utf8_of(root_ / fs_path(name)); }
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(root_)) found.push_back(utf8_of(entry.path().filename()));
        std::sort(found.begin(), found.end());
        return found;
    }
    void put(const std::string& file, std::string_view bytes) const {
        std::ofstream(fs_path(file), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    fs::path root_;
};

TEST_F(FileTest, ResolvesTheDataPathsFromTheEnvironmentOrBesideAPortableProgram) {
    set_local_app_data(nullptr);
    EXPECT_EQ(display_text(resolve_data_paths().error()), "LOCALAPPDATA 환경 변수를 찾을 수 없습니다.");
    const std::string base = path("not-created");
    set_local_app_data(base.c_str());
    const auto paths = resolve_data_paths();
    const fs::path folder = fs_path(base) / "Numvora";
    EXPECT_EQ(paths.value(), (DataPaths{utf8_of(folder), utf8_of(folder / "memo.txt"), utf8_of(folder / "settings.txt"),
                                        utf8_of(folder / "preferences.txt")}));
    EXPECT_FALSE(fs::exists(fs_path(base)));
    set_local_app_data((base + utf8_of(fs::path("/").make_preferred())).c_str());  // ends with a separator
    EXPECT_EQ(resolve_data_paths()->folder, paths->folder);

    // A portable copy keeps its data beside the program, LOCALAPPDATA or not.
    const std::string program = path("usb");
    const fs::path beside = fs_path(program) / "data";
    for (const char* local : {base.c_str(), static_cast<const char*>(nullptr)}) {
        set_local_app_data(local);
        EXPECT_EQ(resolve_data_paths({program, true}).value(),
                  (DataPaths{utf8_of(beside), utf8_of(beside / "memo.txt"), utf8_of(beside / "settings.txt"),
                             utf8_of(beside / "preferences.txt")}));
    }
    set_local_app_data(base.c_str());
    EXPECT_EQ(resolve_data_paths({program, false}).value(), paths.value());  // no marker
    EXPECT_EQ(resolve_data_paths({"", true}).value(), paths.value());        // a program without a known folder
    EXPECT_FALSE(fs::exists(fs_path(program)));
}

TEST_F(FileTest, ReadsBytesExactlyAndOnlyAMissingFileAsEmpty) {
    const std::string file = path("memo.txt");
    put(file, "\xef\xbb\xbfline\r\n가\r");
    EXPECT_EQ(read_text(file).value(), "\xef\xbb\xbfline\r\n가\r");
    const StorageError not_utf8 =
        make_storage_error(StorageErrorKind::InvalidData, "stream did not contain valid UTF-8");
    for (std::string_view bad : {"\xff", "abc\xea\xb0", "\xc0\x80"}) {
        put(file, bad);
        EXPECT_EQ(read_text(file).error(), not_utf8);
        EXPECT_EQ(read_text_or_empty(file).error(), not_utf8);
    }
    for (const std::string& missing : {path("none.txt"), path("no-folder/none.txt")}) {
        EXPECT_EQ(read_text(missing).error().kind, StorageErrorKind::NotFound);
        EXPECT_EQ(read_text_or_empty(missing).value(), "");
    }
    EXPECT_EQ(read_text_or_empty(utf8_of(root_)).error().kind, StorageErrorKind::Os);  // a folder
}

TEST_F(FileTest, WritesCreateMissingFoldersAndReplaceWholeFiles) {
    const std::string folder = path("a/b/Numvora");
    const DataPaths paths{folder, utf8_of(fs_path(folder) / "memo.txt"), utf8_of(fs_path(folder) / "settings.txt"),
                          utf8_of(fs_path(folder) / "preferences.txt")};
    ASSERT_TRUE(write_data_file(folder, paths.memo_file, "first\r\nversion"));
    EXPECT_EQ(read_text(paths.memo_file).value(), "first\r\nversion");
    ASSERT_TRUE(write_data_file(folder, paths.memo_file, ""));
    EXPECT_EQ(read_text(paths.memo_file).value(), "");
    AppSettings settings;
    settings.window_x = -7;
    ASSERT_TRUE(save_settings(paths, settings));
    EXPECT_EQ(load_settings(paths.settings_file).value(), settings);
    EXPECT_EQ(load_settings(path("none.txt")).value(), AppSettings{});
    EXPECT_EQ(std::distance(fs::directory_iterator(fs_path(folder)), {}), 2);
}

TEST_F(FileTest, WritesThatCannotReplaceTheTargetLeaveEverythingAsItWas) {
    const std::string blocker = path("Numvora");  // a file where the data folder should be
    put(blocker, "not a folder");
    for (const std::string& folder : {blocker, utf8_of(fs_path(blocker) / "inner")})
        EXPECT_TRUE(is_os_error(write_data_file(folder, utf8_of(fs_path(folder) / "memo.txt"), "x").error()));
    const std::string read_only = path("settings.txt");
    put(read_only, "old");
    fs::permissions(fs_path(read_only), fs::perms::owner_read);
    EXPECT_EQ(write_text_file(read_only, "new").error().kind, StorageErrorKind::Os);
    fs::create_directory(fs_path(path("memo.txt")));
    EXPECT_TRUE(is_os_error(write_text_file(path("memo.txt"), "text").error()));
    EXPECT_EQ(read_text(blocker).value(), "not a folder");
    EXPECT_EQ(read_text(read_only).value(), "old");
    EXPECT_EQ(names(), (std::vector<std::string>{"Numvora", "memo.txt", "settings.txt"}));
}

Result<void, StorageError> flush_fails(file_primitives::OpenFile file) {
    (void)file_primitives::flush_and_close(std::move(file));
    return fail(make_storage_error(StorageErrorKind::Other, "refused"));
}

TEST_F(FileTest, AWriteThatFailsMidwayLeavesTheOldContentAndNoTemporaryFile) {
    const std::string file = path("memo.txt");
    const std::string old_text = "old memo\n" + std::string(100000, 'o');
    const std::string new_text(300000, 'n');
    // Stand-ins for the write's calls: a disk that fills after a budget of bytes, a flush
    // or a rename that fails.
    std::size_t budget = 0;
    const auto write_until_full = [&budget](const file_primitives::OpenFile& f, const char* data,
                                            std::size_t size) -> StorageResult<std::size_t> {
        if (budget == 0) return fail(make_storage_error(StorageErrorKind::WriteZero, "disk full"));
        auto written = file_primitives::write_some(f, data, std::min(size, budget));
        if (written) budget -= written.value();
        return written;
    };
    std::uintmax_t temp_size_at_fault = 0;
    const auto replace_fails = [&](const std::string& source, const std::string&) -> Result<void, StorageError> {
        temp_size_at_fault = fs::file_size(fs_path(source));
        return fail(make_storage_error(StorageErrorKind::Other, "refused"));
    };
    const struct {
        const char* failure;
        std::size_t budget;
        WriteCalls calls;
    } rows[] = {
        {"nothing written", 0, {write_until_full}},
        {"half written", new_text.size() / 2, {write_until_full}},
        {"flush", SIZE_MAX, {.flush_and_close = flush_fails}},
        {"replace after a complete temporary", SIZE_MAX, {.replace_file = replace_fails}},
    };
    for (const auto& row : rows) {
        put(file, old_text);
        budget = row.budget;
        EXPECT_FALSE(write_text_file(file, new_text, row.calls)) << row.failure;
        EXPECT_EQ(read_text(file).value(), old_text) << row.failure;
        budget = row.budget;
        EXPECT_FALSE(write_text_file(path("fresh.txt"), new_text, row.calls)) << row.failure;
        EXPECT_EQ(names(), std::vector<std::string>{"memo.txt"}) << row.failure;
    }
    EXPECT_EQ(temp_size_at_fault, new_text.size());  // the temporary was whole, only the rename failed
    ASSERT_TRUE(write_text_file(file, new_text));
    EXPECT_EQ(read_text(file).value(), new_text);
    EXPECT_EQ(names(), std::vector<std::string>{"memo.txt"});
}

// What a killed save leaves behind is swept; nothing else is.
TEST_F(FileTest, SweepsOnlyTheTemporariesOfTheGivenFiles) {
    const struct {
        const char* name;
        bool swept;
    } rows[] = {
        {"memo.txt.4242-0.tmp", true},
        {"settings.txt.1-77.tmp", true},
        {"memo.txt.12-3.tmp.bak", false},
        {"memo.txt.-3.tmp", false},
        {"memo.txt.12-.tmp", false},
        {"memo.txt.1a-2.tmp", false},
        {"notes.txt.12-3.tmp", false},
        {"memo.txt", false},
        {"memo.unreadable-1.txt", false},
        {"xmemo.txt.12-3.tmp", false},
        {"memo.conflict-20261207-100000.txt.12-3.tmp", true},
        {"memo.conflict-20261207-100000-2.txt.1-1.tmp", true},
        {"memo.conflict-20261207-100000.txt", false},
        {"memo.unreadable-20261207-100000.txt.1-1.tmp", false},
    };
    for (const auto& row : rows) put(path(row.name), "x");
    fs::create_directory(fs_path(path("memo.txt.5-5.tmp")));  // a folder of that form stays
    EXPECT_EQ(sweep_temporary_files(utf8_of(root_), is_written_data_file), 4u);
    for (const auto& row : rows) EXPECT_EQ(fs::exists(fs_path(path(row.name))), !row.swept) << row.name;
    EXPECT_TRUE(fs::exists(fs_path(path("memo.txt.5-5.tmp"))));
    EXPECT_EQ(sweep_temporary_files(path("missing"), is_written_data_file), 0u);
}

// Leftovers of an earlier run under the same process id never stop a save, however
// many there are.
TEST_F(FileTest, TemporaryNamesNeverRunOut) {
    const std::string file = path("memo.txt");
    std::string seen_temp;
    const WriteCalls noting{[&](const file_primitives::OpenFile& f, const char* data, std::size_t size) {
        for (const auto& entry : fs::directory_iterator(root_))  // the new one is still empty
            if (entry.path().extension() == ".tmp" && entry.file_size() == 0)
                seen_temp = utf8_of(entry.path().filename());
        return file_primitives::write_some(f, data, size);
    }};
    ASSERT_TRUE(write_text_file(file, "first", noting));
    const std::size_t dash = seen_temp.rfind('-');
    const std::string stem = seen_temp.substr(0, dash + 1);
    const unsigned long next = std::stoul(seen_temp.substr(dash + 1)) + 1;
    for (unsigned long n = next; n < next + 300; ++n) put(path(stem + std::to_string(n) + ".tmp"), "stale");
    ASSERT_TRUE(write_text_file(file, "second", noting));
    EXPECT_EQ(read_text(file).value(), "second");
    EXPECT_EQ(seen_temp, stem + std::to_string(next + 300) + ".tmp");
}

TEST_F(FileTest, MovesAndCopiesAsideUnderFreeNames) {
    put(path("a.txt"), "one");
    put(path("b.txt"), "two");
    put(path("kept.txt"), "taken");
    EXPECT_EQ(move_to_free_name(path("a.txt"), path("kept")).value(), path("kept-2.txt"));
    EXPECT_EQ(move_to_free_name(path("b.txt"), path("kept")).value(), path("kept-3.txt"));
    EXPECT_EQ(write_kept_copy(path("kept"), std::string("\xff\0bytes", 7)).value(), path("kept-4.txt"));
    EXPECT_EQ(move_to_free_name(path("gone.txt"), path("x")).error().kind, StorageErrorKind::NotFound);
    // Written through the calls given: a full disk fails the copy and leaves nothing.
    WriteCalls full;
    full.write_some = [](const file_primitives::OpenFile&, const char*, std::size_t) -> StorageResult<std::size_t> {
        return fail(make_storage_error(StorageErrorKind::WriteZero, "full"));
    };
    EXPECT_FALSE(write_kept_copy(path("full"), "bytes", full));
    EXPECT_EQ(names(), (std::vector<std::string>{"kept-2.txt", "kept-3.txt", "kept-4.txt", "kept.txt"}));
    std::ifstream kept(fs_path(path("kept-4.txt")), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), std::string("\xff\0bytes", 7));
    EXPECT_EQ(read_text(path("kept.txt")).value(), "taken");
}

}  // namespace
}  // namespace numvora
