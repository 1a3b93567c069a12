// Base of the XML document tests: a temporary folder with the trace log open in it, and the live counts of the
// XML classes at the start, so that a test can check that everything it made has gone again.
#pragma once

#include "foundation/basics/CSystemString.hpp"
#include "foundation/host/CTrace.hpp"
#include "foundation/io/CXMLAttribute.hpp"
#include "foundation/io/CXMLDocument.hpp"
#include "foundation/io/CXMLNode.hpp"
#include "tests/foundation/basics/CCountChange.hpp"
#include "tests/support/CTemporaryFolder.hpp"

#include <gtest/gtest.h>

#include <string>

namespace VolturaTests
{
class CXMLFileTest : public ::testing::Test
{
protected:
    static constexpr const char* kHeader = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n";

    CXMLFileTest()
        : m_nodes(Brivant::IO::CXMLNode::classRecord()), m_attributes(Brivant::IO::CXMLAttribute::classRecord()),
          m_documents(Brivant::IO::CXMLDocument::classRecord())
    {
        Brivant::Host::CTrace::openTraceFile(path("trace.log"));
    }

    ~CXMLFileTest() override { Brivant::Host::CTrace::closeTraceFile(); }

    Brivant::Basics::CSystemString path(const char* name) const
    {
        return Brivant::Basics::CSystemString(m_folder.file(name).c_str());
    }
    std::string fileName(const char* name) const { return m_folder.file(name); }

    std::string traceLog() const { return CTemporaryFolder::readBytes(m_folder.file("trace.log")); }

    // Writes the bytes to a file of their own and reads it into the document.
    bool readBytes(Brivant::IO::CXMLDocument& document, const std::string& bytes, const char* name = "in.xml")
    {
        CTemporaryFolder::writeBytes(m_folder.file(name), bytes);
        return document.readDocument(path(name));
    }

    // The bytes the document leaves on disk.
    std::string writtenBytes(Brivant::IO::CXMLDocument& document)
    {
        EXPECT_TRUE(document.writeDocument(path("out.xml")));
        return CTemporaryFolder::readBytes(m_folder.file("out.xml"));
    }

    void expectEverythingReleased() const
    {
        EXPECT_EQ(0, m_nodes.live()) << "nodes left alive";
        EXPECT_EQ(0, m_attributes.live()) << "attributes left alive";
        EXPECT_EQ(0, m_documents.live()) << "documents left alive";
    }

    CTemporaryFolder m_folder;
    CCountChange m_nodes;
    CCountChange m_attributes;
    CCountChange m_documents;
};
} // namespace VolturaTests
