// A push button with three looks, off, over and down, each from an image or from a rounded face in plain colours
// with a centred label. It shows the hand cursor while the pointer is on it and tells its action listener when a
// press that began on it is released, wherever the release happens.
#pragma once

#include "foundation/basics/CString.hpp"
#include "gui/core/CAlphaColour.hpp"
#include "gui/core/CControl.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CRolloverButton : public CControl
{
    BRIVANT_CLASS_RECORD(CRolloverButton, "CControl");

public:
    // The look of each state; the off look's image is the primary image.
    enum EButtonState : long
    {
        kOff = 0,
        kOver = 1,
        kDown = 2
    };

    CRolloverButton(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
                    Listeners::IActionListener* listener);
    // Releases the down and over images.
    ~CRolloverButton() override;

    // Off: the cursor is never touched.
    virtual void setCursorChange(bool cursorChange);
    // Counted; the same image changes nothing.
    virtual void setDownImage(Graphics::IImage* image);
    virtual void setOverImage(Graphics::IImage* image);

    long getButtonState() const { return m_buttonState; }
    bool isPressed() const { return m_pressed; }

    void drawControl(Graphics::CGraphics& graphics) override;
    // "Down Image", "Over Image", "Cursor Change", "Label Text" and the nine colours, after the base's.
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;

    // A press locks the button in its root until the release, so that a release off the button still reaches it.
    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    void handleLeftButtonUp(Events::CMouseEvent& event) override;
    // While pressed, leaving the button shows it off but keeps the lock; coming back counts as hovering.
    void handleMouseMovement(Events::CMouseEvent& event) override;
    void handleMouseLeavingArea(Events::CMouseEvent& event) override;

private:
    enum EColour
    {
        kOnColour,
        kOffColour,
        kOverColour,
        kOnFrameColour,
        kOffFrameColour,
        kOverFrameColour,
        kOnTextColour,
        kOffTextColour,
        kOverTextColour,
        kNumberOfColours
    };

    bool isOnButton(const Events::CMouseEvent& event) const;
    void showCursor(Events::CMouseEvent& event, bool hand) const;

    Graphics::IImage* m_downImage;
    Graphics::IImage* m_overImage;
    long m_buttonState;
    bool m_cursorChange;
    bool m_pressed;
    // Set by a press on the button and kept until its release, even off the button: only such a release reports.
    bool m_armed;
    ::Brivant::Basics::CString m_labelText;
    Basics::CAlphaColour m_colours[kNumberOfColours];
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
