// A tree of items as indented rows on a scroll panel: one row per visible node, an arrow button that expands or
// collapses each node that can have children, and a label with the node's text. The data source gives texts and
// expandability, the tree listener hears about clicks on labels, and a red bar marks the row last clicked. Rows
// are made from the tree on each refresh; the expanded flags live in the tree's elements and survive that.
#pragma once

#include "foundation/collections/TAutomaticPointer.hpp"
#include "gui/controls/CLatchingButton.hpp"
#include "gui/controls/CScrollPanel.hpp"
#include "gui/controls/CTextLabel.hpp"
#include "gui/controls/ITreeViewDataSource.hpp"
#include "gui/controls/ITreeViewListener.hpp"
#include "gui/core/CAlphaColour.hpp"
#include "gui/core/IActionListener.hpp"

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
class CRGBAImage;
}

namespace Controls
{
class CTreeView : public CScrollPanel, public Listeners::IActionListener
{
    BRIVANT_CLASS_RECORD(CTreeView, "CScrollPanel");

public:
    using CNodeElement = ITreeViewDataSource::CTreeViewNodeElement;
    using TNode = ITreeViewDataSource::TElementNode;

    // Rows are 20 pixels high; each level of depth indents them by as much.
    static constexpr long kRowHeight = 20;

    // The button in front of an expandable row; on means expanded.
    class CExpansionButton : public CLatchingButton
    {
        BRIVANT_NAMED_CLASS_RECORD(CExpansionButton, "CTreeView::CExpansionButton", "CLatchingButton");

    public:
        CExpansionButton(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
                         Listeners::IActionListener* listener);
        ~CExpansionButton() override;

        // Counted.
        void setNodeElement(::Brivant::Basics::ICountedObject* element) { m_element.setPointer(element); }
        ::Brivant::Basics::ICountedObject* getNodeElement() const { return m_element.getPointer(); }

    private:
        Collections::TAutomaticPointer<::Brivant::Basics::ICountedObject> m_element;
    };

    // A row's text: a press or a double click on it reports to its listener.
    class CClickableLabel : public CTextLabel
    {
        BRIVANT_NAMED_CLASS_RECORD(CClickableLabel, "CTreeView::CClickableLabel", "CTextLabel");

    public:
        CClickableLabel(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
                        const ::Brivant::Basics::CString& text, Listeners::IActionListener* listener);
        ~CClickableLabel() override;

        // Counted.
        void setNodeElement(::Brivant::Basics::ICountedObject* element) { m_element.setPointer(element); }
        ::Brivant::Basics::ICountedObject* getNodeElement() const { return m_element.getPointer(); }
        // Whether the last report came from a single press rather than a double click.
        bool isSingleClick() const { return m_singleClick; }

        void handleLeftButtonDown(Events::CMouseEvent& event) override;
        void handleDoubleClick(Events::CMouseEvent& event) override;

    private:
        void report(const Events::CMouseEvent& event, bool singleClick);

        Collections::TAutomaticPointer<::Brivant::Basics::ICountedObject> m_element;
        bool m_singleClick;
    };

    // Neither the source nor the listener is owned; either may be null. Labels in the default font, black.
    CTreeView(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
              const ::Brivant::MathTools::CRect& canvas, ITreeViewDataSource* source,
              Listeners::ITreeViewListener* listener);
    ~CTreeView() override;

    // The root node has no row; its children are the top-level rows. Counted; the old rows go first.
    virtual void setTree(TNode* root);
    // Counted; null draws the labels in the default font. Rebuilds the rows.
    virtual void setFont(Fonts::CFont* font);
    // Rebuilds the rows.
    virtual void setTextColour(const Basics::CAlphaColour& colour);
    // Adds the rows of the expanded part of the tree to the ones there are; callers clear the old rows first.
    virtual void refresh();
    // The canvas grows to the content, never below the view's own size.
    virtual void setContentSize(long width, long height);

    // Off: only double clicks reach the listener, as selections.
    void setSingleClickSelect(bool singleClickSelect) { m_singleClickSelect = singleClickSelect; }
    // Off (the default): the listener is never told.
    void setNodeClickSelect(bool nodeClickSelect) { m_nodeClickSelect = nodeClickSelect; }
    bool isSingleClickSelect() const { return m_singleClickSelect; }
    bool isNodeClickSelect() const { return m_nodeClickSelect; }
    const Basics::CAlphaColour& getTextColour() const { return m_textColour; }
    Fonts::CFont* getFont() const { return m_font.getPointer(); }
    TNode* getTree() const { return m_tree.getPointer(); }
    // The bar that marks the selected row; always among the view's controls after a refresh.
    IControl* getHighlight() const { return m_highlight.getPointer(); }

    // From the rows: a button expands or collapses its node, a label is reported and highlighted.
    void handleActionEvent(const Events::CActionEvent& event) override;
    // Wherever the pointer is, the wheel goes to the vertical scroll bar; without one it does nothing.
    void handleMouseScroll(Events::CMouseEvent& event) override;

    // "Single Click Select", "Node Click Select" and "Text Colour" after the control base's; applying one does
    // not rebuild the rows.
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;
    // The view's own properties only: rows come from the data, not from layouts.
    bool writeToXmlNode(IO::CXMLNode* node) override;
    bool readFromXmlNode(IO::CXMLNode* node) override;

private:
    // The rows of parent's children at depth, from row top y on; width grows to the widest row.
    void addRows(const TNode& parent, long depth, long& y, long& width);

    Collections::TAutomaticPointer<Fonts::CFont> m_font;
    Collections::TAutomaticPointer<Graphics::CRGBAImage> m_collapsedArrow;
    Collections::TAutomaticPointer<Graphics::CRGBAImage> m_expandedArrow;
    Collections::TAutomaticPointer<TNode> m_tree;
    ITreeViewDataSource* m_source;
    Listeners::ITreeViewListener* m_listener;
    bool m_singleClickSelect;
    bool m_nodeClickSelect;
    Basics::CAlphaColour m_textColour;
    Collections::TAutomaticPointer<IControl> m_highlight;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
