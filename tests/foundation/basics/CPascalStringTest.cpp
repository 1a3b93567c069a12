// CPascalString: a length byte, the text and its NUL, always within the buffer.
#include "foundation/basics/CPascalString.hpp"

#include <gtest/gtest.h>

#include <string>

namespace
{
using Brivant::Basics::CPascalString;

class CPascalStringTest : public ::testing::Test
{
protected:
    // The length byte's text, with the NUL that must follow it.
    static std::string textOf(const CPascalString& pascal)
    {
        const unsigned char* bytes = pascal.getPascalString();
        return std::string(reinterpret_cast<const char*>(bytes) + 1, static_cast<size_t>(bytes[0]) + 1);
    }
};

TEST_F(CPascalStringTest, holdsTheLengthThenTheTextAndItsTerminator)
{
    const CPascalString pascal("abc", 256);
    EXPECT_EQ(std::string("abc", 4), textOf(pascal));

    const CPascalString empty(nullptr, 256);
    EXPECT_EQ(std::string("", 1), textOf(empty));
}

TEST_F(CPascalStringTest, textBeyondTheCapacityIsCutToFit)
{
    const CPascalString small("abcdef", 5);
    EXPECT_EQ(std::string("abc", 4), textOf(small));

    const CPascalString exact("abc", 5);
    EXPECT_EQ(std::string("abc", 4), textOf(exact));

    const std::string longText(300, 'x');
    const CPascalString byteLimit(longText.c_str(), 1024);
    EXPECT_EQ(std::string(255, 'x') + '\0', textOf(byteLimit));

    const CPascalString tiny("abc", 0);
    EXPECT_EQ(std::string("", 1), textOf(tiny));
}

TEST_F(CPascalStringTest, setStringReplacesTheTextEvenFromItsOwnBuffer)
{
    CPascalString pascal("hello", 256);
    pascal.setString(reinterpret_cast<const char*>(pascal.getPascalString()) + 2, 16);
    EXPECT_EQ(std::string("ello", 5), textOf(pascal));
    EXPECT_STREQ("CPascalString", pascal.getClass().getClassName());
}
} // namespace
