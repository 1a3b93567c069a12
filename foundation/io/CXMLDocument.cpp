#include "foundation/io/CXMLDocument.hpp"

#include "foundation/collections/TAutomaticPointer.hpp"
#include "foundation/collections/TPointerDeleter.hpp"
#include "foundation/host/CTrace.hpp"

#include <cstddef>
#include <cstring>
#include <fstream>
#include <istream>
#include <ostream>

namespace Brivant
{
namespace IO
{
using Basics::CClass;
using Basics::CString;
using Basics::CSystemString;
using Collections::TAutomaticPointer;
using Collections::TCountedObjectDeleter;
using Host::CTrace;

namespace
{
const char kHeader[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n";
const char kHeaderStart[] = "<?xml";

struct SEscape
{
    char character;
    const char* text;
};

// Ampersand first: the writer's order, and the one a sequential replacement would need.
const SEscape kEscapes[] = {{'&', "&amp;"}, {'"', "&quot;"}, {'>', "&gt;"},
                            {'<', "&lt;"},  {'\n', "&#10;"}, {'\r', "&#13;"}};

std::string escapedText(const char* text)
{
    std::string escaped;
    for (const char* character = text; *character != '\0'; ++character)
    {
        const char* replacement = nullptr;
        for (const SEscape& escape : kEscapes)
        {
            if (*character == escape.character)
            {
                replacement = escape.text;
                break;
            }
        }
        if (replacement != nullptr)
            escaped += replacement;
        else
            escaped += *character;
    }
    return escaped;
}

std::string unescapedText(const std::string& text)
{
    std::string plain;
    plain.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size())
    {
        bool decoded = false;
        if (text[at] == '&')
        {
            for (const SEscape& escape : kEscapes)
            {
                const std::size_t length = std::strlen(escape.text);
                if (text.compare(at, length, escape.text) == 0)
                {
                    plain += escape.character;
                    at += length;
                    decoded = true;
                    break;
                }
            }
        }
        if (!decoded)
            plain += text[at++];
    }
    return plain;
}

std::string trimmed(const std::string& text)
{
    std::size_t first = 0;
    std::size_t end = text.size();
    while (first < end && CString::isWhiteSpace(text[first]))
        ++first;
    while (end > first && CString::isWhiteSpace(text[end - 1]))
        --end;
    return text.substr(first, end - first);
}

CString toText(const std::string& text) { return CString(text.c_str()); }

// The whole line however long, without its line feed and one carriage return before it.
bool readWholeLine(std::istream& input, std::string& line)
{
    if (!std::getline(input, line))
        return false;
    if (!line.empty() && line[line.size() - 1] == '\r')
        line.erase(line.size() - 1);
    return true;
}

void traceWithPath(const char* message, const CSystemString& path) { CTrace::trace(path, CString(message)); }

// For failures that may come from a lack of memory: formats on the stack.
void traceWithPathUnallocated(const char* message, const CSystemString& path)
{
    CTrace::trace("%s%s", message, path.getString());
}
} // namespace

CXMLDocument::CXMLDocument() : m_root(nullptr), m_currentNode(nullptr), m_depth(0) {}

CXMLDocument::~CXMLDocument() { setRootNode(nullptr); }

CXMLNode* CXMLDocument::getRootNode() const { return m_root; }

void CXMLDocument::setRootNode(CXMLNode* node)
{
    if (node == m_root)
        return;
    // The new root is held first: it may live inside the old one.
    if (node != nullptr)
        node->referenced();
    CXMLNode* old = m_root;
    m_root = node;
    if (old != nullptr)
        old->dereference();
}

void CXMLDocument::escapeString(CString& text) { text = escapedText(text.getString()).c_str(); }

void CXMLDocument::unescapeString(CString& text) { text = unescapedText(text.getString()).c_str(); }

bool CXMLDocument::writeDocument(const CSystemString& path)
{
    if (m_root == nullptr)
        return false;
    m_depth = 0;
    try
    {
        // Text mode: every "\n" reaches the file as carriage return and line feed.
        std::ofstream output(path.getString(), std::ios::out | std::ios::trunc);
        if (!output.is_open())
        {
            traceWithPath("Failed to open XML stream with path = ", path);
            return false;
        }
        output << kHeader;
        writeElement(output, *m_root, true);
        output.flush();
        bool written = !output.fail();
        output.close();
        written = written && !output.fail();
        if (!written)
            traceWithPath("Failed to write XML stream with path = ", path);
        return written;
    }
    catch (...)
    {
        m_depth = 0;
        traceWithPathUnallocated("Failed to write XML stream with path = ", path);
        return false;
    }
}

void CXMLDocument::writeElement(std::ostream& output, const CXMLNode& node, bool isRoot)
{
    const std::string name = escapedText(node.getNodeName().getString());
    output << '<' << name;
    for (long index = 0; index < node.getNumberOfAttributes(); ++index)
    {
        const CXMLAttribute* attribute = node.getAttribute(index);
        if (attribute != nullptr)
            output << ' ' << escapedText(attribute->getName().getString()) << "=\""
                   << escapedText(attribute->getValue().getString()) << '"';
    }
    if (node.getNumberOfChildNodes() == 0)
    {
        output << "/>\n";
        return;
    }
    output << ">\n";
    ++m_depth;
    for (long index = 0; index < node.getNumberOfChildNodes(); ++index)
    {
        const CXMLNode* child = node.getChildNode(index);
        if (child == nullptr)
            continue;
        output << std::string(static_cast<std::size_t>(m_depth), '\t');
        writeElement(output, *child, false);
    }
    --m_depth;
    output << std::string(static_cast<std::size_t>(m_depth), '\t') << "</" << name << '>';
    if (!isRoot)
        output << '\n';
}

bool CXMLDocument::readDocument(const CSystemString& path)
{
    try
    {
        // Binary, with the line ends taken off here: in text mode the runtime ends the input at the first Ctrl-Z,
        // which a written value may hold.
        std::ifstream input(path.getString(), std::ios::in | std::ios::binary);
        if (!input.is_open())
        {
            traceWithPath("Failed to open XML stream with path = ", path);
            return false;
        }
        std::string header;
        readWholeLine(input, header);
        if (trimmed(header).compare(0, std::strlen(kHeaderStart), kHeaderStart) != 0)
        {
            traceWithPath("Failed to read XML DTD on path = ", path);
            return false;
        }
        setRootNode(nullptr);
        // A current node left from an earlier read would point into the tree just released.
        m_currentNode = nullptr;
        readElements(input);
        m_currentNode = nullptr;
        if (input.bad())
        {
            traceWithPath("Failed to read XML stream with path = ", path);
            return false;
        }
        return true;
    }
    catch (...)
    {
        m_currentNode = nullptr;
        traceWithPathUnallocated("Failed to read XML stream with path = ", path);
        return false;
    }
}

void CXMLDocument::readElements(std::istream& input)
{
    std::string line;
    long depth = 0;
    while (readWholeLine(input, line))
        parseLine(trimmed(line), depth);
}

void CXMLDocument::parseLine(const std::string& line, long& depth)
{
    if (line.empty() || line[0] != '<')
        return;
    const std::string rest = line.substr(1);
    if (!rest.empty() && (rest[0] == '!' || rest[0] == '?'))
        return;
    if (!rest.empty() && rest[0] == '/')
    {
        if (m_currentNode == nullptr)
        {
            CTrace::trace("Failed to close XML element: no element is open");
            return;
        }
        m_currentNode = m_currentNode->getParentNode();
        --depth;
        return;
    }

    std::string name;
    std::string attributes;
    bool hasAttributes = false;
    bool selfClosing = false;
    const std::string::size_type blank = rest.find(' ');
    const std::string::size_type slash = rest.rfind('/');
    const std::string::size_type closing = rest.rfind('>');
    if (blank != std::string::npos)
    {
        name = rest.substr(0, blank);
        attributes = rest.substr(blank + 1);
        hasAttributes = true;
    }
    else if (slash != std::string::npos)
    {
        name = rest.substr(0, slash);
        selfClosing = true;
    }
    else if (closing != std::string::npos)
    {
        name = rest.substr(0, closing);
    }
    else
    {
        name = rest;
    }

    TAutomaticPointer<CXMLNode> node(new CXMLNode(toText(unescapedText(trimmed(name))), nullptr),
                                     &TCountedObjectDeleter<CXMLNode>::sharedPolicy());
    if (openElement(node.getPointer(), !selfClosing, depth) && hasAttributes)
        readAttributes(*node.getPointer(), attributes, depth);
}

bool CXMLDocument::openElement(CXMLNode* node, bool staysCurrent, long& depth)
{
    if (m_root == nullptr)
    {
        setRootNode(node);
        // A root that closes itself ends the document: whatever follows has no element to go into.
        m_currentNode = staysCurrent ? node : nullptr;
        depth = staysCurrent ? 1 : 0;
        return true;
    }
    if (m_currentNode == nullptr)
    {
        CTrace::trace("Failed to add XML element after the root element has closed");
        return false;
    }
    if (depth >= kMaximumDepth)
    {
        CTrace::trace("Failed to add XML element deeper than %li levels", kMaximumDepth);
        return false;
    }
    m_currentNode->addChildNode(node);
    if (staysCurrent)
    {
        m_currentNode = node;
        ++depth;
    }
    return true;
}

void CXMLDocument::readAttributes(CXMLNode& node, const std::string& text, long& depth)
{
    std::string buffer;
    std::string pendingName;
    bool pending = false;
    bool inQuotes = false;
    for (std::size_t at = 0; at < text.size(); ++at)
    {
        const char character = text[at];
        // Inside quotes only the closing quote means anything: '=', blanks and "/>" belong to the value.
        if (inQuotes)
        {
            if (character != '"')
            {
                buffer += character;
                continue;
            }
            if (pending)
                node.addAttribute(toText(pendingName), toText(unescapedText(buffer)));
            pending = false;
            buffer.clear();
            inQuotes = false;
            continue;
        }
        if (character == ' ')
            continue;
        if (character == '"')
        {
            inQuotes = true;
        }
        else if (character == '=')
        {
            // A name still pending without a value is dropped.
            pendingName = unescapedText(buffer);
            pending = true;
            buffer.clear();
        }
        else if (character == '/' && at + 1 < text.size() && text[at + 1] == '>')
        {
            // The element closed itself; a second "/>" must not close its parent too.
            if (m_currentNode == &node)
            {
                m_currentNode = node.getParentNode();
                --depth;
            }
        }
        else
        {
            buffer += character;
        }
    }
    if (pending)
        CTrace::trace("Failed to close XML attribute tag");
}
} // namespace IO
} // namespace Brivant
