// One attribute of an XML element: a name and a value, both kept as text.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/basics/CString.hpp"

namespace Brivant
{
namespace IO
{
class CXMLAttribute : public Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CXMLAttribute, "CCountedObject");

public:
    // Every form stores the name trimmed at both ends with each blank turned into '_'. Texts are stored as
    // they are (a null text as the empty one), bool as "True" or "False", double and float with "%f", long
    // with "%li", int with "%d".
    CXMLAttribute(const Basics::CString& name, const Basics::CString& value);
    // Without it a text literal would take the bool form.
    CXMLAttribute(const Basics::CString& name, const char* value);
    CXMLAttribute(const Basics::CString& name, bool value);
    CXMLAttribute(const Basics::CString& name, double value);
    CXMLAttribute(const Basics::CString& name, float value);
    CXMLAttribute(const Basics::CString& name, long value);
    CXMLAttribute(const Basics::CString& name, int value);
    ~CXMLAttribute() override;

    void setName(const Basics::CString& name);
    void setValue(const Basics::CString& value);
    void setValue(const char* value);
    void setValue(bool value);
    void setValue(double value);
    void setValue(float value);
    void setValue(long value);
    void setValue(int value);

    const Basics::CString& getName() const;
    const Basics::CString& getValue() const;
    double getValueAsDouble() const;
    float getValueAsFloat() const;
    long getValueAsLong() const;
    int getValueAsInt() const;
    // True only for "True", case included.
    bool getValueAsBool() const;

private:
    Basics::CString m_name;
    Basics::CString m_value;
};
} // namespace IO
} // namespace Brivant
