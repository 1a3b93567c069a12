// CRadioButton: how its buttons are laid out, that exactly one is on and only user picks are reported, and that a
// layout gives back a working group.
#include "gui/controls/CRadioButton.hpp"
#include "tests/gui/controls/CControlLayoutBench.hpp"

namespace
{
using Brivant::GUI::Controls::CRadioButton;
using namespace VolturaTests;

class CRadioButtonTest : public CControlLayoutBench
{
protected:
    CRadioButton& radio(const CRect& area, const std::string& settings = "")
    {
        auto& group = dynamic_cast<CRadioButton&>(make("CRadioButton", area, settings));
        group.registerActionListener(&listener);
        return group;
    }

    // Per button in list order: 'v' "1" on or "0" off, 'a' its area, 'i' its id.
    static std::string buttons(const CRadioButton& group, char what = 'v')
    {
        std::string text;
        for (long index = 0; index < group.getControlArraySize(); ++index)
            if (const IControl* button = group.getControl(index, true))
                text += what == 'v'   ? std::to_string(button->getValue() >= 0.5)
                        : what == 'a' ? rectText(button->getArea()) + " "
                                      : std::to_string(button->getControlId());
        return text;
    }

    CRecordingActionListener listener;
};

TEST_F(CRadioButtonTest, buttonsFillCellsOfARowOrOfAColumnWhenTallerAndFollowAResizeOnlyWhenAutoArranged)
{
    // A second width, when given, resizes the group to it and a height of 90.
    const std::tuple<long, long, const char*, long, const char*> cases[] = {
        {100, 80, "Button Count=#4", 0, "2,2,21,76 27,2,21,76 52,2,21,76 77,2,21,76 "},
        {40, 100, "Button Count=#4", 0, "2,2,36,21 2,27,36,21 2,52,36,21 2,77,36,21 "},
        {50, 50, "Button Count=#2", 0, "2,2,21,46 27,2,21,46 "},
        {100, 80, "Button Count=#3", 60, "2,2,29,76 35,2,29,76 68,2,29,76 "},
        {100, 80, "Button Count=#3;Auto Arrange=1", 60, "2,2,56,26 2,32,56,26 2,62,56,26 "},
    };
    for (const auto& [width, height, settings, resized, areas] : cases)
    {
        bench.root().clearControls();
        CRadioButton& group = radio(CRect(10, 5, width, height), settings);
        if (resized > 0)
            group.setArea(CRect(10, 5, resized, 90));
        EXPECT_EQ(areas, buttons(group, 'a')) << settings;
        EXPECT_EQ(12, group.getControl(0, true)->getAbsoluteArea().getLeft()) << settings;
    }
}

TEST_F(CRadioButtonTest, exactlyOneButtonIsOnAndOnlyAUserPickOfOneOfItsButtonsIsReported)
{
    // On a row of four 50 wide: "cN" clicks button N, "sN" selects it from outside, "nN" sets the count, "iN" gives
    // button 1 id N and clicks it, "f" passes on an event of a control that is not the group's.
    const std::tuple<const char*, const char*, size_t> cases[] = {
        {"", "1000", 0},      {"c2", "0010", 1},     {"c2 c2", "0010", 2}, {"c1 c3 c0", "1000", 3},
        {"s3", "0001", 0},    {"s4 s-1", "1000", 0}, {"c2 n3", "100", 1},  {"c2 n0 n-1", "0010", 1},
        {"c2 i7", "0010", 1}, {"c2 i-1", "0010", 1}, {"c3 f", "0001", 1},  {"i3 c0", "1000", 2},
    };
    for (const auto& [steps, on, reports] : cases)
    {
        bench.root().clearControls();
        listener.controls.clear();
        CRadioButton& group = radio(CRect(0, 0, 200, 50));
        CControl stranger(&bench.root(), 2, CRect(0, 0, 1, 1), nullptr);
        std::istringstream script(steps);
        for (std::string step; script >> step;)
        {
            const long number = step.size() > 1 ? std::stol(step.substr(1)) : 1;
            if (step[0] == 's')
                group.setSelectedButton(number);
            if (step[0] == 'n')
                set(group, "Button Count=#" + step.substr(1));
            if (step[0] == 'f')
                group.handleActionEvent(Brivant::GUI::Events::CActionEvent(&stranger));
            if (step[0] == 'i')
                group.getControl(1, true)->setControlId(number);
            if (step[0] == 'c' || step[0] == 'i')
                bench.click(step[0] == 'c' ? 50 * number + 25 : 75, 25);
        }
        EXPECT_EQ(on, buttons(group)) << steps;
        EXPECT_EQ(std::vector<IControl*>(reports, &group), listener.controls) << steps;
    }
}

TEST_F(CRadioButtonTest, aLayoutGivesBackAGroupThatNumbersAndHearsItsButtonsWithTheFirstOn)
{
    // Button 1 with an odd id and a label, button 2 on, and with a hole where button 3 was.
    for (const char* settings : {"Button Count=#3;Auto Arrange=1", "Button Count=#4"})
    {
        bench.root().clearControls();
        CRadioButton& group = radio(CRect(0, 0, 200, 50), settings);
        set(*group.getControl(1, true), "Label Text=mid;Control ID=#9");
        group.setSelectedButton(2);
        group.removeControl(group.getControl(3, true));
        EXPECT_NE(std::string::npos, layoutText(bench.root()).find("Label Text mid")) << settings;

        CControlBench other(200, 100);
        Brivant::IO::CXMLNode node(CString("controls"), nullptr);
        ASSERT_TRUE(bench.root().writeToXmlNode(&node) && other.root().readFromXmlNode(&node));
        auto& read = dynamic_cast<CRadioButton&>(*other.root().getControl(0, true));
        EXPECT_EQ(3, read.getButtonCount());
        EXPECT_EQ("100 012", buttons(read) + " " + buttons(read, 'i')) << settings;
        read.registerActionListener(&listener);
        listener.controls.clear();
        other.click(75, 25);
        EXPECT_EQ("010", buttons(read)) << settings;
        EXPECT_EQ(std::vector<IControl*>{&read}, listener.controls) << settings;
    }
}
TEST_F(CRadioButtonTest, aButtonCountTooLargeToLayOutIsRefusedAndLeavesTheGroupAsItWas)
{
    CRadioButton& group = radio(CRect(0, 0, 200, 50), "Button Count=#3");
    group.setSelectedButton(1);
    for (long count : {4097L, 99999999L, 2147483647L})
    {
        set(group, "!Button Count=#" + std::to_string(count));
        group.setButtonCount(count);
        EXPECT_EQ(3, group.getButtonCount()) << count;
        EXPECT_EQ("010", buttons(group)) << count;
    }
    set(group, "Button Count=#4096");
    EXPECT_EQ(4096, group.getButtonCount());
}
} // namespace
