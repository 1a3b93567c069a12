// The process-wide trace log: writes only while a trace file is open. One thread at a time.
#pragma once

namespace Brivant
{
namespace Basics
{
class CString;
class CSystemString;
class ICountedObject;
} // namespace Basics

namespace Host
{
class CTrace
{
public:
    static constexpr long kFormatSize = 300;
    static constexpr long kDescriptionSize = 1024;

    CTrace() = delete;

    // Formats into kFormatSize bytes (a longer text is cut), then writes it and a line end. Text read from a
    // file must come in as an argument ("%s"), never as the format.
    static void trace(const char* format, ...)
#ifdef __GNUC__
        __attribute__((format(gnu_printf, 1, 2)))
#endif
        ;
    // The message followed directly by the object's description, and a line end.
    static void trace(const Basics::ICountedObject& object, const Basics::CString& message);

    // Closes an open trace file first; the file is truncated.
    static bool openTraceFile(const Basics::CSystemString& path);
    static void closeTraceFile();
};
} // namespace Host
} // namespace Brivant
