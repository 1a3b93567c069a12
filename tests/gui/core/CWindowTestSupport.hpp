// What the window tests share: listeners that write down what reaches them, a timed object, a window whose
// drawing a test chooses, hidden-window attributes, a message pump and a capture of the trace log.
#pragma once

#include "foundation/basics/CSystemString.hpp"
#include "foundation/host/CTrace.hpp"
#include "gui/core/CDropEvent.hpp"
#include "gui/core/CKeyboardEvent.hpp"
#include "gui/core/CMouseEvent.hpp"
#include "gui/core/CWindow.hpp"
#include "gui/core/CWindowAttributes.hpp"
#include "gui/core/IDropFileListener.hpp"
#include "gui/core/IFocusListener.hpp"
#include "gui/core/IKeyboardListener.hpp"
#include "gui/core/IMouseListener.hpp"
#include "gui/core/ITimedObject.hpp"
#include "gui/core/IWindowChangeListener.hpp"
#include "tests/support/CTemporaryFolder.hpp"

#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace VolturaTests
{
using Brivant::GUI::Events::CDropEvent;
using Brivant::GUI::Events::CKeyboardEvent;
using Brivant::GUI::Events::CMouseEvent;
using Brivant::GUI::Windowing::CWindow;
using Brivant::GUI::Windowing::CWindowAttributes;
using Brivant::GUI::Windowing::IWindow;
using Brivant::MathTools::CDimension;
using Brivant::MathTools::CPoint;
using Brivant::MathTools::CRect;

inline std::string pointText(const CPoint& point)
{
    return std::to_string(point.getX()) + "," + std::to_string(point.getY());
}

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

// A framework window standing for a native window it did not make, as the editor's parent wrapper does.
class CForeignWindow : public CWindow
{
public:
    explicit CForeignWindow(HWND handle) : CWindow(CRect(0, 0, 10, 10)) { *getMutableWindowHandle() = handle; }
    ~CForeignWindow() override { *getMutableWindowHandle() = nullptr; }
};

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

// Each call as one line: the operation, the position, then the wheel and modifiers when they are set.
class CRecordingMouseListener : public Brivant::GUI::Listeners::IMouseListener
{
public:
    void handleLeftButtonDown(CMouseEvent& event) override { record("leftDown", event); }
    void handleLeftButtonUp(CMouseEvent& event) override { record("leftUp", event); }
    void handleRightButtonDown(CMouseEvent& event) override { record("rightDown", event); }
    void handleRightButtonUp(CMouseEvent& event) override { record("rightUp", event); }
    void handleDoubleClick(CMouseEvent& event) override { record("doubleClick", event); }
    void handleMouseScroll(CMouseEvent& event) override { record("scroll", event); }
    void handleMouseMovement(CMouseEvent& event) override { record("move", event); }
    void handleMouseLeavingArea(CMouseEvent& event) override { record("leave", event); }

    std::vector<std::string> calls;
    std::vector<long> eventTypes;
    std::vector<double> wheelValues;
    bool throwing = false;

private:
    void record(const char* operation, const CMouseEvent& event)
    {
        std::string line = std::string(operation) + " " + pointText(event.getMousePosition());
        if (event.isCtrlDown())
            line += " ctrl";
        if (event.isShiftDown())
            line += " shift";
        if (event.isAltDown())
            line += " alt";
        calls.push_back(line);
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
        point = pointText(event.getDropPoint());
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
        calls.push_back("moved " + pointText(position));
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
