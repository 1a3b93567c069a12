// Told when the user clicks or selects a row of a tree view.
#pragma once

#include "gui/controls/ITreeViewDataSource.hpp"

namespace Brivant
{
namespace GUI
{
namespace Listeners
{
class ITreeViewListener
{
public:
    virtual ~ITreeViewListener() = default;
    // A single press on a row's label, when the tree selects on double clicks only.
    virtual void handleNodeClicked(const Controls::ITreeViewDataSource::CTreeViewNodeElement& element) = 0;
    virtual void handleNodeSelected(const Controls::ITreeViewDataSource::CTreeViewNodeElement& element) = 0;
};
} // namespace Listeners
} // namespace GUI
} // namespace Brivant
