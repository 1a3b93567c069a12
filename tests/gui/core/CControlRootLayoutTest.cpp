// Control layout files: what the root writes reads back to the same file, and mutations of a valid file (lines
// dropped or repeated, every attribute value replaced by hostile ones, cuts, deep nesting) read without a crash,
// leaving the root as it was whenever the read fails.
#include "gui/core/CControlPanel.hpp"
#include "gui/core/CControlRoot.hpp"

#include "foundation/basics/CSystemString.hpp"
#include "tests/foundation/basics/CCountChange.hpp"
#include "tests/gui/CGuiTestKit.hpp"
#include "tests/support/CTemporaryFolder.hpp"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CString;
using Brivant::Basics::CSystemString;
using Brivant::GUI::Controls::CControlPanel;
using Brivant::GUI::Windowing::IWindow;
using namespace VolturaTests;

class CControlLayoutFiles : public ::testing::Test
{
protected:
    CSystemString path(const char* name) const { return CSystemString(m_folder.file(name).c_str()); }
    std::string read(const char* name) const { return CTemporaryFolder::readBytes(m_folder.file(name)); }
    void write(const char* name, const std::string& text) const
    {
        CTemporaryFolder::writeBytes(m_folder.file(name), text);
    }

    // An outer panel holding an inner one, both with properties off their defaults.
    static void fillRoot(CControlRoot& root, IWindow* window)
    {
        auto* outer = new CControlPanel(window, &root, 3, CRect(10, 20, 200, 150), nullptr);
        outer->setControlName(CString("outer"));
        outer->setDefaultControlColours(CAlphaColour(1, 2, 3, 4), CAlphaColour(5, 6, 7, 8));
        root.addControl(outer);
        auto* inner = new CControlPanel(window, outer, 4, CRect(5, 5, 50, 40), nullptr);
        inner->setControlName(CString("inner"));
        inner->disable();
        outer->addControl(inner);
        auto* unsaved = new CControlPanel(window, &root, 5, CRect(0, 0, 9, 9), nullptr);
        unsaved->setNotSaved(true);
        root.addControl(unsaved);
    }

    CTemporaryFolder m_folder;
};

TEST_F(CControlLayoutFiles, aSavedLayoutReadsBackIntoARootThatSavesTheSameFile)
{
    CControlBench original;
    fillRoot(original.root(), &original.window());
    ASSERT_TRUE(original.root().saveToXmlFile(path("first.xml")));
    const std::string text = read("first.xml");
    EXPECT_EQ(0u, text.find("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<controls number_of_controls=\"1\">"));
    EXPECT_NE(std::string::npos, text.find("<control type=\"CControlPanel\" number_of_descriptors=\"12\">"));

    CControlBench copy;
    ASSERT_TRUE(copy.root().loadFromXmlFile(path("first.xml")));
    ASSERT_TRUE(copy.root().saveToXmlFile(path("second.xml")));
    EXPECT_EQ(text, read("second.xml"));
    EXPECT_EQ("15,25,50,40", rectText(copy.root().findControlByName(CString("inner"))->getAbsoluteArea()));

    // A count is bounded by the elements really there: a negative one reads none, a huge one what is present.
    for (const char* count : {"-1", "99999"})
    {
        write("counted.xml", std::regex_replace(text, std::regex("number_of_controls=\"1\""),
                                                std::string("number_of_controls=\"") + count + "\""));
        ASSERT_TRUE(copy.root().loadFromXmlFile(path("counted.xml")));
        EXPECT_EQ(std::string(count) == "-1" ? 0 : 1, copy.root().getInsertIndex()) << count;
    }
}

TEST_F(CControlLayoutFiles, hostileLayoutsReadWithoutACrashAndAFailedReadLeavesTheRootAsItWas)
{
    CControlBench source;
    fillRoot(source.root(), &source.window());
    ASSERT_TRUE(source.root().saveToXmlFile(path("valid.xml")));
    const std::string valid = read("valid.xml");
    std::vector<std::string> lines;
    std::istringstream stream(valid);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line + "\n");

    std::vector<std::string> mutations;
    for (size_t skipped = 0; skipped < lines.size(); ++skipped)
    {
        std::string dropped, repeated;
        for (size_t index = 0; index < lines.size(); ++index)
        {
            dropped += index == skipped ? "" : lines[index];
            repeated += lines[index] + (index == skipped ? lines[index] : "");
        }
        mutations.push_back(dropped);
        mutations.push_back(repeated);
    }
    const char* hostileValues[] = {"-1", "2147483648", "99999999999999999999", "nan", "1e400", "", "CMenu", "1,2"};
    const std::regex value("=\"[^\"]*\"");
    for (auto match = std::sregex_iterator(valid.begin(), valid.end(), value); match != std::sregex_iterator();
         ++match)
    {
        for (const char* hostile : hostileValues)
            mutations.push_back(valid.substr(0, static_cast<size_t>(match->position())) + "=\"" + hostile + "\"" +
                                valid.substr(static_cast<size_t>(match->position() + match->length())));
    }
    for (size_t cut = 0; cut < valid.size(); cut += 97)
        mutations.push_back(valid.substr(0, cut));
    mutations.push_back(std::regex_replace(valid, std::regex("<controls"), "<Controls"));

    const CCountChange controls(CControl::classRecord());
    long failures = 0;
    {
        CControlBench target;
        auto* kept = new CProbeControl(&target.root(), "kept", CRect(0, 0, 5, 5), nullptr);
        target.root().addControl(kept);
        for (const std::string& mutation : mutations)
        {
            write("hostile.xml", mutation);
            if (target.root().loadFromXmlFile(path("hostile.xml")))
            {
                target.root().clearControls();
                kept = new CProbeControl(&target.root(), "kept", CRect(0, 0, 5, 5), nullptr);
                target.root().addControl(kept);
                continue;
            }
            ++failures;
            ASSERT_EQ(kept, target.root().getControl(0, true)) << mutation;
            ASSERT_EQ(1, target.root().getInsertIndex()) << mutation;
        }
    }
    EXPECT_EQ(0, controls.live());
    // The mutations must really have exercised the failure path.
    EXPECT_GT(failures, static_cast<long>(mutations.size() / 10));
}

TEST_F(CControlLayoutFiles, panelsNestedBeyondTheLimitAreRefused)
{
    for (long depth : {CControlPanel::kMaximumNesting, CControlPanel::kMaximumNesting + 1})
    {
        CControlBench source;
        IControlRoot* parent = &source.root();
        for (long level = 0; level < depth; ++level)
        {
            auto* panel = new CControlPanel(&source.window(), parent, level, CRect(1, 1, 100, 100), nullptr);
            parent->addControl(panel);
            parent = panel;
        }
        ASSERT_TRUE(source.root().saveToXmlFile(path("deep.xml")));
        CControlBench target;
        EXPECT_EQ(depth <= CControlPanel::kMaximumNesting, target.root().loadFromXmlFile(path("deep.xml"))) << depth;
    }
}
} // namespace
