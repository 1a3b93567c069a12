// CRadioButton: how its buttons are laid out, that exactly one is on and user picks alone are reported, and that a
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

    // "1" for each button on, "0" for each off, in list order; each button's area or id when asked.
    static std::string buttons(const CRadioButton& group, char what = 'v')
    {
        std::string text;
        for (long index = 0; index < group.getControlArraySize(); ++index)
            if (const IControl* button = group.getControl(index, true))
                text += what == 'v' ? std::string(button->getValue() >= 0.5 ? "1" : "0")
                        : what == 'a' ? rectText(button->getArea()) + " "
                                      : std::to_string(button->getControlId());
        return text;
    }

    CRecordingActionListener listener;
};

TEST_F(CRadioButtonTest, buttonsFillCellsOfARowOrOfAColumnWhenTallerAndFollowAResizeOnlyWhenAutoArranged)
{
    const struct
    {
        CRect area;
        const char* settings;
        CRect resized;
        const char* areas;
    } cases[] = {
        {CRect(10, 5, 100, 80), "Button Count=#4", CRect(0, 0, 0, 0), "2,2,21,76 27,2,21,76 52,2,21,76 77,2,21,76 "},
        {CRect(10, 5, 40, 100), "Button Count=#4", CRect(0, 0, 0, 0), "2,2,36,21 2,27,36,21 2,52,36,21 2,77,36,21 "},
        {CRect(10, 5, 50, 50), "Button Count=#2", CRect(0, 0, 0, 0), "2,2,21,46 27,2,21,46 "},
        {CRect(10, 5, 100, 80), "Button Count=#3", CRect(10, 5, 60, 90), "2,2,29,76 35,2,29,76 68,2,29,76 "},
        {CRect(10, 5, 100, 80), "Button Count=#3;Auto Arrange=1", CRect(10, 5, 60, 90),
         "2,2,56,26 2,32,56,26 2,62,56,26 "},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.settings);
        bench.root().clearControls();
        CRadioButton& group = radio(test.area, test.settings);
        if (test.resized.getWidth() > 0)
            group.setArea(test.resized);
        EXPECT_EQ(test.areas, buttons(group, 'a'));
        // Areas are the group's own; the absolute ones add its origin.
        EXPECT_EQ(12, group.getControl(0, true)->getAbsoluteArea().getLeft());
    }
}

TEST_F(CRadioButtonTest, exactlyOneButtonIsOnAndOnlyAUserPickOfOneOfItsButtonsIsReported)
{
    // "cN" clicks button N of a row of four, 50 wide each; "sN" selects N from outside; "nN" sets the count; "iN"
    // gives button 1 id N and clicks it; "f" sends an event of a control that is not the group's.
    const struct
    {
        const char* steps;
        const char* on;
        size_t reports;
    } cases[] = {
        {"", "1000", 0},         {"c2", "0010", 1},      {"c2 c2", "0010", 2}, {"c1 c3 c0", "1000", 3},
        {"s3", "0001", 0},       {"s4 s-1", "1000", 0},  {"c2 n3", "100", 1},  {"c2 n0 n-1", "0010", 1},
        {"c2 i7", "0010", 1},    {"c2 i-1", "0010", 1},  {"c3 f", "0001", 1},  {"i3 c0", "1000", 2},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.steps);
        bench.root().clearControls();
        listener.controls.clear();
        CRadioButton& group = radio(CRect(0, 0, 200, 50));
        CControl stranger(&bench.root(), 2, CRect(0, 0, 1, 1), nullptr);
        std::istringstream steps(test.steps);
        std::string step;
        while (steps >> step)
        {
            const long number = step.size() > 1 ? std::stol(step.substr(1)) : 0;
            if (step[0] == 's')
                group.setSelectedButton(number);
            else if (step[0] == 'n')
                set(group, "Button Count=#" + step.substr(1));
            else if (step[0] == 'f')
                group.handleActionEvent(Brivant::GUI::Events::CActionEvent(&stranger));
            else if (step[0] == 'i')
                group.getControl(1, true)->setControlId(number);
            if (step[0] == 'c' || step[0] == 'i')
                bench.click(50 * (step[0] == 'c' ? number : 1) + 25, 25);
        }
        EXPECT_EQ(test.on, buttons(group));
        EXPECT_EQ(std::vector<IControl*>(test.reports, &group), listener.controls);
    }
}

TEST_F(CRadioButtonTest, aLayoutGivesBackAGroupThatNumbersAndHearsItsButtonsWithTheFirstOn)
{
    // A hole in the list, an odd id and a label must all come back as a group of three numbered buttons.
    const struct
    {
        const char* settings;
        bool hole;
        const char* on;
        const char* ids;
    } cases[] = {
        {"Button Count=#3;Auto Arrange=1", false, "100", "012"},
        {"Button Count=#4", true, "100", "012"},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.settings);
        bench.root().clearControls();
        CRadioButton& group = radio(CRect(0, 0, 200, 50), test.settings);
        set(*group.getControl(1, true), "Label Text=mid");
        group.getControl(1, true)->setControlId(9);
        group.setSelectedButton(2);
        if (test.hole)
            group.removeControl(group.getControl(3, true));
        const std::string written = layoutText(bench.root());

        CControlBench other(200, 100);
        Brivant::IO::CXMLNode node(CString("controls"), nullptr);
        ASSERT_TRUE(bench.root().writeToXmlNode(&node));
        ASSERT_TRUE(other.root().readFromXmlNode(&node));
        auto& read = dynamic_cast<CRadioButton&>(*other.root().getControl(0, true));
        EXPECT_EQ(3, read.getButtonCount());
        EXPECT_EQ(test.on, buttons(read));
        EXPECT_EQ(test.ids, buttons(read, 'i'));
        EXPECT_NE(std::string::npos, written.find("Label Text mid"));
        read.registerActionListener(&listener);
        other.click(75, 25);
        EXPECT_EQ("010", buttons(read));
        EXPECT_EQ(std::vector<IControl*>{&read}, listener.controls);
        listener.controls.clear();
    }
}
} // namespace
