// Files dropped on a window: their full paths in the shell's order, and where they were dropped.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/basics/CString.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "foundation/mathtools/CPoint.hpp"

struct HDROP__;

namespace Brivant
{
namespace GUI
{
namespace Events
{
class CDropEvent : public ::Brivant::Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CDropEvent, "CCountedObject");

public:
    using CFileList = Collections::TCountedPointerArray<::Brivant::Basics::CString>;

    // An empty file list.
    explicit CDropEvent(const MathTools::CPoint& dropPoint);
    // The copy has its own copies of the names.
    CDropEvent(const CDropEvent& other);
    // Takes the other's point and appends copies of its names to this list, which is not cleared first:
    // assigning the same event twice lists its files twice. Assigning an event to itself changes nothing.
    CDropEvent& operator=(const CDropEvent& other);
    ~CDropEvent() override;

    // Client coordinates of the window, or local to the control the drop is meant for.
    const MathTools::CPoint& getDropPoint() const { return m_dropPoint; }
    void setDropPoint(const MathTools::CPoint& dropPoint);

    CFileList& getFileList() { return m_fileList; }
    const CFileList& getFileList() const { return m_fileList; }

    // Takes the point and appends every file name of a shell drop (WM_DROPFILES); a null drop does nothing.
    // The drop stays the caller's to finish.
    void readDrop(HDROP__* drop);

private:
    void addFile(const ::Brivant::Basics::CString& fileName);
    void appendCopiesOf(const CFileList& files);

    CFileList m_fileList;
    MathTools::CPoint m_dropPoint;
};
} // namespace Events
} // namespace GUI
} // namespace Brivant
