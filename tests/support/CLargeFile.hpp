// A file past 4 GiB for the tests of sizes and positions; sparse, so it takes no room on the disk.
#pragma once

#include <windows.h>

#include <string>

namespace VolturaTests
{
class CLargeFile
{
public:
    // 4 GiB and 5 bytes: the low word of its size alone reads 5.
    static constexpr long long kSize = 0x100000005LL;

    static bool create(const std::string& path)
    {
        HANDLE handle =
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return false;
        LARGE_INTEGER size;
        size.QuadPart = kSize;
        const bool made = SetFilePointerEx(handle, size, nullptr, FILE_BEGIN) && SetEndOfFile(handle);
        CloseHandle(handle);
        return made;
    }
};
} // namespace VolturaTests
