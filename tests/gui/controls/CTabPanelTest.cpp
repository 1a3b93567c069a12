// CTabPanel: the buttons and the view on each side, the tab shown and the button latched agreeing whatever adds,
// removes or picks tabs, a tab keeping the panel it is given again, and layouts.
#include "gui/controls/CTabPanel.hpp"
#include "gui/controls/CLatchingButton.hpp"
#include "tests/gui/controls/CControlLayoutBench.hpp"

#include <algorithm>
#include <functional>
#include <map>

namespace
{
using Brivant::GUI::Controls::CControlPanel;
using Brivant::GUI::Controls::CLatchingButton;
using Brivant::GUI::Controls::CTabPanel;
using namespace VolturaTests;

class CTabPanelTest : public CControlLayoutBench
{
protected:
    // 200 by 100 with a tab for each title; contents are blue panels 300 by 300 named by a letter, new each time.
    CTabPanel& tabs(const std::string& titles)
    {
        bench.root().clearControls();
        auto& panel = dynamic_cast<CTabPanel&>(make("CTabPanel", CRect(0, 0, 200, 100)));
        for (char name : std::string("ABCX"))
        {
            m_held.addElement(contents[name] =
                                  new CControlPanel(&bench.window(), &panel, -1, CRect(5, 5, 300, 300), 0));
            set(*contents[name],
                std::string("Control Name=") + name + ";Default Drawing=1;Background Colour=0,0,255,255");
        }
        for (char title : titles)
            panel.addTab(contents[title], CString(std::string(1, title).c_str()));
        return panel;
    }
    static IControl& part(const CTabPanel& panel, const char* name) { return *panel.findControlByName(CString(name)); }

    // The panel shown ("!" when it is not the current panel), then the titles, the latched one in [].
    static std::string state(const CTabPanel& panel)
    {
        const auto& view = dynamic_cast<const CControlPanel&>(part(panel, "Tab View"));
        const auto& buttons = dynamic_cast<const CControlPanel&>(part(panel, "Tab Buttons"));
        IControl* shown = view.getControl(0, true);
        std::string text = shown != panel.getCurrentPanel() || view.getInsertIndex() > 1 ? "!" : "";
        text += (shown != nullptr ? shown->getControlName().getString() : "") + std::string("|");
        for (long index = 0; index < buttons.getInsertIndex(); ++index)
        {
            const auto& button = dynamic_cast<const CLatchingButton&>(*buttons.getControl(index, true));
            const std::string title = button.getLabelText().getString();
            text += (index > 0 ? " " : "") + (button.isLatched() ? "[" + title + "]" : title);
        }
        return text;
    }

    std::map<char, CControlPanel*> contents;
    Brivant::Collections::TCountedPointerArray<CControlPanel> m_held;
};

TEST_F(CTabPanelTest, theButtonsLieOnTheChosenSideTheDimensionDeepAndTheShownTabFillsTheRest)
{
    // After the settings, raw (unless -1) goes to setTabPosition and a dimension of 60 follows, moving nothing.
    const std::tuple<const char*, long, CRect, const char*> cases[] = {
        {"", -1, CRect(0, 0, 200, 100), "0,0,200,20 0,20,200,80 2,2,96,16"},
        {"Tab Position=1;Tab Dimension=#30", -1, CRect(0, 0, 200, 100), "0,70,200,30 0,0,200,70 2,2,96,26"},
        {"Tab Position=2;Tab Dimension=#50", -1, CRect(0, 0, 200, 100), "0,0,50,100 50,0,150,100 2,2,46,46"},
        {"Tab Position=3;Tab Dimension=#40", -1, CRect(0, 0, 200, 100), "160,0,40,100 0,0,160,100 2,2,36,46"},
        {"Tab Position=3;Tab Dimension=#40", -1, CRect(0, 0, 180, 60), "140,0,40,60 0,0,140,60 2,2,36,26"},
        {"Tab Position=2;Tab Dimension=#50", 4, CRect(0, 0, 200, 100), "0,0,50,100 50,0,150,100 2,2,46,46"},
        {"!Tab Position=4;!Tab Position=-1", -1, CRect(0, 0, 200, 100), "0,0,200,20 0,20,200,80 2,2,96,16"},
    };
    for (const auto& [settings, raw, area, areas] : cases)
    {
        CTabPanel& panel = tabs("AB");
        set(panel, settings);
        if (raw >= 0)
        {
            panel.setTabPosition(raw);
            panel.setTabDimension(60);
        }
        panel.setArea(area);
        const CRect buttons = part(panel, "Tab Buttons").getArea(), view = part(panel, "Tab View").getArea();
        const IControl* first = dynamic_cast<CControlPanel&>(part(panel, "Tab Buttons")).getControl(0, true);
        EXPECT_EQ(areas, rectText(buttons) + " " + rectText(view) + " " + rectText(first->getArea())) << settings;
        EXPECT_EQ("0,0,300,300", rectText(contents['A']->getArea()));
        const CPixels pixels = draw();
        EXPECT_EQ("0,0,255", pixels.rgb(view.getCentralXPosition(), view.getCentralYPosition())) << settings;
        EXPECT_NE("0,0,255", pixels.rgb(buttons.getCentralXPosition(), buttons.getCentralYPosition())) << settings;
    }
}

TEST_F(CTabPanelTest, aDimensionBeyondThePanelKeepsTheButtonsAndTheViewInsideIt)
{
    for (long dimension : {2147483647L, 99999999L, 250L, -2147483647L - 1, -5L})
        for (long position = 0; position < 4; ++position)
        {
            CTabPanel& panel = tabs("AB");
            panel.setArea(CRect(0, 30, 200, 40));
            set(panel, "Tab Position=" + std::to_string(position) + ";Tab Dimension=#" + std::to_string(dimension));
            const std::string which = std::to_string(dimension) + " at " + std::to_string(position);
            for (const char* name : {"Tab Buttons", "Tab View"})
            {
                const CRect area = part(panel, name).getArea();
                EXPECT_TRUE(area.getLeft() >= 0 && area.getTop() >= 0 && area.getWidth() >= 0 &&
                            area.getHeight() >= 0 && area.getLeft() + area.getWidth() <= 200 &&
                            area.getTop() + area.getHeight() <= 40)
                    << name << " " << rectText(area) << " for " << which;
            }
            const CPixels pixels = draw();
            EXPECT_EQ(200 * 30, pixels.count(0, 0, 200, 30, "255,255,255")) << which;
            EXPECT_EQ(200 * 30, pixels.count(0, 70, 200, 30, "255,255,255")) << which;
            // The layout keeps the dimension as given.
            Brivant::GUI::Controls::CControlDescriptor descriptor(CString("Tab Dimension"), 4, nullptr);
            ASSERT_TRUE(panel.fillDescriptor(descriptor));
            EXPECT_EQ(dimension, dynamic_cast<Brivant::Basics::CLong*>(descriptor.getValue())->getValue());
        }
}

TEST_F(CTabPanelTest, theTabShownAndTheButtonLatchedAgreeWhateverAddsRemovesOrPicksTabs)
{
    // From tab A: "+B" adds panel B titled B ("+0" a null panel), "-B" removes panel B, "'B" the tab titled B, "*"
    // all; "cN" clicks button N, "sN" and "tB" select by index and by title.
    const std::pair<const char*, const char*> cases[] = {
        {"", "A|[A]"},
        {"+B", "A|[A] B"},
        {"+0", "A|[A]"},
        {"+B +C c1", "B|A [B] C"},
        {"+B +C c2 c0 c0", "A|[A] B C"},
        {"+B +C s2", "C|A B [C]"},
        {"+B +C tC", "C|A B [C]"},
        {"+B +C s-1 s3 tX", "A|[A] B C"},
        {"+B s1 +C", "B|A [B] C"},
        {"+B +C c1 -B", "C|A [C]"},
        {"+B +C c2 -C", "B|A [B]"},
        {"+B +C c2 'A", "C|B [C]"},
        {"+B c1 -B", "A|[A]"},
        {"+B -X", "A|[A] B"},
        {"+B c1 -A -B", "|"},
        {"+B +C c1 *", "|"},
        {"+B * +C", "C|[C]"},
    };
    for (const auto& [steps, expected] : cases)
    {
        CTabPanel& panel = tabs("A");
        std::istringstream script(steps);
        for (std::string step; script >> step;)
        {
            const CString title(step.substr(1).c_str());
            if (step[0] == '+')
                panel.addTab(step[1] == '0' ? nullptr : contents[step[1]], title);
            if (step[0] == '-')
                panel.removeTab(contents[step[1]]);
            if (step[0] == '\'')
                panel.removeTab(title);
            if (step[0] == '*')
                panel.removeAllTabs();
            if (step[0] == 's')
                panel.selectTab(std::stol(step.substr(1)));
            if (step[0] == 't')
                panel.selectTab(title);
            if (step[0] == 'c')
                bench.click((2 * std::stol(step.substr(1)) + 1) * 100 / panel.getTabCount(), 10);
        }
        EXPECT_EQ(expected, state(panel)) << steps;
    }
}

TEST_F(CTabPanelTest, aTabChosenFromCodeRedrawsTheButtonRowAndTheView)
{
    CTabPanel& panel = tabs("ABC");
    // By index, by title, the one shown again, then by a click.
    const std::pair<std::function<void()>, const char*> steps[] = {
        {[&] { panel.selectTab(2); }, "C|A B [C]"},
        {[&] { panel.selectTab(CString("A")); }, "A|[A] B C"},
        {[&] { panel.selectTab(0); }, "A|[A] B C"},
        {[&] { bench.click(100, 10); }, "B|A [B] C"},
    };
    for (const auto& [step, expected] : steps)
    {
        bench.redraws.clear();
        step();
        EXPECT_EQ(expected, state(panel));
        for (const char* area : {"0,0,200,20", "0,20,200,80"})
            EXPECT_NE(bench.redraws.end(), std::find(bench.redraws.begin(), bench.redraws.end(), area))
                << expected << " " << area;
    }
}

TEST_F(CTabPanelTest, aTabGivenThePanelItHoldsKeepsItAndOneGivenAnotherLetsGoOfTheOld)
{
    tabs("");
    for (const bool same : {true, false})
    {
        // The tab alone holds the first panel.
        auto* first = new CControlPanel(&bench.window(), &bench.root(), -1, CRect(0, 0, 9, 9), nullptr);
        const long before = CControlPanel::classRecord().getInstanceCount();
        CTabPanel::CTabPanelTuple tab(first, CString("A"));
        tab.setTab(same ? first : contents['B'], CString("B"));
        EXPECT_EQ(before - (same ? 0 : 1), CControlPanel::classRecord().getInstanceCount()) << same;
        EXPECT_EQ(same ? first : contents['B'], tab.getPanel());
        EXPECT_STREQ("B", tab.getTitle().getString());
    }
}

TEST_F(CTabPanelTest, aLayoutKeepsThePositionAndOtherChildrenSkipsUnknownOnesAndLeavesTheTabsAsTheyWere)
{
    // The first child's type as written, or replaced, read into a new root or into the panel itself.
    const std::tuple<const char*, bool, const char*> cases[] = {
        {"CTextLabel", false, "| text,button,Tab Buttons,Tab View,"},
        {"CNoSuchControl", false, "| button,Tab Buttons,Tab View,"},
        {"CNoSuchControl", true, "B|A [B] button,Tab Buttons,Tab View,"},
    };
    for (const auto& [type, intoItself, expected] : cases)
    {
        CTabPanel& panel = tabs("AB");
        set(panel, "Tab Dimension=#50;Tab Position=2");
        for (const char* child : {"CTextLabel", "CLatchingButton"})
        {
            Brivant::Collections::TAutomaticPointer<IControl> made;
            ASSERT_TRUE(Brivant::GUI::Controls::createControl(CString(child), made, &panel));
            set(*made.getPointer(), child[1] == 'T' ? "Control Name=text" : "Control Name=button");
            panel.addControl(made.getPointer());
        }
        Brivant::IO::CXMLNode node(CString("controls"), nullptr);
        ASSERT_TRUE(bench.root().writeToXmlNode(&node));
        const std::string written = layoutText(node);
        Brivant::IO::CXMLNode* element = node.getChildNode(0);
        element->getChildNode(CString("child_controls"))
            ->getChildNode(0)
            ->getAttribute(CString("type"))
            ->setValue(type);

        IControl* buttons = &part(panel, "Tab Buttons");
        panel.selectTab(1);
        CControlBench other(200, 100);
        ASSERT_TRUE(intoItself ? panel.readFromXmlNode(element) : other.root().readFromXmlNode(&node));
        CTabPanel& read = intoItself ? panel : dynamic_cast<CTabPanel&>(*other.root().getControl(0, true));
        std::string children = state(read) + " ";
        for (long index = 0; index < read.getInsertIndex(); ++index)
            children += read.getControl(index, true)->getControlName().getString() + std::string(",");
        EXPECT_EQ(expected, children);
        EXPECT_EQ("0,0,50,100 50,0,150,100",
                  rectText(part(read, "Tab Buttons").getArea()) + " " + rectText(part(read, "Tab View").getArea()));
        // Read into itself it keeps the very buttons; another panel writes back what it read.
        EXPECT_TRUE(intoItself ? buttons == &part(read, "Tab Buttons")
                               : (written == layoutText(other.root())) == (std::string(type) == "CTextLabel"));
    }
}
} // namespace
