// CFont: the logical font its properties make, the handle that follows each change, the text and XML forms,
// and the process default font with the GUI resources around it.
#include "../../foundation/basics/CCountChange.hpp"
#include "foundation/io/CXMLAttribute.hpp"
#include "foundation/io/CXMLNode.hpp"
#include "gui/core/CFont.hpp"
#include "gui/core/CGuiResources.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace
{
using Brivant::Basics::CString;
using Brivant::GUI::Fonts::CFont;
using Brivant::GUI::Windowing::CGuiResources;
using Brivant::IO::CXMLAttribute;
using Brivant::IO::CXMLNode;
using VolturaTests::CCountChange;

// The node is released with the test, whatever its attributes.
struct CNodeHolder
{
    CNodeHolder() : node(new CXMLNode(CString("font"), nullptr)) { node->referenced(); }
    ~CNodeHolder() { node->dereference(); }
    CNodeHolder(const CNodeHolder&) = delete;
    CNodeHolder& operator=(const CNodeHolder&) = delete;
    CXMLNode* node;
};

std::string attributeText(const CXMLNode& node, long index)
{
    const CXMLAttribute* attribute = node.getAttribute(index);
    if (attribute == nullptr)
        return "<none>";
    return std::string(attribute->getName().getString()) + "=" + attribute->getValue().getString();
}

bool isLiveFont(HFONT handle) { return handle != nullptr && GetObjectType(handle) == OBJ_FONT; }

TEST(CFontLogicalFont, constructorFillsTheLogicalFontFromItsProperties)
{
    const CFont plain(CString("Arial"), 11, false, false);
    const LOGFONTA& logical = plain.getLogicalFont();
    EXPECT_EQ(-11, logical.lfHeight);
    EXPECT_EQ(0, logical.lfWidth);
    EXPECT_EQ(400, logical.lfWeight);
    EXPECT_EQ(0, logical.lfItalic);
    EXPECT_EQ(0, logical.lfUnderline);
    EXPECT_EQ(0, logical.lfStrikeOut);
    EXPECT_EQ(ANSI_CHARSET, logical.lfCharSet);
    EXPECT_EQ(OUT_TT_PRECIS, logical.lfOutPrecision);
    EXPECT_EQ(CLEARTYPE_QUALITY, logical.lfQuality);
    EXPECT_STREQ("Arial", logical.lfFaceName);
    EXPECT_TRUE(isLiveFont(plain.getFontHandle()));

    const CFont styled(CString("Tahoma"), 14, true, true);
    EXPECT_EQ(700, styled.getLogicalFont().lfWeight);
    EXPECT_NE(0, styled.getLogicalFont().lfItalic);
    EXPECT_TRUE(styled.isBold());
    EXPECT_TRUE(styled.isItalic());
    EXPECT_EQ(14, styled.getFontSize());
}

TEST(CFontLogicalFont, longFaceNameIsCutTo31BytesWhileTheNameKeepsItAll)
{
    const std::string forty(40, 'F');
    const CFont font(CString(forty.c_str()), 10, false, false);
    EXPECT_EQ(std::string(31, 'F'), font.getLogicalFont().lfFaceName);
    EXPECT_EQ(forty, font.getFontName().getString());
}

TEST(CFontLogicalFont, defaultFontIsFullyInitialisedAndBecomesUsableOnceNamedAndSized)
{
    CFont font;
    EXPECT_EQ(nullptr, font.getFontHandle());
    EXPECT_EQ(0, font.getFontSize());
    EXPECT_STREQ("", font.getFontName().getString());
    const LOGFONTA& logical = font.getLogicalFont();
    EXPECT_EQ(0, logical.lfHeight);
    EXPECT_EQ(0, logical.lfEscapement);
    EXPECT_EQ(400, logical.lfWeight);
    EXPECT_EQ(OUT_TT_PRECIS, logical.lfOutPrecision);
    EXPECT_EQ(CLEARTYPE_QUALITY, logical.lfQuality);
    EXPECT_STREQ("", logical.lfFaceName);

    font.setFontSize(12);
    font.setFontName(CString("Tahoma"));
    EXPECT_EQ(-12, font.getLogicalFont().lfHeight);
    EXPECT_STREQ("Tahoma", font.getLogicalFont().lfFaceName);
    EXPECT_EQ(400, font.getLogicalFont().lfWeight);
    EXPECT_TRUE(isLiveFont(font.getFontHandle()));
}

TEST(CFontLogicalFont, setFontSetsEveryStyleIncludingUnderlineAndStrikeOut)
{
    CFont font(CString("Arial"), 11, false, false);
    font.setFont(CString("Tahoma"), 9, true, true, true, true);
    const LOGFONTA& logical = font.getLogicalFont();
    EXPECT_EQ(-9, logical.lfHeight);
    EXPECT_NE(0, logical.lfItalic);
    EXPECT_NE(0, logical.lfUnderline);
    EXPECT_NE(0, logical.lfStrikeOut);
    EXPECT_EQ(700, logical.lfWeight);
    EXPECT_STREQ("Tahoma", logical.lfFaceName);
    EXPECT_EQ(9, font.getFontSize());
}

TEST(CFontHandle, everyChangeReplacesTheHandleAndDeletesTheOldOne)
{
    CFont font(CString("Arial"), 11, false, false);
    HFONT first = font.getFontHandle();
    font.setFontSize(20);
    HFONT second = font.getFontHandle();
    EXPECT_TRUE(isLiveFont(second));
    EXPECT_NE(first, second);
    EXPECT_EQ(0u, GetObjectType(first));

    font.setFontName(CString("Tahoma"));
    EXPECT_EQ(0u, GetObjectType(second));
    HFONT third = font.getFontHandle();
    font.setFont(CString("Arial"), 8, false, false, false, true);
    EXPECT_EQ(0u, GetObjectType(third));
    EXPECT_TRUE(isLiveFont(font.getFontHandle()));
}

TEST(CFontHandle, copiesHaveTheirOwnHandleAndAssignmentTakesTheSize)
{
    CFont original(CString("Tahoma"), 13, true, false);
    const CFont copy(original);
    EXPECT_EQ(13, copy.getFontSize());
    EXPECT_TRUE(copy.isItalic());
    EXPECT_STREQ("Tahoma", copy.getLogicalFont().lfFaceName);
    EXPECT_TRUE(isLiveFont(copy.getFontHandle()));
    EXPECT_NE(original.getFontHandle(), copy.getFontHandle());

    CFont target(CString("Arial"), 11, false, true);
    HFONT replaced = target.getFontHandle();
    target = original;
    EXPECT_EQ(13, target.getFontSize());
    EXPECT_FALSE(target.isBold());
    EXPECT_EQ(-13, target.getLogicalFont().lfHeight);
    EXPECT_EQ(0u, GetObjectType(replaced));
    EXPECT_NE(original.getFontHandle(), target.getFontHandle());

    // Assigning a font to itself keeps a working handle.
    CFont& same = target;
    target = same;
    EXPECT_TRUE(isLiveFont(target.getFontHandle()));
}

TEST(CFontHandle, everyConstructorCountsAnInstanceUnderTheCountedObject)
{
    const CCountChange fonts(CFont::classRecord());
    {
        const CFont plain;
        const CFont named(CString("Arial"), 11, false, false);
        const CFont copy(named);
        EXPECT_EQ(3, fonts.live());
        EXPECT_EQ(0, copy.getReferenceCount());
    }
    EXPECT_EQ(0, fonts.live());
    EXPECT_STREQ("CFont", CFont::classRecord().getClassName());
    EXPECT_STREQ("CCountedObject", CFont::classRecord().getParentName());
    EXPECT_EQ(&CFont::classRecord(), &CFont().getClass());
}

TEST(CFontTextForm, toStringGivesNameAndSize)
{
    EXPECT_STREQ("Arial,11", CFont::toString(CFont(CString("Arial"), 11, false, false)).getString());
    EXPECT_STREQ("Tahoma,-3", CFont::toString(CFont(CString("Tahoma"), -3, true, true)).getString());
}

TEST(CFontTextForm, fromStringTakesExactlyNameAndSize)
{
    std::unique_ptr<CFont> font(CFont::fromString(CString("Tahoma,9")));
    ASSERT_NE(nullptr, font);
    EXPECT_STREQ("Tahoma", font->getFontName().getString());
    EXPECT_EQ(9, font->getFontSize());
    EXPECT_FALSE(font->isBold());
    EXPECT_FALSE(font->isItalic());
    EXPECT_TRUE(isLiveFont(font->getFontHandle()));

    EXPECT_EQ(nullptr, CFont::fromString(CString("Tahoma")));
    EXPECT_EQ(nullptr, CFont::fromString(CString("Tahoma,9,bold")));
    EXPECT_EQ(nullptr, CFont::fromString(CString("")));
}

TEST(CFontTextForm, textFormRoundTrips)
{
    const CFont original(CString("Courier New"), 17, false, false);
    std::unique_ptr<CFont> read(CFont::fromString(CFont::toString(original)));
    ASSERT_NE(nullptr, read);
    EXPECT_STREQ("Courier New", read->getFontName().getString());
    EXPECT_EQ(17, read->getFontSize());
}

TEST(CFontXml, writesFourAttributesInOrder)
{
    CNodeHolder holder;
    const CFont font(CString("Tahoma"), 9, true, false);
    ASSERT_TRUE(font.writeToXMLNode(holder.node));
    ASSERT_EQ(4, holder.node->getNumberOfAttributes());
    EXPECT_EQ("font_name=Tahoma", attributeText(*holder.node, 0));
    EXPECT_EQ("font_size=9", attributeText(*holder.node, 1));
    EXPECT_EQ("italic=True", attributeText(*holder.node, 2));
    EXPECT_EQ("bold=False", attributeText(*holder.node, 3));
    EXPECT_FALSE(font.writeToXMLNode(nullptr));
}

TEST(CFontXml, readNeedsNameAndSizeAndTakesOnlyTrueAsAFlag)
{
    CFont font(CString("Arial"), 11, true, true);
    EXPECT_FALSE(font.readFromXMLNode(nullptr));

    CNodeHolder nameOnly;
    nameOnly.node->addAttribute(CString("font_name"), CString("Tahoma"));
    EXPECT_FALSE(font.readFromXMLNode(nameOnly.node));
    EXPECT_STREQ("Arial", font.getFontName().getString());
    EXPECT_TRUE(font.isBold());

    CNodeHolder plain;
    plain.node->addAttribute(CString("font_name"), CString("Tahoma"));
    plain.node->addAttribute(CString("font_size"), CString("9"));
    ASSERT_TRUE(font.readFromXMLNode(plain.node));
    EXPECT_STREQ("Tahoma", font.getFontName().getString());
    EXPECT_EQ(9, font.getFontSize());
    EXPECT_FALSE(font.isBold());
    EXPECT_FALSE(font.isItalic());
    EXPECT_TRUE(isLiveFont(font.getFontHandle()));

    CNodeHolder lowerCase;
    lowerCase.node->addAttribute(CString("font_name"), CString("Tahoma"));
    lowerCase.node->addAttribute(CString("font_size"), CString("9"));
    lowerCase.node->addAttribute(CString("bold"), CString("true"));
    lowerCase.node->addAttribute(CString("italic"), CString("True"));
    ASSERT_TRUE(font.readFromXMLNode(lowerCase.node));
    EXPECT_FALSE(font.isBold());
    EXPECT_TRUE(font.isItalic());
}

TEST(CFontXml, writtenFontReadsBackTheSame)
{
    CNodeHolder holder;
    const CFont original(CString("Courier New"), 15, false, true);
    ASSERT_TRUE(original.writeToXMLNode(holder.node));
    CFont read;
    ASSERT_TRUE(read.readFromXMLNode(holder.node));
    EXPECT_STREQ("Courier New", read.getFontName().getString());
    EXPECT_EQ(15, read.getFontSize());
    EXPECT_TRUE(read.isBold());
    EXPECT_FALSE(read.isItalic());
    EXPECT_EQ(0, std::memcmp(&original.getLogicalFont(), &read.getLogicalFont(), sizeof(LOGFONTA)));
}

TEST(CFontTextWidth, measuresInTheFontTheContextHolds)
{
    HDC dc = CreateCompatibleDC(nullptr);
    const CFont small(CString("Arial"), 10, false, false);
    const CFont large(CString("Arial"), 30, false, false);
    HGDIOBJ previous = SelectObject(dc, small.getFontHandle());
    const long smallWidth = CFont::getTextWidth(CString("Width"), dc);
    SelectObject(dc, large.getFontHandle());
    const long largeWidth = CFont::getTextWidth(CString("Width"), dc);
    EXPECT_EQ(0, CFont::getTextWidth(CString(""), dc));
    SelectObject(dc, previous);
    DeleteDC(dc);
    EXPECT_GT(smallWidth, 0);
    EXPECT_GT(largeWidth, 2 * smallWidth);
    EXPECT_EQ(0, CFont::getTextWidth(CString("Width"), nullptr));
}

// The process default font; each test starts and ends without one.
class CDefaultFontTest : public ::testing::Test
{
protected:
    CDefaultFontTest() { CFont::releaseDefaultFont(); }
    ~CDefaultFontTest() override { CFont::releaseDefaultFont(); }
};

TEST_F(CDefaultFontTest, isMadeOnFirstUseAsPlainArial11HeldByOneReference)
{
    const CCountChange fonts(CFont::classRecord());
    CFont* font = CFont::getDefaultFont();
    ASSERT_NE(nullptr, font);
    EXPECT_EQ(1, fonts.live());
    EXPECT_EQ(font, CFont::getDefaultFont());
    EXPECT_EQ(1, fonts.total());
    EXPECT_STREQ("Arial", font->getFontName().getString());
    EXPECT_EQ(11, font->getFontSize());
    EXPECT_FALSE(font->isBold());
    EXPECT_FALSE(font->isItalic());
    EXPECT_EQ(1, font->getReferenceCount());
    EXPECT_TRUE(isLiveFont(font->getFontHandle()));
}

TEST_F(CDefaultFontTest, releaseDropsItWhileOtherHoldersKeepTheirs)
{
    const CCountChange fonts(CFont::classRecord());
    CFont* held = CFont::getDefaultFont();
    held->referenced();
    CFont::releaseDefaultFont();
    EXPECT_EQ(1, fonts.live());
    EXPECT_EQ(1, held->getReferenceCount());

    CFont* next = CFont::getDefaultFont();
    EXPECT_NE(held, next);
    EXPECT_EQ(2, fonts.live());
    held->dereference();
    CFont::releaseDefaultFont();
    EXPECT_EQ(0, fonts.live());
    // Releasing again is harmless.
    CFont::releaseDefaultFont();
}

TEST_F(CDefaultFontTest, guiStartMakesNoFontAndGuiShutdownDropsTheDefaultFont)
{
    const CCountChange fonts(CFont::classRecord());
    CGuiResources::initialiseGuiResources();
    EXPECT_EQ(0, fonts.total());

    CFont::getDefaultFont();
    EXPECT_EQ(1, fonts.live());
    CGuiResources::releaseGuiResources();
    EXPECT_EQ(0, fonts.live());
}
} // namespace
