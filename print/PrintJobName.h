// Names the desktop's print jobs started while it lives after the document they print; the
// desktop otherwise calls each "<program> job #N" in the printer's queue. Owns the hook
// that it installs into the desktop's print system until it goes.
#pragma once

#include <string>

#include <glib-object.h>

#include <wx/string.h>

class PrintJobName {
public:
    // An empty title leaves the desktop's own name.
    explicit PrintJobName(const wxString& title);
    ~PrintJobName();
    PrintJobName(const PrintJobName&) = delete;
    PrintJobName& operator=(const PrintJobName&) = delete;

private:
    static gboolean Name(GSignalInvocationHint* hint, guint count, const GValue* values,
                         gpointer self);

    std::string title;
    guint signal = 0;
    gulong hook = 0;
};
