// The application probe library (built beside the test programs), and copies of it under other names: a
// copy is a library of its own to the loader.
#pragma once

#include "tests/support/CTemporaryFolder.hpp"

#include <windows.h>

#include <string>

namespace VolturaTests
{
class CProbeLibrary
{
public:
    // Its texts are 0 company, 1 product, 2 description, 3 version, 4 registry key, 5 notice, 6 path.
    typedef bool (*TextReader)(int which, char* out, long size);
    typedef void (*Detach)();
    typedef bool (*ImageLoader)(const char* name);

    static constexpr const char* kProductName = "Probe Edition";

    static std::string builtPath()
    {
        char program[MAX_PATH + 1] = {};
        GetModuleFileNameA(nullptr, program, MAX_PATH);
        std::string path(program);
        return path.substr(0, path.rfind('\\') + 1) + "application_probe.dll";
    }

    // Copies the library to path, making the folders on the way; false when that fails.
    static bool copyTo(const std::string& path)
    {
        for (std::string::size_type separator = path.find('\\', 3); separator != std::string::npos;
             separator = path.find('\\', separator + 1))
            CreateDirectoryA(path.substr(0, separator).c_str(), nullptr);
        return CopyFileA(builtPath().c_str(), path.c_str(), FALSE) != 0;
    }

    static bool isLoaded(const std::string& path) { return GetModuleHandleA(path.c_str()) != nullptr; }
};
} // namespace VolturaTests
