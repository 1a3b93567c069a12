#include "foundation/host/CDisplayInformation.hpp"

#include "foundation/basics/CSystemString.hpp"
#include "foundation/io/CTextStream.hpp"

#include <windows.h>

namespace Brivant
{
namespace Host
{
namespace
{
const char kReportFileName[] = "CPUStats.txt";
// The rule is followed by a blank line wherever it stands.
const char kRule[] = "------------------------------------------\n\n";
} // namespace

long CDisplayInformation::getNumberOfMonitors() { return GetSystemMetrics(SM_CMONITORS); }
long CDisplayInformation::getScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
long CDisplayInformation::getScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }
long CDisplayInformation::getBorderWidth() { return GetSystemMetrics(SM_CXBORDER); }
long CDisplayInformation::getBorderHeight() { return GetSystemMetrics(SM_CYBORDER); }

void CDisplayInformation::writeDisplayInformation(IO::CTextStream& stream)
{
    if (!stream.isStreamOpenForWriting())
        return;
    stream << "Brivant Host display info extraction tool\n" << kRule;
    stream << "Number of monitors\t:\t\t" << getNumberOfMonitors() << "\n";
    stream << "Screen width\t\t:\t\t" << getScreenWidth() << "\n";
    stream << "Screen height\t\t:\t\t" << getScreenHeight() << "\n";
    stream << kRule;
}

void CDisplayInformation::writeDisplayInformationToFile(const Basics::CSystemString& path)
{
    Basics::CSystemString file(path);
    if (!file.hasExtension())
        file.appendString(kReportFileName);
    IO::CTextStream stream(file, IO::CTextStream::kWriting);
    writeDisplayInformation(stream);
    stream.flushStream();
}
} // namespace Host
} // namespace Brivant
