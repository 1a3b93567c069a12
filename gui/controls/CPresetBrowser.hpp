// A ready-made panel for loading and saving preset files: a header with a label naming the current preset and
// load and save buttons, over a tree of the preset folder with scroll bars. It knows no preset format: every file
// operation, the choice of files shown and the dialogs' file type come from the application's handler. The
// constructor makes the empty panel; setLayout makes the children.
#pragma once

#include "foundation/basics/CSystemString.hpp"
#include "foundation/collections/TAutomaticPointer.hpp"
#include "gui/controls/CMomentaryButton.hpp"
#include "gui/controls/CScrollBar.hpp"
#include "gui/controls/CTextLabel.hpp"
#include "gui/controls/CTreeView.hpp"
#include "gui/controls/IPresetFileHandler.hpp"
#include "gui/controls/ITreeViewDataSource.hpp"
#include "gui/controls/ITreeViewListener.hpp"
#include "gui/core/CControlPanel.hpp"
#include "gui/core/IActionListener.hpp"

namespace Brivant
{
namespace Host
{
class CFileInformation;
}

namespace GUI
{
namespace Controls
{
struct CPresetBrowserLayout;

class CPresetBrowser : public CControlPanel,
                       public Listeners::IActionListener,
                       public Listeners::ITreeViewListener,
                       public ITreeViewDataSource
{
    BRIVANT_CLASS_RECORD(CPresetBrowser, "CControlPanel");

public:
    // The ids of the header's buttons and of the tree.
    enum EChildId : long
    {
        kLoadButtonId = 0,
        kSaveButtonId = 1,
        kTreeViewId = 2
    };

    // In the root's window, with the root as parent root; the handler is not owned and may be null.
    CPresetBrowser(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
                   IPresetFileHandler* handler);
    ~CPresetBrowser() override;

    // Without a handler the buttons and selections do nothing and the tree shows every file.
    virtual void setPresetHandler(IPresetFileHandler* handler);
    // Replaces the children with new ones laid out and skinned by the layout, then fills the tree.
    void setLayout(const CPresetBrowserLayout& layout);
    // Reads the preset folder again.
    void refreshTree();

    CTreeView* getTreeView() const { return m_treeView.getPointer(); }
    CScrollBar* getVerticalScrollBar() const { return m_verticalScrollBar.getPointer(); }
    CScrollBar* getHorizontalScrollBar() const { return m_horizontalScrollBar.getPointer(); }
    CMomentaryButton* getLoadButton() const { return m_loadButton.getPointer(); }
    CMomentaryButton* getSaveButton() const { return m_saveButton.getPointer(); }
    CTextLabel* getCurrentLabel() const { return m_currentLabel.getPointer(); }
    const ::Brivant::Basics::CSystemString& getPresetFolder() const { return m_presetFolder; }

    // A file's name without its extension, a folder's whole name; " " for other elements.
    ::Brivant::Basics::CString getNodeText(const CTreeViewNodeElement& element) override;
    bool isNodeExpandable(const CTreeViewNodeElement& element) override;
    bool handleNodeRequestA(const CTreeViewNodeElement& element, long request) override;
    bool handleNodeRequestB(const CTreeViewNodeElement& element, long request,
                            ::Brivant::Basics::ICountedObject* data) override;

    void handleNodeClicked(const CTreeViewNodeElement& element) override;
    // Loads the entry the row shows, folder or file.
    void handleNodeSelected(const CTreeViewNodeElement& element) override;
    // The load button opens the open dialog, the save button the save dialog.
    void handleActionEvent(const Events::CActionEvent& event) override;

    // The browser's own properties only: its children come from setLayout, not from layouts.
    bool writeToXmlNode(IO::CXMLNode* node) override;
    bool readFromXmlNode(IO::CXMLNode* node) override;

private:
    // The handler's extension without a leading "*.", and its description.
    void getFileTypes(::Brivant::Basics::CString& extension, ::Brivant::Basics::CString& description) const;
    void loadFromDialog();
    void saveFromDialog();
    void loadPreset(const ::Brivant::Basics::CSystemString& path);
    void showCurrent(const ::Brivant::Basics::CSystemString& path);
    void removeChildren();

    Collections::TAutomaticPointer<CTreeView> m_treeView;
    Collections::TAutomaticPointer<CScrollBar> m_verticalScrollBar;
    Collections::TAutomaticPointer<CScrollBar> m_horizontalScrollBar;
    Collections::TAutomaticPointer<CMomentaryButton> m_loadButton;
    Collections::TAutomaticPointer<CMomentaryButton> m_saveButton;
    Collections::TAutomaticPointer<CTextLabel> m_currentLabel;
    IPresetFileHandler* m_handler;
    ::Brivant::Basics::CSystemString m_presetFolder;
    // The folder tree the rows point into, whole, for as long as they exist.
    Collections::TAutomaticPointer<TFileNode> m_fileTree;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
