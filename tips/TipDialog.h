// CTipDialog: Tip of the Day. Shows one tip of tips.txt at a time under a
// light bulb and goes on, at each opening, with the tip after the last one
// shown.
#pragma once

#include <string>

#include "core/TipsFile.h"
#include "framework/Dialog.h"

class CTipDialog : public CDialog {
public:
    // Reads the stored state and the first tip to show from the tips file
    // at `tipsPath`.
    CTipDialog(CWnd* pParent, const std::string& tipsPath);
    // Stores where the next opening goes on.
    ~CTipDialog() override;

    // Show at start-up: 1 ticked, 0 cleared (stored inverted as StartUp).
    int m_bStartup = 1;
    std::string m_strTip;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    void OnNextTip();
    void OnPaint();
    HBRUSH OnCtlColor(HDC dc, HWND ctl, UINT ctlType);
    LRESULT OnReportTrouble(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    // Reads the next tip into m_strTip. A file without a tip, or one that
    // cannot be read, leaves an empty tip, is closed, and is reported once
    // the dialog shows.
    void ReadNextTip();
    void EnableNextTip();

    TipsFile m_file;
    bool m_trouble = false;
};
