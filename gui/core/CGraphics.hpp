// The drawing context every control draws through. It wraps one device context (a window's off-screen
// surface, or a context its owner gives), moves every coordinate by the drawing offset, and draws with a pen,
// a brush and a text colour. Where GDI+ started it draws anti-aliased lines, rectangles, fills and text with
// alpha through GDI+; otherwise, and for the other primitives, through GDI.
#pragma once

#include "foundation/mathtools/CDimension.hpp"
#include "foundation/mathtools/CPoint.hpp"
#include "foundation/mathtools/CRect.hpp"
#include "gui/core/CAlphaColour.hpp"
#include "gui/core/CClip.hpp"

#include <cstdint>
#include <memory>

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
class CPolygon;
}

namespace GUI
{
namespace Fonts
{
class CFont;
}

namespace Graphics
{
class CBrush;
class CGraphicsFontCache;
class CNativeImage;
class CPen;
class IImage;

class CGraphics
{
public:
    // Which drawing path a context may take: tests turn GDI+ off to reach the plain GDI forms.
    enum EDrawingPath
    {
        kGdiplusWhenAvailable,
        kGdiOnly
    };

    // Cells of the 3 by 3 text grid; the two single-line forms draw as left-middle and centre-middle.
    enum ETextAlignment : long
    {
        kLeftTop = 0,
        kCentreTop = 1,
        kRightTop = 2,
        kLeftMiddle = 3,
        kCentreMiddle = 4,
        kRightMiddle = 5,
        kLeftBottom = 6,
        kCentreBottom = 7,
        kRightBottom = 8,
        kSingleLine = 9,
        kDefaultSingleLine = 10
    };

    enum ESmoothingMode : long
    {
        kSmoothingHighQuality = 0,
        kSmoothingDefault = 1,
        kSmoothingAntiAlias = 2
    };

    // Starts GDI+ for the context's lifetime unless told not to.
    explicit CGraphics(EDrawingPath path = kGdiplusWhenAvailable);
    virtual ~CGraphics();

    CGraphics(const CGraphics&) = delete;
    CGraphics& operator=(const CGraphics&) = delete;

    // With a window holder: draws into a new off-screen surface compatible with dc, clipped to its area.
    // Without (null): draws straight into dc, unclipped and without alpha layers.
    void initialise(HWND__* const* window, HDC__* dc, const ::Brivant::MathTools::CDimension& size);
    // Gives every object back to the contexts; an open alpha layer is dropped.
    void uninitialise();
    bool isInitialised() const { return m_dc != nullptr; }

    // A window that paints often keeps its surface from one paint to the next instead of making a new one
    // for each: uninitialise leaves it, and initialise takes it up again for the same window and size, with
    // the pixels of the earlier paints (the caller fills what it repaints). Off by default.
    void setSurfaceKept(bool kept);
    bool isSurfaceKept() const { return m_surfaceKept; }
    // Gives a kept surface back, for a window that goes; uninitialises first.
    void releaseSurface();

    // True when GDI+ started; the GDI+ forms are drawn only while also initialised.
    bool isGdiplusAvailable() const { return m_gdiplusAvailable; }
    bool isDrawingWithGdiplus() const { return m_gdiplusGraphics != nullptr; }
    // The GDI+ Graphics (a GpGraphics) on the current context; null on the GDI path.
    void* getGdiplusGraphics() const { return m_gdiplusGraphics; }

    CPen& getMutablePen() { return *m_pen; }
    CBrush& getMutableBrush() { return *m_brush; }
    CClip& getClippingRegion() { return m_clip; }
    // The window copies this to the screen after a paint.
    CNativeImage& getOffscreenImage() { return *m_surface; }
    const CNativeImage& getOffscreenImage() const { return *m_surface; }
    // The context drawn into now: the surface's, the owner's or the alpha layer's.
    HDC__* getDeviceContext() const { return m_dc; }
    const ::Brivant::MathTools::CDimension& getSize() const { return m_size; }

    // Added to every coordinate an operation receives; the control root moves it for each control.
    const ::Brivant::MathTools::CPoint& getDrawingOffset() const { return m_offset; }
    void setDrawingOffset(const ::Brivant::MathTools::CPoint& offset) { m_offset = offset; }
    // What is being redrawn, for the users' own culling; no operation reads it.
    const ::Brivant::MathTools::CRect& getUpdateArea() const { return m_updateArea; }
    void setUpdateArea(const ::Brivant::MathTools::CRect& area) { m_updateArea = area; }
    const Basics::CAlphaColour& getTextColour() const { return m_textColour; }
    void setTextColour(const Basics::CAlphaColour& colour) { m_textColour = colour; }

    // In the pen colour.
    void drawPixel(const ::Brivant::MathTools::CPoint& point);
    // The pen colour laid over the pixel with alpha 0..255 (held there).
    void drawAlphaPixel(const ::Brivant::MathTools::CPoint& point, long alpha);
    void moveTo(const ::Brivant::MathTools::CPoint& point);
    void lineTo(const ::Brivant::MathTools::CPoint& point);
    // A GDI line: the end point is not drawn.
    void drawLine(const ::Brivant::MathTools::CPoint& from, const ::Brivant::MathTools::CPoint& to);
    void drawAntiAliasedLine(const ::Brivant::MathTools::CPoint& from, const ::Brivant::MathTools::CPoint& to);
    // Both ends drawn; the pixels beside a sloping line are blended by their share of it.
    void drawSoftwareAntiAliasedLine(const ::Brivant::MathTools::CPoint& from,
                                     const ::Brivant::MathTools::CPoint& to);

    // Open figures through the points; nothing without points.
    void drawPolygon(const ::Brivant::MathTools::CPolygon& polygon);
    void drawAntiAliasedPolygon(const ::Brivant::MathTools::CPolygon& polygon);
    // Nothing with fewer than 3 points.
    void fillPolygon(const ::Brivant::MathTools::CPolygon& polygon);

    // Frames and fills cover exactly left .. right - 1 and top .. bottom - 1.
    void drawRectangle(const ::Brivant::MathTools::CRect& area);
    void fillRectangle(const ::Brivant::MathTools::CRect& area);
    void drawFilledBorderedRectangle(const ::Brivant::MathTools::CRect& area);
    void drawRoundedRectangle(const ::Brivant::MathTools::CRect& area, const ::Brivant::MathTools::CDimension& corner);
    void fillRoundedRectangle(const ::Brivant::MathTools::CRect& area, const ::Brivant::MathTools::CDimension& corner);
    void fillEllipse(const ::Brivant::MathTools::CRect& area);
    void drawEllipse(const ::Brivant::MathTools::CRect& area);
    void drawArc(const ::Brivant::MathTools::CRect& area, const ::Brivant::MathTools::CPoint& start,
                 const ::Brivant::MathTools::CPoint& end, bool clockwise);

    // Rows from the pen colour brightening towards white at the middle and back; the pen colour is kept.
    void drawShadedRectangle(const ::Brivant::MathTools::CRect& area);
    // Filled and framed, with light top and left edges and dark bottom and right ones (sunken: the reverse).
    void drawRaisedRectangle(const ::Brivant::MathTools::CRect& area);
    void drawSunkenRectangle(const ::Brivant::MathTools::CRect& area);

    // Copied, stretched when the sizes differ; an image with alpha is blended. Nothing for a null or
    // unloaded image.
    void drawImage(IImage* image, const ::Brivant::MathTools::CRect& destination,
                   const ::Brivant::MathTools::CRect& source);
    // The image's premultiplied pixels blended with a constant alpha (held to 0..1).
    void drawImageWithAlpha(IImage* image, const ::Brivant::MathTools::CRect& destination,
                            const ::Brivant::MathTools::CRect& source, double alpha);

    // In the text colour, placed in the area by the grid cell; a null font draws in the default font.
    void drawText(const ::Brivant::Basics::CString& text, const ::Brivant::MathTools::CRect& area,
                  const Fonts::CFont* font, long alignment);
    // The text's size in the font, measured by GDI+ (true) or by GDI (false); a null font changes nothing.
    static bool getTextExtent(const ::Brivant::Basics::CString& text, ::Brivant::MathTools::CDimension& size,
                              const Fonts::CFont* font);

    // Stored always; modes 0, 1 and 2 also reach GDI+.
    void setSmoothingMode(long mode);
    long getSmoothingMode() const { return m_smoothingMode; }

    // Gathers the drawing up to endAlphaDrawing in a layer over a copy of the surface, then blends the
    // layer's source rectangle onto the destination with the constant alpha (held to 0..1). Only a context
    // with an off-screen surface takes a layer; a second begin keeps the first layer.
    void beginAlphaDrawing(double alpha);
    void endAlphaDrawing(const ::Brivant::MathTools::CRect& destination, const ::Brivant::MathTools::CRect& source);
    bool isAlphaDrawing() const { return m_alphaDrawing; }

    // GDI+'s form of a colour: alpha << 24 | red << 16 | green << 8 | blue, channels held to 0..255.
    static std::uint32_t toArgb(const Basics::CAlphaColour& colour);

private:
    ::Brivant::MathTools::CPoint moved(const ::Brivant::MathTools::CPoint& point) const;
    ::Brivant::MathTools::CRect moved(const ::Brivant::MathTools::CRect& area) const;
    void createGdiplusGraphics(HDC__* dc);
    void deleteGdiplusGraphics();
    // The GDI+ Graphics (a GpGraphics) a shape in the area (surface coordinates) is drawn through; reach is how
    // far the shape may cover pixels beyond the area.
    void* graphicsFor(const ::Brivant::MathTools::CRect& at, long reach) const;
    // Gives the drawing back to the surface and answers the layer, still to be blended.
    std::unique_ptr<CNativeImage> leaveAlphaLayer();
    void dropAlphaLayer();
    void blendPixel(long x, long y, long weight, double penLuminance, bool flip);
    void drawBevel(const ::Brivant::MathTools::CRect& area, bool raised);
    void drawGdiText(const ::Brivant::Basics::CString& text, const ::Brivant::MathTools::CRect& area,
                     const Fonts::CFont& font, long cell);
    bool drawGdiplusText(const ::Brivant::Basics::CString& text, const ::Brivant::MathTools::CRect& area,
                         const Fonts::CFont& font, long cell);

    std::unique_ptr<CPen> m_pen;
    std::unique_ptr<CBrush> m_brush;
    std::unique_ptr<CNativeImage> m_surface;
    CClip m_clip;
    ::Brivant::MathTools::CPoint m_offset;
    ::Brivant::MathTools::CRect m_updateArea;
    ::Brivant::MathTools::CDimension m_size;
    Basics::CAlphaColour m_textColour;
    bool m_alphaDrawing;
    long m_smoothingMode;
    HDC__* m_dc;
    std::unique_ptr<CPen> m_savedPen;
    std::unique_ptr<CBrush> m_savedBrush;
    double m_layerAlpha;
    std::unique_ptr<CNativeImage> m_layer;
    bool m_surfaceKept;
    bool m_gdiplusAvailable;
    std::uintptr_t m_gdiplusToken;
    // The GDI+ Graphics on the current context; only while initialised and GDI+ is available.
    void* m_gdiplusGraphics;
    // The surface's own GDI+ Graphics while a layer draws through one of its own.
    void* m_savedGdiplusGraphics;
    // A second GDI+ Graphics on the surface that the clip never reaches, for shapes wholly inside the clip.
    void* m_unclippedGraphics;
    // The GDI+ fonts made on the current context, kept as long as it is.
    std::unique_ptr<CGraphicsFontCache> m_fonts;
};
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
