#include "gui/core/CPNGImage.hpp"

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
using ::Brivant::Basics::CClass;
using ::Brivant::Basics::CString;
using ::Brivant::Basics::CSystemString;

CPNGImage::CPNGImage() : CBaseImage(true) {}

CPNGImage::CPNGImage(const CSystemString& path) : CBaseImage(true) { loadFromFile(path); }

CPNGImage::~CPNGImage() = default;

bool CPNGImage::loadFromFile(const CSystemString& path)
{
    // Copied first: the path may be this image's own file name, which unloading resets.
    const CSystemString file(path);
    return beginLoading(file, {"png"}, "Filename is not of PNG type") &&
           loadThroughGdiplus(file, "System doesnt support GDI+ which must be available to load PNG images");
}

CPNGImage* CPNGImage::createFromFile(const CSystemString& folder, const CString& fileName)
{
    return createInFolder<CPNGImage>(folder, fileName);
}
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
