#include "gui/controls/CXYPad.hpp"

#include "gui/controls/UnitRange.hpp"

#include "foundation/collections/TCountedPointerArray.hpp"
#include "foundation/collections/TCountedSwap.hpp"
#include "gui/core/CActionEvent.hpp"
#include "gui/core/CBrush.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CCursor.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CImageManager.hpp"
#include "gui/core/CMouse.hpp"
#include "gui/core/CMouseEvent.hpp"
#include "gui/core/CPen.hpp"
#include "gui/core/IActionListener.hpp"
#include "gui/core/IControlRoot.hpp"
#include "gui/core/IImage.hpp"

#include <algorithm>

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CString;
using ::Brivant::Collections::swapCounted;
using ::Brivant::MathTools::CPoint;
using ::Brivant::MathTools::CRect;
using Basics::CAlphaColour;
using Graphics::CImageManager;
using Graphics::IImage;

namespace
{
const char kOffImage[] = "Off Image";
const char kOverImage[] = "Over Image";
const char kDownImage[] = "Down Image";
const char kOffColour[] = "Off Colour";
const char kOverColour[] = "Over Colour";
const char kDownColour[] = "Down Colour";

// At least 0, but the upper bound wins when it is below 0.
long clampedTo(long value, long upper) { return std::min(std::max(value, 0L), upper); }
} // namespace

CXYPad::CXYPad(IControlRoot* root, long id, const CRect& area, Listeners::IActionListener* listener)
    : CControl(root, id, area, listener), m_puck(0, 0, area.getWidth() / 10, area.getHeight() / 10),
      m_grabOffset(0, 0), m_state(kOff), m_dragging(false), m_verticalTravel(0.0), m_horizontalTravel(0.0),
      m_xValue(1.0), m_yValue(0.0), m_offImage(nullptr), m_overImage(nullptr), m_downImage(nullptr),
      m_offColour(CAlphaColour::purple()), m_overColour(CAlphaColour::orange()), m_downColour(CAlphaColour::red())
{
    computeTravels();
    // The puck starts where the values it reports put it.
    placeHorizontally(m_xValue);
    placeVertically(m_yValue);
}

CXYPad::~CXYPad()
{
    swapCounted(m_offImage, nullptr);
    swapCounted(m_overImage, nullptr);
    swapCounted(m_downImage, nullptr);
}

void CXYPad::computeTravels()
{
    m_horizontalTravel = static_cast<double>(getArea().getWidth() - m_puck.getWidth());
    m_verticalTravel = static_cast<double>(getArea().getHeight() - m_puck.getHeight());
}

void CXYPad::readHorizontalValue()
{
    m_xValue = m_horizontalTravel > 0.0 ? m_puck.getLeft() / m_horizontalTravel : 0.0;
}

void CXYPad::readVerticalValue()
{
    m_yValue = m_verticalTravel > 0.0 ? 1.0 - m_puck.getTop() / m_verticalTravel : 1.0;
}

void CXYPad::placeHorizontally(double x)
{
    m_xValue = x;
    m_puck.setLeft(static_cast<long>(x * m_horizontalTravel));
}

void CXYPad::placeVertically(double y)
{
    m_yValue = y;
    m_puck.setTop(static_cast<long>((1.0 - y) * m_verticalTravel));
}

void CXYPad::setXValue(double x)
{
    if (x < 0.0 || x > 1.0)
        return;
    // NaN passes the range test; it counts as 0.
    placeHorizontally(heldToUnitRange(x));
    update();
}

void CXYPad::setYValue(double y)
{
    if (y < 0.0 || y > 1.0)
        return;
    placeVertically(heldToUnitRange(y));
    update();
}

void CXYPad::setImages(IImage* off, IImage* over, IImage* down)
{
    swapCounted(m_offImage, off);
    swapCounted(m_overImage, over);
    swapCounted(m_downImage, down);
    if (off == nullptr)
        return;
    m_puck.setDimension(off->getImageSize());
    computeTravels();
}

void CXYPad::setColours(const CAlphaColour& frame, const CAlphaColour& background, const CAlphaColour& off,
                        const CAlphaColour& over, const CAlphaColour& down)
{
    setDefaultControlColours(background, frame);
    m_offColour = off;
    m_overColour = over;
    m_downColour = down;
}

void CXYPad::checkMouseOver(const CPoint& point)
{
    if (isOverPuck(point))
    {
        m_state = kOver;
        getControlRoot()->lockControl(this);
    }
    else
    {
        m_state = kOff;
        releaseLock();
    }
}

bool CXYPad::isOverPuck(const CPoint& point) const
{
    return point.getX() >= m_puck.getLeft() && point.getX() <= m_puck.getRight() &&
           point.getY() >= m_puck.getTop() && point.getY() <= m_puck.getBottom();
}

void CXYPad::releaseLock()
{
    // Never another control's lock: a pad that is not locked receives movement only when nothing is.
    if (getControlRoot()->getLockedControl() == this)
        getControlRoot()->unlockControl();
}

void CXYPad::notifyListener()
{
    if (Listeners::IActionListener* listener = getActionListener())
        listener->handleActionEvent(Events::CActionEvent(this));
}

void CXYPad::setArea(const CRect& area)
{
    CControl::setArea(area);
    computeTravels();
}

void CXYPad::handleLeftButtonDown(Events::CMouseEvent& event)
{
    getControlRoot()->lockControl(this);
    const CPoint& pointer = event.getMousePosition();
    const long width = m_puck.getWidth();
    const long height = m_puck.getHeight();
    if (event.isShiftDown())
        m_puck.setTop(pointer.getY() - height / 2);
    else if (event.isCtrlDown())
        m_puck.setLeft(pointer.getX() - width / 2);
    else
        m_puck.setRect(pointer.getX() - width / 2, pointer.getY() - height / 2, width, height);
    if (m_puck.getRight() > getArea().getWidth())
        m_puck.setLeft(getArea().getWidth() - width);
    if (m_puck.getBottom() > getArea().getHeight())
        m_puck.setTop(getArea().getHeight() - height);
    if (m_puck.getTop() < 0)
        m_puck.setTop(0);
    if (m_puck.getLeft() < 0)
        m_puck.setLeft(0);
    m_grabOffset = CPoint(pointer.getX() - m_puck.getLeft(), pointer.getY() - m_puck.getTop());
    m_state = kDown;
    m_dragging = true;
    readVerticalValue();
    readHorizontalValue();
    notifyListener();
    update();
}

void CXYPad::handleMouseMovement(Events::CMouseEvent& event)
{
    const CPoint& pointer = event.getMousePosition();
    if (!m_dragging)
    {
        checkMouseOver(pointer);
        update();
        return;
    }
    const bool vertical = !event.isCtrlDown() || event.isShiftDown();
    const bool horizontal = !event.isShiftDown();
    if (vertical)
    {
        m_puck.setTop(clampedTo(pointer.getY() - m_grabOffset.getY(), getArea().getHeight() - m_puck.getHeight()));
        readVerticalValue();
    }
    if (horizontal)
    {
        m_puck.setLeft(clampedTo(pointer.getX() - m_grabOffset.getX(), getArea().getWidth() - m_puck.getWidth()));
        readHorizontalValue();
    }
    notifyListener();
    update();
}

void CXYPad::handleLeftButtonUp(Events::CMouseEvent& event)
{
    if (isOverPuck(event.getMousePosition()))
    {
        // The lock stays until the pointer leaves the puck.
        m_state = kOver;
    }
    else
    {
        releaseLock();
        m_state = kOff;
    }
    m_dragging = false;
    m_grabOffset = CPoint(0, 0);
    if (Windowing::CMouse* mouse = event.getMouse())
        mouse->setCursor(&Windowing::CCursor::arrowCursor());
    update();
}

void CXYPad::handleDoubleClick(Events::CMouseEvent& /*event*/)
{
    setXValue(0.5);
    setYValue(0.5);
    update();
}

bool CXYPad::drawBackground(Graphics::CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
        return false;
    drawPrimaryImage(graphics, isDefaultDrawing());
    return true;
}

void CXYPad::drawPuck(Graphics::CGraphics& graphics)
{
    graphics.getMutablePen().setColour(CAlphaColour::black());
    IImage* const pictures[] = {m_offImage, m_overImage, m_downImage};
    IImage* picture = pictures[m_state] != nullptr ? pictures[m_state] : m_offImage;
    if (picture != nullptr)
    {
        graphics.drawImage(picture, m_puck, picture->getImageArea());
        return;
    }
    const CAlphaColour* const colours[] = {&m_offColour, &m_overColour, &m_downColour};
    graphics.getMutableBrush().setColour(*colours[m_state]);
    graphics.fillRectangle(m_puck);
    graphics.drawRectangle(m_puck);
}

void CXYPad::drawControl(Graphics::CGraphics& graphics)
{
    if (drawBackground(graphics))
        drawPuck(graphics);
}

void CXYPad::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list)
{
    CControl::getDescriptors(list);
    for (const char* name : {kOffImage, kOverImage, kDownImage})
        list.addElement(new CControlDescriptor(CString(name), CControlDescriptor::kImage, nullptr));
    for (const char* name : {kOffColour, kOverColour, kDownColour})
        list.addElement(new CControlDescriptor(CString(name), CControlDescriptor::kColour, nullptr));
}

bool CXYPad::applyDescriptor(const CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == kOffImage || name == kOverImage || name == kDownImage)
    {
        if (!descriptor.isValueOfClass(CString::classRecord()))
            return false;
        IImage* image = CImageManager::getImage(*dynamic_cast<const CString*>(descriptor.getValue()));
        if (name == kOffImage)
            setImages(image, m_overImage, m_downImage);
        else if (name == kOverImage)
            setImages(m_offImage, image, m_downImage);
        else
            setImages(m_offImage, m_overImage, image);
        return true;
    }
    if (name == kOffColour || name == kOverColour || name == kDownColour)
    {
        if (!descriptor.isValueOfClass(CAlphaColour::classRecord()))
            return false;
        const auto& colour = *dynamic_cast<const CAlphaColour*>(descriptor.getValue());
        setColours(getFrameColour(), getBackgroundColour(), name == kOffColour ? colour : m_offColour,
                   name == kOverColour ? colour : m_overColour, name == kDownColour ? colour : m_downColour);
        return true;
    }
    return CControl::applyDescriptor(descriptor);
}

bool CXYPad::fillDescriptor(CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == kOffImage)
        descriptor.setValue(new CString(CImageManager::getReferenceName(m_offImage)));
    else if (name == kOverImage)
        descriptor.setValue(new CString(CImageManager::getReferenceName(m_overImage)));
    else if (name == kDownImage)
        descriptor.setValue(new CString(CImageManager::getReferenceName(m_downImage)));
    else if (name == kOffColour)
        descriptor.setValue(new CAlphaColour(m_offColour));
    else if (name == kOverColour)
        descriptor.setValue(new CAlphaColour(m_overColour));
    else if (name == kDownColour)
        descriptor.setValue(new CAlphaColour(m_downColour));
    else
        return CControl::fillDescriptor(descriptor);
    return true;
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
