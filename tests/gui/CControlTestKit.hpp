// The kit the control tests share: controls are driven through their root with synthetic events, and what they
// draw is read back as pixels from an off-screen surface; no native window is ever made.
//
//   CControlBench bench(400, 300);       a framework window that is never created, with its control root:
//     bench.root()                         the root controls go into (CControlRoot&);
//     bench.redraws                        every area the root asked the window to redraw, as "l,t,w,h";
//     bench.mouse(kind, x, y, mods)        one mouse event through the root, kind a CMouseEvent::EEventType,
//                                          mods any of kCtrl | kShift | kAlt; wheel(x, y, notches) for the wheel;
//     bench.key(pressed, character)        one key event through the root; answers the root's answer;
//     bench.drop(x, y, {"a.txt"})          a file drop through the root.
//   CProbeControl                        a CControl that writes each event it gets into a log (its own when
//                                          given none) as
//                                          "name operation x,y" (local position, then "shift" and the wheel
//                                          when set; keys "name keyDown c",
//                                          drops "name drop x,y file"), fills its area with one colour when drawn
//                                          ("name draw" is logged), and runs onEvent inside every handler.
//   CRecordingActionListener             writes down each action event: the control and its modifiers.
//   COffscreenCanvas canvas(w, h);       an off-screen surface, white at first, with a GDI-only graphics context
//                                          (no anti-aliasing, so colours are exact):
//     canvas.draw(root, update)            paints the root as the window's paint does, for the update area;
//     canvas.rgb(x, y)                     a pixel as "red,green,blue"; canvas.pixels() for counts and bounds.
#pragma once

#include "foundation/basics/CString.hpp"
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
#include "gui/core/IActionListener.hpp"
#include "tests/gui/core/CGraphicsFixture.hpp"

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace VolturaTests
{
using Brivant::GUI::Basics::CAlphaColour;
using Brivant::GUI::Controls::CControl;
using Brivant::GUI::Controls::CControlRoot;
using Brivant::GUI::Controls::IControl;
using Brivant::GUI::Controls::IControlRoot;
using Brivant::GUI::Events::CMouseEvent;
using Brivant::MathTools::CPoint;
using Brivant::MathTools::CRect;

using CEventLog = std::vector<std::string>;

inline std::string positionText(const Brivant::MathTools::CPoint& point)
{
    return std::to_string(point.getX()) + "," + std::to_string(point.getY());
}

inline std::string rectText(const Brivant::MathTools::CRect& rect)
{
    return std::to_string(rect.getLeft()) + "," + std::to_string(rect.getTop()) + "," +
           std::to_string(rect.getWidth()) + "," + std::to_string(rect.getHeight());
}

// A window that is never created; it writes down the redraws its root asks for.
class CTestWindow : public Brivant::GUI::Windowing::CWindow
{
public:
    explicit CTestWindow(const Brivant::MathTools::CRect& area) : CWindow(area) {}
    void redrawWindowArea(const Brivant::MathTools::CRect& area) override { redraws.push_back(rectText(area)); }

    std::vector<std::string> redraws;
};

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

class CControlBench
{
public:
    CControlBench(long width = 400, long height = 300)
        : m_window(new CTestWindow(Brivant::MathTools::CRect(0, 0, width, height))), redraws(m_window->redraws)
    {
    }

    CTestWindow& window() { return *m_window; }
    CControlRoot& root() { return *dynamic_cast<CControlRoot*>(m_window->getControlRoot()); }

    // Built on the window's own mouse, as the window builds its events.
    void mouse(long kind, long x, long y, int modifiers = kNoModifier, double wheel = 0.0)
    {
        CMouseEvent event(&m_window->getMousePointer(), kind, wheel);
        event.setMousePosition(Brivant::MathTools::CPoint(x, y));
        event.setModifiers((modifiers & kCtrl) != 0, (modifiers & kShift) != 0, (modifiers & kAlt) != 0);
        sendMouseEvent(root(), event);
    }
    void click(long x, long y)
    {
        mouse(CMouseEvent::kLeftButtonDown, x, y);
        mouse(CMouseEvent::kLeftButtonUp, x, y);
    }
    void wheel(long x, long y, double notches) { mouse(CMouseEvent::kMouseWheel, x, y, kNoModifier, notches); }

    bool key(bool pressed, char character)
    {
        Brivant::GUI::Events::CKeyboardEvent event;
        event.setCharacter(character);
        return pressed ? root().handleKeyDown(event) : root().handleKeyUp(event);
    }

    void drop(long x, long y, std::initializer_list<const char*> files)
    {
        Brivant::GUI::Events::CDropEvent event(Brivant::MathTools::CPoint(x, y));
        for (const char* file : files)
            event.getFileList().addElement(new Brivant::Basics::CString(file));
        root().handleFileDrop(event);
    }

private:
    std::unique_ptr<CTestWindow> m_window;

public:
    std::vector<std::string>& redraws;
};

class CProbeControl : public CControl
{
public:
    CProbeControl(IControlRoot* root, const char* name, const Brivant::MathTools::CRect& area, CEventLog* log,
                  const CAlphaColour& colour = CAlphaColour(255, 0, 0))
        : CControl(root, -1, area, nullptr), m_name(name), m_log(log != nullptr ? log : &m_ownLog), m_colour(colour)
    {
    }

    void handleLeftButtonDown(CMouseEvent& event) override { mouse("leftDown", event); }
    void handleLeftButtonUp(CMouseEvent& event) override { mouse("leftUp", event); }
    void handleRightButtonDown(CMouseEvent& event) override { mouse("rightDown", event); }
    void handleRightButtonUp(CMouseEvent& event) override { mouse("rightUp", event); }
    void handleDoubleClick(CMouseEvent& event) override { mouse("doubleClick", event); }
    void handleMouseScroll(CMouseEvent& event) override { mouse("scroll", event); }
    void handleMouseMovement(CMouseEvent& event) override { mouse("move", event); }
    void handleMouseLeavingArea(CMouseEvent& event) override { mouse("leave", event); }
    bool handleKeyDown(const Brivant::GUI::Events::CKeyboardEvent& event) override
    {
        note(std::string("keyDown ") + event.getCharacter());
        return keyAnswer;
    }
    bool handleKeyUp(const Brivant::GUI::Events::CKeyboardEvent& event) override
    {
        note(std::string("keyUp ") + event.getCharacter());
        return keyAnswer;
    }
    void handleFileDrop(const Brivant::GUI::Events::CDropEvent& event) override
    {
        const auto* file = event.getFileList().getElementAt(0);
        note("drop " + positionText(event.getDropPoint()) + " " + (file != nullptr ? file->getString() : ""));
    }

    // Fills the normalised area, or with spill a rectangle 5 pixels larger all round, to show the clip.
    void drawControl(Brivant::GUI::Graphics::CGraphics& graphics) override
    {
        m_log->push_back(m_name + " draw");
        graphics.getMutableBrush().setColour(m_colour);
        graphics.fillRectangle(spill ? Brivant::MathTools::CRect(-5, -5, getArea().getWidth() + 10,
                                                                 getArea().getHeight() + 10)
                                     : getNormalisedArea());
    }

    bool keyAnswer = true;
    bool spill = false;
    // Runs inside every handler, after the event is logged.
    std::function<void(CProbeControl&)> onEvent;

private:
    void mouse(const char* operation, const CMouseEvent& event)
    {
        std::string line = std::string(operation) + " " + positionText(event.getMousePosition());
        if (event.isShiftDown())
            line += " shift";
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

class COffscreenCanvas
{
public:
    COffscreenCanvas(long width, long height)
        : m_surface(width, height), m_window(nullptr),
          m_graphics(Brivant::GUI::Graphics::CGraphics::kGdiOnly), m_width(width), m_height(height)
    {
        m_graphics.initialise(&m_window, m_surface.context(), Brivant::MathTools::CDimension(width, height));
        m_graphics.getMutableBrush().setColour(CAlphaColour::white());
        m_graphics.fillRectangle(Brivant::MathTools::CRect(0, 0, width, height));
    }
    ~COffscreenCanvas() { m_graphics.uninitialise(); }
    COffscreenCanvas(const COffscreenCanvas&) = delete;
    COffscreenCanvas& operator=(const COffscreenCanvas&) = delete;

    Brivant::GUI::Graphics::CGraphics& graphics() { return m_graphics; }

    // As the window paints: update area and clip set, drawing offset at the origin.
    void draw(IControlRoot& root, const Brivant::MathTools::CRect& update)
    {
        m_graphics.setUpdateArea(update);
        m_graphics.setDrawingOffset(Brivant::MathTools::CPoint(0, 0));
        m_graphics.getClippingRegion().setClipRegion(update);
        root.drawRootControl(m_graphics);
    }
    void draw(IControlRoot& root) { draw(root, Brivant::MathTools::CRect(0, 0, m_width, m_height)); }

    CPixels pixels() const { return CPixels(m_graphics.getDeviceContext(), m_width, m_height); }
    std::string rgb(long x, long y) const { return pixels().rgb(x, y); }

private:
    CDibSurface m_surface;
    HWND m_window;
    Brivant::GUI::Graphics::CGraphics m_graphics;
    long m_width;
    long m_height;
};
} // namespace VolturaTests
