// The dialog of the memo's earlier versions without a window: its texts, its list
// lines, the text its preview shows and where its controls go.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "storage/history/memo_history_rules.h"
#include "ui/layout/pixel_rect.h"

namespace numvora {

inline constexpr std::string_view MEMO_VERSIONS_TITLE = "메모 이전 버전";
inline constexpr std::string_view RESTORE_VERSION_TEXT = "이 버전으로 복원";
inline constexpr std::string_view CLOSE_VERSIONS_TEXT = "닫기";
inline constexpr std::string_view UNREADABLE_VERSION_TEXT = "읽을 수 없는 파일";
inline constexpr std::string_view NO_VERSIONS_TEXT = "아직 저장된 이전 버전이 없습니다.";
inline constexpr std::string_view SAME_AS_MEMO_TEXT = "(현재 메모와 같음)";
inline constexpr std::string_view OTHER_WINDOW_TEXT = "(다른 창)";
inline constexpr std::string_view ODD_DATE_TEXT = "(날짜 이상)";
inline constexpr std::string_view RESTORE_REFUSED_TEXT = "현재 메모를 보관하지 못해 복원하지 않았습니다: ";
inline constexpr std::string_view LISTING_VERSIONS_TEXT = "이전 버전을 찾는 중…";
inline constexpr std::string_view RESTORING_TEXT = "복원하는 중…";

// A version larger than this is restored only once the user agrees: under Wine the
// memo takes tens of seconds and gigabytes to take 50 MiB.
inline constexpr std::uint64_t LARGE_VERSION_BYTES = std::uint64_t{8} << 20;
// "50.0 MB 버전을 복원합니다. 시간이 걸릴 수 있습니다."
std::string large_version_question(std::uint64_t bytes);

// The list and the preview; the buttons are IDOK (restore) and IDCANCEL (close).
inline constexpr int VERSIONS_LIST_ID = 100;
inline constexpr int VERSIONS_PREVIEW_ID = 101;

// Of a first line, so that a list line fits the list.
inline constexpr std::size_t VERSION_LINE_CHARACTERS = 40;
// The most of a version the preview shows.
inline constexpr std::size_t VERSION_PREVIEW_BYTES = 64 * 1024;

// "2026-12-07 14:20:05".
std::string version_time_text(const SnapshotTime& time);

// "512 B", "3.2 KB", "148 KB", "10.0 MB": binary units, a decimal below 100.
std::string version_size_text(std::uint64_t bytes);

struct VersionLine {
    SnapshotTime time;
    std::uint64_t size = 0;
    bool same_as_memo = false;
    std::optional<std::string> first_line;  // not read yet when absent
    bool unreadable = false;
    bool other_window = false;    // a copy of another window's memo, not a snapshot
    bool later_than_now = false;  // dated later than the clock says it is
};

// "2026-12-07 14:20:05 (현재 메모와 같음) · 3.2 KB · first line…": the marks that apply
// after the time (the memo as it is, another window's, a date later than now); the
// first line cut to VERSION_LINE_CHARACTERS with an ellipsis and control characters as
// spaces, left out when empty or not read; UNREADABLE_VERSION_TEXT in its place when
// the file could not be read.
std::string version_line(const VersionLine& version);

// The text as an edit control shows it: every line break (LF, CR or CR LF) as CR LF,
// and a line "…" after a text that goes on.
std::string version_preview_text(std::string_view text, bool cut);

struct VersionsLayout {
    PixelBox list;
    PixelBox preview;
    PixelBox restore;
    PixelBox close;
};

// The dialog's client size when it opens, at the DPI.
PixelBox versions_client_size(std::uint32_t dpi);

// The list on the left, wide enough for a time, its mark, a size and a short first
// line (a longer line is whole in its tooltip), the preview beside it, the buttons below
// at the right. Sizes are never negative.
VersionsLayout versions_layout(std::int32_t client_width, std::int32_t client_height, std::uint32_t dpi);

}  // namespace numvora
