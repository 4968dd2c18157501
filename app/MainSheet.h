// CMainSheet: the options window, a modal sheet of four pages. Its one object
// lives for the whole run; its window only while the options window is open.
#pragma once

#include "framework/PropertySheet.h"

class CAboutPage;
class CAutoClick;
class CMagnifyPage;
class CScreenCapture;

class CMainSheet : public CPropertySheet {
public:
    explicit CMainSheet(CWnd* pParent);
    ~CMainSheet() override;

    bool IsOpen() const { return m_hWnd != nullptr; }
    // Fills the current skin from scheme.dat.
    void LoadCurrentSkin();

    CMagnifyPage* m_pMagnifyPage;
    CScreenCapture* m_pCapturePage;
    CAutoClick* m_pColorPage;
    CAboutPage* m_pAboutPage;

protected:
    BOOL OnInitDialog() override;
    void OnMove(int x, int y);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

// The one options sheet object (from start-up to exit).
extern CMainSheet* g_pMainSheet;
// Screen rectangle of the options window when it was last opened or moved.
extern RECT g_rcLastSheet;
