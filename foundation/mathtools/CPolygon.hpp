// An ordered list of points it owns, for polygon fills.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "foundation/mathtools/CPoint.hpp"

#include <memory>

namespace Brivant
{
namespace MathTools
{
class CPolygon : public Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CPolygon, "CCountedObject");

public:
    CPolygon();
    // count points at (0, 0).
    explicit CPolygon(long count);
    CPolygon(const CPolygon& other);
    ~CPolygon() override;

    // Copies every point's coordinates, first matching the other's number of points.
    virtual CPolygon& operator=(const CPolygon& other);
    // The same number of points, each equal to the one at the same index.
    virtual bool operator==(const CPolygon& other) const;

    // Replaces all points with count points at (0, 0); a count below 0 leaves none.
    void setNumberOfPoints(long count);
    long getNumberOfPoints() const;
    // Null outside 0 .. getNumberOfPoints() - 1.
    const CPoint* getPoint(long index) const;
    // Copy into the point at index; an index outside the polygon is ignored.
    void setPoint(const CPoint& point, long index);
    void setPoint(long x, long y, long index);
    void offset(const CPoint& distance);

private:
    CPoint* pointAt(long index) const;

    std::unique_ptr<Collections::TCountedPointerArray<CPoint>> m_points;
};
} // namespace MathTools
} // namespace Brivant
