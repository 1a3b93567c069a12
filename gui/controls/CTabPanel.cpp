#include "gui/controls/CTabPanel.hpp"

#include "foundation/basics/CLong.hpp"
#include "gui/controls/CLatchingButton.hpp"
#include "gui/core/CActionEvent.hpp"
#include "gui/core/CControlDescriptor.hpp"

#include <algorithm>

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CLong;
using ::Brivant::Basics::CString;
using ::Brivant::Collections::TCountedPointerArray;
using ::Brivant::MathTools::CRect;
using Basics::CAlphaColour;

namespace
{
const char kTabDimension[] = "Tab Dimension";
const char kTabPosition[] = "Tab Position";
const char* const kPositionNames[] = {"Top", "Bottom", "Left", "Right"};
const long kNumberOfPositions = 4;
const long kDefaultDimension = 20;

// The same size at the origin of the root that holds it.
void moveToOrigin(IControl& control)
{
    control.setArea(CRect(0, 0, control.getArea().getWidth(), control.getArea().getHeight()));
}
} // namespace

CTabPanel::CTabPanelTuple::CTabPanelTuple(CControlPanel* panel, const CString& title) : m_panel(), m_title(title)
{
    m_panel.setPointer(panel);
}

CTabPanel::CTabPanelTuple::~CTabPanelTuple() = default;

void CTabPanel::CTabPanelTuple::setTab(CControlPanel* panel, const CString& title)
{
    m_panel.setPointer(panel);
    m_title = title;
}

CTabPanel::CTabPanel(IControlRoot* root, long id, const CRect& area, Listeners::IActionListener* listener)
    : CControlPanel(root != nullptr ? root->getParentWindow() : nullptr, root, id, area, listener), m_tabButtons(),
      m_tabView(), m_currentPanel(), m_tabs(), m_tabPosition(kTop), m_tabDimension(kDefaultDimension)
{
    const long width = area.getWidth();
    m_tabButtons.setPointer(new CRadioButton(this, 0, CRect(0, 0, width, kDefaultDimension), 0, this));
    CRadioButton& buttons = *m_tabButtons.getPointer();
    buttons.setAutoArrange(true);
    buttons.setDefaultDrawing(true);
    buttons.setControlName(CString("Tab Buttons"));
    buttons.setNotSaved(true);
    buttons.setDefaultControlColours(CAlphaColour::transparent(), CAlphaColour::black());

    m_tabView.setPointer(new CControlPanel(
        getParentWindow(), this, 0, CRect(0, kDefaultDimension, width, area.getHeight() - kDefaultDimension), nullptr));
    CControlPanel& view = *m_tabView.getPointer();
    view.setDefaultDrawing(true);
    view.setControlName(CString("Tab View"));
    view.setNotSaved(true);

    addControl(&buttons);
    addControl(&view);
}

CTabPanel::~CTabPanel() = default;

void CTabPanel::setTabPosition(long position)
{
    m_tabPosition = position;
    const long width = getArea().getWidth();
    const long height = getArea().getHeight();
    // A dimension beyond the panel (a damaged layout) is kept as given but lays out as the whole panel, so that
    // neither part gets a negative size or an origin that overflows once the panel's own is added.
    const bool row = position == kTop || position == kBottom;
    const long depth = std::max(0L, std::min(m_tabDimension, std::max(0L, row ? height : width)));
    CRect buttons(0, 0, width, depth);
    CRect view(0, depth, width, height - depth);
    switch (position)
    {
    case kTop:
        break;
    case kBottom:
        buttons = CRect(0, height - depth, width, depth);
        view = CRect(0, 0, width, height - depth);
        break;
    case kLeft:
        buttons = CRect(0, 0, depth, height);
        view = CRect(depth, 0, width - depth, height);
        break;
    case kRight:
        buttons = CRect(width - depth, 0, depth, height);
        view = CRect(0, 0, width - depth, height);
        break;
    default:
        return;
    }
    m_tabButtons.getPointer()->setArea(buttons);
    m_tabView.getPointer()->setArea(view);
}

void CTabPanel::setTabDimension(long dimension)
{
    m_tabDimension = dimension;
    setTabPosition(m_tabPosition);
}

void CTabPanel::addTab(CControlPanel* panel, const CString& title)
{
    if (panel == nullptr)
        return;
    const long shown = m_tabButtons.getPointer()->getSelectedButton();
    m_tabs.addElement(new CTabPanelTuple(panel, title));
    m_tabs.reorderArray(true);
    moveToOrigin(*panel);
    // New tabs go last, so the shown tab keeps its place; without tabs before, shown is 0.
    rebuildButtons(shown);
    if (m_tabs.getInsertIndex() == 1)
        selectTab(0);
}

void CTabPanel::removeTab(CControlPanel* panel)
{
    const long shown = m_tabButtons.getPointer()->getSelectedButton();
    bool removed = false;
    for (long index = 0; index < m_tabs.getArraySize(); ++index)
    {
        const CTabPanelTuple* tab = m_tabs.getElementAt(index);
        if (tab != nullptr && tab->getPanel() == panel)
        {
            m_tabs.removeElementAt(index);
            removed = true;
        }
    }
    if (removed)
        showAfterRemoval(shown);
}

void CTabPanel::removeTab(const CString& title)
{
    const long shown = m_tabButtons.getPointer()->getSelectedButton();
    for (long index = 0; index < m_tabs.getArraySize(); ++index)
    {
        const CTabPanelTuple* tab = m_tabs.getElementAt(index);
        if (tab != nullptr && tab->getTitle() == title)
        {
            m_tabs.removeElementAt(index);
            showAfterRemoval(shown);
            return;
        }
    }
}

void CTabPanel::removeAllTabs()
{
    m_tabs.clearArray();
    showAfterRemoval(0);
}

void CTabPanel::showAfterRemoval(long shown)
{
    m_tabs.reorderArray(true);
    const long count = m_tabs.getInsertIndex();
    if (count == 0)
    {
        rebuildButtons(-1);
        m_tabView.getPointer()->clearControls();
        m_currentPanel.setPointer(nullptr);
        m_tabView.getPointer()->update();
        return;
    }
    if (count == 1 || shown < 0)
        shown = 0;
    // The shown tab was the last one: the tab before it is last now.
    if (shown >= count)
        shown = count - 1;
    rebuildButtons(shown);
    selectTab(shown);
}

void CTabPanel::rebuildButtons(long shown)
{
    CRadioButton& buttons = *m_tabButtons.getPointer();
    const long count = m_tabs.getInsertIndex();
    // A count of 0 would leave the old buttons standing.
    if (count == 0)
        buttons.clearControls();
    else
        buttons.setButtonCount(count);
    for (long index = 0; index < count; ++index)
    {
        if (auto* button = dynamic_cast<CLatchingButton*>(buttons.getControl(index, true)))
            button->setLabelText(m_tabs.getElementAt(index)->getTitle());
    }
    buttons.setSelectedButton(shown);
    buttons.update();
}

void CTabPanel::selectTab(long index)
{
    const CTabPanelTuple* tab = m_tabs.getElementAt(index);
    if (index < 0 || index >= m_tabs.getInsertIndex() || tab == nullptr)
        return;
    CControlPanel& view = *m_tabView.getPointer();
    view.clearControls();
    m_currentPanel.setPointer(tab->getPanel());
    if (CControlPanel* panel = m_currentPanel.getPointer())
    {
        view.addControl(panel);
        moveToOrigin(*panel);
        view.update();
    }
    // Whoever chose the tab, its button is the one latched, and the row shows it.
    m_tabButtons.getPointer()->setSelectedButton(index);
    m_tabButtons.getPointer()->update();
}

void CTabPanel::selectTab(const CString& title)
{
    for (long index = 0; index < m_tabs.getInsertIndex(); ++index)
    {
        const CTabPanelTuple* tab = m_tabs.getElementAt(index);
        if (tab != nullptr && tab->getTitle() == title)
        {
            selectTab(index);
            return;
        }
    }
}

void CTabPanel::setArea(const CRect& area)
{
    CControlPanel::setArea(area);
    setTabPosition(m_tabPosition);
}

void CTabPanel::getDescriptors(TCountedPointerArray<CControlDescriptor>& list)
{
    CControl::getDescriptors(list);
    list.addElement(new CControlDescriptor(CString(kTabDimension), CControlDescriptor::kInteger, nullptr));
    list.addElement(new CControlDescriptor(CString(kTabPosition), CControlDescriptor::kSelection, nullptr));
}

bool CTabPanel::applyDescriptor(const CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == kTabDimension)
    {
        if (!descriptor.isValueOfClass(CLong::classRecord()))
            return false;
        setTabDimension(dynamic_cast<const CLong*>(descriptor.getValue())->getValue());
        return true;
    }
    if (name == kTabPosition)
    {
        const long position = descriptor.getSelectedIndex();
        if (position < 0 || position >= kNumberOfPositions)
            return false;
        setTabPosition(position);
        return true;
    }
    return CControl::applyDescriptor(descriptor);
}

bool CTabPanel::fillDescriptor(CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == kTabDimension)
    {
        descriptor.setValue(new CLong(m_tabDimension));
        return true;
    }
    if (name == kTabPosition)
    {
        // The descriptor holds the list while it is filled, so a failure to fill it lets it go.
        auto* choices = new TCountedPointerArray<CString>();
        descriptor.setValue(choices);
        for (const char* choice : kPositionNames)
            choices->addElement(new CString(choice));
        descriptor.setSelectedIndex(m_tabPosition);
        return true;
    }
    return CControl::fillDescriptor(descriptor);
}

bool CTabPanel::readFromXmlNode(IO::CXMLNode* node)
{
    const bool read = CControlPanel::readFromXmlNode(node);
    // No layout holds the buttons and the view; the panel's reading let go of them, the holders did not.
    addControl(m_tabButtons.getPointer());
    addControl(m_tabView.getPointer());
    setTabPosition(m_tabPosition);
    return read;
}

void CTabPanel::handleActionEvent(const Events::CActionEvent& event)
{
    if (event.getControl() == m_tabButtons.getPointer())
        selectTab(m_tabButtons.getPointer()->getSelectedButton());
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
