// A control that shows one text in its area, in a colour, a font and a cell of the text grid, over the base's
// image or default fill. Dropping files on it shows the first file's path. Text edits, step labels, progress bars,
// combo boxes and the tree view's rows derive from it.
#pragma once

#include "foundation/basics/CString.hpp"
#include "gui/core/CAlphaColour.hpp"
#include "gui/core/CControl.hpp"

namespace Brivant
{
namespace GUI
{
namespace Fonts
{
class CFont;
}

namespace Controls
{
class CTextLabel : public CControl
{
    BRIVANT_CLASS_RECORD(CTextLabel, "CControl");

public:
    // The "Alignment" choices; each code is a cell of the graphics context's text grid.
    enum EAlignment : long
    {
        kLeftTop = 0,
        kCentreTop = 1,
        kRightTop = 2,
        kLeftCentre = 3,
        kCentreCentre = 4,
        kRightCentre = 5,
        kLeftBottom = 6,
        kCentreBottom = 7,
        kRightBottom = 8,
        kDefaultLabel = 9,
        kDefaultSingleLine = 10,
        kNumberOfAlignments = 11
    };

    // Black text in the default font, alignment "Default Label"; it takes dropped files but not the mouse.
    CTextLabel(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
               const ::Brivant::Basics::CString& text);
    // Releases the font.
    ~CTextLabel() override;

    // Frame and background go to the base's default drawing. None of the look setters redraws; setText does.
    virtual void setColours(const Basics::CAlphaColour& frame, const Basics::CAlphaColour& background,
                            const Basics::CAlphaColour& text);
    virtual void setTextColour(const Basics::CAlphaColour& text);
    // Stored only: nothing draws by it.
    virtual void setDisplayFlag(bool display);
    // Counted; null draws in the graphics context's default font.
    virtual void setFont(Fonts::CFont* font);
    virtual void setText(const ::Brivant::Basics::CString& text);
    // Only the eleven codes; any other is refused and the code stays. No redraw.
    virtual void setTextAlignment(long alignment);

    const ::Brivant::Basics::CString& getText() const { return m_text; }
    const Basics::CAlphaColour& getTextColour() const { return m_textColour; }
    Fonts::CFont* getFont() const { return m_font; }
    long getTextAlignment() const { return m_alignment; }
    bool getDisplayFlag() const { return m_displayFlag; }

    // "Font", "Text", "Text Colour" and "Alignment" after the base's properties.
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;

    void drawControl(Graphics::CGraphics& graphics) override;
    // The first file's full path becomes the text; an empty drop changes nothing and nothing is reported.
    void handleFileDrop(const Events::CDropEvent& event) override;

    // The option text of each alignment code, in code order.
    static const char* const kAlignmentNames[kNumberOfAlignments];

private:
    bool m_displayFlag;
    Fonts::CFont* m_font;
    Basics::CAlphaColour m_textColour;
    ::Brivant::Basics::CString m_text;
    long m_alignment;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
