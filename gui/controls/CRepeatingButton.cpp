#include "gui/controls/CRepeatingButton.hpp"

#include "gui/core/CActionEvent.hpp"
#include "gui/core/IActionListener.hpp"
#include "gui/core/IControlRoot.hpp"
#include "gui/core/IWindow.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
namespace
{
const long kDefaultInterval = 100;
}

CRepeatingButton::CRepeatingButton(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
                                   Listeners::IActionListener* listener)
    : CRolloverButton(root, id, area, listener), m_repeatInterval(kDefaultInterval)
{
    setMouseEnabled(true);
    if (Windowing::IWindow* window = getControlRoot()->getParentWindow())
        window->addTimedObject(this);
}

CRepeatingButton::~CRepeatingButton()
{
    if (Windowing::IWindow* window = getControlRoot()->getParentWindow())
        window->removeTimedObject(this);
}

void CRepeatingButton::setRepeatInterval(long milliseconds) { m_repeatInterval = milliseconds; }

void CRepeatingButton::timerExpired()
{
    if (getActionListener() != nullptr)
        getActionListener()->handleActionEvent(Events::CActionEvent(this));
}

void CRepeatingButton::stopRepeating()
{
    Windowing::IWindow* window = getControlRoot()->getParentWindow();
    if (window != nullptr && getControlId() != 0)
        window->stopTimer(getControlId());
}

void CRepeatingButton::handleLeftButtonDown(Events::CMouseEvent& event)
{
    CRolloverButton::handleLeftButtonDown(event);
    // The window refuses timer id 0 with an exception, which must not leave a mouse handler; a root without a
    // window has no timer to start.
    Windowing::IWindow* window = getControlRoot()->getParentWindow();
    if (getButtonState() == kDown && getControlId() != 0 && window != nullptr)
        window->startTimer(getControlId(), m_repeatInterval);
}

void CRepeatingButton::handleLeftButtonUp(Events::CMouseEvent& event)
{
    CRolloverButton::handleLeftButtonUp(event);
    stopRepeating();
}

void CRepeatingButton::handleMouseMovement(Events::CMouseEvent& event)
{
    CRolloverButton::handleMouseMovement(event);
    if (getButtonState() != kDown)
        stopRepeating();
}

void CRepeatingButton::handleMouseLeavingArea(Events::CMouseEvent& event)
{
    CRolloverButton::handleMouseLeavingArea(event);
    stopRepeating();
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
