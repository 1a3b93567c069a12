// What both editions' editors are: a panel drawn from the images of the "Resources" folder beside the library, with
// a control, a value label and a caption for each row of the edition's parameter table, the information button that
// shows the about window and the level meter. It binds each control and its value label to the parameter, shows the
// host's values (at once on the editor's thread, from any other at the next idle) and passes the user's changes to
// the effect. It keeps its own copies of the parameter objects only to write the value labels, one reference on
// every image it loads and every control it makes, each in a holder of its type; the window's control root holds
// its own, and alone holds the background.
#pragma once

#include "compressor/CParameterDescription.hpp"
#include "editor/CVstWindow.hpp"
#include "foundation/basics/CString.hpp"
#include "foundation/basics/CSystemString.hpp"
#include "foundation/collections/TAutomaticPointer.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "foundation/mathtools/CRect.hpp"

#include <atomic>
#include <memory>
#include <vector>

class CVstParam;

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CKnob;
class CLatchingButton;
class CLevelMeter;
class CMomentaryButton;
class CTextLabel;
class IControl;
} // namespace Controls

namespace Graphics
{
class CPNGImage;
class IImage;
} // namespace Graphics

namespace Windowing
{
class CAboutWindow;
}
} // namespace GUI

namespace Vst
{
class CEditorPanel : public CVstWindow
{
public:
    // Knob strips hold this many frames stacked from top to bottom.
    static constexpr long kKnobFrames = 129;
    static constexpr long kLabelHeight = 20;

    // What an edition's panel is made of besides its parameter rows.
    struct CLayout
    {
        const Holvane::CParameterDescription* parameters;
        long numberOfParameters;
        // The effect's own factory, so that an edition without options links no option class.
        CVstParam* (*newParameter)(int index);
        // The index at which the effect hands over the meter value; the information button's id follows it.
        long meterIndex;
        const char* background;
        // Loaded first, in this order; knob strips and button images are found among them by name, and one not
        // listed is loaded at its first use.
        const char* const* images;
        int numberOfImages;
        const char* infoImage;
        Holvane::CPanelPoint infoAt;
        Holvane::CPanelPoint meterAt;
        long meterWidth;
        long meterHeight;
        long meterSteps;
        // Shown until the first idle.
        double meterStart;
        // The about window's, and any other window of the editor's own.
        double secondaryAlpha;
        // Whether the copies, controls and labels start at the effect's values; otherwise the effect sends them.
        bool startsAtEffectsValues;
    };

    // A layout whose parameters, their factory and the meter's index come from the edition's effect.
    template <class Effect>
    static CLayout layoutOf()
    {
        CLayout layout{};
        layout.parameters = Effect::kParameterTable;
        layout.numberOfParameters = Effect::kNumberOfParameters;
        layout.newParameter = &Effect::newParameter;
        layout.meterIndex = Effect::kMeterIndex;
        return layout;
    }

    ~CEditorPanel() override;

    CEditorPanel(const CEditorPanel&) = delete;
    CEditorPanel& operator=(const CEditorPanel&) = delete;

    // Also makes the secondary windows construction could not.
    bool open(void* window) override;
    // Shows the last block's peak in the meter, and what other threads left.
    void idle() override;
    // A parameter's value moves its control (a pop-up button shows only whether its menu is open) and rewrites
    // its value label; the meter index only stores the value. Other threads' values wait for the editor's thread.
    void updateParameter(long index, double value) override;
    // A user change of a control bound to a parameter goes to the effect, automated; the information button shows
    // the about window.
    void handleActionEvent(const GUI::Events::CActionEvent& event) override;

    // The control of a parameter and its value label; null outside the parameters.
    GUI::Controls::IControl* getParameterControl(long index) const;
    GUI::Controls::CTextLabel* getValueLabel(long index) const;
    GUI::Controls::CLevelMeter* getLevelMeter() const { return m_meter.getPointer(); }
    // Null until the construction's attempt to make it.
    GUI::Windowing::CAboutWindow* getAboutWindow() const { return m_aboutWindow.getPointer(); }

    // The library's folder with "Resources" appended.
    const ::Brivant::Basics::CSystemString& getResourcesFolder() const { return m_folder; }
    // The number with three decimals, then the suffix.
    static ::Brivant::Basics::CString numberText(float number, const char* suffix);

protected:
    // Attaches the editor to the effect and makes the parameter copies; the edition's constructor then builds the
    // panel, so that its own hooks take part.
    CEditorPanel(AudioEffect* effect, const ::Brivant::MathTools::CRect& area,
                 GUI::Windowing::CWindowAttributes* attributes, const CLayout& layout);

    // Every image, the about window, then the rows of the table in their panel order, then the meter.
    void buildPanel();

    // An edition with pop-up rows makes each pop-up button here, adds it to the root and holds it.
    virtual GUI::Controls::IControl* addPopup(const Holvane::CParameterDescription& row,
                                              const ::Brivant::MathTools::CRect& area, GUI::Graphics::IImage* up,
                                              GUI::Graphics::IImage* down);
    // The value the user chose on a pop-up button.
    virtual float popupValue(long index) const;
    // The about window, then whatever window the edition has of its own. A host may build the effect where no
    // window can be made: the effect still loads, and each open tries again for what is missing.
    virtual void makeSecondaryWindows();

private:
    GUI::Graphics::IImage* image(const char* fileName);
    void makeAboutWindow();
    void addRow(const Holvane::CParameterDescription& row);
    void addControl(const Holvane::CParameterDescription& row);
    void addValueLabel(const Holvane::CParameterDescription& row);
    void addCaption(const Holvane::CParameterDescription& row);
    GUI::Controls::CTextLabel* addLabel(long id, const Holvane::CPanelPoint& at, long width);
    void addInfoButton();
    void addMeter();
    // The host's value of a parameter: the effect's, or without one what the copy holds.
    float hostValueOf(long index);
    void setCopy(long index, float fromHost);
    // The value label's text for the parameter copy; `received` is the host's value when it came from the host.
    ::Brivant::Basics::CString labelText(long index, bool fromHost, double received) const;
    void storeMeterValue(double value) { m_meterValue.store(static_cast<float>(value)); }
    // The stored value, held to 0..1 (not finite counts as 0), shown on the meter; the held value is stored back
    // unless a newer one arrived meanwhile.
    void showMeterValue();

    CLayout m_layout;
    ::Brivant::Basics::CSystemString m_folder;
    std::unique_ptr<Collections::TAutomaticPointer<CVstParam>[]> m_copies;
    std::unique_ptr<GUI::Controls::IControl*[]> m_controls;
    std::unique_ptr<GUI::Controls::CTextLabel*[]> m_valueLabels;
    Collections::TCountedPointerArray<GUI::Graphics::CPNGImage> m_images;
    std::vector<const char*> m_imageNames;
    Collections::TCountedPointerArray<GUI::Controls::CKnob> m_knobs;
    Collections::TCountedPointerArray<GUI::Controls::CLatchingButton> m_latchingButtons;
    Collections::TCountedPointerArray<GUI::Controls::CTextLabel> m_labels;
    Collections::TAutomaticPointer<GUI::Controls::CMomentaryButton> m_infoButton;
    Collections::TAutomaticPointer<GUI::Controls::CLevelMeter> m_meter;
    std::atomic<float> m_meterValue;
    Collections::TAutomaticPointer<GUI::Windowing::CAboutWindow> m_aboutWindow;
};
} // namespace Vst
} // namespace Brivant
