// CScrollBar and CScrollBarImages: the thumb sized to the visible share of the canvas, the offsets the bar sends
// for presses, drags and wheel steps, a canvas no longer than the bar, the listener seam, and the skins in pixels.
#include "gui/controls/CScrollBar.hpp"

#include "gui/controls/CScrollBarImages.hpp"
#include "gui/core/CScrollEvent.hpp"
#include "gui/core/IScrollListener.hpp"
#include "tests/gui/CControlTestKit.hpp"
#include "tests/gui/controls/CControlTestImages.hpp"

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

class CRecordingScrollListener : public Brivant::GUI::Listeners::IScrollListener
{
public:
    void handleScrollEvent(const Brivant::GUI::Events::CScrollEvent& event) override
    {
        events.push_back((event.isHorizontal() ? "h " : "v ") + rectText(event.getViewArea()));
    }
    std::vector<std::string> events;
};

struct SBarOnBench
{
    SBarOnBench(const CRect& area, const CRect& canvas) : bar(new CScrollBar(&bench.root(), 1, area, canvas, &scrolls))
    {
        bench.root().addControl(bar);
    }
    void mouse(long kind, long along, int modifiers = kNoModifier, double wheel = 0.0)
    {
        const CRect& area = bar->getArea();
        const bool vertical = bar->isVertical();
        bench.mouse(kind, area.getLeft() + (vertical ? 5 : along), area.getTop() + (vertical ? along : 5), modifiers,
                    wheel);
    }

    CControlBench bench;
    CRecordingScrollListener scrolls;
    CScrollBar* bar;
};

TEST(CScrollBar, theThumbIsTheVisibleShareOfTheCanvasAndAShortCanvasShowsWhole)
{
    struct SCase
    {
        CRect area, canvas;
        double ratio;
        const char* thumb;
        double travel;
    } cases[] = {
        {CRect(0, 0, 20, 100), CRect(0, 0, 20, 400), 0.25, "0,0,20,25", 75},
        {CRect(0, 0, 100, 20), CRect(0, 0, 250, 999), 0.4, "0,0,40,20", 60},
        {CRect(0, 0, 20, 100), CRect(0, 0, 20, 100), 1.0, "0,0,20,100", 0},
        {CRect(0, 0, 20, 100), CRect(0, 0, 20, 50), 1.0, "0,0,20,100", 0},
        {CRect(0, 0, 20, 100), CRect(0, 0, 0, 0), 1.0, "0,0,20,100", 0},
    };
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(rectText(test.canvas));
        SBarOnBench built(test.area, test.canvas);
        SBarOnBench later(CRect(0, 0, 40, 30), CRect(0, 0, 7, 7));
        later.bar->setCanvasArea(test.canvas);
        later.bar->setArea(test.area);
        for (const SBarOnBench* bench : {&built, &later})
        {
            EXPECT_EQ(test.ratio, bench->bar->getVisibleRatio());
            EXPECT_EQ(test.travel, bench->bar->getTravel());
        }
        EXPECT_EQ(test.thumb, rectText(built.bar->getHandleArea()));
        const CRect& thumb = later.bar->getHandleArea();
        EXPECT_EQ(std::string(test.thumb).substr(4),
                  std::to_string(thumb.getWidth()) + "," + std::to_string(thumb.getHeight()));
    }
}

TEST(CScrollBar, pressesDragsAndWheelStepsSendTheOffsetTheThumbStandsFor)
{
    // A 128-pixel bar over a 256-pixel canvas: thumb 64, travel 64, offset = 2 x the thumb's position.
    struct SStep
    {
        long kind, along;
        int modifiers;
        double wheel;
        long offset; // -1: no event
    } steps[] = {
        {CMouseEvent::kMouseWheel, 50, kNoModifier, -1.0, 40}, {CMouseEvent::kMouseWheel, 50, kShift, -1.0, 60},
        {CMouseEvent::kMouseWheel, 50, kNoModifier, 1.0, 20},  {CMouseEvent::kLeftButtonDown, 100, 0, 0, 128},
        {CMouseEvent::kMouseMove, 120, 0, 0, 128},             {CMouseEvent::kMouseMove, 52, 0, 0, 32},
        {CMouseEvent::kLeftButtonUp, 52, 0, 0, -1},            {CMouseEvent::kLeftButtonDown, 20, 0, 0, -1},
    };
    for (bool vertical : {true, false})
    {
        SBarOnBench bench(vertical ? CRect(10, 10, 20, 128) : CRect(10, 10, 128, 20), CRect(0, 0, 256, 256));
        for (const SStep& step : steps)
        {
            SCOPED_TRACE(std::to_string(step.kind) + " at " + std::to_string(step.along));
            bench.scrolls.events.clear();
            bench.mouse(step.kind, step.along, step.modifiers, step.wheel);
            const std::string offset = std::to_string(step.offset);
            EXPECT_EQ(step.offset < 0 ? std::vector<std::string>{}
                                      : std::vector<std::string>{vertical ? "v 0," + offset + ",0,64"
                                                                          : "h " + offset + ",0,64,0"},
                      bench.scrolls.events);
        }
    }
    SBarOnBench spec(CRect(0, 0, 20, 100), CRect(0, 0, 20, 400));
    spec.mouse(CMouseEvent::kLeftButtonDown, 5);
    spec.mouse(CMouseEvent::kMouseMove, 200);
    EXPECT_EQ("v 0,300,0,25", spec.scrolls.events.back());
}

TEST(CScrollBar, aCanvasNoLongerThanTheBarIgnoresTheWheelAndAlwaysScrollsToZero)
{
    for (long canvas : {100, 50, 0})
    {
        SCOPED_TRACE(canvas);
        SBarOnBench bench(CRect(10, 10, 20, 100), CRect(0, 0, 20, canvas));
        bench.bench.redraws.clear();
        bench.mouse(CMouseEvent::kMouseWheel, 50, kNoModifier, -1.0);
        EXPECT_TRUE(bench.scrolls.events.empty());
        EXPECT_TRUE(bench.bench.redraws.empty());
        // Even a value set from outside cannot scroll a canvas that fits.
        bench.bar->setValue(0.0);
        bench.bar->handleActionEvent(Brivant::GUI::Events::CActionEvent(bench.bar));
        bench.mouse(CMouseEvent::kLeftButtonDown, 50);
        bench.mouse(CMouseEvent::kMouseMove, 90);
        EXPECT_EQ((std::vector<std::string>{"v 0,0,0,100", "v 0,0,0,100"}), bench.scrolls.events);
        EXPECT_EQ(1.0, bench.bar->getValue());
    }
}

TEST(CScrollBar, anotherActionListenerStopsTheScrollEventsUntilNullPutsTheBarBack)
{
    SBarOnBench bench(CRect(10, 10, 20, 100), CRect(0, 0, 20, 400));
    CRecordingActionListener other;
    struct SStep
    {
        Brivant::GUI::Listeners::IActionListener* listener;
        size_t scrolls, actions;
    } steps[] = {{&other, 0, 1}, {nullptr, 1, 1}};
    for (const SStep& step : steps)
    {
        bench.scrolls.events.clear();
        bench.bar->registerActionListener(step.listener);
        bench.mouse(CMouseEvent::kMouseWheel, 50, kNoModifier, -1.0);
        EXPECT_EQ(step.scrolls, bench.scrolls.events.size());
        EXPECT_EQ(step.actions, other.controls.size());
    }
    bench.bar->setScrollListener(nullptr);
    bench.mouse(CMouseEvent::kMouseWheel, 50, kNoModifier, -1.0);
    EXPECT_EQ("0,60,20,25", rectText(bench.bar->getHandleArea()));
    // A shorter track keeps the thumb on it.
    bench.bar->setCanvasArea(CRect(0, 0, 20, 110));
    EXPECT_EQ("0,10,20,90", rectText(bench.bar->getHandleArea()));
}

class CScrollBarSkins : public CControlImagesFixture
{
protected:
    // Top cap red, end cap green, grip blue, repeat yellow, each as wide (vertical) or high as given.
    void writeSkin(const std::string& folder, bool vertical, unsigned short across)
    {
        makeFolders(folder + "\\x");
        const unsigned colours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};
        const char* names[] = {"ScrollBarTopCap", "ScrollBarEndCap", "ScrollBarThumb", "ScrollBarRepeat"};
        const unsigned short along[] = {5, 5, 6, 1};
        for (int part = 0; part < 4; ++part)
            writeSolidTarga(folder + "\\" + names[part] + ".tga", vertical ? across : along[part],
                            vertical ? along[part] : across, colours[part][0], colours[part][1], colours[part][2]);
    }
};

TEST_F(CScrollBarSkins, aCompleteSetDrawsTheThumbCentredAcrossTheBarAndAnyOtherDrawsAPlainSlider)
{
    for (bool vertical : {true, false})
    {
        SCOPED_TRACE(vertical ? "vertical" : "horizontal");
        writeSkin(vertical ? "v" : "h", vertical, 20);
        // Thumb 50 long at the start; the 20-pixel skin is moved 5 pixels across the 30-pixel bar.
        SBarOnBench bench(vertical ? CRect(10, 10, 30, 100) : CRect(10, 10, 100, 30), CRect(0, 0, 200, 200));
        auto* skin = new CScrollBarImages();
        Brivant::Basics::CSystemString skinFolder(folder());
        skinFolder += vertical ? "v" : "h";
        skin->loadScrollBarImages(skinFolder);
        bench.bar->setScrollBarImageSets(skin, nullptr, nullptr);
        auto at = [&](long along, long across) {
            COffscreenCanvas canvas(200, 200);
            canvas.draw(bench.bench.root());
            return vertical ? canvas.rgb(10 + across, 10 + along) : canvas.rgb(10 + along, 10 + across);
        };
        EXPECT_TRUE(skin->isComplete());
        EXPECT_EQ("255,0,0", at(2, 15));
        EXPECT_EQ("255,255,0", at(10, 15));
        EXPECT_EQ("0,0,255", at(24, 15));
        EXPECT_EQ("0,255,0", at(47, 15));
        EXPECT_EQ("255,255,255", at(10, 2));
        // Hovered, the over state has no set yet: a plain handle in the over colour.
        EXPECT_EQ(" ", propertyText(*bench.bar, "Over Thumb"));
        bench.mouse(CMouseEvent::kMouseMove, 10);
        EXPECT_EQ("239,149,41", at(10, 15));
        // Three of four parts still draw plainly; the fourth completes the over set.
        const char* parts[] = {"Over Top", "Over Bottom", "Over Thumb", "Over Repeat"};
        for (int part = 0; part < 4; ++part)
        {
            const std::string name = (vertical ? "v" : "h") + std::string(parts[part] + 5);
            solidImage(name, vertical ? 20 : 5, vertical ? 5 : 20, 0, 0, 128);
            EXPECT_FALSE(applyProperty(*bench.bar, parts[part], CControlDescriptor::kImage, new CAlphaColour()));
            EXPECT_TRUE(applyProperty(*bench.bar, parts[part], CControlDescriptor::kImage, new CString(name.c_str())));
            EXPECT_EQ(name, propertyText(*bench.bar, parts[part]));
            EXPECT_EQ(part < 3 ? "239,149,41" : "0,0,128", at(10, 15));
        }
        EXPECT_EQ(" ", propertyText(*bench.bar, "Down Repeat"));
        EXPECT_EQ(" ", propertyText(*bench.bar, "Normal Top")); // the loaded images are not registered
        skin->setScrollBarImages(skin->getTopCap(), nullptr, skin->getThumb(), skin->getRepeat());
        bench.mouse(CMouseEvent::kMouseMove, 80);
        EXPECT_EQ("153,116,188", at(10, 15));
    }
}
} // namespace
