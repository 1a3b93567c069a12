// Queries about the drives and the system folders, with a text report.
#pragma once

#include "foundation/collections/TCountedPointerArray.hpp"

namespace Brivant
{
namespace Basics
{
class CString;
class CSystemString;
} // namespace Basics

namespace IO
{
class CTextStream;
}

namespace Host
{
class CDriveInformation
{
public:
    static constexpr long kDriveCDROM = 5;
    static constexpr long kDriveNetwork = 4;
    static constexpr long kDriveFixed = 3;

    CDriveInformation() = delete;

    // GetDriveTypeA's answer for the root of path.
    static long getDriveType(const Basics::CString& path);
    static bool isCDDrive(const Basics::CString& path);
    static bool isNetworkDrive(const Basics::CString& path);
    static bool isFixedDrive(const Basics::CString& path);
    // "Unknown Drive Type", "Unmounted Drive", "Removable Drive", "Fixed Drive", "Network Drive",
    // "CD ROM Drive" or "RAM Drive".
    static void getDriveTypeString(const Basics::CString& path, Basics::CString& out);
    // The outputs change only when the query succeeds, which the answer tells.
    static bool getVolumeInformation(const Basics::CString& root, Basics::CString& volumeName,
                                     Basics::CString& fileSystem, long& serial);
    static void getTempFolder(Basics::CString& out);
    static void getWindowsFolder(Basics::CString& out);
    // Adds one new string per drive root, in the system's order.
    static void getLogicalDrives(Collections::TCountedPointerArray<Basics::CString>& out);

    // Nothing unless the stream is open for writing.
    static void writeDriveInformation(IO::CTextStream& stream);
    // A path without an extension gets "CPUStats.txt" appended as it is, so a folder must end with a
    // separator.
    static void writeDriveInformationToFile(const Basics::CSystemString& path);
};
} // namespace Host
} // namespace Brivant
