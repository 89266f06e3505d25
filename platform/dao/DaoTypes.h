#pragma once

#include <cstdint>

// The integer widths the record layer works with: record numbers and longs are 32-bit
// signed, yes/no flags are 32-bit integers that read any non-zero value as yes.
using LONG = std::int32_t;
using DWORD = std::uint32_t;
using BOOL = int;
using UINT = unsigned int;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
