// CAnimation and CKnob: the frame a value shows on a generated film strip, read back as pixels, and the knob's
// drag, wheel and double-click arithmetic driven through the control root.
#include "gui/controls/CKnob.hpp"

#include "foundation/basics/CFloat.hpp"
#include "foundation/io/CXMLNode.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CRGBAImage.hpp"
#include "tests/gui/CGuiTestKit.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

namespace
{
using namespace Brivant::GUI::Controls;
using namespace VolturaTests;
using Brivant::MathTools::CRect;

const double kNaN = std::numeric_limits<double>::quiet_NaN(), kInfinity = std::numeric_limits<double>::infinity();

// Frame i is 4 by 4 in (i, 255 - i, 60), so the colour read back names the frame.
Brivant::GUI::Graphics::CRGBAImage* filmStrip(long frames)
{
    auto* image = new Brivant::GUI::Graphics::CRGBAImage();
    image->initialise(Brivant::MathTools::CDimension(4, 4 * frames));
    for (long frame = 0; frame < frames; ++frame)
    {
        image->getGraphics()->getMutableBrush().setColour(CAlphaColour(frame, 255 - frame, 60));
        image->getGraphics()->fillRectangle(CRect(0, 4 * frame, 4, 4));
    }
    image->unintialise();
    return image;
}

TEST(CAnimationTest, valueChoosesAFrameInsideTheStripAndNeverReadsOutsideThePicture)
{
    const struct
    {
        const char* what;
        long pictureFrames, declaredFrames, frameHeight;
        bool invert;
        double before, value;
        long frame; // -1: nothing drawn
    } cases[] = {
        {"0 shows the first frame", 129, 129, 4, false, 0.5, 0.0, 0},
        {"1 shows the last", 129, 129, 4, false, 0.0, 1.0, 128},
        {"0.5 shows the middle", 129, 129, 4, false, 0.0, 0.5, 64},
        {"inverted, 1 shows the first", 129, 129, 4, true, 0.5, 1.0, 0},
        {"1.5 wraps once", 129, 129, 4, false, 0.0, 1.5, 63},
        {"3 is still outside after the wrap: the last", 129, 129, 4, false, 0.0, 3.0, 128},
        {"huge: the last", 129, 129, 4, false, 0.0, 1e300, 128},
        {"inverted and infinite: the first", 129, 129, 4, true, 0.5, kInfinity, 0},
        {"negative keeps the frame drawn before", 129, 129, 4, false, 0.5, -0.25, 64},
        {"NaN keeps the frame drawn before", 129, 129, 4, false, 0.5, kNaN, 64},
        {"more frames claimed than drawn: the last whole one", 10, 129, 4, false, 0.0, 1.0, 9},
        {"no frames: nothing", 10, 0, 4, false, 0.0, 0.5, -1},
        {"frames of no height: nothing", 10, 10, 0, false, 0.0, 0.5, -1},
    };
    for (const auto& row : cases)
    {
        SCOPED_TRACE(row.what);
        CControlBench bench;
        auto* animation = new CAnimation(&bench.root(), 1, CRect(0, 0, 4, 4));
        bench.root().addControl(animation);
        animation->setAnimationImage(filmStrip(row.pictureFrames), row.frameHeight, row.declaredFrames, row.invert);
        animation->setValue(row.before);
        COffscreenCanvas(8, 8).draw(bench.root());
        animation->setValue(row.value);
        COffscreenCanvas canvas(8, 8);
        canvas.draw(bench.root());

        EXPECT_EQ(row.frame < 0 ? "255,255,255" : rgbText(row.frame, 255 - row.frame, 60), canvas.rgb(2, 2));
        const CRect& source = animation->getSourceRectangle();
        EXPECT_LE(source.getBottom(), animation->getPrimaryImage()->getImageSize().getHeight());
    }
}

// Writes down the knob's value at every report.
struct SValueListener : Brivant::GUI::Listeners::IActionListener
{
    void handleActionEvent(const Brivant::GUI::Events::CActionEvent& event) override
    {
        values.push_back(event.getControl()->getValue());
    }
    std::vector<double> values;
};

struct SStep
{
    long kind, x, y;
    int modifiers = kNoModifier;
    double wheel = 0.0;
};
const long D = CMouseEvent::kLeftButtonDown, M = CMouseEvent::kMouseMove, U = CMouseEvent::kLeftButtonUp,
           W = CMouseEvent::kMouseWheel, C = CMouseEvent::kDoubleClick;

struct SKnobCase
{
    const char* what;
    double start;
    std::vector<SStep> steps;
    std::vector<double> reported;
};

// A knob at (10, 10, 40, 40), default 0.5 (1.7 when it starts above 1), takes the steps through its root; every
// report comes with a redraw. The knob stays locked from press to release, so drags go on outside it.
void runKnobCases(const std::vector<SKnobCase>& cases)
{
    for (const SKnobCase& row : cases)
    {
        SCOPED_TRACE(row.what);
        CControlBench bench;
        SValueListener listener;
        auto* knob = new CKnob(&bench.root(), 1, CRect(10, 10, 40, 40), &listener);
        bench.root().addControl(knob);
        knob->setValue(row.start);
        knob->setDefaultValue(row.start > 1.0 ? 1.7 : 0.5);
        for (const SStep& step : row.steps)
            bench.mouse(step.kind, step.x, step.y, step.modifiers, step.wheel);

        EXPECT_EQ(row.reported.size(), listener.values.size()); // and the other rows still run
        for (size_t index = 0; index < std::min(row.reported.size(), listener.values.size()); ++index)
            EXPECT_NEAR(row.reported[index], listener.values[index], 1e-12) << "report " << index;
        EXPECT_EQ(listener.values.size(), bench.redraws.size());
        EXPECT_EQ(knob->isDragging(), bench.root().isControlLocked());
    }
}

TEST(CKnobTest, dragMovesTheValueByRightPlusUpDistanceAtTheShiftRateHeldTo0To1)
{
    runKnobCases({
        {"200 right from 0", 0.0, {{D, 20, 20}, {M, 220, 20}}, {1.0}},
        {"200 up from 0", 0.0, {{D, 20, 20}, {M, 20, -180}}, {1.0}},
        {"right 50 and down 50: no change", 0.3, {{D, 20, 20}, {M, 70, 70}}, {}},
        {"Shift from the first move", 0.0, {{D, 20, 20}, {M, 120, 20, kShift}, {M, 220, 20, kShift}}, {0.5, 0.505}},
        {"releasing Shift changes the rate from where the value stands", 0.0,
         {{D, 20, 20}, {M, 120, 20, kShift}, {M, 220, 20, kShift}, {M, 230, 20}, {M, 240, 20}},
         {0.5, 0.505, 0.5055, 0.5555}},
        {"held at 0, reported once", 0.1, {{D, 20, 20}, {M, 0, 20}, {M, -100, 20}}, {0.0}},
        {"moves after the release do nothing", 0.0, {{D, 20, 20}, {M, 30, 20}, {U, 30, 20}, {M, 120, 20}}, {0.05}},
        {"moves without a press do nothing", 0.5, {{M, 20, 20}, {M, 120, 20}}, {}},
        {"a drag from a NaN set from outside starts from 0 and moves at once", kNaN,
         {{D, 20, 20}, {M, 30, 20}, {M, 40, 20}}, {0.05, 0.1}},
        {"a drag from infinity starts from 1", kInfinity, {{D, 20, 20}, {M, 20, 30}, {M, 20, 40}}, {0.95, 0.9}},
    });
}

TEST(CKnobTest, wheelStepsByAFortiethANotchOrAQuarterOfThatWithShift)
{
    runKnobCases({
        {"up", 0.5, {{W, 20, 20, 0, 1.0}}, {0.525}},
        {"down", 0.5, {{W, 20, 20, 0, -1.0}}, {0.475}},
        {"up with Shift, whatever the notches", 0.5, {{W, 20, 20, kShift, 2.0}}, {0.50625}},
        {"no wheel value counts as down", 0.5, {{W, 20, 20, 0, 0.0}}, {0.475}},
        {"held at 1, then nothing more", 0.99, {{W, 20, 20, 0, 1.0}, {W, 20, 20, 0, 1.0}}, {1.0}},
        {"held at 0", 0.0, {{W, 20, 20, 0, -1.0}}, {}},
        {"from a NaN set from outside, up from 0", kNaN, {{W, 20, 20, 0, 1.0}, {W, 20, 20, 0, 1.0}}, {0.025, 0.05}},
    });
}

TEST(CKnobTest, doubleClickTakesTheDefaultAndAlwaysReports)
{
    runKnobCases({
        {"to the default", 0.2, {{C, 20, 20}}, {0.5}},
        {"already there, still reported", 0.5, {{C, 20, 20}}, {0.5}},
        {"a default above 1 is not held", 1.2, {{C, 20, 20}}, {1.7}},
    });
}
TEST(CKnobTest, aFloatPropertyThatIsNotFiniteIsRefusedSoTheLayoutReadsBack)
{
    CControlBench bench;
    auto* knob = new CKnob(&bench.root(), 1, CRect(10, 10, 40, 40), nullptr);
    bench.root().addControl(knob);
    knob->setDefaultValue(0.25);
    for (const char* name : {"Default Value", "Coefficient"})
        for (float value : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity()})
        {
            CControlDescriptor descriptor(Brivant::Basics::CString(name), CControlDescriptor::kFloat,
                                          new Brivant::Basics::CFloat(value));
            EXPECT_FALSE(knob->applyDescriptor(descriptor)) << name << " " << value;
            Brivant::IO::CXMLNode node(Brivant::Basics::CString("control"), nullptr);
            ASSERT_TRUE(knob->writeToXmlNode(&node));
            EXPECT_TRUE(knob->readFromXmlNode(&node)) << name << " " << value;
        }
    // The default kept is still the one a double click takes.
    bench.mouse(CMouseEvent::kDoubleClick, 20, 20);
    EXPECT_EQ(0.25, knob->getValue());
}
} // namespace
