// CFileDialog on Qt: the toolkit's own file dialog, not the desktop's, so that it
// behaves the same on every desktop.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

#include "fw/FileDialog.h"
#include "fw/Wnd.h"
#include "fw/qt/Handles.h"

namespace {

// The toolkit's file dialog keeps its history and view in a settings file of its own
// when it closes. The tool writes no file: every settings path of this process points
// below a file, where nothing can be created or read.
void KeepNoSettings() {
    static const bool done = [] {
        for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
            for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope}) {
                QSettings::setPath(format, scope, QStringLiteral("/dev/null"));
            }
        }
        return true;
    }();
    (void)done;
}

// "label (patterns)": the form the toolkit takes patterns from. With its details
// hidden, the list shows the label alone, whatever brackets the label has itself.
QStringList NameFilters(const std::string& filter) {
    QStringList filters;
    for (const fw::FileType& type : fw::ParseFileFilter(filter)) {
        QStringList patterns;
        for (const std::string& p : type.patterns) {
            patterns << QString::fromUtf8(p);
        }
        filters << QString::fromUtf8(type.label) + " (" + patterns.join(' ') + ")";
    }
    return filters;
}

}  // namespace

INT_PTR CFileDialog::DoModal() {
    KeepNoSettings();
    m_pathName.clear();
    CWnd* owner = Owner();
    QWidget* ownerWidget = owner != nullptr ? fw::qt::ToWidget(owner->m_hWnd) : nullptr;

    QFileDialog dialog(ownerWidget);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(m_flags & OFN_OVERWRITEPROMPT));
    dialog.setAcceptMode(m_open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    // A name of a file that does not exist is taken unless the flags ask otherwise.
    dialog.setFileMode((m_flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromUtf8(m_defExt));
    // The current folder, which the last chosen file's folder becomes; not the
    // toolkit's memory of the last folder shown, which also keeps cancelled visits.
    dialog.setDirectory(QDir::currentPath());
    const QStringList filters = NameFilters(m_filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
    }
    if (!m_fileName.empty()) {
        dialog.selectFile(QString::fromUtf8(m_fileName));
    }

    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    if (ownerWidget != nullptr) {
        ownerWidget->activateWindow();  // its focused control takes the keyboard back
    }
    if (!chosen) {
        return IDCANCEL;
    }
    const QString path =
        QDir::cleanPath(QFileInfo(dialog.selectedFiles().first()).absoluteFilePath());
    const std::string bytes = path.toStdString();
    if (bytes.size() > fw::MAX_PATH_TEXT) {
        return IDCANCEL;
    }
    if (!(m_flags & OFN_NOCHANGEDIR)) {
        QDir::setCurrent(QFileInfo(path).absolutePath());  // fails quietly for a missing folder
    }
    m_pathName = bytes;
    return IDOK;
}
