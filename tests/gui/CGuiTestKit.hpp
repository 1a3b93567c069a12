// The kit the GUI tests share. Controls are driven through their root with synthetic events and what they draw is
// read back as pixels from an off-screen surface; windows get messages, timers, drops and a trace log of their own.
//
//   CControlBench bench(400, 300);       a framework window that is never created, with its control root:
//     bench.root()                         the root controls go into (CControlRoot&);
//     bench.redraws                        every area the root asked the window to redraw, as "l,t,w,h";
//     bench.mouse(kind, x, y, mods)        one mouse event through the root, kind a CMouseEvent::EEventType,
//                                          mods any of kCtrl | kShift | kAlt; wheel(x, y, notches) for the wheel;
//     bench.key(pressed, character)        one key event through the root; answers the root's answer;
//     bench.drop(x, y, {"a.txt"})          a file drop through the root.
//   CProbeControl                        a CControl that writes each event it gets into a log (its own when
//                                          given none) as "name operation x,y" (local position, then the
//                                          modifiers and the wheel when set; keys "name keyDown c", drops
//                                          "name drop x,y file"), fills its area with one colour when drawn
//                                          ("name draw" is logged), and runs onEvent inside every handler.
//   CRecording...Listener                write down each action, mouse, key, drop or window event they get.
//   COffscreenCanvas canvas(w, h);       an off-screen surface, white at first, with a GDI-only graphics context
//                                          (no anti-aliasing, so colours are exact):
//     canvas.draw(root, update)            paints the root as the window's paint does, for the update area;
//     canvas.rgb(x, y)                     a pixel as "red,green,blue"; canvas.pixels() for counts and bounds.
//   Real windows: hiddenAttributes(), childAttributes() of sharedVisibleHost(), CForeignWindow, CDrawingWindow,
//   CTimedProbe, packedPosition() for mouse messages, pumpMessages() and CTraceCapture.
#pragma once

#include "foundation/basics/CString.hpp"
#include "foundation/basics/CSystemString.hpp"
#include "foundation/host/CTrace.hpp"
#include "foundation/mathtools/CRect.hpp"
#include "gui/core/CActionEvent.hpp"
#include "gui/core/CAlphaColour.hpp"
#include "gui/core/CBrush.hpp"
#include "gui/core/CControl.hpp"
#include "gui/core/CControlRoot.hpp"
#include "gui/core/CDropEvent.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CKeyboardEvent.hpp"
#include "gui/core/CMouseEvent.hpp"
#include "gui/core/CWindow.hpp"
#include "gui/core/CWindowAttributes.hpp"
#include "gui/core/IActionListener.hpp"
#include "gui/core/IDropFileListener.hpp"
#include "gui/core/IFocusListener.hpp"
#include "gui/core/IKeyboardListener.hpp"
#include "gui/core/IMouseListener.hpp"
#include "gui/core/ITimedObject.hpp"
#include "gui/core/IWindowChangeListener.hpp"
#include "tests/gui/core/CGraphicsFixture.hpp"
#include "tests/support/CTemporaryFolder.hpp"

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace VolturaTests
{
using Brivant::GUI::Basics::CAlphaColour;
using Brivant::GUI::Controls::CControl;
using Brivant::GUI::Controls::CControlRoot;
using Brivant::GUI::Controls::IControl;
using Brivant::GUI::Controls::IControlRoot;
using Brivant::GUI::Events::CDropEvent;
using Brivant::GUI::Events::CKeyboardEvent;
using Brivant::GUI::Events::CMouseEvent;
using Brivant::GUI::Windowing::CWindow;
using Brivant::GUI::Windowing::CWindowAttributes;
using Brivant::GUI::Windowing::IWindow;
using Brivant::MathTools::CDimension;
using Brivant::MathTools::CPoint;
using Brivant::MathTools::CRect;

using CEventLog = std::vector<std::string>;

inline std::string positionText(const CPoint& point)
{
    return std::to_string(point.getX()) + "," + std::to_string(point.getY());
}

inline std::string rectText(const CRect& rect)
{
    return std::to_string(rect.getLeft()) + "," + std::to_string(rect.getTop()) + "," +
           std::to_string(rect.getWidth()) + "," + std::to_string(rect.getHeight());
}

enum EModifier
{
    kNoModifier = 0,
    kCtrl = 1,
    kShift = 2,
    kAlt = 4
};

// Calls the mouse operation the event's type stands for.
inline void sendMouseEvent(Brivant::GUI::Listeners::IMouseListener& listener, CMouseEvent& event)
{
    switch (event.getEventType())
    {
    case CMouseEvent::kLeftButtonDown:
        return listener.handleLeftButtonDown(event);
    case CMouseEvent::kLeftButtonUp:
        return listener.handleLeftButtonUp(event);
    case CMouseEvent::kRightButtonDown:
        return listener.handleRightButtonDown(event);
    case CMouseEvent::kRightButtonUp:
        return listener.handleRightButtonUp(event);
    case CMouseEvent::kDoubleClick:
        return listener.handleDoubleClick(event);
    case CMouseEvent::kMouseWheel:
        return listener.handleMouseScroll(event);
    case CMouseEvent::kMouseLeave:
        return listener.handleMouseLeavingArea(event);
    default:
        return listener.handleMouseMovement(event);
    }
}

// One mouse event through a window's root, built on the window's own mouse as the window builds its events.
inline void mouseThroughRoot(IWindow& window, long kind, long x, long y, int modifiers = kNoModifier,
                             double wheel = 0.0)
{
    CMouseEvent event(&window.getMousePointer(), kind, wheel);
    event.setMousePosition(CPoint(x, y));
    event.setModifiers((modifiers & kCtrl) != 0, (modifiers & kShift) != 0, (modifiers & kAlt) != 0);
    sendMouseEvent(*window.getControlRoot(), event);
}

// "operation x,y", then "ctrl", "shift" and "alt" for the keys held down.
inline std::string mouseLine(const char* operation, const CMouseEvent& event)
{
    std::string line = std::string(operation) + " " + positionText(event.getMousePosition());
    if (event.isCtrlDown())
        line += " ctrl";
    if (event.isShiftDown())
        line += " shift";
    if (event.isAltDown())
        line += " alt";
    return line;
}

// Names each mouse operation and hands it with its event to record().
template <class TBase>
class TMouseRecorder : public TBase
{
public:
    using TBase::TBase;

    void handleLeftButtonDown(CMouseEvent& event) override { record("leftDown", event); }
    void handleLeftButtonUp(CMouseEvent& event) override { record("leftUp", event); }
    void handleRightButtonDown(CMouseEvent& event) override { record("rightDown", event); }
    void handleRightButtonUp(CMouseEvent& event) override { record("rightUp", event); }
    void handleDoubleClick(CMouseEvent& event) override { record("doubleClick", event); }
    void handleMouseScroll(CMouseEvent& event) override { record("scroll", event); }
    void handleMouseMovement(CMouseEvent& event) override { record("move", event); }
    void handleMouseLeavingArea(CMouseEvent& event) override { record("leave", event); }

protected:
    virtual void record(const char* operation, const CMouseEvent& event) = 0;
};

// A window that is never created; it writes down the redraws its root asks for.
class CTestWindow : public CWindow
{
public:
    explicit CTestWindow(const CRect& area) : CWindow(area) {}
    void redrawWindowArea(const CRect& area) override { redraws.push_back(rectText(area)); }

    std::vector<std::string> redraws;
};

class CControlBench
{
public:
    CControlBench(long width = 400, long height = 300)
        : m_window(new CTestWindow(CRect(0, 0, width, height))), redraws(m_window->redraws)
    {
    }

    CTestWindow& window() { return *m_window; }
    CControlRoot& root() { return *dynamic_cast<CControlRoot*>(m_window->getControlRoot()); }

    void mouse(long kind, long x, long y, int modifiers = kNoModifier, double wheel = 0.0)
    {
        mouseThroughRoot(*m_window, kind, x, y, modifiers, wheel);
    }
    void click(long x, long y)
    {
        mouse(CMouseEvent::kLeftButtonDown, x, y);
        mouse(CMouseEvent::kLeftButtonUp, x, y);
    }
    void wheel(long x, long y, double notches) { mouse(CMouseEvent::kMouseWheel, x, y, kNoModifier, notches); }

    bool key(bool pressed, char character)
    {
        CKeyboardEvent event;
        event.setCharacter(character);
        return pressed ? root().handleKeyDown(event) : root().handleKeyUp(event);
    }

    void drop(long x, long y, std::initializer_list<const char*> files)
    {
        CDropEvent event(CPoint(x, y));
        for (const char* file : files)
            event.getFileList().addElement(new Brivant::Basics::CString(file));
        root().handleFileDrop(event);
    }

private:
    std::unique_ptr<CTestWindow> m_window;

public:
    std::vector<std::string>& redraws;
};

class CProbeControl : public TMouseRecorder<CControl>
{
public:
    CProbeControl(IControlRoot* root, const char* name, const CRect& area, CEventLog* log,
                  const CAlphaColour& colour = CAlphaColour(255, 0, 0))
        : TMouseRecorder(root, -1, area, nullptr), m_name(name), m_log(log != nullptr ? log : &m_ownLog),
          m_colour(colour)
    {
    }

    bool handleKeyDown(const CKeyboardEvent& event) override
    {
        note(std::string("keyDown ") + event.getCharacter());
        return keyAnswer;
    }
    bool handleKeyUp(const CKeyboardEvent& event) override
    {
        note(std::string("keyUp ") + event.getCharacter());
        return keyAnswer;
    }
    void handleFileDrop(const CDropEvent& event) override
    {
        const auto* file = event.getFileList().getElementAt(0);
        note("drop " + positionText(event.getDropPoint()) + " " + (file != nullptr ? file->getString() : ""));
    }

    // Fills the normalised area, or with spill a rectangle 5 pixels larger all round, to show the clip.
    void drawControl(Brivant::GUI::Graphics::CGraphics& graphics) override
    {
        m_log->push_back(m_name + " draw");
        graphics.getMutableBrush().setColour(m_colour);
        graphics.fillRectangle(spill ? CRect(-5, -5, getArea().getWidth() + 10, getArea().getHeight() + 10)
                                     : getNormalisedArea());
    }

    bool keyAnswer = true;
    bool spill = false;
    // Runs inside every handler, after the event is logged.
    std::function<void(CProbeControl&)> onEvent;

private:
    void record(const char* operation, const CMouseEvent& event) override
    {
        std::string line = mouseLine(operation, event);
        if (event.getWheelValue() != 0.0)
            line += " wheel " + std::to_string(event.getWheelValue()).substr(0, 4);
        note(line);
    }
    void note(const std::string& line)
    {
        m_log->push_back(m_name + " " + line);
        if (onEvent)
            onEvent(*this);
    }

    std::string m_name;
    CEventLog m_ownLog;
    CEventLog* m_log;
    CAlphaColour m_colour;
};

class CRecordingActionListener : public Brivant::GUI::Listeners::IActionListener
{
public:
    void handleActionEvent(const Brivant::GUI::Events::CActionEvent& event) override
    {
        controls.push_back(event.getControl());
        shifts.push_back(event.isShiftDown());
    }

    std::vector<IControl*> controls;
    std::vector<bool> shifts;
};

// Each call as one mouse line, with its event type and wheel value beside it.
class CRecordingMouseListener : public TMouseRecorder<Brivant::GUI::Listeners::IMouseListener>
{
public:
    std::vector<std::string> calls;
    std::vector<long> eventTypes;
    std::vector<double> wheelValues;
    bool throwing = false;

private:
    void record(const char* operation, const CMouseEvent& event) override
    {
        calls.push_back(mouseLine(operation, event));
        eventTypes.push_back(event.getEventType());
        wheelValues.push_back(event.getWheelValue());
        if (throwing)
            throw std::runtime_error("mouse listener failed");
    }
};

class CRecordingKeyboardListener : public Brivant::GUI::Listeners::IKeyboardListener
{
public:
    bool handleKeyDown(const CKeyboardEvent& event) override { return record(true, event); }
    bool handleKeyUp(const CKeyboardEvent& event) override { return record(false, event); }

    struct SKey
    {
        bool pressed;
        long keyCode;
        char character;
        bool notACharacter;
        bool shift;
    };
    std::vector<SKey> keys;
    bool answer = true;

private:
    bool record(bool pressed, const CKeyboardEvent& event)
    {
        keys.push_back({pressed, event.getKeyCode(), event.getCharacter(), event.isNotACharacter(),
                        event.isShiftDown()});
        return answer;
    }
};

class CRecordingDropListener : public Brivant::GUI::Listeners::IDropFileListener
{
public:
    void handleFileDrop(const CDropEvent& event) override
    {
        ++drops;
        point = positionText(event.getDropPoint());
        files.clear();
        const CDropEvent::CFileList& list = event.getFileList();
        for (long index = 0; index < list.getArraySize(); ++index)
        {
            if (const Brivant::Basics::CString* name = list.getElementAt(index))
                files.push_back(name->getString());
        }
    }

    int drops = 0;
    std::string point;
    std::vector<std::string> files;
};

class CRecordingWindowListener : public Brivant::GUI::Listeners::IWindowChangeListener,
                                 public Brivant::GUI::Listeners::IFocusListener
{
public:
    void windowSized(IWindow* window, const CDimension& size) override
    {
        calls.push_back("sized " + std::to_string(size.getWidth()) + "x" + std::to_string(size.getHeight()));
        lastWindow = window;
    }
    void windowMoved(IWindow* window, const CPoint& position) override
    {
        calls.push_back("moved " + positionText(position));
        lastWindow = window;
    }
    bool windowClosed(IWindow* window) override
    {
        calls.push_back("closed");
        lastWindow = window;
        return allowClose;
    }
    void windowNotification4(IWindow* /*window*/) override {}
    void windowNotification5(IWindow* /*window*/) override {}
    void windowNotification6(IWindow* /*window*/) override {}
    void gainedFocus(IWindow* window) override
    {
        calls.push_back("gainedFocus");
        lastWindow = window;
    }
    void lostFocus(IWindow* window) override
    {
        calls.push_back("lostFocus");
        lastWindow = window;
    }

    // The calls whose line starts with the text.
    int count(const std::string& start) const
    {
        int found = 0;
        for (const std::string& call : calls)
            found += call.compare(0, start.size(), start) == 0 ? 1 : 0;
        return found;
    }

    std::vector<std::string> calls;
    IWindow* lastWindow = nullptr;
    bool allowClose = true;
};

class COffscreenCanvas
{
public:
    COffscreenCanvas(long width, long height)
        : m_surface(width, height), m_window(nullptr),
          m_graphics(Brivant::GUI::Graphics::CGraphics::kGdiOnly), m_width(width), m_height(height)
    {
        m_graphics.initialise(&m_window, m_surface.context(), CDimension(width, height));
        m_graphics.getMutableBrush().setColour(CAlphaColour::white());
        m_graphics.fillRectangle(CRect(0, 0, width, height));
    }
    ~COffscreenCanvas() { m_graphics.uninitialise(); }
    COffscreenCanvas(const COffscreenCanvas&) = delete;
    COffscreenCanvas& operator=(const COffscreenCanvas&) = delete;

    Brivant::GUI::Graphics::CGraphics& graphics() { return m_graphics; }

    // As the window paints: update area and clip set, drawing offset at the origin.
    void draw(IControlRoot& root, const CRect& update)
    {
        m_graphics.setUpdateArea(update);
        m_graphics.setDrawingOffset(CPoint(0, 0));
        m_graphics.getClippingRegion().setClipRegion(update);
        root.drawRootControl(m_graphics);
    }
    void draw(IControlRoot& root) { draw(root, CRect(0, 0, m_width, m_height)); }

    CPixels pixels() const { return CPixels(m_graphics.getDeviceContext(), m_width, m_height); }
    std::string rgb(long x, long y) const { return pixels().rgb(x, y); }

private:
    CDibSurface m_surface;
    HWND m_window;
    Brivant::GUI::Graphics::CGraphics m_graphics;
    long m_width;
    long m_height;
};

// A mouse message's lParam for client coordinates, sign-extended as Windows hands it on 64-bit.
inline LPARAM packedPosition(int x, int y)
{
    return static_cast<LPARAM>(static_cast<LONG>(MAKELONG(static_cast<WORD>(x), static_cast<WORD>(y))));
}

// A hidden pop-up: the messages tests send need no display of their own.
inline CWindowAttributes hiddenAttributes(const char* name)
{
    CWindowAttributes attributes;
    attributes.setWindowName(Brivant::Basics::CString(name));
    attributes.setWindowStyles(static_cast<long>(WS_POPUP), WS_EX_ACCEPTFILES);
    return attributes;
}

// One shown window of this thread that lives as long as the tests, for windows that must be seen: shown
// windows are made its children, because without a window manager the display takes two seconds to take
// away every shown top-level window.
inline HWND sharedVisibleHost()
{
    static HWND host = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 400, 300,
                                       nullptr, nullptr, nullptr, nullptr);
    return host;
}

// Attributes of a child of the shared host; it shows when opened.
inline CWindowAttributes childAttributes(const char* name)
{
    CWindowAttributes attributes = hiddenAttributes(name);
    attributes.setWindowStyles(static_cast<long>(WS_CHILD), 0);
    return attributes;
}

// Runs this thread's messages for the given time.
inline void pumpMessages(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    do
    {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(1);
    } while (GetTickCount() - start < milliseconds);
}

// A framework window standing for a native window it did not make, as the editor's parent wrapper does.
class CForeignWindow : public CWindow
{
public:
    explicit CForeignWindow(HWND handle) : CWindow(CRect(0, 0, 10, 10)) { *getMutableWindowHandle() = handle; }
    ~CForeignWindow() override { *getMutableWindowHandle() = nullptr; }
};

// A window whose contents the test draws.
class CDrawingWindow : public CWindow
{
public:
    explicit CDrawingWindow(const CRect& area) : CWindow(area) {}
    void draw(Brivant::GUI::Graphics::CGraphics& graphics) override
    {
        ++paints;
        if (onDraw)
            onDraw(graphics);
    }

    int paints = 0;
    std::function<void(Brivant::GUI::Graphics::CGraphics&)> onDraw;
};

class CTimedProbe : public Brivant::GUI::Basics::ITimedObject
{
public:
    explicit CTimedProbe(long timerId) : m_timerId(timerId) {}
    void timerExpired() override
    {
        ++expiries;
        if (onExpiry)
            onExpiry();
    }
    long getTimerId() const override { return m_timerId; }

    int expiries = 0;
    std::function<void()> onExpiry;

private:
    long m_timerId;
};

// Opens the trace log in a temporary folder for the test's lifetime; text() closes it and reads it.
class CTraceCapture
{
public:
    CTraceCapture() : m_path(m_folder.file("trace.log"))
    {
        Brivant::Host::CTrace::openTraceFile(Brivant::Basics::CSystemString(m_path.c_str()));
    }
    ~CTraceCapture() { Brivant::Host::CTrace::closeTraceFile(); }
    CTraceCapture(const CTraceCapture&) = delete;
    CTraceCapture& operator=(const CTraceCapture&) = delete;

    std::string text() const
    {
        Brivant::Host::CTrace::closeTraceFile();
        return CTemporaryFolder::readBytes(m_path);
    }

private:
    CTemporaryFolder m_folder;
    std::string m_path;
};
} // namespace VolturaTests
