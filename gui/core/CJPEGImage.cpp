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

namespace
{
[[maybe_unused]] const CClass& s_record = CJPEGImage::classRecord();
} // namespace

CClass& CJPEGImage::classRecord()
{
    static CClass record("CJPEGImage", "CBaseImage");
    return record;
}

const CClass& CJPEGImage::getClass() const { return classRecord(); }

CJPEGImage::CJPEGImage() : CBaseImage(false) {}

CJPEGImage::CJPEGImage(const CSystemString& path) : CBaseImage(false) { loadFromFile(path); }

CJPEGImage::~CJPEGImage() = default;

bool CJPEGImage::loadFromFile(const CSystemString& path)
{
    // Copied first: the path may be this image's own file name, which unloading resets.
    const CSystemString file(path);
    setFilename(file);
    if (!endsWithIgnoringCase(file, "jpg") && !endsWithIgnoringCase(file, "jpeg"))
    {
        setLastError("Filename is not of JPEG type");
        return false;
    }
    unloadImage();
    setFilename(file);
    return loadThroughGdiplus(file, "System doesnt support GDI+ which must be available to load JPEG images");
}

CJPEGImage* CJPEGImage::createFromFile(const CSystemString& folder, const CString& fileName)
{
    CSystemString path(folder);
    path.appendPath(fileName);
    return new CJPEGImage(path);
}
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
