#include "gui/controls/CPresetBrowser.hpp"

#include "foundation/collections/TTreeNode.hpp"
#include "foundation/host/CFileInformation.hpp"
#include "foundation/host/CFileManager.hpp"
#include "gui/controls/CPresetBrowserLayout.hpp"
#include "gui/core/CActionEvent.hpp"
#include "gui/core/CSystemDialogs.hpp"
#include "gui/core/IImage.hpp"

#include <algorithm>

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CString;
using ::Brivant::Basics::CSystemString;
using ::Brivant::Basics::ICountedObject;
using ::Brivant::Collections::TAutomaticPointer;
using ::Brivant::Collections::TCountedObjectDeleter;
using ::Brivant::Host::CFileInformation;
using ::Brivant::Host::CFileManager;
using ::Brivant::MathTools::CRect;
using Basics::CAlphaColour;
using Windowing::CSystemDialogs;

namespace
{
// A bar without a normal image set, or whose set has no thumb with a size, is this thick.
constexpr long kDefaultBarThickness = 15;

long barThickness(const TAutomaticPointer<CScrollBarImages>& normalImages, bool vertical)
{
    const CScrollBarImages* images = normalImages.getPointer();
    const Graphics::IImage* thumb = images != nullptr ? images->getThumb() : nullptr;
    const long thickness = thumb == nullptr            ? 0
                           : vertical ? thumb->getImageArea().getWidth()
                                      : thumb->getImageArea().getHeight();
    return thickness > 0 ? thickness : kDefaultBarThickness;
}

// Windows file names ignore case, so "Bass.FXP" already ends with the extension "fxp".
bool endsWithIgnoringCase(const CString& text, const CString& ending)
{
    const long length = text.getNumberOfCharacters() - 1;
    const long endingLength = ending.getNumberOfCharacters() - 1;
    CString tail("");
    return endingLength <= length &&
           text.getSubString(tail, length - endingLength, length - 1).equalsIgnoringCase(ending);
}
} // namespace

CPresetBrowser::CPresetBrowser(IControlRoot* root, long id, const CRect& area, IPresetFileHandler* handler)
    : CControlPanel(root != nullptr ? root->getParentWindow() : nullptr, root, id, area, nullptr), m_treeView(),
      m_verticalScrollBar(), m_horizontalScrollBar(), m_loadButton(), m_saveButton(), m_currentLabel(),
      m_handler(handler), m_presetFolder(" "), m_fileTree()
{
    setDefaultDrawing(true);
}

CPresetBrowser::~CPresetBrowser() = default;

void CPresetBrowser::setPresetHandler(IPresetFileHandler* handler) { m_handler = handler; }

void CPresetBrowser::removeChildren()
{
    removeControl(m_treeView.getPointer());
    removeControl(m_verticalScrollBar.getPointer());
    removeControl(m_horizontalScrollBar.getPointer());
    removeControl(m_currentLabel.getPointer());
    removeControl(m_loadButton.getPointer());
    removeControl(m_saveButton.getPointer());
    packControls();
}

void CPresetBrowser::setLayout(const CPresetBrowserLayout& layout)
{
    // A second layout replaces the first one's children instead of stacking a second set over them.
    removeChildren();
    m_presetFolder = layout.presetFolder;

    auto* label = new CTextLabel(this, -1, layout.labelArea, CString("Current: Default"));
    m_currentLabel.setPointer(label);
    label->setTextColour(layout.textColour);
    label->setFont(layout.labelFont);
    auto* load = new CMomentaryButton(this, kLoadButtonId, layout.loadButtonArea, this);
    m_loadButton.setPointer(load);
    load->setPrimaryImage(layout.loadImage);
    load->setDownImage(layout.loadDownImage);
    auto* save = new CMomentaryButton(this, kSaveButtonId, layout.saveButtonArea, this);
    m_saveButton.setPointer(save);
    save->setPrimaryImage(layout.saveImage);
    save->setDownImage(layout.saveDownImage);

    const long barWidth = barThickness(layout.verticalNormalImages, true);
    const long barHeight = barThickness(layout.horizontalNormalImages, false);
    const long top = layout.headerSize.getHeight();
    const CRect treeArea(0, top, std::max(0L, getArea().getWidth() - barWidth),
                         std::max(0L, getArea().getHeight() - top - barHeight));
    auto* tree = new CTreeView(this, kTreeViewId, treeArea, treeArea, this, this);
    m_treeView.setPointer(tree);
    const CRect verticalArea(treeArea.getRight(), treeArea.getTop(), barWidth, treeArea.getHeight());
    auto* vertical = new CScrollBar(this, -1, verticalArea, verticalArea, tree);
    m_verticalScrollBar.setPointer(vertical);
    const CRect horizontalArea(treeArea.getLeft(), treeArea.getBottom(), treeArea.getWidth(), barHeight);
    auto* horizontal = new CScrollBar(this, -1, horizontalArea, horizontalArea, tree);
    m_horizontalScrollBar.setPointer(horizontal);
    for (CScrollBar* bar : {vertical, horizontal})
    {
        bar->setSliderColours(layout.scrollBarFrameColour, layout.scrollBarBackgroundColour,
                              layout.scrollBarHandleColour, layout.scrollBarOverColour, layout.scrollBarDownColour);
    }
    vertical->setScrollBarImageSets(layout.verticalNormalImages.getPointer(), layout.verticalOverImages.getPointer(),
                                    layout.verticalDownImages.getPointer());
    horizontal->setScrollBarImageSets(layout.horizontalNormalImages.getPointer(),
                                      layout.horizontalOverImages.getPointer(),
                                      layout.horizontalDownImages.getPointer());

    tree->setSingleClickSelect(false);
    tree->verticalScrollBar.setPointer(vertical);
    tree->horizontalScrollBar.setPointer(horizontal);
    tree->setDefaultDrawing(true);
    tree->setDefaultControlColours(CAlphaColour::transparent(), getFrameColour());
    tree->setFont(layout.labelFont);
    tree->setTextColour(layout.textColour);

    addControl(tree);
    addControl(vertical);
    addControl(horizontal);
    addControl(label);
    addControl(load);
    addControl(save);
    refreshTree();
}

void CPresetBrowser::refreshTree()
{
    const TAutomaticPointer<TFileNode> files(new TFileNode(&TCountedObjectDeleter<CFileInformation>::sharedPolicy()),
                                             &TCountedObjectDeleter<TFileNode>::sharedPolicy());
    if (!m_presetFolder.isAllWhiteSpace())
        CFileManager::buildDirectoryTree(*files.getPointer(), m_presetFolder);
    const TAutomaticPointer<TElementNode> elements(
        new TElementNode(&TCountedObjectDeleter<CTreeViewNodeElement>::sharedPolicy()),
        &TCountedObjectDeleter<TElementNode>::sharedPolicy());
    TFileFilter keepFile;
    if (m_handler != nullptr)
        keepFile = [this](const CFileInformation& entry) { return m_handler->acceptsFile(entry.getFullPath()); };
    buildNodeTree(files.getPointer(), elements.getPointer(), keepFile);
    if (CTreeView* tree = m_treeView.getPointer())
        tree->setTree(elements.getPointer());
    // The elements point into the folder tree: it stays whole, parent links included, while they are shown.
    m_fileTree.setPointer(files.getPointer());
}

CString CPresetBrowser::getNodeText(const CTreeViewNodeElement& element)
{
    const CFileInformation* entry = getFileInformation(element);
    if (entry == nullptr)
        return CString(" ");
    CSystemString name(entry->getFileName());
    // A dot in a folder's name is no extension.
    if (!entry->isFolder())
        name.removeExtension();
    return name;
}

bool CPresetBrowser::isNodeExpandable(const CTreeViewNodeElement& element) { return isFileNodeExpandable(element); }

bool CPresetBrowser::handleNodeRequestA(const CTreeViewNodeElement& /*element*/, long /*request*/) { return false; }

bool CPresetBrowser::handleNodeRequestB(const CTreeViewNodeElement& /*element*/, long /*request*/,
                                        ICountedObject* /*data*/)
{
    return false;
}

void CPresetBrowser::handleNodeClicked(const CTreeViewNodeElement& /*element*/) {}

void CPresetBrowser::handleNodeSelected(const CTreeViewNodeElement& element)
{
    const CFileInformation* entry = getFileInformation(element);
    if (m_handler != nullptr && entry != nullptr)
        loadPreset(CSystemString(entry->getFullPath()));
}

void CPresetBrowser::handleActionEvent(const Events::CActionEvent& event)
{
    const IControl* control = event.getControl();
    if (control == nullptr)
        return;
    if (control->getControlId() == kLoadButtonId)
        loadFromDialog();
    else if (control->getControlId() == kSaveButtonId)
        saveFromDialog();
}

void CPresetBrowser::getFileTypes(CString& extension, CString& description) const
{
    extension = " ";
    description = " ";
    m_handler->getFileTypes(extension, description);
    // The dialogs put "*." in front themselves, and a saved file gets the bare extension.
    if (extension.characterAt(0) == '*' && extension.characterAt(1) == '.')
        extension.getSubString(extension, 2, extension.getNumberOfCharacters() - 2);
}

void CPresetBrowser::loadFromDialog()
{
    if (m_handler == nullptr)
        return;
    CString extension(" ");
    CString description(" ");
    getFileTypes(extension, description);
    CSystemString path(" ");
    if (CSystemDialogs::getOpenFileName(m_presetFolder, path, CString("Load Preset"), description, extension))
        loadPreset(path);
}

void CPresetBrowser::saveFromDialog()
{
    if (m_handler == nullptr)
        return;
    CString extension(" ");
    CString description(" ");
    getFileTypes(extension, description);
    CSystemString path(" ");
    if (!CSystemDialogs::getSaveFileName(m_presetFolder, path, CString("Save Preset"), description, extension))
        return;
    // The name may be typed without the extension; the file it would overwrite is the one with it.
    CString ending(".");
    ending += extension;
    if (!extension.isAllWhiteSpace() && !endsWithIgnoringCase(path, ending))
        path.setExtension(extension, false);
    if (CFileManager::fileExists(path) &&
        !CSystemDialogs::askQuestion(CString("This file already exists, do you want to overwrite?"),
                                     CString("Overwrite")))
        return;
    if (!m_handler->savePreset(path))
    {
        CSystemDialogs::notifyUser(CString("Failed to save preset"), CString("Error!"), false);
        return;
    }
    refreshTree();
    showCurrent(path);
}

void CPresetBrowser::loadPreset(const CSystemString& path)
{
    if (m_handler->loadPreset(path))
        showCurrent(path);
    else
        CSystemDialogs::notifyUser(CString("Failed to load preset"), CString("Error!"), false);
}

void CPresetBrowser::showCurrent(const CSystemString& path)
{
    CString fileName("");
    path.getFileName(fileName);
    CSystemString name(fileName.getNumberOfCharacters() > 1 ? fileName : static_cast<const CString&>(path));
    name.removeExtension();
    CString text("Current: ");
    text += name;
    if (CTextLabel* label = m_currentLabel.getPointer())
        label->setText(text);
    update();
}

bool CPresetBrowser::writeToXmlNode(IO::CXMLNode* node) { return CControl::writeToXmlNode(node); }

bool CPresetBrowser::readFromXmlNode(IO::CXMLNode* node) { return CControl::readFromXmlNode(node); }
} // namespace Controls
} // namespace GUI
} // namespace Brivant
