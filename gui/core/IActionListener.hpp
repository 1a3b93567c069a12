// Told by a control after the user changed it.
#pragma once

namespace Brivant
{
namespace GUI
{
namespace Events
{
class CActionEvent;
} // namespace Events

namespace Listeners
{
class IActionListener
{
public:
    virtual ~IActionListener() = default;
    virtual void handleActionEvent(const Events::CActionEvent& event) = 0;
};
} // namespace Listeners
} // namespace GUI
} // namespace Brivant
