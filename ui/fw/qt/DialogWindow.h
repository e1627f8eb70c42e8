// The Qt window of a CDialog: its controls, and the dialog keyboard interface,
// close requests, painting and the system menu turned into the dialog's messages.
#pragma once

#include <QDialog>
#include <vector>

#include "fw/Types.h"

class CDialog;
class QMenu;

namespace fw::qt {

class DialogWindow : public QDialog {
  public:
    enum class Kind { Button, Edit, Static };
    struct Control {
        int id = 0;
        Kind kind = Kind::Static;
        UINT style = 0;
        QWidget* widget = nullptr;
    };

    DialogWindow(CDialog* dialog, QWidget* owner, UINT style);

    CDialog* Dialog() const { return m_dialog; }
    UINT Style() const { return m_style; }
    std::vector<Control>& Controls() { return m_controls; }
    const Control* FindControl(int id) const;
    const Control* FindControl(const QWidget* widget) const;

    // Sends WM_COMMAND with `code` from control `id` (and its handle, when it exists).
    void SendCommand(int id, UINT code);
    // Moves the focus to the next (or previous) control of the focused control's group.
    void MoveInGroup(QWidget* from, bool forward);
    // Opens the system menu at `globalPos`; a chosen item is sent as WM_SYSCOMMAND.
    void ShowSystemMenu(const QPoint& globalPos);

    // The paint in progress, while WM_PAINT is being handled.
    bool InPaint() const { return m_inPaint; }

    // Set once EndDialog has run: the result, and that the window may now close.
    bool m_ending = false;
    int m_result = 0;
    bool m_inModalLoop = false;

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void PressDefaultButton();

    CDialog* m_dialog;
    UINT m_style;
    std::vector<Control> m_controls;
    bool m_inPaint = false;
};

// The window of a handle, when it is a dialog's.
DialogWindow* DialogFromHandle(HWND hwnd);

}  // namespace fw::qt
