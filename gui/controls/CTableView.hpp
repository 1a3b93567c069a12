// A read-only grid of text cells on a scroll panel: one row panel per row in the row's colour, one text edit
// that cannot be edited per cell, every frame in the table's colour. The data source gives everything; the grid
// is built when a source is set and on rebuild. Rows are 20 pixels high and overlap by one, as do the cells of a
// row, so that neighbours share their frame lines.
#pragma once

#include "gui/controls/CScrollPanel.hpp"
#include "gui/controls/ITableViewDataSource.hpp"
#include "gui/core/IActionListener.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CTableView : public CScrollPanel, public Listeners::IActionListener
{
    BRIVANT_CLASS_RECORD(CTableView, "CScrollPanel");

public:
    static constexpr long kRowHeight = 20;
    // Where each row starts below the one before: they share a frame line.
    static constexpr long kRowStep = kRowHeight - 1;

    // Neither the source nor the listener is owned; with a source the grid is built at once.
    CTableView(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
               const ::Brivant::MathTools::CRect& canvas, ITableViewDataSource* source,
               Listeners::IActionListener* listener);
    ~CTableView() override;

    // Replaces the grid with the new source's; null leaves the view empty.
    virtual void setDataSource(ITableViewDataSource* source);
    // Builds the grid again from the source, which may have changed.
    virtual void rebuild();
    ITableViewDataSource* getDataSource() const { return m_source; }

    // The cells report nothing worth hearing.
    void handleActionEvent(const Events::CActionEvent& event) override;
    // Wherever the pointer is, the wheel goes to the vertical scroll bar; without one it does nothing.
    void handleMouseScroll(Events::CMouseEvent& event) override;
    // The view's own properties only: the grid comes from the source, not from layouts.
    bool writeToXmlNode(IO::CXMLNode* node) override;
    bool readFromXmlNode(IO::CXMLNode* node) override;

private:
    void buildGrid();

    ITableViewDataSource* m_source;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
