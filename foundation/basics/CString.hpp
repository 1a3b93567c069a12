// The framework's text type: a counted heap copy of an 8-bit, NUL-terminated text.
// The length counts the terminator: the empty text has length 1, "abc" length 4; the last character is at
// length - 2. Operations that can fail throw Brivant::Exceptions::CException naming every layer they passed.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/basics/CPascalString.hpp"

namespace Brivant
{
namespace Basics
{
class CString : public CCountedObject
{
    BRIVANT_CLASS_RECORD(CString, "CCountedObject");

public:
    // A null text is stored as " ", so a string always has storage.
    CString(const char* text);
    CString(const CString& other);
    ~CString() override;

    void getObjectDescription(char* text, long size) const override;

    // "True" or "False".
    virtual CString& operator=(bool value);
    // At least three digits: 5 gives "005", -5 gives "-005".
    virtual CString& operator=(long value);
    virtual CString& operator=(int value);
    // Three decimals: 3.14159f gives "3.142".
    virtual CString& operator=(float value);
    virtual CString& operator=(const char* text);
    // Stores the other's text when it differs; a null pointer changes nothing.
    virtual CString& operator=(const CString* other);
    virtual CString& operator=(const CString& other);
    virtual CString& operator+=(const char* text);
    virtual CString& operator+=(const CString& other);

    virtual bool operator==(const CString& other) const;
    virtual bool operator==(const char* text) const;
    virtual bool operator!=(const CString& other) const;
    virtual bool operator!=(const char* text) const;
    // True only for a string without storage, which no constructor leaves behind.
    virtual bool operator!() const;
    virtual char operator[](long index) const;

    virtual CPascalString getPascalString() const;

    // Read before the old text is freed, so the argument may point into this string; a null text changes
    // nothing, and a failed allocation leaves the old text in place.
    virtual void setString(const CString& other);
    virtual void setString(const char* text);
    virtual void setStringWithFormat(const char* format, ...)
#ifdef __GNUC__
        __attribute__((format(gnu_printf, 2, 3)))
#endif
        ;

    virtual void appendString(const CString& other);
    virtual void appendString(const char* text);
    virtual void appendString(char character);

    virtual const char* getString() const;
    // At most 7 characters and a NUL.
    virtual void getString(char* buffer) const;
    // Fills all size bytes: the text, cut to size - 1 characters, then zeros. A null buffer or a size of 0 or
    // less writes nothing.
    virtual void getString(char* buffer, long size) const;
    // Characters start to end inclusive, stopping at the terminator; the empty text when start < 0,
    // end < start or end > length. out may be this string.
    virtual CString& getSubString(CString& out, long start, long end) const;
    virtual long getNumberOfCharacters() const;
    // A blank outside 0 .. length - 1; the index length - 1 gives the terminator.
    virtual char characterAt(long index) const;

    virtual void toUpperCase();
    virtual void toLowerCase();
    virtual void removeTrailingAndLeadingWhiteSpace();
    virtual void removeLeadingWhiteSpace();
    // A text of white space only is left as it is.
    virtual void removeTrailingWhiteSpace();
    virtual void removeLastCharacter();
    virtual void replaceCharWithChar(char from, char to);
    virtual void replaceCharWithString(char character, const CString& replacement);
    // Replaces every occurrence of search, again and again from the start, until none is left; a search text
    // that is empty or is the character alone leaves the text unchanged.
    virtual void replaceStringWithChar(char character, const CString& search);

    virtual bool equals(const CString& other) const;
    virtual bool equals(const char* text) const;
    virtual bool equalsIgnoringCase(const CString& other) const;
    virtual bool equalsIgnoringCase(const char* text) const;
    // Both scan the terminator too: searching for NUL gives length - 1. -1 when absent.
    virtual long findForward(char character) const;
    virtual long findBackwards(char character) const;

    // The first position at which the other text occurs, or -1.
    long findSubString(const CString& other) const;

    // A blank or one of the characters 9 to 13.
    static bool isWhiteSpace(char character);
    // True when every character is white space, so also for the empty text.
    bool isAllWhiteSpace() const;

    // A null text gives 0.
    static double toDouble(const char* text);
    static double toDouble(const CString& text);
    static float toFloat(const char* text);
    static float toFloat(const CString& text);
    static long toLong(const char* text);
    static long toLong(const CString& text);
    static int toInt(const char* text);
    static int toInt(const CString& text);

    // Zero padded to three characters in all ("%03li": -5 gives "-05"), unlike the assignments.
    static CString toString(double value);
    static CString toString(float value);
    static CString toString(int value);
    static CString toString(long value);

    // New 256-byte buffers the caller frees with delete[].
    static char* floatToText(float value);
    static char* longToText(long value);
    static char* intToText(int value);

private:
    // Copies count characters (a NUL ends them early) into a new buffer before the old one is freed.
    void storeCharacters(const char* text, long count);

    char* m_text;
    long m_length;
};
} // namespace Basics
} // namespace Brivant
