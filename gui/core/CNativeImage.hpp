// An off-screen GDI surface: a memory device context holding a bitmap compatible with a window's context.
// Windows paint into one and copy it to the screen in one go.
#pragma once

#include "foundation/mathtools/CDimension.hpp"
#include "gui/core/CColour.hpp"

struct HBITMAP__;
struct HDC__;
struct HWND__;

namespace Brivant
{
namespace MathTools
{
class CRect;
}

namespace GUI
{
namespace Graphics
{
class CNativeImage
{
public:
    CNativeImage();
    virtual ~CNativeImage();

    CNativeImage(const CNativeImage&) = delete;
    CNativeImage& operator=(const CNativeImage&) = delete;

    // Makes the surface compatible with windowContext and fills it with the background colour; ignored while
    // a surface exists.
    void initialise(HWND__* const* window, HDC__* windowContext, const ::Brivant::MathTools::CDimension& size);
    void uninitialise();
    void releaseImage();
    // Takes the surface up again for another paint of the window it was made for, at the size it was made
    // with, drawing as a fresh one would: unclipped, the current position at the origin. False, and nothing
    // changed, when there is no surface or it was made for another window or size. Its pixels stay as they were.
    bool resume(HWND__* const* window, HDC__* windowContext, const ::Brivant::MathTools::CDimension& size);
    // Fills the area (surface coordinates) with the background colour; nothing without a surface.
    void fillBackground(const ::Brivant::MathTools::CRect& area);

    // Both copy the whole of this surface's size from (0, 0) to (0, 0); nothing unless both surfaces exist.
    void copyTo(CNativeImage& target) const;
    void copyFrom(const CNativeImage& source);
    // Blends with the constant alpha (held to 0..1) and this surface's own per-pixel alpha.
    void alphaBlendTo(CNativeImage& target, const ::Brivant::MathTools::CRect& source,
                      const ::Brivant::MathTools::CRect& destination, double alpha) const;

    // The blend byte of an alpha: held to 0..1 first (NaN gives 0), then truncated from alpha × 255.
    static unsigned char constantAlphaByte(double alpha);

    bool isCreated() const { return m_created; }
    HDC__* getMemoryContext() const { return m_memoryContext; }
    HDC__* getWindowContext() const { return m_windowContext; }
    HWND__* const* getWindow() const { return m_window; }
    HBITMAP__* getBitmap() const { return m_bitmap; }
    const ::Brivant::MathTools::CDimension& getSize() const { return m_size; }

    // A window gives its own background colour before the surface is made.
    const Basics::CColour& getBackgroundColour() const { return m_background; }
    void setBackgroundColour(const Basics::CColour& colour) { m_background = colour; }

private:
    HDC__* m_windowContext;
    HBITMAP__* m_bitmap;
    HDC__* m_memoryContext;
    HWND__* const* m_window;
    // The handle the holder held when the surface was made: a window made again is another window.
    HWND__* m_madeFor;
    ::Brivant::MathTools::CDimension m_size;
    Basics::CColour m_background;
    bool m_created;
    // The bitmap the memory context came with, selected back before the context goes.
    void* m_originalBitmap;
};
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
