#include "gui/core/CMouse.hpp"

#include "gui/core/CCursor.hpp"

#include <windows.h>

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
using MathTools::CPoint;

namespace
{
// Mouse messages pack client coordinates as signed 16-bit words: a captured pointer left of or above the
// window arrives negative.
CPoint unpackPosition(std::intptr_t packedPosition)
{
    const auto value = static_cast<std::uintptr_t>(packedPosition);
    const auto x = static_cast<int16_t>(static_cast<uint16_t>(value & 0xFFFF));
    const auto y = static_cast<int16_t>(static_cast<uint16_t>((value >> 16) & 0xFFFF));
    return CPoint(x, y);
}
} // namespace

CMouse::CMouse() : m_position(0, 0), m_cursor(nullptr)
{
    setCursor(&CCursor::arrowCursor());
}

CMouse::CMouse(const CPoint& position, CCursor* cursor) : m_position(position), m_cursor(nullptr)
{
    setCursor(cursor);
}

CMouse::CMouse(std::intptr_t packedPosition, CCursor* cursor)
    : m_position(unpackPosition(packedPosition)), m_cursor(nullptr)
{
    setCursor(cursor);
}

CMouse::~CMouse() = default;

void CMouse::setPosition(const CPoint& position) { m_position = position; }

void CMouse::setPositionFromLParam(std::intptr_t packedPosition) { m_position = unpackPosition(packedPosition); }

void CMouse::setCursor(CCursor* cursor)
{
    if (cursor == nullptr)
    {
        return;
    }
    m_cursor = cursor;
    SetCursor(cursor->getCursorHandle());
}

void CMouse::captureMouse(HWND__* const* window)
{
    if (window != nullptr && *window != nullptr)
    {
        SetCapture(*window);
    }
}

void CMouse::releaseCapture() { ReleaseCapture(); }

bool CMouse::isMouseCaptured() const { return GetCapture() != nullptr; }

bool CMouse::isCapturedBy(HWND__* const* window) const
{
    // Without a handle, "no window has the capture" must not read as "this window has it".
    return window != nullptr && *window != nullptr && GetCapture() == *window;
}
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
