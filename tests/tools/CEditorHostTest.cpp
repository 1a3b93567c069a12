// The test host's editor mode against the editor probe: the window's size, the order of the editor calls, the
// screenshot's size and pixels, and the messages for editors that cannot open.
#include "tests/probe/EditorProbe.hpp"
#include "tests/support/CTemporaryFolder.hpp"
#include "tools/testhost/CEditorHost.hpp"
#include "tools/testhost/CTestHost.hpp"

#include <gtest/gtest.h>
#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
using namespace EditorProbe;
using VolturaTests::CTemporaryFolder;
namespace Flat = ::Gdiplus::DllExports;

std::string probePath()
{
    char program[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    const std::string path(program);
    return path.substr(0, path.rfind('\\') + 1) + "editor_probe.dll";
}

class CEditorHostTest : public ::testing::Test
{
protected:
    void load(int variant)
    {
        std::string error;
        ASSERT_TRUE(m_host.load(probePath(), error)) << error;
        m_probe = GetModuleHandleA(probePath().c_str());
        ASSERT_NE(m_probe, nullptr);
        probeFunction<SetVariant>("editorProbeSetVariant")(variant);
        m_host.start(44100.0f, 256);
    }

    // The probe's record without the calls of loading and starting: only the editor's and processing.
    std::vector<int> editorCalls()
    {
        std::vector<int> calls(4096);
        calls.resize(static_cast<size_t>(
            probeFunction<ReadCalls>("editorProbeCalls")(calls.data(), static_cast<int>(calls.size()))));
        calls.erase(std::remove_if(calls.begin(), calls.end(),
                                   [](int call) {
                                       return call != effEditGetRect && call != effEditOpen && call != effEditIdle &&
                                              call != effEditClose && call != kProcessCall;
                                   }),
                    calls.end());
        return calls;
    }

    template <typename Function>
    Function probeFunction(const char* name)
    {
        return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(m_probe, name)));
    }

    CTestHost m_host;
    HMODULE m_probe = nullptr;
};

// The width and height a PNG file's IHDR chunk states.
bool readPngHeader(const std::string& bytes, unsigned& width, unsigned& height)
{
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1A\n") != 0 || bytes.compare(12, 4, "IHDR") != 0)
        return false;
    auto bigEndian = [&](size_t at) {
        unsigned value = 0;
        for (size_t i = 0; i < 4; ++i)
            value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
        return value;
    };
    width = bigEndian(16);
    height = bigEndian(20);
    return true;
}

// The colours of the given pixels as GDI+ decodes the file; empty when it cannot.
std::vector<COLORREF> decodePixels(const std::string& path, const std::vector<POINT>& points)
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    std::vector<COLORREF> colours;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return colours;
    const std::wstring widePath(path.begin(), path.end());
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (Flat::GdipCreateBitmapFromFile(widePath.c_str(), &bitmap) == Gdiplus::Ok)
    {
        for (const POINT& point : points)
        {
            Gdiplus::ARGB argb = 0;
            if (Flat::GdipBitmapGetPixel(bitmap, point.x, point.y, &argb) == Gdiplus::Ok)
                colours.push_back(RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF));
        }
        Flat::GdipDisposeImage(bitmap);
    }
    Gdiplus::GdiplusShutdown(token);
    return colours;
}

TEST_F(CEditorHostTest, OpensTheEditorInAWindowOfItsSizeAndSavesWhatItPainted)
{
    load(kWorking);
    CTemporaryFolder folder;
    const std::string picture = folder.file("editor.png");
    {
        CEditorHost editor(m_host);
        std::string error;
        ASSERT_TRUE(editor.create("editor probe", error)) << error;
        ASSERT_TRUE(editor.openEditor(error)) << error;
        editor.run(0.2, {std::vector<float>(1000, 0.25f), std::vector<float>(700, -0.25f)});
        ASSERT_TRUE(editor.saveScreenshot(picture, error)) << error;
        editor.closeEditor();
        const std::vector<int> calls = editorCalls();
        EXPECT_EQ(editor.blocksProcessed(), std::count(calls.begin(), calls.end(), kProcessCall));
    }

    int parentWidth = 0;
    int parentHeight = 0;
    probeFunction<ReadParentSize>("editorProbeParentSize")(&parentWidth, &parentHeight);
    EXPECT_EQ(parentWidth, kWidth);
    EXPECT_EQ(parentHeight, kHeight);

    // The size first, then open; only idle calls and audio until the close.
    const std::vector<int> calls = editorCalls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0], effEditGetRect);
    EXPECT_EQ(calls[1], effEditOpen);
    EXPECT_EQ(calls.back(), effEditClose);
    EXPECT_TRUE(std::all_of(calls.begin() + 2, calls.end() - 1,
                            [](int call) { return call == effEditIdle || call == kProcessCall; }));
    EXPECT_GE(std::count(calls.begin(), calls.end(), effEditIdle), 1);
    EXPECT_GE(std::count(calls.begin(), calls.end(), kProcessCall), 1);

    unsigned width = 0;
    unsigned height = 0;
    ASSERT_TRUE(readPngHeader(CTemporaryFolder::readBytes(picture), width, height));
    EXPECT_EQ(width, static_cast<unsigned>(kWidth));
    EXPECT_EQ(height, static_cast<unsigned>(kHeight));
    // Both ends of the mark and of the fill: a picture moved or cut by a pixel fails.
    const struct
    {
        POINT point;
        COLORREF colour;
    } pixels[] = {{{0, 0}, kMark},
                  {{kMarkSize - 1, kMarkSize - 1}, kMark},
                  {{kMarkSize, 0}, kFill},
                  {{0, kMarkSize}, kFill},
                  {{kWidth / 2, kHeight / 2}, kFill},
                  {{kWidth - 1, kHeight - 1}, kFill}};
    std::vector<POINT> points;
    for (const auto& pixel : pixels)
        points.push_back(pixel.point);
    const std::vector<COLORREF> colours = decodePixels(picture, points);
    ASSERT_EQ(colours.size(), points.size());
    for (size_t index = 0; index < points.size(); ++index)
        EXPECT_EQ(colours[index], pixels[index].colour) << points[index].x << ", " << points[index].y;
}

TEST_F(CEditorHostTest, AnEditorThatCannotOpenGivesAReasonAndNoOpenEditor)
{
    const struct
    {
        int variant;
        const char* reason;
        std::vector<int> calls;
    } cases[] = {
        {kNoEditor, "has no editor", {}},
        {kNoRect, "gives no size", {effEditGetRect}},
        {kEmptyRect, "unusable size", {effEditGetRect}},
        {kOpensNothing, "did not open", {effEditGetRect, effEditOpen}},
        // It believes it is open, so it is told to close.
        {kClaimsToOpen, "did not open", {effEditGetRect, effEditOpen, effEditClose}},
    };
    for (const auto& test : cases)
    {
        load(test.variant);
        CEditorHost editor(m_host);
        std::string error;
        EXPECT_FALSE(editor.create("editor probe", error) && editor.openEditor(error)) << test.variant;
        EXPECT_NE(error.find(test.reason), std::string::npos) << test.variant << ": " << error;
        EXPECT_FALSE(editor.isEditorOpen()) << test.variant;
        EXPECT_EQ(editorCalls(), test.calls) << test.variant;
    }
}
} // namespace
