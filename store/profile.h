// Settings file access in the shape of the Windows profile functions.
// Every call reads or rewrites the file at that moment; nothing is cached.
#pragma once

#include "store/wintypes.h"

#include <string>
#include <vector>

// The process's current directory, whole (no length limit).
std::string GetCurrentDirectoryA();

// "<dir>/read.ini" style join; a directory given with or without a trailing separator.
std::string JoinPath(const std::string& dir, const std::string& name);

// The leading signed number of the value's first 29 characters, as the platform reads it:
// decimal, or hexadecimal, octal or binary after "0x", "0o" or "0b", wrapping modulo 2^32;
// 0 when the value does not start with one; `nDefault` when the file, section or key is
// missing or the value is empty.
UINT GetPrivateProfileIntA(const char* section, const char* key, int nDefault,
                           const std::string& path);

// Copies at most nSize-1 characters of the value (or of `def`) into `out` and
// NUL-terminates it; returns the number of characters copied.
DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* def, char* out,
                               DWORD nSize, const std::string& path);

// Sets key=value, creating the file, section and key as needed and keeping every
// other line as it was. The file is replaced atomically. FALSE on failure.
BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                const std::string& path);

// Several keys of one section in one replacement of the file, in this order: what the
// drills write after every word, so one write holds the day, the count and the position.
struct ProfileKey {
    std::string name, value;
};
BOOL WriteProfileKeys(const std::string& section, const std::vector<ProfileKey>& keys,
                      const std::string& path);

// Why the write that just failed failed, in plain words for the learner.
std::string LastWriteFailure();
