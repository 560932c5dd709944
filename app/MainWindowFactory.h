// The main window, made by the window layer above this one: the application object creates
// it through this declaration without knowing its class.
#pragma once

class RuntimeInformationType;
class wxFrame;

// A new main window over the runtime information, which it borrows; the toolkit owns the
// window. Its handle is missing when the layout could not be loaded (the toolkit has said
// so): the caller deletes such a window.
wxFrame* CreateMainWindow(RuntimeInformationType* rit);
