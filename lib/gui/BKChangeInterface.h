// The change flag of a form's input controls: a pointer to a bool owned by the form (usually
// one flag shared by every control of a dialog), where a control stores true when the user
// edits it. The flag is borrowed, never owned; without one a control simply tracks nothing.
#pragma once

#include "lib/core/BKLib.h"

namespace Brenik {

class BKChangeInterface : public BKLib {
public:
    explicit BKChangeInterface(bool* change = nullptr) : BKLib(nullptr), change(change) {}

    // Answers with the record of the concrete control (see ChangeClassInfo).
    BKClassInfo GetClassInfo() const final { return ChangeClassInfo(); }

    void SetChange(bool* change) { this->change = change; }
    bool* GetChange() const { return change; }
    // Stores the value through the flag; false when no flag is set.
    bool SetChanged(bool value);

protected:
    // The controls also derive from the toolkit's root class, whose GetClassInfo() has another
    // result type, so no control can override the library's one: they answer here instead.
    virtual BKClassInfo ChangeClassInfo() const;

private:
    bool* change;
};

}  // namespace Brenik
