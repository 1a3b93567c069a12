// Receives mouse events with the position made local to the receiver.
#pragma once

namespace Brivant
{
namespace GUI
{
namespace Events
{
class CMouseEvent;
} // namespace Events

namespace Listeners
{
class IMouseListener
{
public:
    virtual ~IMouseListener() = default;
    virtual void handleLeftButtonDown(Events::CMouseEvent& event) = 0;
    virtual void handleLeftButtonUp(Events::CMouseEvent& event) = 0;
    virtual void handleRightButtonDown(Events::CMouseEvent& event) = 0;
    virtual void handleRightButtonUp(Events::CMouseEvent& event) = 0;
    virtual void handleDoubleClick(Events::CMouseEvent& event) = 0;
    virtual void handleMouseScroll(Events::CMouseEvent& event) = 0;
    virtual void handleMouseMovement(Events::CMouseEvent& event) = 0;
    virtual void handleMouseLeavingArea(Events::CMouseEvent& event) = 0;
};
} // namespace Listeners
} // namespace GUI
} // namespace Brivant
