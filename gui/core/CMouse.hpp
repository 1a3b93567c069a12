// A window's mouse: the pointer position the window last saw, the cursor last set, and the mouse capture.
#pragma once

#include "foundation/mathtools/CPoint.hpp"

#include <cstdint>

struct HWND__;

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
class CCursor;

class CMouse
{
public:
    // At the origin, showing the shared arrow cursor.
    CMouse();
    // A non-null cursor is shown at once.
    CMouse(const MathTools::CPoint& position, CCursor* cursor);
    // The position packed as a mouse message's lParam.
    CMouse(std::intptr_t packedPosition, CCursor* cursor);
    CMouse(const CMouse& other) = default;
    CMouse& operator=(const CMouse& other) = default;
    virtual ~CMouse();

    const MathTools::CPoint& getPosition() const { return m_position; }
    void setPosition(const MathTools::CPoint& position);
    // x from the low word, y from the high word, both signed: left of or above the window is negative.
    void setPositionFromLParam(std::intptr_t packedPosition);

    CCursor* getCursor() const { return m_cursor; }
    // Stores and shows the cursor; null is ignored.
    void setCursor(CCursor* cursor);

    // The window is given by its handle holder; a null holder or handle does nothing.
    void captureMouse(HWND__* const* window);
    void releaseCapture();
    // True while any window of this thread has the capture.
    bool isMouseCaptured() const;
    // False for a null holder or handle, whoever has the capture.
    bool isCapturedBy(HWND__* const* window) const;

private:
    MathTools::CPoint m_position;
    CCursor* m_cursor;
};
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
