// One folder entry: its type, times, size and names, as a folder listing found it.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/basics/CString.hpp"
#include "foundation/basics/CSystemString.hpp"
#include "foundation/host/CTime.hpp"

struct _WIN32_FIND_DATAA;

namespace Brivant
{
namespace Host
{
class CFileInformation : public Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CFileInformation, "CCountedObject");

public:
    static constexpr long kTypeFolder = 2;
    static constexpr long kTypeFile = 5;
    static constexpr long kTypeSystemFile = 9;
    static constexpr long kTypeNotSet = 11;

    // Type not set, the current time three times, size 0, every text " ".
    CFileInformation();
    CFileInformation(const CFileInformation& other);
    explicit CFileInformation(const _WIN32_FIND_DATAA& findData);
    // Copies every field.
    CFileInformation& operator=(const CFileInformation& other);
    ~CFileInformation() override;

    // A folder whenever the directory bit is set, whatever else is; a system file only without the normal bit.
    // The size takes both words, so files of 4 GiB and more keep theirs.
    void setFromFindData(const _WIN32_FIND_DATAA& findData);
    // The full path becomes the folder followed directly by the file name, so the folder ends with the
    // separator and the name is set first.
    void setFolder(const Basics::CString& folder);

    void setType(long type);
    void setCreationTime(const CTime& time);
    void setLastAccessTime(const CTime& time);
    void setLastWriteTime(const CTime& time);
    void setSize(double size);
    void setFileName(const Basics::CString& name);

    long getType() const { return m_type; }
    bool isFolder() const { return m_type == kTypeFolder; }
    const CTime& getCreationTime() const { return m_creationTime; }
    const CTime& getLastAccessTime() const { return m_lastAccessTime; }
    const CTime& getLastWriteTime() const { return m_lastWriteTime; }
    double getSize() const { return m_size; }
    const Basics::CString& getFileName() const { return m_fileName; }
    const Basics::CString& getShortName() const { return m_shortName; }
    const Basics::CString& getFolder() const { return m_folder; }
    const Basics::CSystemString& getFullPath() const { return m_fullPath; }

    // A qsort comparator over entry pointers: equal pointers 0, null after every entry, folders before every
    // other type, then the full paths in unsigned byte order, case counting.
    static int compareFileInformation(const void* first, const void* second);

private:
    long m_type;
    CTime m_creationTime;
    CTime m_lastAccessTime;
    CTime m_lastWriteTime;
    double m_size;
    Basics::CString m_fileName;
    Basics::CString m_shortName;
    Basics::CString m_folder;
    Basics::CSystemString m_fullPath;
};
} // namespace Host
} // namespace Brivant
