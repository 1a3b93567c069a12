// CLatchingButton and CMomentaryButton: which mouse sequences and values latch or press them and which report,
// and the cursor and lock of the cursor change.
#include "gui/controls/CLatchingButton.hpp"
#include "gui/controls/CMomentaryButton.hpp"
#include "gui/core/CCursor.hpp"
#include "gui/core/CRGBAImage.hpp"
#include "tests/gui/controls/CControlLayoutBench.hpp"

#include <limits>
#include <sstream>
#include <utility>

namespace
{
using Brivant::GUI::Windowing::CCursor;
using namespace VolturaTests;

class CPushButtonsTest : public CControlLayoutBench
{
protected:
    // At (20, 10), 64 by 32, with the mouse showing the wait cursor; a script starting "!" clears the cursor change.
    CControl& button(const char* className, const std::string& script)
    {
        CControl& control = make(className, CRect(20, 10, 64, 32), script[0] == '!' ? "Cursor Change=0" : "");
        control.registerActionListener(&listener);
        bench.window().getMousePointer().setCursor(&CCursor::waitCursor());
        bench.redraws.clear();
        return control;
    }

    // "D" left down, "U" left up, "C" double click, "M" move, "R" right down, "W" wheel, each followed by "x,y".
    void play(const std::string& script)
    {
        const std::string kinds = "DUCMRW";
        const long types[] = {CMouseEvent::kLeftButtonDown, CMouseEvent::kLeftButtonUp, CMouseEvent::kDoubleClick,
                              CMouseEvent::kMouseMove,      CMouseEvent::kRightButtonDown, CMouseEvent::kMouseWheel};
        std::istringstream steps(script[0] == '!' ? script.substr(1) : script);
        char kind = 0, comma = 0;
        long x = 0, y = 0;
        while (steps >> kind >> x >> comma >> y)
            bench.mouse(types[kinds.find(kind)], x, y, kNoModifier, kind == 'W' ? 1.0 : 0.0);
    }

    CRecordingActionListener listener;
};

TEST_F(CPushButtonsTest, aReleaseOnTheButtonOrAValueLatchesOrPressesItAndOnlyTheReleaseReports)
{
    const char *const latching = "CLatchingButton", *const momentary = "CMomentaryButton";
    const char *const on = "102,200,85", *const off = "243,32,32";
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // A value of -1 leaves the button's own.
    const struct
    {
        const char* className;
        double value;
        const char* script;
        size_t reports;
        const char* shown;
        double after;
    } cases[] = {
        {latching, -1, "D40,20 U40,20", 1, on, 1.0},
        {latching, 1.0, "D40,20 U40,20", 1, off, 0.0},
        {latching, 0.3, "D40,20 U40,20", 1, on, 0.7}, // mirrored, not snapped
        {latching, 0.5, "D40,20 U40,20", 1, on, 0.5},
        {latching, -1, "D40,20 U40,20 C40,20 U40,20", 2, off, 0.0},
        {latching, -1, "D40,20 M150,80 U150,80", 0, off, 0.0},
        {latching, -1, "D40,20 U150,80", 0, off, 0.0}, // still locked, but released off the button
        {latching, -1, "!D40,20 U150,80", 0, off, 0.0},
        {latching, -1, "R40,20 W40,20 C40,20", 0, off, 0.0},
        {latching, 0.4999, "", 0, off, 0.4999},
        {latching, 3.0, "", 0, on, 3.0},
        {latching, nan, "", 0, off, 0.0}, // NaN counts as 0
        {latching, nan, "D40,20 U40,20", 1, on, 1.0},
        {momentary, -1, "D40,20", 0, on, 1.0},
        {momentary, -1, "D40,20 U40,20", 1, off, 1.0},
        {momentary, -1, "D40,20 U40,20 C40,20 U40,20", 2, off, 1.0},
        {momentary, -1, "D40,20 M150,80", 0, off, 1.0}, // pops up when the pointer leaves
        {momentary, -1, "!D40,20 M150,80 U150,80", 0, on, 1.0},
        {momentary, -1, "D40,20 U150,80", 0, off, 1.0},
        {momentary, 1.0, "", 0, on, 1.0},
        {momentary, 0.99, "", 0, off, 0.99},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(std::string(test.className) + " " + std::to_string(test.value) + " " + test.script);
        bench.root().clearControls();
        listener.controls.clear();
        CControl& control = button(test.className, test.script);
        if (test.value != -1)
            control.setValue(test.value);
        // Only the momentary button redraws for a value.
        EXPECT_EQ(test.value != -1 && test.className == momentary ? 1u : 0u, bench.redraws.size());
        play(test.script);
        EXPECT_EQ(std::vector<IControl*>(test.reports, &control), listener.controls);
        EXPECT_EQ(test.shown, draw().rgb(52, 26));
        EXPECT_NEAR(test.after, control.getValue(), 1e-12);
    }
}

TEST_F(CPushButtonsTest, theCursorChangeShowsTheHandAndLocksTheButtonOnlyWhileThePointerIsOnIt)
{
    const struct
    {
        const char* script;
        CCursor* cursor;
        bool locked;
    } cases[] = {
        {"D40,20", &CCursor::handCursor(), true},
        {"M84,42", &CCursor::handCursor(), true}, // the lower right corner is on the button
        {"M40,20 M85,20", &CCursor::arrowCursor(), false},
        {"D40,20 U40,20", &CCursor::handCursor(), false},
        {"D40,20 U150,80", &CCursor::arrowCursor(), false},
        {"!M40,20 D40,20 M150,80 M40,20", &CCursor::waitCursor(), false},
    };
    for (const char* className : {"CLatchingButton", "CMomentaryButton"})
        for (const auto& test : cases)
        {
            SCOPED_TRACE(std::string(className) + " " + test.script);
            bench.root().clearControls();
            CControl& control = button(className, test.script);
            play(test.script);
            EXPECT_EQ(test.cursor, bench.window().getMousePointer().getCursor());
            EXPECT_EQ(test.locked ? &control : nullptr, bench.root().getLockedControl());
        }
}
TEST_F(CPushButtonsTest, bothButtonsSwapTheirDownImageAsCountedAndKeepOneHandedInAgain)
{
    using Brivant::GUI::Controls::CLatchingButton;
    using Brivant::GUI::Controls::CMomentaryButton;
    for (const char* className : {"CLatchingButton", "CMomentaryButton"})
    {
        CControl& control = button(className, "");
        auto* latching = dynamic_cast<CLatchingButton*>(&control);
        auto* momentary = dynamic_cast<CMomentaryButton*>(&control);
        const auto setDown = [&](Brivant::GUI::Graphics::IImage* image) {
            latching != nullptr ? latching->setDownImage(image) : momentary->setDownImage(image);
        };
        // Only the button holds the first: given again, it must not be freed on the way.
        auto* first = new Brivant::GUI::Graphics::CRGBAImage();
        auto* second = new Brivant::GUI::Graphics::CRGBAImage();
        second->referenced();
        setDown(first);
        setDown(first);
        EXPECT_EQ(1, first->getReferenceCount()) << className;
        setDown(second);
        EXPECT_EQ(2, second->getReferenceCount()) << className;
        bench.root().clearControls();
        EXPECT_EQ(1, second->getReferenceCount()) << className;
        second->dereference();
    }
}

TEST_F(CPushButtonsTest, aLockTakenBeforeTheCursorChangeWasClearedGoesAtTheNextReleaseOrMoveOff)
{
    for (const char* className : {"CLatchingButton", "CMomentaryButton", "CPopupButton"})
        for (const char* release : {"U40,20", "U150,80", "M150,80"})
        {
            SCOPED_TRACE(std::string(className) + " " + release);
            bench.root().clearControls();
            CControl& control = button(className, "");
            play("M40,20");
            ASSERT_EQ(&control, bench.root().getLockedControl());
            set(control, "Cursor Change=0");
            play(std::string("D40,20 ") + release);
            EXPECT_EQ(nullptr, bench.root().getLockedControl());
        }
}

TEST_F(CPushButtonsTest, anInfiniteValueIsMirroredFromTheEndItLiesBeyond)
{
    const double infinity = std::numeric_limits<double>::infinity();
    for (const char* className : {"CLatchingButton", "CPopupButton"})
        for (const auto& [value, after] : {std::pair<double, double>(infinity, 0.0), {-infinity, 1.0}})
        {
            SCOPED_TRACE(std::string(className) + " " + std::to_string(value));
            bench.root().clearControls();
            CControl& control = button(className, "");
            control.setValue(value);
            play("D40,20 U40,20");
            EXPECT_EQ(after, control.getValue());
            play("D40,20 U40,20");
            EXPECT_EQ(1.0 - after, control.getValue());
        }
}
} // namespace
