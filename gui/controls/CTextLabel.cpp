#include "gui/controls/CTextLabel.hpp"

#include "foundation/collections/TCountedPointerArray.hpp"
#include "foundation/collections/TCountedSwap.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CDropEvent.hpp"
#include "gui/core/CFont.hpp"
#include "gui/core/CGraphics.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CString;
using ::Brivant::Collections::TCountedPointerArray;
using ::Brivant::Collections::swapCounted;
using ::Brivant::MathTools::CRect;
using Basics::CAlphaColour;
using Fonts::CFont;

const char* const CTextLabel::kAlignmentNames[kNumberOfAlignments] = {
    "Left / Top",    "Center / Top",    "Right / Top",    "Left / Center",  "Center / Center",    "Right / Center",
    "Left / Bottom", "Center / Bottom", "Right / Bottom", "Default Label",  "Default Single Line"};

CTextLabel::CTextLabel(IControlRoot* root, long id, const CRect& area, const CString& text)
    : CControl(root, id, area, nullptr), m_displayFlag(true), m_font(nullptr), m_textColour(CAlphaColour::black()),
      m_text(text), m_alignment(kDefaultLabel)
{
    setFont(CFont::getDefaultFont());
    setMouseEnabled(false);
    setDropFileEnabled(true);
    update();
}

CTextLabel::~CTextLabel() { setFont(nullptr); }

void CTextLabel::setColours(const CAlphaColour& frame, const CAlphaColour& background, const CAlphaColour& text)
{
    setDefaultControlColours(background, frame);
    m_textColour = text;
}

void CTextLabel::setTextColour(const CAlphaColour& text) { m_textColour = text; }

void CTextLabel::setDisplayFlag(bool display) { m_displayFlag = display; }

void CTextLabel::setFont(CFont* font)
{
    swapCounted(m_font, font);
}

void CTextLabel::setText(const CString& text)
{
    m_text = text;
    update();
}

void CTextLabel::setTextAlignment(long alignment)
{
    // A code outside the eleven would be written into a layout that "Alignment" then refuses to read back.
    if (alignment >= 0 && alignment < kNumberOfAlignments)
        m_alignment = alignment;
}

void CTextLabel::getDescriptors(TCountedPointerArray<CControlDescriptor>& list)
{
    CControl::getDescriptors(list);
    list.addElement(new CControlDescriptor(CString("Font"), CControlDescriptor::kFont, nullptr));
    list.addElement(new CControlDescriptor(CString("Text"), CControlDescriptor::kString, nullptr));
    list.addElement(new CControlDescriptor(CString("Text Colour"), CControlDescriptor::kColour, nullptr));
    list.addElement(new CControlDescriptor(CString("Alignment"), CControlDescriptor::kSelection, nullptr));
}

bool CTextLabel::applyDescriptor(const CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == "Font")
    {
        if (!descriptor.isValueOfClass(CFont::classRecord()))
            return false;
        // A copy of its own, so that the layout's font object is not shared; the style is kept.
        const auto& font = *dynamic_cast<const CFont*>(descriptor.getValue());
        setFont(new CFont(font.getFontName(), font.getFontSize(), font.isItalic(), font.isBold()));
        return true;
    }
    if (name == "Text")
    {
        if (!descriptor.isValueOfClass(CString::classRecord()))
            return false;
        setText(*dynamic_cast<const CString*>(descriptor.getValue()));
        return true;
    }
    if (name == "Text Colour")
    {
        if (!descriptor.isValueOfClass(CAlphaColour::classRecord()))
            return false;
        setTextColour(*dynamic_cast<const CAlphaColour*>(descriptor.getValue()));
        return true;
    }
    if (name == "Alignment")
    {
        const long index = descriptor.getSelectedIndex();
        if (index < 0 || index >= kNumberOfAlignments)
            return false;
        setTextAlignment(index);
        return true;
    }
    return CControl::applyDescriptor(descriptor);
}

bool CTextLabel::fillDescriptor(CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == "Font")
    {
        if (m_font == nullptr)
            setFont(CFont::getDefaultFont());
        if (m_font == nullptr)
            return false;
        descriptor.setValue(new CFont(m_font->getFontName(), m_font->getFontSize(), m_font->isItalic(),
                                      m_font->isBold()));
        return true;
    }
    if (name == "Text")
    {
        descriptor.setValue(new CString(m_text));
        return true;
    }
    if (name == "Text Colour")
    {
        descriptor.setValue(new CAlphaColour(m_textColour));
        return true;
    }
    if (name == "Alignment")
    {
        // The descriptor holds the list while it is filled, so a failure to fill it lets it go.
        auto* options = new TCountedPointerArray<CString>();
        descriptor.setValue(options);
        for (const char* option : kAlignmentNames)
            options->addElement(new CString(option));
        descriptor.setSelectedIndex(m_alignment);
        return true;
    }
    return CControl::fillDescriptor(descriptor);
}

void CTextLabel::drawControl(Graphics::CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
        return;
    drawPrimaryImage(graphics, isDefaultDrawing());
    graphics.setTextColour(m_textColour);
    // One pixel in from the top left, the full size kept: the text sits clear of the frame.
    graphics.drawText(m_text, CRect(1, 1, getArea().getWidth(), getArea().getHeight()), m_font, m_alignment);
}

void CTextLabel::handleFileDrop(const Events::CDropEvent& event)
{
    const CString* first = event.getFileList().getElementAt(0);
    if (first == nullptr)
        return;
    setText(*first);
    update();
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
