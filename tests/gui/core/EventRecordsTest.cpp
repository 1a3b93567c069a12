// What every event record and the cursor share as counted objects: their class records, instance counts and the
// counted object's text form.
#include "gui/core/CActionEvent.hpp"
#include "gui/core/CCursor.hpp"
#include "gui/core/CDropEvent.hpp"
#include "gui/core/CKeyboardEvent.hpp"
#include "gui/core/CMouseEvent.hpp"
#include "gui/core/CScrollEvent.hpp"
#include "tests/foundation/basics/CCountChange.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CClass;
using Brivant::Basics::CCountedObject;
using Brivant::Basics::ICountedObject;
using namespace Brivant::GUI::Events;
using Brivant::GUI::Controls::IControl;
using Brivant::GUI::Windowing::CCursor;
using Brivant::MathTools::CPoint;
using Brivant::MathTools::CRect;
using VolturaTests::CCountChange;

alignas(16) unsigned char s_control[16];

std::string description(const ICountedObject& object)
{
    std::string buffer(96, 'x');
    object.getObjectDescription(&buffer[0], static_cast<long>(buffer.size()));
    return std::string(buffer.c_str());
}

struct SRecord
{
    const char* name;
    CClass& (*record)();
    std::unique_ptr<CCountedObject> (*make)();
};

const std::vector<SRecord>& records()
{
    static const std::vector<SRecord> all = {
        {"CMouseEvent", &CMouseEvent::classRecord,
         [] { return std::unique_ptr<CCountedObject>(new CMouseEvent(nullptr, CMouseEvent::kMouseMove, 0.0)); }},
        {"CKeyboardEvent", &CKeyboardEvent::classRecord,
         [] { return std::unique_ptr<CCountedObject>(new CKeyboardEvent()); }},
        {"CActionEvent", &CActionEvent::classRecord,
         [] {
             return std::unique_ptr<CCountedObject>(new CActionEvent(reinterpret_cast<IControl*>(s_control)));
         }},
        {"CDropEvent", &CDropEvent::classRecord,
         [] { return std::unique_ptr<CCountedObject>(new CDropEvent(CPoint(0, 0))); }},
        {"CScrollEvent", &CScrollEvent::classRecord,
         [] { return std::unique_ptr<CCountedObject>(new CScrollEvent(0, CRect(0, 0, 0, 0))); }},
        {"CCursor", &CCursor::classRecord,
         [] { return std::unique_ptr<CCountedObject>(new CCursor(CCursor::kArrow)); }},
    };
    return all;
}

TEST(EventRecordClasses, eachHasItsOwnRecordUnderTheCountedObject)
{
    for (const SRecord& entry : records())
    {
        SCOPED_TRACE(entry.name);
        const std::unique_ptr<CCountedObject> object = entry.make();
        EXPECT_STREQ(entry.name, object->getClass().getClassName());
        EXPECT_EQ(&entry.record(), &object->getClass());
        EXPECT_STREQ("CCountedObject", entry.record().getParentName());
        EXPECT_TRUE(object->getClass().isTypeOf(CCountedObject::classRecord()));
    }
}

TEST(EventRecordClasses, eachCountsItsInstances)
{
    for (const SRecord& entry : records())
    {
        SCOPED_TRACE(entry.name);
        const CCountChange own(entry.record());
        const CCountChange roots(CCountedObject::classRecord());
        {
            const std::unique_ptr<CCountedObject> object = entry.make();
            EXPECT_EQ(1, own.live());
            EXPECT_GE(roots.live(), 1);
        }
        EXPECT_EQ(0, own.live());
        EXPECT_EQ(1, own.total());
    }
}

TEST(EventRecordTextForms, eachDescribesItselfAsACountedObjectWithItsReferences)
{
    for (const SRecord& entry : records())
    {
        SCOPED_TRACE(entry.name);
        const std::unique_ptr<CCountedObject> object = entry.make();
        EXPECT_EQ("[CCounted Object Base Reference Count = 0", description(*object));
        object->referenced();
        object->referenced();
        EXPECT_EQ("[CCounted Object Base Reference Count = 2", description(*object));
    }
}
} // namespace
