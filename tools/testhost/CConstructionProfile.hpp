// Splits a plug-in's construction (its main call) into steps by watching the system calls it makes: GDI+ starts,
// image decoding, window classes and windows. The host patches the library's imports between LoadLibraryA and
// main, so the library itself is unchanged and exports nothing more.
#pragma once

#include <string>
#include <vector>

class CImportPatch;

class CConstructionProfile
{
public:
    // One step of one construction.
    struct SStep
    {
        // Names the same step in every run, and is printed.
        std::string name;
        double seconds;
    };

    CConstructionProfile();
    ~CConstructionProfile();
    CConstructionProfile(const CConstructionProfile&) = delete;
    CConstructionProfile& operator=(const CConstructionProfile&) = delete;

    // Patches the module's imports and starts a new record; one profile records at a time.
    void watch(void* module);
    // Puts the imports back; the record stays.
    void stopWatching();
    // The steps of the recorded construction, main having run from began to ended (steady-clock seconds):
    //   GDI+ starts and shut-downs, however many;
    //   each image: its decoding into a bitmap, its own GDI+ start apart, named with its pixel count;
    //   each window: from its framework window's start (it loads user32 to find the layered-window call) to the
    //   end of CreateWindowExA, images and GDI+ starts inside apart;
    //   the rest of main up to the end of the last of these: the editor's controls and the rest of its build;
    //   the rest of main after it.
    std::vector<SStep> steps(double began, double ended) const;

    enum ECallKind
    {
        kGdiplusStart,
        kGdiplusShutdown,
        kDecodeFile,
        kMakeBitmap,
        kLoadLibrary,
        kCreateWindow
    };
    struct SCall
    {
        ECallKind kind;
        double began;
        double ended;
        // The file decoded, the library loaded or the window class made.
        std::string text;
    };
    // Called by the patched imports.
    static void record(ECallKind kind, double began, double ended, std::string text);
    static double now();

private:
    std::vector<SCall> m_calls;
    std::vector<CImportPatch*> m_patches;
};
