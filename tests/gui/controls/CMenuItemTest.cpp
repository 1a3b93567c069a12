// CMenuItem and its sub-menu and link kinds: what they start with, counted icons and sub-menus, class records.
#include "gui/controls/CCheckableMenuItem.hpp"
#include "gui/controls/CHtmlMenuItem.hpp"
#include "gui/controls/CMenu.hpp"
#include "gui/controls/CMenuItem.hpp"
#include "gui/controls/CSubMenuMenuItem.hpp"
#include "gui/core/CRGBAImage.hpp"
#include "tests/foundation/basics/CCountChange.hpp"

#include <gtest/gtest.h>

namespace
{
using Brivant::GUI::Basics::CAlphaColour;
using Brivant::GUI::Controls::CCheckableMenuItem;
using Brivant::GUI::Controls::CHtmlMenuItem;
using Brivant::GUI::Controls::CMenu;
using Brivant::GUI::Controls::CMenuItem;
using Brivant::GUI::Controls::CSubMenuMenuItem;
using Brivant::GUI::Graphics::CRGBAImage;
using VolturaTests::CCountChange;

TEST(CMenuItemConstruction, keepsItsArgumentsWithNoIconsAndTheMenusTextColour)
{
    const CMenuItem item("Reset", 7, CMenuItem::kCheckableItem, false);
    EXPECT_STREQ("Reset", item.getText().getString());
    EXPECT_EQ(7, item.getId());
    EXPECT_EQ(CMenuItem::kCheckableItem, item.getType());
    EXPECT_FALSE(item.isEnabled());
    EXPECT_EQ(0, item.getItemIndex());
    EXPECT_EQ(nullptr, item.getIcon());
    EXPECT_EQ(nullptr, item.getSecondIcon());
    EXPECT_TRUE(CAlphaColour(0, 0, 0, 255) == item.getOwnTextColour());
    EXPECT_FALSE(item.isUsingOwnTextColour());
}

TEST(CMenuItemConstruction, typeNumbersAreTheOnesMenuWindowsRead)
{
    EXPECT_EQ(0, CMenuItem::kPlainItem);
    EXPECT_EQ(1, CMenuItem::kLinkItem);
    EXPECT_EQ(2, CMenuItem::kSeparator);
    EXPECT_EQ(3, CMenuItem::kCheckableItem);
    EXPECT_EQ(4, CMenuItem::kSubMenuItem);
    EXPECT_EQ(5, CMenuItem::kColumnBreak);
}

TEST(CMenuItemSetters, eachChangesOnlyItsOwnField)
{
    CMenuItem item("a", 1, CMenuItem::kPlainItem, true);
    item.setText("b");
    EXPECT_STREQ("b", item.getText().getString());
    EXPECT_EQ(1, item.getId());
    item.setId(-1);
    item.setType(CMenuItem::kSeparator);
    EXPECT_EQ(-1, item.getId());
    EXPECT_EQ(CMenuItem::kSeparator, item.getType());
    EXPECT_TRUE(item.isEnabled());
    item.setEnabled(false);
    item.setItemIndex(12);
    EXPECT_FALSE(item.isEnabled());
    EXPECT_EQ(12, item.getItemIndex());
    EXPECT_STREQ("b", item.getText().getString());

    item.setOwnTextColour(CAlphaColour(10, 20, 30, 40), true);
    EXPECT_TRUE(CAlphaColour(10, 20, 30, 40) == item.getOwnTextColour());
    EXPECT_TRUE(item.isUsingOwnTextColour());
    item.setOwnTextColour(CAlphaColour(10, 20, 30, 40), false);
    EXPECT_FALSE(item.isUsingOwnTextColour());
}

class CMenuItemIcons : public ::testing::Test
{
protected:
    CMenuItemIcons() : m_images(CRGBAImage::classRecord()), m_first(new CRGBAImage()), m_second(new CRGBAImage())
    {
        // The test's own reference keeps each image alive, so counts can be read after the item lets go.
        m_first->referenced();
        m_second->referenced();
    }

    ~CMenuItemIcons() override
    {
        m_first->dereference();
        m_second->dereference();
        EXPECT_EQ(0, m_images.live());
    }

    CCountChange m_images;
    CRGBAImage* m_first;
    CRGBAImage* m_second;
};

TEST_F(CMenuItemIcons, theItemHoldsAReferenceOnEachIconUntilItIsDeleted)
{
    auto* item = new CMenuItem("a", 1, CMenuItem::kPlainItem, true);
    item->setIcons(m_first, m_second);
    EXPECT_EQ(m_first, item->getIcon());
    EXPECT_EQ(m_second, item->getSecondIcon());
    EXPECT_EQ(2, m_first->getReferenceCount());
    EXPECT_EQ(2, m_second->getReferenceCount());
    delete item;
    EXPECT_EQ(1, m_first->getReferenceCount());
    EXPECT_EQ(1, m_second->getReferenceCount());
}

TEST_F(CMenuItemIcons, replacingIconsReleasesTheOldOnesAndNullClearsThem)
{
    CMenuItem item("a", 1, CMenuItem::kPlainItem, true);
    item.setIcons(m_first, nullptr);
    item.setIcons(m_second, m_first);
    EXPECT_EQ(m_second, item.getIcon());
    EXPECT_EQ(m_first, item.getSecondIcon());
    EXPECT_EQ(2, m_first->getReferenceCount());
    EXPECT_EQ(2, m_second->getReferenceCount());
    item.setIcons(nullptr, nullptr);
    EXPECT_EQ(nullptr, item.getIcon());
    EXPECT_EQ(nullptr, item.getSecondIcon());
    EXPECT_EQ(1, m_first->getReferenceCount());
    EXPECT_EQ(1, m_second->getReferenceCount());
}

TEST(CMenuItemIconsOwnedByTheItem, settingTheOnlyHeldIconAgainKeepsItAndDeletingTheItemFreesIt)
{
    const CCountChange images(CRGBAImage::classRecord());
    {
        CMenuItem item("a", 1, CMenuItem::kPlainItem, true);
        item.setIcons(new CRGBAImage(), nullptr);
        item.setIcons(item.getIcon(), item.getIcon());
        EXPECT_EQ(1, images.live());
        EXPECT_EQ(2, item.getIcon()->getReferenceCount());
    }
    EXPECT_EQ(0, images.live());
}

TEST(CSubMenuMenuItem, isAnEnabledSubMenuEntryWithAnEmptyMenuOfItsOwn)
{
    const CSubMenuMenuItem item("More", 42);
    EXPECT_STREQ("More", item.getText().getString());
    EXPECT_EQ(42, item.getId());
    EXPECT_EQ(CMenuItem::kSubMenuItem, item.getType());
    EXPECT_TRUE(item.isEnabled());
    ASSERT_NE(nullptr, item.getSubMenu());
    EXPECT_EQ(1, item.getSubMenu()->getReferenceCount());
    EXPECT_EQ(0, item.getSubMenu()->getNumberOfMenuItems());
    EXPECT_STREQ("Menu Title", item.getSubMenu()->getMenuTitle().getString());
}

TEST(CSubMenuMenuItem, releasesItsMenuWhichOutlivesItOnlyWhenHeldElsewhere)
{
    const CCountChange menus(CMenu::classRecord());
    const CCountChange items(CMenuItem::classRecord());
    delete new CSubMenuMenuItem("gone", 1);
    EXPECT_EQ(0, menus.live());

    auto* item = new CSubMenuMenuItem("kept", 2);
    CMenu* menu = item->getSubMenu();
    menu->referenced();
    menu->addMenuItem(new CMenuItem("inside", 3, CMenuItem::kPlainItem, true));
    delete item;
    EXPECT_EQ(1, menus.live());
    EXPECT_EQ(1, items.live());
    EXPECT_EQ(1, menu->getReferenceCount());
    menu->dereference();
    EXPECT_EQ(0, menus.live());
    EXPECT_EQ(0, items.live());
}

TEST(CHtmlMenuItem, isAnEnabledLinkEntryKeepingItsLinkAsGiven)
{
    const CHtmlMenuItem item("www.example.com/help", "Help", 9);
    EXPECT_STREQ("Help", item.getText().getString());
    EXPECT_EQ(9, item.getId());
    EXPECT_EQ(CMenuItem::kLinkItem, item.getType());
    EXPECT_TRUE(item.isEnabled());
    EXPECT_STREQ("www.example.com/help", item.getLink().getString());
}

TEST(CMenuItemClassRecords, nameEachKindAndItsParent)
{
    EXPECT_STREQ("CMenuItem", CMenuItem::classRecord().getClassName());
    EXPECT_STREQ("CCountedObject", CMenuItem::classRecord().getParentName());
    EXPECT_STREQ("CSubMenuMenuItem", CSubMenuMenuItem::classRecord().getClassName());
    EXPECT_STREQ("CMenuItem", CSubMenuMenuItem::classRecord().getParentName());
    EXPECT_STREQ("CHtmlMenuItem", CHtmlMenuItem::classRecord().getClassName());
    EXPECT_STREQ("CMenuItem", CHtmlMenuItem::classRecord().getParentName());
    EXPECT_STREQ("CCheckableMenuItem", CCheckableMenuItem::classRecord().getClassName());
    EXPECT_STREQ("CMenuItem", CCheckableMenuItem::classRecord().getParentName());

    const CSubMenuMenuItem subMenuItem("s", 1);
    const CHtmlMenuItem linkItem("l", "t", 2);
    const CMenuItem& asItem = subMenuItem;
    EXPECT_EQ(&CSubMenuMenuItem::classRecord(), &asItem.getClass());
    EXPECT_EQ(&CHtmlMenuItem::classRecord(), &linkItem.getClass());
    EXPECT_TRUE(asItem.getClass().isTypeOf(CMenuItem::classRecord()));
}

TEST(CMenuItemClassRecords, countEveryKindAsAMenuItemToo)
{
    const CCountChange items(CMenuItem::classRecord());
    const CCountChange subMenuItems(CSubMenuMenuItem::classRecord());
    const CCountChange linkItems(CHtmlMenuItem::classRecord());
    {
        const CSubMenuMenuItem subMenuItem("s", 1);
        const CHtmlMenuItem linkItem("l", "t", 2);
        EXPECT_EQ(2, items.live());
        EXPECT_EQ(1, subMenuItems.live());
        EXPECT_EQ(1, linkItems.live());
    }
    EXPECT_EQ(0, items.live());
    EXPECT_EQ(0, subMenuItems.live());
    EXPECT_EQ(0, linkItems.live());
}
} // namespace
