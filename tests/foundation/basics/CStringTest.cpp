// CString: lengths that count the terminator, number formats, bounds, search, and failures that keep the text.
#include "foundation/basics/CString.hpp"
#include "foundation/exceptions/CException.hpp"

#include "CAllocationFailure.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace
{
using Brivant::Basics::CCountedObject;
using Brivant::Basics::CPascalString;
using Brivant::Basics::CString;
using Brivant::Exceptions::CException;
using Brivant::Testing::CAllocationFailure;

struct SFailure
{
    bool thrown = false;
    std::string reason;
    std::string functionName;
    bool flag = false;
};

class CStringTest : public ::testing::Test
{
protected:
    // Runs the operation with its allocation-th allocation failing; only a CException may come out.
    static SFailure failAllocation(long allocation, const std::function<void()>& operation)
    {
        SFailure failure;
        CAllocationFailure::failAt(allocation);
        try
        {
            operation();
        }
        catch (const CException& exception)
        {
            CAllocationFailure::disarm();
            failure = {true, exception.getErrorReason().getString(), exception.getFunctionName().getString(),
                       exception.getFlag()};
        }
        CAllocationFailure::disarm();
        return failure;
    }

    // Fails each allocation of the operation in turn: every failure names the method and leaves the text as
    // it was. Returns how many allocations the operation makes, and restores the text it started with.
    static long expectEveryFailureKeepsText(CString& text, const char* method,
                                            const std::function<void()>& operation)
    {
        const std::string before = text.getString();
        long allocation = 1;
        for (; allocation < 64; ++allocation)
        {
            const SFailure failure = failAllocation(allocation, operation);
            if (!failure.thrown)
                break;
            EXPECT_EQ(std::string("Brivant::Basics::CString::") + method, failure.functionName)
                << "allocation " << allocation;
            EXPECT_EQ(before, text.getString()) << method << ", allocation " << allocation;
            EXPECT_EQ(static_cast<long>(before.size()) + 1, text.getNumberOfCharacters());
        }
        text = before.c_str();
        return allocation - 1;
    }

    static std::string subString(const char* text, long start, long end)
    {
        CString out("unchanged");
        return CString(text).getSubString(out, start, end).getString();
    }
};

TEST_F(CStringTest, lengthCountsTheTerminatorAndNullIsStoredAsOneBlank)
{
    const CString fromNull(nullptr);
    const CString empty("");
    const CString abc("abc");
    EXPECT_STREQ(" ", fromNull.getString());
    EXPECT_EQ(2, fromNull.getNumberOfCharacters());
    EXPECT_STREQ("", empty.getString());
    EXPECT_EQ(1, empty.getNumberOfCharacters());
    EXPECT_EQ(4, abc.getNumberOfCharacters());
    EXPECT_FALSE(!fromNull);
    EXPECT_FALSE(!empty);

    const CString copy(abc);
    EXPECT_STREQ("abc", copy.getString());
    EXPECT_NE(abc.getString(), copy.getString());
    EXPECT_STREQ("CString", abc.getClass().getClassName());
    EXPECT_STREQ("CCountedObject", abc.getClass().getParentName());
}

TEST_F(CStringTest, constructionCopyAndDestructionCountInBothRecords)
{
    const long strings = CString::classRecord().getInstanceCount();
    const long stringTotal = CString::classRecord().getTotalCount();
    const long counted = CCountedObject::classRecord().getInstanceCount();
    {
        const CString original("a");
        const CString copy(original);
        EXPECT_EQ(strings + 2, CString::classRecord().getInstanceCount());
        EXPECT_EQ(counted + 2, CCountedObject::classRecord().getInstanceCount());
        EXPECT_EQ(0, copy.getReferenceCount());

        CString assigned("b");
        assigned = original;
        EXPECT_EQ(strings + 3, CString::classRecord().getInstanceCount());
    }
    EXPECT_EQ(strings, CString::classRecord().getInstanceCount());
    EXPECT_EQ(counted, CCountedObject::classRecord().getInstanceCount());
    EXPECT_EQ(stringTotal + 3, CString::classRecord().getTotalCount());
}

TEST_F(CStringTest, assignmentFormatsNumbersWithAtLeastThreeDigits)
{
    CString text("");
    EXPECT_STREQ("007", (text = 7).getString());
    EXPECT_STREQ("005", (text = 5L).getString());
    EXPECT_STREQ("-005", (text = -5L).getString());
    EXPECT_STREQ("-005", (text = -5).getString());
    EXPECT_STREQ("12345", (text = 12345).getString());
    EXPECT_STREQ("3.142", (text = 3.14159f).getString());
    EXPECT_STREQ("True", (text = true).getString());
    EXPECT_STREQ("False", (text = false).getString());
    EXPECT_EQ(6, text.getNumberOfCharacters());
}

TEST_F(CStringTest, staticConversionsPadToThreeCharactersInAll)
{
    EXPECT_STREQ("-05", CString::toString(-5).getString());
    EXPECT_STREQ("005", CString::toString(5L).getString());
    EXPECT_STREQ("-05", CString::toString(-5L).getString());
    EXPECT_STREQ("3.142", CString::toString(3.14159).getString());
    EXPECT_STREQ("2.500", CString::toString(2.5f).getString());
    // Wider than any fixed work buffer.
    EXPECT_EQ(1 + 301 + 4, CString::toString(1e300).getNumberOfCharacters());

    const std::unique_ptr<char[]> floatText(CString::floatToText(3.14159f));
    const std::unique_ptr<char[]> longText(CString::longToText(-5));
    const std::unique_ptr<char[]> intText(CString::intToText(7));
    EXPECT_STREQ("3.142", floatText.get());
    EXPECT_STREQ("-005", longText.get());
    EXPECT_STREQ("007", intText.get());

    EXPECT_DOUBLE_EQ(2.25, CString::toDouble("2.25"));
    EXPECT_FLOAT_EQ(2.25f, CString::toFloat(CString("2.25")));
    EXPECT_EQ(-42, CString::toLong(CString("-42abc")));
    EXPECT_EQ(17, CString::toInt("17"));
    EXPECT_EQ(0, CString::toLong(static_cast<const char*>(nullptr)));
    EXPECT_EQ(0.0, CString::toDouble(static_cast<const char*>(nullptr)));
}

TEST_F(CStringTest, assignmentFromStringsCopiesTheTextAndIgnoresNullAndSelf)
{
    CString text("old");
    const CString other("new");
    text = &other;
    EXPECT_STREQ("new", text.getString());
    text = static_cast<const CString*>(nullptr);
    text = static_cast<const char*>(nullptr);
    EXPECT_STREQ("new", text.getString());

    CString& self = text;
    text = self;
    text = &self;
    EXPECT_STREQ("new", text.getString());

    text = CString("again");
    EXPECT_STREQ("again", text.getString());
    EXPECT_EQ(6, text.getNumberOfCharacters());
}

TEST_F(CStringTest, appendingKeepsOneTerminatorAndMayAppendTheStringItself)
{
    CString text("ab");
    text += "cd";
    text.appendString('e');
    text.appendString(CString("f"));
    text.appendString(static_cast<const char*>(nullptr));
    EXPECT_STREQ("abcdef", text.getString());
    EXPECT_EQ(7, text.getNumberOfCharacters());

    CString twice("ab");
    twice.appendString(twice);
    EXPECT_STREQ("abab", twice.getString());
    twice += twice;
    EXPECT_STREQ("abababab", twice.getString());
    twice.appendString(twice.getString() + 6);
    EXPECT_STREQ("ababababab", twice.getString());
    EXPECT_EQ(11, twice.getNumberOfCharacters());
}

TEST_F(CStringTest, setStringReadsItsArgumentBeforeReleasingTheOldText)
{
    CString text("hello world");
    text.setString(text.getString() + 6);
    EXPECT_STREQ("world", text.getString());
    EXPECT_EQ(6, text.getNumberOfCharacters());
    text.setString(text);
    EXPECT_STREQ("world", text.getString());

    text.setStringWithFormat("%s-%03d-%s", "a", 7, text.getString());
    EXPECT_STREQ("a-007-world", text.getString());
    text.setStringWithFormat("%s%s", text.getString(), text.getString());
    EXPECT_STREQ("a-007-worlda-007-world", text.getString());

    const std::string wide(1000, 'w');
    text.setStringWithFormat("%s!", wide.c_str());
    EXPECT_EQ(1002, text.getNumberOfCharacters());
}

TEST_F(CStringTest, getStringFillsTheBufferAndNeverWritesPastIt)
{
    char buffer[12];
    std::fill(std::begin(buffer), std::end(buffer), '#');
    CString("hello").getString(buffer, 4);
    EXPECT_EQ(std::string("hel\0########", 12), std::string(buffer, 12));

    CString("hi").getString(buffer, 4);
    EXPECT_EQ(std::string("hi\0\0########", 12), std::string(buffer, 12));

    CString("abcd").getString(buffer, 5);
    EXPECT_EQ(std::string("abcd\0#######", 12), std::string(buffer, 12));

    std::fill(std::begin(buffer), std::end(buffer), '#');
    CString("abcdefghij").getString(buffer);
    EXPECT_EQ(std::string("abcdefg\0####", 12), std::string(buffer, 12));

    std::fill(std::begin(buffer), std::end(buffer), '#');
    CString("abc").getString(buffer, 0);
    CString("abc").getString(buffer, -3);
    CString("abc").getObjectDescription(buffer, 0);
    CString("abc").getString(nullptr, 4);
    EXPECT_EQ(std::string(12, '#'), std::string(buffer, 12));

    CString("description").getObjectDescription(buffer, 5);
    EXPECT_EQ(std::string("desc\0#######", 12), std::string(buffer, 12));
}

TEST_F(CStringTest, subStringRunsFromStartToEndInclusiveWithinTheText)
{
    EXPECT_EQ("bcd", subString("abcdef", 1, 3));
    EXPECT_EQ("c", subString("abcdef", 2, 2));
    EXPECT_EQ("", subString("abcdef", 3, 2));
    EXPECT_EQ("", subString("abc", 0, 10));
    EXPECT_EQ("", subString("abc", -1, 2));
    // Up to the terminator's index or the length itself, the rest of the text.
    EXPECT_EQ("bc", subString("abc", 1, 3));
    EXPECT_EQ("bc", subString("abc", 1, 4));
    EXPECT_EQ("", subString("abc", 3, 3));
    EXPECT_EQ("", subString("abc", 4, 4));

    CString text("abcdef");
    EXPECT_STREQ("bcd", text.getSubString(text, 1, 3).getString());
    EXPECT_EQ(4, text.getNumberOfCharacters());
}

TEST_F(CStringTest, characterReadsOutsideTheTextGiveABlank)
{
    const CString text("abc");
    EXPECT_EQ('a', text[0]);
    EXPECT_EQ('c', text.characterAt(2));
    EXPECT_EQ('\0', text[3]);
    EXPECT_EQ(' ', text[4]);
    EXPECT_EQ(' ', text.characterAt(-1));
}

TEST_F(CStringTest, searchScansTheTerminatorAndFindsSubStringsAnywhere)
{
    const CString hello("hello");
    EXPECT_EQ(2, hello.findForward('l'));
    EXPECT_EQ(3, hello.findBackwards('l'));
    EXPECT_EQ(-1, hello.findForward('z'));
    EXPECT_EQ(-1, hello.findBackwards('z'));
    EXPECT_EQ(5, hello.findForward('\0'));
    EXPECT_EQ(5, hello.findBackwards('\0'));

    EXPECT_EQ(1, CString("aab").findSubString(CString("ab")));
    EXPECT_EQ(3, CString("ababc").findSubString(CString("bc")));
    EXPECT_EQ(0, hello.findSubString(hello));
    EXPECT_EQ(-1, hello.findSubString(CString("hello!")));
    EXPECT_EQ(-1, hello.findSubString(CString("lo!")));
    EXPECT_EQ(-1, hello.findSubString(CString("x")));
    EXPECT_EQ(5, hello.findSubString(CString("")));
}

TEST_F(CStringTest, comparisonIsByteWiseUnlessCaseIsIgnored)
{
    const CString abc("abc");
    EXPECT_TRUE(abc == CString("abc"));
    EXPECT_FALSE(abc == "ABC");
    EXPECT_FALSE(abc == "abcd");
    EXPECT_TRUE(abc != "ab");
    EXPECT_FALSE(abc != CString("abc"));
    EXPECT_TRUE(abc.equals(CString("abc")));
    EXPECT_FALSE(abc.equals("ABC"));
    EXPECT_TRUE(abc.equalsIgnoringCase("ABC"));
    EXPECT_FALSE(abc.equalsIgnoringCase(CString("abd")));

    const char* none = nullptr;
    EXPECT_FALSE(abc == none);
    EXPECT_TRUE(abc != none);
    EXPECT_FALSE(abc.equals(none) || abc.equalsIgnoringCase(none));
}

TEST_F(CStringTest, caseChangesAndCharacterReplacementWorkInPlace)
{
    CString text("aB c1\xe9");
    text.toUpperCase();
    EXPECT_STREQ("AB C1\xe9", text.getString());
    text.toLowerCase();
    EXPECT_STREQ("ab c1\xe9", text.getString());
    text.replaceCharWithChar(' ', '_');
    EXPECT_STREQ("ab_c1\xe9", text.getString());
    EXPECT_EQ(7, text.getNumberOfCharacters());
}

TEST_F(CStringTest, whiteSpaceRemovalLeavesAllBlankTextsOnlyToTheLeadingPass)
{
    CString text("a \t");
    text.removeTrailingWhiteSpace();
    EXPECT_STREQ("a", text.getString());
    EXPECT_EQ(2, text.getNumberOfCharacters());

    CString blanks("  ");
    blanks.removeTrailingWhiteSpace();
    EXPECT_STREQ("  ", blanks.getString());
    blanks.removeTrailingAndLeadingWhiteSpace();
    EXPECT_STREQ("", blanks.getString());
    EXPECT_EQ(1, blanks.getNumberOfCharacters());

    CString padded(" \t\n\v\f\rx y \r\n");
    padded.removeLeadingWhiteSpace();
    EXPECT_STREQ("x y \r\n", padded.getString());
    padded.removeTrailingAndLeadingWhiteSpace();
    EXPECT_STREQ("x y", padded.getString());

    EXPECT_TRUE(CString::isWhiteSpace(' ') && CString::isWhiteSpace('\t') && CString::isWhiteSpace('\r'));
    EXPECT_FALSE(CString::isWhiteSpace('\b') || CString::isWhiteSpace('\x0e'));
    EXPECT_TRUE(CString("").isAllWhiteSpace());
    EXPECT_TRUE(CString(" \t").isAllWhiteSpace());
    EXPECT_FALSE(CString(" a").isAllWhiteSpace());
}

TEST_F(CStringTest, removeLastCharacterStopsAtTheEmptyText)
{
    CString text("ab");
    text.removeLastCharacter();
    EXPECT_STREQ("a", text.getString());
    text.removeLastCharacter();
    text.removeLastCharacter();
    EXPECT_STREQ("", text.getString());
    EXPECT_EQ(1, text.getNumberOfCharacters());
}

TEST_F(CStringTest, replacingACharacterWithAStringInsertsItsText)
{
    CString path("a/b/c");
    path.replaceCharWithString('/', CString("::"));
    EXPECT_STREQ("a::b::c", path.getString());
    EXPECT_EQ(8, path.getNumberOfCharacters());

    CString self("a/b");
    self.replaceCharWithString('/', self);
    EXPECT_STREQ("aa/bb", self.getString());
}

TEST_F(CStringTest, replacingAStringWithACharacterRepeatsFromTheStart)
{
    CString text("xabyab");
    text.replaceStringWithChar('-', CString("ab"));
    EXPECT_STREQ("x-y-", text.getString());
    EXPECT_EQ(5, text.getNumberOfCharacters());

    // Each replacement can complete the next match.
    CString chain("abbb");
    chain.replaceStringWithChar('a', CString("ab"));
    EXPECT_STREQ("a", chain.getString());

    CString self("abc");
    self.replaceStringWithChar('-', self);
    EXPECT_STREQ("-", self.getString());
}

TEST_F(CStringTest, replacingAnEmptyTextOrTheCharacterItselfLeavesTheTextUnchanged)
{
    CString text("x-y");
    text.replaceStringWithChar('*', CString(""));
    EXPECT_STREQ("x-y", text.getString());
    text.replaceStringWithChar('-', CString("-"));
    EXPECT_STREQ("x-y", text.getString());
    text.replaceStringWithChar('+', CString("-"));
    EXPECT_STREQ("x+y", text.getString());
}

TEST_F(CStringTest, pascalCopyHoldsTheLengthThenTheText)
{
    const CPascalString pascal = CString("abc").getPascalString();
    const unsigned char* bytes = pascal.getPascalString();
    EXPECT_EQ(3, bytes[0]);
    EXPECT_EQ(std::string("abc", 4), std::string(reinterpret_cast<const char*>(bytes) + 1, 4));
}

TEST_F(CStringTest, allocationFailureInConstructionNamesEveryLayer)
{
    const long strings = CString::classRecord().getInstanceCount();
    const SFailure failure = failAllocation(1, [] { CString text("abc"); });
    ASSERT_TRUE(failure.thrown);
    EXPECT_EQ("Caught exception during string construction, more below\n\n"
              "Caught unknown exception during string storing\n\n"
              "Brivant::Basics::CString::setString",
              failure.reason);
    EXPECT_EQ("Brivant::Basics::CString::CString", failure.functionName);
    EXPECT_TRUE(failure.flag);
    EXPECT_EQ(strings, CString::classRecord().getInstanceCount());
}

TEST_F(CStringTest, nestedFailureListsOuterLayersAboveTheFirst)
{
    CString text("old");
    const SFailure failure = failAllocation(1, [&] { text = 5L; });
    ASSERT_TRUE(failure.thrown);
    EXPECT_EQ("Caught exception during string assignment, more below\n\n"
              "Caught exception during string assignment, more below\n\n"
              "Caught unknown exception during string storing\n\n"
              "Brivant::Basics::CString::setString\n\n"
              "Brivant::Basics::CString::operator =",
              failure.reason);
    EXPECT_EQ("Brivant::Basics::CString::operator =", failure.functionName);
    EXPECT_STREQ("old", text.getString());

    const SFailure append = failAllocation(1, [&] { text += "x"; });
    EXPECT_EQ("Caught exception during string append, more below\n\n"
              "Caught unknown exception during string append\n\n"
              "Brivant::Basics::CString::appendString",
              append.reason);
    EXPECT_EQ("Brivant::Basics::CString::operator +=", append.functionName);
}

TEST_F(CStringTest, everyAllocationFailureLeavesTheOldTextIntact)
{
    CString text(" ab/ab ");
    const CString other("other text");
    const CString separator("::");
    const CString pattern("ab");
    char buffer[8];
    EXPECT_LT(0, expectEveryFailureKeepsText(text, "operator =", [&] { text = other; }));
    EXPECT_LT(0, expectEveryFailureKeepsText(text, "operator =", [&] { text = &other; }));
    EXPECT_LT(0, expectEveryFailureKeepsText(text, "operator =", [&] { text = 3.5f; }));
    EXPECT_LT(0, expectEveryFailureKeepsText(text, "operator =", [&] { text = true; }));
    EXPECT_LT(0, expectEveryFailureKeepsText(text, "setString", [&] { text.setString(text.getString() + 1); }));
    EXPECT_LT(0, expectEveryFailureKeepsText(text, "setStringWithFormat",
                                             [&] { text.setStringWithFormat("%s!", text.getString()); }));
    EXPECT_LT(0, expectEveryFailureKeepsText(text, "appendString", [&] { text.appendString(text); }));
    EXPECT_LT(0, expectEveryFailureKeepsText(text, "appendString", [&] { text.appendString('x'); }));
    EXPECT_LT(0, expectEveryFailureKeepsText(text, "operator +=", [&] { text += text; }));
    EXPECT_LT(0, expectEveryFailureKeepsText(text, "getSubString", [&] { text.getSubString(text, 1, 3); }));
    EXPECT_LT(0, expectEveryFailureKeepsText(text, "removeLeadingWhiteSpace",
                                             [&] { text.removeLeadingWhiteSpace(); }));
    EXPECT_LT(0, expectEveryFailureKeepsText(text, "removeTrailingWhiteSpace",
                                             [&] { text.removeTrailingWhiteSpace(); }));
    EXPECT_LT(0, expectEveryFailureKeepsText(text, "removeTrailingAndLeadingWhiteSpace",
                                             [&] { text.removeTrailingAndLeadingWhiteSpace(); }));
    EXPECT_LT(0, expectEveryFailureKeepsText(text, "removeLastCharacter", [&] { text.removeLastCharacter(); }));
    EXPECT_LT(0, expectEveryFailureKeepsText(text, "replaceCharWithString",
                                             [&] { text.replaceCharWithString('/', separator); }));
    EXPECT_LT(0, expectEveryFailureKeepsText(text, "replaceStringWithChar",
                                             [&] { text.replaceStringWithChar('-', pattern); }));
    // Copying out needs no allocation at all.
    EXPECT_EQ(0, expectEveryFailureKeepsText(text, "getString", [&] { text.getString(buffer); }));
}
} // namespace
