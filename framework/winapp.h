// The application object: owns the GUI application for the run, as the framework's
// application class does.
#pragma once

#include "framework/wintypes_ui.h"

#include <memory>
#include <string>

class CDialog;

#ifndef _WIN32
using HINSTANCE = void*;
#endif

class CWinApp {
public:
    // No name: the name is the program file's, without its extension.
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The main window has painted for the first time; TRUE ends it (a start-up probe).
    virtual BOOL OnMainWindowFirstPaint() { return FALSE; }

    // The program's entry: makes the GUI application unless one exists, runs
    // InitInstance, a message loop only when it returned TRUE, then ExitInstance.
    int Run(int argc, char** argv);

    void Enable3dControlsStatic() {} // nothing to do: every control is drawn in 3-D here

    CDialog* m_pMainWnd = nullptr;
    std::string m_pszAppName;

private:
    std::shared_ptr<void> m_backend; // what the backend keeps for the run (Qt: its application)
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
// The application's name: the caption of message boxes.
std::string AfxGetAppName();
// COM start-up stand-in; there is nothing to start.
BOOL AfxOleInit();
