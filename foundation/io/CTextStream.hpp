// A line-oriented text file, open either for writing or for reading. Writers add no line ends; each reader
// takes one line. Text mode: "\n" reaches the file as carriage return and line feed.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/basics/CSystemString.hpp"

#include <cstddef>
#include <fstream>

namespace Brivant
{
namespace IO
{
class CTextStream : public Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CTextStream, "CCountedObject");

public:
    static constexpr long kReading = 0;
    static constexpr long kWriting = 1;
    // The line buffer: a longer line is read in pieces of kLineSize - 1 characters.
    static constexpr long kLineSize = 1024;

    CTextStream();
    // Opens at once, as openStream does.
    CTextStream(const Basics::CSystemString& path, long mode);
    ~CTextStream() override;

    CTextStream(const CTextStream&) = delete;
    CTextStream& operator=(const CTextStream&) = delete;

    // Closes what is open first. kWriting truncates or creates the file, kReading opens it for reading, any
    // other mode opens nothing. Answers whether a file is open.
    bool openStream(const Basics::CSystemString& path, long mode);
    void closeStream();
    void flushStream();
    bool isStreamOpenForWriting() const;
    bool isStreamOpenForReading() const;
    // True when nothing can be read: nothing open, an unknown mode, the input's end reached or a read failed.
    bool isEndOfFile() const;

    // Each writer does nothing unless the stream is open for writing.
    // Flushes after the text; a null text writes nothing.
    CTextStream& operator<<(const char* text);
    CTextStream& operator<<(const Basics::CString& text);
    // The object's description, at most 255 characters.
    CTextStream& operator<<(const Basics::ICountedObject& object);
    // "true" or "false".
    CTextStream& operator<<(bool value);
    CTextStream& operator<<(long value);
    CTextStream& operator<<(int value);
    // Fixed notation with 20 decimals: 1.5 gives "1.50000000000000000000".
    CTextStream& operator<<(double value);
    CTextStream& operator<<(float value);

    // Each reader does nothing unless the stream is open for reading; past the end it reads an empty line.
    // The line, cut to the buffer's size with its terminator; a null buffer or a size below 1 reads nothing.
    CTextStream& readLine(char* buffer, long size);
    template <std::size_t Size>
    CTextStream& operator>>(char (&buffer)[Size])
    {
        return readLine(buffer, static_cast<long>(Size));
    }
    CTextStream& operator>>(Basics::CString& text);
    CTextStream& operator>>(long& value);
    CTextStream& operator>>(int& value);
    CTextStream& operator>>(double& value);
    CTextStream& operator>>(float& value);
    // True exactly when the line reads "true".
    CTextStream& operator>>(bool& value);

private:
    // Reads the next line into m_line without its line end; false when the stream is not open for reading.
    bool readNextLine();
    // Clears the output's error state; false when the stream is not open for writing.
    bool prepareOutput();

    bool m_isOpen;
    long m_mode;
    Basics::CSystemString m_path;
    std::ofstream m_output;
    std::ifstream m_input;
    char m_line[kLineSize];
    // A read failed: the input has ended, as at the end of the file.
    bool m_inputFailed;
};
} // namespace IO
} // namespace Brivant
