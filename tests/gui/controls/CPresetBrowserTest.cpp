// CPresetBrowser over a folder of preset files, with the handler and the dialogs answered by a test user: the
// header the factory lays out, the filtered tree, loading from the tree and both buttons with their dialogs, and
// what the browser keeps alive and lets go.
#include "gui/controls/CPresetBrowser.hpp"

#include "foundation/basics/CBool.hpp"
#include "foundation/host/CFileInformation.hpp"
#include "foundation/io/CXMLNode.hpp"
#include "gui/controls/CPresetBrowserLayout.hpp"
#include "gui/controls/ControlFactory.hpp"
#include "gui/core/CSystemDialogs.hpp"
#include "tests/foundation/basics/CCountChange.hpp"
#include "tests/gui/controls/CPresetFolderBench.hpp"
#include "tests/gui/controls/CSliderTestSupport.hpp"

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <new>

namespace
{
using Brivant::Basics::CString;
using Brivant::Basics::CSystemString;
using Brivant::GUI::Controls::CPresetBrowser;
using Brivant::GUI::Controls::CPresetBrowserLayout;
using Brivant::GUI::Controls::CTreeView;
using Brivant::GUI::Controls::ITreeViewDataSource;
using Brivant::GUI::Windowing::CSystemDialogs;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

// The handler and the person at the dialogs: a file dialog answers chosen (empty cancels), a question answer.
// Everything is written down, with paths in the preset folder relative and the folder itself as "folder". Only
// ".fxp" files are shown; a save that succeeds writes the file.
class CTestUser : public Brivant::GUI::Controls::IPresetFileHandler, public CSystemDialogs::IModalCalls
{
public:
    explicit CTestUser(const std::string& folder) : m_folder(folder) { CSystemDialogs::setModalCalls(this); }
    ~CTestUser() override { CSystemDialogs::setModalCalls(nullptr); }

    bool savePreset(const CSystemString& path) override
    {
        if (note(std::string("save ") + path.getString()) && succeeds)
            CTemporaryFolder::writeBytes(path.getString(), "saved");
        return succeeds;
    }
    bool loadPreset(const CSystemString& path) override
    {
        return note(std::string("load ") + path.getString()) && succeeds;
    }
    bool acceptsFile(const CSystemString& path) override { return path.endsWith(".fxp"); }
    void getFileTypes(CString& extensionText, CString& description) override
    {
        extensionText = extension.c_str();
        description = "Presets";
    }
    int showMessageBox(const char* message, const char* title, unsigned int type) override
    {
        note(std::string(title) + "|" + message + "|" + std::to_string(type & MB_ICONMASK));
        return answer;
    }
    void playBeep(unsigned int) override {}
    _ITEMIDLIST* browseForFolder(BROWSEINFOA&) override { return nullptr; }
    bool showSaveDialog(OPENFILENAMEA& dialog) override { return fileDialog(dialog); }
    bool showOpenDialog(OPENFILENAMEA& dialog) override { return fileDialog(dialog); }

    bool succeeds = true;
    std::string extension = "*.fxp", chosen, transcript;
    int answer = IDYES;

private:
    bool note(std::string line)
    {
        for (size_t at = line.find(m_folder); at != std::string::npos; at = line.find(m_folder))
        {
            const bool inside = line.compare(at + m_folder.size(), 1, "\\") == 0;
            line.replace(at, m_folder.size() + (inside ? 1 : 0), inside ? "" : "folder");
        }
        transcript += (transcript.empty() ? "" : "; ") + line;
        return true;
    }
    // The title, the folder it starts in and the pattern of the preset filter.
    bool fileDialog(OPENFILENAMEA& dialog)
    {
        note(std::string(dialog.lpstrTitle) + " in " + dialog.lpstrInitialDir + " " +
             (dialog.lpstrFilter + std::strlen(dialog.lpstrFilter) + 1));
        lstrcpynA(dialog.lpstrFile, chosen.c_str(), static_cast<int>(dialog.nMaxFile));
        return !chosen.empty();
    }

    std::string m_folder;
};

// A browser from the factory at the bench's origin, with the user as its handler and a folder "Drums.old" added.
struct SBrowserOnBench
{
    SBrowserOnBench() : user(folder.path())
    {
        Brivant::Collections::TAutomaticPointer<IControl> made;
        EXPECT_TRUE(Brivant::GUI::Controls::createControl(CString("CPresetBrowser"), made, &bench.root()));
        browser = dynamic_cast<CPresetBrowser*>(made.getPointer());
        bench.root().addControl(browser);
        CreateDirectoryA(folder.file("Drums.old").c_str(), nullptr);
        browser->setPresetHandler(&user);
    }
    // The factory's header again, over the preset folder.
    void layOut()
    {
        CPresetBrowserLayout layout;
        layout.headerSize = Brivant::MathTools::CDimension(200, 22);
        layout.labelArea = CRect(2, 2, 136, 18);
        layout.loadButtonArea = CRect(154, 2, 18, 18);
        layout.saveButtonArea = CRect(176, 2, 18, 18);
        layout.presetFolder = folder.path().c_str();
        browser->setLayout(layout);
    }
    std::string label() const { return browser->getCurrentLabel()->getText().getString(); }

    CPresetFolder folder;
    CTestUser user;
    CControlBench bench;
    CPresetBrowser* browser;
};

TEST(CPresetBrowser, theFactoryLaysOutTheHeaderAndASecondLayoutReplacesEveryChild)
{
    SBrowserOnBench bench;
    CPresetBrowser& browser = *bench.browser;
    std::string children;
    for (IControl* child : std::initializer_list<IControl*>{browser.getTreeView(), browser.getVerticalScrollBar(),
                                                            browser.getHorizontalScrollBar(), browser.getCurrentLabel(),
                                                            browser.getLoadButton(), browser.getSaveButton()})
        children += std::to_string(browser.getControlIndex(child)) + ":" + rectText(child->getArea()) + "#" +
                    std::to_string(child->getControlId()) + " ";
    EXPECT_EQ("0:0,22,185,363#2 1:185,22,15,363#-1 2:0,385,185,15#-1 3:2,2,136,18#-1 4:154,2,18,18#0 "
              "5:176,2,18,18#1 Current: Default",
              children + bench.label());
    EXPECT_EQ(browser.getVerticalScrollBar(), browser.getTreeView()->verticalScrollBar.getPointer());
    EXPECT_EQ(browser.getHorizontalScrollBar(), browser.getTreeView()->horizontalScrollBar.getPointer());
    // A new layout record starts without font, images or image sets, whatever its memory held.
    alignas(CPresetBrowserLayout) unsigned char memory[sizeof(CPresetBrowserLayout)];
    std::memset(memory, 0xAB, sizeof(memory));
    const auto* layout = new (memory) CPresetBrowserLayout();
    for (const void* pointer :
         std::initializer_list<const void*>{layout->labelFont, layout->saveImage, layout->saveDownImage,
                                            layout->loadImage, layout->loadDownImage,
                                            layout->verticalNormalImages.getPointer(),
                                            layout->horizontalDownImages.getPointer()})
        EXPECT_EQ(nullptr, pointer);
    layout->~CPresetBrowserLayout();
    // The new children take the old ones' places: one tree went as one came.
    const CCountChange trees(CTreeView::classRecord());
    bench.layOut();
    EXPECT_EQ("6 0 1", std::to_string(browser.getInsertIndex()) + " " + std::to_string(trees.live()) + " " +
                           std::to_string(trees.total()));
}

TEST(CPresetBrowser, theTreeShowsEveryFolderAndTheFilesTheHandlerAcceptsWithoutTheirExtensions)
{
    for (const bool withHandler : {true, false})
    {
        SBrowserOnBench bench;
        if (!withHandler)
            bench.browser->setPresetHandler(nullptr);
        bench.layOut();
        EXPECT_EQ(std::string(">0,0 A@20,0 >0,20 B@20,20 >0,40 Drums.old@20,40 lead@10,60") +
                      (withHandler ? "" : " notes@10,80"),
                  rowsText(*bench.browser->getTreeView()));
        // A file written meanwhile shows after a refresh; a folder opens to its files.
        CTemporaryFolder::writeBytes(bench.folder.file("A\\two.fxp"), "");
        bench.browser->refreshTree();
        bench.bench.click(5, 27);
        EXPECT_EQ("v0,0 A@20,0 one@30,20 two@30,40", rowsText(*bench.browser->getTreeView()).substr(0, 31));
    }
}

TEST(CPresetBrowser, rowsAndButtonsLoadAndSaveThroughTheDialogsAndSavingAddsTheWholeExtensionBeforeAskingToOverwrite)
{
    const std::string load = "Load Preset in folder *.fxp; ", save = "Save Preset in folder *.fxp; ",
                      overwrite = "Overwrite|This file already exists, do you want to overwrite?|32; ";
    // Where the user clicks (a double click on a tree row below the header), the name chosen in the dialog, the
    // extension given, the answer, whether the handler succeeds; the transcript and the label.
    const std::tuple<long, long, const char*, const char*, int, bool, std::string, const char*> cases[] = {
        {40, 87, "", "*.fxp", IDYES, true, "load lead.fxp", "Current: lead"},
        {40, 87, "", "*.fxp", IDYES, false, "load lead.fxp; Error!|Failed to load preset|0", "Current: Default"},
        {40, 27, "", "*.fxp", IDYES, true, "load A", "Current: A"},
        {160, 8, "Bass.fxp", "*.fxp", IDYES, true, load + "load Bass.fxp", "Current: Bass"},
        {160, 8, "Bass.fxp", "fxp", IDYES, false, load + "load Bass.fxp; Error!|Failed to load preset|0",
         "Current: Default"},
        {160, 8, "", "*.fxp", IDYES, true, load.substr(0, load.size() - 2), "Current: Default"},
        {180, 8, "lead", "*.fxp", IDNO, true, save + overwrite.substr(0, overwrite.size() - 2), "Current: Default"},
        {180, 8, "lead", "*.fxp", IDYES, true, save + overwrite + "save lead.fxp", "Current: lead"},
        {180, 8, "Lead.FXP", "*.fxp", IDYES, true, save + overwrite + "save Lead.FXP", "Current: Lead"},
        {180, 8, "bass", "*.fxp", IDNO, true, save + "save bass.fxp", "Current: bass"},
        {180, 8, "bassfxp", "fxp", IDNO, true, save + "save bassfxp.fxp", "Current: bassfxp"},
        {180, 8, "bass", "*.abcdefghij", IDNO, true, "Save Preset in folder *.abcdefghij; save bass.abcdefghij",
         "Current: bass"},
        {180, 8, "bass", "*.fxp", IDNO, false, save + "save bass.fxp; Error!|Failed to save preset|0",
         "Current: Default"},
        {180, 8, "", "*.fxp", IDYES, true, save.substr(0, save.size() - 2), "Current: Default"}};
    for (const auto& [x, y, chosen, extension, answer, succeeds, transcript, label] : cases)
    {
        SBrowserOnBench bench;
        bench.layOut();
        bench.user.extension = extension;
        bench.user.succeeds = succeeds;
        bench.user.answer = answer;
        bench.user.chosen = *chosen != '\0' ? bench.folder.file(chosen) : "";
        // Rows tell the browser nothing until the tree's node click select is on; buttons ignore double clicks.
        bench.bench.mouse(CMouseEvent::kDoubleClick, x, y);
        EXPECT_EQ("", bench.user.transcript);
        applyProperty(*bench.browser->getTreeView(), "Node Click Select", 3, new Brivant::Basics::CBool(true));
        if (y > 22)
            bench.bench.mouse(CMouseEvent::kDoubleClick, x, y);
        else
            bench.bench.click(x, y);
        EXPECT_EQ(transcript, bench.user.transcript) << x << " " << chosen;
        EXPECT_EQ(label, bench.label()) << x << " " << chosen;
        // A file saved shows in the tree at once.
        EXPECT_EQ(transcript.find("save bass.fxp") != std::string::npos && succeeds,
                  rowsText(*bench.browser->getTreeView()).find(" bass@10,") != std::string::npos);
    }
}

TEST(CPresetBrowser, theShownFolderTreeStaysWholeAndGoesWithTheBrowserAsDoTheLayoutsOwnChildren)
{
    std::vector<CCountChange> changes;
    for (const auto* record : {&CPresetBrowser::classRecord(), &CTreeView::classRecord(),
                               &ITreeViewDataSource::CTreeViewNodeElement::classRecord(),
                               &ITreeViewDataSource::TFileNode::classRecord(),
                               &Brivant::Host::CFileInformation::classRecord()})
        changes.emplace_back(*record);
    {
        SBrowserOnBench bench;
        bench.layOut();
        // Row A's folder node still hangs below the listing's root, which holds all five entries.
        auto& row = dynamic_cast<CTreeView::CClickableLabel&>(*bench.browser->getTreeView()->getControl(2, true));
        auto* node = dynamic_cast<ITreeViewDataSource::TFileNode*>(
            dynamic_cast<ITreeViewDataSource::CTreeViewNodeElement&>(*row.getNodeElement()).getItem());
        ASSERT_NE(nullptr, node->getParent());
        EXPECT_EQ(5, node->getParent()->getChildren().getInsertIndex());
        // A layout written and read back keeps the browser's and its tree's own children, and no others.
        Brivant::IO::CXMLNode written(CString("controls"), nullptr);
        ASSERT_TRUE(bench.bench.root().writeToXmlNode(&written));
        CControlBench reread;
        ASSERT_TRUE(reread.root().readFromXmlNode(&written));
        auto& copy = dynamic_cast<CPresetBrowser&>(*reread.root().getControl(0, true));
        EXPECT_EQ("6 0 1", std::to_string(copy.getInsertIndex()) + " " +
                               std::to_string(copy.getControlIndex(copy.getTreeView())) + " " +
                               std::to_string(copy.getTreeView()->getInsertIndex()));
    }
    for (const auto& change : changes)
        EXPECT_EQ(0, change.live());
}
} // namespace
