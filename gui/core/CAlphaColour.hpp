// An RGB colour with an alpha channel (0 transparent .. 255 opaque), and its text form "red,green,blue,alpha"
// in which colour properties travel.
#pragma once

#include "gui/core/CColour.hpp"

namespace Brivant
{
namespace Basics
{
class CString;
}

namespace GUI
{
namespace Basics
{
class CAlphaColour : public CColour
{
    BRIVANT_CLASS_RECORD(CAlphaColour, "CColour");

public:
    // Opaque white.
    CAlphaColour();
    CAlphaColour(long red, long green, long blue, long alpha = 255);
    CAlphaColour(const CAlphaColour& other);
    ~CAlphaColour() override;

    // "[red,green,blue,alpha]".
    void getObjectDescription(char* text, long size) const override;

    // The three-channel form sets red, green and blue and leaves alpha.
    using CColour::setColour;
    virtual void setColour(long red, long green, long blue, long alpha);

    CAlphaColour& operator=(const CAlphaColour& other);
    // The colour's red, green and blue, made opaque.
    CAlphaColour& operator=(const CColour& other);
    // All four channels.
    bool operator==(const CAlphaColour& other) const;

    long getAlpha() const { return m_alpha; }

    // A new colour with the same red, green and blue; the caller owns it.
    CColour* getAsColour() const;
    // Sets the target's red, green and blue through its setColour; an alpha target keeps its alpha.
    void copyColourTo(CColour& target) const;

    // Each channel half way towards white or black; the result is opaque.
    void brighten();
    void darken();

    // "red,green,blue,alpha".
    static ::Brivant::Basics::CString toString(const CAlphaColour& colour);
    // Exactly four comma-separated numbers, each held to 0..255; any other count gives (0,0,0,0).
    static CAlphaColour fromString(const ::Brivant::Basics::CString& text);

    // Process-wide constants, built on first use; all opaque but transparent (0,0,0,0).
    static const CAlphaColour& transparent();
    static const CAlphaColour& black();
    static const CAlphaColour& white();
    static const CAlphaColour& red();
    static const CAlphaColour& green();
    static const CAlphaColour& blue();
    static const CAlphaColour& yellow();
    static const CAlphaColour& orange();
    static const CAlphaColour& turquoise();
    static const CAlphaColour& purple();
    static const CAlphaColour& pink();
    static const CAlphaColour& lightGrey();
    static const CAlphaColour& darkGrey();

private:
    // Moves each channel half way towards the target's, rounding as v / 255 with shifts.
    void moveHalfWayTowards(const CColour& target);

    long m_alpha;
};
} // namespace Basics
} // namespace GUI
} // namespace Brivant
