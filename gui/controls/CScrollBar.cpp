#include "gui/controls/CScrollBar.hpp"

#include "foundation/collections/TCountedPointerArray.hpp"
#include "foundation/collections/TCountedSwap.hpp"
#include "gui/controls/CScrollBarImages.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CImageManager.hpp"
#include "gui/core/CMouseEvent.hpp"
#include "gui/core/CScrollEvent.hpp"
#include "gui/core/IImage.hpp"
#include "gui/core/IScrollListener.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CString;
using ::Brivant::Collections::TCountedPointerArray;
using ::Brivant::Collections::swapCounted;
using ::Brivant::MathTools::CPoint;
using ::Brivant::MathTools::CRect;
using Graphics::CImageManager;
using Graphics::IImage;

namespace
{
// The image properties: one per state (normal, over, down) and part (top cap, end cap, thumb, repeat).
const char* const kStates[] = {"Normal", "Over", "Down"};
const char* const kParts[] = {"Top", "Bottom", "Thumb", "Repeat"};
constexpr long kPartCount = 4;

CString propertyName(long state, long part)
{
    CString name(kStates[state]);
    name += " ";
    name += kParts[part];
    return name;
}

// The state and part a property name stands for; false for a name that is none of them.
bool findImageProperty(const CString& name, long& state, long& part)
{
    for (state = 0; state < 3; ++state)
    {
        for (part = 0; part < kPartCount; ++part)
        {
            if (name == propertyName(state, part))
                return true;
        }
    }
    return false;
}
} // namespace

CScrollBar::CScrollBar(IControlRoot* root, long id, const CRect& area, const CRect& canvas,
                       Listeners::IScrollListener* listener)
    : CSlider(root, id, area, nullptr), m_scrollListener(listener), m_canvas(canvas), m_visibleRatio(1.0),
      m_normalImages(nullptr), m_overImages(nullptr), m_downImages(nullptr)
{
    CSlider::registerActionListener(this);
    setCanvasArea(canvas);
}

CScrollBar::~CScrollBar()
{
    swapCounted(m_normalImages, nullptr);
    swapCounted(m_overImages, nullptr);
    swapCounted(m_downImages, nullptr);
}

void CScrollBar::registerActionListener(Listeners::IActionListener* listener)
{
    CSlider::registerActionListener(listener != nullptr ? listener : this);
}

void CScrollBar::setScrollListener(Listeners::IScrollListener* listener) { m_scrollListener = listener; }

void CScrollBar::sizeThumb()
{
    const long length = getTrackLength();
    const long canvasLength = isVertical() ? m_canvas.getHeight() : m_canvas.getWidth();
    // A canvas no longer than the bar shows whole: a thumb as long as the bar, and no division by an empty canvas.
    m_visibleRatio = canvasLength > length ? static_cast<double>(length) / static_cast<double>(canvasLength) : 1.0;
    const long thumbLength = static_cast<long>(static_cast<double>(length) * m_visibleRatio);
    setHandleLength(thumbLength);
    setTravel(static_cast<double>(length - thumbLength));
}

void CScrollBar::layoutHandle()
{
    // Orientation, the thumb's origin and its side across the bar; sizeThumb gives its length.
    CSlider::layoutHandle();
    sizeThumb();
}

void CScrollBar::setCanvasArea(const CRect& canvas)
{
    m_canvas = canvas;
    sizeThumb();
    // A shorter track must not leave the thumb past its end.
    setHandlePosition(clampPosition(getHandlePosition()));
    update();
}

void CScrollBar::setScrollBarImageSets(CScrollBarImages* normal, CScrollBarImages* over, CScrollBarImages* down)
{
    swapCounted(m_normalImages, normal);
    swapCounted(m_overImages, over);
    swapCounted(m_downImages, down);
}

void CScrollBar::handleActionEvent(const Events::CActionEvent& /*event*/)
{
    if (m_scrollListener == nullptr)
        return;
    const double hidden = 1.0 - getValue();
    // A thumb that fills the track shows the whole canvas: offset 0.
    const bool still = getTravel() <= 0.0;
    if (isVertical())
    {
        const long offset = still ? 0 : static_cast<long>(hidden * (m_canvas.getHeight() - getArea().getHeight()));
        m_scrollListener->handleScrollEvent(
            Events::CScrollEvent(Events::CScrollEvent::kVertical, CRect(0, offset, 0, getHandleArea().getHeight())));
    }
    else
    {
        const long offset = still ? 0 : static_cast<long>(hidden * (m_canvas.getWidth() - getArea().getWidth()));
        m_scrollListener->handleScrollEvent(
            Events::CScrollEvent(Events::CScrollEvent::kHorizontal, CRect(offset, 0, getHandleArea().getWidth(), 0)));
    }
}

void CScrollBar::handleMouseScroll(Events::CMouseEvent& event)
{
    if (m_visibleRatio == 1.0)
        return;
    moveHandleByWheel(event, event.isShiftDown() ? 10 : 20);
}

CScrollBarImages*& CScrollBar::imageSet(long state)
{
    if (state == kOver)
        return m_overImages;
    return state == kDown ? m_downImages : m_normalImages;
}

void CScrollBar::drawControl(Graphics::CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
        return;
    drawPrimaryImage(graphics, isDefaultDrawing());
    const long state = getHandleState();
    CScrollBarImages* set = state >= kNormal && state <= kDown ? imageSet(state) : nullptr;
    if (set == nullptr || !set->isComplete())
    {
        CSlider::drawControl(graphics);
        return;
    }
    // A skin narrower than the bar is centred across it.
    CRect thumb(getHandleArea());
    const long capWidth = set->getTopCap()->getImageSize().getWidth();
    const long capHeight = set->getTopCap()->getImageSize().getHeight();
    if (isVertical() && capWidth < getArea().getWidth())
        thumb.offset(CPoint((getArea().getWidth() - capWidth) / 2, 0));
    else if (!isVertical() && capHeight < getArea().getHeight())
        thumb.offset(CPoint(0, (getArea().getHeight() - capHeight) / 2));
    set->drawScrollBarImages(graphics, thumb, isVertical());
}

void CScrollBar::getDescriptors(TCountedPointerArray<CControlDescriptor>& list)
{
    CSlider::getDescriptors(list);
    for (long state = 0; state < 3; ++state)
    {
        for (long part = 0; part < kPartCount; ++part)
            list.addElement(new CControlDescriptor(propertyName(state, part), CControlDescriptor::kImage, nullptr));
    }
}

bool CScrollBar::applyDescriptor(const CControlDescriptor& descriptor)
{
    long state = 0;
    long part = 0;
    if (!findImageProperty(descriptor.getDescriptorName(), state, part))
        return CSlider::applyDescriptor(descriptor);
    if (!descriptor.isValueOfClass(CString::classRecord()))
        return false;
    CScrollBarImages*& set = imageSet(state);
    if (set == nullptr)
        swapCounted(set, new CScrollBarImages());
    IImage* images[kPartCount] = {set->getTopCap(), set->getEndCap(), set->getThumb(), set->getRepeat()};
    images[part] = CImageManager::getImage(*dynamic_cast<const CString*>(descriptor.getValue()));
    set->setScrollBarImages(images[0], images[1], images[2], images[3]);
    return true;
}

bool CScrollBar::fillDescriptor(CControlDescriptor& descriptor)
{
    long state = 0;
    long part = 0;
    if (!findImageProperty(descriptor.getDescriptorName(), state, part))
        return CSlider::fillDescriptor(descriptor);
    const CScrollBarImages* set = imageSet(state);
    if (set == nullptr)
    {
        descriptor.setValue(new CString(" "));
        return true;
    }
    const IImage* images[kPartCount] = {set->getTopCap(), set->getEndCap(), set->getThumb(), set->getRepeat()};
    descriptor.setValue(new CString(CImageManager::getReferenceName(images[part])));
    return true;
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
