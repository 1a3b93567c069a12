// CADSREditor: the points a size and the settings lay out, what dragging each handle does to the points and the
// settings, the hover, press and lock, editors too small to divide by, the looks in pixels and the properties.
#include "gui/controls/CADSREditor.hpp"

#include "tests/gui/controls/CControlScript.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

namespace
{
using Brivant::GUI::Controls::CADSREditor;
using namespace VolturaTests;

const CRect kArea(10, 10, 150, 100);
using CSettings = std::initializer_list<std::pair<long, double>>;

class CADSREditorTest : public ::testing::Test
{
protected:
    CADSREditor& add(const CRect& area, CSettings settings = {})
    {
        bench.root().clearControls();
        listener.controls.clear();
        auto* editor = new CADSREditor(&bench.root(), 1, area, &listener);
        bench.root().addControl(editor);
        for (const auto& setting : settings)
            editor->setEnvelopeValue(setting.first, setting.second);
        return *editor;
    }

    // "P0 .. P4 / the settings read at -1 .. 4", checking on the way that each handle is an 8 by 8 square centred
    // on its point.
    static std::string envelope(const CADSREditor& editor)
    {
        std::string text;
        for (long index = 0; index < 5; ++index)
        {
            const auto& point = *editor.getEnvelope().getPoint(index);
            text += positionText(point) + " ";
            if (index > 0)
            {
                EXPECT_EQ(CRect(point.getX() - 4, point.getY() - 4, 8, 8), editor.getHandleArea(index - 1));
            }
        }
        text += "/";
        for (long index = -1; index < 5; ++index)
            text += " " + number(editor.getEnvelopeValue(index));
        return text;
    }

    CControlBench bench;
    CRecordingActionListener listener;
};

TEST_F(CADSREditorTest, theSizeAndTheSettingsLayOutTheFivePointsAndAResizeAppliesTheSettingsAgain)
{
    const struct
    {
        CSettings settings;
        CRect area; // the resize after the settings, if any
        const char* expected;
    } cases[] = {
        {{}, CRect(0, 0, 0, 0), "4,96 35,4 70,50 105,50 146,96 / 0 1 1 0.5 1 0"},
        {{{0, 0.0}}, CRect(0, 0, 0, 0), "4,96 4,4 39,50 74,50 115,96 / 0 0 1 0.5 1 0"},
        {{{1, 0.5}}, CRect(0, 0, 0, 0), "4,96 35,4 52,50 87,50 128,96 / 0 1 0.5 0.5 1 0"},
        {{{2, 1.0}}, CRect(0, 0, 0, 0), "4,96 35,4 70,4 105,4 146,96 / 0 1 1 1 1 0"},
        {{{2, 0.0}}, CRect(0, 0, 0, 0), "4,96 35,4 70,96 105,96 146,96 / 0 1 1 0 1 0"},
        {{{3, 0.5}}, CRect(0, 0, 0, 0), "4,96 35,4 70,50 105,50 124,96 / 0 1 1 0.5 0.5 0"},
        {{{3, 1.5}}, CRect(0, 0, 0, 0), "4,96 35,4 70,50 105,50 163,96 / 0 1 1 0.5 1.5 0"},
        {{{4, 0.3}, {-1, 0.3}}, CRect(0, 0, 0, 0), "4,96 35,4 70,50 105,50 146,96 / 0 1 1 0.5 1 0"},
        {{}, kArea, "4,96 35,4 70,50 105,50 144,96 / 0 1 1 0.5 1 0"},
        {{{0, 0.0}, {2, 0.25}, {3, 0.5}}, kArea, "4,96 4,4 39,73 74,73 93,96 / 0 0 1 0.25 0.5 0"},
        {{{1, 0.5}}, CRect(0, 0, 308, 208), "4,204 75,4 112,104 187,104 266,204 / 0 1 0.5 0.5 1 0"},
        {{}, CRect(0, 0, 60, 40), "4,36 13,4 26,20 39,20 56,36 / 0 1 1 0.5 1 0"},
        // Products are truncated: (1 - 0.8) x 200 is 39.999..., so the sustain sits at 43.
        {{{2, 0.8}}, CRect(0, 0, 150, 208), "4,204 35,4 70,43 105,43 144,204 / 0 1 1 0.8 1 0"},
    };
    for (const auto& test : cases)
    {
        CADSREditor& editor = add(kArea, test.settings);
        if (test.area.getWidth() > 0)
            editor.setArea(test.area);
        EXPECT_EQ(test.expected, envelope(editor));
    }
}

TEST_F(CADSREditorTest, aSettingOfNaNCountsAsZeroAndAHugeOneLeavesThePointOnItsOwnSideUntilTheNext)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct
    {
        long index;
        double value;
        const char* expected; // the envelope after the setting, then after a drag of the attack handle to x 35
    } cases[] = {
        {0, nan, "4,96 4,4 39,50 74,50 115,96 / 0 0 1 0.5 1 0|4,96 35,4 70,50 105,50 146,96 / 0 1 1 0.5 1 0"},
        {1, nan, "4,96 35,4 35,50 70,50 111,96 / 0 1 0 0.5 1 0|4,96 35,4 35,50 70,50 111,96 / 0 1 0 0.5 1 0"},
        {2, nan, "4,96 35,4 70,96 105,96 146,96 / 0 1 1 0 1 0|4,96 35,4 70,96 105,96 146,96 / 0 1 1 0 1 0"},
        {3, nan, "4,96 35,4 70,50 105,50 105,96 / 0 1 1 0.5 0 0|4,96 35,4 70,50 105,50 105,96 / 0 1 1 0.5 0 0"},
    };
    for (const auto& test : cases)
    {
        CADSREditor& editor = add(kArea, {{test.index, test.value}});
        const std::string set = envelope(editor);
        // Pressed at the attack point wherever it lies (the editor sits at 10, 10), then dragged to x 35.
        const long x = editor.getHandleArea(0).getLeft() + 14, y = editor.getHandleArea(0).getTop() + 14;
        playMouseScript(bench.window(), ("M" + std::to_string(x) + "," + std::to_string(y) + " D" +
                                         std::to_string(x) + "," + std::to_string(y) + " M45,14 U45,14")
                                            .c_str());
        EXPECT_EQ(test.expected, set + "|" + envelope(editor)) << test.index;
    }
    // Past what a pixel position holds the release point stays on its own side, and the next setting brings it back.
    for (double huge : {1e300, -1e300, std::numeric_limits<double>::infinity()})
    {
        CADSREditor& editor = add(kArea, {{3, huge}});
        const long release = editor.getEnvelope().getPoint(4)->getX();
        EXPECT_TRUE(huge > 0 ? release > 150 : release < 0) << huge << " gave " << release;
        EXPECT_EQ(huge, editor.getEnvelopeValue(3));
        editor.setEnvelopeValue(3, 0.5);
        EXPECT_EQ("4,96 35,4 70,50 105,50 124,96 / 0 1 1 0.5 0.5 0", envelope(editor)) << huge;
    }
}

TEST_F(CADSREditorTest, draggingAHandleMovesItsPointWithinItsStageAndReportsTheSetting)
{
    const struct
    {
        CRect area;
        CSettings settings;
        const char* script;
        const char* expected; // envelope, reports, selected handle, over and locked
    } cases[] = {
        {kArea, {}, "M45,14 D45,14 M0,14 U0,14", "4,96 4,4 39,50 74,50 115,96 / 0 0 1 0.5 1 0 1 -1 -"},
        {kArea, {}, "M45,14 D45,14 M200,14", "4,96 35,4 70,50 105,50 146,96 / 0 1 1 0.5 1 0 1 0 over"},
        {kArea, {}, "M115,60 D115,60 M115,-40", "4,96 35,4 70,4 105,4 146,96 / 0 1 1 1 1 0 1 2 over"},
        {kArea, {}, "M115,60 D115,60 M115,200 U60,60", "4,96 35,4 70,96 105,96 146,96 / 0 1 1 0 1 0 1 -1 over"},
        {kArea, {}, "M80,60 D80,60 M62,0", "4,96 35,4 52,50 87,50 128,96 / 0 1 0.4857 0.5 1 0 1 1 over"},
        {kArea, {}, "M80,60 D80,60 M0,0 M300,0", "4,96 35,4 70,50 105,50 146,96 / 0 1 1 0.5 1 0 2 1 over"},
        {kArea, {}, "M156,106 D156,106 M135,0", "4,96 35,4 70,50 105,50 125,96 / 0 1 1 0.5 0.5128 0 1 3 over"},
        // Where handles overlap the later one is taken: here decay's lies over attack's.
        {kArea,
         {{0, 0.0}, {1, 0.0}, {2, 1.0}},
         "M14,14 D14,14 M40,14",
         "4,96 4,4 30,4 65,4 106,96 / 0 0 0.7429 1 1 0 1 1 over"},
        // Off the handles a press selects none and the pointer only hovers.
        {kArea, {}, "D60,60 M100,60", "4,96 35,4 70,50 105,50 146,96 / 0 1 1 0.5 1 0 0 -1 over"},
        {kArea, {}, "M60,60 M300,300", "4,96 35,4 70,50 105,50 146,96 / 0 1 1 0.5 1 0 0 -1 -"},
        {kArea, {}, "M60,60 L0,0", "4,96 35,4 70,50 105,50 146,96 / 0 1 1 0.5 1 0 0 -1 -"},
        {kArea, {}, "M60,60 D45,14 L0,0", "4,96 35,4 70,50 105,50 146,96 / 0 1 1 0.5 1 0 0 0 over"},
        // Stages of no length keep their settings: attack 24 wide, sustain 8 high, release -8 wide (locked first).
        {CRect(10, 10, 24, 100), {}, "M14,14 D14,14 M12,14", "4,96 4,4 8,50 12,50 20,96 / 0 1 1 0.5 1 0 1 0 over"},
        {CRect(10, 10, 150, 8), {}, "M115,14 D115,14 M115,100", "4,4 35,4 70,4 105,4 146,4 / 0 1 1 0.5 1 0 1 2 over"},
        {CRect(10, 10, -8, 100), {}, "D-2,106 M300,106", "4,96 -4,4 -8,50 -12,50 -12,96 / 0 1 1 0.5 1 0 1 3 -"},
    };
    for (const auto& test : cases)
    {
        CADSREditor& editor = add(test.area, test.settings);
        if (test.area.getWidth() < 0)
            bench.root().lockControl(&editor);
        playMouseScript(bench.window(), test.script);
        EXPECT_EQ(test.expected, envelope(editor) + " " + std::to_string(listener.controls.size()) + " " +
                                     std::to_string(editor.getSelectedHandle()) + (editor.isOver() ? " over" : " -"))
            << test.script << " " << rectText(test.area);
        EXPECT_EQ(editor.isOver() || test.area.getWidth() < 0, bench.root().getLockedControl() == &editor);
    }
}

TEST_F(CADSREditorTest, theEnvelopeIsFilledAndTheHandlesShowOnlyWhileHoveredOrPressed)
{
    const struct
    {
        const char* script;
        bool enabled;
        const char* expected; // attack handle's corner, decay handle's corner, filled
    } cases[] = {
        {"", true, "255,255,255 255,255,255 filled"},
        {"M60,60", true, "239,149,41 239,149,41 filled"},
        {"D45,14", true, "153,116,188 239,149,41 filled"},
        {"M60,60 D45,14 U45,14", true, "239,149,41 239,149,41 filled"},
        {"M60,60 M300,300", true, "255,255,255 255,255,255 filled"},
        {"M60,60", false, "255,255,255 255,255,255 -"},
    };
    for (const auto& test : cases)
    {
        CADSREditor& editor = add(kArea);
        if (!test.enabled)
            editor.disable();
        playMouseScript(bench.window(), test.script);
        COffscreenCanvas canvas(200, 150);
        canvas.draw(bench.root());
        const CPixels pixels = canvas.pixels();
        // The attack handle's top left corner (31, 0), the decay handle's top right one (73, 46), a point inside
        // the envelope (70, 80) and one outside it (5, 10).
        EXPECT_EQ(test.expected, pixels.rgb(41, 10) + " " + pixels.rgb(83, 56) +
                                     (pixels.rgb(80, 90) != "255,255,255" ? " filled" : " -"))
            << test.script;
        EXPECT_EQ("255,255,255", pixels.rgb(15, 20));
    }
}

TEST_F(CADSREditorTest, theColoursTravelThroughTheLayoutAndOnlyAsColours)
{
    CADSREditor source(&bench.root(), 1, kArea, nullptr);
    CADSREditor copy(&bench.root(), 2, kArea, nullptr);
    expectPropertiesTravel(source, copy, 12,
                           "Line Colour=53,140,222,255|Poly Colour=46,82,115,64|Handle Colour=153,116,188,255|"
                           "Sel Handle Colour=239,149,41,255",
                           "Line Colour=1,2,3,4|Poly Colour=5,6,7,8|Handle Colour=9,8,7,6|Sel Handle Colour=5,4,3,2");
}
} // namespace
