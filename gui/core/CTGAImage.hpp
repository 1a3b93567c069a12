// An uncompressed 32-bit Targa picture (8 alpha bits, origin bottom left) read by our own reader; the colours
// are premultiplied by alpha as they are stored.
#pragma once

#include "gui/core/CBaseImage.hpp"

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
class CTGAImage : public CBaseImage
{
    BRIVANT_CLASS_RECORD(CTGAImage, "CBaseImage");

public:
    static constexpr long kHeaderSize = 18;

    CTGAImage();
    // Loads at once; a failure leaves the image unloaded with its error text.
    explicit CTGAImage(const ::Brivant::Basics::CSystemString& path);
    ~CTGAImage() override;

    long getImageType() const override { return kTGAImage; }
    // The name must end with "tga", in any case. The header must read whole and state id length 0, no colour
    // map, image type 2, 32 bits per pixel, descriptor 8 and a size CBaseImage::isSaneSize accepts. A pixel
    // body cut short leaves the missing pixels zero (transparent).
    bool loadFromFile(const ::Brivant::Basics::CSystemString& path) override;

    // folder + fileName, with ".tga" added unless the name already ends with "tga".
    static CTGAImage* createFromFile(const ::Brivant::Basics::CSystemString& folder,
                                     const ::Brivant::Basics::CString& fileName);

private:
    // A DIB section of the pixels in file order (bottom-up rows of B, G, R, A), premultiplied.
    bool makeBitmap(const unsigned char* pixels, long width, long height);
};
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
