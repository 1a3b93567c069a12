#include "gui/core/CMouseEvent.hpp"

#include "gui/core/CMouse.hpp"

namespace Brivant
{
namespace GUI
{
namespace Events
{
using ::Brivant::Basics::CClass;
using MathTools::CPoint;

namespace
{
constexpr double kNotchesPerWheelUnit = 1.0 / 120.0;

// Read by events without a mouse; built on first use, so static objects may ask for it while they are built.
const CPoint& origin()
{
    static const CPoint point(0, 0);
    return point;
}
} // namespace

CMouseEvent::CMouseEvent(Windowing::CMouse* mouse, long eventType, double wheelValue)
    : m_eventType(eventType), m_mouse(mouse), m_wheelValue(wheelValue), m_ctrl(false), m_shift(false),
      m_alt(false)
{
}

CMouseEvent::CMouseEvent(const CMouseEvent& other)
    : CCountedObject(other), m_eventType(other.m_eventType), m_mouse(other.m_mouse),
      m_wheelValue(other.m_wheelValue), m_ctrl(other.m_ctrl), m_shift(other.m_shift), m_alt(other.m_alt)
{
}

CMouseEvent& CMouseEvent::operator=(const CMouseEvent& other)
{
    m_eventType = other.m_eventType;
    m_mouse = other.m_mouse;
    m_wheelValue = other.m_wheelValue;
    m_ctrl = other.m_ctrl;
    m_shift = other.m_shift;
    m_alt = other.m_alt;
    return *this;
}

CMouseEvent::~CMouseEvent() = default;

CMouseEvent CMouseEvent::validated(Windowing::CMouse* mouse, long eventType, double wheelValue)
{
    return CMouseEvent(mouse, isKnownEventType(eventType) ? eventType : kMouseMove, wheelValue);
}

bool CMouseEvent::isKnownEventType(long eventType)
{
    switch (eventType)
    {
    case kMouseMove:
    case kLeftButtonDown:
    case kLeftButtonUp:
    case kDoubleClick:
    case kRightButtonDown:
    case kRightButtonUp:
    case kMouseWheel:
    case kMouseLeave:
        return true;
    default:
        return false;
    }
}

const CPoint& CMouseEvent::getMousePosition() const
{
    return m_mouse != nullptr ? m_mouse->getPosition() : origin();
}

void CMouseEvent::setMousePosition(const CPoint& position)
{
    if (m_mouse != nullptr)
    {
        m_mouse->setPosition(position);
    }
}

void CMouseEvent::setWheelValueFromWheelData(std::uintptr_t wheelData)
{
    const auto delta = static_cast<int16_t>(static_cast<uint16_t>((wheelData >> 16) & 0xFFFF));
    m_wheelValue = static_cast<double>(delta) * kNotchesPerWheelUnit;
}

void CMouseEvent::setModifiers(bool ctrl, bool shift, bool alt)
{
    m_ctrl = ctrl;
    m_shift = shift;
    m_alt = alt;
}
} // namespace Events
} // namespace GUI
} // namespace Brivant
