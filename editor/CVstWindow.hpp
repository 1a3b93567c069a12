// The editor base both editions share: at once the editor the host talks to and a framework window that lives as a
// child of the window the host provides. The effect pushes parameter values and the meter value into it through
// the editor-update operations.
//
// One thread owns the editor: the one that built it, and from each open on the one that opened it. A value that
// arrives on any other thread (the audio thread, a host automation thread) is only stored, atomically, with a mark;
// the editor's thread shows it at its next idle or open. The updating flag answers true only on the thread that set
// it, so a change from another thread during a user's drag still reaches the editor.
#pragma once

#include "foundation/basics/CClass.hpp"
#include "gui/core/CWindow.hpp"
#include "gui/core/IActionListener.hpp"
#include "gui/core/IKeyboardListener.hpp"
#include "vst/AEffEditor.hpp"

#include <atomic>
#include <cstdint>
#include <memory>

namespace Brivant
{
namespace Vst
{
class CVstWindow : public AEffEditor,
                   public GUI::Windowing::CWindow,
                   public GUI::Listeners::IActionListener,
                   public GUI::Listeners::IKeyboardListener
{
    BRIVANT_CLASS_RECORD(CVstWindow, "CWindow");

public:
    // Stands for the host's window so that the editor's window can name it as its parent; it never creates or
    // destroys a native window.
    class CParentWindow : public GUI::Windowing::CWindow
    {
        BRIVANT_NAMED_CLASS_RECORD(CParentWindow, "CVstWindow::CParentWindow", "CWindow");

    public:
        explicit CParentWindow(void* hostWindow);
        ~CParentWindow() override;
    };

    // Attaches itself to the effect (which owns it from then on) when there is one. The attributes are copied;
    // the window is always a visible child that takes dropped files.
    CVstWindow(AudioEffect* effect, const ::Brivant::MathTools::CRect& area,
               GUI::Windowing::CWindowAttributes* attributes);
    ~CVstWindow() override;

    bool getRect(ERect** rect) override;
    // False, leaving nothing behind, for a null or dead host window or when the window cannot be made; true only
    // when the editor's native window exists.
    bool open(void* window) override;
    void close() override;
    // Shows the values other threads left for the editor.
    void idle() override;

    virtual void redrawEditor();
    virtual void createEditorWindow();
    // Nothing here: each edition shows its parameters and meter.
    virtual void updateParameter(long index, double value);
    virtual bool isUpdatingEffect() const;
    virtual void setUpdatingEffect(bool updating);
    // A null host window throws CException.
    virtual void openPanel(void* window);
    virtual void closePanel();

    void handleActionEvent(const GUI::Events::CActionEvent& event) override;
    // Passed on to the window's keyboard listener; false without one.
    bool handleKeyDown(const GUI::Events::CKeyboardEvent& event) override;
    bool handleKeyUp(const GUI::Events::CKeyboardEvent& event) override;
    void setKeyboardListener(GUI::Listeners::IKeyboardListener* listener) override;

    // Holds the updating flag through a user change of a parameter and lets it go however the change ends. A value
    // another thread left for that parameter is older than the user's change, so it is dropped first.
    class CUpdatingScope
    {
    public:
        CUpdatingScope(CVstWindow& editor, long index) : m_editor(editor)
        {
            m_editor.dropDeferred(index);
            m_editor.setUpdatingEffect(true);
        }
        ~CUpdatingScope() { m_editor.setUpdatingEffect(false); }
        CUpdatingScope(const CUpdatingScope&) = delete;
        CUpdatingScope& operator=(const CUpdatingScope&) = delete;

    private:
        CVstWindow& m_editor;
    };

    CParentWindow* getParentPanel() const { return m_parentPanel; }
    // Whether the calling thread is the one that owns the editor.
    bool isEditorThread() const;

protected:
    // For updateParameter: on a thread other than the editor's the value is left for the editor's thread and the
    // answer is true; on the editor's thread an older value left by another thread is dropped and the answer is
    // false, so the caller shows the value at once.
    bool deferToEditorThread(long index, double value);
    // Shows, through updateParameter, every value other threads left since the last call.
    void applyDeferredUpdates();

private:
    // The bits of the latest value another thread gave for one parameter, or kNothingWaiting once the editor has
    // taken it: value and mark in one word, so that taking them is one exchange and no store falls between.
    struct CDeferredValue
    {
        std::atomic<std::uint64_t> bits{kNothingWaiting};
    };
    // A signalling NaN with a payload of its own; a value with these very bits is left as a quiet NaN.
    static constexpr std::uint64_t kNothingWaiting = 0x7ff0'0000'dead'0001ULL;

    void dropDeferred(long index);
    void deleteParentPanel();

    CParentWindow* m_parentPanel;
    // The thread whose setUpdatingEffect(true) holds, or 0.
    std::atomic<unsigned long> m_updatingThread;
    ERect m_rect;
    std::atomic<unsigned long> m_editorThread;
    long m_numberOfDeferred;
    std::unique_ptr<CDeferredValue[]> m_deferred;
    // Set on the editor's thread while it shows a value another thread left.
    bool m_showingDeferred;
    GUI::Listeners::IKeyboardListener* m_windowKeyListener;
};
} // namespace Vst
} // namespace Brivant
