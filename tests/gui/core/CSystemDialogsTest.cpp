// The system dialogs through a scripted stand-in for the modal calls: what each box, the folder browser and the
// file dialogs are given (icons, flags, the filter and file name buffers), and what their answers become.
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

// Writes down what each call was given and answers as the test says.
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
        if (chosenSpecialFolder >= 0)
        {
            PIDLIST_ABSOLUTE item = nullptr;
            SHGetSpecialFolderLocation(nullptr, chosenSpecialFolder, &item);
            return item;
        }
        return chosenFile != nullptr ? ILCreateFromPathA(chosenFile) : nullptr;
    }
    bool showSaveDialog(OPENFILENAMEA& dialog) override { return fileDialog("save", dialog); }
    bool showOpenDialog(OPENFILENAMEA& dialog) override { return fileDialog("open", dialog); }

    int answer = IDOK;
    const char* chosenFile = nullptr;
    int chosenSpecialFolder = -1;
    std::string call;
    std::string filter;
    std::string startName;

private:
    bool fileDialog(const char* kind, OPENFILENAMEA& dialog)
    {
        call = std::string(kind) + "|" + std::to_string(dialog.lStructSize == sizeof(OPENFILENAMEA)) + "|" +
               std::to_string(dialog.hwndOwner == nullptr) + "|" + dialog.lpstrTitle + "|" +
               (dialog.lpstrInitialDir != nullptr ? dialog.lpstrInitialDir : "(none)") + "|" +
               std::to_string(dialog.Flags) + "|" + std::to_string(dialog.nMaxFile);
        // The filter list up to and with its closing NUL, which must come within the buffer.
        const std::string buffer(dialog.lpstrFilter, CSystemDialogs::kFileBufferSize);
        const size_t end = buffer.find(std::string(2, '\0'));
        filter = end == std::string::npos ? "(unterminated)" : buffer.substr(0, end + 2);
        startName = std::string(dialog.lpstrFile, strnlen(dialog.lpstrFile, dialog.nMaxFile));
        if (chosenFile == nullptr)
            return false;
        lstrcpynA(dialog.lpstrFile, chosenFile, static_cast<int>(dialog.nMaxFile));
        return true;
    }
};

TEST(CSystemDialogsTest, messageBoxesShowTheirIconAndButtonsAndOnlyYesAnswersTheQuestion)
{
    struct SCase
    {
        const char* call;
        int answer;
        const char* expectedCall;
        bool expectedResult;
    };
    const SCase cases[] = {
        {"error", IDOK, "Caption|Text|16", false},  {"notice", IDOK, "Caption|Text|0", false},
        {"question", IDYES, "Caption|Text|36", true}, {"question", IDNO, "Caption|Text|36", false},
        {"question", IDOK, "Caption|Text|36", false}, {"beep", IDOK, "beep|0", false},
    };
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(std::string(test.call) + " " + std::to_string(test.answer));
        CScriptedDialogs dialogs;
        dialogs.answer = test.answer;
        const std::string call = test.call;
        bool result = false;
        if (call == "question")
            result = CSystemDialogs::askQuestion(CString("Text"), CString("Caption"));
        else if (call == "beep")
            CSystemDialogs::beep();
        else
            CSystemDialogs::notifyUser(CString("Text"), CString("Caption"), call == "error");
        EXPECT_EQ(test.expectedCall, dialogs.call);
        EXPECT_EQ(test.expectedResult, result);
    }
}

TEST(CSystemDialogsTest, theFolderBrowserAnswersOnlyAFileSystemFolderAndFreesTheChoice)
{
    struct SCase
    {
        const char* chosenFolder;
        int chosenSpecialFolder;
        bool expectedResult;
        const char* expectedFolder;
    };
    const SCase cases[] = {{nullptr, -1, false, "unchanged"},
                           {"C:\\windows", -1, true, "C:\\windows"},
                           {nullptr, CSIDL_DRIVES, false, "unchanged"}};
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(test.chosenFolder != nullptr ? test.chosenFolder : std::to_string(test.chosenSpecialFolder));
        CScriptedDialogs dialogs;
        dialogs.chosenFile = test.chosenFolder;
        dialogs.chosenSpecialFolder = test.chosenSpecialFolder;
        CSystemString folder("unchanged");
        EXPECT_EQ(test.expectedResult, CSystemDialogs::browseForFolder(folder, CString("Preset folder")));
        EXPECT_STRCASEEQ(test.expectedFolder, folder.getString());
        EXPECT_EQ("Preset folder|80", dialogs.call);
    }
}

TEST(CSystemDialogsTest, theFilterListEndsWithinItsBufferHoweverLongTheDescription)
{
    const std::string tail = std::string("All files (*.*)\0*.*\0\0", 21);
    struct SCase
    {
        std::string description;
        std::string extension;
        std::string expectedFilter;
    };
    const SCase cases[] = {
        {"Presets", "fxp", std::string("Presets\0*.fxp\0", 14) + tail},
        {std::string(600, 'd'), "fxp", std::string(484, 'd') + std::string("\0*.fxp\0", 7) + tail},
        {"Banks", std::string(600, 'e'), std::string("Banks\0*.", 8) + std::string(242, 'e') + '\0' + tail},
    };
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(test.description.substr(0, 20) + " " + test.extension.substr(0, 20));
        CScriptedDialogs dialogs;
        CSystemString path(" ");
        CSystemDialogs::getOpenFileName(CSystemString(" "), path, CString("Load"), CString(test.description.c_str()),
                                        CString(test.extension.c_str()));
        EXPECT_EQ(test.expectedFilter, dialogs.filter);
    }
}

TEST(CSystemDialogsTest, fileDialogsStartFromThePathAndAnswerTheChoiceAndOnlyOpeningDemandsAnExistingFile)
{
    // Both explorer dialogs, resizable, on existing folders; opening also on an existing file.
    const std::string save = "save|1|1|Title|";
    const std::string open = "open|1|1|Title|";
    const std::string saveFlags = "|" + std::to_string(0xA80800) + "|512";
    const std::string openFlags = "|" + std::to_string(0xA81800) + "|512";
    struct SCase
    {
        bool saving;
        std::string folder;
        std::string path;
        const char* chosen;
        std::string expectedCall;
        std::string expectedStart;
        std::string expectedPath;
    };
    const SCase cases[] = {
        {true, "C:\\presets", " ", "C:\\presets\\a.fxp", save + "C:\\presets" + saveFlags, "", "C:\\presets\\a.fxp"},
        {false, " ", "", nullptr, open + "(none)" + openFlags, "", ""},
        {true, "C:\\presets", "take", nullptr, save + "C:\\presets" + saveFlags, "take.fxp", "take"},
        {false, "C:\\presets", "C:\\p\\take.FXP", "C:\\p\\take.FXP", open + "C:\\presets" + openFlags,
         "C:\\p\\take.FXP", "C:\\p\\take.FXP"},
        {true, "C:\\presets", std::string(600, 'a'), nullptr, save + "C:\\presets" + saveFlags, std::string(511, 'a'),
         std::string(600, 'a')},
    };
    for (const SCase& test : cases)
    {
        SCOPED_TRACE((test.saving ? "save " : "open ") + test.path.substr(0, 20));
        CScriptedDialogs dialogs;
        dialogs.chosenFile = test.chosen;
        CSystemString path(test.path.c_str());
        const CSystemString folder(test.folder.c_str());
        const CString title("Title"), description("Presets"), extension("fxp");
        const bool chosen = test.saving
                                ? CSystemDialogs::getSaveFileName(folder, path, title, description, extension)
                                : CSystemDialogs::getOpenFileName(folder, path, title, description, extension);
        EXPECT_EQ(test.expectedCall, dialogs.call);
        EXPECT_EQ(test.expectedStart, dialogs.startName);
        EXPECT_EQ(test.chosen != nullptr, chosen);
        EXPECT_EQ(test.expectedPath, path.getString());
    }
}
} // namespace
