#include "gui/core/CGdiplusSession.hpp"

#include <windows.h>
#include <gdiplus.h>

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
CGdiplusSession::CGdiplusSession() : m_token(0), m_started(false)
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    m_started = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    m_token = static_cast<std::uintptr_t>(token);
}

CGdiplusSession::~CGdiplusSession()
{
    if (m_started)
        Gdiplus::GdiplusShutdown(static_cast<ULONG_PTR>(m_token));
}
std::vector<wchar_t> CGdiplusSession::toWide(const char* text)
{
    std::vector<wchar_t> wide;
    if (text == nullptr)
        return wide;
    const int needed = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (needed <= 1)
        return wide;
    wide.resize(static_cast<size_t>(needed));
    if (MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), needed) != needed)
        wide.clear();
    return wide;
}

} // namespace Graphics
} // namespace GUI
} // namespace Brivant
