// One key press or release: the framework's key code, the character the key gives and the modifier keys.
#pragma once

#include "foundation/basics/CCountedObject.hpp"

#include <cstdint>

namespace Brivant
{
namespace GUI
{
namespace Events
{
// The keys the framework tells apart; every other key (letters, digits, keypad, punctuation) is kKeyOther.
enum EKeyCode : long
{
    kKeyBackspace = 0,
    kKeyTab = 1,
    kKeyClear = 2,
    kKeyReturn = 3,
    kKeyShift = 4,
    kKeyControl = 5,
    kKeyAlt = 6,
    kKeyPause = 7,
    kKeyCapsLock = 8,
    kKeyEscape = 9,
    kKeyPageUp = 10,
    kKeyPageDown = 11,
    kKeyEnd = 12,
    kKeyHome = 13,
    kKeyLeft = 14,
    kKeyUp = 15,
    kKeyRight = 16,
    kKeyDown = 17,
    kKeyPrintScreen = 18,
    kKeyInsert = 19,
    kKeyDelete = 20,
    kKeyHelp = 21,
    kKeyLeftWindows = 22,
    kKeyRightWindows = 23,
    kKeyF1 = 24,
    kKeyF24 = 47,
    kKeyNumLock = 48,
    kKeyScrollLock = 49,
    kKeyLeftShift = 50,
    kKeyRightShift = 51,
    kKeyLeftControl = 52,
    kKeyRightControl = 53,
    kKeyLeftAlt = 54,
    kKeyRightAlt = 55,
    kKeyOther = 56
};

class CKeyboardEvent : public ::Brivant::Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CKeyboardEvent, "CCountedObject");

public:
    // A blank, no modifiers, kKeyOther.
    CKeyboardEvent();
    CKeyboardEvent(const CKeyboardEvent& other);
    CKeyboardEvent& operator=(const CKeyboardEvent& other);
    ~CKeyboardEvent() override;

    // Stores the key code of a Windows virtual key.
    void setVirtualKey(long windowsVirtualKey);
    long getKeyCode() const { return m_keyCode; }

    // For WM_KEYDOWN and WM_KEYUP: the key code, and the character ToAscii gives with the thread's keyboard
    // state. A key that gives no single character, and Backspace, set the not-a-character flag; the character is
    // then the first byte ToAscii wrote, or NUL when it wrote none.
    void translateKeyMessage(long windowsVirtualKey, std::intptr_t keyData);

    void setCharacter(char character) { m_character = character; }
    void setModifiers(bool ctrl, bool shift, bool alt, bool notACharacter);

    char getCharacter() const { return m_character; }
    bool isShiftDown() const { return m_shift; }
    bool isAltDown() const { return m_alt; }
    bool isCtrlDown() const { return m_ctrl; }
    bool isNotACharacter() const { return m_notACharacter; }

private:
    char m_character;
    bool m_shift;
    bool m_alt;
    bool m_ctrl;
    bool m_notACharacter;
    long m_keyCode;
};
} // namespace Events
} // namespace GUI
} // namespace Brivant
