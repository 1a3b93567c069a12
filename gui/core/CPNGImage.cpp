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

namespace
{
[[maybe_unused]] const CClass& s_record = CPNGImage::classRecord();
} // namespace

CClass& CPNGImage::classRecord()
{
    static CClass record("CPNGImage", "CBaseImage");
    return record;
}

const CClass& CPNGImage::getClass() const { return classRecord(); }

CPNGImage::CPNGImage() : CBaseImage(true) {}

CPNGImage::CPNGImage(const CSystemString& path) : CBaseImage(true) { loadFromFile(path); }

CPNGImage::~CPNGImage() = default;

bool CPNGImage::loadFromFile(const CSystemString& path)
{
    // Copied first: the path may be this image's own file name, which unloading resets.
    const CSystemString file(path);
    setFilename(file);
    if (!endsWithIgnoringCase(file, "png"))
    {
        setLastError("Filename is not of PNG type");
        return false;
    }
    unloadImage();
    setFilename(file);
    return loadThroughGdiplus(file, "System doesnt support GDI+ which must be available to load PNG images");
}

CPNGImage* CPNGImage::createFromFile(const CSystemString& folder, const CString& fileName)
{
    CSystemString path(folder);
    path.appendPath(fileName);
    return new CPNGImage(path);
}
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
