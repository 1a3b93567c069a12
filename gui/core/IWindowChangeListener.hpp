// Told when a window is sized, moved or about to close.
#pragma once

namespace Brivant
{
namespace MathTools
{
class CDimension;
class CPoint;
} // namespace MathTools

namespace GUI
{
namespace Windowing
{
class IWindow;
} // namespace Windowing

namespace Listeners
{
class IWindowChangeListener
{
public:
    virtual ~IWindowChangeListener() = default;
    virtual void windowSized(Windowing::IWindow* window, const MathTools::CDimension& size) = 0;
    virtual void windowMoved(Windowing::IWindow* window, const MathTools::CPoint& position) = 0;
    // False refuses the close or destroy.
    virtual bool windowClosed(Windowing::IWindow* window) = 0;
    // Reserved: no window sends these.
    virtual void windowNotification4(Windowing::IWindow* window) = 0;
    virtual void windowNotification5(Windowing::IWindow* window) = 0;
    virtual void windowNotification6(Windowing::IWindow* window) = 0;
};
} // namespace Listeners
} // namespace GUI
} // namespace Brivant
