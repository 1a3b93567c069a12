// The graphics context: its life around a device context, every primitive on the GDI+ and the GDI path, the
// software anti-aliased line, bevels, images, text and alpha layers.
#include "gui/core/CGraphics.hpp"

#include "foundation/basics/CString.hpp"
#include "foundation/mathtools/CPolygon.hpp"
#include "gui/core/CBrush.hpp"
#include "gui/core/CFont.hpp"
#include "gui/core/CGdiplusSession.hpp"
#include "gui/core/CGraphicsFontCache.hpp"
#include "gui/core/CNativeImage.hpp"
#include "gui/core/CPen.hpp"
#include "gui/core/IImage.hpp"
#include "gui/core/TGdiplusObject.hpp"

#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
using ::Brivant::Basics::CString;
using ::Brivant::MathTools::CDimension;
using ::Brivant::MathTools::CPoint;
using ::Brivant::MathTools::CPolygon;
using ::Brivant::MathTools::CRect;
using Basics::CAlphaColour;
using Fonts::CFont;
namespace Gp = ::Gdiplus;
namespace Flat = ::Gdiplus::DllExports;

namespace
{
Gp::GpGraphics* asGraphics(void* graphics) { return static_cast<Gp::GpGraphics*>(graphics); }

long limitToByte(long value) { return value < 0 ? 0 : value > 255 ? 255 : value; }

double luminance(long red, long green, long blue) { return 0.299 * red + 0.587 * green + 0.114 * blue; }

double luminance(COLORREF colour) { return luminance(GetRValue(colour), GetGValue(colour), GetBValue(colour)); }

// The two single-line cells draw as the middle row's left and centre cells.
long gridCell(long alignment)
{
    if (alignment == CGraphics::kSingleLine)
        return CGraphics::kLeftMiddle;
    if (alignment == CGraphics::kDefaultSingleLine)
        return CGraphics::kCentreMiddle;
    return alignment;
}

UINT drawTextFlags(long cell)
{
    static const UINT kColumns[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    static const UINT kRows[3] = {0, DT_VCENTER | DT_SINGLELINE, DT_BOTTOM | DT_SINGLELINE};
    // GDI+ takes '&' literally; so must GDI, or the two paths would draw different texts.
    if (cell < CGraphics::kLeftTop || cell > CGraphics::kRightBottom)
        return DT_LEFT | DT_NOPREFIX;
    return kColumns[cell % 3] | kRows[cell / 3] | DT_NOPREFIX;
}

Gp::SmoothingMode gdiplusSmoothing(long mode)
{
    switch (mode)
    {
    case CGraphics::kSmoothingHighQuality:
        return Gp::SmoothingModeHighQuality;
    case CGraphics::kSmoothingAntiAlias:
        return Gp::SmoothingModeAntiAlias;
    default:
        return Gp::SmoothingModeDefault;
    }
}

bool reachesGdiplus(long mode)
{
    return mode >= CGraphics::kSmoothingHighQuality && mode <= CGraphics::kSmoothingAntiAlias;
}

// A bitmap selected into a memory context for the length of one copy.
class CBitmapContext
{
public:
    CBitmapContext(HDC compatibleWith, HBITMAP bitmap) : m_dc(CreateCompatibleDC(compatibleWith)), m_previous(nullptr)
    {
        if (m_dc != nullptr)
            m_previous = SelectObject(m_dc, bitmap);
    }
    ~CBitmapContext()
    {
        if (m_dc != nullptr)
        {
            SelectObject(m_dc, m_previous);
            DeleteDC(m_dc);
        }
    }
    CBitmapContext(const CBitmapContext&) = delete;
    CBitmapContext& operator=(const CBitmapContext&) = delete;

    HDC get() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};
} // namespace

CGraphics::CGraphics(EDrawingPath path)
    : m_pen(new CPen()), m_brush(new CBrush()), m_surface(new CNativeImage()), m_clip(), m_offset(0, 0),
      m_updateArea(0, 0, 0, 0), m_size(0, 0), m_textColour(CAlphaColour::black()), m_alphaDrawing(false),
      m_smoothingMode(kSmoothingDefault), m_dc(nullptr), m_savedPen(), m_savedBrush(), m_layerAlpha(0.0),
      m_layer(), m_surfaceKept(false), m_gdiplusAvailable(false), m_gdiplusToken(0), m_gdiplusGraphics(nullptr),
      m_savedGdiplusGraphics(nullptr), m_unclippedGraphics(nullptr), m_fonts(new CGraphicsFontCache())
{
    if (path == kGdiplusWhenAvailable)
    {
        Gp::GdiplusStartupInput input;
        ULONG_PTR token = 0;
        m_gdiplusAvailable = Gp::GdiplusStartup(&token, &input, nullptr) == Gp::Ok;
        m_gdiplusToken = token;
    }
}

CGraphics::~CGraphics()
{
    uninitialise();
    m_fonts->clear();
    if (m_gdiplusAvailable)
        Gp::GdiplusShutdown(static_cast<ULONG_PTR>(m_gdiplusToken));
}

void CGraphics::initialise(HWND__* const* window, HDC dc, const CDimension& size)
{
    uninitialise();
    m_size = size;
    if (window != nullptr)
    {
        if (!m_surface->resume(window, dc, size))
        {
            m_fonts->clear();
            m_surface->releaseImage();
            m_surface->initialise(window, dc, size);
        }
        if (!m_surface->isCreated())
            return;
        m_dc = m_surface->getMemoryContext();
    }
    else
    {
        if (dc == nullptr)
            return;
        m_dc = dc;
    }
    m_pen->initialise(1, m_dc, CAlphaColour::black());
    m_brush->initialise(m_dc, CAlphaColour::white());
    if (m_gdiplusAvailable)
        createGdiplusGraphics(m_dc);
    if (window == nullptr)
        return;
    m_clip.initialise(m_surface.get(), CRect(0, 0, size.getWidth(), size.getHeight()), m_gdiplusGraphics);
    // A GDI+ Graphics that has a clip turns the clip into a region anew for every drawing, which costs more
    // than many a fill itself; a shape that the clip cannot cut is drawn through one that has none.
    if (m_gdiplusGraphics != nullptr)
    {
        void* clipped = m_gdiplusGraphics;
        m_gdiplusGraphics = nullptr;
        createGdiplusGraphics(m_dc);
        m_unclippedGraphics = m_gdiplusGraphics;
        m_gdiplusGraphics = clipped;
    }
}

void CGraphics::uninitialise()
{
    dropAlphaLayer();
    m_clip.uninitialise();
    m_pen->uninitialise();
    m_brush->uninitialise();
    // The Graphics go before the surface they draw on.
    deleteGdiplusGraphics();
    if (m_unclippedGraphics != nullptr)
        Flat::GdipDeleteGraphics(asGraphics(m_unclippedGraphics));
    m_unclippedGraphics = nullptr;
    if (!m_surfaceKept)
    {
        m_fonts->clear();
        m_surface->uninitialise();
    }
    m_dc = nullptr;
}

void CGraphics::setSurfaceKept(bool kept)
{
    m_surfaceKept = kept;
    if (!kept && !isInitialised())
        m_surface->releaseImage();
}

void CGraphics::releaseSurface()
{
    uninitialise();
    m_fonts->clear();
    m_surface->releaseImage();
}

void CGraphics::createGdiplusGraphics(HDC dc)
{
    Gp::GpGraphics* graphics = nullptr;
    if (Flat::GdipCreateFromHDC(dc, &graphics) != Gp::Ok)
        return;
    // A new Graphics starts at GDI+'s defaults; the context's mode outlives its Graphics objects.
    if (reachesGdiplus(m_smoothingMode))
        Flat::GdipSetSmoothingMode(graphics, gdiplusSmoothing(m_smoothingMode));
    m_gdiplusGraphics = graphics;
}

void CGraphics::deleteGdiplusGraphics()
{
    if (m_gdiplusGraphics != nullptr)
        Flat::GdipDeleteGraphics(asGraphics(m_gdiplusGraphics));
    m_gdiplusGraphics = nullptr;
}

void* CGraphics::graphicsFor(const CRect& at, long reach) const
{
    if (m_unclippedGraphics == nullptr || m_alphaDrawing || !m_clip.isClipSet() || !m_clip.isInitialised())
        return m_gdiplusGraphics;
    CRect clip(0, 0, 0, 0);
    m_clip.getClipRegion(clip);
    Gp::SmoothingMode mode = Gp::SmoothingModeDefault;
    Flat::GdipGetSmoothingMode(asGraphics(m_gdiplusGraphics), &mode);
    // Without anti-aliasing a shape covers its own pixels only; with it, it may touch the one beyond an edge.
    const bool smoothed = mode == Gp::SmoothingModeHighQuality || mode >= Gp::SmoothingModeAntiAlias;
    const long margin = reach + (smoothed ? 1 : 0);
    // The whole extent: a shape of negative size lies on the other side of its left or top.
    const bool inside = at.getWidth() > 0 && at.getHeight() > 0 && at.getLeft() - margin >= clip.getLeft() &&
                        at.getTop() - margin >= clip.getTop() && at.getRight() + margin <= clip.getRight() &&
                        at.getBottom() + margin <= clip.getBottom();
    return inside ? m_unclippedGraphics : m_gdiplusGraphics;
}

CPoint CGraphics::moved(const CPoint& point) const
{
    return CPoint(point.getX() + m_offset.getX(), point.getY() + m_offset.getY());
}

CRect CGraphics::moved(const CRect& area) const
{
    return CRect(area.getLeft() + m_offset.getX(), area.getTop() + m_offset.getY(), area.getWidth(),
                 area.getHeight());
}

std::uint32_t CGraphics::toArgb(const CAlphaColour& colour)
{
    return static_cast<std::uint32_t>(limitToByte(colour.getAlpha())) << 24 |
           static_cast<std::uint32_t>(limitToByte(colour.getRed())) << 16 |
           static_cast<std::uint32_t>(limitToByte(colour.getGreen())) << 8 |
           static_cast<std::uint32_t>(limitToByte(colour.getBlue()));
}

void CGraphics::drawPixel(const CPoint& point)
{
    if (m_dc == nullptr)
        return;
    const CPoint at = moved(point);
    SetPixelV(m_dc, at.getX(), at.getY(), m_pen->getColour().getAsColourRef());
}

void CGraphics::drawAlphaPixel(const CPoint& point, long alpha)
{
    if (m_dc == nullptr)
        return;
    const CPoint at = moved(point);
    const COLORREF background = GetPixel(m_dc, at.getX(), at.getY());
    if (background == CLR_INVALID)
        return;
    const long weight = limitToByte(alpha);
    const COLORREF pen = m_pen->getColour().getAsColourRef();
    // v / 255 by shifts, rounded.
    const auto mix = [weight](long behind, long over) {
        const long v = (255 - weight) * behind + weight * over + 128;
        return static_cast<BYTE>(((v >> 8) + v) >> 8);
    };
    SetPixelV(m_dc, at.getX(), at.getY(),
              RGB(mix(GetRValue(background), GetRValue(pen)), mix(GetGValue(background), GetGValue(pen)),
                  mix(GetBValue(background), GetBValue(pen))));
}

void CGraphics::moveTo(const CPoint& point)
{
    if (m_dc == nullptr)
        return;
    const CPoint at = moved(point);
    MoveToEx(m_dc, at.getX(), at.getY(), nullptr);
}

void CGraphics::lineTo(const CPoint& point)
{
    if (m_dc == nullptr)
        return;
    const CPoint at = moved(point);
    LineTo(m_dc, at.getX(), at.getY());
}

void CGraphics::drawLine(const CPoint& from, const CPoint& to)
{
    moveTo(from);
    lineTo(to);
}

void CGraphics::drawAntiAliasedLine(const CPoint& from, const CPoint& to)
{
    if (m_dc == nullptr)
        return;
    if (m_gdiplusGraphics == nullptr)
    {
        drawSoftwareAntiAliasedLine(from, to);
        return;
    }
    const CPoint start = moved(from);
    const CPoint end = moved(to);
    TGdiplusObject<Gp::GpPen> pen;
    if (Flat::GdipCreatePen1(toArgb(m_pen->getColour()), static_cast<Gp::REAL>(m_pen->getWidth()), Gp::UnitPixel,
                             pen.out()) != Gp::Ok)
        return;
    const auto cap = static_cast<Gp::LineCap>(m_pen->getLineCap());
    Flat::GdipSetPenStartCap(pen.get(), cap);
    Flat::GdipSetPenEndCap(pen.get(), cap);
    Flat::GdipDrawLineI(asGraphics(m_gdiplusGraphics), pen.get(), start.getX(), start.getY(), end.getX(),
                        end.getY());
}

void CGraphics::blendPixel(long x, long y, long weight, double penLuminance, bool flip)
{
    const COLORREF background = GetPixel(m_dc, x, y);
    if (background == CLR_INVALID)
        return;
    // The weight is the background's share; over a background darker than the pen the shares swap.
    const bool lighterBehind = luminance(background) > penLuminance;
    const long w = lighterBehind != flip ? weight : weight ^ 255;
    const COLORREF pen = m_pen->getColour().getAsColourRef();
    const auto mix = [w](long c, long b) {
        const double value = c < b ? c + (b - c) * w / 255.0 : b + (c - b) * w / 255.0;
        return static_cast<BYTE>(value);
    };
    SetPixelV(m_dc, x, y,
              RGB(mix(GetRValue(pen), GetRValue(background)), mix(GetGValue(pen), GetGValue(background)),
                  mix(GetBValue(pen), GetBValue(background))));
}

void CGraphics::drawSoftwareAntiAliasedLine(const CPoint& from, const CPoint& to)
{
    if (m_dc == nullptr)
        return;
    CPoint first = moved(from);
    CPoint last = moved(to);
    if (last.getY() < first.getY())
        std::swap(first, last);
    const COLORREF colour = m_pen->getColour().getAsColourRef();
    const double penLuminance = luminance(colour);
    long x = first.getX();
    long y = first.getY();
    SetPixelV(m_dc, x, y, colour);

    const std::int64_t dx = static_cast<std::int64_t>(last.getX()) - x;
    const long step = dx < 0 ? -1 : 1;
    const std::int64_t adx = dx < 0 ? -dx : dx;
    const std::int64_t dy = static_cast<std::int64_t>(last.getY()) - y;

    // Horizontal, vertical and diagonal lines are solid.
    if (dy == 0 || adx == 0 || adx == dy)
    {
        const std::int64_t count = dy == 0 ? adx : dy;
        for (std::int64_t i = 0; i < count; ++i)
        {
            if (dy != 0)
                ++y;
            if (adx != 0)
                x += step;
            SetPixelV(m_dc, x, y, colour);
        }
        return;
    }

    // A 16-bit fraction of the way to the next column (or row); its wrap-round is the step across.
    std::uint16_t accumulator = 0;
    if (adx < dy)
    {
        const auto adjust = static_cast<std::uint16_t>((adx << 16) / dy);
        for (std::int64_t i = 0; i < dy - 1; ++i)
        {
            const std::uint16_t old = accumulator;
            accumulator = static_cast<std::uint16_t>(accumulator + adjust);
            if (old >= accumulator)
                x += step;
            ++y;
            const long weight = accumulator >> 8;
            blendPixel(x, y, weight, penLuminance, false);
            blendPixel(x + step, y, weight, penLuminance, true);
        }
    }
    else
    {
        const auto adjust = static_cast<std::uint16_t>((dy << 16) / adx);
        for (std::int64_t i = 0; i < adx - 1; ++i)
        {
            x += step;
            const std::uint16_t old = accumulator;
            accumulator = static_cast<std::uint16_t>(accumulator + adjust);
            if (old >= accumulator)
                ++y;
            const long weight = accumulator >> 8;
            blendPixel(x, y, weight, penLuminance, false);
            blendPixel(x, y + 1, weight, penLuminance, true);
        }
    }
    SetPixelV(m_dc, last.getX(), last.getY(), colour);
}

void CGraphics::drawPolygon(const CPolygon& polygon)
{
    const long count = polygon.getNumberOfPoints();
    if (count == 0)
        return;
    moveTo(*polygon.getPoint(0));
    for (long index = 1; index < count; ++index)
        lineTo(*polygon.getPoint(index));
}

void CGraphics::drawAntiAliasedPolygon(const CPolygon& polygon)
{
    const long count = polygon.getNumberOfPoints();
    if (count < 3)
        return;
    for (long index = 0; index + 1 < count; ++index)
        drawAntiAliasedLine(*polygon.getPoint(index), *polygon.getPoint(index + 1));
}

void CGraphics::fillPolygon(const CPolygon& polygon)
{
    const long count = polygon.getNumberOfPoints();
    if (m_dc == nullptr || count < 3)
        return;
    if (m_gdiplusGraphics != nullptr)
    {
        std::vector<Gp::Point> points;
        points.reserve(static_cast<size_t>(count));
        for (long index = 0; index < count; ++index)
        {
            const CPoint at = moved(*polygon.getPoint(index));
            points.emplace_back(at.getX(), at.getY());
        }
        TGdiplusObject<Gp::GpSolidFill> brush;
        if (Flat::GdipCreateSolidFill(toArgb(m_brush->getColour()), brush.out()) == Gp::Ok)
            Flat::GdipFillPolygonI(asGraphics(m_gdiplusGraphics), brush.get(), points.data(),
                                   static_cast<INT>(count), Gp::FillModeAlternate);
        return;
    }
    std::vector<POINT> points;
    points.reserve(static_cast<size_t>(count));
    for (long index = 0; index < count; ++index)
    {
        const CPoint at = moved(*polygon.getPoint(index));
        points.push_back(POINT{at.getX(), at.getY()});
    }
    m_pen->useNullPen();
    Polygon(m_dc, points.data(), static_cast<int>(count));
    m_pen->selectPen();
}

void CGraphics::drawRectangle(const CRect& area)
{
    if (m_dc == nullptr || area.getWidth() <= 0 || area.getHeight() <= 0)
        return;
    const CRect at = moved(area);
    if (m_gdiplusGraphics != nullptr)
    {
        // A frame one pixel thin is a solid line; GDI+ is not asked for a rectangle of no width.
        if (area.getWidth() == 1 || area.getHeight() == 1)
        {
            TGdiplusObject<Gp::GpSolidFill> line;
            if (Flat::GdipCreateSolidFill(toArgb(m_pen->getColour()), line.out()) == Gp::Ok)
                Flat::GdipFillRectangleI(asGraphics(graphicsFor(at, 0)), line.get(), at.getLeft(), at.getTop(),
                                         at.getWidth(), at.getHeight());
            return;
        }
        TGdiplusObject<Gp::GpPen> pen;
        if (Flat::GdipCreatePen1(toArgb(m_pen->getColour()), static_cast<Gp::REAL>(m_pen->getWidth()),
                                 Gp::UnitPixel, pen.out()) != Gp::Ok)
            return;
        const auto cap = static_cast<Gp::LineCap>(m_pen->getLineCap());
        Flat::GdipSetPenStartCap(pen.get(), cap);
        Flat::GdipSetPenEndCap(pen.get(), cap);
        // GDI+ frames one pixel wider and higher than the size it is given. A pen wider than a pixel reaches
        // out of the area by up to its width.
        const long reach = m_pen->getWidth() > 1 ? m_pen->getWidth() : 0;
        Flat::GdipDrawRectangleI(asGraphics(graphicsFor(at, reach)), pen.get(), at.getLeft(), at.getTop(),
                                 at.getWidth() - 1, at.getHeight() - 1);
        return;
    }
    m_brush->useNullBrush();
    Rectangle(m_dc, at.getLeft(), at.getTop(), at.getRight(), at.getBottom());
    m_brush->selectBrush();
}

void CGraphics::fillRectangle(const CRect& area)
{
    if (m_dc == nullptr || area.getWidth() <= 0 || area.getHeight() <= 0)
        return;
    const CRect at = moved(area);
    if (m_gdiplusGraphics != nullptr)
    {
        TGdiplusObject<Gp::GpSolidFill> brush;
        if (Flat::GdipCreateSolidFill(toArgb(m_brush->getColour()), brush.out()) == Gp::Ok)
            Flat::GdipFillRectangleI(asGraphics(graphicsFor(at, 0)), brush.get(), at.getLeft(), at.getTop(),
                                     at.getWidth(), at.getHeight());
        return;
    }
    if (m_brush->getBrushHandle() == nullptr)
        return;
    const RECT rect = at.getAsRECT();
    FillRect(m_dc, &rect, m_brush->getBrushHandle());
}

void CGraphics::drawFilledBorderedRectangle(const CRect& area)
{
    fillRectangle(area);
    drawRectangle(area);
}

void CGraphics::drawRoundedRectangle(const CRect& area, const CDimension& corner)
{
    if (m_dc == nullptr)
        return;
    const CRect at = moved(area);
    m_brush->useNullBrush();
    RoundRect(m_dc, at.getLeft(), at.getTop(), at.getRight(), at.getBottom(), corner.getWidth(),
              corner.getHeight());
    m_brush->selectBrush();
}

void CGraphics::fillRoundedRectangle(const CRect& area, const CDimension& corner)
{
    if (m_dc == nullptr || area.getWidth() <= 0 || area.getHeight() <= 0)
        return;
    const CRect at = moved(area);
    if (m_gdiplusGraphics == nullptr)
    {
        m_pen->useNullPen();
        RoundRect(m_dc, at.getLeft(), at.getTop(), at.getRight(), at.getBottom(), corner.getWidth(),
                  corner.getHeight());
        m_pen->selectPen();
        return;
    }
    // Corners larger than the area would make the arcs cross.
    long diameter = 2 * corner.getWidth();
    diameter = std::min(diameter, std::min(at.getWidth(), at.getHeight()));
    if (diameter <= 0)
    {
        fillRectangle(area);
        return;
    }
    TGdiplusObject<Gp::GpPath> path;
    TGdiplusObject<Gp::GpSolidFill> brush;
    if (Flat::GdipCreatePath(Gp::FillModeAlternate, path.out()) != Gp::Ok ||
        Flat::GdipCreateSolidFill(toArgb(m_brush->getColour()), brush.out()) != Gp::Ok)
        return;
    const long right = at.getRight() - diameter;
    const long bottom = at.getBottom() - diameter;
    Flat::GdipAddPathArcI(path.get(), right, at.getTop(), diameter, diameter, 270.0f, 90.0f);
    Flat::GdipAddPathArcI(path.get(), right, bottom, diameter, diameter, 0.0f, 90.0f);
    Flat::GdipAddPathArcI(path.get(), at.getLeft(), bottom, diameter, diameter, 90.0f, 90.0f);
    Flat::GdipAddPathArcI(path.get(), at.getLeft(), at.getTop(), diameter, diameter, 180.0f, 90.0f);
    Flat::GdipClosePathFigure(path.get());
    Flat::GdipFillPath(asGraphics(graphicsFor(at, 0)), brush.get(), path.get());
}

void CGraphics::fillEllipse(const CRect& area)
{
    if (m_dc == nullptr || area.getWidth() <= 0 || area.getHeight() <= 0)
        return;
    const CRect at = moved(area);
    if (m_gdiplusGraphics != nullptr)
    {
        TGdiplusObject<Gp::GpSolidFill> brush;
        if (Flat::GdipCreateSolidFill(toArgb(m_brush->getColour()), brush.out()) == Gp::Ok)
            Flat::GdipFillEllipseI(asGraphics(graphicsFor(at, 0)), brush.get(), at.getLeft(), at.getTop(),
                                   at.getWidth(), at.getHeight());
        return;
    }
    m_pen->useNullPen();
    Ellipse(m_dc, at.getLeft(), at.getTop(), at.getRight(), at.getBottom());
    m_pen->selectPen();
}

void CGraphics::drawArc(const CRect& area, const CPoint& start, const CPoint& end, bool clockwise)
{
    if (m_dc == nullptr)
        return;
    const CRect at = moved(area);
    const CPoint from = moved(start);
    const CPoint to = moved(end);
    const int previous = SetArcDirection(m_dc, clockwise ? AD_CLOCKWISE : AD_COUNTERCLOCKWISE);
    Arc(m_dc, at.getLeft(), at.getTop(), at.getRight(), at.getBottom(), from.getX(), from.getY(), to.getX(),
        to.getY());
    if (previous != 0)
        SetArcDirection(m_dc, previous);
}

void CGraphics::drawEllipse(const CRect& area) { drawArc(area, CPoint(0, 0), CPoint(0, 0), true); }

void CGraphics::drawShadedRectangle(const CRect& area)
{
    const long height = area.getHeight();
    if (m_dc == nullptr || height < 2)
        return;
    const long half = height / 2;
    const CAlphaColour original = m_pen->getColour();
    const long deltaRed = (255 - original.getRed()) / half;
    const long deltaGreen = (255 - original.getGreen()) / half;
    const long deltaBlue = (255 - original.getBlue()) / half;
    CAlphaColour running = original;
    for (long row = 0; row < height; ++row)
    {
        m_pen->setColour(running);
        const long y = area.getTop() + row;
        drawLine(CPoint(area.getLeft(), y), CPoint(area.getRight(), y));
        const long sign = row < half ? 1 : -1;
        running.setColour(running.getRed() + sign * deltaRed, running.getGreen() + sign * deltaGreen,
                          running.getBlue() + sign * deltaBlue);
    }
    m_pen->setColour(original);
}

void CGraphics::drawRaisedRectangle(const CRect& area) { drawBevel(area, true); }

void CGraphics::drawSunkenRectangle(const CRect& area) { drawBevel(area, false); }

void CGraphics::drawBevel(const CRect& area, bool raised)
{
    if (m_dc == nullptr)
        return;
    fillRectangle(area);
    drawRectangle(area);
    // One pixel wide or high, the edge lines would run backwards out of the area.
    if (area.getWidth() < 2 || area.getHeight() < 2)
        return;
    const CAlphaColour pen = m_pen->getColour();
    const CAlphaColour brush = m_brush->getColour();
    CAlphaColour darkPen = pen;
    CAlphaColour darkBrush = brush;
    darkPen.darken();
    darkBrush.darken();
    CAlphaColour lightPen = pen;
    CAlphaColour lightBrush = brush;
    lightPen.brighten();
    lightPen.brighten();
    lightBrush.brighten();
    lightBrush.brighten();

    const long left = area.getLeft();
    const long top = area.getTop();
    const long right = area.getRight();
    const long bottom = area.getBottom();
    // Bottom and right edges first, then left and top.
    m_brush->setColour(raised ? darkBrush : lightBrush);
    m_pen->setColour(raised ? darkPen : lightPen);
    drawLine(CPoint(left + 1, bottom - 1), CPoint(right - 1, bottom - 1));
    drawLine(CPoint(right - 1, top + 1), CPoint(right - 1, bottom - 1));
    m_brush->setColour(raised ? lightBrush : darkBrush);
    m_pen->setColour(raised ? lightPen : darkPen);
    drawLine(CPoint(left + 1, top + 1), CPoint(left + 1, bottom - 1));
    drawLine(CPoint(left + 1, top + 1), CPoint(right - 1, top + 1));
    m_brush->setColour(brush);
    m_pen->setColour(pen);
}

void CGraphics::drawImage(IImage* image, const CRect& destination, const CRect& source)
{
    if (image == nullptr || m_dc == nullptr)
        return;
    if (image->hasImageLoaded() && image->hasAlpha())
    {
        drawImageWithAlpha(image, destination, source, 1.0);
        return;
    }
    if (!image->hasImageLoaded() || image->getNativeImage() == nullptr)
        return;
    const CRect at = moved(destination);
    CBitmapContext picture(m_dc, image->getNativeImage());
    if (picture.get() == nullptr)
        return;
    // Compared with the source, not the whole image: a part of an image drawn at its own size is a copy.
    if (at.getWidth() == source.getWidth() && at.getHeight() == source.getHeight())
    {
        BitBlt(m_dc, at.getLeft(), at.getTop(), at.getWidth(), at.getHeight(), picture.get(), source.getLeft(),
               source.getTop(), SRCCOPY);
        return;
    }
    // The default mode ANDs the rows a shrink drops, darkening colour pictures.
    const int previousMode = SetStretchBltMode(m_dc, COLORONCOLOR);
    StretchBlt(m_dc, at.getLeft(), at.getTop(), at.getWidth(), at.getHeight(), picture.get(), source.getLeft(),
               source.getTop(), source.getWidth(), source.getHeight(), SRCCOPY);
    if (previousMode != 0)
        SetStretchBltMode(m_dc, previousMode);
}

void CGraphics::drawImageWithAlpha(IImage* image, const CRect& destination, const CRect& source, double alpha)
{
    if (image == nullptr || m_dc == nullptr)
        return;
    if (!image->hasImageLoaded() || !image->hasAlpha())
    {
        drawImage(image, destination, source);
        return;
    }
    if (image->getNativeImage() == nullptr)
        return;
    const CRect at = moved(destination);
    CBitmapContext picture(m_dc, image->getNativeImage());
    if (picture.get() == nullptr)
        return;
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, CNativeImage::constantAlphaByte(alpha), AC_SRC_ALPHA};
    AlphaBlend(m_dc, at.getLeft(), at.getTop(), at.getWidth(), at.getHeight(), picture.get(), source.getLeft(),
               source.getTop(), source.getWidth(), source.getHeight(), blend);
}

void CGraphics::drawText(const CString& text, const CRect& area, const CFont* font, long alignment)
{
    if (m_dc == nullptr)
        return;
    const CFont* drawn = font != nullptr ? font : CFont::getDefaultFont();
    if (drawn == nullptr)
        return;
    const CRect at = moved(area);
    const long cell = gridCell(alignment);
    // A font GDI+ cannot take is still drawn, by GDI.
    if (m_gdiplusGraphics != nullptr && drawGdiplusText(text, at, *drawn, cell))
        return;
    drawGdiText(text, at, *drawn, cell);
}

bool CGraphics::drawGdiplusText(const CString& text, const CRect& area, const CFont& font, long cell)
{
    Gp::GpGraphics* graphics = asGraphics(m_gdiplusGraphics);
    const std::vector<wchar_t> wide = CGdiplusSession::toWide(text.getString());
    if (wide.empty())
        return true;
    // A layer's context lives for one drawing only, so its fonts are not kept.
    TGdiplusObject<Gp::GpFont> layerFont;
    if (m_alphaDrawing && Flat::GdipCreateFontFromLogfontA(m_dc, &font.getLogicalFont(), layerFont.out()) != Gp::Ok)
        return false;
    Gp::GpFont* gdiplusFont = m_alphaDrawing ? layerFont.get() : m_fonts->fontFor(m_dc, font.getLogicalFont());
    if (gdiplusFont == nullptr)
        return false;
    TGdiplusObject<Gp::GpSolidFill> brush;
    TGdiplusObject<Gp::GpStringFormat> format;
    if (Flat::GdipCreateSolidFill(toArgb(m_textColour), brush.out()) != Gp::Ok ||
        Flat::GdipCreateStringFormat(Gp::StringFormatFlagsNoWrap, LANG_NEUTRAL, format.out()) != Gp::Ok)
        return false;
    Flat::GdipSetStringFormatTrimming(format.get(), Gp::StringTrimmingNone);
    if (cell >= kLeftTop && cell <= kRightBottom)
    {
        static const Gp::StringAlignment kPlaces[3] = {Gp::StringAlignmentNear, Gp::StringAlignmentCenter,
                                                       Gp::StringAlignmentFar};
        Flat::GdipSetStringFormatAlign(format.get(), kPlaces[cell % 3]);
        Flat::GdipSetStringFormatLineAlign(format.get(), kPlaces[cell / 3]);
    }

    Gp::SmoothingMode smoothing = Gp::SmoothingModeDefault;
    Gp::TextRenderingHint hint = Gp::TextRenderingHintSystemDefault;
    Flat::GdipGetSmoothingMode(graphics, &smoothing);
    Flat::GdipGetTextRenderingHint(graphics, &hint);
    Flat::GdipSetSmoothingMode(graphics, Gp::SmoothingModeHighQuality);
    if (Flat::GdipSetTextRenderingHint(graphics, Gp::TextRenderingHintClearTypeGridFit) != Gp::Ok)
        Flat::GdipSetTextRenderingHint(graphics, Gp::TextRenderingHintAntiAliasGridFit);
    const Gp::RectF layout(static_cast<Gp::REAL>(area.getLeft()), static_cast<Gp::REAL>(area.getTop()),
                           static_cast<Gp::REAL>(area.getWidth()), static_cast<Gp::REAL>(area.getHeight()));
    const Gp::Status status = Flat::GdipDrawString(graphics, wide.data(), static_cast<INT>(wide.size() - 1),
                                                   gdiplusFont, &layout, format.get(), brush.get());
    Flat::GdipSetSmoothingMode(graphics, smoothing);
    Flat::GdipSetTextRenderingHint(graphics, hint);
    return status == Gp::Ok;
}

void CGraphics::drawGdiText(const CString& text, const CRect& area, const CFont& font, long cell)
{
    const char* characters = text.getString();
    const int length = static_cast<int>(std::strlen(characters));
    if (length == 0)
        return;
    // A font without a handle draws in the context's own font.
    HGDIOBJ previousFont = font.getFontHandle() != nullptr ? SelectObject(m_dc, font.getFontHandle()) : nullptr;
    const COLORREF previousColour = SetTextColor(m_dc, m_textColour.getAsColourRef());
    const int previousMode = SetBkMode(m_dc, TRANSPARENT);
    RECT rect = area.getAsRECT();
    DrawTextA(m_dc, characters, length, &rect, drawTextFlags(cell));
    SetBkMode(m_dc, previousMode);
    SetTextColor(m_dc, previousColour);
    if (previousFont != nullptr)
        SelectObject(m_dc, previousFont);
}

bool CGraphics::getTextExtent(const CString& text, CDimension& size, const CFont* font)
{
    if (font == nullptr)
        return false;
    // Measuring has no context of its own, so GDI+ is started for the call.
    const CGdiplusSession session;
    HDC screen = GetDC(nullptr);
    const bool ownContext = screen == nullptr;
    if (ownContext)
        screen = CreateCompatibleDC(nullptr);
    if (screen == nullptr)
        return false;

    bool measured = false;
    if (session.isStarted())
    {
        TGdiplusObject<Gp::GpGraphics> graphics;
        TGdiplusObject<Gp::GpFont> gdiplusFont;
        TGdiplusObject<Gp::GpStringFormat> format;
        std::vector<wchar_t> wide = CGdiplusSession::toWide(text.getString());
        // The empty text is GDI+'s to measure as well.
        if (wide.empty())
            wide.push_back(L'\0');
        if (Flat::GdipCreateFromHDC(screen, graphics.out()) == Gp::Ok &&
            Flat::GdipCreateFontFromLogfontA(screen, &font->getLogicalFont(), gdiplusFont.out()) == Gp::Ok &&
            Flat::GdipCreateStringFormat(Gp::StringFormatFlagsNoClip, LANG_NEUTRAL, format.out()) == Gp::Ok)
        {
            Flat::GdipSetStringFormatAlign(format.get(), Gp::StringAlignmentNear);
            const Gp::RectF origin(0.0f, 0.0f, 0.0f, 0.0f);
            Gp::RectF box;
            if (Flat::GdipMeasureString(graphics.get(), wide.data(), static_cast<INT>(wide.size() - 1), gdiplusFont.get(),
                                        &origin, format.get(), &box, nullptr, nullptr) == Gp::Ok)
            {
                size.setDimension(static_cast<long>(box.Width), static_cast<long>(box.Height));
                measured = true;
            }
        }
    }
    if (!measured)
    {
        // Measured in the given font, not whatever the screen context happens to hold.
        HGDIOBJ previousFont =
            font->getFontHandle() != nullptr ? SelectObject(screen, font->getFontHandle()) : nullptr;
        const char* characters = text.getString();
        SIZE extent = {0, 0};
        if (GetTextExtentPoint32A(screen, characters, static_cast<int>(std::strlen(characters)), &extent) != FALSE)
            size.setDimension(extent.cx, extent.cy);
        if (previousFont != nullptr)
            SelectObject(screen, previousFont);
    }
    if (ownContext)
        DeleteDC(screen);
    else
        ReleaseDC(nullptr, screen);
    return measured;
}

void CGraphics::setSmoothingMode(long mode)
{
    m_smoothingMode = mode;
    if (!reachesGdiplus(mode))
        return;
    if (m_gdiplusGraphics != nullptr)
        Flat::GdipSetSmoothingMode(asGraphics(m_gdiplusGraphics), gdiplusSmoothing(mode));
    if (m_unclippedGraphics != nullptr)
        Flat::GdipSetSmoothingMode(asGraphics(m_unclippedGraphics), gdiplusSmoothing(mode));
}

void CGraphics::beginAlphaDrawing(double alpha)
{
    // A context drawing straight into its owner's device context has no surface to blend back onto.
    if (m_alphaDrawing || m_dc == nullptr || !m_surface->isCreated())
        return;
    std::unique_ptr<CNativeImage> layer(new CNativeImage());
    layer->initialise(m_surface->getWindow(), m_surface->getWindowContext(), m_surface->getSize());
    if (!layer->isCreated())
        return;
    layer->copyFrom(*m_surface);
    HDC layerContext = layer->getMemoryContext();
    std::unique_ptr<CPen> pen(new CPen());
    pen->initialise(m_pen->getWidth(), layerContext, m_pen->getColour());
    pen->setLineCap(m_pen->getLineCap());
    std::unique_ptr<CBrush> brush(new CBrush());
    brush->initialise(layerContext, m_brush->getColour());

    m_layerAlpha = alpha;
    m_savedPen = std::move(m_pen);
    m_pen = std::move(pen);
    m_savedBrush = std::move(m_brush);
    m_brush = std::move(brush);
    m_layer = std::move(layer);
    m_dc = layerContext;
    // GDI+ drawing must land in the layer too.
    if (m_gdiplusGraphics != nullptr)
    {
        m_savedGdiplusGraphics = m_gdiplusGraphics;
        m_gdiplusGraphics = nullptr;
        createGdiplusGraphics(layerContext);
    }
    m_alphaDrawing = true;
}

void CGraphics::endAlphaDrawing(const CRect& destination, const CRect& source)
{
    if (!m_alphaDrawing)
        return;
    const CRect to = moved(destination);
    const CRect from = moved(source);
    const BYTE alpha = CNativeImage::constantAlphaByte(m_layerAlpha);
    std::unique_ptr<CNativeImage> layer = leaveAlphaLayer();
    // Constant alpha only: the layer's bitmap has no alpha channel worth reading.
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, 0};
    AlphaBlend(m_surface->getMemoryContext(), to.getLeft(), to.getTop(), to.getWidth(), to.getHeight(),
               layer->getMemoryContext(), from.getLeft(), from.getTop(), from.getWidth(), from.getHeight(), blend);
}

std::unique_ptr<CNativeImage> CGraphics::leaveAlphaLayer()
{
    if (!m_alphaDrawing)
        return nullptr;
    m_pen->uninitialise();
    m_pen = std::move(m_savedPen);
    m_brush->uninitialise();
    m_brush = std::move(m_savedBrush);
    if (m_savedGdiplusGraphics != nullptr)
    {
        deleteGdiplusGraphics();
        m_gdiplusGraphics = m_savedGdiplusGraphics;
        m_savedGdiplusGraphics = nullptr;
        // A mode set while the layer drew went to the layer's Graphics only.
        if (reachesGdiplus(m_smoothingMode))
            Flat::GdipSetSmoothingMode(asGraphics(m_gdiplusGraphics), gdiplusSmoothing(m_smoothingMode));
    }
    m_dc = m_surface->getMemoryContext();
    m_alphaDrawing = false;
    return std::move(m_layer);
}

void CGraphics::dropAlphaLayer() { leaveAlphaLayer(); }
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
