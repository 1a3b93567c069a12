// CStepLabel: how steps move through the list with and without wrap, and what makes a step and a report.
#include "gui/controls/CStepLabel.hpp"

#include "tests/gui/controls/CControlLayoutBench.hpp"

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace
{
using Brivant::GUI::Controls::CStepLabel;
using namespace VolturaTests;

class CStepLabelTest : public CControlLayoutBench
{
protected:
    CRecordingActionListener told;
};

TEST_F(CStepLabelTest, stepsStopAtTheEndsUnlessWrappingAndOnlyStepsReport)
{
    // Wrap, the entries, the actions, and "text index reports" after each ('_' the blank a new label shows).
    // Actions: 'f' and 'b' step, 'p' clicks a button of that id beside the label, 'i' sets the index, 'd' drops a
    // file on the label.
    const std::tuple<bool, std::vector<const char*>, std::string, std::string> cases[] = {
        {false, {"A", "B", "C"}, "f f f b", "B1/1 C2/2 C2/3 B1/4"},
        {true, {"A", "B", "C"}, "f f f b b", "B1/1 C2/2 A0/3 C2/4 B1/5"},
        {false, {"A", "B", "C"}, "b", "_0/1"},
        {true, {"A", "B", "C"}, "b", "C2/1"},
        {true, {}, "b f", "_0/1 _0/2"},
        {false, {}, "f b", "_0/1 _0/2"},
        {false, {"A", "B", "C"}, "i3 i-1 d p2 p0 i2 p1", "_0/0 _0/0 _0/0 _0/0 B1/1 C2/1 B1/2"}};
    for (const auto& [wrap, entries, actions, expected] : cases)
    {
        SCOPED_TRACE(std::to_string(wrap) + " " + std::to_string(entries.size()) + " " + actions);
        bench.root().clearControls();
        told.controls.clear();
        auto& label = dynamic_cast<CStepLabel&>(make("CStepLabel", CRect(20, 10, 60, 20), wrap ? "Wrap=1" : ""));
        label.registerActionListener(&told);
        for (const char* entry : entries)
            label.addText(CString(entry));
        std::istringstream list(actions);
        std::string action, after;
        while (list >> action)
        {
            const long number = action.size() > 1 ? std::stol(action.substr(1)) : 0;
            if (action[0] == 'f' || action[0] == 'b')
                action[0] == 'f' ? label.stepForward() : label.stepBackward();
            else if (action[0] == 'i')
                label.setIndex(number);
            else if (action[0] == 'd')
                bench.drop(30, 15, {"C:\\a.wav"});
            else
            {
                IControl& button = make("CMomentaryButton", CRect(100, 10, 20, 20), "Control ID=#" + action.substr(1));
                button.registerActionListener(&label);
                bench.click(105, 15);
                bench.root().removeControl(&button);
            }
            const std::string text = label.getText().getString();
            after += (text == " " ? "_" : text) + std::to_string(label.getIndex()) + "/" +
                     std::to_string(told.controls.size()) + " ";
        }
        EXPECT_EQ(expected + " ", after);
        EXPECT_EQ(std::vector<IControl*>(told.controls.size(), &label), told.controls);
    }
}
} // namespace
