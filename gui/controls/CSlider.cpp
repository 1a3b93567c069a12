#include "gui/controls/CSlider.hpp"

#include "foundation/collections/TCountedPointerArray.hpp"
#include "foundation/collections/TCountedSwap.hpp"
#include "gui/core/CActionEvent.hpp"
#include "gui/core/CBrush.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CImageManager.hpp"
#include "gui/core/CMouseEvent.hpp"
#include "gui/core/CPen.hpp"
#include "gui/core/IActionListener.hpp"
#include "gui/core/IControlRoot.hpp"
#include "gui/core/IImage.hpp"
#include "gui/core/TPropertyNames.hpp"

#include <algorithm>

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
using Basics::CAlphaColour;
using Events::CMouseEvent;
using Graphics::CGraphics;
using Graphics::CImageManager;
using Graphics::IImage;

namespace
{
const char* const kImageProperties[] = {"Handle Image", "Handle Over Image", "Handle Down Image",
                                        "Handle Disabled Image"};
const char* const kColourProperties[] = {"Handle Colour", "Handle Over Colour", "Handle Down Colour"};
} // namespace

CSlider::CSlider(IControlRoot* root, long id, const CRect& area, Listeners::IActionListener* listener)
    : CControl(root, id, area, listener), m_handleImage(nullptr), m_handleOverImage(nullptr),
      m_handleDownImage(nullptr), m_handleDisabledImage(nullptr), m_handleArea(0, 0, 0, 0), m_dragReference(0, 0),
      m_handleState(kNormal), m_vertical(true), m_dragging(false), m_travel(0.0),
      m_handleColour(CAlphaColour::purple()), m_handleOverColour(CAlphaColour::orange()),
      m_handleDownColour(CAlphaColour::red())
{
    setDefaultDrawing(true);
    layoutHandle();
}

CSlider::~CSlider()
{
    swapCounted(m_handleImage, nullptr);
    swapCounted(m_handleOverImage, nullptr);
    swapCounted(m_handleDownImage, nullptr);
    swapCounted(m_handleDisabledImage, nullptr);
}

void CSlider::layoutHandle()
{
    const CRect& area = getArea();
    m_vertical = area.getHeight() >= area.getWidth();
    if (m_vertical)
        m_handleArea.setRect(0, 0, area.getWidth(), area.getHeight() / 3);
    else
        m_handleArea.setRect(0, 0, area.getWidth() / 3, area.getHeight());
    m_travel = static_cast<double>(getTrackLength() - getHandleLength());
}

long CSlider::getTrackLength() const { return m_vertical ? getArea().getHeight() : getArea().getWidth(); }

long CSlider::getHandleLength() const { return m_vertical ? m_handleArea.getHeight() : m_handleArea.getWidth(); }

long CSlider::getHandlePosition() const { return m_vertical ? m_handleArea.getTop() : m_handleArea.getLeft(); }

void CSlider::setHandlePosition(long position)
{
    if (m_vertical)
        m_handleArea.setTop(position);
    else
        m_handleArea.setLeft(position);
}

void CSlider::setHandleLength(long length)
{
    if (m_vertical)
        m_handleArea.setHeight(length);
    else
        m_handleArea.setWidth(length);
}

long CSlider::clampPosition(long position) const
{
    // A handle that fills the track (or more) has nowhere to go: it stays at the start.
    if (m_travel <= 0.0)
        return 0;
    return std::min(getTrackLength() - getHandleLength(), std::max(position, 0L));
}

bool CSlider::isInHandle(const CPoint& point) const
{
    return point.getX() >= m_handleArea.getLeft() && point.getX() <= m_handleArea.getRight() &&
           point.getY() >= m_handleArea.getTop() && point.getY() <= m_handleArea.getBottom();
}

void CSlider::setValue(double value)
{
    if (!(value >= 0.0 && value <= 1.0))
        return;
    CControl::setValue(value);
    setHandlePosition(m_travel > 0.0 ? static_cast<long>(value * m_travel) : 0);
    update();
}

void CSlider::setArea(const CRect& area)
{
    const bool sameSize = area.getWidth() == getArea().getWidth() && area.getHeight() == getArea().getHeight();
    CControl::setArea(area);
    // Panels move their children's areas whenever they move or scroll; that must not disturb the handle.
    if (sameSize)
        return;
    layoutHandle();
    setValue(getValue());
}

void CSlider::moveHandleTo(long position)
{
    setHandlePosition(position);
    // The top (or left) end reads 1; a handle that cannot move reads 1 wherever it is.
    CControl::setValue(m_travel > 0.0 ? 1.0 - static_cast<double>(position) / m_travel : 1.0);
    if (Listeners::IActionListener* listener = getActionListener())
        listener->handleActionEvent(Events::CActionEvent(this));
}

void CSlider::moveHandleByWheel(CMouseEvent& event, long step)
{
    const long distance = event.getWheelValue() < 0.0 ? step : -step;
    moveHandleTo(clampPosition(getHandlePosition() + distance));
    // A drag keeps its lock through a notch, or its release would land elsewhere and leave it dragging.
    if (!m_dragging)
        updateHoverState(event.getMousePosition());
    update();
}

void CSlider::handleLeftButtonDown(CMouseEvent& event)
{
    const CPoint point(event.getMousePosition());
    if (!isInHandle(point))
    {
        const long centre = m_vertical ? point.getY() : point.getX();
        const long length = getHandleLength();
        moveHandleTo(std::max(0L, std::min(getTrackLength(), centre + length / 2) - length));
    }
    getControlRoot()->lockControl(this);
    m_dragReference = CPoint(point.getX() - m_handleArea.getLeft(), point.getY() - m_handleArea.getTop());
    m_dragging = true;
    m_handleState = kDown;
    update();
}

void CSlider::handleLeftButtonUp(CMouseEvent& event)
{
    if (isInHandle(event.getMousePosition()))
    {
        m_handleState = kOver;
    }
    else
    {
        getControlRoot()->unlockControl();
        m_handleState = kNormal;
    }
    m_dragging = false;
    m_dragReference = CPoint(0, 0);
    update();
}

void CSlider::handleMouseMovement(CMouseEvent& event)
{
    const CPoint point(event.getMousePosition());
    if (m_dragging)
    {
        const long along = m_vertical ? point.getY() : point.getX();
        // Above or left of the control the handle stays where it was.
        if (along < 0)
            return;
        const long grab = m_vertical ? m_dragReference.getY() : m_dragReference.getX();
        moveHandleTo(clampPosition(along - grab));
    }
    else
    {
        updateHoverState(point);
    }
    update();
}

void CSlider::handleMouseScroll(CMouseEvent& event) { moveHandleByWheel(event, event.isShiftDown() ? 1 : 5); }

void CSlider::handleMouseLeavingArea(CMouseEvent& /*event*/)
{
    if (m_dragging)
        return;
    m_handleState = kNormal;
    update();
}

void CSlider::updateHoverState(const CPoint& point)
{
    if (isInHandle(point))
    {
        m_handleState = kOver;
        getControlRoot()->lockControl(this);
    }
    else
    {
        m_handleState = kNormal;
        getControlRoot()->unlockControl();
    }
}

void CSlider::setHandleImages(IImage* normal, IImage* over, IImage* down, IImage* disabled)
{
    if (normal != nullptr)
    {
        swapCounted(m_handleImage, normal);
        m_handleArea.setRect(0, 0, normal->getImageSize().getWidth(), normal->getImageSize().getHeight());
        m_travel = static_cast<double>(getTrackLength() - getHandleLength());
    }
    swapCounted(m_handleOverImage, over);
    swapCounted(m_handleDownImage, down);
    swapCounted(m_handleDisabledImage, disabled);
}

void CSlider::setSliderColours(CAlphaColour frame, CAlphaColour background, CAlphaColour handle, CAlphaColour over,
                               CAlphaColour down)
{
    setDefaultControlColours(background, frame);
    m_handleColour = handle;
    m_handleOverColour = over;
    m_handleDownColour = down;
}

bool CSlider::drawEnabledControl(CGraphics& graphics)
{
    if (isEnabled())
        return true;
    if (IImage* disabled = getDisabledImage())
        graphics.drawImage(disabled, getNormalisedArea(), disabled->getImageArea());
    if (m_handleDisabledImage != nullptr)
        graphics.drawImage(m_handleDisabledImage, m_handleArea, m_handleDisabledImage->getImageArea());
    return false;
}

void CSlider::drawControl(CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
        return;
    drawPrimaryImage(graphics, isDefaultDrawing());
    drawHandle(graphics);
}

void CSlider::drawHandle(CGraphics& graphics)
{
    IImage* image = nullptr;
    const CAlphaColour* colour = nullptr;
    switch (m_handleState)
    {
    case kNormal:
        image = m_handleImage;
        colour = &m_handleColour;
        break;
    case kOver:
        image = m_handleOverImage;
        colour = &m_handleOverColour;
        break;
    case kDown:
        image = m_handleDownImage;
        colour = &m_handleDownColour;
        break;
    default:
        return;
    }
    if (image != nullptr)
    {
        graphics.drawImage(image, m_handleArea, image->getImageArea());
        return;
    }
    CRect face(m_handleArea);
    face.inset(2);
    graphics.getMutableBrush().setColour(*colour);
    graphics.fillRectangle(face);
    graphics.getMutablePen().setColour(CAlphaColour::black());
    graphics.drawRectangle(face);
}

void CSlider::getDescriptors(TCountedPointerArray<CControlDescriptor>& list)
{
    CControl::getDescriptors(list);
    for (const char* name : kImageProperties)
        list.addElement(new CControlDescriptor(CString(name), CControlDescriptor::kImage, nullptr));
    for (const char* name : kColourProperties)
        list.addElement(new CControlDescriptor(CString(name), CControlDescriptor::kColour, nullptr));
}

bool CSlider::applyDescriptor(const CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    IImage** images[] = {&m_handleImage, &m_handleOverImage, &m_handleDownImage, &m_handleDisabledImage};
    CAlphaColour* colours[] = {&m_handleColour, &m_handleOverColour, &m_handleDownColour};
    const long image = indexOfName(name, kImageProperties);
    if (image >= 0)
    {
        if (!descriptor.isValueOfClass(CString::classRecord()))
            return false;
        // The handle keeps its size: only setHandleImages sizes it by the image.
        swapCounted(*images[image], CImageManager::getImage(*dynamic_cast<const CString*>(descriptor.getValue())));
        return true;
    }
    const long colour = indexOfName(name, kColourProperties);
    if (colour >= 0)
    {
        if (!descriptor.isValueOfClass(CAlphaColour::classRecord()))
            return false;
        *colours[colour] = *dynamic_cast<const CAlphaColour*>(descriptor.getValue());
        return true;
    }
    return CControl::applyDescriptor(descriptor);
}

bool CSlider::fillDescriptor(CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    const IImage* images[] = {m_handleImage, m_handleOverImage, m_handleDownImage, m_handleDisabledImage};
    const CAlphaColour* colours[] = {&m_handleColour, &m_handleOverColour, &m_handleDownColour};
    const long image = indexOfName(name, kImageProperties);
    if (image >= 0)
    {
        descriptor.setValue(new CString(CImageManager::getReferenceName(images[image])));
        return true;
    }
    const long colour = indexOfName(name, kColourProperties);
    if (colour >= 0)
    {
        descriptor.setValue(new CAlphaColour(*colours[colour]));
        return true;
    }
    return CControl::fillDescriptor(descriptor);
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
