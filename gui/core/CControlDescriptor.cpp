#include "gui/core/CControlDescriptor.hpp"

#include "foundation/basics/CBool.hpp"
#include "foundation/basics/CFloat.hpp"
#include "foundation/basics/CLong.hpp"
#include "foundation/collections/TCountedSwap.hpp"
#include "foundation/io/CXMLAttribute.hpp"
#include "foundation/io/CXMLNode.hpp"
#include "foundation/mathtools/CRect.hpp"
#include "gui/core/CAlphaColour.hpp"
#include "gui/core/CFont.hpp"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CBool;
using ::Brivant::Basics::CClass;
using ::Brivant::Basics::CFloat;
using ::Brivant::Basics::CLong;
using ::Brivant::Basics::CString;
using ::Brivant::Basics::ICountedObject;
using ::Brivant::Collections::swapCounted;
using ::Brivant::IO::CXMLAttribute;
using ::Brivant::IO::CXMLNode;
using ::Brivant::MathTools::CRect;
using Basics::CAlphaColour;
using Fonts::CFont;

namespace
{
const char* const kKindWords[] = {"rect", "image", "colour", "boolean", "integer", "float", "string", "selection",
                                  "font"};
constexpr long kNumberOfKinds = static_cast<long>(sizeof(kKindWords) / sizeof(kKindWords[0]));

const char kTypeAttribute[] = "type";
const char kNameAttribute[] = "name";
const char kObjectAttribute[] = "object";
const char kFontElement[] = "Font";

// strtol saturates where atol would overflow; layout files come from anywhere.
long readLong(const CString& text) { return std::strtol(text.getString(), nullptr, 10); }

// The class each kind's value must have; null for the selection, which needs none to be written.
const CClass* valueClassOf(long type)
{
    switch (type)
    {
    case CControlDescriptor::kRect:
        return &CRect::classRecord();
    case CControlDescriptor::kImage:
    case CControlDescriptor::kString:
        return &CString::classRecord();
    case CControlDescriptor::kColour:
        return &CAlphaColour::classRecord();
    case CControlDescriptor::kBoolean:
        return &CBool::classRecord();
    case CControlDescriptor::kInteger:
        return &CLong::classRecord();
    case CControlDescriptor::kFloat:
        return &CFloat::classRecord();
    case CControlDescriptor::kFont:
        return &CFont::classRecord();
    default:
        return nullptr;
    }
}

// The "object" attribute of a value already known to be of the kind's class.
CXMLAttribute* objectAttribute(long type, const ICountedObject* value, long selectedIndex)
{
    const CString name(kObjectAttribute);
    switch (type)
    {
    case CControlDescriptor::kRect:
        return new CXMLAttribute(name, CRect::toString(*dynamic_cast<const CRect*>(value)));
    case CControlDescriptor::kImage:
    case CControlDescriptor::kString:
        return new CXMLAttribute(name, *dynamic_cast<const CString*>(value));
    case CControlDescriptor::kColour:
        return new CXMLAttribute(name, CAlphaColour::toString(*dynamic_cast<const CAlphaColour*>(value)));
    case CControlDescriptor::kBoolean:
        return new CXMLAttribute(name, dynamic_cast<const CBool*>(value)->getValue());
    case CControlDescriptor::kInteger:
        return new CXMLAttribute(name, dynamic_cast<const CLong*>(value)->getValue());
    case CControlDescriptor::kFloat:
        return new CXMLAttribute(name, dynamic_cast<const CFloat*>(value)->getValue());
    case CControlDescriptor::kSelection:
        return new CXMLAttribute(name, selectedIndex);
    default:
        return new CXMLAttribute(name, CFont::toString(*dynamic_cast<const CFont*>(value)));
    }
}

// A new value for the kind from the "object" text, or null when the text or the node cannot give one.
ICountedObject* readValue(long type, const CString& text, CXMLNode& node)
{
    switch (type)
    {
    case CControlDescriptor::kRect:
        return new CRect(CRect::fromString(text));
    case CControlDescriptor::kImage:
    case CControlDescriptor::kString:
        return new CString(text);
    case CControlDescriptor::kColour:
        return new CAlphaColour(CAlphaColour::fromString(text));
    case CControlDescriptor::kBoolean:
        return new CBool(text.equals("True"));
    case CControlDescriptor::kInteger:
        return new CLong(readLong(text));
    case CControlDescriptor::kFloat:
    {
        // A float that is not finite, or does not fit one, would poison every value computed from it.
        const double value = std::strtod(text.getString(), nullptr);
        if (!std::isfinite(value) || std::fabs(value) > FLT_MAX)
            return nullptr;
        return new CFloat(static_cast<float>(value));
    }
    case CControlDescriptor::kFont:
    {
        CXMLNode* fontNode = node.getChildNode(CString(kFontElement));
        if (fontNode == nullptr)
            return nullptr;
        std::unique_ptr<CFont> font(new CFont());
        if (!font->readFromXMLNode(fontNode))
            return nullptr;
        return font.release();
    }
    default:
        return nullptr;
    }
}
} // namespace

CControlDescriptor::CControlDescriptor() : m_name("Empty"), m_type(kInteger), m_value(nullptr), m_selectedIndex(-1)
{
}

CControlDescriptor::CControlDescriptor(const CString& name, long type, ICountedObject* value)
    : m_name(name), m_type(type), m_value(nullptr), m_selectedIndex(-1)
{
    setValue(value);
}

CControlDescriptor::~CControlDescriptor() { setValue(nullptr); }

void CControlDescriptor::getObjectDescription(char* /*text*/, long /*size*/) const {}

void CControlDescriptor::setDescriptorName(const CString& name) { m_name = name; }

void CControlDescriptor::setType(long type) { m_type = type; }

void CControlDescriptor::setValue(ICountedObject* value)
{
    swapCounted(m_value, value);
}

void CControlDescriptor::setSelectedIndex(long index) { m_selectedIndex = index; }

bool CControlDescriptor::isValueOfClass(const CClass& type) const
{
    return m_value != nullptr && m_value->getClass() == type;
}

const char* CControlDescriptor::getKindWord(long type)
{
    return type >= 0 && type < kNumberOfKinds ? kKindWords[type] : nullptr;
}

bool CControlDescriptor::writeToXmlNode(CXMLNode* node) const
{
    const char* word = getKindWord(m_type);
    if (node == nullptr || word == nullptr)
        return false;
    if (m_type != kSelection && !isValueOfClass(*valueClassOf(m_type)))
        return false;
    node->addAttribute(CString(kTypeAttribute), CString(word));
    node->addAttribute(CString(kNameAttribute), m_name);
    node->addAttribute(objectAttribute(m_type, m_value, m_selectedIndex));
    if (m_type == kFont)
    {
        const auto* font = dynamic_cast<const CFont*>(m_value);
        return font->writeToXMLNode(node->addChildNode(CString(kFontElement)));
    }
    return true;
}

bool CControlDescriptor::readFromXmlNode(CXMLNode* node)
{
    if (node == nullptr)
        return false;
    const CXMLAttribute* typeAttribute = node->getAttribute(CString(kTypeAttribute));
    const CXMLAttribute* nameAttribute = node->getAttribute(CString(kNameAttribute));
    const CXMLAttribute* objectAttribute = node->getAttribute(CString(kObjectAttribute));
    if (typeAttribute == nullptr || nameAttribute == nullptr || objectAttribute == nullptr)
        return false;
    long type = -1;
    for (long kind = 0; kind < kNumberOfKinds; ++kind)
    {
        if (typeAttribute->getValue().equals(kKindWords[kind]))
            type = kind;
    }
    if (type < 0)
        return false;
    if (type == kSelection)
    {
        m_selectedIndex = readLong(objectAttribute->getValue());
        setValue(nullptr);
    }
    else
    {
        ICountedObject* value = readValue(type, objectAttribute->getValue(), *node);
        if (value == nullptr)
            return false;
        setValue(value);
    }
    m_name = nameAttribute->getValue();
    m_type = type;
    return true;
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
