// CRolloverButton and CRepeatingButton: which mouse sequences report, the states, lock and cursor they leave,
// the looks in pixels, the repeat timer and the properties.
#include "gui/controls/CRepeatingButton.hpp"

#include "foundation/basics/CBool.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CCursor.hpp"
#include "gui/core/CImageManager.hpp"
#include "tests/gui/controls/CControlScript.hpp"
#include "tests/gui/core/CImageManagerFixture.hpp"

#include <gtest/gtest.h>

namespace
{
using Brivant::Basics::CBool;
using Brivant::Basics::CString;
using Brivant::GUI::Controls::CControlDescriptor;
using Brivant::GUI::Controls::CRepeatingButton;
using Brivant::GUI::Controls::CRolloverButton;
using Brivant::GUI::Graphics::CImageManager;
using Brivant::GUI::Windowing::CCursor;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

// Writes down the timers its controls start and stop; the base still refuses id 0 as a real window does.
class CTimerWindow : public CTestWindow
{
public:
    CTimerWindow() : CTestWindow(CRect(0, 0, 200, 100)) {}
    void startTimer(long timerId, long milliseconds) override
    {
        timers += "start " + std::to_string(timerId) + " " + std::to_string(milliseconds) + ";";
        CTestWindow::startTimer(timerId, milliseconds);
    }
    void stopTimer(long timerId) override { timers += "stop " + std::to_string(timerId) + ";"; }

    std::string timers;
};

class CRolloverButtonTest : public CImageManagerFixture
{
protected:
    // At (20, 10), 64 by 32, the pointer showing the wait cursor.
    template <class TButton = CRolloverButton> TButton& add(long id = 5, long width = 64)
    {
        auto* button = new TButton(&root(), id, CRect(20, 10, width, 32), &listener);
        root().addControl(button);
        window.getMousePointer().setCursor(&CCursor::waitCursor());
        return *button;
    }
    CControlRoot& root() { return *dynamic_cast<CControlRoot*>(window.getControlRoot()); }
    CPixels draw()
    {
        canvas.graphics().getMutableBrush().setColour(CAlphaColour::white());
        canvas.graphics().fillRectangle(CRect(0, 0, 200, 100));
        canvas.draw(root());
        return canvas.pixels();
    }

    CTimerWindow window;
    CRecordingActionListener listener;
    COffscreenCanvas canvas{200, 100};
};

TEST_F(CRolloverButtonTest, onlyTheReleaseOfAPressOnTheButtonReportsWhereverItHappens)
{
    const struct
    {
        const char* script;
        size_t reports;
        long state;
        bool pressed;
        bool locked;
    } cases[] = {
        {"D40,20", 0, 2, true, true},
        {"D40,20 U40,20", 1, 1, false, false},
        {"D84,42 U84,42", 1, 1, false, false}, // the lower right corner is on the button
        {"D40,20 U85,20", 1, 0, false, false},
        {"D40,20 M150,80", 0, 0, false, true}, // dragged off: shown off, still locked
        {"D40,20 M150,80 U150,80", 1, 0, false, false},
        {"D40,20 M150,80 M40,20", 0, 1, false, true}, // back on it: hovering, not pressing
        {"D40,20 M150,80 M40,20 U40,20", 1, 1, false, false},
        {"D40,20 L0,0", 0, 0, false, true},
        {"D40,20 U40,20 U40,20", 1, 1, false, false},
        {"M40,20", 0, 1, false, true},
        {"M40,20 U40,20", 0, 1, false, false}, // a release with no press on the button
        {"M40,20 M150,80", 0, 0, false, false},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.script);
        root().clearControls();
        listener.controls.clear();
        CRolloverButton& button = add();
        playMouseScript(window, test.script);
        EXPECT_EQ(std::vector<IControl*>(test.reports, &button), listener.controls);
        EXPECT_EQ(test.state, button.getButtonState());
        EXPECT_EQ(test.pressed, button.isPressed());
        EXPECT_EQ(test.locked ? &button : nullptr, root().getLockedControl());
    }
}

TEST_F(CRolloverButtonTest, theHandShowsOverTheButtonAndTheArrowOffItOnlyWithTheCursorChange)
{
    const struct
    {
        const char* script;
        CCursor* cursor;
    } cases[] = {
        {"D40,20", &CCursor::handCursor()},          {"M40,20", &CCursor::handCursor()},
        {"M40,20 M150,80", &CCursor::arrowCursor()}, {"D40,20 U150,80", &CCursor::arrowCursor()},
        {"D40,20 M150,80", &CCursor::handCursor()}, // a drag off the button leaves the cursor as it is
        {"D40,20 U40,20", &CCursor::handCursor()},
    };
    for (bool change : {true, false})
        for (const auto& test : cases)
        {
            SCOPED_TRACE(std::string(test.script) + (change ? "" : " without the cursor change"));
            root().clearControls();
            add().setCursorChange(change);
            playMouseScript(window, test.script);
            EXPECT_EQ(change ? test.cursor : &CCursor::waitCursor(), window.getMousePointer().getCursor());
        }
}

TEST_F(CRolloverButtonTest, eachStateShowsItsImageAloneOrItsColoursWithTheLabel)
{
    CTemporaryFolder::writeBytes(file("face.tga"), targaFile(4, 4, std::vector<SPixel>(16, {9, 8, 7, 255})));
    CImageManager::addImage(CString("{}"), CString("face.tga"), CString("face"));
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
        root().clearControls();
        CRolloverButton& button = add();
        if (test.image)
            button.setPrimaryImage(CImageManager::getImage(CString("face")));
        CControlDescriptor label(CString("Label Text"), CControlDescriptor::kString, new CString("OK"));
        ASSERT_TRUE(button.applyDescriptor(label));
        playMouseScript(window, test.script);
        const CPixels pixels = draw();
        EXPECT_EQ(test.fill, pixels.rgb(24, 14));
        // The label's black ink inside the frame.
        EXPECT_EQ(test.label, pixels.count(24, 14, 56, 24, "0,0,0") > 0);
    }
}

TEST_F(CRolloverButtonTest, theCornersAreRoundedBySixteenthsOfTheWidth)
{
    // The corner the face should have, drawn straight into a second canvas, against the button's.
    const auto corner = [](const CPixels& pixels)
    {
        std::string texts;
        for (long y = 10; y < 18; ++y)
            for (long x = 20; x < 28; ++x)
                texts += pixels.rgb(x, y) + " ";
        return texts;
    };
    for (long width : {64L, 160L, 15L})
    {
        SCOPED_TRACE(width);
        root().clearControls();
        add(5, width);
        COffscreenCanvas expected(200, 100);
        auto& graphics = expected.graphics();
        graphics.getMutableBrush().setColour(CAlphaColour::red());
        graphics.fillRoundedRectangle(CRect(20, 10, width, 32), Brivant::MathTools::CDimension(width / 16, width / 16));
        graphics.drawRoundedRectangle(CRect(20, 10, width, 32), Brivant::MathTools::CDimension(width / 16, width / 16));
        EXPECT_EQ(corner(expected.pixels()), corner(draw()));
    }
}

TEST_F(CRolloverButtonTest, aHeldRepeatingButtonReportsAtEveryTickAndAtTheReleaseWhileAnIdOfZeroNeverStartsATimer)
{
    const struct
    {
        long id;
        long interval;
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
        root().clearControls();
        listener.controls.clear();
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
    root().clearControls();
    listener.controls.clear();
    window.timerExpired(7);
    EXPECT_TRUE(listener.controls.empty());
}

TEST_F(CRolloverButtonTest, everyPropertyTravelsThroughTheLayoutAndValuesOfAnotherClassAreRefused)
{
    CTemporaryFolder::writeBytes(file("face.tga"), targaFile(4, 4, std::vector<SPixel>(16, {9, 8, 7, 255})));
    CImageManager::addImage(CString("{}"), CString("face.tga"), CString("face"));
    CRolloverButton& source = add();
    const std::vector<std::string> defaults = {"Down Image= ",
                                               "Over Image= ",
                                               "Cursor Change=True",
                                               "Label Text= ",
                                               "On Colour=102,200,85,255",
                                               "Off Colour=243,32,32,255",
                                               "Over Colour=239,149,41,255",
                                               "On Frame Colour=0,0,0,255",
                                               "Off Frame Colour=0,0,0,255",
                                               "Over Frame Colour=0,0,0,255",
                                               "On Text Colour=0,0,0,255",
                                               "Off Text Colour=0,0,0,255",
                                               "Over Text Colour=0,0,0,255"};
    EXPECT_EQ(defaults, propertyTexts(source, 12));
    const std::map<std::string, std::string> changes = {{"Down Image", "face"},
                                                        {"Over Image", "face"},
                                                        {"Cursor Change", "False"},
                                                        {"Label Text", "Go"},
                                                        {"On Colour", "1,2,3,4"},
                                                        {"Off Colour", "5,6,7,8"},
                                                        {"Over Colour", "9,10,11,12"},
                                                        {"On Frame Colour", "13,14,15,16"},
                                                        {"Off Frame Colour", "17,18,19,20"},
                                                        {"Over Frame Colour", "21,22,23,24"},
                                                        {"On Text Colour", "25,26,27,28"},
                                                        {"Off Text Colour", "29,30,31,32"},
                                                        {"Over Text Colour", "33,34,35,36"}};
    CRepeatingButton& copy = add<CRepeatingButton>();
    ASSERT_TRUE(readChangedLayout(source, copy, changes));
    for (const std::string& text : propertyTexts(copy, 12))
        EXPECT_EQ(changes.at(text.substr(0, text.find('='))), text.substr(text.find('=') + 1));
    const std::vector<std::string> taken = propertyTexts(copy, 12);
    for (const char* name : {"Down Image", "Label Text", "Over Text Colour"})
        EXPECT_FALSE(copy.applyDescriptor(CControlDescriptor(CString(name), 0, new CBool(true)))) << name;
    EXPECT_FALSE(copy.applyDescriptor(CControlDescriptor(CString("Cursor Change"), 3, new CString("True"))));
    EXPECT_EQ(taken, propertyTexts(copy, 12));
    EXPECT_STREQ("CRolloverButton", CRepeatingButton::classRecord().getParentName());
}
} // namespace
