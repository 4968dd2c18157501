// CWinApp: the application object, its message loop, its profile (the INI
// file beside the program) and its help file path.
#pragma once

#include <windows.h>

#include <string>

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Start-up; FALSE ends the process at once.
    virtual BOOL InitInstance() { return TRUE; }
    // Runs after the message loop; its result is the exit code.
    virtual int ExitInstance() { return m_exitCode; }
    // The message loop, until WM_QUIT.
    virtual int Run();

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    // The program's full file name, and the help file that ShowHelpTopic
    // opens: by default the program's name with ".HLP" for its extension,
    // until the application names its own.
    std::string m_exeName;
    std::string m_helpFilePath;
    // The INI file read and written by the profile operations.
    std::string m_profileName;

    std::string GetProfileString(const char* section, const char* key,
                                 const char* szDefault = "") const;
    BOOL WriteProfileInt(const char* section, const char* key, int nValue) const;
    BOOL WriteProfileString(const char* section, const char* key, const char* value) const;

    // Loads a string resource of the program.
    static std::string LoadString(UINT id);

protected:
    int m_exitCode = 0;
};

CWinApp* AfxGetApp();
// The full path of a module's file, however long; empty when it cannot be read.
std::string ModuleFileName(HMODULE module);
// The application title (string 57344), the caption of the program's message boxes.
int AfxMessageBox(const char* text, UINT type = MB_OK | MB_ICONEXCLAMATION, HWND owner = nullptr);
// Runs the application object: InitInstance, the loop, ExitInstance.
int AfxWinMain(HINSTANCE hInstance);
