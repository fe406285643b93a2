#include "framework/registry.h"

#include "support/scoped_env.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace {

// The string-value escapes, undone as a desktop session reads them.
std::string ReadStringValue(const std::string& value) {
    std::string text;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        const char c = value[++i];
        text += c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c == 's' ? ' ' : c;
    }
    return text;
}

// One quoted Exec argument, unquoted and with %% read back.
std::string ReadExecArgument(const std::string& value) {
    const std::string text = ReadStringValue(value);
    std::string arg;
    for (size_t i = 1; i + 1 < text.size(); ++i) {
        if (text[i] == '\\')
            ++i;
        else if (text[i] == '%')
            ++i;
        arg += text[i];
    }
    return arg;
}

// Whatever the program's and the folder's names hold, the entry has exactly its keys,
// and Exec and Path read back as the names.
TEST(Autostart, EntryValuesAreEscapedSoNothingCanInjectALine) {
    TempDir dir;
    dir.Enter(); // the working folder comes back when the test ends
    const ScopedEnv config("XDG_CONFIG_HOME", dir.file("config"));
    const std::string names[] = {"plain",
                                 "with space",
                                 "new\nline",
                                 "tab\there",
                                 "100%",
                                 "quote\"$`\\",
                                 "Exec=evil\n[Desktop Entry]\nExec=sh"};
    for (const std::string& name : names) {
        const std::filesystem::path folder = dir.path() / ("d-" + name);
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
        HKEY run = nullptr;
        ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, kRunKey, &run), ERROR_SUCCESS);
        const std::string program = (folder / ("Word" + name)).string();
        ASSERT_EQ(RegSetValueExA(run, "MyAutoRun", 0, REG_SZ, program), ERROR_SUCCESS) << name;
        RegCloseKey(run);

        std::istringstream entry(dir.Read("config/autostart/MyAutoRun.desktop"));
        std::vector<std::string> keys;
        std::string line, exec, path;
        while (std::getline(entry, line)) {
            keys.push_back(line.substr(0, line.find('=')));
            if (line.starts_with("Exec="))
                exec = ReadExecArgument(line.substr(5));
            if (line.starts_with("Path="))
                path = ReadStringValue(line.substr(5));
        }
        EXPECT_EQ(keys, (std::vector<std::string>{"[Desktop Entry]", "Type", "Name", "Comment",
                                                  "Exec", "Path", "Terminal"}))
            << name;
        EXPECT_EQ(exec, program);
        EXPECT_EQ(path, folder.string());
    }
    // A name that is not UTF-8 cannot be written as a desktop entry at all.
    HKEY run = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, kRunKey, &run), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(run, "Other", 0, REG_SZ, "/bad\xff/Wordmill"), ERROR_INVALID_DATA);
    RegCloseKey(run);
    EXPECT_FALSE(std::filesystem::exists(dir.file("config/autostart/Other.desktop")));
}

} // namespace
