#include "foundation/basics/CHtmlString.hpp"

#include <windows.h>

#include <shellapi.h>

#include <cctype>
#include <cstring>

namespace Brivant
{
namespace Basics
{
namespace
{
const char kFilePrefix[] = "file://";
const char kHttpPrefix[] = "http://";
constexpr size_t kPrefixLength = sizeof(kHttpPrefix) - 1;

bool startsWith(const char* text, const char* prefix) { return std::strncmp(text, prefix, kPrefixLength) == 0; }
} // namespace

CHtmlString::CHtmlString(const CSystemString& text) : CSystemString(text) {}

CHtmlString::CHtmlString(const CString& text) : CSystemString(text) {}

CHtmlString::CHtmlString(const char* text) : CSystemString(text) {}

CHtmlString::CHtmlString(const CHtmlString& other) : CSystemString(other) {}

CHtmlString::~CHtmlString() = default;

CHtmlString& CHtmlString::operator=(const CHtmlString& other)
{
    CSystemString::operator=(other);
    return *this;
}

bool CHtmlString::hasFilePrefix() const { return startsWith(getString(), kFilePrefix); }

bool CHtmlString::hasHttpPrefix() const { return startsWith(getString(), kHttpPrefix); }

bool CHtmlString::hasSchemePrefix() const
{
    // A scheme is a letter followed by letters, digits, '+', '-' or '.' (RFC 3986).
    const char* text = getString();
    if (!std::isalpha(static_cast<unsigned char>(text[0])))
        return false;
    const char* end = text + 1;
    while (std::isalnum(static_cast<unsigned char>(*end)) || *end == '+' || *end == '-' || *end == '.')
        ++end;
    return std::strncmp(end, "://", 3) == 0;
}

void CHtmlString::addPrefix(bool http)
{
    CString prefixed(http ? kHttpPrefix : kFilePrefix);
    prefixed.appendString(*this);
    setString(prefixed);
}

intptr_t CHtmlString::openInBrowser()
{
    if (!hasFilePrefix() && !hasHttpPrefix() && !hasSchemePrefix())
        addPrefix(true);
    return openWithShell(getString());
}

intptr_t CHtmlString::openWithShell(const char* text)
{
    return reinterpret_cast<intptr_t>(ShellExecuteA(nullptr, "open", text, nullptr, nullptr, SW_SHOWNORMAL));
}
} // namespace Basics
} // namespace Brivant
