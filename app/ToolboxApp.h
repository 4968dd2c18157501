// CToolboxApp: the application object. One copy runs per desktop; it works
// out the program's paths and creates the hidden tray window.
#pragma once

#include <memory>
#include <string>

#include "framework/App.h"

class CTrayWnd;

class CToolboxApp : public CWinApp {
public:
    CToolboxApp();
    ~CToolboxApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Full path of scheme.dat in the program's folder; empty when the
    // program's folder is unknown.
    std::string m_szSchemePath;
    // Full path of tips.txt beside scheme.dat: Tip of the Day reads it there
    // whatever the current folder is. Empty like m_szSchemePath.
    std::string m_szTipsPath;
    int m_nRecordToggles = 0;
    int m_nLastPage = 0;

private:
    BOOL CreateTrayWindow();
    // The tray window object outlives its window: it is freed only once the
    // message loop has ended, so no handler ever runs on a freed object.
    std::unique_ptr<CTrayWnd> m_tray;
};

CToolboxApp* ToolboxApp();
