#include "foundation/mathtools/CPolygon.hpp"

namespace Brivant
{
namespace MathTools
{
using Basics::CClass;
using Collections::TCountedPointerArray;

CPolygon::CPolygon() : m_points(new TCountedPointerArray<CPoint>()) {}

CPolygon::CPolygon(long count) : CPolygon() { setNumberOfPoints(count); }

CPolygon::CPolygon(const CPolygon& other) : CCountedObject(other), m_points(new TCountedPointerArray<CPoint>())
{
    *this = other;
}

CPolygon::~CPolygon() = default;

CPolygon& CPolygon::operator=(const CPolygon& other)
{
    if (getNumberOfPoints() != other.getNumberOfPoints())
        setNumberOfPoints(other.getNumberOfPoints());
    for (long index = 0; index < getNumberOfPoints(); ++index)
        *pointAt(index) = *other.pointAt(index);
    return *this;
}

bool CPolygon::operator==(const CPolygon& other) const
{
    if (getNumberOfPoints() != other.getNumberOfPoints())
        return false;
    for (long index = 0; index < getNumberOfPoints(); ++index)
    {
        if (!(*pointAt(index) == *other.pointAt(index)))
            return false;
    }
    return true;
}

void CPolygon::setNumberOfPoints(long count)
{
    m_points->clearArray();
    for (long index = 0; index < count; ++index)
    {
        // The array lets a point go itself when it cannot take it.
        m_points->addElement(new CPoint(0, 0));
    }
}

long CPolygon::getNumberOfPoints() const { return m_points->getInsertIndex(); }

CPoint* CPolygon::pointAt(long index) const
{
    return index >= 0 && index < getNumberOfPoints() ? m_points->getElementAt(index) : nullptr;
}

const CPoint* CPolygon::getPoint(long index) const { return pointAt(index); }

void CPolygon::setPoint(const CPoint& point, long index) { setPoint(point.getX(), point.getY(), index); }

void CPolygon::setPoint(long x, long y, long index)
{
    CPoint* target = pointAt(index);
    if (target == nullptr)
        return;
    target->setX(x);
    target->setY(y);
}

void CPolygon::offset(const CPoint& distance)
{
    for (long index = 0; index < getNumberOfPoints(); ++index)
        pointAt(index)->offset(distance);
}
} // namespace MathTools
} // namespace Brivant
