#include "foundation/mathtools/CDimension.hpp"

namespace Brivant
{
namespace MathTools
{
using Basics::CClass;

CDimension::CDimension(long width, long height) : m_width(width), m_height(height) {}

CDimension::CDimension(const CDimension& other)
    : CCountedObject(other), m_width(other.m_width), m_height(other.m_height)
{
}

CDimension::~CDimension() = default;

CDimension& CDimension::operator=(const CDimension& other)
{
    setDimension(other);
    return *this;
}

bool CDimension::operator==(const CDimension& other) const
{
    return m_width == other.m_width && m_height == other.m_height;
}

void CDimension::setDimension(long width, long height)
{
    m_width = width;
    m_height = height;
}

void CDimension::setDimension(const CDimension& other) { setDimension(other.m_width, other.m_height); }
} // namespace MathTools
} // namespace Brivant
