#include "ui/MainCommands.h"

#include <wx/intl.h>
#include <wx/menu.h>
#include <wx/toolbar.h>
#include <wx/xrc/xmlres.h>

const std::vector<MainCommands::Command>& MainCommands::GetTable()
{
    using W = When;
    static const std::vector<Command> table = {
        {kOpenCompany, "openCompanyMenuItem", "openCompanyTool", wxTRANSLATE("&Open company"),
         false, W::kSelected},
        {kOpenAtNorvel, "openAtNorvelMenuItem", "openAtNorvelTool", wxTRANSLATE("Open at &norvel"),
         false, W::kSelected},
        {kExport, "exportMenuItem", "exportTool", wxTRANSLATE("&Export company list"), true,
         W::kFound},
        {kCopy, nullptr, nullptr, wxTRANSLATE("&Copy\tCtrl+C"), true, W::kAlways},
        {kSelectAll, nullptr, nullptr, wxTRANSLATE("Select a&ll\tCtrl+A"), false, W::kAlways},
        {kShowOnMap, "showOnMapMenuItem", nullptr, wxTRANSLATE("Show on &map"), true,
         W::kSelectedWithPlace},
        {kCopyAddress, "copyAddressMenuItem", nullptr, wxTRANSLATE("Copy &address"), false,
         W::kSelected},
        {kSaveVCard, "saveVCardMenuItem", nullptr, wxTRANSLATE("Save as &vCard..."), false,
         W::kSelected},
        {kOpenWebsite, "openWebsiteMenuItem", nullptr, wxTRANSLATE("Company we&bsite"), true,
         W::kSelectedWithWebsite},
        {kWriteEmail, "writeEmailMenuItem", nullptr, wxTRANSLATE("Write e-ma&il"), false,
         W::kSelectedWithEmail},
        {kPrintList, "printListMenuItem", "printListTool", wxTRANSLATE("Print &result list..."),
         true, W::kFound},
        {kPrintLabels, "printLabelsMenuItem", "printLabelsTool",
         wxTRANSLATE("Print a&ddress labels..."), false, W::kFound},
        {kPrint, "printCompanyMenuItem", "printCompanyTool", nullptr, false, W::kSelected},
        {kPrintPreview, "printPreviewCompanyMenuItem", "printPreviewCompanyTool", nullptr, false,
         W::kSelected},
        {kSearch, nullptr, "searchTool", nullptr, false, W::kAlways},
        {kPlaceCursor, "placeCursorMenuItem", nullptr, nullptr, false, W::kAlways},
        {kAbout, "aboutMenuItem", nullptr, nullptr, false, W::kAlways},
        {kQuit, "quitMenuItem", nullptr, nullptr, false, W::kAlways},
    };
    return table;
}

std::vector<const char*> MainCommands::GetMenuItems()
{
    std::vector<const char*> names;
    for (const Command& command : GetTable())
        if (command.menuItem)
            names.push_back(command.menuItem);
    return names;
}

std::vector<const char*> MainCommands::GetTools()
{
    std::vector<const char*> names;
    for (const Command& command : GetTable())
        if (command.tool)
            names.push_back(command.tool);
    return names;
}

void MainCommands::Bind(wxEvtHandler& window, const std::function<void(Id)>& run) const
{
    for (const Command& command : GetTable()) {
        const Id id = command.id;
        const auto handler = [run, id](wxCommandEvent&) { run(id); };
        if (command.menuItem)
            window.Bind(wxEVT_MENU, handler, XRCID(command.menuItem));
        if (command.tool)
            window.Bind(wxEVT_MENU, handler, XRCID(command.tool));
        if (command.contextLabel)
            window.Bind(wxEVT_MENU, handler, id);
    }
}

void MainCommands::Enable(When when, bool on) const
{
    for (const Command& command : GetTable()) {
        if (command.when != when)
            continue;
        if (command.menuItem && menuBar && menuBar->FindItem(XRCID(command.menuItem)))
            menuBar->Enable(XRCID(command.menuItem), on);
        if (command.tool && toolBar && toolBar->FindById(XRCID(command.tool)))
            toolBar->EnableTool(XRCID(command.tool), on);
    }
}

wxMenu* MainCommands::CreateContextMenu(const std::function<bool(When)>& available)
{
    auto* menu = new wxMenu;
    for (const Command& command : GetTable()) {
        if (!command.contextLabel)
            continue;
        if (command.separatorAbove)
            menu->AppendSeparator();
        menu->Append(command.id, wxGetTranslation(command.contextLabel));
        if (command.when == When::kSelectedWithPlace ||
            command.when == When::kSelectedWithWebsite || command.when == When::kSelectedWithEmail)
            menu->Enable(command.id, available(command.when));
    }
    return menu;
}
