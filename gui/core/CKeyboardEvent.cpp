#include "gui/core/CKeyboardEvent.hpp"

#include <windows.h>

namespace Brivant
{
namespace GUI
{
namespace Events
{
using ::Brivant::Basics::CClass;

namespace
{
long keyCodeOf(long virtualKey)
{
    if (virtualKey >= VK_F1 && virtualKey <= VK_F24)
    {
        return kKeyF1 + (virtualKey - VK_F1);
    }
    switch (virtualKey)
    {
    case VK_BACK:
        return kKeyBackspace;
    case VK_TAB:
        return kKeyTab;
    case VK_CLEAR:
        return kKeyClear;
    case VK_RETURN:
        return kKeyReturn;
    case VK_SHIFT:
        return kKeyShift;
    case VK_CONTROL:
        return kKeyControl;
    case VK_MENU:
        return kKeyAlt;
    case VK_PAUSE:
        return kKeyPause;
    case VK_CAPITAL:
        return kKeyCapsLock;
    case VK_ESCAPE:
        return kKeyEscape;
    case VK_PRIOR:
        return kKeyPageUp;
    case VK_NEXT:
        return kKeyPageDown;
    case VK_END:
        return kKeyEnd;
    case VK_HOME:
        return kKeyHome;
    case VK_LEFT:
        return kKeyLeft;
    case VK_UP:
        return kKeyUp;
    case VK_RIGHT:
        return kKeyRight;
    case VK_DOWN:
        return kKeyDown;
    case VK_SNAPSHOT:
        return kKeyPrintScreen;
    case VK_INSERT:
        return kKeyInsert;
    case VK_DELETE:
        return kKeyDelete;
    case VK_HELP:
        return kKeyHelp;
    case VK_LWIN:
        return kKeyLeftWindows;
    case VK_RWIN:
        return kKeyRightWindows;
    case VK_NUMLOCK:
        return kKeyNumLock;
    case VK_SCROLL:
        return kKeyScrollLock;
    case VK_LSHIFT:
        return kKeyLeftShift;
    case VK_RSHIFT:
        return kKeyRightShift;
    case VK_LCONTROL:
        return kKeyLeftControl;
    case VK_RCONTROL:
        return kKeyRightControl;
    case VK_LMENU:
        return kKeyLeftAlt;
    case VK_RMENU:
        return kKeyRightAlt;
    default:
        return kKeyOther;
    }
}
} // namespace

CKeyboardEvent::CKeyboardEvent()
    : m_character(' '), m_shift(false), m_alt(false), m_ctrl(false), m_notACharacter(false), m_keyCode(kKeyOther)
{
}

CKeyboardEvent::CKeyboardEvent(const CKeyboardEvent& other)
    : CCountedObject(other), m_character(other.m_character), m_shift(other.m_shift), m_alt(other.m_alt),
      m_ctrl(other.m_ctrl), m_notACharacter(other.m_notACharacter), m_keyCode(other.m_keyCode)
{
}

CKeyboardEvent& CKeyboardEvent::operator=(const CKeyboardEvent& other)
{
    m_character = other.m_character;
    m_shift = other.m_shift;
    m_alt = other.m_alt;
    m_ctrl = other.m_ctrl;
    m_notACharacter = other.m_notACharacter;
    m_keyCode = other.m_keyCode;
    return *this;
}

CKeyboardEvent::~CKeyboardEvent() = default;

void CKeyboardEvent::setVirtualKey(long windowsVirtualKey) { m_keyCode = keyCodeOf(windowsVirtualKey); }

void CKeyboardEvent::translateKeyMessage(long windowsVirtualKey, std::intptr_t keyData)
{
    setVirtualKey(windowsVirtualKey);

    BYTE keyboardState[256] = {};
    GetKeyboardState(keyboardState);
    // ToAscii writes nothing for a key without a character; the buffer must not hand on what lay there before.
    WORD translated[2] = {0, 0};
    // The scan code alone: bit 15 of ToAscii's argument means "released", and in a key message's data that bit
    // belongs to the repeat count.
    const auto scanCode = static_cast<UINT>((static_cast<std::uintptr_t>(keyData) >> 16) & 0xFF);
    const int count = ToAscii(static_cast<UINT>(windowsVirtualKey), scanCode, keyboardState, translated, 0);

    m_character = static_cast<char>(translated[0] & 0xFF);
    m_notACharacter = count != 1 || windowsVirtualKey == VK_BACK;
}

void CKeyboardEvent::setModifiers(bool ctrl, bool shift, bool alt, bool notACharacter)
{
    m_ctrl = ctrl;
    m_shift = shift;
    m_alt = alt;
    m_notACharacter = notACharacter;
}
} // namespace Events
} // namespace GUI
} // namespace Brivant
