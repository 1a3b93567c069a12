// The system dialogs through a scripted stand-in for their modal calls: what each box, the folder browser and
// the file dialogs are given (icons, flags, the filter and file name buffers), and what their answers become.
#include "gui/core/CSystemDialogs.hpp"

#include "foundation/basics/CString.hpp"
#include "foundation/basics/CSystemString.hpp"

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

namespace
{
using Brivant::Basics::CString;
using Brivant::Basics::CSystemString;
using Brivant::GUI::Windowing::CSystemDialogs;

// Writes down what each call was given as one line and answers as the test says.
class CScriptedDialogs : public CSystemDialogs::IModalCalls
{
public:
    CScriptedDialogs() { CSystemDialogs::setModalCalls(this); }
    ~CScriptedDialogs() override { CSystemDialogs::setModalCalls(nullptr); }

    int showMessageBox(const char* message, const char* title, unsigned int type) override
    {
        call = std::string(title) + "|" + message + "|" + std::to_string(type);
        return answer;
    }
    void playBeep(unsigned int type) override { call = "beep|" + std::to_string(type); }
    _ITEMIDLIST* browseForFolder(BROWSEINFOA& browse) override
    {
        call = std::string(browse.lpszTitle) + "|" + std::to_string(browse.ulFlags);
        PIDLIST_ABSOLUTE item = nullptr;
        if (chosen != nullptr && std::string(chosen) == "My Computer")
            SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &item);
        else if (chosen != nullptr)
            item = ILCreateFromPathA(chosen);
        return item;
    }
    bool showSaveDialog(OPENFILENAMEA& dialog) override { return fileDialog("save", dialog); }
    bool showOpenDialog(OPENFILENAMEA& dialog) override { return fileDialog("open", dialog); }

    int answer = IDOK;
    const char* chosen = nullptr;
    std::string call, filter, startName;

private:
    bool fileDialog(const char* kind, OPENFILENAMEA& dialog)
    {
        call = std::string(kind) + "|" + std::to_string(dialog.lStructSize == sizeof(OPENFILENAMEA)) + "|" +
               std::to_string(dialog.hwndOwner == nullptr) + "|" +
               (dialog.lpstrInitialDir != nullptr ? dialog.lpstrInitialDir : "(none)") + "|" +
               std::to_string(dialog.Flags) + "|" + std::to_string(dialog.nMaxFile);
        // The filter list with its closing NUL, which must come within the buffer.
        const std::string buffer(dialog.lpstrFilter, CSystemDialogs::kFileBufferSize);
        filter = buffer.substr(0, buffer.find(std::string(2, '\0')) + 2);
        startName = std::string(dialog.lpstrFile, strnlen(dialog.lpstrFile, dialog.nMaxFile));
        if (chosen != nullptr)
            lstrcpynA(dialog.lpstrFile, chosen, static_cast<int>(dialog.nMaxFile));
        return chosen != nullptr;
    }
};

TEST(CSystemDialogsTest, anErrorShowsTheStopIconAndOnlyYesAnswersTheQuestion)
{
    CScriptedDialogs dialogs;
    CSystemDialogs::notifyUser(CString("Text"), CString("Caption"), true);
    EXPECT_EQ("Caption|Text|16", dialogs.call);
    for (const auto& [answer, expected] : {std::make_pair(IDYES, true), std::make_pair(IDNO, false),
                                           std::make_pair(IDCANCEL, false)})
    {
        dialogs.answer = answer;
        EXPECT_EQ(expected, CSystemDialogs::askQuestion(CString("Text"), CString("Caption"))) << answer;
        EXPECT_EQ("Caption|Text|36", dialogs.call);
    }
}

TEST(CSystemDialogsTest, theFolderBrowserAnswersOnlyAFileSystemFolder)
{
    const std::tuple<const char*, bool, const char*> cases[] = {
        {nullptr, false, "unchanged"}, {"C:\\windows", true, "C:\\windows"}, {"My Computer", false, "unchanged"}};
    for (const auto& [chosen, expectedResult, expectedFolder] : cases)
    {
        SCOPED_TRACE(chosen != nullptr ? chosen : "cancelled");
        CScriptedDialogs dialogs;
        dialogs.chosen = chosen;
        CSystemString folder("unchanged");
        EXPECT_EQ(expectedResult, CSystemDialogs::browseForFolder(folder, CString("Preset folder")));
        EXPECT_STRCASEEQ(expectedFolder, folder.getString());
        EXPECT_EQ("Preset folder|80", dialogs.call);
    }
}

TEST(CSystemDialogsTest, theFilterListEndsWithinItsBufferHoweverLongItsTexts)
{
    const std::string tail("All files (*.*)\0*.*\0\0", 21);
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"Presets", "fxp", std::string("Presets\0*.fxp\0", 14) + tail},
        {std::string(600, 'd'), "fxp", std::string(484, 'd') + std::string("\0*.fxp\0", 7) + tail},
        {"Banks", std::string(600, 'e'), std::string("Banks\0*.", 8) + std::string(242, 'e') + '\0' + tail}};
    for (const auto& [description, extension, expectedFilter] : cases)
    {
        SCOPED_TRACE(description.substr(0, 10) + " " + extension.substr(0, 10));
        CScriptedDialogs dialogs;
        CSystemString path(" ");
        CSystemDialogs::getOpenFileName(CSystemString(" "), path, CString("Load"), CString(description.c_str()),
                                        CString(extension.c_str()));
        EXPECT_EQ(expectedFilter, dialogs.filter);
    }
}

TEST(CSystemDialogsTest, fileDialogsStartFromThePathAndAnswerTheChoiceAndOnlyOpeningDemandsAnExistingFile)
{
    // Explorer dialogs, resizable, on existing folders; opening also demands an existing file.
    const std::string save = "save|1|1|C:\\presets|" + std::to_string(0xA80800) + "|512";
    const std::string open = "open|1|1|C:\\presets|" + std::to_string(0xA81800) + "|512";
    const std::tuple<bool, std::string, const char*, std::string, std::string> cases[] = {
        {true, " ", "C:\\presets\\a.fxp", save, ""},
        {false, "", nullptr, open, ""},
        {true, "take", nullptr, save, "take.fxp"},
        {false, "C:\\p\\take.FXP", "C:\\p\\take.FXP", open, "C:\\p\\take.FXP"},
        {true, std::string(600, 'a'), nullptr, save, std::string(511, 'a')}};
    for (const auto& [saving, startPath, chosen, expectedCall, expectedStart] : cases)
    {
        SCOPED_TRACE(startPath.substr(0, 20));
        CScriptedDialogs dialogs;
        dialogs.chosen = chosen;
        CSystemString path(startPath.c_str());
        const CSystemString folder("C:\\presets");
        const CString title("Title"), description("Presets"), extension("fxp");
        const bool answered = saving ? CSystemDialogs::getSaveFileName(folder, path, title, description, extension)
                                     : CSystemDialogs::getOpenFileName(folder, path, title, description, extension);
        EXPECT_EQ(chosen != nullptr, answered);
        EXPECT_EQ(expectedCall, dialogs.call);
        EXPECT_EQ(expectedStart, dialogs.startName);
        EXPECT_EQ(chosen != nullptr ? chosen : startPath, path.getString());
    }
}
} // namespace
