// What the momentary and the latching button share: the down image, the caption, the fill, frame and text colours
// of the up and the down look, the cursor change, the properties that carry them, the face drawn without images,
// and the pointer feedback of the cursor change. A plain part each button holds.
#pragma once

#include "foundation/basics/CString.hpp"
#include "gui/core/CAlphaColour.hpp"

namespace Brivant
{
namespace Collections
{
template <class T>
class TCountedPointerArray;
}

namespace MathTools
{
class CRect;
}

namespace GUI
{
namespace Events
{
class CMouseEvent;
}

namespace Graphics
{
class CGraphics;
class IImage;
} // namespace Graphics

namespace Controls
{
class CControlDescriptor;
class IControl;

class CButtonFace
{
public:
    // No down image, caption " ", green and red fills with black frames and text, cursor change on.
    CButtonFace();
    // Releases the down image.
    ~CButtonFace();

    CButtonFace(const CButtonFace&) = delete;
    CButtonFace& operator=(const CButtonFace&) = delete;

    // Set through the latching button's operations.
    Graphics::IImage* getDownImage() const { return m_downImage; }
    bool hasCursorChange() const { return m_cursorChange; }
    void setLabelText(const ::Brivant::Basics::CString& text) { m_labelText = text; }
    const ::Brivant::Basics::CString& getLabelText() const { return m_labelText; }
    const Basics::CAlphaColour& getFillColour(bool down) const { return m_colours[down ? kOnFill : kOffFill]; }
    const Basics::CAlphaColour& getFrameColour(bool down) const { return m_colours[down ? kOnFrame : kOffFrame]; }
    const Basics::CAlphaColour& getTextColour(bool down) const { return m_colours[down ? kOnText : kOffText]; }

    // "Down Image", "Cursor Change", "Label Text", then the on and off fill, frame and text colours.
    static void appendDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list);
    static bool isFaceProperty(const ::Brivant::Basics::CString& name);
    // False for a missing value or one of another class, or a name that is not the face's. Nothing redraws.
    bool applyDescriptor(const CControlDescriptor& descriptor);
    bool fillDescriptor(CControlDescriptor& descriptor) const;

    // A rounded rectangle in the look's fill and frame colours, for a button without an image for the look.
    void drawRoundedFace(Graphics::CGraphics& graphics, const ::Brivant::MathTools::CRect& area, bool down) const;
    // The caption in the look's text colour, in the default font, centred on one line.
    void drawCaption(Graphics::CGraphics& graphics, const ::Brivant::MathTools::CRect& area, bool down) const;

    // The cursor change: a press shows the hand and locks the control in its root; a move shows the hand and
    // locks it while the point is on the control (edges included), the arrow and no lock off it; a release shows
    // the hand or the arrow by the point and unlocks. Nothing of this with the cursor change off. The move and the
    // release answer whether the point is on the control, whatever the setting; a release, or a move off the control,
    // also gives up a lock it took before the cursor change was cleared.
    void pointerPressed(IControl& control, Events::CMouseEvent& event) const;
    bool pointerMoved(IControl& control, Events::CMouseEvent& event) const;
    bool pointerReleased(IControl& control, Events::CMouseEvent& event) const;
    static bool isOnControl(const IControl& control, const Events::CMouseEvent& event);
    // 1 - value, the latching buttons' toggle; an infinite value toggles from the end it lies beyond.
    static double mirrored(double value);

private:
    friend class CLatchingButton;

    // The colours in the order of their properties.
    enum EColour
    {
        kOnFill,
        kOffFill,
        kOnFrame,
        kOffFrame,
        kOnText,
        kOffText,
        kNumberOfColours
    };

    Graphics::IImage* m_downImage;
    bool m_cursorChange;
    ::Brivant::Basics::CString m_labelText;
    Basics::CAlphaColour m_colours[kNumberOfColours];
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
