// Data exchange between dialog members and controls, with the validation
// messages the user sees when a value is refused.
#pragma once

#include <windows.h>

#include <string>

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dlg, BOOL bSaveAndValidate)
        : m_pDlgWnd(dlg), m_bSaveAndValidate(bSaveAndValidate) {}

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
    // Set by the first refused value; later exchanges then do nothing, so
    // the user sees one message and the focus stays on that control.
    bool m_bFailed = false;

    // Remembers the edit control that the next check refers to.
    HWND PrepareEditCtrl(int nIDC);
    // Tells the user, focuses the prepared control, selects its text.
    void Fail(const std::string& message);
    bool Active() const { return !m_bFailed; }

private:
    HWND m_hLastControl = nullptr;
};

// The prompts.
extern const char kPromptInteger[];      // "Please enter an integer."
extern const char kPromptIntegerRange[]; // "Please enter an integer between %1 and %2."

// Strict integer parsing: blanks around the number are allowed, anything
// else (trailing text, no digits, overflow) is refused.
bool ParseStrictInt(const char* text, int& value);
// "%1" and "%2" replaced by the two values.
std::string FormatRangePrompt(int lo, int hi);

void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value);
// A check box: 1 ticked, 0 cleared (an indeterminate box reads as ticked).
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
// Binds a control object to the control with this id (once).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control);
