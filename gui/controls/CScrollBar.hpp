// A slider whose handle is a thumb sized to the visible share of a canvas and whose position becomes a scroll
// offset: the bar is its own action listener and sends its scroll listener a CScrollEvent after every press,
// drag and wheel step, with the offset as the view area's top (vertical) or left (horizontal). The thumb at the
// start of the track is offset 0, at the far end the canvas's whole overhang. Each handle state may be skinned
// with a complete CScrollBarImages set; otherwise the bar draws as a plain slider.
#pragma once

#include "foundation/mathtools/CRect.hpp"
#include "gui/controls/CSlider.hpp"
#include "gui/core/IActionListener.hpp"

namespace Brivant
{
namespace GUI
{
namespace Listeners
{
class IScrollListener;
}

namespace Controls
{
class CScrollBarImages;

class CScrollBar : public CSlider, public Listeners::IActionListener
{
    BRIVANT_CLASS_RECORD(CScrollBar, "CSlider");

public:
    // Only the canvas's width and height count; the scroll listener is not owned and may be null.
    CScrollBar(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
               const ::Brivant::MathTools::CRect& canvas, Listeners::IScrollListener* listener);
    // Releases its three image sets.
    ~CScrollBar() override;

    // Null puts the bar itself back; any other listener takes the bar's place, and scroll events stop.
    void registerActionListener(Listeners::IActionListener* listener) override;
    virtual void setScrollListener(Listeners::IScrollListener* listener);
    Listeners::IScrollListener* getScrollListener() const { return m_scrollListener; }
    // The thumb is sized to the share of the canvas the bar shows (all of it when the canvas is no longer than
    // the bar) and keeps its place on the track; the value is left alone.
    virtual void setCanvasArea(const ::Brivant::MathTools::CRect& canvas);
    // Each set that differs is replaced (counted); null allowed.
    virtual void setScrollBarImageSets(CScrollBarImages* normal, CScrollBarImages* over, CScrollBarImages* down);

    // Sends the scroll offset the value stands for.
    void handleActionEvent(const Events::CActionEvent& event) override;
    // 20 pixels a notch, 10 with Shift; ignored while the whole canvas shows.
    void handleMouseScroll(Events::CMouseEvent& event) override;
    void drawControl(Graphics::CGraphics& graphics) override;
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;

    const ::Brivant::MathTools::CRect& getCanvasArea() const { return m_canvas; }
    // Bar length / canvas length, held to 1.
    double getVisibleRatio() const { return m_visibleRatio; }

protected:
    // The thumb from the canvas, across the bar's whole width (vertical) or height.
    void layoutHandle() override;

private:
    // Ratio, thumb length and travel from the canvas, for the current orientation.
    void sizeThumb();
    CScrollBarImages*& imageSet(long state);

    Listeners::IScrollListener* m_scrollListener;
    ::Brivant::MathTools::CRect m_canvas;
    double m_visibleRatio;
    CScrollBarImages* m_normalImages;
    CScrollBarImages* m_overImages;
    CScrollBarImages* m_downImages;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
