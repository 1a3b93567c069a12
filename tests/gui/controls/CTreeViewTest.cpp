// CTreeView over a folder of preset files: rows and their places, expanding and collapsing, what label clicks
// report under the two flags, the wheel, and what a new tree and the view's end let go.
#include "gui/controls/CTreeView.hpp"

#include "foundation/basics/CBool.hpp"
#include "foundation/host/CFileInformation.hpp"
#include "foundation/host/CFileManager.hpp"
#include "gui/core/CRGBAImage.hpp"
#include "tests/foundation/basics/CAllocationFailure.hpp"
#include "tests/foundation/basics/CCountChange.hpp"
#include "tests/gui/controls/CPresetFolderBench.hpp"
#include "tests/gui/controls/CSliderTestSupport.hpp"

#include <gtest/gtest.h>

namespace
{
using Brivant::Basics::CBool;
using Brivant::Basics::CString;
using Brivant::Collections::TCountedObjectDeleter;
using Brivant::GUI::Controls::CScrollBar;
using Brivant::GUI::Controls::CTreeView;
using Brivant::GUI::Controls::ITreeViewDataSource;
using Brivant::MathTools::CRect;
using namespace VolturaTests;
using CElement = ITreeViewDataSource::CTreeViewNodeElement;

// Shows folder trees through the static helpers and writes down what it hears.
class CFileSource : public ITreeViewDataSource, public Brivant::GUI::Listeners::ITreeViewListener
{
public:
    CString getNodeText(const CElement& element) override { return getFileNodeText(element); }
    bool isNodeExpandable(const CElement& element) override { return isFileNodeExpandable(element); }
    bool handleNodeRequestA(const CElement&, long) override { return false; }
    bool handleNodeRequestB(const CElement&, long, Brivant::Basics::ICountedObject*) override { return false; }
    void handleNodeClicked(const CElement& element) override { heard = "clicked " + text(element); }
    void handleNodeSelected(const CElement& element) override { heard = "selected " + text(element); }
    static std::string text(const CElement& element) { return getFileNodeText(element).getString(); }
    std::string heard;
};

// The label at that place in the list of controls.
CTreeView::CClickableLabel& labelAt(const CTreeView& tree, long index)
{
    return dynamic_cast<CTreeView::CClickableLabel&>(*tree.getControl(index, true));
}

// The preset folder's tree in a view at (10, 10), 200 by 100, the source its data source and listener.
struct STreeOnBench
{
    explicit STreeOnBench(bool withSource = true)
        : tree(new CTreeView(&bench.root(), 3, CRect(10, 10, 200, 100), CRect(0, 0, 200, 100),
                             withSource ? &source : nullptr, &source))
    {
        bench.root().addControl(tree);
        files.setPointer(new ITreeViewDataSource::TFileNode(
            &TCountedObjectDeleter<Brivant::Host::CFileInformation>::sharedPolicy()));
        Brivant::Host::CFileManager::buildDirectoryTree(*files.getPointer(), folder.path().c_str());
        tree->setTree(newTree());
    }
    CTreeView::TNode* newTree()
    {
        auto* root = new CTreeView::TNode(&TCountedObjectDeleter<CElement>::sharedPolicy());
        ITreeViewDataSource::buildNodeTree(files.getPointer(), root);
        return root;
    }

    CFileSource source;
    CPresetFolder folder;
    CControlBench bench;
    Brivant::Collections::TAutomaticPointer<ITreeViewDataSource::TFileNode> files;
    CTreeView* tree;
};

TEST(CTreeView, rowsIndentByDepthAndFollowEachExpandOrCollapse)
{
    // The button clicked (window coordinates, none at first); the rows afterwards.
    const std::tuple<long, long, const char*> steps[] = {
        {0, 0, ">0,0 A@20,0 >0,20 B@20,20 lead.fxp@10,40 notes.txt@10,60"},
        {15, 15, "v0,0 A@20,0 one.fxp@30,20 >0,40 B@20,40 lead.fxp@10,60 notes.txt@10,80"},
        {15, 55, "v0,0 A@20,0 one.fxp@30,20 v0,40 B@20,40 lead.fxp@10,60 notes.txt@10,80"},
        {15, 15, ">0,0 A@20,0 v0,20 B@20,20 lead.fxp@10,40 notes.txt@10,60"}};
    STreeOnBench bench;
    for (const auto& [x, y, rows] : steps)
    {
        if (x > 0)
            bench.bench.click(x, y);
        EXPECT_EQ(rows, rowsText(*bench.tree)) << x << "," << y;
        EXPECT_EQ("0,0,200,20 0,0,200,100", rectText(bench.tree->getHighlight()->getArea()) + " " +
                                                rectText(bench.tree->getCanvasArea()));
    }
    EXPECT_EQ("", bench.source.heard);
    // Drawn: A's arrow points right (collapsed) on the red highlight, B's down; the canvas grows past a smaller
    // view to the rows' height and the widest row.
    COffscreenCanvas canvas(300, 200);
    canvas.draw(bench.bench.root());
    EXPECT_EQ("147,147,147 243,32,32 147,147,147 255,255,255",
              canvas.rgb(15, 15) + " " + canvas.rgb(25, 15) + " " + canvas.rgb(20, 42) + " " + canvas.rgb(20, 48));
    // The "Text Colour" property waits for the next rebuild; a new font makes one. The canvas grows past a
    // smaller view to the rows' height (80, overhanging by 30) and the widest row, and the wheel over a label
    // scrolls it through the vertical bar.
    EXPECT_TRUE(applyProperty(*bench.tree, "Text Colour", 2, new CAlphaColour(0, 0, 255, 255)));
    EXPECT_EQ(CAlphaColour::black(), labelAt(*bench.tree, 2).getTextColour());
    bench.tree->setArea(CRect(10, 10, 40, 50));
    bench.tree->verticalScrollBar.setPointer(
        new CScrollBar(&bench.bench.root(), 4, CRect(50, 10, 15, 50), CRect(0, 0, 15, 50), bench.tree));
    bench.bench.root().addControl(bench.tree->verticalScrollBar.getPointer());
    bench.tree->setFont(nullptr);
    EXPECT_EQ(CAlphaColour(0, 0, 255, 255), labelAt(*bench.tree, 2).getTextColour());
    EXPECT_EQ(80, bench.tree->getCanvasArea().getHeight());
    EXPECT_GT(bench.tree->getCanvasArea().getWidth(), 40);
    bench.bench.wheel(35, 15, -1.0);
    EXPECT_EQ(30, bench.tree->getScrollOffset().getY());
}

TEST(CTreeView, labelClicksReachTheListenerOnlyWithNodeClickSelectAndAlwaysMoveTheHighlight)
{
    // Node click select, single click select, the event on lead.fxp's label (row 2); what the listener hears.
    const std::tuple<bool, bool, long, const char*> cases[] = {
        {false, false, CMouseEvent::kLeftButtonDown, ""},
        {false, true, CMouseEvent::kDoubleClick, ""},
        {true, false, CMouseEvent::kLeftButtonDown, "selected lead.fxp"},
        {true, false, CMouseEvent::kDoubleClick, "selected lead.fxp"},
        {true, true, CMouseEvent::kLeftButtonDown, "clicked lead.fxp"},
        {true, true, CMouseEvent::kDoubleClick, "selected lead.fxp"},
        {true, true, CMouseEvent::kRightButtonDown, ""}};
    for (const auto& [nodeClick, singleClick, kind, heard] : cases)
    {
        STreeOnBench bench;
        EXPECT_TRUE(applyProperty(*bench.tree, "Node Click Select", 3, new CBool(nodeClick)));
        EXPECT_TRUE(applyProperty(*bench.tree, "Single Click Select", 3, new CBool(singleClick)));
        bench.bench.mouse(kind, 30, 55);
        EXPECT_EQ(heard, bench.source.heard) << kind;
        EXPECT_EQ(*heard != '\0' || !nodeClick ? 40 : 0, bench.tree->getHighlight()->getArea().getTop());
        // Values of another class, or none, are refused.
        EXPECT_FALSE(applyProperty(*bench.tree, "Node Click Select", 2, new CAlphaColour(1, 2, 3, 4)));
        EXPECT_FALSE(applyProperty(*bench.tree, "Text Colour", 3, nullptr));
        EXPECT_EQ(nodeClick ? "True" : "False", propertyText(*bench.tree, "Node Click Select"));
    }
}

TEST(CTreeView, aNewTreeReplacesTheRowsAndEverythingGoesWithTheView)
{
    std::vector<CCountChange> changes;
    for (const auto* record : {&CTreeView::classRecord(), &CTreeView::CExpansionButton::classRecord(),
                               &CTreeView::CClickableLabel::classRecord(), &CElement::classRecord(),
                               &ITreeViewDataSource::TFileNode::classRecord(),
                               &Brivant::GUI::Graphics::CRGBAImage::classRecord()})
        changes.emplace_back(*record);
    {
        STreeOnBench bench;
        bench.bench.click(15, 15);
        const long elements = changes[3].live();
        bench.tree->setTree(bench.newTree());
        EXPECT_EQ(">0,0 A@20,0 >0,20 B@20,20 lead.fxp@10,40 notes.txt@10,60", rowsText(*bench.tree));
        EXPECT_EQ(elements, changes[3].live());
        // Without a tree, or without a source, only the highlight is left.
        bench.tree->setTree(nullptr);
        STreeOnBench sourceless(false);
        EXPECT_EQ("1 1", std::to_string(bench.tree->getInsertIndex()) + " " +
                             std::to_string(sourceless.tree->getInsertIndex()));
    }
    for (const auto& change : changes)
        EXPECT_EQ(0, change.live());
    // The element is a counted object, not a control.
    EXPECT_STREQ("ITreeViewDataSource::CTreeViewNodeElement", CElement::classRecord().getClassName());
    EXPECT_STREQ("CCountedObject", CElement::classRecord().getParentName());
    EXPECT_TRUE(CElement::classRecord().isTypeOf(Brivant::Basics::CCountedObject::classRecord()));
}

// Whichever allocation fails while a folder's node tree is built, no node or element is left behind.
TEST(CTreeView, aNodeTreeShortOfMemoryLeavesNoNodeBehind)
{
    STreeOnBench bench;
    const CCountChange nodes(CTreeView::TNode::classRecord()), elements(CElement::classRecord());
    const auto life = [&] {
        CTreeView::TNode root(&TCountedObjectDeleter<CElement>::sharedPolicy());
        ITreeViewDataSource::buildNodeTree(bench.files.getPointer(), &root);
    };
    const auto check = [&](long allocation) {
        EXPECT_EQ(0, nodes.live() + elements.live()) << "allocation " << allocation;
    };
    EXPECT_NE(0, Brivant::Testing::CAllocationFailure::sweep(life, check));
}
} // namespace
