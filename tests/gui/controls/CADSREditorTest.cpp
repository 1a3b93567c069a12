// CADSREditor: the envelope points a size and the settings lay out, what dragging each handle does to the points
// and the settings, the hover, press and lock, editors too small to divide by, the looks in pixels and the
// properties.
#include "gui/controls/CADSREditor.hpp"

#include "foundation/basics/CBool.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "tests/gui/controls/CControlScript.hpp"

#include <gtest/gtest.h>

#include <utility>

namespace
{
using Brivant::Basics::CBool;
using Brivant::Basics::CString;
using Brivant::GUI::Controls::CADSREditor;
using Brivant::GUI::Controls::CControlDescriptor;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

const CRect kArea(10, 10, 150, 100);

std::string pointsText(const CADSREditor& editor)
{
    std::string text;
    for (long index = 0; index < 5; ++index)
        text += (index > 0 ? " " : "") + positionText(*editor.getEnvelope().getPoint(index));
    return text;
}

std::string valuesText(const CADSREditor& editor)
{
    std::string text;
    for (long index = -1; index < 5; ++index)
        text += std::to_string(editor.getEnvelopeValue(index)).substr(0, 5) + " ";
    return text;
}

class CADSREditorTest : public ::testing::Test
{
protected:
    CADSREditor& add(const CRect& area, std::initializer_list<std::pair<long, double>> settings = {})
    {
        bench.root().clearControls();
        listener.controls.clear();
        auto* editor = new CADSREditor(&bench.root(), 1, area, &listener);
        bench.root().addControl(editor);
        for (const auto& setting : settings)
            editor->setEnvelopeValue(setting.first, setting.second);
        return *editor;
    }

    // Each handle is an 8 by 8 square centred on its point.
    static void expectHandlesOnPoints(const CADSREditor& editor)
    {
        for (long index = 0; index < 4; ++index)
        {
            const auto& point = *editor.getEnvelope().getPoint(index + 1);
            EXPECT_EQ(CRect(point.getX() - 4, point.getY() - 4, 8, 8), editor.getHandleArea(index)) << index;
        }
    }

    CControlBench bench;
    CRecordingActionListener listener;
};

TEST_F(CADSREditorTest, theSizeAndTheSettingsLayOutTheFivePoints)
{
    const struct
    {
        CRect area;
        std::initializer_list<std::pair<long, double>> settings;
        const char* points;
        const char* values; // indices -1 to 4
    } cases[] = {
        {kArea, {}, "4,96 35,4 70,50 105,50 146,96", "0.000 1.000 1.000 0.500 1.000 0.000 "},
        {kArea, {{0, 0.0}}, "4,96 4,4 39,50 74,50 115,96", "0.000 0.000 1.000 0.500 1.000 0.000 "},
        {kArea, {{1, 0.5}}, "4,96 35,4 52,50 87,50 128,96", "0.000 1.000 0.500 0.500 1.000 0.000 "},
        {kArea, {{2, 1.0}}, "4,96 35,4 70,4 105,4 146,96", "0.000 1.000 1.000 1.000 1.000 0.000 "},
        {kArea, {{2, 0.0}}, "4,96 35,4 70,96 105,96 146,96", "0.000 1.000 1.000 0.000 1.000 0.000 "},
        {kArea, {{3, 0.5}}, "4,96 35,4 70,50 105,50 124,96", "0.000 1.000 1.000 0.500 0.500 0.000 "},
        {kArea, {{3, 1.5}}, "4,96 35,4 70,50 105,50 163,96", "0.000 1.000 1.000 0.500 1.500 0.000 "},
        {kArea, {{4, 0.3}, {-1, 0.3}}, "4,96 35,4 70,50 105,50 146,96", "0.000 1.000 1.000 0.500 1.000 0.000 "},
        {CRect(0, 0, 60, 40), {}, "4,36 13,4 26,20 39,20 56,36", "0.000 1.000 1.000 0.500 1.000 0.000 "},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.points);
        const CADSREditor& editor = add(test.area, test.settings);
        EXPECT_EQ(test.points, pointsText(editor));
        EXPECT_EQ(test.values, valuesText(editor));
        expectHandlesOnPoints(editor);
    }
}

TEST_F(CADSREditorTest, aResizeLaysThePointsOutAgainWithTheSettingsApplied)
{
    const struct
    {
        std::initializer_list<std::pair<long, double>> settings;
        CRect area;
        const char* points;
    } cases[] = {
        {{}, kArea, "4,96 35,4 70,50 105,50 144,96"},
        {{{0, 0.0}, {2, 0.25}, {3, 0.5}}, kArea, "4,96 4,4 39,73 74,73 93,96"},
        {{{1, 0.5}}, CRect(0, 0, 308, 208), "4,204 75,4 112,104 187,104 266,204"},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.points);
        CADSREditor& editor = add(kArea, test.settings);
        editor.setArea(test.area);
        EXPECT_EQ(test.points, pointsText(editor));
        expectHandlesOnPoints(editor);
    }
}

TEST_F(CADSREditorTest, draggingAHandleMovesItsPointWithinItsStageAndReportsTheSetting)
{
    const struct
    {
        CRect area;
        std::initializer_list<std::pair<long, double>> settings;
        const char* script;
        const char* points;
        const char* values;
        size_t reports;
        long selected;
        bool over;
        bool locked;
    } cases[] = {
        {kArea,
         {},
         "M45,14 D45,14 M0,14 U0,14",
         "4,96 4,4 39,50 74,50 115,96",
         "0.000 0.000 1.000 0.500 1.000 0.000 ",
         1,
         -1,
         false,
         false},
        {kArea,
         {},
         "M45,14 D45,14 M200,14",
         "4,96 35,4 70,50 105,50 146,96",
         "0.000 1.000 1.000 0.500 1.000 0.000 ",
         1,
         0,
         true,
         true},
        {kArea,
         {},
         "M115,60 D115,60 M115,-40",
         "4,96 35,4 70,4 105,4 146,96",
         "0.000 1.000 1.000 1.000 1.000 0.000 ",
         1,
         2,
         true,
         true},
        {kArea,
         {},
         "M115,60 D115,60 M115,200 U60,60",
         "4,96 35,4 70,96 105,96 146,96",
         "0.000 1.000 1.000 0.000 1.000 0.000 ",
         1,
         -1,
         true,
         true},
        {kArea,
         {},
         "M80,60 D80,60 M62,0",
         "4,96 35,4 52,50 87,50 128,96",
         "0.000 1.000 0.485 0.500 1.000 0.000 ",
         1,
         1,
         true,
         true},
        {kArea,
         {},
         "M80,60 D80,60 M0,0 M300,0",
         "4,96 35,4 70,50 105,50 146,96",
         "0.000 1.000 1.000 0.500 1.000 0.000 ",
         2,
         1,
         true,
         true},
        {kArea,
         {},
         "M156,106 D156,106 M135,0",
         "4,96 35,4 70,50 105,50 125,96",
         "0.000 1.000 1.000 0.500 0.512 0.000 ",
         1,
         3,
         true,
         true},
        // Where handles overlap the later one is taken: here decay's lies over attack's.
        {kArea,
         {{0, 0.0}, {1, 0.0}, {2, 1.0}},
         "M14,14 D14,14 M40,14",
         "4,96 4,4 30,4 65,4 106,96",
         "0.000 0.000 0.742 1.000 1.000 0.000 ",
         1,
         1,
         true,
         true},
        // Off the handles a press selects none and the pointer only hovers.
        {kArea,
         {},
         "D60,60 M100,60",
         "4,96 35,4 70,50 105,50 146,96",
         "0.000 1.000 1.000 0.500 1.000 0.000 ",
         0,
         -1,
         true,
         true},
        {kArea,
         {},
         "M60,60",
         "4,96 35,4 70,50 105,50 146,96",
         "0.000 1.000 1.000 0.500 1.000 0.000 ",
         0,
         -1,
         true,
         true},
        {kArea,
         {},
         "M60,60 M300,300",
         "4,96 35,4 70,50 105,50 146,96",
         "0.000 1.000 1.000 0.500 1.000 0.000 ",
         0,
         -1,
         false,
         false},
        {kArea,
         {},
         "M60,60 L0,0",
         "4,96 35,4 70,50 105,50 146,96",
         "0.000 1.000 1.000 0.500 1.000 0.000 ",
         0,
         -1,
         false,
         false},
        {kArea,
         {},
         "M60,60 D45,14 L0,0",
         "4,96 35,4 70,50 105,50 146,96",
         "0.000 1.000 1.000 0.500 1.000 0.000 ",
         0,
         0,
         true,
         true},
        // Stages of no length keep their settings: attack in an editor 24 wide, sustain in one 8 high, release in
        // one -8 wide (reached through the lock).
        {CRect(10, 10, 24, 100),
         {},
         "M14,14 D14,14 M12,14",
         "4,96 4,4 8,50 12,50 20,96",
         "0.000 1.000 1.000 0.500 1.000 0.000 ",
         1,
         0,
         true,
         true},
        {CRect(10, 10, 150, 8),
         {},
         "M115,14 D115,14 M115,100",
         "4,4 35,4 70,4 105,4 146,4",
         "0.000 1.000 1.000 0.500 1.000 0.000 ",
         1,
         2,
         true,
         true},
        {CRect(10, 10, -8, 100),
         {},
         "D-2,106 M300,106",
         "4,96 -4,4 -8,50 -12,50 -12,96",
         "0.000 1.000 1.000 0.500 1.000 0.000 ",
         1,
         3,
         false,
         true},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(std::string(test.script) + " " + rectText(test.area));
        CADSREditor& editor = add(test.area, test.settings);
        if (test.area.getWidth() < 0)
            bench.root().lockControl(&editor);
        playMouseScript(bench.window(), test.script);
        EXPECT_EQ(test.points, pointsText(editor));
        EXPECT_EQ(test.values, valuesText(editor));
        EXPECT_EQ(std::vector<IControl*>(test.reports, &editor), listener.controls);
        EXPECT_EQ(test.selected, editor.getSelectedHandle());
        EXPECT_EQ(test.over, editor.isOver());
        EXPECT_EQ(test.locked ? &editor : nullptr, bench.root().getLockedControl());
        expectHandlesOnPoints(editor);
    }
}

TEST_F(CADSREditorTest, theEnvelopeIsFilledAndTheHandlesShowOnlyWhileHoveredOrPressed)
{
    const struct
    {
        const char* script;
        bool enabled;
        const char* attackHandle;
        const char* decayHandle;
        bool filled;
    } cases[] = {
        {"", true, "255,255,255", "255,255,255", true},
        {"M60,60", true, "239,149,41", "239,149,41", true},
        {"D45,14", true, "153,116,188", "239,149,41", true},
        {"M60,60 D45,14 U45,14", true, "239,149,41", "239,149,41", true},
        {"M60,60 M300,300", true, "255,255,255", "255,255,255", true},
        {"M60,60", false, "255,255,255", "255,255,255", false},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.script);
        CADSREditor& editor = add(kArea);
        if (!test.enabled)
            editor.disable();
        playMouseScript(bench.window(), test.script);
        COffscreenCanvas canvas(200, 150);
        canvas.draw(bench.root());
        const CPixels pixels = canvas.pixels();
        // The top left corner of the attack handle, at (31, 0), and the top right one of the decay handle, at
        // (73, 46).
        EXPECT_EQ(test.attackHandle, pixels.rgb(41, 10));
        EXPECT_EQ(test.decayHandle, pixels.rgb(83, 56));
        EXPECT_EQ(test.filled, pixels.rgb(80, 90) != "255,255,255");
        EXPECT_EQ("255,255,255", pixels.rgb(15, 20)); // outside the envelope
    }
}

TEST_F(CADSREditorTest, theColoursTravelThroughTheLayoutAndValuesOfAnotherClassAreRefused)
{
    CADSREditor& source = add(kArea);
    EXPECT_EQ(std::vector<std::string>({"Line Colour=53,140,222,255", "Poly Colour=46,82,115,64",
                                        "Handle Colour=153,116,188,255", "Sel Handle Colour=239,149,41,255"}),
              propertyTexts(source, 12));
    CADSREditor copy(&bench.root(), 2, kArea, nullptr);
    ASSERT_TRUE(readChangedLayout(source, copy,
                                  {{"Line Colour", "1,2,3,4"},
                                   {"Poly Colour", "5,6,7,8"},
                                   {"Handle Colour", "9,8,7,6"},
                                   {"Sel Handle Colour", "5,4,3,2"}}));
    const std::vector<std::string> taken = {"Line Colour=1,2,3,4", "Poly Colour=5,6,7,8", "Handle Colour=9,8,7,6",
                                            "Sel Handle Colour=5,4,3,2"};
    EXPECT_EQ(taken, propertyTexts(copy, 12));
    EXPECT_FALSE(copy.applyDescriptor(CControlDescriptor(CString("Poly Colour"), 2, new CBool(true))));
    EXPECT_EQ(taken, propertyTexts(copy, 12));
}
} // namespace
