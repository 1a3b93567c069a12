// A text label the user edits in place: a click (or a double click) opens a native single-line edit box over it;
// Return takes the typed text into the label and reports it, Escape or a loss of focus throws the typing away.
// While the box is open the control holds its root's lock.
#pragma once

#include "foundation/collections/TAutomaticPointer.hpp"
#include "gui/controls/CTextLabel.hpp"
#include "gui/core/IActionListener.hpp"

#include <cstdint>

struct HBRUSH__;
struct HDC__;
struct HWND__;

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CTextEdit : public CTextLabel, public Listeners::IActionListener
{
    BRIVANT_CLASS_RECORD(CTextEdit, "CTextLabel");

public:
    // The box's alignment styles; no other value is taken.
    enum EPopupAlignment : long
    {
        kPopupLeft = 0,
        kPopupCentre = 1,
        kPopupRight = 2,
        kNumberOfPopupAlignments = 3
    };

    // Editable by a single click, at most 50 characters, left aligned; it takes the mouse and dropped files.
    CTextEdit(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
              const ::Brivant::Basics::CString& text, Listeners::IActionListener* listener);
    // A box still open goes without a report and without touching the root, which may be going itself.
    ~CTextEdit() override;

    // Unlimited, or a limit below 1, takes any length; the limit is kept either way.
    virtual void setTextLimit(bool limited, long limit);
    // Only the three alignments; anything else is ignored.
    virtual void setPopupAlignment(long alignment);
    virtual void setEditable(bool editable);
    // Off: a double click opens the box instead of a single one.
    virtual void setSingleClick(bool singleClick);
    virtual const ::Brivant::Basics::CString& getText() const { return CTextLabel::getText(); }
    // Set: the next closing step throws the typing away.
    virtual void setDiscard(bool discard) { m_discard = discard; }

    bool isLimited() const { return m_limited; }
    long getTextLimit() const { return m_textLimit; }
    long getPopupAlignment() const { return m_popupAlignment; }
    bool isEditable() const { return m_editable; }
    bool isSingleClick() const { return m_singleClick; }
    // The open box, or null.
    HWND__* getEditWindow() const { return m_editWindow; }

    // "Text Limit", "Editable", "Single Click" and "Popup Alignment" after the label's properties.
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;

    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    void handleDoubleClick(Events::CMouseEvent& event) override;
    // The closing step: unless discarding, the typed text becomes the label's and is reported with this event;
    // then the box goes and the root's lock returns to the control that had it before the box opened.
    void handleActionEvent(const Events::CActionEvent& event) override;

    // The box's colours, asked by the window for the box: transparent text background in the label's text
    // colour, over a brush of the background colour that the control owns until the next ask.
    HBRUSH__* prepareEditColours(HDC__* dc);
    // The text edit whose open box this is, wherever it sits; null for any other window.
    static CTextEdit* findBoxOwner(HWND__* box);

private:
    friend class CTextEditProcedure;

    void openEdit();
    // False when no box was open; true once the box is destroyed.
    bool closeEdit(const Events::CActionEvent& event);
    // The box's own procedure back, and no control in its user data.
    void restoreEditProcedure(HWND__* edit);
    // Gives the box its own procedure back and destroys it, without any closing step.
    void destroyEditWindow(HWND__* edit);
    // The box is done with (destroyed here when destroy is set): the root's lock returns and the label redraws.
    void releaseEditWindow(HWND__* edit, bool destroy);
    // What the box's own procedure answers, after the edit's keys and focus loss are seen to.
    std::intptr_t handleEditMessage(HWND__* edit, unsigned int message, std::uintptr_t wParam,
                                    std::intptr_t lParam);

    HWND__* m_editWindow;
    // The box's procedure before the control's own took its place.
    std::intptr_t m_previousProcedure;
    Collections::TAutomaticPointer<IControl> m_previousLock;
    HBRUSH__* m_backgroundBrush;
    bool m_discard;
    bool m_limited;
    long m_textLimit;
    long m_popupAlignment;
    bool m_editable;
    bool m_singleClick;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
