// The registry calls the program makes for starting with the desktop session. The Run
// key stands for the user's autostart folder ($XDG_CONFIG_HOME/autostart); a value under
// it is a desktop entry of that name that starts the program in the current directory.
#pragma once

#include "framework/wintypes_ui.h"

#include <string>

extern const char* const kRunKey; // "Software\Microsoft\Windows\CurrentVersion\Run"

#ifndef _WIN32
struct RegistryKey;
using HKEY = RegistryKey*;

// The learner's own key: no administrator rights are needed to start with the session.
extern const HKEY HKEY_CURRENT_USER;

// Opens the key, creating it (the autostart folder) when missing.
LONG RegCreateKeyA(HKEY parent, const char* subKey, HKEY* result);
LONG RegDeleteValueA(HKEY key, const char* name);
LONG RegCloseKey(HKEY key);
#endif

// Writes the value: for the Run key, an entry that starts `data` (a program path) in the
// current directory, where its data files are.
LONG RegSetValueExA(HKEY key, const char* name, DWORD reserved, DWORD type,
                    const std::string& data);

// The running program's full path, whole.
std::string GetModuleFileNameA();

// The name and comment the autostart entry shows; the program sets its own.
void SetAutostartIdentity(std::string name, std::string comment);

// The autostart folder the Run key stands for.
std::string AutostartFolder();
