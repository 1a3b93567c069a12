#include "foundation/io/CTextStream.hpp"

#include <cstdlib>
#include <cstring>
#include <ios>

namespace Brivant
{
namespace IO
{
namespace
{
constexpr long kDescriptionSize = 256;
constexpr int kDecimals = 20;
const char kEmptyLine[] = "Empty string";
} // namespace

CTextStream::CTextStream() : m_isOpen(false), m_mode(kReading), m_path(" "), m_line(), m_inputFailed(false)
{
    std::strcpy(m_line, kEmptyLine);
}

CTextStream::CTextStream(const Basics::CSystemString& path, long mode) : CTextStream()
{
    openStream(path, mode);
}

CTextStream::~CTextStream() { closeStream(); }

bool CTextStream::openStream(const Basics::CSystemString& path, long mode)
{
    closeStream();
    m_mode = mode;
    m_path = path;
    m_inputFailed = false;
    if (mode == kWriting)
    {
        m_output.clear();
        m_output.open(m_path.getString(), std::ios::out | std::ios::trunc);
        m_isOpen = m_output.is_open();
    }
    else if (mode == kReading)
    {
        m_input.clear();
        m_input.open(m_path.getString(), std::ios::in);
        m_isOpen = m_input.is_open();
    }
    return m_isOpen;
}

void CTextStream::closeStream()
{
    if (m_mode == kReading && m_input.is_open())
    {
        m_input.close();
    }
    else if (m_mode == kWriting && m_output.is_open())
    {
        m_output.flush();
        m_output.close();
    }
    m_isOpen = false;
}

void CTextStream::flushStream()
{
    if (isStreamOpenForWriting())
        m_output.flush();
}

bool CTextStream::isStreamOpenForWriting() const { return m_isOpen && m_mode == kWriting; }

bool CTextStream::isStreamOpenForReading() const { return m_isOpen && m_mode == kReading; }

bool CTextStream::isEndOfFile() const
{
    if (!m_isOpen || (m_mode != kReading && m_mode != kWriting))
        return true;
    if (m_mode == kWriting)
        return false;
    return m_input.eof() || m_inputFailed;
}

bool CTextStream::prepareOutput()
{
    if (!isStreamOpenForWriting())
        return false;
    m_output.clear();
    return true;
}

CTextStream& CTextStream::operator<<(const char* text)
{
    if (text != nullptr && prepareOutput())
    {
        m_output << text;
        m_output.flush();
    }
    return *this;
}

CTextStream& CTextStream::operator<<(const Basics::CString& text)
{
    if (prepareOutput())
        m_output << text.getString();
    return *this;
}

CTextStream& CTextStream::operator<<(const Basics::ICountedObject& object)
{
    if (prepareOutput())
    {
        char description[kDescriptionSize] = {};
        object.getObjectDescription(description, kDescriptionSize);
        // A description that fills the buffer may leave no terminator.
        description[kDescriptionSize - 1] = '\0';
        m_output << description;
    }
    return *this;
}

CTextStream& CTextStream::operator<<(bool value)
{
    if (prepareOutput())
        m_output << (value ? "true" : "false");
    return *this;
}

CTextStream& CTextStream::operator<<(long value)
{
    if (prepareOutput())
        m_output << value;
    return *this;
}

CTextStream& CTextStream::operator<<(int value)
{
    if (prepareOutput())
        m_output << value;
    return *this;
}

CTextStream& CTextStream::operator<<(double value)
{
    if (prepareOutput())
    {
        const std::ios::fmtflags flags = m_output.flags();
        const std::streamsize precision = m_output.precision(kDecimals);
        m_output << std::fixed << std::showpoint << value;
        m_output.flags(flags);
        m_output.precision(precision);
    }
    return *this;
}

CTextStream& CTextStream::operator<<(float value) { return *this << static_cast<double>(value); }

bool CTextStream::readNextLine()
{
    if (!isStreamOpenForReading())
        return false;
    // A failed read never sets the end of the file, and reading on would give empty lines for ever.
    if (m_inputFailed)
    {
        m_line[0] = '\0';
        return true;
    }
    m_input.clear();
    // Past the end getline stores the empty line; a longer line leaves its rest for the next read.
    m_input.getline(m_line, kLineSize);
    m_inputFailed = m_input.bad();
    const size_t length = std::strlen(m_line);
    if (length > 0 && m_line[length - 1] == '\r')
        m_line[length - 1] = '\0';
    return true;
}

CTextStream& CTextStream::readLine(char* buffer, long size)
{
    if (buffer == nullptr || size < 1 || !readNextLine())
        return *this;
    const size_t length = std::strlen(m_line);
    const size_t copied = length < static_cast<size_t>(size) - 1 ? length : static_cast<size_t>(size) - 1;
    std::memcpy(buffer, m_line, copied);
    buffer[copied] = '\0';
    return *this;
}

CTextStream& CTextStream::operator>>(Basics::CString& text)
{
    if (readNextLine())
        text = m_line;
    return *this;
}

CTextStream& CTextStream::operator>>(long& value)
{
    if (readNextLine())
        value = std::atol(m_line);
    return *this;
}

CTextStream& CTextStream::operator>>(int& value)
{
    if (readNextLine())
        value = std::atoi(m_line);
    return *this;
}

CTextStream& CTextStream::operator>>(double& value)
{
    if (readNextLine())
        value = std::atof(m_line);
    return *this;
}

CTextStream& CTextStream::operator>>(float& value)
{
    if (readNextLine())
        value = static_cast<float>(std::atof(m_line));
    return *this;
}

CTextStream& CTextStream::operator>>(bool& value)
{
    if (readNextLine())
        value = std::strcmp(m_line, "true") == 0;
    return *this;
}
} // namespace IO
} // namespace Brivant
