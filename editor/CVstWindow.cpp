#include "editor/CVstWindow.hpp"

#include "foundation/exceptions/CException.hpp"
#include "foundation/host/CTrace.hpp"
#include "gui/core/CWindowAttributes.hpp"
#include "gui/core/IControlRoot.hpp"
#include "vst/AudioEffect.hpp"

#include <windows.h>

#include <cstring>
#include <limits>

namespace Brivant
{
namespace Vst
{
using ::Brivant::Exceptions::CException;
using ::Brivant::MathTools::CRect;

namespace
{
// WS_CHILD | WS_VISIBLE, and WS_EX_ACCEPTFILES.
constexpr long kEditorStyle = 0x50000000;
constexpr long kEditorExtendedStyle = 0x10;

unsigned long currentThread()
{
    return GetCurrentThreadId();
}

long numberOfParameters(AudioEffect* effect)
{
    return effect != nullptr ? effect->getAeffect()->numParams : 0;
}

// Marks the editor's thread as showing another thread's value for as long as it lives.
class CShowingScope
{
public:
    explicit CShowingScope(bool& showing) : m_showing(showing) { m_showing = true; }
    ~CShowingScope() { m_showing = false; }
    CShowingScope(const CShowingScope&) = delete;
    CShowingScope& operator=(const CShowingScope&) = delete;

private:
    bool& m_showing;
};

std::uint64_t bitsOf(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits;
}

double valueOf(std::uint64_t bits)
{
    double value;
    std::memcpy(&value, &bits, sizeof(value));
    return value;
}
} // namespace

CVstWindow::CParentWindow::CParentWindow(void* hostWindow) : CWindow(CRect(0, 0, 10, 10))
{
    *getMutableWindowHandle() = static_cast<HWND>(hostWindow);
}

CVstWindow::CParentWindow::~CParentWindow()
{
    // The host's window is the host's: the window part must not find a handle to destroy.
    *getMutableWindowHandle() = nullptr;
}

CVstWindow::CVstWindow(AudioEffect* effect, const CRect& area, GUI::Windowing::CWindowAttributes* attributes)
    : AEffEditor(effect), CWindow(area), m_parentPanel(nullptr), m_updatingThread(0), m_rect{0, 0, 0, 0},
      m_editorThread(currentThread()), m_numberOfDeferred(numberOfParameters(effect)),
      m_deferred(new CDeferredValue[static_cast<size_t>(m_numberOfDeferred)]), m_showingDeferred(false),
      m_windowKeyListener(getControlRoot())
{
    if (attributes != nullptr)
        *getWindowAttributes() = *attributes;
    getWindowAttributes()->setWindowStyles(kEditorStyle, kEditorExtendedStyle);
    getControlRoot()->setRootOption(true);
    // Last: should anything above throw, this destructor never runs to detach, and the effect would delete again.
    if (effect != nullptr)
        effect->setEditor(this);
}

CVstWindow::~CVstWindow()
{
    // An editor whose construction failed must not stay attached to the effect that would delete it again.
    if (m_effect != nullptr && m_effect->getEditor() == this)
        m_effect->setEditor(nullptr);
    deleteParentPanel();
}

bool CVstWindow::getRect(ERect** rect)
{
    const auto& size = getWindowSize();
    m_rect.top = 0;
    m_rect.left = 0;
    m_rect.bottom = static_cast<VstInt16>(size.getHeight());
    m_rect.right = static_cast<VstInt16>(size.getWidth());
    *rect = &m_rect;
    return true;
}

bool CVstWindow::open(void* window)
{
    // Nothing may unwind into the host: a window that cannot be made is an editor that did not open.
    if (window == nullptr || !IsWindow(static_cast<HWND>(window)))
        return false;
    try
    {
        Host::CTrace::trace("Calling create window");
        // A window made under another host window would stay there: it goes first.
        if (isCreated() && GetParent(*getWindowHandle()) != static_cast<HWND>(window))
            closeWindow();
        openPanel(window);
        createEditorWindow();
    }
    catch (...)
    {
        Host::CTrace::trace("The editor's window could not be made");
    }
    if (!isCreated())
    {
        closePanel();
        return false;
    }
    m_editorThread.store(currentThread());
    applyDeferredUpdates();
    return true;
}

void CVstWindow::close()
{
    closePanel();
}

void CVstWindow::idle()
{
    applyDeferredUpdates();
}

void CVstWindow::redrawEditor()
{
    redrawWindow();
}

void CVstWindow::createEditorWindow()
{
    intialiseWindow(getWindowAttributes(), true);
}

void CVstWindow::updateParameter(long /*index*/, double /*value*/)
{
}

bool CVstWindow::isUpdatingEffect() const
{
    return m_updatingThread.load() == currentThread();
}

void CVstWindow::setUpdatingEffect(bool updating)
{
    m_updatingThread.store(updating ? currentThread() : 0);
}

void CVstWindow::openPanel(void* window)
{
    if (window == nullptr)
        throw CException(Basics::CString("Parent window handle is NULL"), Basics::CString("CVSTPanel::open(void *)"),
                         true);
    m_systemWindow = window;
    deleteParentPanel();
    m_parentPanel = new CParentWindow(window);
    setParentWindow(m_parentPanel);
}

void CVstWindow::closePanel()
{
    deleteParentPanel();
    m_systemWindow = nullptr;
    closeWindow();
    destroyWindow();
}

void CVstWindow::handleActionEvent(const GUI::Events::CActionEvent& /*event*/)
{
}

bool CVstWindow::handleKeyDown(const GUI::Events::CKeyboardEvent& event)
{
    return m_windowKeyListener != nullptr && m_windowKeyListener->handleKeyDown(event);
}

bool CVstWindow::handleKeyUp(const GUI::Events::CKeyboardEvent& event)
{
    return m_windowKeyListener != nullptr && m_windowKeyListener->handleKeyUp(event);
}

void CVstWindow::setKeyboardListener(GUI::Listeners::IKeyboardListener* listener)
{
    // Set to the editor itself, it would pass every key back to itself.
    m_windowKeyListener = listener != this ? listener : nullptr;
    CWindow::setKeyboardListener(listener);
}

bool CVstWindow::isEditorThread() const
{
    return m_editorThread.load() == currentThread();
}

bool CVstWindow::deferToEditorThread(long index, double value)
{
    if (isEditorThread())
    {
        // Showing a value another thread left must not drop a newer one that thread left meanwhile.
        if (!m_showingDeferred)
            dropDeferred(index);
        return false;
    }
    if (index >= 0 && index < m_numberOfDeferred)
    {
        const std::uint64_t bits = bitsOf(value);
        m_deferred[index].bits.store(bits != kNothingWaiting ? bits
                                                             : bitsOf(std::numeric_limits<double>::quiet_NaN()));
    }
    return true;
}

void CVstWindow::applyDeferredUpdates()
{
    for (long index = 0; index < m_numberOfDeferred; ++index)
    {
        const std::uint64_t bits = m_deferred[index].bits.exchange(kNothingWaiting);
        if (bits == kNothingWaiting)
            continue;
        const CShowingScope showing(m_showingDeferred);
        updateParameter(index, valueOf(bits));
    }
}

void CVstWindow::dropDeferred(long index)
{
    if (index >= 0 && index < m_numberOfDeferred)
        m_deferred[index].bits.store(kNothingWaiting);
}

void CVstWindow::deleteParentPanel()
{
    // The window part must not keep pointing at the wrapper it is about to lose.
    setParentWindow(nullptr);
    delete m_parentPanel;
    m_parentPanel = nullptr;
}
} // namespace Vst
} // namespace Brivant
