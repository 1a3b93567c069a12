// CKeyboardEvent: defaults, the key codes of Windows virtual keys, the character of a key message, modifier keys
// and copies.
#include "gui/core/CKeyboardEvent.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace
{
using namespace Brivant::GUI::Events;

std::string flags(const CKeyboardEvent& event)
{
    return std::string(event.isCtrlDown() ? "ctrl " : "") + (event.isShiftDown() ? "shift " : "") +
           (event.isAltDown() ? "alt " : "") + (event.isNotACharacter() ? "not-a-character" : "");
}

long keyCodeOf(long virtualKey)
{
    CKeyboardEvent event;
    event.setVirtualKey(virtualKey);
    return event.getKeyCode();
}

// A key message's lParam: repeat count 1 and the key's scan code; releases also set bits 30 and 31.
LPARAM keyData(UINT virtualKey, bool released = false)
{
    const auto scanCode = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    const LPARAM data = 1 | (scanCode << 16);
    return released ? static_cast<LPARAM>(static_cast<DWORD>(data) | 0xC0000000u) : data;
}

TEST(CKeyboardEventDefaults, aNewEventIsABlankOfAnUnnamedKeyWithoutModifiers)
{
    const CKeyboardEvent event;
    EXPECT_EQ(' ', event.getCharacter());
    EXPECT_EQ("", flags(event));
    EXPECT_EQ(kKeyOther, event.getKeyCode());
    EXPECT_EQ(56, event.getKeyCode());
}

TEST(CKeyboardEventKeyCodes, everyNamedKeyHasItsCode)
{
    const struct
    {
        long virtualKey;
        long code;
    } table[] = {
        {VK_BACK, 0},      {VK_TAB, 1},       {VK_CLEAR, 2},     {VK_RETURN, 3},    {VK_SHIFT, 4},
        {VK_CONTROL, 5},   {VK_MENU, 6},      {VK_PAUSE, 7},     {VK_CAPITAL, 8},   {VK_ESCAPE, 9},
        {VK_PRIOR, 10},    {VK_NEXT, 11},     {VK_END, 12},      {VK_HOME, 13},     {VK_LEFT, 14},
        {VK_UP, 15},       {VK_RIGHT, 16},    {VK_DOWN, 17},     {VK_SNAPSHOT, 18}, {VK_INSERT, 19},
        {VK_DELETE, 20},   {VK_HELP, 21},     {VK_LWIN, 22},     {VK_RWIN, 23},     {VK_NUMLOCK, 48},
        {VK_SCROLL, 49},   {VK_LSHIFT, 50},   {VK_RSHIFT, 51},   {VK_LCONTROL, 52}, {VK_RCONTROL, 53},
        {VK_LMENU, 54},    {VK_RMENU, 55},
    };
    for (const auto& entry : table)
    {
        EXPECT_EQ(entry.code, keyCodeOf(entry.virtualKey)) << "virtual key " << entry.virtualKey;
    }
}

TEST(CKeyboardEventKeyCodes, functionKeysOneToTwentyFourAreTwentyFourToFortySeven)
{
    for (long index = 0; index < 24; ++index)
    {
        EXPECT_EQ(24 + index, keyCodeOf(VK_F1 + index)) << "F" << index + 1;
    }
    EXPECT_EQ(kKeyF24, keyCodeOf(VK_F24));
    EXPECT_EQ(47, keyCodeOf(VK_F24));
}

TEST(CKeyboardEventKeyCodes, lettersDigitsKeypadPunctuationAndUnknownKeysAreOther)
{
    const long others[] = {'A', 'Z', '0', '9', VK_SPACE, VK_NUMPAD0, VK_NUMPAD9, VK_ADD, VK_DECIMAL, VK_OEM_1,
                           VK_OEM_PLUS, VK_OEM_102, VK_APPS, VK_LBUTTON, VK_F24 + 1, 0, -1, 0x1FF};
    for (const long virtualKey : others)
    {
        EXPECT_EQ(kKeyOther, keyCodeOf(virtualKey)) << "virtual key " << virtualKey;
    }
}

TEST(CKeyboardEventKeyCodes, aNewVirtualKeyReplacesTheCode)
{
    CKeyboardEvent event;
    event.setVirtualKey(VK_ESCAPE);
    event.setVirtualKey('Q');
    EXPECT_EQ(kKeyOther, event.getKeyCode());
    event.setVirtualKey(VK_RMENU);
    EXPECT_EQ(kKeyRightAlt, event.getKeyCode());
}

TEST(CKeyboardEventKeyMessages, aLetterGivesItsCharacterAndTheOtherCode)
{
    CKeyboardEvent event;
    event.translateKeyMessage('A', keyData('A'));
    EXPECT_EQ(kKeyOther, event.getKeyCode());
    EXPECT_EQ('a', event.getCharacter());
    EXPECT_FALSE(event.isNotACharacter());

    event.translateKeyMessage('7', keyData('7'));
    EXPECT_EQ('7', event.getCharacter());
    EXPECT_FALSE(event.isNotACharacter());

    // Return gives a character; only Backspace is singled out.
    event.translateKeyMessage(VK_RETURN, keyData(VK_RETURN));
    EXPECT_EQ(kKeyReturn, event.getKeyCode());
    EXPECT_EQ('\r', event.getCharacter());
    EXPECT_FALSE(event.isNotACharacter());
}

TEST(CKeyboardEventKeyMessages, releasesAndLongRepeatsStillGiveTheCharacter)
{
    CKeyboardEvent event;
    event.translateKeyMessage('A', keyData('A', true));
    EXPECT_EQ('a', event.getCharacter());
    EXPECT_FALSE(event.isNotACharacter());

    // A repeat count of 32768 sets bit 15, which ToAscii would read as "released".
    event.translateKeyMessage('B', keyData('B') | 0x8000);
    EXPECT_EQ('b', event.getCharacter());
    EXPECT_FALSE(event.isNotACharacter());
}

TEST(CKeyboardEventKeyMessages, backspaceIsNeverACharacter)
{
    CKeyboardEvent event;
    event.translateKeyMessage(VK_BACK, keyData(VK_BACK));
    EXPECT_EQ(kKeyBackspace, event.getKeyCode());
    EXPECT_TRUE(event.isNotACharacter());
}

TEST(CKeyboardEventKeyMessages, aKeyWithoutACharacterGivesNulNotWhatTheLastKeyLeft)
{
    CKeyboardEvent event;
    event.translateKeyMessage('A', keyData('A'));
    ASSERT_EQ('a', event.getCharacter());

    event.translateKeyMessage(VK_F5, keyData(VK_F5));
    EXPECT_EQ(kKeyF1 + 4, event.getKeyCode());
    EXPECT_TRUE(event.isNotACharacter());
    EXPECT_EQ('\0', event.getCharacter());

    event.translateKeyMessage('C', keyData('C'));
    event.translateKeyMessage(VK_SHIFT, keyData(VK_SHIFT));
    EXPECT_EQ(kKeyShift, event.getKeyCode());
    EXPECT_TRUE(event.isNotACharacter());
    EXPECT_EQ('\0', event.getCharacter());
}

TEST(CKeyboardEventModifiers, modifiersAreSetAsCtrlShiftAltThenTheCharacterFlag)
{
    CKeyboardEvent event;
    event.setModifiers(true, false, false, false);
    EXPECT_EQ("ctrl ", flags(event));
    event.setModifiers(false, true, false, false);
    EXPECT_EQ("shift ", flags(event));
    event.setModifiers(false, false, true, false);
    EXPECT_EQ("alt ", flags(event));
    event.setModifiers(false, false, false, true);
    EXPECT_EQ("not-a-character", flags(event));
}

TEST(CKeyboardEventCopies, copiesKeepCharacterModifiersAndCode)
{
    CKeyboardEvent original;
    original.setVirtualKey(VK_TAB);
    original.setCharacter('\t');
    original.setModifiers(false, true, false, true);
    original.referenced();

    const CKeyboardEvent copy(original);
    EXPECT_EQ(kKeyTab, copy.getKeyCode());
    EXPECT_EQ('\t', copy.getCharacter());
    EXPECT_EQ("shift not-a-character", flags(copy));
    EXPECT_EQ(0, copy.getReferenceCount());

    CKeyboardEvent assigned;
    assigned = original;
    EXPECT_EQ(kKeyTab, assigned.getKeyCode());
    EXPECT_EQ('\t', assigned.getCharacter());
    EXPECT_EQ("shift not-a-character", flags(assigned));
}
} // namespace
