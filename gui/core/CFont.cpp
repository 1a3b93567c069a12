// GDI fonts: the logical font, the handle that follows every change, the text and XML forms and the process
// default font.
#include "gui/core/CFont.hpp"

#include "foundation/basics/CStringTokeniser.hpp"
#include "foundation/io/CXMLAttribute.hpp"
#include "foundation/io/CXMLNode.hpp"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace Brivant
{
namespace GUI
{
namespace Fonts
{
using ::Brivant::Basics::CClass;
using ::Brivant::Basics::CString;
using ::Brivant::Basics::CStringTokeniser;
using ::Brivant::IO::CXMLAttribute;
using ::Brivant::IO::CXMLNode;

namespace
{
constexpr LONG kNormalWeight = 400;
constexpr LONG kBoldWeight = 700;
constexpr long kTextFields = 2;

const char* const kNameAttribute = "font_name";
const char* const kSizeAttribute = "font_size";
const char* const kItalicAttribute = "italic";
const char* const kBoldAttribute = "bold";

// The default font and the lock around it: painting and the host's threads may both ask for it.
std::mutex& defaultFontLock()
{
    static std::mutex lock;
    return lock;
}

CFont*& defaultFontHolder()
{
    static CFont* font = nullptr;
    return font;
}

// A flag attribute counts only when present and exactly "True".
bool readFlag(const CXMLNode& node, const char* name)
{
    const CXMLAttribute* attribute = node.getAttribute(CString(name));
    return attribute != nullptr && attribute->getValueAsBool();
}
} // namespace

CFont::CFont()
    : m_handle(nullptr), m_logicalFont(new LOGFONTA()), m_name(""), m_size(0), m_bold(false), m_italic(false)
{
    fillLogicalFont(false, false);
}

CFont::CFont(const CString& name, long size, bool italic, bool bold)
    : m_handle(nullptr), m_logicalFont(new LOGFONTA()), m_name(name), m_size(size), m_bold(bold), m_italic(italic)
{
    fillLogicalFont(false, false);
    createFont();
}

CFont::CFont(const CFont& other)
    : CCountedObject(other), m_handle(nullptr), m_logicalFont(new LOGFONTA(*other.m_logicalFont)),
      m_name(other.m_name), m_size(other.m_size), m_bold(other.m_bold), m_italic(other.m_italic)
{
    createFont();
}

CFont& CFont::operator=(const CFont& other)
{
    if (this != &other)
    {
        m_name = other.m_name;
        m_size = other.m_size;
        m_bold = other.m_bold;
        m_italic = other.m_italic;
        *m_logicalFont = *other.m_logicalFont;
        createFont();
    }
    return *this;
}

CFont::~CFont() { deleteFont(); }

void CFont::setFont(const CString& name, long size, bool italic, bool underline, bool strikeOut, bool bold)
{
    m_name = name;
    m_size = size;
    m_italic = italic;
    m_bold = bold;
    fillLogicalFont(underline, strikeOut);
    createFont();
}

void CFont::setFontName(const CString& name)
{
    m_name = name;
    copyFaceName();
    createFont();
}

void CFont::setFontSize(long size)
{
    m_size = size;
    m_logicalFont->lfHeight = -size;
    createFont();
}

void CFont::fillLogicalFont(bool underline, bool strikeOut)
{
    LOGFONTA& font = *m_logicalFont;
    font = LOGFONTA();
    font.lfHeight = -m_size;
    font.lfWeight = m_bold ? kBoldWeight : kNormalWeight;
    font.lfItalic = m_italic ? TRUE : FALSE;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfStrikeOut = strikeOut ? TRUE : FALSE;
    font.lfCharSet = ANSI_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = CLEARTYPE_QUALITY;
    font.lfPitchAndFamily = 0;
    copyFaceName();
}

void CFont::copyFaceName()
{
    // Never ends on the lead byte of a double-byte character, which would join the terminator to it.
    char* face = m_logicalFont->lfFaceName;
    const char* name = m_name.getString();
    long length = 0;
    while (length < kFaceNameBytes && name[length] != '\0')
    {
        const bool lead = IsDBCSLeadByte(static_cast<BYTE>(name[length])) != FALSE;
        const long characterBytes = lead && name[length + 1] != '\0' ? 2 : 1;
        if (length + characterBytes > kFaceNameBytes)
            break;
        length += characterBytes;
    }
    std::memcpy(face, name, static_cast<size_t>(length));
    std::memset(face + length, 0, sizeof(m_logicalFont->lfFaceName) - static_cast<size_t>(length));
}

void CFont::createFont()
{
    // The new handle is made first, so a failure to make it still leaves no stale handle behind.
    HFONT previous = m_handle;
    m_handle = CreateFontIndirectA(m_logicalFont.get());
    if (previous != nullptr)
        DeleteObject(previous);
}

void CFont::deleteFont()
{
    if (m_handle != nullptr)
    {
        DeleteObject(m_handle);
        m_handle = nullptr;
    }
}

long CFont::getTextWidth(const CString& text, HDC dc)
{
    if (dc == nullptr)
        return 0;
    const char* characters = text.getString();
    SIZE size = {0, 0};
    if (GetTextExtentPoint32A(dc, characters, static_cast<int>(std::strlen(characters)), &size) == FALSE)
        return 0;
    return size.cx;
}

CString CFont::toString(const CFont& font)
{
    CString text("");
    text.setStringWithFormat("%s,%li", font.m_name.getString(), font.m_size);
    return text;
}

CFont* CFont::fromString(const CString& text)
{
    CStringTokeniser tokeniser(text, ',');
    if (tokeniser.getNumberOfTokens() != kTextFields)
        return nullptr;
    CString name("");
    CString size("");
    tokeniser.getNextToken(name);
    tokeniser.getNextToken(size);
    // strtol saturates where atol would overflow; the text comes from files.
    return new CFont(name, std::strtol(size.getString(), nullptr, 10), false, false);
}

bool CFont::writeToXMLNode(CXMLNode* node) const
{
    if (node == nullptr)
        return false;
    CString size("");
    size.setStringWithFormat("%li", m_size);
    node->addAttribute(CString(kNameAttribute), m_name);
    node->addAttribute(CString(kSizeAttribute), size);
    node->addAttribute(CString(kItalicAttribute), CString(m_italic ? "True" : "False"));
    node->addAttribute(CString(kBoldAttribute), CString(m_bold ? "True" : "False"));
    return true;
}

bool CFont::readFromXMLNode(CXMLNode* node)
{
    if (node == nullptr)
        return false;
    const CXMLAttribute* name = node->getAttribute(CString(kNameAttribute));
    const CXMLAttribute* size = node->getAttribute(CString(kSizeAttribute));
    if (name == nullptr || size == nullptr)
        return false;
    setFont(name->getValue(), std::strtol(size->getValue().getString(), nullptr, 10),
            readFlag(*node, kItalicAttribute), false, false, readFlag(*node, kBoldAttribute));
    return true;
}

CFont* CFont::getDefaultFont()
{
    // Made here rather than at library attach: attach runs under the loader lock, where GDI has no place.
    std::lock_guard<std::mutex> guard(defaultFontLock());
    CFont*& font = defaultFontHolder();
    if (font == nullptr)
    {
        try
        {
            font = new CFont(CString(kDefaultFaceName), kDefaultSize, false, false);
        }
        catch (...)
        {
            return nullptr;
        }
        font->referenced();
    }
    return font;
}

void CFont::releaseDefaultFont()
{
    CFont* font = nullptr;
    {
        std::lock_guard<std::mutex> guard(defaultFontLock());
        font = defaultFontHolder();
        defaultFontHolder() = nullptr;
    }
    if (font != nullptr)
        font->dereference();
}
} // namespace Fonts
} // namespace GUI
} // namespace Brivant
