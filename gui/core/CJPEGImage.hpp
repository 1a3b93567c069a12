// A JPEG picture decoded through GDI+; it has no alpha, so it is copied or stretched rather than blended.
#pragma once

#include "gui/core/CBaseImage.hpp"

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
class CJPEGImage : public CBaseImage
{
    BRIVANT_CLASS_RECORD(CJPEGImage, "CBaseImage");

public:
    CJPEGImage();
    // Loads at once; a failure leaves the image unloaded with its error text.
    explicit CJPEGImage(const ::Brivant::Basics::CSystemString& path);
    ~CJPEGImage() override;

    long getImageType() const override { return kJPEGImage; }
    // The name must end with "jpg" or "jpeg", in any case. Failures: "Filename is not of JPEG type" (the picture held
    // stays), "System doesnt support GDI+ which must be available to load JPEG images" or "Failed to aquire
    // HBITMAP from Bitmap image" (the image is then unloaded).
    bool loadFromFile(const ::Brivant::Basics::CSystemString& path) override;

    // folder + fileName, without checking that the file exists.
    static CJPEGImage* createFromFile(const ::Brivant::Basics::CSystemString& folder,
                                     const ::Brivant::Basics::CString& fileName);

private:
};
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
