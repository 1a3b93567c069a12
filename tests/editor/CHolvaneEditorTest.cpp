// VolturaPro's editor: its value labels through the programs, its pop-up menus and the decisions about which
// controls speak for a parameter; what it shares with the Lite editor, its panel among it, runs from
// TEditorEditionTests.hpp.
#include "tests/editor/TEditorEditionTests.hpp"

#include "compressor/CHolvane.hpp"
#include "editor/CHolvaneEditor.hpp"
#include "gui/controls/CKnob.hpp"
#include "gui/controls/CLatchingButton.hpp"
#include "gui/controls/CMenu.hpp"
#include "gui/controls/CMenuItem.hpp"
#include "gui/controls/CPopupButton.hpp"
#include "gui/core/CActionEvent.hpp"
#include "gui/core/CMenuEvent.hpp"

namespace VolturaTests
{
using Brivant::GUI::Controls::CMenu;
using Brivant::GUI::Controls::CMenuItem;
using Brivant::GUI::Controls::CPopupButton;
using Brivant::GUI::Events::CActionEvent;
using Brivant::GUI::Events::CMenuEvent;
using Brivant::Holvane::CHolvane;
using Brivant::Holvane::CHolvaneEditor;

struct CProEdition
{
    using Effect = CHolvane;
    using Editor = CHolvaneEditor;
    static constexpr long kMeterIndex = 17;
    static constexpr long kWidth = 500;
    static constexpr long kHeight = 400;
    // Full until the first idle.
    static constexpr double kMeterStart = 1.0;
    static constexpr CExpectedRow kRows[] = {
        {"CMomentaryButton", 18, 350, 0, 40, 17},  {kKnob, 0, 400, 310, 36, 48},   {kLabel, 0, 396, 360, 96, 20},
        {kLabel, -1, 400, 300, 96, 20},            {kKnob, 5, 330, 310, 36, 48},   {kLabel, 5, 340, 360, 96, 20},
        {kLabel, -1, 340, 300, 96, 20},            {kKnob, 1, 100, 65, 36, 48},    {kLabel, 1, 95, 115, 96, 20},
        {kLabel, -1, 90, 55, 96, 20},              {kKnob, 2, 175, 65, 36, 48},    {kLabel, 2, 170, 115, 96, 20},
        {kLabel, -1, 180, 55, 96, 20},             {kKnob, 3, 250, 65, 36, 48},    {kLabel, 3, 240, 115, 96, 20},
        {kLabel, -1, 250, 55, 96, 20},             {kKnob, 4, 325, 65, 36, 48},    {kLabel, 4, 315, 115, 96, 20},
        {kLabel, -1, 320, 55, 96, 20},             {kKnob, 13, 400, 65, 36, 48},   {kLabel, 13, 400, 115, 96, 20},
        {kLabel, -1, 405, 55, 96, 20},             {kKnob, 6, 100, 190, 36, 48},   {kLabel, 6, 95, 240, 96, 20},
        {kLabel, -1, 95, 180, 96, 20},             {kKnob, 7, 175, 190, 36, 48},   {kLabel, 7, 170, 240, 96, 20},
        {kLabel, -1, 175, 180, 96, 20},            {kKnob, 8, 250, 190, 36, 48},   {kLabel, 8, 245, 240, 96, 20},
        {kLabel, -1, 245, 180, 96, 20},            {kKnob, 15, 325, 190, 36, 48},  {kLabel, 15, 330, 240, 96, 20},
        {kLabel, -1, 320, 180, 96, 20},            {kLatch, 10, 400, 200, 24, 38}, {kLabel, 10, 395, 240, 96, 20},
        {kLabel, -1, 395, 180, 96, 20},            {kLatch, 11, 282, 318, 24, 38}, {kLabel, 11, 285, 360, 96, 20},
        {kLabel, -1, 275, 300, 96, 20},            {kPopup, 14, 217, 318, 24, 38}, {kLabel, -1, 215, 300, 96, 20},
        {kLabel, 14, 210, 360, 96, 20},            {kPopup, 12, 92, 318, 24, 38},  {kLabel, -1, 80, 300, 96, 20},
        {kLabel, 12, 85, 360, 96, 20},             {kLatch, 9, 152, 318, 24, 38},  {kLabel, 9, 145, 360, 96, 20},
        {kLabel, -1, 140, 300, 96, 20},            {"CLevelMeter", -1, 456, 300, 20, 75}};
    // The host values the label rule treats apart.
    static constexpr CLabelCase kLabelCases[] = {
        {false, 5, 0.0f, " Dry"},      {false, 5, 0.5f, "0.500 "},   {false, 2, 1.0f, "20.000 :1"},
        {false, 15, 1.0f, "1.000 "},   {false, 9, 1.0f, "External"}, {false, 10, 1.0f, "Input "},
        {false, 12, 1.0f, "Right"}};
};

INSTANTIATE_TYPED_TEST_SUITE_P(Pro, TEditorEditionTest, CProEdition);

class CHolvaneEditorTest : public TEditorEditionTest<CProEdition>
{
protected:
    CPopupButton& popup(long index) { return *dynamic_cast<CPopupButton*>(m_editor->getParameterControl(index)); }
};

// The effect's own editor after construction (program 0) and after program 5.
TEST_F(CHolvaneEditorTest, valueLabelsFollowThePrograms)
{
    CHolvane effect(CRecordingHost::callback);
    auto& editor = *static_cast<CHolvaneEditor*>(effect.getEditor());
    const char* const program0[] = {"0.000 dB", "0.000 dB", "1.000 :1", "5.623 ms", "31.623 ms", "Wet",
                                    "0.000 db", "0.000 db", "0.000 db", "Internal", "Output ", "Off ",
                                    "Stereo",   "0.000 %",  "Bypass",   "0.000 "};
    const char* const program5[] = {"0.000 dB", "-17.500 dB", "3.478 :1", "1.000 ms", "707.946 ms", "Wet",
                                    "0.000 db", "0.000 db",   "0.000 db", "Internal", "Output ",    "On ",
                                    "Stereo",   "50.000 %",   "Bypass",   "0.000 "};
    for (long index = 0; index < 16; ++index)
        EXPECT_STREQ(program0[index], editor.getValueLabel(index)->getText().getString()) << index;
    effect.setProgram(5);
    for (long index = 0; index < 16; ++index)
        EXPECT_STREQ(program5[index], editor.getValueLabel(index)->getText().getString()) << index;
    EXPECT_FLOAT_EQ(0.65f, static_cast<float>(editor.getParameterControl(1)->getValue()));
}

// A choice reaches the effect as its value and shows its option; without a choice or an item the first choice's
// value goes. The button is unlatched afterwards either way.
TEST_F(CHolvaneEditorTest, menuChoicesSendTheirValuesAndShowTheirOptions)
{
    CMenuItem* stranger = new CMenuItem(Brivant::Basics::CString("stranger"), 7, 0, true);
    stranger->referenced();
    const struct
    {
        long index;
        long item;
        float value;
        const char* text;
    } choices[] = {{14, -2, 0.0f, "Bypass"}, {14, 1, 0.45f, "Soft"}, {14, 2, 1.0f, "Dirty"},
                   {12, 0, 0.0f, "Left"},   {12, -1, 0.0f, "Left"}, {12, 7, 0.0f, "Left"}};
    for (const auto& test : choices)
    {
        m_effect->setParameter(test.index, 0.8f);
        CPopupButton& button = popup(test.index);
        CMenu* menu = button.getMenu();
        if (test.item == -2)
            m_editor->handleActionEvent(CActionEvent(&button)); // no choice was ever made
        else
            button.handleMenuSelection(
                CMenuEvent(test.item == 7 ? stranger : test.item < 0 ? nullptr : menu->getMenuItem(test.item), menu));
        EXPECT_FLOAT_EQ(test.value, m_effect->getParameter(test.index)) << test.index << " item " << test.item;
        EXPECT_FLOAT_EQ(test.value, m_host.callsOf(audioMasterAutomate).back().opt);
        EXPECT_EQ(test.text, label(test.index));
        EXPECT_FALSE(button.isLatched());
    }
    stranger->dereference();
}

// A pop-up button shows whether its menu is open, never a parameter's value: the host's 1.0 sets only the label.
TEST_F(CHolvaneEditorTest, hostValuesOfThePopUpParametersSetTheLabelNotTheButton)
{
    for (long index : {12L, 14L})
    {
        m_effect->setParameter(index, 1.0f);
        EXPECT_FALSE(popup(index).isLatched()) << index;
        EXPECT_EQ(0.0, popup(index).getValue()) << index;
    }
    EXPECT_EQ("Right", label(12));
    EXPECT_EQ("Dirty", label(14));
}

// Only the control bound to a parameter changes it: a value label, or a control of the same id the editor did
// not bind, is ignored.
TEST_F(CHolvaneEditorTest, actionEventsCountOnlyFromTheBoundControl)
{
    Brivant::GUI::Controls::CKnob stray(m_editor->getControlRoot(), 3, Brivant::MathTools::CRect(0, 0, 5, 5),
                                        nullptr);
    stray.referenced();
    stray.setValue(0.9);
    for (Brivant::GUI::Controls::IControl* control :
         {static_cast<Brivant::GUI::Controls::IControl*>(m_editor->getValueLabel(12)),
          static_cast<Brivant::GUI::Controls::IControl*>(m_editor->getValueLabel(3)),
          static_cast<Brivant::GUI::Controls::IControl*>(&stray)})
        m_editor->handleActionEvent(CActionEvent(control));
    EXPECT_TRUE(m_host.callsOf(audioMasterAutomate).empty());
    EXPECT_FLOAT_EQ(0.4f, m_effect->getParameter(12));
}
} // namespace VolturaTests
