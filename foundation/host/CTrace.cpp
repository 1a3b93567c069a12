#include "foundation/host/CTrace.hpp"

#include "foundation/basics/CString.hpp"
#include "foundation/basics/CSystemString.hpp"
#include "foundation/io/CTextStream.hpp"

#include <cstdarg>
#include <cstdio>
#include <memory>

namespace Brivant
{
namespace Host
{
namespace
{
// The stream is made when a trace file opens and goes when it closes: a stream holds the runtime's locale,
// whose first set-up leaves a record behind on the loading thread at every load. Its record is built first,
// so that it outlives a trace file still open at unload.
const Basics::CClass& s_streamRecord = IO::CTextStream::classRecord();
std::unique_ptr<IO::CTextStream> s_stream;

void writeLine(const char* first, const char* second)
{
    if (s_stream == nullptr || !s_stream->isStreamOpenForWriting())
        return;
    *s_stream << first << second << "\n";
    s_stream->flushStream();
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
    closeTraceFile();
    s_stream.reset(new IO::CTextStream());
    if (s_stream->openStream(path, IO::CTextStream::kWriting))
        return true;
    s_stream.reset();
    return false;
}

void CTrace::closeTraceFile()
{
    if (s_stream != nullptr)
        s_stream->closeStream();
    s_stream.reset();
}
} // namespace Host
} // namespace Brivant
