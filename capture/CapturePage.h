// CScreenCapture: the options window's Capture page. It holds the capture
// hotkey, starts a capture, and takes files and folders dropped on it: their
// path goes to the clipboard, and "&Go!" opens a command prompt in the folder.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "skin/LibraryHotKeyCtrl.h"
#include "skin/SkinButton.h"
#include "skin/SkinnedPage.h"

class CScreenCapture : public CSkinnedPage {
public:
    CScreenCapture();

    WORD m_wKey = 0; // capture hotkey
    WORD m_wMod = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void OnOK() override;

    void ReadSettings();

    void OnCapture();
    void OnGo();
    void OnDropFiles(HDROP drop);
    void OnPaint();
    DECLARE_MESSAGE_MAP()

    CLibraryHotKeyCtrl m_hotkey;
    CWnd m_path; // shows the dropped path; "&Go!" never reads it
    CSkinButton m_btnCapture;
    CSkinButton m_btnGo;
    CSkinButton m_btnHelp;
};
