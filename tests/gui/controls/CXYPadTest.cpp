// CXYPad and CModulatedXYPad through their root: where a new puck sits, press and drag with Shift and Ctrl, the
// lock, pads without travel, the picture sizing the puck, and the modulation handle.
#include "gui/controls/CModulatedXYPad.hpp"

#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CImageManager.hpp"
#include "tests/gui/CGuiTestKit.hpp"
#include "tests/gui/core/CImageManagerFixture.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace
{
using Brivant::Basics::CString;
using Brivant::GUI::Controls::CControlDescriptor;
using Brivant::GUI::Controls::CModulatedXYPad;
using Brivant::GUI::Controls::CXYPad;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

// Pads sit at (20, 30): the root makes the mouse positions below local; pixels are read in the root's coordinates.
class CXYPadTest : public CImageManagerFixture
{
protected:
    template <class TPad = CXYPad>
    TPad* add(long size)
    {
        bench.root().clearControls();
        listener.controls.clear();
        auto* pad = new TPad(&bench.root(), 1, CRect(20, 30, size, size), &listener);
        bench.root().addControl(pad);
        return pad;
    }
    void mouse(long kind, long x, long y, int keys = kNoModifier) { bench.mouse(kind, 20 + x, 30 + y, keys); }
    CPixels paint()
    {
        COffscreenCanvas canvas(300, 300);
        canvas.draw(bench.root());
        return canvas.pixels();
    }
    std::string puck() { return rectText(paint().inkBounds("255,255,255")); } // in the root's coordinates
    void image(const char* name, unsigned short width, unsigned short height) // shows 7,8,9
    {
        writeTarga(std::string(name) + ".tga", width, height);
        Brivant::GUI::Graphics::CImageManager::addImage(CString("{}"), CString((name + std::string(".tga")).c_str()),
                                                        CString(name));
    }

    CControlBench bench{300, 300};
    CRecordingActionListener listener;
};

TEST_F(CXYPadTest, aNewPadShowsItsPuckWhereTheValuesItReportsPutIt)
{
    for (long size : {200L, 120L})
    {
        CXYPad* pad = add(size);
        EXPECT_EQ(1.0, pad->getXValue());
        EXPECT_EQ(0.0, pad->getYValue());
        EXPECT_EQ(rectText(CRect(20 + size * 9 / 10, 30 + size * 9 / 10, size / 10, size / 10)), puck());
        EXPECT_EQ("153,116,188", paint().rgb(20 + size - 5, 30 + size - 5));
    }
}

TEST_F(CXYPadTest, pressAndDragPlaceThePuckWithShiftMovingOnlyYAndCtrlOnlyX)
{
    const struct
    {
        long pressX, pressY, pressKeys;
        double pressedX, pressedY;
        long dragX, dragY, dragKeys;
        double draggedX, draggedY;
        bool lockedAfterRelease; // there, on the puck
    } cases[] = {{100, 100, kNoModifier, 0.5, 0.5, 145, 55, kNoModifier, 0.75, 0.75, true},
                 {195, 5, kNoModifier, 1.0, 1.0, 0, 300, kNoModifier, 0.0, 0.0, false}, // held in on each edge
                 {100, 100, kShift, 1.0, 0.5, 0, 10, kShift, 1.0, 1.0, false},          // from (180, 180)
                 {100, 100, kCtrl, 0.5, 0.0, 10, 10, kCtrl, 0.0, 0.0, false},
                 {100, 100, kShift | kCtrl, 1.0, 0.5, 10, 10, kShift | kCtrl, 1.0, 1.0, false},
                 {100, 100, kShift, 1.0, 0.5, 55, 145, kNoModifier, 0.75, 0.25, false}}; // grabbed at (-80, 10)
    for (const auto& test : cases)
    {
        CXYPad* pad = add(200);
        mouse(CMouseEvent::kLeftButtonDown, test.pressX, test.pressY, static_cast<int>(test.pressKeys));
        EXPECT_DOUBLE_EQ(test.pressedX, pad->getXValue()) << test.pressX << " keys " << test.pressKeys;
        EXPECT_DOUBLE_EQ(test.pressedY, pad->getYValue()) << test.pressX << " keys " << test.pressKeys;
        EXPECT_EQ(pad, bench.root().getLockedControl());
        mouse(CMouseEvent::kMouseMove, test.dragX, test.dragY, static_cast<int>(test.dragKeys));
        EXPECT_DOUBLE_EQ(test.draggedX, pad->getXValue()) << test.dragX << " keys " << test.dragKeys;
        EXPECT_DOUBLE_EQ(test.draggedY, pad->getYValue()) << test.dragX << " keys " << test.dragKeys;
        const long left = static_cast<long>(test.draggedX * 180), top = static_cast<long>((1 - test.draggedY) * 180);
        EXPECT_EQ("243,32,32", paint().rgb(20 + left + 5, 30 + top + 5)); // the down colour
        mouse(CMouseEvent::kLeftButtonUp, test.dragX, test.dragY);
        EXPECT_EQ(test.lockedAfterRelease, bench.root().isControlLocked()) << test.dragX;
        EXPECT_EQ(test.lockedAfterRelease ? "239,149,41" : "153,116,188", paint().rgb(20 + left + 5, 30 + top + 5));
        mouse(CMouseEvent::kMouseMove, 199, 199);
        EXPECT_FALSE(bench.root().isControlLocked()) << test.dragX; // unless the puck is there
        EXPECT_EQ(std::vector<IControl*>(2, pad), listener.controls); // not on the release
    }
}

TEST_F(CXYPadTest, theOffPictureSizesThePuckAndAPuckWithoutTravelReadsXZeroAndYOne)
{
    image("puck", 30, 40);
    image("same", 40, 40);
    image("larger", 60, 60);
    const struct
    {
        long size, keys;
        const char* picture;
        double x, y; // after a press at the middle, then x after a move to (size - 5, 5)
        const char* shown;
        double movedX;
    } cases[] = {{200, kNoModifier, "puck", 0.5, 0.5, "105,110,30,40", 1.0}, // travels of 170 and 160
                 {40, kNoModifier, "same", 0.0, 1.0, "20,30,40,40", 0.0},
                 {40, kShift, "same", 0.0, 1.0, "20,30,40,40", 0.0},
                 {40, kCtrl, "larger", 0.0, 1.0, "20,30,40,40", 0.0}};
    for (const auto& test : cases)
    {
        CXYPad* pad = add(test.size);
        ASSERT_TRUE(pad->applyDescriptor(CControlDescriptor(CString("Off Image"), 1, new CString(test.picture))));
        EXPECT_FALSE(pad->applyDescriptor(CControlDescriptor(CString("Off Colour"), 2, new CString("red"))));
        const int keys = static_cast<int>(test.keys);
        mouse(CMouseEvent::kLeftButtonDown, test.size / 2, test.size / 2, keys);
        EXPECT_DOUBLE_EQ(test.x, pad->getXValue()) << test.picture << " keys " << test.keys;
        EXPECT_DOUBLE_EQ(test.y, pad->getYValue()) << test.picture << " keys " << test.keys;
        EXPECT_EQ(test.shown, puck()) << test.picture;
        EXPECT_EQ("7,8,9", paint().rgb(20 + test.size / 2, 30 + test.size / 2)); // the off picture, standing in
        mouse(CMouseEvent::kMouseMove, test.size - 5, 5, keys);
        EXPECT_DOUBLE_EQ(test.movedX, pad->getXValue()) << test.picture << " keys " << test.keys;
        EXPECT_DOUBLE_EQ(1.0, pad->getYValue()) << test.picture << " keys " << test.keys;
    }
}

TEST_F(CXYPadTest, theModulationHandleFollowsProgramValuesAndModulationButNeverTheUser)
{
    auto* pad = add<CModulatedXYPad>(200);
    const struct
    {
        std::function<void()> act;
        long handleX, handleY; // -1: no pink anywhere
        double x, y;
    } steps[] = {{[] {}, -1, -1, 1.0, 0.0}, // under the puck
                 {[pad] { pad->setModulationValues(0.5, 0.25); }, 90, 135, 1.0, 0.0},
                 {[this] { mouse(CMouseEvent::kLeftButtonDown, 10, 10); }, 90, 135, 0.0, 1.0},
                 {[pad] { pad->setXValue(0.25); }, 45, 135, 0.25, 1.0},
                 {[pad] { pad->setXValue(1.5); }, 180, 135, 0.25, 1.0}, // the handle held at the edge, the puck stays
                 {[this] { mouse(CMouseEvent::kDoubleClick, 3, 3); }, -1, -1, 0.5, 0.5}};
    for (const auto& step : steps)
    {
        step.act();
        EXPECT_EQ(step.x, pad->getXValue());
        EXPECT_EQ(step.y, pad->getYValue());
        const CPixels pixels = paint();
        const long expected = step.handleX < 0 ? 0 : 18 * 18;
        EXPECT_EQ(expected, pixels.count(21 + std::max(step.handleX, 0L), 31 + std::max(step.handleY, 0L), 18, 18,
                                         "226,74,160"));
        EXPECT_EQ(expected, pixels.countAll("226,74,160")) << step.handleX;
    }
    EXPECT_EQ(1u, listener.controls.size()); // the press; the double click centres unreported
    image("handle", 20, 20);
    ASSERT_TRUE(pad->applyDescriptor(CControlDescriptor(CString("Mod Handle Image"), 1, new CString("handle"))));
    pad->setModulationValues(0.0, 1.0);
    EXPECT_EQ("7,8,9", paint().rgb(30, 40));
}

TEST_F(CXYPadTest, aNaNValueCountsAsZeroAndEveryPlaceComesFromAValueHeldTo0To1)
{
    const double nan = std::numeric_limits<double>::quiet_NaN(), infinity = std::numeric_limits<double>::infinity();
    // From x 0.25 and y 0.75 (the puck at 45, 45), the value on both axes: the pad's values and puck; the
    // modulated pad's handle after setModulationValues, then whether it still shows after setXValue and setYValue.
    const struct
    {
        double value;
        double x, y;
        const char* puck;
        long handleX, handleY;
        bool handleShows; // a NaN puck lands on the handle
    } cases[] = {{nan, 0.0, 0.0, "20,210,20,20", 0, 180, false},
                 {1.5, 0.25, 0.75, "65,75,20,20", 180, 0, true},
                 {1e300, 0.25, 0.75, "65,75,20,20", 180, 0, true},
                 {-1e300, 0.25, 0.75, "65,75,20,20", 0, 180, true},
                 {-infinity, 0.25, 0.75, "65,75,20,20", 0, 180, true}};
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.value);
        CXYPad* pad = add(200);
        pad->setXValue(0.25);
        pad->setYValue(0.75);
        pad->setXValue(test.value);
        pad->setYValue(test.value);
        EXPECT_EQ(test.x, pad->getXValue());
        EXPECT_EQ(test.y, pad->getYValue());
        EXPECT_EQ(test.puck, puck());

        auto* modulated = add<CModulatedXYPad>(200);
        modulated->setXValue(0.25);
        modulated->setYValue(0.75);
        modulated->setModulationValues(test.value, test.value);
        const long shown = 18 * 18;
        EXPECT_EQ(shown, paint().count(21 + test.handleX, 31 + test.handleY, 18, 18, "226,74,160"));
        modulated->setXValue(test.value);
        modulated->setYValue(test.value);
        const CPixels pixels = paint();
        const long expected = test.handleShows ? shown : 0;
        EXPECT_EQ(expected, pixels.count(21 + test.handleX, 31 + test.handleY, 18, 18, "226,74,160"));
        EXPECT_EQ(expected, pixels.countAll("226,74,160"));
    }
}
} // namespace
