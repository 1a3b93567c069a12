#include "CEditorHost.hpp"

#include "CScreenshot.hpp"
#include "CTestHost.hpp"

#include <windows.h>

#include <algorithm>
#include <chrono>

namespace
{
typedef std::chrono::steady_clock Clock;

const char kWindowClassName[] = "VolturaTestHostEditor";
// Larger sides come from a garbled rectangle: no screen shows them.
constexpr int kMaxEditorSide = 16384;

double secondsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

// A request to close only ends the run: the window goes after effEditClose, so the editor's window is never
// destroyed while the plug-in still counts it as open.
LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE)
    {
        bool* closeRequested = reinterpret_cast<bool*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (closeRequested != nullptr)
            *closeRequested = true;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool registerWindowClass()
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    if (GetClassInfoExA(GetModuleHandleA(nullptr), kWindowClassName, &windowClass))
        return true;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    // Black, so any part of the window the editor leaves unpainted shows in a screenshot.
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kWindowClassName;
    return RegisterClassExA(&windowClass) != 0;
}

std::string rectangleText(const ERect& rect)
{
    return "top " + std::to_string(rect.top) + ", left " + std::to_string(rect.left) + ", bottom " +
           std::to_string(rect.bottom) + ", right " + std::to_string(rect.right);
}
} // namespace

CEditorHost::CEditorHost(CTestHost& host) : m_host(host) {}

CEditorHost::~CEditorHost()
{
    closeEditor();
    if (m_window != nullptr)
    {
        DestroyWindow(m_window);
        pumpMessages();
    }
}

bool CEditorHost::create(const std::string& title, std::string& error)
{
    const AEffect* effect = m_host.effect();
    if (effect == nullptr)
    {
        error = "no plug-in is loaded";
        return false;
    }
    if ((effect->flags & effFlagsHasEditor) == 0)
    {
        error = "the plug-in has no editor";
        return false;
    }
    ERect* rect = nullptr;
    const VstIntPtr answer = m_host.dispatch(effEditGetRect, 0, 0, &rect);
    if (rect == nullptr)
    {
        error = "the plug-in's editor gives no size (effEditGetRect answered " + std::to_string(answer) +
                " and no rectangle)";
        return false;
    }
    // Copied at once: the rectangle belongs to the plug-in.
    const ERect editorRect = *rect;
    const int width = editorRect.right - editorRect.left;
    const int height = editorRect.bottom - editorRect.top;
    if (width <= 0 || height <= 0 || width > kMaxEditorSide || height > kMaxEditorSide)
    {
        error = "the plug-in's editor gives an unusable size (" + rectangleText(editorRect) + ")";
        return false;
    }
    if (m_window != nullptr)
    {
        error = "the editor's window exists already";
        return false;
    }
    if (!registerWindowClass())
    {
        error = "cannot register the editor window's class";
        return false;
    }

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    // At the screen's top left, so that as much as possible of a large editor is on screen to be captured.
    m_window = CreateWindowExA(0, kWindowClassName, title.c_str(), style, 0, 0, frame.right - frame.left,
                               frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (m_window == nullptr)
    {
        error = "cannot create the editor's window (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&m_closeRequested));
    m_width = width;
    m_height = height;

    // The frame the system gives may differ from what AdjustWindowRectEx predicted; the client area must match.
    RECT client = {};
    GetClientRect(m_window, &client);
    if (client.right != width || client.bottom != height)
        SetWindowPos(m_window, nullptr, 0, 0, frame.right - frame.left + width - client.right,
                     frame.bottom - frame.top + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
    ShowWindow(m_window, SW_SHOWNORMAL);
    UpdateWindow(m_window);
    pumpMessages();
    return true;
}

bool CEditorHost::openEditor(std::string& error)
{
    if (m_window == nullptr)
    {
        error = "there is no window to open the editor in";
        return false;
    }
    if (m_editorOpen)
        return true;
    const VstIntPtr answer = m_host.dispatch(effEditOpen, 0, 0, m_window);
    RedrawWindow(m_window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    // Plug-ins disagree on what effEditOpen answers; the window they make is what counts.
    if (GetWindow(m_window, GW_CHILD) == nullptr)
    {
        // An editor that reported success is told to close, so it lets go of the parent it was given.
        if (answer != 0)
            m_host.dispatch(effEditClose);
        error = "the plug-in's editor did not open (effEditOpen answered " + std::to_string(answer) +
                " and made no window)";
        return false;
    }
    m_editorOpen = true;
    return true;
}

HWND CEditorHost::editorWindow() const
{
    return m_editorOpen ? GetWindow(m_window, GW_CHILD) : nullptr;
}

double CEditorHost::run(double seconds, const std::vector<std::vector<float>>& signal)
{
    const AEffect* effect = m_host.effect();
    bool audio = m_canProcess && effect != nullptr && effect->numInputs >= 0 && !signal.empty();
    for (const auto& channel : signal)
        audio = audio && !channel.empty();
    const double rate = static_cast<double>(m_host.sampleRate());
    const VstInt32 block = std::max<VstInt32>(1, m_host.blockSize());

    const Clock::time_point start = Clock::now();
    double framesDone = 0.0;
    size_t position = 0;
    double nextIdle = 0.0;
    m_closeRequested = false;
    for (;;)
    {
        pumpMessages();
        const double elapsed = secondsBetween(start, Clock::now());
        if (m_closeRequested || elapsed >= seconds)
            return elapsed;
        // As many blocks as real time has asked for, as an audio device would.
        while (audio && m_canProcess && framesDone + block <= elapsed * rate)
        {
            processBlock(signal, position);
            framesDone += block;
        }
        if (m_editorOpen && elapsed >= nextIdle)
        {
            m_host.dispatch(effEditIdle);
            ++m_idleCalls;
            nextIdle += kIdleIntervalSeconds;
        }
        double wake = std::min(seconds, nextIdle);
        if (audio && m_canProcess)
            wake = std::min(wake, (framesDone + block) / rate);
        const double wait = wake - secondsBetween(start, Clock::now());
        const DWORD milliseconds = wait > 0.0 ? static_cast<DWORD>(wait * 1000.0) + 1 : 0;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
    }
}

void CEditorHost::processBlock(const std::vector<std::vector<float>>& signal, size_t& position)
{
    const VstInt32 frames = std::max<VstInt32>(1, m_host.blockSize());
    const size_t length = signal[0].size();
    // Input channel c hears signal[c % channels], so a side-chain pair gets a copy of the main pair.
    m_blockInputs.resize(static_cast<size_t>(m_host.effect()->numInputs));
    for (size_t channel = 0; channel < m_blockInputs.size(); ++channel)
    {
        const std::vector<float>& source = signal[channel % signal.size()];
        std::vector<float>& input = m_blockInputs[channel];
        input.resize(static_cast<size_t>(frames));
        for (size_t frame = 0; frame < input.size(); ++frame)
            input[frame] = source[(position + frame) % source.size()];
    }
    position = (position + static_cast<size_t>(frames)) % length;
    if (m_host.process(m_blockInputs, m_blockOutputs, frames))
        ++m_blocksProcessed;
    else
        m_canProcess = false;
}

void CEditorHost::repaintEditor()
{
    HWND editor = editorWindow();
    if (editor == nullptr)
        return;
    InvalidateRect(editor, nullptr, TRUE);
    UpdateWindow(editor);
}

void CEditorHost::closeEditor()
{
    if (!m_editorOpen)
        return;
    m_host.dispatch(effEditClose);
    m_editorOpen = false;
    pumpMessages();
}

bool CEditorHost::saveScreenshot(const std::string& path, std::string& error)
{
    if (!m_editorOpen)
    {
        error = "the editor is not open";
        return false;
    }
    // Paints whatever is still pending, so the picture is the editor's latest state.
    RedrawWindow(m_window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return CScreenshot::saveClientArea(m_window, path, error);
}

void CEditorHost::pumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
