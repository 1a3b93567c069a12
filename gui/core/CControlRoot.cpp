#include "gui/core/CControlRoot.hpp"

#include "foundation/basics/CString.hpp"
#include "foundation/basics/CSystemString.hpp"
#include "foundation/collections/TCountedSwap.hpp"
#include "foundation/collections/TTreeNode.hpp"
#include "foundation/exceptions/CException.hpp"
#include "foundation/host/CTrace.hpp"
#include "foundation/io/CXMLAttribute.hpp"
#include "foundation/io/CXMLDocument.hpp"
#include "foundation/io/CXMLNode.hpp"
#include "gui/controls/ControlFactory.hpp"
#include "gui/core/CControlPanel.hpp"
#include "gui/core/CDropEvent.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CMouse.hpp"
#include "gui/core/CWindowTools.hpp"
#include "gui/core/IImage.hpp"
#include "gui/core/IWindow.hpp"

#include <algorithm>
#include <cstdlib>

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CClass;
using ::Brivant::Basics::CString;
using ::Brivant::Basics::CSystemString;
using ::Brivant::Collections::TAutomaticPointer;
using ::Brivant::Collections::TCountedObjectDeleter;
using ::Brivant::Collections::TCountedPointerArray;
using ::Brivant::Collections::TTreeNode;
using ::Brivant::Collections::swapCounted;
using ::Brivant::Exceptions::CException;
using ::Brivant::IO::CXMLAttribute;
using ::Brivant::IO::CXMLDocument;
using ::Brivant::IO::CXMLNode;
using ::Brivant::MathTools::CPoint;
using ::Brivant::MathTools::CRect;
using Events::CMouseEvent;
using Graphics::CGraphics;
using Listeners::IKeyboardListener;
using Listeners::IMouseListener;

namespace
{
const char kControlsElement[] = "controls";
const char kControlElement[] = "control";
const char kTypeAttribute[] = "type";
const char kNumberOfControls[] = "number_of_controls";

TCountedObjectDeleter<IControl>& countedPolicy() { return TCountedObjectDeleter<IControl>::sharedPolicy(); }

// A plain control panel, as opposed to the panel classes with records of their own.
CControlPanel* asPlainPanel(IControl* control)
{
    return control != nullptr && control->getClass() == CControlPanel::classRecord()
               ? dynamic_cast<CControlPanel*>(control)
               : nullptr;
}
} // namespace

bool CControlRoot::contains(const CRect& area, const CPoint& point)
{
    return point.getX() >= area.getLeft() && point.getX() <= area.getRight() && point.getY() >= area.getTop() &&
           point.getY() <= area.getBottom();
}

bool CControlRoot::meets(const CRect& first, const CRect& second)
{
    return !(first.getRight() < second.getLeft() || first.getBottom() < second.getTop() ||
             first.getLeft() > second.getRight() || first.getTop() > second.getBottom());
}

CRect CControlRoot::clippedTo(const CRect& first, const CRect& second)
{
    const long left = std::max(first.getLeft(), second.getLeft());
    const long top = std::max(first.getTop(), second.getTop());
    const long right = std::min(first.getRight(), second.getRight());
    const long bottom = std::min(first.getBottom(), second.getBottom());
    return CRect(left, top, std::max(0L, right - left), std::max(0L, bottom - top));
}

CRect CControlRoot::localUpdateArea(const CRect& update, const CRect& area)
{
    if (area.getLeft() >= update.getLeft() && area.getTop() >= update.getTop() &&
        area.getRight() <= update.getRight() && area.getBottom() <= update.getBottom())
        return CRect(0, 0, area.getWidth(), area.getHeight());
    CRect local = clippedTo(update, area);
    local.offset(CPoint(-area.getLeft(), -area.getTop()));
    return local;
}

long CControlRoot::readCount(const CXMLAttribute& attribute, long present)
{
    const long declared = std::strtol(attribute.getValue().getString(), nullptr, 10);
    return std::max(0L, std::min(declared, present));
}

CControlRoot::CControlRoot(Windowing::IWindow* parent)
    : m_modalControl(&countedPolicy()), m_controls(), m_lockedControl(&countedPolicy()),
      m_mouseTarget(&countedPolicy()), m_backgroundImage(nullptr), m_parentWindow(nullptr),
      m_rootEvent(nullptr, CMouseEvent::kMouseMove, 0.0), m_storedPoint(0, 0), m_rootOption(false)
{
    setParentWindow(parent);
}

CControlRoot::~CControlRoot()
{
    m_lockedControl.setPointer(nullptr);
    m_modalControl.setPointer(nullptr);
    m_mouseTarget.setPointer(nullptr);
    m_controls.clearArray();
    setBackgroundImage(nullptr);
}

void CControlRoot::handleLeftButtonDown(CMouseEvent& event)
{
    routeMouseEvent(event, &IMouseListener::handleLeftButtonDown);
}

void CControlRoot::handleLeftButtonUp(CMouseEvent& event)
{
    routeMouseEvent(event, &IMouseListener::handleLeftButtonUp);
}

void CControlRoot::handleRightButtonDown(CMouseEvent& event)
{
    routeMouseEvent(event, &IMouseListener::handleRightButtonDown);
}

void CControlRoot::handleRightButtonUp(CMouseEvent& event)
{
    routeMouseEvent(event, &IMouseListener::handleRightButtonUp);
}

void CControlRoot::handleDoubleClick(CMouseEvent& event) { routeMouseEvent(event, &IMouseListener::handleDoubleClick); }

void CControlRoot::handleMouseScroll(CMouseEvent& event) { routeMouseEvent(event, &IMouseListener::handleMouseScroll); }

void CControlRoot::handleMouseMovement(CMouseEvent& event)
{
    routeMouseEvent(event, &IMouseListener::handleMouseMovement);
}

void CControlRoot::handleMouseLeavingArea(CMouseEvent& event)
{
    routeMouseEvent(event, &IMouseListener::handleMouseLeavingArea);
}

bool CControlRoot::handleKeyDown(const Events::CKeyboardEvent& event)
{
    return routeKeyEvent(event, &IKeyboardListener::handleKeyDown);
}

bool CControlRoot::handleKeyUp(const Events::CKeyboardEvent& event)
{
    return routeKeyEvent(event, &IKeyboardListener::handleKeyUp);
}

void CControlRoot::handleFileDrop(const Events::CDropEvent& event)
{
    const CPoint& point = event.getDropPoint();
    IControl* modal = getModalControl();
    if (modal != nullptr && contains(modal->getArea(), point) && modal->isDropFileEnabled())
    {
        const TAutomaticPointer<IControl> held(modal, &countedPolicy());
        modal->handleFileDrop(event);
        return;
    }
    IControl* target = getDropFileEnabledControlAtPoint(point);
    if (target == nullptr)
        return;
    Events::CDropEvent local(event);
    local.setDropPoint(CPoint(point.getX() - target->getArea().getLeft(), point.getY() - target->getArea().getTop()));
    const TAutomaticPointer<IControl> held(target, &countedPolicy());
    target->handleFileDrop(local);
}

IControl* CControlRoot::findMouseEventTarget(CMouseEvent& event)
{
    m_storedPoint = event.getMousePosition();
    IControl* modal = getModalControl();
    if (modal != nullptr)
        return contains(modal->getArea(), m_storedPoint) && modal->isMouseEnabled() ? modal : nullptr;
    if (IControl* locked = getLockedControl())
        return locked;
    return getMouseEnabledControlAtPoint(m_storedPoint);
}

void CControlRoot::rememberMouseTarget(IControl* target)
{
    m_rootEvent.setMousePosition(m_storedPoint);
    // A control that removed itself in its handler must not come back as the receiver of keys.
    m_mouseTarget.setPointer(hasControl(target) ? target : nullptr);
}

void CControlRoot::routeMouseEvent(CMouseEvent& event, TMouseHandler handler)
{
    IControl* target = findMouseEventTarget(event);
    if (target == nullptr)
        return;
    m_rootEvent.setModifiers(event.isCtrlDown(), event.isShiftDown(), event.isAltDown());
    if (handler == &IMouseListener::handleMouseScroll)
        m_rootEvent.setWheelValue(event.getWheelValue());
    const CRect& area = target->getArea();
    m_rootEvent.setMousePosition(
        CPoint(m_storedPoint.getX() - area.getLeft(), m_storedPoint.getY() - area.getTop()));
    const TAutomaticPointer<IControl> held(target, &countedPolicy());
    (target->*handler)(m_rootEvent);
    rememberMouseTarget(target);
}

bool CControlRoot::routeKeyEvent(const Events::CKeyboardEvent& event, TKeyHandler handler)
{
    IControl* modal = getModalControl();
    IControl* target = modal != nullptr ? modal : getLockedControl();
    if (target == nullptr)
        target = getMouseTargetControl();
    if (target == nullptr)
        return false;
    const TAutomaticPointer<IControl> held(target, &countedPolicy());
    const bool handled = (target->*handler)(event);
    return modal == nullptr && handled;
}

void CControlRoot::lockControl(IControl* control) { m_lockedControl.setPointer(control); }

void CControlRoot::unlockControl() { m_lockedControl.setPointer(nullptr); }

bool CControlRoot::isControlLocked() const { return m_lockedControl.getPointer() != nullptr; }

IControl* CControlRoot::getLockedControl() const { return m_lockedControl.getPointer(); }

void CControlRoot::setModalControl(IControl* control)
{
    if (control == nullptr)
        return;
    // Clearing the one already set could otherwise release the very control being set again.
    const TAutomaticPointer<IControl> held(control, &countedPolicy());
    clearModalControl();
    m_modalControl.setPointer(control);
    updateArea(control->getArea());
}

void CControlRoot::clearModalControl()
{
    IControl* modal = getModalControl();
    if (modal == nullptr)
        return;
    const CRect area(modal->getArea());
    m_modalControl.setPointer(nullptr);
    updateArea(area);
}

IControl* CControlRoot::getModalControl() const { return m_modalControl.getPointer(); }

void CControlRoot::setParentWindow(Windowing::IWindow* window)
{
    if (window == nullptr)
        throw CException(CString("Parent window is NULL"), CString("CControlRoot::CControlRoot(IWindow *)"), true);
    m_parentWindow = window;
    m_rootEvent = CMouseEvent(&window->getMousePointer(), CMouseEvent::kMouseMove, 0.0);
}

CPoint CControlRoot::getWindowOffset() const { return CPoint(0, 0); }

IControl* CControlRoot::findControlAtPoint(const CPoint& point, bool (IControl::*accepts)() const) const
{
    for (long index = 0; index < m_controls.getArraySize(); ++index)
    {
        IControl* control = m_controls.getElementAt(index);
        if (control != nullptr && contains(control->getArea(), point) &&
            (accepts == nullptr || (control->*accepts)()))
            return control;
    }
    return nullptr;
}

IControl* CControlRoot::getControlAtPoint(const CPoint& point) const { return findControlAtPoint(point, nullptr); }

IControl* CControlRoot::getInnermostControlAtPoint(const CPoint& point) const { return getControlAtPoint(point); }

IControl* CControlRoot::getMouseEnabledControlAtPoint(const CPoint& point) const
{
    return findControlAtPoint(point, &IControl::isMouseEnabled);
}

IControl* CControlRoot::getDropFileEnabledControlAtPoint(const CPoint& point) const
{
    return findControlAtPoint(point, &IControl::isDropFileEnabled);
}

IControl* CControlRoot::getKeyboardEnabledControlAtPoint(const CPoint& point) const
{
    return findControlAtPoint(point, &IControl::isKeyboardEnabled);
}

IControl* CControlRoot::findControlByName(const CString& name) const
{
    for (long index = 0; index < m_controls.getArraySize(); ++index)
    {
        IControl* control = m_controls.getElementAt(index);
        if (control == nullptr)
            continue;
        if (control->getControlName() == name)
            return control;
        if (const CControlPanel* panel = asPlainPanel(control))
        {
            if (IControl* found = panel->findControlByName(name))
                return found;
        }
    }
    return nullptr;
}

void CControlRoot::addControl(IControl* control)
{
    if (control != nullptr && !hasControl(control))
        m_controls.addElement(control);
}

void CControlRoot::removeControl(IControl* control)
{
    const long index = getControlIndex(control);
    if (index < 0)
        return;
    if (getLockedControl() == control)
        unlockControl();
    if (getModalControl() == control)
        clearModalControl();
    if (getMouseTargetControl() == control)
        m_mouseTarget.setPointer(nullptr);
    m_controls.removeElementAt(index);
}

void CControlRoot::clearControls()
{
    if (isControlLocked())
        unlockControl();
    clearModalControl();
    m_mouseTarget.setPointer(nullptr);
    m_controls.clearArray();
}

IControl* CControlRoot::getControl(long indexOrId, bool byIndex) const
{
    if (byIndex)
        return m_controls.getElementAt(indexOrId);
    for (long index = 0; index < m_controls.getArraySize(); ++index)
    {
        IControl* control = m_controls.getElementAt(index);
        if (control != nullptr && control->getControlId() == indexOrId)
            return control;
    }
    return nullptr;
}

long CControlRoot::getControlIndex(IControl* control) const
{
    // An emptied entry holds null too.
    return control != nullptr ? m_controls.getIndexOfElement(control) : -1;
}

long CControlRoot::getControlArraySize() const { return m_controls.getArraySize(); }

long CControlRoot::getInsertIndex() const { return m_controls.getInsertIndex(); }

bool CControlRoot::hasControl(IControl* control) const { return getControlIndex(control) >= 0; }

IControl* CControlRoot::getMouseTargetControl() const { return m_mouseTarget.getPointer(); }

void CControlRoot::drawOneControl(CGraphics& graphics, IControl* control, const CRect& update, const CRect& savedClip,
                                  const CPoint& offset)
{
    const CRect& absolute = control->getAbsoluteArea();
    graphics.getClippingRegion().setClipRegion(absolute);
    graphics.setDrawingOffset(CPoint(absolute.getLeft(), absolute.getTop()));
    graphics.setUpdateArea(localUpdateArea(update, absolute));
    {
        const TAutomaticPointer<IControl> held(control, &countedPolicy());
        control->drawControl(graphics);
    }
    graphics.setDrawingOffset(offset);
    graphics.getClippingRegion().setClipRegion(savedClip);
}

void CControlRoot::drawRootControl(CGraphics& graphics)
{
    const CRect update(graphics.getUpdateArea());
    const CPoint offset(graphics.getDrawingOffset());
    CRect savedClip(0, 0, 0, 0);
    graphics.getClippingRegion().getClipRegion(savedClip);
    if (m_backgroundImage != nullptr)
    {
        graphics.getClippingRegion().setClipRegion(update);
        graphics.drawImage(m_backgroundImage, update, update);
        graphics.getClippingRegion().resetClipRegion();
    }
    for (long index = 0; index < m_controls.getArraySize(); ++index)
    {
        IControl* control = m_controls.getElementAt(index);
        if (control != nullptr && meets(control->getAbsoluteArea(), update))
            drawOneControl(graphics, control, update, savedClip, offset);
    }
    IControl* modal = getModalControl();
    if (modal != nullptr && meets(modal->getAbsoluteArea(), update))
        drawOneControl(graphics, modal, update, savedClip, offset);
    graphics.setDrawingOffset(offset);
    graphics.setUpdateArea(update);
    graphics.getClippingRegion().setClipRegion(savedClip);
}

void CControlRoot::updateControlAt(long indexOrId, bool byIndex) { updateControl(getControl(indexOrId, byIndex)); }

void CControlRoot::updateControl(IControl* control)
{
    if (control != nullptr)
        m_parentWindow->redrawWindowArea(control->getAbsoluteArea());
}

void CControlRoot::updateArea(const CRect& area) { m_parentWindow->redrawWindowArea(area); }

void CControlRoot::getPopupPosition(IControl* control, CPoint& position) const
{
    if (control == nullptr)
        return;
    // A window not made yet has no place on the screen: its client area counts as being at the origin.
    CRect client(0, 0, 0, 0);
    Windowing::CWindowTools::getContentArea(m_parentWindow->getWindowHandle(), client);
    const CRect& area = control->getAbsoluteArea();
    position.setX(area.getLeft() - 1 + client.getLeft());
    position.setY(area.getTop() + area.getHeight() + client.getTop());
}

void CControlRoot::getControlWindowPosition(IControl* control, CPoint& position) const
{
    if (control != nullptr)
        position.offset(control->getArea().getLeft(), control->getArea().getTop());
}

void CControlRoot::setBackgroundImage(Graphics::IImage* image)
{
    swapCounted(m_backgroundImage, image);
}

bool CControlRoot::writeToXmlNode(CXMLNode* node)
{
    if (node == nullptr)
        return false;
    if (!node->getNodeName().equals(kControlsElement))
    {
        Host::CTrace::trace("%s", "The node name of a control root xml file must be \"controls\"");
        return false;
    }
    long written = 0;
    for (long index = 0; index < m_controls.getArraySize(); ++index)
    {
        IControl* control = m_controls.getElementAt(index);
        if (control == nullptr || control->isNotSaved())
            continue;
        CXMLNode* element = node->addChildNode(CString(kControlElement));
        element->addAttribute(CString(kTypeAttribute), CString(control->getClass().getClassName()));
        if (!control->writeToXmlNode(element))
            return false;
        ++written;
    }
    node->addAttribute(new CXMLAttribute(CString(kNumberOfControls), written));
    return true;
}

bool CControlRoot::readFromXmlNode(CXMLNode* node)
{
    if (node == nullptr || !node->getNodeName().equals(kControlsElement))
        return false;
    const CXMLAttribute* declared = node->getAttribute(CString(kNumberOfControls));
    if (declared == nullptr)
        return false;
    // Read apart first, so that a layout that fails leaves the controls as they were.
    TCountedPointerArray<IControl> read;
    const long count = readCount(*declared, node->getNumberOfChildNodes());
    for (long index = 0; index < count; ++index)
    {
        CXMLNode* element = node->getChildNode(index);
        const CXMLAttribute* type = element->getAttribute(CString(kTypeAttribute));
        if (!element->getNodeName().equals(kControlElement) || type == nullptr)
            continue;
        TAutomaticPointer<IControl> control;
        if (!createControl(type->getValue(), control, this) || !control.getPointer()->readFromXmlNode(element))
            return false;
        read.addElement(control.getPointer());
    }
    clearControls();
    for (long index = 0; index < read.getInsertIndex(); ++index)
        addControl(read.getElementAt(index));
    return true;
}

bool CControlRoot::loadFromXmlFile(const CSystemString& path)
{
    CXMLDocument document;
    if (!document.readDocument(path))
        return false;
    return CControlRoot::readFromXmlNode(document.getRootNode());
}

bool CControlRoot::saveToXmlFile(const CSystemString& path)
{
    CXMLDocument document;
    document.setRootNode(new CXMLNode(CString(kControlsElement), nullptr));
    if (!CControlRoot::writeToXmlNode(document.getRootNode()))
        return false;
    return document.writeDocument(path);
}

long CControlRoot::buildControlTree(TTreeNode<IControl>& node)
{
    for (long index = 0; index < m_controls.getArraySize(); ++index)
    {
        IControl* control = m_controls.getElementAt(index);
        if (control == nullptr)
            continue;
        auto* child = new TTreeNode<IControl>(&countedPolicy());
        node.addChild(child);
        child->getPayload().setPointer(control);
        if (CControlPanel* panel = asPlainPanel(control))
            panel->buildControlTree(*child);
    }
    return getControlArraySize();
}

IControl* CControlRoot::bindControl(const CString& name, long newId, Listeners::IActionListener* listener,
                                    const CClass& type)
{
    IControl* control = findControlByName(name);
    if (control == nullptr || control->getClass() != type)
        return nullptr;
    control->setControlId(newId);
    control->registerActionListener(listener);
    return control;
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
