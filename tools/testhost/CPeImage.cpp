#include "CPeImage.hpp"

#include <cstring>
#include <fstream>

namespace
{
// Plug-in DLLs are a few megabytes; anything past this is not worth reading whole.
constexpr uint64_t kMaxFileSize = uint64_t(512) << 20;
constexpr size_t kMaxNameLength = 4096;
constexpr uint16_t kMagicPe32 = 0x10B;
constexpr uint16_t kMagicPe32Plus = 0x20B;
constexpr uint32_t kExportDirectory = 0;
constexpr uint32_t kImportDirectory = 1;
constexpr uint64_t kSectionHeaderSize = 40;
constexpr uint64_t kImportDescriptorSize = 20;

struct SSection
{
    uint32_t virtualAddress;
    uint32_t rawSize;
    uint32_t rawOffset;
};

bool has(const std::vector<uint8_t>& bytes, uint64_t offset, uint64_t length)
{
    return offset <= bytes.size() && length <= bytes.size() - offset;
}

bool readU16(const std::vector<uint8_t>& bytes, uint64_t offset, uint16_t& value)
{
    if (!has(bytes, offset, 2))
        return false;
    value = static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
    return true;
}

bool readU32(const std::vector<uint8_t>& bytes, uint64_t offset, uint32_t& value)
{
    if (!has(bytes, offset, 4))
        return false;
    value = static_cast<uint32_t>(bytes[offset]) | (static_cast<uint32_t>(bytes[offset + 1]) << 8) |
            (static_cast<uint32_t>(bytes[offset + 2]) << 16) | (static_cast<uint32_t>(bytes[offset + 3]) << 24);
    return true;
}

// False when the terminator is missing before the end of the file or the length limit.
bool readText(const std::vector<uint8_t>& bytes, uint64_t offset, std::string& value)
{
    value.clear();
    for (uint64_t i = offset; i < bytes.size() && value.size() <= kMaxNameLength; ++i)
    {
        if (bytes[i] == 0)
            return true;
        value += static_cast<char>(bytes[i]);
    }
    return false;
}

// Maps an address of the loaded image back to the file through the section table.
bool rvaToOffset(uint32_t headerSize, const std::vector<SSection>& sections, uint64_t rva, uint64_t& offset)
{
    if (rva < headerSize)
    {
        offset = rva;
        return true;
    }
    for (const SSection& section : sections)
    {
        if (rva >= section.virtualAddress && rva - section.virtualAddress < section.rawSize)
        {
            offset = static_cast<uint64_t>(section.rawOffset) + (rva - section.virtualAddress);
            return true;
        }
    }
    return false;
}

std::string hex(uint64_t value)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    do
    {
        text.insert(text.begin(), digits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    return "0x" + text;
}
} // namespace

bool CPeImage::read(const std::string& path, std::string& error)
{
    m_is64Bit = false;
    m_machine = 0;
    m_exports.clear();
    m_imports.clear();

    std::ifstream file(path, std::ios::binary);
    if (!file)
    {
        error = "cannot open '" + path + "'";
        return false;
    }
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0 || static_cast<uint64_t>(size) > kMaxFileSize)
    {
        error = "'" + path + "': unreadable or too large for a plug-in image";
        return false;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    file.seekg(0, std::ios::beg);
    if (!bytes.empty() && !file.read(reinterpret_cast<char*>(bytes.data()), size))
    {
        error = "'" + path + "': read error";
        return false;
    }
    if (!parse(bytes, error))
    {
        error = "'" + path + "': " + error;
        m_is64Bit = false;
        m_machine = 0;
        m_exports.clear();
        m_imports.clear();
        return false;
    }
    return true;
}

bool CPeImage::parse(const std::vector<uint8_t>& bytes, std::string& error)
{
    uint32_t peOffset = 0;
    if (bytes.size() < 64 || bytes[0] != 'M' || bytes[1] != 'Z' || !readU32(bytes, 0x3C, peOffset))
    {
        error = "no DOS header";
        return false;
    }
    if (!has(bytes, peOffset, 24) || std::memcmp(bytes.data() + peOffset, "PE\0\0", 4) != 0)
    {
        error = "no PE signature at " + hex(peOffset);
        return false;
    }

    uint16_t sectionCount = 0;
    uint16_t optionalSize = 0;
    readU16(bytes, peOffset + 4, m_machine);
    readU16(bytes, peOffset + 6, sectionCount);
    readU16(bytes, peOffset + 20, optionalSize);
    const uint64_t optional = static_cast<uint64_t>(peOffset) + 24;
    uint16_t magic = 0;
    if (!has(bytes, optional, optionalSize) || !readU16(bytes, optional, magic))
    {
        error = "optional header runs past the end of the file";
        return false;
    }
    if (magic != kMagicPe32 && magic != kMagicPe32Plus)
    {
        error = "unknown optional header magic " + hex(magic);
        return false;
    }
    m_is64Bit = magic == kMagicPe32Plus;
    const uint64_t directoryCountField = m_is64Bit ? 108 : 92;
    const uint64_t directoriesField = directoryCountField + 4;
    uint32_t headerSize = 0;
    uint32_t directoryCount = 0;
    if (optionalSize < directoriesField || !readU32(bytes, optional + 60, headerSize) ||
        !readU32(bytes, optional + directoryCountField, directoryCount))
    {
        error = "optional header too small (" + std::to_string(optionalSize) + " bytes)";
        return false;
    }
    // Only the entries that fit inside the declared optional header are real.
    const uint64_t fittingDirectories = (optionalSize - directoriesField) / 8;
    if (directoryCount > fittingDirectories)
        directoryCount = static_cast<uint32_t>(fittingDirectories);

    const uint64_t sectionTable = optional + optionalSize;
    if (!has(bytes, sectionTable, sectionCount * kSectionHeaderSize))
    {
        error = "section table runs past the end of the file";
        return false;
    }
    std::vector<SSection> sections;
    for (uint64_t i = 0; i < sectionCount; ++i)
    {
        const uint64_t entry = sectionTable + i * kSectionHeaderSize;
        SSection section{};
        readU32(bytes, entry + 12, section.virtualAddress);
        readU32(bytes, entry + 16, section.rawSize);
        readU32(bytes, entry + 20, section.rawOffset);
        sections.push_back(section);
    }

    // Every directory reference is resolved and checked before it is read.
    auto directory = [&](uint32_t index, uint32_t& rva) {
        rva = 0;
        if (index < directoryCount)
            readU32(bytes, optional + directoriesField + index * 8, rva);
    };
    auto readU32At = [&](uint64_t rva, uint32_t& value) {
        uint64_t offset = 0;
        return rvaToOffset(headerSize, sections, rva, offset) && readU32(bytes, offset, value);
    };
    auto readNameAt = [&](uint64_t rva, std::string& value) {
        uint64_t offset = 0;
        return rvaToOffset(headerSize, sections, rva, offset) && readText(bytes, offset, value);
    };

    uint32_t exportRva = 0;
    directory(kExportDirectory, exportRva);
    if (exportRva != 0)
    {
        uint32_t nameCount = 0;
        uint32_t namesRva = 0;
        if (!readU32At(uint64_t(exportRva) + 24, nameCount) || !readU32At(uint64_t(exportRva) + 32, namesRva))
        {
            error = "export directory at RVA " + hex(exportRva) + " is outside the file";
            return false;
        }
        if (nameCount > bytes.size() / 4)
        {
            error = "export directory claims " + std::to_string(nameCount) + " names";
            return false;
        }
        for (uint32_t i = 0; i < nameCount; ++i)
        {
            uint32_t nameRva = 0;
            std::string name;
            if (!readU32At(uint64_t(namesRva) + uint64_t(i) * 4, nameRva) || !readNameAt(nameRva, name))
            {
                error = "export name " + std::to_string(i) + " is outside the file or unterminated";
                return false;
            }
            m_exports.push_back(name);
        }
    }

    uint32_t importRva = 0;
    directory(kImportDirectory, importRva);
    if (importRva != 0)
    {
        for (uint64_t entry = importRva;; entry += kImportDescriptorSize)
        {
            uint64_t offset = 0;
            if (!rvaToOffset(headerSize, sections, entry, offset) || !has(bytes, offset, kImportDescriptorSize))
            {
                error = "import directory at RVA " + hex(importRva) + " runs outside the file";
                return false;
            }
            // An all-zero descriptor ends the directory.
            bool isEnd = true;
            for (uint64_t i = 0; i < kImportDescriptorSize; ++i)
                isEnd = isEnd && bytes[offset + i] == 0;
            if (isEnd)
                break;
            uint32_t nameRva = 0;
            std::string name;
            readU32(bytes, offset + 12, nameRva);
            if (nameRva == 0 || !readNameAt(nameRva, name))
            {
                error = "import name at RVA " + hex(nameRva) + " is outside the file or unterminated";
                return false;
            }
            m_imports.push_back(name);
        }
    }
    return true;
}
