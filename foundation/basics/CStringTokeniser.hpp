// Splits a copy of a text (at most 2047 characters; longer ones are cut) on one delimiter character.
// A token is a maximal run of non-delimiter characters; in a text starting with '_' the first run is no token.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/basics/CString.hpp"

namespace Brivant
{
namespace Basics
{
class CStringTokeniser : public CCountedObject
{
    BRIVANT_CLASS_RECORD(CStringTokeniser, "CCountedObject");

public:
    static constexpr long kTextSize = 2048;

    // These two leave the tokens uncounted: hasMoreTokens is false until getNumberOfTokens is called.
    // A null text gives the empty text.
    explicit CStringTokeniser(const char* text);
    explicit CStringTokeniser(const CString& text);
    // These two count the tokens at once.
    CStringTokeniser(const CString& text, char delimiter);
    CStringTokeniser(const char* text, char delimiter);
    ~CStringTokeniser() override;

    // Counts, stores and returns the number of tokens.
    virtual long getNumberOfTokens();
    virtual bool hasMoreTokens() const;
    // Both restart at the first token; the count is stale until getNumberOfTokens is called again.
    virtual void setDelimiter(char delimiter);
    // A null text leaves the text unchanged.
    virtual void setString(const char* text);
    // The next counted token as a new array the caller frees with delete[]; null when there is none.
    virtual char* getNextToken();

    // False when there is no token left.
    bool getNextToken(CString& out);

private:
    void copyText(const char* text);
    // Whether the run starting at position is counted: the first run of a text starting with '_' is not.
    bool countsRunAt(long position) const;

    long m_numberOfTokens;
    long m_tokensReturned;
    long m_readPosition;
    char m_text[kTextSize];
    char m_delimiter;
};
} // namespace Basics
} // namespace Brivant
