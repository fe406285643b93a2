// The few Windows scalar types the program's own code is written against.
#pragma once

#include <cstdint>

using BOOL = int;
using UINT = unsigned int;
using DWORD = std::uint32_t;
using HRESULT = std::int32_t;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;
