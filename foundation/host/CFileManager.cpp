#include "foundation/host/CFileManager.hpp"

#include "foundation/basics/CHeldReference.hpp"
#include "foundation/basics/CString.hpp"
#include "foundation/basics/CSystemString.hpp"
#include "foundation/host/CFileInformation.hpp"
#include "foundation/host/CTrace.hpp"
#include "foundation/io/CFileStream.hpp"

#include <windows.h>

#include <shlwapi.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>

namespace Brivant
{
namespace Host
{
namespace
{
using Basics::CHeldReference;
using Basics::CString;
using Basics::CSystemString;
using FileCollection = Collections::TCountedPointerArray<CFileInformation>;

constexpr DWORD kErrorTextSize = 256;

// Calls visit with the find record of every entry matching the pattern; false when nothing could be listed.
template <class Visit>
bool forEachEntry(const char* pattern, Visit visit)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    // Closed however the visitor leaves.
    const std::unique_ptr<void, decltype(&FindClose)> closer(search, &FindClose);
    do
    {
        visit(entry);
    } while (FindNextFileA(search, &entry));
    return true;
}

bool isFolderEntry(const WIN32_FIND_DATAA& entry) { return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

bool isDotEntry(const WIN32_FIND_DATAA& entry)
{
    return std::strcmp(entry.cFileName, ".") == 0 || std::strcmp(entry.cFileName, "..") == 0;
}

// The absolute, upper-cased form of a path with a trailing separator, for comparisons the file system would
// make; the path as given when the system cannot resolve it.
std::string comparablePath(const CSystemString& path)
{
    std::string full(MAX_PATH, '\0');
    DWORD length = GetFullPathNameA(path.getString(), static_cast<DWORD>(full.size()), &full[0], nullptr);
    if (length >= full.size())
    {
        full.assign(length + 1, '\0');
        length = GetFullPathNameA(path.getString(), static_cast<DWORD>(full.size()), &full[0], nullptr);
    }
    if (length == 0 || length >= full.size())
        full = path.getString();
    else
        full.resize(length);
    if (full.empty() || full.back() != CSystemString::kSeparator)
        full.push_back(CSystemString::kSeparator);
    CharUpperBuffA(&full[0], static_cast<DWORD>(full.size()));
    return full;
}

bool isSamePath(const CSystemString& first, const CSystemString& second)
{
    return comparablePath(first) == comparablePath(second);
}

// The folder itself counts as inside.
bool isInsideFolder(const CSystemString& path, const CSystemString& folder)
{
    const std::string inner = comparablePath(path);
    const std::string outer = comparablePath(folder);
    return inner.compare(0, outer.size(), outer) == 0;
}

void traceLastError()
{
    char text[kErrorTextSize] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        GetLastError(), 0, text, kErrorTextSize - 1, nullptr);
    // The system's text ends with a line end of its own.
    CString message(length > 0 ? text : "");
    message.removeTrailingWhiteSpace();
    CTrace::trace("%s", message.getString());
}

// Appends the folder's entries, as getDirectoryContents does; false when the folder could not be listed.
bool listFolder(FileCollection& out, const CSystemString& folder)
{
    CSystemString entryFolder(folder);
    if (!entryFolder.endsWith("\\"))
        entryFolder.appendSeparator();
    CSystemString pattern(entryFolder);
    pattern.appendString("*");
    const bool listed = forEachEntry(pattern.getString(), [&](const WIN32_FIND_DATAA& entry) {
        if (isDotEntry(entry))
            return;
        auto* information = new CFileInformation(entry);
        const CHeldReference held(information);
        information->setFolder(entryFolder);
        out.addElement(information);
    });
    if (listed)
        return true;
    // Only a drive's root can have no entry at all, not even ".".
    const bool empty = GetLastError() == ERROR_FILE_NOT_FOUND;
    CTrace::trace(folder, CString("Failed to find file in directory"));
    traceLastError();
    return empty;
}
} // namespace

bool CFileManager::fileExists(const CSystemString& path)
{
    std::FILE* file = std::fopen(path.getString(), "r");
    if (file == nullptr)
        return false;
    std::fclose(file);
    return true;
}

bool CFileManager::fileExistsInFolder(const CString& fileName, const CSystemString& folder)
{
    CSystemString path(folder);
    path.appendPath(fileName);
    return fileExists(path);
}

long CFileManager::getNumberOfFiles(const CSystemString& pattern)
{
    long count = 0;
    forEachEntry(pattern.getString(), [&count](const WIN32_FIND_DATAA& entry) {
        if (!isFolderEntry(entry))
            ++count;
    });
    return count;
}

void CFileManager::getFileNames(const CSystemString& pattern, Collections::TCountedPointerArray<CString>& out)
{
    forEachEntry(pattern.getString(), [&out](const WIN32_FIND_DATAA& entry) {
        if (isFolderEntry(entry))
            return;
        auto* name = new CString(entry.cFileName);
        const CHeldReference held(name);
        out.addElement(name);
    });
}

void CFileManager::getExecutableFolder(CString& out, bool addSeparator)
{
    // One byte more than the system is told, so the text is always terminated.
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    PathRemoveFileSpecA(path);
    if (addSeparator)
        PathAddBackslashA(path);
    out = path;
}

bool CFileManager::isDirectory(const CSystemString& path) { return PathIsDirectoryA(path.getString()) != FALSE; }

bool CFileManager::directoryExists(const CSystemString& path) { return isDirectory(path); }

bool CFileManager::createDirectory(const CSystemString& path)
{
    if (path.hasExtension())
        return false;
    return CreateDirectoryA(path.getString(), nullptr) != FALSE;
}

bool CFileManager::copyFile(const CSystemString& source, const CSystemString& destination, bool overwrite)
{
    // Opening the destination empties it, so a file is never copied onto itself.
    if (!fileExists(source) || isSamePath(source, destination))
        return false;
    if (!overwrite && fileExists(destination))
        return false;

    IO::CFileStream input(source, IO::CFileStream::kReading, true);
    if (!input.isStreamOpenForReading())
        return false;
    const long size = input.getStreamSize();
    if (size < 0 || !input.rewindStream())
        return false;
    const std::unique_ptr<char[]> bytes(new (std::nothrow) char[size > 0 ? static_cast<std::size_t>(size) : 1]);
    if (!bytes || !input.readDataFromStream(bytes.get(), size))
        return false;
    input.closeStream();

    IO::CFileStream output(destination, IO::CFileStream::kWriting, true);
    if (!output.isStreamOpenForWriting())
        return false;
    return output.writeDataToStream(bytes.get(), size) && output.closeStream();
}

void CFileManager::getDirectoryContents(FileCollection& out, const CSystemString& folder) { listFolder(out, folder); }

void CFileManager::sortDirectoryContents(FileCollection& contents)
{
    contents.sortArray(&CFileInformation::compareFileInformation);
}

bool CFileManager::copyFolder(const CSystemString& source, const CSystemString& destination, bool overwrite,
                              bool recursive)
{
    if (!isDirectory(source))
        return false;
    // A copy into its own source would list what it has just made, without end.
    if (isInsideFolder(destination, source))
        return false;
    if (isDirectory(destination))
    {
        if (!overwrite)
            return true;
    }
    else if (!createDirectory(destination))
    {
        return false;
    }

    FileCollection contents;
    if (!listFolder(contents, source))
        return false;
    contents.reorderArray(false);
    for (long index = 0; index < contents.getInsertIndex(); ++index)
    {
        const CFileInformation* entry = contents.getElementAt(index);
        CSystemString target(destination);
        target.appendPath(entry->getFileName());
        if (entry->isFolder())
        {
            if (recursive && !copyFolder(entry->getFullPath(), target, overwrite, recursive))
                return false;
        }
        else if (!copyFile(entry->getFullPath(), target, overwrite))
        {
            return false;
        }
    }
    return true;
}

void CFileManager::buildDirectoryTree(Collections::TTreeNode<CFileInformation>& parent, const CSystemString& folder)
{
    using Node = Collections::TTreeNode<CFileInformation>;
    FileCollection contents;
    getDirectoryContents(contents, folder);
    for (long index = 0; index < contents.getArraySize(); ++index)
    {
        CFileInformation* entry = contents.getElementAt(index);
        if (entry == nullptr)
            continue;
        Node* node = new Node(&Collections::TCountedObjectDeleter<CFileInformation>::sharedPolicy());
        const CHeldReference held(node);
        parent.addChild(node);
        node->getPayload().setPointer(entry);
        if (entry->isFolder())
            buildDirectoryTree(*node, entry->getFullPath());
    }
}
} // namespace Host
} // namespace Brivant
