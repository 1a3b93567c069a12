// CSlider: handle geometry, the press, drag and wheel arithmetic through the root with the lock and the handle's
// state, a handle that fills the track, moves and resizes, and the handle properties. (The scroll bar's tests
// draw the plain handle in its states.)
#include "gui/controls/CSlider.hpp"

#include "tests/gui/controls/CSliderTestSupport.hpp"

#include <gtest/gtest.h>

#include <string>

namespace
{
using Brivant::Basics::CString;
using Brivant::GUI::Controls::CControlDescriptor;
using Brivant::GUI::Controls::CSlider;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

struct SSliderOnBench : TControlOnBench<CSlider>
{
    explicit SSliderOnBench(const CRect& area = CRect(10, 10, 20, 100)) : TControlOnBench(area) {}
    // At a distance along the track, 5 across.
    void along(long kind, long along, int modifiers = kNoModifier, double wheel = 0.0)
    {
        const bool vertical = control->isVertical();
        mouse(kind, vertical ? 5 : along, vertical ? along : 5, modifiers, wheel);
    }
    long position() const { return control->isVertical() ? handle().getTop() : handle().getLeft(); }
    const CRect& handle() const { return control->getHandleArea(); }
};

TEST(CSlider, theHandleIsAThirdOfTheLongSideAndSetValueTakesOnlyZeroToOneAsValueTimesTravel)
{
    // The handle and travel as built, then after setValue 0.25, 1.5 (ignored) and 1.
    const std::pair<CRect, const char*> cases[] = {{CRect(0, 0, 20, 100), "0,0,20,33 67 v 16 16 67"},
                                                   {CRect(0, 0, 100, 20), "0,0,33,20 67 h 16 16 67"},
                                                   {CRect(0, 0, 30, 30), "0,0,30,10 20 v 5 5 20"},
                                                   {CRect(0, 0, 20, 10), "0,0,6,10 14 h 3 3 14"}};
    for (const auto& test : cases)
    {
        SSliderOnBench bench(test.first);
        std::string seen = rectText(bench.handle()) + " " + std::to_string(long(bench.control->getTravel())) +
                           (bench.control->isVertical() ? " v" : " h");
        for (double value : {0.25, 1.5, 1.0})
        {
            bench.control->setValue(value);
            seen += " " + std::to_string(bench.position());
        }
        EXPECT_EQ(test.second, seen);
        EXPECT_TRUE(bench.listener.controls.empty());
    }
}

TEST(CSlider, aPressBesideTheHandleCentresItTheDragKeepsTheGrabPointAndTheWheelStepsFiveOrOne)
{
    const long down = CMouseEvent::kLeftButtonDown, up = CMouseEvent::kLeftButtonUp, move = CMouseEvent::kMouseMove,
               wheel = CMouseEvent::kMouseWheel;
    // Kind, distance along, Shift, wheel; then the handle's position, its state, the reports so far and the lock.
    const std::tuple<long, long, bool, double, const char*> steps[] = {
        {down, 80, false, 0, "63 2 1 locked"}, // max(0, min(100, 80 + 16) - 33)
        {move, 85, false, 0, "67 2 2 locked"}, // grabbed 17 into the handle; pinned at the end
        {move, 50, false, 0, "33 2 3 locked"}, {move, -5, false, 0, "33 2 3 locked"},
        {up, -5, false, 0, "33 0 3 free"},     {down, 40, false, 0, "33 2 3 locked"},
        {move, 7, false, 0, "0 2 4 locked"},   {up, 3, false, 0, "0 1 4 locked"},
        {down, 99, false, 0, "67 2 5 locked"}, {down, 10, false, 0, "0 2 6 locked"},
        {up, 60, false, 0, "0 0 6 free"},      {wheel, 90, false, -1, "5 0 7 free"},
        {wheel, 90, true, -1, "6 0 8 free"},   {wheel, 90, false, 3, "1 0 9 free"},
        {wheel, 90, false, 0, "0 0 10 free"},  {wheel, 90, false, -0.2, "5 0 11 free"}};
    for (const CRect& area : {CRect(10, 10, 20, 100), CRect(10, 10, 100, 20)})
    {
        SSliderOnBench bench(area);
        for (const auto& step : steps)
        {
            bench.along(std::get<0>(step), std::get<1>(step), std::get<2>(step) ? kShift : kNoModifier,
                        std::get<3>(step));
            EXPECT_EQ(std::get<4>(step), std::to_string(bench.position()) + " " +
                                             std::to_string(bench.control->getHandleState()) + " " +
                                             std::to_string(bench.listener.controls.size()) +
                                             (bench.bench.root().getLockedControl() ? " locked" : " free"));
            EXPECT_DOUBLE_EQ(1.0 - bench.position() / 67.0, bench.control->getValue()) << std::get<4>(step);
        }
    }
}

TEST(CSlider, aWheelTurnedDuringADragLeavesTheDragItsLockSoTheReleaseEndsIt)
{
    for (const CRect& area : {CRect(10, 10, 20, 100), CRect(10, 10, 100, 20)})
    {
        SSliderOnBench bench(area);
        bench.along(CMouseEvent::kLeftButtonDown, 10);
        bench.along(CMouseEvent::kMouseWheel, 90, kNoModifier, -1.0);
        EXPECT_EQ(bench.control, bench.bench.root().getLockedControl());
        bench.bench.mouse(CMouseEvent::kLeftButtonUp, 300, 250);
        EXPECT_FALSE(bench.control->isDragging());
        EXPECT_EQ(nullptr, bench.bench.root().getLockedControl());
        // No button is held: a move does not drag the handle.
        const double value = bench.control->getValue();
        bench.along(CMouseEvent::kMouseMove, 60);
        EXPECT_EQ(value, bench.control->getValue());
    }
}

using CSliderWithImages = CControlImagesFixture;

TEST_F(CSliderWithImages, aHandleAsLongAsTheTrackOrLongerStaysAtTheStartAndReadsOne)
{
    for (unsigned short length : {100, 150})
    {
        SSliderOnBench bench;
        auto* image = solidImage("long" + std::to_string(length), 20, length, 0, 200, 0);
        bench.control->setHandleImages(image, image, image, nullptr);
        EXPECT_EQ(100.0 - length, bench.control->getTravel());
        bench.along(CMouseEvent::kLeftButtonDown, 50);
        bench.along(CMouseEvent::kMouseMove, 90);
        bench.control->setValue(0.3);
        EXPECT_EQ(0, bench.position());
        bench.along(CMouseEvent::kMouseWheel, 90, kNoModifier, -1.0);
        EXPECT_EQ("0 1 0,200,0", std::to_string(bench.position()) + " " +
                                     std::to_string(long(bench.control->getValue())) + " " + bench.pixel(20, 105));
    }
}

TEST_F(CSliderWithImages, aMoveThatKeepsTheSizeKeepsTheHandleAndANewSizeLaysItOutAgain)
{
    // The handle dragged 20 down; a new height of 200 gives a handle of 66 and a travel of 134.
    const std::tuple<CRect, bool, const char*> cases[] = {{CRect(40, 60, 20, 100), false, "0,20,20,33"},
                                                          {CRect(40, 60, 20, 100), true, "0,20,20,10"},
                                                          {CRect(10, 10, 20, 200), false, ""},
                                                          {CRect(10, 10, 20, 200), true, ""}};
    for (const auto& test : cases)
    {
        SSliderOnBench bench;
        if (std::get<1>(test))
            bench.control->setHandleImages(solidImage("small", 20, 10, 1, 2, 3), nullptr, nullptr, nullptr);
        bench.along(CMouseEvent::kLeftButtonDown, 2);
        bench.along(CMouseEvent::kMouseMove, 22);
        const double value = bench.control->getValue();
        ASSERT_DOUBLE_EQ(1.0 - 20 / (std::get<1>(test) ? 90.0 : 67.0), value);
        bench.control->setArea(std::get<0>(test));
        EXPECT_EQ(value, bench.control->getValue());
        const std::string kept(std::get<2>(test));
        EXPECT_EQ(kept.empty() ? "0," + std::to_string(long(value * 134)) + ",20,66" : kept, rectText(bench.handle()));
        EXPECT_EQ(rectText(std::get<0>(test)), rectText(bench.control->getAbsoluteArea()));
    }
}

TEST_F(CSliderWithImages, handlePropertiesTakeImageNamesAndColoursAndLeaveTheHandleSize)
{
    solidImage("grip", 20, 10, 0, 0, 255);
    SSliderOnBench bench;
    for (const char* name : {"Handle Image", "Handle Over Image", "Handle Down Image", "Handle Disabled Image"})
    {
        EXPECT_FALSE(applyProperty(*bench.control, name, CControlDescriptor::kImage, new CAlphaColour()));
        EXPECT_TRUE(applyProperty(*bench.control, name, CControlDescriptor::kImage, new CString("grip")));
        EXPECT_EQ("grip", propertyText(*bench.control, name));
    }
    EXPECT_TRUE(applyProperty(*bench.control, "Handle Colour", CControlDescriptor::kColour, new CAlphaColour(1, 2, 3)));
    EXPECT_EQ("0,0,20,33 0,0,255 [1,2,3,255]", rectText(bench.handle()) + " " + bench.pixel(20, 15) + " " +
                                                   propertyText(*bench.control, "Handle Colour"));
}
} // namespace
