#include "foundation/host/CDriveInformation.hpp"

#include "foundation/basics/CHeldReference.hpp"
#include "foundation/basics/CString.hpp"
#include "foundation/basics/CSystemString.hpp"
#include "foundation/io/CTextStream.hpp"

#include <windows.h>

#include <cstring>
#include <memory>

namespace Brivant
{
namespace Host
{
namespace
{
constexpr DWORD kFolderBufferSize = 2048;
constexpr DWORD kVolumeBufferSize = 512;
const char kReportFileName[] = "CPUStats.txt";
// The rule is followed by a blank line wherever it stands.
const char kRule[] = "----------------------------------------\n\n";

const char* const kDriveTypeNames[] = {"Unknown Drive Type", "Unmounted Drive", "Removable Drive", "Fixed Drive",
                                       "Network Drive",      "CD ROM Drive",    "RAM Drive"};
constexpr long kDriveTypeCount = static_cast<long>(sizeof(kDriveTypeNames) / sizeof(kDriveTypeNames[0]));

// A zero-filled buffer one byte longer than the system is told, so its text is always terminated.
void readFolder(UINT (*query)(char*, UINT), Basics::CString& out)
{
    std::unique_ptr<char[]> folder(new char[kFolderBufferSize + 1]());
    query(folder.get(), kFolderBufferSize);
    out = folder.get();
}

UINT tempPath(char* buffer, UINT size) { return GetTempPathA(size, buffer); }
UINT windowsDirectory(char* buffer, UINT size) { return GetWindowsDirectoryA(buffer, size); }
} // namespace

long CDriveInformation::getDriveType(const Basics::CString& path)
{
    return static_cast<long>(GetDriveTypeA(path.getString()));
}

bool CDriveInformation::isCDDrive(const Basics::CString& path) { return getDriveType(path) == kDriveCDROM; }
bool CDriveInformation::isNetworkDrive(const Basics::CString& path) { return getDriveType(path) == kDriveNetwork; }
bool CDriveInformation::isFixedDrive(const Basics::CString& path) { return getDriveType(path) == kDriveFixed; }

void CDriveInformation::getDriveTypeString(const Basics::CString& path, Basics::CString& out)
{
    const long type = getDriveType(path);
    out = kDriveTypeNames[type >= 0 && type < kDriveTypeCount ? type : 0];
}

bool CDriveInformation::getVolumeInformation(const Basics::CString& root, Basics::CString& volumeName,
                                             Basics::CString& fileSystem, long& serial)
{
    char name[kVolumeBufferSize] = {};
    char system[kVolumeBufferSize] = {};
    DWORD serialNumber = 0;
    if (!GetVolumeInformationA(root.getString(), name, kVolumeBufferSize - 1, &serialNumber, nullptr, nullptr,
                               system, kVolumeBufferSize - 1))
        return false;
    volumeName = name;
    fileSystem = system;
    serial = static_cast<long>(serialNumber);
    return true;
}

void CDriveInformation::getTempFolder(Basics::CString& out) { readFolder(tempPath, out); }

void CDriveInformation::getWindowsFolder(Basics::CString& out) { readFolder(windowsDirectory, out); }

void CDriveInformation::getLogicalDrives(Collections::TCountedPointerArray<Basics::CString>& out)
{
    std::unique_ptr<char[]> roots(new char[kFolderBufferSize + 2]());
    const DWORD length = GetLogicalDriveStringsA(kFolderBufferSize, roots.get());
    // A longer answer than the buffer is the size it needs, and nothing was written.
    if (length == 0 || length > kFolderBufferSize)
        return;
    for (const char* root = roots.get(); *root != '\0'; root += std::strlen(root) + 1)
    {
        auto* name = new Basics::CString(root);
        const Basics::CHeldReference held(name);
        out.addElement(name);
    }
}

void CDriveInformation::writeDriveInformation(IO::CTextStream& stream)
{
    if (!stream.isStreamOpenForWriting())
        return;
    Basics::CString folder(" ");
    stream << "Brivant Host drive info extraction tool\n" << kRule;
    getWindowsFolder(folder);
    stream << "Windows folder : " << folder << "\n";
    getTempFolder(folder);
    stream << "Window temp folder : " << folder << "\n\n" << kRule;

    Collections::TCountedPointerArray<Basics::CString> drives;
    getLogicalDrives(drives);
    for (long index = 0; index < drives.getInsertIndex(); ++index)
    {
        const Basics::CString* root = drives.getElementAt(index);
        Basics::CString volumeName(" ");
        Basics::CString fileSystem(" ");
        Basics::CString typeName(" ");
        long serial = 0;
        getVolumeInformation(*root, volumeName, fileSystem, serial);
        getDriveTypeString(*root, typeName);
        stream << "Registered name : " << *root << "\n";
        stream << "Volume name : " << volumeName << "\n";
        stream << "File system : " << fileSystem << "\n";
        stream << "Serial code : " << serial << "\n";
        stream << "Volume is of type : " << typeName << "\n";
        stream << kRule;
    }
    stream.flushStream();
}

void CDriveInformation::writeDriveInformationToFile(const Basics::CSystemString& path)
{
    Basics::CSystemString file(path);
    if (!file.hasExtension())
        file.appendString(kReportFileName);
    IO::CTextStream stream(file, IO::CTextStream::kWriting);
    writeDriveInformation(stream);
    stream.flushStream();
}
} // namespace Host
} // namespace Brivant
