// The four pictures that skin one state of a scroll bar's thumb: a top cap, an end cap, the thumb's grip and a
// repeat stretched between the caps. A set draws only when all four are given.
#pragma once

#include "foundation/basics/CCountedObject.hpp"

namespace Brivant
{
namespace Basics
{
class CSystemString;
}

namespace MathTools
{
class CRect;
}

namespace GUI
{
namespace Graphics
{
class CGraphics;
class IImage;
} // namespace Graphics

namespace Controls
{
class CScrollBarImages : public ::Brivant::Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CScrollBarImages, "CCountedObject");

public:
    CScrollBarImages();
    // Releases the four images.
    ~CScrollBarImages() override;

    CScrollBarImages(const CScrollBarImages&) = delete;
    // Takes the other set's four images.
    CScrollBarImages& operator=(const CScrollBarImages& other);

    // Each image that differs is replaced (counted); null clears one.
    void setScrollBarImages(Graphics::IImage* topCap, Graphics::IImage* endCap, Graphics::IImage* thumb,
                            Graphics::IImage* repeat);
    // "ScrollBarTopCap.tga", "ScrollBarEndCap.tga", "ScrollBarThumb.tga" and "ScrollBarRepeat.tga" from the
    // folder; a file that does not load gives an image that draws nothing.
    void loadScrollBarImages(const ::Brivant::Basics::CSystemString& folder);
    bool isComplete() const { return m_complete; }

    Graphics::IImage* getTopCap() const { return m_topCap; }
    Graphics::IImage* getEndCap() const { return m_endCap; }
    Graphics::IImage* getThumb() const { return m_thumb; }
    Graphics::IImage* getRepeat() const { return m_repeat; }

    // The caps at both ends of the area in their own size, the repeat stretched between them and the grip
    // centred; false, drawing nothing, while the set is incomplete.
    bool drawScrollBarImages(Graphics::CGraphics& graphics, const ::Brivant::MathTools::CRect& area,
                             bool vertical) const;

private:
    Graphics::IImage* m_topCap;
    Graphics::IImage* m_endCap;
    Graphics::IImage* m_thumb;
    Graphics::IImage* m_repeat;
    bool m_complete;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
