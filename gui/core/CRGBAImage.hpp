// A picture drawn at run time: initialise gives a graphics context on a transparent 32-bit GDI+ bitmap, the
// caller draws through it, and unintialise turns the drawing into the image's premultiplied bitmap.
#pragma once

#include "gui/core/CBaseImage.hpp"

#include <memory>

struct HDC__;

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
class CGdiplusSession;
class CGraphics;

class CRGBAImage : public CBaseImage
{
    BRIVANT_CLASS_RECORD(CRGBAImage, "CBaseImage");

public:
    CRGBAImage();
    // Drops a drawing that was never finished.
    ~CRGBAImage() override;

    long getImageType() const override { return kRGBAImage; }
    // Pictures are drawn, not read: false.
    bool loadFromFile(const ::Brivant::Basics::CSystemString& path) override;

    // Starts a drawing of the size; the image is unloaded meanwhile and a drawing in progress is dropped.
    // Failures: "System doesnt support GDI+ which must be available to draw RGBA images", or "Failed to create
    // GDI+ Bitmap for RGBA image" (also for a size CBaseImage::isSaneSize refuses).
    bool initialise(const ::Brivant::MathTools::CDimension& size);
    // Ends the drawing and makes the bitmap; answers whether the image is loaded ("Failed to get HBITMAP from
    // GDI Bitmap" when not). Throws CException when no drawing was started.
    bool unintialise();

    // The context to draw through between initialise and unintialise; null otherwise.
    CGraphics* getGraphics() const { return m_graphics.get(); }

private:
    // The GDI+ Bitmap, its Graphics and that Graphics' device context; what was made stays for releaseDrawing.
    bool createSurface(const ::Brivant::MathTools::CDimension& size);
    // Gives back the context, the device context, the GDI+ Graphics and Bitmap, and GDI+ itself.
    void releaseDrawing();

    std::unique_ptr<CGraphics> m_graphics;
    HDC__* m_deviceContext;
    std::unique_ptr<CGdiplusSession> m_session;
    // GDI+'s GpBitmap and its GpGraphics, kept opaque here.
    void* m_gdiplusBitmap;
    void* m_gdiplusGraphics;
};
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
