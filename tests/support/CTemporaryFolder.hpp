// A fresh folder under the system's temp folder, removed with everything in it when the test ends.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace VolturaTests
{
class CTemporaryFolder
{
public:
    CTemporaryFolder()
    {
        char temp[MAX_PATH + 1] = {};
        GetTempPathA(MAX_PATH, temp);
        static unsigned long s_folders = 0;
        // Only a name left behind by an earlier run is worth another try.
        do
        {
            m_path = std::string(temp) + "voltura-" + std::to_string(GetCurrentProcessId()) + "-" +
                     std::to_string(++s_folders);
        } while (!CreateDirectoryA(m_path.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
    }

    ~CTemporaryFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    CTemporaryFolder(const CTemporaryFolder&) = delete;
    CTemporaryFolder& operator=(const CTemporaryFolder&) = delete;

    // The folder, without a trailing separator.
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "\\" + name; }

    // A file's bytes exactly as on disk; empty when it cannot be read.
    static std::string readBytes(const std::string& path)
    {
        std::ifstream input(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(input), std::istreambuf_iterator<char>());
    }

    static void writeBytes(const std::string& path, const std::string& bytes)
    {
        std::ofstream output(path, std::ios::binary | std::ios::trunc);
        output << bytes;
    }

    static bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

private:
    std::string m_path;
};
} // namespace VolturaTests
