// A scroll bar's new view area: the horizontal bar's offset is the area's left, the vertical bar's its top.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/mathtools/CRect.hpp"

namespace Brivant
{
namespace GUI
{
namespace Events
{
class CScrollEvent : public ::Brivant::Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CScrollEvent, "CCountedObject");

public:
    enum EScrollBarType : long
    {
        kVertical = 0,
        kHorizontal = 1
    };

    // Any type but kHorizontal is vertical.
    CScrollEvent(long scrollBarType, const MathTools::CRect& viewArea);
    CScrollEvent(const CScrollEvent& other);
    CScrollEvent& operator=(const CScrollEvent& other);
    ~CScrollEvent() override;

    long getScrollBarType() const { return m_scrollBarType; }
    bool isHorizontal() const { return m_scrollBarType == kHorizontal; }
    const MathTools::CRect& getViewArea() const { return m_viewArea; }
    // The view area's left for a horizontal bar, its top for any other.
    long getScrollOffset() const;

private:
    long m_scrollBarType;
    MathTools::CRect m_viewArea;
};
} // namespace Events
} // namespace GUI
} // namespace Brivant
