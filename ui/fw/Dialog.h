// A dialog box built from a dialog template of the current resource module and run
// modally. Its message table turns WM_INITDIALOG into OnInitDialog and the IDOK and
// IDCANCEL commands into OnOK and OnCancel; a derived table can shadow any of them.
#pragma once

#include "fw/Wnd.h"

class CDialog : public CWnd {
  public:
    // The owner is `parent`, else the application's main window (none for the main
    // window itself).
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Creates the window and its controls from the template, sends WM_INITDIALOG,
    // centres a template placed at 0, 0 (over its owner, else on its monitor's work
    // area), shows it and runs until EndDialog; the owner takes no input meanwhile.
    // Returns EndDialog's result, or -1 at once, showing nothing, when the template is
    // missing or the window cannot be made.
    virtual INT_PTR DoModal();
    // Ends the modal run with `result` once the current message has been handled.
    void EndDialog(int result);

    UINT GetTemplateId() const { return m_templateId; }

    const fw::MessageTable* GetMessageMap() const override;
    static const fw::MessageTable* GetThisMessageMap();

  protected:
    // TRUE gives the focus to the first tab-stop control.
    virtual BOOL OnInitDialog();
    virtual void OnOK();      // ends the run with IDOK
    virtual void OnCancel();  // ends the run with IDCANCEL
    // WM_HELP (F1): unless Shift, Ctrl or Alt is held down, the help command ID_HELP
    // goes to the main window, and from there to the application.
    LRESULT OnHelpInfo(WPARAM wParam, LPARAM lParam);

    // WM_CLOSE becomes the IDCANCEL command, as the close button gives it.
    LRESULT DefWindowProcA(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // The window DoModal disables: the last active popup of the owner named above.
    CWnd* ModalOwner() const;
    // After the modal run, once its window is gone: forgets everything tied to it, and
    // the application's reference to it as the main window.
    void ForgetWindow();

    UINT m_templateId;
    CWnd* m_pParent;
};

namespace fw {

// Whether a dialog made from a template with `style` at x, y is centred after its
// initialisation (unless that moved it): when the style asks for it, or when the template
// sits at 0, 0 without a style that places it.
bool CentredByTemplate(UINT style, int x, int y);

}  // namespace fw
