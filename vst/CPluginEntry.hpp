// What each deliverable's library entry does: set the framework up at attach, build the effect for the host.
#pragma once

#include "vst/VstProtocol.hpp"

#include <atomic>

class AudioEffect;

namespace Brivant
{
namespace Vst
{
// One deliverable: its names and how its effect is made.
struct CEditionDescription
{
    const char* productName;
    const char* registryKey;
    AudioEffect* (*createEffect)(audioMasterCallback audioMaster);
};

// Defined once by each deliverable.
const CEditionDescription& theEdition();

class CPluginEntry
{
public:
    typedef void (*FailureReport)(const char* message, const char* caption);

    static constexpr const char* kCompanyName = "Selvan Quarrow Audio";
    static constexpr const char* kDescription = "Vst Compressor";
    static constexpr const char* kVersion = "1.0.3";
    static constexpr const char* kNotice = "Copyright 2026 Selvan Quarrow Audio. All rights reserved.";
    static constexpr const char* kLoadFailureMessage =
        "Caught exception in main function of Voltura. Cannot continue to load";
    static constexpr const char* kLoadFailureCaption = "Exception occurred";

    CPluginEntry() = delete;

    // The application record first, then the GUI's resources; detach tears both down in the same order.
    static void attach(const CEditionDescription& edition, void* moduleHandle);
    static void detach();

    // Asks the host its protocol version, builds one effect and answers its record; null when the host
    // does not speak VST 2 or the effect could not be built (the failure is reported first).
    static AEffect* createEffect(audioMasterCallback audioMaster, const CEditionDescription& edition,
                                 FailureReport report);

    // The failure report of the deliverables: a stop message box with no owner.
    static void showLoadFailure(const char* message, const char* caption);

private:
    // Host threads may make effects at once.
    static std::atomic<AudioEffect*> s_lastEffect;
};
} // namespace Vst
} // namespace Brivant
