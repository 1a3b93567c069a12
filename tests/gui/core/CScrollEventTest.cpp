// CScrollEvent: which edge of the view area is the scroll offset, and copies.
#include "gui/core/CScrollEvent.hpp"

#include <gtest/gtest.h>

namespace
{
using Brivant::GUI::Events::CScrollEvent;
using Brivant::MathTools::CRect;

TEST(CScrollEventOffset, aHorizontalBarsOffsetIsTheLeftAnyOtherBarsTheTop)
{
    const CRect area(30, 70, 15, 0);
    const CScrollEvent horizontal(CScrollEvent::kHorizontal, area);
    EXPECT_TRUE(horizontal.isHorizontal());
    EXPECT_EQ(30, horizontal.getScrollOffset());

    const CScrollEvent vertical(CScrollEvent::kVertical, area);
    EXPECT_FALSE(vertical.isHorizontal());
    EXPECT_EQ(70, vertical.getScrollOffset());

    for (const long type : {2L, -1L, 100L})
    {
        const CScrollEvent other(type, area);
        EXPECT_FALSE(other.isHorizontal()) << type;
        EXPECT_EQ(70, other.getScrollOffset()) << type;
        EXPECT_EQ(type, other.getScrollBarType());
    }
}

TEST(CScrollEventCopies, copiesKeepTypeAndViewArea)
{
    CScrollEvent original(CScrollEvent::kHorizontal, CRect(5, 6, 7, 8));
    original.referenced();
    const CScrollEvent copy(original);
    EXPECT_EQ(CScrollEvent::kHorizontal, copy.getScrollBarType());
    EXPECT_TRUE(CRect(5, 6, 7, 8) == copy.getViewArea());
    EXPECT_EQ(0, copy.getReferenceCount());

    CScrollEvent assigned(CScrollEvent::kVertical, CRect(0, 0, 0, 0));
    assigned = original;
    EXPECT_EQ(5, assigned.getScrollOffset());
    EXPECT_TRUE(CRect(5, 6, 7, 8) == assigned.getViewArea());
}
} // namespace
