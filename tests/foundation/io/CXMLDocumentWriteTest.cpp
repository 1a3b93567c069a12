// CXMLDocument's writer: the exact bytes on disk (header, one tab per depth, escapes, CR LF, no line end after
// the root's closing tag), the root it holds, and false with a trace line for every write that fails.
#include "CXMLFileTest.hpp"

#include <windows.h>

#include <string>

namespace
{
using Brivant::Basics::CString;
using Brivant::IO::CXMLAttribute;
using Brivant::IO::CXMLDocument;
using Brivant::IO::CXMLNode;
using VolturaTests::CTemporaryFolder;
using VolturaTests::CXMLFileTest;

class CXMLDocumentWriteTest : public CXMLFileTest
{
};

TEST_F(CXMLDocumentWriteTest, aRootWithOneChildIsFourLinesWithoutAFinalLineEnd)
{
    {
        CXMLDocument document;
        CXMLNode* root = new CXMLNode("controls", nullptr);
        document.setRootNode(root);
        root->addChildNode("control")->addAttribute("type", "CKnob");
        EXPECT_EQ(std::string(kHeader) + "<controls>\r\n\t<control type=\"CKnob\"/>\r\n</controls>",
                  writtenBytes(document));
    }
    expectEverythingReleased();
}

TEST_F(CXMLDocumentWriteTest, aChildlessRootClosesItselfAndEndsTheLine)
{
    CXMLDocument document;
    document.setRootNode(new CXMLNode("controls", nullptr));
    EXPECT_EQ(std::string(kHeader) + "<controls/>\r\n", writtenBytes(document));
}

TEST_F(CXMLDocumentWriteTest, eachDepthAddsOneTabAndClosingTagsLineUpWithTheirOpeningTags)
{
    CXMLDocument document;
    CXMLNode* root = new CXMLNode("root", nullptr);
    document.setRootNode(root);
    CXMLNode* panel = root->addChildNode("panel");
    panel->addAttribute("name", "main");
    panel->addChildNode("inner")->addChildNode("leaf")->addAttribute("x", "1");
    panel->addChildNode("second");
    root->addChildNode("last");
    EXPECT_EQ(std::string(kHeader) +
                  "<root>\r\n"
                  "\t<panel name=\"main\">\r\n"
                  "\t\t<inner>\r\n"
                  "\t\t\t<leaf x=\"1\"/>\r\n"
                  "\t\t</inner>\r\n"
                  "\t\t<second/>\r\n"
                  "\t</panel>\r\n"
                  "\t<last/>\r\n"
                  "</root>",
              writtenBytes(document));
}

TEST_F(CXMLDocumentWriteTest, attributesFollowInOrderWithTheirValueForms)
{
    CXMLDocument document;
    CXMLNode* root = new CXMLNode("knob", nullptr);
    document.setRootNode(root);
    root->addAttribute(new CXMLAttribute("Control Name", "Ratio"));
    root->addAttribute(new CXMLAttribute("value", 0.5));
    root->addAttribute(new CXMLAttribute("on", true));
    root->addAttribute(new CXMLAttribute("count", -3L));
    root->addAttribute(new CXMLAttribute("id", 7));
    root->addAttribute("empty", "");
    EXPECT_EQ(std::string(kHeader) +
                  "<knob Control_Name=\"Ratio\" value=\"0.500000\" on=\"True\" count=\"-3\" id=\"7\" empty=\"\"/>\r\n",
              writtenBytes(document));
}

TEST_F(CXMLDocumentWriteTest, namesAndValuesAreEscapedAndOtherBytesGoOutUnchanged)
{
    CXMLDocument document;
    CXMLNode* root = new CXMLNode("a&b<c>\"d\"", nullptr);
    document.setRootNode(root);
    root->addAttribute("text", "a<b & \"c\"");
    root->addAttribute("lines", "one\ntwo\r\nthree");
    root->addAttribute("n&me", "\t\xe9\xff=");
    EXPECT_EQ(std::string(kHeader) +
                  "<a&amp;b&lt;c&gt;&quot;d&quot; text=\"a&lt;b &amp; &quot;c&quot;\" "
                  "lines=\"one&#10;two&#13;&#10;three\" n&amp;me=\"\t\xe9\xff=\"/>\r\n",
              writtenBytes(document));
}

TEST_F(CXMLDocumentWriteTest, escapingHelpersReplaceTheSixCharactersAndDecodeInOnePass)
{
    CString text("&\"><\n\r plain");
    CXMLDocument::escapeString(text);
    EXPECT_STREQ("&amp;&quot;&gt;&lt;&#10;&#13; plain", text.getString());
    CXMLDocument::unescapeString(text);
    EXPECT_STREQ("&\"><\n\r plain", text.getString());

    CString written("&amp;lt; &amp;amp; &lt &#10 &unknown; &&lt;");
    CXMLDocument::unescapeString(written);
    EXPECT_STREQ("&lt; &amp; &lt &#10 &unknown; &<", written.getString())
        << "decoded text is not decoded again, and incomplete escapes stay as they are";
}

TEST_F(CXMLDocumentWriteTest, withoutARootNothingIsWritten)
{
    CXMLDocument document;
    EXPECT_FALSE(document.writeDocument(path("none.xml")));
    EXPECT_FALSE(CTemporaryFolder::exists(fileName("none.xml")));
    EXPECT_EQ("", traceLog());
}

TEST_F(CXMLDocumentWriteTest, aFileThatCannotBeOpenedIsTraced)
{
    CXMLDocument document;
    document.setRootNode(new CXMLNode("root", nullptr));
    const std::string missing = fileName("missing\\out.xml");
    EXPECT_FALSE(document.writeDocument(Brivant::Basics::CSystemString(missing.c_str())));
    EXPECT_EQ("Failed to open XML stream with path = " + missing + "\r\n", traceLog());
}

TEST_F(CXMLDocumentWriteTest, aFileAnotherProgramHoldsIsRefusedAndKeptAsItWas)
{
    CXMLDocument document;
    document.setRootNode(new CXMLNode("root", nullptr));
    const std::string locked = fileName("locked.xml");
    CTemporaryFolder::writeBytes(locked, "kept");
    // Held without sharing: the same refusal a read-only file gives a user who is not the administrator.
    HANDLE holder =
        CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    EXPECT_FALSE(document.writeDocument(path("locked.xml")));
    CloseHandle(holder);
    EXPECT_EQ("kept", CTemporaryFolder::readBytes(locked));
    EXPECT_EQ("Failed to open XML stream with path = " + locked + "\r\n", traceLog());
}

TEST_F(CXMLDocumentWriteTest, aFullDiskAnswersFalse)
{
    // Wine maps Z: to the Unix root, where /dev/full refuses every write with "no space left".
    const Brivant::Basics::CSystemString full("Z:\\dev\\full");
    CXMLDocument document;
    CXMLNode* root = new CXMLNode("root", nullptr);
    document.setRootNode(root);
    root->addAttribute("big", std::string(100000, 'x').c_str());
    EXPECT_FALSE(document.writeDocument(full));
    EXPECT_EQ("Failed to write XML stream with path = Z:\\dev\\full\r\n", traceLog());
}

TEST_F(CXMLDocumentWriteTest, theDocumentHoldsOneReferenceOnItsRoot)
{
    {
        CXMLDocument document;
        CXMLNode* first = new CXMLNode("first", nullptr);
        document.setRootNode(first);
        EXPECT_EQ(first, document.getRootNode());
        EXPECT_EQ(1, first->getReferenceCount());
        document.setRootNode(first);
        EXPECT_EQ(1, first->getReferenceCount()) << "the same root again changes nothing";

        CXMLNode* inner = first->addChildNode("inner");
        inner->addChildNode("leaf");
        document.setRootNode(inner);
        EXPECT_EQ(2, m_nodes.live()) << "the old root went; its child stayed, as the new root, with its leaf";
        EXPECT_EQ(inner, document.getRootNode());
        EXPECT_EQ(nullptr, inner->getParentNode());
        EXPECT_EQ(std::string(kHeader) + "<inner>\r\n\t<leaf/>\r\n</inner>", writtenBytes(document));

        document.setRootNode(nullptr);
        EXPECT_EQ(nullptr, document.getRootNode());
        EXPECT_EQ(0, m_nodes.live());
        document.setRootNode(new CXMLNode("last", nullptr));
    }
    expectEverythingReleased();
    EXPECT_STREQ("CXMLDocument", CXMLDocument::classRecord().getClassName());
    EXPECT_STREQ("CCountedObject", CXMLDocument::classRecord().getParentName());
}
} // namespace
