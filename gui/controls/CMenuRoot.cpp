#include "gui/controls/CMenuRoot.hpp"

#include "foundation/basics/CHeldReference.hpp"
#include "foundation/collections/TCountedSwap.hpp"
#include "gui/controls/CCheckableMenuItem.hpp"
#include "gui/controls/CHtmlMenuItem.hpp"
#include "gui/controls/CMenu.hpp"
#include "gui/controls/CMenuItemDisplay.hpp"
#include "gui/controls/CSubMenuMenuItem.hpp"
#include "gui/core/CBrush.hpp"
#include "gui/core/CCursor.hpp"
#include "gui/core/CFont.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CMenuEvent.hpp"
#include "gui/core/CPen.hpp"
#include "gui/core/IImage.hpp"

#include <algorithm>

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
using ::Brivant::Collections::swapCounted;
using ::Brivant::MathTools::CDimension;
using ::Brivant::MathTools::CPoint;
using ::Brivant::MathTools::CRect;
using Controls::CMenu;
using Controls::CMenuColours;
using Controls::CMenuItem;
using Controls::CMenuItemDisplay;
using Events::CMouseEvent;
using Graphics::CGraphics;

namespace
{
// Rows keep 4 pixels above and below the tallest text or icon, columns 4 pixels either side of it.
constexpr long kRowPadding = 8;
constexpr long kColumnGap = 4;
constexpr long kSeparatorHeight = 4;
} // namespace

CMenuWindow::CMenuRoot::CMenuRoot(CMenuWindow* window)
    : CControlRoot(window), m_window(window), m_menu(nullptr), m_font(nullptr), m_menuWidth(0),
      m_currentSelection(-1), m_pressedSelection(-1), m_colours(Controls::menuWindowStartingColours()),
      m_menuArea(0, 0, 0, 0), m_useIcons(false), m_menuSize(0, 0)
{
    swapCounted(m_font, Fonts::CFont::getDefaultFont());
}

CMenuWindow::CMenuRoot::~CMenuRoot()
{
    // The rows hold the items; they go before the menu.
    clearControls();
    swapCounted<CMenu>(m_menu, nullptr);
    swapCounted<Fonts::CFont>(m_font, nullptr);
}

CDimension* CMenuWindow::CMenuRoot::setMenu(CMenu* menu)
{
    swapCounted(m_menu, menu);
    layOut();
    return m_menu != nullptr ? new CDimension(m_menuSize) : nullptr;
}

void CMenuWindow::CMenuRoot::setMenuArea(const CRect& area) { m_menuArea = area; }

void CMenuWindow::CMenuRoot::setFont(Fonts::CFont* font)
{
    swapCounted(m_font, font);
    layOut();
}

void CMenuWindow::CMenuRoot::setMenuColours(const CMenuColours& colours)
{
    m_colours = colours;
    layOut();
}

void CMenuWindow::CMenuRoot::setUseIcons(bool useIcons)
{
    m_useIcons = useIcons;
    layOut();
}

void CMenuWindow::CMenuRoot::setMenuWidth(long width)
{
    m_menuWidth = width;
    layOut();
}

void CMenuWindow::CMenuRoot::setCurrentSelection(long index)
{
    if (index == -1 || canBeChosen(index))
        select(index);
}

CMenuItemDisplay* CMenuWindow::CMenuRoot::getRow(long index) const
{
    return index < 0 ? nullptr : dynamic_cast<CMenuItemDisplay*>(getControl(index, false));
}

bool CMenuWindow::CMenuRoot::canBeChosen(long index) const
{
    const CMenuItemDisplay* row = getRow(index);
    return row != nullptr && row->getMenuItem()->isEnabled() &&
           row->getMenuItem()->getType() != CMenuItem::kSeparator;
}

void CMenuWindow::CMenuRoot::select(long index)
{
    if (CMenuItemDisplay* old = getRow(m_currentSelection))
        old->setHighlighted(false);
    m_currentSelection = index;
    if (CMenuItemDisplay* row = getRow(index))
        row->setHighlighted(true);
}

CMenuItemDisplay* CMenuWindow::CMenuRoot::rowAt(const CPoint& point) const
{
    return dynamic_cast<CMenuItemDisplay*>(getControlAtPoint(point));
}

void CMenuWindow::CMenuRoot::layOut()
{
    clearControls();
    if (m_menu == nullptr)
    {
        m_currentSelection = -1;
        m_menuSize = CDimension(0, 0);
        return;
    }
    const Fonts::CFont* font = m_font != nullptr ? m_font : Fonts::CFont::getDefaultFont();
    long textWidth = 0;
    long textHeight = 0;
    long iconWidth = 0;
    long iconHeight = 0;
    bool hasIcons = false;
    bool hasCheckable = false;
    bool hasSubMenus = false;
    const long count = m_menu->getNumberOfMenuItems();
    for (long index = 0; index < count; ++index)
    {
        // Column breaks show no row, but their text and icon are measured with the rest.
        const CMenuItem* item = m_menu->getMenuItem(index);
        if (item == nullptr || item->getType() == CMenuItem::kSeparator)
            continue;
        CDimension extent(0, 0);
        CGraphics::getTextExtent(item->getText(), extent, font);
        textWidth = std::max(textWidth, extent.getWidth());
        textHeight = std::max(textHeight, extent.getHeight());
        if (const Graphics::IImage* icon = item->getIcon())
        {
            hasIcons = true;
            iconWidth = std::max(iconWidth, icon->getImageSize().getWidth());
            iconHeight = std::max(iconHeight, icon->getImageSize().getHeight());
        }
        hasCheckable = hasCheckable || item->getType() == CMenuItem::kCheckableItem;
        hasSubMenus = hasSubMenus || item->getType() == CMenuItem::kSubMenuItem;
    }

    // A menu without a single icon keeps its text at the left edge even when icons are asked for. The rows are as
    // tall as the tallest icon either way.
    const bool iconsInUse = m_useIcons && hasIcons;
    const long tallest = std::max(textHeight, iconHeight);
    const long rowHeight = tallest + kRowPadding;
    long width = hasSubMenus ? tallest + textWidth + 2 * kRowPadding : textWidth + kRowPadding;
    if (iconsInUse)
        width += iconWidth;
    else if (hasCheckable)
        width += tallest + kRowPadding;
    width = std::max(width, m_menuWidth);

    long x = 0;
    long y = 0;
    long height = 0;
    for (long index = 0; index < count; ++index)
    {
        CMenuItem* item = m_menu->getMenuItem(index);
        if (item == nullptr)
            continue;
        if (item->getType() == CMenuItem::kColumnBreak)
        {
            x += width + kColumnGap;
            y = 0;
            continue;
        }
        const long tall = item->getType() == CMenuItem::kSeparator ? kSeparatorHeight : rowHeight;
        auto* row = new CMenuItemDisplay(this, index, CRect(x, y, width, tall), item, iconsInUse, hasCheckable,
                                         hasSubMenus, iconsInUse ? iconWidth : 0);
        // Held until the root has it: a failure to add it lets it go.
        const ::Brivant::Basics::CHeldReference held(row);
        addControl(row);
        row->setMenuColours(m_colours);
        row->setFont(m_font);
        y += tall;
        height = std::max(height, y);
    }
    m_menuSize = CDimension(x + width, height);
    if (canBeChosen(m_currentSelection))
        select(m_currentSelection);
    else
        m_currentSelection = -1;
}

void CMenuWindow::CMenuRoot::handleMouseMovement(CMouseEvent& event)
{
    CMenuItemDisplay* row = rowAt(event.getMousePosition());
    if (row == nullptr)
        return;
    if (CMenuItemDisplay* previous = getRow(m_currentSelection))
        updateControl(previous);
    CMenuItem* item = row->getMenuItem();
    m_window->getMousePointer().setCursor(item->getType() == CMenuItem::kLinkItem ? &CCursor::handCursor()
                                                                                 : &CCursor::arrowCursor());
    const long index = row->getControlId();
    if (index != m_currentSelection)
    {
        if (!item->isEnabled())
        {
            select(-1);
        }
        else
        {
            switch (item->getType())
            {
            case CMenuItem::kSeparator:
                select(-1);
                m_window->releaseSubMenuWindow(true);
                break;
            case CMenuItem::kSubMenuItem:
                select(index);
                updateControl(row);
                if (auto* subMenuItem = dynamic_cast<Controls::CSubMenuMenuItem*>(item))
                    m_window->openSubMenuWindow(subMenuItem, row->getArea().getTop());
                break;
            default:
                select(index);
                updateControl(row);
                m_window->releaseSubMenuWindow(true);
                break;
            }
        }
    }
    updateArea(m_menuArea);
}

void CMenuWindow::CMenuRoot::handleLeftButtonDown(CMouseEvent& /*event*/) { m_pressedSelection = m_currentSelection; }

void CMenuWindow::CMenuRoot::handleLeftButtonUp(CMouseEvent& event)
{
    const long pressed = m_pressedSelection;
    m_pressedSelection = -1;
    CMenuItemDisplay* row = getRow(m_currentSelection);
    if (row == nullptr || m_currentSelection != pressed || !contains(row->getArea(), event.getMousePosition()))
        return;
    CMenuItem* item = row->getMenuItem();
    if (!item->isEnabled())
        return;
    switch (item->getType())
    {
    case CMenuItem::kPlainItem:
        break;
    case CMenuItem::kLinkItem:
        if (auto* link = dynamic_cast<Controls::CHtmlMenuItem*>(item))
            link->openLink();
        break;
    case CMenuItem::kCheckableItem:
        if (auto* checkable = dynamic_cast<Controls::CCheckableMenuItem*>(item))
        {
            checkable->setChecked(!checkable->isChecked());
            updateControl(row);
        }
        break;
    default:
        return;
    }
    // The event holds the item and the menu for as long as the choice travels.
    const Events::CMenuEvent selection(item, m_menu);
    m_window->handleMenuSelection(selection);
}

void CMenuWindow::CMenuRoot::handleMouseLeavingArea(CMouseEvent& /*event*/)
{
    const CMenuItemDisplay* row = getRow(m_currentSelection);
    if (row != nullptr && row->getMenuItem()->getType() == CMenuItem::kSubMenuItem)
        return;
    select(-1);
    updateArea(m_menuArea);
}

void CMenuWindow::CMenuRoot::drawRootControl(CGraphics& graphics)
{
    graphics.getMutablePen().setColour(m_colours.frameColour);
    graphics.drawRectangle(m_menuArea);
    if (const CMenuItemDisplay* row = getRow(m_currentSelection))
    {
        graphics.getMutableBrush().setColour(m_colours.highlightColour);
        graphics.fillRectangle(row->getArea());
        graphics.drawRectangle(row->getArea());
    }
    CControlRoot::drawRootControl(graphics);
}
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
