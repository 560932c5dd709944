// The main window's commands, one row each: the menu item, the tool and the context menu
// item that run it, and when it is enabled. A new command is one row in the table and one
// case where the window runs it. Borrows the window's menu bar and tool bar.
#pragma once

#include <functional>
#include <vector>

class wxEvtHandler;
class wxMenu;
class wxMenuBar;
class wxToolBar;

class MainCommands {
public:
    // Also the ids of the context menu's items: plain numbers, not layout names.
    enum Id {
        kOpenCompany,
        kOpenAtNorvel,
        kExport,
        kCopy,
        kSelectAll,
        kShowOnMap,
        kCopyAddress,
        kSaveVCard,
        kOpenWebsite,
        kWriteEmail,
        kPrint,
        kPrintPreview,
        kSearch,
        kPlaceCursor,
        kAbout,
        kQuit,
        kPrintList,
        kPrintLabels
    };
    // When a command can run.
    enum class When {
        kAlways,
        // Some row of the result list is selected.
        kSelected,
        // The selected company has a street or a city to show on a map.
        kSelectedWithPlace,
        // The selected company has a web site or a mail address of its own to open.
        kSelectedWithWebsite,
        kSelectedWithEmail,
        // The last search found companies.
        kFound
    };
    struct Command {
        Id id;
        // Names in the window's layout; null where the command has none.
        const char* menuItem;
        const char* tool;
        // The context menu's text (a message id); null for a command not in that menu.
        const char* contextLabel;
        // A line above it in the context menu.
        bool separatorAbove;
        When when;
    };

    // Every command of the main window, in the context menu's order.
    static const std::vector<Command>& GetTable();
    // The layout names the table uses.
    static std::vector<const char*> GetMenuItems();
    static std::vector<const char*> GetTools();

    MainCommands(wxMenuBar* menuBar, wxToolBar* toolBar) : menuBar(menuBar), toolBar(toolBar) {}

    // Lets the menu items, tools and context menu items run their command in the window.
    void Bind(wxEvtHandler& window, const std::function<void(Id)>& run) const;
    // Enables or disables the menu items and tools of the commands that wait for this;
    // items the layout lacks are passed over.
    void Enable(When when, bool on) const;
    // The context menu of the result list, for a selected company (the caller owns it);
    // items that wait for more than a selection are enabled as available says.
    static wxMenu* CreateContextMenu(const std::function<bool(When)>& available);

private:
    wxMenuBar* menuBar;
    wxToolBar* toolBar;
};
