#include "foundation/io/CXMLAttribute.hpp"

namespace Brivant
{
namespace IO
{
using Basics::CClass;
using Basics::CString;

CXMLAttribute::CXMLAttribute(const CString& name, const CString& value) : m_name(""), m_value(value)
{
    setName(name);
}

CXMLAttribute::CXMLAttribute(const CString& name, const char* value) : m_name(""), m_value("")
{
    setName(name);
    setValue(value);
}

CXMLAttribute::CXMLAttribute(const CString& name, bool value) : m_name(""), m_value("")
{
    setName(name);
    setValue(value);
}

CXMLAttribute::CXMLAttribute(const CString& name, double value) : m_name(""), m_value("")
{
    setName(name);
    setValue(value);
}

CXMLAttribute::CXMLAttribute(const CString& name, float value) : m_name(""), m_value("")
{
    setName(name);
    setValue(value);
}

CXMLAttribute::CXMLAttribute(const CString& name, long value) : m_name(""), m_value("")
{
    setName(name);
    setValue(value);
}

CXMLAttribute::CXMLAttribute(const CString& name, int value) : m_name(""), m_value("")
{
    setName(name);
    setValue(value);
}

CXMLAttribute::~CXMLAttribute() = default;

void CXMLAttribute::setName(const CString& name)
{
    // Worked on a copy, so a failure leaves the old name whole.
    CString stored(name);
    stored.removeTrailingAndLeadingWhiteSpace();
    stored.replaceCharWithChar(' ', '_');
    m_name = stored;
}

void CXMLAttribute::setValue(const CString& value) { m_value = value; }

void CXMLAttribute::setValue(const char* value) { m_value = value != nullptr ? value : ""; }

void CXMLAttribute::setValue(bool value) { m_value = value ? "True" : "False"; }

void CXMLAttribute::setValue(double value) { m_value.setStringWithFormat("%f", value); }

void CXMLAttribute::setValue(float value) { m_value.setStringWithFormat("%f", static_cast<double>(value)); }

void CXMLAttribute::setValue(long value) { m_value.setStringWithFormat("%li", value); }

void CXMLAttribute::setValue(int value) { m_value.setStringWithFormat("%d", value); }

const CString& CXMLAttribute::getName() const { return m_name; }

const CString& CXMLAttribute::getValue() const { return m_value; }

double CXMLAttribute::getValueAsDouble() const { return CString::toDouble(m_value); }

float CXMLAttribute::getValueAsFloat() const { return CString::toFloat(m_value); }

long CXMLAttribute::getValueAsLong() const { return CString::toLong(m_value); }

int CXMLAttribute::getValueAsInt() const { return CString::toInt(m_value); }

bool CXMLAttribute::getValueAsBool() const { return m_value.equals("True"); }
} // namespace IO
} // namespace Brivant
