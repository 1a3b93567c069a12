// The control factory: every name it lists makes a control of exactly that class, and no other name makes one.
#include "gui/controls/ControlFactory.hpp"

#include "foundation/collections/TAutomaticPointer.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "foundation/io/CXMLNode.hpp"
#include "tests/gui/CGuiTestKit.hpp"

#include <gtest/gtest.h>

#include <string>

namespace
{
using Brivant::Basics::CString;
using Brivant::Collections::TAutomaticPointer;
using Brivant::GUI::Controls::createControl;
using namespace VolturaTests;

TEST(ControlFactory, makesExactlyTheListedClassesWithNoIdAtTheOriginForTheGivenRoot)
{
    CControlBench bench;
    Brivant::Collections::TCountedPointerArray<CString> names;
    Brivant::GUI::Controls::getControlClassNames(names);
    ASSERT_GT(names.getInsertIndex(), 0);
    std::string previous;
    for (long index = 0; index < names.getInsertIndex(); ++index)
    {
        const std::string name = names.getElementAt(index)->getString();
        EXPECT_LT(previous, name);
        previous = name;
        TAutomaticPointer<IControl> control;
        ASSERT_TRUE(createControl(CString(name.c_str()), control, &bench.root())) << name;
        EXPECT_EQ(name, control.getPointer()->getClass().getClassName());
        EXPECT_EQ(-1, control.getPointer()->getControlId());
        EXPECT_EQ("0,0", positionText(CPoint(control.getPointer()->getArea().getLeft(),
                                             control.getPointer()->getArea().getTop())));
        EXPECT_EQ(static_cast<IControlRoot*>(&bench.root()), control.getPointer()->getControlRoot());
    }
    for (const char* name : {"cControlPanel", "CControlPanel ", "CControl", "CControlRoot", "CMenu", ""})
    {
        TAutomaticPointer<IControl> empty;
        EXPECT_FALSE(createControl(CString(name), empty, &bench.root())) << name;
        EXPECT_EQ(nullptr, empty.getPointer());
        // A holder that already holds a control keeps it.
        TAutomaticPointer<IControl> held;
        held.setPointer(new CControl(&bench.root(), 1, CRect(0, 0, 1, 1), nullptr));
        IControl* before = held.getPointer();
        EXPECT_TRUE(createControl(CString(name), held, &bench.root()));
        EXPECT_EQ(before, held.getPointer());
    }
}

TEST(ControlFactory, controlsGetTheirDefaultAreas)
{
    CControlBench bench;
    const std::pair<const char*, CRect> cases[] = {
        {"CScrollBar", CRect(0, 0, 20, 100)},       {"CScrollPanel", CRect(0, 0, 200, 200)},
        {"CSlider", CRect(0, 0, 20, 100)},          {"CSliderArray", CRect(0, 0, 200, 100)},
        {"CADSREditor", CRect(0, 0, 150, 100)},     {"CCenterSlider", CRect(0, 0, 100, 20)},
        {"CModulatedSlider", CRect(0, 0, 100, 20)}, {"CProgressBar", CRect(0, 0, 200, 20)},
        {"CRangeSlider", CRect(0, 0, 150, 100)},    {"CRepeatingButton", CRect(0, 0, 50, 50)},
        {"CRolloverButton", CRect(0, 0, 50, 50)},   {"CComboBox", CRect(0, 0, 100, 20)},
        {"CMenuBar", CRect(0, 0, 200, 25)},         {"CPresetBrowser", CRect(0, 0, 200, 400)},
        {"CTableView", CRect(0, 0, 200, 200)},      {"CTreeView", CRect(0, 0, 200, 200)}};
    for (const auto& test : cases)
    {
        TAutomaticPointer<IControl> control;
        ASSERT_TRUE(createControl(CString(test.first), control, &bench.root())) << test.first;
        EXPECT_EQ(test.second, control.getPointer()->getArea()) << test.first;
    }
}

TEST(ControlFactory, pictureAndPadControlsGetTheirDefaultAreasAndReadTheLayoutTheyWrite)
{
    CControlBench bench;
    const std::pair<const char*, CRect> cases[] = {
        {"CImageLabel", CRect(0, 0, 100, 20)}, {"CModulatedXYPad", CRect(0, 0, 200, 200)},
        {"CTriStateImage", CRect(0, 0, 50, 20)}, {"CWaveCycle", CRect(0, 0, 100, 100)},
        {"CWindowDragTab", CRect(0, 0, 100, 50)}, {"CXYPad", CRect(0, 0, 200, 200)}};
    for (const auto& test : cases)
    {
        TAutomaticPointer<IControl> control, copy;
        ASSERT_TRUE(createControl(CString(test.first), control, &bench.root())) << test.first;
        EXPECT_EQ(test.second, control.getPointer()->getArea()) << test.first;
        Brivant::IO::CXMLNode node(CString("control"), nullptr);
        ASSERT_TRUE(control.getPointer()->writeToXmlNode(&node)) << test.first;
        ASSERT_TRUE(createControl(CString(test.first), copy, &bench.root()));
        EXPECT_TRUE(copy.getPointer()->readFromXmlNode(&node)) << test.first;
    }
}
} // namespace
