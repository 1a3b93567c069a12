// A library built like a deliverable (same entry, same attach and detach) that lets tests read its
// application record from outside.
#include "foundation/basics/CString.hpp"
#include "foundation/basics/CSystemString.hpp"
#include "foundation/host/CApplication.hpp"
#include "gui/core/CPNGImage.hpp"
#include "vst/CPluginEntry.hpp"

using Brivant::Basics::CString;
using Brivant::Basics::CSystemString;
using Brivant::GUI::Graphics::CPNGImage;
using Brivant::Host::CApplication;

namespace
{
AudioEffect* buildNoEffect(audioMasterCallback) { return nullptr; }

const CString* probedText(int which)
{
    switch (which)
    {
    case 0:
        return CApplication::getCompanyName();
    case 1:
        return CApplication::getProductName();
    case 2:
        return CApplication::getDescriptionString();
    case 3:
        return CApplication::getVersionString();
    case 4:
        return CApplication::getRegistryKey();
    case 5:
        return CApplication::getNoticeString();
    case 6:
        return CApplication::getApplicationPath();
    default:
        return nullptr;
    }
}
} // namespace

const Brivant::Vst::CEditionDescription& Brivant::Vst::theEdition()
{
    static const CEditionDescription edition = {"Probe Edition", "Software\\SQA\\Probe", buildNoEffect};
    return edition;
}

// Texts 0 to 6: company, product, description, version, registry key, notice, application path. Copies the
// text cut to size; false for another index or a missing text.
extern "C" __declspec(dllexport) bool probeApplicationText(int which, char* out, long size)
{
    const CString* text = probedText(which);
    if (text == nullptr)
        return false;
    text->getString(out, size);
    return true;
}

// What the loader's detach does, so the record after it can be read before the library goes.
extern "C" __declspec(dllexport) void probeDetach() { Brivant::Vst::CPluginEntry::detach(); }

// Whether the PNG file of that name loads from the Resources folder beside the library, as an editor's do.
extern "C" __declspec(dllexport) bool probeLoadsImage(const char* name)
{
    CSystemString path(*CApplication::getApplicationPath());
    path.appendPath(CString("Resources"));
    path.appendPath(CString(name));
    return CPNGImage().loadFromFile(path);
}
