// The auto animation ticked through its window's timer callback, the animation frame and the area box read back as
// pixels, and what their properties take and a layout carries.
#include "gui/controls/CAnimationFrame.hpp"
#include "gui/controls/CAutoAnimation.hpp"
#include "gui/core/CRGBAImage.hpp"
#include "tests/gui/controls/CControlLayoutBench.hpp"

namespace
{
using namespace Brivant::GUI::Controls;
using namespace VolturaTests;
using Brivant::GUI::Basics::ITimedObject;
using Brivant::GUI::Graphics::IImage;

// Logs "start id ms", "stop id", "add" and "remove".
struct CTimerLogWindow : CTestWindow
{
    CTimerLogWindow() : CTestWindow(CRect(0, 0, 100, 100)) {}
    void startTimer(long id, long ms) override { log.push_back("start " + text(id) + " " + text(ms)); }
    void stopTimer(long id) override { log.push_back("stop " + text(id)); }
    void addTimedObject(ITimedObject* timed) override { log.push_back("add"), CWindow::addTimedObject(timed); }
    void removeTimedObject(ITimedObject* timed) override { log.push_back("remove"), CWindow::removeTimedObject(timed); }
    static std::string text(long number) { return std::to_string(number); }
    CEventLog log;
};

// Five frames 4 by 20; frame i is (50 i, 255 - 50 i, 60).
IImage* strip()
{
    auto* image = new Brivant::GUI::Graphics::CRGBAImage();
    image->initialise(Brivant::MathTools::CDimension(4, 100));
    for (long frame = 0; frame < 5; ++frame)
    {
        image->getGraphics()->getMutableBrush().setColour(CAlphaColour(50 * frame, 255 - 50 * frame, 60));
        image->getGraphics()->fillRectangle(CRect(0, 20 * frame, 4, 20));
    }
    image->unintialise();
    return image;
}
std::string frame(long index) { return rgbText(50 * index, 255 - 50 * index, 60); }
const std::string white = "255,255,255", blue = "0,0,255";

TEST(CAutoAnimationTest, eachStyleStepsAFrameATickOfItsOwnTimerAndOnlyOneWayRunsStop)
{
    // The value before the first tick, then after each; the tick after which the run stops (0 none).
    const struct
    {
        const char* what;
        long frames;
        std::vector<long> styles;
        std::vector<double> values;
        size_t stop;
    } cases[] = {
        {"Forward: ten steps, then 0 and stopped", 10, {0}, {0, .1, .2, .3, .4, .5, .6, .7, .8, .9, 1, 0}, 11},
        {"Backward from 1, back to 1 and stopped", 4, {1}, {1, .75, .5, .25, 0, 1}, 5},
        {"Bounce turns a step beyond each end", 4, {2}, {0, .25, .5, .75, 1, 1.25, 1, .75, .5, .25, 0, -.25, 0}, 0},
        {"Forward Loop wraps to 0", 4, {3}, {0, .25, .5, .75, 1, 0, .25}, 0},
        {"Backward Loop wraps to 1", 4, {4}, {0, 1, .75}, 0},
        {"a strip of no frames keeps a step of 0", 0, {0}, {0, 0, 0}, 0},
        {"styles outside 0..4 are refused", 4, {7, 2, 5, -1}, {0, .25, .5, .75, 1, 1.25, 1}, 0},
    };
    for (const auto& row : cases)
    {
        SCOPED_TRACE(row.what);
        CTimerLogWindow window;
        auto* animation = new CAutoAnimation(window.getControlRoot(), 7, CRect(10, 10, 4, 4));
        window.getControlRoot()->addControl(animation);
        animation->setAutoAnimationImage(strip(), 20, row.frames);
        for (long style : row.styles)
            animation->setAnimationStyle(style);
        animation->startAnimation(40);
        window.timerExpired(8);
        for (size_t tick = 0; tick < row.values.size(); window.timerExpired(7), ++tick)
        {
            EXPECT_NEAR(row.values[tick], animation->getValue(), 1e-9) << tick;
            EXPECT_EQ(row.stop != 0 && tick >= row.stop, window.log.back() == "stop 7") << tick;
        }
        EXPECT_EQ(CEventLog(row.values.size(), "10,10,4,4"), window.redraws);
        window.getControlRoot()->clearControls();
        CEventLog expected = {"add", "start 7 40", "stop 7", "remove"};
        if (row.stop == 0)
            expected.erase(expected.begin() + 2);
        EXPECT_EQ(expected, window.log);
    }
}

TEST(CAnimationFrameTest, theIndexDrawsAWholeFrameOfTheStripOrNothingAndALeftPressIsReportedOnceMouseIsOn)
{
    // Index, frame height, picture, enabled; the colours at the frame's top row and middle.
    const struct { long index, height; bool image, enabled; std::string top, middle; } cases[] = {
        {3, 20, true, true, frame(3), frame(3)}, {4, 20, true, true, frame(4), frame(4)},
        {5, 20, true, true, white, white},       {-1, 20, true, true, white, white},
        {1, 0, true, true, white, white},        {3, 20, false, true, "0,0,0", "0,200,0"},
        {3, 20, true, false, white, white}};
    for (const auto& row : cases)
    {
        CControlBench bench;
        CRecordingActionListener listener;
        auto* control = new CAnimationFrame(&bench.root(), 1, CRect(10, 10, 4, 20));
        bench.root().addControl(control);
        control->setDefaultControlColours(CAlphaColour(0, 200, 0), CAlphaColour::black());
        control->setDefaultDrawing(true);
        control->setFrameImage(row.image ? strip() : nullptr, row.height);
        row.enabled ? control->enable() : control->disable();
        control->setFrameIndex(row.index);
        EXPECT_EQ(CEventLog{"10,10,4,20"}, bench.redraws);
        COffscreenCanvas canvas(30, 40);
        canvas.draw(bench.root());
        EXPECT_EQ(row.top + row.middle + row.top + white,
                  canvas.rgb(12, 10) + canvas.rgb(12, 20) + canvas.rgb(12, 29) + canvas.rgb(12, 30))
            << row.index;

        if (!row.enabled)
            continue;
        // Mouse events are off after construction; then only a left press reports, with its keys.
        control->registerActionListener(&listener);
        bench.mouse(CMouseEvent::kLeftButtonDown, 12, 12, kShift);
        control->setMouseEnabled(true);
        bench.mouse(CMouseEvent::kRightButtonDown, 12, 12);
        bench.mouse(CMouseEvent::kLeftButtonDown, 12, 12, kShift);
        EXPECT_EQ(std::vector<IControl*>{control}, listener.controls);
        EXPECT_EQ(std::vector<bool>{true}, listener.shifts);
    }
}

TEST(AnimationFrameAndAreaBoxTest, aPictureSetAgainOnTheControlThatSolelyHoldsItStaysAlive)
{
    CControlBench bench;
    auto* control = new CAnimationFrame(&bench.root(), 1, CRect(0, 0, 4, 20));
    auto* animation = new CAutoAnimation(&bench.root(), 2, CRect(10, 0, 4, 20));
    bench.root().addControl(control);
    bench.root().addControl(animation);
    IImage* const images[] = {strip(), strip()};
    for (int twice = 0; twice < 2; ++twice)
        control->setFrameImage(images[0], 20), animation->setAutoAnimationImage(images[1], 20, 5);
    EXPECT_EQ(2, images[0]->getReferenceCount() + images[1]->getReferenceCount());
    COffscreenCanvas canvas(20, 30);
    canvas.draw(bench.root());
    EXPECT_EQ(frame(0) + frame(0), canvas.rgb(2, 10) + canvas.rgb(12, 10));
}

class AnimationFrameAndAreaBoxLayoutTest : public CControlLayoutBench
{
};

TEST_F(AnimationFrameAndAreaBoxLayoutTest, theStyleIsOneOfFiveAndOnlyAKnownFilmStripIsTakenAndBothTravelInALayout)
{
    Brivant::GUI::Graphics::CImageManager::addAnimation(CString("{}"), CString("up.tga"), CString("strip"), 2, 4);
    auto& animation = dynamic_cast<CAutoAnimation&>(make("CAutoAnimation", CRect(0, 0, 8, 2), "Primary Image=strip"));
    CControlDescriptor style(CString("AnimationStyle"), CControlDescriptor::kSelection, nullptr);
    for (long index : {2, -1, 5, 1})
    {
        style.setSelectedIndex(index);
        EXPECT_EQ(index == 2 || index == 1, animation.applyDescriptor(style)) << index;
    }
    EXPECT_EQ(1.0, animation.getValue());
    ASSERT_TRUE(animation.fillDescriptor(style));
    using CNames = Brivant::Collections::TCountedPointerArray<CString>;
    EXPECT_EQ(5, dynamic_cast<CNames&>(*style.getValue()).getInsertIndex());
    make("CAnimationFrame", CRect(0, 2, 8, 2), "Primary Image=strip;!Primary Image=up;!Primary Image=unknown");

    Brivant::IO::CXMLNode written(CString("controls"), nullptr);
    ASSERT_TRUE(bench.root().writeToXmlNode(&written));
    EXPECT_NE(std::string::npos, layoutText(written).find("Invert False\ndescriptor selection AnimationStyle 1"));
    CControlBench other;
    ASSERT_TRUE(other.root().readFromXmlNode(&written));
    EXPECT_EQ(layoutText(written), layoutText(other.root()));
    EXPECT_EQ(0.25, dynamic_cast<CAutoAnimation&>(*other.root().getControl(0, true)).getStep());
    EXPECT_EQ(2, dynamic_cast<CAnimationFrame&>(*other.root().getControl(1, true)).getFrameHeight());
}

TEST_F(AnimationFrameAndAreaBoxLayoutTest, theAreaBoxDrawsOnlyItsOutlineInTheFrameColourAndOnlyWhileEnabled)
{
    // The settings, and the pixels of the blue ring round (20, 10) to (49, 29); all others stay white.
    const std::pair<const char*, long> cases[] = {
        {"Frame Colour=0,0,255,255", 2 * 30 + 2 * 18},
        {"Frame Colour=0,0,255,255;Background Colour=0,200,0,255;Default Drawing=1;Primary Image=up", 96},
        {"Frame Colour=0,0,255,255;Is Enabled=0;Disabled Image=disabled", 0}};
    for (const auto& row : cases)
    {
        bench.root().clearControls();
        EXPECT_FALSE(make("CAreaBox", CRect(20, 10, 30, 20), row.first).isMouseEnabled());
        const CPixels pixels = draw();
        EXPECT_EQ(row.second, pixels.count(20, 10, 30, 20, blue)) << row.first;
        EXPECT_EQ(200L * 100 - row.second, pixels.countAll(white)) << row.first;
        EXPECT_EQ(row.second != 0, pixels.rgb(20, 10) == blue && pixels.rgb(49, 29) == blue) << row.first;
    }
}
} // namespace
