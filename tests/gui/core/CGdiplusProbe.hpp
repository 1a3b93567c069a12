// Watches the GDI+ calls the library makes and can make one function fail: the test program's imports are pointed
// at stand-ins that count each call and, unless told to fail it, call GDI+ itself. One probe at a time.
#pragma once

#include "tests/gui/core/CImportPatch.hpp"

#include <windows.h>
#include <gdiplus.h>

#include <array>
#include <memory>
#include <vector>

namespace VolturaTests
{
class CGdiplusProbe
{
public:
    enum EFunction
    {
        kStartup,
        kShutdown,
        kCreateBitmapFromFile,
        kCreateBitmapFromScan0,
        kCreateHBitmap,
        kGetWidth,
        kGetHeight,
        kDispose,
        kGetGraphicsContext,
        kGetDC,
        kReleaseDC,
        kFunctionCount
    };

    CGdiplusProbe()
    {
        state() = SState();
        HMODULE gdiplus = GetModuleHandleA("gdiplus.dll");
        auto install = [&](const char* name, void* standIn, void** original) {
            *original = reinterpret_cast<void*>(GetProcAddress(gdiplus, name));
            m_patches.push_back(std::make_unique<CImportPatch>("gdiplus.dll", name, standIn));
        };
        install("GdiplusStartup", reinterpret_cast<void*>(&startup), &state().startup);
        install("GdiplusShutdown", reinterpret_cast<void*>(&shutdown), &state().shutdown);
        install("GdipCreateBitmapFromFile", reinterpret_cast<void*>(&createBitmapFromFile),
                &state().createBitmapFromFile);
        install("GdipCreateBitmapFromScan0", reinterpret_cast<void*>(&createBitmapFromScan0),
                &state().createBitmapFromScan0);
        install("GdipCreateHBITMAPFromBitmap", reinterpret_cast<void*>(&createHBitmap), &state().createHBitmap);
        install("GdipGetImageWidth", reinterpret_cast<void*>(&getWidth), &state().getWidth);
        install("GdipGetImageHeight", reinterpret_cast<void*>(&getHeight), &state().getHeight);
        install("GdipDisposeImage", reinterpret_cast<void*>(&dispose), &state().dispose);
        install("GdipGetImageGraphicsContext", reinterpret_cast<void*>(&getGraphicsContext),
                &state().getGraphicsContext);
        install("GdipGetDC", reinterpret_cast<void*>(&getDC), &state().getDC);
        install("GdipReleaseDC", reinterpret_cast<void*>(&releaseDC), &state().releaseDC);
    }

    ~CGdiplusProbe() { m_patches.clear(); }

    CGdiplusProbe(const CGdiplusProbe&) = delete;
    CGdiplusProbe& operator=(const CGdiplusProbe&) = delete;

    bool isActive() const
    {
        for (const auto& patch : m_patches)
            if (!patch->isActive())
                return false;
        return true;
    }

    // From now on every call of the function answers GenericError without reaching GDI+.
    void fail(EFunction function) { state().failing[function] = true; }
    long calls(EFunction function) const { return state().calls[function]; }
    // Started minus shut down, and bitmaps made minus disposed: both 0 when nothing was left behind.
    long openSessions() const { return state().openSessions; }
    long liveBitmaps() const { return state().liveBitmaps; }

private:
    struct SState
    {
        std::array<long, kFunctionCount> calls = {};
        std::array<bool, kFunctionCount> failing = {};
        long openSessions = 0;
        long liveBitmaps = 0;
        void* startup = nullptr;
        void* shutdown = nullptr;
        void* createBitmapFromFile = nullptr;
        void* createBitmapFromScan0 = nullptr;
        void* createHBitmap = nullptr;
        void* getWidth = nullptr;
        void* getHeight = nullptr;
        void* dispose = nullptr;
        void* getGraphicsContext = nullptr;
        void* getDC = nullptr;
        void* releaseDC = nullptr;
    };

    static SState& state()
    {
        static SState s_state;
        return s_state;
    }

    // Counts the call; true when it is to fail.
    static bool failing(EFunction function)
    {
        ++state().calls[function];
        return state().failing[function];
    }

    template <class Function>
    static Function original(void* pointer)
    {
        return reinterpret_cast<Function>(pointer);
    }

    using GpStatus = Gdiplus::Status;

    static GpStatus WINAPI startup(ULONG_PTR* token, const Gdiplus::GdiplusStartupInput* input,
                                   Gdiplus::GdiplusStartupOutput* output)
    {
        if (failing(kStartup))
            return Gdiplus::GenericError;
        const GpStatus status = original<GpStatus(WINAPI*)(ULONG_PTR*, const Gdiplus::GdiplusStartupInput*,
                                                           Gdiplus::GdiplusStartupOutput*)>(state().startup)(
            token, input, output);
        if (status == Gdiplus::Ok)
            ++state().openSessions;
        return status;
    }

    static VOID WINAPI shutdown(ULONG_PTR token)
    {
        ++state().calls[kShutdown];
        --state().openSessions;
        original<VOID(WINAPI*)(ULONG_PTR)>(state().shutdown)(token);
    }

    static GpStatus WINAPI createBitmapFromFile(const WCHAR* path, Gdiplus::GpBitmap** bitmap)
    {
        if (failing(kCreateBitmapFromFile))
            return Gdiplus::GenericError;
        const GpStatus status =
            original<GpStatus(WINAPI*)(const WCHAR*, Gdiplus::GpBitmap**)>(state().createBitmapFromFile)(path, bitmap);
        if (status == Gdiplus::Ok)
            ++state().liveBitmaps;
        return status;
    }

    static GpStatus WINAPI createBitmapFromScan0(INT width, INT height, INT stride, Gdiplus::PixelFormat format,
                                                 BYTE* scan0, Gdiplus::GpBitmap** bitmap)
    {
        if (failing(kCreateBitmapFromScan0))
            return Gdiplus::GenericError;
        const GpStatus status =
            original<GpStatus(WINAPI*)(INT, INT, INT, Gdiplus::PixelFormat, BYTE*, Gdiplus::GpBitmap**)>(
                state().createBitmapFromScan0)(width, height, stride, format, scan0, bitmap);
        if (status == Gdiplus::Ok)
            ++state().liveBitmaps;
        return status;
    }

    static GpStatus WINAPI createHBitmap(Gdiplus::GpBitmap* bitmap, HBITMAP* out, Gdiplus::ARGB background)
    {
        if (failing(kCreateHBitmap))
            return Gdiplus::GenericError;
        return original<GpStatus(WINAPI*)(Gdiplus::GpBitmap*, HBITMAP*, Gdiplus::ARGB)>(state().createHBitmap)(
            bitmap, out, background);
    }

    static GpStatus WINAPI getWidth(Gdiplus::GpImage* image, UINT* width)
    {
        if (failing(kGetWidth))
            return Gdiplus::GenericError;
        return original<GpStatus(WINAPI*)(Gdiplus::GpImage*, UINT*)>(state().getWidth)(image, width);
    }

    static GpStatus WINAPI getHeight(Gdiplus::GpImage* image, UINT* height)
    {
        if (failing(kGetHeight))
            return Gdiplus::GenericError;
        return original<GpStatus(WINAPI*)(Gdiplus::GpImage*, UINT*)>(state().getHeight)(image, height);
    }

    static GpStatus WINAPI dispose(Gdiplus::GpImage* image)
    {
        ++state().calls[kDispose];
        --state().liveBitmaps;
        return original<GpStatus(WINAPI*)(Gdiplus::GpImage*)>(state().dispose)(image);
    }

    static GpStatus WINAPI getGraphicsContext(Gdiplus::GpImage* image, Gdiplus::GpGraphics** graphics)
    {
        if (failing(kGetGraphicsContext))
            return Gdiplus::GenericError;
        return original<GpStatus(WINAPI*)(Gdiplus::GpImage*, Gdiplus::GpGraphics**)>(state().getGraphicsContext)(
            image, graphics);
    }

    static GpStatus WINAPI getDC(Gdiplus::GpGraphics* graphics, HDC* dc)
    {
        if (failing(kGetDC))
            return Gdiplus::GenericError;
        return original<GpStatus(WINAPI*)(Gdiplus::GpGraphics*, HDC*)>(state().getDC)(graphics, dc);
    }

    static GpStatus WINAPI releaseDC(Gdiplus::GpGraphics* graphics, HDC dc)
    {
        ++state().calls[kReleaseDC];
        return original<GpStatus(WINAPI*)(Gdiplus::GpGraphics*, HDC)>(state().releaseDC)(graphics, dc);
    }

    std::vector<std::unique_ptr<CImportPatch>> m_patches;
};
} // namespace VolturaTests
