// CDropEvent: reading a shell drop, the drop point, and copies and assignment, which copy the file names and
// append them.
#include "gui/core/CDropEvent.hpp"

#include "tests/foundation/basics/CAllocationFailure.hpp"
#include "tests/foundation/basics/CCountChange.hpp"
#include "tests/gui/CGuiTestKit.hpp"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CString;
using Brivant::GUI::Events::CDropEvent;
using Brivant::MathTools::CPoint;
using VolturaTests::CCountChange;
using VolturaTests::positionText;

// The event's names in list order, joined by '|'.
std::string files(const CDropEvent& event)
{
    std::string joined;
    const CDropEvent::CFileList& list = event.getFileList();
    for (long index = 0; index < list.getArraySize(); ++index)
    {
        if (const CString* name = list.getElementAt(index))
        {
            joined += (joined.empty() ? "" : "|") + std::string(name->getString());
        }
    }
    return joined;
}

void addFile(CDropEvent& event, const char* name) { event.getFileList().addElement(new CString(name)); }

// What the shell hands a window with WM_DROPFILES: a DROPFILES header, then the names, each ended by a NUL, and a
// final NUL; in 8-bit or 16-bit characters.
class CSyntheticDrop
{
public:
    CSyntheticDrop(const POINT& point, const std::vector<std::string>& names, bool wide = false)
    {
        const std::size_t characterSize = wide ? sizeof(WCHAR) : sizeof(char);
        // The list ends with an empty name; Wine's shell reads one character past it, so one more keeps it inside.
        std::size_t characters = 2;
        for (const std::string& name : names)
        {
            characters += name.size() + 1;
        }
        m_memory = GlobalAlloc(GHND, sizeof(DROPFILES) + characters * characterSize);
        auto* header = static_cast<DROPFILES*>(GlobalLock(m_memory));
        header->pFiles = sizeof(DROPFILES);
        header->pt = point;
        header->fNC = FALSE;
        header->fWide = wide ? TRUE : FALSE;
        auto* cursor = reinterpret_cast<unsigned char*>(header) + sizeof(DROPFILES);
        for (const std::string& name : names)
        {
            for (const char character : name)
            {
                if (wide)
                {
                    const WCHAR wideCharacter = static_cast<unsigned char>(character);
                    std::memcpy(cursor, &wideCharacter, sizeof(wideCharacter));
                }
                else
                {
                    *cursor = static_cast<unsigned char>(character);
                }
                cursor += characterSize;
            }
            // GHND zeroed the memory: skipping a character leaves its NUL.
            cursor += characterSize;
        }
        GlobalUnlock(m_memory);
    }

    ~CSyntheticDrop() { GlobalFree(m_memory); }

    CSyntheticDrop(const CSyntheticDrop&) = delete;
    CSyntheticDrop& operator=(const CSyntheticDrop&) = delete;

    HDROP handle() const { return static_cast<HDROP>(m_memory); }

private:
    HGLOBAL m_memory;
};

TEST(CDropEventConstruction, aNewEventHasItsPointAndNoFiles)
{
    const CDropEvent event(CPoint(-3, 40));
    EXPECT_EQ("-3,40", positionText(event.getDropPoint()));
    EXPECT_EQ("", files(event));
    EXPECT_EQ(0, event.getFileList().getInsertIndex());
}

TEST(CDropEventShellDrops, aDropGivesItsPointAndEveryFullPathInOrder)
{
    const CSyntheticDrop drop({12, 34}, {"C:\\Presets\\Bass.fxp", "C:\\Presets\\Drums.fxp", "D:\\a b\\c.xml"});
    CDropEvent event(CPoint(0, 0));
    event.readDrop(drop.handle());
    EXPECT_EQ("12,34", positionText(event.getDropPoint()));
    EXPECT_EQ("C:\\Presets\\Bass.fxp|C:\\Presets\\Drums.fxp|D:\\a b\\c.xml", files(event));
}

TEST(CDropEventShellDrops, wideNamesAreReadAsWell)
{
    const CSyntheticDrop drop({1, 2}, {"C:\\one.wav", "C:\\two.wav"}, true);
    CDropEvent event(CPoint(0, 0));
    event.readDrop(drop.handle());
    EXPECT_EQ("1,2", positionText(event.getDropPoint()));
    EXPECT_EQ("C:\\one.wav|C:\\two.wav", files(event));
}

TEST(CDropEventShellDrops, aLongPathIsNotCutShort)
{
    const std::string longPath = "C:\\" + std::string(3000, 'x') + "\\end.fxp";
    const CSyntheticDrop drop({0, 0}, {longPath, "C:\\short.fxp"});
    CDropEvent event(CPoint(0, 0));
    event.readDrop(drop.handle());
    EXPECT_EQ(longPath + "|C:\\short.fxp", files(event));
}

TEST(CDropEventShellDrops, anEmptyOrMissingDropAddsNothing)
{
    const CSyntheticDrop empty({5, 6}, {});
    CDropEvent event(CPoint(1, 1));
    event.readDrop(empty.handle());
    EXPECT_EQ("5,6", positionText(event.getDropPoint()));
    EXPECT_EQ("", files(event));

    event.readDrop(nullptr);
    EXPECT_EQ("5,6", positionText(event.getDropPoint()));
    EXPECT_EQ("", files(event));
}

TEST(CDropEventAssignment, assignmentTakesThePointAndAppendsTheNames)
{
    CDropEvent source(CPoint(7, 8));
    addFile(source, "a.wav");
    addFile(source, "b.wav");

    CDropEvent target(CPoint(0, 0));
    addFile(target, "mine.wav");
    target = source;
    EXPECT_EQ("7,8", positionText(target.getDropPoint()));
    EXPECT_EQ("mine.wav|a.wav|b.wav", files(target));

    target = source;
    EXPECT_EQ("mine.wav|a.wav|b.wav|a.wav|b.wav", files(target));
    EXPECT_EQ("a.wav|b.wav", files(source));
}

TEST(CDropEventAssignment, assigningAnEventToItselfChangesNothing)
{
    CDropEvent event(CPoint(2, 3));
    addFile(event, "a.wav");
    addFile(event, "b.wav");
    CDropEvent& same = event;
    event = same;
    EXPECT_EQ("2,3", positionText(event.getDropPoint()));
    EXPECT_EQ("a.wav|b.wav", files(event));
}

TEST(CDropEventCopies, copiesOwnTheirNamesSoTheyOutliveAndIgnoreTheOriginal)
{
    auto* source = new CDropEvent(CPoint(9, 9));
    addFile(*source, "kept.wav");

    CDropEvent copy(*source);
    CDropEvent assigned(CPoint(0, 0));
    assigned = *source;
    EXPECT_NE(source->getFileList().getElementAt(0), copy.getFileList().getElementAt(0));
    EXPECT_NE(source->getFileList().getElementAt(0), assigned.getFileList().getElementAt(0));

    source->getFileList().getElementAt(0)->setString("changed.wav");
    delete source;
    EXPECT_EQ("9,9", positionText(copy.getDropPoint()));
    EXPECT_EQ("kept.wav", files(copy));
    EXPECT_EQ("kept.wav", files(assigned));
}

TEST(CDropEventCopies, everyNameIsReleasedWithItsEvent)
{
    const CCountChange names(CString::classRecord());
    const CCountChange events(CDropEvent::classRecord());
    {
        const CSyntheticDrop drop({0, 0}, {"a", "b", "c"});
        CDropEvent event(CPoint(0, 0));
        event.readDrop(drop.handle());
        const CDropEvent copy(event);
        CDropEvent assigned(CPoint(0, 0));
        assigned = copy;
        EXPECT_EQ(9, names.live());
        EXPECT_EQ(3, events.live());
    }
    EXPECT_EQ(0, names.live());
    EXPECT_EQ(0, events.live());
}

// Whichever allocation fails while a drop is read, copied or assigned, no name is left behind.
TEST(CDropEventCopies, aDropShortOfMemoryLeavesNoNameBehind)
{
    const CSyntheticDrop drop({0, 0}, {"C:\\Presets\\Bass.fxp"});
    const CCountChange names(CString::classRecord());
    const auto life = [&] {
        CDropEvent event(CPoint(0, 0));
        event.readDrop(drop.handle());
        const CDropEvent copy(event);
        CDropEvent assigned(CPoint(0, 0));
        assigned = copy;
    };
    const auto check = [&](long allocation) { EXPECT_EQ(0, names.live()) << "allocation " << allocation; };
    EXPECT_NE(0, Brivant::Testing::CAllocationFailure::sweep(life, check));
}
} // namespace
