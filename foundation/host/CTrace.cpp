#include "foundation/host/CTrace.hpp"

#include "foundation/basics/CString.hpp"
#include "foundation/basics/CSystemString.hpp"
#include "foundation/io/CTextStream.hpp"

#include <cstdarg>
#include <cstdio>

namespace Brivant
{
namespace Host
{
namespace
{
// Built on first use, so a trace from another file's static constructor finds it ready.
IO::CTextStream& traceStream()
{
    static IO::CTextStream stream;
    return stream;
}

// Built at load all the same, with the framework's other static objects.
const IO::CTextStream& s_traceStream = traceStream();

void writeLine(const char* first, const char* second)
{
    IO::CTextStream& stream = traceStream();
    if (!stream.isStreamOpenForWriting())
        return;
    stream << first << second << "\n";
    stream.flushStream();
}
} // namespace

void CTrace::trace(const char* format, ...)
{
    if (format == nullptr)
        return;
    char text[kFormatSize] = {};
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof(text), format, arguments);
    va_end(arguments);
    writeLine(text, "");
}

void CTrace::trace(const Basics::ICountedObject& object, const Basics::CString& message)
{
    char description[kDescriptionSize] = {};
    object.getObjectDescription(description, kDescriptionSize);
    description[kDescriptionSize - 1] = '\0';
    writeLine(message.getString(), description);
}

bool CTrace::openTraceFile(const Basics::CSystemString& path)
{
    return traceStream().openStream(path, IO::CTextStream::kWriting);
}

void CTrace::closeTraceFile() { traceStream().closeStream(); }
} // namespace Host
} // namespace Brivant
