// The process's message boxes, beep, folder browser and common open and save dialogs. None has an owner window,
// as a plug-in cannot know the host's. Whatever waits for a person goes through one set of calls that tests
// replace, so that no test ever blocks on a modal window.
#pragma once

struct _ITEMIDLIST;
struct _browseinfoA;
struct tagOFNA;

namespace Brivant
{
namespace Basics
{
class CString;
class CSystemString;
} // namespace Basics

namespace GUI
{
namespace Windowing
{
class CSystemDialogs
{
public:
    // Both the filter and the file name buffer of the file dialogs.
    static constexpr unsigned long kFileBufferSize = 512;
    // The folder browser's path buffer.
    static constexpr unsigned long kFolderBufferSize = 260;

    // The system calls behind the dialogs, given exactly what the dialog functions prepared.
    class IModalCalls
    {
    public:
        virtual ~IModalCalls() = default;
        virtual int showMessageBox(const char* message, const char* title, unsigned int type) = 0;
        virtual void playBeep(unsigned int type) = 0;
        // The chosen item, which the caller frees with the shell's allocator; null when cancelled.
        virtual _ITEMIDLIST* browseForFolder(_browseinfoA& browse) = 0;
        // True when a file was chosen into the dialog's buffer.
        virtual bool showSaveDialog(tagOFNA& dialog) = 0;
        virtual bool showOpenDialog(tagOFNA& dialog) = 0;
    };

    CSystemDialogs() = delete;

    // Not owned; null puts the system's own calls back.
    static void setModalCalls(IModalCalls* calls);

    // With the stop icon when it reports an error, else with none.
    static void notifyUser(const ::Brivant::Basics::CString& message, const ::Brivant::Basics::CString& title,
                           bool isError);
    // A yes/no question; true only for yes.
    static bool askQuestion(const ::Brivant::Basics::CString& message, const ::Brivant::Basics::CString& title);
    static void beep();
    // The chosen folder's path into folder; false when cancelled or when the choice is no file-system folder.
    static bool browseForFolder(::Brivant::Basics::CSystemString& folder, const ::Brivant::Basics::CString& title);

    // The file dialogs offer the description's files (*.extension) and all files, and start with path plus the
    // extension as the file name (none for a blank path). The chosen file's path into path; false when
    // cancelled. Only an opened file must exist.
    static bool getSaveFileName(const ::Brivant::Basics::CSystemString& initialFolder,
                                ::Brivant::Basics::CSystemString& path, const ::Brivant::Basics::CString& title,
                                const ::Brivant::Basics::CString& description,
                                const ::Brivant::Basics::CString& extension);
    static bool getOpenFileName(const ::Brivant::Basics::CSystemString& initialFolder,
                                ::Brivant::Basics::CSystemString& path, const ::Brivant::Basics::CString& title,
                                const ::Brivant::Basics::CString& description,
                                const ::Brivant::Basics::CString& extension);

private:
    static bool getFileName(bool save, const ::Brivant::Basics::CSystemString& initialFolder,
                            ::Brivant::Basics::CSystemString& path, const ::Brivant::Basics::CString& title,
                            const ::Brivant::Basics::CString& description,
                            const ::Brivant::Basics::CString& extension);
};
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
