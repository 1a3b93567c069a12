// A pixel rectangle built from left, top, width and height; right and bottom are derived and kept in step
// (right = left + width, bottom = top + height). Width and height may be 0 or negative.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/basics/CString.hpp"
#include "foundation/mathtools/CDimension.hpp"
#include "foundation/mathtools/CPoint.hpp"

// Win32's RECT, declared here so that this header needs no <windows.h>.
struct tagRECT;

namespace Brivant
{
namespace MathTools
{
class CRect : public Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CRect, "CCountedObject");

public:
    CRect(long left, long top, long width, long height);
    CRect(const CRect& other);
    CRect(const CPoint& origin, const CDimension& size);
    ~CRect() override;

    // "[left,top,width,height]".
    void getObjectDescription(char* text, long size) const override;

    // Copies left, top, width and height.
    virtual CRect& operator=(const CRect& other);
    // Left, top, width and height all equal.
    virtual bool operator==(const CRect& other) const;

    void setRect(long left, long top, long width, long height);
    void setRect(const CPoint& origin, const CDimension& size);
    // Each setter keeps the other three of left, top, width and height: setLeft moves the rectangle.
    void setLeft(long left);
    void setTop(long top);
    void setWidth(long width);
    void setHeight(long height);
    void setOrigin(const CPoint& origin);
    void setDimension(const CDimension& size);

    CDimension getDimension() const;
    void offset(const CPoint& distance);
    // Moves every edge inwards by amount (outwards when negative).
    void inset(long amount);
    // Multiplies left, top, width and height, truncating toward zero.
    void scale(double factor);

    long getLeft() const { return m_left; }
    long getTop() const { return m_top; }
    long getWidth() const { return m_width; }
    long getHeight() const { return m_height; }
    long getRight() const { return m_right; }
    long getBottom() const { return m_bottom; }
    long getCentralXPosition() const { return m_left + m_width / 2; }
    long getCentralYPosition() const { return m_top + m_height / 2; }

    tagRECT getAsRECT() const;
    void setFromRECT(const tagRECT& rect);

    // Not clamped: rectangles apart give a negative width or height.
    static void getIntersection(const CRect& first, const CRect& second, CRect& result);
    // A new rectangle the caller owns; all zero when the two do not meet, while a width or height of
    // exactly 0 (rectangles that touch) is kept.
    static CRect* intersection(const CRect& first, const CRect& second);
    // Grows this rectangle to the smallest one covering both.
    void unionWith(const CRect& other);

    // "left,top,width,height", the form of control descriptors and layout files.
    static Basics::CString toString(const CRect& rect);
    // Reads the form toString writes (blanks before a number are skipped); any other text gives the zero
    // rectangle.
    static CRect fromString(const Basics::CString& text);

private:
    void updateEdges();

    long m_width;
    long m_height;
    long m_left;
    long m_right;
    long m_top;
    long m_bottom;
};
} // namespace MathTools
} // namespace Brivant
