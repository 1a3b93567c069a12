// One icon for a window class. Icons the object made (extracted, copied or handed over as its own) are destroyed
// with it; shared icons (module resources loaded with LoadIcon, system icons) are only pointed to.
#pragma once

#include "foundation/basics/CCountedObject.hpp"

struct HICON__;

namespace Brivant
{
namespace Basics
{
class CSystemString;
}

namespace GUI
{
namespace Windowing
{
class CWindowIcon : public ::Brivant::Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CWindowIcon, "CCountedObject");

public:
    CWindowIcon();
    // The module's icon resource of that id, shared.
    explicit CWindowIcon(long resourceId);
    // Adopts the icon: with owned it is destroyed with this object.
    explicit CWindowIcon(HICON__* icon, bool owned = true);
    // An owned icon is duplicated (CopyIcon), so each object destroys its own; a shared one stays shared.
    CWindowIcon(const CWindowIcon& other);
    CWindowIcon& operator=(const CWindowIcon& other);
    ~CWindowIcon() override;

    HICON__* getIcon() const { return m_icon; }
    bool ownsIcon() const { return m_owned; }

    // Each of these lets go of the held icon first.
    void loadIcon(long resourceId);
    // ExtractIconA on the module; a file without icons leaves no icon.
    void extractIcon(const ::Brivant::Basics::CSystemString& path, long index);
    void setIcon(HICON__* icon, bool owned = true);
    void destroyIcon();

private:
    HICON__* m_icon;
    bool m_owned;
};
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
