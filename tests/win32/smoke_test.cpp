// Wordmill.exe as a learner uses it, under Wine: started in a fresh data folder, the browse
// drill opened, three words graded (one missed), the drill and the program closed. Then
// read.ini is read with the system's own profile functions and danci.mdb with SQLite.
#include "store/sqlite_util.h"

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>

namespace {

int g_failed = 0, g_passed = 0;

void Check(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
    (ok ? g_passed : g_failed)++;
}

// Waits for a condition, polling; false when it never came.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 20000) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        if (condition())
            return true;
        Sleep(50);
    }
    return condition();
}

std::wstring TextOf(HWND window) {
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return text;
}

// The visible top-level window of the process with that caption.
HWND FindWindowOf(DWORD process, const std::wstring& caption) {
    struct Search {
        DWORD process;
        const std::wstring* caption;
        HWND found = nullptr;
    } search{process, &caption};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->process && IsWindowVisible(window) && TextOf(window) == *s->caption) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string Narrow(const std::wstring& wide) {
    std::string out(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr,
                                                            0, nullptr, nullptr)),
                    '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, out.data(), static_cast<int>(out.size()),
                        nullptr, nullptr);
    out.pop_back();
    return out;
}

// What a click on a dialog's button sends it.
void Press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Clicks a button of the drill, then waits until its left button, which names the answer
// phase, says `then`.
bool Click(HWND drill, int id, const wchar_t* then) {
    Press(drill, id);
    return WaitFor([&] { return TextOf(GetDlgItem(drill, 1011)) == then; });
}

std::wstring Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t day[16];
    std::swprintf(day, 16, L"%04d%02d%02d", now.wYear, now.wMonth, now.wDay);
    return day;
}

} // namespace

int main() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"wordmill-smoke-" +
                                std::to_wstring(GetCurrentProcessId()) + L"-" +
                                std::to_wstring(GetTickCount64());
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring database = folder + L"\\danci.mdb";
    Check(CopyFileW(WORDMILL_DATABASE, database.c_str(), FALSE), "a data folder with danci.mdb");

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION program{};
    std::wstring command = L"\"" WORDMILL_PROGRAM L"\"";
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &program)) {
        Check(false, "Wordmill.exe starts");
        return 1;
    }
    HWND main = nullptr;
    Check(
        WaitFor([&] { return (main = FindWindowOf(program.dwProcessId, L"Wordmill")) != nullptr; }),
        "the main window shows");
    HWND drill = nullptr;
    if (main) {
        Press(main, 1000); // 浏览背单词
        Check(WaitFor(
                  [&] { return (drill = FindWindowOf(program.dwProcessId, L"浏览")) != nullptr; }),
              "the browse drill opens");
    }
    if (drill) {
        Check(Click(drill, 1011, L"正确") && Click(drill, 1012, L"记得"), "a word missed");
        Check(Click(drill, 1011, L"正确") && Click(drill, 1011, L"记得"), "a word known");
        Check(Click(drill, 1012, L"下一个") && Click(drill, 1011, L"记得"), "a word forgotten");
        PostMessageW(drill, WM_CLOSE, 0, 0);
        Check(WaitFor([&] { return !IsWindow(drill); }), "the drill closes");
        PostMessageW(main, WM_CLOSE, 0, 0);
    }
    Check(WaitForSingleObject(program.hProcess, 20000) == WAIT_OBJECT_0, "the program ends");
    if (WaitForSingleObject(program.hProcess, 0) != WAIT_OBJECT_0)
        TerminateProcess(program.hProcess, 1);
    CloseHandle(program.hThread);
    CloseHandle(program.hProcess);

    // read.ini, as Windows itself reads it.
    const std::wstring ini = folder + L"\\read.ini";
    wchar_t day[16] = L"";
    GetPrivateProfileStringW(L"CET6", L"tr", L"", day, 16, ini.c_str());
    Check(day == Today(), "read.ini holds today's day key");
    Check(GetPrivateProfileIntW(L"CET6", L"trmount", -1, ini.c_str()) == 3, "and 3 new words");
    Check(GetPrivateProfileIntW(L"CET6", L"rmount", -1, ini.c_str()) == 3, "and position 3");

    // danci.mdb: the two misses, dated today.
    try {
        sqlite::Database db(Narrow(database), SQLITE_OPEN_READONLY);
        sqlite::Statement rows(db, "SELECT count(*), min(time) FROM readfuxi");
        rows.Step();
        const std::wstring today = Today();
        const std::string date =
            Narrow(today.substr(0, 4) + L"-" + today.substr(4, 2) + L"-" + today.substr(6, 2));
        Check(rows.Int64(0) == 2 && rows.Text(1) && date == rows.Text(1),
              "readfuxi holds the two missed words, dated today");
    } catch (const sqlite::Error& e) {
        std::printf("%s\n", e.what());
        Check(false, "danci.mdb can be read");
    }
    for (const wchar_t* name : {L"\\danci.mdb", L"\\read.ini"})
        DeleteFileW((folder + name).c_str());
    RemoveDirectoryW(folder.c_str());
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}
