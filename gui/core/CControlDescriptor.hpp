// One named, typed property of a control: how controls list, report and take their properties, and the
// "descriptor" element of a control layout. The value is a counted object whose class the kind decides.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/basics/CString.hpp"

namespace Brivant
{
namespace IO
{
class CXMLNode;
}

namespace GUI
{
namespace Controls
{
class CControlDescriptor : public ::Brivant::Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CControlDescriptor, "CCountedObject");

public:
    // The kinds and the value class each one holds.
    enum EKind : long
    {
        kRect = 0,      // CRect, written "left,top,width,height"
        kImage = 1,     // CString, the image's reference name in the image manager
        kColour = 2,    // CAlphaColour, written "red,green,blue,alpha"
        kBoolean = 3,   // CBool
        kInteger = 4,   // CLong
        kFloat = 5,     // CFloat
        kString = 6,    // CString
        kSelection = 7, // the choices as a TCountedPointerArray<CString>; the selected index is what travels
        kFont = 8       // CFont, written "name,size" with a child element "Font"
    };

    // Named "Empty", kind integer, no value, no selection.
    CControlDescriptor();
    // The value, when there is one, is referenced.
    CControlDescriptor(const ::Brivant::Basics::CString& name, long type, ::Brivant::Basics::ICountedObject* value);
    ~CControlDescriptor() override;

    CControlDescriptor(const CControlDescriptor&) = delete;
    CControlDescriptor& operator=(const CControlDescriptor&) = delete;

    // Writes nothing: the buffer is left as it was.
    void getObjectDescription(char* text, long size) const override;

    void setDescriptorName(const ::Brivant::Basics::CString& name);
    const ::Brivant::Basics::CString& getDescriptorName() const { return m_name; }
    void setType(long type);
    long getType() const { return m_type; }
    // References the new value and lets the old one go; the same value changes nothing.
    void setValue(::Brivant::Basics::ICountedObject* value);
    ::Brivant::Basics::ICountedObject* getValue() const { return m_value; }
    // The current choice of a selection property.
    void setSelectedIndex(long index);
    long getSelectedIndex() const { return m_selectedIndex; }
    // True when a value is held and its class record is exactly this one.
    bool isValueOfClass(const ::Brivant::Basics::CClass& type) const;

    // Adds "type", "name" and "object" to the node; false, writing nothing, when the value does not suit the kind.
    bool writeToXmlNode(IO::CXMLNode* node) const;
    // Takes name, kind and value from the node. On false (a missing attribute, an unknown kind word, a number that
    // is not finite, a font that does not read) the descriptor is left as it was.
    bool readFromXmlNode(IO::CXMLNode* node);

    // The XML word of a kind, or null outside the table.
    static const char* getKindWord(long type);

private:
    ::Brivant::Basics::CString m_name;
    long m_type;
    ::Brivant::Basics::ICountedObject* m_value;
    long m_selectedIndex;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
