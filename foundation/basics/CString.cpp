#include "foundation/basics/CString.hpp"

#include "foundation/exceptions/CException.hpp"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace Brivant
{
namespace Basics
{
using Exceptions::CException;

namespace
{
constexpr long kNumberTextSize = 256;
constexpr long kShortCopySize = 8;
constexpr long kPascalBufferSize = 256;

// What a wrapped method reports when something below it fails.
struct SFailureTexts
{
    const char* functionName;
    const char* activity;
    const char* unknown;
};

#define BRIVANT_STRING_METHOD(method, activity, unknown)                                                       \
    {"Brivant::Basics::CString::" method, "Caught exception during " activity ", more below\n\n", unknown}

const SFailureTexts kConstruction = BRIVANT_STRING_METHOD(
    "CString", "string construction", "Caught unknown exception during string construction");
const SFailureTexts kAssignment = BRIVANT_STRING_METHOD(
    "operator =", "string assignment", "Caught unknown exception during string assignment");
const SFailureTexts kAppendOperator = BRIVANT_STRING_METHOD(
    "operator +=", "string append", "Caught unknown exception during string append");
const SFailureTexts kEqualOperator = BRIVANT_STRING_METHOD(
    "operator ==", "string comparison", "Caught unknown exception during string comparison");
const SFailureTexts kNotEqualOperator = BRIVANT_STRING_METHOD(
    "operator !=", "string comparison", "Caught unknown exception during string comparison");
const SFailureTexts kIndexOperator = BRIVANT_STRING_METHOD(
    "operator []", "string indexing", "Caught unknown exception during string indexing");
const SFailureTexts kStoring = BRIVANT_STRING_METHOD(
    "setString", "string storing", "Caught unknown exception during string storing");
const SFailureTexts kFormatting = BRIVANT_STRING_METHOD(
    "setStringWithFormat", "string storing (printf)", "Caught unknown exception during string storing (printf)");
const SFailureTexts kAppending = BRIVANT_STRING_METHOD(
    "appendString", "string append", "Caught unknown exception during string append");
const SFailureTexts kGetting = BRIVANT_STRING_METHOD(
    "getString", "string get", "Caught unknown exception during string get");
const SFailureTexts kSubString = BRIVANT_STRING_METHOD(
    "getSubString", "sub string get", "Caught unknown exception during sub string get");
const SFailureTexts kWhiteSpace = BRIVANT_STRING_METHOD(
    "removeTrailingAndLeadingWhiteSpace", "white space removal",
    "Caught unknown exception during white space removal");
const SFailureTexts kLeadingWhiteSpace = BRIVANT_STRING_METHOD(
    "removeLeadingWhiteSpace", "leading white space removal",
    "Caught unknown exception during leading white space removal");
const SFailureTexts kTrailingWhiteSpace = BRIVANT_STRING_METHOD(
    "removeTrailingWhiteSpace", "trailing white space removal",
    "Caught unknown exception during trailing white space removal");
const SFailureTexts kLastCharacter = BRIVANT_STRING_METHOD(
    "removeLastCharacter", "removal of last character", "Caught unknown exception during removal of last character");
const SFailureTexts kCharWithString = BRIVANT_STRING_METHOD(
    "replaceCharWithString", "character replacement", "Caught unknown exception during character replacement");
const SFailureTexts kStringWithChar = BRIVANT_STRING_METHOD(
    "replaceStringWithChar", "character replacement", "Caught unknown exception during character replacement");
const SFailureTexts kEquals = BRIVANT_STRING_METHOD(
    "equals", "string comparison", "Caught unknown exception string comparison");
const SFailureTexts kEqualsIgnoringCase = BRIVANT_STRING_METHOD(
    "equalsIgnoringCase", "string comparison", "Caught unknown exception string comparison");
const SFailureTexts kFindSubString = BRIVANT_STRING_METHOD(
    "findSubString", "substring find", "Caught unknown exception substring find");
const SFailureTexts kDescription = BRIVANT_STRING_METHOD(
    "getObjectDescription", "get object description", "Caught unknown exception get object description");

#undef BRIVANT_STRING_METHOD

// Adds this method's layer on top of the inner failure, so the final text lists every layer down to the first.
[[noreturn]] void rethrowWithLayer(const SFailureTexts& texts, const CException& inner)
{
    CString reason(texts.activity);
    reason.appendString(inner.getErrorReason());
    reason.appendString("\n\n");
    reason.appendString(inner.getFunctionName());
    throw CException(reason, texts.functionName, true);
}

// Runs a method body, turning whatever it throws into a CException of this method.
template <class Body>
auto guarded(const SFailureTexts& texts, Body&& body) -> decltype(body())
{
    try
    {
        return body();
    }
    catch (const CException& inner)
    {
        rethrowWithLayer(texts, inner);
    }
    catch (...)
    {
        throw CException(texts.unknown, texts.functionName, true);
    }
}

char* newNumberText() { return new char[kNumberTextSize](); }

// Ends the argument list however the formatting leaves.
struct SArgumentList
{
    SArgumentList() = default;
    SArgumentList(const SArgumentList&) = delete;
    SArgumentList& operator=(const SArgumentList&) = delete;
    ~SArgumentList() { va_end(list); }

    va_list list;
};
} // namespace

CString::CString(const char* text) : m_text(nullptr), m_length(0)
{
    guarded(kConstruction, [&] { setString(text != nullptr ? text : " "); });
}

CString::CString(const CString& other) : CCountedObject(other), m_text(nullptr), m_length(0)
{
    guarded(kConstruction, [&] { setString(other); });
}

CString::~CString() { delete[] m_text; }

void CString::getObjectDescription(char* text, long size) const
{
    guarded(kDescription, [&] { getString(text, size); });
}

void CString::storeCharacters(const char* text, long count)
{
    const long characters = count > 0 ? static_cast<long>(strnlen(text, static_cast<size_t>(count))) : 0;
    char* copy = new char[static_cast<size_t>(characters) + 1];
    std::memcpy(copy, text, static_cast<size_t>(characters));
    copy[characters] = '\0';

    delete[] m_text;
    m_text = copy;
    m_length = characters + 1;
}

CString& CString::operator=(bool value)
{
    guarded(kAssignment, [&] { *this = value ? "True" : "False"; });
    return *this;
}

CString& CString::operator=(long value)
{
    guarded(kAssignment, [&] {
        char work[kNumberTextSize];
        std::snprintf(work, sizeof(work), "%.3li", value);
        *this = work;
    });
    return *this;
}

CString& CString::operator=(int value) { return *this = static_cast<long>(value); }

CString& CString::operator=(float value)
{
    guarded(kAssignment, [&] {
        char work[kNumberTextSize];
        std::snprintf(work, sizeof(work), "%.3f", static_cast<double>(value));
        *this = work;
    });
    return *this;
}

CString& CString::operator=(const char* text)
{
    guarded(kAssignment, [&] { setString(text); });
    return *this;
}

CString& CString::operator=(const CString* other)
{
    guarded(kAssignment, [&] {
        if (other != nullptr && *this != *other)
            setString(other->getString());
    });
    return *this;
}

CString& CString::operator=(const CString& other)
{
    if (&other != this)
        guarded(kAssignment, [&] { setString(other); });
    return *this;
}

CString& CString::operator+=(const char* text)
{
    guarded(kAppendOperator, [&] { appendString(text); });
    return *this;
}

CString& CString::operator+=(const CString& other)
{
    guarded(kAppendOperator, [&] { appendString(other); });
    return *this;
}

bool CString::operator==(const CString& other) const
{
    return guarded(kEqualOperator, [&] { return *this == other.getString(); });
}

bool CString::operator==(const char* text) const { return text != nullptr && std::strcmp(m_text, text) == 0; }

bool CString::operator!=(const CString& other) const
{
    return guarded(kNotEqualOperator, [&] { return !(*this == other); });
}

bool CString::operator!=(const char* text) const
{
    return guarded(kNotEqualOperator, [&] { return !(*this == text); });
}

bool CString::operator!() const { return m_length == 0; }

char CString::operator[](long index) const
{
    return guarded(kIndexOperator, [&] { return characterAt(index); });
}

CPascalString CString::getPascalString() const { return CPascalString(m_text, kPascalBufferSize); }

void CString::setString(const CString& other)
{
    guarded(kStoring, [&] { setString(other.getString()); });
}

void CString::setString(const char* text)
{
    guarded(kStoring, [&] {
        if (text != nullptr)
            storeCharacters(text, static_cast<long>(std::strlen(text)));
    });
}

void CString::setStringWithFormat(const char* format, ...)
{
    SArgumentList arguments;
    va_start(arguments.list, format);
    guarded(kFormatting, [&] {
        if (format == nullptr)
            return;
        va_list measuring;
        va_copy(measuring, arguments.list);
        const int characters = std::vsnprintf(nullptr, 0, format, measuring);
        va_end(measuring);
        if (characters < 0)
            return;
        const size_t size = static_cast<size_t>(characters) + 1;
        std::unique_ptr<char[]> work(new char[size]());
        std::vsnprintf(work.get(), size, format, arguments.list);
        setString(work.get());
    });
}

void CString::appendString(const CString& other)
{
    guarded(kAppending, [&] { appendString(other.getString()); });
}

void CString::appendString(const char* text)
{
    guarded(kAppending, [&] {
        if (text == nullptr)
            return;
        const size_t oldCharacters = static_cast<size_t>(m_length - 1);
        const size_t added = std::strlen(text);
        // text may be this string's own: it is read before the old buffer goes.
        char* joined = new char[oldCharacters + added + 1];
        std::memcpy(joined, m_text, oldCharacters);
        std::memcpy(joined + oldCharacters, text, added);
        joined[oldCharacters + added] = '\0';

        delete[] m_text;
        m_text = joined;
        m_length += static_cast<long>(added);
    });
}

void CString::appendString(char character)
{
    guarded(kAppending, [&] {
        const char text[2] = {character, '\0'};
        appendString(text);
    });
}

const char* CString::getString() const { return m_text; }

void CString::getString(char* buffer) const
{
    guarded(kGetting, [&] { getString(buffer, kShortCopySize); });
}

void CString::getString(char* buffer, long size) const
{
    if (buffer == nullptr || size <= 0)
        return;
    std::memset(buffer, 0, static_cast<size_t>(size));
    const long copied = m_length <= size ? m_length - 1 : size - 1;
    std::memcpy(buffer, m_text, static_cast<size_t>(copied));
}

CString& CString::getSubString(CString& out, long start, long end) const
{
    return guarded(kSubString, [&]() -> CString& {
        const long last = end < m_length - 2 ? end : m_length - 2;
        if (start < 0 || end < start || end > m_length || last < start)
            out.storeCharacters("", 0);
        else
            out.storeCharacters(m_text + start, last - start + 1);
        return out;
    });
}

long CString::getNumberOfCharacters() const { return m_length; }

char CString::characterAt(long index) const { return index >= 0 && index < m_length ? m_text[index] : ' '; }

void CString::toUpperCase()
{
    for (long i = 0; i < m_length - 1; ++i)
        m_text[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(m_text[i])));
}

void CString::toLowerCase()
{
    for (long i = 0; i < m_length - 1; ++i)
        m_text[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(m_text[i])));
}

void CString::removeTrailingAndLeadingWhiteSpace()
{
    // Both ends in one store, so a failure leaves the text as it was.
    guarded(kWhiteSpace, [&] {
        long first = 0;
        long end = m_length - 1;
        while (first < end && isWhiteSpace(m_text[first]))
            ++first;
        while (end > first && isWhiteSpace(m_text[end - 1]))
            --end;
        storeCharacters(m_text + first, end - first);
    });
}

void CString::removeLeadingWhiteSpace()
{
    guarded(kLeadingWhiteSpace, [&] {
        const long characters = m_length - 1;
        long first = 0;
        while (first < characters && isWhiteSpace(m_text[first]))
            ++first;
        storeCharacters(m_text + first, characters - first);
    });
}

void CString::removeTrailingWhiteSpace()
{
    guarded(kTrailingWhiteSpace, [&] {
        for (long i = m_length - 2; i >= 0; --i)
        {
            if (!isWhiteSpace(m_text[i]))
            {
                storeCharacters(m_text, i + 1);
                return;
            }
        }
    });
}

void CString::removeLastCharacter()
{
    guarded(kLastCharacter, [&] {
        if (m_length > 1)
            storeCharacters(m_text, m_length - 2);
    });
}

void CString::replaceCharWithChar(char from, char to)
{
    for (long i = 0; i < m_length - 1; ++i)
    {
        if (m_text[i] == from)
            m_text[i] = to;
    }
}

void CString::replaceCharWithString(char character, const CString& replacement)
{
    guarded(kCharWithString, [&] {
        CString built("");
        for (long i = 0; i < m_length - 1; ++i)
        {
            if (m_text[i] == character)
                built.appendString(replacement);
            else
                built.appendString(m_text[i]);
        }
        *this = &built;
    });
}

void CString::replaceStringWithChar(char character, const CString& search)
{
    guarded(kStringWithChar, [&] {
        const long searched = search.getNumberOfCharacters() - 1;
        // Either would match again forever: nothing to find, or the result is the searched text itself.
        if (searched <= 0 || (searched == 1 && search.characterAt(0) == character))
            return;
        // search may be this string; the passes work on a copy that is stored once, when all are done.
        const CString pattern(search);
        CString result(*this);
        for (long at = result.findSubString(pattern); at >= 0; at = result.findSubString(pattern))
        {
            CString replaced("");
            replaced.storeCharacters(result.m_text, at);
            replaced.appendString(character);
            replaced.appendString(result.m_text + at + searched);
            result.storeCharacters(replaced.m_text, replaced.m_length - 1);
        }
        storeCharacters(result.m_text, result.m_length - 1);
    });
}

bool CString::equals(const CString& other) const
{
    return guarded(kEquals, [&] { return equals(other.getString()); });
}

bool CString::equals(const char* text) const { return text != nullptr && std::strcmp(m_text, text) == 0; }

bool CString::equalsIgnoringCase(const CString& other) const
{
    return guarded(kEqualsIgnoringCase, [&] { return equalsIgnoringCase(other.getString()); });
}

bool CString::equalsIgnoringCase(const char* text) const { return text != nullptr && _stricmp(m_text, text) == 0; }

long CString::findForward(char character) const
{
    for (long i = 0; i < m_length; ++i)
    {
        if (m_text[i] == character)
            return i;
    }
    return -1;
}

long CString::findBackwards(char character) const
{
    for (long i = m_length - 1; i >= 0; --i)
    {
        if (m_text[i] == character)
            return i;
    }
    return -1;
}

long CString::findSubString(const CString& other) const
{
    return guarded(kFindSubString, [&]() -> long {
        const long wanted = other.getNumberOfCharacters() - 1;
        const char* pattern = other.getString();
        // The empty text matches its terminator against this one's, as a search for NUL does.
        if (wanted == 0)
            return m_length - 1;
        for (long at = 0; at + wanted <= m_length - 1; ++at)
        {
            if (std::memcmp(m_text + at, pattern, static_cast<size_t>(wanted)) == 0)
                return at;
        }
        return -1;
    });
}

bool CString::isWhiteSpace(char character) { return character == ' ' || (character >= 9 && character <= 13); }

bool CString::isAllWhiteSpace() const
{
    for (long i = 0; i < m_length - 1; ++i)
    {
        if (!isWhiteSpace(m_text[i]))
            return false;
    }
    return true;
}

double CString::toDouble(const char* text) { return text != nullptr ? std::atof(text) : 0.0; }
double CString::toDouble(const CString& text) { return toDouble(text.getString()); }
float CString::toFloat(const char* text) { return static_cast<float>(toDouble(text)); }
float CString::toFloat(const CString& text) { return toFloat(text.getString()); }
long CString::toLong(const char* text) { return text != nullptr ? std::atol(text) : 0; }
long CString::toLong(const CString& text) { return toLong(text.getString()); }
int CString::toInt(const char* text) { return text != nullptr ? std::atoi(text) : 0; }
int CString::toInt(const CString& text) { return toInt(text.getString()); }

CString CString::toString(double value)
{
    CString text("");
    text.setStringWithFormat("%.3f", value);
    return text;
}

CString CString::toString(float value) { return toString(static_cast<double>(value)); }

CString CString::toString(int value)
{
    CString text("");
    text.setStringWithFormat("%03i", value);
    return text;
}

CString CString::toString(long value)
{
    CString text("");
    text.setStringWithFormat("%03li", value);
    return text;
}

char* CString::floatToText(float value)
{
    char* text = newNumberText();
    std::snprintf(text, kNumberTextSize, "%.3f", static_cast<double>(value));
    return text;
}

char* CString::longToText(long value)
{
    char* text = newNumberText();
    std::snprintf(text, kNumberTextSize, "%.3li", value);
    return text;
}

char* CString::intToText(int value) { return longToText(value); }
} // namespace Basics
} // namespace Brivant
