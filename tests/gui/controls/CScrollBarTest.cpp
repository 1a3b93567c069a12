// CScrollBar and CScrollBarImages: the thumb sized to the visible share of the canvas, the offsets sent for
// presses, drags and wheel steps, a canvas no longer than the bar, the listener seam, and the skins in pixels.
#include "gui/controls/CScrollBar.hpp"

#include "gui/controls/CScrollBarImages.hpp"
#include "gui/core/CScrollEvent.hpp"
#include "gui/core/IScrollListener.hpp"
#include "tests/gui/CGuiTestKit.hpp"
#include "tests/gui/controls/CSliderTestSupport.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CString;
using Brivant::GUI::Controls::CControlDescriptor;
using Brivant::GUI::Controls::CScrollBar;
using Brivant::GUI::Controls::CScrollBarImages;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

struct SBarOnBench : public Brivant::GUI::Listeners::IScrollListener
{
    SBarOnBench(const CRect& area, const CRect& canvas) : bar(new CScrollBar(&bench.root(), 1, area, canvas, this))
    {
        bench.root().addControl(bar);
    }
    void handleScrollEvent(const Brivant::GUI::Events::CScrollEvent& event) override
    {
        scrolls.push_back((event.isHorizontal() ? "h " : "v ") + rectText(event.getViewArea()));
    }
    // At a distance along the bar, 5 across.
    void mouse(long kind, long along, int modifiers = kNoModifier, double wheel = 0.0)
    {
        const bool vertical = bar->isVertical();
        bench.mouse(kind, bar->getArea().getLeft() + (vertical ? 5 : along),
                    bar->getArea().getTop() + (vertical ? along : 5), modifiers, wheel);
    }

    CControlBench bench;
    std::vector<std::string> scrolls;
    CScrollBar* bar;
};

TEST(CScrollBar, theThumbIsTheVisibleShareOfTheCanvasAndACanvasThatFitsShowsWhole)
{
    const std::tuple<CRect, long, const char*> cases[] = {{CRect(0, 0, 20, 100), 400, "0.25 0,0,20,25 75"},
                                                          {CRect(0, 0, 100, 20), 250, "0.40 0,0,40,20 60"},
                                                          {CRect(0, 0, 20, 100), 100, "1.00 0,0,20,100 0"},
                                                          {CRect(0, 0, 20, 100), 50, "1.00 0,0,20,100 0"},
                                                          {CRect(0, 0, 20, 100), 0, "1.00 0,0,20,100 0"}};
    for (const auto& test : cases)
    {
        const long canvas = std::get<1>(test);
        const SBarOnBench bench(std::get<0>(test), CRect(0, 0, canvas, canvas));
        const std::string ratio = std::to_string(bench.bar->getVisibleRatio()).substr(0, 4);
        EXPECT_EQ(std::get<2>(test), ratio + " " + rectText(bench.bar->getHandleArea()) + " " +
                                         std::to_string(long(bench.bar->getTravel())));
    }
}

TEST(CScrollBar, pressesDragsAndWheelStepsSendTheOffsetTheThumbStandsFor)
{
    // A 128-pixel bar over a 256-pixel canvas: thumb 64, travel 64, offset 2 x the thumb's position (-1: none).
    const std::tuple<long, long, int, double, long> steps[] = {{CMouseEvent::kMouseWheel, 50, kNoModifier, -1.0, 40},
                                                               {CMouseEvent::kMouseWheel, 50, kShift, -1.0, 60},
                                                               {CMouseEvent::kMouseWheel, 50, kNoModifier, 1.0, 20},
                                                               {CMouseEvent::kLeftButtonDown, 100, 0, 0, 128},
                                                               {CMouseEvent::kMouseMove, 120, 0, 0, 128},
                                                               {CMouseEvent::kMouseMove, 52, 0, 0, 32},
                                                               {CMouseEvent::kLeftButtonUp, 52, 0, 0, -1},
                                                               {CMouseEvent::kLeftButtonDown, 20, 0, 0, -1}};
    for (bool vertical : {true, false})
    {
        SBarOnBench bench(vertical ? CRect(10, 10, 20, 128) : CRect(10, 10, 128, 20), CRect(0, 0, 256, 256));
        for (const auto& step : steps)
        {
            bench.scrolls.clear();
            bench.mouse(std::get<0>(step), std::get<1>(step), std::get<2>(step), std::get<3>(step));
            const std::string offset = std::to_string(std::get<4>(step));
            EXPECT_EQ(std::get<4>(step) < 0 ? ""
                      : vertical            ? "v 0," + offset + ",0,64"
                                            : "h " + offset + ",0,64,0",
                      bench.scrolls.empty() ? "" : bench.scrolls.back());
            EXPECT_GE(1u, bench.scrolls.size());
        }
    }
    SBarOnBench tall(CRect(0, 0, 20, 100), CRect(0, 0, 20, 400));
    tall.mouse(CMouseEvent::kLeftButtonDown, 5);
    tall.mouse(CMouseEvent::kMouseMove, 200);
    EXPECT_EQ("v 0,300,0,25", tall.scrolls.back());
}

TEST(CScrollBar, aCanvasThatFitsIgnoresTheWheelAndAlwaysScrollsToZero)
{
    for (long canvas : {100, 50, 0})
    {
        SBarOnBench bench(CRect(10, 10, 20, 100), CRect(0, 0, 20, canvas));
        bench.bench.redraws.clear();
        bench.mouse(CMouseEvent::kMouseWheel, 50, kNoModifier, -1.0);
        EXPECT_TRUE(bench.scrolls.empty() && bench.bench.redraws.empty()) << canvas;
        // Not even a value set from outside scrolls it.
        bench.bar->setValue(0.0);
        bench.bar->handleActionEvent(Brivant::GUI::Events::CActionEvent(bench.bar));
        bench.mouse(CMouseEvent::kLeftButtonDown, 50);
        bench.mouse(CMouseEvent::kMouseMove, 90);
        EXPECT_EQ((std::vector<std::string>{"v 0,0,0,100", "v 0,0,0,100"}), bench.scrolls) << canvas;
        EXPECT_EQ(1.0, bench.bar->getValue());
    }
}

TEST(CScrollBar, anotherActionListenerStopsTheScrollEventsUntilNullPutsTheBarBack)
{
    SBarOnBench bench(CRect(10, 10, 20, 128), CRect(0, 0, 20, 256));
    CRecordingActionListener other;
    bench.bar->registerActionListener(&other);
    bench.mouse(CMouseEvent::kMouseWheel, 50, kNoModifier, -1.0);
    bench.bar->registerActionListener(nullptr);
    bench.mouse(CMouseEvent::kMouseWheel, 50, kNoModifier, -1.0);
    EXPECT_EQ((std::vector<std::string>{"v 0,80,0,64"}), bench.scrolls); // the thumb 40 down
    EXPECT_EQ(1u, other.controls.size());
    // A shorter track takes the thumb back onto it.
    bench.bar->setCanvasArea(CRect(0, 0, 20, 140));
    EXPECT_EQ("0,11,20,117", rectText(bench.bar->getHandleArea()));
}

using CScrollBarSkins = CControlImagesFixture;

TEST_F(CScrollBarSkins, aCompleteSetDrawsTheThumbCentredAcrossTheBarAndAnyOtherDrawsAPlainSlider)
{
    const char* files[] = {"ScrollBarTopCap", "ScrollBarEndCap", "ScrollBarThumb", "ScrollBarRepeat"};
    const char* parts[] = {"Over Top", "Over Bottom", "Over Thumb", "Over Repeat"};
    const unsigned colours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};
    const unsigned short lengths[] = {5, 5, 6, 1};
    for (bool vertical : {true, false})
    {
        // Parts 20 across on a bar 30 across: moved 5 in. The thumb is 50 long: caps at 0 and 45, grip at 22.
        const std::string set(vertical ? "v" : "h");
        makeFolders(set + "\\x");
        for (int part = 0; part < 4; ++part)
            writeSolidTarga(set + "\\" + files[part] + ".tga", vertical ? 20 : lengths[part],
                            vertical ? lengths[part] : 20, colours[part][0], colours[part][1], colours[part][2]);
        SBarOnBench bench(vertical ? CRect(10, 10, 30, 100) : CRect(10, 10, 100, 30), CRect(0, 0, 200, 200));
        auto* skin = new CScrollBarImages();
        skin->loadScrollBarImages(Brivant::Basics::CSystemString(file(set).c_str()));
        bench.bar->setScrollBarImageSets(skin, nullptr, nullptr);
        auto at = [&](long along, long across)
        {
            COffscreenCanvas canvas(200, 200);
            canvas.draw(bench.bench.root());
            return vertical ? canvas.rgb(10 + across, 10 + along) : canvas.rgb(10 + along, 10 + across);
        };
        EXPECT_EQ("255,0,0 255,255,0 0,0,255 0,255,0 255,255,255",
                  at(2, 15) + " " + at(10, 15) + " " + at(24, 15) + " " + at(47, 15) + " " + at(10, 2));
        // Hovered: the over set that properties make draws plainly until its fourth part is given.
        bench.mouse(CMouseEvent::kMouseMove, 10);
        EXPECT_EQ(" ", propertyText(*bench.bar, "Over Thumb"));
        EXPECT_FALSE(applyProperty(*bench.bar, "Over Thumb", CControlDescriptor::kImage, new CAlphaColour()));
        for (int part = 0; part < 4; ++part)
        {
            EXPECT_EQ("239,149,41", at(10, 15));
            const std::string name = set + (parts[part] + 5);
            solidImage(name, vertical ? 20 : 5, vertical ? 5 : 20, 0, 0, 128);
            EXPECT_TRUE(applyProperty(*bench.bar, parts[part], CControlDescriptor::kImage, new CString(name.c_str())));
        }
        EXPECT_EQ(set + "Thumb 0,0,128", propertyText(*bench.bar, "Over Thumb") + " " + at(10, 15));
        EXPECT_EQ(" ", propertyText(*bench.bar, "Down Repeat"));
        skin->setScrollBarImages(skin->getTopCap(), nullptr, skin->getThumb(), skin->getRepeat());
        bench.mouse(CMouseEvent::kMouseMove, 80);
        EXPECT_EQ("153,116,188", at(10, 15));
    }
}
} // namespace
