#include "gui/controls/CWindowDragTab.hpp"

#include "foundation/exceptions/CException.hpp"
#include "gui/core/CMouseEvent.hpp"
#include "gui/core/CWindowTools.hpp"
#include "gui/core/IControlRoot.hpp"
#include "gui/core/IWindow.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CString;
using ::Brivant::MathTools::CPoint;

CWindowDragTab::CWindowDragTab(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
                               Listeners::IActionListener* listener)
    : CControl(root, id, area, listener), m_dragging(false), m_grabPoint(0, 0)
{
}

void CWindowDragTab::drawControl(Graphics::CGraphics& graphics)
{
    if (drawEnabledControl(graphics))
        drawPrimaryImage(graphics, isDefaultDrawing());
}

void CWindowDragTab::handleLeftButtonDown(Events::CMouseEvent& event)
{
    m_dragging = true;
    m_grabPoint = event.getMousePosition();
    getControlRoot()->lockControl(this);
}

void CWindowDragTab::handleLeftButtonUp(Events::CMouseEvent& /*event*/)
{
    m_dragging = false;
    m_grabPoint = CPoint(0, 0);
    getControlRoot()->unlockControl();
}

void CWindowDragTab::handleMouseMovement(Events::CMouseEvent& /*event*/)
{
    if (!m_dragging)
        return;
    Windowing::IWindow* window = getControlRoot()->getParentWindow();
    if (window == nullptr)
        throw Exceptions::CException(CString("Root Window is NULL"),
                                     CString("CWindowDragTab::handleMouseMovement(CMouseEvent &)"), true);
    // The grabbed point is taken in the window's coordinates, so that a tab away from the window's corner does
    // not make the window jump by its offset at the first movement.
    CPoint grabbed = m_grabPoint;
    getControlRoot()->getControlWindowPosition(this, grabbed);
    CPoint position = Windowing::CWindowTools::getGlobalMousePosition();
    position -= grabbed;
    window->setWindowPosition(position);
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
