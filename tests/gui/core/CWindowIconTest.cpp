// CWindowIcon: which icons it destroys (its own: extracted, copied, handed over as owned) and which it never
// does (shared resource and system icons), and copies that each hold an icon of their own.
#include "gui/core/CWindowIcon.hpp"

#include "foundation/basics/CSystemString.hpp"
#include "tests/gui/core/CImportPatch.hpp"
#include "tests/support/CTemporaryFolder.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
using Brivant::Basics::CSystemString;
using Brivant::GUI::Windowing::CWindowIcon;
using VolturaTests::CImportPatch;
using VolturaTests::CTemporaryFolder;

std::vector<HICON>& destroyedIcons()
{
    static std::vector<HICON> s_icons;
    return s_icons;
}

BOOL WINAPI recordingDestroyIcon(HICON icon)
{
    destroyedIcons().push_back(icon);
    // Straight to user32: this program's own DestroyIcon import is the patched one.
    using FDestroyIcon = BOOL(WINAPI*)(HICON);
    static const auto s_destroy = reinterpret_cast<FDestroyIcon>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "DestroyIcon")));
    return s_destroy(icon);
}

// A 16 x 16 monochrome icon of our own, which only its owner may destroy.
HICON makeIcon()
{
    const std::vector<BYTE> andMask(16 * 16 / 8, 0xFF);
    const std::vector<BYTE> xorMask(16 * 16 / 8, 0x00);
    return CreateIcon(GetModuleHandleA(nullptr), 16, 16, 1, 1, andMask.data(), xorMask.data());
}

bool isLiveIcon(HICON icon)
{
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info))
        return false;
    DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr)
        DeleteObject(info.hbmColor);
    return true;
}

class CWindowIconTest : public ::testing::Test
{
protected:
    CWindowIconTest() : m_patch("user32.dll", "DestroyIcon", reinterpret_cast<void*>(&recordingDestroyIcon))
    {
        destroyedIcons().clear();
    }

    void SetUp() override { ASSERT_TRUE(m_patch.isActive()); }

    static long timesDestroyed(HICON icon)
    {
        long count = 0;
        for (HICON destroyed : destroyedIcons())
            count += destroyed == icon ? 1 : 0;
        return count;
    }

    CImportPatch m_patch;
};

TEST_F(CWindowIconTest, emptyIconHoldsNothing)
{
    CWindowIcon icon;

    EXPECT_EQ(nullptr, icon.getIcon());
    EXPECT_FALSE(icon.ownsIcon());
}

TEST_F(CWindowIconTest, iconHandedOverIsDestroyedOnceWithTheObject)
{
    HICON handle = makeIcon();
    ASSERT_NE(nullptr, handle);
    {
        CWindowIcon icon(handle);
        EXPECT_EQ(handle, icon.getIcon());
        EXPECT_TRUE(icon.ownsIcon());
    }

    EXPECT_EQ(1, timesDestroyed(handle));
    EXPECT_FALSE(isLiveIcon(handle));
}

TEST_F(CWindowIconTest, sharedSystemIconIsNeverDestroyed)
{
    HICON shared = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
    ASSERT_NE(nullptr, shared);
    {
        CWindowIcon icon(shared, false);
        icon.destroyIcon();
        EXPECT_EQ(nullptr, icon.getIcon());
        icon.setIcon(shared, false);
    }

    EXPECT_EQ(0, timesDestroyed(shared));
    EXPECT_TRUE(isLiveIcon(shared));
}

TEST_F(CWindowIconTest, resourceIconIsSharedAndNeverDestroyed)
{
    HICON handle = nullptr;
    {
        // Without a module handle LoadIcon reads the system's icons: 32512 is the application icon.
        CWindowIcon icon(32512L);
        handle = icon.getIcon();
        ASSERT_NE(nullptr, handle);
        EXPECT_FALSE(icon.ownsIcon());
        icon.loadIcon(32516);
    }

    EXPECT_TRUE(destroyedIcons().empty());
    EXPECT_TRUE(isLiveIcon(handle));
}

TEST_F(CWindowIconTest, replacingAnOwnedIconDestroysIt)
{
    HICON first = makeIcon();
    HICON second = makeIcon();
    CWindowIcon icon(first);

    icon.setIcon(second);

    EXPECT_EQ(1, timesDestroyed(first));
    EXPECT_EQ(0, timesDestroyed(second));
    EXPECT_EQ(second, icon.getIcon());
}

TEST_F(CWindowIconTest, settingTheHeldIconAgainKeepsIt)
{
    HICON handle = makeIcon();
    CWindowIcon icon(handle);

    icon.setIcon(handle);

    EXPECT_EQ(0, timesDestroyed(handle));
    EXPECT_TRUE(isLiveIcon(handle));
}

TEST_F(CWindowIconTest, copyOfAnOwnedIconHoldsAnIconOfItsOwn)
{
    HICON handle = makeIcon();
    auto original = std::make_unique<CWindowIcon>(handle);
    CWindowIcon copy(*original);
    CWindowIcon assigned;
    assigned = *original;

    EXPECT_NE(handle, copy.getIcon());
    EXPECT_NE(handle, assigned.getIcon());
    EXPECT_NE(copy.getIcon(), assigned.getIcon());
    original.reset();

    EXPECT_EQ(1, timesDestroyed(handle));
    EXPECT_TRUE(isLiveIcon(copy.getIcon()));
    EXPECT_TRUE(isLiveIcon(assigned.getIcon()));
    EXPECT_TRUE(copy.ownsIcon());
}

TEST_F(CWindowIconTest, copyOfASharedIconSharesIt)
{
    HICON shared = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
    {
        CWindowIcon original(shared, false);
        CWindowIcon copy(original);
        EXPECT_EQ(shared, copy.getIcon());
        EXPECT_FALSE(copy.ownsIcon());
    }

    EXPECT_TRUE(destroyedIcons().empty());
}

TEST_F(CWindowIconTest, assigningAnIconToItselfKeepsIt)
{
    HICON handle = makeIcon();
    CWindowIcon icon(handle);
    CWindowIcon& same = icon;

    icon = same;

    EXPECT_EQ(handle, icon.getIcon());
    EXPECT_TRUE(destroyedIcons().empty());
}

TEST_F(CWindowIconTest, extractedIconIsOwned)
{
    HICON handle = nullptr;
    {
        CWindowIcon icon;
        icon.extractIcon(CSystemString("shell32.dll"), 0);
        handle = icon.getIcon();
        if (handle == nullptr)
            GTEST_SKIP() << "this system's shell32.dll has no icons";
        EXPECT_TRUE(icon.ownsIcon());
    }

    EXPECT_EQ(1, timesDestroyed(handle));
}

TEST_F(CWindowIconTest, fileWithoutIconsLeavesNoIconToDestroy)
{
    CTemporaryFolder folder;
    CTemporaryFolder::writeBytes(folder.file("notes.txt"), "no icons in here");
    HICON handle = makeIcon();
    {
        CWindowIcon icon(handle);
        icon.extractIcon(CSystemString(folder.file("notes.txt").c_str()), 0);
        EXPECT_EQ(nullptr, icon.getIcon());
        EXPECT_FALSE(icon.ownsIcon());
    }

    // Only the icon held before; never ExtractIcon's "not a file with icons" answer.
    ASSERT_EQ(1u, destroyedIcons().size());
    EXPECT_EQ(handle, destroyedIcons()[0]);
}
} // namespace
