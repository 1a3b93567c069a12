// CXMLDocument's reader: the line-by-line parse, its failure texts in the trace log, input that is cut short or
// out of order, and round trips of everything the writer can write.
#include "CXMLFileTest.hpp"

#include <string>

namespace
{
using Brivant::IO::CXMLAttribute;
using Brivant::IO::CXMLDocument;
using Brivant::IO::CXMLNode;
using VolturaTests::CXMLFileTest;

const std::string kHeaderLine = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n";

class CXMLDocumentReadTest : public CXMLFileTest
{
protected:
    // Writes the document, reads the file into a second document and answers that document's root.
    CXMLNode* roundTrip(CXMLDocument& written, CXMLDocument& read)
    {
        EXPECT_TRUE(written.writeDocument(path("trip.xml")));
        EXPECT_TRUE(read.readDocument(path("trip.xml")));
        return read.getRootNode();
    }

    static std::string value(const CXMLNode* node, const char* name)
    {
        const CXMLAttribute* attribute = node != nullptr ? node->getAttribute(name) : nullptr;
        return attribute != nullptr ? attribute->getValue().getString() : "<missing>";
    }

    static std::string name(const CXMLNode* node)
    {
        return node != nullptr ? node->getNodeName().getString() : "<none>";
    }
};

TEST_F(CXMLDocumentReadTest, aSelfClosingImageLineAddsOneElementAndLeavesTheCurrentNode)
{
    {
        CXMLDocument document;
        ASSERT_TRUE(readBytes(document, kHeaderLine +
                                            "<images>\r\n"
                                            "\t<image relative_path=\"Skins\" filename=\"knob.png\" "
                                            "reference_name=\"Knob\"/>\r\n"
                                            "\t<image filename=\"back.png\"/>\r\n"
                                            "</images>"));
        const CXMLNode* root = document.getRootNode();
        ASSERT_EQ("images", name(root));
        ASSERT_EQ(2, root->getNumberOfChildNodes()) << "the second image is a sibling of the first";
        const CXMLNode* image = root->getChildNode(0L);
        EXPECT_EQ("image", name(image));
        ASSERT_EQ(3, image->getNumberOfAttributes());
        EXPECT_EQ("Skins", value(image, "relative_path"));
        EXPECT_EQ("knob.png", value(image, "filename"));
        EXPECT_EQ("Knob", value(image, "reference_name"));
        EXPECT_EQ(0, image->getNumberOfChildNodes());
        EXPECT_EQ(root, image->getParentNode());
        EXPECT_EQ("", traceLog());
    }
    expectEverythingReleased();
}

TEST_F(CXMLDocumentReadTest, elementsWithChildrenStayCurrentUntilTheirEndTag)
{
    CXMLDocument document;
    ASSERT_TRUE(readBytes(document, kHeaderLine +
                                        "<root>\n"
                                        "  <panel name=\"p\">\n"
                                        "\t<inner>\n"
                                        "<leaf/>\n"
                                        "</inner>\n"
                                        "<second />\n"
                                        "</panel>\n"
                                        "<last>\n"
                                        "</last>\n"
                                        "</root>\n"));
    const CXMLNode* root = document.getRootNode();
    ASSERT_EQ(2, root->getNumberOfChildNodes());
    const CXMLNode* panel = root->getChildNode(0L);
    EXPECT_EQ("p", value(panel, "name"));
    ASSERT_EQ(2, panel->getNumberOfChildNodes()) << "line ends of either kind and any indentation";
    EXPECT_EQ("leaf", name(panel->getChildNode(0L)->getChildNode(0L)));
    EXPECT_EQ("second", name(panel->getChildNode(1)));
    EXPECT_EQ("last", name(root->getChildNode(1)));
}

TEST_F(CXMLDocumentReadTest, commentsDeclarationsAndTextLinesAreSkipped)
{
    CXMLDocument document;
    ASSERT_TRUE(readBytes(document, "  <?xml version=\"1.0\"?>  \r\n"
                                    "<!-- a comment -->\r\n"
                                    "<!DOCTYPE layout>\r\n"
                                    "<root>\r\n"
                                    "some text\r\n"
                                    "<?instruction?>\r\n"
                                    "\r\n"
                                    "<child a=\"1\"></child>\r\n"
                                    "</root>\r\n"));
    const CXMLNode* root = document.getRootNode();
    ASSERT_EQ("root", name(root));
    ASSERT_EQ(1, root->getNumberOfChildNodes());
    EXPECT_EQ("1", value(root->getChildNode(0L), "a"));
    EXPECT_EQ("", traceLog());
}

TEST_F(CXMLDocumentReadTest, aFirstLineWithoutTheHeaderIsRefusedAndTheOldRootKept)
{
    CXMLDocument document;
    ASSERT_TRUE(readBytes(document, kHeaderLine + "<old/>"));
    EXPECT_FALSE(readBytes(document, "\r\n" + kHeaderLine + "<new/>", "blank.xml"));
    EXPECT_FALSE(readBytes(document, "", "empty.xml"));
    EXPECT_FALSE(readBytes(document, "<root/>\r\n", "bare.xml"));
    EXPECT_EQ("old", name(document.getRootNode()));
    EXPECT_EQ("Failed to read XML DTD on path = " + fileName("blank.xml") + "\r\n" +
                  "Failed to read XML DTD on path = " + fileName("empty.xml") + "\r\n" +
                  "Failed to read XML DTD on path = " + fileName("bare.xml") + "\r\n",
              traceLog());
}

TEST_F(CXMLDocumentReadTest, aMissingFileIsTraced)
{
    CXMLDocument document;
    EXPECT_FALSE(document.readDocument(path("missing.xml")));
    EXPECT_EQ(nullptr, document.getRootNode());
    EXPECT_EQ("Failed to open XML stream with path = " + fileName("missing.xml") + "\r\n", traceLog());
}

TEST_F(CXMLDocumentReadTest, anUnclosedAttributeFailsItsLineOnlyAndKeepsTheElement)
{
    {
        CXMLDocument document;
        ASSERT_TRUE(readBytes(document, kHeaderLine +
                                            "<root>\r\n"
                                            "<a kept=\"yes\" open=\"never closed/>\r\n"
                                            "<b name=>\r\n"
                                            "</b>\r\n"
                                            "</a>\r\n"
                                            "<c/>\r\n"
                                            "</root>"));
        const CXMLNode* root = document.getRootNode();
        ASSERT_EQ(2, root->getNumberOfChildNodes()) << "reading went on after the failed lines";
        const CXMLNode* a = root->getChildNode(0L);
        ASSERT_EQ(1, a->getNumberOfAttributes());
        EXPECT_EQ("yes", value(a, "kept"));
        ASSERT_EQ(1, a->getNumberOfChildNodes()) << "the unclosed quote also hid the \"/>\": a stayed open";
        EXPECT_EQ(0, a->getChildNode(0L)->getNumberOfAttributes());
        EXPECT_EQ("c", name(root->getChildNode(1)));
        EXPECT_EQ("Failed to close XML attribute tag\r\nFailed to close XML attribute tag\r\n", traceLog());
        EXPECT_EQ(1, m_attributes.live()) << "the attributes the failures dropped are not kept alive";
    }
    expectEverythingReleased();
}

TEST_F(CXMLDocumentReadTest, namesAreTakenBeforeTheFirstBlankOrTheClosingMarks)
{
    CXMLDocument document;
    ASSERT_TRUE(readBytes(document, kHeaderLine +
                                        "<root>\r\n"
                                        "<plain>\r\n"
                                        "</plain>\r\n"
                                        "<path/to/>\r\n"
                                        "<unended\r\n"
                                        "</unended>\r\n"
                                        "<a&amp;b x=\"1\" />\r\n"
                                        "<Control Name=\"Knob\"/>\r\n"
                                        "</root>"));
    const CXMLNode* root = document.getRootNode();
    ASSERT_EQ(5, root->getNumberOfChildNodes());
    EXPECT_EQ("plain", name(root->getChildNode(0L)));
    EXPECT_EQ("path/to", name(root->getChildNode(1))) << "the name ends at the last '/'";
    EXPECT_EQ("unended", name(root->getChildNode(2)));
    EXPECT_EQ("a&b", name(root->getChildNode(3)));
    EXPECT_EQ("Control", name(root->getChildNode(4)));
    EXPECT_EQ("Knob", value(root->getChildNode(4), "Name"));
}

TEST_F(CXMLDocumentReadTest, eachReadStartsFromACleanCurrentNode)
{
    {
        CXMLDocument document;
        ASSERT_TRUE(readBytes(document, kHeaderLine + "<root>\r\n<open>\r\n<deeper>\r\n", "cut.xml"));
        EXPECT_EQ(1, document.getRootNode()->getNumberOfChildNodes()) << "a cut file keeps what was built";
        ASSERT_TRUE(readBytes(document, kHeaderLine + "</stale>\r\n<fresh>\r\n<child/>\r\n</fresh>", "next.xml"));
        const CXMLNode* root = document.getRootNode();
        ASSERT_EQ("fresh", name(root));
        ASSERT_EQ(1, root->getNumberOfChildNodes());
        EXPECT_EQ("child", name(root->getChildNode(0L)));
        EXPECT_EQ("Failed to close XML element: no element is open\r\n", traceLog());
        EXPECT_EQ(2, m_nodes.live()) << "the first file's tree was released";
    }
    expectEverythingReleased();
}

TEST_F(CXMLDocumentReadTest, elementsAfterTheRootHasClosedAreRefused)
{
    struct SCase
    {
        const char* body;
        const char* rootName;
        long children;
    };
    const SCase cases[] = {
        {"<root>\r\n<a/>\r\n</root>\r\n<extra/>\r\n<more>\r\n<inner x=\"1\"/>\r\n", "root", 1},
        {"<root a=\"1\"/>\r\n<extra/>\r\n", "root", 0},
        {"<root/>\r\n<extra/>\r\n", "root", 0},
        {"<root>\r\n</root>\r\n<extra a=\"1\" />\r\n", "root", 0},
    };
    for (const SCase& test : cases)
    {
        Brivant::Host::CTrace::openTraceFile(path("trace.log"));
        {
            CXMLDocument document;
            ASSERT_TRUE(readBytes(document, kHeaderLine + test.body)) << test.body;
            const CXMLNode* root = document.getRootNode();
            ASSERT_EQ(test.rootName, name(root)) << test.body;
            EXPECT_EQ(test.children, root->getNumberOfChildNodes()) << test.body;
            EXPECT_EQ(nullptr, root->getParentNode());
        }
        EXPECT_NE(std::string::npos, traceLog().find("Failed to add XML element after the root element has closed\r\n"))
            << test.body;
        expectEverythingReleased();
    }
}

TEST_F(CXMLDocumentReadTest, endTagsWithoutAnOpenElementAreRefused)
{
    CXMLDocument document;
    ASSERT_TRUE(readBytes(document, kHeaderLine + "</none>\r\n<root>\r\n</root>\r\n</root>\r\n</again>"));
    EXPECT_EQ("root", name(document.getRootNode()));
    EXPECT_EQ("Failed to close XML element: no element is open\r\n"
              "Failed to close XML element: no element is open\r\n"
              "Failed to close XML element: no element is open\r\n",
              traceLog());
}

TEST_F(CXMLDocumentReadTest, aSecondSelfClosingMarkClosesOnlyItsOwnElement)
{
    CXMLDocument document;
    ASSERT_TRUE(readBytes(document, kHeaderLine +
                                        "<root>\r\n"
                                        "<panel>\r\n"
                                        "<a x=\"1\"/> />\r\n"
                                        "<b/>\r\n"
                                        "</panel>\r\n"
                                        "</root>"));
    const CXMLNode* panel = document.getRootNode()->getChildNode(0L);
    ASSERT_EQ(2, panel->getNumberOfChildNodes()) << "b is still inside the panel";
    EXPECT_EQ("b", name(panel->getChildNode(1)));
}

TEST_F(CXMLDocumentReadTest, escapesAreDecodedOnceFromTheLeft)
{
    CXMLDocument document;
    ASSERT_TRUE(readBytes(document, kHeaderLine +
                                        "<root lt=\"&amp;lt;\" all=\"&amp;&quot;&gt;&lt;&#10;&#13;\" "
                                        "loose=\"&lt &amp &x; &&amp;\"/>"));
    const CXMLNode* root = document.getRootNode();
    EXPECT_EQ("&lt;", value(root, "lt")) << "a value holding the text &lt; stays that text";
    EXPECT_EQ("&\"><\n\r", value(root, "all"));
    EXPECT_EQ("&lt &amp &x; &&", value(root, "loose"));
}

TEST_F(CXMLDocumentReadTest, equalsSignsAndClosingMarksInsideQuotesBelongToTheValue)
{
    CXMLDocument document;
    ASSERT_TRUE(readBytes(document, kHeaderLine +
                                        "<root>\r\n"
                                        "<a formula=\"x=y+1\" mark=\"/>\" spaced=\" a = b \">\r\n"
                                        "<b/>\r\n"
                                        "</a>\r\n"
                                        "</root>"));
    const CXMLNode* a = document.getRootNode()->getChildNode(0L);
    ASSERT_EQ(3, a->getNumberOfAttributes());
    EXPECT_EQ("x=y+1", value(a, "formula"));
    EXPECT_EQ("/>", value(a, "mark"));
    EXPECT_EQ(" a = b ", value(a, "spaced"));
    ASSERT_EQ(1, a->getNumberOfChildNodes()) << "the quoted \"/>\" did not close a";
    EXPECT_EQ("", traceLog());
}

TEST_F(CXMLDocumentReadTest, attributesDroppedByBrokenInputAreReleased)
{
    {
        CXMLDocument document;
        ASSERT_TRUE(readBytes(document, kHeaderLine +
                                            "<root first=second=\"2\" \"orphan\" good=\"1\" last=/>\r\n"
                                            "<child x=\"1\" y=\r\n"));
        const CXMLNode* root = document.getRootNode();
        ASSERT_EQ(2, root->getNumberOfAttributes());
        EXPECT_EQ("2", value(root, "second"));
        EXPECT_EQ("1", value(root, "good"));
        EXPECT_EQ(0, root->getNumberOfChildNodes()) << "the root closed itself";
        EXPECT_EQ(2, m_attributes.live()) << "only the attributes in the tree are alive";
    }
    expectEverythingReleased();
}

TEST_F(CXMLDocumentReadTest, readingReplacesTheRootAndReleasesTheOldTree)
{
    {
        CXMLDocument document;
        CXMLNode* built = new CXMLNode("built", nullptr);
        built->addChildNode("child")->addAttribute("a", "b");
        document.setRootNode(built);
        ASSERT_TRUE(readBytes(document, kHeaderLine + "<read/>"));
        EXPECT_EQ("read", name(document.getRootNode()));
        EXPECT_EQ(1, m_nodes.live());
        EXPECT_EQ(0, m_attributes.live());
        ASSERT_TRUE(readBytes(document, kHeaderLine));
        EXPECT_EQ(nullptr, document.getRootNode()) << "a file with the header alone has no root";
    }
    expectEverythingReleased();
}

TEST_F(CXMLDocumentReadTest, everyEscapableCharacterAndEveryByteReadsBackUnchanged)
{
    std::string allBytes;
    for (int byte = 1; byte < 256; ++byte)
        allBytes += static_cast<char>(byte);
    const std::string tricky[] = {
        "a<b & \"c\"", "&lt;", "&amp;lt;", "&#10;&#13;", "x=y", "</root>", "<a/>", " lead and trail ", "\r\n\r\n",
        "&", "\x1a after a Ctrl-Z", allBytes,
    };
    {
        CXMLDocument written;
        CXMLNode* root = new CXMLNode("ro&ot<\">", nullptr);
        written.setRootNode(root);
        long index = 0;
        for (const std::string& text : tricky)
        {
            CXMLNode* child = root->addChildNode(("c&\"<>\n\r" + std::to_string(index++)).c_str());
            child->addAttribute("value", text.c_str());
            child->addAttribute("n&\"<>\r\nme", "x");
        }
        CXMLDocument read;
        const CXMLNode* copy = roundTrip(written, read);
        ASSERT_EQ("ro&ot<\">", name(copy));
        ASSERT_EQ(static_cast<long>(sizeof(tricky) / sizeof(tricky[0])), copy->getNumberOfChildNodes());
        for (long child = 0; child < copy->getNumberOfChildNodes(); ++child)
        {
            const CXMLNode* node = copy->getChildNode(child);
            EXPECT_EQ("c&\"<>\n\r" + std::to_string(child), name(node));
            EXPECT_EQ(tricky[child], value(node, "value")) << "value " << child;
            EXPECT_EQ("x", value(node, "n&\"<>\r\nme"));
        }
        EXPECT_EQ("", traceLog());
    }
    expectEverythingReleased();
}

TEST_F(CXMLDocumentReadTest, longValuesAndLongLinesAreReadWhole)
{
    std::string longValue;
    for (long index = 0; index < 100000; ++index)
        longValue += static_cast<char>('a' + index % 26);
    longValue[50000] = '<';
    longValue[70000] = '=';
    CXMLDocument written;
    CXMLNode* root = new CXMLNode("root", nullptr);
    written.setRootNode(root);
    CXMLNode* child = root->addChildNode(std::string(3000, 'n').c_str());
    child->addAttribute("long", longValue.c_str());
    child->addAttribute("after", "1");
    child->addChildNode("inside");

    CXMLDocument read;
    const CXMLNode* copy = roundTrip(written, read);
    ASSERT_NE(nullptr, copy);
    ASSERT_EQ(1, copy->getNumberOfChildNodes());
    const CXMLNode* node = copy->getChildNode(0L);
    EXPECT_EQ(std::string(3000, 'n'), name(node));
    EXPECT_EQ(longValue, value(node, "long"));
    EXPECT_EQ("1", value(node, "after"));
    EXPECT_EQ(1, node->getNumberOfChildNodes()) << "no piece of the long line was taken for a line of its own";
}

TEST_F(CXMLDocumentReadTest, deepNestingReadsBackToTheDeepestLevelAllowed)
{
    {
        CXMLDocument written;
        CXMLNode* node = new CXMLNode("level", nullptr);
        written.setRootNode(node);
        for (long depth = 2; depth <= CXMLDocument::kMaximumDepth; ++depth)
        {
            node = node->addChildNode("level");
            node->addAttribute("depth", std::to_string(depth).c_str());
        }
        node->addChildNode("sibling");
        node->getParentNode()->addChildNode("after");

        CXMLDocument read;
        const CXMLNode* copy = roundTrip(written, read);
        long depth = 1;
        while (copy != nullptr && copy->getChildNode("level") != nullptr)
        {
            copy = copy->getChildNode("level");
            ++depth;
        }
        EXPECT_EQ(CXMLDocument::kMaximumDepth, depth);
        EXPECT_EQ(std::to_string(CXMLDocument::kMaximumDepth), value(copy, "depth"));
        EXPECT_EQ(0, copy->getNumberOfChildNodes()) << "the self-closing element one level deeper is refused";
        EXPECT_EQ("after", name(copy->getParentNode()->getChildNode(1))) << "reading went on above";
        EXPECT_EQ("Failed to add XML element deeper than 1000 levels\r\n", traceLog());
    }
    expectEverythingReleased();
}

TEST_F(CXMLDocumentReadTest, aFileOfEndlessOpeningTagsStopsGrowingAtTheDeepestLevel)
{
    {
        std::string bytes = kHeaderLine;
        for (int line = 0; line < 20000; ++line)
            bytes += "<a>\n";
        CXMLDocument document;
        ASSERT_TRUE(readBytes(document, bytes));
        EXPECT_EQ(CXMLDocument::kMaximumDepth, m_nodes.live());
    }
    expectEverythingReleased();
}
} // namespace
