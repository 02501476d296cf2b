#pragma once
// The Windows types and records that the program reads. Windows builds take
// them from the system headers; the host build takes them from our stand-in,
// which tests can script. Everything above this layer includes this header
// and nothing else from the platform.

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// Wide literals: WCHAR is wchar_t on Windows and char16_t on the host.
#define WIDE(literal) L##literal
// Address fields are real pointers on Windows.
inline DWORD_PTR AddressBits(const void* address) {
  return reinterpret_cast<DWORD_PTR>(address);
}
#else
#include "platform/host/host_windows.h"
#define WIDE(literal) u##literal
inline DWORD_PTR AddressBits(DWORD_PTR address) { return address; }
#endif

using Char = WCHAR;

static_assert(sizeof(Char) == 2, "text is UTF-16 on every build");
static_assert(sizeof(OSVERSIONINFOEXW) == 284,
              "the extended version record is 284 bytes on every build");
static_assert(sizeof(DWORD) == 4 && sizeof(WORD) == 2 && sizeof(BYTE) == 1,
              "record fields keep their published widths");

// Digits that "%p" prints: the width of an address in this process. A 32-bit
// process (the product, and the host stand-in that imitates it) shows eight;
// the 64-bit build shows sixteen so that no address is cut.
constexpr int kAddressDigits = static_cast<int>(2 * sizeof(DWORD_PTR));
