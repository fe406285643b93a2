// Wordmill.exe as a learner uses it, under Wine: its version resource read as Explorer reads
// it; started in a fresh data folder, the first start's question put off, the about box
// looked at, the browse drill opened, three words graded (one missed), the drill and the
// program closed. Then read.ini is read with the system's own profile functions and
// danci.mdb with SQLite.
#include "store/sqlite_util.h"

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

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

// A string of the program's version resource, in the block its translation names.
std::wstring VersionString(const std::vector<char>& info, const wchar_t* name) {
    struct Translation {
        WORD language, codePage;
    }* translation = nullptr;
    UINT size = 0;
    if (!VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &size) ||
        size < sizeof *translation)
        return L"<no translation>";
    wchar_t path[64];
    std::swprintf(path, 64, L"\\StringFileInfo\\%04x%04x\\%ls", translation->language,
                  translation->codePage, name);
    wchar_t* value = nullptr;
    if (!VerQueryValueW(info.data(), path, reinterpret_cast<void**>(&value), &size))
        return L"<none>";
    return value;
}

void CheckVersionResource() {
    std::vector<char> info(GetFileVersionInfoSizeW(WORDMILL_PROGRAM, nullptr));
    if (info.empty() ||
        !GetFileVersionInfoW(WORDMILL_PROGRAM, 0, static_cast<DWORD>(info.size()), info.data())) {
        Check(false, "Wordmill.exe has a version resource");
        return;
    }
    Check(VersionString(info, L"FileDescription") == L"Wordmill 背单词",
          "its description reads \"Wordmill 背单词\"");
    Check(VersionString(info, L"ProductVersion") == WORDMILL_VERSION &&
              VersionString(info, L"FileVersion") == WORDMILL_VERSION,
          "its version strings are the project's");
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    wchar_t numbers[32] = L"";
    if (VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &size) && fixed)
        std::swprintf(numbers, 32, L"%u.%u.%u", HIWORD(fixed->dwFileVersionMS),
                      LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS));
    Check(std::wstring(numbers) == WORDMILL_VERSION, "and so is its version number");
}

// The text of the first child window whose text starts with `start`.
std::wstring ChildTextStarting(HWND window, const std::wstring& start) {
    struct Search {
        const std::wstring* start;
        std::wstring found;
    } search{&start, L""};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            const std::wstring text = TextOf(child);
            if (text.rfind(*s->start, 0) != 0)
                return TRUE;
            s->found = text;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
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
    CheckVersionResource();
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
    HWND first = nullptr;
    Check(WaitFor([&] {
              return (first = FindWindowOf(program.dwProcessId, L"欢迎使用 Wordmill")) != nullptr;
          }),
          "the first start asks which exam");
    if (first) {
        Press(first, IDCANCEL); // 以后再说
        Check(WaitFor([&] { return !IsWindow(first); }), "and can be put off");
    }
    if (main) {
        Check(TextOf(GetDlgItem(main, 1103)).find(L"CET6") != std::wstring::npos,
              "the status line names the bank in use");
        PostMessageW(main, WM_SYSCOMMAND, 0x10, 0); // 关于 Wordmill
        HWND about = nullptr;
        Check(WaitFor([&] {
                  return (about = FindWindowOf(program.dwProcessId, L"关于 Wordmill")) != nullptr;
              }),
              "the about box opens");
        if (about) {
            Check(ChildTextStarting(about, L"Wordmill ") ==
                      L"Wordmill " WORDMILL_VERSION_SHORT L" 版",
                  "the about box names the project's version");
            Press(about, IDOK);
            Check(WaitFor([&] { return !IsWindow(about); }), "the about box closes");
        }
    }
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
    Check(GetPrivateProfileIntW(L"system", L"CET", 7, ini.c_str()) == 7,
          "putting the first start off chose no bank");

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
