// An XML document of one root element, with a writer and a reader for the line-oriented subset this framework
// uses: one element per line, attributes in double quotes, no text content. Failures answer false and write a
// line to the trace log; nothing throws.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/basics/CString.hpp"
#include "foundation/basics/CSystemString.hpp"
#include "foundation/io/CXMLNode.hpp"

#include <iosfwd>
#include <string>

namespace Brivant
{
namespace IO
{
class CXMLDocument : public Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CXMLDocument, "CCountedObject");

public:
    // Elements nested deeper are refused by the reader: releasing or writing a tree recurses once per level,
    // and a file must not be able to run a host's stack out.
    static constexpr long kMaximumDepth = 1000;

    CXMLDocument();
    ~CXMLDocument() override;

    CXMLDocument(const CXMLDocument&) = delete;
    CXMLDocument& operator=(const CXMLDocument&) = delete;

    CXMLNode* getRootNode() const;
    // The document keeps one reference on its root.
    void setRootNode(CXMLNode* node);

    // The header, then one element per line with one tab per depth; the root's closing tag ends the file
    // without a line end. False without a root or when any write failed.
    bool writeDocument(const Basics::CSystemString& path);
    // Replaces the root with the file's elements once the header line is found. A line that cannot be taken is
    // traced and skipped; the answer is false only when the file cannot be opened or read, or has no header.
    bool readDocument(const Basics::CSystemString& path);

    // '&', '"', '>', '<', line feed and carriage return to "&amp;", "&quot;", "&gt;", "&lt;", "&#10;", "&#13;".
    static void escapeString(Basics::CString& text);
    // The reverse in one pass from the left, so decoded text is never decoded again: "&amp;lt;" gives "&lt;".
    static void unescapeString(Basics::CString& text);

private:
    void writeElement(std::ostream& output, const CXMLNode& node, bool isRoot);
    void readElements(std::istream& input);
    // depth is that of the current node: 0 with none, 1 for the root.
    void parseLine(const std::string& line, long& depth);
    // Answers whether the element was taken.
    bool openElement(CXMLNode* node, bool staysCurrent, long& depth);
    void readAttributes(CXMLNode& node, const std::string& text, long& depth);

    CXMLNode* m_root;
    CXMLNode* m_currentNode;
    long m_depth;
};
} // namespace IO
} // namespace Brivant
