#include "print/PrintJobName.h"

#include <gtk/gtk.h>

PrintJobName::PrintJobName(const wxString& title) : title(title.utf8_string())
{
    if (this->title.empty())
        return;
    // The toolkit makes the print operation and runs it at once: its job is named when the
    // print dialog has been answered, and the operation is first seen when that dialog is
    // built, which asks it for a widget of the program's own.
    gpointer operations = g_type_class_ref(GTK_TYPE_PRINT_OPERATION);
    signal = g_signal_lookup("create-custom-widget", GTK_TYPE_PRINT_OPERATION);
    if (signal)
        hook = g_signal_add_emission_hook(signal, 0, &PrintJobName::Name, this, nullptr);
    g_type_class_unref(operations);
}

PrintJobName::~PrintJobName()
{
    if (hook)
        g_signal_remove_emission_hook(signal, hook);
}

gboolean PrintJobName::Name(GSignalInvocationHint*, guint count, const GValue* values,
                            gpointer self)
{
    gpointer operation = count > 0 ? g_value_get_object(&values[0]) : nullptr;
    if (operation && GTK_IS_PRINT_OPERATION(operation))
        gtk_print_operation_set_job_name(GTK_PRINT_OPERATION(operation),
                                         static_cast<PrintJobName*>(self)->title.c_str());
    return TRUE;
}
