// One mouse message as the GUI hands it on: its type, the mouse that holds the position, wheel notches and the
// modifier keys. The window keeps one and refills it for every message.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/mathtools/CPoint.hpp"

#include <cstdint>

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
class CMouse;
} // namespace Windowing

namespace Events
{
class CMouseEvent : public ::Brivant::Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CMouseEvent, "CCountedObject");

public:
    // The Windows mouse messages an event stands for.
    enum EEventType : long
    {
        kMouseMove = 512,
        kLeftButtonDown = 513,
        kLeftButtonUp = 514,
        kDoubleClick = 515,
        kRightButtonDown = 516,
        kRightButtonUp = 517,
        kMouseWheel = 522,
        kMouseLeave = 675
    };

    // Stores all three as given; the mouse is not owned and may be null.
    CMouseEvent(Windowing::CMouse* mouse, long eventType, double wheelValue);
    CMouseEvent(const CMouseEvent& other);
    CMouseEvent& operator=(const CMouseEvent& other);
    ~CMouseEvent() override;

    // As the constructor, but a message number other than the eight above becomes a move.
    static CMouseEvent validated(Windowing::CMouse* mouse, long eventType, double wheelValue);
    static bool isKnownEventType(long eventType);

    long getEventType() const { return m_eventType; }
    void setEventType(long eventType) { m_eventType = eventType; }
    Windowing::CMouse* getMouse() const { return m_mouse; }

    // The mouse's position; the origin when the event has no mouse.
    const MathTools::CPoint& getMousePosition() const;
    // Moves the event's mouse; without a mouse nothing happens.
    void setMousePosition(const MathTools::CPoint& position);

    // Notches, positive away from the user.
    double getWheelValue() const { return m_wheelValue; }
    void setWheelValue(double wheelValue) { m_wheelValue = wheelValue; }
    // From wheel data whose high word is the signed wheel delta (WM_MOUSEWHEEL's wParam, a mouse hook's
    // mouseData): 120 per notch, so a high-resolution wheel gives fractions.
    void setWheelValueFromWheelData(std::uintptr_t wheelData);

    bool isCtrlDown() const { return m_ctrl; }
    bool isShiftDown() const { return m_shift; }
    bool isAltDown() const { return m_alt; }
    void setModifiers(bool ctrl, bool shift, bool alt);

private:
    long m_eventType;
    Windowing::CMouse* m_mouse;
    double m_wheelValue;
    bool m_ctrl;
    bool m_shift;
    bool m_alt;
};
} // namespace Events
} // namespace GUI
} // namespace Brivant
