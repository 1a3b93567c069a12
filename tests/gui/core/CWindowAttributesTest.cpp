// CWindowAttributes: defaults, style presets, the counted icon, copies and assignment.
#include "gui/core/CWindowAttributes.hpp"

#include "gui/core/CWindowIcon.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace
{
using Brivant::Basics::CString;
using Brivant::GUI::Basics::CColour;
using Brivant::GUI::Windowing::CWindowAttributes;
using Brivant::GUI::Windowing::CWindowIcon;

std::string colourText(const CColour& colour)
{
    return std::to_string(colour.getRed()) + "," + std::to_string(colour.getGreen()) + "," +
           std::to_string(colour.getBlue());
}

TEST(CWindowAttributesDefaults, aNewSetDescribesAnEnabledOpaqueWhiteApplicationWindow)
{
    const CWindowAttributes attributes;
    EXPECT_STREQ("Application", attributes.getWindowName().getString());
    EXPECT_EQ("255,255,255", colourText(attributes.getBackgroundColour()));
    EXPECT_DOUBLE_EQ(1.0, attributes.getAlpha());
    EXPECT_EQ(nullptr, attributes.getWindowIcon());
    EXPECT_TRUE(attributes.isEnabled());
    EXPECT_FALSE(attributes.hasDropShadow());
    EXPECT_EQ(0xCF0008, attributes.getWindowStyle());
    EXPECT_EQ(WS_EX_ACCEPTFILES, attributes.getExtendedWindowStyle());
}

TEST(CWindowAttributesPresets, eachPresetGivesItsStylesAndOthersChangeNothing)
{
    CWindowAttributes attributes;
    attributes.setStylePreset(1);
    EXPECT_EQ(0xCA0000, attributes.getWindowStyle());
    EXPECT_EQ(0x10, attributes.getExtendedWindowStyle());
    attributes.setStylePreset(3);
    EXPECT_EQ(static_cast<long>(WS_POPUP), attributes.getWindowStyle());
    EXPECT_EQ(WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOPMOST, attributes.getExtendedWindowStyle());
    attributes.setStylePreset(7);
    EXPECT_EQ(static_cast<long>(WS_POPUP), attributes.getWindowStyle());
    attributes.setStylePreset(2);
    EXPECT_EQ(0xCA0000, attributes.getWindowStyle());
    attributes.setStylePreset(0);
    EXPECT_EQ(0xCF0008, attributes.getWindowStyle());
    EXPECT_EQ(0x10, attributes.getExtendedWindowStyle());
}

TEST(CWindowAttributesIcon, theIconIsHeldByOneReferenceAndLetGoWhenReplacedOrDestroyed)
{
    CWindowIcon* first = new CWindowIcon();
    CWindowIcon* second = new CWindowIcon();
    first->referenced();
    second->referenced();
    {
        CWindowAttributes attributes;
        attributes.setWindowIcon(first);
        EXPECT_EQ(2, first->getReferenceCount());
        attributes.setWindowIcon(first);
        EXPECT_EQ(2, first->getReferenceCount());
        attributes.setWindowIcon(second);
        EXPECT_EQ(1, first->getReferenceCount());
        EXPECT_EQ(2, second->getReferenceCount());
    }
    EXPECT_EQ(1, second->getReferenceCount());
    first->dereference();
    second->dereference();
}

TEST(CWindowAttributesCopies, copiesAndAssignmentsTakeEveryFieldAndTheirOwnIconReference)
{
    CWindowIcon* icon = new CWindowIcon();
    icon->referenced();
    CWindowAttributes original;
    original.setAttributes(CString("Editor"), CColour(10, 20, 30), 0.5, icon, false, true);
    original.setWindowStyles(0x50000000, 0);

    const CWindowAttributes copy(original);
    EXPECT_STREQ("Editor", copy.getWindowName().getString());
    EXPECT_EQ("10,20,30", colourText(copy.getBackgroundColour()));
    EXPECT_DOUBLE_EQ(0.5, copy.getAlpha());
    EXPECT_EQ(icon, copy.getWindowIcon());
    EXPECT_FALSE(copy.isEnabled());
    EXPECT_TRUE(copy.hasDropShadow());
    EXPECT_EQ(0x50000000, copy.getWindowStyle());
    EXPECT_EQ(0, copy.getExtendedWindowStyle());
    EXPECT_EQ(3, icon->getReferenceCount());

    CWindowAttributes assigned;
    assigned = original;
    EXPECT_STREQ("Editor", assigned.getWindowName().getString());
    EXPECT_EQ(0x50000000, assigned.getWindowStyle());
    EXPECT_EQ(4, icon->getReferenceCount());

    CWindowAttributes& same = assigned;
    assigned = same;
    EXPECT_STREQ("Editor", assigned.getWindowName().getString());
    EXPECT_EQ(4, icon->getReferenceCount());
    icon->dereference();
}
} // namespace
