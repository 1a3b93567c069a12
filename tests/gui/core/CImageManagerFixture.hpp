// Base of the image manager tests: an open registry whose folder is a fresh temporary folder, the trace log open
// in it, and picture files written into it. The registry is released again after each test.
#pragma once

#include "foundation/basics/CString.hpp"
#include "foundation/basics/CSystemString.hpp"
#include "foundation/host/CTrace.hpp"
#include "gui/core/CImageManager.hpp"
#include "tests/gui/core/CImageFiles.hpp"
#include "tests/support/CTemporaryFolder.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace VolturaTests
{
class CImageManagerFixture : public ::testing::Test
{
protected:
    CImageManagerFixture()
    {
        Brivant::GUI::Graphics::CImageManager::releaseImageManager();
        Brivant::GUI::Graphics::CImageManager::initialise();
        Brivant::GUI::Graphics::CImageManager::setPath(folder());
        Brivant::Host::CTrace::openTraceFile(Brivant::Basics::CSystemString(m_traceFolder.file("trace.log").c_str()));
    }

    ~CImageManagerFixture() override
    {
        Brivant::GUI::Graphics::CImageManager::releaseImageManager();
        Brivant::Host::CTrace::closeTraceFile();
    }

    Brivant::Basics::CSystemString folder() const { return Brivant::Basics::CSystemString(m_folder.path().c_str()); }
    std::string file(const std::string& relative) const { return m_folder.file(relative); }

    // Creates the folders on the way (relative, '\' separated) to a file.
    void makeFolders(const std::string& relative) const
    {
        std::string path = m_folder.path();
        size_t start = 0;
        for (size_t separator = relative.find('\\'); separator != std::string::npos;
             separator = relative.find('\\', start))
        {
            path += "\\" + relative.substr(start, separator - start);
            CreateDirectoryA(path.c_str(), nullptr);
            start = separator + 1;
        }
    }

    // An opaque Targa picture of the size: quick to write and to read.
    void writeTarga(const std::string& relative, unsigned short width, unsigned short height) const
    {
        makeFolders(relative);
        CTemporaryFolder::writeBytes(
            file(relative), targaFile(width, height, std::vector<SPixel>(size_t(width) * height, {9, 8, 7, 255})));
    }

    void writeText(const std::string& relative, const std::string& text) const
    {
        makeFolders(relative);
        CTemporaryFolder::writeBytes(file(relative), text);
    }

    std::string traceLog() const { return CTemporaryFolder::readBytes(m_traceFolder.file("trace.log")); }

    CTemporaryFolder m_folder;
    CTemporaryFolder m_traceFolder;
};

// The names an array holds, in order.
inline std::vector<std::string> namesOf(
    const Brivant::Collections::TCountedPointerArray<Brivant::Basics::CString>& names)
{
    std::vector<std::string> out;
    for (long index = 0; index < names.getInsertIndex(); ++index)
        if (const Brivant::Basics::CString* name = names.getElementAt(index))
            out.emplace_back(name->getString());
    return out;
}
} // namespace VolturaTests
