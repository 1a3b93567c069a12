#include "gui/core/CScrollEvent.hpp"

namespace Brivant
{
namespace GUI
{
namespace Events
{
using ::Brivant::Basics::CClass;
using MathTools::CRect;

CScrollEvent::CScrollEvent(long scrollBarType, const CRect& viewArea)
    : m_scrollBarType(scrollBarType), m_viewArea(viewArea)
{
}

CScrollEvent::CScrollEvent(const CScrollEvent& other)
    : CCountedObject(other), m_scrollBarType(other.m_scrollBarType), m_viewArea(other.m_viewArea)
{
}

CScrollEvent& CScrollEvent::operator=(const CScrollEvent& other)
{
    m_scrollBarType = other.m_scrollBarType;
    m_viewArea = other.m_viewArea;
    return *this;
}

CScrollEvent::~CScrollEvent() = default;

long CScrollEvent::getScrollOffset() const { return isHorizontal() ? m_viewArea.getLeft() : m_viewArea.getTop(); }
} // namespace Events
} // namespace GUI
} // namespace Brivant
