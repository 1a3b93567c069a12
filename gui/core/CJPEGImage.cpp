#include "gui/core/CJPEGImage.hpp"

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
using ::Brivant::Basics::CClass;
using ::Brivant::Basics::CString;
using ::Brivant::Basics::CSystemString;

CJPEGImage::CJPEGImage() : CBaseImage(false) {}

CJPEGImage::CJPEGImage(const CSystemString& path) : CBaseImage(false) { loadFromFile(path); }

CJPEGImage::~CJPEGImage() = default;

bool CJPEGImage::loadFromFile(const CSystemString& path)
{
    // Copied first: the path may be this image's own file name, which unloading resets.
    const CSystemString file(path);
    return beginLoading(file, {"jpg", "jpeg"}, "Filename is not of JPEG type") &&
           loadThroughGdiplus(file, "System doesnt support GDI+ which must be available to load JPEG images");
}

CJPEGImage* CJPEGImage::createFromFile(const CSystemString& folder, const CString& fileName)
{
    return createInFolder<CJPEGImage>(folder, fileName);
}
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
