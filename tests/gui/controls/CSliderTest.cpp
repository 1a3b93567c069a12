// CSlider: handle geometry, the press, drag and wheel arithmetic through the root, hover and lock, the handle's
// state colours in pixels, a handle that fills the track, resizes, and the handle properties.
#include "gui/controls/CSlider.hpp"

#include "foundation/basics/CLong.hpp"
#include "tests/gui/CControlTestKit.hpp"
#include "tests/gui/controls/CControlTestImages.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace
{
using Brivant::Basics::CString;
using Brivant::GUI::Controls::CControlDescriptor;
using Brivant::GUI::Controls::CSlider;
using Brivant::GUI::Graphics::CImageManager;
using Brivant::MathTools::CPoint;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

// A slider at (10, 10) in a root, with a listener counting its reports.
struct SSliderOnBench
{
    explicit SSliderOnBench(const CRect& area = CRect(10, 10, 20, 100))
        : slider(new CSlider(&bench.root(), 1, area, &listener))
    {
        bench.root().addControl(slider);
    }
    // A mouse event at a point local to the slider.
    void mouse(long kind, long x, long y, int modifiers = kNoModifier, double wheel = 0.0)
    {
        bench.mouse(kind, slider->getArea().getLeft() + x, slider->getArea().getTop() + y, modifiers, wheel);
    }
    long position() const { return slider->isVertical() ? handle().getTop() : handle().getLeft(); }
    const CRect& handle() const { return slider->getHandleArea(); }

    CControlBench bench;
    CRecordingActionListener listener;
    CSlider* slider;
};

TEST(CSlider, theHandleIsAThirdOfTheLongSideAtTheStartOfTheTrack)
{
    struct SCase
    {
        long width, height;
        bool vertical;
        const char* handle;
        double travel;
    } cases[] = {
        {20, 100, true, "0,0,20,33", 67}, {100, 20, false, "0,0,33,20", 67}, {30, 30, true, "0,0,30,10", 20},
        {20, 10, false, "0,0,6,10", 14},
    };
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(test.handle);
        SSliderOnBench built(CRect(0, 0, test.width, test.height));
        SSliderOnBench resized(CRect(0, 0, 50, 70));
        resized.slider->setArea(CRect(0, 0, test.width, test.height));
        for (const SSliderOnBench* bench : {&built, &resized})
        {
            EXPECT_EQ(test.vertical, bench->slider->isVertical());
            EXPECT_EQ(test.travel, bench->slider->getTravel());
            EXPECT_EQ(1.0, bench->slider->getValue());
        }
        EXPECT_EQ(test.handle, rectText(built.handle()));
        // A resize puts the handle where setValue would: value 1 is the far end.
        CRect atTheEnd(built.handle());
        atTheEnd.offset(test.vertical ? CPoint(0, long(test.travel)) : CPoint(long(test.travel), 0));
        EXPECT_EQ(rectText(atTheEnd), rectText(resized.handle()));
    }
}

TEST(CSlider, setValueTakesOnlyZeroToOneAndPutsTheHandleValueTimesTravelFromTheStart)
{
    struct SCase
    {
        double value;
        double expected;
        long position;
    } cases[] = {{0.25, 0.25, 16}, {1.5, 0.25, 16}, {-0.1, 0.25, 16},
                 {std::numeric_limits<double>::quiet_NaN(), 0.25, 16}, {0.0, 0.0, 0}, {1.0, 1.0, 67}};
    SSliderOnBench bench;
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(test.value);
        bench.slider->setValue(test.value);
        EXPECT_EQ(test.expected, bench.slider->getValue());
        EXPECT_EQ(test.position, bench.position());
    }
    EXPECT_TRUE(bench.listener.controls.empty());
}

TEST(CSlider, aPressBesideTheHandleCentresItAndTheDragKeepsTheGrabPoint)
{
    struct SStep
    {
        long kind, along;
        long position;
        size_t reports;
        long state;
        bool locked;
    } steps[] = {
        {CMouseEvent::kLeftButtonDown, 80, 63, 1, 2, true}, // max(0, min(100, 80 + 16) - 33)
        {CMouseEvent::kMouseMove, 85, 67, 2, 2, true},      // grabbed 17 below the handle's top; pinned at travel
        {CMouseEvent::kMouseMove, 50, 33, 3, 2, true},
        {CMouseEvent::kMouseMove, -5, 33, 3, 2, true},      // above the control the handle stays
        {CMouseEvent::kLeftButtonUp, -5, 33, 3, 0, false},
        {CMouseEvent::kLeftButtonDown, 40, 33, 3, 2, true}, // on the handle: no jump, no report
        {CMouseEvent::kMouseMove, 7, 0, 4, 2, true},
        {CMouseEvent::kLeftButtonUp, 3, 0, 4, 1, true},     // released over the handle: hovered, still locked
        {CMouseEvent::kLeftButtonDown, 99, 67, 5, 2, true}, // near the far end: clamped there
        {CMouseEvent::kLeftButtonDown, 10, 0, 6, 2, true},  // near the start: clamped there
    };
    for (bool vertical : {true, false})
    {
        SSliderOnBench bench(vertical ? CRect(10, 10, 20, 100) : CRect(10, 10, 100, 20));
        for (const SStep& step : steps)
        {
            SCOPED_TRACE(std::to_string(step.kind) + " at " + std::to_string(step.along));
            bench.mouse(step.kind, vertical ? 5 : step.along, vertical ? step.along : 5);
            EXPECT_EQ(step.position, bench.position());
            EXPECT_DOUBLE_EQ(1.0 - step.position / 67.0, bench.slider->getValue());
            EXPECT_EQ(step.reports, bench.listener.controls.size());
            EXPECT_EQ(step.state, bench.slider->getHandleState());
            EXPECT_EQ(step.locked, bench.bench.root().getLockedControl() == bench.slider);
        }
    }
}

TEST(CSlider, aWheelNotchMovesTheHandleFivePixelsOrOneWithShiftAndOnlyItsSignCounts)
{
    struct SCase
    {
        double setValue;
        double wheel;
        int modifiers;
        long from, to;
    } cases[] = {
        {0.45, -1.0, kNoModifier, 30, 35}, {0.45, -1.0, kShift, 30, 31}, {0.45, 3.0, kNoModifier, 30, 25},
        {0.45, 0.0, kNoModifier, 30, 25},  {0.45, -0.2, kNoModifier, 30, 35}, {0.0, 1.0, kNoModifier, 0, 0},
        {1.0, -1.0, kNoModifier, 67, 67},
    };
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(std::to_string(test.from) + " wheel " + std::to_string(test.wheel));
        SSliderOnBench bench;
        bench.slider->setValue(test.setValue);
        ASSERT_EQ(test.from, bench.position());
        // The wheel works wherever the pointer is over the slider.
        bench.mouse(CMouseEvent::kMouseWheel, 10, 90, test.modifiers, test.wheel);
        EXPECT_EQ(test.to, bench.position());
        EXPECT_DOUBLE_EQ(1.0 - test.to / 67.0, bench.slider->getValue());
        EXPECT_EQ(1u, bench.listener.controls.size());
    }
}

TEST(CSlider, theHandleShowsItsStateInColourAndHoveringLocksTheSlider)
{
    struct SStep
    {
        long kind, y;
        const char* handle;
        bool locked;
    } steps[] = {
        {CMouseEvent::kMouseMove, 20, "239,149,41", true},   // over
        {CMouseEvent::kMouseMove, 60, "153,116,188", false}, // off the handle
        {CMouseEvent::kLeftButtonDown, 16, "243,32,32", true},
        {CMouseEvent::kMouseLeave, 16, "243,32,32", true}, // leaving while dragging changes nothing
        {CMouseEvent::kLeftButtonUp, 90, "153,116,188", false},
        {CMouseEvent::kMouseMove, 20, "239,149,41", true},
        {CMouseEvent::kMouseLeave, 20, "153,116,188", true},
    };
    SSliderOnBench bench;
    COffscreenCanvas canvas(200, 200);
    for (const SStep& step : steps)
    {
        SCOPED_TRACE(step.handle);
        bench.mouse(step.kind, 10, step.y);
        canvas.draw(bench.bench.root());
        EXPECT_EQ(step.handle, canvas.rgb(20, 26));
        EXPECT_EQ("0,0,0", canvas.rgb(20, 12)); // the handle's outline, 2 pixels in
        EXPECT_EQ("255,255,255", canvas.rgb(20, 80));
        EXPECT_EQ(step.locked, bench.bench.root().isControlLocked());
    }
}

class CSliderWithImages : public CControlImagesFixture
{
};

TEST_F(CSliderWithImages, aHandleAsLongAsTheTrackOrLongerStaysAtTheStartAndReadsOne)
{
    for (unsigned short length : {100, 150})
    {
        SCOPED_TRACE(length);
        SSliderOnBench bench;
        auto* image = solidImage("long" + std::to_string(length), 20, length, 0, 200, 0);
        bench.slider->setHandleImages(image, image, image, nullptr);
        EXPECT_EQ(100.0 - length, bench.slider->getTravel());
        bench.mouse(CMouseEvent::kLeftButtonDown, 10, 50);
        bench.mouse(CMouseEvent::kMouseMove, 10, 90);
        bench.mouse(CMouseEvent::kMouseWheel, 10, 90, kNoModifier, -1.0);
        bench.slider->setValue(0.3);
        EXPECT_EQ(0, bench.position());
        EXPECT_EQ(0.3, bench.slider->getValue());
        bench.mouse(CMouseEvent::kMouseWheel, 10, 90, kNoModifier, -1.0);
        EXPECT_EQ(0, bench.position());
        EXPECT_EQ(1.0, bench.slider->getValue());
        COffscreenCanvas canvas(200, 200);
        canvas.draw(bench.bench.root());
        EXPECT_EQ("0,200,0", canvas.rgb(20, 105));
    }
}

TEST_F(CSliderWithImages, aMoveThatKeepsTheSizeKeepsTheHandleAndANewSizeLaysItOutAgain)
{
    struct SCase
    {
        CRect area;
        bool imageHandle;
        const char* kept; // null: laid out again at a third of 200, value x travel 134 from the start
    } cases[] = {
        {CRect(40, 60, 20, 100), false, "0,20,20,33"},
        {CRect(40, 60, 20, 100), true, "0,20,20,10"},
        {CRect(10, 10, 20, 200), false, nullptr},
        {CRect(10, 10, 20, 200), true, nullptr},
    };
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(rectText(test.area) + (test.imageHandle ? " image" : ""));
        SSliderOnBench bench;
        if (test.imageHandle)
            bench.slider->setHandleImages(solidImage("small", 20, 10, 1, 2, 3), nullptr, nullptr, nullptr);
        bench.mouse(CMouseEvent::kLeftButtonDown, 5, 2);
        bench.mouse(CMouseEvent::kMouseMove, 5, 22);
        bench.mouse(CMouseEvent::kLeftButtonUp, 5, 22);
        const double value = bench.slider->getValue();
        ASSERT_DOUBLE_EQ(1.0 - 20 / (test.imageHandle ? 90.0 : 67.0), value);
        bench.slider->setArea(test.area);
        EXPECT_EQ(value, bench.slider->getValue());
        EXPECT_EQ(test.kept != nullptr ? std::string(test.kept)
                                       : "0," + std::to_string(long(value * 134)) + ",20,66",
                  rectText(bench.handle()));
        EXPECT_EQ(rectText(test.area), rectText(bench.slider->getAbsoluteArea()));
    }
}

TEST_F(CSliderWithImages, handlePropertiesTakeImageNamesAndColoursAndKeepTheHandleSize)
{
    solidImage("grip", 20, 10, 0, 0, 255);
    SSliderOnBench bench;
    const char* images[] = {"Handle Image", "Handle Over Image", "Handle Down Image", "Handle Disabled Image"};
    for (const char* name : images)
    {
        SCOPED_TRACE(name);
        EXPECT_EQ(" ", propertyText(*bench.slider, name));
        EXPECT_FALSE(applyProperty(*bench.slider, name, CControlDescriptor::kImage, new Brivant::Basics::CLong(1)));
        EXPECT_TRUE(applyProperty(*bench.slider, name, CControlDescriptor::kImage, new CString("grip")));
        EXPECT_EQ("grip", propertyText(*bench.slider, name));
        EXPECT_EQ("0,0,20,33", rectText(bench.handle()));
        EXPECT_TRUE(applyProperty(*bench.slider, name, CControlDescriptor::kImage, new CString("unknown")));
        EXPECT_EQ(" ", propertyText(*bench.slider, name));
    }
    struct SColour
    {
        const char* name;
        const char* initial;
    } colours[] = {{"Handle Colour", "[153,116,188,255]"},
                   {"Handle Over Colour", "[239,149,41,255]"},
                   {"Handle Down Colour", "[243,32,32,255]"}};
    for (const SColour& colour : colours)
    {
        SCOPED_TRACE(colour.name);
        EXPECT_EQ(colour.initial, propertyText(*bench.slider, colour.name));
        EXPECT_FALSE(applyProperty(*bench.slider, colour.name, CControlDescriptor::kColour, new CString("red")));
        EXPECT_TRUE(applyProperty(*bench.slider, colour.name, CControlDescriptor::kColour, new CAlphaColour(1, 2, 3)));
        EXPECT_EQ("[1,2,3,255]", propertyText(*bench.slider, colour.name));
    }
    EXPECT_EQ("[255,255,255,255]", propertyText(*bench.slider, "Background Colour"));
    // Through setHandleImages the image sizes the handle; the property set it drawn.
    bench.slider->setHandleImages(CImageManager::getImage(CString("grip")), nullptr, nullptr, nullptr);
    EXPECT_EQ("0,0,20,10", rectText(bench.handle()));
    COffscreenCanvas canvas(200, 200);
    canvas.draw(bench.bench.root());
    EXPECT_EQ("0,0,255", canvas.rgb(20, 15));
}
} // namespace
