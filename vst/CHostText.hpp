// A roomy zeroed buffer for an effect to write a text into, handed to the host cut to the protocol's width.
#pragma once

#include <cstddef>
#include <cstring>

class CHostText
{
public:
    // Room for anything our effects write, so a long text can only ever be cut, never overrun the host.
    static constexpr size_t kCapacity = 512;

    char* buffer() { return m_text; }
    const char* text() const { return m_text; }

    // Copies at most maxCharacters characters and always terminates.
    void copyTo(char* destination, size_t maxCharacters) const
    {
        copyCut(destination, m_text, maxCharacters);
    }

    // Writes the whole field: the text cut to fieldSize - 1 characters, zeros behind it.
    void fillField(char* destination, size_t fieldSize) const
    {
        std::memset(destination, 0, fieldSize);
        copyCut(destination, m_text, fieldSize - 1);
    }

    static void copyCut(char* destination, const char* source, size_t maxCharacters)
    {
        size_t length = 0;
        while (length < maxCharacters && source[length] != 0)
            ++length;
        std::memcpy(destination, source, length);
        destination[length] = 0;
    }

private:
    char m_text[kCapacity] = {};
};
