// The framework's native window. It owns the control root that holds its controls, turns Win32 messages into
// the framework's mouse, key, drop, focus and window-change notifications, paints double-buffered through one
// graphics context, drives timers for timed objects, and while it has the keyboard focus hooks its own thread's
// mouse input so that the wheel reaches it.
#pragma once

#include "foundation/basics/CClass.hpp"
#include "foundation/basics/CString.hpp"
#include "foundation/mathtools/CDimension.hpp"
#include "foundation/mathtools/CPoint.hpp"
#include "foundation/mathtools/CRect.hpp"
#include "gui/core/CKeyboardEvent.hpp"
#include "gui/core/CMouse.hpp"
#include "gui/core/CMouseEvent.hpp"
#include "gui/core/IFocusListener.hpp"
#include "gui/core/IToolTipSupportingWindow.hpp"
#include "gui/core/IWindow.hpp"
#include "gui/core/IWindowChangeListener.hpp"

#include <cstdint>
#include <memory>

struct HDC__;
struct HHOOK__;
struct HWND__;

namespace Brivant
{
namespace Collections
{
template <class T>
class TPointerCollection;
}

namespace Host
{
class CDLLLoader;
}

namespace GUI
{
namespace Controls
{
class CControlRoot;
}

namespace Windowing
{
class CWindow : public IWindow,
                public Listeners::IWindowChangeListener,
                public Listeners::IFocusListener,
                public IToolTipSupportingWindow
{
public:
    // Keeps the area; no native window exists until intialiseWindow.
    explicit CWindow(const ::Brivant::MathTools::CRect& area);
    ~CWindow() override;

    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    static ::Brivant::Basics::CClass& classRecord();

    // Its own count, not a CCountedObject's: the last dereference deletes the window.
    void referenced() override;
    void dereference() override;
    long getReferenceCount() const override;
    // Writes nothing.
    void getObjectDescription(char* text, long size) const override;
    const ::Brivant::Basics::CClass& getClass() const override;

    void setParentWindow(IWindow* parent) override;
    IWindow* getParentWindow() const override;
    void unusedHook8(void* argument) override;
    void prepareToClose() override;
    void unusedHook10(void* argument) override;
    HWND__* const* getWindowHandle() const override;
    HWND__** getMutableWindowHandle() override;
    CWindowAttributes* getWindowAttributes() const override;

    // A CException from inside comes out as one that names this step above the inner text.
    void intialiseWindow(CWindowAttributes* attributes, bool showWindow) override;
    void closeWindow() override;
    void openWindow() override;
    // Tells the window-change listener the window closed.
    void hideWindow() override;
    // Only a native window this object made is destroyed: a window standing for someone else's keeps it.
    void destroyWindow() override;
    void updateWindow() override;
    void disableWindow() override;
    void enableWindow() override;
    // The control root draws the window's contents.
    void draw(Graphics::CGraphics& graphics) override;
    // The whole client area.
    void redrawWindow() override;
    void redrawWindowArea(const ::Brivant::MathTools::CRect& area) override;

    void setWindowPosition(const ::Brivant::MathTools::CPoint& position) override;
    const ::Brivant::MathTools::CPoint& getWindowPosition() const override { return m_position; }
    void setWindowSize(const ::Brivant::MathTools::CDimension& size) override;
    const ::Brivant::MathTools::CDimension& getWindowSize() const override { return m_size; }
    void setWindowArea(const ::Brivant::MathTools::CRect& area) override;
    const ::Brivant::MathTools::CRect& getWindowArea() const override { return m_area; }
    // Held to 0..1 on its way to the system.
    void setWindowAlpha(double alpha) override;

    // Survives a timed object removing itself, or another one, while it is called.
    void timerExpired(long timerId) override;
    // Id 0 throws CException; before the native window exists nothing starts.
    void startTimer(long timerId, long milliseconds) override;
    // Only an id some registered object has.
    void stopTimer(long timerId) override;
    void addTimedObject(Basics::ITimedObject* object) override;
    // One entry of the object goes; its timer stops unless an entry still registered has the same id.
    void removeTimedObject(Basics::ITimedObject* object) override;
    // The objects are forgotten: they must register again.
    void stopAllTimers() override;

    void setFocusListener(Listeners::IFocusListener* listener) override { m_focusListener = listener; }
    void setWindowChangeListener(Listeners::IWindowChangeListener* listener) override
    {
        m_windowChangeListener = listener;
    }
    void setMouseListener(Listeners::IMouseListener* listener) override { m_mouseListener = listener; }
    void setDropFileListener(Listeners::IDropFileListener* listener) override { m_dropFileListener = listener; }
    void setKeyboardListener(Listeners::IKeyboardListener* listener) override { m_keyboardListener = listener; }
    bool hasMouseListener() const override { return m_mouseListener != nullptr; }
    bool hasKeyboardListener() const override { return m_keyboardListener != nullptr; }
    bool hasDropFileListener() const override { return m_dropFileListener != nullptr; }

    CMouse& getMousePointer() override { return m_mouse; }
    Controls::IControlRoot* getControlRoot() const override;
    bool createWindow() override;

    // The window's own listener operations: only windowClosed does something, ending the message loop of
    // the application's main window.
    void windowSized(IWindow* window, const ::Brivant::MathTools::CDimension& size) override;
    void windowMoved(IWindow* window, const ::Brivant::MathTools::CPoint& position) override;
    bool windowClosed(IWindow* window) override;
    void windowNotification4(IWindow* window) override;
    void windowNotification5(IWindow* window) override;
    void windowNotification6(IWindow* window) override;
    void gainedFocus(IWindow* window) override;
    void lostFocus(IWindow* window) override;

    void setToolTipValue(long value) override { m_toolTipValue = value; }
    long getToolTipValue() const override { return m_toolTipValue; }
    long getToolTipValueAgain() const override { return m_toolTipValue; }

    // The system's default handling also follows the window's own work for moves, sizes and focus.
    std::intptr_t handleWindowEvents(HWND__* window, unsigned int message, std::uintptr_t wParam,
                                     std::intptr_t lParam) override;
    // The wheel, while the window has the focus: sent to the mouse listener and swallowed (1) when both a
    // mouse and a keyboard listener are set; everything else goes on to the next hook.
    virtual std::intptr_t handleMouseHook(int code, std::uintptr_t wParam, std::intptr_t lParam);
    std::intptr_t handleKeyboardHook(int code, std::uintptr_t wParam, std::intptr_t lParam) override;
    void updateMousePosition(std::intptr_t lParam) override;
    void trackMouseLeave() override;
    void removeKeyboardHook() override;
    void removeMouseHook();

    // The mouse hook's body: the window the hook serves is looked up, and used only while it is a live
    // framework window of the calling thread; otherwise, and when it throws, the input goes on unchanged.
    static std::intptr_t dispatchMouseHook(int code, std::uintptr_t wParam, std::intptr_t lParam);
    // The window the mouse hook serves: the one that gained the focus last, null once it is destroyed.
    static HWND__* getHookWindow();

    bool isCreated() const { return m_created; }
    bool isMouseHookSet() const { return m_mouseHook != nullptr; }
    const ::Brivant::MathTools::CPoint& getLastMousePosition() const { return m_lastMousePosition; }

protected:
    // For a derived window with a root of its own: the root (owned from now on) takes the old one's place and
    // becomes the mouse, drop-file and keyboard listener. Null is ignored.
    void setControlRoot(Controls::CControlRoot* root);

private:
    bool hasNativeWindow() const { return m_created && m_handle != nullptr; }
    bool hasTimedObjectWithId(long timerId) const;
    // True when result is the answer; false leaves the message to the system's default handling.
    bool handleMessage(HWND__* window, unsigned int message, std::uintptr_t wParam, std::intptr_t lParam,
                       std::intptr_t& result);
    void installMouseHook();
    void forgetNativeWindow();
    void releaseWindowClass();
    void readModifiers();
    void prepareMouseEvent(long eventType);
    void fillWheelEvent(std::uintptr_t wheelData);

    bool handleDestroy(std::intptr_t& result);
    bool handleMove(std::intptr_t lParam);
    bool handleSize(std::intptr_t lParam);
    bool handleSetFocus();
    bool handleKillFocus();
    bool handlePaint(HWND__* window, std::intptr_t& result);
    // Recomposes one area of the surface (background colour, then the drawing) and copies it to dc.
    void paintArea(HDC__* dc, const ::Brivant::MathTools::CRect& area);
    bool handleClose(std::intptr_t& result);
    bool handleKey(bool pressed, std::uintptr_t wParam, std::intptr_t lParam, std::intptr_t& result);
    bool handleEditColours(std::uintptr_t wParam, std::intptr_t lParam, std::intptr_t& result);
    bool handleMouseMoveMessage(std::intptr_t lParam, std::intptr_t& result);
    bool handleButtonDown(bool left, std::intptr_t lParam, std::intptr_t& result);
    bool handleButtonUp(bool left, std::intptr_t lParam, std::intptr_t& result);
    bool handleDoubleClickMessage(std::intptr_t lParam, std::intptr_t& result);
    bool handleWheelMessage(std::uintptr_t wParam, std::intptr_t& result);
    bool handleDrop(std::uintptr_t wParam, std::intptr_t& result);
    bool handleMouseLeave(std::intptr_t& result);

    long m_referenceCount;
    Listeners::IMouseListener* m_mouseListener;
    Listeners::IDropFileListener* m_dropFileListener;
    Listeners::IKeyboardListener* m_keyboardListener;
    Listeners::IWindowChangeListener* m_windowChangeListener;
    Listeners::IFocusListener* m_focusListener;
    std::unique_ptr<CWindowAttributes> m_attributes;
    HWND__* m_handle;
    IWindow* m_parent;
    ::Brivant::MathTools::CDimension m_size;
    ::Brivant::MathTools::CPoint m_position;
    ::Brivant::MathTools::CRect m_area;
    CMouse m_mouse;
    ::Brivant::MathTools::CPoint m_lastMousePosition;
    std::unique_ptr<Graphics::CGraphics> m_graphics;
    // Set while a paint draws. A paint that arrives meanwhile (from a drawing that pumps messages) would take the
    // graphics from under it; its area is kept here and asked for again once the outer paint ends.
    bool m_painting;
    ::Brivant::MathTools::CRect m_deferredPaint;
    Events::CMouseEvent m_mouseEvent;
    Events::CKeyboardEvent m_keyboardEvent;
    bool m_created;
    long m_toolTipValue;
    std::unique_ptr<Collections::TPointerCollection<Basics::ITimedObject>> m_timedObjects;
    std::unique_ptr<Controls::CControlRoot> m_controlRoot;
    std::unique_ptr<Host::CDLLLoader> m_user32;
    void* m_setLayeredWindowAttributes;
    HHOOK__* m_keyboardHook;
    HHOOK__* m_mouseHook;
    // The class the native window was made with, given back once no window of it is left.
    ::Brivant::Basics::CString m_className;
    // Whether this window counts among its class's live windows.
    bool m_holdsWindowClass;
    // False once the window is deleted, so a loop of callbacks can tell when one of them deleted it.
    std::shared_ptr<bool> m_alive;
    ::Brivant::Basics::TInstanceCount<CWindow> m_instanceCount;
};
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
