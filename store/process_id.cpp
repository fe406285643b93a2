#include "store/process_id.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <string_view>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {

#ifdef _WIN32
using Pid = DWORD;

Pid CurrentPid() {
    return GetCurrentProcessId();
}

// The creation time of a running process; nothing once it has ended.
std::optional<std::string> StartOf(Pid pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process)
        return std::nullopt;
    FILETIME created{}, exited{}, kernel{}, user{};
    DWORD exitCode = 0;
    const bool running = GetExitCodeProcess(process, &exitCode) && exitCode == STILL_ACTIVE &&
                         GetProcessTimes(process, &created, &exited, &kernel, &user);
    CloseHandle(process);
    if (!running)
        return std::nullopt;
    return std::to_string((static_cast<std::uint64_t>(created.dwHighDateTime) << 32) |
                          created.dwLowDateTime);
}
#else
using Pid = pid_t;

Pid CurrentPid() {
    return getpid();
}

// Where the system tells a process's start (Linux), that; elsewhere only whether a
// process of that number runs.
std::optional<std::string> StartOf(Pid pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (stat && std::getline(stat, line)) {
        // The state is the 3rd field and the start time the 22nd; the name before them may
        // hold blanks and ')'.
        std::istringstream fields(line.substr(line.rfind(')') + 1));
        std::string state, field;
        fields >> state;
        // Killed but not yet reaped by its parent (a zombie), or on its way out: it runs no
        // more, though its number and start are still there.
        if (state == "Z" || state == "X" || state == "x")
            return std::nullopt;
        for (int i = 4; i <= 22 && fields >> field; ++i) {
        }
        return field;
    }
    if (kill(pid, 0) == 0 || errno == EPERM)
        return std::string("?");
    return std::nullopt;
}
#endif

} // namespace

std::string ThisProcess() {
    const Pid pid = CurrentPid();
    return std::to_string(pid) + ":" + StartOf(pid).value_or("?");
}

bool ProcessIsRunning(const std::string& process) {
    const std::string_view text = process;
    const size_t colon = text.find(':');
    Pid pid = 0;
    if (colon == std::string_view::npos ||
        std::from_chars(text.data(), text.data() + colon, pid).ec != std::errc() ||
        static_cast<long long>(pid) <= 0)
        return false;
    const std::optional<std::string> start = StartOf(pid);
    return start && *start == text.substr(colon + 1);
}
