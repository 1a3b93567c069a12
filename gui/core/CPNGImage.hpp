// A PNG picture decoded through GDI+, with its per-pixel alpha premultiplied.
#pragma once

#include "gui/core/CBaseImage.hpp"

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
class CPNGImage : public CBaseImage
{
    BRIVANT_CLASS_RECORD(CPNGImage, "CBaseImage");

public:
    CPNGImage();
    // Loads at once; a failure leaves the image unloaded with its error text.
    explicit CPNGImage(const ::Brivant::Basics::CSystemString& path);
    ~CPNGImage() override;

    long getImageType() const override { return kPNGImage; }
    // The name must end with "png", in any case. Failures: "Filename is not of PNG type" (the picture held
    // stays), "System doesnt support GDI+ which must be available to load PNG images" or "Failed to aquire
    // HBITMAP from Bitmap image" (the image is then unloaded).
    bool loadFromFile(const ::Brivant::Basics::CSystemString& path) override;

    // folder + fileName, without checking that the file exists.
    static CPNGImage* createFromFile(const ::Brivant::Basics::CSystemString& folder,
                                     const ::Brivant::Basics::CString& fileName);

private:
};
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
