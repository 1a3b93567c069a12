// Stateless helpers on native windows, the mouse pointer and text measuring. Windows are passed as the handle
// holders IWindow::getWindowHandle gives; a null holder or handle does nothing and answers false.
#pragma once

#include "foundation/mathtools/CPoint.hpp"

struct HDC__;
struct HWND__;

namespace Brivant
{
namespace Basics
{
class CString;
}

namespace MathTools
{
class CDimension;
class CRect;
} // namespace MathTools

namespace GUI
{
namespace Fonts
{
class CFont;
}

namespace Windowing
{
class CWindowTools
{
public:
    CWindowTools() = delete;

    // Each writes the handle to out and answers it as well.
    static HWND__* getDesktopWindow(HWND__*& out);
    static HWND__* getForegroundWindow(HWND__*& out);
    static void setForegroundWindow(HWND__* const* window);
    static void setFocus(HWND__* const* window);
    // The innermost window at a point in screen coordinates.
    static void getWindowFromPoint(HWND__*& out, const ::Brivant::MathTools::CPoint& screenPoint);
    static bool isWindowVisible(HWND__* const* window);

    // In screen coordinates.
    static void setGlobalMousePosition(const ::Brivant::MathTools::CPoint& position);
    static ::Brivant::MathTools::CPoint getGlobalMousePosition();

    // The whole window, frame included, as (left, top, width, height) in screen coordinates.
    static bool getWindowArea(HWND__* const* window, ::Brivant::MathTools::CRect& out);
    static bool getClientSize(HWND__* const* window, ::Brivant::MathTools::CDimension& out);
    // The window size that gives a window of these styles the client size; an extended style of -1 stands for
    // none.
    static bool getWindowSizeForClientSize(const ::Brivant::MathTools::CDimension& client,
                                           ::Brivant::MathTools::CDimension& out, long style, long exStyle,
                                           bool hasMenu);
    // The client area in screen coordinates, taken as centred across the window with the bottom border as
    // wide as the side ones.
    static bool getContentArea(HWND__* const* window, ::Brivant::MathTools::CRect& out);

    // The screen's pixels for a font size in points.
    static long pointSizeToPixels(long points);

    // The text's size in the font, by GDI+ when it starts and measures, else by GDI in the font; nothing for
    // a null device context. A null font measures in the context's own font. Answers false whatever happened:
    // callers read only out.
    static bool getTextExtent(HDC__* dc, const ::Brivant::Basics::CString& text,
                              ::Brivant::MathTools::CDimension& out, const Fonts::CFont* font);
    // The GDI+ measurement alone, for a caller that has GDI+ started; false, with out untouched, when it fails.
    static bool measureString(HDC__* dc, const ::Brivant::Basics::CString& text,
                              ::Brivant::MathTools::CDimension& out, const Fonts::CFont* font);
};
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
