// A handle that moves the window it lives in: press the left button on it and move the pointer, and the window
// follows, keeping the grabbed point under the pointer. For windows without a title bar.
#pragma once

#include "foundation/mathtools/CPoint.hpp"
#include "gui/core/CControl.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CWindowDragTab : public CControl
{
    BRIVANT_CLASS_RECORD(CWindowDragTab, "CControl");

public:
    // The listener is the base's; the tab never tells it anything.
    CWindowDragTab(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
                   Listeners::IActionListener* listener);

    // The picture, or with default drawing on, the background colour framed.
    void drawControl(Graphics::CGraphics& graphics) override;

    // Starts the drag and locks the tab, so that every movement reaches it until the release.
    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    // Ends the drag wherever the pointer is.
    void handleLeftButtonUp(Events::CMouseEvent& event) override;
    // While dragging, moves the root's window to the pointer's screen position less the grabbed point. A root
    // without a window throws CException "Root Window is NULL".
    void handleMouseMovement(Events::CMouseEvent& event) override;

private:
    bool m_dragging;
    // Where the tab was pressed, in its own coordinates.
    ::Brivant::MathTools::CPoint m_grabPoint;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
