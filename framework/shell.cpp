// The shell's requests on every backend: the services in use (the system's, or a test's)
// and the calls the program makes.
#include "framework/shell.h"

namespace {
NotificationArea* g_area = nullptr;
ShellService* g_shell = nullptr;
} // namespace

NotificationArea& GetNotificationArea() {
    return g_area ? *g_area : SystemNotificationArea();
}

void SetNotificationArea(NotificationArea* area) {
    g_area = area;
}

BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATA* data) {
    if (!data || !data->hWnd)
        return FALSE;
    switch (message) {
    case NIM_ADD:
        return GetNotificationArea().Add(*data);
    case NIM_DELETE:
        return GetNotificationArea().Delete(*data);
    default:
        return FALSE;
    }
}

ShellService& GetShellService() {
    return g_shell ? *g_shell : SystemShellService();
}

void SetShellService(ShellService* service) {
    g_shell = service;
}

INT_PTR ShellExecuteA(CDialog*, const char* verb, const char* file, const char*, const char*,
                      int showCmd) {
    if (!file || (verb && std::string(verb) != "open"))
        return 0;
    return GetShellService().Open(file, showCmd);
}
