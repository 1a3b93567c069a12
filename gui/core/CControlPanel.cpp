#include "gui/core/CControlPanel.hpp"

#include "foundation/collections/TAutomaticPointer.hpp"
#include "foundation/io/CXMLAttribute.hpp"
#include "foundation/io/CXMLNode.hpp"
#include "gui/controls/ControlFactory.hpp"
#include "gui/core/CBrush.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CPen.hpp"
#include "gui/core/IImage.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CString;
using ::Brivant::Collections::TAutomaticPointer;
using ::Brivant::IO::CXMLAttribute;
using ::Brivant::IO::CXMLNode;
using ::Brivant::MathTools::CPoint;
using ::Brivant::MathTools::CRect;
using Events::CMouseEvent;
using Graphics::CGraphics;

namespace
{
const char kChildControlsElement[] = "child_controls";
const char kControlElement[] = "control";
const char kTypeAttribute[] = "type";
const char kNumberOfChildren[] = "number_of_children";

// The face of a disabled panel without a disabled image.
const Basics::CAlphaColour kDisabledGrey(147, 147, 147, 255);
} // namespace

CControlPanel::CControlPanel(Windowing::IWindow* window, IControlRoot* parentRoot, long id, const CRect& area,
                             Listeners::IActionListener* listener)
    : CControlRoot(window), CControl(parentRoot, id, area, listener), m_panelOption(true), m_panelColour()
{
    setDropFileEnabled(true);
}

CControlPanel::~CControlPanel() = default;

void CControlPanel::addControl(IControl* child)
{
    if (child == nullptr || isThisOrEnclosing(child))
        return;
    child->setControlRoot(this);
    child->setParentControl(this);
    CControlRoot::addControl(child);
}

void CControlPanel::lockControl(IControl* child)
{
    CControlRoot::lockControl(child);
    getControlRoot()->lockControl(this);
}

void CControlPanel::unlockControl()
{
    CControlRoot::unlockControl();
    if (getControlRoot()->getLockedControl() == this)
        getControlRoot()->unlockControl();
}

CPoint CControlPanel::getWindowOffset() const
{
    return CPoint(getAbsoluteArea().getLeft(), getAbsoluteArea().getTop());
}

IControl* CControlPanel::getInnermostControlAtPoint(const CPoint& point) const
{
    IControl* child = getControlAtPoint(point);
    if (child == nullptr)
        return const_cast<CControlPanel*>(this);
    if (child->getClass() != CControlPanel::classRecord())
        return child;
    const CRect& area = child->getArea();
    return dynamic_cast<const CControlPanel*>(child)->getInnermostControlAtPoint(
        CPoint(point.getX() - area.getLeft(), point.getY() - area.getTop()));
}

void CControlPanel::updateControl(IControl* child) { getControlRoot()->updateControl(child); }

void CControlPanel::updateArea(const CRect& area)
{
    CRect moved(area);
    moved.offset(CPoint(getArea().getLeft(), getArea().getTop()));
    getControlRoot()->updateArea(moved);
}

void CControlPanel::getPopupPosition(IControl* control, CPoint& position) const
{
    getControlRoot()->getPopupPosition(control, position);
}

void CControlPanel::getControlWindowPosition(IControl* child, CPoint& position) const
{
    if (child == nullptr)
        return;
    position.offset(child->getArea().getLeft(), child->getArea().getTop());
    getControlRoot()->getControlWindowPosition(const_cast<CControlPanel*>(this), position);
}

void CControlPanel::drawRootControl(CGraphics& graphics) { drawControl(graphics); }

void CControlPanel::handleLeftButtonDown(CMouseEvent& event) { CControlRoot::handleLeftButtonDown(event); }
void CControlPanel::handleLeftButtonUp(CMouseEvent& event) { CControlRoot::handleLeftButtonUp(event); }
void CControlPanel::handleRightButtonDown(CMouseEvent& event) { CControlRoot::handleRightButtonDown(event); }
void CControlPanel::handleRightButtonUp(CMouseEvent& event) { CControlRoot::handleRightButtonUp(event); }
void CControlPanel::handleDoubleClick(CMouseEvent& event) { CControlRoot::handleDoubleClick(event); }
void CControlPanel::handleMouseScroll(CMouseEvent& event) { CControlRoot::handleMouseScroll(event); }
void CControlPanel::handleMouseMovement(CMouseEvent& event) { CControlRoot::handleMouseMovement(event); }
void CControlPanel::handleMouseLeavingArea(CMouseEvent& event) { CControlRoot::handleMouseLeavingArea(event); }
bool CControlPanel::handleKeyDown(const Events::CKeyboardEvent& event) { return CControlRoot::handleKeyDown(event); }
bool CControlPanel::handleKeyUp(const Events::CKeyboardEvent& event) { return CControlRoot::handleKeyUp(event); }
void CControlPanel::handleFileDrop(const Events::CDropEvent& event) { CControlRoot::handleFileDrop(event); }

void CControlPanel::setArea(const CRect& area)
{
    CControl::setArea(area);
    for (long index = 0; index < getControlArraySize(); ++index)
    {
        if (IControl* child = getControl(index, true))
            child->setArea(child->getArea());
    }
}

void CControlPanel::enable()
{
    CControl::enable();
    for (long index = 0; index < getControlArraySize(); ++index)
    {
        if (IControl* child = getControl(index, true))
            child->enable();
    }
}

void CControlPanel::disable()
{
    CControl::disable();
    for (long index = 0; index < getControlArraySize(); ++index)
    {
        if (IControl* child = getControl(index, true))
            child->disable();
    }
}

void CControlPanel::drawChild(CGraphics& graphics, IControl* child, const CRect& update, const CRect& savedClip,
                              const CPoint& offset)
{
    const CRect& area = child->getArea();
    graphics.setUpdateArea(localUpdateArea(update, area));
    graphics.getClippingRegion().setClipRegion(clippedTo(savedClip, child->getAbsoluteArea()));
    graphics.setDrawingOffset(CPoint(offset.getX() + area.getLeft(), offset.getY() + area.getTop()));
    {
        const TAutomaticPointer<IControl> held(child, &Collections::TCountedObjectDeleter<IControl>::sharedPolicy());
        child->drawControl(graphics);
    }
    graphics.setDrawingOffset(offset);
    graphics.getClippingRegion().setClipRegion(savedClip);
}

void CControlPanel::drawControl(CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
        return;
    if (Graphics::IImage* background = getBackgroundImage())
        graphics.drawImage(background, getNormalisedArea(), background->getImageArea());
    else
        drawPrimaryImage(graphics, isDefaultDrawing());

    CRect savedClip(0, 0, 0, 0);
    graphics.getClippingRegion().getClipRegion(savedClip);
    const CRect update(graphics.getUpdateArea());
    const CPoint offset(graphics.getDrawingOffset());
    for (long index = 0; index < getControlArraySize(); ++index)
    {
        IControl* child = getControl(index, true);
        if (child != nullptr && meets(child->getArea(), update))
            drawChild(graphics, child, update, savedClip, offset);
    }
    IControl* modal = getModalControl();
    if (modal != nullptr && meets(modal->getArea(), update))
        drawChild(graphics, modal, update, savedClip, offset);
    graphics.setUpdateArea(update);

    if (isDefaultDrawing())
    {
        graphics.getMutablePen().setColour(getFrameColour());
        graphics.drawRectangle(getNormalisedArea());
    }
}

bool CControlPanel::drawEnabledControl(CGraphics& graphics)
{
    if (isEnabled())
        return true;
    if (Graphics::IImage* disabled = getDisabledImage())
    {
        graphics.drawImage(disabled, getNormalisedArea(), disabled->getImageArea());
    }
    else
    {
        graphics.getMutableBrush().setColour(kDisabledGrey);
        graphics.fillRectangle(getNormalisedArea());
    }
    CRect savedClip(0, 0, 0, 0);
    graphics.getClippingRegion().getClipRegion(savedClip);
    const CRect update(graphics.getUpdateArea());
    const CPoint offset(graphics.getDrawingOffset());
    for (long index = 0; index < getControlArraySize(); ++index)
    {
        IControl* child = getControl(index, true);
        if (child != nullptr && meets(child->getArea(), update))
            drawChild(graphics, child, update, savedClip, offset);
    }
    graphics.setUpdateArea(update);
    return false;
}

bool CControlPanel::writeToXmlNode(CXMLNode* node)
{
    if (node == nullptr)
        return false;
    bool result = CControl::writeToXmlNode(node);
    CXMLNode* children = node->addChildNode(CString(kChildControlsElement));
    long written = 0;
    for (long index = 0; index < getControlArraySize(); ++index)
    {
        IControl* child = getControl(index, true);
        if (child == nullptr || child->isNotSaved())
            continue;
        CXMLNode* element = children->addChildNode(CString(kControlElement));
        element->addAttribute(CString(kTypeAttribute), CString(child->getClass().getClassName()));
        if (!result)
            continue;
        if (child->writeToXmlNode(element))
            ++written;
        else
            result = false;
    }
    children->addAttribute(new CXMLAttribute(CString(kNumberOfChildren), written));
    return result;
}

bool CControlPanel::readFromXmlNode(CXMLNode* node)
{
    if (getNestingDepth() >= kMaximumNesting || !CControl::readFromXmlNode(node))
        return false;
    CXMLNode* children = node->getChildNode(CString(kChildControlsElement));
    if (children == nullptr)
        return true;
    const CXMLAttribute* declared = children->getAttribute(CString(kNumberOfChildren));
    if (declared == nullptr)
        return false;
    clearControls();
    bool result = true;
    const long count = readCount(*declared, children->getNumberOfChildNodes());
    for (long index = 0; index < count; ++index)
    {
        CXMLNode* element = children->getChildNode(index);
        const CXMLAttribute* type = element->getAttribute(CString(kTypeAttribute));
        TAutomaticPointer<IControl> child;
        if (type == nullptr || !createControl(type->getValue(), child, this))
            continue;
        if (child.getPointer()->readFromXmlNode(element))
            addControl(child.getPointer());
        else
            result = false;
    }
    return result;
}

bool CControlPanel::isThisOrEnclosing(const IControl* control) const
{
    // The whole chain out to the window's root, however deep. A second walker at twice the pace ends the walk
    // should the chain already be a ring (a root set by hand); by the time they meet it has passed every link.
    const auto enclosingOf = [](const IControl* inner) {
        return dynamic_cast<const IControl*>(inner->getControlRoot());
    };
    const IControl* slow = this;
    const IControl* fast = this;
    while (fast != nullptr)
    {
        for (int step = 0; step < 2 && fast != nullptr; ++step)
        {
            if (fast == control)
                return true;
            fast = enclosingOf(fast);
        }
        slow = enclosingOf(slow);
        if (fast == slow)
            return false;
    }
    return false;
}

long CControlPanel::getNestingDepth() const
{
    long depth = 0;
    const auto* enclosing = dynamic_cast<const IControl*>(getControlRoot());
    while (enclosing != nullptr && depth <= kMaximumNesting)
    {
        ++depth;
        enclosing = dynamic_cast<const IControl*>(enclosing->getControlRoot());
    }
    return depth;
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
