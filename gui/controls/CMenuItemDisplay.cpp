#include "gui/controls/CMenuItemDisplay.hpp"

#include "foundation/exceptions/CException.hpp"
#include "foundation/mathtools/CPolygon.hpp"
#include "gui/controls/CCheckableMenuItem.hpp"
#include "gui/controls/CImageLabel.hpp"
#include "gui/controls/CMenuItem.hpp"
#include "gui/controls/CTextLabel.hpp"
#include "gui/core/CBrush.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CPen.hpp"
#include "gui/core/IImage.hpp"

#include <algorithm>

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CString;
using ::Brivant::Exceptions::CException;
using ::Brivant::MathTools::CPoint;
using ::Brivant::MathTools::CPolygon;
using ::Brivant::MathTools::CRect;
using Basics::CAlphaColour;
using Graphics::CGraphics;
using Graphics::IImage;

namespace
{
// Every box of a row keeps 2 pixels clear all round.
CRect insetBox(long left, long top, long width, long height)
{
    return CRect(left + 2, top + 2, std::max(0L, width - 4), std::max(0L, height - 4));
}

const CRect kNoBox(0, 0, 0, 0);
} // namespace

CMenuItemDisplay::CMenuItemSelectable::CMenuItemSelectable(IControlRoot* root)
    : CControl(root, -1, kNoBox, nullptr), m_item(nullptr)
{
}

void CMenuItemDisplay::CMenuItemSelectable::drawControl(CGraphics& graphics)
{
    const auto* checkable = dynamic_cast<const CCheckableMenuItem*>(m_item);
    if (checkable == nullptr || !checkable->isChecked())
        return;
    // A tick of seven one-pixel bars: three falling to the right, four rising.
    static const long kBarTops[] = {-1, 0, 1, 0, -1, -2, -3};
    const long centreX = getNormalisedArea().getWidth() / 2;
    const long centreY = getNormalisedArea().getHeight() / 2;
    graphics.getMutableBrush().setColour(CAlphaColour::black());
    for (long bar = 0; bar < 7; ++bar)
        graphics.fillRectangle(CRect(centreX - 3 + bar, centreY + kBarTops[bar], 1, 3));
}

CMenuItemDisplay::CMenuItemSubMenuPointer::CMenuItemSubMenuPointer(IControlRoot* root)
    : CControl(root, -1, kNoBox, nullptr), m_colour(CAlphaColour::black())
{
}

void CMenuItemDisplay::CMenuItemSubMenuPointer::drawControl(CGraphics& graphics)
{
    const CRect& area = getNormalisedArea();
    const long left = 4;
    const long top = 4;
    const long right = area.getWidth() - 4;
    const long bottom = area.getHeight() - 4;
    if (right <= left || bottom <= top)
        return;
    CPolygon triangle(3);
    triangle.setPoint(left, top, 0);
    triangle.setPoint(right, top + (bottom - top) / 2, 1);
    triangle.setPoint(left, bottom, 2);
    graphics.getMutablePen().setColour(m_colour);
    graphics.getMutableBrush().setColour(m_colour);
    graphics.fillPolygon(triangle);
}

CMenuItemDisplay::CMenuItemDisplay(IControlRoot* root, long id, const CRect& area, CMenuItem* item, bool useIcons,
                                   bool hasCheckable, bool hasSubMenus, long iconWidth)
    : CControlPanel(root != nullptr ? root->getParentWindow() : nullptr, root, id, area, nullptr), m_item(),
      m_colours(menuWindowStartingColours()), m_highlighted(false), m_useIcons(useIcons),
      m_hasCheckable(hasCheckable), m_hasSubMenus(hasSubMenus), m_iconWidth(std::max(0L, iconWidth)),
      m_icon(), m_label(), m_subMenuPointer(), m_selectable()
{
    setPanelOption(false);
    m_icon.setPointer(new CImageLabel(this, -1, kNoBox));
    m_label.setPointer(new CTextLabel(this, -1, kNoBox, CString(" ")));
    m_subMenuPointer.setPointer(new CMenuItemSubMenuPointer(this));
    m_selectable.setPointer(new CMenuItemSelectable(this));
    setMenuItem(item);
}

CMenuItemDisplay::~CMenuItemDisplay()
{
    // The parts go first: they draw from the item.
    clearControls();
}

void CMenuItemDisplay::setMenuItem(CMenuItem* item)
{
    if (item == nullptr)
        throw CException(CString("Menu item is null"), CString("CMenuItemDisplay::setMenuItem(CMenuItem *)"), true);
    m_item.setPointer(item);
    m_selectable.getPointer()->setMenuItem(item);
    placeParts();
}

void CMenuItemDisplay::setMenuColours(const CMenuColours& colours)
{
    m_colours = colours;
    applyColours();
}

void CMenuItemDisplay::setFont(Fonts::CFont* font) { m_label.getPointer()->setFont(font); }

void CMenuItemDisplay::setHighlighted(bool highlighted)
{
    m_highlighted = highlighted;
    showIcon();
}

void CMenuItemDisplay::showIcon()
{
    const CMenuItem* item = m_item.getPointer();
    IImage* secondIcon = m_highlighted ? item->getSecondIcon() : nullptr;
    m_icon.getPointer()->setPrimaryImage(secondIcon != nullptr ? secondIcon : item->getIcon());
}

void CMenuItemDisplay::placeParts()
{
    clearControls();
    const long type = m_item.getPointer()->getType();
    if (type == CMenuItem::kSeparator || type == CMenuItem::kColumnBreak)
        return;

    const long width = getArea().getWidth();
    const long height = getArea().getHeight();
    const long boxWidth = m_iconWidth > 0 ? m_iconWidth : height;
    const CRect leftBox = insetBox(0, 0, boxWidth, height);
    const CRect besideLeftBox = insetBox(boxWidth, 0, width - height, height);
    const CRect afterSquare = insetBox(height, 0, width - height, height);
    const CRect fullRow = insetBox(0, 0, width, height);
    CRect textBox = fullRow;

    if (type == CMenuItem::kCheckableItem)
    {
        m_selectable.getPointer()->setArea(leftBox);
        addControl(m_selectable.getPointer());
        textBox = besideLeftBox;
    }
    else if (m_useIcons)
    {
        m_icon.getPointer()->setArea(leftBox);
        addControl(m_icon.getPointer());
        showIcon();
        textBox = type == CMenuItem::kSubMenuItem ? afterSquare : besideLeftBox;
    }
    else
    {
        textBox = m_hasCheckable ? besideLeftBox : fullRow;
    }
    CTextLabel* label = m_label.getPointer();
    label->setText(m_item.getPointer()->getText());
    label->setArea(textBox);
    addControl(label);
    if (type == CMenuItem::kSubMenuItem)
    {
        m_subMenuPointer.getPointer()->setArea(insetBox(width - height, 0, height, height));
        addControl(m_subMenuPointer.getPointer());
    }
    applyColours();
}

void CMenuItemDisplay::applyColours()
{
    const CMenuItem* item = m_item.getPointer();
    CTextLabel* label = m_label.getPointer();
    if (!item->isEnabled())
        label->setTextColour(m_colours.disabledTextColour);
    // Without icons the text of plain, link and sub-menu rows keeps the menu's colour.
    else if (item->isUsingOwnTextColour() && (m_useIcons || item->getType() == CMenuItem::kCheckableItem))
        label->setTextColour(item->getOwnTextColour());
    else
        label->setTextColour(m_colours.textColour);
    m_subMenuPointer.getPointer()->setArrowColour(item->isEnabled() ? m_colours.arrowColour
                                                                    : m_colours.disabledTextColour);
}

void CMenuItemDisplay::drawControl(CGraphics& graphics)
{
    const CMenuItem* item = m_item.getPointer();
    if (item->getType() == CMenuItem::kSeparator)
    {
        const long middle = getArea().getHeight() / 2;
        graphics.getMutablePen().setColour(m_colours.rowColour);
        graphics.drawLine(CPoint(2, middle), CPoint(getArea().getWidth() - 2, middle));
        return;
    }
    CControlPanel::drawControl(graphics);
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
