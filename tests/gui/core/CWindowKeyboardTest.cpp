// CWindow's keys: key messages become keyboard events with the framework's key codes and the key's character,
// the listener's answer becomes the message's, and a keyboard hook's keys take the same way.
#include "gui/core/CWindow.hpp"
#include "tests/gui/CGuiTestKit.hpp"


#include <windows.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace
{
using namespace VolturaTests;
using namespace Brivant::GUI::Events;

// A key message's lParam: repeat count 1 and the key's scan code; releases also set bits 30 and 31.
LPARAM keyData(UINT virtualKey, bool released = false)
{
    const auto scanCode = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    const LPARAM data = 1 | (scanCode << 16);
    return released ? static_cast<LPARAM>(static_cast<DWORD>(data) | 0xC0000000u) : data;
}

class CWindowKeyboardTest : public ::testing::Test
{
protected:
    CWindowKeyboardTest() : m_window(CRect(0, 0, 100, 100))
    {
        CWindowAttributes attributes = hiddenAttributes("KeyboardProbe");
        m_window.intialiseWindow(&attributes, false);
        m_window.setKeyboardListener(&m_listener);
    }

    LRESULT send(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return SendMessageA(*m_window.getWindowHandle(), message, wParam, lParam);
    }

    CWindow m_window;
    CRecordingKeyboardListener m_listener;
};

TEST_F(CWindowKeyboardTest, everyKeyOfTheTableArrivesWithItsCode)
{
    const std::vector<std::pair<UINT, long>> table = {
        {VK_BACK, kKeyBackspace},      {VK_TAB, kKeyTab},           {VK_CLEAR, kKeyClear},
        {VK_RETURN, kKeyReturn},       {VK_SHIFT, kKeyShift},       {VK_CONTROL, kKeyControl},
        {VK_MENU, kKeyAlt},            {VK_PAUSE, kKeyPause},       {VK_CAPITAL, kKeyCapsLock},
        {VK_ESCAPE, kKeyEscape},       {VK_PRIOR, kKeyPageUp},      {VK_NEXT, kKeyPageDown},
        {VK_END, kKeyEnd},             {VK_HOME, kKeyHome},         {VK_LEFT, kKeyLeft},
        {VK_UP, kKeyUp},               {VK_RIGHT, kKeyRight},       {VK_DOWN, kKeyDown},
        {VK_SNAPSHOT, kKeyPrintScreen}, {VK_INSERT, kKeyInsert},    {VK_DELETE, kKeyDelete},
        {VK_HELP, kKeyHelp},           {VK_LWIN, kKeyLeftWindows},  {VK_RWIN, kKeyRightWindows},
        {VK_F1, kKeyF1},               {VK_F12, kKeyF1 + 11},       {VK_F24, kKeyF24},
        {VK_NUMLOCK, kKeyNumLock},     {VK_SCROLL, kKeyScrollLock}, {VK_LSHIFT, kKeyLeftShift},
        {VK_RSHIFT, kKeyRightShift},   {VK_LCONTROL, kKeyLeftControl}, {VK_RCONTROL, kKeyRightControl},
        {VK_LMENU, kKeyLeftAlt},       {VK_RMENU, kKeyRightAlt},    {'A', kKeyOther},
        {'7', kKeyOther},              {VK_NUMPAD3, kKeyOther},     {VK_OEM_COMMA, kKeyOther}};
    for (const auto& entry : table)
    {
        send(WM_KEYDOWN, entry.first, keyData(entry.first));
        ASSERT_FALSE(m_listener.keys.empty());
        EXPECT_EQ(entry.second, m_listener.keys.back().keyCode) << "virtual key " << entry.first;
        EXPECT_TRUE(m_listener.keys.back().pressed);
    }
    EXPECT_EQ(table.size(), m_listener.keys.size());
}

TEST_F(CWindowKeyboardTest, aLetterCarriesItsCharacterAndReleasesGoToKeyUp)
{
    send(WM_KEYDOWN, 'A', keyData('A'));
    send(WM_KEYUP, 'A', keyData('A', true));
    ASSERT_EQ(2u, m_listener.keys.size());
    EXPECT_TRUE(m_listener.keys[0].pressed);
    EXPECT_EQ('a', m_listener.keys[0].character);
    EXPECT_FALSE(m_listener.keys[0].notACharacter);
    EXPECT_FALSE(m_listener.keys[1].pressed);
    EXPECT_EQ('a', m_listener.keys[1].character);
}

TEST_F(CWindowKeyboardTest, backspaceAndKeysWithoutACharacterAreFlaggedNotACharacter)
{
    send(WM_KEYDOWN, VK_BACK, keyData(VK_BACK));
    send(WM_KEYDOWN, VK_F5, keyData(VK_F5));
    ASSERT_EQ(2u, m_listener.keys.size());
    EXPECT_TRUE(m_listener.keys[0].notACharacter);
    EXPECT_TRUE(m_listener.keys[1].notACharacter);
    // Nothing from the letter before leaks into a key that gives no character.
    send(WM_KEYDOWN, 'Q', keyData('Q'));
    send(WM_KEYDOWN, VK_F6, keyData(VK_F6));
    EXPECT_EQ('\0', m_listener.keys.back().character);
}

TEST_F(CWindowKeyboardTest, aUsedKeyAnswersZeroAnUnusedOneAndNoListenerOne)
{
    m_listener.answer = true;
    EXPECT_EQ(0, send(WM_KEYDOWN, 'B', keyData('B')));
    EXPECT_EQ(0, send(WM_KEYUP, 'B', keyData('B', true)));
    m_listener.answer = false;
    EXPECT_EQ(1, send(WM_KEYDOWN, 'B', keyData('B')));
    EXPECT_EQ(1, send(WM_KEYUP, 'B', keyData('B', true)));
    m_window.setKeyboardListener(nullptr);
    EXPECT_FALSE(m_window.hasKeyboardListener());
    EXPECT_EQ(1, send(WM_KEYDOWN, 'B', keyData('B')));
    EXPECT_EQ(4u, m_listener.keys.size());
}

TEST_F(CWindowKeyboardTest, aKeyboardHooksKeyGoesToTheListenerAndIsSwallowedOnlyWhenUsed)
{
    m_listener.answer = true;
    EXPECT_EQ(1, m_window.handleKeyboardHook(HC_ACTION, 'C', keyData('C')));
    EXPECT_EQ(1, m_window.handleKeyboardHook(HC_ACTION, 'C', keyData('C', true)));
    ASSERT_EQ(2u, m_listener.keys.size());
    EXPECT_TRUE(m_listener.keys[0].pressed);
    EXPECT_EQ('c', m_listener.keys[0].character);
    EXPECT_FALSE(m_listener.keys[1].pressed);

    // The hook path gives a blank where no single character comes, and treats Backspace like any key.
    m_window.handleKeyboardHook(HC_ACTION, VK_F2, keyData(VK_F2));
    EXPECT_EQ(' ', m_listener.keys.back().character);
    EXPECT_TRUE(m_listener.keys.back().notACharacter);
    m_window.handleKeyboardHook(HC_ACTION, VK_BACK, keyData(VK_BACK));
    EXPECT_FALSE(m_listener.keys.back().notACharacter);

    m_listener.answer = false;
    EXPECT_EQ(0, m_window.handleKeyboardHook(HC_ACTION, 'C', keyData('C')));
    const size_t seen = m_listener.keys.size();
    EXPECT_EQ(0, m_window.handleKeyboardHook(-1, 'C', keyData('C')));
    EXPECT_EQ(seen, m_listener.keys.size());
}
} // namespace
