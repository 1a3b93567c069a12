#include "foundation/basics/CStringTokeniser.hpp"

#include <cstring>
#include <memory>

namespace Brivant
{
namespace Basics
{
namespace
{
constexpr char kDefaultDelimiter = ',';
} // namespace

CStringTokeniser::CStringTokeniser(const char* text)
    : m_numberOfTokens(0), m_tokensReturned(0), m_readPosition(0), m_text(), m_delimiter(kDefaultDelimiter)
{
    copyText(text);
}

CStringTokeniser::CStringTokeniser(const CString& text) : CStringTokeniser(text.getString()) {}

CStringTokeniser::CStringTokeniser(const CString& text, char delimiter)
    : CStringTokeniser(text.getString(), delimiter)
{
}

CStringTokeniser::CStringTokeniser(const char* text, char delimiter) : CStringTokeniser(text)
{
    m_delimiter = delimiter;
    getNumberOfTokens();
}

CStringTokeniser::~CStringTokeniser() = default;

void CStringTokeniser::copyText(const char* text)
{
    const size_t length = text != nullptr ? strnlen(text, kTextSize - 1) : 0;
    if (length > 0)
        std::memmove(m_text, text, length);
    m_text[length] = '\0';
}

bool CStringTokeniser::countsRunAt(long position) const { return position > 0 || m_text[0] != '_'; }

long CStringTokeniser::getNumberOfTokens()
{
    long tokens = 0;
    bool afterDelimiter = countsRunAt(0);
    for (const char* c = m_text; *c != '\0'; ++c)
    {
        if (*c == m_delimiter)
        {
            afterDelimiter = true;
        }
        else if (afterDelimiter)
        {
            ++tokens;
            afterDelimiter = false;
        }
    }
    m_numberOfTokens = tokens;
    return tokens;
}

bool CStringTokeniser::hasMoreTokens() const { return m_tokensReturned != m_numberOfTokens; }

void CStringTokeniser::setDelimiter(char delimiter)
{
    m_delimiter = delimiter;
    m_tokensReturned = 0;
    m_readPosition = 0;
}

void CStringTokeniser::setString(const char* text)
{
    if (text != nullptr)
        copyText(text);
    m_tokensReturned = 0;
    m_readPosition = 0;
}

char* CStringTokeniser::getNextToken()
{
    if (!hasMoreTokens())
        return nullptr;

    // Skips what the count skips (empty runs between delimiters, an uncounted first run), so the tokens
    // returned are the tokens counted.
    long position = m_readPosition;
    bool afterDelimiter = countsRunAt(position);
    while (m_text[position] != '\0' && (m_text[position] == m_delimiter || !afterDelimiter))
    {
        if (m_text[position] == m_delimiter)
            afterDelimiter = true;
        ++position;
    }

    long end = position;
    while (m_text[end] != '\0' && m_text[end] != m_delimiter)
        ++end;

    const size_t length = static_cast<size_t>(end - position);
    char* token = new char[length + 1];
    std::memcpy(token, m_text + position, length);
    token[length] = '\0';

    // The terminator matches a NUL delimiter, but the read never moves past it.
    m_readPosition = m_text[end] != '\0' ? end + 1 : end;
    ++m_tokensReturned;
    return token;
}

bool CStringTokeniser::getNextToken(CString& out)
{
    std::unique_ptr<char[]> token(getNextToken());
    if (!token)
        return false;
    out = token.get();
    return true;
}
} // namespace Basics
} // namespace Brivant
