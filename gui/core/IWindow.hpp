// A framework window as its controls, its control root and derived windows see it.
#pragma once

#include "foundation/basics/ICountedObject.hpp"

#include <cstdint>

struct HWND__;

namespace Brivant
{
namespace MathTools
{
class CDimension;
class CPoint;
class CRect;
} // namespace MathTools

namespace GUI
{
namespace Basics
{
class ITimedObject;
}

namespace Controls
{
class IControlRoot;
}

namespace Graphics
{
class CGraphics;
}

namespace Listeners
{
class IDropFileListener;
class IFocusListener;
class IKeyboardListener;
class IMouseListener;
class IWindowChangeListener;
} // namespace Listeners

namespace Windowing
{
class CMouse;
class CWindowAttributes;

class IWindow : public virtual ::Brivant::Basics::ICountedObject
{
public:
    // Not owned; its handle owns the native window at creation.
    virtual void setParentWindow(IWindow* parent) = 0;
    virtual IWindow* getParentWindow() const = 0;
    // Kept free for derived windows; the framework window does nothing in them.
    virtual void unusedHook8(void* argument) = 0;
    // The first step of closeWindow.
    virtual void prepareToClose() = 0;
    virtual void unusedHook10(void* argument) = 0;

    // The holder of the native handle: null until the window is created and again once it is gone.
    virtual HWND__* const* getWindowHandle() const = 0;
    // For a window that stands for a native window made by someone else.
    virtual HWND__** getMutableWindowHandle() = 0;
    virtual CWindowAttributes* getWindowAttributes() const = 0;

    // Creates the native window with a copy of the attributes; ignored for null attributes or while created.
    virtual void intialiseWindow(CWindowAttributes* attributes, bool showWindow) = 0;
    virtual void closeWindow() = 0;
    virtual void openWindow() = 0;
    virtual void hideWindow() = 0;
    virtual void destroyWindow() = 0;
    virtual void updateWindow() = 0;
    virtual void disableWindow() = 0;
    virtual void enableWindow() = 0;
    virtual void draw(Graphics::CGraphics& graphics) = 0;
    virtual void redrawWindow() = 0;
    // In client coordinates.
    virtual void redrawWindowArea(const ::Brivant::MathTools::CRect& area) = 0;

    virtual void setWindowPosition(const ::Brivant::MathTools::CPoint& position) = 0;
    virtual const ::Brivant::MathTools::CPoint& getWindowPosition() const = 0;
    virtual void setWindowSize(const ::Brivant::MathTools::CDimension& size) = 0;
    virtual const ::Brivant::MathTools::CDimension& getWindowSize() const = 0;
    virtual void setWindowArea(const ::Brivant::MathTools::CRect& area) = 0;
    virtual const ::Brivant::MathTools::CRect& getWindowArea() const = 0;
    // 0..1; only a layered window shows it.
    virtual void setWindowAlpha(double alpha) = 0;

    // Timed objects are not owned; each expiry reaches every registered object with the timer's id.
    virtual void timerExpired(long timerId) = 0;
    virtual void startTimer(long timerId, long milliseconds) = 0;
    virtual void stopTimer(long timerId) = 0;
    virtual void addTimedObject(Basics::ITimedObject* object) = 0;
    virtual void removeTimedObject(Basics::ITimedObject* object) = 0;
    virtual void stopAllTimers() = 0;

    // Listeners are not owned; null means none.
    virtual void setFocusListener(Listeners::IFocusListener* listener) = 0;
    virtual void setWindowChangeListener(Listeners::IWindowChangeListener* listener) = 0;
    virtual void setMouseListener(Listeners::IMouseListener* listener) = 0;
    virtual void setDropFileListener(Listeners::IDropFileListener* listener) = 0;
    virtual void setKeyboardListener(Listeners::IKeyboardListener* listener) = 0;
    virtual bool hasMouseListener() const = 0;
    virtual bool hasKeyboardListener() const = 0;
    virtual bool hasDropFileListener() const = 0;

    virtual CMouse& getMousePointer() = 0;
    virtual Controls::IControlRoot* getControlRoot() const = 0;
    // Registers the window class when needed and makes the native window; false when the class cannot be
    // registered.
    virtual bool createWindow() = 0;

    // One message of the native window, answered with the message's result: what the window does not handle
    // itself gets the system's default handling. Derived windows pass what they leave alone on to this.
    virtual std::intptr_t handleWindowEvents(HWND__* window, unsigned int message, std::uintptr_t wParam,
                                             std::intptr_t lParam) = 0;
    // A keyboard hook's key: given to the keyboard listener, swallowed (1) when it is used.
    virtual std::intptr_t handleKeyboardHook(int code, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    // A mouse message's client position, signed, with the modifier keys.
    virtual void updateMousePosition(std::intptr_t lParam) = 0;
    // Asks for the message that tells the pointer left the window.
    virtual void trackMouseLeave() = 0;
    virtual void removeKeyboardHook() = 0;
};
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
