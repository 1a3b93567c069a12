// CTableView: the grid its data source describes, rows and cells sharing frame lines, cells that cannot be edited,
// a canvas that reaches the last row's frame line, and sources replaced.
#include "gui/controls/CTableView.hpp"

#include "foundation/io/CXMLNode.hpp"
#include "gui/controls/CTextEdit.hpp"
#include "tests/foundation/basics/CCountChange.hpp"
#include "tests/gui/CGuiTestKit.hpp"

#include <gtest/gtest.h>

#include <string>

namespace
{
using Brivant::Basics::CString;
using Brivant::GUI::Controls::CControlPanel;
using Brivant::GUI::Controls::CScrollBar;
using Brivant::GUI::Controls::CTableView;
using Brivant::GUI::Controls::CTextEdit;
using Brivant::GUI::Controls::ITableViewDataSource;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

// Columns 50, 60, 70 ... wide, aligned by their index; cells read "column,row"; rows alternate green and yellow
// in blue frames.
class CGridSource : public ITableViewDataSource
{
public:
    CGridSource(long rows, long columns) : m_rows(rows), m_columns(columns) {}
    long getNumberOfColumns() override { return m_columns; }
    long getNumberOfRows() override { return m_rows; }
    long getColumnWidth(long column) override { return 50 + 10 * column; }
    void getRowColour(CAlphaColour& colour, long row) override { colour = row % 2 == 0 ? green : yellow; }
    void getTableColour(CAlphaColour& colour) override { colour = blue; }
    void getCellText(CString& text, long column, long row) override
    {
        text = (std::to_string(column) + "," + std::to_string(row)).c_str();
    }
    long getCellAlignment(long column, long /*row*/) override { return column; }

    const CAlphaColour green{0, 200, 0, 255}, yellow{250, 250, 0, 255}, blue{0, 0, 255, 255};

private:
    long m_rows;
    long m_columns;
};

// Each row as its area and cells as " left/width text@alignment", rows joined by " | "; a row panel or cell in
// the wrong colours, or a cell that can be edited, is marked "?".
std::string gridText(const CTableView& table, const CGridSource& source)
{
    std::string text;
    for (long index = 0; index < table.getInsertIndex(); ++index)
    {
        auto& row = dynamic_cast<CControlPanel&>(*table.getControl(index, true));
        const bool rowRight = row.isDefaultDrawing() && row.getFrameColour() == source.blue &&
                              row.getBackgroundColour() == (index % 2 == 0 ? source.green : source.yellow);
        text += (index > 0 ? " | " : "") + std::string(rowRight ? "" : "?") + rectText(row.getArea()) + ":";
        for (long cellIndex = 0; cellIndex < row.getInsertIndex(); ++cellIndex)
        {
            auto& cell = dynamic_cast<CTextEdit&>(*row.getControl(cellIndex, true));
            const bool cellRight = !cell.isEditable() && cell.isDefaultDrawing() &&
                                   cell.getFrameColour() == source.blue &&
                                   cell.getBackgroundColour() == CAlphaColour::transparent();
            text += std::string(cellRight ? " " : " ?") + std::to_string(cell.getArea().getLeft()) + "/" +
                    std::to_string(cell.getArea().getWidth()) + " " + cell.getText().getString() + "@" +
                    std::to_string(cell.getTextAlignment());
        }
    }
    return text;
}

// A view at (10, 10), 120 by 40, with or without a vertical bar beside it.
struct STableOnBench
{
    explicit STableOnBench(bool withBar)
        : table(new CTableView(&bench.root(), 3, CRect(10, 10, 120, 40), CRect(0, 0, 120, 40), nullptr, nullptr))
    {
        bench.root().addControl(table);
        if (!withBar)
            return;
        auto* bar = new CScrollBar(&bench.root(), 4, CRect(130, 10, 15, 40), CRect(0, 0, 15, 40), table);
        bench.root().addControl(bar);
        table->verticalScrollBar.setPointer(bar);
    }
    CControlBench bench;
    CTableView* table;
};

TEST(CTableView, theGridHasARowPanelPerRowAndACellPerColumnEachOverlappingItsNeighbourByOnePixel)
{
    const std::tuple<long, long, const char*> cases[] = {
        {3, 2, "0,0,120,20: 0/50 0,0@0 49/60 1,0@1 | 0,19,120,20: 0/50 0,1@0 49/60 1,1@1 | "
               "0,38,120,20: 0/50 0,2@0 49/60 1,2@1"},
        {1, 3, "0,0,120,20: 0/50 0,0@0 49/60 1,0@1 108/70 2,0@2"},
        {2, 0, "0,0,120,20: | 0,19,120,20:"},
        {0, 2, ""}};
    for (const auto& [rows, columns, grid] : cases)
    {
        STableOnBench bench(false);
        CGridSource source(rows, columns);
        bench.bench.redraws.clear();
        bench.table->setDataSource(&source);
        EXPECT_EQ(grid, gridText(*bench.table, source));
        EXPECT_EQ("10,10,120,40", bench.bench.redraws.empty() ? "" : bench.bench.redraws.back());
        // Without a vertical bar the canvas stays as it was made; rebuilding gives the same grid.
        EXPECT_EQ("0,0,120,40", rectText(bench.table->getCanvasArea()));
        bench.table->rebuild();
        EXPECT_EQ(grid, gridText(*bench.table, source));
    }
}

TEST(CTableView, withAVerticalBarTheCanvasReachesTheLastRowsFrameLineAndShowsFromTheTop)
{
    // Rows; the canvas height, and the colour of the view's bottom pixel row after a wheel notch down.
    const std::tuple<long, long, const char*> cases[] = {
        {3, 58, "0,0,255"}, {1, 40, "255,255,255"}, {0, 40, "255,255,255"}};
    for (const auto& [rows, height, bottom] : cases)
    {
        STableOnBench bench(true);
        CGridSource source(rows, 1);
        bench.table->setDataSource(&source);
        EXPECT_EQ(height, bench.table->getCanvasArea().getHeight()) << rows;
        bench.bench.wheel(20, 20, -1.0);
        COffscreenCanvas canvas(200, 100);
        canvas.draw(bench.bench.root());
        EXPECT_EQ(bottom, canvas.rgb(40, 49)) << rows;
        // A new source shows from the top again, bar and view alike.
        bench.table->setDataSource(&source);
        EXPECT_EQ(0, bench.table->getScrollOffset().getY());
        EXPECT_EQ(0, bench.table->verticalScrollBar.getPointer()->getHandleArea().getTop());
    }
}

TEST(CTableView, theGridStaysOutOfLayoutsAndGoesWithItsSourceOrItsView)
{
    const CCountChange views(CTableView::classRecord()), cells(CTextEdit::classRecord());
    {
        STableOnBench bench(false);
        CGridSource source(3, 2);
        bench.table->setDataSource(&source);
        // A layout written and read back has the view without its grid.
        Brivant::IO::CXMLNode written(CString("controls"), nullptr);
        ASSERT_TRUE(bench.bench.root().writeToXmlNode(&written));
        CControlBench reread;
        ASSERT_TRUE(reread.root().readFromXmlNode(&written));
        EXPECT_EQ(0, dynamic_cast<CTableView*>(reread.root().getControl(0, true))->getInsertIndex());
        // No source, no grid.
        bench.table->setDataSource(nullptr);
        EXPECT_EQ(0, bench.table->getInsertIndex());
        EXPECT_EQ(0, cells.live());
    }
    EXPECT_EQ(0, views.live() + cells.live());
}
} // namespace
