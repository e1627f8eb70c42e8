// The backend-independent part of CFileDialog: its settings and the filter format.
#include "fw/FileDialog.h"

#include "fw/WinApp.h"
#include "fw/Wnd.h"

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defExt, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parent)
    : m_open(openFileDialog != FALSE),
      m_defExt(defExt != nullptr ? defExt : ""),
      m_fileName(fileName != nullptr ? fileName : ""),
      m_flags(flags),
      m_filter(filter != nullptr ? filter : ""),
      m_pParent(parent) {}

CFileDialog::~CFileDialog() = default;

CWnd* CFileDialog::Owner() const {
    CWnd* owner = m_pParent != nullptr ? m_pParent : AfxGetMainWnd();
    return owner != nullptr ? owner->GetLastActivePopup() : nullptr;
}

namespace fw {

std::vector<FileType> ParseFileFilter(std::string_view filter) {
    std::vector<FileType> types;
    auto next = [&filter]() -> std::string_view {
        const std::size_t bar = filter.find('|');
        const std::string_view piece = filter.substr(0, bar);
        filter.remove_prefix(bar == std::string_view::npos ? filter.size() : bar + 1);
        return piece;
    };
    while (!filter.empty()) {
        const std::string_view label = next();
        if (label.empty()) {
            break;
        }
        FileType type{std::string(label), {}};
        std::string_view patterns = next();
        while (!patterns.empty()) {
            const std::size_t semicolon = patterns.find(';');
            const std::string_view pattern = patterns.substr(0, semicolon);
            if (!pattern.empty()) {
                type.patterns.emplace_back(pattern);
            }
            patterns.remove_prefix(semicolon == std::string_view::npos ? patterns.size()
                                                                       : semicolon + 1);
        }
        types.push_back(std::move(type));
    }
    return types;
}

}  // namespace fw
