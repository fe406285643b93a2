// Paths are UTF-8 text inside the program (a data folder under C:\Users\张三\ works); the
// system gets them in its own form.
#pragma once

#include <filesystem>
#include <string>

inline std::filesystem::path PathOf(const std::string& utf8) {
#ifdef _WIN32
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
#else
    return std::filesystem::path(utf8);
#endif
}

inline std::string Utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}
