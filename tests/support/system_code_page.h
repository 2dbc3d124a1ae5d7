// The code-page converter of the platform the tests run on.
#pragma once
#ifdef _WIN32
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_file_system.h"
#else
#include "platform/native/native_code_page.h"
#include "platform/native/native_file_system.h"
#endif

namespace pel::testing {

#ifdef _WIN32
using SystemCodePage = Win32CodePage;
using SystemFileSystem = Win32FileSystem;
#else
using SystemCodePage = NativeCodePage;
using SystemFileSystem = NativeFileSystem;
#endif

}  // namespace pel::testing
