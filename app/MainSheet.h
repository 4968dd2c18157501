// CMainSheet: the options window, a modal sheet of four pages. Its one object lives for the
// whole run, owned by the tray window; its window only while the options window is open.
#pragma once

#include <string>

#include "app/AboutPage.h"
#include "capture/CapturePage.h"
#include "color/AutoClickPage.h"
#include "magnify/MagnifyPage.h"
#include "skin/SkinnedSheet.h"

class CMainSheet : public CSkinnedSheet {
public:
    // The Color page shows and changes the picker's state, which the tray window owns too.
    CMainSheet(CWnd* pParent, PickerState& picker);

    // Fills the current skin from scheme.dat (the first scheme, or once per
    // run a random one when RandomSkin is set).
    void LoadCurrentSkin();

    // Screen rectangle of the options window when it was last opened or moved: where the tray's
    // animations of it start and end.
    RECT m_rcLast = {0, 0, 0, 0};

protected:
    BOOL OnInitDialog() override;
    void OnMove(int x, int y);
    void OnDestroy();
    void OnPaint();
    void OnDrawItem(int id, LPDRAWITEMSTRUCT dis);
    BOOL OnHelpInfo(HELPINFO* info);
    // F1 on a control of the Magnify page: the context text for it, or "".
    static std::string ContextHelpText(int controlId);
    DECLARE_MESSAGE_MAP()

private:
    // Made in the library's start-up order (magnifier, capture, colour picker): each page
    // object hands its hotkey to the library when it is made.
    CMagnifyPage m_magnifyPage;
    CScreenCapture m_capturePage;
    CAutoClick m_colorPage;
    CAboutPage m_aboutPage;
    // The random pick at start-up is made once a run.
    bool m_randomPickMade = false;
};

// The skin the program shows before the user has stored any scheme: a soft
// vertical gradient on the button face with a light blue tint.
SkinScheme DefaultSkin();
