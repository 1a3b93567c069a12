// CPresetBrowser over a folder of preset files, with a test handler and the dialogs answered by the test: the
// header the factory lays out, the filtered tree, loading from the tree and the open dialog, saving through the
// save dialog with its overwrite question and extension, and what the browser keeps alive and lets go.
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
#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CString;
using Brivant::Basics::CSystemString;
using Brivant::Collections::TAutomaticPointer;
using Brivant::GUI::Controls::CPresetBrowser;
using Brivant::GUI::Controls::CPresetBrowserLayout;
using Brivant::GUI::Controls::CMomentaryButton;
using Brivant::GUI::Controls::CScrollBar;
using Brivant::GUI::Controls::CTreeView;
using Brivant::GUI::Controls::IPresetFileHandler;
using Brivant::GUI::Controls::ITreeViewDataSource;
using Brivant::GUI::Windowing::CSystemDialogs;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

// Everything the browser shows or asks, paths inside the preset folder made relative and the folder itself
// written "folder".
class CTranscript
{
public:
    explicit CTranscript(const std::string& folder) : m_folder(folder) {}
    void add(const std::string& line)
    {
        std::string cut = line;
        for (size_t at = cut.find(m_folder); at != std::string::npos; at = cut.find(m_folder))
        {
            const bool inside = cut.compare(at + m_folder.size(), 1, "\\") == 0;
            cut.replace(at, m_folder.size() + (inside ? 1 : 0), inside ? "" : "folder");
        }
        lines += (lines.empty() ? "" : "; ") + cut;
    }
    std::string lines;

private:
    std::string m_folder;
};

// Answers the file dialogs with a path (null cancels) and questions with answer.
class CTestDialogs : public CSystemDialogs::IModalCalls
{
public:
    explicit CTestDialogs(CTranscript& transcript) : m_transcript(transcript) { CSystemDialogs::setModalCalls(this); }
    ~CTestDialogs() override { CSystemDialogs::setModalCalls(nullptr); }

    int showMessageBox(const char* message, const char* title, unsigned int type) override
    {
        m_transcript.add(std::string(title) + "|" + message + "|" + std::to_string(type & MB_ICONMASK));
        return answer;
    }
    void playBeep(unsigned int) override {}
    _ITEMIDLIST* browseForFolder(BROWSEINFOA&) override { return nullptr; }
    bool showSaveDialog(OPENFILENAMEA& dialog) override { return fileDialog(dialog); }
    bool showOpenDialog(OPENFILENAMEA& dialog) override { return fileDialog(dialog); }

    std::string chosen;
    int answer = IDYES;

private:
    bool fileDialog(OPENFILENAMEA& dialog)
    {
        // The title, the folder it starts in and the pattern of the preset filter.
        m_transcript.add(std::string(dialog.lpstrTitle) + " in " + dialog.lpstrInitialDir + " " +
                         (dialog.lpstrFilter + std::strlen(dialog.lpstrFilter) + 1));
        if (chosen.empty())
            return false;
        lstrcpynA(dialog.lpstrFile, chosen.c_str(), static_cast<int>(dialog.nMaxFile));
        return true;
    }

    CTranscript& m_transcript;
};

// Shows only files ending with ".fxp"; a save that succeeds writes the file.
class CTestHandler : public IPresetFileHandler
{
public:
    explicit CTestHandler(CTranscript& transcript) : m_transcript(transcript) {}
    bool savePreset(const CSystemString& path) override
    {
        m_transcript.add(std::string("save ") + path.getString());
        if (succeeds)
            CTemporaryFolder::writeBytes(path.getString(), "saved");
        return succeeds;
    }
    bool loadPreset(const CSystemString& path) override
    {
        m_transcript.add(std::string("load ") + path.getString());
        return succeeds;
    }
    bool acceptsFile(const CSystemString& path) override { return path.endsWith(".fxp"); }
    void getFileTypes(CString& extensionText, CString& description) override
    {
        extensionText = extension.c_str();
        description = "Presets";
    }

    bool succeeds = true;
    std::string extension = "*.fxp";

private:
    CTranscript& m_transcript;
};

// A browser from the factory at the bench's origin, laid out again over the preset folder with the handler.
struct SBrowserOnBench
{
    SBrowserOnBench() : transcript(folder.path()), dialogs(transcript), handler(transcript)
    {
        TAutomaticPointer<IControl> made;
        EXPECT_TRUE(Brivant::GUI::Controls::createControl(CString("CPresetBrowser"), made, &bench.root()));
        browser = dynamic_cast<CPresetBrowser*>(made.getPointer());
        bench.root().addControl(browser);
        CreateDirectoryA(folder.file("Drums.old").c_str(), nullptr);
        browser->setPresetHandler(&handler);
    }
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
    CTranscript transcript;
    CTestDialogs dialogs;
    CTestHandler handler;
    CControlBench bench;
    CPresetBrowser* browser;
};

TEST(CPresetBrowser, theFactoryLaysOutTheHeaderAndASecondLayoutReplacesEveryChild)
{
    SBrowserOnBench bench;
    CPresetBrowser& browser = *bench.browser;
    IControl* const children[] = {browser.getTreeView(), browser.getVerticalScrollBar(),
                                  browser.getHorizontalScrollBar(), browser.getCurrentLabel(),
                                  browser.getLoadButton(), browser.getSaveButton()};
    const char* areas[] = {"0,22,185,363", "185,22,15,363", "0,385,185,15", "2,2,136,18", "154,2,18,18", "176,2,18,18"};
    const long ids[] = {2, -1, -1, -1, 0, 1};
    for (long index = 0; index < 6; ++index)
    {
        EXPECT_EQ(index, browser.getControlIndex(children[index]));
        EXPECT_EQ(areas[index], rectText(children[index]->getArea()));
        EXPECT_EQ(ids[index], children[index]->getControlId());
    }
    EXPECT_EQ("Current: Default", bench.label());
    EXPECT_EQ(browser.getVerticalScrollBar(), browser.getTreeView()->verticalScrollBar.getPointer());
    EXPECT_EQ(browser.getHorizontalScrollBar(), browser.getTreeView()->horizontalScrollBar.getPointer());
    // The new layout's children take the old ones' places: one tree, two bars and two buttons went.
    const CCountChange trees(CTreeView::classRecord()), bars(CScrollBar::classRecord()),
        buttons(CMomentaryButton::classRecord());
    bench.layOut();
    EXPECT_EQ(6, browser.getInsertIndex());
    EXPECT_EQ("0 1 0 2 0 2", std::to_string(trees.live()) + " " + std::to_string(trees.total()) + " " +
                                 std::to_string(bars.live()) + " " + std::to_string(bars.total()) + " " +
                                 std::to_string(buttons.live()) + " " + std::to_string(buttons.total()));
    EXPECT_EQ("0,22,185,363", rectText(browser.getTreeView()->getArea()));
}

TEST(CPresetBrowser, theTreeShowsEveryFolderAndTheFilesTheHandlerAcceptsWithoutTheirExtensions)
{
    const std::tuple<bool, const char*> cases[] = {
        {true, ">0,0 A@20,0 >0,20 B@20,20 >0,40 Drums.old@20,40 lead@10,60"},
        {false, ">0,0 A@20,0 >0,20 B@20,20 >0,40 Drums.old@20,40 lead@10,60 notes@10,80"}};
    for (const auto& [withHandler, rows] : cases)
    {
        SBrowserOnBench bench;
        if (!withHandler)
            bench.browser->setPresetHandler(nullptr);
        bench.layOut();
        EXPECT_EQ(rows, rowsText(*bench.browser->getTreeView()));
        // A file saved meanwhile shows after a refresh; a folder opens to its files.
        CTemporaryFolder::writeBytes(bench.folder.file("A\\two.fxp"), "");
        bench.browser->refreshTree();
        bench.bench.click(5, 27);
        EXPECT_EQ("v0,0 A@20,0 one@30,20 two@30,40", rowsText(*bench.browser->getTreeView()).substr(0, 31));
    }
}

TEST(CPresetBrowser, aSelectedRowLoadsItsPathAndOnlyASuccessNamesTheCurrentPreset)
{
    // Whether the load succeeds, the row clicked (window y); what was loaded or shown, and the label.
    const std::tuple<bool, long, const char*, const char*> cases[] = {
        {true, 87, "load lead.fxp", "Current: lead"},
        {false, 87, "load lead.fxp; Error!|Failed to load preset|0", "Current: Default"},
        {true, 27, "load A", "Current: A"}};
    for (const auto& [succeeds, y, transcript, label] : cases)
    {
        SBrowserOnBench bench;
        bench.layOut();
        bench.handler.succeeds = succeeds;
        // Labels tell the browser nothing until the tree's node click select is on.
        bench.bench.mouse(CMouseEvent::kDoubleClick, 40, y);
        EXPECT_EQ("", bench.transcript.lines);
        EXPECT_TRUE(
            applyProperty(*bench.browser->getTreeView(), "Node Click Select", 3, new Brivant::Basics::CBool(true)));
        bench.bench.mouse(CMouseEvent::kDoubleClick, 40, y);
        EXPECT_EQ(transcript, bench.transcript.lines);
        EXPECT_EQ(label, bench.label());
    }
}

TEST(CPresetBrowser, theLoadButtonLoadsTheFileTheOpenDialogChooses)
{
    // The extension the handler gives, the file chosen (none cancels); the transcript and the label.
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"*.fxp", "C:\\x\\Bass.fxp", "Load Preset in folder *.fxp; load C:\\x\\Bass.fxp", "Current: Bass"},
        {"fxp", "C:\\x\\Bass.fxp", "Load Preset in folder *.fxp; load C:\\x\\Bass.fxp", "Current: Bass"},
        {"*.fxp", "", "Load Preset in folder *.fxp", "Current: Default"}};
    for (const auto& [extension, chosen, transcript, label] : cases)
    {
        SBrowserOnBench bench;
        bench.layOut();
        bench.handler.extension = extension;
        bench.dialogs.chosen = chosen;
        bench.bench.click(160, 8);
        EXPECT_EQ(transcript, bench.transcript.lines);
        EXPECT_EQ(label, bench.label());
    }
}

TEST(CPresetBrowser, savingAddsTheWholeExtensionBeforeAskingToOverwriteAndRefreshesTheTree)
{
    const std::string question = "Overwrite|This file already exists, do you want to overwrite?|32";
    // Name typed, extension given, answer, whether the handler succeeds; transcript after the dialog, label.
    const std::tuple<const char*, const char*, int, bool, std::string, const char*> cases[] = {
        {"lead", "*.fxp", IDNO, true, question, "Current: Default"},
        {"lead", "*.fxp", IDYES, true, question + "; save lead.fxp", "Current: lead"},
        {"Lead.FXP", "*.fxp", IDYES, true, question + "; save Lead.FXP", "Current: Lead"},
        {"bass", "*.fxp", IDNO, true, "save bass.fxp", "Current: bass"},
        {"bassfxp", "fxp", IDNO, true, "save bassfxp.fxp", "Current: bassfxp"},
        {"bass", "*.abcdefghij", IDNO, true, "save bass.abcdefghij", "Current: bass"},
        {"bass", "*.fxp", IDNO, false, "save bass.fxp; Error!|Failed to save preset|0", "Current: Default"},
        {"", "*.fxp", IDYES, true, "", "Current: Default"}};
    for (const auto& [typed, extension, answer, succeeds, transcript, label] : cases)
    {
        SBrowserOnBench bench;
        bench.layOut();
        bench.handler.extension = extension;
        bench.handler.succeeds = succeeds;
        bench.dialogs.answer = answer;
        bench.dialogs.chosen = *typed != '\0' ? bench.folder.file(typed) : "";
        bench.bench.click(180, 8);
        const std::string dialog = std::string("Save Preset in folder *.") + (extension + (*extension == '*' ? 2 : 0));
        EXPECT_EQ(dialog + (transcript.empty() ? "" : "; " + transcript), bench.transcript.lines) << typed;
        EXPECT_EQ(label, bench.label()) << typed;
        // A saved file shows in the tree at once.
        const bool saved = succeeds && transcript.find("save bass.fxp") == 0;
        EXPECT_EQ(saved, rowsText(*bench.browser->getTreeView()).find(" bass@10,") != std::string::npos) << typed;
    }
}

TEST(CPresetBrowser, theShownFolderTreeStaysWholeAndGoesWithTheBrowserAsDoTheLayoutsOwnChildren)
{
    const Brivant::Basics::CClass* records[] = {&CPresetBrowser::classRecord(), &CTreeView::classRecord(),
                                                &ITreeViewDataSource::CTreeViewNodeElement::classRecord(),
                                                &ITreeViewDataSource::TFileNode::classRecord(),
                                                &Brivant::Host::CFileInformation::classRecord()};
    std::vector<CCountChange> changes;
    for (const auto* record : records)
        changes.emplace_back(*record);
    {
        SBrowserOnBench bench;
        bench.layOut();
        // Row A's folder node still hangs below the folder's root, which holds the whole listing.
        auto* row = dynamic_cast<CTreeView::CClickableLabel*>(bench.browser->getTreeView()->getControl(2, true));
        auto* element = dynamic_cast<ITreeViewDataSource::CTreeViewNodeElement*>(row->getNodeElement());
        auto* node = dynamic_cast<ITreeViewDataSource::TFileNode*>(element->getItem());
        ASSERT_NE(nullptr, node->getParent());
        EXPECT_EQ(5, node->getParent()->getChildren().getInsertIndex());
        // A layout written and read back keeps the browser's and the tree's own children, and no others.
        Brivant::IO::CXMLNode written(CString("controls"), nullptr);
        ASSERT_TRUE(bench.bench.root().writeToXmlNode(&written));
        CControlBench reread;
        ASSERT_TRUE(reread.root().readFromXmlNode(&written));
        auto* copy = dynamic_cast<CPresetBrowser*>(reread.root().getControl(0, true));
        ASSERT_NE(nullptr, copy);
        EXPECT_EQ(6, copy->getInsertIndex());
        EXPECT_EQ(0, copy->getControlIndex(copy->getTreeView()));
        EXPECT_EQ(1, copy->getTreeView()->getInsertIndex());
    }
    for (const auto& change : changes)
        EXPECT_EQ(0, change.live());
}

TEST(CPresetBrowser, aNewLayoutRecordHasNoFontImagesOrImageSets)
{
    alignas(CPresetBrowserLayout) unsigned char memory[sizeof(CPresetBrowserLayout)];
    std::memset(memory, 0xAB, sizeof(memory));
    auto* layout = new (memory) CPresetBrowserLayout();
    const void* pointers[] = {layout->labelFont,
                              layout->saveImage,
                              layout->saveDownImage,
                              layout->loadImage,
                              layout->loadDownImage,
                              layout->verticalNormalImages.getPointer(),
                              layout->horizontalDownImages.getPointer()};
    for (const void* pointer : pointers)
        EXPECT_EQ(nullptr, pointer);
    EXPECT_EQ("0,0,0,0 255,255,255,255 255,255,255,255",
              rectText(layout->labelArea) + " " + CAlphaColour::toString(layout->textColour).getString() + " " +
                  CAlphaColour::toString(layout->scrollBarDownColour).getString());
    layout->~CPresetBrowserLayout();
}
} // namespace
