// CHtmlString: prefix tests, prefixing, and what reaches the shell when the text is opened.
#include "foundation/basics/CHtmlString.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CHtmlString;
using Brivant::Basics::CString;
using Brivant::Basics::CSystemString;

// Records what would have gone to the shell instead of opening a browser.
class CRecordingHtmlString : public CHtmlString
{
public:
    explicit CRecordingHtmlString(const char* text) : CHtmlString(text) {}

    std::vector<std::string> opened;

protected:
    intptr_t openWithShell(const char* text) override
    {
        opened.push_back(text);
        return 42;
    }
};

std::string openedText(const char* text)
{
    CRecordingHtmlString address(text);
    EXPECT_EQ(42, address.openInBrowser()) << "the shell's answer is returned";
    return address.opened.size() == 1 ? address.opened[0] : "<opened " + std::to_string(address.opened.size()) + ">";
}

TEST(CHtmlStringTest, prefixTestsLookAtTheFirstSevenCharacters)
{
    EXPECT_TRUE(CHtmlString("http://x").hasHttpPrefix());
    EXPECT_FALSE(CHtmlString("http://x").hasFilePrefix());
    EXPECT_TRUE(CHtmlString("file://C:/doc.html").hasFilePrefix());
    EXPECT_FALSE(CHtmlString("https://x").hasHttpPrefix());
    EXPECT_FALSE(CHtmlString("HTTP://x").hasHttpPrefix());
    EXPECT_FALSE(CHtmlString("http:").hasHttpPrefix());
}

TEST(CHtmlStringTest, addPrefixPutsTheSchemeInFront)
{
    CHtmlString web("www.example.com");
    web.addPrefix(true);
    EXPECT_STREQ("http://www.example.com", web.getString());
    CHtmlString document("C:\\docs\\help.html");
    document.addPrefix(false);
    EXPECT_STREQ("file://C:\\docs\\help.html", document.getString());
}

TEST(CHtmlStringTest, aTextWithoutASchemeOpensAsAWebAddress)
{
    EXPECT_EQ("http://www.example.com", openedText("www.example.com"));
    EXPECT_EQ("http://C:\\docs\\help.html", openedText("C:\\docs\\help.html"));
}

TEST(CHtmlStringTest, aTextWithAnySchemeOpensUnchanged)
{
    EXPECT_EQ("http://www.example.com", openedText("http://www.example.com"));
    EXPECT_EQ("file://C:/docs/help.html", openedText("file://C:/docs/help.html"));
    EXPECT_EQ("https://www.example.com", openedText("https://www.example.com"));
    EXPECT_EQ("ftp://files.example.com", openedText("ftp://files.example.com"));
    EXPECT_EQ("http://ftp:/files", openedText("ftp:/files")) << "a scheme needs its \"://\"";
}

TEST(CHtmlStringTest, openingKeepsThePrefixedText)
{
    CRecordingHtmlString address("www.example.com");
    address.openInBrowser();
    address.openInBrowser();
    EXPECT_STREQ("http://www.example.com", address.getString());
    ASSERT_EQ(2u, address.opened.size());
    EXPECT_EQ("http://www.example.com", address.opened[1]) << "prefixed once only";
}

TEST(CHtmlStringTest, buildsFromEveryTextKindAndCountsInItsOwnRecord)
{
    EXPECT_STREQ("a", CHtmlString(CSystemString("a")).getString());
    EXPECT_STREQ("b", CHtmlString(CString("b")).getString());
    EXPECT_STREQ(" ", CHtmlString(static_cast<const char*>(nullptr)).getString());
    const CHtmlString address("x");
    EXPECT_STREQ("CHtmlString", address.getClass().getClassName());
    EXPECT_STREQ("CCountedObject", CHtmlString::classRecord().getParentName());
}
} // namespace
