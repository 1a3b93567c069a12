#include "gui/core/CWindowTools.hpp"

#include "foundation/basics/CString.hpp"
#include "foundation/mathtools/CDimension.hpp"
#include "foundation/mathtools/CRect.hpp"
#include "gui/core/CFont.hpp"
#include "gui/core/CGdiplusSession.hpp"
#include "gui/core/TGdiplusObject.hpp"

#include <windows.h>
#include <gdiplus.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
using ::Brivant::Basics::CString;
using ::Brivant::MathTools::CDimension;
using ::Brivant::MathTools::CPoint;
using ::Brivant::MathTools::CRect;
using Fonts::CFont;
using Graphics::TGdiplusObject;
namespace Gp = ::Gdiplus;
namespace Flat = ::Gdiplus::DllExports;

namespace
{
constexpr long kPointsPerInch = 72;
// Lines that do not fit whole are left out of the measured box.
constexpr INT kMeasureFormatFlags = Gp::StringFormatFlagsLineLimit;

HWND handleOf(HWND__* const* window) { return window != nullptr ? *window : nullptr; }

void measureWithGdi(HDC dc, const CString& text, CDimension& out, const CFont* font)
{
    // In the given font, not whatever the context happens to hold.
    HGDIOBJ previous = font != nullptr && font->getFontHandle() != nullptr ? SelectObject(dc, font->getFontHandle())
                                                                           : nullptr;
    const char* characters = text.getString();
    SIZE extent = {0, 0};
    if (GetTextExtentPoint32A(dc, characters, static_cast<int>(std::strlen(characters)), &extent) != FALSE)
        out.setDimension(extent.cx, extent.cy);
    if (previous != nullptr)
        SelectObject(dc, previous);
}
} // namespace

HWND__* CWindowTools::getDesktopWindow(HWND__*& out)
{
    out = GetDesktopWindow();
    return out;
}

HWND__* CWindowTools::getForegroundWindow(HWND__*& out)
{
    out = GetForegroundWindow();
    return out;
}

void CWindowTools::setForegroundWindow(HWND__* const* window)
{
    if (HWND handle = handleOf(window))
        SetForegroundWindow(handle);
}

void CWindowTools::setFocus(HWND__* const* window)
{
    if (HWND handle = handleOf(window))
        SetFocus(handle);
}

void CWindowTools::getWindowFromPoint(HWND__*& out, const CPoint& screenPoint)
{
    const POINT point = {screenPoint.getX(), screenPoint.getY()};
    out = WindowFromPoint(point);
}

bool CWindowTools::isWindowVisible(HWND__* const* window)
{
    HWND handle = handleOf(window);
    return handle != nullptr && IsWindowVisible(handle) != FALSE;
}

void CWindowTools::setGlobalMousePosition(const CPoint& position)
{
    SetCursorPos(static_cast<int>(position.getX()), static_cast<int>(position.getY()));
}

CPoint CWindowTools::getGlobalMousePosition()
{
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    return CPoint(cursor.x, cursor.y);
}

bool CWindowTools::getWindowArea(HWND__* const* window, CRect& out)
{
    HWND handle = handleOf(window);
    RECT area = {0, 0, 0, 0};
    if (handle == nullptr || GetWindowRect(handle, &area) == FALSE)
        return false;
    out.setFromRECT(area);
    return true;
}

bool CWindowTools::getClientSize(HWND__* const* window, CDimension& out)
{
    HWND handle = handleOf(window);
    RECT client = {0, 0, 0, 0};
    if (handle == nullptr || GetClientRect(handle, &client) == FALSE)
        return false;
    out.setDimension(client.right - client.left, client.bottom - client.top);
    return true;
}

bool CWindowTools::getWindowSizeForClientSize(const CDimension& client, CDimension& out, long style, long exStyle,
                                              bool hasMenu)
{
    RECT area = {0, 0, static_cast<LONG>(client.getWidth()), static_cast<LONG>(client.getHeight())};
    const BOOL menu = hasMenu ? TRUE : FALSE;
    const BOOL adjusted = exStyle == -1 ? AdjustWindowRect(&area, static_cast<DWORD>(style), menu)
                                        : AdjustWindowRectEx(&area, static_cast<DWORD>(style), menu,
                                                             static_cast<DWORD>(exStyle));
    if (adjusted == FALSE)
        return false;
    out.setDimension(area.right - area.left, area.bottom - area.top);
    return true;
}

bool CWindowTools::getContentArea(HWND__* const* window, CRect& out)
{
    HWND handle = handleOf(window);
    RECT area = {0, 0, 0, 0};
    RECT client = {0, 0, 0, 0};
    if (handle == nullptr || GetWindowRect(handle, &area) == FALSE || GetClientRect(handle, &client) == FALSE)
        return false;
    const long windowHeight = area.bottom - area.top;
    const long clientWidth = client.right - client.left;
    const long clientHeight = client.bottom - client.top;
    const long border = (area.right - area.left - clientWidth) / 2;
    out.setRect(area.left + border, area.top + windowHeight - border - clientHeight, clientWidth, clientHeight);
    return true;
}

long CWindowTools::pointSizeToPixels(long points)
{
    HDC screen = GetDC(nullptr);
    if (screen == nullptr)
        return 0;
    POINT ends[2] = {{0, 0}, {0, static_cast<LONG>(points * GetDeviceCaps(screen, LOGPIXELSY) / kPointsPerInch)}};
    DPtoLP(screen, ends, 2);
    ReleaseDC(nullptr, screen);
    return std::labs(ends[1].y - ends[0].y);
}

bool CWindowTools::getTextExtent(HDC__* dc, const CString& text, CDimension& out, const CFont* font)
{
    if (dc == nullptr)
        return false;
    const Graphics::CGdiplusSession session;
    if (!session.isStarted() || !measureString(dc, text, out, font))
        measureWithGdi(dc, text, out, font);
    return false;
}

bool CWindowTools::measureString(HDC__* dc, const CString& text, CDimension& out, const CFont* font)
{
    if (dc == nullptr || font == nullptr)
        return false;
    const char* characters = text.getString();
    std::vector<wchar_t> wide = Graphics::CGdiplusSession::toWide(characters);
    if (wide.empty())
    {
        // Nothing to convert is an empty text; a failed conversion is no measurement.
        if (characters[0] != '\0')
            return false;
        wide.push_back(L'\0');
    }
    TGdiplusObject<Gp::GpGraphics> graphics;
    TGdiplusObject<Gp::GpFont> gdiplusFont;
    TGdiplusObject<Gp::GpStringFormat> format;
    if (Flat::GdipCreateFromHDC(dc, graphics.out()) != Gp::Ok ||
        Flat::GdipCreateFontFromLogfontA(dc, &font->getLogicalFont(), gdiplusFont.out()) != Gp::Ok ||
        Flat::GdipCreateStringFormat(kMeasureFormatFlags, LANG_NEUTRAL, format.out()) != Gp::Ok ||
        Flat::GdipSetStringFormatAlign(format.get(), Gp::StringAlignmentNear) != Gp::Ok)
        return false;
    const Gp::RectF origin(0.0f, 0.0f, 0.0f, 0.0f);
    Gp::RectF box;
    if (Flat::GdipMeasureString(graphics.get(), wide.data(), static_cast<INT>(wide.size() - 1), gdiplusFont.get(),
                                &origin, format.get(), &box, nullptr, nullptr) != Gp::Ok)
        return false;
    out.setDimension(static_cast<long>(box.Width), static_cast<long>(box.Height));
    return true;
}
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
