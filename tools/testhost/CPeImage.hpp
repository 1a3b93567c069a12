// Reads a PE file (PE32 or PE32+) from disk and lists its exported names and imported DLL names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CPeImage
{
public:
    // Replaces the contents with the file's; on failure the lists are empty and error says why.
    bool read(const std::string& path, std::string& error);

    bool is64Bit() const { return m_is64Bit; }
    // COFF machine type, e.g. 0x14C for x86 and 0x8664 for x86-64.
    uint16_t machine() const { return m_machine; }
    // In the order of the file's name table, which is sorted.
    const std::vector<std::string>& exports() const { return m_exports; }
    // In the order of the import directory, as spelled in the file.
    const std::vector<std::string>& imports() const { return m_imports; }

private:
    bool parse(const std::vector<uint8_t>& bytes, std::string& error);

    bool m_is64Bit = false;
    uint16_t m_machine = 0;
    std::vector<std::string> m_exports;
    std::vector<std::string> m_imports;
};
