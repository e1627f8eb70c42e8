// The open-file (or save-file) dialog, run modally over its owner.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "fw/Types.h"

class CWnd;

#ifndef OFN_OVERWRITEPROMPT
#define OFN_OVERWRITEPROMPT 0x00000002
#endif
#ifndef OFN_HIDEREADONLY
#define OFN_HIDEREADONLY 0x00000004
#endif
#ifndef OFN_NOCHANGEDIR
#define OFN_NOCHANGEDIR 0x00000008
#endif
#ifndef OFN_FILEMUSTEXIST
#define OFN_FILEMUSTEXIST 0x00001000
#endif

class CFileDialog {
  public:
    // `filter`: labels and patterns alternating, each followed by "|", the list ended
    // by one more "|"; ";" separates the patterns of one entry:
    // "Text (*.txt)|*.txt|Sound|*.txt;*.wav||". The label is shown as it is; only the
    // patterns decide which files are listed. `defExt` (without the dot) is added to a
    // typed name without an extension. `fileName` fills the name box. Of the flags,
    // OFN_FILEMUSTEXIST, OFN_NOCHANGEDIR and OFN_OVERWRITEPROMPT count; the dialog
    // never has a read-only box. The owner is `parent`, else the main window.
    explicit CFileDialog(BOOL openFileDialog, const char* defExt = nullptr,
                         const char* fileName = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         const char* filter = nullptr, CWnd* parent = nullptr);
    virtual ~CFileDialog();
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK once a file is chosen; IDCANCEL when the user cancels, or when the chosen
    // path is longer than the 259 bytes a path buffer holds (a cut path could name
    // another file). Unless OFN_NOCHANGEDIR, the chosen file's folder becomes the
    // process's current folder, as with the system's dialog.
    virtual INT_PTR DoModal();
    // The chosen file's full path, UTF-8; empty before a successful run.
    std::string GetPathName() const { return m_pathName; }

  private:
    // The window the dialog sits over: the last active popup of the owner named above.
    CWnd* Owner() const;

    bool m_open;
    std::string m_defExt;
    std::string m_fileName;
    DWORD m_flags;
    std::string m_filter;
    CWnd* m_pParent;
    std::string m_pathName;
};

namespace fw {

inline constexpr std::size_t MAX_PATH_TEXT = 259;

struct FileType {
    std::string label;
    std::vector<std::string> patterns;
    bool operator==(const FileType&) const = default;
};

// The entries of a filter string; reading stops at an empty label or the end.
std::vector<FileType> ParseFileFilter(std::string_view filter);

}  // namespace fw
