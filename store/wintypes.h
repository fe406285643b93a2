// The few Windows scalar types the program's own code is written against.
#pragma once

#include <cstdint>

// On Windows the very types the system headers declare, so that both can meet.
using BOOL = int;
using UINT = unsigned int;
#ifdef _WIN32
using DWORD = unsigned long;
using HRESULT = long;
#else
using DWORD = std::uint32_t;
using HRESULT = std::int32_t;
#endif

#ifndef TRUE
constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;
#endif
