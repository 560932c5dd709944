#include "ui/LabelDialog.h"

#include <algorithm>
#include <iterator>

#include <wx/arrstr.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/xrc/xmlres.h>

#include "app/ErrorBox.h"
#include "app/LayoutControl.h"
#include "app/XmlWindowLoader.h"
#include "lib/core/BKConfiguration.h"

// The event table macros are no code the formatter can lay out.
// clang-format off
wxBEGIN_EVENT_TABLE(LabelDialog, XmlDialog)
    EVT_CHOICE(XRCID("formatChoice"), LabelDialog::FormatEvent)
    EVT_SPINCTRL(XRCID("columnsSpinCtrl"), LabelDialog::CountChangedEvent)
    EVT_SPINCTRL(XRCID("rowsSpinCtrl"), LabelDialog::CountChangedEvent)
    EVT_SPINCTRLDOUBLE(wxID_ANY, LabelDialog::SizeChangedEvent)
    EVT_BUTTON(XRCID("previewButton"), LabelDialog::PreviewEvent)
    EVT_BUTTON(XRCID("cancelButton"), LabelDialog::CancelEvent)
wxEND_EVENT_TABLE()

const std::vector<LayoutControl<LabelDialog>>& LabelDialog::LayoutControls()
{
    static const std::vector<LayoutControl<LabelDialog>> controls = {
        {"mainPanel", &LabelDialog::mainPanel},
        {"formatChoice", &LabelDialog::formatChoice},
        {"columnsSpinCtrl", &LabelDialog::columnsSpinCtrl},
        {"rowsSpinCtrl", &LabelDialog::rowsSpinCtrl},
        {"widthSpinCtrl", &LabelDialog::widthSpinCtrl},
        {"heightSpinCtrl", &LabelDialog::heightSpinCtrl},
        {"leftSpinCtrl", &LabelDialog::leftSpinCtrl},
        {"topSpinCtrl", &LabelDialog::topSpinCtrl},
        {"horizontalGapSpinCtrl", &LabelDialog::horizontalGapSpinCtrl},
        {"verticalGapSpinCtrl", &LabelDialog::verticalGapSpinCtrl},
        {"startSpinCtrl", &LabelDialog::startSpinCtrl},
        {"attentionCheckBox", &LabelDialog::attentionCheckBox},
        {"cancelButton", wxCLASSINFO(wxButton)},
        {"previewButton", wxCLASSINFO(wxButton)},
    };
    return controls;
}
// clang-format on

const std::vector<std::pair<const char*, wxClassInfo*>>& LabelDialog::GetLayoutControls()
{
    static const auto controls = LayoutControl<LabelDialog>::Contract(LayoutControls());
    return controls;
}

LabelFormat LabelDialog::Choice::Format() const
{
    const std::vector<LabelFormat>& offered = LabelFormat::Offered();
    if (format < 0 || format + 1 >= static_cast<int>(offered.size()))
        return own;
    return offered[format];
}

namespace {

const char* const kFormatKey = "LabelFormat";
const char* const kOwnFormatKey = "LabelOwnFormat";
const char* const kStartKey = "LabelStart";
const char* const kAttentionKey = "LabelAttention";

// The own format's counts and sizes in the file's order, in millimetres with a point.
wxString OwnSizes(const LabelFormat& format)
{
    wxString sizes = wxString::Format("%d %d", format.columns, format.rows);
    for (double size : {format.width, format.height, format.left, format.top, format.horizontalGap,
                        format.verticalGap})
        sizes << ' ' << wxString::FromCDouble(size);
    return sizes;
}

bool ReadOwnSizes(const wxString& text, LabelFormat* format)
{
    const wxArrayString fields = wxSplit(text, ' ', 0);
    long columns = 0;
    long rows = 0;
    if (fields.size() != 8 || !fields[0].ToLong(&columns) || !fields[1].ToLong(&rows))
        return false;
    LabelFormat read = *format;
    // Beyond the counts any sheet may have, a long does not fit an int.
    read.columns = static_cast<int>(std::clamp(columns, -1L, 1L + LabelFormat::kMaxPerSide));
    read.rows = static_cast<int>(std::clamp(rows, -1L, 1L + LabelFormat::kMaxPerSide));
    double* sizes[] = {&read.width, &read.height,        &read.left,
                       &read.top,   &read.horizontalGap, &read.verticalGap};
    for (size_t index = 0; index < std::size(sizes); ++index)
        if (!fields[index + 2].ToCDouble(sizes[index]))
            return false;
    if (!read.IsValid())
        return false;
    *format = read;
    return true;
}

}  // namespace

void LabelDialog::Choice::Store(Brenik::BKConfiguration& configuration) const
{
    configuration.Set(kFormatKey, wxString::Format("%d", format));
    configuration.Set(kOwnFormatKey, OwnSizes(own));
    configuration.Set(kStartKey, wxString::Format("%d", start));
    configuration.Set(kAttentionKey, attention ? "true" : "false");
}

void LabelDialog::Choice::Restore(const Brenik::BKConfiguration& configuration)
{
    long index = 0;
    if (configuration.Get(kFormatKey, "").ToString().ToLong(&index) && index >= 0 &&
        index < static_cast<long>(LabelFormat::Offered().size()))
        format = static_cast<int>(index);
    ReadOwnSizes(configuration.Get(kOwnFormatKey, "").ToString(), &own);
    long first = 0;
    if (configuration.Get(kStartKey, "").ToString().ToLong(&first))
        start = first >= 1 && first <= Format().Count() ? static_cast<int>(first) : 1;
    const wxString named = configuration.Get(kAttentionKey, "").ToString();
    if (named == "true" || named == "false")
        attention = named == "true";
}

LabelDialog::Choice& LabelDialog::LastChoice()
{
    static Choice last;
    return last;
}

LabelDialog::LabelDialog(wxWindow* parent, int id, RuntimeInformationType* rit)
    : XmlDialog(parent, id, rit, "LabelDialog")
{
    if (!GetHandle())
        return;  // the layout could not be loaded; the toolkit has said so
    LayoutControl<LabelDialog>::FindAll(*this, LayoutControls());
    if (formatChoice)
        for (const LabelFormat& format : LabelFormat::Offered())
            formatChoice->Append(wxGetTranslation(format.name));
    SetEscapeId(XRCID("cancelButton"));
    ShowChoice(LastChoice());
    if (mainPanel && mainPanel->GetSizer()) {
        mainPanel->GetSizer()->SetSizeHints(mainPanel);
        SetClientSize(mainPanel->GetBestSize());
    }
    CentreOnParent();
    if (formatChoice)
        formatChoice->SetFocus();
}

void LabelDialog::ShowChoice(const Choice& choice)
{
    own = choice.own;
    ShowSizes(choice.Format());
    if (formatChoice)
        formatChoice->SetSelection(choice.format);
    if (attentionCheckBox)
        attentionCheckBox->SetValue(choice.attention);
    UpdateControls();
    if (startSpinCtrl)
        startSpinCtrl->SetValue(std::min(choice.start, startSpinCtrl->GetMax()));
}

LabelDialog::Choice LabelDialog::GetChoice() const
{
    Choice choice;
    choice.format = formatChoice ? std::max(formatChoice->GetSelection(), 0) : 0;
    const bool isOwn = choice.format + 1 == static_cast<int>(LabelFormat::Offered().size());
    choice.own = isOwn ? ShownSizes() : own;
    choice.start = startSpinCtrl ? startSpinCtrl->GetValue() : 1;
    choice.attention = attentionCheckBox && attentionCheckBox->IsChecked();
    return choice;
}

void LabelDialog::UpdateControls()
{
    const int format = formatChoice ? std::max(formatChoice->GetSelection(), 0) : 0;
    const bool isOwn = format + 1 == static_cast<int>(LabelFormat::Offered().size());
    if (!isOwn) {
        ShowSizes(LabelFormat::Offered()[format]);
    } else if (columnsSpinCtrl && !columnsSpinCtrl->IsEnabled()) {
        ShowSizes(own);
    }
    for (wxWindow* size : std::initializer_list<wxWindow*>{
             columnsSpinCtrl, rowsSpinCtrl, widthSpinCtrl, heightSpinCtrl, leftSpinCtrl,
             topSpinCtrl, horizontalGapSpinCtrl, verticalGapSpinCtrl})
        if (size)
            size->Enable(isOwn);
    if (isOwn)
        own = ShownSizes();
    if (startSpinCtrl)
        startSpinCtrl->SetRange(1, std::max(1, ShownSizes().Count()));
}

void LabelDialog::ShowSizes(const LabelFormat& format)
{
    if (columnsSpinCtrl)
        columnsSpinCtrl->SetValue(format.columns);
    if (rowsSpinCtrl)
        rowsSpinCtrl->SetValue(format.rows);
    const std::pair<wxSpinCtrlDouble*, double> sizes[] = {
        {widthSpinCtrl, format.width},
        {heightSpinCtrl, format.height},
        {leftSpinCtrl, format.left},
        {topSpinCtrl, format.top},
        {horizontalGapSpinCtrl, format.horizontalGap},
        {verticalGapSpinCtrl, format.verticalGap},
    };
    for (const auto& [control, value] : sizes)
        if (control)
            control->SetValue(value);
}

LabelFormat LabelDialog::ShownSizes() const
{
    LabelFormat format = own;
    format.columns = columnsSpinCtrl ? columnsSpinCtrl->GetValue() : format.columns;
    format.rows = rowsSpinCtrl ? rowsSpinCtrl->GetValue() : format.rows;
    const std::pair<const wxSpinCtrlDouble*, double*> sizes[] = {
        {widthSpinCtrl, &format.width},
        {heightSpinCtrl, &format.height},
        {leftSpinCtrl, &format.left},
        {topSpinCtrl, &format.top},
        {horizontalGapSpinCtrl, &format.horizontalGap},
        {verticalGapSpinCtrl, &format.verticalGap},
    };
    for (const auto& [control, value] : sizes)
        if (control)
            *value = control->GetValue();
    return format;
}

bool LabelDialog::Accept()
{
    const Choice choice = GetChoice();
    if (!choice.Format().IsValid()) {
        ShowError(_("Labels"), _("These labels do not fit on an A4 sheet."));
        return false;
    }
    LastChoice() = choice;
    return true;
}

void LabelDialog::Preview()
{
    if (Accept())
        EndModal(wxID_OK);
}

void LabelDialog::Cancel()
{
    EndModal(wxID_CANCEL);
}

void LabelDialog::ShowError(const wxString& title, const wxString& message)
{
    ShowErrorBox(this, title, message);
}

void LabelDialog::FormatEvent(wxCommandEvent&)
{
    UpdateControls();
}

void LabelDialog::SizeChangedEvent(wxSpinDoubleEvent&)
{
    UpdateControls();
}

void LabelDialog::CountChangedEvent(wxSpinEvent&)
{
    UpdateControls();
}

void LabelDialog::PreviewEvent(wxCommandEvent&)
{
    Preview();
}

void LabelDialog::CancelEvent(wxCommandEvent&)
{
    Cancel();
}
