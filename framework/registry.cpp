#include "registry.h"

#include <QCoreApplication>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

struct RegistryKey {
    fs::path folder;
};

namespace {
RegistryKey g_localMachine;
} // namespace

const HKEY HKEY_LOCAL_MACHINE = &g_localMachine;
const char* const kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

namespace {

// An argument of Exec: quoted, with the characters desktop entries reserve escaped,
// then the string-value escape applied to backslashes.
std::string ExecArgument(const std::string& path) {
    std::string quoted = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    std::string value;
    for (char c : quoted) {
        if (c == '\\')
            value += "\\\\";
        else if (c == '%')
            value += "%%";
        else
            value += c;
    }
    return value;
}

// A plain string value: backslashes and line breaks escaped.
std::string StringValue(const std::string& text) {
    std::string value;
    for (char c : text) {
        if (c == '\\')
            value += "\\\\";
        else if (c == '\n')
            value += "\\n";
        else if (c == '\r')
            value += "\\r";
        else
            value += c;
    }
    return value;
}

fs::path EntryPath(HKEY key, const char* name) { return key->folder / (std::string(name) + ".desktop"); }

} // namespace

std::string AutostartFolder() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        return (fs::path(config) / "autostart").string();
    if (const char* home = std::getenv("HOME"); home && *home)
        return (fs::path(home) / ".config" / "autostart").string();
    return {};
}

LONG RegCreateKeyA(HKEY parent, const char* subKey, HKEY* result) {
    if (parent != HKEY_LOCAL_MACHINE || !subKey || std::string(subKey) != kRunKey || !result)
        return ERROR_FILE_NOT_FOUND;
    const std::string folder = AutostartFolder();
    std::error_code ec;
    if (folder.empty() || (!fs::create_directories(folder, ec) && !fs::is_directory(folder, ec)))
        return ERROR_ACCESS_DENIED;
    *result = new RegistryKey{folder};
    return ERROR_SUCCESS;
}

LONG RegSetValueExA(HKEY key, const char* name, DWORD, DWORD type, const std::string& data) {
    if (!key || !name || type != REG_SZ)
        return ERROR_FILE_NOT_FOUND;
    std::error_code ec;
    const std::string directory = fs::current_path(ec).string();
    std::ofstream entry(EntryPath(key, name), std::ios::binary | std::ios::trunc);
    entry << "[Desktop Entry]\n"
          << "Type=Application\n"
          << "Name=Wordmill\n"
          << "Comment=背单词提醒\n"
          << "Exec=" << ExecArgument(data) << "\n"
          // Data files are found in the current directory: start where the learner set up.
          << "Path=" << StringValue(directory) << "\n"
          << "Terminal=false\n";
    entry.close();
    return entry ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

LONG RegDeleteValueA(HKEY key, const char* name) {
    if (!key || !name)
        return ERROR_FILE_NOT_FOUND;
    std::error_code ec;
    return fs::remove(EntryPath(key, name), ec) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

LONG RegCloseKey(HKEY key) {
    if (key != HKEY_LOCAL_MACHINE)
        delete key;
    return ERROR_SUCCESS;
}

std::string GetModuleFileNameA() { return QCoreApplication::applicationFilePath().toStdString(); }
