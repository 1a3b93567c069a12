#include "gui/core/CClip.hpp"

#include "foundation/exceptions/CException.hpp"
#include "gui/core/CNativeImage.hpp"

#include <windows.h>
#include <gdiplus.h>

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
using ::Brivant::Basics::CString;
using ::Brivant::Exceptions::CException;
using ::Brivant::MathTools::CRect;
namespace Flat = ::Gdiplus::DllExports;

namespace
{
::Gdiplus::GpGraphics* asGraphics(void* graphics) { return static_cast<::Gdiplus::GpGraphics*>(graphics); }
} // namespace

CClip::CClip()
    : m_clipSet(false), m_wholeArea(0, 0, 0, 0), m_clip(0, 0, 0, 0), m_target(nullptr), m_initialised(false),
      m_gdiplusGraphics(nullptr)
{
}

CClip::~CClip() { uninitialise(); }

void CClip::initialise(CNativeImage* target, const CRect& area, void* gdiplusGraphics)
{
    if (target == nullptr)
        throw CException(CString("Native image is NULL"), CString("Brivant::GUI::Graphics::CClip::initialise"),
                         true);
    m_target = target;
    m_gdiplusGraphics = gdiplusGraphics;
    m_wholeArea = area;
    m_clip = area;
    m_clipSet = false;
    m_initialised = true;
}

void CClip::uninitialise()
{
    resetClipRegion();
    m_target = nullptr;
    m_gdiplusGraphics = nullptr;
    m_initialised = false;
    m_clipSet = false;
}

void CClip::setClipRegion(const CRect& area)
{
    m_clip = area;
    if (m_initialised)
    {
        HRGN region = CreateRectRgn(area.getLeft(), area.getTop(), area.getRight(), area.getBottom());
        if (region != nullptr)
        {
            if (m_gdiplusGraphics != nullptr)
                Flat::GdipSetClipHrgn(asGraphics(m_gdiplusGraphics), region, ::Gdiplus::CombineModeReplace);
            // SelectClipRgn copies the region, so it can go at once.
            SelectClipRgn(m_target->getMemoryContext(), region);
            DeleteObject(region);
        }
    }
    m_clipSet = true;
}

void CClip::getClipRegion(CRect& out) const { out = m_clip; }

void CClip::resetClipRegion()
{
    if (m_clipSet && m_initialised)
    {
        // Both, as setting the clip set both: GDI drawing happens on the GDI+ path too.
        if (m_gdiplusGraphics != nullptr)
            Flat::GdipResetClip(asGraphics(m_gdiplusGraphics));
        SelectClipRgn(m_target->getMemoryContext(), nullptr);
    }
    m_clipSet = false;
}
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
