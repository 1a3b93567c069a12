// CMenu: its item array (allocated length, holes, packing), the references it holds on items, refused rings of
// sub-menus, the note-value menus, and the plain CMenuColours record.
#include "gui/controls/CMenu.hpp"
#include "gui/controls/CMenuColours.hpp"
#include "gui/controls/CMenuItem.hpp"
#include "gui/controls/CSubMenuMenuItem.hpp"
#include "tests/foundation/basics/CCountChange.hpp"

#include <gtest/gtest.h>

#include <string>

namespace
{
using Brivant::GUI::Basics::CAlphaColour;
using Brivant::GUI::Controls::CMenu;
using Brivant::GUI::Controls::CMenuColours;
using Brivant::GUI::Controls::CMenuItem;
using Brivant::GUI::Controls::CSubMenuMenuItem;
using VolturaTests::CCountChange;

CMenuItem* plainItem(const char* text, long id) { return new CMenuItem(text, id, CMenuItem::kPlainItem, true); }

std::string textAt(const CMenu& menu, long index)
{
    const CMenuItem* item = menu.getMenuItem(index);
    return item != nullptr ? item->getText().getString() : "(null)";
}

// A menu of "a", "b", "c", each item also held by the fixture so releases can be read.
class CMenuWithThreeItems : public ::testing::Test
{
protected:
    CMenuWithThreeItems() : m_items(CMenuItem::classRecord()), m_menus(CMenu::classRecord()), m_menu(new CMenu())
    {
        const char* texts[] = {"a", "b", "c"};
        for (long index = 0; index < 3; ++index)
        {
            m_held[index] = plainItem(texts[index], index);
            m_held[index]->referenced();
            m_menu->addMenuItem(m_held[index]);
        }
    }

    ~CMenuWithThreeItems() override
    {
        delete m_menu;
        for (CMenuItem* item : m_held)
        {
            EXPECT_EQ(1, item->getReferenceCount());
            item->dereference();
        }
        EXPECT_EQ(0, m_items.live());
        EXPECT_EQ(0, m_menus.live());
    }

    CCountChange m_items;
    CCountChange m_menus;
    CMenu* m_menu;
    CMenuItem* m_held[3];
};

TEST(CMenuConstruction, isEmptyAndTitledMenuTitle)
{
    CMenu menu;
    EXPECT_STREQ("Menu Title", menu.getMenuTitle().getString());
    EXPECT_EQ(0, menu.getNumberOfMenuItems());
    EXPECT_EQ(nullptr, menu.getMenuItem(0));
    EXPECT_EQ(nullptr, menu.getMenuItem(-1));
    menu.setMenuTitle("Presets");
    EXPECT_STREQ("Presets", menu.getMenuTitle().getString());
}

TEST_F(CMenuWithThreeItems, answersTheAllocatedLengthAndNullBeyondTheItems)
{
    EXPECT_EQ(32, m_menu->getNumberOfMenuItems());
    EXPECT_EQ("a", textAt(*m_menu, 0));
    EXPECT_EQ("c", textAt(*m_menu, 2));
    for (long index = 3; index < 32; ++index)
    {
        EXPECT_EQ(nullptr, m_menu->getMenuItem(index)) << index;
    }
    EXPECT_EQ(nullptr, m_menu->getMenuItem(32));
    EXPECT_EQ(nullptr, m_menu->getMenuItem(-1));
    EXPECT_EQ(2, m_held[0]->getReferenceCount());
}

TEST_F(CMenuWithThreeItems, removingPacksTheRestAndShrinksTheArray)
{
    m_menu->removeMenuItem(0);
    EXPECT_EQ(1, m_held[0]->getReferenceCount());
    EXPECT_EQ(2, m_menu->getNumberOfMenuItems());
    EXPECT_EQ("b", textAt(*m_menu, 0));
    EXPECT_EQ("c", textAt(*m_menu, 1));

    // The shrunk array grows again by a whole step.
    m_menu->addMenuItem(m_held[0]);
    EXPECT_EQ(34, m_menu->getNumberOfMenuItems());
    EXPECT_EQ("a", textAt(*m_menu, 2));
}

TEST_F(CMenuWithThreeItems, clearingLeavesANullEntryInPlace)
{
    m_menu->clearMenuItem(1);
    EXPECT_EQ(1, m_held[1]->getReferenceCount());
    EXPECT_EQ(32, m_menu->getNumberOfMenuItems());
    EXPECT_EQ("a", textAt(*m_menu, 0));
    EXPECT_EQ(nullptr, m_menu->getMenuItem(1));
    EXPECT_EQ("c", textAt(*m_menu, 2));

    // Removing at the hole closes it.
    m_menu->removeMenuItem(1);
    EXPECT_EQ(2, m_menu->getNumberOfMenuItems());
    EXPECT_EQ("c", textAt(*m_menu, 1));
}

TEST_F(CMenuWithThreeItems, indicesOutsideTheArrayChangeNothing)
{
    for (long index : {-1L, 32L, 1000L})
    {
        m_menu->removeMenuItem(index);
        m_menu->clearMenuItem(index);
    }
    EXPECT_EQ(32, m_menu->getNumberOfMenuItems());
    for (long index = 0; index < 3; ++index)
    {
        EXPECT_EQ(m_held[index], m_menu->getMenuItem(index));
        EXPECT_EQ(2, m_held[index]->getReferenceCount());
    }
}

TEST_F(CMenuWithThreeItems, clearMenuReleasesEveryItemAndLeavesAnEmptyUsableMenu)
{
    m_menu->clearMenu();
    EXPECT_EQ(0, m_menu->getNumberOfMenuItems());
    EXPECT_EQ(nullptr, m_menu->getMenuItem(0));
    EXPECT_EQ(1, m_held[2]->getReferenceCount());
    m_menu->addMenuItem(m_held[2]);
    EXPECT_EQ(32, m_menu->getNumberOfMenuItems());
    EXPECT_EQ("c", textAt(*m_menu, 0));
}

TEST_F(CMenuWithThreeItems, anItemMaySitInSeveralMenusAndOutlivesEachOfThem)
{
    auto* other = new CMenu();
    other->addMenuItem(m_held[0]);
    other->addMenuItem(m_held[0]);
    EXPECT_EQ(4, m_held[0]->getReferenceCount());
    delete other;
    EXPECT_EQ(2, m_held[0]->getReferenceCount());
    EXPECT_EQ("a", textAt(*m_menu, 0));
}

TEST(CMenuItems, theMenuIsTheOnlyOwnerOfItemsHandedOverNew)
{
    const CCountChange items(CMenuItem::classRecord());
    {
        CMenu menu;
        for (long id = 0; id < 33; ++id)
        {
            menu.addMenuItem(plainItem("x", id));
        }
        EXPECT_EQ(64, menu.getNumberOfMenuItems());
        EXPECT_EQ(32, menu.getMenuItem(32)->getId());
        menu.removeMenuItem(5);
        menu.clearMenuItem(6);
        EXPECT_EQ(31, items.live());
    }
    EXPECT_EQ(0, items.live());
}

TEST(CMenuItems, aNullItemTakesNoEntry)
{
    CMenu menu;
    menu.addMenuItem(nullptr);
    EXPECT_EQ(0, menu.getNumberOfMenuItems());
}

TEST(CMenuRings, aSubMenuItemCannotBePutIntoAMenuItLeadsBackFrom)
{
    const CCountChange items(CMenuItem::classRecord());
    const CCountChange menus(CMenu::classRecord());
    {
        CSubMenuMenuItem outer("outer", -1);
        CSubMenuMenuItem inner("inner", -1);
        outer.referenced();
        inner.referenced();
        outer.getSubMenu()->addMenuItem(&inner);

        // Into its own menu, and into the menu of an item it holds.
        outer.getSubMenu()->addMenuItem(&outer);
        inner.getSubMenu()->addMenuItem(&outer);
        EXPECT_EQ(1, outer.getReferenceCount());
        EXPECT_EQ(0, inner.getSubMenu()->getNumberOfMenuItems());
        EXPECT_EQ(nullptr, outer.getSubMenu()->getMenuItem(1));

        // The same sub-menu in two unrelated places is no ring.
        CMenu sibling;
        sibling.referenced();
        sibling.addMenuItem(&inner);
        EXPECT_EQ(&inner, sibling.getMenuItem(0));
        sibling.clearMenu();
        outer.getSubMenu()->clearMenu();
        EXPECT_EQ(1, inner.getReferenceCount());
    }
    EXPECT_EQ(0, items.live());
    EXPECT_EQ(0, menus.live());
}

TEST(CMenuRings, aRefusedItemHandedOverNewIsReleasedAndOneTheCallerHoldsIsKept)
{
    const CCountChange items(CMenuItem::classRecord());
    {
        CSubMenuMenuItem outer("outer", -1);
        outer.referenced();
        for (const bool held : {false, true})
        {
            // Its menu holds outer, so putting it into outer's menu would close a ring.
            auto* ring = new CSubMenuMenuItem("ring", -1);
            if (held)
                ring->referenced();
            ring->getSubMenu()->addMenuItem(&outer);
            outer.getSubMenu()->addMenuItem(ring);
            EXPECT_EQ(nullptr, outer.getSubMenu()->getMenuItem(0)) << held;
            EXPECT_EQ(held ? 2 : 1, items.live()) << held;
            if (held)
                ring->dereference();
            EXPECT_EQ(1, outer.getReferenceCount()) << held;
        }
    }
    EXPECT_EQ(0, items.live());
}

class CMenuNoteValues : public ::testing::Test
{
protected:
    CMenuNoteValues()
    {
        m_menu.addMenuItem(plainItem("existing", 100));
        CMenu::addNoteValueMenus(&m_menu);
    }

    const CMenuItem* noteItem(long kind, long index) const
    {
        const auto* subMenuItem = dynamic_cast<const CSubMenuMenuItem*>(m_menu.getMenuItem(1 + kind));
        return subMenuItem != nullptr ? subMenuItem->getSubMenu()->getMenuItem(index) : nullptr;
    }

    CMenu m_menu;
};

TEST_F(CMenuNoteValues, appendsThreeSubMenusAfterTheExistingItems)
{
    EXPECT_EQ("existing", textAt(m_menu, 0));
    const char* kinds[] = {"Straight", "Triplet", "Dotted"};
    for (long kind = 0; kind < 3; ++kind)
    {
        const auto* subMenuItem = dynamic_cast<const CSubMenuMenuItem*>(m_menu.getMenuItem(1 + kind));
        ASSERT_NE(nullptr, subMenuItem) << kind;
        EXPECT_STREQ(kinds[kind], subMenuItem->getText().getString());
        EXPECT_EQ(-1, subMenuItem->getId());
        EXPECT_EQ(CMenuItem::kSubMenuItem, subMenuItem->getType());
        EXPECT_EQ(1, subMenuItem->getReferenceCount());
        const CMenu& subMenu = *subMenuItem->getSubMenu();
        EXPECT_NE(nullptr, subMenu.getMenuItem(12));
        EXPECT_EQ(nullptr, subMenu.getMenuItem(13));
    }
    EXPECT_EQ(nullptr, m_menu.getMenuItem(4));
}

TEST_F(CMenuNoteValues, idsRunOnAcrossTheSubMenusAndNameTheirValue)
{
    EXPECT_STREQ("1/4T", noteItem(1, 8)->getText().getString());
    EXPECT_EQ(21, noteItem(1, 8)->getId());
    EXPECT_STREQ("1D", noteItem(2, 6)->getText().getString());
    EXPECT_EQ(32, noteItem(2, 6)->getId());
    EXPECT_STREQ("64", noteItem(0, 0)->getText().getString());
    EXPECT_STREQ("1/64", noteItem(0, 12)->getText().getString());
    EXPECT_STREQ("64T", noteItem(1, 0)->getText().getString());
    EXPECT_STREQ("1/64D", noteItem(2, 12)->getText().getString());
    EXPECT_EQ(38, noteItem(2, 12)->getId());

    for (long kind = 0; kind < 3; ++kind)
    {
        for (long index = 0; index < 13; ++index)
        {
            const CMenuItem* item = noteItem(kind, index);
            ASSERT_NE(nullptr, item);
            EXPECT_EQ(kind, item->getId() / 13);
            EXPECT_EQ(index, item->getId() % 13);
            EXPECT_EQ(CMenuItem::kPlainItem, item->getType());
            EXPECT_TRUE(item->isEnabled());
            // Every value of a kind is the straight value with the kind's letter.
            const std::string straight = noteItem(0, index)->getText().getString();
            const char* suffix[] = {"", "T", "D"};
            EXPECT_EQ(straight + suffix[kind], item->getText().getString());
        }
    }
}

TEST(CMenuNoteValuesOwnership, everyNoteItemAndSubMenuIsReleasedWithTheMenu)
{
    const CCountChange items(CMenuItem::classRecord());
    const CCountChange menus(CMenu::classRecord());
    {
        CMenu menu;
        CMenu::addNoteValueMenus(&menu);
        EXPECT_EQ(3 + 39, items.live());
        EXPECT_EQ(1 + 3, menus.live());
        CMenu::addNoteValueMenus(nullptr);
    }
    EXPECT_EQ(0, items.live());
    EXPECT_EQ(0, menus.live());
}

TEST(CMenuClassRecord, isNamedCMenuUnderCCountedObject)
{
    EXPECT_STREQ("CMenu", CMenu::classRecord().getClassName());
    EXPECT_STREQ("CCountedObject", CMenu::classRecord().getParentName());
    const CMenu menu;
    EXPECT_EQ(&CMenu::classRecord(), &menu.getClass());
}

TEST(CMenuColours, startsOpaqueWhiteAndCopiesByValue)
{
    CMenuColours colours;
    const CAlphaColour white(255, 255, 255, 255);
    for (const CAlphaColour* entry : {&colours.textColour, &colours.disabledTextColour, &colours.rowColour,
                                      &colours.arrowColour, &colours.frameColour, &colours.highlightColour})
    {
        EXPECT_TRUE(white == *entry);
    }
    colours.frameColour = CAlphaColour(153, 116, 188, 255);
    CMenuColours copy = colours;
    colours.frameColour = CAlphaColour(0, 0, 0, 255);
    EXPECT_TRUE(CAlphaColour(153, 116, 188, 255) == copy.frameColour);
    EXPECT_TRUE(white == copy.highlightColour);
}
} // namespace
