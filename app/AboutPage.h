// CAboutPage: the options window's About page.
#pragma once

#include "framework/PropertySheet.h"

class CAboutPage : public CPropertyPage {
public:
    CAboutPage();

protected:
    void OnHelp();
    DECLARE_MESSAGE_MAP()
};
