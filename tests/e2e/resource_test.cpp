// What Explorer, the installer, the task switcher and the loader read from Numvora.exe:
// its version information, its icon in every size Windows asks for, and its manifest.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <set>
#include <string>
#include <vector>

#include "common/win32/wide_text.h"
#include "e2e/build_paths.h"
#include "numvora_version.h"
#include "platform/windows/window/main_window.h"

namespace {

using numvora::e2e::program_path;

class VersionInfo {
public:
    explicit VersionInfo(const std::wstring& path) {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        if (size == 0) return;
        block_.resize(size);
        if (!GetFileVersionInfoW(path.c_str(), 0, size, block_.data())) block_.clear();
    }
    bool present() const { return !block_.empty(); }

    // The first translation the file lists, as Explorer picks it.
    std::wstring string_value(const std::wstring& name) const {
        struct Translation {
            WORD language;
            WORD code_page;
        };
        void* data = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(block_.data(), L"\\VarFileInfo\\Translation", &data, &length) || length < 4) return L"?";
        const auto* translation = static_cast<const Translation*>(data);
        wchar_t key[64];
        swprintf(key, 64, L"\\StringFileInfo\\%04x%04x\\", translation->language, translation->code_page);
        if (!VerQueryValueW(block_.data(), (key + name).c_str(), &data, &length)) return L"(none)";
        return static_cast<const wchar_t*>(data);
    }

    VS_FIXEDFILEINFO fixed() const {
        void* data = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(block_.data(), L"\\", &data, &length) || length < sizeof(VS_FIXEDFILEINFO)) return {};
        return *static_cast<const VS_FIXEDFILEINFO*>(data);
    }

private:
    std::vector<char> block_;
};

TEST(ProgramResources, VersionInformationNamesTheProgramAndItsVersion) {
    const VersionInfo info(program_path());
    ASSERT_TRUE(info.present()) << GetLastError();
    const std::wstring version = numvora::to_wide(NUMVORA_VERSION_TEXT);
    const struct {
        const wchar_t* name;
        std::wstring expected;
    } rows[] = {
        {L"ProductName", L"Numvora"},
        {L"FileDescription", L"Numvora — 메모장 + 계산기"},
        {L"OriginalFilename", L"Numvora.exe"},
        {L"FileVersion", version},
        {L"ProductVersion", version},
        {L"LegalCopyright", L"Copyright © 2026 Numvora developers. MIT License."},
    };
    for (const auto& row : rows) EXPECT_EQ(info.string_value(row.name), row.expected) << row.name;

    const VS_FIXEDFILEINFO fixed = info.fixed();
    EXPECT_EQ(fixed.dwSignature, VS_FFI_SIGNATURE);
    EXPECT_EQ(fixed.dwFileVersionMS, static_cast<DWORD>(MAKELONG(NUMVORA_VERSION_MINOR, NUMVORA_VERSION_MAJOR)));
    EXPECT_EQ(fixed.dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, NUMVORA_VERSION_PATCH)));
    EXPECT_EQ(fixed.dwProductVersionMS, fixed.dwFileVersionMS);
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));
}

// The window title carries the version as text of its own; a release that bumps one
// and not the other shows two versions.
TEST(ProgramResources, WindowTitleShowsTheSameVersion) {
    const std::wstring title = L"Quorvex v." + numvora::to_wide(NUMVORA_VERSION_TEXT) + L" — 메모장 + 계산기";
    EXPECT_EQ(numvora::to_wide(numvora::MAIN_WINDOW_TITLE), title);
}

// Windows picks the nearest size from the group; a missing small size is scaled down
// from a large one and blurs, a missing 256 shows a small icon stretched in Explorer.
TEST(ProgramResources, IconGroupHoldsEverySizeWindowsAsksFor) {
    const HMODULE module =
        LoadLibraryExW(program_path().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr) << GetLastError();
    const HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(1), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr) << "the program's icon must be the first one";

#pragma pack(push, 2)
    struct GroupHeader {
        WORD reserved, type, count;
    };
    struct GroupEntry {
        BYTE width, height, colors, reserved;
        WORD planes, bit_count;
        DWORD bytes;
        WORD id;
    };
#pragma pack(pop)
    const auto* header = static_cast<const GroupHeader*>(LockResource(LoadResource(module, group)));
    ASSERT_NE(header, nullptr);
    const auto* entries = reinterpret_cast<const GroupEntry*>(header + 1);
    std::set<int> sizes;
    for (WORD i = 0; i < header->count; ++i) {
        sizes.insert(entries[i].width == 0 ? 256 : entries[i].width);
        EXPECT_EQ(entries[i].bit_count, 32) << "every size carries its own transparency";
    }
    for (int wanted : {16, 20, 24, 32, 40, 48, 64, 256}) EXPECT_TRUE(sizes.count(wanted)) << wanted;

    for (int size : {16, 32, 48}) {
        const HANDLE icon = LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0);
        EXPECT_NE(icon, nullptr) << size;
        if (icon != nullptr) DestroyIcon(static_cast<HICON>(icon));
    }
    FreeLibrary(module);
}

// One manifest, ours: a second one (a toolchain's default, in another language) would
// leave the loader to pick either.
TEST(ProgramResources, CarriesOneManifestWithVisualStylesDpiAndNoElevation) {
    const HMODULE module =
        LoadLibraryExW(program_path().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr) << GetLastError();
    int manifests = 0;  // names and languages alike
    EnumResourceNamesW(
        module, RT_MANIFEST,
        [](HMODULE m, LPCWSTR type, LPWSTR name, LONG_PTR count) -> BOOL {
            return EnumResourceLanguagesW(
                m, type, name,
                [](HMODULE, LPCWSTR, LPCWSTR, WORD, LONG_PTR n) {
                    return ++*reinterpret_cast<int*>(n) > 0 ? TRUE : FALSE;
                },
                count);
        },
        reinterpret_cast<LONG_PTR>(&manifests));
    EXPECT_EQ(manifests, 1);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(found, nullptr);
    const std::string text(static_cast<const char*>(LockResource(LoadResource(module, found))),
                           SizeofResource(module, found));
    for (const char* part : {
             R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")",
             R"(publicKeyToken="6595b64144ccf1df")",
             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // Windows 10 and 11
             ">PerMonitorV2, PerMonitor</dpiAwareness>",
             ">true/pm</dpiAware>",
             R"(level="asInvoker")",
         }) {
        EXPECT_NE(text.find(part), std::string::npos) << part;
    }
    FreeLibrary(module);
}

// The manifest switches the standard controls to version 6: only those answer
// BCM_GETIDEALSIZE.
TEST(ProgramResources, ManifestActivatesCommonControlsSix) {
    const std::wstring path = program_path();
    ACTCTXW context{};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = path.c_str();
    context.lpResourceName = MAKEINTRESOURCEW(1);
    const HANDLE program_context = CreateActCtxW(&context);
    ASSERT_NE(program_context, INVALID_HANDLE_VALUE) << GetLastError();
    const auto ideal_size_answered = [] {
        const HWND button = CreateWindowExW(0, L"BUTTON", L"천 단위 콤마", WS_POPUP | BS_AUTOCHECKBOX, 0, 0, 100, 20,
                                            nullptr, nullptr, nullptr, nullptr);
        SIZE size{};
        const bool answered = SendMessageW(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&size)) != FALSE;
        DestroyWindow(button);
        return answered;
    };
    EXPECT_FALSE(ideal_size_answered()) << "this test program has no manifest of its own";
    ULONG_PTR cookie = 0;
    ASSERT_TRUE(ActivateActCtx(program_context, &cookie));
    EXPECT_TRUE(ideal_size_answered());
    DeactivateActCtx(0, cookie);
    ReleaseActCtx(program_context);
}

}  // namespace
