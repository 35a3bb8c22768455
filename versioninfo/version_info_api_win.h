// The interface of VersionInfo.dll as both sides see it: two exports, stdcall, five arguments of
// the platform's word (32-bit in the 32-bit build), texts as counted texts (common/counted_text.h).
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/form_win.h"

namespace tarnwick {

inline constexpr const char* kVersionLibrary = "VersionInfo.dll";
inline constexpr const char* kSysVersion = "SysVersion";
inline constexpr const char* kFrmVersionInfoShow = "frmVersionInfoShow";

// Stores in *version the product version of the program among the files of `folder` that match
// `patterns` ("*.dll|*.exe"), for the first of `products` ("Tarnwick") whose executable is
// there; null when none is found. The caller owns the text and releases it. `number` is
// reserved: callers pass 0.
using SysVersionFunction = void(__stdcall*)(char** version, const char* patterns,
                                            const char* folder, int32_t number,
                                            const char* products);

// A window, owned by the library, that lists the files of `folder` matching `patterns` with
// their version resources, the files of `products` ("Tarnwick|Bellmoor") first. The caller shows
// it with ShowModal and neither destroys it nor unloads the library; the window lives until the
// next call. `application` is the window that owns the program's windows.
using FrmVersionInfoShowFunction = Form*(__stdcall*)(HWND application, const char* patterns,
                                                     const char* folder, int32_t number,
                                                     const char* products);

// An export found by GetProcAddress, as the function it is.
template <class Function>
Function ExportAs(FARPROC address) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

// In the 32-bit build every argument is one 32-bit stack slot: 20 bytes, removed by the callee.
static_assert(sizeof(void*) == 8 ||
              (sizeof(char**) == 4 && sizeof(const char*) == 4 && sizeof(HWND) == 4 &&
               sizeof(int32_t) == 4 && sizeof(Form*) == 4));

}  // namespace tarnwick
