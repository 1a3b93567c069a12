// The framework's file-system functions: existence tests, folder listings, copies and folder trees. Paths are
// 8-bit ANSI texts with the backslash as separator; no function throws.
#pragma once

#include "foundation/collections/TCountedPointerArray.hpp"
#include "foundation/collections/TTreeNode.hpp"

namespace Brivant
{
namespace Basics
{
class CString;
class CSystemString;
} // namespace Basics

namespace Host
{
class CFileInformation;

class CFileManager
{
public:
    CFileManager() = delete;

    // Whether the file opens for reading, so a folder does not exist.
    static bool fileExists(const Basics::CSystemString& path);
    static bool fileExistsInFolder(const Basics::CString& fileName, const Basics::CSystemString& folder);

    // The entries matching a pattern such as "C:\folder\*" that are not folders.
    static long getNumberOfFiles(const Basics::CSystemString& pattern);
    // Appends a new string with the name of each of those entries.
    static void getFileNames(const Basics::CSystemString& pattern,
                             Collections::TCountedPointerArray<Basics::CString>& out);

    // The host program's folder, with a trailing separator when asked.
    static void getExecutableFolder(Basics::CString& out, bool addSeparator);
    static bool isDirectory(const Basics::CSystemString& path);
    static bool directoryExists(const Basics::CSystemString& path);
    // One level only; a path with a '.' after its first character is refused.
    static bool createDirectory(const Basics::CSystemString& path);

    // False for an unreadable source, a destination that is the source itself, an existing destination
    // without overwrite, a source whose size cannot be read, or bytes that did not all reach the destination
    // (a full disk, for one). The source is read whole before the destination is opened, so a copy that fails
    // on the way in leaves the destination as it was.
    static bool copyFile(const Basics::CSystemString& source, const Basics::CSystemString& destination,
                         bool overwrite);

    // Appends a new entry for everything in the folder but "." and "..", in the system's order, each knowing
    // the folder with a trailing separator. A folder that cannot be listed is reported to the trace log.
    static void getDirectoryContents(Collections::TCountedPointerArray<CFileInformation>& out,
                                     const Basics::CSystemString& folder);
    // Folders first, then by full path.
    static void sortDirectoryContents(Collections::TCountedPointerArray<CFileInformation>& contents);

    // Copies the source folder's files into the destination, created when missing (one level), and its
    // folders too when recursive. An existing destination without overwrite is left alone and counts as done.
    // A destination inside the source, or the source itself, is refused. Stops at the first failure; a folder
    // that cannot be listed is one, at any depth.
    static bool copyFolder(const Basics::CSystemString& source, const Basics::CSystemString& destination,
                           bool overwrite, bool recursive);

    // Appends to parent a node for every entry of the folder, in the system's order, and below each folder
    // node the nodes of that folder's contents.
    static void buildDirectoryTree(Collections::TTreeNode<CFileInformation>& parent,
                                   const Basics::CSystemString& folder);
};
} // namespace Host
} // namespace Brivant
