// Colours with alpha: text forms, brighten and darken, and the thirteen constants, built at load.
#include "gui/core/CAlphaColour.hpp"

#include "foundation/basics/CString.hpp"
#include "foundation/basics/CStringTokeniser.hpp"

#include <cstdlib>

namespace Brivant
{
namespace GUI
{
namespace Basics
{
using ::Brivant::Basics::CClass;
using ::Brivant::Basics::CString;
using ::Brivant::Basics::CStringTokeniser;

namespace
{
// Builds both tables of constants while the library loads, the plain colours first, whatever the link order.
bool buildConstants()
{
    CColour::black();
    CColour::white();
    CColour::red();
    CColour::green();
    CColour::blue();
    CColour::yellow();
    CColour::orange();
    CColour::turquoise();
    CColour::purple();
    CColour::pink();
    CColour::lightGrey();
    CColour::darkGrey();
    CAlphaColour::transparent();
    CAlphaColour::black();
    CAlphaColour::white();
    CAlphaColour::red();
    CAlphaColour::green();
    CAlphaColour::blue();
    CAlphaColour::yellow();
    CAlphaColour::orange();
    CAlphaColour::turquoise();
    CAlphaColour::purple();
    CAlphaColour::pink();
    CAlphaColour::lightGrey();
    CAlphaColour::darkGrey();
    return true;
}

[[maybe_unused]] const bool s_constantsBuilt = buildConstants();

constexpr long kTextFields = 4;
} // namespace

CAlphaColour::CAlphaColour() : CColour(255, 255, 255), m_alpha(255) {}

CAlphaColour::CAlphaColour(long red, long green, long blue, long alpha) : CColour(red, green, blue), m_alpha(alpha)
{
}

CAlphaColour::CAlphaColour(const CAlphaColour& other) : CColour(other), m_alpha(other.m_alpha) {}

CAlphaColour::~CAlphaColour() = default;

void CAlphaColour::getObjectDescription(char* text, long size) const
{
    CString description("");
    description.setStringWithFormat("[%li,%li,%li,%li]", getRed(), getGreen(), getBlue(), m_alpha);
    description.getString(text, size);
}

void CAlphaColour::setColour(long red, long green, long blue, long alpha)
{
    CColour::setColour(red, green, blue);
    m_alpha = alpha;
}

CAlphaColour& CAlphaColour::operator=(const CAlphaColour& other)
{
    setColour(other.getRed(), other.getGreen(), other.getBlue(), other.m_alpha);
    return *this;
}

CAlphaColour& CAlphaColour::operator=(const CColour& other)
{
    setColour(other.getRed(), other.getGreen(), other.getBlue(), 255);
    return *this;
}

bool CAlphaColour::operator==(const CAlphaColour& other) const
{
    return CColour::operator==(other) && m_alpha == other.m_alpha;
}

CColour* CAlphaColour::getAsColour() const { return new CColour(getRed(), getGreen(), getBlue()); }

void CAlphaColour::copyColourTo(CColour& target) const { target.setColour(getRed(), getGreen(), getBlue()); }

void CAlphaColour::brighten() { moveHalfWayTowards(CColour::white()); }

void CAlphaColour::darken() { moveHalfWayTowards(CColour::black()); }

void CAlphaColour::moveHalfWayTowards(const CColour& target)
{
    // Wide arithmetic, so that channels far out of range cannot overflow.
    const auto halfWay = [](long channel, long targetChannel) {
        const long long v = (static_cast<long long>(targetChannel) + 1) * 128 + static_cast<long long>(channel) * 127;
        return static_cast<long>(((v >> 8) + v) >> 8);
    };
    setColour(halfWay(getRed(), target.getRed()), halfWay(getGreen(), target.getGreen()),
              halfWay(getBlue(), target.getBlue()), 255);
}

CString CAlphaColour::toString(const CAlphaColour& colour)
{
    CString text("");
    text.setStringWithFormat("%li,%li,%li,%li", colour.getRed(), colour.getGreen(), colour.getBlue(),
                             colour.m_alpha);
    return text;
}

CAlphaColour CAlphaColour::fromString(const CString& text)
{
    CStringTokeniser tokeniser(text, ',');
    if (tokeniser.getNumberOfTokens() != kTextFields)
    {
        return CAlphaColour(0, 0, 0, 0);
    }
    long fields[kTextFields] = {};
    CString token("");
    for (long& field : fields)
    {
        tokeniser.getNextToken(token);
        // strtol saturates where atol would overflow; the text comes from files, so each value is held to a byte.
        field = limitToChannel(std::strtol(token.getString(), nullptr, 10));
    }
    return CAlphaColour(fields[0], fields[1], fields[2], fields[3]);
}

const CAlphaColour& CAlphaColour::transparent()
{
    static const CAlphaColour colour(0, 0, 0, 0);
    return colour;
}

const CAlphaColour& CAlphaColour::black()
{
    static const CAlphaColour colour(0, 0, 0, 255);
    return colour;
}

const CAlphaColour& CAlphaColour::white()
{
    static const CAlphaColour colour(255, 255, 255, 255);
    return colour;
}

const CAlphaColour& CAlphaColour::red()
{
    static const CAlphaColour colour(243, 32, 32, 255);
    return colour;
}

const CAlphaColour& CAlphaColour::green()
{
    static const CAlphaColour colour(102, 200, 85, 255);
    return colour;
}

const CAlphaColour& CAlphaColour::blue()
{
    static const CAlphaColour colour(85, 86, 200, 255);
    return colour;
}

const CAlphaColour& CAlphaColour::yellow()
{
    static const CAlphaColour colour(219, 230, 49, 255);
    return colour;
}

const CAlphaColour& CAlphaColour::orange()
{
    static const CAlphaColour colour(239, 149, 41, 255);
    return colour;
}

const CAlphaColour& CAlphaColour::turquoise()
{
    static const CAlphaColour colour(116, 184, 188, 255);
    return colour;
}

const CAlphaColour& CAlphaColour::purple()
{
    static const CAlphaColour colour(153, 116, 188, 255);
    return colour;
}

const CAlphaColour& CAlphaColour::pink()
{
    static const CAlphaColour colour(226, 74, 160, 255);
    return colour;
}

const CAlphaColour& CAlphaColour::lightGrey()
{
    static const CAlphaColour colour(208, 208, 208, 255);
    return colour;
}

const CAlphaColour& CAlphaColour::darkGrey()
{
    static const CAlphaColour colour(147, 147, 147, 255);
    return colour;
}
} // namespace Basics
} // namespace GUI
} // namespace Brivant
