#include "gui/core/CRGBAImage.hpp"

#include "foundation/exceptions/CException.hpp"
#include "gui/core/CGdiplusSession.hpp"
#include "gui/core/CGraphics.hpp"

#include <windows.h>
#include <gdiplus.h>

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
using ::Brivant::Basics::CClass;
using ::Brivant::Basics::CSystemString;
using ::Brivant::Exceptions::CException;
using ::Brivant::MathTools::CDimension;
namespace Gp = ::Gdiplus;
namespace Flat = ::Gdiplus::DllExports;

namespace
{
Gp::GpBitmap* asBitmap(void* bitmap) { return static_cast<Gp::GpBitmap*>(bitmap); }
Gp::GpGraphics* asGraphics(void* graphics) { return static_cast<Gp::GpGraphics*>(graphics); }
} // namespace

CRGBAImage::CRGBAImage()
    : CBaseImage(true), m_deviceContext(nullptr), m_gdiplusBitmap(nullptr), m_gdiplusGraphics(nullptr)
{
}

CRGBAImage::~CRGBAImage() { releaseDrawing(); }

bool CRGBAImage::loadFromFile(const CSystemString& /*path*/) { return false; }

bool CRGBAImage::initialise(const CDimension& size)
{
    releaseDrawing();
    takeBitmap(nullptr);
    setHasAlpha(true);
    setPictureSize(size.getWidth(), size.getHeight());

    auto session = std::make_unique<CGdiplusSession>();
    if (!session->isStarted())
    {
        setLastError("System doesnt support GDI+ which must be available to draw RGBA images");
        return false;
    }
    m_session = std::move(session);
    if (!createSurface(size))
    {
        releaseDrawing();
        setLastError("Failed to create GDI+ Bitmap for RGBA image");
        return false;
    }
    m_graphics = std::make_unique<CGraphics>();
    m_graphics->initialise(nullptr, m_deviceContext, size);
    return true;
}

bool CRGBAImage::unintialise()
{
    if (m_gdiplusBitmap == nullptr || m_gdiplusGraphics == nullptr)
        throw CException("GDI+ Bitmap or context are NULL", "CRGBAImage::unintialise()", true);
    if (m_graphics != nullptr)
        m_graphics->uninitialise();
    m_graphics.reset();
    if (m_deviceContext != nullptr)
        Flat::GdipReleaseDC(asGraphics(m_gdiplusGraphics), m_deviceContext);
    m_deviceContext = nullptr;
    // The Graphics goes first, so that everything drawn has reached the bitmap.
    Flat::GdipDeleteGraphics(asGraphics(m_gdiplusGraphics));
    m_gdiplusGraphics = nullptr;
    HBITMAP made = nullptr;
    const bool converted =
        Flat::GdipCreateHBITMAPFromBitmap(asBitmap(m_gdiplusBitmap), &made, 0) == Gp::Ok && made != nullptr;
    if (!converted && made != nullptr)
        DeleteObject(made);
    const CDimension size = getImageSize();
    releaseDrawing();
    setPictureSize(size.getWidth(), size.getHeight());
    takeBitmap(converted ? made : nullptr);
    if (!converted)
        setLastError("Failed to get HBITMAP from GDI Bitmap");
    return hasImageLoaded();
}

bool CRGBAImage::createSurface(const CDimension& size)
{
    if (size.getWidth() <= 0 || size.getHeight() <= 0 ||
        !isSaneSize(static_cast<std::uint64_t>(size.getWidth()), static_cast<std::uint64_t>(size.getHeight())))
        return false;
    Gp::GpBitmap* bitmap = nullptr;
    if (Flat::GdipCreateBitmapFromScan0(size.getWidth(), size.getHeight(), 0, PixelFormat32bppARGB, nullptr,
                                        &bitmap) != Gp::Ok ||
        bitmap == nullptr)
        return false;
    m_gdiplusBitmap = bitmap;
    Gp::GpGraphics* graphics = nullptr;
    if (Flat::GdipGetImageGraphicsContext(bitmap, &graphics) != Gp::Ok || graphics == nullptr)
        return false;
    m_gdiplusGraphics = graphics;
    HDC dc = nullptr;
    if (Flat::GdipGetDC(graphics, &dc) != Gp::Ok || dc == nullptr)
        return false;
    m_deviceContext = dc;
    return true;
}

void CRGBAImage::releaseDrawing()
{
    if (m_graphics != nullptr)
        m_graphics->uninitialise();
    m_graphics.reset();
    if (m_deviceContext != nullptr && m_gdiplusGraphics != nullptr)
        Flat::GdipReleaseDC(asGraphics(m_gdiplusGraphics), m_deviceContext);
    m_deviceContext = nullptr;
    if (m_gdiplusGraphics != nullptr)
        Flat::GdipDeleteGraphics(asGraphics(m_gdiplusGraphics));
    m_gdiplusGraphics = nullptr;
    if (m_gdiplusBitmap != nullptr)
        Flat::GdipDisposeImage(asBitmap(m_gdiplusBitmap));
    m_gdiplusBitmap = nullptr;
    m_session.reset();
}
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
