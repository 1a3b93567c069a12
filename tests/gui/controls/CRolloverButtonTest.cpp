// CRolloverButton and CRepeatingButton: what mouse sequences report and leave behind, the looks in pixels, the
// repeat timer and the properties.
#include "gui/controls/CRepeatingButton.hpp"

#include "gui/core/CControlPanel.hpp"
#include "gui/core/CImageManager.hpp"
#include "tests/gui/controls/CControlScript.hpp"
#include "tests/gui/core/CImageManagerFixture.hpp"

#include <gtest/gtest.h>

namespace
{
using Brivant::Basics::CString;
using Brivant::GUI::Controls::CRepeatingButton;
using Brivant::GUI::Controls::CRolloverButton;
using Brivant::GUI::Graphics::CImageManager;
using Brivant::GUI::Windowing::CCursor;
using namespace VolturaTests;

// Writes down the timers its controls start and stop; the base still refuses id 0 as a real window does.
class CTimerWindow : public CTestWindow
{
public:
    CTimerWindow() : CTestWindow(CRect(0, 0, 200, 100)) {}
    void startTimer(long id, long milliseconds) override
    {
        timers += "start " + std::to_string(id) + " " + std::to_string(milliseconds) + ";";
        CTestWindow::startTimer(id, milliseconds);
    }
    void stopTimer(long id) override { timers += "stop " + std::to_string(id) + ";"; }

    std::string timers;
};

// A panel that answers no window, as a root without one does.
class CWindowlessPanel : public Brivant::GUI::Controls::CControlPanel
{
public:
    using CControlPanel::CControlPanel;
    Brivant::GUI::Windowing::IWindow* getParentWindow() const override { return nullptr; }
};

class CRolloverButtonTest : public CImageManagerFixture
{
protected:
    CRolloverButtonTest()
    {
        CTemporaryFolder::writeBytes(file("face.tga"), targaFile(4, 4, std::vector<SPixel>(16, {9, 8, 7, 255})));
        CImageManager::addImage(CString("{}"), CString("face.tga"), CString("face"));
    }

    // At (20, 10), 64 by 32 unless told, the pointer showing the wait cursor.
    template <class TButton = CRolloverButton> TButton& add(long id = 5, long width = 64)
    {
        root().clearControls();
        listener.controls.clear();
        auto* button = new TButton(&root(), id, CRect(20, 10, width, 32), &listener);
        root().addControl(button);
        window.getMousePointer().setCursor(&CCursor::waitCursor());
        return *button;
    }
    CControlRoot& root() { return *dynamic_cast<CControlRoot*>(window.getControlRoot()); }
    CPixels draw()
    {
        COffscreenCanvas canvas(200, 100);
        canvas.draw(root());
        return canvas.pixels();
    }

    CTimerWindow window;
    CRecordingActionListener listener;
};

TEST_F(CRolloverButtonTest, onlyTheReleaseOfAPressOnTheButtonReportsWhereverItHappens)
{
    // Reports, state, pressed, locked, cursor.
    const std::pair<const char*, const char*> cases[] = {
        {"D40,20", "0 2 pressed locked hand"},
        {"D40,20 U40,20", "1 1 - - hand"},
        {"D84,42 U84,42", "1 1 - - hand"}, // the lower right corner is on the button
        {"D40,20 U85,20", "1 0 - - arrow"},
        {"D40,20 M150,80", "0 0 - locked hand"}, // dragged off: shown off, the lock and cursor kept
        {"D40,20 M150,80 U150,80", "1 0 - - arrow"},
        {"D40,20 M150,80 M160,90 M170,95", "0 0 - locked hand"}, // however many moves off
        {"D40,20 M150,80 M160,90 U160,90", "1 0 - - arrow"},
        {"D40,20 M150,80 M160,90 U160,90 M40,20 U40,20", "1 1 - - hand"}, // that press is spent
        {"D40,20 M150,80 M40,20", "0 1 - locked hand"}, // back on it: hovering, not pressing
        {"D40,20 M150,80 M40,20 U40,20", "1 1 - - hand"},
        {"D40,20 L0,0", "0 0 - locked hand"},
        {"D40,20 U40,20 U40,20", "1 1 - - hand"},
        {"M40,20", "0 1 - locked hand"},
        {"M40,20 U40,20", "0 1 - - hand"}, // a release with no press on the button
        {"M40,20 M150,80", "0 0 - - arrow"},
    };
    for (bool cursorChange : {true, false})
        for (const auto& test : cases)
        {
            SCOPED_TRACE(std::string(test.first) + (cursorChange ? "" : " without the cursor change"));
            CRolloverButton& button = add();
            button.setCursorChange(cursorChange);
            playMouseScript(window, test.first);
            const std::string expected(test.second);
            EXPECT_EQ(cursorChange ? expected : expected.substr(0, expected.rfind(' ')) + " wait",
                      std::to_string(listener.controls.size()) + " " + std::to_string(button.getButtonState()) +
                          (button.isPressed() ? " pressed" : " -") +
                          (root().getLockedControl() == &button ? " locked " : " - ") +
                          cursorName(window.getMousePointer().getCursor()));
        }
}

TEST_F(CRolloverButtonTest, eachStateShowsItsImageAloneOrItsColoursWithTheLabel)
{
    const struct
    {
        const char* script;
        bool image;
        const char* fill;
        bool label;
    } cases[] = {
        {"", false, "243,32,32", true}, {"M40,20", false, "239,149,41", true}, {"D40,20", false, "102,200,85", true},
        {"", true, "7,8,9", false},     {"M40,20", true, "239,149,41", true},  {"D40,20", true, "102,200,85", true},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(std::string(test.script) + (test.image ? " with the primary image" : ""));
        CRolloverButton& button = add();
        button.setPrimaryImage(test.image ? CImageManager::getImage(CString("face")) : nullptr);
        button.applyDescriptor(Brivant::GUI::Controls::CControlDescriptor(CString("Label Text"), 6, new CString("OK")));
        playMouseScript(window, test.script);
        const CPixels pixels = draw();
        EXPECT_EQ(test.fill, pixels.rgb(24, 14));
        EXPECT_EQ(test.label, pixels.count(24, 14, 56, 24, "0,0,0") > 0); // the label's ink inside the frame
    }
    // The corners are rounded by a sixteenth of the width: compared with a face drawn straight into a canvas.
    for (long width : {64L, 160L, 15L})
    {
        add(5, width);
        COffscreenCanvas expected(200, 100);
        const CRect face(20, 10, width, 32);
        expected.graphics().getMutableBrush().setColour(CAlphaColour::red());
        expected.graphics().fillRoundedRectangle(face, Brivant::MathTools::CDimension(width / 16, width / 16));
        expected.graphics().drawRoundedRectangle(face, Brivant::MathTools::CDimension(width / 16, width / 16));
        const CPixels drawn = draw(), wanted = expected.pixels();
        for (long y = 10; y < 18; ++y)
            for (long x = 20; x < 28; ++x)
                EXPECT_EQ(wanted.rgb(x, y), drawn.rgb(x, y)) << width << " at " << x << "," << y;
    }
}

TEST_F(CRolloverButtonTest, aHeldRepeatingButtonReportsAtEveryTickAndAtTheReleaseWhileAnIdOfZeroNeverStartsATimer)
{
    const struct
    {
        long id, interval;
        const char* press;
        int ticks;
        const char* release;
        const char* timers;
        size_t reports;
    } cases[] = {
        {7, 100, "D40,20", 3, "U40,20", "start 7 100;stop 7;", 4},
        {7, 250, "D40,20", 1, "M150,80 U150,80", "start 7 250;stop 7;stop 7;", 2},
        {7, 100, "D40,20 M150,80", 0, "M40,20 U40,20", "start 7 100;stop 7;stop 7;stop 7;", 1},
        {7, 100, "D40,20", 0, "L0,0", "start 7 100;stop 7;", 0},
        {7, 100, "M40,20", 0, "", "stop 7;", 0},
        {0, 100, "D40,20", 0, "M150,80 U150,80", "", 1},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(std::string(test.press) + " " + test.release + " id " + std::to_string(test.id));
        window.timers.clear();
        auto& button = add<CRepeatingButton>(test.id);
        button.setRepeatInterval(test.interval);
        EXPECT_NO_THROW(playMouseScript(window, test.press));
        for (int tick = 0; tick < test.ticks; ++tick)
            window.timerExpired(test.id);
        playMouseScript(window, test.release);
        EXPECT_EQ(test.timers, window.timers);
        EXPECT_EQ(std::vector<IControl*>(test.reports, &button), listener.controls);
    }
    // A button gone from its root is gone from the window's timed objects too.
    add();
    window.timerExpired(7);
    EXPECT_TRUE(listener.controls.empty());
}

TEST_F(CRolloverButtonTest, aRepeatingButtonInARootWithoutAWindowStillReportsItsReleaseButNeverRepeats)
{
    root().clearControls();
    auto* panel = new CWindowlessPanel(&window, &root(), 1, CRect(0, 0, 200, 100), nullptr);
    root().addControl(panel);
    auto* button = new CRepeatingButton(panel, 7, CRect(20, 10, 64, 32), &listener);
    panel->addControl(button);
    for (const char* script : {"D40,20", "M150,80 M40,20 D40,20", "U40,20"})
    {
        EXPECT_NO_THROW(playMouseScript(window, script)) << script;
        window.timerExpired(7);
    }
    EXPECT_EQ(std::vector<IControl*>(1, button), listener.controls);
    EXPECT_EQ("", window.timers);
    root().removeControl(panel);
}

TEST_F(CRolloverButtonTest, everyPropertyTravelsThroughTheLayoutAndOnlyAsItsOwnClass)
{
    CRolloverButton source(&root(), 1, CRect(0, 0, 50, 50), nullptr);
    CRepeatingButton copy(&root(), 2, CRect(0, 0, 50, 50), nullptr);
    expectPropertiesTravel(
        source, copy, 12,
        "Down Image= |Over Image= |Cursor Change=True|Label Text= |On Colour=102,200,85,255|Off Colour=243,32,32,255|"
        "Over Colour=239,149,41,255|On Frame Colour=0,0,0,255|Off Frame Colour=0,0,0,255|Over Frame Colour=0,0,0,255|"
        "On Text Colour=0,0,0,255|Off Text Colour=0,0,0,255|Over Text Colour=0,0,0,255",
        "Down Image=face|Over Image=face|Cursor Change=False|Label Text=Go|On Colour=1,2,3,4|Off Colour=5,6,7,8|"
        "Over Colour=9,1,2,3|On Frame Colour=4,5,6,7|Off Frame Colour=8,9,1,2|Over Frame Colour=3,4,5,6|"
        "On Text Colour=7,8,9,1|Off Text Colour=2,3,4,5|Over Text Colour=6,7,8,9");
    EXPECT_STREQ("CRolloverButton", CRepeatingButton::classRecord().getParentName());
}
} // namespace
