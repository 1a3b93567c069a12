// A web address or local document that opens with the shell's default handler.
#pragma once

#include "foundation/basics/CSystemString.hpp"

#include <cstdint>

namespace Brivant
{
namespace Basics
{
class CHtmlString : public CSystemString
{
    BRIVANT_CLASS_RECORD(CHtmlString, "CCountedObject");

public:
    CHtmlString(const CSystemString& text);
    CHtmlString(const CString& text);
    CHtmlString(const char* text);
    CHtmlString(const CHtmlString& other);
    ~CHtmlString() override;

    using CSystemString::operator=;
    CHtmlString& operator=(const CHtmlString& other);

    bool hasFilePrefix() const;
    bool hasHttpPrefix() const;
    // Puts "http://" (true) or "file://" (false) in front of the text.
    void addPrefix(bool http);

    // A text without a "scheme://" start (https and ftp count too) is taken for a web address and gets
    // "http://". The shell's answer is returned unchecked (above 32 when it opened the text).
    intptr_t openInBrowser();

protected:
    // The one call into the shell, replaced by tests that must not open a browser.
    virtual intptr_t openWithShell(const char* text);

private:
    bool hasSchemePrefix() const;
};
} // namespace Basics
} // namespace Brivant
