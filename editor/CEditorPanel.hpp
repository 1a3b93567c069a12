// What both editions' editors build their panels from: the images of the "Resources" folder beside the library,
// knobs, labels, the information button and the level meter in the panels' common look, and the about window. The
// panel keeps one reference on every image it loads and every control it makes, each in a holder of its type; the
// window's control root holds its own, and alone holds the background.
#pragma once

#include "foundation/basics/CString.hpp"
#include "foundation/basics/CSystemString.hpp"
#include "foundation/collections/TAutomaticPointer.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "foundation/mathtools/CRect.hpp"

#include <atomic>

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CKnob;
class CLevelMeter;
class CMomentaryButton;
class CTextLabel;
class IControl;
class IControlRoot;
} // namespace Controls

namespace Graphics
{
class CPNGImage;
class IImage;
} // namespace Graphics

namespace Listeners
{
class IActionListener;
}

namespace Windowing
{
class CAboutWindow;
}
} // namespace GUI

namespace Vst
{
class CEditorPanel
{
public:
    // Knob strips hold this many frames stacked from top to bottom.
    static constexpr long kKnobFrames = 129;
    static constexpr long kLabelWidth = 96;
    static constexpr long kLabelHeight = 20;

    explicit CEditorPanel(GUI::Controls::IControlRoot* root);
    ~CEditorPanel();

    CEditorPanel(const CEditorPanel&) = delete;
    CEditorPanel& operator=(const CEditorPanel&) = delete;

    // The library's folder with "Resources" appended.
    const ::Brivant::Basics::CSystemString& getResourcesFolder() const { return m_folder; }
    // A missing or undecodable file gives an image with no picture, of size 0 by 0.
    GUI::Graphics::IImage* loadImage(const char* fileName);
    // Handed to the control root, which alone holds it.
    void loadBackground(const char* fileName);

    // Each control is added to the root in call order and kept by the panel. The knob's area is one frame of the
    // strip at (left, top).
    GUI::Controls::CKnob* addKnob(long id, long left, long top, GUI::Graphics::IImage* strip,
                                  GUI::Listeners::IActionListener* listener);
    // In the panels' label colours, made with one blank: a value label, reporting to the listener.
    GUI::Controls::CTextLabel* addValueLabel(long id, long left, long top, GUI::Listeners::IActionListener* listener,
                                             long width = kLabelWidth);
    // A value label's look, then the caption's text; id -1 and no listener.
    GUI::Controls::CTextLabel* addCaption(long left, long top, const char* text, long width = kLabelWidth);
    // The image's size at (left, top), the image when up and down, and the caption "info" over it.
    GUI::Controls::CMomentaryButton* addInfoButton(long id, long left, long top, GUI::Graphics::IImage* image,
                                                   GUI::Listeners::IActionListener* listener);
    // Green to red, showing the value until the first idle.
    GUI::Controls::CLevelMeter* addMeter(const ::Brivant::MathTools::CRect& area, long steps, double value);
    // A control the editor made and holds itself.
    void addToRoot(GUI::Controls::IControl* control);

    // Makes the about window ("splash.png") when there is none with a native window yet, in the secondary windows'
    // light grey with the given alpha. Called at construction and again at each open, since a host may build the
    // effect where no window can be made; a failure of any kind leaves it missing until the next call.
    void makeAboutWindow(double windowAlpha);
    // Null until makeAboutWindow.
    GUI::Windowing::CAboutWindow* getAboutWindow() const { return m_aboutWindow.getPointer(); }
    void showAboutWindow();

    // The meter added last; null before addMeter.
    GUI::Controls::CLevelMeter* getMeter() const { return m_meter.getPointer(); }
    // Any thread: the effect's meter value is only stored.
    void storeMeterValue(double value) { m_meterValue.store(static_cast<float>(value)); }
    // The editor's thread, at idle: the stored value, held to 0..1 (not finite counts as 0), shown on the meter;
    // the held value is stored back unless a newer one arrived meanwhile.
    void showMeterValue();
    // The number with three decimals, then the suffix.
    static ::Brivant::Basics::CString numberText(float number, const char* suffix);

private:
    GUI::Controls::CTextLabel* addLabel(long id, long left, long top, long width);

    GUI::Controls::IControlRoot* m_root;
    ::Brivant::Basics::CSystemString m_folder;
    Collections::TCountedPointerArray<GUI::Graphics::CPNGImage> m_images;
    Collections::TCountedPointerArray<GUI::Controls::CKnob> m_knobs;
    Collections::TCountedPointerArray<GUI::Controls::CTextLabel> m_labels;
    Collections::TAutomaticPointer<GUI::Controls::CMomentaryButton> m_infoButton;
    Collections::TAutomaticPointer<GUI::Controls::CLevelMeter> m_meter;
    std::atomic<float> m_meterValue;
    Collections::TAutomaticPointer<GUI::Windowing::CAboutWindow> m_aboutWindow;
};
} // namespace Vst
} // namespace Brivant
