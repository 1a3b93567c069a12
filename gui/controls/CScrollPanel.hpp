// A control panel whose children live on a canvas larger than the panel and are shown shifted by the scroll
// offset, which scroll bars send it as CScrollEvents. Children's areas are in canvas coordinates: the panel moves
// mouse positions into the canvas before routing them, and draws, hit-tests and places each child moved by the
// negated offset. The panel makes no scroll bars of its own; whoever builds it puts them into the two holders
// (the tree view and the table view derive from it).
#pragma once

#include "foundation/collections/TAutomaticPointer.hpp"
#include "foundation/mathtools/CPoint.hpp"
#include "foundation/mathtools/CRect.hpp"
#include "gui/controls/CScrollBar.hpp"
#include "gui/core/CControlPanel.hpp"
#include "gui/core/IScrollListener.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CScrollPanel : public CControlPanel, public Listeners::IScrollListener
{
    BRIVANT_CLASS_RECORD(CScrollPanel, "CControlPanel");

public:
    // In the root's window, with the root as parent root and no action listener; offset (0, 0), no scroll bars.
    CScrollPanel(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
                 const ::Brivant::MathTools::CRect& canvas);
    // Bars that outlive the panel (their root holds them too) stop sending it their offsets.
    ~CScrollPanel() override;

    // Passed on to the scroll bars present, horizontal first.
    virtual void setCanvasArea(const ::Brivant::MathTools::CRect& canvas);
    const ::Brivant::MathTools::CRect& getCanvasArea() const { return m_canvas; }
    // How far the canvas is scrolled on each axis, never below 0.
    const ::Brivant::MathTools::CPoint& getScrollOffset() const { return m_scrollOffset; }
    // Packs the list of children, dropping the holes removals leave.
    void compactControls();

    // A negative offset counts as 0; the children's absolute areas follow and the panel is redrawn.
    void handleScrollEvent(const Events::CScrollEvent& event) override;

    // The panel's routing with the position moved into the canvas, and put back afterwards.
    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    void handleLeftButtonUp(Events::CMouseEvent& event) override;
    void handleRightButtonDown(Events::CMouseEvent& event) override;
    void handleRightButtonUp(Events::CMouseEvent& event) override;
    void handleDoubleClick(Events::CMouseEvent& event) override;
    void handleMouseMovement(Events::CMouseEvent& event) override;
    void handleMouseLeavingArea(Events::CMouseEvent& event) override;
    // With a vertical scroll bar the wheel scrolls the canvas, unless a locked child lies under the pointer.
    void handleMouseScroll(Events::CMouseEvent& event) override;

    // The panel's absolute origin moved by the negated scroll offset.
    ::Brivant::MathTools::CPoint getWindowOffset() const override;
    void getControlWindowPosition(IControl* child, ::Brivant::MathTools::CPoint& position) const override;
    void updateArea(const ::Brivant::MathTools::CRect& area) override;
    // The children that meet the visible part of the canvas, shifted by the scroll offset and clipped to the
    // panel.
    void drawControl(Graphics::CGraphics& graphics) override;

    // Set from outside; released with the panel.
    Collections::TAutomaticPointer<CScrollBar> verticalScrollBar;
    Collections::TAutomaticPointer<CScrollBar> horizontalScrollBar;

private:
    ::Brivant::MathTools::CRect m_canvas;
    ::Brivant::MathTools::CPoint m_scrollOffset;
    ::Brivant::MathTools::CPoint m_canvasOrigin;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
