// CTextLabel: where each alignment puts the text, and which changes and drops redraw it.
#include "gui/controls/CTextLabel.hpp"

#include "tests/gui/controls/CControlLayoutBench.hpp"

#include <cstdlib>
#include <functional>

namespace
{
using Brivant::GUI::Controls::CTextLabel;
using namespace VolturaTests;

class CTextLabelTest : public CControlLayoutBench
{
protected:
    // "Hx" in a 120 by 60 label at (20, 10).
    CTextLabel& label() { return dynamic_cast<CTextLabel&>(make("CTextLabel", CRect(20, 10, 120, 60), "Text=Hx")); }
};

TEST_F(CTextLabelTest, eachAlignmentPutsTheTextInItsCellOfTheLabel)
{
    // The text box is (21, 11) to (141, 71), clipped by the label at (140, 70); 9 and 10 are single-line cells.
    const long cells[][3] = {{0, 0, 0}, {1, 1, 0}, {2, 2, 0}, {3, 0, 1}, {4, 1, 1}, {5, 2, 1},
                             {6, 0, 2}, {7, 1, 2}, {8, 2, 2}, {9, 0, 1}, {10, 1, 1}};
    for (const auto& cell : cells)
    {
        SCOPED_TRACE(cell[0]);
        bench.root().clearControls();
        label().setTextAlignment(cell[0]);
        const CRect ink = draw().inkBounds("255,255,255");
        ASSERT_GT(ink.getWidth(), 0);
        EXPECT_TRUE(ink.getLeft() >= 21 && ink.getTop() >= 11 && ink.getRight() <= 140 && ink.getBottom() <= 70);
        const long columnGap[] = {ink.getLeft() - 21, std::labs(ink.getCentralXPosition() - 81), 140 - ink.getRight()};
        const long rowGap[] = {ink.getTop() - 11, std::labs(ink.getCentralYPosition() - 41), 70 - ink.getBottom()};
        EXPECT_LE(columnGap[cell[1]], 4);
        EXPECT_LE(rowGap[cell[2]], 7);
        // Far from the next cell's place.
        EXPECT_GT(columnGap[(cell[1] + 1) % 3], 10);
        EXPECT_GT(rowGap[(cell[2] + 1) % 3], 10);
    }
}

TEST_F(CTextLabelTest, onlyANewTextOrAFileDroppedOnTheLabelRedrawsIt)
{
    const CAlphaColour grey(9, 9, 9);
    const struct
    {
        const char* change;
        std::function<void(CTextLabel&)> make;
        size_t redraws;
        const char* text;
    } cases[] = {
        {"text", [](CTextLabel& l) { l.setText(CString("new")); }, 1, "new"},
        {"text property", [](CTextLabel& l) { set(l, "Text=new"); }, 1, "new"},
        {"look", [&](CTextLabel& l) { l.setColours(grey, grey, grey), l.setTextColour(grey), l.setTextAlignment(4); },
         0, "Hx"},
        {"font", [](CTextLabel& l) { l.setFont(new Brivant::GUI::Fonts::CFont(CString("Arial"), 20, 0, 0)); }, 0,
         "Hx"},
        {"three files", [this](CTextLabel&) { bench.drop(30, 20, {"C:\\a.wav", "C:\\b.wav", "C:\\c.wav"}); }, 2,
         "C:\\a.wav"},
        {"no files", [this](CTextLabel&) { bench.drop(30, 20, {}); }, 0, "Hx"},
        {"a file beside it", [this](CTextLabel&) { bench.drop(150, 20, {"C:\\a.wav"}); }, 0, "Hx"},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.change);
        bench.root().clearControls();
        CTextLabel& made = label();
        bench.redraws.clear();
        test.make(made);
        EXPECT_EQ(std::vector<std::string>(test.redraws, "20,10,120,60"), bench.redraws);
        EXPECT_STREQ(test.text, made.getText().getString());
    }
}

TEST_F(CTextLabelTest, anAlignmentCodeOutsideTheElevenIsRefusedSoTheLayoutReadsBack)
{
    for (long code : {42L, 11L, -1L})
    {
        SCOPED_TRACE(code);
        bench.root().clearControls();
        CTextLabel& made = label();
        made.setTextAlignment(4);
        made.setTextAlignment(code);
        EXPECT_EQ(4, made.getTextAlignment());
        Brivant::IO::CXMLNode node(CString("control"), nullptr);
        ASSERT_TRUE(made.writeToXmlNode(&node));
        CTextLabel copy(&bench.root(), 2, CRect(0, 0, 10, 10), CString(""));
        ASSERT_TRUE(copy.readFromXmlNode(&node));
        EXPECT_EQ(4, copy.getTextAlignment());
    }
}
} // namespace
