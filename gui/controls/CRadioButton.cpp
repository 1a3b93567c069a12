#include "gui/controls/CRadioButton.hpp"

#include "foundation/basics/CBool.hpp"
#include "foundation/basics/CLong.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "gui/controls/CLatchingButton.hpp"
#include "gui/core/CActionEvent.hpp"
#include "gui/core/CControlDescriptor.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CBool;
using ::Brivant::Basics::CLong;
using ::Brivant::Basics::CString;
using ::Brivant::Collections::TCountedPointerArray;
using ::Brivant::MathTools::CRect;

namespace
{
const char kButtonCount[] = "Button Count";
const char kAutoArrange[] = "Auto Arrange";
// Between neighbouring buttons and the group's edges.
const long kButtonInset = 2;
// More buttons than a screen has pixels across could not be told apart; a larger count is a damaged layout, and
// building it would exhaust memory.
const long kMaximumButtons = 4096;
} // namespace

CRadioButton::CRadioButton(IControlRoot* root, long id, const CRect& area, long buttonCount,
                           Listeners::IActionListener* listener)
    : CControlPanel(root != nullptr ? root->getParentWindow() : nullptr, root, id, area, listener), m_selected(0),
      m_count(0), m_autoArrange(false)
{
    setButtonCount(buttonCount);
}

CRadioButton::~CRadioButton() = default;

void CRadioButton::setSelectedButton(long index)
{
    if (index < 0 || index >= m_count)
        return;
    m_selected = index;
    for (long position = 0; position < getControlArraySize(); ++position)
    {
        if (IControl* button = getControl(position, true))
            button->setValue(position == index ? 1.0 : 0.0);
    }
}

void CRadioButton::setButtonCount(long count)
{
    if (count <= 0 || count > kMaximumButtons)
        return;
    clearControls();
    m_count = count;
    m_selected = 0;
    for (long index = 0; index < count; ++index)
    {
        auto* button = new CLatchingButton(this, index, CRect(0, 0, 10, 10), this);
        button->setValue(index == 0 ? 1.0 : 0.0);
        addControl(button);
    }
    arrangeButtons();
}

void CRadioButton::clearControls()
{
    CControlPanel::clearControls();
    m_count = 0;
    m_selected = 0;
}

void CRadioButton::setArea(const CRect& area)
{
    CControlPanel::setArea(area);
    if (m_autoArrange)
        arrangeButtons();
}

void CRadioButton::arrangeButtons()
{
    if (m_count <= 0)
        return;
    const long width = getArea().getWidth();
    const long height = getArea().getHeight();
    const bool column = width < height;
    const long cell = (column ? height : width) / m_count;
    long position = 0;
    for (long index = 0; index < getControlArraySize(); ++index)
    {
        IControl* button = getControl(index, true);
        if (button == nullptr)
            continue;
        CRect area = column ? CRect(0, position * cell, width, cell) : CRect(position * cell, 0, cell, height);
        area.inset(kButtonInset);
        button->setArea(area);
        ++position;
    }
}

void CRadioButton::getDescriptors(TCountedPointerArray<CControlDescriptor>& list)
{
    CControl::getDescriptors(list);
    list.addElement(new CControlDescriptor(CString(kButtonCount), CControlDescriptor::kInteger, nullptr));
    list.addElement(new CControlDescriptor(CString(kAutoArrange), CControlDescriptor::kBoolean, nullptr));
}

bool CRadioButton::applyDescriptor(const CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == kButtonCount)
    {
        if (!descriptor.isValueOfClass(CLong::classRecord()))
            return false;
        // A count of 0 is taken and ignored, so that the layout of an emptied group reads back.
        const long count = dynamic_cast<const CLong*>(descriptor.getValue())->getValue();
        if (count > kMaximumButtons)
            return false;
        setButtonCount(count);
        return true;
    }
    if (name == kAutoArrange)
    {
        if (!descriptor.isValueOfClass(CBool::classRecord()))
            return false;
        setAutoArrange(dynamic_cast<const CBool*>(descriptor.getValue())->getValue());
        return true;
    }
    return CControl::applyDescriptor(descriptor);
}

bool CRadioButton::fillDescriptor(CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == kButtonCount)
        descriptor.setValue(new CLong(m_count));
    else if (name == kAutoArrange)
        descriptor.setValue(new CBool(m_autoArrange));
    else
        return CControl::fillDescriptor(descriptor);
    return true;
}

bool CRadioButton::readFromXmlNode(IO::CXMLNode* node)
{
    const bool read = CControlPanel::readFromXmlNode(node);
    // The factory made the layout's buttons without a listener and all off.
    packControls();
    const long selected = m_selected;
    m_count = getInsertIndex();
    for (long index = 0; index < m_count; ++index)
    {
        IControl* button = getControl(index, true);
        button->setControlId(index);
        button->registerActionListener(this);
    }
    setSelectedButton(selected < m_count ? selected : 0);
    return read;
}

void CRadioButton::handleActionEvent(const Events::CActionEvent& event)
{
    IControl* picked = event.getControl();
    if (picked == nullptr || !hasControl(picked))
        return;
    const long index = picked->getControlId();
    if (index < 0 || index >= m_count)
    {
        // The child latched itself on its own; the one that stays on is the selected button.
        setSelectedButton(m_selected);
        picked->update();
        return;
    }
    // Every other button goes off, not only the one at the selected index: a button given another id by the
    // application would stay on.
    for (long position = 0; position < getControlArraySize(); ++position)
    {
        IControl* button = getControl(position, true);
        if (button != nullptr && button != picked && button->getValue() != 0.0)
        {
            button->setValue(0.0);
            button->update();
        }
    }
    picked->setValue(1.0);
    m_selected = index;
    if (Listeners::IActionListener* listener = getActionListener())
        listener->handleActionEvent(Events::CActionEvent(this));
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
