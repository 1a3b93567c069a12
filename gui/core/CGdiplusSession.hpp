// GDI+ started for the life of one object. The image loaders start and stop it around each load, the RGBA image
// holds one while it is drawn into: no GDI+ state outlives the work that needed it.
#pragma once

#include <cstdint>
#include <vector>

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
class CGdiplusSession
{
public:
    CGdiplusSession();
    ~CGdiplusSession();

    CGdiplusSession(const CGdiplusSession&) = delete;
    CGdiplusSession& operator=(const CGdiplusSession&) = delete;

    bool isStarted() const { return m_started; }

    // A text in the ANSI code page as GDI+ takes it: UTF-16 with its terminator; empty for an empty text or
    // one that cannot be converted.
    static std::vector<wchar_t> toWide(const char* text);

private:
    std::uintptr_t m_token;
    bool m_started;
};
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
