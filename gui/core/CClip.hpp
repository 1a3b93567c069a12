// The clip of a graphics context's off-screen surface: one rectangle in surface coordinates, applied to the
// GDI context and, when there is one, to its GDI+ Graphics, so both kinds of drawing stay inside it.
#pragma once

#include "foundation/mathtools/CRect.hpp"

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
class CNativeImage;

class CClip
{
public:
    CClip();
    virtual ~CClip();

    CClip(const CClip&) = delete;
    CClip& operator=(const CClip&) = delete;

    // The GDI+ Graphics may be null. A null target throws CException.
    void initialise(CNativeImage* target, const ::Brivant::MathTools::CRect& area, void* gdiplusGraphics);
    void uninitialise();

    // Not moved by the drawing offset. Only stored while uninitialised.
    void setClipRegion(const ::Brivant::MathTools::CRect& area);
    void getClipRegion(::Brivant::MathTools::CRect& out) const;
    // Removes the clip from the GDI context and the GDI+ Graphics alike; the rectangle last set stays the one
    // getClipRegion gives.
    void resetClipRegion();

    bool isClipSet() const { return m_clipSet; }
    bool isInitialised() const { return m_initialised; }
    const ::Brivant::MathTools::CRect& getWholeArea() const { return m_wholeArea; }

private:
    bool m_clipSet;
    ::Brivant::MathTools::CRect m_wholeArea;
    ::Brivant::MathTools::CRect m_clip;
    CNativeImage* m_target;
    bool m_initialised;
    void* m_gdiplusGraphics;
};
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
