#include "print/GtkPrintSystem.h"

#include <cairo.h>
#include <gtk/gtk.h>

#include <wx/gtk/print.h>
#include <wx/version.h>

// What follows relies on the toolkit's GTK 3 printer as 3.2 builds it: the printer DC that
// keeps its print data protected, the native data that holds the GTK print operation, and
// a DC that draws with cairo. Another version must be checked against these before use.
#if !defined(__WXGTK3__)
#error "The desktop print system's glue is written for the toolkit's GTK 3 port."
#endif
#if !wxCHECK_VERSION(3, 2, 0) || wxCHECK_VERSION(3, 3, 0)
#error "The desktop print system's glue was checked against wxWidgets 3.2 only."
#endif

namespace {

const double kPointsPerInch = 72;

// Reaches the print data the desktop's printer device keeps to itself: it holds the job.
struct PrinterDeviceData : wxGtkPrinterDCImpl {
    using wxGtkPrinterDCImpl::GetPrintData;
};

gboolean SetPageCount(GtkPrintOperation* operation, GtkPrintContext*, gpointer pages)
{
    gtk_print_operation_set_n_pages(operation, GPOINTER_TO_INT(pages));
    return TRUE;
}

gboolean NameJob(GSignalInvocationHint*, guint count, const GValue* values, gpointer title)
{
    gpointer operation = count > 0 ? g_value_get_object(&values[0]) : nullptr;
    if (operation && GTK_IS_PRINT_OPERATION(operation))
        gtk_print_operation_set_job_name(GTK_PRINT_OPERATION(operation),
                                         static_cast<const std::string*>(title)->c_str());
    return TRUE;
}

cairo_t* CairoOf(wxDC& dc)
{
    return dc.GetImpl() ? static_cast<cairo_t*>(dc.GetImpl()->GetCairoContext()) : nullptr;
}

}  // namespace

GtkPrintSystem::JobName::JobName(const wxString& title) : title(title.utf8_string())
{
    if (this->title.empty())
        return;
    // The toolkit makes the print operation and runs it at once: its job is named when the
    // print dialog has been answered, and the operation is first seen when that dialog is
    // built, which asks it for a widget of the program's own.
    gpointer operations = g_type_class_ref(GTK_TYPE_PRINT_OPERATION);
    signal = g_signal_lookup("create-custom-widget", GTK_TYPE_PRINT_OPERATION);
    if (signal)
        hook = g_signal_add_emission_hook(signal, 0, NameJob, &this->title, nullptr);
    g_type_class_unref(operations);
}

GtkPrintSystem::JobName::~JobName()
{
    if (hook)
        g_signal_remove_emission_hook(signal, hook);
}

void GtkPrintSystem::UseUnfittedMetrics(wxDC& dc)
{
    cairo_t* cairo = CairoOf(dc);
    if (!cairo)
        return;
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_get_font_options(cairo, options);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cairo, options);
    cairo_font_options_destroy(options);
}

wxPoint GtkPrintSystem::DeviceOffset(wxDC& dc, const wxSize& printerPpi)
{
    cairo_t* cairo = CairoOf(dc);
    if (!cairo)
        return wxPoint();
    double x = 0;
    double y = 0;
    cairo_user_to_device(cairo, &x, &y);
    return wxPoint(wxRound(x * printerPpi.x / kPointsPerInch),
                   wxRound(y * printerPpi.y / kPointsPerInch));
}

void GtkPrintSystem::CountEveryPage(wxDC* dc, int pages)
{
    auto* printer = dc ? dynamic_cast<wxGtkPrinterDCImpl*>(dc->GetImpl()) : nullptr;
    wxPrintData& (wxGtkPrinterDCImpl::*printData)() = &PrinterDeviceData::GetPrintData;
    auto* native =
        printer ? dynamic_cast<wxGtkPrintNativeData*>((printer->*printData)().GetNativeData())
                : nullptr;
    if (!native || !native->GetPrintJob())
        return;
    g_signal_connect(native->GetPrintJob(), "paginate", G_CALLBACK(SetPageCount),
                     GINT_TO_POINTER(pages));
}
