// A text label showing one entry of an ordered list, stepped forward and backward by the two buttons beside it
// (control id 0 forward, 1 backward), each step reported to its own listener. With "Wrap" on, stepping past
// either end continues at the other.
#pragma once

#include "gui/controls/CTextLabel.hpp"
#include "gui/core/IActionListener.hpp"

#include <memory>

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CStepLabel : public CTextLabel, public Listeners::IActionListener
{
    BRIVANT_CLASS_RECORD(CStepLabel, "CTextLabel");

public:
    // Shows a single blank until the first step or setIndex; ignores dropped files.
    CStepLabel(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
               Listeners::IActionListener* listener);
    ~CStepLabel() override;

    // Appends a copy; the shown text and the index stay.
    void addText(const ::Brivant::Basics::CString& text);
    // Each reports to the listener whether or not the index moved.
    void stepForward();
    void stepBackward();
    // Shows the entry at a valid index, without a report; any other index is ignored.
    void setIndex(long index);

    long getIndex() const { return m_index; }
    long getNumberOfTexts() const;
    bool isWrapping() const { return m_wrap; }

    // Control id 0 steps forward, 1 backward; any other does nothing.
    void handleActionEvent(const Events::CActionEvent& event) override;

    // "Wrap" after the label's properties.
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;

private:
    // The entry at index becomes the text, when there is one.
    void show(long index);
    void notify();

    std::unique_ptr<Collections::TCountedPointerArray<::Brivant::Basics::CString>> m_texts;
    bool m_wrap;
    long m_index;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
