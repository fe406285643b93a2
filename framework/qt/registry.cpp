#include "framework/registry.h"

#include "store/atomic_file.h"
#include "store/text_util.h"

#include <QCoreApplication>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

struct RegistryKey {
    fs::path folder;
};

namespace {
RegistryKey g_currentUser;
// Made on first use: the program sets them from its application object's constructor,
// which may run before this file's globals are made.
struct EntryIdentity {
    std::string name = "Autostart";
    std::string comment;
};
EntryIdentity& Identity() {
    static EntryIdentity identity;
    return identity;
}
} // namespace

void SetAutostartIdentity(std::string name, std::string comment) {
    Identity() = {std::move(name), std::move(comment)};
}

const HKEY HKEY_CURRENT_USER = &g_currentUser;
const char* const kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

namespace {

// A string value: the escapes desktop entries define, so that no character of the text
// can end the line or start another key.
std::string StringValue(const std::string& text) {
    std::string value;
    for (char c : text) {
        switch (c) {
        case '\\':
            value += "\\\\";
            break;
        case '\n':
            value += "\\n";
            break;
        case '\r':
            value += "\\r";
            break;
        case '\t':
            value += "\\t";
            break;
        default:
            value += c;
        }
    }
    return value;
}

// An argument of Exec: quoted, with the characters reserved inside quotes escaped, field
// codes' % doubled, then written as a string value.
std::string ExecArgument(const std::string& path) {
    std::string quoted = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c == '%' ? std::string("%%") : std::string(1, c);
    }
    quoted += '"';
    return StringValue(quoted);
}

fs::path EntryPath(HKEY key, const char* name) {
    return key->folder / (std::string(name) + ".desktop");
}

} // namespace

std::string AutostartFolder() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        return (fs::path(config) / "autostart").string();
    if (const char* home = std::getenv("HOME"); home && *home)
        return (fs::path(home) / ".config" / "autostart").string();
    return {};
}

LONG RegCreateKeyA(HKEY parent, const char* subKey, HKEY* result) {
    if (parent != HKEY_CURRENT_USER || !subKey || std::string(subKey) != kRunKey || !result)
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
    // Desktop entries are UTF-8 throughout: a name that is not cannot be written safely.
    if (ec || !text::IsValidUtf8(data) || !text::IsValidUtf8(directory))
        return ERROR_INVALID_DATA;
    std::ostringstream entry;
    entry << "[Desktop Entry]\n"
          << "Type=Application\n"
          << "Name=" << StringValue(Identity().name) << "\n"
          << "Comment=" << StringValue(Identity().comment) << "\n"
          << "Exec=" << ExecArgument(data)
          << "\n"
          // Data files are found in the current directory: start where the learner set up.
          << "Path=" << StringValue(directory) << "\n"
          << "Terminal=false\n";
    // Written whole: a desktop session never reads half an entry.
    return ReplaceFileAtomically(EntryPath(key, name), entry.str()) ? ERROR_SUCCESS
                                                                    : ERROR_ACCESS_DENIED;
}

LONG RegDeleteValueA(HKEY key, const char* name) {
    if (!key || !name)
        return ERROR_FILE_NOT_FOUND;
    std::error_code ec;
    return fs::remove(EntryPath(key, name), ec) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

LONG RegCloseKey(HKEY key) {
    if (key != HKEY_CURRENT_USER)
        delete key;
    return ERROR_SUCCESS;
}

std::string GetModuleFileNameA() {
    return QCoreApplication::applicationFilePath().toStdString();
}
