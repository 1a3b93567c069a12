#include "CConstructionProfile.hpp"

#include "CImportPatch.hpp"

#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace
{
namespace Gp = ::Gdiplus;

// The profile the patched imports write to, and the originals they call on.
CConstructionProfile* s_recording = nullptr;
void* s_original[6] = {};

template <typename Function>
Function original(CConstructionProfile::ECallKind kind)
{
    // Through the generic function pointer type, which converts to any other without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(s_original[kind]));
}

typedef Gp::Status(WINAPI* FStartup)(ULONG_PTR*, const Gp::GdiplusStartupInput*, Gp::GdiplusStartupOutput*);
typedef VOID(WINAPI* FShutdown)(ULONG_PTR);
typedef Gp::GpStatus(WINGDIPAPI* FDecodeFile)(const WCHAR*, Gp::GpBitmap**);
typedef Gp::GpStatus(WINGDIPAPI* FMakeBitmap)(Gp::GpBitmap*, HBITMAP*, Gp::ARGB);
typedef HMODULE(WINAPI* FLoadLibrary)(LPCSTR);
typedef HWND(WINAPI* FCreateWindow)(DWORD, LPCSTR, LPCSTR, DWORD, int, int, int, int, HWND, HMENU, HINSTANCE,
                                    LPVOID);

std::string narrow(const WCHAR* text)
{
    if (text == nullptr)
        return std::string();
    char buffer[MAX_PATH * 2] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof(buffer) - 1, nullptr, nullptr);
    return buffer;
}

Gp::Status WINAPI watchedStartup(ULONG_PTR* token, const Gp::GdiplusStartupInput* input,
                                 Gp::GdiplusStartupOutput* output)
{
    const double began = CConstructionProfile::now();
    const Gp::Status status = original<FStartup>(CConstructionProfile::kGdiplusStart)(token, input, output);
    CConstructionProfile::record(CConstructionProfile::kGdiplusStart, began, CConstructionProfile::now(), "");
    return status;
}

VOID WINAPI watchedShutdown(ULONG_PTR token)
{
    const double began = CConstructionProfile::now();
    original<FShutdown>(CConstructionProfile::kGdiplusShutdown)(token);
    CConstructionProfile::record(CConstructionProfile::kGdiplusShutdown, began, CConstructionProfile::now(), "");
}

Gp::GpStatus WINGDIPAPI watchedDecodeFile(const WCHAR* file, Gp::GpBitmap** bitmap)
{
    const double began = CConstructionProfile::now();
    const Gp::GpStatus status = original<FDecodeFile>(CConstructionProfile::kDecodeFile)(file, bitmap);
    const double ended = CConstructionProfile::now();
    CConstructionProfile::record(CConstructionProfile::kDecodeFile, began, ended, narrow(file));
    return status;
}

Gp::GpStatus WINGDIPAPI watchedMakeBitmap(Gp::GpBitmap* bitmap, HBITMAP* made, Gp::ARGB background)
{
    const double began = CConstructionProfile::now();
    const Gp::GpStatus status = original<FMakeBitmap>(CConstructionProfile::kMakeBitmap)(bitmap, made, background);
    CConstructionProfile::record(CConstructionProfile::kMakeBitmap, began, CConstructionProfile::now(), "");
    return status;
}

HMODULE WINAPI watchedLoadLibrary(LPCSTR name)
{
    const double began = CConstructionProfile::now();
    HMODULE module = original<FLoadLibrary>(CConstructionProfile::kLoadLibrary)(name);
    const double ended = CConstructionProfile::now();
    CConstructionProfile::record(CConstructionProfile::kLoadLibrary, began, ended, name != nullptr ? name : "");
    return module;
}

HWND WINAPI watchedCreateWindow(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width,
                                int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID parameter)
{
    const double began = CConstructionProfile::now();
    HWND window = original<FCreateWindow>(CConstructionProfile::kCreateWindow)(
        exStyle, className, title, style, x, y, width, height, parent, menu, instance, parameter);
    const double ended = CConstructionProfile::now();
    // A class may be named by its atom, which is no text.
    const bool named = (reinterpret_cast<ULONG_PTR>(className) >> 16) != 0;
    CConstructionProfile::record(CConstructionProfile::kCreateWindow, began, ended, named ? className : "");
    return window;
}

const CImportPatch::SReplacement kWatched[] = {
    {"gdiplus.dll", "GdiplusStartup", reinterpret_cast<void*>(&watchedStartup)},
    {"gdiplus.dll", "GdiplusShutdown", reinterpret_cast<void*>(&watchedShutdown)},
    {"gdiplus.dll", "GdipCreateBitmapFromFile", reinterpret_cast<void*>(&watchedDecodeFile)},
    {"gdiplus.dll", "GdipCreateHBITMAPFromBitmap", reinterpret_cast<void*>(&watchedMakeBitmap)},
    {"kernel32.dll", "LoadLibraryA", reinterpret_cast<void*>(&watchedLoadLibrary)},
    {"user32.dll", "CreateWindowExA", reinterpret_cast<void*>(&watchedCreateWindow)},
};

bool contains(double outerBegan, double outerEnded, const CConstructionProfile::SCall& call)
{
    return call.began >= outerBegan && call.ended <= outerEnded;
}

std::string lowered(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Width times height from a PNG file's header; 0 when it is no PNG.
long long pixelCount(const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return 0;
    unsigned char header[24] = {};
    const bool read = std::fread(header, 1, sizeof(header), file) == sizeof(header);
    std::fclose(file);
    if (!read || std::memcmp(header + 12, "IHDR", 4) != 0)
        return 0;
    auto bigEndian = [](const unsigned char* bytes) {
        return static_cast<long long>(bytes[0]) << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
    };
    return bigEndian(header + 16) * bigEndian(header + 20);
}

std::string fileName(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A span of main given to one step; the GDI+ calls inside it count as GDI+ starts, not as the step.
struct SSpan
{
    double began;
    double ended;
    double gdiplusInside = 0.0;
    double imagesInside = 0.0;
};
} // namespace

CConstructionProfile::CConstructionProfile() { m_calls.reserve(512); }

CConstructionProfile::~CConstructionProfile() { stopWatching(); }

double CConstructionProfile::now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void CConstructionProfile::record(ECallKind kind, double began, double ended, std::string text)
{
    if (s_recording != nullptr)
        s_recording->m_calls.push_back({kind, began, ended, std::move(text)});
}

void CConstructionProfile::watch(void* module)
{
    stopWatching();
    m_calls.clear();
    s_recording = this;
    for (const CImportPatch::SReplacement& watched : kWatched)
    {
        auto* patch = new CImportPatch(module, watched.library, watched.function, watched.replacement);
        s_original[&watched - kWatched] = patch->original();
        m_patches.push_back(patch);
    }
}

void CConstructionProfile::stopWatching()
{
    for (CImportPatch* patch : m_patches)
        delete patch;
    m_patches.clear();
    if (s_recording == this)
        s_recording = nullptr;
}

std::vector<CConstructionProfile::SStep> CConstructionProfile::steps(double began, double ended) const
{
    std::vector<SCall> calls;
    for (const SCall& call : m_calls)
        if (call.began >= began && call.ended <= ended)
            calls.push_back(call);

    std::vector<SStep> result;
    double gdiplus = 0.0;
    long starts = 0;
    for (const SCall& call : calls)
    {
        if (call.kind == kGdiplusStart || call.kind == kGdiplusShutdown)
            gdiplus += call.ended - call.began;
        starts += call.kind == kGdiplusStart ? 1 : 0;
    }
    result.push_back({"GDI+ start and shut-down (" + std::to_string(starts) + " times)", gdiplus});

    // An image is its decoding from the GDI+ start just before it to the shut-down just after its bitmap, when
    // nothing else comes between; without them, from the decoding to the bitmap.
    std::vector<SSpan> images;
    for (size_t index = 0; index < calls.size(); ++index)
    {
        if (calls[index].kind != kDecodeFile)
            continue;
        SSpan span{calls[index].began, calls[index].ended};
        if (index > 0 && calls[index - 1].kind == kGdiplusStart)
        {
            span.began = calls[index - 1].began;
            span.gdiplusInside += calls[index - 1].ended - calls[index - 1].began;
        }
        size_t next = index + 1;
        if (next < calls.size() && calls[next].kind == kMakeBitmap)
            span.ended = calls[next++].ended;
        if (next < calls.size() && calls[next].kind == kGdiplusShutdown)
        {
            span.ended = calls[next].ended;
            span.gdiplusInside += calls[next].ended - calls[next].began;
        }
        images.push_back(span);
        const long long pixels = pixelCount(calls[index].text);
        result.push_back({"image " + fileName(calls[index].text) + " (" + std::to_string(pixels) + " px)",
                          span.ended - span.began - span.gdiplusInside});
    }

    // A framework window starts by loading user32; its step ends when CreateWindowExA returns.
    std::vector<SSpan> windows;
    long menus = 0;
    double windowStart = -1.0;
    for (const SCall& call : calls)
    {
        if (call.kind == kLoadLibrary && lowered(call.text).find("user32") != std::string::npos)
            windowStart = call.began;
        if (call.kind != kCreateWindow)
            continue;
        SSpan span{windowStart >= 0.0 ? windowStart : call.began, call.ended};
        windowStart = -1.0;
        for (const SCall& inner : calls)
            if ((inner.kind == kGdiplusStart || inner.kind == kGdiplusShutdown) && contains(span.began, span.ended, inner))
                span.gdiplusInside += inner.ended - inner.began;
        for (const SSpan& image : images)
            if (image.began >= span.began && image.ended <= span.ended)
                span.imagesInside += image.ended - image.began - image.gdiplusInside;
        // The framework names each menu window's class "Menu_" with the process and a serial number.
        const bool menu = call.text.find("Menu_") != std::string::npos;
        const std::string name = menu                       ? "menu window " + std::to_string(++menus)
                                 : span.imagesInside > 0.0 ? "about window (its picture apart)"
                                                           : "window " + call.text;
        result.push_back({name, span.ended - span.began - span.gdiplusInside - span.imagesInside});
        windows.push_back(span);
    }

    // What the steps above took of main, and where the last of them ended.
    double attributed = 0.0;
    double lastEnd = began;
    for (const SSpan& window : windows)
    {
        attributed += window.ended - window.began;
        lastEnd = std::max(lastEnd, window.ended);
    }
    auto insideWindow = [&windows](double from, double to) {
        return std::any_of(windows.begin(), windows.end(),
                           [from, to](const SSpan& window) { return from >= window.began && to <= window.ended; });
    };
    for (const SSpan& image : images)
    {
        if (!insideWindow(image.began, image.ended))
            attributed += image.ended - image.began;
        lastEnd = std::max(lastEnd, image.ended);
    }
    for (const SCall& call : calls)
    {
        if (call.kind != kGdiplusStart && call.kind != kGdiplusShutdown)
            continue;
        const bool inImage = std::any_of(images.begin(), images.end(), [&call](const SSpan& image) {
            return contains(image.began, image.ended, call);
        });
        if (!inImage && !insideWindow(call.began, call.ended))
            attributed += call.ended - call.began;
        lastEnd = std::max(lastEnd, call.ended);
    }
    result.push_back({"building the controls (the rest up to the last step above)", lastEnd - began - attributed});
    result.push_back({"after the last step above (the effect's set-up, its programs)", ended - lastEnd});
    return result;
}
