// CScreenCapture: the options window's Capture page. It holds the capture
// hotkey, starts a capture, and takes files and folders dropped on it: their
// path goes to the clipboard, and "&Go!" opens a command prompt in the folder.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "core/DroppedPath.h"
#include "skin/HotkeyPage.h"
#include "skin/SkinButton.h"

class CScreenCapture : public CHotkeyPage {
public:
    CScreenCapture();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void HandToLibrary() const override;

    void OnCapture();
    void OnGo();
    void OnPathChanged();
    void OnDropFiles(HDROP drop);
    void OnPaint();
    DECLARE_MESSAGE_MAP()

    CWnd m_path; // the path "&Go!" opens a prompt in, dropped or typed
    // The last path in the box. The page object lives as long as the program, so the next
    // opening of the options window shows it again.
    char m_szDroppedPath[dropped::kBufferSize] = "";
    CSkinButton m_btnCapture;
    CSkinButton m_btnGo;
    CSkinButton m_btnHelp;
};
