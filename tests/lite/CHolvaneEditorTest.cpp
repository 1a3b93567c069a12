// VolturaLite's editor: its starting values and the indexes it answers to; what it shares with the Pro editor, its
// panel and its value labels among them, runs from TEditorEditionTests.hpp.
#include "tests/editor/TEditorEditionTests.hpp"

#include "gui/controls/CKnob.hpp"
#include "lite/CHolvane.hpp"
#include "lite/CHolvaneEditor.hpp"

#include <vector>

namespace VolturaTests
{
using Brivant::Holvane::CHolvane;
using Brivant::Holvane::CHolvaneEditor;
using Brivant::MathTools::CRect;

struct CLiteEdition
{
    using Effect = CHolvane;
    using Editor = CHolvaneEditor;
    static constexpr long kMeterIndex = 7;
    static constexpr long kWidth = 500;
    static constexpr long kHeight = 158;
    static constexpr double kMeterStart = 0.0;
    static constexpr CExpectedRow kRows[] = {
        {"CMomentaryButton", 8, 350, 0, 40, 17},    {kKnob, 0, 405, 65, 36, 48},
        {kLabel, 0, 398, 115, 96, 20},              {kLabel, -1, 405, 55, 96, 20, "Master"},
        {kKnob, 1, 30, 65, 36, 48},                 {kLabel, 1, 30, 115, 96, 20},
        {kLabel, -1, 25, 55, 96, 20, "Threshold"},  {kKnob, 2, 105, 65, 36, 48},
        {kLabel, 2, 105, 115, 96, 20},              {kLabel, -1, 115, 55, 96, 20, "Ratio"},
        {kKnob, 3, 180, 65, 36, 48},                {kLabel, 3, 175, 115, 96, 20},
        {kLabel, -1, 185, 55, 96, 20, "Attack"},    {kKnob, 4, 255, 65, 36, 48},
        {kLabel, 4, 250, 115, 96, 20},              {kLabel, -1, 255, 55, 96, 20, "Release"},
        {kKnob, 5, 330, 65, 36, 48},                {kLabel, 5, 333, 115, 90, 20},
        {kLabel, -1, 330, 55, 90, 20, "Dry/Wet"},   {"CLevelMeter", -1, 460, 55, 10, 75}};
    // The same value reads alike from the host and from the knob, except Mix, which ends with a blank only from
    // the host; Ratio shows the ratio of the complement the effect holds.
    static constexpr CLabelCase kLabelCases[] = {
        {false, 5, 1.0f, "1.000 "},      {true, 5, 1.0f, "1.000"},       {false, 5, 0.0f, "0.000 "},
        {true, 5, 0.25f, "0.250"},       {false, 2, 1.0f, "20.000 :1"},  {true, 2, 1.0f, "20.000 :1"},
        {false, 2, 0.0f, "1.000 :1"},    {false, 1, 0.0f, "-50.000 dB"}, {true, 0, 1.0f, "20.000 dB"},
        {false, 3, 1.0f, "1000.000 ms"}, {true, 4, 0.0f, "1.000 ms"}};
};

INSTANTIATE_TYPED_TEST_SUITE_P(Lite, TEditorEditionTest, CLiteEdition);

class CLiteEditorTest : public TEditorEditionTest<CLiteEdition>
{
protected:
    std::vector<std::string> labels(const CHolvaneEditor& editor) const
    {
        std::vector<std::string> texts;
        for (long index = 0; index < CHolvane::kNumberOfParameters; ++index)
            texts.push_back(editor.getValueLabel(index)->getText().getString());
        return texts;
    }
};

// The effect tells the editor nothing once it is built: knobs and labels alike come from its values, for the
// default program and for an editor built on another.
TEST_F(CLiteEditorTest, knobsAndLabelsStartAtTheEffectsValues)
{
    CHolvane effect(CRecordingHost::callback);
    const std::vector<std::string> program0 = {"0.000 dB", "0.000 dB",  "1.000 :1",
                                               "5.623 ms", "31.623 ms", "1.000 "};
    const std::vector<std::string> program5 = {"0.200 dB", "-8.000 dB", "20.000 :1",
                                               "1.000 ms", "7.943 ms",  "1.000 "};
    for (const auto* expected : {&program0, &program5})
    {
        if (expected == &program5)
        {
            // A new editor on the effect, now at another program; the effect deletes the one it replaces.
            AEffEditor* old = effect.getEditor();
            effect.setProgram(5);
            effect.setEditor(nullptr);
            delete old;
            new CHolvaneEditor(CRect(0, 0, 500, 158), &effect, nullptr);
        }
        const auto& editor = *static_cast<CHolvaneEditor*>(effect.getEditor());
        EXPECT_EQ(*expected, labels(editor));
        for (long index = 0; index < CHolvane::kNumberOfParameters; ++index)
            EXPECT_FLOAT_EQ(effect.getParameter(index),
                            static_cast<float>(editor.getParameterControl(index)->getValue()))
                << index;
    }
}

// Index 6 and every index past the meter's leave knobs, labels and meter as they were; the meter's index shows
// at the next idle, a peak past full scale as the whole meter.
TEST_F(CLiteEditorTest, onlyParametersAndTheMeterIndexReachThePanel)
{
    auto snapshot = [this] {
        std::vector<std::string> state = labels(*m_editor);
        for (long index = 0; index < CHolvane::kNumberOfParameters; ++index)
            state.push_back(std::to_string(knob(index)));
        state.push_back(std::to_string(m_editor->getLevelMeter()->getValue()));
        return state;
    };
    m_editor->idle();
    const auto before = snapshot();
    for (long index : {-1L, 6L, 8L, 9L, 17L, 1000L})
    {
        m_editor->updateParameter(index, 0.75);
        m_editor->idle();
        EXPECT_EQ(before, snapshot()) << index;
    }

    COffscreenCanvas empty(500, 158);
    empty.draw(*m_editor->getControlRoot());
    std::thread([this] { m_editor->updateParameter(CLiteEdition::kMeterIndex, 2.5); }).join();
    EXPECT_EQ(0.0, m_editor->getLevelMeter()->getValue()) << "not before idle";
    m_editor->idle();
    EXPECT_EQ(1.0, m_editor->getLevelMeter()->getValue());
    COffscreenCanvas full(500, 158);
    full.draw(*m_editor->getControlRoot());
    // The bottom segment and the top one, which lights only at full scale.
    for (long y : {126L, 70L})
        EXPECT_NE(empty.rgb(465, y), full.rgb(465, y)) << y;
}

// A drag up on Attack sends the knob's new value for parameter 3 to the effect and to the host.
TEST_F(CLiteEditorTest, aDragOnAttackAutomatesParameterThree)
{
    dragFromMiddle(CHolvane::kAttack, 0, -50);

    const float value = static_cast<float>(knob(CHolvane::kAttack));
    EXPECT_FLOAT_EQ(0.5f, value);
    const auto automated = m_host.callsOf(audioMasterAutomate);
    ASSERT_EQ(1u, automated.size());
    EXPECT_EQ(CHolvane::kAttack, automated[0].index);
    EXPECT_FLOAT_EQ(value, automated[0].opt);
    EXPECT_FLOAT_EQ(value, m_effect->getParameter(CHolvane::kAttack));
    EXPECT_EQ("31.623 ms", label(CHolvane::kAttack));
}
} // namespace VolturaTests
