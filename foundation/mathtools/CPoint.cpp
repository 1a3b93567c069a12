#include "foundation/mathtools/CPoint.hpp"

#include <cstddef>
#include <cstdio>

namespace Brivant
{
namespace MathTools
{
using Basics::CClass;

CPoint::CPoint(long x, long y) : m_x(x), m_y(y) {}

CPoint::CPoint(const CPoint& other) : CCountedObject(other), m_x(other.m_x), m_y(other.m_y) {}

CPoint::~CPoint() = default;

void CPoint::getObjectDescription(char* text, long size) const
{
    if (text == nullptr || size <= 0)
        return;
    std::snprintf(text, static_cast<std::size_t>(size), "[%li,%li]", m_x, m_y);
}

CPoint& CPoint::operator=(const CPoint& other)
{
    m_x = other.m_x;
    m_y = other.m_y;
    return *this;
}

bool CPoint::operator==(const CPoint& other) const { return m_x == other.m_x && m_y == other.m_y; }

void CPoint::offset(const CPoint& distance) { offset(distance.m_x, distance.m_y); }

void CPoint::offset(long dx, long dy)
{
    m_x += dx;
    m_y += dy;
}

CPoint& CPoint::operator+=(const CPoint& distance)
{
    offset(distance);
    return *this;
}

CPoint& CPoint::operator-=(const CPoint& distance)
{
    offset(-distance.m_x, -distance.m_y);
    return *this;
}

bool CPoint::areAxisAligned(const CPoint& first, const CPoint& second)
{
    return first.m_x == second.m_x || first.m_y == second.m_y;
}
} // namespace MathTools
} // namespace Brivant
