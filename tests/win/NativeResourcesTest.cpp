// The resources linked into a Windows program, read the way Windows reads them:
// strings through the string loader, the version block through the version API,
// the dialog templates through the system's dialog manager.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ExpectedResources.h"
#include "MessageText.h"
#include "WinResourceModule.h"
#include "WinText.h"
#include "resource.h"

using wintest::Utf8;
using wintest::Wide;

namespace {

TEST(NativeResources, CatalogueTextsThroughTheStringLoader) {
    for (const auto& [id, text] : expected::CATALOGUE) {
        EXPECT_EQ(MessageText(id), text) << id;
    }
    // No text of its own, and none of the framework texts the tool never shows.
    EXPECT_EQ(MessageText(110), "");
    EXPECT_EQ(MessageText(57344), "");
}

std::string VersionString(const std::vector<BYTE>& block, const std::wstring& key) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = L"\\StringFileInfo\\041103a4\\" + key;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0) {
        return "<missing>";
    }
    return Utf8(static_cast<const wchar_t*>(value));
}

TEST(NativeResources, VersionBlockOfTarvixExeThroughTheVersionApi) {
    const std::wstring exe = Wide(TARVIX_EXE);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed->dwFileSubtype, 0u);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 932);

    for (const auto& [key, value] : expected::VERSION_STRINGS) {
        EXPECT_EQ(VersionString(block, Wide(key)), value) << key;
    }
}

TEST(NativeResources, ManifestAndIcon) {
    const HMODULE module = tarvix::res::ResourceInstance();
    // The manifest is the one resource in US English; it asks for no elevation and
    // names no dependent assembly, so the controls keep the classic look.
    HRSRC manifest = FindResourceExW(module, MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1), 0x0409);
    ASSERT_NE(manifest, nullptr);
    const std::string xml(static_cast<const char*>(LockResource(LoadResource(module, manifest))),
                          SizeofResource(module, manifest));
    EXPECT_NE(xml.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(xml.find("uiAccess=\"false\""), std::string::npos);
    EXPECT_EQ(xml.find("dependency"), std::string::npos);
    EXPECT_EQ(xml.find("dpiAware"), std::string::npos);

    EXPECT_NE(FindResourceExW(module, MAKEINTRESOURCEW(14), MAKEINTRESOURCEW(IDR_APP_ICON), 0x0411),
              nullptr);
    HICON icon = static_cast<HICON>(
        LoadImageW(module, MAKEINTRESOURCEW(IDR_APP_ICON), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    ASSERT_NE(icon, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap = {};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 32);
    EXPECT_EQ(bitmap.bmHeight, 32);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

struct Control {
    int id;
    const char* className;
    const char* text;
};

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// Makes the dialog from its stored template, hidden, and lists its controls in
// creation order.
std::vector<HWND> CreateFromTemplate(int templateId, HWND* dialog) {
    const HMODULE module = tarvix::res::ResourceInstance();
    HRSRC found =
        FindResourceExW(module, MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(templateId), 0x0411);
    if (found == nullptr) {
        return {};
    }
    auto* tmpl = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(module, found)));
    *dialog = CreateDialogIndirectParamW(module, tmpl, nullptr, QuietDialogProc, 0);
    std::vector<HWND> controls;
    for (HWND c = GetWindow(*dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        controls.push_back(c);
    }
    return controls;
}

void ExpectControls(const std::vector<HWND>& actual, const std::vector<Control>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(GetDlgCtrlID(actual[i]), expected[i].id) << i;
        EXPECT_EQ(wintest::ClassNameUtf8(actual[i]), expected[i].className) << i;
        EXPECT_EQ(wintest::WindowTextUtf8(actual[i]), expected[i].text) << i;
    }
}

TEST(NativeResources, MainWindowTemplateThroughTheDialogManager) {
    HWND dialog = nullptr;
    const auto controls = CreateFromTemplate(IDD_MAIN_WINDOW, &dialog);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(wintest::WindowTextUtf8(dialog), "Tarvix");
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE));
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), static_cast<DWORD>(WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0u);
    EXPECT_TRUE(GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    ExpectControls(controls, {
                                 {IDOK, "Button", "開始"},
                                 {IDCANCEL, "Button", "閉じる"},
                                 {-1, "Static", "プログラムファイル"},
                                 {IDC_PROGRAM_PATH, "Edit", ""},
                                 {IDC_BROWSE_PROGRAM, "Button", "参照"},
                                 {-1, "Static", "サウンドファイル"},
                                 {IDC_SOUND_PATH, "Edit", ""},
                                 {IDC_BROWSE_SOUND, "Button", "参照"},
                                 {-1, "Static", "マージ位置"},
                                 {IDC_SECTOR, "Edit", ""},
                                 {-1, "Static", "セクター"},
                                 {IDC_SECONDS, "Edit", ""},
                                 {-1, "Static", "秒"},
                             });
    // Only the start button is the default push button.
    EXPECT_EQ(SendMessageW(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
    DestroyWindow(dialog);
}

TEST(NativeResources, AboutTemplateThroughTheDialogManager) {
    HWND dialog = nullptr;
    const auto controls = CreateFromTemplate(IDD_ABOUT, &dialog);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(wintest::WindowTextUtf8(dialog), "バージョン情報 Tarvix");
    EXPECT_FALSE(IsWindowVisible(dialog));
    ASSERT_EQ(controls.size(), 4u);
    EXPECT_EQ(GetDlgCtrlID(controls[1]), -1);
    EXPECT_EQ(wintest::WindowTextUtf8(controls[1]), "Tarvix, Version 1.0");
    EXPECT_EQ(GetDlgCtrlID(controls[3]), IDOK);
    EXPECT_EQ(wintest::WindowTextUtf8(controls[3]), "OK");
    // The icon control loads icon 128 from the module that holds the template.
    EXPECT_NE(SendMessageW(controls[0], STM_GETICON, 0, 0), 0);
    DestroyWindow(dialog);
}

}  // namespace
