// For the tree view and preset browser tests: a temporary folder of preset files, and a tree view's rows as text.
#pragma once

#include "foundation/collections/TTreeNode.hpp"
#include "gui/controls/CTreeView.hpp"
#include "tests/gui/CGuiTestKit.hpp"
#include "tests/support/CTemporaryFolder.hpp"

#include <windows.h>

#include <string>

namespace VolturaTests
{
// A folder "A" holding "one.fxp", an empty folder "B", and the files "lead.fxp" and "notes.txt".
class CPresetFolder : public CTemporaryFolder
{
public:
    CPresetFolder()
    {
        CreateDirectoryA(file("A").c_str(), nullptr);
        CreateDirectoryA(file("B").c_str(), nullptr);
        for (const char* name : {"A\\one.fxp", "lead.fxp", "notes.txt"})
            writeBytes(file(name), "preset");
    }
};

// The rows in list order, the highlight left out: a button as ">x,y" (collapsed) or "vx,y" (expanded), a label as
// "text@x,y".
inline std::string rowsText(const Brivant::GUI::Controls::CTreeView& tree)
{
    using Brivant::GUI::Controls::CTreeView;
    std::string text;
    for (long index = 0; index < tree.getControlArraySize(); ++index)
    {
        IControl* row = tree.getControl(index, true);
        if (row == nullptr)
            continue;
        const std::string separator = text.empty() ? "" : " ";
        const std::string at =
            positionText(Brivant::MathTools::CPoint(row->getArea().getLeft(), row->getArea().getTop()));
        if (auto* label = dynamic_cast<CTreeView::CClickableLabel*>(row))
            text += separator + label->getText().getString() + "@" + at;
        else if (dynamic_cast<CTreeView::CExpansionButton*>(row) != nullptr)
            text += separator + (row->getValue() > 0.5 ? "v" : ">") + at;
    }
    return text;
}
} // namespace VolturaTests
