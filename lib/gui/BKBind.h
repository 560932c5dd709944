// Connects the fields of one record with the controls of a form: each binding names a field
// by its key and a plain toolkit control (or one derived from it). Push shows the fields in
// the controls, Pull stores the controls' values in the fields. The binding owns its binding
// records; the record and the controls are borrowed.
#pragma once

#include <memory>
#include <tuple>
#include <vector>

#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/datectrl.h>
#include <wx/listbox.h>
#include <wx/spinctrl.h>
#include <wx/string.h>
#include <wx/textctrl.h>

#include "lib/core/BKLib.h"
#include "lib/core/BKType.h"

namespace Brenik {

class BKEntity;

class BKBind : public BKLib {
public:
    // What a combo box or list box exchanges with its field. A list box has no value of its
    // own, so kValue transfers nothing there; any other kind transfers nothing at all.
    static constexpr unsigned int kValue = 0;   // the combo box's text
    static constexpr unsigned int kIndex = 1;   // the selected index
    static constexpr unsigned int kString = 2;  // the selected item's text

    // One binding: the field's key and the kind of transfer.
    class BKBindType : public BKType {
    public:
        BKBindType(const wxString& key, unsigned int kind) : key(key), kind(kind) {}
        BKClassInfo GetClassInfo() const override;
        const wxString& GetKey() const { return key; }
        unsigned int GetKind() const { return kind; }

    private:
        wxString key;
        unsigned int kind;
    };

    // A binding to a control of one toolkit class.
    template <typename Control>
    class BKBindControlType : public BKBindType {
    public:
        BKBindControlType(const wxString& key, Control* control, unsigned int kind = 0)
            : BKBindType(key, kind), control(control)
        {
        }
        Control* GetValue() const { return control; }

    private:
        Control* control;
    };

    class BKBindTextCtrlType : public BKBindControlType<wxTextCtrl> {
    public:
        using BKBindControlType::BKBindControlType;
        BKClassInfo GetClassInfo() const override;
    };
    class BKBindComboBoxType : public BKBindControlType<wxComboBox> {
    public:
        using BKBindControlType::BKBindControlType;
        BKClassInfo GetClassInfo() const override;
    };
    class BKBindListBoxType : public BKBindControlType<wxListBox> {
    public:
        using BKBindControlType::BKBindControlType;
        BKClassInfo GetClassInfo() const override;
    };
    class BKBindSpinCtrlType : public BKBindControlType<wxSpinCtrl> {
    public:
        using BKBindControlType::BKBindControlType;
        BKClassInfo GetClassInfo() const override;
    };
    class BKBindCheckBoxType : public BKBindControlType<wxCheckBox> {
    public:
        using BKBindControlType::BKBindControlType;
        BKClassInfo GetClassInfo() const override;
    };
    class BKBindDatePickerCtrlType : public BKBindControlType<wxDatePickerCtrl> {
    public:
        using BKBindControlType::BKBindControlType;
        BKClassInfo GetClassInfo() const override;
    };

    explicit BKBind(BKEntity* entity);
    ~BKBind() override;
    BKBind(const BKBind&) = delete;
    BKBind& operator=(const BKBind&) = delete;

    BKClassInfo GetClassInfo() const override;
    BKEntity* GetEntity() const { return entity; }

    // Each replaces any binding the key had, so a key is bound to one control at most.
    void Bind(const wxString& key, wxTextCtrl* control);
    void Bind(const wxString& key, wxComboBox* control, unsigned int kind);
    void Bind(const wxString& key, wxListBox* control, unsigned int kind);
    void Bind(const wxString& key, wxSpinCtrl* control);
    void Bind(const wxString& key, wxCheckBox* control);
    void Bind(const wxString& key, wxDatePickerCtrl* control);

    // The control bound to the key, null when none; with remove the binding goes.
    wxWindow* Get(const wxString& key, bool remove);

    // Shows every bound field in its control. A value the control cannot take (an index out
    // of its range, no date in a picker that needs one) leaves the control as it was.
    void Push();
    // Stores every bound control's value in its field.
    void Pull();
    void EnableAll(bool enable);

    // The number of bindings, all kinds together.
    unsigned int GetCount() const;

private:
    template <typename Record>
    using Records = std::vector<std::unique_ptr<Record>>;

    // Calls the function on each list of records, in the order text controls, combo boxes,
    // list boxes, spin controls, check boxes, date pickers.
    template <typename Function>
    void ForEachList(Function function)
    {
        std::apply([&function](auto&... lists) { (function(lists), ...); }, records);
    }
    template <typename Record, typename Control>
    void Append(const wxString& key, Control* control, unsigned int kind);

    BKEntity* entity;
    std::tuple<Records<BKBindTextCtrlType>, Records<BKBindComboBoxType>, Records<BKBindListBoxType>,
               Records<BKBindSpinCtrlType>, Records<BKBindCheckBoxType>,
               Records<BKBindDatePickerCtrlType>>
        records;
};

}  // namespace Brenik
