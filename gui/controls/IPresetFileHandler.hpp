// The application's side of a preset browser: it reads and writes preset files, decides which files the browser
// shows, and names the file type for the open and save dialogs.
#pragma once

namespace Brivant
{
namespace Basics
{
class CString;
class CSystemString;
} // namespace Basics

namespace GUI
{
namespace Controls
{
class IPresetFileHandler
{
public:
    virtual ~IPresetFileHandler() = default;
    // Writes the current state to the file; false on failure.
    virtual bool savePreset(const ::Brivant::Basics::CSystemString& path) = 0;
    // False on failure.
    virtual bool loadPreset(const ::Brivant::Basics::CSystemString& path) = 0;
    // Whether a file (folders are always shown) appears in the browser's tree.
    virtual bool acceptsFile(const ::Brivant::Basics::CSystemString& path) = 0;
    // The extension, bare or with a leading "*.", and its description for the dialogs' filter.
    virtual void getFileTypes(::Brivant::Basics::CString& extension, ::Brivant::Basics::CString& description) = 0;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
