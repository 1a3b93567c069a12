// Told when a menu window opens, closes or reports a chosen item.
#pragma once

namespace Brivant
{
namespace GUI
{
namespace Events
{
class CMenuEvent;
} // namespace Events

namespace Listeners
{
class IMenuListener
{
public:
    virtual ~IMenuListener() = default;
    virtual void handleMenuOpening(const Events::CMenuEvent& event) = 0;
    virtual void handleMenuClosing(const Events::CMenuEvent& event) = 0;
    virtual void handleMenuSelection(const Events::CMenuEvent& event) = 0;
};
} // namespace Listeners
} // namespace GUI
} // namespace Brivant
