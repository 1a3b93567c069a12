#include "gui/core/CControl.hpp"

#include "foundation/basics/CBool.hpp"
#include "foundation/basics/CLong.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "foundation/collections/TCountedSwap.hpp"
#include "foundation/exceptions/CException.hpp"
#include "foundation/io/CXMLAttribute.hpp"
#include "foundation/io/CXMLNode.hpp"
#include "foundation/mathtools/CPoint.hpp"
#include "gui/core/CBrush.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CImageManager.hpp"
#include "gui/core/CPen.hpp"
#include "gui/core/IControlRoot.hpp"
#include "gui/core/IImage.hpp"

#include <cstdlib>

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CBool;
using ::Brivant::Basics::CLong;
using ::Brivant::Basics::CString;
using ::Brivant::Collections::TCountedPointerArray;
using ::Brivant::Collections::swapCounted;
using ::Brivant::Exceptions::CException;
using ::Brivant::IO::CXMLNode;
using ::Brivant::MathTools::CPoint;
using ::Brivant::MathTools::CRect;
using Basics::CAlphaColour;
using Graphics::CGraphics;
using Graphics::CImageManager;
using Graphics::IImage;

namespace
{
const char kNumberOfDescriptors[] = "number_of_descriptors";
const char kDescriptorElement[] = "descriptor";

// The properties every control has, in the order they are listed and written.
struct SProperty
{
    const char* name;
    long type;
};
const SProperty kProperties[] = {
    {"Control Name", CControlDescriptor::kString},      {"Control ID", CControlDescriptor::kInteger},
    {"Mouse Enabled", CControlDescriptor::kBoolean},    {"Keyboard Enabled", CControlDescriptor::kBoolean},
    {"Drop File Enabled", CControlDescriptor::kBoolean}, {"Is Enabled", CControlDescriptor::kBoolean},
    {"Default Drawing", CControlDescriptor::kBoolean},  {"Area", CControlDescriptor::kRect},
    {"Primary Image", CControlDescriptor::kImage},      {"Disabled Image", CControlDescriptor::kImage},
    {"Frame Colour", CControlDescriptor::kColour},      {"Background Colour", CControlDescriptor::kColour}};

const CString* stringValue(const CControlDescriptor& descriptor)
{
    return descriptor.isValueOfClass(CString::classRecord()) ? dynamic_cast<const CString*>(descriptor.getValue())
                                                              : nullptr;
}

const CBool* boolValue(const CControlDescriptor& descriptor)
{
    return descriptor.isValueOfClass(CBool::classRecord()) ? dynamic_cast<const CBool*>(descriptor.getValue())
                                                            : nullptr;
}
} // namespace

CControl::CControl(IControlRoot* root, long id, const CRect& area, Listeners::IActionListener* listener)
    : m_referenceCount(0), m_actionListener(listener), m_root(nullptr), m_parent(nullptr), m_mouseEnabled(true),
      m_keyboardEnabled(false), m_dropFileEnabled(false), m_auxiliaryFlag(false), m_enabled(true),
      m_defaultDrawing(false), m_notSaved(false), m_name("Control"), m_id(id), m_value(1.0), m_area(area),
      m_size(area.getWidth(), area.getHeight()), m_absoluteArea(area),
      m_normalisedArea(0, 0, area.getWidth(), area.getHeight()), m_primaryImage(nullptr), m_disabledImage(nullptr),
      m_frameColour(0, 0, 0, 255), m_backgroundColour(255, 255, 255, 255)
{
    setControlRoot(root);
    setArea(area);
}

CControl::~CControl()
{
    swapCounted(m_primaryImage, nullptr);
    swapCounted(m_disabledImage, nullptr);
}

void CControl::referenced() { ++m_referenceCount; }

void CControl::dereference()
{
    if (--m_referenceCount < 1)
        delete this;
}

long CControl::getReferenceCount() const { return m_referenceCount; }

void CControl::getObjectDescription(char* text, long size) const { CString("Control").getString(text, size); }

void CControl::setControlRoot(IControlRoot* root)
{
    if (root == nullptr)
        throw CException(CString("Control root is null"), CString("CControl::setControlRoot(IControlRoot *)"), true);
    m_root = root;
}

void CControl::setAuxiliaryOption(long /*option*/) {}

bool CControl::queryAuxiliaryOption(long /*option*/) const { return false; }

void CControl::setArea(const CRect& area)
{
    m_area = area;
    m_normalisedArea.setRect(0, 0, area.getWidth(), area.getHeight());
    CPoint origin(0, 0);
    m_root->getControlWindowPosition(this, origin);
    m_absoluteArea.setRect(origin.getX(), origin.getY(), area.getWidth(), area.getHeight());
    m_size.setDimension(area.getWidth(), area.getHeight());
}

void CControl::update() { m_root->updateControl(this); }

void CControl::drawControl(CGraphics& /*graphics*/) {}

void CControl::setPrimaryImage(IImage* image) { swapCounted(m_primaryImage, image); }

void CControl::setDisabledImage(IImage* image) { swapCounted(m_disabledImage, image); }

void CControl::setDefaultControlColours(const CAlphaColour& background, const CAlphaColour& frame)
{
    m_backgroundColour = background;
    m_frameColour = frame;
}

void CControl::handleLeftButtonDown(Events::CMouseEvent& /*event*/) {}
void CControl::handleLeftButtonUp(Events::CMouseEvent& /*event*/) {}
void CControl::handleRightButtonDown(Events::CMouseEvent& /*event*/) {}
void CControl::handleRightButtonUp(Events::CMouseEvent& /*event*/) {}
void CControl::handleDoubleClick(Events::CMouseEvent& /*event*/) {}
void CControl::handleMouseScroll(Events::CMouseEvent& /*event*/) {}
void CControl::handleMouseMovement(Events::CMouseEvent& /*event*/) {}
void CControl::handleMouseLeavingArea(Events::CMouseEvent& /*event*/) {}
bool CControl::handleKeyDown(const Events::CKeyboardEvent& /*event*/) { return false; }
bool CControl::handleKeyUp(const Events::CKeyboardEvent& /*event*/) { return false; }
void CControl::handleFileDrop(const Events::CDropEvent& /*event*/) {}

bool CControl::drawEnabledControl(CGraphics& graphics)
{
    if (m_enabled)
        return true;
    if (m_disabledImage != nullptr)
        graphics.drawImage(m_disabledImage, m_normalisedArea, m_disabledImage->getImageArea());
    return false;
}

void CControl::drawPrimaryImage(CGraphics& graphics, bool drawDefault)
{
    if (drawPrimaryImageIfPresent(graphics) || !drawDefault)
        return;
    graphics.getMutableBrush().setColour(m_backgroundColour);
    graphics.fillRectangle(m_normalisedArea);
    graphics.getMutablePen().setColour(m_frameColour);
    graphics.drawRectangle(m_normalisedArea);
}

bool CControl::drawPrimaryImageIfPresent(CGraphics& graphics)
{
    if (m_primaryImage == nullptr)
        return false;
    graphics.drawImage(m_primaryImage, m_normalisedArea, m_primaryImage->getImageArea());
    return true;
}

void CControl::getDescriptors(TCountedPointerArray<CControlDescriptor>& list)
{
    for (const SProperty& property : kProperties)
        list.addElement(new CControlDescriptor(CString(property.name), property.type, nullptr));
}

bool CControl::applyDescriptor(const CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == "Control Name" || name == "Primary Image" || name == "Disabled Image")
    {
        const CString* text = stringValue(descriptor);
        if (text == nullptr)
            return false;
        if (name == "Control Name")
            setControlName(*text);
        else if (name == "Primary Image")
            setPrimaryImage(CImageManager::getImage(*text));
        else
            setDisabledImage(CImageManager::getImage(*text));
        return true;
    }
    if (name == "Control ID")
    {
        if (!descriptor.isValueOfClass(CLong::classRecord()))
            return false;
        setControlId(dynamic_cast<const CLong*>(descriptor.getValue())->getValue());
        return true;
    }
    if (name == "Mouse Enabled" || name == "Keyboard Enabled" || name == "Drop File Enabled" ||
        name == "Is Enabled" || name == "Default Drawing")
    {
        const CBool* flag = boolValue(descriptor);
        if (flag == nullptr)
            return false;
        const bool value = flag->getValue();
        if (name == "Mouse Enabled")
            setMouseEnabled(value);
        else if (name == "Keyboard Enabled")
            setKeyboardEnabled(value);
        else if (name == "Drop File Enabled")
            setDropFileEnabled(value);
        else if (name == "Default Drawing")
            setDefaultDrawing(value);
        else if (value)
            enable();
        else
            disable();
        return true;
    }
    if (name == "Area")
    {
        if (!descriptor.isValueOfClass(CRect::classRecord()))
            return false;
        setArea(*dynamic_cast<const CRect*>(descriptor.getValue()));
        return true;
    }
    if (name == "Frame Colour" || name == "Background Colour")
    {
        if (!descriptor.isValueOfClass(CAlphaColour::classRecord()))
            return false;
        const auto& colour = *dynamic_cast<const CAlphaColour*>(descriptor.getValue());
        if (name == "Frame Colour")
            setDefaultControlColours(m_backgroundColour, colour);
        else
            setDefaultControlColours(colour, m_frameColour);
        return true;
    }
    return false;
}

bool CControl::fillDescriptor(CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == "Control Name")
        descriptor.setValue(new CString(m_name));
    else if (name == "Control ID")
        descriptor.setValue(new CLong(m_id));
    else if (name == "Mouse Enabled")
        descriptor.setValue(new CBool(m_mouseEnabled));
    else if (name == "Keyboard Enabled")
        descriptor.setValue(new CBool(m_keyboardEnabled));
    else if (name == "Drop File Enabled")
        descriptor.setValue(new CBool(m_dropFileEnabled));
    else if (name == "Is Enabled")
        descriptor.setValue(new CBool(m_enabled));
    else if (name == "Default Drawing")
        descriptor.setValue(new CBool(m_defaultDrawing));
    else if (name == "Area")
        descriptor.setValue(new CRect(m_area));
    else if (name == "Primary Image")
        descriptor.setValue(new CString(CImageManager::getReferenceName(m_primaryImage)));
    else if (name == "Disabled Image")
        descriptor.setValue(new CString(CImageManager::getReferenceName(m_disabledImage)));
    else if (name == "Frame Colour")
        descriptor.setValue(new CAlphaColour(m_frameColour));
    else if (name == "Background Colour")
        descriptor.setValue(new CAlphaColour(m_backgroundColour));
    else
        return false;
    return true;
}

bool CControl::writeToXmlNode(CXMLNode* node)
{
    if (node == nullptr)
        return false;
    TCountedPointerArray<CControlDescriptor> list;
    getDescriptors(list);
    list.reorderArray(true);
    node->addAttribute(new IO::CXMLAttribute(CString(kNumberOfDescriptors), list.getInsertIndex()));
    bool written = true;
    for (long index = 0; index < list.getInsertIndex(); ++index)
    {
        CControlDescriptor* descriptor = list.getElementAt(index);
        fillDescriptor(*descriptor);
        CXMLNode* child = node->addChildNode(CString(kDescriptorElement));
        if (written)
            written = descriptor->writeToXmlNode(child);
    }
    return written;
}

bool CControl::readFromXmlNode(CXMLNode* node)
{
    if (node == nullptr)
        return false;
    const IO::CXMLAttribute* declared = node->getAttribute(CString(kNumberOfDescriptors));
    if (declared == nullptr)
        return false;
    bool applied = true;
    long found = 0;
    for (long index = 0; index < node->getNumberOfChildNodes(); ++index)
    {
        CXMLNode* child = node->getChildNode(index);
        if (child == nullptr || !child->getNodeName().equals(kDescriptorElement))
            continue;
        ++found;
        CControlDescriptor descriptor;
        if (!descriptor.readFromXmlNode(child))
            return false;
        if (!applyDescriptor(descriptor))
            applied = false;
    }
    return applied && found == std::strtol(declared->getValue().getString(), nullptr, 10);
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
