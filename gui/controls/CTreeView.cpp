#include "gui/controls/CTreeView.hpp"

#include "foundation/basics/CBool.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "foundation/collections/TTreeNode.hpp"
#include "foundation/mathtools/CDimension.hpp"
#include "foundation/mathtools/CPolygon.hpp"
#include "gui/core/CActionEvent.hpp"
#include "gui/core/CBrush.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CFont.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CMouseEvent.hpp"
#include "gui/core/CRGBAImage.hpp"

#include <algorithm>

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CBool;
using ::Brivant::Basics::CString;
using ::Brivant::Basics::ICountedObject;
using ::Brivant::Collections::TAutomaticPointer;
using ::Brivant::Collections::TCountedObjectDeleter;
using ::Brivant::Collections::TCountedPointerArray;
using ::Brivant::MathTools::CDimension;
using ::Brivant::MathTools::CPolygon;
using ::Brivant::MathTools::CRect;
using Basics::CAlphaColour;
using Events::CActionEvent;
using Events::CMouseEvent;
using Fonts::CFont;
using Graphics::CRGBAImage;

namespace
{
// A 20 by 20 picture of a grey triangle through the three points.
CRGBAImage* makeArrow(const long (&corners)[3][2])
{
    auto* image = new CRGBAImage();
    if (!image->initialise(CDimension(20, 20)))
        return image;
    CPolygon polygon(4);
    for (long index = 0; index < 4; ++index)
        polygon.setPoint(corners[index % 3][0], corners[index % 3][1], index);
    image->getGraphics()->getMutableBrush().setColour(CAlphaColour::darkGrey());
    image->getGraphics()->fillPolygon(polygon);
    image->unintialise();
    return image;
}

const long kCollapsedCorners[3][2] = {{4, 4}, {16, 10}, {4, 16}};
const long kExpandedCorners[3][2] = {{4, 4}, {16, 4}, {10, 16}};
} // namespace

CTreeView::CExpansionButton::CExpansionButton(IControlRoot* root, long id, const CRect& area,
                                              Listeners::IActionListener* listener)
    : CLatchingButton(root, id, area, listener), m_element()
{
}

CTreeView::CExpansionButton::~CExpansionButton() = default;

CTreeView::CClickableLabel::CClickableLabel(IControlRoot* root, long id, const CRect& area, const CString& text,
                                            Listeners::IActionListener* listener)
    : CTextLabel(root, id, area, text), m_element(), m_singleClick(true)
{
    registerActionListener(listener);
    setMouseEnabled(true);
}

CTreeView::CClickableLabel::~CClickableLabel() = default;

void CTreeView::CClickableLabel::handleLeftButtonDown(CMouseEvent& event) { report(event, true); }

void CTreeView::CClickableLabel::handleDoubleClick(CMouseEvent& event) { report(event, false); }

void CTreeView::CClickableLabel::report(const CMouseEvent& event, bool singleClick)
{
    m_singleClick = singleClick;
    if (Listeners::IActionListener* listener = getActionListener())
        listener->handleActionEvent(CActionEvent(this, event));
}

CTreeView::CTreeView(IControlRoot* root, long id, const CRect& area, const CRect& canvas,
                     ITreeViewDataSource* source, Listeners::ITreeViewListener* listener)
    : CScrollPanel(root, id, area, canvas), m_font(), m_collapsedArrow(), m_expandedArrow(), m_tree(),
      m_source(source), m_listener(listener), m_singleClickSelect(false), m_nodeClickSelect(false),
      m_textColour(CAlphaColour::black()), m_highlight()
{
    m_font.setPointer(CFont::getDefaultFont());
    setDefaultDrawing(true);
    m_collapsedArrow.setPointer(makeArrow(kCollapsedCorners));
    m_expandedArrow.setPointer(makeArrow(kExpandedCorners));
    auto* highlight = new CControlPanel(getParentWindow(), this, -1, CRect(0, 0, area.getWidth(), kRowHeight), nullptr);
    m_highlight.setPointer(highlight);
    highlight->setDefaultDrawing(true);
    highlight->setDefaultControlColours(CAlphaColour::red(), CAlphaColour::red());
    highlight->setMouseEnabled(false);
    addControl(highlight);
}

CTreeView::~CTreeView() = default;

void CTreeView::setTree(TNode* root)
{
    // The old rows point into the old tree.
    clearControls();
    m_tree.setPointer(root);
    refresh();
}

void CTreeView::setFont(CFont* font)
{
    m_font.setPointer(font);
    clearControls();
    refresh();
}

void CTreeView::setTextColour(const CAlphaColour& colour)
{
    m_textColour = colour;
    clearControls();
    refresh();
}

void CTreeView::refresh()
{
    addControl(m_highlight.getPointer());
    long bottom = 0;
    long width = 0;
    if (m_source != nullptr && m_tree.getPointer() != nullptr)
        addRows(*m_tree.getPointer(), 0, bottom, width);
    IControl* highlight = m_highlight.getPointer();
    const CRect& marked = highlight->getArea();
    highlight->setArea(CRect(0, marked.getTop(), getArea().getWidth(), marked.getHeight()));
    setContentSize(width, bottom);
    update();
}

void CTreeView::addRows(const TNode& parent, long depth, long& y, long& width)
{
    const auto& children = parent.getChildren();
    for (long index = 0; index < children.getArraySize(); ++index)
    {
        TNode* node = children.getElementAt(index);
        CNodeElement* element = node != nullptr ? node->getPayload().getPointer() : nullptr;
        if (element == nullptr)
            continue;
        const long indent = depth * kRowHeight;
        const bool expandable = m_source->isNodeExpandable(*element);
        if (expandable)
        {
            auto* button = new CExpansionButton(this, index, CRect(indent, y, kRowHeight, kRowHeight), this);
            button->setValue(element->isExpanded() ? 1.0 : 0.0);
            button->setNodeElement(element);
            button->setPrimaryImage(m_collapsedArrow.getPointer());
            button->setDownImage(m_expandedArrow.getPointer());
            addControl(button);
        }
        const CString text = m_source->getNodeText(*element);
        // Measured in the default font whatever the labels' font: the label keeps 100 pixels to spare.
        CDimension extent(0, 0);
        Graphics::CGraphics::getTextExtent(text, extent, CFont::getDefaultFont());
        auto* label = new CClickableLabel(this, index,
                                          CRect(indent + (expandable ? kRowHeight : kRowHeight / 2), y,
                                                extent.getWidth() + 100, kRowHeight),
                                          text, this);
        label->setNodeElement(element);
        label->setFont(m_font.getPointer());
        label->setTextColour(m_textColour);
        addControl(label);
        y += kRowHeight;
        width = std::max(width, extent.getWidth() + indent + kRowHeight);
        if (expandable && element->isExpanded())
            addRows(*node, depth + 1, y, width);
    }
}

void CTreeView::setContentSize(long width, long height)
{
    const CRect& canvas = getCanvasArea();
    setCanvasArea(CRect(canvas.getLeft(), canvas.getTop(), std::max(getArea().getWidth(), width),
                        std::max(getArea().getHeight(), height)));
}

void CTreeView::handleActionEvent(const CActionEvent& event)
{
    IControl* control = event.getControl();
    if (auto* button = dynamic_cast<CExpansionButton*>(control))
    {
        auto* element = dynamic_cast<CNodeElement*>(button->getNodeElement());
        if (element == nullptr)
            return;
        element->setExpanded(!element->isExpanded());
        // The button goes with the other rows; its root holds it until its handler returns.
        clearControls();
        refresh();
        return;
    }
    auto* label = dynamic_cast<CClickableLabel*>(control);
    if (label == nullptr)
        return;
    const CRect row(label->getArea());
    // The listener may rebuild the tree, and the rows with it.
    const TAutomaticPointer<CNodeElement> element(dynamic_cast<CNodeElement*>(label->getNodeElement()),
                                                  &TCountedObjectDeleter<CNodeElement>::sharedPolicy());
    if (m_nodeClickSelect && m_listener != nullptr && element.getPointer() != nullptr)
    {
        if (label->isSingleClick() && m_singleClickSelect)
            m_listener->handleNodeClicked(*element.getPointer());
        else
            m_listener->handleNodeSelected(*element.getPointer());
    }
    m_highlight.getPointer()->setArea(CRect(0, row.getTop(), getArea().getWidth(), row.getHeight()));
    update();
}

void CTreeView::handleMouseScroll(CMouseEvent& event)
{
    if (CScrollBar* bar = verticalScrollBar.getPointer())
        bar->handleMouseScroll(event);
}

void CTreeView::getDescriptors(TCountedPointerArray<CControlDescriptor>& list)
{
    CControl::getDescriptors(list);
    list.addElement(new CControlDescriptor(CString("Single Click Select"), CControlDescriptor::kBoolean, nullptr));
    list.addElement(new CControlDescriptor(CString("Node Click Select"), CControlDescriptor::kBoolean, nullptr));
    list.addElement(new CControlDescriptor(CString("Text Colour"), CControlDescriptor::kColour, nullptr));
}

bool CTreeView::applyDescriptor(const CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == "Single Click Select" || name == "Node Click Select")
    {
        if (!descriptor.isValueOfClass(CBool::classRecord()))
            return false;
        const bool on = dynamic_cast<const CBool*>(descriptor.getValue())->getValue();
        (name == "Single Click Select" ? m_singleClickSelect : m_nodeClickSelect) = on;
        return true;
    }
    if (name == "Text Colour")
    {
        if (!descriptor.isValueOfClass(CAlphaColour::classRecord()))
            return false;
        m_textColour = *dynamic_cast<const CAlphaColour*>(descriptor.getValue());
        return true;
    }
    return CControl::applyDescriptor(descriptor);
}

bool CTreeView::fillDescriptor(CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == "Single Click Select" || name == "Node Click Select")
    {
        descriptor.setValue(new CBool(name == "Single Click Select" ? m_singleClickSelect : m_nodeClickSelect));
        return true;
    }
    if (name == "Text Colour")
    {
        descriptor.setValue(new CAlphaColour(m_textColour));
        return true;
    }
    return CControl::fillDescriptor(descriptor);
}

bool CTreeView::writeToXmlNode(IO::CXMLNode* node) { return CControl::writeToXmlNode(node); }

bool CTreeView::readFromXmlNode(IO::CXMLNode* node) { return CControl::readFromXmlNode(node); }
} // namespace Controls
} // namespace GUI
} // namespace Brivant
