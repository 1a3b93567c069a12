// A GDI font described by face name, size, bold and italic. The font owns its GDI handle and replaces it
// whenever a property changes, so a device context must not keep it selected across a change.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/basics/CString.hpp"

#include <memory>

struct HFONT__;
struct HDC__;
struct tagLOGFONTA;

namespace Brivant
{
namespace IO
{
class CXMLNode;
}

namespace GUI
{
namespace Fonts
{
class CFont : public ::Brivant::Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CFont, "CCountedObject");

public:
    // Bytes of the face name the logical font keeps.
    static constexpr long kFaceNameBytes = 31;
    static constexpr const char* kDefaultFaceName = "Arial";
    static constexpr long kDefaultSize = 11;

    // No name, size 0, plain and no handle; the logical font holds the plain defaults, so that naming or
    // sizing it later gives a usable font.
    CFont();
    // The size is in points as the caller gives it; the logical font's height is its negation.
    CFont(const ::Brivant::Basics::CString& name, long size, bool italic, bool bold);
    // Copies every property and the logical font; the copy has a handle of its own.
    CFont(const CFont& other);
    CFont& operator=(const CFont& other);
    ~CFont() override;

    // Adds "font_name", "font_size", "italic" and "bold" to the node; false for a null node.
    virtual bool writeToXMLNode(::Brivant::IO::CXMLNode* node) const;
    // Needs "font_name" and "font_size"; a missing "italic" or "bold" is false, and only "True" is true.
    virtual bool readFromXMLNode(::Brivant::IO::CXMLNode* node);

    void setFont(const ::Brivant::Basics::CString& name, long size, bool italic, bool underline, bool strikeOut,
                 bool bold);
    void setFontName(const ::Brivant::Basics::CString& name);
    void setFontSize(long size);

    const ::Brivant::Basics::CString& getFontName() const { return m_name; }
    long getFontSize() const { return m_size; }
    bool isBold() const { return m_bold; }
    bool isItalic() const { return m_italic; }

    // Null when the font could not be made; text then takes the device context's own font.
    HFONT__* getFontHandle() const { return m_handle; }
    const tagLOGFONTA& getLogicalFont() const { return *m_logicalFont; }

    // The text's width in whatever font the context has selected; 0 when it cannot be measured.
    static long getTextWidth(const ::Brivant::Basics::CString& text, HDC__* dc);

    // "name,size".
    static ::Brivant::Basics::CString toString(const CFont& font);
    // Exactly "name,size" gives a new plain font the caller owns; anything else gives null.
    static CFont* fromString(const ::Brivant::Basics::CString& text);

    // The process-wide default font (Arial, 11, plain), made on first use and held by one reference of its
    // own; null only when it could not be made. Callers that keep it take their own reference.
    static CFont* getDefaultFont();
    // Drops the process's reference; a later getDefaultFont makes a new one.
    static void releaseDefaultFont();

private:
    void fillLogicalFont(bool underline, bool strikeOut);
    void copyFaceName();
    void createFont();
    void deleteFont();

    HFONT__* m_handle;
    std::unique_ptr<tagLOGFONTA> m_logicalFont;
    ::Brivant::Basics::CString m_name;
    long m_size;
    bool m_bold;
    bool m_italic;
};
} // namespace Fonts
} // namespace GUI
} // namespace Brivant
