// CMenuEvent: the references it holds on its item and menu, the item's id, swaps and copies.
#include "gui/core/CMenuEvent.hpp"

#include "gui/controls/CMenu.hpp"
#include "gui/controls/CMenuItem.hpp"
#include "tests/foundation/basics/CCountChange.hpp"

#include <gtest/gtest.h>

namespace
{
using Brivant::GUI::Controls::CMenu;
using Brivant::GUI::Controls::CMenuItem;
using Brivant::GUI::Events::CMenuEvent;
using VolturaTests::CCountChange;

// Two items and two menus, each also held by the fixture so counts can be read after the events let go.
class CMenuEventReferences : public ::testing::Test
{
protected:
    CMenuEventReferences()
        : m_events(CMenuEvent::classRecord()), m_itemRecords(CMenuItem::classRecord()),
          m_menuRecords(CMenu::classRecord())
    {
        for (long index = 0; index < 2; ++index)
        {
            m_items[index] = new CMenuItem("item", 10 + index, CMenuItem::kPlainItem, true);
            m_items[index]->referenced();
            m_menus[index] = new CMenu();
            m_menus[index]->referenced();
        }
    }

    ~CMenuEventReferences() override
    {
        EXPECT_EQ(0, m_events.live());
        for (long index = 0; index < 2; ++index)
        {
            EXPECT_EQ(1, m_items[index]->getReferenceCount());
            EXPECT_EQ(1, m_menus[index]->getReferenceCount());
            m_items[index]->dereference();
            m_menus[index]->dereference();
        }
        EXPECT_EQ(0, m_itemRecords.live());
        EXPECT_EQ(0, m_menuRecords.live());
    }

    CCountChange m_events;
    CCountChange m_itemRecords;
    CCountChange m_menuRecords;
    CMenuItem* m_items[2];
    CMenu* m_menus[2];
};

TEST_F(CMenuEventReferences, aSelectionHoldsItsItemAndMenuAndAnswersTheItemsId)
{
    const CMenuEvent event(m_items[1], m_menus[0]);
    EXPECT_EQ(m_items[1], event.getMenuItem());
    EXPECT_EQ(m_menus[0], event.getMenu());
    EXPECT_EQ(2, m_items[1]->getReferenceCount());
    EXPECT_EQ(2, m_menus[0]->getReferenceCount());
    EXPECT_EQ(11, event.getMenuItemId());
    m_items[1]->setId(-1);
    EXPECT_EQ(-1, event.getMenuItemId());
}

TEST_F(CMenuEventReferences, openingAndClosingCarryNoItemAndAnswerIdMinusOne)
{
    const CMenuEvent event(nullptr, m_menus[1]);
    EXPECT_EQ(nullptr, event.getMenuItem());
    EXPECT_EQ(-1, event.getMenuItemId());
    EXPECT_EQ(2, m_menus[1]->getReferenceCount());

    const CMenuEvent empty(nullptr, nullptr);
    EXPECT_EQ(nullptr, empty.getMenu());
    EXPECT_EQ(-1, empty.getMenuItemId());
}

TEST_F(CMenuEventReferences, settersSwapReferencesAndSettingTheSameObjectKeepsIt)
{
    CMenuEvent event(m_items[0], m_menus[0]);
    event.setMenuItem(m_items[1]);
    event.setMenu(m_menus[1]);
    EXPECT_EQ(1, m_items[0]->getReferenceCount());
    EXPECT_EQ(1, m_menus[0]->getReferenceCount());
    EXPECT_EQ(2, m_items[1]->getReferenceCount());
    EXPECT_EQ(2, m_menus[1]->getReferenceCount());
    EXPECT_EQ(11, event.getMenuItemId());

    event.setMenuItem(event.getMenuItem());
    event.setMenu(event.getMenu());
    EXPECT_EQ(2, m_items[1]->getReferenceCount());
    EXPECT_EQ(2, m_menus[1]->getReferenceCount());

    event.setMenuItem(nullptr);
    EXPECT_EQ(1, m_items[1]->getReferenceCount());
    EXPECT_EQ(-1, event.getMenuItemId());
}

TEST_F(CMenuEventReferences, aCopyHoldsReferencesOfItsOwnAndOutlivesTheOriginal)
{
    auto* original = new CMenuEvent(m_items[0], m_menus[0]);
    const CMenuEvent copy(*original);
    EXPECT_EQ(3, m_items[0]->getReferenceCount());
    EXPECT_EQ(3, m_menus[0]->getReferenceCount());
    EXPECT_EQ(0, copy.getReferenceCount());
    delete original;
    EXPECT_EQ(m_items[0], copy.getMenuItem());
    EXPECT_EQ(m_menus[0], copy.getMenu());
    EXPECT_EQ(10, copy.getMenuItemId());
    EXPECT_EQ(2, m_items[0]->getReferenceCount());
}

TEST_F(CMenuEventReferences, assignmentReleasesTheOldPairAndSelfAssignmentChangesNothing)
{
    CMenuEvent target(m_items[0], m_menus[0]);
    const CMenuEvent source(m_items[1], nullptr);
    target = source;
    EXPECT_EQ(m_items[1], target.getMenuItem());
    EXPECT_EQ(nullptr, target.getMenu());
    EXPECT_EQ(1, m_items[0]->getReferenceCount());
    EXPECT_EQ(1, m_menus[0]->getReferenceCount());
    EXPECT_EQ(3, m_items[1]->getReferenceCount());

    CMenuEvent& alias = target;
    target = alias;
    EXPECT_EQ(3, m_items[1]->getReferenceCount());
    EXPECT_EQ(m_items[1], target.getMenuItem());
}

TEST(CMenuEventOwnership, anEventThatIsTheLastHolderFreesItemAndMenu)
{
    const CCountChange items(CMenuItem::classRecord());
    const CCountChange menus(CMenu::classRecord());
    {
        auto* menu = new CMenu();
        menu->addMenuItem(new CMenuItem("chosen", 5, CMenuItem::kPlainItem, true));
        const CMenuEvent event(menu->getMenuItem(0), menu);
        menu->clearMenu();
        // The event keeps the chosen item alive after its menu let go of it.
        EXPECT_EQ(1, items.live());
        EXPECT_EQ(5, event.getMenuItemId());
    }
    EXPECT_EQ(0, items.live());
    EXPECT_EQ(0, menus.live());
}

TEST(CMenuEventClassRecord, isNamedCMenuEventUnderCCountedObject)
{
    EXPECT_STREQ("CMenuEvent", CMenuEvent::classRecord().getClassName());
    EXPECT_STREQ("CCountedObject", CMenuEvent::classRecord().getParentName());
    const CMenuEvent event(nullptr, nullptr);
    EXPECT_EQ(&CMenuEvent::classRecord(), &event.getClass());
}
} // namespace
