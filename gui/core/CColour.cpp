// RGB colours: arithmetic, the Win32 conversion, the description and the twelve constants.
#include "gui/core/CColour.hpp"

#include "foundation/basics/CString.hpp"

namespace Brivant
{
namespace GUI
{
namespace Basics
{
using ::Brivant::Basics::CClass;
using ::Brivant::Basics::CString;

CColour::CColour() : CColour(255, 255, 255) {}

CColour::CColour(long red, long green, long blue) : m_red(red), m_green(green), m_blue(blue) {}

CColour::CColour(const unsigned char rgb[3]) : CColour()
{
    setFromBytes(rgb);
}

CColour::CColour(const CColour& other)
    : CCountedObject(other), m_red(other.m_red), m_green(other.m_green), m_blue(other.m_blue)
{
}

CColour::~CColour() = default;

void CColour::getObjectDescription(char* text, long size) const
{
    CString description("");
    description.setStringWithFormat("[%li,%li,%li]", m_red, m_green, m_blue);
    description.getString(text, size);
}

void CColour::setColour(long red, long green, long blue)
{
    m_red = red;
    m_green = green;
    m_blue = blue;
}

void CColour::setFromBytes(const unsigned char rgb[3])
{
    if (rgb != nullptr)
    {
        setColour(rgb[0], rgb[1], rgb[2]);
    }
}

CColour& CColour::operator=(const CColour& other)
{
    setColour(other.m_red, other.m_green, other.m_blue);
    return *this;
}

CColour& CColour::operator+=(const CColour& other)
{
    // A negative sum is held at 0, not wrapped round to full intensity.
    setColour(limitToChannel(static_cast<long long>(m_red) + other.m_red),
              limitToChannel(static_cast<long long>(m_green) + other.m_green),
              limitToChannel(static_cast<long long>(m_blue) + other.m_blue));
    return *this;
}

bool CColour::operator==(const CColour& other) const
{
    return m_red == other.m_red && m_green == other.m_green && m_blue == other.m_blue;
}

uint32_t CColour::getAsColourRef() const
{
    // Out-of-range channels would spill into the neighbouring byte or set the flag byte GDI reads.
    const uint32_t red = static_cast<uint32_t>(limitToChannel(m_red));
    const uint32_t green = static_cast<uint32_t>(limitToChannel(m_green));
    const uint32_t blue = static_cast<uint32_t>(limitToChannel(m_blue));
    return blue << 16 | green << 8 | red;
}

long CColour::limitToChannel(long long value)
{
    return value < 0 ? 0 : value > 255 ? 255 : static_cast<long>(value);
}

const CColour& CColour::black()
{
    static const CColour colour(0, 0, 0);
    return colour;
}

const CColour& CColour::white()
{
    static const CColour colour(255, 255, 255);
    return colour;
}

const CColour& CColour::red()
{
    static const CColour colour(243, 32, 32);
    return colour;
}

const CColour& CColour::green()
{
    static const CColour colour(102, 200, 85);
    return colour;
}

const CColour& CColour::blue()
{
    static const CColour colour(85, 86, 200);
    return colour;
}

const CColour& CColour::yellow()
{
    static const CColour colour(219, 230, 49);
    return colour;
}

const CColour& CColour::orange()
{
    static const CColour colour(239, 149, 41);
    return colour;
}

const CColour& CColour::turquoise()
{
    static const CColour colour(116, 184, 188);
    return colour;
}

const CColour& CColour::purple()
{
    static const CColour colour(153, 116, 188);
    return colour;
}

const CColour& CColour::pink()
{
    static const CColour colour(226, 74, 160);
    return colour;
}

const CColour& CColour::lightGrey()
{
    static const CColour colour(208, 208, 208);
    return colour;
}

const CColour& CColour::darkGrey()
{
    static const CColour colour(147, 147, 147);
    return colour;
}
} // namespace Basics
} // namespace GUI
} // namespace Brivant
