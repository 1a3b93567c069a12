// Told the new view area when a scroll bar moves.
#pragma once

namespace Brivant
{
namespace GUI
{
namespace Events
{
class CScrollEvent;
} // namespace Events

namespace Listeners
{
class IScrollListener
{
public:
    virtual ~IScrollListener() = default;
    virtual void handleScrollEvent(const Events::CScrollEvent& event) = 0;
};
} // namespace Listeners
} // namespace GUI
} // namespace Brivant
