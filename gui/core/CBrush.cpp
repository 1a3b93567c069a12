#include "gui/core/CBrush.hpp"

#include <windows.h>

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
using Basics::CAlphaColour;

CBrush::CBrush() : m_dc(nullptr), m_previousBrush(nullptr), m_brush(nullptr), m_colour(CAlphaColour::white()) {}

CBrush::~CBrush() { uninitialise(); }

void CBrush::initialise(HDC dc, const CAlphaColour& colour)
{
    uninitialise();
    m_dc = dc;
    m_colour = colour;
    createBrush();
}

void CBrush::uninitialise()
{
    if (m_dc != nullptr && m_previousBrush != nullptr)
        SelectObject(m_dc, static_cast<HGDIOBJ>(m_previousBrush));
    m_dc = nullptr;
    m_previousBrush = nullptr;
    if (m_brush != nullptr)
    {
        DeleteObject(m_brush);
        m_brush = nullptr;
    }
}

void CBrush::setColour(const CAlphaColour& colour)
{
    m_colour = colour;
    createBrush();
}

void CBrush::useNullBrush()
{
    if (m_dc != nullptr)
        select(GetStockObject(NULL_BRUSH));
}

void CBrush::selectBrush()
{
    if (m_dc != nullptr && m_brush != nullptr)
        select(m_brush);
}

void CBrush::createBrush()
{
    if (m_dc == nullptr)
        return;
    HBRUSH brush = CreateSolidBrush(m_colour.getAsColourRef());
    if (brush == nullptr)
        return;
    // The old brush may only go once the context no longer holds it.
    select(brush);
    HBRUSH old = m_brush;
    m_brush = brush;
    if (old != nullptr)
        DeleteObject(old);
}

void CBrush::select(void* object)
{
    HGDIOBJ replaced = SelectObject(m_dc, static_cast<HGDIOBJ>(object));
    if (m_previousBrush == nullptr)
        m_previousBrush = replaced;
}
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
