// What a table view shows: the grid's size and column widths, the colours of its rows and frames, and each
// cell's text and alignment. The application implements it; the view asks it only while it builds the grid.
#pragma once

namespace Brivant
{
namespace Basics
{
class CString;
}

namespace GUI
{
namespace Basics
{
class CAlphaColour;
}

namespace Controls
{
class ITableViewDataSource
{
public:
    virtual ~ITableViewDataSource() = default;

    virtual long getNumberOfColumns() = 0;
    virtual long getNumberOfRows() = 0;
    // In pixels; neighbouring columns share their frame line.
    virtual long getColumnWidth(long column) = 0;
    virtual void getRowColour(Basics::CAlphaColour& colour, long row) = 0;
    // The colour of every frame line.
    virtual void getTableColour(Basics::CAlphaColour& colour) = 0;
    virtual void getCellText(::Brivant::Basics::CString& text, long column, long row) = 0;
    // A CTextLabel alignment code.
    virtual long getCellAlignment(long column, long row) = 0;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
