// The control factory: a new control from the class name a control layout's "type" attribute carries, with id -1,
// no listener and a default area at the origin; the layout's properties are applied to it afterwards. It knows
// exactly the class names getControlClassNames lists, compared case-sensitively.
#pragma once

namespace Brivant
{
namespace Basics
{
class CString;
}

namespace Collections
{
template <class T>
class TAutomaticPointer;
template <class T>
class TPointerCollection;
} // namespace Collections

namespace GUI
{
namespace Controls
{
class IControl;
class IControlRoot;

// Creates a control of that class for the root that will hold it (a panel for its children) and puts it in the
// holder; true when the holder holds a control afterwards. An unknown name or a failed allocation leaves the
// holder as it was; exceptions of a control's constructor pass through.
bool createControl(const ::Brivant::Basics::CString& className, Collections::TAutomaticPointer<IControl>& control,
                   IControlRoot* root);

// Appends a new copy of every class name the factory knows, in the order it tests them (alphabetical).
void getControlClassNames(Collections::TPointerCollection<::Brivant::Basics::CString>& names);
} // namespace Controls
} // namespace GUI
} // namespace Brivant
