// CFileDialog on Win32: the new-style file dialog after COM has been initialised on the
// thread (apartment-threaded), else, or when it cannot be made, the older Explorer-style
// dialog, both with the same settings.
#include <windows.h>
// clang-format off
#include <shobjidl.h>
#include <commdlg.h>
// clang-format on

#include <string>
#include <vector>

#include "fw/FileDialog.h"
#include "fw/Wnd.h"
#include "fw/win32/Win32Text.h"

using fw::win32::Utf8;
using fw::win32::Wide;

namespace {

struct Choice {
    bool shown = false;  // the dialog ran (chosen or cancelled)
    std::wstring path;   // empty when cancelled
};

Choice RunNewStyle(HWND owner, const std::vector<fw::FileType>& types, const std::string& defExt,
                   const std::string& fileName, DWORD flags) {
    Choice choice;
    IFileOpenDialog* dialog = nullptr;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IFileOpenDialog, reinterpret_cast<void**>(&dialog)))) {
        return choice;
    }
    std::vector<std::wstring> texts;
    for (const fw::FileType& type : types) {
        std::string patterns;
        for (const std::string& p : type.patterns) {
            patterns += (patterns.empty() ? "" : ";") + p;
        }
        texts.push_back(Wide(type.label));
        texts.push_back(Wide(patterns));
    }
    std::vector<COMDLG_FILTERSPEC> specs;
    for (std::size_t i = 0; i + 1 < texts.size(); i += 2) {
        specs.push_back({texts[i].c_str(), texts[i + 1].c_str()});
    }
    if (!specs.empty()) {
        dialog->SetFileTypes(static_cast<UINT>(specs.size()), specs.data());
        dialog->SetFileTypeIndex(1);
    }
    if (!defExt.empty()) {
        dialog->SetDefaultExtension(Wide(defExt).c_str());
    }
    if (!fileName.empty()) {
        dialog->SetFileName(Wide(fileName).c_str());
    }
    // The dialog's own defaults ask for an existing file and folder and keep the current
    // folder; only the flags decide here.
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    options &= ~(FOS_FILEMUSTEXIST | FOS_PATHMUSTEXIST | FOS_NOCHANGEDIR);
    options |= FOS_FORCEFILESYSTEM;
    if (flags & OFN_FILEMUSTEXIST) {
        options |= FOS_FILEMUSTEXIST | FOS_PATHMUSTEXIST;
    }
    if (flags & OFN_NOCHANGEDIR) {
        options |= FOS_NOCHANGEDIR;
    }
    dialog->SetOptions(options);

    const HRESULT shown = dialog->Show(owner);
    choice.shown = SUCCEEDED(shown) || shown == HRESULT_FROM_WIN32(ERROR_CANCELLED);
    IShellItem* item = nullptr;
    if (SUCCEEDED(shown) && SUCCEEDED(dialog->GetResult(&item))) {
        wchar_t* path = nullptr;
        if (SUCCEEDED(item->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
            choice.path = path;
            CoTaskMemFree(path);
        }
        item->Release();
    }
    dialog->Release();
    return choice;
}

Choice RunExplorerStyle(HWND owner, const std::string& filter, const std::string& defExt,
                        const std::string& fileName, DWORD flags) {
    // "label|patterns|...||" becomes the system's list of zero-terminated strings.
    std::wstring list = Wide(filter);
    for (wchar_t& c : list) {
        if (c == L'|') {
            c = L'\0';
        }
    }
    list.push_back(L'\0');
    std::wstring ext = Wide(defExt);
    wchar_t path[MAX_PATH] = {};
    const std::wstring name = Wide(fileName);
    name.copy(path, MAX_PATH - 1);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.empty() ? nullptr : list.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    ofn.Flags = (flags & (OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR)) | OFN_HIDEREADONLY | OFN_EXPLORER |
                (flags & OFN_FILEMUSTEXIST ? OFN_PATHMUSTEXIST : 0);
    Choice choice;
    choice.shown = true;
    if (GetOpenFileNameW(&ofn)) {
        choice.path = path;
    }
    return choice;
}

}  // namespace

INT_PTR CFileDialog::DoModal() {
    m_pathName.clear();
    CWnd* owner = Owner();
    const HWND ownerWindow = owner != nullptr ? owner->m_hWnd : nullptr;

    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Choice choice;
    if (SUCCEEDED(com)) {
        choice =
            RunNewStyle(ownerWindow, fw::ParseFileFilter(m_filter), m_defExt, m_fileName, m_flags);
        CoUninitialize();
    }
    if (!choice.shown) {
        choice = RunExplorerStyle(ownerWindow, m_filter, m_defExt, m_fileName, m_flags);
    }
    if (choice.path.empty()) {
        return IDCANCEL;
    }
    // A typed name without an extension gets the default one, whichever dialog ran.
    const std::size_t name = choice.path.find_last_of(L"\\/") + 1;
    if (!m_defExt.empty() && choice.path.find(L'.', name) == std::wstring::npos) {
        choice.path += L"." + Wide(m_defExt);
    }
    // A path cut to fit the 259 bytes of a path field could name another file.
    const std::string path = Utf8(choice.path);
    if (path.size() > fw::MAX_PATH_TEXT) {
        return IDCANCEL;
    }
    if (!(m_flags & OFN_NOCHANGEDIR)) {
        std::wstring folder = choice.path.substr(0, choice.path.find_last_of(L"\\/"));
        SetCurrentDirectoryW(folder.c_str());  // fails quietly for a missing folder
    }
    m_pathName = path;
    return IDOK;
}
