// CMainSheet: the options window, a modal sheet of four pages. Its one object
// lives for the whole run; its window only while the options window is open.
#pragma once

#include "skin/SkinnedSheet.h"

class CAboutPage;
class CAutoClick;
class CMagnifyPage;
class CScreenCapture;

class CMainSheet : public CSkinnedSheet {
public:
    explicit CMainSheet(CWnd* pParent);
    ~CMainSheet() override;

    // Fills the current skin from scheme.dat (the first scheme, or once per
    // run a random one when RandomSkin is set).
    void LoadCurrentSkin();

    int m_width = 0, m_height = 0;

    CMagnifyPage* m_pMagnifyPage;
    CScreenCapture* m_pCapturePage;
    CAutoClick* m_pColorPage;
    CAboutPage* m_pAboutPage;

protected:
    BOOL OnInitDialog() override;
    void OnMove(int x, int y);
    void OnDestroy();
    void OnPaint();
    void OnDrawItem(int id, LPDRAWITEMSTRUCT dis);
    BOOL OnHelpInfo(HELPINFO* info);
    // F1 on a control of the Magnify page: the context text for it, or nullptr.
    static const char* ContextHelpText(int controlId);
    DECLARE_MESSAGE_MAP()
};

// The one options sheet object (from start-up to exit).
extern CMainSheet* g_pMainSheet;
// Screen rectangle of the options window when it was last opened or moved.
extern RECT g_rcLastSheet;

// The skin the program shows before the user has stored any scheme: a soft
// vertical gradient on the button face with a light blue tint.
SkinScheme DefaultSkin();
