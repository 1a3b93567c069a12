// A plug-in that has nothing but an editor, for tests of the test host's editor mode: its editor paints known
// colours into a child window, and the probe records every call the host makes, in order.
#include "tests/probe/EditorProbe.hpp"

#include "vst/VstProtocol.hpp"

#include <windows.h>

#include <algorithm>
#include <vector>

using namespace EditorProbe;

namespace
{
const char kClassName[] = "VolturaEditorProbe";

int g_variant = kWorking;
std::vector<int> g_calls;
HWND g_window = nullptr;
int g_parentWidth = 0;
int g_parentHeight = 0;
ERect g_rect;
AEffect g_effect;

HINSTANCE probeModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&g_effect), &module);
    return module;
}

void fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour)
{
    const RECT area = {left, top, right, bottom};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    fill(dc, 0, 0, kWidth, kHeight, kFill);
    fill(dc, 0, 0, kMarkSize, kMarkSize, kMark);
    EndPaint(window, &paint);
    return 0;
}

bool openEditor(HWND parent)
{
    RECT client = {};
    GetClientRect(parent, &client);
    g_parentWidth = client.right;
    g_parentHeight = client.bottom;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = probeModule();
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
    g_window = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, kWidth, kHeight, parent, nullptr,
                               probeModule(), nullptr);
    return g_window != nullptr;
}

// The class goes with the window: its procedure lives in this library, which the host may unload.
void closeEditor()
{
    if (g_window != nullptr)
        DestroyWindow(g_window);
    g_window = nullptr;
    UnregisterClassA(kClassName, probeModule());
}

VST_ENTRY_ALIGN VstIntPtr VSTCALLBACK dispatcher(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float)
{
    g_calls.push_back(opcode);
    switch (opcode)
    {
    case effEditGetRect:
        if (g_variant == kNoRect)
            return 0;
        // Away from the origin, so a host that takes right and bottom for the size gets it wrong.
        g_rect = {kTop, kLeft, static_cast<VstInt16>(kTop + (g_variant == kEmptyRect ? 0 : kHeight)),
                  static_cast<VstInt16>(kLeft + kWidth)};
        *static_cast<ERect**>(ptr) = &g_rect;
        return 1;
    case effEditOpen:
        if (g_variant == kOpensNothing)
            return 0;
        if (g_variant == kClaimsToOpen)
            return 1;
        return openEditor(static_cast<HWND>(ptr)) ? 1 : 0;
    case effEditClose:
    case effClose:
        closeEditor();
        return 0;
    default:
        return 0;
    }
}

VST_ENTRY_ALIGN void VSTCALLBACK processReplacing(AEffect*, float** inputs, float** outputs, VstInt32 frames)
{
    g_calls.push_back(kProcessCall);
    for (int channel = 0; channel < 2; ++channel)
        std::copy(inputs[channel], inputs[channel] + frames, outputs[channel]);
}
} // namespace

// Renamed to `main` in the .def file, as g++ takes no `main` that answers a pointer.
extern "C" VST_ENTRY_ALIGN AEffect* EditorProbeMain(audioMasterCallback)
{
    g_effect = AEffect();
    g_effect.magic = kEffectMagic;
    g_effect.dispatcher = dispatcher;
    g_effect.processReplacing = processReplacing;
    g_effect.numInputs = 2;
    g_effect.numOutputs = 2;
    g_effect.flags = effFlagsCanReplacing | effFlagsHasEditor;
    g_effect.uniqueID = vstFourCharacters("EdPr");
    g_effect.ioRatio = 1.0f;
    return &g_effect;
}

extern "C" void editorProbeSetVariant(int variant)
{
    g_variant = variant;
    if (variant == kNoEditor)
        g_effect.flags &= ~effFlagsHasEditor;
}

extern "C" int editorProbeCalls(int* calls, int size)
{
    const int count = static_cast<int>(std::min<size_t>(g_calls.size(), static_cast<size_t>(size)));
    std::copy(g_calls.begin(), g_calls.begin() + count, calls);
    return count;
}

extern "C" void editorProbeParentSize(int* width, int* height)
{
    *width = g_parentWidth;
    *height = g_parentHeight;
}
