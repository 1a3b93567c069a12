#include "gui/controls/CScrollPanel.hpp"

#include "gui/core/CClip.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CMouseEvent.hpp"
#include "gui/core/CPen.hpp"
#include "gui/core/CScrollEvent.hpp"
#include "gui/core/IImage.hpp"

#include <algorithm>

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::MathTools::CPoint;
using ::Brivant::MathTools::CRect;
using Events::CMouseEvent;
using Graphics::CGraphics;

namespace
{
// Moves a mouse event's position into the canvas for as long as it lives.
class CCanvasPosition
{
public:
    CCanvasPosition(CMouseEvent& event, const CPoint& scrollOffset)
        : m_event(event), m_position(event.getMousePosition())
    {
        m_event.setMousePosition(
            CPoint(m_position.getX() + scrollOffset.getX(), m_position.getY() + scrollOffset.getY()));
    }
    ~CCanvasPosition() { m_event.setMousePosition(m_position); }
    CCanvasPosition(const CCanvasPosition&) = delete;
    CCanvasPosition& operator=(const CCanvasPosition&) = delete;

private:
    CMouseEvent& m_event;
    const CPoint m_position;
};
} // namespace

CScrollPanel::CScrollPanel(IControlRoot* root, long id, const CRect& area, const CRect& canvas)
    : CControlPanel(root != nullptr ? root->getParentWindow() : nullptr, root, id, area, nullptr), verticalScrollBar(),
      horizontalScrollBar(), m_canvas(canvas), m_scrollOffset(0, 0), m_canvasOrigin(0, 0)
{
}

CScrollPanel::~CScrollPanel()
{
    for (CScrollBar* bar : {horizontalScrollBar.getPointer(), verticalScrollBar.getPointer()})
    {
        if (bar != nullptr && bar->getScrollListener() == this)
            bar->setScrollListener(nullptr);
    }
}

void CScrollPanel::setCanvasArea(const CRect& canvas)
{
    m_canvas = canvas;
    for (CScrollBar* bar : {horizontalScrollBar.getPointer(), verticalScrollBar.getPointer()})
    {
        if (bar != nullptr)
        {
            bar->setCanvasArea(canvas);
            bar->update();
        }
    }
}

void CScrollPanel::compactControls() { packControls(); }

void CScrollPanel::handleScrollEvent(const Events::CScrollEvent& event)
{
    const long offset = std::max(0L, event.getScrollOffset());
    if (event.isHorizontal())
    {
        m_scrollOffset.setX(offset);
        m_canvasOrigin.setX(-offset);
    }
    else
    {
        m_scrollOffset.setY(offset);
        m_canvasOrigin.setY(-offset);
    }
    // Each child takes its absolute area again, now shifted.
    for (long index = 0; index < getControlArraySize(); ++index)
    {
        if (IControl* child = getControl(index, true))
            child->setArea(child->getArea());
    }
    update();
}

void CScrollPanel::handleLeftButtonDown(CMouseEvent& event)
{
    const CCanvasPosition inCanvas(event, m_scrollOffset);
    CControlPanel::handleLeftButtonDown(event);
}

void CScrollPanel::handleLeftButtonUp(CMouseEvent& event)
{
    const CCanvasPosition inCanvas(event, m_scrollOffset);
    CControlPanel::handleLeftButtonUp(event);
}

void CScrollPanel::handleRightButtonDown(CMouseEvent& event)
{
    const CCanvasPosition inCanvas(event, m_scrollOffset);
    CControlPanel::handleRightButtonDown(event);
}

void CScrollPanel::handleRightButtonUp(CMouseEvent& event)
{
    const CCanvasPosition inCanvas(event, m_scrollOffset);
    CControlPanel::handleRightButtonUp(event);
}

void CScrollPanel::handleDoubleClick(CMouseEvent& event)
{
    const CCanvasPosition inCanvas(event, m_scrollOffset);
    CControlPanel::handleDoubleClick(event);
}

void CScrollPanel::handleMouseMovement(CMouseEvent& event)
{
    const CCanvasPosition inCanvas(event, m_scrollOffset);
    CControlPanel::handleMouseMovement(event);
}

void CScrollPanel::handleMouseLeavingArea(CMouseEvent& event)
{
    const CCanvasPosition inCanvas(event, m_scrollOffset);
    CControlPanel::handleMouseLeavingArea(event);
}

void CScrollPanel::handleMouseScroll(CMouseEvent& event)
{
    CScrollBar* bar = verticalScrollBar.getPointer();
    if (bar != nullptr)
    {
        const CPoint& position = event.getMousePosition();
        const CPoint inCanvas(position.getX() + m_scrollOffset.getX(), position.getY() + m_scrollOffset.getY());
        // Only a child that holds the mouse keeps the wheel; otherwise it scrolls the canvas, through the bar,
        // which sees the position as it came and sends the panel its new offset.
        if (getInnermostControlAtPoint(inCanvas) == this || !isControlLocked())
        {
            bar->handleMouseScroll(event);
            return;
        }
    }
    const CCanvasPosition inCanvas(event, m_scrollOffset);
    CControlPanel::handleMouseScroll(event);
}

CPoint CScrollPanel::getWindowOffset() const
{
    const CRect& absolute = getAbsoluteArea();
    return CPoint(absolute.getLeft() + m_canvasOrigin.getX(), absolute.getTop() + m_canvasOrigin.getY());
}

void CScrollPanel::getControlWindowPosition(IControl* child, CPoint& position) const
{
    if (child == nullptr)
        return;
    position.offset(child->getArea().getLeft() + m_canvasOrigin.getX(),
                    child->getArea().getTop() + m_canvasOrigin.getY());
    getControlRoot()->getControlWindowPosition(const_cast<CScrollPanel*>(this), position);
}

void CScrollPanel::updateArea(const CRect& area)
{
    CRect moved(area);
    moved.offset(CPoint(getArea().getLeft() + m_canvasOrigin.getX(), getArea().getTop() + m_canvasOrigin.getY()));
    getControlRoot()->updateArea(moved);
}

void CScrollPanel::drawControl(CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
        return;
    if (Graphics::IImage* background = getBackgroundImage())
        graphics.drawImage(background, getNormalisedArea(), background->getImageArea());
    else
        drawPrimaryImage(graphics, isDefaultDrawing());

    CRect savedClip(0, 0, 0, 0);
    graphics.getClippingRegion().getClipRegion(savedClip);
    const CRect update(graphics.getUpdateArea());
    const CPoint offset(graphics.getDrawingOffset());
    CRect visible(update);
    visible.offset(m_scrollOffset);
    for (long index = 0; index < getControlArraySize(); ++index)
    {
        IControl* child = getControl(index, true);
        if (child == nullptr || !meets(child->getArea(), visible))
            continue;
        const CRect& area = child->getArea();
        graphics.setUpdateArea(localUpdateArea(visible, area));
        graphics.getClippingRegion().setClipRegion(clippedTo(savedClip, child->getAbsoluteArea()));
        graphics.setDrawingOffset(CPoint(offset.getX() + area.getLeft() + m_canvasOrigin.getX(),
                                         offset.getY() + area.getTop() + m_canvasOrigin.getY()));
        {
            const Collections::TAutomaticPointer<IControl> held(
                child, &Collections::TCountedObjectDeleter<IControl>::sharedPolicy());
            child->drawControl(graphics);
        }
        graphics.setDrawingOffset(offset);
        graphics.getClippingRegion().setClipRegion(savedClip);
    }
    graphics.setDrawingOffset(offset);
    graphics.getClippingRegion().setClipRegion(savedClip);
    graphics.setUpdateArea(update);
    if (isDefaultDrawing())
    {
        graphics.getMutablePen().setColour(getFrameColour());
        graphics.drawRectangle(getNormalisedArea());
    }
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
