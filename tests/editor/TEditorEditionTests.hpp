// What both editions' editors do alike, as typed tests over an edition descriptor: each edition's test program
// instantiates them with its effect and editor class (the two share class names, so they never share a program).
//
//   struct CProEdition { using Effect = ...; using Editor = ...; kMeterIndex, kWidth, kHeight, kMeterStart, kRows,
//                        kLabelCases; };
//   INSTANTIATE_TYPED_TEST_SUITE_P(Pro, TEditorEditionTest, CProEdition);
//
// The editor must offer getParameterControl, getValueLabel and getLevelMeter; parameter 0 is Master (a knob, -20 to
// 20 dB, label "%.3f dB") in both editions. The program defines VOLTURA_PLUGIN_FOLDER, the build's plug-in folder.
#pragma once

#include "tests/gui/CGuiTestKit.hpp"
#include "tests/gui/core/CImportPatch.hpp"
#include "tests/support/CTemporaryFolder.hpp"
#include "tests/vst/CRecordingHost.hpp"

#include "foundation/basics/CSystemString.hpp"
#include "foundation/host/CApplication.hpp"
#include "gui/controls/CLevelMeter.hpp"
#include "gui/controls/CTextLabel.hpp"
#include "gui/core/CAboutWindow.hpp"
#include "gui/core/CActionEvent.hpp"
#include "gui/core/IImage.hpp"
#include "vst/AudioEffect.hpp"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

namespace VolturaTests
{
using Brivant::GUI::Controls::CTextLabel;

// One control of the panel as the control root holds it, with the caption's text where it is a caption.
struct CExpectedRow
{
    const char* type;
    long id, left, top, width, height;
    const char* caption = nullptr;
};
constexpr const char* kKnob = "CKnob";
constexpr const char* kLabel = "CTextLabel";
constexpr const char* kLatch = "CLatchingButton";
constexpr const char* kPopup = "CPopupButton";

// A value label's text after a value from the host, or from the user through the parameter's control.
struct CLabelCase
{
    bool fromControl;
    long index;
    float value;
    const char* text;
};

// The library folder the editors take "Resources" from, for as long as the object lives.
class CLibraryFolder
{
public:
    explicit CLibraryFolder(const std::string& folder)
    {
        const auto* old = Brivant::Host::CApplication::getApplicationPath();
        m_old = old != nullptr ? old->getString() : "";
        Brivant::Host::CApplication::setApplicationPath(Brivant::Basics::CSystemString(folder.c_str()));
    }
    ~CLibraryFolder()
    {
        Brivant::Host::CApplication::setApplicationPath(Brivant::Basics::CSystemString(m_old.c_str()));
    }

private:
    std::string m_old;
};

// The build's plug-in folder, whose Resources hold the skin.
inline const char* skinFolder()
{
    return VOLTURA_PLUGIN_FOLDER;
}

// Stands in for CreateWindowExA while a test refuses windows: the editor's own window, a child of editorsHost, is
// made; every other window fails as the system fails, or throws an exception of no framework type.
struct CWindowRefusal
{
    enum EMode { kFail, kThrow };
    static inline EMode mode = kFail;
    static inline HWND editorsHost = nullptr;

    static HWND WINAPI createWindow(DWORD extendedStyle, LPCSTR className, LPCSTR name, DWORD style, int x, int y,
                                    int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID data)
    {
        if (parent == editorsHost)
            return reinterpret_cast<decltype(&createWindow)>(reinterpret_cast<void*>(GetProcAddress(
                GetModuleHandleA("user32.dll"), "CreateWindowExA")))(extendedStyle, className, name, style, x, y,
                                                                      width, height, parent, menu, instance, data);
        if (mode == kThrow)
            throw std::runtime_error("no window");
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
};

// The shared host window grows to hold the whole panel for a test.
struct CRoomyHost
{
    CRoomyHost(long width, long height) { resize(width, height); }
    ~CRoomyHost() { resize(400, 300); }
    static void resize(long width, long height)
    {
        SetWindowPos(sharedVisibleHost(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
};

// What a window shows now.
inline std::unique_ptr<CPixels> shownPixels(HWND window, long width, long height)
{
    HDC context = GetDC(window);
    auto pixels = std::make_unique<CPixels>(context, width, height);
    ReleaseDC(window, context);
    return pixels;
}

template <class Edition>
class TEditorEditionTest : public ::testing::Test
{
protected:
    using Effect = typename Edition::Effect;
    using Editor = typename Edition::Editor;

    // Counts what the effect tells the editor, then lets the editor show it.
    class CWatchedEditor : public Editor
    {
    public:
        using Editor::Editor;
        void updateParameter(long index, double value) override
        {
            if (index >= 0 && index < 32)
                ++updates[index];
            Editor::updateParameter(index, value);
        }
        std::atomic<long> updates[32] = {};
    };

    // The effect's own editor gives way to a watched one, which is brought up to the effect's values.
    TEditorEditionTest() : m_folder(skinFolder()), m_effect(new Effect(CRecordingHost::callback))
    {
        AEffEditor* built = m_effect->getEditor();
        m_effect->setEditor(nullptr);
        delete built;
        m_editor = new CWatchedEditor(Brivant::MathTools::CRect(0, 0, Edition::kWidth, Edition::kHeight),
                                      m_effect.get(), nullptr);
        for (VstInt32 index = 0; index < m_effect->getAeffect()->numParams; ++index)
            m_effect->setParameter(index, m_effect->getParameter(index));
    }

    // A press at (x, y), a move to (toX, toY) and the release there, through the editor's control root.
    static void drag(Editor& editor, long x, long y, long toX, long toY)
    {
        auto& root = *editor.getControlRoot();
        CMouseEvent event(&editor.getMousePointer(), CMouseEvent::kLeftButtonDown, 0.0);
        event.setMousePosition(Brivant::MathTools::CPoint(x, y));
        root.handleLeftButtonDown(event);
        event.setMousePosition(Brivant::MathTools::CPoint(toX, toY));
        root.handleMouseMovement(event);
        root.handleLeftButtonUp(event);
    }
    // The same on a parameter's control, from its middle by (right, down).
    void dragFromMiddle(long index, long right, long down)
    {
        const auto& area = m_editor->getParameterControl(index)->getArea();
        const long x = area.getLeft() + area.getWidth() / 2;
        const long y = area.getTop() + area.getHeight() / 2;
        drag(*m_editor, x, y, x + right, y + down);
    }
    std::string label(long index) const { return m_editor->getValueLabel(index)->getText().getString(); }
    double knob(long index) const { return m_editor->getParameterControl(index)->getValue(); }

    CLibraryFolder m_folder;
    CRecordingHost m_host;
    std::unique_ptr<Effect> m_effect;
    CWatchedEditor* m_editor;
};

TYPED_TEST_SUITE_P(TEditorEditionTest);

// Master dragged 20 pixels right from 0.5: the effect takes 0.6 automated, the host hears of it, the label says
// so, and the effect does not echo the change back into the editor.
TYPED_TEST_P(TEditorEditionTest, aKnobDraggedByTheMouseChangesTheEffectAndTellsTheHostWithoutEcho)
{
    this->m_effect->setParameter(0, 0.5f);
    const long updates = this->m_editor->updates[0];
    this->dragFromMiddle(0, 20, 0);

    EXPECT_FLOAT_EQ(0.6f, this->m_effect->getParameter(0));
    const auto automated = this->m_host.callsOf(audioMasterAutomate);
    ASSERT_EQ(1u, automated.size());
    EXPECT_EQ(0, automated[0].index);
    EXPECT_FLOAT_EQ(0.6f, automated[0].opt);
    EXPECT_EQ("4.000 dB", this->label(0));
    EXPECT_EQ(updates, this->m_editor->updates[0]) << "no echo";
    EXPECT_FALSE(this->m_editor->isUpdatingEffect());
}

// From the host on the editor's thread at once; from any other thread only at the next idle.
TYPED_TEST_P(TEditorEditionTest, hostChangesMoveTheKnobAndLabelOnTheEditorsThread)
{
    this->m_effect->setParameter(0, 0.25f);
    EXPECT_EQ(0.25, this->knob(0));
    EXPECT_EQ("-10.000 dB", this->label(0));

    std::thread([this] { this->m_effect->setParameter(0, 0.75f); }).join();
    EXPECT_EQ(0.25, this->knob(0));
    EXPECT_EQ("-10.000 dB", this->label(0));
    this->m_editor->idle();
    EXPECT_EQ(0.75, this->knob(0));
    EXPECT_EQ("10.000 dB", this->label(0));
}

// A host value left by another thread, then the user's drag of the same knob: the later change, the user's, stays
// in the effect, the knob and the label after idle.
TYPED_TEST_P(TEditorEditionTest, aUserChangeBeatsAnEarlierValueFromAnotherThread)
{
    this->m_effect->setParameter(0, 0.5f);
    std::thread([this] { this->m_effect->setParameter(0, 0.25f); }).join();
    this->dragFromMiddle(0, 20, 0);
    this->m_editor->idle();

    EXPECT_FLOAT_EQ(0.6f, this->m_effect->getParameter(0));
    EXPECT_FLOAT_EQ(0.6f, static_cast<float>(this->knob(0)));
    EXPECT_EQ("4.000 dB", this->label(0));
}

// The rows in the root's order, which is the drawing and hit-test order, and nothing after them; the meter shows
// its first value until the first idle.
TYPED_TEST_P(TEditorEditionTest, thePanelHoldsItsControlsInOrder)
{
    auto& root = *this->m_editor->getControlRoot();
    long index = 0;
    for (const CExpectedRow& row : TypeParam::kRows)
    {
        const auto* control = root.getControl(index++, true);
        SCOPED_TRACE("row " + std::to_string(index));
        ASSERT_NE(nullptr, control);
        EXPECT_STREQ(row.type, control->getClass().getClassName());
        EXPECT_EQ(row.id, control->getControlId());
        EXPECT_EQ(rectText(CRect(row.left, row.top, row.width, row.height)), rectText(control->getArea()));
        if (row.caption != nullptr)
        {
            EXPECT_STREQ(row.caption, dynamic_cast<const CTextLabel&>(*control).getText().getString());
        }
    }
    EXPECT_EQ(nullptr, root.getControl(index, true));
    EXPECT_EQ(TypeParam::kMeterStart, this->m_editor->getLevelMeter()->getValue()) << "until the first idle";
    EXPECT_STREQ("CVstWindow", TypeParam::Editor::classRecord().getParentName());
}

// The label rule for values from the host and from the control; the effect holds the value either way.
TYPED_TEST_P(TEditorEditionTest, valueLabelsFollowTheRuleFromTheHostAndFromTheControl)
{
    for (const CLabelCase& test : TypeParam::kLabelCases)
    {
        if (test.fromControl)
        {
            auto* control = this->m_editor->getParameterControl(test.index);
            control->setValue(test.value);
            this->m_editor->handleActionEvent(Brivant::GUI::Events::CActionEvent(control));
        }
        else
            this->m_effect->setParameter(test.index, test.value);
        EXPECT_EQ(test.text, this->label(test.index))
            << test.index << (test.fromControl ? " from the control" : " from the host");
        EXPECT_FLOAT_EQ(test.value, this->m_effect->getParameter(test.index));
    }
}

// The meter shows the stored peak held to 0..1, and the held value replaces the stored one.
TYPED_TEST_P(TEditorEditionTest, idleHoldsTheMeterToZeroToOne)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    const double cases[][2] = {{1.7, 1.0}, {-0.3, 0.0}, {nan, 0.0}, {infinity, 0.0}, {0.25, 0.25}};
    for (const auto& test : cases)
    {
        std::thread([&] { this->m_editor->updateParameter(TypeParam::kMeterIndex, test[0]); }).join();
        this->m_editor->idle();
        EXPECT_EQ(test[1], this->m_editor->getLevelMeter()->getValue()) << test[0];
        this->m_editor->idle();
        EXPECT_EQ(test[1], this->m_editor->getLevelMeter()->getValue()) << test[0] << " stored back";
    }
}

TYPED_TEST_P(TEditorEditionTest, opensClosesAndReopensInAHostWindowShowingWhatChangedWhileClosed)
{
    const HWND host = CreateWindowExA(0, "STATIC", "host", WS_CHILD | WS_VISIBLE, 0, 0, TypeParam::kWidth,
                                      TypeParam::kHeight, sharedVisibleHost(), nullptr, nullptr, nullptr);
    ASSERT_EQ(1, this->m_effect->dispatcher(effEditOpen, 0, 0, host, 0.0f));
    EXPECT_NE(nullptr, GetWindow(host, GW_CHILD));
    this->m_effect->dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
    EXPECT_EQ(nullptr, GetWindow(host, GW_CHILD));

    this->m_effect->setParameter(0, 1.0f);
    ASSERT_EQ(1, this->m_effect->dispatcher(effEditOpen, 0, 0, host, 0.0f));
    EXPECT_EQ("20.000 dB", this->label(0));
    EXPECT_EQ(1.0, this->knob(0));
    this->m_effect->dispatcher(effEditIdle, 0, 0, nullptr, 0.0f);
    this->m_effect->dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
    DestroyWindow(host);
}

// An effect built where no window can be made, then opened where its secondary windows throw an exception of no
// framework type: the editor opens in the host's window and nothing leaves the open; a later open makes the about
// window.
TYPED_TEST_P(TEditorEditionTest, anOpenMakesTheAboutWindowConstructionCouldNotAndNoExceptionLeavesIt)
{
    const HWND host = CreateWindowExA(0, "STATIC", "host", WS_CHILD | WS_VISIBLE, 0, 0, TypeParam::kWidth,
                                      TypeParam::kHeight, sharedVisibleHost(), nullptr, nullptr, nullptr);
    auto hasAboutWindow = [](const typename TypeParam::Editor& editor) {
        return editor.getAboutWindow() != nullptr && *editor.getAboutWindow()->getWindowHandle() != nullptr;
    };
    std::unique_ptr<typename TypeParam::Effect> effect;
    {
        CWindowRefusal::editorsHost = host;
        CWindowRefusal::mode = CWindowRefusal::kFail;
        CImportPatch refusal("user32.dll", "CreateWindowExA", reinterpret_cast<void*>(&CWindowRefusal::createWindow));
        ASSERT_TRUE(refusal.isActive());
        effect = std::make_unique<typename TypeParam::Effect>(CRecordingHost::callback);
        ASSERT_FALSE(hasAboutWindow(*static_cast<typename TypeParam::Editor*>(effect->getEditor())));

        CWindowRefusal::mode = CWindowRefusal::kThrow;
        VstIntPtr opened = 0;
        EXPECT_NO_THROW(opened = effect->dispatcher(effEditOpen, 0, 0, host, 0.0f));
        EXPECT_EQ(1, opened);
        EXPECT_NE(nullptr, GetWindow(host, GW_CHILD));
        effect->dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
    }
    const auto& editor = *static_cast<typename TypeParam::Editor*>(effect->getEditor());
    ASSERT_EQ(1, effect->dispatcher(effEditOpen, 0, 0, host, 0.0f));
    EXPECT_TRUE(hasAboutWindow(editor));
    effect->dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
    DestroyWindow(host);
}

// One-pixel columns and rows invalidated alone, at the right and bottom edges, in the middle and at column 384 (where
// a host once left a stale column): after the update every pixel of each shows the panel again.
TYPED_TEST_P(TEditorEditionTest, aOnePixelColumnOrRowInvalidatedAloneIsRepainted)
{
    const long width = TypeParam::kWidth;
    const long height = TypeParam::kHeight;
    const CRoomyHost roomy(width, height);
    const HWND host = CreateWindowExA(0, "STATIC", "host", WS_CHILD | WS_VISIBLE, 0, 0, width, height,
                                      sharedVisibleHost(), nullptr, nullptr, nullptr);
    ASSERT_EQ(1, this->m_effect->dispatcher(effEditOpen, 0, 0, host, 0.0f));
    const HWND editor = GetWindow(host, GW_CHILD);
    UpdateWindow(editor);
    pumpMessages(100);
    auto shown = [&] { return shownPixels(editor, width, height); };
    const auto panel = shown();

    const RECT stripes[] = {{width - 1, 0, width, height}, {width / 2, 0, width / 2 + 1, height},
                            {384, 0, 385, height},         {0, height - 1, width, height},
                            {0, height / 2, width, height / 2 + 1}};
    for (const RECT& stripe : stripes)
    {
        HDC context = GetDC(editor);
        SelectObject(context, GetStockObject(DC_BRUSH));
        SetDCBrushColor(context, RGB(255, 0, 255));
        PatBlt(context, 0, 0, width, height, PATCOPY);
        ReleaseDC(editor, context);
        InvalidateRect(editor, &stripe, FALSE);
        UpdateWindow(editor);
        const auto repainted = shown();
        long stale = 0;
        for (long y = stripe.top; y < stripe.bottom; ++y)
            for (long x = stripe.left; x < stripe.right; ++x)
                stale += repainted->raw(x, y) != panel->raw(x, y) ? 1 : 0;
        EXPECT_EQ(0, stale) << stripe.left << "," << stripe.top;
        EXPECT_EQ("255,0,255", repainted->rgb(std::max(0L, stripe.left - 1), std::max(0L, stripe.top - 1)))
            << stripe.left << "," << stripe.top << ": the scribble beside it stays";
    }
    this->m_effect->dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
    DestroyWindow(host);
}

// A host window laid out right to left mirrors the editor's window too. After a host change of any parameter and
// an idle, the panel shows what a full repaint shows.
TYPED_TEST_P(TEditorEditionTest, aHostChangeInARightToLeftHostRepaintsAsAFullRepaintWould)
{
    const long width = TypeParam::kWidth;
    const long height = TypeParam::kHeight;
    const CRoomyHost roomy(width, height);
    const HWND host = CreateWindowExA(WS_EX_LAYOUTRTL, "STATIC", "host", WS_CHILD | WS_VISIBLE, 0, 0, width, height,
                                      sharedVisibleHost(), nullptr, nullptr, nullptr);
    ASSERT_EQ(1, this->m_effect->dispatcher(effEditOpen, 0, 0, host, 0.0f));
    const HWND editor = GetWindow(host, GW_CHILD);
    EXPECT_NE(0, GetWindowLongA(editor, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
    for (VstInt32 index = 0; index < this->m_effect->getAeffect()->numParams; ++index)
    {
        this->m_effect->setParameter(index, this->m_effect->getParameter(index) < 0.5f ? 0.9f : 0.1f);
        this->m_effect->dispatcher(effEditIdle, 0, 0, nullptr, 0.0f);
        UpdateWindow(editor);
        const auto partial = shownPixels(editor, width, height);
        InvalidateRect(editor, nullptr, FALSE);
        UpdateWindow(editor);
        const auto full = shownPixels(editor, width, height);
        long stale = 0;
        for (long y = 0; y < height; ++y)
            for (long x = 0; x < width; ++x)
                stale += partial->raw(x, y) != full->raw(x, y) ? 1 : 0;
        EXPECT_EQ(0, stale) << "parameter " << index;
    }
    this->m_effect->dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
    DestroyWindow(host);
}

// Every control bound to an id reports to the editor, value labels included; the captions and the meter (id -1)
// report to no one.
TYPED_TEST_P(TEditorEditionTest, everyControlButTheCaptionsAndTheMeterReportsToTheEditor)
{
    auto& root = *this->m_editor->getControlRoot();
    const Brivant::GUI::Listeners::IActionListener* editor = this->m_editor;
    long controls = 0;
    while (const auto* control = dynamic_cast<const Brivant::GUI::Controls::CControl*>(root.getControl(controls, true)))
    {
        EXPECT_EQ(control->getControlId() == -1 ? nullptr : editor, control->getActionListener())
            << "row " << controls + 1 << ", id " << control->getControlId();
        ++controls;
    }
    EXPECT_EQ(nullptr, root.getControl(controls, true)) << "every control is a CControl";
}

// The control root alone holds the panel's background.
TYPED_TEST_P(TEditorEditionTest, theBackgroundIsHeldByTheRootAlone)
{
    const auto* root = dynamic_cast<const Brivant::GUI::Controls::CControlRoot*>(this->m_editor->getControlRoot());
    ASSERT_NE(nullptr, root);
    ASSERT_NE(nullptr, root->getBackgroundImage());
    EXPECT_TRUE(root->getBackgroundImage()->hasImageLoaded());
    EXPECT_EQ(1, root->getBackgroundImage()->getReferenceCount());
}

// Without a single image the panel still builds and draws; its image-sized controls have no size and take no
// mouse.
TYPED_TEST_P(TEditorEditionTest, withoutImagesTheControlsHaveNoSizeAndNothingFails)
{
    CTemporaryFolder empty;
    CLibraryFolder library(empty.path());
    auto effect = std::make_unique<typename TypeParam::Effect>(CRecordingHost::callback);
    auto& editor = *static_cast<typename TypeParam::Editor*>(effect->getEditor());
    const auto& area = editor.getParameterControl(0)->getArea();
    EXPECT_EQ(0, area.getWidth());
    EXPECT_EQ(0, area.getHeight());
    COffscreenCanvas canvas(TypeParam::kWidth, TypeParam::kHeight);
    canvas.draw(*editor.getControlRoot());
    this->drag(editor, area.getLeft() + 10, area.getTop() + 10, area.getLeft() + 60, area.getTop() + 10);
    EXPECT_TRUE(this->m_host.callsOf(audioMasterAutomate).empty());
}

// An editor built without an effect shows values and takes the mouse, and sends nothing anywhere.
TYPED_TEST_P(TEditorEditionTest, anEditorWithoutAnEffectWorks)
{
    typename TypeParam::Editor editor(Brivant::MathTools::CRect(0, 0, TypeParam::kWidth, TypeParam::kHeight), nullptr,
                                    nullptr);
    editor.updateParameter(0, 1.0);
    EXPECT_STREQ("20.000 dB", editor.getValueLabel(0)->getText().getString());
    const auto& area = editor.getParameterControl(0)->getArea();
    this->drag(editor, area.getLeft() + 5, area.getTop() + 5, area.getLeft() + 5, area.getTop() + 45);
    editor.idle();
    EXPECT_DOUBLE_EQ(0.8, editor.getParameterControl(0)->getValue()) << "the knob still turns";
    EXPECT_STREQ("20.000 dB", editor.getValueLabel(0)->getText().getString()) << "no effect took the change";
    EXPECT_TRUE(this->m_host.callsOf(audioMasterAutomate).empty());
}

REGISTER_TYPED_TEST_SUITE_P(TEditorEditionTest, thePanelHoldsItsControlsInOrder,
                            valueLabelsFollowTheRuleFromTheHostAndFromTheControl,
                            aKnobDraggedByTheMouseChangesTheEffectAndTellsTheHostWithoutEcho,
                            hostChangesMoveTheKnobAndLabelOnTheEditorsThread,
                            aUserChangeBeatsAnEarlierValueFromAnotherThread, idleHoldsTheMeterToZeroToOne,
                            opensClosesAndReopensInAHostWindowShowingWhatChangedWhileClosed,
                            anOpenMakesTheAboutWindowConstructionCouldNotAndNoExceptionLeavesIt,
                            aOnePixelColumnOrRowInvalidatedAloneIsRepainted,
                            aHostChangeInARightToLeftHostRepaintsAsAFullRepaintWould,
                            everyControlButTheCaptionsAndTheMeterReportsToTheEditor, theBackgroundIsHeldByTheRootAlone,
                            withoutImagesTheControlsHaveNoSizeAndNothingFails, anEditorWithoutAnEffectWorks);
} // namespace VolturaTests
