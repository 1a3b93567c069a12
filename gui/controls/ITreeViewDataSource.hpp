// What a tree view shows: its nodes form a TTreeNode tree whose payloads are elements, each wrapping one item of
// the source with its expanded flag; the source gives each node's text and says whether it can be expanded. The
// static helpers make and describe such trees over folder trees (TTreeNode<CFileInformation>).
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/basics/CString.hpp"
#include "foundation/collections/TAutomaticPointer.hpp"

#include <functional>

namespace Brivant
{
namespace Collections
{
template <class T>
class TTreeNode;
}

namespace Host
{
class CFileInformation;
}

namespace GUI
{
namespace Controls
{
class ITreeViewDataSource
{
public:
    // One node's item and whether its children show.
    class CTreeViewNodeElement : public ::Brivant::Basics::CCountedObject
    {
        BRIVANT_NAMED_CLASS_RECORD(CTreeViewNodeElement, "ITreeViewDataSource::CTreeViewNodeElement",
                                   "CCountedObject");

    public:
        // Holds one reference to the item, which may be null.
        CTreeViewNodeElement(::Brivant::Basics::ICountedObject* item, bool expanded);
        ~CTreeViewNodeElement() override;

        CTreeViewNodeElement(const CTreeViewNodeElement&) = delete;
        CTreeViewNodeElement& operator=(const CTreeViewNodeElement&) = delete;

        ::Brivant::Basics::ICountedObject* getItem() const { return m_item.getPointer(); }
        bool isExpanded() const { return m_expanded; }
        void setExpanded(bool expanded) { m_expanded = expanded; }

    private:
        Collections::TAutomaticPointer<::Brivant::Basics::ICountedObject> m_item;
        bool m_expanded;
    };

    using TElementNode = Collections::TTreeNode<CTreeViewNodeElement>;
    using TFileNode = Collections::TTreeNode<Host::CFileInformation>;
    // Whether a file (not a folder) gets a node.
    using TFileFilter = std::function<bool(const Host::CFileInformation&)>;

    virtual ~ITreeViewDataSource() = default;

    virtual ::Brivant::Basics::CString getNodeText(const CTreeViewNodeElement& element) = 0;
    virtual bool isNodeExpandable(const CTreeViewNodeElement& element) = 0;
    // Requests the tree view never makes; a source answers whether it handled one.
    virtual bool handleNodeRequestA(const CTreeViewNodeElement& element, long request) = 0;
    virtual bool handleNodeRequestB(const CTreeViewNodeElement& element, long request,
                                    ::Brivant::Basics::ICountedObject* data) = 0;

    // Appends to target, in order, a node for every child of source that has a payload, its element wrapping
    // that child (collapsed), with the children of folders below their nodes. With a filter, files it refuses
    // are left out; folders are always kept.
    static void buildNodeTree(TFileNode* source, TElementNode* target, const TFileFilter& keepFile = nullptr);
    // The file name of the entry the element's folder-tree node holds; " " for any other element.
    static ::Brivant::Basics::CString getFileNodeText(const CTreeViewNodeElement& element);
    // True for an element whose folder-tree node holds a folder.
    static bool isFileNodeExpandable(const CTreeViewNodeElement& element);
    // The entry of the element's folder-tree node, or null when its item is no such node or holds none.
    static const Host::CFileInformation* getFileInformation(const CTreeViewNodeElement& element);
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
