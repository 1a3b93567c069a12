// CTreeView over a folder of preset files: rows and their places, expanding and collapsing, what label clicks
// report under the two flags, the wheel, the arrows and the highlight as drawn, and what the tree keeps alive.
#include "gui/controls/CTreeView.hpp"

#include "foundation/basics/CBool.hpp"
#include "foundation/host/CFileInformation.hpp"
#include "foundation/host/CFileManager.hpp"
#include "gui/controls/CScrollBar.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CRGBAImage.hpp"
#include "tests/foundation/basics/CCountChange.hpp"
#include "tests/gui/controls/CPresetFolderBench.hpp"
#include "tests/gui/controls/CSliderTestSupport.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CBool;
using Brivant::Basics::CString;
using Brivant::Basics::CSystemString;
using Brivant::Collections::TAutomaticPointer;
using Brivant::Collections::TCountedObjectDeleter;
using Brivant::GUI::Controls::CControlDescriptor;
using Brivant::GUI::Controls::CScrollBar;
using Brivant::GUI::Controls::CTreeView;
using Brivant::GUI::Controls::ITreeViewDataSource;
using Brivant::Host::CFileInformation;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

using CElement = ITreeViewDataSource::CTreeViewNodeElement;

// Shows folder trees with the static helpers and writes down what it hears.
class CFileSource : public ITreeViewDataSource, public Brivant::GUI::Listeners::ITreeViewListener
{
public:
    CString getNodeText(const CElement& element) override { return getFileNodeText(element); }
    bool isNodeExpandable(const CElement& element) override { return isFileNodeExpandable(element); }
    bool handleNodeRequestA(const CElement&, long) override { return false; }
    bool handleNodeRequestB(const CElement&, long, Brivant::Basics::ICountedObject*) override { return false; }
    void handleNodeClicked(const CElement& element) override { note("clicked", element); }
    void handleNodeSelected(const CElement& element) override { note("selected", element); }

    std::vector<std::string> heard;

private:
    void note(const char* what, const CElement& element)
    {
        heard.push_back(std::string(what) + " " + getFileNodeText(element).getString());
    }
};

// The preset folder's tree in a view at (10, 10), 200 by 100, with the source as data source and listener.
struct STreeOnBench
{
    explicit STreeOnBench(bool withSource = true)
        : files(new ITreeViewDataSource::TFileNode(&TCountedObjectDeleter<CFileInformation>::sharedPolicy()),
                &TCountedObjectDeleter<ITreeViewDataSource::TFileNode>::sharedPolicy()),
          tree(new CTreeView(&bench.root(), 3, CRect(10, 10, 200, 100), CRect(0, 0, 200, 100),
                             withSource ? &source : nullptr, &source))
    {
        bench.root().addControl(tree);
        Brivant::Host::CFileManager::buildDirectoryTree(*files.getPointer(), CSystemString(folder.path().c_str()));
        tree->setTree(newTree());
    }
    CTreeView::TNode* newTree()
    {
        auto* root = new CTreeView::TNode(&TCountedObjectDeleter<CElement>::sharedPolicy());
        ITreeViewDataSource::buildNodeTree(files.getPointer(), root);
        return root;
    }
    void set(const char* name, bool on)
    {
        CControlDescriptor descriptor(CString(name), CControlDescriptor::kBoolean, new CBool(on));
        EXPECT_TRUE(tree->applyDescriptor(descriptor));
    }

    CFileSource source;
    CPresetFolder folder;
    CControlBench bench;
    TAutomaticPointer<ITreeViewDataSource::TFileNode> files;
    CTreeView* tree;
};

TEST(CTreeView, rowsIndentByDepthAndFollowEachExpandOrCollapse)
{
    // The button clicked (window coordinates); the rows, the canvas height and the highlight's area afterwards.
    const std::tuple<long, long, const char*, long> steps[] = {
        {0, 0, ">0,0 A@20,0 >0,20 B@20,20 lead.fxp@10,40 notes.txt@10,60", 100},
        {15, 15, "v0,0 A@20,0 one.fxp@30,20 >0,40 B@20,40 lead.fxp@10,60 notes.txt@10,80", 100},
        {15, 55, "v0,0 A@20,0 one.fxp@30,20 v0,40 B@20,40 lead.fxp@10,60 notes.txt@10,80", 100},
        {15, 15, ">0,0 A@20,0 v0,20 B@20,20 lead.fxp@10,40 notes.txt@10,60", 100}};
    STreeOnBench bench;
    for (const auto& [x, y, rows, canvasHeight] : steps)
    {
        if (x > 0)
            bench.bench.click(x, y);
        EXPECT_EQ(rows, rowsText(*bench.tree)) << x << "," << y;
        EXPECT_EQ(canvasHeight, bench.tree->getCanvasArea().getHeight());
        EXPECT_EQ("0,0,200,20", rectText(bench.tree->getHighlight()->getArea()));
        EXPECT_EQ(0, bench.tree->getControlIndex(bench.tree->getHighlight()));
    }
    EXPECT_TRUE(bench.source.heard.empty());
    // A view smaller than its rows gets a canvas as high as the rows and as wide as the widest.
    bench.tree->setArea(CRect(10, 10, 40, 50));
    bench.tree->setTextColour(CAlphaColour::blue());
    EXPECT_EQ(80, bench.tree->getCanvasArea().getHeight());
    EXPECT_GT(bench.tree->getCanvasArea().getWidth(), 40);
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
        bench.set("Node Click Select", nodeClick);
        bench.set("Single Click Select", singleClick);
        bench.bench.mouse(kind, 30, 55);
        EXPECT_EQ(heard, std::string(bench.source.heard.empty() ? "" : bench.source.heard.back())) << kind;
        EXPECT_EQ(kind == CMouseEvent::kRightButtonDown ? "0,0,200,20" : "0,40,200,20",
                  rectText(bench.tree->getHighlight()->getArea()));
    }
}

TEST(CTreeView, theWheelScrollsThroughTheVerticalBarWhereverThePointerIs)
{
    // With A expanded the five rows overhang a view 60 high by 40: a notch moves the bar's 36-pixel thumb 20 of its
    // 24 pixels of travel, which is 33 pixels of canvas. The pointer over a label, then over no row.
    const std::tuple<bool, long, long, long> cases[] = {
        {true, 40, 15, 33}, {true, 190, 65, 33}, {false, 40, 15, 0}, {false, 190, 65, 0}};
    for (const auto& [withBar, x, y, offset] : cases)
    {
        STreeOnBench bench;
        bench.bench.click(15, 15);
        bench.tree->setArea(CRect(10, 10, 200, 60));
        if (withBar)
        {
            auto* bar = new CScrollBar(&bench.bench.root(), 4, CRect(210, 10, 15, 60), CRect(0, 0, 15, 60),
                                       bench.tree);
            bench.bench.root().addControl(bar);
            bench.tree->verticalScrollBar.setPointer(bar);
        }
        bench.tree->clearControls();
        bench.tree->refresh();
        bench.bench.wheel(x, y, -1.0);
        EXPECT_EQ(offset, bench.tree->getScrollOffset().getY()) << x << "," << y;
    }
}

TEST(CTreeView, arrowsAndTheHighlightAreDrawnUnderTheRowsInTheViewsOwnColours)
{
    STreeOnBench bench;
    bench.bench.click(15, 15);
    COffscreenCanvas canvas(300, 200);
    canvas.draw(bench.bench.root());
    // A's arrow points down (expanded), B's right; the highlight is red behind row 0 and the text in black.
    const std::string grey = "147,147,147";
    EXPECT_EQ(grey + " " + grey + " 255,255,255 " + grey,
              canvas.rgb(20, 22) + " " + canvas.rgb(20, 15) + " " + canvas.rgb(23, 55) + " " + canvas.rgb(15, 55));
    EXPECT_EQ("243,32,32", canvas.rgb(205, 20));
    EXPECT_GT(canvas.pixels().count(30, 12, 60, 16, "0,0,0"), 0);
    EXPECT_EQ(0, canvas.pixels().count(0, 111, 300, 89, "0,0,0"));
}

TEST(CTreeView, propertiesAreStoredWithoutRebuildingTheRowsAndWrongValuesAreRefused)
{
    STreeOnBench bench;
    auto labelColour = [&bench] {
        auto* label = dynamic_cast<CTreeView::CClickableLabel*>(bench.tree->getControl(2, true));
        return std::string(CAlphaColour::toString(label->getTextColour()).getString());
    };
    // Name, value, taken; then the property as filled and the colour of row 0's label.
    const std::tuple<const char*, Brivant::Basics::ICountedObject*, bool, const char*, const char*> cases[] = {
        {"Text Colour", new CAlphaColour(0, 0, 255, 255), true, "[0,0,255,255]", "0,0,0,255"},
        {"Text Colour", new CBool(true), false, "[0,0,255,255]", "0,0,0,255"},
        {"Node Click Select", new CAlphaColour(1, 2, 3, 4), false, "False", "0,0,0,255"},
        {"Node Click Select", nullptr, false, "False", "0,0,0,255"},
        {"Single Click Select", new CBool(true), true, "True", "0,0,0,255"}};
    for (const auto& [name, value, taken, filled, colour] : cases)
    {
        EXPECT_EQ(taken, applyProperty(*bench.tree, name, value == nullptr ? 3 : 2, value)) << name;
        EXPECT_EQ(filled, propertyText(*bench.tree, name)) << name;
        EXPECT_EQ(colour, labelColour()) << name;
    }
    // A new font rebuilds the rows, which take the stored colour.
    bench.tree->setFont(nullptr);
    EXPECT_EQ("0,0,255,255", labelColour());
    EXPECT_EQ(nullptr, dynamic_cast<CTreeView::CClickableLabel*>(bench.tree->getControl(2, true))->getFont());
}

TEST(CTreeView, aNewTreeReplacesTheRowsAndEverythingGoesWithTheView)
{
    const Brivant::Basics::CClass* records[] = {
        &CTreeView::classRecord(),          &CTreeView::CExpansionButton::classRecord(),
        &CTreeView::CClickableLabel::classRecord(), &CElement::classRecord(),
        &ITreeViewDataSource::TFileNode::classRecord(), &CFileInformation::classRecord(),
        &Brivant::GUI::Graphics::CRGBAImage::classRecord()};
    std::vector<CCountChange> changes;
    for (const auto* record : records)
        changes.emplace_back(*record);
    {
        STreeOnBench bench;
        bench.bench.click(15, 15);
        const std::string rows = rowsText(*bench.tree);
        const long elements = changes[3].live();
        bench.tree->setTree(bench.newTree());
        EXPECT_EQ(">0,0 A@20,0 >0,20 B@20,20 lead.fxp@10,40 notes.txt@10,60", rowsText(*bench.tree));
        EXPECT_EQ(elements, changes[3].live());
        // Without a tree, or without a source, only the highlight is left.
        bench.tree->setTree(nullptr);
        EXPECT_EQ("", rowsText(*bench.tree));
        EXPECT_EQ(1, bench.tree->getInsertIndex());
        STreeOnBench sourceless(false);
        EXPECT_EQ(1, sourceless.tree->getInsertIndex());
        EXPECT_NE("", rows);
    }
    for (const auto& change : changes)
        EXPECT_EQ(0, change.live());
    // The element is a counted object, not a control.
    EXPECT_STREQ("ITreeViewDataSource::CTreeViewNodeElement", CElement::classRecord().getClassName());
    EXPECT_STREQ("CCountedObject", CElement::classRecord().getParentName());
    EXPECT_TRUE(CElement::classRecord().isTypeOf(Brivant::Basics::CCountedObject::classRecord()));
}
} // namespace
