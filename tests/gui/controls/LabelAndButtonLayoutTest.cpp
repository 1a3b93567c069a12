// The labels and the two push buttons as their properties set them: what each look draws, and that the factory
// makes each with its defaults and a layout carries back every property value it took and none it refused.
#include "tests/gui/controls/CControlLayoutBench.hpp"

namespace
{
using namespace VolturaTests;

class LabelAndButtonLayoutTest : public CControlLayoutBench
{
};

TEST_F(LabelAndButtonLayoutTest, eachLookDrawsItsImageOrItsFaceAndItsTextInItsColour)
{
    const std::string white = "255,255,255", black = "0,0,0", up = "0,0,200", down = "200,0,200";
    const std::string on = "102,200,85", off = "243,32,32", blue = "0,0,255";
    const char *const label = "CTextLabel", *const latching = "CLatchingButton", *const momentary = "CMomentaryButton";
    // Pixels well inside, on the top edge and at the top left corner, and a colour the text shows in ("" none).
    const struct
    {
        const char* className;
        const char* settings;
        std::string inside, edge, corner, ink;
    } cases[] = {
        {label, "Text=HHHH", white, white, white, black},
        {label, "Text=HHHH;Text Colour=0,0,255,255;Frame Colour=9,9,9,255", white, white, white, blue},
        {label, "Text=HHHH;Frame Colour=9,9,9,255;Background Colour=0,200,0,255;Default Drawing=1", "0,200,0",
         "9,9,9", "9,9,9", black},
        {label, "Text=HHHH;Primary Image=up", up, up, up, black},
        {label, "Default Drawing=1;Is Enabled=0", white, white, white, ""},
        {latching, "", off, black, white, ""},
        {latching, "value=1", on, black, white, ""},
        {latching, "Primary Image=up;Down Image=down", up, up, up, ""},
        {latching, "Primary Image=up;Down Image=down;value=1", down, down, down, ""},
        {latching, "Primary Image=up;value=1", on, black, white, ""},
        {latching, "Label Text=HHHH;Off Text Colour=0,0,255,255;Off Frame Colour=9,9,9,255", off, "9,9,9", white,
         blue},
        {latching, "Label Text=HHHH;On Text Colour=0,0,255,255;Down Image=down;value=1", down, down, down, ""},
        {momentary, "Label Text=HHHH;On Text Colour=0,0,255,255;Down Image=down;value=1", down, down, down, blue},
        {momentary, "Label Text=HHHH;Off Text Colour=0,0,255,255;Draw Text=0", off, black, white, ""},
        {momentary, "Disabled Image=disabled;Is Enabled=0", "0,200,200", "0,200,200", "0,200,200", ""},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(std::string(test.className) + " " + test.settings);
        bench.root().clearControls();
        make(test.className, CRect(20, 10, 64, 32), test.settings);
        const CPixels pixels = draw();
        EXPECT_EQ(test.inside, pixels.rgb(26, 14));
        EXPECT_EQ(test.edge, pixels.rgb(52, 10));
        EXPECT_EQ(test.corner, pixels.rgb(20, 10));
        EXPECT_EQ(!test.ink.empty(), pixels.count(20, 10, 64, 32, test.ink.empty() ? blue : test.ink) > 3);
    }
}

TEST_F(LabelAndButtonLayoutTest, theFactoryMakesEachInItsSizeAndALayoutCarriesBackEveryPropertyItTook)
{
    // Each layout must show the values taken, in property order, and none of the values refused.
    const struct
    {
        const char *className, *area, *settings, *shows;
    } cases[] = {
        {"CLatchingButton", "0,0,50,50",
         "Down Image=down;Label Text=on/off;Cursor Change=0;On Colour=1,2,3,4;!Draw Text=0;!Down Image=#1;"
         "!Cursor Change=#1;!Label Text=#1;!On Colour=#1;!Off Text Colour=#1",
         "Down Image down\ndescriptor boolean Cursor Change False\ndescriptor string Label Text on/off\n"
         "descriptor colour On Colour 1,2,3,4"},
        {"CMomentaryButton", "0,0,50,50", "Off Text Colour=5,6,7,8;Draw Text=0;!Draw Text=#1",
         "Off Text Colour 5,6,7,8\ndescriptor boolean Draw Text False"},
        // A styled font keeps its style.
        {"CTextLabel", "0,0,50,20",
         "Font=Tahoma,14,styled;Text Colour=9,8,7,6;Alignment=10;!Alignment=11;!Alignment=-1;!Font=#1;!Text=#1;"
         "!Text Colour=#1",
         "Font Tahoma 14 True True\ndescriptor string Text Text\ndescriptor colour Text Colour 9,8,7,6\n"
         "descriptor selection Alignment 10"},
        // A limit of 0 or below is none; only the three alignments are taken.
        {"CTextEdit", "0,0,50,20",
         "Text Limit=#0;Editable=0;Single Click=0;Popup Alignment=2;!Popup Alignment=3;!Popup Alignment=-1;"
         "!Text Limit=9;!Editable=#1",
         "Text Limit -1\ndescriptor boolean Editable False\ndescriptor boolean Single Click False\n"
         "descriptor selection Popup Alignment 2"},
        {"CStepLabel", "0,0,50,20", "Wrap=1;!Wrap=#1", "descriptor boolean Wrap True"},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.className);
        bench.root().clearControls();
        Brivant::Collections::TAutomaticPointer<IControl> made;
        ASSERT_TRUE(Brivant::GUI::Controls::createControl(CString(test.className), made, &bench.root()));
        EXPECT_EQ(test.area, rectText(made.getPointer()->getArea()));
        bench.root().addControl(made.getPointer());
        bench.redraws.clear();
        set(*made.getPointer(), test.settings);
        // Only the label's text redraws, and it is not among these.
        EXPECT_TRUE(bench.redraws.empty());

        Brivant::IO::CXMLNode written(CString("controls"), nullptr);
        ASSERT_TRUE(bench.root().writeToXmlNode(&written));
        EXPECT_NE(std::string::npos, layoutText(written).find(test.shows)) << layoutText(written);
        CControlBench other;
        ASSERT_TRUE(other.root().readFromXmlNode(&written));
        EXPECT_EQ(layoutText(written), layoutText(other.root()));
    }
}
} // namespace
