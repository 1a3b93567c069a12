// CXMLDocument against hostile input: thousands of mutated and cut copies of valid documents, and every
// allocation of a read or a write failing in turn. Each read answers true or false, leaves a consistent tree
// and releases everything with the document.
#include "CXMLFileTest.hpp"

#include "tests/foundation/basics/CAllocationFailure.hpp"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace
{
using Brivant::IO::CXMLDocument;
using Brivant::IO::CXMLNode;
using Brivant::Testing::CAllocationFailure;
using VolturaTests::CTemporaryFolder;
using VolturaTests::CXMLFileTest;

constexpr int kVariants = 3000;
constexpr std::uint32_t kSeed = 0x58d1a7u;

class CXMLDocumentRobustnessTest : public CXMLFileTest
{
protected:
    // A control layout with nesting, escapes and every value form.
    static CXMLNode* buildLayout()
    {
        CXMLNode* root = new CXMLNode("controls", nullptr);
        root->addAttribute("version", "2");
        for (int index = 0; index < 3; ++index)
        {
            CXMLNode* panel = root->addChildNode("control");
            panel->addAttribute("type", "CControlPanel");
            panel->addAttribute("area", "10,20,300,200");
            panel->addAttribute("Control Name", "Panel <\"main\"> & more");
            CXMLNode* knob = panel->addChildNode("control");
            knob->addAttribute("type", "CKnob");
            knob->addAttribute("note", "line one\nline two\r\n=/>&lt;");
            knob->addChildNode("property")->addAttribute("value", "0.500000");
            panel->addChildNode("image")->addAttribute("filename", "knob.png");
        }
        return root;
    }

    // Checks what a read left: parent links match, and counts the nodes without recursing.
    static long checkTree(const CXMLNode* root)
    {
        if (root == nullptr)
            return 0;
        EXPECT_EQ(nullptr, root->getParentNode());
        long nodes = 0;
        std::vector<const CXMLNode*> open(1, root);
        while (!open.empty())
        {
            const CXMLNode* node = open.back();
            open.pop_back();
            ++nodes;
            for (long index = 0; index < node->getNumberOfAttributes(); ++index)
                EXPECT_NE(nullptr, node->getAttribute(index));
            for (long index = 0; index < node->getNumberOfChildNodes(); ++index)
            {
                const CXMLNode* child = node->getChildNode(index);
                EXPECT_EQ(node, child->getParentNode());
                open.push_back(child);
            }
        }
        return nodes;
    }

    std::string validLayout()
    {
        CXMLDocument document;
        document.setRootNode(buildLayout());
        return writtenBytes(document);
    }
};

// Texts the reader gives a meaning to, alone or in pairs.
const std::string kTokens[] = {
    "\"", "<", ">", "/", "/>", "</", "=", "&", "&amp;", "&lt;", "&#10;", "&#1", "&amp;amp;", " ", "\t", "\r", "\n",
    "\r\n", std::string(1, '\0'), "\x1a", "<?xml", "<!--", "</controls>", "<control>", "<a b=\"", "\"\"", "=\"",
    "\n</x>\n", "\n<extra/>\n", "\n<open a=\"1\">\n",
};

// One random change of a document's bytes, mostly after its header line so that most variants get parsed.
class CMutator
{
public:
    explicit CMutator(std::uint32_t seed) : m_random(seed) {}

    std::string mutate(const std::string& valid, std::size_t headerLength)
    {
        std::string bytes = valid;
        const int changes = 1 + static_cast<int>(pick(4));
        for (int change = 0; change < changes; ++change)
        {
            const std::size_t from = pick(10) < 9 && bytes.size() > headerLength ? headerLength : 0;
            const std::size_t at = from + pick(bytes.size() - from + 1);
            switch (pick(7))
            {
            case 0:
                bytes.resize(at);
                break;
            case 1:
                if (at < bytes.size())
                    bytes[at] = static_cast<char>(pick(256));
                break;
            case 2:
            case 3:
                bytes.insert(at, kTokens[pick(sizeof(kTokens) / sizeof(kTokens[0]))]);
                break;
            case 4:
                bytes.erase(at, pick(40));
                break;
            case 5:
            {
                const std::size_t start = pick(bytes.size() + 1);
                bytes.insert(at, bytes.substr(start, pick(200)));
                break;
            }
            default:
                bytes.insert(at, longRun());
                break;
            }
        }
        return bytes;
    }

private:
    std::size_t pick(std::size_t bound) { return bound == 0 ? 0 : static_cast<std::size_t>(m_random() % bound); }

    // A run of characters that mean something to the reader, now and then very long.
    std::string longRun()
    {
        static const char kMeaningful[] = "a\"=</> &;#\t";
        const std::size_t length = pick(20) == 0 ? 20000 + pick(60000) : pick(3000);
        std::string run;
        run.reserve(length);
        for (std::size_t index = 0; index < length; ++index)
            run += kMeaningful[pick(sizeof(kMeaningful) - 1)];
        return run;
    }

    std::mt19937 m_random;
};


TEST_F(CXMLDocumentRobustnessTest, mutatedDocumentsNeverCrashLeakOrLeaveABrokenTree)
{
    const std::string valid = validLayout();
    const std::size_t headerLength = std::string(kHeader).size();
    CMutator mutator(kSeed);
    long accepted = 0;
    long nodesRead = 0;
    for (int variant = 0; variant < kVariants; ++variant)
    {
        const std::string bytes = mutator.mutate(valid, headerLength);
        {
            CXMLDocument document;
            if (readBytes(document, bytes))
            {
                ++accepted;
                nodesRead += checkTree(document.getRootNode());
                // What was read can always be written again.
                if (variant % 50 == 0 && document.getRootNode() != nullptr)
                {
                    EXPECT_TRUE(document.writeDocument(path("again.xml"))) << "variant " << variant;
                }
            }
        }
        ASSERT_EQ(0, m_nodes.live()) << "variant " << variant;
        ASSERT_EQ(0, m_attributes.live()) << "variant " << variant;
        ASSERT_FALSE(HasFailure()) << "variant " << variant;
    }
    EXPECT_GT(accepted, kVariants / 2) << "most variants kept their header and were parsed";
    EXPECT_GT(nodesRead, accepted) << "the parsed variants built trees";
}

TEST_F(CXMLDocumentRobustnessTest, everyFailedAllocationWhileReadingAnswersFalseAndReleasesAll)
{
    const std::string valid = validLayout();
    CTemporaryFolder::writeBytes(fileName("layout.xml"), valid);
    const Brivant::Basics::CSystemString layout = path("layout.xml");
    long allocation = 1;
    for (; allocation < 20000; ++allocation)
    {
        bool read = false;
        bool thrown = false;
        long nodes = 0;
        {
            CXMLDocument document;
            CAllocationFailure::failAt(allocation);
            try
            {
                read = document.readDocument(layout);
            }
            catch (...)
            {
                thrown = true;
            }
            CAllocationFailure::disarm();
            nodes = checkTree(document.getRootNode());
        }
        ASSERT_FALSE(thrown) << "allocation " << allocation;
        ASSERT_EQ(0, m_nodes.live()) << "allocation " << allocation;
        ASSERT_EQ(0, m_attributes.live()) << "allocation " << allocation;
        if (read && nodes == 13)
            break;
    }
    EXPECT_GT(allocation, 200) << "the failures reached into the parse";
    EXPECT_LT(allocation, 20000) << "a read with no failure completes";
}

TEST_F(CXMLDocumentRobustnessTest, everyFailedAllocationWhileWritingAnswersFalse)
{
    const std::string valid = validLayout();
    const Brivant::Basics::CSystemString failing = path("failing.xml");
    long allocation = 1;
    for (; allocation < 20000; ++allocation)
    {
        bool written = false;
        bool thrown = false;
        {
            CXMLDocument document;
            document.setRootNode(buildLayout());
            CAllocationFailure::failAt(allocation);
            try
            {
                written = document.writeDocument(failing);
            }
            catch (...)
            {
                thrown = true;
            }
            CAllocationFailure::disarm();
        }
        ASSERT_FALSE(thrown) << "allocation " << allocation;
        ASSERT_EQ(0, m_nodes.live()) << "allocation " << allocation;
        if (written)
            break;
    }
    EXPECT_GT(allocation, 5) << "the failures reached into the writing";
    EXPECT_EQ(valid, CTemporaryFolder::readBytes(fileName("failing.xml")));
}
} // namespace
