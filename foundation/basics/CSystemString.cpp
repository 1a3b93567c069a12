#include "foundation/basics/CSystemString.hpp"

#include <cstring>
#include <memory>

namespace Brivant
{
namespace Basics
{
namespace
{
// A component is a maximal run of characters other than the separator. Counted here rather than with
// CStringTokeniser, which cuts long texts and skips a first run that starts with '_'.
struct SComponent
{
    long start;
    long end;
};

bool findComponent(const char* text, long wanted, SComponent& found)
{
    long index = 0;
    long position = 0;
    while (text[position] != '\0')
    {
        if (text[position] == CSystemString::kSeparator)
        {
            ++position;
            continue;
        }
        long end = position;
        while (text[end] != '\0' && text[end] != CSystemString::kSeparator)
            ++end;
        if (index == wanted)
        {
            found = {position, end};
            return true;
        }
        ++index;
        position = end;
    }
    found = {index, index};
    return false;
}
} // namespace

CSystemString::CSystemString(const char* text) : CString(text) {}

CSystemString::CSystemString(const CString& text) : CString(text) {}

CSystemString::CSystemString(const CSystemString& other) : CString(other) {}

CSystemString::~CSystemString() = default;

CSystemString& CSystemString::operator=(const char* text)
{
    setString(text);
    return *this;
}

CSystemString& CSystemString::operator=(const CSystemString& other)
{
    if (&other != this)
        setString(other);
    return *this;
}

CSystemString& CSystemString::operator+=(const char* text)
{
    if (text == nullptr)
        return *this;
    // text may point into this path, whose buffer the separator replaces.
    const CString added(text);
    appendSeparator();
    appendString(added);
    return *this;
}

CSystemString& CSystemString::operator+=(const CString& other)
{
    // other may be this path: copied before the separator changes it.
    const CString added(other);
    appendSeparator();
    appendString(added);
    return *this;
}

bool CSystemString::endsWith(const CString& text) const { return endsWith(text.getString()); }

bool CSystemString::endsWith(const char* text) const
{
    if (text == nullptr)
        return false;
    const size_t ending = std::strlen(text);
    const size_t characters = static_cast<size_t>(getNumberOfCharacters() - 1);
    return ending <= characters && std::memcmp(getString() + characters - ending, text, ending) == 0;
}

bool CSystemString::hasExtension() const { return findBackwards('.') > 0; }

void CSystemString::setExtension(const CString& extension, bool replaceExisting)
{
    setExtension(extension.getString(), replaceExisting);
}

void CSystemString::setExtension(const char* extension, bool replaceExisting)
{
    if (extension == nullptr)
        return;
    // extension may point into this path, which the cut below changes.
    const CString added(extension);
    if (replaceExisting && hasExtension())
        removeExtension();
    appendString('.');
    appendString(added);
}

void CSystemString::removeExtension()
{
    const long dot = fileNameDot();
    if (dot > 0)
        getSubString(*this, 0, dot - 1);
}

bool CSystemString::isFolderPath() const { return !hasExtension(); }

void CSystemString::removeFileName()
{
    const long separator = lastSeparator();
    if (separator >= 0)
        getSubString(*this, 0, separator);
}

void CSystemString::getFolder(CString& out) const
{
    if (isFolderPath())
    {
        out = getString();
        return;
    }
    const long separator = lastSeparator();
    if (separator >= 0)
        getSubString(out, 0, separator);
    else
        out = "";
}

void CSystemString::appendSeparator() { appendString(kSeparator); }

void CSystemString::appendPath(const CString& path)
{
    const CString added(path);
    if (!endsWith("\\"))
        appendSeparator();
    appendString(added);
}

void CSystemString::getDrive(CString& out, bool wholeComponent) const
{
    if (!wholeComponent)
    {
        getSubString(out, 0, 0);
        return;
    }
    const long separator = findForward(kSeparator);
    if (separator >= 0)
        getSubString(out, 0, separator);
    else
        out = "";
}

void CSystemString::getExtension(CString& out) const
{
    const long dot = fileNameDot();
    if (dot >= 0)
        getSubString(out, dot, getNumberOfCharacters() - 2);
    else
        out = "";
}

void CSystemString::getFileName(CString& out) const
{
    const long separator = lastSeparator();
    if (separator >= 0)
        getSubString(out, separator + 1, getNumberOfCharacters() - 2);
    else
        out = "";
}

long CSystemString::getNumberOfPathComponents() const
{
    SComponent component;
    findComponent(getString(), -1, component);
    return component.start;
}

CString* CSystemString::getPathComponent(long index) const
{
    SComponent component;
    if (index < 0 || !findComponent(getString(), index, component))
        return nullptr;
    std::unique_ptr<CString> text(new CString(""));
    getSubString(*text, component.start, component.end - 1);
    if (index == 0)
        text->appendString(kSeparator);
    return text.release();
}

void CSystemString::getLastPathComponent(CString& out) const
{
    const std::unique_ptr<CString> last(getPathComponent(getNumberOfPathComponents() - 1));
    if (last)
        out = *last;
    else
        out = " ";
}

void CSystemString::removeLastPathComponent()
{
    const long separator = lastSeparator();
    if (separator >= 2)
        getSubString(*this, 0, separator - 1);
}

void CSystemString::removeFirstPathComponent()
{
    const long separator = findForward(kSeparator);
    if (separator >= 0)
        getSubString(*this, separator + 1, getNumberOfCharacters() - 2);
}

void CSystemString::replaceForwardSlashes() { replaceCharWithChar('/', kSeparator); }

long CSystemString::lastSeparator() const { return findBackwards(kSeparator); }

long CSystemString::fileNameDot() const
{
    const long dot = findBackwards('.');
    return dot > lastSeparator() ? dot : -1;
}
} // namespace Basics
} // namespace Brivant
