// The shell's own calls, kept apart: its headers declare names the framework's use too.
// Private to the Win32 backend.
#pragma once

#include <windows.h>

#include <string>

bool AddNotifyIcon(HWND window, UINT id, UINT callbackMessage, UINT iconResource,
                   const std::string& tip);
bool DeleteNotifyIcon(HWND window, UINT id);
INT_PTR OpenWithShell(HWND owner, const std::string& verb, const std::string& file,
                      const std::string& parameters, const std::string& directory, int showCmd);
