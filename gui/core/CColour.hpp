// An opaque RGB colour; every drawing colour of the toolkit is one of these or its alpha form.
// Channels are meant to lie in 0..255; only +=, reading the text form and the Win32 colour hold them there.
#pragma once

#include "foundation/basics/CCountedObject.hpp"

#include <cstdint>

namespace Brivant
{
namespace GUI
{
namespace Basics
{
class CColour : public ::Brivant::Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CColour, "CCountedObject");

public:
    // White.
    CColour();
    CColour(long red, long green, long blue);
    // Bytes 0, 1, 2 as red, green, blue; a null array leaves white.
    explicit CColour(const unsigned char rgb[3]);
    CColour(const CColour& other);
    ~CColour() override;

    // "[red,green,blue]".
    void getObjectDescription(char* text, long size) const override;

    virtual void setColour(long red, long green, long blue);
    // A null array changes nothing.
    void setFromBytes(const unsigned char rgb[3]);

    // Through the virtual setColour, so an alpha colour keeps its alpha.
    CColour& operator=(const CColour& other);
    // Channel by channel, each sum held to 0..255.
    CColour& operator+=(const CColour& other);
    // Red, green and blue only.
    bool operator==(const CColour& other) const;

    long getRed() const { return m_red; }
    long getGreen() const { return m_green; }
    long getBlue() const { return m_blue; }

    // Win32 COLORREF (blue << 16 | green << 8 | red), each channel held to 0..255 first.
    uint32_t getAsColourRef() const;

    // Process-wide constants, built on first use so that other static objects may use them while they are built.
    static const CColour& black();
    static const CColour& white();
    static const CColour& red();
    static const CColour& green();
    static const CColour& blue();
    static const CColour& yellow();
    static const CColour& orange();
    static const CColour& turquoise();
    static const CColour& purple();
    static const CColour& pink();
    static const CColour& lightGrey();
    static const CColour& darkGrey();

protected:
    // Holds a channel value to 0..255.
    static long limitToChannel(long long value);

private:
    long m_red;
    long m_green;
    long m_blue;
};
} // namespace Basics
} // namespace GUI
} // namespace Brivant
