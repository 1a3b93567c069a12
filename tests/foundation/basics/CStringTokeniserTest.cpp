// CStringTokeniser: counting rules, every counted token returned, restarts, and texts cut to the buffer.
#include "foundation/basics/CStringTokeniser.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CString;
using Brivant::Basics::CStringTokeniser;

class CStringTokeniserTest : public ::testing::Test
{
protected:
    // Every token until the tokeniser reports none; a guard stops a tokeniser that never does.
    static std::vector<std::string> readAll(CStringTokeniser& tokeniser)
    {
        std::vector<std::string> tokens;
        CString token("");
        while (tokens.size() < 100 && tokeniser.getNextToken(token))
            tokens.push_back(token.getString());
        EXPECT_FALSE(tokeniser.hasMoreTokens());
        return tokens;
    }

    using Tokens = std::vector<std::string>;
};

TEST_F(CStringTokeniserTest, countsMaximalRunsAndReturnsEachOfThem)
{
    CStringTokeniser numbers("1,2,3,4", ',');
    EXPECT_EQ(4, numbers.getNumberOfTokens());
    EXPECT_EQ((Tokens{"1", "2", "3", "4"}), readAll(numbers));

    CStringTokeniser gaps(CString(",a,,b,"), ',');
    EXPECT_EQ(2, gaps.getNumberOfTokens());
    EXPECT_EQ((Tokens{"a", "b"}), readAll(gaps));

    CStringTokeniser path("C:\\dir\\file.txt", '\\');
    EXPECT_EQ((Tokens{"C:", "dir", "file.txt"}), readAll(path));
}

TEST_F(CStringTokeniserTest, emptyTokenDoesNotCutOffTheTokensAfterIt)
{
    CStringTokeniser tokeniser("a,,b", ',');
    EXPECT_EQ(2, tokeniser.getNumberOfTokens());
    const std::unique_ptr<char[]> first(tokeniser.getNextToken());
    const std::unique_ptr<char[]> second(tokeniser.getNextToken());
    EXPECT_STREQ("a", first.get());
    EXPECT_STREQ("b", second.get());
    EXPECT_FALSE(tokeniser.hasMoreTokens());
    EXPECT_EQ(nullptr, tokeniser.getNextToken());
}

TEST_F(CStringTokeniserTest, leadingUnderscoreRunIsNeitherCountedNorReturned)
{
    CStringTokeniser tokeniser("_x,y", ',');
    EXPECT_EQ(1, tokeniser.getNumberOfTokens());
    EXPECT_EQ((Tokens{"y"}), readAll(tokeniser));

    CStringTokeniser underscoreDelimiter("_a_b", '_');
    EXPECT_EQ(2, underscoreDelimiter.getNumberOfTokens());
    EXPECT_EQ((Tokens{"a", "b"}), readAll(underscoreDelimiter));

    CStringTokeniser inner("x_,y", ',');
    EXPECT_EQ((Tokens{"x_", "y"}), readAll(inner));
}

TEST_F(CStringTokeniserTest, textOnlyConstructorsLeaveTheTokensUncounted)
{
    CStringTokeniser tokeniser("a,b");
    EXPECT_FALSE(tokeniser.hasMoreTokens());
    EXPECT_EQ(nullptr, tokeniser.getNextToken());
    EXPECT_EQ(2, tokeniser.getNumberOfTokens());
    EXPECT_EQ((Tokens{"a", "b"}), readAll(tokeniser));

    CStringTokeniser fromString(CString("p,q,r"));
    EXPECT_FALSE(fromString.hasMoreTokens());
    EXPECT_EQ(3, fromString.getNumberOfTokens());

    CStringTokeniser none(static_cast<const char*>(nullptr));
    EXPECT_EQ(0, none.getNumberOfTokens());
    EXPECT_FALSE(none.hasMoreTokens());
}

TEST_F(CStringTokeniserTest, newDelimiterOrTextRestartsAtTheFirstToken)
{
    CStringTokeniser tokeniser("a;b,c", ',');
    EXPECT_EQ((Tokens{"a;b", "c"}), readAll(tokeniser));
    tokeniser.setDelimiter(';');
    EXPECT_EQ(2, tokeniser.getNumberOfTokens());
    EXPECT_EQ((Tokens{"a", "b,c"}), readAll(tokeniser));

    tokeniser.setString("x;y;z");
    EXPECT_EQ(3, tokeniser.getNumberOfTokens());
    tokeniser.setString(nullptr);
    EXPECT_EQ((Tokens{"x", "y", "z"}), readAll(tokeniser));
}

TEST_F(CStringTokeniserTest, staleCountReadsEmptyTokensInsteadOfPastTheText)
{
    CStringTokeniser tokeniser("a,b,c", ',');
    tokeniser.setString("x");
    EXPECT_EQ((Tokens{"x", "", ""}), readAll(tokeniser));
}

TEST_F(CStringTokeniserTest, aNulDelimiterNeverMovesTheReadPastTheTextsEnd)
{
    // The shorter text leaves "c,d" behind its terminator in the buffer.
    CStringTokeniser tokeniser("a,b,c,d", ',');
    tokeniser.setString("a,b");
    tokeniser.setDelimiter('\0');
    EXPECT_EQ((Tokens{"a,b", "", "", ""}), readAll(tokeniser));
}

TEST_F(CStringTokeniserTest, textLongerThanTheBufferIsCutTo2047Characters)
{
    const std::string longText = std::string(3000, 'a') + ",b";
    CStringTokeniser tokeniser(longText.c_str(), ',');
    EXPECT_EQ(1, tokeniser.getNumberOfTokens());
    const std::unique_ptr<char[]> token(tokeniser.getNextToken());
    EXPECT_EQ(std::string(2047, 'a'), token.get());

    // The cut falls right after "b": ",c" is gone.
    tokeniser.setString((std::string(2045, 'a') + ",b,c").c_str());
    EXPECT_EQ(2, tokeniser.getNumberOfTokens());
    EXPECT_EQ((Tokens{std::string(2045, 'a'), "b"}), readAll(tokeniser));
}

TEST_F(CStringTokeniserTest, countsItsInstancesInItsOwnRecord)
{
    const long live = CStringTokeniser::classRecord().getInstanceCount();
    {
        CStringTokeniser tokeniser("a");
        const CStringTokeniser copy(tokeniser);
        EXPECT_EQ(live + 2, CStringTokeniser::classRecord().getInstanceCount());
        EXPECT_STREQ("CStringTokeniser", copy.getClass().getClassName());
        EXPECT_STREQ("CCountedObject", copy.getClass().getParentName());
    }
    EXPECT_EQ(live, CStringTokeniser::classRecord().getInstanceCount());
}
} // namespace
