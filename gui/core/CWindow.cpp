#include "gui/core/CWindow.hpp"

#include "foundation/basics/CSystemString.hpp"
#include "foundation/collections/TPointerCollection.hpp"
#include "foundation/exceptions/CException.hpp"
#include "foundation/host/CApplication.hpp"
#include "foundation/host/CDLLLoader.hpp"
#include "foundation/host/CDriveInformation.hpp"
#include "foundation/host/CTrace.hpp"
#include "gui/controls/CTextEdit.hpp"
#include "gui/core/CControlRoot.hpp"
#include "gui/core/CDropEvent.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CNativeImage.hpp"
#include "gui/core/CUpdateAreas.hpp"
#include "gui/core/CWindowAttributes.hpp"
#include "gui/core/CWindowIcon.hpp"
#include "gui/core/ITimedObject.hpp"

#include <windows.h>
#include <shellapi.h>

#include <atomic>
#include <exception>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
using ::Brivant::Basics::CClass;
using ::Brivant::Basics::CString;
using ::Brivant::Basics::CSystemString;
using ::Brivant::Exceptions::CException;
using ::Brivant::Host::CApplication;
using ::Brivant::Host::CTrace;
using ::Brivant::MathTools::CDimension;
using ::Brivant::MathTools::CPoint;
using ::Brivant::MathTools::CRect;
using Basics::ITimedObject;
using Events::CMouseEvent;

namespace
{
[[maybe_unused]] const CClass& s_record = CWindow::classRecord();

using FSetLayeredWindowAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
using CTimedObjects = Collections::TPointerCollection<ITimedObject>;

constexpr UINT kDefaultClassStyle = CS_DBLCLKS;
constexpr UINT kDropShadowClassStyle = CS_DBLCLKS | CS_DROPSHADOW;

// The window the mouse hook hands the wheel to. Hooks of several threads may read it at once.
std::atomic<HWND> s_hookWindow(nullptr);

LRESULT CALLBACK windowProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

// The live windows of each class this module registered. Instances that host threads build and close at once
// share the classes, so a class is registered by its first window and given back by its last, both under one
// lock: no thread takes a class away while another makes a window with it.
std::mutex& windowClassLock()
{
    static std::mutex lock;
    return lock;
}

std::map<std::string, long, std::less<>>& liveWindowsOfClass()
{
    static std::map<std::string, long, std::less<>> windows;
    return windows;
}

// Counts one more window of the class, registering it when it is not there; false when it cannot be.
bool holdWindowClass(const WNDCLASSEXA& windowClass)
{
    const std::lock_guard<std::mutex> guard(windowClassLock());
    auto& windows = liveWindowsOfClass();
    auto found = windows.find(windowClass.lpszClassName);
    if (found == windows.end())
    {
        // The entry comes first: should it fail, no class is left registered that nothing counts.
        found = windows.emplace(windowClass.lpszClassName, 0).first;
        WNDCLASSEXA existing = {};
        existing.cbSize = sizeof(existing);
        if (!GetClassInfoExA(windowClass.hInstance, windowClass.lpszClassName, &existing) &&
            RegisterClassExA(&windowClass) == 0)
        {
            windows.erase(found);
            return false;
        }
    }
    ++found->second;
    return true;
}

// Counts one window of the class less; the last one gives the class back.
void releaseWindowClassHold(const char* className, HINSTANCE instance)
{
    const std::lock_guard<std::mutex> guard(windowClassLock());
    auto& windows = liveWindowsOfClass();
    const auto found = windows.find(className);
    if (found == windows.end() || --found->second > 0)
    {
        return;
    }
    windows.erase(found);
    UnregisterClassA(className, instance);
}

// The module that holds this code: a plug-in's classes belong to the plug-in, not to the host program.
HINSTANCE moduleInstance()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&moduleInstance), &module);
    return module;
}

bool isKeyDown(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

// The framework window behind a handle, when it is one of this thread: only windows of this module's classes
// carry a CWindow in their user data (any other window, the host's included, may hold anything there), and
// only the thread that owns a window may touch its object.
CWindow* frameworkWindowOf(HWND handle)
{
    if (handle == nullptr || !IsWindow(handle) || GetWindowThreadProcessId(handle, nullptr) != GetCurrentThreadId() ||
        reinterpret_cast<WNDPROC>(GetClassLongPtrA(handle, GCLP_WNDPROC)) != &windowProcedure)
    {
        return nullptr;
    }
    auto* window = dynamic_cast<CWindow*>(reinterpret_cast<IWindow*>(GetWindowLongPtrA(handle, GWLP_USERDATA)));
    if (window == nullptr || *window->getWindowHandle() != handle)
    {
        return nullptr;
    }
    return window;
}

// Nothing may unwind into the system's code: it would cross frames that know nothing of C++ exceptions. Called
// from a catch block; even a failing trace stays inside.
void traceFailure(const char* where) noexcept
{
    try
    {
        try
        {
            throw;
        }
        catch (const CException& failure)
        {
            CTrace::trace("CWindow: %s failed: %s (%s)", where, failure.getErrorReason().getString(),
                          failure.getFunctionName().getString());
        }
        catch (const std::exception& failure)
        {
            CTrace::trace("CWindow: %s failed: %s", where, failure.what());
        }
        catch (...)
        {
            CTrace::trace("CWindow: %s failed with an unknown exception", where);
        }
    }
    catch (...)
    {
    }
}

LRESULT CALLBACK windowProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    try
    {
        if (message == WM_NCCREATE)
        {
            const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
        }
        // Every framework window is reached through its interface, derived windows' handlers included.
        auto* window = reinterpret_cast<IWindow*>(GetWindowLongPtrA(handle, GWLP_USERDATA));
        if (window != nullptr)
        {
            return static_cast<LRESULT>(window->handleWindowEvents(handle, message, wParam, lParam));
        }
    }
    catch (...)
    {
        traceFailure("the window procedure");
    }
    return DefWindowProcA(handle, message, wParam, lParam);
}

VOID CALLBACK timerProcedure(HWND handle, UINT /*message*/, UINT_PTR timerId, DWORD /*time*/)
{
    try
    {
        if (CWindow* window = frameworkWindowOf(handle))
        {
            window->timerExpired(static_cast<long>(timerId));
        }
    }
    catch (...)
    {
        traceFailure("the timer procedure");
    }
}

LRESULT CALLBACK mouseHookProcedure(int code, WPARAM wParam, LPARAM lParam)
{
    return static_cast<LRESULT>(CWindow::dispatchMouseHook(code, wParam, lParam));
}

// Ends the paint however drawing leaves: a paint left open would keep the window's update region invalid.
class CPaintEnd
{
public:
    CPaintEnd(HWND handle, const PAINTSTRUCT& paint) : m_handle(handle), m_paint(paint) {}
    ~CPaintEnd() { EndPaint(m_handle, &m_paint); }
    CPaintEnd(const CPaintEnd&) = delete;
    CPaintEnd& operator=(const CPaintEnd&) = delete;

private:
    HWND m_handle;
    const PAINTSTRUCT& m_paint;
};

// Marks a paint as drawing; once it has ended, asks again for the area of any paint put off meanwhile.
class CPaintNesting
{
public:
    CPaintNesting(HWND handle, bool& painting, CRect& deferred)
        : m_handle(handle), m_painting(painting), m_deferred(deferred)
    {
        m_painting = true;
    }
    ~CPaintNesting()
    {
        m_painting = false;
        if (m_deferred.getWidth() <= 0 || m_deferred.getHeight() <= 0)
            return;
        const RECT area = m_deferred.getAsRECT();
        m_deferred = CRect(0, 0, 0, 0);
        InvalidateRect(m_handle, &area, FALSE);
    }
    CPaintNesting(const CPaintNesting&) = delete;
    CPaintNesting& operator=(const CPaintNesting&) = delete;

private:
    HWND m_handle;
    bool& m_painting;
    CRect& m_deferred;
};

// Gives the graphics context back to its idle state after every paint.
class CGraphicsRelease
{
public:
    explicit CGraphicsRelease(Graphics::CGraphics& graphics) : m_graphics(graphics) {}
    ~CGraphicsRelease()
    {
        m_graphics.setDrawingOffset(CPoint(0, 0));
        m_graphics.getClippingRegion().resetClipRegion();
        m_graphics.uninitialise();
    }
    CGraphicsRelease(const CGraphicsRelease&) = delete;
    CGraphicsRelease& operator=(const CGraphicsRelease&) = delete;

private:
    Graphics::CGraphics& m_graphics;
};

// The shell's drop memory is the receiver's to free, whoever handles the drop.
class CDropFinish
{
public:
    explicit CDropFinish(HDROP drop) : m_drop(drop) {}
    ~CDropFinish()
    {
        if (m_drop != nullptr)
        {
            DragFinish(m_drop);
        }
    }
    CDropFinish(const CDropFinish&) = delete;
    CDropFinish& operator=(const CDropFinish&) = delete;

private:
    HDROP m_drop;
};
} // namespace

CClass& CWindow::classRecord()
{
    static CClass record("CWindow");
    return record;
}

const CClass& CWindow::getClass() const { return classRecord(); }

CWindow::CWindow(const CRect& area)
    : m_referenceCount(0), m_mouseListener(nullptr), m_dropFileListener(nullptr), m_keyboardListener(nullptr),
      m_windowChangeListener(this), m_focusListener(this), m_attributes(new CWindowAttributes()),
      m_handle(nullptr), m_parent(nullptr), m_size(area.getWidth(), area.getHeight()),
      m_position(area.getLeft(), area.getTop()), m_area(area), m_mouse(), m_lastMousePosition(0, 0),
      m_graphics(new Graphics::CGraphics()), m_painting(false), m_deferredPaint(0, 0, 0, 0),
      m_mouseEvent(&m_mouse, CMouseEvent::kMouseMove, 0.0),
      m_keyboardEvent(), m_created(false), m_toolTipValue(0),
      m_timedObjects(new CTimedObjects(&Collections::TObjectNuller<ITimedObject>::sharedPolicy())),
      m_controlRoot(new Controls::CControlRoot(this)), m_user32(), m_setLayeredWindowAttributes(nullptr),
      m_keyboardHook(nullptr), m_mouseHook(nullptr), m_className(""), m_holdsWindowClass(false),
      m_alive(std::make_shared<bool>(true))
{
    m_mouseListener = m_controlRoot.get();
    m_dropFileListener = m_controlRoot.get();
    m_keyboardListener = m_controlRoot.get();
    // A window paints on every redraw it is asked for: making a new surface of its whole size for each paint
    // costs more than drawing a knob.
    m_graphics->setSurfaceKept(true);

    // Looked up at run time: older systems have no layered windows, and then alpha only does nothing.
    try
    {
        CString windowsFolder("");
        Host::CDriveInformation::getWindowsFolder(windowsFolder);
        CSystemString path(windowsFolder);
        path.appendPath(CString("System32\\user32.dll"));
        m_user32.reset(new Host::CDLLLoader(path));
        m_setLayeredWindowAttributes = m_user32->getFunctionAddress(CString("SetLayeredWindowAttributes"));
    }
    catch (const CException&)
    {
        m_user32.reset();
        m_setLayeredWindowAttributes = nullptr;
    }
}

CWindow::~CWindow()
{
    *m_alive = false;
    // Derived windows and outside listeners may be gone already; the messages of the destruction must not
    // reach them.
    m_mouseListener = nullptr;
    m_dropFileListener = nullptr;
    m_keyboardListener = nullptr;
    m_windowChangeListener = this;
    m_focusListener = this;
    try
    {
        if (hasNativeWindow())
        {
            prepareToClose();
            stopAllTimers();
            destroyWindow();
        }
        removeKeyboardHook();
        removeMouseHook();
        releaseWindowClass();
    }
    catch (...)
    {
        traceFailure("destroying the window");
    }
    // A native window that outlives this object must never lead back to it.
    if (m_created && m_handle != nullptr &&
        reinterpret_cast<IWindow*>(GetWindowLongPtrA(m_handle, GWLP_USERDATA)) == static_cast<IWindow*>(this))
    {
        SetWindowLongPtrA(m_handle, GWLP_USERDATA, 0);
    }
    m_setLayeredWindowAttributes = nullptr;
}

void CWindow::referenced() { ++m_referenceCount; }

void CWindow::dereference()
{
    if (--m_referenceCount <= 0)
    {
        delete this;
    }
}

long CWindow::getReferenceCount() const { return m_referenceCount; }

void CWindow::getObjectDescription(char* /*text*/, long /*size*/) const {}

void CWindow::setParentWindow(IWindow* parent) { m_parent = parent; }

IWindow* CWindow::getParentWindow() const { return m_parent; }

void CWindow::unusedHook8(void* /*argument*/) {}

void CWindow::prepareToClose() {}

void CWindow::unusedHook10(void* /*argument*/) {}

HWND__* const* CWindow::getWindowHandle() const { return &m_handle; }

HWND__** CWindow::getMutableWindowHandle() { return &m_handle; }

CWindowAttributes* CWindow::getWindowAttributes() const { return m_attributes.get(); }

Controls::IControlRoot* CWindow::getControlRoot() const { return m_controlRoot.get(); }

void CWindow::setControlRoot(Controls::CControlRoot* root)
{
    if (root == nullptr || root == m_controlRoot.get())
    {
        return;
    }
    m_controlRoot.reset(root);
    m_mouseListener = root;
    m_dropFileListener = root;
    m_keyboardListener = root;
}

void CWindow::intialiseWindow(CWindowAttributes* attributes, bool showWindow)
{
    if (attributes == nullptr || m_created)
    {
        return;
    }
    try
    {
        *m_attributes = *attributes;
        if (createWindow() && showWindow)
        {
            openWindow();
            updateWindow();
        }
    }
    catch (const CException& inner)
    {
        CString reason("Caught an exception whilst initialising window. Further details below:\n\n");
        reason.appendString(inner.getErrorReason());
        CString function("void CWindow::intialiseWindow(CWindowAttributes *, const bool) ->\n");
        function.appendString(inner.getFunctionName());
        throw CException(reason, function, true);
    }
}

bool CWindow::createWindow()
{
    CString className("com.brivant.");
    if (const CString* product = CApplication::getProductName())
    {
        className.appendString(*product);
    }
    className.appendString(".");
    className.appendString(m_attributes->getWindowName());

    HINSTANCE instance = moduleInstance();
    HICON icon = m_attributes->getWindowIcon() != nullptr ? m_attributes->getWindowIcon()->getIcon() : nullptr;
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = m_attributes->hasDropShadow() ? kDropShadowClassStyle : kDefaultClassStyle;
    windowClass.lpfnWndProc = &windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hIconSm = icon;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = nullptr;
    windowClass.lpszClassName = className.getString();
    // A window made again after the system destroyed its last one gives that one's hold back first.
    releaseWindowClass();
    m_className.setString(className);
    if (!holdWindowClass(windowClass))
    {
        return false;
    }
    m_holdsWindowClass = true;

    HWND owner = nullptr;
    if (m_parent != nullptr && m_parent->getWindowHandle() != nullptr)
    {
        owner = *m_parent->getWindowHandle();
    }
    HWND handle = CreateWindowExA(static_cast<DWORD>(m_attributes->getExtendedWindowStyle()), className.getString(),
                                  m_attributes->getWindowName().getString(),
                                  static_cast<DWORD>(m_attributes->getWindowStyle()), m_position.getX(),
                                  m_position.getY(), m_size.getWidth(), m_size.getHeight(), owner, nullptr,
                                  instance, static_cast<IWindow*>(this));
    if (handle == nullptr)
    {
        const DWORD error = GetLastError();
        char text[256] = {};
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                       sizeof(text), nullptr);
        releaseWindowClass();
        throw CException(CString(text), CString("CWindow::createWindow()"), true);
    }
    m_handle = handle;
    m_created = true;
    setWindowAlpha(m_attributes->getAlpha());
    if (!m_attributes->isEnabled())
    {
        disableWindow();
    }
    m_graphics->getOffscreenImage().setBackgroundColour(m_attributes->getBackgroundColour());
    return true;
}

void CWindow::closeWindow()
{
    if (!m_created)
    {
        return;
    }
    prepareToClose();
    stopAllTimers();
    destroyWindow();
    m_created = false;
}

void CWindow::openWindow()
{
    if (hasNativeWindow())
    {
        ShowWindow(m_handle, SW_SHOW);
    }
}

void CWindow::hideWindow()
{
    if (!hasNativeWindow())
    {
        return;
    }
    ShowWindow(m_handle, SW_HIDE);
    if (m_windowChangeListener != nullptr)
    {
        m_windowChangeListener->windowClosed(this);
    }
}

void CWindow::destroyWindow()
{
    removeKeyboardHook();
    removeMouseHook();
    if (!hasNativeWindow())
    {
        return;
    }
    // The system's destruction messages clear the handle and the created flag (see WM_NCDESTROY).
    DestroyWindow(m_handle);
    forgetNativeWindow();
    releaseWindowClass();
}

void CWindow::updateWindow()
{
    if (hasNativeWindow())
    {
        UpdateWindow(m_handle);
    }
}

void CWindow::disableWindow()
{
    if (hasNativeWindow())
    {
        EnableWindow(m_handle, FALSE);
    }
}

void CWindow::enableWindow()
{
    if (hasNativeWindow())
    {
        EnableWindow(m_handle, TRUE);
    }
}

void CWindow::draw(Graphics::CGraphics& graphics) { m_controlRoot->drawRootControl(graphics); }

void CWindow::redrawWindow()
{
    // The stored area is the window's place on its parent; the client area starts at (0, 0).
    if (hasNativeWindow())
    {
        InvalidateRect(m_handle, nullptr, FALSE);
    }
}

void CWindow::redrawWindowArea(const CRect& area)
{
    if (hasNativeWindow())
    {
        const RECT rectangle = area.getAsRECT();
        InvalidateRect(m_handle, &rectangle, FALSE);
    }
}

void CWindow::setWindowPosition(const CPoint& position)
{
    if (!hasNativeWindow())
    {
        return;
    }
    m_position = position;
    m_area.setOrigin(position);
    SetWindowPos(m_handle, nullptr, position.getX(), position.getY(), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER);
    if (m_windowChangeListener != nullptr)
    {
        m_windowChangeListener->windowMoved(this, position);
    }
}

void CWindow::setWindowSize(const CDimension& size)
{
    if (!hasNativeWindow())
    {
        return;
    }
    m_size = size;
    m_area.setDimension(size);
    MoveWindow(m_handle, m_position.getX(), m_position.getY(), size.getWidth(), size.getHeight(), TRUE);
    if (m_windowChangeListener != nullptr)
    {
        m_windowChangeListener->windowSized(this, size);
    }
}

void CWindow::setWindowArea(const CRect& area)
{
    if (!hasNativeWindow())
    {
        return;
    }
    m_area = area;
    m_position = CPoint(area.getLeft(), area.getTop());
    m_size = area.getDimension();
    MoveWindow(m_handle, area.getLeft(), area.getTop(), area.getWidth(), area.getHeight(), TRUE);
    if (m_windowChangeListener != nullptr)
    {
        m_windowChangeListener->windowMoved(this, m_position);
        m_windowChangeListener->windowSized(this, m_size);
    }
}

void CWindow::setWindowAlpha(double alpha)
{
    if (!hasNativeWindow())
    {
        return;
    }
    m_attributes->setAlpha(alpha);
    if (m_setLayeredWindowAttributes != nullptr)
    {
        // Unheld, 1.5 would wrap round to a half-transparent byte.
        const auto setLayered = reinterpret_cast<FSetLayeredWindowAttributes>(m_setLayeredWindowAttributes);
        setLayered(m_handle, 0, Graphics::CNativeImage::constantAlphaByte(alpha), LWA_ALPHA);
    }
}

void CWindow::timerExpired(long timerId)
{
    // Callbacks may remove themselves or others, or close this window: the list may change under the loop.
    std::vector<ITimedObject*> objects;
    for (long index = 0; index < m_timedObjects->getArraySize(); ++index)
    {
        if (ITimedObject* object = m_timedObjects->getElementAt(index))
        {
            objects.push_back(object);
        }
    }
    const std::shared_ptr<bool> alive = m_alive;
    for (ITimedObject* object : objects)
    {
        if (!*alive)
        {
            return;
        }
        if (m_timedObjects->getIndexOfElement(object) >= 0 && object->getTimerId() == timerId)
        {
            object->timerExpired();
        }
    }
}

void CWindow::startTimer(long timerId, long milliseconds)
{
    if (timerId == 0)
    {
        throw CException(CString("Timer id's cannot be zero on Windows platforms"),
                         CString("CWindow::startTimer(const long, const long)"), true);
    }
    if (hasNativeWindow())
    {
        SetTimer(m_handle, static_cast<UINT_PTR>(timerId), static_cast<UINT>(milliseconds), &timerProcedure);
    }
}

void CWindow::stopTimer(long timerId)
{
    if (hasNativeWindow() && hasTimedObjectWithId(timerId))
    {
        KillTimer(m_handle, static_cast<UINT_PTR>(timerId));
    }
}

void CWindow::addTimedObject(ITimedObject* object) { m_timedObjects->addElement(object); }

void CWindow::removeTimedObject(ITimedObject* object)
{
    if (object == nullptr)
    {
        return;
    }
    // One entry per call, as each addition adds one.
    const long index = m_timedObjects->getIndexOfElement(object);
    if (index < 0)
    {
        return;
    }
    const long timerId = object->getTimerId();
    m_timedObjects->removeElementAt(index);
    m_timedObjects->reorderArray(false);
    // Objects sharing an id share one system timer: stopping it would starve the ones still registered.
    if (hasNativeWindow() && !hasTimedObjectWithId(timerId))
    {
        KillTimer(m_handle, static_cast<UINT_PTR>(timerId));
    }
}

void CWindow::stopAllTimers()
{
    if (hasNativeWindow())
    {
        for (long index = 0; index < m_timedObjects->getArraySize(); ++index)
        {
            if (ITimedObject* object = m_timedObjects->getElementAt(index))
            {
                KillTimer(m_handle, static_cast<UINT_PTR>(object->getTimerId()));
            }
        }
    }
    m_timedObjects->clearArray();
}

bool CWindow::hasTimedObjectWithId(long timerId) const
{
    for (long index = 0; index < m_timedObjects->getArraySize(); ++index)
    {
        const ITimedObject* object = m_timedObjects->getElementAt(index);
        if (object != nullptr && object->getTimerId() == timerId)
        {
            return true;
        }
    }
    return false;
}

void CWindow::windowSized(IWindow* /*window*/, const CDimension& /*size*/) {}

void CWindow::windowMoved(IWindow* /*window*/, const CPoint& /*position*/) {}

bool CWindow::windowClosed(IWindow* /*window*/)
{
    if (CApplication::getMainWindow() != nullptr &&
        CApplication::getMainWindow() == static_cast<void*>(static_cast<IWindow*>(this)))
    {
        PostQuitMessage(0);
    }
    return true;
}

void CWindow::windowNotification4(IWindow* /*window*/) {}

void CWindow::windowNotification5(IWindow* /*window*/) {}

void CWindow::windowNotification6(IWindow* /*window*/) {}

void CWindow::gainedFocus(IWindow* /*window*/) {}

void CWindow::lostFocus(IWindow* /*window*/) {}

std::intptr_t CWindow::handleWindowEvents(HWND__* window, unsigned int message, std::uintptr_t wParam,
                                          std::intptr_t lParam)
{
    std::intptr_t result = 0;
    if (handleMessage(window, message, wParam, lParam, result))
    {
        return result;
    }
    return static_cast<std::intptr_t>(DefWindowProcA(window, message, wParam, lParam));
}

bool CWindow::handleMessage(HWND__* window, unsigned int message, std::uintptr_t wParam, std::intptr_t lParam,
                            std::intptr_t& result)
{
    switch (message)
    {
    case WM_NCCREATE:
        // Known from the start, so that messages of the creation (focus among them) find the handle.
        m_handle = window;
        return false;
    case WM_NCDESTROY:
        if (window == m_handle)
        {
            // The system destroys the window, perhaps with its parent before anyone asked this object.
            forgetNativeWindow();
        }
        return false;
    case WM_DESTROY:
        return handleDestroy(result);
    case WM_MOVE:
        return handleMove(lParam);
    case WM_SIZE:
        return handleSize(lParam);
    case WM_SETFOCUS:
        return handleSetFocus();
    case WM_KILLFOCUS:
        return handleKillFocus();
    case WM_PAINT:
        return handlePaint(window, result);
    case WM_CLOSE:
        return handleClose(result);
    case WM_ERASEBKGND:
        // The paint covers every pixel; erasing first would flicker.
        result = 1;
        return true;
    case WM_TIMER:
        // Timers arrive through the timer procedure.
        result = 0;
        return true;
    case WM_KEYDOWN:
        return handleKey(true, wParam, lParam, result);
    case WM_KEYUP:
        return handleKey(false, wParam, lParam, result);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return handleEditColours(wParam, lParam, result);
    case WM_MOUSEMOVE:
        return handleMouseMoveMessage(lParam, result);
    case WM_LBUTTONDOWN:
        return handleButtonDown(true, lParam, result);
    case WM_LBUTTONUP:
        return handleButtonUp(true, lParam, result);
    case WM_LBUTTONDBLCLK:
        return handleDoubleClickMessage(lParam, result);
    case WM_RBUTTONDOWN:
        return handleButtonDown(false, lParam, result);
    case WM_RBUTTONUP:
        return handleButtonUp(false, lParam, result);
    case WM_MOUSEWHEEL:
        return handleWheelMessage(wParam, result);
    case WM_DROPFILES:
        return handleDrop(wParam, result);
    case WM_MOUSELEAVE:
        return handleMouseLeave(result);
    default:
        return false;
    }
}

bool CWindow::handleDestroy(std::intptr_t& result)
{
    // A destroy cannot be refused, so the hooks go whatever the listener answers.
    removeKeyboardHook();
    removeMouseHook();
    if (m_windowChangeListener != nullptr && !m_windowChangeListener->windowClosed(this))
    {
        result = -1;
        return true;
    }
    return false;
}

bool CWindow::handleEditColours(std::uintptr_t wParam, std::intptr_t lParam, std::intptr_t& result)
{
    // The box names its text edit, which may sit in a panel; else the text edit holding this root's lock answers.
    // Anything else gets the system's colours.
    auto* edit = Controls::CTextEdit::findBoxOwner(reinterpret_cast<HWND>(lParam));
    Controls::IControl* locked = m_controlRoot->getLockedControl();
    if (edit == nullptr && locked != nullptr && locked->getClass() == "CTextEdit")
        edit = dynamic_cast<Controls::CTextEdit*>(locked);
    if (edit == nullptr)
    {
        return false;
    }
    result = reinterpret_cast<std::intptr_t>(edit->prepareEditColours(reinterpret_cast<HDC>(wParam)));
    return true;
}

bool CWindow::handleMove(std::intptr_t lParam)
{
    // Signed: a child window may stand left of or above its parent's client area.
    const auto packed = static_cast<std::uintptr_t>(lParam);
    m_position = CPoint(static_cast<int16_t>(packed & 0xFFFF), static_cast<int16_t>((packed >> 16) & 0xFFFF));
    m_area.setOrigin(m_position);
    if (m_windowChangeListener != nullptr)
    {
        m_windowChangeListener->windowMoved(this, m_position);
    }
    return false;
}

bool CWindow::handleSize(std::intptr_t lParam)
{
    const auto packed = static_cast<std::uintptr_t>(lParam);
    m_size = CDimension(static_cast<long>(packed & 0xFFFF), static_cast<long>((packed >> 16) & 0xFFFF));
    m_area.setDimension(m_size);
    if (m_windowChangeListener != nullptr)
    {
        m_windowChangeListener->windowSized(this, m_size);
    }
    return false;
}

bool CWindow::handleSetFocus()
{
    if (m_focusListener != nullptr)
    {
        m_focusListener->gainedFocus(this);
    }
    installMouseHook();
    return false;
}

bool CWindow::handleKillFocus()
{
    removeKeyboardHook();
    removeMouseHook();
    if (m_focusListener != nullptr)
    {
        m_focusListener->lostFocus(this);
    }
    return false;
}

bool CWindow::handlePaint(HWND__* window, std::intptr_t& result)
{
    result = 0;
    PAINTSTRUCT paint = {};
    if (m_painting)
    {
        // Validated now, or a drawing that pumps messages would receive this paint again and again.
        BeginPaint(window, &paint);
        CRect area(0, 0, 0, 0);
        area.setFromRECT(paint.rcPaint);
        EndPaint(window, &paint);
        if (area.getWidth() <= 0 || area.getHeight() <= 0)
            return true;
        if (m_deferredPaint.getWidth() > 0 && m_deferredPaint.getHeight() > 0)
            area.unionWith(m_deferredPaint);
        m_deferredPaint = area;
        return true;
    }
    // Its end comes after EndPaint's, so that the areas it asks for again stay invalid.
    CPaintNesting nesting(window, m_painting, m_deferredPaint);
    HDC dc = BeginPaint(window, &paint);
    CPaintEnd paintEnd(window, paint);
    if (dc == nullptr)
    {
        return true;
    }
    CRect update(0, 0, 0, 0);
    update.setFromRECT(paint.rcPaint);
    CUpdateAreas areas;
    areas.readFrom(dc);
    areas.holdTo(update);
    areas.consolidate();
    m_graphics->setUpdateArea(update);
    m_graphics->initialise(&m_handle, dc, m_size);
    CGraphicsRelease release(*m_graphics);
    if (!m_graphics->isInitialised())
    {
        return true;
    }
    for (long index = 0; index < areas.getCount(); ++index)
    {
        paintArea(dc, areas.getArea(index));
    }
    return true;
}

void CWindow::paintArea(HDC__* dc, const CRect& area)
{
    m_graphics->setUpdateArea(area);
    m_graphics->setDrawingOffset(CPoint(0, 0));
    m_graphics->getClippingRegion().setClipRegion(area);
    // The surface outlives the paint, so the area still holds what an earlier paint drew there.
    m_graphics->getOffscreenImage().fillBackground(area);
    draw(*m_graphics);
    // Only what needed painting reaches the screen, each area as soon as it is drawn: a later area's controls
    // may reach into it.
    BitBlt(dc, area.getLeft(), area.getTop(), area.getWidth(), area.getHeight(),
           m_graphics->getOffscreenImage().getMemoryContext(), area.getLeft(), area.getTop(), SRCCOPY);
}

bool CWindow::handleClose(std::intptr_t& result)
{
    if (m_windowChangeListener != nullptr && !m_windowChangeListener->windowClosed(this))
    {
        result = -1;
        return true;
    }
    return false;
}

bool CWindow::handleKey(bool pressed, std::uintptr_t wParam, std::intptr_t lParam, std::intptr_t& result)
{
    result = 1;
    if (m_keyboardListener == nullptr)
    {
        return true;
    }
    m_keyboardEvent.translateKeyMessage(static_cast<long>(wParam), lParam);
    m_keyboardEvent.setModifiers(isKeyDown(VK_CONTROL), isKeyDown(VK_SHIFT), isKeyDown(VK_MENU),
                                 m_keyboardEvent.isNotACharacter());
    const bool handled = pressed ? m_keyboardListener->handleKeyDown(m_keyboardEvent)
                                 : m_keyboardListener->handleKeyUp(m_keyboardEvent);
    result = handled ? 0 : 1;
    return true;
}

bool CWindow::handleMouseMoveMessage(std::intptr_t lParam, std::intptr_t& result)
{
    if (m_mouseListener == nullptr)
    {
        return false;
    }
    prepareMouseEvent(CMouseEvent::kMouseMove);
    updateMousePosition(lParam);
    trackMouseLeave();
    m_mouseListener->handleMouseMovement(m_mouseEvent);
    result = 0;
    return true;
}

bool CWindow::handleButtonDown(bool left, std::intptr_t lParam, std::intptr_t& result)
{
    result = -1;
    if (m_mouseListener == nullptr)
    {
        return true;
    }
    // A drag keeps reporting when it leaves the window.
    if (!m_mouse.isMouseCaptured())
    {
        m_mouse.captureMouse(&m_handle);
    }
    prepareMouseEvent(left ? CMouseEvent::kLeftButtonDown : CMouseEvent::kRightButtonDown);
    updateMousePosition(lParam);
    trackMouseLeave();
    result = 0;
    if (left)
    {
        m_mouseListener->handleLeftButtonDown(m_mouseEvent);
    }
    else
    {
        m_mouseListener->handleRightButtonDown(m_mouseEvent);
    }
    return true;
}

bool CWindow::handleButtonUp(bool left, std::intptr_t lParam, std::intptr_t& result)
{
    result = -1;
    if (m_mouseListener == nullptr)
    {
        return true;
    }
    if (m_mouse.isMouseCaptured())
    {
        m_mouse.releaseCapture();
    }
    prepareMouseEvent(left ? CMouseEvent::kLeftButtonUp : CMouseEvent::kRightButtonUp);
    updateMousePosition(lParam);
    result = 0;
    if (left)
    {
        m_mouseListener->handleLeftButtonUp(m_mouseEvent);
    }
    else
    {
        m_mouseListener->handleRightButtonUp(m_mouseEvent);
    }
    return true;
}

bool CWindow::handleDoubleClickMessage(std::intptr_t lParam, std::intptr_t& result)
{
    if (m_mouseListener == nullptr)
    {
        return false;
    }
    prepareMouseEvent(CMouseEvent::kDoubleClick);
    updateMousePosition(lParam);
    result = 0;
    m_mouseListener->handleDoubleClick(m_mouseEvent);
    return true;
}

bool CWindow::handleWheelMessage(std::uintptr_t wParam, std::intptr_t& result)
{
    result = -1;
    if (m_mouseListener == nullptr)
    {
        return true;
    }
    fillWheelEvent(wParam);
    result = 0;
    m_mouseListener->handleMouseScroll(m_mouseEvent);
    return true;
}

bool CWindow::handleDrop(std::uintptr_t wParam, std::intptr_t& result)
{
    HDROP drop = reinterpret_cast<HDROP>(wParam);
    CDropFinish finish(drop);
    result = -1;
    if (m_dropFileListener == nullptr || drop == nullptr)
    {
        return true;
    }
    Events::CDropEvent event(CPoint(0, 0));
    event.readDrop(drop);
    result = 0;
    const std::shared_ptr<bool> alive = m_alive;
    m_dropFileListener->handleFileDrop(event);
    if (*alive && hasNativeWindow())
    {
        SetForegroundWindow(m_handle);
    }
    return true;
}

bool CWindow::handleMouseLeave(std::intptr_t& result)
{
    if (m_mouseListener == nullptr)
    {
        return false;
    }
    prepareMouseEvent(CMouseEvent::kMouseLeave);
    // The message carries no position: where the pointer went is where it is now, outside the window.
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    ScreenToClient(m_handle, &cursor);
    m_mouse.setPosition(CPoint(cursor.x, cursor.y));
    m_lastMousePosition = m_mouse.getPosition();
    readModifiers();
    result = 0;
    m_mouseListener->handleMouseLeavingArea(m_mouseEvent);
    return true;
}

void CWindow::prepareMouseEvent(long eventType)
{
    m_mouseEvent.setEventType(eventType);
    m_mouseEvent.setWheelValue(0.0);
}

void CWindow::readModifiers()
{
    m_mouseEvent.setModifiers(isKeyDown(VK_CONTROL), isKeyDown(VK_SHIFT), isKeyDown(VK_MENU));
}

void CWindow::updateMousePosition(std::intptr_t lParam)
{
    m_mouse.setPositionFromLParam(lParam);
    m_lastMousePosition = m_mouse.getPosition();
    readModifiers();
}

void CWindow::fillWheelEvent(std::uintptr_t wheelData)
{
    // The wheel's own message carries screen coordinates, and the hook's may be for another window: the
    // pointer is measured from this window's client area.
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    POINT origin = {0, 0};
    if (m_handle != nullptr)
    {
        ClientToScreen(m_handle, &origin);
    }
    prepareMouseEvent(CMouseEvent::kMouseWheel);
    m_mouse.setPosition(CPoint(cursor.x - origin.x, cursor.y - origin.y));
    m_lastMousePosition = m_mouse.getPosition();
    readModifiers();
    m_mouseEvent.setWheelValueFromWheelData(wheelData);
}

void CWindow::trackMouseLeave()
{
    if (m_handle == nullptr)
    {
        return;
    }
    TRACKMOUSEEVENT tracking = {};
    tracking.cbSize = sizeof(tracking);
    tracking.dwFlags = TME_LEAVE;
    tracking.hwndTrack = m_handle;
    TrackMouseEvent(&tracking);
}

std::intptr_t CWindow::handleMouseHook(int code, std::uintptr_t wParam, std::intptr_t lParam)
{
    if (code >= 0 && wParam == WM_MOUSEWHEEL && lParam != 0 && m_keyboardListener != nullptr &&
        m_mouseListener != nullptr)
    {
        const auto* hook = reinterpret_cast<const MOUSEHOOKSTRUCTEX*>(lParam);
        fillWheelEvent(static_cast<std::uintptr_t>(hook->mouseData));
        m_mouseListener->handleMouseScroll(m_mouseEvent);
        return 1;
    }
    return CallNextHookEx(m_mouseHook, code, wParam, lParam);
}

std::intptr_t CWindow::handleKeyboardHook(int code, std::uintptr_t wParam, std::intptr_t lParam)
{
    if (code >= 0 && m_keyboardListener != nullptr)
    {
        m_keyboardEvent.setVirtualKey(static_cast<long>(wParam));
        BYTE keyboardState[256] = {};
        GetKeyboardState(keyboardState);
        WORD translated[2] = {0, 0};
        const auto scanCode = static_cast<UINT>((static_cast<std::uintptr_t>(lParam) >> 16) & 0xFF);
        const bool single =
            ToAscii(static_cast<UINT>(wParam), scanCode, keyboardState, translated, 0) == 1;
        m_keyboardEvent.setCharacter(single ? static_cast<char>(translated[0] & 0xFF) : ' ');
        m_keyboardEvent.setModifiers(isKeyDown(VK_CONTROL), isKeyDown(VK_SHIFT), isKeyDown(VK_MENU), !single);
        const bool released = (static_cast<std::uintptr_t>(lParam) & 0x80000000U) != 0;
        const bool handled = released ? m_keyboardListener->handleKeyUp(m_keyboardEvent)
                                      : m_keyboardListener->handleKeyDown(m_keyboardEvent);
        if (handled)
        {
            return 1;
        }
    }
    return CallNextHookEx(m_keyboardHook, code, wParam, lParam);
}

void CWindow::installMouseHook()
{
    removeMouseHook();
    // This thread only: a hook for all threads would load the plug-in into every program on the desktop.
    m_mouseHook = SetWindowsHookExA(WH_MOUSE, &mouseHookProcedure, nullptr, GetCurrentThreadId());
    s_hookWindow.store(m_handle);
}

void CWindow::removeMouseHook()
{
    if (m_mouseHook != nullptr)
    {
        UnhookWindowsHookEx(m_mouseHook);
        m_mouseHook = nullptr;
    }
}

void CWindow::removeKeyboardHook()
{
    if (m_keyboardHook != nullptr)
    {
        UnhookWindowsHookEx(m_keyboardHook);
        m_keyboardHook = nullptr;
        s_hookWindow.store(nullptr);
    }
}

void CWindow::forgetNativeWindow()
{
    removeKeyboardHook();
    removeMouseHook();
    if (m_handle != nullptr)
    {
        HWND handle = m_handle;
        s_hookWindow.compare_exchange_strong(handle, nullptr);
        SetWindowLongPtrA(m_handle, GWLP_USERDATA, 0);
    }
    m_handle = nullptr;
    m_created = false;
    m_graphics->releaseSurface();
}

void CWindow::releaseWindowClass()
{
    // A library's classes outlive its unloading unless it gives them back; a later window of the class would
    // then call into freed code.
    if (m_holdsWindowClass && !m_created)
    {
        m_holdsWindowClass = false;
        releaseWindowClassHold(m_className.getString(), moduleInstance());
    }
}

std::intptr_t CWindow::dispatchMouseHook(int code, std::uintptr_t wParam, std::intptr_t lParam)
{
    try
    {
        if (CWindow* window = frameworkWindowOf(s_hookWindow.load()))
        {
            return window->handleMouseHook(code, wParam, lParam);
        }
    }
    catch (...)
    {
        traceFailure("the mouse hook");
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

HWND__* CWindow::getHookWindow() { return s_hookWindow.load(); }
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
