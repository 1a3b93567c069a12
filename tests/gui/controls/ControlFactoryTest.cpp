// The control factory: every name it lists makes a control of exactly that class, and nothing else makes one.
#include "gui/controls/ControlFactory.hpp"

#include "foundation/collections/TAutomaticPointer.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "gui/core/CControlPanel.hpp"
#include "tests/gui/CControlTestKit.hpp"

#include <gtest/gtest.h>

#include <string>

namespace
{
using Brivant::Basics::CString;
using Brivant::Collections::TAutomaticPointer;
using Brivant::Collections::TCountedPointerArray;
using Brivant::GUI::Controls::CControlPanel;
using Brivant::GUI::Controls::createControl;
using Brivant::GUI::Controls::getControlClassNames;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

TEST(ControlFactory, everyListedNameMakesAControlOfThatClassWithNoIdAtTheOrigin)
{
    CControlBench bench;
    TCountedPointerArray<CString> names;
    getControlClassNames(names);
    ASSERT_GT(names.getInsertIndex(), 0);
    for (long index = 0; index < names.getInsertIndex(); ++index)
    {
        const CString& name = *names.getElementAt(index);
        if (index > 0)
        {
            EXPECT_LT(std::string(names.getElementAt(index - 1)->getString()), name.getString());
        }
        TAutomaticPointer<IControl> control;
        ASSERT_TRUE(createControl(name, control, &bench.root())) << name.getString();
        EXPECT_STREQ(name.getString(), control.getPointer()->getClass().getClassName());
        EXPECT_EQ(-1, control.getPointer()->getControlId());
        EXPECT_EQ(0, control.getPointer()->getArea().getLeft());
        EXPECT_EQ(0, control.getPointer()->getArea().getTop());
        EXPECT_EQ(static_cast<IControlRoot*>(&bench.root()), control.getPointer()->getControlRoot());
    }
    TAutomaticPointer<IControl> panel;
    ASSERT_TRUE(createControl(CString("CControlPanel"), panel, &bench.root()));
    EXPECT_EQ(CRect(0, 0, 200, 200), panel.getPointer()->getArea());
    EXPECT_EQ(&bench.window(), dynamic_cast<CControlPanel*>(panel.getPointer())->getParentWindow());
}

TEST(ControlFactory, anyOtherNameMakesNothingAndLeavesTheHolderAsItWas)
{
    CControlBench bench;
    for (const char* name : {"cControlPanel", "CControlPanel ", "CControl", "CControlRoot", "CMenu", ""})
    {
        TAutomaticPointer<IControl> empty;
        EXPECT_FALSE(createControl(CString(name), empty, &bench.root())) << name;
        EXPECT_EQ(nullptr, empty.getPointer());
        TAutomaticPointer<IControl> held;
        auto* control = new CControl(&bench.root(), 1, CRect(0, 0, 1, 1), nullptr);
        held.setPointer(control);
        EXPECT_TRUE(createControl(CString(name), held, &bench.root())) << name;
        EXPECT_EQ(control, held.getPointer());
    }
}

TEST(ControlFactory, slidersAndScrollingControlsGetTheirDefaultAreas)
{
    CControlBench bench;
    const std::pair<const char*, CRect> cases[] = {{"CPresetBrowser", CRect(0, 0, 200, 400)},
                                                   {"CScrollBar", CRect(0, 0, 20, 100)},
                                                   {"CScrollPanel", CRect(0, 0, 200, 200)},
                                                   {"CSlider", CRect(0, 0, 20, 100)},
                                                   {"CSliderArray", CRect(0, 0, 200, 100)},
                                                   {"CTreeView", CRect(0, 0, 200, 200)}};
    for (const auto& test : cases)
    {
        TAutomaticPointer<IControl> control;
        ASSERT_TRUE(createControl(CString(test.first), control, &bench.root())) << test.first;
        EXPECT_EQ(test.second, control.getPointer()->getArea()) << test.first;
    }
}
} // namespace
