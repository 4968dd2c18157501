// CDialog: a dialog built from a numbered template, modal, modeless or as the
// base of a property page, with data exchange between members and controls.
#pragma once

#include <windows.h>

#include "framework/Wnd.h"

class CDataExchange;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate = 0, CWnd* pParent = nullptr)
        : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParent) {}

    // Runs the dialog modally; returns the value passed to EndDialog, or -1.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless. A dialog with a parent or owner outlives
    // its object (and then reaches no object any more); one without is
    // destroyed with its object.
    BOOL Create(CWnd* pParent = nullptr);
    void EndDialog(int nResult);

    // Moves data between members and controls: TRUE reads and validates the
    // controls, FALSE fills them. On a failed check the user has been told,
    // the control has the focus and FALSE comes back.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // The inside of the group box `id` (one without a caption) in client pixels: within its
    // etched lines, one pixel clear of them but on the left, below the line across its top, which
    // the box draws at half its font's height. Empty without such a control.
    RECT GroupBoxInside(int id) const;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

protected:
    // The help topic that F1 and the button `helpButton` open, in the program's help file;
    // the message then goes on to the default handling (a sheet adds the control's own help).
    void SetHelpTopic(const char* topic, UINT helpButton) {
        m_helpTopic = topic;
        m_helpButton = helpButton;
    }

    virtual BOOL OnInitDialog();
    // The dialog now shows at `dpi` (it moved to a monitor of another scale): lay out again
    // what the dialog places in pixels itself. Called once the system has moved the dialog and
    // its controls, which are then repainted.
    virtual void OnDpiChanged(UINT /*dpi*/) {}
    virtual void DoDataExchange(CDataExchange*) {}
    virtual void OnOK();
    virtual void OnCancel();

    LRESULT DefWindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnWndMsg(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    bool OnCommand(WPARAM wp, LPARAM lp, LRESULT& result) override;
    static INT_PTR CALLBACK StaticDlgProc(HWND, UINT, WPARAM, LPARAM);
    // Runs a dialog-procedure message through the maps and answers the way
    // the dialog manager expects.
    INT_PTR DialogProc(UINT msg, WPARAM wp, LPARAM lp);

private:
    const char* m_helpTopic = nullptr;
    UINT m_helpButton = 0;
};
