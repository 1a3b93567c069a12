#include "gui/core/CNativeImage.hpp"

#include "foundation/mathtools/CRect.hpp"

#include <windows.h>

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
using ::Brivant::MathTools::CDimension;
using ::Brivant::MathTools::CRect;

CNativeImage::CNativeImage()
    : m_windowContext(nullptr), m_bitmap(nullptr), m_memoryContext(nullptr), m_window(nullptr), m_madeFor(nullptr),
      m_size(0, 0), m_background(Basics::CColour::white()), m_created(false), m_originalBitmap(nullptr)
{
}

CNativeImage::~CNativeImage() { releaseImage(); }

void CNativeImage::initialise(HWND__* const* window, HDC windowContext, const CDimension& size)
{
    if (m_created)
        return;
    m_window = window;
    m_windowContext = windowContext;
    m_size = size;
    // GDI would answer an empty size with a one-pixel monochrome bitmap.
    if (size.getWidth() <= 0 || size.getHeight() <= 0)
        return;
    HDC memoryContext = CreateCompatibleDC(windowContext);
    if (memoryContext == nullptr)
        return;
    HBITMAP bitmap = CreateCompatibleBitmap(windowContext, size.getWidth(), size.getHeight());
    if (bitmap == nullptr)
    {
        DeleteDC(memoryContext);
        return;
    }
    m_memoryContext = memoryContext;
    m_bitmap = bitmap;
    m_originalBitmap = SelectObject(memoryContext, bitmap);
    m_madeFor = window != nullptr ? *window : nullptr;
    m_created = true;
    fillBackground(CRect(0, 0, size.getWidth(), size.getHeight()));
}

bool CNativeImage::resume(HWND__* const* window, HDC windowContext, const CDimension& size)
{
    if (!m_created || window != m_window || window == nullptr || *window != m_madeFor ||
        size.getWidth() != m_size.getWidth() || size.getHeight() != m_size.getHeight())
        return false;
    // The paint context given at creation has been given back; layers are made compatible with this one.
    m_windowContext = windowContext;
    SelectClipRgn(m_memoryContext, nullptr);
    MoveToEx(m_memoryContext, 0, 0, nullptr);
    return true;
}

void CNativeImage::fillBackground(const CRect& area)
{
    if (!m_created)
        return;
    const RECT rectangle = area.getAsRECT();
    HBRUSH background = CreateSolidBrush(m_background.getAsColourRef());
    if (background != nullptr)
    {
        FillRect(m_memoryContext, &rectangle, background);
        DeleteObject(background);
    }
}

void CNativeImage::uninitialise() { releaseImage(); }

void CNativeImage::releaseImage()
{
    if (m_memoryContext != nullptr)
    {
        SelectObject(m_memoryContext, static_cast<HGDIOBJ>(m_originalBitmap));
        DeleteDC(m_memoryContext);
    }
    if (m_bitmap != nullptr)
        DeleteObject(m_bitmap);
    m_memoryContext = nullptr;
    m_bitmap = nullptr;
    m_originalBitmap = nullptr;
    m_madeFor = nullptr;
    m_created = false;
}

void CNativeImage::copyTo(CNativeImage& target) const
{
    if (!m_created || !target.m_created)
        return;
    BitBlt(target.m_memoryContext, 0, 0, m_size.getWidth(), m_size.getHeight(), m_memoryContext, 0, 0, SRCCOPY);
}

void CNativeImage::copyFrom(const CNativeImage& source) { source.copyTo(*this); }

void CNativeImage::alphaBlendTo(CNativeImage& target, const CRect& source, const CRect& destination,
                                double alpha) const
{
    if (!m_created || !target.m_created)
        return;
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, constantAlphaByte(alpha), AC_SRC_ALPHA};
    AlphaBlend(target.m_memoryContext, destination.getLeft(), destination.getTop(), destination.getWidth(),
               destination.getHeight(), m_memoryContext, source.getLeft(), source.getTop(), source.getWidth(),
               source.getHeight(), blend);
}

unsigned char CNativeImage::constantAlphaByte(double alpha)
{
    // Unclamped, 1.5 would wrap round to a half-transparent byte.
    if (!(alpha > 0.0))
        return 0;
    if (alpha >= 1.0)
        return 255;
    return static_cast<unsigned char>(alpha * 255.0);
}
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
