#include "gui/controls/CTableView.hpp"

#include "foundation/basics/CString.hpp"
#include "gui/controls/CTextEdit.hpp"
#include "gui/core/CAlphaColour.hpp"
#include "gui/core/CMouseEvent.hpp"
#include "gui/core/CScrollEvent.hpp"

#include <algorithm>

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CString;
using ::Brivant::MathTools::CRect;
using Basics::CAlphaColour;

CTableView::CTableView(IControlRoot* root, long id, const CRect& area, const CRect& canvas,
                       ITableViewDataSource* source, Listeners::IActionListener* listener)
    : CScrollPanel(root, id, area, canvas), m_source(source)
{
    clearControls();
    if (m_source != nullptr)
        buildGrid();
    registerActionListener(listener);
}

CTableView::~CTableView() = default;

void CTableView::setDataSource(ITableViewDataSource* source)
{
    clearControls();
    m_source = source;
    if (m_source != nullptr)
        buildGrid();
    else
        update();
}

void CTableView::rebuild() { setDataSource(m_source); }

void CTableView::buildGrid()
{
    const long width = getCanvasArea().getWidth();
    const long columns = m_source->getNumberOfColumns();
    const long rows = m_source->getNumberOfRows();
    CAlphaColour frame;
    m_source->getTableColour(frame);
    for (long row = 0; row < rows; ++row)
    {
        CAlphaColour colour;
        m_source->getRowColour(colour, row);
        auto* panel = new CControlPanel(getParentWindow(), this, -1, CRect(0, row * kRowStep, width, kRowHeight),
                                        nullptr);
        // Held by the view before its cells are made, so that a throw on the way releases it.
        addControl(panel);
        panel->setDefaultControlColours(colour, frame);
        panel->setDefaultDrawing(true);
        long left = 0;
        for (long column = 0; column < columns; ++column)
        {
            CString text(" ");
            m_source->getCellText(text, column, row);
            const long columnWidth = m_source->getColumnWidth(column);
            auto* cell = new CTextEdit(panel, -1, CRect(left, 0, columnWidth, kRowHeight), text, nullptr);
            panel->addControl(cell);
            cell->setDefaultDrawing(true);
            cell->setDefaultControlColours(CAlphaColour::transparent(), frame);
            cell->setEditable(false);
            cell->setTextAlignment(m_source->getCellAlignment(column, row));
            left += columnWidth - 1;
        }
    }
    if (CScrollBar* bar = verticalScrollBar.getPointer())
    {
        // The last row's bottom frame line lies one pixel past rows x step.
        const long content = rows > 0 ? rows * kRowStep + 1 : 0;
        setCanvasArea(CRect(0, 0, width, std::max(getArea().getHeight(), content)));
        bar->setValue(0.0);
        // The bar shows the top again, and so does the view.
        handleScrollEvent(Events::CScrollEvent(Events::CScrollEvent::kVertical, CRect(0, 0, width, 0)));
    }
    update();
}

void CTableView::handleActionEvent(const Events::CActionEvent& /*event*/) {}

void CTableView::handleMouseScroll(Events::CMouseEvent& event)
{
    if (CScrollBar* bar = verticalScrollBar.getPointer())
        bar->handleMouseScroll(event);
}

bool CTableView::writeToXmlNode(IO::CXMLNode* node) { return CControl::writeToXmlNode(node); }

bool CTableView::readFromXmlNode(IO::CXMLNode* node) { return CControl::readFromXmlNode(node); }
} // namespace Controls
} // namespace GUI
} // namespace Brivant
