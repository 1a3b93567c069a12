// One row of an edition's parameter table: what the host sees of the parameter, how the effect holds it, and where
// and how the editor shows it. Each edition writes its rows once; the effect's parameter objects, the ranges the
// host extension reports, the default program and the editor's panel all come from them.
#pragma once

class CVstParam;

namespace Brivant
{
namespace Holvane
{
// Which parameter class holds the value.
enum class EParameterKind
{
    kLinear,
    kExponential,
    kOptions
};

// The editor's control for the parameter.
enum class EControlKind
{
    kKnob,
    kLatch,
    kPopup
};

// How the editor writes the value label from its copy of the parameter.
enum class ELabelRule
{
    // The real value with three decimals, then the suffix.
    kNumber,
    // 1 / real value: the slope shown as a ratio.
    kReciprocal,
    // "Wet" at 1, " Dry" at 0, else as kNumber.
    kWetDry,
    // As kNumber, with the suffix only for the host's values.
    kNumberSuffixFromHost,
    // The selected option's text, then the suffix.
    kOption
};

// A point of the editor's panel.
struct CPanelPoint
{
    long left;
    long top;
};

// Where and how the editor shows a parameter.
struct CPanelPlace
{
    ELabelRule labelRule;
    const char* labelSuffix;
    EControlKind control;
    // The knob's film strip; null for buttons.
    const char* strip;
    const char* caption;
    CPanelPoint controlAt;
    CPanelPoint valueAt;
    CPanelPoint captionAt;
    // Width of the value label and the caption.
    long labelWidth;
    // Rows are added to the panel by this number, which is also the drawing and hit-test order; within a row the
    // control comes first, then the value label and the caption, or the caption first where it says so.
    int order;
    bool captionBeforeValue;
};

// An option parameter's texts.
struct COptionTexts
{
    const char* const* texts;
    int count;
};

template <int Count>
constexpr COptionTexts optionTexts(const char* const (&texts)[Count])
{
    return {texts, Count};
}

struct CParameterDescription
{
    int index;
    const char* name;
    const char* label;
    EParameterKind kind;
    // The real range; options ignore it.
    float minimum;
    float maximum;
    COptionTexts options;
    // The host's normalised value in the default program.
    float defaultValue;
    // The object holds 1 minus the host's value.
    bool inverted;
    CPanelPlace panel;
};

// The real range as the host extension reports it: options and an inverted value report the host's own 0..1.
struct CParameterRange
{
    double minimum;
    double maximum;
};

// Host value and held value of an inverted parameter are each other's 1 - v; other parameters hold the host's.
constexpr float heldValue(const CParameterDescription& parameter, float fromHost)
{
    return parameter.inverted ? 1.0f - fromHost : fromHost;
}

constexpr float hostValue(const CParameterDescription& parameter, float held)
{
    return parameter.inverted ? 1.0f - held : held;
}

constexpr CParameterRange reportedRange(const CParameterDescription& parameter)
{
    if (parameter.kind == EParameterKind::kOptions || parameter.inverted)
        return {0.0, 1.0};
    return {parameter.minimum, parameter.maximum};
}

// A new linear or exponential parameter object as the row describes it, at normalised value 0; null for options.
CVstParam* newNumberParameter(const CParameterDescription& parameter);
// A new option parameter object, at its first option. Defined apart, so that an edition without options links no
// option class.
CVstParam* newOptionParameter(const CParameterDescription& parameter);

template <int Rows>
constexpr bool hasOptions(const CParameterDescription (&table)[Rows])
{
    for (int row = 0; row < Rows; ++row)
        if (table[row].kind == EParameterKind::kOptions)
            return true;
    return false;
}

// Every row stands at its own index: a table written out of order does not compile.
template <int Rows>
constexpr bool rowsInIndexOrder(const CParameterDescription (&table)[Rows])
{
    for (int row = 0; row < Rows; ++row)
        if (table[row].index != row)
            return false;
    return true;
}

// The parameters both editions have, at the same indexes and alike to the host and the effect; each edition places
// them on its own panel.
constexpr CParameterDescription kSharedParameters[] = {
    {0, "Master", "dB", EParameterKind::kLinear, -20.0f, 20.0f, {nullptr, 0}, 0.5f, false, {}},
    {1, "Threshold", "dB", EParameterKind::kLinear, -50.0f, 0.0f, {nullptr, 0}, 1.0f, false, {}},
    {2, "Ratio", " :1", EParameterKind::kLinear, 0.05f, 1.0f, {nullptr, 0}, 0.0f, true, {}},
    {3, "Attack", "ms", EParameterKind::kExponential, 1.0f, 1000.0f, {nullptr, 0}, 0.25f, false, {}},
    {4, "Release", "ms", EParameterKind::kExponential, 1.0f, 1000.0f, {nullptr, 0}, 0.5f, false, {}},
    {5, "Mix", "mix", EParameterKind::kLinear, 0.0f, 1.0f, {nullptr, 0}, 1.0f, false, {}},
};
static_assert(rowsInIndexOrder(kSharedParameters), "each shared row at its own index");

// A shared parameter's row, placed on an edition's panel.
constexpr CParameterDescription sharedParameter(int index, const CPanelPlace& panel)
{
    CParameterDescription row = kSharedParameters[index];
    row.panel = panel;
    return row;
}
} // namespace Holvane
} // namespace Brivant
