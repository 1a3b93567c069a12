#include "gui/core/CPen.hpp"

#include <windows.h>

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
using Basics::CAlphaColour;

CPen::CPen()
    : m_previousPen(nullptr), m_dc(nullptr), m_pen(nullptr), m_width(1), m_colour(CAlphaColour::black()),
      m_lineCap(0)
{
}

CPen::~CPen()
{
    // Not the virtual releasePen: a subclass is already gone here.
    CPen::releasePen();
}

void CPen::initialise(long width, HDC dc, const CAlphaColour& colour)
{
    releasePen();
    m_dc = dc;
    m_width = width;
    m_colour = colour;
    m_lineCap = 0;
    createPen();
}

void CPen::uninitialise() { releasePen(); }

void CPen::createPen()
{
    if (m_dc == nullptr)
        return;
    HPEN pen = CreatePen(PS_SOLID, m_width, m_colour.getAsColourRef());
    if (pen == nullptr)
        return;
    // The old pen may only go once the context no longer holds it.
    select(pen);
    HPEN old = m_pen;
    m_pen = pen;
    if (old != nullptr)
        DeleteObject(old);
}

void CPen::releasePen()
{
    if (m_dc != nullptr && m_previousPen != nullptr)
        SelectObject(m_dc, static_cast<HGDIOBJ>(m_previousPen));
    m_dc = nullptr;
    m_previousPen = nullptr;
    if (m_pen != nullptr)
    {
        DeleteObject(m_pen);
        m_pen = nullptr;
    }
}

void CPen::useNullPen()
{
    if (m_dc != nullptr)
        select(GetStockObject(NULL_PEN));
}

void CPen::selectPen()
{
    if (m_dc != nullptr && m_pen != nullptr)
        select(m_pen);
}

void CPen::setWidth(long width)
{
    m_width = width;
    createPen();
}

void CPen::setColour(const CAlphaColour& colour)
{
    m_colour = colour;
    createPen();
}

void CPen::setPen(long width, const CAlphaColour& colour)
{
    m_width = width;
    m_colour = colour;
    createPen();
}

void CPen::select(void* object)
{
    HGDIOBJ replaced = SelectObject(m_dc, static_cast<HGDIOBJ>(object));
    if (m_previousPen == nullptr)
        m_previousPen = replaced;
}
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
