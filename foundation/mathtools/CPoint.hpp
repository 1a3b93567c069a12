// A pixel position: x to the right, y downwards.
#pragma once

#include "foundation/basics/CCountedObject.hpp"

namespace Brivant
{
namespace MathTools
{
class CPoint : public Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CPoint, "CCountedObject");

public:
    CPoint(long x, long y);
    CPoint(const CPoint& other);
    ~CPoint() override;

    // "[x,y]".
    void getObjectDescription(char* text, long size) const override;

    CPoint& operator=(const CPoint& other);
    bool operator==(const CPoint& other) const;

    void offset(const CPoint& distance);
    void offset(long dx, long dy);
    CPoint& operator+=(const CPoint& distance);
    CPoint& operator-=(const CPoint& distance);

    // True when the two share a column or a row: a line between them is vertical or horizontal.
    static bool areAxisAligned(const CPoint& first, const CPoint& second);

    long getX() const { return m_x; }
    long getY() const { return m_y; }
    void setX(long x) { m_x = x; }
    void setY(long y) { m_y = y; }

private:
    long m_x;
    long m_y;
};
} // namespace MathTools
} // namespace Brivant
