// A push button that switches between off and on at each left-button release on it and reports the change. It is
// drawn from the base's primary image (off) and a down image (on), or without them as a rounded rectangle in the
// off or on colours with a one-line caption. Pop-up buttons, radio buttons' members and the tree view's expansion
// buttons derive from it.
#pragma once

#include "gui/controls/CButtonFace.hpp"
#include "gui/core/CControl.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CLatchingButton : public CControl
{
    BRIVANT_CLASS_RECORD(CLatchingButton, "CControl");

public:
    // Off (value 0), without images.
    CLatchingButton(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
                    Listeners::IActionListener* listener);
    // Releases the down image.
    ~CLatchingButton() override;

    virtual bool isLatched() const { return m_latched; }
    // On (the default): the hand cursor over the button, which is locked in its root while the pointer is on it.
    virtual void setCursorChange(bool cursorChange);
    // Counted; drawn while latched.
    virtual void setDownImage(Graphics::IImage* image);
    // The two operations on a face; the momentary button's setters are these same ones.
    static void setCursorChange(CButtonFace& face, bool cursorChange);
    static void setDownImage(CButtonFace& face, Graphics::IImage* image);

    bool hasCursorChange() const { return m_face.hasCursorChange(); }
    Graphics::IImage* getDownImage() const { return m_face.getDownImage(); }
    // The caption; no redraw, as with the "Label Text" property.
    void setLabelText(const ::Brivant::Basics::CString& text) { m_face.setLabelText(text); }
    const ::Brivant::Basics::CString& getLabelText() const { return m_face.getLabelText(); }

    // Latched from 0.5 up; the value itself is kept as given, NaN as 0. No redraw and no report.
    void setValue(double value) override;

    // "Down Image", "Cursor Change", "Label Text" and the six on and off colours after the base's properties.
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;

    void drawControl(Graphics::CGraphics& graphics) override;

    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    void handleMouseMovement(Events::CMouseEvent& event) override;
    // A release on the button mirrors the value (1 - value), redraws and reports.
    void handleLeftButtonUp(Events::CMouseEvent& event) override;

protected:
    CButtonFace& getFace() { return m_face; }
    const CButtonFace& getFace() const { return m_face; }

private:
    CButtonFace m_face;
    bool m_latched;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
