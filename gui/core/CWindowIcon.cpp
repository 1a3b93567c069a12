#include "gui/core/CWindowIcon.hpp"

#include "foundation/basics/CSystemString.hpp"
#include "foundation/host/CApplication.hpp"

#include <windows.h>
#include <shellapi.h>

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
using ::Brivant::Basics::CClass;
using ::Brivant::Basics::CSystemString;
using ::Brivant::Host::CApplication;

namespace
{
HINSTANCE moduleInstance() { return static_cast<HINSTANCE>(CApplication::getModuleHandle()); }

// ExtractIconA answers 1 for a file that is no executable, icon or library: no icon, and nothing to destroy.
bool isRealIcon(HICON icon) { return reinterpret_cast<ULONG_PTR>(icon) > 1; }
} // namespace

CWindowIcon::CWindowIcon() : m_icon(nullptr), m_owned(false) {}

CWindowIcon::CWindowIcon(long resourceId) : m_icon(nullptr), m_owned(false) { loadIcon(resourceId); }

CWindowIcon::CWindowIcon(HICON__* icon, bool owned) : m_icon(icon), m_owned(icon != nullptr && owned) {}

CWindowIcon::CWindowIcon(const CWindowIcon& other) : CCountedObject(other), m_icon(nullptr), m_owned(false)
{
    *this = other;
}

CWindowIcon& CWindowIcon::operator=(const CWindowIcon& other)
{
    if (this == &other)
        return *this;
    CCountedObject::operator=(other);
    if (other.m_owned)
    {
        HICON copy = CopyIcon(other.m_icon);
        setIcon(copy, copy != nullptr);
    }
    else
    {
        setIcon(other.m_icon, false);
    }
    return *this;
}

CWindowIcon::~CWindowIcon() { destroyIcon(); }

void CWindowIcon::loadIcon(long resourceId)
{
    destroyIcon();
    // LoadIcon hands out the module's shared copy, which nobody may destroy.
    m_icon = LoadIconA(moduleInstance(), MAKEINTRESOURCEA(resourceId));
    m_owned = false;
}

void CWindowIcon::extractIcon(const CSystemString& path, long index)
{
    destroyIcon();
    HICON icon = ExtractIconA(moduleInstance(), path.getString(), static_cast<UINT>(index));
    if (isRealIcon(icon))
    {
        m_icon = icon;
        m_owned = true;
    }
}

void CWindowIcon::setIcon(HICON__* icon, bool owned)
{
    if (icon == m_icon)
    {
        // The same handle again changes only who destroys it, never destroys it.
        m_owned = icon != nullptr && (m_owned || owned);
        return;
    }
    destroyIcon();
    m_icon = icon;
    m_owned = icon != nullptr && owned;
}

void CWindowIcon::destroyIcon()
{
    if (m_owned && m_icon != nullptr)
        DestroyIcon(m_icon);
    m_icon = nullptr;
    m_owned = false;
}
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
