#include "gui/core/CDropEvent.hpp"

#include <windows.h>
#include <shellapi.h>

#include <vector>

namespace Brivant
{
namespace GUI
{
namespace Events
{
using ::Brivant::Basics::CClass;
using ::Brivant::Basics::CString;
using MathTools::CPoint;

namespace
{
constexpr UINT kCountFiles = 0xFFFFFFFF;
} // namespace

CDropEvent::CDropEvent(const CPoint& dropPoint) : m_fileList(), m_dropPoint(dropPoint) {}

CDropEvent::CDropEvent(const CDropEvent& other)
    : CCountedObject(other), m_fileList(), m_dropPoint(other.m_dropPoint)
{
    appendCopiesOf(other.m_fileList);
}

CDropEvent& CDropEvent::operator=(const CDropEvent& other)
{
    // Appending a list to itself while walking it would never end.
    if (this != &other)
    {
        m_dropPoint = other.m_dropPoint;
        appendCopiesOf(other.m_fileList);
    }
    return *this;
}

CDropEvent::~CDropEvent() = default;

void CDropEvent::setDropPoint(const CPoint& dropPoint) { m_dropPoint = dropPoint; }

void CDropEvent::addFile(const CString& fileName) { m_fileList.addElement(new CString(fileName)); }

void CDropEvent::readDrop(HDROP__* drop)
{
    if (drop == nullptr)
    {
        return;
    }
    POINT point = {0, 0};
    DragQueryPoint(drop, &point);
    m_dropPoint = CPoint(point.x, point.y);

    const UINT count = DragQueryFileA(drop, kCountFiles, nullptr, 0);
    for (UINT index = 0; index < count; ++index)
    {
        // Sized for each name, so no path is cut short.
        std::vector<char> name(static_cast<std::size_t>(DragQueryFileA(drop, index, nullptr, 0)) + 1, '\0');
        DragQueryFileA(drop, index, name.data(), static_cast<UINT>(name.size()));
        addFile(CString(name.data()));
    }
}

void CDropEvent::appendCopiesOf(const CFileList& files)
{
    // Copies, not the other's objects: an event must not share names it may outlive or that another holder
    // changes.
    for (long index = 0; index < files.getArraySize(); ++index)
    {
        const CString* fileName = files.getElementAt(index);
        if (fileName != nullptr)
        {
            addFile(*fileName);
        }
    }
}
} // namespace Events
} // namespace GUI
} // namespace Brivant
