#include "gui/core/CCursor.hpp"

#include <windows.h>

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
using ::Brivant::Basics::CClass;

namespace
{
// The version CreateIconFromResource expects of cursor resources.
constexpr DWORD kCursorResourceVersion = 0x30000;

LPCSTR systemCursorName(long cursorType)
{
    switch (cursorType)
    {
    case CCursor::kHand:
        return IDC_HAND;
    case CCursor::kWait:
        return IDC_WAIT;
    case CCursor::kVerticalResize:
        return IDC_SIZENS;
    case CCursor::kHorizontalResize:
        return IDC_SIZEWE;
    case CCursor::kText:
        return IDC_IBEAM;
    case CCursor::kDiagonalResize:
        return IDC_SIZENWSE;
    case CCursor::kMove:
        return IDC_SIZEALL;
    default:
        return IDC_ARROW;
    }
}

HCURSOR systemCursor(long cursorType) { return LoadCursorA(nullptr, systemCursorName(cursorType)); }
} // namespace

CCursor::CCursor(long cursorType) : m_handle(nullptr), m_ownsHandle(false)
{
    setCursorType(cursorType);
}

CCursor::CCursor(HINSTANCE__* instance, long resourceId) : m_handle(systemCursor(kArrow)), m_ownsHandle(false)
{
    loadSystemCursor(instance, resourceId);
}

CCursor::~CCursor() { replaceHandle(nullptr, false); }

void CCursor::setCursorType(long cursorType) { replaceHandle(systemCursor(cursorType), false); }

void CCursor::loadSystemCursor(HINSTANCE__* instance, long id)
{
    // LoadCursorA hands out the module's shared copy, which nobody may destroy.
    HCURSOR handle = LoadCursorA(instance, MAKEINTRESOURCEA(id));
    if (handle != nullptr)
    {
        replaceHandle(handle, false);
    }
}

void CCursor::loadAnimatedCursor(HINSTANCE__* instance, long resourceId)
{
    HRSRC resource = FindResourceA(instance, MAKEINTRESOURCEA(resourceId), "ANICURSORS");
    if (resource == nullptr)
    {
        return;
    }
    const DWORD size = SizeofResource(instance, resource);
    HGLOBAL loaded = LoadResource(instance, resource);
    auto* bits = loaded != nullptr ? static_cast<PBYTE>(LockResource(loaded)) : nullptr;
    if (bits == nullptr || size == 0)
    {
        return;
    }
    HICON handle = CreateIconFromResource(bits, size, FALSE, kCursorResourceVersion);
    if (handle != nullptr)
    {
        replaceHandle(handle, true);
    }
}

void CCursor::showCursor() { ShowCursor(TRUE); }

void CCursor::hideCursor() { ShowCursor(FALSE); }

void CCursor::replaceHandle(HICON__* handle, bool owned)
{
    if (m_ownsHandle && m_handle != nullptr && m_handle != handle)
    {
        DestroyCursor(m_handle);
    }
    m_handle = handle;
    m_ownsHandle = owned;
}

CCursor& CCursor::arrowCursor()
{
    static CCursor cursor(kArrow);
    return cursor;
}

CCursor& CCursor::handCursor()
{
    static CCursor cursor(kHand);
    return cursor;
}

CCursor& CCursor::waitCursor()
{
    static CCursor cursor(kWait);
    return cursor;
}

CCursor& CCursor::verticalResizeCursor()
{
    static CCursor cursor(kVerticalResize);
    return cursor;
}

CCursor& CCursor::horizontalResizeCursor()
{
    static CCursor cursor(kHorizontalResize);
    return cursor;
}

CCursor& CCursor::textCursor()
{
    static CCursor cursor(kText);
    return cursor;
}

CCursor& CCursor::diagonalResizeCursor()
{
    static CCursor cursor(kDiagonalResize);
    return cursor;
}

CCursor& CCursor::moveCursor()
{
    static CCursor cursor(kMove);
    return cursor;
}
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
