// CColour: construction, counting, the virtual setter behind assignment, saturating addition, the Win32 colour,
// the description and the twelve constants.
#include "../../foundation/basics/CCountChange.hpp"
#include "gui/core/CAlphaColour.hpp"
#include "gui/core/CColour.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

namespace
{
using Brivant::Basics::CCountedObject;
using Brivant::GUI::Basics::CAlphaColour;
using Brivant::GUI::Basics::CColour;
using VolturaTests::CCountChange;

// Channels as one comparable value, so a failure prints all three.
std::string channels(const CColour& colour)
{
    return std::to_string(colour.getRed()) + "," + std::to_string(colour.getGreen()) + "," +
           std::to_string(colour.getBlue());
}

std::string description(const CColour& colour, long size = 64)
{
    std::string buffer(static_cast<std::size_t>(size), 'x');
    colour.getObjectDescription(&buffer[0], size);
    return std::string(buffer.c_str());
}

TEST(CColourConstruction, defaultIsWhiteAndChannelsAreKeptAsGiven)
{
    EXPECT_EQ("255,255,255", channels(CColour()));
    EXPECT_EQ("1,2,3", channels(CColour(1, 2, 3)));
    // Nothing but addition and the Win32 colour limits the channels.
    EXPECT_EQ("-4,300,7", channels(CColour(-4, 300, 7)));
}

TEST(CColourConstruction, bytesAreReadAsRedGreenBlue)
{
    const unsigned char bytes[3] = {10, 200, 255};
    EXPECT_EQ("10,200,255", channels(CColour(bytes)));

    CColour colour(1, 1, 1);
    colour.setFromBytes(bytes);
    EXPECT_EQ("10,200,255", channels(colour));
}

TEST(CColourConstruction, nullByteArrayLeavesTheColourAsItWas)
{
    EXPECT_EQ("255,255,255", channels(CColour(static_cast<const unsigned char*>(nullptr))));

    CColour colour(4, 5, 6);
    colour.setFromBytes(nullptr);
    EXPECT_EQ("4,5,6", channels(colour));
}

TEST(CColourConstruction, everyConstructorCountsAnInstanceAndACopyStartsUnreferenced)
{
    const CCountChange colours(CColour::classRecord());
    const CCountChange roots(CCountedObject::classRecord());
    {
        CColour original(1, 2, 3);
        original.referenced();
        const unsigned char bytes[3] = {0, 0, 0};
        const CColour fromBytes(bytes);
        const CColour copy(original);
        EXPECT_EQ(3, colours.live());
        EXPECT_EQ(3, roots.live());
        EXPECT_EQ(0, copy.getReferenceCount());
        EXPECT_EQ("1,2,3", channels(copy));
    }
    EXPECT_EQ(0, colours.live());
    EXPECT_EQ(3, colours.total());
}

TEST(CColourConstruction, classRecordNamesTheColourUnderTheCountedObject)
{
    const CColour colour;
    EXPECT_STREQ("CColour", colour.getClass().getClassName());
    EXPECT_STREQ("CCountedObject", colour.getClass().getParentName());
    EXPECT_TRUE(colour.getClass().isTypeOf(CCountedObject::classRecord()));
}

TEST(CColourAssignment, copiesTheChannelsButNotTheReferences)
{
    CColour target(9, 9, 9);
    target.referenced();
    CColour source(1, 2, 3);
    source.referenced();
    source.referenced();
    target = source;
    EXPECT_EQ("1,2,3", channels(target));
    EXPECT_EQ(1, target.getReferenceCount());
    target = target;
    EXPECT_EQ("1,2,3", channels(target));
}

TEST(CColourAssignment, goesThroughTheVirtualSetterSoAnAlphaColourKeepsItsAlpha)
{
    CAlphaColour alphaColour(9, 9, 9, 17);
    CColour& asColour = alphaColour;
    asColour = CColour(1, 2, 3);
    EXPECT_EQ("1,2,3", channels(alphaColour));
    EXPECT_EQ(17, alphaColour.getAlpha());
}

TEST(CColourAddition, addsChannelByChannelAndSaturatesAtFullIntensity)
{
    CColour colour(200, 10, 0);
    colour += CColour(100, 10, 0);
    EXPECT_EQ("255,20,0", channels(colour));

    CColour exact(0, 128, 254);
    exact += CColour(255, 127, 1);
    EXPECT_EQ("255,255,255", channels(exact));
}

TEST(CColourAddition, negativeSumIsHeldAtZeroNotTurnedIntoFullIntensity)
{
    CColour colour(10, 0, 50);
    colour += CColour(-20, -1, -50);
    EXPECT_EQ("0,0,0", channels(colour));
}

TEST(CColourAddition, extremeChannelsDoNotOverflow)
{
    CColour colour(LONG_MAX, LONG_MIN, LONG_MAX);
    colour += CColour(LONG_MAX, LONG_MIN, LONG_MIN);
    EXPECT_EQ("255,0,0", channels(colour));
}

TEST(CColourAddition, addingToAnAlphaColourKeepsItsAlpha)
{
    CAlphaColour colour(10, 20, 30, 40);
    colour += CColour(1, 2, 3);
    EXPECT_EQ("11,22,33", channels(colour));
    EXPECT_EQ(40, colour.getAlpha());
}

TEST(CColourComparison, comparesRedGreenAndBlue)
{
    EXPECT_TRUE(CColour(1, 2, 3) == CColour(1, 2, 3));
    EXPECT_FALSE(CColour(1, 2, 3) == CColour(0, 2, 3));
    EXPECT_FALSE(CColour(1, 2, 3) == CColour(1, 0, 3));
    EXPECT_FALSE(CColour(1, 2, 3) == CColour(1, 2, 0));
}

TEST(CColourConversion, win32ColourHasBlueHighAndRedLow)
{
    EXPECT_EQ(0x030201u, CColour(1, 2, 3).getAsColourRef());
    EXPECT_EQ(0x000000u, CColour(0, 0, 0).getAsColourRef());
    EXPECT_EQ(0xffffffu, CColour(255, 255, 255).getAsColourRef());
    EXPECT_EQ(0xc85655u, CColour::blue().getAsColourRef());
}

TEST(CColourConversion, win32ColourHoldsOutOfRangeChannelsToAByteAndLeavesTheFlagByteClear)
{
    EXPECT_EQ(0x00ff00u, CColour(-1, 300, 0).getAsColourRef());
    EXPECT_EQ(0xff0000u, CColour(LONG_MIN, -5, LONG_MAX).getAsColourRef());
}

TEST(CColourDescription, listsTheThreeChannelsInBrackets)
{
    EXPECT_EQ("[1,2,3]", description(CColour(1, 2, 3)));
    EXPECT_EQ("[-1,256,0]", description(CColour(-1, 256, 0)));
}

TEST(CColourDescription, isCutToTheBufferAndZeroFilled)
{
    char buffer[6];
    std::memset(buffer, 'x', sizeof buffer);
    CColour(255, 255, 255).getObjectDescription(buffer, sizeof buffer);
    EXPECT_STREQ("[255,", buffer);

    std::memset(buffer, 'x', sizeof buffer);
    CColour(1, 2, 3).getObjectDescription(buffer, 0);
    EXPECT_EQ('x', buffer[0]);
    CColour(1, 2, 3).getObjectDescription(nullptr, 16);
}

TEST(CColourConstants, holdTheirTableValues)
{
    EXPECT_EQ("0,0,0", channels(CColour::black()));
    EXPECT_EQ("255,255,255", channels(CColour::white()));
    EXPECT_EQ("243,32,32", channels(CColour::red()));
    EXPECT_EQ("102,200,85", channels(CColour::green()));
    EXPECT_EQ("85,86,200", channels(CColour::blue()));
    EXPECT_EQ("219,230,49", channels(CColour::yellow()));
    EXPECT_EQ("239,149,41", channels(CColour::orange()));
    EXPECT_EQ("116,184,188", channels(CColour::turquoise()));
    EXPECT_EQ("153,116,188", channels(CColour::purple()));
    EXPECT_EQ("226,74,160", channels(CColour::pink()));
    EXPECT_EQ("208,208,208", channels(CColour::lightGrey()));
    EXPECT_EQ("147,147,147", channels(CColour::darkGrey()));
}

TEST(CColourConstants, areOneObjectEachAndPlainColours)
{
    EXPECT_EQ(&CColour::red(), &CColour::red());
    EXPECT_STREQ("CColour", CColour::white().getClass().getClassName());
    EXPECT_EQ(0, CColour::black().getReferenceCount());
}
} // namespace
