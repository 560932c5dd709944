// The toolkit side of a library control: the plain control with its constructors, answering
// the toolkit's run-time record of the library class (Derived::ms_classInfo, registered as
// "Brenik::<class>" so that XRC layouts can create the control in place of the plain one).
// The toolkit's root class and the library's root class both declare a virtual GetClassInfo()
// without parameters, with different results; no class can override both, so the toolkit's
// one is answered in this base.
#pragma once

#include <wx/object.h>

namespace Brenik {

template <class Control, class Derived>
class BKToolkitClassBase : public Control {
public:
    using Control::Control;

    wxClassInfo* GetClassInfo() const override { return &Derived::ms_classInfo; }
};

}  // namespace Brenik
