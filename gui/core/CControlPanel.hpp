// A control that is itself the control root of child controls: it sits in a window's root (or in another panel)
// like any control and holds, routes, draws and saves its children in its own coordinates. A child's area is
// relative to the panel's top left; its absolute area sums the origins of every enclosing panel. Events arrive
// already local to the panel and are made local to the child in turn; a child that locks itself locks the panel
// in the parent root too, so the drag keeps reaching it outside the panel.
#pragma once

#include "gui/core/CControl.hpp"
#include "gui/core/CControlRoot.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CControlPanel : public CControlRoot, public CControl
{
    BRIVANT_CLASS_RECORD(CControlPanel, "CControl");

public:
    // Panels nested deeper than this in a layout are not read: reading and releasing them recurses once per level.
    static constexpr long kMaximumNesting = 32;

    // Drop-file enabled from the start, so that drops reach its children.
    CControlPanel(Windowing::IWindow* window, IControlRoot* parentRoot, long id,
                  const ::Brivant::MathTools::CRect& area, Listeners::IActionListener* listener);
    ~CControlPanel() override;

    // Stored only.
    void setPanelOption(bool option) { m_panelOption = option; }
    void setPanelColour(const Basics::CAlphaColour& colour) { m_panelColour = colour; }

    // The child gets this panel as its root and parent. Null is ignored, and so are this panel and the panels
    // around it: such a ring would never be released.
    void addControl(IControl* child) override;
    void lockControl(IControl* child) override;
    // Also unlocks the panel in the parent root, where this panel is the locked control.
    void unlockControl() override;
    // The panel's absolute origin.
    ::Brivant::MathTools::CPoint getWindowOffset() const override;
    // The panel itself where no child is under the point; inside a child panel, that panel's answer.
    IControl* getInnermostControlAtPoint(const ::Brivant::MathTools::CPoint& point) const override;
    // Redraws go through the parent root, moved by the panel's origin.
    void updateControl(IControl* child) override;
    void updateArea(const ::Brivant::MathTools::CRect& area) override;
    void getPopupPosition(IControl* control, ::Brivant::MathTools::CPoint& position) const override;
    void getControlWindowPosition(IControl* child, ::Brivant::MathTools::CPoint& position) const override;
    void drawRootControl(Graphics::CGraphics& graphics) override;

    // The root's routing, applied to the children.
    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    void handleLeftButtonUp(Events::CMouseEvent& event) override;
    void handleRightButtonDown(Events::CMouseEvent& event) override;
    void handleRightButtonUp(Events::CMouseEvent& event) override;
    void handleDoubleClick(Events::CMouseEvent& event) override;
    void handleMouseScroll(Events::CMouseEvent& event) override;
    void handleMouseMovement(Events::CMouseEvent& event) override;
    void handleMouseLeavingArea(Events::CMouseEvent& event) override;
    bool handleKeyDown(const Events::CKeyboardEvent& event) override;
    bool handleKeyUp(const Events::CKeyboardEvent& event) override;
    void handleFileDrop(const Events::CDropEvent& event) override;

    // The children's absolute areas follow the panel.
    void setArea(const ::Brivant::MathTools::CRect& area) override;
    // The panel, then every child.
    void enable() override;
    void disable() override;
    bool isContainer() const override { return true; }
    // The background image, or the primary image or default face, then the children over it, clipped to the
    // panel, the modal child last.
    void drawControl(Graphics::CGraphics& graphics) override;
    // Disabled: the disabled image, or grey without one, with the children drawn over it; false.
    bool drawEnabledControl(Graphics::CGraphics& graphics) override;
    // The panel's properties, then a "child_controls" element with one "control" element per saved child and
    // "number_of_children".
    bool writeToXmlNode(IO::CXMLNode* node) override;
    // The panel's properties, then, when there is a "child_controls" element, the children it holds: elements of
    // classes the factory does not know are skipped, and one that does not read makes the answer false while the
    // rest are read.
    bool readFromXmlNode(IO::CXMLNode* node) override;

private:
    // Whether the control is this panel or one of the panels around it.
    bool isThisOrEnclosing(const IControl* control) const;
    // How many panels hold this one, counted no further than past the limit.
    long getNestingDepth() const;
    void drawChild(Graphics::CGraphics& graphics, IControl* child, const ::Brivant::MathTools::CRect& update,
                   const ::Brivant::MathTools::CRect& savedClip, const ::Brivant::MathTools::CPoint& offset);

    bool m_panelOption;
    Basics::CAlphaColour m_panelColour;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
