#include "vst/CPluginEntry.hpp"

#include "foundation/basics/CString.hpp"
#include "foundation/host/CApplication.hpp"
#include "gui/core/CGuiResources.hpp"
#include "gui/core/CSystemDialogs.hpp"
#include "vst/AudioEffect.hpp"

#include <new>

namespace Brivant
{
namespace Vst
{
// Written at each creation, read by nothing: a debugger's way to the last effect made.
std::atomic<AudioEffect*> CPluginEntry::s_lastEffect(nullptr);

void CPluginEntry::attach(const CEditionDescription& edition, void* moduleHandle)
{
    Host::CApplication::initialiseApplication(kCompanyName, edition.productName, kDescription, kVersion,
                                              edition.registryKey, kNotice, moduleHandle);
    GUI::Windowing::CGuiResources::initialiseGuiResources();
}

void CPluginEntry::detach()
{
    Host::CApplication::uninitialiseApplication(nullptr);
    GUI::Windowing::CGuiResources::releaseGuiResources();
}

AEffect* CPluginEntry::createEffect(audioMasterCallback audioMaster, const CEditionDescription& edition,
                                    FailureReport report)
{
    if (audioMaster == nullptr)
        return nullptr;
    if (audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
        return nullptr;
    AudioEffect* effect = nullptr;
    try
    {
        effect = edition.createEffect(audioMaster);
    }
    catch (const std::bad_alloc&)
    {
        return nullptr;
    }
    catch (...)
    {
        if (report != nullptr)
            report(kLoadFailureMessage, kLoadFailureCaption);
        return nullptr;
    }
    if (effect == nullptr)
        return nullptr;
    s_lastEffect.store(effect);
    return effect->getAeffect();
}

void CPluginEntry::showLoadFailure(const char* message, const char* caption)
{
    // Runs while a failure is handled: nothing more may leave towards the host, not even a failed copy.
    try
    {
        GUI::Windowing::CSystemDialogs::notifyUser(Basics::CString(message), Basics::CString(caption), true);
    }
    catch (...)
    {
    }
}
} // namespace Vst
} // namespace Brivant
