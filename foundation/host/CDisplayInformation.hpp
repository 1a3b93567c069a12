// Queries about the display, with a text report.
#pragma once

namespace Brivant
{
namespace Basics
{
class CSystemString;
}

namespace IO
{
class CTextStream;
}

namespace Host
{
class CDisplayInformation
{
public:
    CDisplayInformation() = delete;

    static long getNumberOfMonitors();
    static long getScreenWidth();
    static long getScreenHeight();
    static long getBorderWidth();
    static long getBorderHeight();

    // Nothing unless the stream is open for writing.
    static void writeDisplayInformation(IO::CTextStream& stream);
    // A path without an extension gets "CPUStats.txt" appended as it is, so a folder must end with a
    // separator.
    static void writeDisplayInformationToFile(const Basics::CSystemString& path);
};
} // namespace Host
} // namespace Brivant
