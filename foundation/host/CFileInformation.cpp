#include "foundation/host/CFileInformation.hpp"

#include <windows.h>

#include <cstring>

namespace Brivant
{
namespace Host
{
namespace
{
constexpr double kHighWordScale = 4294967296.0;

// The name fields of a find record are fixed arrays; a name that fills one has no terminator.
template <std::size_t Size>
void storeName(const char (&name)[Size], Basics::CString& out)
{
    char text[Size + 1] = {};
    std::memcpy(text, name, Size);
    out = text;
}
} // namespace

CFileInformation::CFileInformation()
    : m_type(kTypeNotSet), m_size(0.0), m_fileName(" "), m_shortName(" "), m_folder(" "), m_fullPath(" ")
{
}

CFileInformation::CFileInformation(const CFileInformation& other)
    : CCountedObject(other), m_type(other.m_type), m_creationTime(other.m_creationTime),
      m_lastAccessTime(other.m_lastAccessTime), m_lastWriteTime(other.m_lastWriteTime), m_size(other.m_size),
      m_fileName(other.m_fileName), m_shortName(other.m_shortName), m_folder(other.m_folder),
      m_fullPath(other.m_fullPath)
{
}

CFileInformation::CFileInformation(const _WIN32_FIND_DATAA& findData) : CFileInformation()
{
    setFromFindData(findData);
}

CFileInformation& CFileInformation::operator=(const CFileInformation& other)
{
    if (&other == this)
        return *this;
    m_type = other.m_type;
    m_creationTime = other.m_creationTime;
    m_lastAccessTime = other.m_lastAccessTime;
    m_lastWriteTime = other.m_lastWriteTime;
    m_size = other.m_size;
    m_fileName = other.m_fileName;
    m_shortName = other.m_shortName;
    m_folder = other.m_folder;
    m_fullPath = other.m_fullPath;
    return *this;
}

CFileInformation::~CFileInformation() = default;

void CFileInformation::setFromFindData(const _WIN32_FIND_DATAA& findData)
{
    const DWORD attributes = findData.dwFileAttributes;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        m_type = kTypeFolder;
    else if ((attributes & FILE_ATTRIBUTE_SYSTEM) != 0 && (attributes & FILE_ATTRIBUTE_NORMAL) == 0)
        m_type = kTypeSystemFile;
    else
        m_type = kTypeFile;
    m_creationTime.setFromFileTime(findData.ftCreationTime);
    m_lastAccessTime.setFromFileTime(findData.ftLastAccessTime);
    m_lastWriteTime.setFromFileTime(findData.ftLastWriteTime);
    m_size = static_cast<double>(findData.nFileSizeHigh) * kHighWordScale + static_cast<double>(findData.nFileSizeLow);
    storeName(findData.cFileName, m_fileName);
    storeName(findData.cAlternateFileName, m_shortName);
}

void CFileInformation::setFolder(const Basics::CString& folder)
{
    m_folder = folder;
    m_fullPath = m_folder;
    m_fullPath.appendString(m_fileName);
}

void CFileInformation::setType(long type) { m_type = type; }
void CFileInformation::setCreationTime(const CTime& time) { m_creationTime = time; }
void CFileInformation::setLastAccessTime(const CTime& time) { m_lastAccessTime = time; }
void CFileInformation::setLastWriteTime(const CTime& time) { m_lastWriteTime = time; }
void CFileInformation::setSize(double size) { m_size = size; }
void CFileInformation::setFileName(const Basics::CString& name) { m_fileName = name; }

int CFileInformation::compareFileInformation(const void* first, const void* second)
{
    const CFileInformation* left = *static_cast<const CFileInformation* const*>(first);
    const CFileInformation* right = *static_cast<const CFileInformation* const*>(second);
    if (left == right)
        return 0;
    if (left == nullptr)
        return 1;
    if (right == nullptr)
        return -1;
    const bool leftFolder = left->m_type == kTypeFolder;
    const bool rightFolder = right->m_type == kTypeFolder;
    if (leftFolder != rightFolder)
        return leftFolder ? -1 : 1;
    // strcmp compares as unsigned characters.
    const int order = std::strcmp(left->m_fullPath.getString(), right->m_fullPath.getString());
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}
} // namespace Host
} // namespace Brivant
