// The library's two entry points: the loader's attach and detach handler, and `main` for the host.
#include "vst/CPluginEntry.hpp"

#include <windows.h>

using Brivant::Vst::CPluginEntry;

// g++ will not take a `main` that answers a pointer, so the export is renamed to `main` in the .def file.
extern "C" AEffect* VolturaPluginMain(audioMasterCallback audioMaster) VST_ENTRY_ALIGN;

extern "C" AEffect* VolturaPluginMain(audioMasterCallback audioMaster)
{
    return CPluginEntry::createEffect(audioMaster, Brivant::Vst::theEdition(), CPluginEntry::showLoadFailure);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/)
{
    // The loader must never see an exception; the handler reports success whatever happens.
    try
    {
        if (reason == DLL_PROCESS_ATTACH)
            CPluginEntry::attach(Brivant::Vst::theEdition(), module);
        else if (reason == DLL_PROCESS_DETACH)
            CPluginEntry::detach();
    }
    catch (...)
    {
    }
    return TRUE;
}
