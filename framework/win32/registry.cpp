#include "framework/registry.h"

#include "framework/win32/wide.h"

const char* const kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The Run key starts programs in the system folder: the entry names the data folder, and
// the program makes it its current directory (see the application's main).
LONG RegSetValueExA(HKEY key, const char* name, DWORD, DWORD type, const std::string& data) {
    wchar_t folder[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, folder);
    const std::wstring command = L"\"" + Wide(data) + L"\" \"" + folder + L"\"";
    return RegSetValueExW(key, Wide(name ? name : "").c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(command.c_str()),
                          static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
}

std::string GetModuleFileNameA() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return Utf8(path);
        }
        path.resize(path.size() * 2);
    }
}

// The Run key shows only the value's name; there is nothing more to name.
void SetAutostartIdentity(std::string, std::string) {}

std::string AutostartFolder() {
    return std::string("HKEY_CURRENT_USER\\") + kRunKey;
}
