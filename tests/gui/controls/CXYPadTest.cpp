// CXYPad and CModulatedXYPad driven through their root: where a new puck sits, the press and drag arithmetic with
// Shift and Ctrl, hover, lock and state colours, pads without travel, pictures sizing the puck, and the handle.
#include "gui/controls/CModulatedXYPad.hpp"

#include "foundation/basics/CLong.hpp"
#include "gui/controls/CXYPad.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CImageManager.hpp"
#include "tests/gui/CControlTestKit.hpp"
#include "tests/gui/core/CImageManagerFixture.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CString;
using Brivant::GUI::Controls::CControlDescriptor;
using Brivant::GUI::Controls::CModulatedXYPad;
using Brivant::GUI::Controls::CXYPad;
using Brivant::GUI::Graphics::CImageManager;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

const std::string kWhite = "255,255,255", kPurple = "153,116,188", kOrange = "239,149,41", kRed = "243,32,32",
                  kPink = "226,74,160";
// Pads sit away from the root's origin, so every position below is made local by the root.
const long kLeft = 20, kTop = 30;

class CXYPadTest : public CImageManagerFixture
{
protected:
    template <class TPad>
    TPad* add(long width, long height)
    {
        auto* pad = new TPad(&bench.root(), 1, CRect(kLeft, kTop, width, height), &listener);
        bench.root().addControl(pad);
        return pad;
    }
    void mouse(long kind, long x, long y, int modifiers = kNoModifier)
    {
        bench.mouse(kind, kLeft + x, kTop + y, modifiers);
    }
    // What the pad shows, in its own coordinates: the bounds of every colour that is not white, and one pixel.
    std::string ink()
    {
        COffscreenCanvas canvas(300, 300);
        canvas.draw(bench.root());
        CRect bounds = canvas.pixels().inkBounds(kWhite);
        bounds.offset(Brivant::MathTools::CPoint(-kLeft, -kTop));
        return rectText(bounds);
    }
    std::string colourAt(long x, long y)
    {
        COffscreenCanvas canvas(300, 300);
        canvas.draw(bench.root());
        return canvas.rgb(kLeft + x, kTop + y);
    }
    void writeImage(const char* name, unsigned short width, unsigned short height, const SPixel& pixel)
    {
        const std::string fileName = std::string(name) + ".tga";
        CTemporaryFolder::writeBytes(file(fileName),
                                     targaFile(width, height, std::vector<SPixel>(size_t(width) * height, pixel)));
        CImageManager::addImage(CString("{}"), CString(fileName.c_str()), CString(name));
    }

    CControlBench bench{300, 300};
    CRecordingActionListener listener;
};

TEST_F(CXYPadTest, aNewPadShowsItsPuckWhereTheValuesItReportsPutIt)
{
    const struct
    {
        long width, height;
        CRect puck;
    } cases[] = {{200, 200, CRect(180, 180, 20, 20)}, {120, 60, CRect(108, 54, 12, 6)}};
    for (const auto& test : cases)
    {
        bench.root().clearControls();
        CXYPad* pad = add<CXYPad>(test.width, test.height);
        EXPECT_EQ(1.0, pad->getXValue());
        EXPECT_EQ(0.0, pad->getYValue());
        EXPECT_EQ(rectText(test.puck), ink()) << test.width;
        EXPECT_EQ(kPurple, colourAt(test.puck.getLeft() + 3, test.puck.getTop() + 3));
    }
}

TEST_F(CXYPadTest, pressAndDragPlaceThePuckShiftMovingOnlyYAndCtrlOnlyX)
{
    const struct
    {
        long pressX, pressY;
        int pressModifiers;
        double pressedX, pressedY;
        long dragX, dragY;
        int dragModifiers;
        double draggedX, draggedY;
    } cases[] = {
        {100, 100, kNoModifier, 0.5, 0.5, 145, 55, kNoModifier, 0.75, 0.75},
        {195, 5, kNoModifier, 1.0, 1.0, 0, 300, kNoModifier, 0.0, 0.0},  // clamped on both edges
        {100, 100, kShift, 1.0, 0.5, 0, 10, kShift, 1.0, 1.0},           // the puck starts at (180, 180)
        {100, 100, kCtrl, 0.5, 0.0, 10, 10, kCtrl, 0.0, 0.0},
        {100, 100, kShift | kCtrl, 1.0, 0.5, 10, 10, kShift | kCtrl, 1.0, 1.0},
        {100, 100, kShift, 1.0, 0.5, 55, 145, kNoModifier, 0.75, 0.25}, // grab offset (-80, 10)
    };
    for (const auto& test : cases)
    {
        bench.root().clearControls();
        listener.controls.clear();
        CXYPad* pad = add<CXYPad>(200, 200);
        mouse(CMouseEvent::kLeftButtonDown, test.pressX, test.pressY, test.pressModifiers);
        EXPECT_DOUBLE_EQ(test.pressedX, pad->getXValue()) << test.pressX << "," << test.pressModifiers;
        EXPECT_DOUBLE_EQ(test.pressedY, pad->getYValue()) << test.pressX << "," << test.pressModifiers;
        EXPECT_EQ(pad, bench.root().getLockedControl());
        mouse(CMouseEvent::kMouseMove, test.dragX, test.dragY, test.dragModifiers);
        EXPECT_DOUBLE_EQ(test.draggedX, pad->getXValue()) << test.dragX << "," << test.dragModifiers;
        EXPECT_DOUBLE_EQ(test.draggedY, pad->getYValue()) << test.dragX << "," << test.dragModifiers;
        mouse(CMouseEvent::kLeftButtonUp, test.dragX, test.dragY);
        EXPECT_EQ(std::vector<IControl*>(2, pad), listener.controls);
    }
}

TEST_F(CXYPadTest, thePuckShowsItsStateAndStaysLockedWhileThePointerIsOnIt)
{
    CXYPad* pad = add<CXYPad>(200, 200);
    const struct
    {
        long kind, x, y;
        bool locked;
        std::string centre; // of the puck, which the press put at (90, 90)
    } steps[] = {
        {CMouseEvent::kLeftButtonDown, 100, 100, true, kRed},
        {CMouseEvent::kLeftButtonUp, 100, 100, true, kOrange},
        {CMouseEvent::kMouseMove, 110, 110, true, kOrange}, // edges are on the puck
        {CMouseEvent::kMouseMove, 150, 150, false, kPurple},
        {CMouseEvent::kLeftButtonDown, 100, 100, true, kRed},
        {CMouseEvent::kLeftButtonUp, 150, 150, false, kPurple},
        {CMouseEvent::kDoubleClick, 3, 3, false, kPurple},
    };
    for (const auto& step : steps)
    {
        mouse(step.kind, step.x, step.y);
        EXPECT_EQ(step.locked, bench.root().getLockedControl() == pad) << step.kind << " " << step.x;
        EXPECT_EQ(step.centre, colourAt(100, 100)) << step.kind << " " << step.x;
    }
    // Two presses told the listener; the release and the double click, which centred the puck, did not.
    EXPECT_EQ(2u, listener.controls.size());
    EXPECT_EQ(0.5, pad->getXValue());
    EXPECT_EQ(0.5, pad->getYValue());
}

TEST_F(CXYPadTest, aPuckAsLargeAsThePadOrLargerReadsXZeroAndYOne)
{
    writeImage("same", 40, 40, {0, 200, 0, 255});
    writeImage("larger", 60, 60, {0, 200, 0, 255});
    for (const char* image : {"same", "larger"})
        for (int modifiers : {kNoModifier, kShift, kCtrl})
        {
            bench.root().clearControls();
            CXYPad* pad = add<CXYPad>(40, 40);
            const CControlDescriptor off(CString("Off Image"), CControlDescriptor::kImage, new CString(image));
            ASSERT_TRUE(pad->applyDescriptor(off));
            mouse(CMouseEvent::kLeftButtonDown, 20, 20, modifiers);
            EXPECT_EQ(0.0, pad->getXValue()) << image << modifiers;
            EXPECT_EQ(1.0, pad->getYValue()) << image << modifiers;
            mouse(CMouseEvent::kMouseMove, 35, 5, modifiers);
            EXPECT_EQ(0.0, pad->getXValue()) << image << modifiers;
            EXPECT_EQ(1.0, pad->getYValue()) << image << modifiers;
        }
}

TEST_F(CXYPadTest, pictureAndColourPropertiesSizeAndPaintThePuck)
{
    writeImage("puck", 30, 40, {0, 200, 0, 255});
    CXYPad* pad = add<CXYPad>(200, 200);
    const struct
    {
        const char* name;
        Brivant::Basics::ICountedObject* value;
        bool applied;
    } cases[] = {{"Off Image", new CString("puck"), true},
                 {"Off Colour", new CString("puck"), false},
                 {"Over Image", new Brivant::Basics::CLong(1), false},
                 {"Down Colour", new CAlphaColour(1, 2, 3, 255), true},
                 {"Down Image", new CString("unknown"), true}};
    for (const auto& test : cases)
        EXPECT_EQ(test.applied, pad->applyDescriptor(CControlDescriptor(CString(test.name), 0, test.value)))
            << test.name;
    // Travels 170 by 160: a press at (100, 100) puts the puck at (85, 80), the middle of both.
    mouse(CMouseEvent::kLeftButtonDown, 100, 100);
    EXPECT_DOUBLE_EQ(0.5, pad->getXValue());
    EXPECT_DOUBLE_EQ(0.5, pad->getYValue());
    EXPECT_EQ("85,80,30,40", ink());
    // Without a down picture the off picture stands in.
    EXPECT_EQ("0,200,0", colourAt(90, 90));
    mouse(CMouseEvent::kLeftButtonDown, 5, 195);
    EXPECT_DOUBLE_EQ(0.0, pad->getXValue());
    EXPECT_DOUBLE_EQ(0.0, pad->getYValue());
    CControlDescriptor colour(CString("Down Colour"), CControlDescriptor::kColour, nullptr);
    ASSERT_TRUE(pad->fillDescriptor(colour));
    EXPECT_EQ(CAlphaColour(1, 2, 3, 255), *dynamic_cast<CAlphaColour*>(colour.getValue()));
}

TEST_F(CXYPadTest, theModulationHandleMovesWithProgramValuesAndAloneWithModulation)
{
    CModulatedXYPad* pad = add<CModulatedXYPad>(200, 200);
    const struct
    {
        std::function<void()> act;
        long handleX, handleY; // where pink shows, or -1 where it shows nowhere
        double x, y;
    } steps[] = {
        {[] {}, -1, -1, 1.0, 0.0}, // under the puck
        {[pad] { pad->setModulationValues(0.5, 0.25); }, 90, 135, 1.0, 0.0},
        {[pad] { pad->setXValue(0.25); }, 45, 135, 0.25, 0.0},
        {[pad] { pad->setXValue(1.5); }, -1, -1, 0.25, 0.0}, // the handle leaves the pad, the puck stays
        {[pad] { pad->setModulationValues(1.0, 1.0); }, 180, 0, 0.25, 0.0},
        {[this] { mouse(CMouseEvent::kDoubleClick, 3, 3); }, -1, -1, 0.5, 0.5},
    };
    for (const auto& step : steps)
    {
        step.act();
        EXPECT_EQ(step.x, pad->getXValue());
        EXPECT_EQ(step.y, pad->getYValue());
        COffscreenCanvas canvas(300, 300);
        canvas.draw(bench.root());
        const CPixels pixels = canvas.pixels();
        if (step.handleX < 0)
            EXPECT_EQ(0, pixels.countAll(kPink)) << step.handleX;
        else
            EXPECT_EQ(18 * 18, pixels.count(kLeft + step.handleX + 1, kTop + step.handleY + 1, 18, 18, kPink))
                << step.handleX << "," << step.handleY;
    }
    writeImage("handle", 4, 4, {0, 0, 200, 255});
    pad->setModulationValues(0.0, 1.0);
    ASSERT_TRUE(pad->applyDescriptor(CControlDescriptor(CString("Mod Handle Image"), 1, new CString("handle"))));
    EXPECT_EQ("200,0,0", colourAt(10, 10));
}
} // namespace
