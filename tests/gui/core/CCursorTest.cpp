// CCursor: the shared cursors, cursor types, cursors from module resources, animated cursors, which handles the
// object destroys, and showing and hiding the pointer.
#include "gui/core/CCursor.hpp"

#include "tests/gui/core/CImportPatch.hpp"
#include "tests/support/CTemporaryFolder.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{
using Brivant::GUI::Windowing::CCursor;
using VolturaTests::CImportPatch;
using VolturaTests::CTemporaryFolder;

constexpr long kAnimatedCursorId = 7;
constexpr WORD kHotspotX = 3;
constexpr WORD kHotspotY = 4;

HCURSOR systemCursor(LPCSTR name) { return LoadCursorA(nullptr, name); }

// A 32 x 32 monochrome cursor in the layout CreateIconFromResource reads: hotspot, then the image and mask DIB.
std::vector<unsigned char> cursorResourceBits()
{
    constexpr std::size_t kMaskBytes = 32 * 4;
    std::vector<unsigned char> bits(2 * sizeof(WORD) + sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD) + 2 * kMaskBytes,
                                    0);
    const WORD hotspot[2] = {kHotspotX, kHotspotY};
    std::memcpy(bits.data(), hotspot, sizeof(hotspot));
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = 32;
    header.biHeight = 64;
    header.biPlanes = 1;
    header.biBitCount = 1;
    std::memcpy(bits.data() + sizeof(hotspot), &header, sizeof(header));
    const RGBQUAD white = {255, 255, 255, 0};
    std::memcpy(bits.data() + sizeof(hotspot) + sizeof(header) + sizeof(RGBQUAD), &white, sizeof(white));
    // A transparent mask everywhere.
    std::memset(bits.data() + bits.size() - kMaskBytes, 0xFF, kMaskBytes);
    return bits;
}

// A copy of this test program carrying an "ANICURSORS" resource, loaded as a resource module.
class CCursorResourceModule
{
public:
    CCursorResourceModule() : m_module(nullptr)
    {
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        const std::string copy = m_folder.file("cursors.dll");
        if (!CopyFileA(self, copy.c_str(), FALSE))
        {
            return;
        }
        std::vector<unsigned char> bits = cursorResourceBits();
        HANDLE update = BeginUpdateResourceA(copy.c_str(), FALSE);
        if (update == nullptr)
        {
            return;
        }
        const BOOL added = UpdateResourceA(update, "ANICURSORS", MAKEINTRESOURCEA(kAnimatedCursorId),
                                           MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), bits.data(),
                                           static_cast<DWORD>(bits.size()));
        if (EndUpdateResourceA(update, !added) && added)
        {
            m_module = LoadLibraryExA(copy.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        }
    }

    ~CCursorResourceModule()
    {
        if (m_module != nullptr)
        {
            FreeLibrary(m_module);
        }
    }

    CCursorResourceModule(const CCursorResourceModule&) = delete;
    CCursorResourceModule& operator=(const CCursorResourceModule&) = delete;

    HMODULE module() const { return m_module; }

private:
    CTemporaryFolder m_folder;
    HMODULE m_module;
};

// Every handle the library passes to DestroyCursor while a CDestroyedCursors lives; none is really destroyed.
std::vector<HCURSOR>* s_destroyed = nullptr;

BOOL WINAPI recordDestroyedCursor(HCURSOR cursor)
{
    if (s_destroyed != nullptr)
    {
        s_destroyed->push_back(cursor);
    }
    return TRUE;
}

class CDestroyedCursors
{
public:
    CDestroyedCursors()
        : m_patch("user32.dll", "DestroyCursor", reinterpret_cast<void*>(&recordDestroyedCursor))
    {
        s_destroyed = &m_handles;
    }

    ~CDestroyedCursors() { s_destroyed = nullptr; }

    CDestroyedCursors(const CDestroyedCursors&) = delete;
    CDestroyedCursors& operator=(const CDestroyedCursors&) = delete;

    bool isActive() const { return m_patch.isActive(); }
    const std::vector<HCURSOR>& handles() const { return m_handles; }

private:
    std::vector<HCURSOR> m_handles;
    CImportPatch m_patch;
};

TEST(CCursorSharedCursors, eachSharedCursorShowsItsSystemCursorAndIsOneObject)
{
    struct SShared
    {
        CCursor& (*accessor)();
        LPCSTR systemName;
    };
    const SShared shared[] = {
        {&CCursor::arrowCursor, IDC_ARROW},
        {&CCursor::handCursor, IDC_HAND},
        {&CCursor::waitCursor, IDC_WAIT},
        {&CCursor::verticalResizeCursor, IDC_SIZENS},
        {&CCursor::horizontalResizeCursor, IDC_SIZEWE},
        {&CCursor::textCursor, IDC_IBEAM},
        {&CCursor::diagonalResizeCursor, IDC_SIZENWSE},
        {&CCursor::moveCursor, IDC_SIZEALL},
    };
    for (const SShared& entry : shared)
    {
        SCOPED_TRACE(reinterpret_cast<ULONG_PTR>(entry.systemName));
        ASSERT_NE(nullptr, entry.accessor().getCursorHandle());
        EXPECT_EQ(systemCursor(entry.systemName), entry.accessor().getCursorHandle());
        EXPECT_EQ(&entry.accessor(), &entry.accessor());
    }
}

TEST(CCursorTypes, eachTypeGivesItsSystemCursorAndUnknownTypesTheArrow)
{
    const LPCSTR byType[] = {IDC_ARROW, IDC_HAND,     IDC_WAIT,     IDC_SIZENS,
                             IDC_SIZEWE, IDC_IBEAM, IDC_SIZENWSE, IDC_SIZEALL};
    for (long type = 0; type < 8; ++type)
    {
        SCOPED_TRACE(type);
        EXPECT_EQ(systemCursor(byType[type]), CCursor(type).getCursorHandle());
    }
    EXPECT_EQ(systemCursor(IDC_ARROW), CCursor(99).getCursorHandle());
    EXPECT_EQ(systemCursor(IDC_ARROW), CCursor(-1).getCursorHandle());
}

TEST(CCursorTypes, settingATypeReplacesTheCursor)
{
    CCursor cursor(CCursor::kArrow);
    cursor.setCursorType(CCursor::kText);
    EXPECT_EQ(systemCursor(IDC_IBEAM), cursor.getCursorHandle());
    cursor.setCursorType(CCursor::kMove);
    EXPECT_EQ(systemCursor(IDC_SIZEALL), cursor.getCursorHandle());
}

TEST(CCursorResources, aModulesCursorIsLoadedByItsId)
{
    // The system's own cursors are the resources of no module.
    EXPECT_EQ(systemCursor(IDC_HAND), CCursor(nullptr, 32649).getCursorHandle());

    CCursor cursor(CCursor::kArrow);
    cursor.loadSystemCursor(nullptr, 32513);
    EXPECT_EQ(systemCursor(IDC_IBEAM), cursor.getCursorHandle());
}

TEST(CCursorResources, aMissingResourceNeverLeavesTheCursorWithoutAHandle)
{
    HMODULE self = GetModuleHandleA(nullptr);
    EXPECT_EQ(systemCursor(IDC_ARROW), CCursor(self, 4711).getCursorHandle());

    CCursor cursor(CCursor::kHand);
    cursor.loadSystemCursor(self, 4711);
    EXPECT_EQ(systemCursor(IDC_HAND), cursor.getCursorHandle());
    cursor.loadAnimatedCursor(self, 4711);
    EXPECT_EQ(systemCursor(IDC_HAND), cursor.getCursorHandle());
    cursor.loadAnimatedCursor(nullptr, kAnimatedCursorId);
    EXPECT_EQ(systemCursor(IDC_HAND), cursor.getCursorHandle());
}

TEST(CCursorResources, anAnimatedCursorIsBuiltFromTheModulesResource)
{
    const CCursorResourceModule resources;
    ASSERT_NE(nullptr, resources.module());

    CCursor cursor(CCursor::kArrow);
    cursor.loadAnimatedCursor(resources.module(), kAnimatedCursorId);
    ASSERT_NE(nullptr, cursor.getCursorHandle());
    EXPECT_NE(systemCursor(IDC_ARROW), cursor.getCursorHandle());

    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(cursor.getCursorHandle(), &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(kHotspotX, info.xHotspot);
    EXPECT_EQ(kHotspotY, info.yHotspot);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
}

TEST(CCursorHandles, systemAndModuleCursorsAreNeverDestroyed)
{
    CDestroyedCursors destroyed;
    ASSERT_TRUE(destroyed.isActive());
    {
        CCursor hand(CCursor::kHand);
        CCursor unknown(99);
        CCursor fromModule(nullptr, 32512);
        hand.setCursorType(CCursor::kWait);
        hand.setCursorType(CCursor::kMove);
        fromModule.loadSystemCursor(nullptr, 32513);
    }
    EXPECT_TRUE(destroyed.handles().empty());
    // The shared ones still show their cursors.
    EXPECT_EQ(systemCursor(IDC_HAND), CCursor::handCursor().getCursorHandle());
}

TEST(CCursorHandles, anAnimatedCursorIsDestroyedOnceWhenReplacedOrWhenItsObjectGoes)
{
    const CCursorResourceModule resources;
    ASSERT_NE(nullptr, resources.module());

    HCURSOR first = nullptr;
    HCURSOR second = nullptr;
    {
        CDestroyedCursors destroyed;
        ASSERT_TRUE(destroyed.isActive());
        {
            CCursor cursor(CCursor::kArrow);
            cursor.loadAnimatedCursor(resources.module(), kAnimatedCursorId);
            first = cursor.getCursorHandle();
            cursor.setCursorType(CCursor::kHand);
            ASSERT_EQ(1u, destroyed.handles().size());
            EXPECT_EQ(first, destroyed.handles()[0]);

            cursor.loadAnimatedCursor(resources.module(), kAnimatedCursorId);
            second = cursor.getCursorHandle();
            // The system cursor it replaced is left alone.
            EXPECT_EQ(1u, destroyed.handles().size());
        }
        ASSERT_EQ(2u, destroyed.handles().size());
        EXPECT_EQ(second, destroyed.handles()[1]);
    }
    // The stand-in destroyed nothing: these are still the real handles the library created.
    DestroyCursor(first);
    if (second != first)
    {
        DestroyCursor(second);
    }
}

// ShowCursor answers the display count after its change, so a step up and back down reads it unchanged.
int displayCount()
{
    ShowCursor(TRUE);
    return ShowCursor(FALSE);
}

TEST(CCursorVisibility, hidingAndShowingMoveTheDisplayCountByOne)
{
    const int start = displayCount();
    CCursor::hideCursor();
    EXPECT_EQ(start - 1, displayCount());
    CCursor::showCursor();
    EXPECT_EQ(start, displayCount());
}
} // namespace
