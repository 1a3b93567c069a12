// The control factory: every name it lists makes a control of exactly that class, and no other name makes one.
#include "gui/controls/ControlFactory.hpp"

#include "foundation/collections/TAutomaticPointer.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "foundation/io/CXMLNode.hpp"
#include "gui/controls/CLevelMeter.hpp"
#include "gui/controls/CRadioButton.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "tests/foundation/basics/CAllocationFailure.hpp"
#include "tests/foundation/basics/CCountChange.hpp"
#include "tests/gui/CGuiTestKit.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CString;
using Brivant::Collections::TAutomaticPointer;
using Brivant::GUI::Controls::createControl;
using Brivant::Testing::CAllocationFailure;
using namespace VolturaTests;

TEST(ControlFactory, makesExactlyTheListedClassesWithNoIdAtTheOriginForTheGivenRoot)
{
    CControlBench bench;
    Brivant::Collections::TCountedPointerArray<CString> names;
    Brivant::GUI::Controls::getControlClassNames(names);
    ASSERT_EQ(37, names.getInsertIndex());
    EXPECT_EQ("CADSREditor", std::string(names.getElementAt(0)->getString()));
    EXPECT_EQ("CXYPad", std::string(names.getElementAt(36)->getString()));
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

TEST(ControlFactory, everyClassGetsItsDefaultAreaAndTheMeterAndRadioButtonTheirCounts)
{
    CControlBench bench;
    const std::pair<const char*, CRect> cases[] = {
        {"CADSREditor", CRect(0, 0, 150, 100)},     {"CAnimation", CRect(0, 0, 50, 50)},
        {"CAnimationFrame", CRect(0, 0, 50, 50)},   {"CAreaBox", CRect(0, 0, 50, 50)},
        {"CAutoAnimation", CRect(0, 0, 50, 50)},    {"CCenterSlider", CRect(0, 0, 100, 20)},
        {"CComboBox", CRect(0, 0, 100, 20)},        {"CControlPanel", CRect(0, 0, 200, 200)},
        {"CImageLabel", CRect(0, 0, 100, 20)},      {"CKnob", CRect(0, 0, 50, 50)},
        {"CLatchingButton", CRect(0, 0, 50, 50)},   {"CLevelMeter", CRect(0, 0, 20, 100)},
        {"CMenuBar", CRect(0, 0, 200, 25)},         {"CModulatedSlider", CRect(0, 0, 100, 20)},
        {"CModulatedXYPad", CRect(0, 0, 200, 200)}, {"CMomentaryButton", CRect(0, 0, 50, 50)},
        {"CPopupButton", CRect(0, 0, 50, 50)},      {"CPresetBrowser", CRect(0, 0, 200, 400)},
        {"CProgressBar", CRect(0, 0, 200, 20)},     {"CRadioButton", CRect(0, 0, 200, 50)},
        {"CRangeSlider", CRect(0, 0, 150, 100)},    {"CRepeatingButton", CRect(0, 0, 50, 50)},
        {"CRolloverButton", CRect(0, 0, 50, 50)},   {"CScrollBar", CRect(0, 0, 20, 100)},
        {"CScrollPanel", CRect(0, 0, 200, 200)},    {"CSlider", CRect(0, 0, 20, 100)},
        {"CSliderArray", CRect(0, 0, 200, 100)},    {"CStepLabel", CRect(0, 0, 50, 20)},
        {"CTabPanel", CRect(0, 0, 200, 200)},       {"CTableView", CRect(0, 0, 200, 200)},
        {"CTextEdit", CRect(0, 0, 50, 20)},         {"CTextLabel", CRect(0, 0, 50, 20)},
        {"CTreeView", CRect(0, 0, 200, 200)},       {"CTriStateImage", CRect(0, 0, 50, 20)},
        {"CWaveCycle", CRect(0, 0, 100, 100)},      {"CWindowDragTab", CRect(0, 0, 100, 50)},
        {"CXYPad", CRect(0, 0, 200, 200)}};
    Brivant::Collections::TCountedPointerArray<CString> names;
    Brivant::GUI::Controls::getControlClassNames(names);
    std::vector<std::string> listed, tabled;
    for (long index = 0; index < names.getInsertIndex(); ++index)
        listed.push_back(names.getElementAt(index)->getString());
    for (const auto& test : cases)
    {
        tabled.push_back(test.first);
        TAutomaticPointer<IControl> control;
        ASSERT_TRUE(createControl(CString(test.first), control, &bench.root())) << test.first;
        EXPECT_EQ(test.second, control.getPointer()->getArea()) << test.first;
    }
    EXPECT_EQ(listed, tabled);
    TAutomaticPointer<IControl> meter, radio;
    ASSERT_TRUE(createControl(CString("CLevelMeter"), meter, &bench.root()));
    EXPECT_EQ(100, dynamic_cast<Brivant::GUI::Controls::CLevelMeter&>(*meter.getPointer()).getStepCount());
    ASSERT_TRUE(createControl(CString("CRadioButton"), radio, &bench.root()));
    const auto& buttons = dynamic_cast<Brivant::GUI::Controls::CRadioButton&>(*radio.getPointer());
    EXPECT_EQ(4, buttons.getButtonCount());
    EXPECT_EQ(4, buttons.getButtonList().getInsertIndex());
}

TEST(ControlFactory, aFailedAllocationMakesNoControlWhileAConstructorsExceptionPassesThrough)
{
    CControlBench bench;
    Brivant::Collections::TCountedPointerArray<CString> names;
    Brivant::GUI::Controls::getControlClassNames(names);
    for (long index = 0; index < names.getInsertIndex(); ++index)
    {
        const CString& name = *names.getElementAt(index);
        // Each allocation of the call fails in turn until one call succeeds. Where the control itself is not
        // made the answer is false with no control: its own allocation, and for the two controls that get a new
        // menu, the menu's. What a constructor throws (the menu's too) leaves the call.
        const long refusals = name == "CComboBox" || name == "CPopupButton" ? 2 : 1;
        std::string seen;
        long falses = 0;
        for (long allocation = 1; allocation < 500 && seen.find("true") == std::string::npos; ++allocation)
        {
            TAutomaticPointer<IControl> control;
            CAllocationFailure::failAt(allocation);
            try
            {
                const bool made = createControl(name, control, &bench.root());
                seen += made ? "true" : "false ";
                falses += made ? 0 : 1;
                EXPECT_EQ(made, control.getPointer() != nullptr) << name.getString();
            }
            catch (...)
            {
                seen += "thrown ";
            }
            CAllocationFailure::disarm();
        }
        EXPECT_EQ(refusals, falses) << name.getString() << ": " << seen;
        EXPECT_EQ("false ", seen.substr(0, 6)) << name.getString();
    }
}

// Whichever allocation fails while a control writes its layout, none of its descriptors, their lists of choices
// or their texts is left behind.
TEST(ControlFactory, aLayoutWrittenShortOfMemoryLeavesNoDescriptorBehind)
{
    CControlBench bench;
    Brivant::Collections::TCountedPointerArray<CString> names;
    Brivant::GUI::Controls::getControlClassNames(names);
    for (long index = 0; index < names.getInsertIndex(); ++index)
    {
        TAutomaticPointer<IControl> control;
        ASSERT_TRUE(createControl(*names.getElementAt(index), control, &bench.root()));
        // A first write makes what the framework keeps for later ones.
        Brivant::IO::CXMLNode first(CString("control"), nullptr);
        control.getPointer()->writeToXmlNode(&first);
        const CCountChange descriptors(Brivant::GUI::Controls::CControlDescriptor::classRecord()),
            lists(Brivant::Collections::TCountedPointerArray<CString>::classRecord()), texts(CString::classRecord());
        const auto life = [&] {
            Brivant::IO::CXMLNode node(CString("control"), nullptr);
            control.getPointer()->writeToXmlNode(&node);
        };
        const auto check = [&](long allocation) {
            EXPECT_EQ(0, descriptors.live() + lists.live() + texts.live())
                << names.getElementAt(index)->getString() << ", allocation " << allocation;
        };
        EXPECT_NE(0, CAllocationFailure::sweep(life, check)) << names.getElementAt(index)->getString();
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
