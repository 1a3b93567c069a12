#include "gui/controls/CScrollBarImages.hpp"

#include "foundation/basics/CSystemString.hpp"
#include "foundation/collections/TCountedSwap.hpp"
#include "foundation/mathtools/CDimension.hpp"
#include "foundation/mathtools/CPoint.hpp"
#include "foundation/mathtools/CRect.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CTGAImage.hpp"
#include "gui/core/IImage.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CSystemString;
using ::Brivant::Collections::swapCounted;
using ::Brivant::MathTools::CRect;
using Graphics::IImage;

namespace
{
long widthOf(const IImage* image) { return image->getImageSize().getWidth(); }
long heightOf(const IImage* image) { return image->getImageSize().getHeight(); }

// A new image from folder \ name that holds a reference of its own until the set takes one.
IImage* loadImage(const CSystemString& folder, const char* name)
{
    CSystemString path(folder);
    path += name;
    return new Graphics::CTGAImage(path);
}
} // namespace

CScrollBarImages::CScrollBarImages()
    : m_topCap(nullptr), m_endCap(nullptr), m_thumb(nullptr), m_repeat(nullptr), m_complete(false)
{
}

CScrollBarImages::~CScrollBarImages() { setScrollBarImages(nullptr, nullptr, nullptr, nullptr); }

CScrollBarImages& CScrollBarImages::operator=(const CScrollBarImages& other)
{
    if (&other != this)
        setScrollBarImages(other.m_topCap, other.m_endCap, other.m_thumb, other.m_repeat);
    return *this;
}

void CScrollBarImages::setScrollBarImages(IImage* topCap, IImage* endCap, IImage* thumb, IImage* repeat)
{
    swapCounted(m_topCap, topCap);
    swapCounted(m_endCap, endCap);
    swapCounted(m_thumb, thumb);
    swapCounted(m_repeat, repeat);
    m_complete = m_topCap != nullptr && m_endCap != nullptr && m_thumb != nullptr && m_repeat != nullptr;
}

void CScrollBarImages::loadScrollBarImages(const CSystemString& folder)
{
    IImage* loaded[] = {loadImage(folder, "ScrollBarTopCap.tga"), loadImage(folder, "ScrollBarEndCap.tga"),
                        loadImage(folder, "ScrollBarThumb.tga"), loadImage(folder, "ScrollBarRepeat.tga")};
    // Referenced here so that an image the set already held, or does not keep, is let go exactly once.
    for (IImage* image : loaded)
        image->referenced();
    setScrollBarImages(loaded[0], loaded[1], loaded[2], loaded[3]);
    for (IImage* image : loaded)
        image->dereference();
}

bool CScrollBarImages::drawScrollBarImages(Graphics::CGraphics& graphics, const CRect& area, bool vertical) const
{
    if (!m_complete)
        return false;
    CRect repeat(0, 0, 0, 0);
    CRect endCap(0, 0, widthOf(m_endCap), heightOf(m_endCap));
    CRect thumb(0, 0, widthOf(m_thumb), heightOf(m_thumb));
    if (vertical)
    {
        repeat.setRect(area.getLeft(), area.getTop() + heightOf(m_topCap), widthOf(m_repeat),
                       area.getBottom() - area.getTop() - heightOf(m_endCap) - heightOf(m_topCap));
        endCap.setOrigin(MathTools::CPoint(area.getLeft(), area.getBottom() - heightOf(m_endCap)));
        thumb.setOrigin(MathTools::CPoint(area.getLeft(), area.getCentralYPosition() - heightOf(m_thumb) / 2));
    }
    else
    {
        repeat.setRect(area.getLeft() + widthOf(m_topCap), area.getTop(),
                       area.getRight() - area.getLeft() - widthOf(m_endCap) - widthOf(m_topCap), heightOf(m_repeat));
        endCap.setOrigin(MathTools::CPoint(area.getRight() - widthOf(m_endCap), area.getTop()));
        thumb.setOrigin(MathTools::CPoint(area.getCentralXPosition() - widthOf(m_thumb) / 2, area.getTop()));
    }
    const CRect topCap(area.getLeft(), area.getTop(), widthOf(m_topCap), heightOf(m_topCap));
    graphics.drawImage(m_repeat, repeat, m_repeat->getImageArea());
    graphics.drawImage(m_topCap, topCap, m_topCap->getImageArea());
    graphics.drawImage(m_endCap, endCap, m_endCap->getImageArea());
    graphics.drawImage(m_thumb, thumb, m_thumb->getImageArea());
    return true;
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
