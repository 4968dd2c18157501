// CToolboxApp: the application object. One copy runs per desktop; it works
// out the program's paths and creates the hidden tray window.
#pragma once

#include "app/AppPaths.h"
#include "framework/App.h"

class CTrayWnd;

class CToolboxApp : public CWinApp {
public:
    BOOL InitInstance() override;

    // Full path of scheme.dat; empty when the program's folder is unknown.
    char m_szSchemePath[kSchemePathSize] = "";
    int m_nRecordToggles = 0;
    int m_nLastPage = 0;

private:
    BOOL CreateTrayWindow();
};

CToolboxApp* ToolboxApp();
