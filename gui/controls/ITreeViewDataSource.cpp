#include "gui/controls/ITreeViewDataSource.hpp"

#include "foundation/collections/TTreeNode.hpp"
#include "foundation/host/CFileInformation.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CString;
using ::Brivant::Basics::ICountedObject;
using ::Brivant::Collections::TCountedObjectDeleter;
using ::Brivant::Host::CFileInformation;

ITreeViewDataSource::CTreeViewNodeElement::CTreeViewNodeElement(ICountedObject* item, bool expanded)
    : m_item(item, &TCountedObjectDeleter<ICountedObject>::sharedPolicy()), m_expanded(expanded)
{
}

ITreeViewDataSource::CTreeViewNodeElement::~CTreeViewNodeElement() = default;

void ITreeViewDataSource::buildNodeTree(TFileNode* source, TElementNode* target, const TFileFilter& keepFile)
{
    if (source == nullptr || target == nullptr)
        return;
    const auto& children = source->getChildren();
    for (long index = 0; index < children.getArraySize(); ++index)
    {
        TFileNode* child = children.getElementAt(index);
        const CFileInformation* entry = child != nullptr ? child->getPayload().getPointer() : nullptr;
        if (entry == nullptr || (!entry->isFolder() && keepFile && !keepFile(*entry)))
            continue;
        auto* node = new TElementNode(&TCountedObjectDeleter<CTreeViewNodeElement>::sharedPolicy());
        target->addChild(node);
        node->getPayload().setPointer(new CTreeViewNodeElement(child, false));
        if (entry->isFolder())
            buildNodeTree(child, node, keepFile);
    }
}

const CFileInformation* ITreeViewDataSource::getFileInformation(const CTreeViewNodeElement& element)
{
    const auto* node = dynamic_cast<const TFileNode*>(element.getItem());
    return node != nullptr ? node->getPayload().getPointer() : nullptr;
}

CString ITreeViewDataSource::getFileNodeText(const CTreeViewNodeElement& element)
{
    const CFileInformation* entry = getFileInformation(element);
    return entry != nullptr ? entry->getFileName() : CString(" ");
}

bool ITreeViewDataSource::isFileNodeExpandable(const CTreeViewNodeElement& element)
{
    const CFileInformation* entry = getFileInformation(element);
    return entry != nullptr && entry->isFolder();
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
