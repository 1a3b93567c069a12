#include "CScreenshot.hpp"

#include <windows.h>
#include <gdiplus.h>

#include <cwchar>
#include <vector>

namespace
{
namespace Gp = ::Gdiplus;
namespace Flat = ::Gdiplus::DllExports;

// A 24-bit top-down DIB section: a PNG of the window has no use for an alpha channel.
class CCapturedBitmap
{
public:
    CCapturedBitmap(HDC screen, int width, int height) : m_memory(CreateCompatibleDC(screen))
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (m_memory != nullptr && m_bitmap != nullptr)
            m_previous = SelectObject(m_memory, m_bitmap);
    }

    ~CCapturedBitmap()
    {
        if (m_previous != nullptr)
            SelectObject(m_memory, m_previous);
        if (m_bitmap != nullptr)
            DeleteObject(m_bitmap);
        if (m_memory != nullptr)
            DeleteDC(m_memory);
    }

    CCapturedBitmap(const CCapturedBitmap&) = delete;
    CCapturedBitmap& operator=(const CCapturedBitmap&) = delete;

    bool isReady() const { return m_previous != nullptr; }
    HDC dc() const { return m_memory; }
    // GDI+ copies the pixels from a bitmap that no device context holds; this object still deletes it.
    HBITMAP deselect()
    {
        SelectObject(m_memory, m_previous);
        m_previous = nullptr;
        return m_bitmap;
    }

private:
    HDC m_memory;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
};

// GDI+ for the encoding only, with the bitmap it made disposed before it stops.
class CEncoder
{
public:
    CEncoder()
    {
        Gp::GdiplusStartupInput input;
        m_started = Gp::GdiplusStartup(&m_token, &input, nullptr) == Gp::Ok;
    }

    ~CEncoder()
    {
        if (m_picture != nullptr)
            Flat::GdipDisposeImage(m_picture);
        if (m_started)
            Gp::GdiplusShutdown(m_token);
    }

    CEncoder(const CEncoder&) = delete;
    CEncoder& operator=(const CEncoder&) = delete;

    bool isStarted() const { return m_started; }

    // The installed encoder whose MIME type is image/png.
    bool findPngEncoder(CLSID& encoder) const
    {
        UINT count = 0;
        UINT size = 0;
        if (Flat::GdipGetImageEncodersSize(&count, &size) != Gp::Ok || count == 0 ||
            size < count * sizeof(Gp::ImageCodecInfo))
            return false;
        // The records come first and the texts they point to after them, all in the one buffer.
        std::vector<Gp::ImageCodecInfo> codecs((size + sizeof(Gp::ImageCodecInfo) - 1) /
                                               sizeof(Gp::ImageCodecInfo));
        if (Flat::GdipGetImageEncoders(count, size, codecs.data()) != Gp::Ok)
            return false;
        for (UINT index = 0; index < count; ++index)
        {
            if (codecs[index].MimeType != nullptr && std::wcscmp(codecs[index].MimeType, L"image/png") == 0)
            {
                encoder = codecs[index].Clsid;
                return true;
            }
        }
        return false;
    }

    bool save(HBITMAP bitmap, const std::vector<wchar_t>& path, const CLSID& encoder)
    {
        if (Flat::GdipCreateBitmapFromHBITMAP(bitmap, nullptr, &m_picture) != Gp::Ok || m_picture == nullptr)
            return false;
        return Flat::GdipSaveImageToFile(m_picture, path.data(), &encoder, nullptr) == Gp::Ok;
    }

private:
    ULONG_PTR m_token = 0;
    bool m_started = false;
    Gp::GpBitmap* m_picture = nullptr;
};

std::vector<wchar_t> toWide(const std::string& text)
{
    const int needed = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::vector<wchar_t> wide(static_cast<size_t>(needed > 0 ? needed : 0));
    if (needed <= 1 || MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), needed) != needed)
        wide.clear();
    return wide;
}
} // namespace

bool CScreenshot::saveClientArea(HWND window, const std::string& path, std::string& error)
{
    RECT client = {};
    if (window == nullptr || !GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0)
    {
        error = "the window to capture has no client area";
        return false;
    }
    const std::vector<wchar_t> widePath = toWide(path);
    if (widePath.empty())
    {
        error = "cannot use '" + path + "' as a file name";
        return false;
    }

    // Children are not clipped away: the editor is a child of the captured window.
    HDC screen = GetDCEx(window, nullptr, DCX_CACHE);
    if (screen == nullptr)
    {
        error = "cannot get the window's device context";
        return false;
    }
    CCapturedBitmap captured(screen, client.right, client.bottom);
    const bool copied =
        captured.isReady() && BitBlt(captured.dc(), 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
    ReleaseDC(window, screen);
    if (!copied)
    {
        error = "cannot copy the window's client area into a bitmap";
        return false;
    }
    GdiFlush();

    CEncoder encoder;
    CLSID pngEncoder = {};
    if (!encoder.isStarted() || !encoder.findPngEncoder(pngEncoder))
    {
        error = "GDI+ offers no PNG encoder";
        return false;
    }
    if (!encoder.save(captured.deselect(), widePath, pngEncoder))
    {
        error = "cannot write '" + path + "'";
        return false;
    }
    return true;
}
