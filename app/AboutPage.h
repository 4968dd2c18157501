// CAboutPage: the options window's About page.
#pragma once

#include "skin/SkinnedPage.h"

class CAboutPage : public CSkinnedPage {
public:
    CAboutPage();

protected:
    void OnHelp();
    void OnSkin();
    DECLARE_MESSAGE_MAP()
};
