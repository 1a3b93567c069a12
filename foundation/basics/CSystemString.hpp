// A file-system path: a CString with path operations. The separator is the backslash, and operator+= joins
// with it; plain text is appended with appendString.
#pragma once

#include "foundation/basics/CString.hpp"

namespace Brivant
{
namespace Basics
{
class CSystemString : public CString
{
    BRIVANT_CLASS_RECORD(CSystemString, "CCountedObject");

public:
    static constexpr char kSeparator = '\\';

    // A null text is stored as " ".
    CSystemString(const char* text);
    CSystemString(const CString& text);
    CSystemString(const CSystemString& other);
    ~CSystemString() override;

    using CString::operator=;
    CSystemString& operator=(const char* text) override;
    CSystemString& operator=(const CSystemString& other);
    // Appends the separator, then the text: "C:\dir" += "file.txt" gives "C:\dir\file.txt". A null text is
    // ignored, separator and all.
    CSystemString& operator+=(const char* text) override;
    CSystemString& operator+=(const CString& other) override;

    // The empty text ends every path; a text longer than the path never does; a null text ends none.
    bool endsWith(const CString& text) const;
    bool endsWith(const char* text) const;

    // A '.' anywhere above index 0, folder names included.
    bool hasExtension() const;
    // Appends "." and the extension. With replaceExisting, an extension of the file name is cut first;
    // a '.' in a folder name is never cut.
    void setExtension(const CString& extension, bool replaceExisting);
    void setExtension(const char* extension, bool replaceExisting);
    // Cuts at the file name's last '.'; a path whose file name has none stays as it is.
    void removeExtension();
    bool isFolderPath() const;

    // Keeps the text up to and including the last separator.
    void removeFileName();
    // A folder path whole, else the text up to and including the last separator; empty without one.
    void getFolder(CString& out) const;
    void appendSeparator();
    // Adds the separator only when the text does not already end with one.
    void appendPath(const CString& path);
    // The first character, or with wholeComponent the text up to and including the first separator.
    void getDrive(CString& out, bool wholeComponent) const;
    // From the file name's last '.' to the end, the '.' included; empty when the file name has none.
    void getExtension(CString& out) const;
    // The text after the last separator; empty without a separator.
    void getFileName(CString& out) const;

    // The runs of characters between separators.
    long getNumberOfPathComponents() const;
    // A new string the caller deletes; component 0 carries a separator ("C:" gives "C:\"). Null outside
    // 0 .. count - 1.
    CString* getPathComponent(long index) const;
    // " " when the path has no component.
    void getLastPathComponent(CString& out) const;
    // Drops the last separator and what follows when that separator stands at index 2 or later.
    void removeLastPathComponent();
    // Drops the text up to and including the first separator.
    void removeFirstPathComponent();
    void replaceForwardSlashes();

private:
    long lastSeparator() const;
    // The index of the last '.' that stands after the last separator, or -1.
    long fileNameDot() const;
};
} // namespace Basics
} // namespace Brivant
