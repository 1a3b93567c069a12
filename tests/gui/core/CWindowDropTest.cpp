// CWindow's dropped files: a shell drop reaches the drop-file listener with its point and every path, and the
// drop's memory is given back whoever takes the drop.
#include "gui/core/CWindow.hpp"

#include "tests/gui/CGuiTestKit.hpp"
#include "tests/gui/core/CImportPatch.hpp"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
using namespace VolturaTests;

// What the shell hands a window with WM_DROPFILES; the receiver frees it with DragFinish.
HDROP makeDrop(POINT point, const std::vector<std::string>& names)
{
    std::size_t characters = 1;
    for (const std::string& name : names)
        characters += name.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + characters);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->pt = point;
    header->fNC = FALSE;
    header->fWide = FALSE;
    char* cursor = reinterpret_cast<char*>(header) + sizeof(DROPFILES);
    for (const std::string& name : names)
    {
        std::memcpy(cursor, name.c_str(), name.size() + 1);
        cursor += name.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

std::vector<HDROP> s_finished;
void WINAPI countingDragFinish(HDROP drop)
{
    s_finished.push_back(drop);
    using FDragFinish = void(WINAPI*)(HDROP);
    const auto original = reinterpret_cast<FDragFinish>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("shell32.dll"), "DragFinish")));
    original(drop);
}

class CWindowDropTest : public ::testing::Test
{
protected:
    CWindowDropTest()
        : m_window(CRect(0, 0, 200, 150)),
          m_patch("shell32.dll", "DragFinish", reinterpret_cast<void*>(&countingDragFinish))
    {
        CWindowAttributes attributes = hiddenAttributes("DropProbe");
        m_window.intialiseWindow(&attributes, false);
        m_window.setDropFileListener(&m_listener);
        s_finished.clear();
    }

    LRESULT drop(HDROP files)
    {
        return SendMessageA(*m_window.getWindowHandle(), WM_DROPFILES, reinterpret_cast<WPARAM>(files), 0);
    }

    CWindow m_window;
    CRecordingDropListener m_listener;
    CImportPatch m_patch;
};

TEST_F(CWindowDropTest, aDropGivesTheListenerItsPointAndEveryPathInOrder)
{
    ASSERT_TRUE(m_patch.isActive());
    HDROP files = makeDrop({12, 34}, {"C:\\Presets\\Bass.fxp", "D:\\a b\\Drums.xml"});
    EXPECT_EQ(0, drop(files));
    EXPECT_EQ(1, m_listener.drops);
    EXPECT_EQ("12,34", m_listener.point);
    const std::vector<std::string> expected = {"C:\\Presets\\Bass.fxp", "D:\\a b\\Drums.xml"};
    EXPECT_EQ(expected, m_listener.files);
    ASSERT_EQ(1u, s_finished.size());
    EXPECT_EQ(files, s_finished[0]);
}

TEST_F(CWindowDropTest, aDropWithoutAListenerAnswersMinusOneAndIsStillFinished)
{
    ASSERT_TRUE(m_patch.isActive());
    m_window.setDropFileListener(nullptr);
    EXPECT_FALSE(m_window.hasDropFileListener());
    HDROP files = makeDrop({1, 1}, {"C:\\x.fxp"});
    EXPECT_EQ(-1, drop(files));
    EXPECT_EQ(0, m_listener.drops);
    ASSERT_EQ(1u, s_finished.size());
    EXPECT_EQ(files, s_finished[0]);
}

class CThrowingDropListener : public Brivant::GUI::Listeners::IDropFileListener
{
public:
    void handleFileDrop(const CDropEvent& /*event*/) override { throw std::runtime_error("drop listener failed"); }
};

TEST_F(CWindowDropTest, aDropWhoseListenerThrowsIsFinishedAndTraced)
{
    ASSERT_TRUE(m_patch.isActive());
    CTraceCapture trace;
    CThrowingDropListener throwing;
    m_window.setDropFileListener(&throwing);
    HDROP files = makeDrop({1, 1}, {"C:\\x.fxp"});
    drop(files);
    ASSERT_EQ(1u, s_finished.size());
    EXPECT_EQ(files, s_finished[0]);
    EXPECT_NE(std::string::npos, trace.text().find("drop listener failed"));
}
} // namespace
