#include "gui/controls/CMenuBar.hpp"

#include "foundation/collections/TCountedSwap.hpp"
#include "foundation/mathtools/CDimension.hpp"
#include "foundation/mathtools/CPoint.hpp"
#include "gui/controls/CMenu.hpp"
#include "gui/controls/CMenuWindow.hpp"
#include "gui/core/CBrush.hpp"
#include "gui/core/CFont.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CMenuEvent.hpp"
#include "gui/core/CMouseEvent.hpp"
#include "gui/core/IControlRoot.hpp"
#include "gui/core/IWindow.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CString;
using ::Brivant::Collections::swapCounted;
using ::Brivant::MathTools::CDimension;
using ::Brivant::MathTools::CPoint;
using ::Brivant::MathTools::CRect;
using Basics::CAlphaColour;
using Basics::CColour;
using Events::CMenuEvent;
using Windowing::CMenuWindow;

namespace
{
// Stored as single precision, as the window's alpha is.
const double kStartingAlpha = static_cast<double>(0.95f);
const double kColouredAlpha = static_cast<double>(0.8f);
} // namespace

CMenuBar::CMenuBar(IControlRoot* root, long id, const CRect& area, Listeners::IMenuListener* listener)
    : CControl(root, id, area, nullptr), m_active(false), m_currentTitle(-1), m_font(nullptr),
      m_colours{CAlphaColour::black(), CAlphaColour::darkGrey(), CAlphaColour::black(),
                CAlphaColour::black(), CAlphaColour::purple(),   CAlphaColour::purple()},
      m_windowColour(CColour::lightGrey()), m_windowAttributes(), m_menuWindows(), m_titles(), m_titleAreas(),
      m_openWindow(), m_listener(listener), m_totalWidth(0)
{
    m_windowAttributes.setBackgroundColour(m_windowColour);
    m_windowAttributes.setAlpha(kStartingAlpha);
    setFont(Fonts::CFont::getDefaultFont());
}

CMenuBar::~CMenuBar()
{
    m_openWindow.setPointer(nullptr);
    for (long index = 0; index < m_menuWindows.getArraySize(); ++index)
    {
        if (CMenuWindow* window = m_menuWindows.getElementAt(index))
        {
            window->setMenuListener(nullptr);
            window->closePopupWindow();
        }
    }
    // The windows go with the bar: handing them no font would lay their rows out again, which allocates.
    swapCounted(m_font, nullptr);
}

void CMenuBar::addMenu(const CString& title, CMenu* menu)
{
    CDimension extent(0, 0);
    Graphics::CGraphics::getTextExtent(title, extent, m_font);
    const long width = extent.getWidth() + 20;
    const CRect area(0, 2, width, getArea().getHeight() - 4);
    m_totalWidth += width;
    m_titleAreas.addElement(new CRect(area));
    m_titles.addElement(new CString(title));
    // Made last and handed over at once: a list that cannot grow lets it go.
    auto* window = new CMenuWindow(area, &m_windowAttributes, menu, true, this);
    m_menuWindows.addElement(window);
    window->setFont(m_font);
    window->setMenuColours(m_colours);
    layOutTitles();
}

void CMenuBar::setFont(Fonts::CFont* font)
{
    if (font == m_font)
        return;
    swapCounted(m_font, font);
    for (long index = 0; index < m_menuWindows.getArraySize(); ++index)
    {
        if (CMenuWindow* window = m_menuWindows.getElementAt(index))
            window->setFont(m_font);
    }
}

void CMenuBar::setMenuColours(const CMenuColours& colours, const CColour& windowColour, double alpha)
{
    m_colours = colours;
    m_windowColour = windowColour;
    m_windowAttributes.setBackgroundColour(windowColour);
    m_windowAttributes.setAlpha(kColouredAlpha);
    for (long index = 0; index < m_menuWindows.getArraySize(); ++index)
    {
        if (CMenuWindow* window = m_menuWindows.getElementAt(index))
        {
            window->setMenuColours(colours);
            window->setWindowAlpha(alpha);
        }
    }
}

void CMenuBar::layOutTitles()
{
    long x = 2;
    for (long index = 0; index < m_titleAreas.getArraySize(); ++index)
    {
        if (CRect* area = m_titleAreas.getElementAt(index))
        {
            area->setLeft(x);
            x += area->getWidth();
        }
    }
}

long CMenuBar::titleAt(const CPoint& point) const
{
    for (long index = 0; index < m_titleAreas.getArraySize(); ++index)
    {
        const CRect* area = m_titleAreas.getElementAt(index);
        if (area != nullptr && point.getX() >= area->getLeft() && point.getX() <= area->getRight() &&
            point.getY() >= area->getTop() && point.getY() <= area->getBottom())
            return index;
    }
    return -1;
}

void CMenuBar::handleLeftButtonDown(Events::CMouseEvent& event)
{
    m_active = true;
    m_currentTitle = -1;
    const long title = titleAt(event.getMousePosition());
    if (title >= 0 && title != m_currentTitle)
        openTitle(title);
    update();
}

void CMenuBar::handleMouseMovement(Events::CMouseEvent& event)
{
    if (!m_active)
        return;
    const long title = titleAt(event.getMousePosition());
    if (title >= 0 && title != m_currentTitle)
        openTitle(title);
    update();
}

void CMenuBar::openTitle(long index)
{
    CMenuWindow* window = m_menuWindows.getElementAt(index);
    if (window == nullptr || window == m_openWindow.getPointer())
        return;
    // Its closing notice leaves the bar inactive, so the new title is made current only afterwards.
    if (CMenuWindow* open = m_openWindow.getPointer())
        open->closePopupWindow();
    m_openWindow.setPointer(window);
    m_active = true;
    m_currentTitle = index;
    CPoint position(0, 0);
    getControlRoot()->getPopupPosition(this, position);
    position.offset(CPoint(m_titleAreas.getElementAt(index)->getLeft() + 1, -2));
    window->openPopupWindow(position);
}

void CMenuBar::becomeInactive()
{
    m_active = false;
    m_currentTitle = -1;
    update();
}

void CMenuBar::handleMenuOpening(const CMenuEvent& event)
{
    if (m_listener != nullptr)
        m_listener->handleMenuOpening(event);
}

void CMenuBar::handleMenuClosing(const CMenuEvent& event)
{
    if (m_listener != nullptr)
        m_listener->handleMenuClosing(event);
    m_openWindow.setPointer(nullptr);
    becomeInactive();
}

void CMenuBar::handleMenuSelection(const CMenuEvent& event)
{
    // A root without a window has nothing to redraw; the choice is still passed on.
    if (Windowing::IWindow* window = getControlRoot()->getParentWindow())
        window->redrawWindow();
    if (m_listener != nullptr)
        m_listener->handleMenuSelection(event);
    if (CMenuWindow* open = m_openWindow.getPointer())
        open->closePopupWindow();
    m_openWindow.setPointer(nullptr);
    becomeInactive();
}

void CMenuBar::drawControl(Graphics::CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
        return;
    drawPrimaryImage(graphics, isDefaultDrawing());
    for (long index = 0; index < m_titleAreas.getArraySize(); ++index)
    {
        const CRect* area = m_titleAreas.getElementAt(index);
        const CString* title = m_titles.getElementAt(index);
        if (area == nullptr || title == nullptr)
            continue;
        if (index == m_currentTitle && m_active)
        {
            graphics.getMutableBrush().setColour(m_colours.highlightColour);
            graphics.fillRectangle(*area);
        }
        graphics.setTextColour(m_colours.textColour);
        graphics.drawText(*title, *area, m_font, Graphics::CGraphics::kCentreMiddle);
    }
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
