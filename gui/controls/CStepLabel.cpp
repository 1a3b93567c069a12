#include "gui/controls/CStepLabel.hpp"

#include "foundation/basics/CBool.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "gui/core/CActionEvent.hpp"
#include "gui/core/CControlDescriptor.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CBool;
using ::Brivant::Basics::CString;
using ::Brivant::Collections::TCountedPointerArray;

namespace
{
const char kWrap[] = "Wrap";
}

CStepLabel::CStepLabel(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
                       Listeners::IActionListener* listener)
    : CTextLabel(root, id, area, CString(" ")), m_texts(new TCountedPointerArray<CString>()), m_wrap(false),
      m_index(0)
{
    registerActionListener(listener);
    setDropFileEnabled(false);
}

CStepLabel::~CStepLabel() = default;

void CStepLabel::addText(const CString& text)
{
    m_texts->addElement(new CString(text));
    m_texts->reorderArray(true);
}

long CStepLabel::getNumberOfTexts() const { return m_texts->getInsertIndex(); }

void CStepLabel::stepForward()
{
    const long count = getNumberOfTexts();
    if (m_index + 1 < count)
        show(++m_index);
    else if (m_wrap)
        show(m_index = 0);
    notify();
}

void CStepLabel::stepBackward()
{
    const long count = getNumberOfTexts();
    if (m_index - 1 >= 0)
        show(--m_index);
    // An empty list has no last entry to wrap to: the index stays at 0.
    else if (m_wrap && count > 0)
        show(m_index = count - 1);
    else
        m_index = 0;
    notify();
}

void CStepLabel::setIndex(long index)
{
    if (index < 0 || index >= getNumberOfTexts())
        return;
    m_index = index;
    show(index);
}

void CStepLabel::show(long index)
{
    if (const CString* text = m_texts->getElementAt(index))
        setText(*text);
}

void CStepLabel::notify()
{
    if (Listeners::IActionListener* listener = getActionListener())
        listener->handleActionEvent(Events::CActionEvent(this));
}

void CStepLabel::handleActionEvent(const Events::CActionEvent& event)
{
    const IControl* control = event.getControl();
    if (control == nullptr)
        return;
    if (control->getControlId() == 0)
        stepForward();
    else if (control->getControlId() == 1)
        stepBackward();
}

void CStepLabel::getDescriptors(TCountedPointerArray<CControlDescriptor>& list)
{
    CTextLabel::getDescriptors(list);
    list.addElement(new CControlDescriptor(CString(kWrap), CControlDescriptor::kBoolean, nullptr));
}

bool CStepLabel::applyDescriptor(const CControlDescriptor& descriptor)
{
    if (descriptor.getDescriptorName() != kWrap)
        return CTextLabel::applyDescriptor(descriptor);
    if (!descriptor.isValueOfClass(CBool::classRecord()))
        return false;
    m_wrap = dynamic_cast<const CBool*>(descriptor.getValue())->getValue();
    return true;
}

bool CStepLabel::fillDescriptor(CControlDescriptor& descriptor)
{
    if (descriptor.getDescriptorName() != kWrap)
        return CTextLabel::fillDescriptor(descriptor);
    descriptor.setValue(new CBool(m_wrap));
    return true;
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
