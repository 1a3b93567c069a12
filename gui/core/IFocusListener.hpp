// Told when a window gains or loses the keyboard focus.
#pragma once

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
class IWindow;
} // namespace Windowing

namespace Listeners
{
class IFocusListener
{
public:
    virtual ~IFocusListener() = default;
    virtual void gainedFocus(Windowing::IWindow* window) = 0;
    virtual void lostFocus(Windowing::IWindow* window) = 0;
};
} // namespace Listeners
} // namespace GUI
} // namespace Brivant
