#include "gui/core/CUpdateAreas.hpp"

#include <windows.h>

#include <algorithm>

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
using ::Brivant::MathTools::CRect;

CUpdateAreas::CUpdateAreas() : m_areas(), m_count(0), m_overflowed(false) {}

void CUpdateAreas::readFrom(HDC__* paintContext)
{
    m_count = 0;
    m_overflowed = false;
    struct SRegion
    {
        RGNDATAHEADER header;
        RECT rectangles[kMaximumAreas];
    } region = {};
    HRGN visible = CreateRectRgn(0, 0, 0, 0);
    if (visible == nullptr)
        return;
    // The context's own region, in screen coordinates; asking the window for its update region would cost a
    // round trip to the window system. GetRegionData answers 0 when the rectangles do not fit.
    POINT origin = {0, 0};
    const bool read = GetRandomRgn(paintContext, visible, SYSRGN) == 1 && GetDCOrgEx(paintContext, &origin) &&
                      OffsetRgn(visible, -origin.x, -origin.y) > NULLREGION &&
                      GetRegionData(visible, sizeof(region), reinterpret_cast<RGNDATA*>(&region)) != 0;
    DeleteObject(visible);
    if (!read)
        return;
    // The screen is not mirrored: a window laid out right to left has its client x counted from the right.
    long mirrorWidth = 0;
    const DWORD layout = GetLayout(paintContext);
    if (layout != GDI_ERROR && (layout & LAYOUT_RTL) != 0)
    {
        RECT client = {};
        if (!GetClientRect(WindowFromDC(paintContext), &client))
            return;
        mirrorWidth = client.right - client.left;
    }
    for (DWORD index = 0; index < region.header.nCount && index < kMaximumAreas; ++index)
    {
        RECT& rectangle = region.rectangles[index];
        if (mirrorWidth > 0)
            rectangle = {mirrorWidth - rectangle.right, rectangle.top, mirrorWidth - rectangle.left, rectangle.bottom};
        CRect area(0, 0, 0, 0);
        area.setFromRECT(rectangle);
        add(area);
    }
}

void CUpdateAreas::add(const CRect& area)
{
    if (area.getWidth() <= 0 || area.getHeight() <= 0)
        return;
    const SArea added = {area.getLeft(), area.getTop(), area.getRight(), area.getBottom()};
    if (m_overflowed || m_count == kMaximumAreas)
    {
        for (long index = 1; index < m_count; ++index)
            m_areas[0] = bounding(m_areas[0], m_areas[index]);
        m_areas[0] = bounding(m_areas[0], added);
        m_count = 1;
        m_overflowed = true;
        return;
    }
    m_areas[m_count++] = added;
}

void CUpdateAreas::holdTo(const CRect& bounds)
{
    long kept = 0;
    for (long index = 0; index < m_count; ++index)
    {
        SArea& area = m_areas[index];
        area = {std::max(area.left, bounds.getLeft()), std::max(area.top, bounds.getTop()),
                std::min(area.right, bounds.getRight()), std::min(area.bottom, bounds.getBottom())};
        if (area.right > area.left && area.bottom > area.top)
            m_areas[kept++] = area;
    }
    m_count = kept;
    if (m_count == 0)
        add(bounds);
}

void CUpdateAreas::consolidate()
{
    bool merged = true;
    while (merged)
    {
        merged = false;
        for (long first = 0; first < m_count && !merged; ++first)
        {
            for (long second = first + 1; second < m_count && !merged; ++second)
            {
                const SArea both = bounding(m_areas[first], m_areas[second]);
                // At most a quarter more than the two: what lies between is too little to be worth a second draw.
                if (4 * both.size() > 5 * (m_areas[first].size() + m_areas[second].size()))
                    continue;
                m_areas[first] = both;
                m_areas[second] = m_areas[--m_count];
                merged = true;
            }
        }
    }
}

CRect CUpdateAreas::getArea(long index) const
{
    if (index < 0 || index >= m_count)
        return CRect(0, 0, 0, 0);
    const SArea& area = m_areas[index];
    return CRect(area.left, area.top, area.right - area.left, area.bottom - area.top);
}

CUpdateAreas::SArea CUpdateAreas::bounding(const SArea& first, const SArea& second)
{
    return {std::min(first.left, second.left), std::min(first.top, second.top), std::max(first.right, second.right),
            std::max(first.bottom, second.bottom)};
}
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
