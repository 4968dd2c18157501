// CAboutPage: the options window's About page: the product's name, its help,
// and the way to the skin dialog, Tip of the Day and the product's web page.
#pragma once

#include "framework/Gdi.h"
#include "skin/SkinButton.h"
#include "skin/SkinnedPage.h"

class CMainSheet;

class CAboutPage : public CSkinnedPage {
public:
    // The sheet the page is on, whose skin the skin dialog edits.
    explicit CAboutPage(CMainSheet& sheet);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnSkin();
    void OnTipOfDay();
    void OnWebPage();
    DECLARE_MESSAGE_MAP()

    CSkinButton m_btnHelp;
    CSkinButton m_btnSkin;
    CSkinButton m_btnTip;
    CSkinButton m_btnWeb;
    // The picture beside the name. The page owns it: a picture a static control loads from the
    // template itself outlives the control under Wine, one more for every opening.
    CBitmap m_picture;

private:
    CMainSheet& m_sheet;
};
