#include "foundation/mathtools/CRect.hpp"

#include "foundation/basics/CStringTokeniser.hpp"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace Brivant
{
namespace MathTools
{
using Basics::CClass;
using Basics::CString;
using Basics::CStringTokeniser;

namespace
{
constexpr long kTextFields = 4;

// A number as atol reads it; false when the token holds none or one beyond a long.
bool readNumber(const char* token, long& value)
{
    char* end = nullptr;
    errno = 0;
    value = std::strtol(token, &end, 10);
    return end != token && errno != ERANGE;
}
} // namespace

CRect::CRect(long left, long top, long width, long height)
    : m_width(width), m_height(height), m_left(left), m_right(0), m_top(top), m_bottom(0)
{
    updateEdges();
}

CRect::CRect(const CRect& other) : CRect(other.m_left, other.m_top, other.m_width, other.m_height) {}

CRect::CRect(const CPoint& origin, const CDimension& size)
    : CRect(origin.getX(), origin.getY(), size.getWidth(), size.getHeight())
{
}

CRect::~CRect() = default;

void CRect::updateEdges()
{
    m_right = m_left + m_width;
    m_bottom = m_top + m_height;
}

void CRect::getObjectDescription(char* text, long size) const
{
    if (text == nullptr || size <= 0)
        return;
    std::snprintf(text, static_cast<std::size_t>(size), "[%li,%li,%li,%li]", m_left, m_top, m_width, m_height);
}

CRect& CRect::operator=(const CRect& other)
{
    setRect(other.m_left, other.m_top, other.m_width, other.m_height);
    return *this;
}

bool CRect::operator==(const CRect& other) const
{
    return m_left == other.m_left && m_top == other.m_top && m_width == other.m_width &&
           m_height == other.m_height;
}

void CRect::setRect(long left, long top, long width, long height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    updateEdges();
}

void CRect::setRect(const CPoint& origin, const CDimension& size)
{
    setRect(origin.getX(), origin.getY(), size.getWidth(), size.getHeight());
}

void CRect::setLeft(long left) { setRect(left, m_top, m_width, m_height); }
void CRect::setTop(long top) { setRect(m_left, top, m_width, m_height); }
void CRect::setWidth(long width) { setRect(m_left, m_top, width, m_height); }
void CRect::setHeight(long height) { setRect(m_left, m_top, m_width, height); }
void CRect::setOrigin(const CPoint& origin) { setRect(origin.getX(), origin.getY(), m_width, m_height); }
void CRect::setDimension(const CDimension& size) { setRect(m_left, m_top, size.getWidth(), size.getHeight()); }

CDimension CRect::getDimension() const { return CDimension(m_width, m_height); }

void CRect::offset(const CPoint& distance)
{
    setRect(m_left + distance.getX(), m_top + distance.getY(), m_width, m_height);
}

void CRect::inset(long amount)
{
    setRect(m_left + amount, m_top + amount, m_width - 2 * amount, m_height - 2 * amount);
}

void CRect::scale(double factor)
{
    setRect(static_cast<long>(m_left * factor), static_cast<long>(m_top * factor),
            static_cast<long>(m_width * factor), static_cast<long>(m_height * factor));
}

tagRECT CRect::getAsRECT() const
{
    RECT rect;
    rect.left = m_left;
    rect.top = m_top;
    rect.right = m_right;
    rect.bottom = m_bottom;
    return rect;
}

void CRect::setFromRECT(const tagRECT& rect)
{
    setRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

void CRect::getIntersection(const CRect& first, const CRect& second, CRect& result)
{
    const long left = std::max(first.m_left, second.m_left);
    const long top = std::max(first.m_top, second.m_top);
    result.setRect(left, top, std::min(first.m_right, second.m_right) - left,
                   std::min(first.m_bottom, second.m_bottom) - top);
}

CRect* CRect::intersection(const CRect& first, const CRect& second)
{
    std::unique_ptr<CRect> result(new CRect(0, 0, 0, 0));
    getIntersection(first, second, *result);
    if (result->m_width < 0 || result->m_height < 0)
        result->setRect(0, 0, 0, 0);
    return result.release();
}

void CRect::unionWith(const CRect& other)
{
    const long left = std::min(m_left, other.m_left);
    const long top = std::min(m_top, other.m_top);
    setRect(left, top, std::max(m_right, other.m_right) - left, std::max(m_bottom, other.m_bottom) - top);
}

CString CRect::toString(const CRect& rect)
{
    CString text("");
    text.setStringWithFormat("%li,%li,%li,%li", rect.m_left, rect.m_top, rect.m_width, rect.m_height);
    return text;
}

CRect CRect::fromString(const CString& text)
{
    CStringTokeniser tokeniser(text, ',');
    if (tokeniser.getNumberOfTokens() != kTextFields)
        return CRect(0, 0, 0, 0);

    long fields[kTextFields] = {};
    CString token("");
    for (long& field : fields)
    {
        if (!tokeniser.getNextToken(token) || !readNumber(token.getString(), field))
            return CRect(0, 0, 0, 0);
    }
    // Layout files are read from disk: a rectangle whose right or bottom is beyond a long is refused.
    long right = 0;
    long bottom = 0;
    if (__builtin_add_overflow(fields[0], fields[2], &right) || __builtin_add_overflow(fields[1], fields[3], &bottom))
        return CRect(0, 0, 0, 0);
    return CRect(fields[0], fields[1], fields[2], fields[3]);
}
} // namespace MathTools
} // namespace Brivant
