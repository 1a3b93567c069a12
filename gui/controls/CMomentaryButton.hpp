// A push button that is down while the left button holds it and reports each release on it. It is drawn from the
// base's primary image (up) and a down image, or without them as a rounded rectangle in the off or on colours;
// its caption is drawn in both states, over the images too, unless "Draw Text" is cleared.
#pragma once

#include "gui/controls/CButtonFace.hpp"
#include "gui/core/CControl.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CMomentaryButton : public CControl
{
    BRIVANT_CLASS_RECORD(CMomentaryButton, "CControl");

public:
    // Up, without images.
    CMomentaryButton(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
                     Listeners::IActionListener* listener);
    // Releases the down image.
    ~CMomentaryButton() override;

    // The latching button's operations. On (the default): the hand cursor over the button, which is locked in its
    // root while the pointer is on it, and pops up when the pointer leaves it while held.
    virtual void setCursorChange(bool cursorChange);
    // Counted; drawn while pressed.
    virtual void setDownImage(Graphics::IImage* image);

    bool isPressed() const { return m_pressed; }
    bool hasCursorChange() const { return m_face.hasCursorChange(); }
    bool isDrawingText() const { return m_drawText; }
    Graphics::IImage* getDownImage() const { return m_face.getDownImage(); }
    // The caption; no redraw, as with the "Label Text" property.
    void setLabelText(const ::Brivant::Basics::CString& text) { m_face.setLabelText(text); }
    const ::Brivant::Basics::CString& getLabelText() const { return m_face.getLabelText(); }

    // Pressed only at exactly 1.0; redraws, never reports.
    void setValue(double value) override;

    // The latching button's properties, then "Draw Text".
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;

    void drawControl(Graphics::CGraphics& graphics) override;

    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    void handleMouseMovement(Events::CMouseEvent& event) override;
    // Pops up; a release on the button reports.
    void handleLeftButtonUp(Events::CMouseEvent& event) override;
    // Taken and ignored: the press before it and the release after it count as usual.
    void handleDoubleClick(Events::CMouseEvent& event) override;

protected:
    CButtonFace& getFace() { return m_face; }
    const CButtonFace& getFace() const { return m_face; }

private:
    void setPressed(bool pressed);

    CButtonFace m_face;
    bool m_pressed;
    bool m_drawText;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
