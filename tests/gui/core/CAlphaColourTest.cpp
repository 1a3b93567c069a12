// CAlphaColour: alpha handling through both setters and both assignments, conversions to plain colours,
// brighten and darken, the text forms and the thirteen constants.
#include "../../foundation/basics/CCountChange.hpp"
#include "foundation/basics/CString.hpp"
#include "gui/core/CAlphaColour.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace
{
using Brivant::Basics::CCountedObject;
using Brivant::Basics::CString;
using Brivant::GUI::Basics::CAlphaColour;
using Brivant::GUI::Basics::CColour;
using VolturaTests::CCountChange;

// Copied while this file's statics are built, before any test runs: the constants must already hold their values.
const CAlphaColour s_pinkAtLoad = CAlphaColour::pink();
const CColour s_greyAtLoad = CColour::darkGrey();

std::string channels(const CAlphaColour& colour)
{
    return std::to_string(colour.getRed()) + "," + std::to_string(colour.getGreen()) + "," +
           std::to_string(colour.getBlue()) + "," + std::to_string(colour.getAlpha());
}

std::string text(const CAlphaColour& colour) { return CAlphaColour::toString(colour).getString(); }

std::string parsed(const char* source) { return channels(CAlphaColour::fromString(CString(source))); }

TEST(CAlphaColourConstruction, isOpaqueUnlessAnAlphaIsGiven)
{
    EXPECT_EQ("255,255,255,255", channels(CAlphaColour()));
    EXPECT_EQ("1,2,3,255", channels(CAlphaColour(1, 2, 3)));
    EXPECT_EQ("1,2,3,4", channels(CAlphaColour(1, 2, 3, 4)));
    EXPECT_EQ("1,2,3,4", channels(CAlphaColour(CAlphaColour(1, 2, 3, 4))));
}

TEST(CAlphaColourConstruction, countsInItsOwnRecordAndInThePlainColours)
{
    const CCountChange alphaColours(CAlphaColour::classRecord());
    const CCountChange colours(CColour::classRecord());
    {
        const CAlphaColour colour(1, 2, 3, 4);
        const CAlphaColour copy(colour);
        EXPECT_EQ(2, alphaColours.live());
        EXPECT_EQ(2, colours.live());
    }
    EXPECT_EQ(0, alphaColours.live());
    EXPECT_EQ(0, colours.live());
    EXPECT_EQ(2, alphaColours.total());
}

TEST(CAlphaColourConstruction, classRecordDescendsFromThePlainColour)
{
    const CAlphaColour colour;
    EXPECT_STREQ("CAlphaColour", colour.getClass().getClassName());
    EXPECT_STREQ("CColour", colour.getClass().getParentName());
    EXPECT_TRUE(colour.getClass().isTypeOf(CColour::classRecord()));
    EXPECT_TRUE(colour.getClass().isTypeOf(CCountedObject::classRecord()));
    EXPECT_FALSE(CColour().getClass().isTypeOf(CAlphaColour::classRecord()));
}

TEST(CAlphaColourSetters, threeChannelSetterLeavesAlphaAndFourChannelSetterSetsAll)
{
    CAlphaColour colour(1, 2, 3, 4);
    colour.setColour(10, 20, 30);
    EXPECT_EQ("10,20,30,4", channels(colour));
    colour.setColour(5, 6, 7, 8);
    EXPECT_EQ("5,6,7,8", channels(colour));

    CColour& asColour = colour;
    asColour.setColour(11, 12, 13);
    EXPECT_EQ("11,12,13,8", channels(colour));
}

TEST(CAlphaColourAssignment, fromAnAlphaColourCopiesAllFourChannels)
{
    CAlphaColour colour;
    colour = CAlphaColour(1, 2, 3, 4);
    EXPECT_EQ("1,2,3,4", channels(colour));
}

TEST(CAlphaColourAssignment, fromAPlainColourMakesItOpaque)
{
    CAlphaColour colour(9, 9, 9, 0);
    colour = CColour(1, 2, 3);
    EXPECT_EQ("1,2,3,255", channels(colour));
}

TEST(CAlphaColourComparison, comparesAllFourChannels)
{
    EXPECT_TRUE(CAlphaColour(1, 2, 3, 4) == CAlphaColour(1, 2, 3, 4));
    EXPECT_FALSE(CAlphaColour(1, 2, 3, 4) == CAlphaColour(1, 2, 3, 5));
    EXPECT_FALSE(CAlphaColour(1, 2, 3, 4) == CAlphaColour(1, 2, 0, 4));
    EXPECT_FALSE(CAlphaColour(1, 2, 3, 4) == CAlphaColour(0, 2, 3, 4));
}

TEST(CAlphaColourConversion, asColourIsANewPlainColourWithTheSameRedGreenBlue)
{
    const CAlphaColour colour(1, 2, 3, 4);
    const std::unique_ptr<CColour> plain(colour.getAsColour());
    ASSERT_NE(nullptr, plain.get());
    EXPECT_TRUE(*plain == CColour(1, 2, 3));
    EXPECT_STREQ("CColour", plain->getClass().getClassName());
    EXPECT_EQ(0, plain->getReferenceCount());
}

TEST(CAlphaColourConversion, copyColourToSetsRedGreenBlueAndLeavesAnAlphaTargetsAlpha)
{
    const CAlphaColour colour(1, 2, 3, 4);
    CColour plain;
    colour.copyColourTo(plain);
    EXPECT_TRUE(plain == CColour(1, 2, 3));

    CAlphaColour alphaTarget(0, 0, 0, 99);
    colour.copyColourTo(alphaTarget);
    EXPECT_EQ("1,2,3,99", channels(alphaTarget));
}

TEST(CAlphaColourShading, examplesOfBrightenAndDarken)
{
    CAlphaColour clear(0, 0, 0, 0);
    clear.brighten();
    EXPECT_EQ("128,128,128,255", channels(clear));

    CAlphaColour faint(255, 255, 255, 17);
    faint.darken();
    EXPECT_EQ("127,127,127,255", channels(faint));

    CAlphaColour mixed(100, 0, 255, 3);
    mixed.brighten();
    EXPECT_EQ("178,128,255,255", channels(mixed));
    CAlphaColour mixedDark(100, 0, 255, 3);
    mixedDark.darken();
    EXPECT_EQ("50,0,127,255", channels(mixedDark));
}

TEST(CAlphaColourShading, everyChannelValueMovesHalfWayAndStaysInRange)
{
    for (long value = 0; value <= 255; ++value)
    {
        CAlphaColour bright(value, value, value, 0);
        bright.brighten();
        CAlphaColour dark(value, value, value, 0);
        dark.darken();
        EXPECT_LE(std::labs(2 * bright.getRed() - (value + 255)), 2) << value;
        EXPECT_LE(std::labs(2 * dark.getRed() - value), 2) << value;
        EXPECT_GE(bright.getRed(), value) << value;
        EXPECT_LE(bright.getRed(), 255) << value;
        EXPECT_LE(dark.getRed(), value) << value;
        EXPECT_GE(dark.getRed(), 0) << value;
        EXPECT_EQ(255, bright.getAlpha());
        EXPECT_EQ(255, dark.getAlpha());
    }
}

TEST(CAlphaColourText, toStringListsTheFourChannels)
{
    EXPECT_EQ("10,20,30,40", text(CAlphaColour(10, 20, 30, 40)));
    EXPECT_EQ("0,0,0,0", text(CAlphaColour::transparent()));
}

TEST(CAlphaColourText, fromStringReadsExactlyFourFields)
{
    EXPECT_EQ("10,20,30,40", parsed("10,20,30,40"));
    EXPECT_EQ("10,20,30,40", text(CAlphaColour::fromString(CString("10,20,30,40"))));
    EXPECT_EQ("10,20,30,40", parsed(" 10, 20,30 ,40"));
}

TEST(CAlphaColourText, fromStringWithAnyOtherNumberOfFieldsGivesTransparentBlack)
{
    EXPECT_EQ("0,0,0,0", parsed("10,20,30"));
    EXPECT_EQ("0,0,0,0", parsed("1,2,3,4,5"));
    EXPECT_EQ("0,0,0,0", parsed(""));
    EXPECT_EQ("0,0,0,0", parsed("255"));
}

TEST(CAlphaColourText, fromStringHoldsEachFieldToAByte)
{
    EXPECT_EQ("255,0,128,255", parsed("300,-5,128,999"));
    EXPECT_EQ("255,0,0,0", parsed("99999999999999999999,-99999999999999999999,x,0"));
}

TEST(CAlphaColourText, everyConstantSurvivesTheTextForm)
{
    for (const CAlphaColour* constant :
         {&CAlphaColour::transparent(), &CAlphaColour::black(), &CAlphaColour::white(), &CAlphaColour::red(),
          &CAlphaColour::green(), &CAlphaColour::blue(), &CAlphaColour::yellow(), &CAlphaColour::orange(),
          &CAlphaColour::turquoise(), &CAlphaColour::purple(), &CAlphaColour::pink(), &CAlphaColour::lightGrey(),
          &CAlphaColour::darkGrey()})
    {
        EXPECT_EQ(channels(*constant), channels(CAlphaColour::fromString(CAlphaColour::toString(*constant))));
    }
}

TEST(CAlphaColourDescription, listsTheFourChannelsInBrackets)
{
    char buffer[32];
    CAlphaColour(1, 2, 3, 4).getObjectDescription(buffer, sizeof buffer);
    EXPECT_STREQ("[1,2,3,4]", buffer);

    char small[8];
    CAlphaColour(10, 20, 30, 40).getObjectDescription(small, sizeof small);
    EXPECT_STREQ("[10,20,", small);
}

TEST(CAlphaColourConstants, holdTheirTableValues)
{
    EXPECT_EQ("0,0,0,0", channels(CAlphaColour::transparent()));
    EXPECT_EQ("0,0,0,255", channels(CAlphaColour::black()));
    EXPECT_EQ("255,255,255,255", channels(CAlphaColour::white()));
    EXPECT_EQ("243,32,32,255", channels(CAlphaColour::red()));
    EXPECT_EQ("102,200,85,255", channels(CAlphaColour::green()));
    EXPECT_EQ("85,86,200,255", channels(CAlphaColour::blue()));
    EXPECT_EQ("219,230,49,255", channels(CAlphaColour::yellow()));
    EXPECT_EQ("239,149,41,255", channels(CAlphaColour::orange()));
    EXPECT_EQ("116,184,188,255", channels(CAlphaColour::turquoise()));
    EXPECT_EQ("153,116,188,255", channels(CAlphaColour::purple()));
    EXPECT_EQ("226,74,160,255", channels(CAlphaColour::pink()));
    EXPECT_EQ("208,208,208,255", channels(CAlphaColour::lightGrey()));
    EXPECT_EQ("147,147,147,255", channels(CAlphaColour::darkGrey()));
}

TEST(CAlphaColourConstants, areReadyForOtherStaticObjectsBuiltBeforeThem)
{
    EXPECT_EQ("226,74,160,255", channels(s_pinkAtLoad));
    EXPECT_TRUE(s_greyAtLoad == CColour(147, 147, 147));
}

TEST(CAlphaColourConstants, areOneObjectEachAndMatchThePlainConstants)
{
    EXPECT_EQ(&CAlphaColour::transparent(), &CAlphaColour::transparent());
    EXPECT_NE(static_cast<const CColour*>(&CAlphaColour::black()), &CColour::black());
    EXPECT_TRUE(CColour::turquoise() == CAlphaColour::turquoise());
    EXPECT_STREQ("CAlphaColour", CAlphaColour::red().getClass().getClassName());
}
} // namespace
