#include <gtest/gtest.h>

#include <functional>
#include <map>

#include <wx/accel.h>
#include <wx/anybutton.h>
#include <wx/checkbox.h>
#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/xrc/xmlres.h>

#include "app/Norvel.h"
#include "app/XmlDialog.h"
#include "app/XmlFrame.h"
#include "print/PrintPreviewDialog.h"
#include "ui/AboutDialog.h"
#include "ui/CompanyFrame.h"
#include "ui/ExportDialog.h"
#include "ui/LabelDialog.h"
#include "ui/NorvelFrame.h"
#include "ui/ProgressFrame.h"
#include "ui/UiTestSupport.h"

namespace {

// Builds the window the layout file defines under its own name as a frame or a dialog (with
// plain controls in place of the program's own classes); null when it holds neither.
wxWindow* BuildTopWindow(wxXmlResource& resource, const wxString& name)
{
    wxLogNull quiet;  // the first guess at the class may be wrong
    if (wxObject* frame = resource.LoadObject(nullptr, name, "wxFrame"))
        return wxDynamicCast(frame, wxWindow);
    return wxDynamicCast(resource.LoadObject(nullptr, name, "wxDialog"), wxWindow);
}

// Every control the window's code looks up exists under its name with the expected class.
void ExpectControls(wxWindow* window,
                    const std::vector<std::pair<const char*, wxClassInfo*>>& controls)
{
    for (const auto& [name, classInfo] : controls) {
        wxWindow* control = window->FindWindow(XRCID(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_TRUE(control->IsKindOf(classInfo))
            << name << " is a " << control->GetClassInfo()->GetClassName() << ", not a "
            << classInfo->GetClassName();
    }
}

// A menu item's shortcut and its mnemonic: the keys a desktop user expects.
struct Shortcut {
    const char* item;
    int flags;
    int key;
};

void ExpectShortcuts(wxMenuBar* menuBar, std::initializer_list<Shortcut> shortcuts)
{
    for (const Shortcut& shortcut : shortcuts) {
        wxMenuItem* item = menuBar->FindItem(XRCID(shortcut.item));
        ASSERT_NE(item, nullptr) << shortcut.item;
        std::unique_ptr<wxAcceleratorEntry> accel(item->GetAccel());
        ASSERT_NE(accel, nullptr) << shortcut.item;
        EXPECT_EQ(accel->GetFlags(), shortcut.flags) << shortcut.item;
        EXPECT_EQ(accel->GetKeyCode(), shortcut.key) << shortcut.item;
        EXPECT_TRUE(item->GetItemLabel().Contains("&")) << shortcut.item << " has no mnemonic";
    }
}

// Fails for an access key two labels of the scope share. A menu and each submenu are scopes
// of their own; a window's controls share one with its menu bar's titles.
void ExpectUniqueAccessKeys(const wxString& scope, wxMenu* menu, wxWindow* window = nullptr)
{
    wxArrayString labels;
    for (wxMenuItem* item : menu ? menu->GetMenuItems() : wxMenuItemList()) {
        labels.Add(item->GetItemLabel());
        if (item->GetSubMenu())
            ExpectUniqueAccessKeys(scope + " > " + item->GetItemLabelText(), item->GetSubMenu());
    }
    // A real dynamic cast: the toolkit's casts a dialog to a frame first, which the sanitizer
    // rejects.
    auto* frame = dynamic_cast<wxFrame*>(window);
    for (size_t index = 0;
         frame && frame->GetMenuBar() && index < frame->GetMenuBar()->GetMenuCount(); ++index) {
        labels.Add(frame->GetMenuBar()->GetMenuLabel(index));
        ExpectUniqueAccessKeys(scope + " > " + frame->GetMenuBar()->GetMenuLabelText(index),
                               frame->GetMenuBar()->GetMenu(index));
    }
    std::function<void(wxWindow*)> addControls = [&](wxWindow* parent) {
        for (wxWindow* child : parent->GetChildren()) {
            if (dynamic_cast<wxStaticText*>(child) || dynamic_cast<wxAnyButton*>(child) ||
                dynamic_cast<wxCheckBox*>(child) || dynamic_cast<wxStaticBox*>(child))
                labels.Add(child->GetLabel());
            addControls(child);
        }
    };
    if (window)
        addControls(window);
    std::map<wxString, wxString> seen;
    for (const wxString& label : labels) {
        wxString text;
        const int at = wxControl::FindAccelIndex(label, &text);
        const wxString key = at == wxNOT_FOUND ? wxString() : wxString(text[at]).Lower();
        if (!key.empty() && !seen.emplace(key, label).second)
            ADD_FAILURE() << scope << ": \"" << seen[key] << "\" and \"" << label << "\"";
    }
}

}  // namespace

TEST(LayoutContract, EveryLayoutFileLoadsAndHoldsItsWindow)
{
    wxArrayString files;
    wxDir::GetAllFiles("resources/gui", &files, "*.xml", wxDIR_FILES);
    ASSERT_GE(files.GetCount(), 2u);
    for (const wxString& file : files) {
        const wxString name = wxFileName(file).GetName();
        wxXmlResource own(wxXRC_NO_SUBCLASSING);
        own.InitAllHandlers();
        ASSERT_TRUE(own.Load(file)) << file;
        wxWindow* window = BuildTopWindow(own, name);
        EXPECT_NE(window, nullptr) << file << " holds no frame or dialog named " << name;
        if (window)
            DestroyNow(window);
    }
}

TEST(LayoutContract, EveryMenuAndWindowGivesEachAccessKeyOnceInBothLanguages)
{
    std::unique_ptr<RuntimeInformationType> rit = Norvel::CreateRuntimeInformation("norvel");
    wxArrayString files;
    wxDir::GetAllFiles("resources/gui", &files, "*.xml", wxDIR_FILES);
    for (const bool german : {false, true}) {
        std::unique_ptr<wxLocale> locale(german ? Norvel::SetUpLocale(rit.get()) : nullptr);
        for (const wxString& file : files) {
            const wxString name = wxFileName(file).GetName();
            wxXmlResource own(wxXRC_USE_LOCALE | wxXRC_NO_SUBCLASSING);
            own.InitAllHandlers();
            ASSERT_TRUE(own.Load(file)) << file;
            wxWindow* window = BuildTopWindow(own, name);
            ASSERT_NE(window, nullptr) << file;
            ExpectUniqueAccessKeys(name, nullptr, window);
            DestroyNow(window);
        }
        // The main window itself, with the menus its code builds.
        auto* frame = new NorvelFrame(rit.get());
        ASSERT_EQ(frame->GetMenuBar()->GetMenuLabel(0), german ? "&Datei" : "&File");
        std::unique_ptr<wxMenu> menu(frame->CreateResultsMenu());
        ExpectUniqueAccessKeys("main window", nullptr, frame);
        ExpectUniqueAccessKeys("results menu", menu.get());
        DestroyNow(frame);
    }
}

TEST(LayoutContract, MainWindowLayoutHasEveryNamedControlMenuItemAndTool)
{
    std::unique_ptr<RuntimeInformationType> rit = Norvel::CreateRuntimeInformation("norvel");
    // The base class only builds the layout: the test sees the layout, not the window's code.
    auto* frame = new XmlFrame(rit.get(), "NorvelFrame");
    ASSERT_NE(frame->GetHandle(), nullptr);
    ExpectControls(frame, NorvelFrame::GetLayoutControls());

    wxMenuBar* menuBar = frame->GetMenuBar();
    ASSERT_NE(menuBar, nullptr);
    for (const char* name : NorvelFrame::GetLayoutMenuItems())
        EXPECT_NE(menuBar->FindItem(XRCID(name)), nullptr) << name;

    ExpectShortcuts(menuBar, {{"placeCursorMenuItem", wxACCEL_CTRL, 'F'},
                              {"quitMenuItem", wxACCEL_CTRL, 'Q'},
                              {"openCompanyMenuItem", wxACCEL_CTRL, 'O'},
                              {"printCompanyMenuItem", wxACCEL_CTRL, 'P'},
                              {"exportMenuItem", wxACCEL_CTRL, 'E'},
                              {"aboutMenuItem", wxACCEL_NORMAL, WXK_F1},
                              {"showOnMapMenuItem", wxACCEL_CTRL, 'K'},
                              {"copyAddressMenuItem", wxACCEL_CTRL | wxACCEL_SHIFT, 'C'},
                              {"saveVCardMenuItem", wxACCEL_CTRL, 'S'}});

    wxToolBar* toolBar = frame->GetToolBar();
    ASSERT_NE(toolBar, nullptr);
    for (const char* name : NorvelFrame::GetLayoutTools()) {
        const wxToolBarToolBase* tool = toolBar->FindById(XRCID(name));
        ASSERT_NE(tool, nullptr) << name;
        EXPECT_TRUE(tool->GetNormalBitmap().IsOk()) << name << " has no image";
    }

    wxStatusBar* statusBar = frame->GetStatusBar();
    ASSERT_NE(statusBar, nullptr);
    EXPECT_EQ(statusBar->GetFieldsCount(), 3);

    // The results list must be the virtual report list: the list keeps up only that way.
    wxWindow* list = frame->FindWindow(XRCID("resultsListCtrl"));
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->HasFlag(wxLC_REPORT));
    EXPECT_TRUE(list->HasFlag(wxLC_VIRTUAL));
    for (const char* field : {"searchTextCtrl", "placeTextCtrl"}) {
        wxWindow* search = frame->FindWindow(XRCID(field));
        ASSERT_NE(search, nullptr);
        EXPECT_TRUE(search->HasFlag(wxTE_PROCESS_ENTER)) << field;
    }
    DestroyNow(frame);
}

TEST(LayoutContract, ProgressWindowLayoutHasEveryNamedControl)
{
    std::unique_ptr<RuntimeInformationType> rit = Norvel::CreateRuntimeInformation("norvel");
    auto* frame = new XmlFrame(nullptr, -1, rit.get(), "ProgressFrame");
    ASSERT_NE(frame->GetHandle(), nullptr);
    ExpectControls(frame, ProgressFrame::GetLayoutControls());
    DestroyNow(frame);
}

TEST(LayoutContract, PrintPreviewLayoutHasItsPanelsStatusFieldsAndTenTools)
{
    std::unique_ptr<RuntimeInformationType> rit = Norvel::CreateRuntimeInformation("norvel");
    auto* dialog = new XmlDialog(nullptr, -1, rit.get(), "PrintPreviewDialog");
    ASSERT_NE(dialog->GetHandle(), nullptr);
    ExpectControls(dialog, PrintPreviewDialog::GetLayoutControls());
    for (const char* panel : {"mainPanel", "printPanel"}) {
        wxWindow* window = dialog->FindWindow(XRCID(panel));
        ASSERT_NE(window, nullptr);
        EXPECT_NE(window->GetSizer(), nullptr) << panel;
    }
    auto* statusBar = wxDynamicCast(dialog->FindWindow(XRCID("mainStatusBar")), wxStatusBar);
    ASSERT_NE(statusBar, nullptr);
    EXPECT_EQ(statusBar->GetFieldsCount(), 2);
    auto* toolBar = wxDynamicCast(dialog->FindWindow(XRCID("toolBar")), wxToolBar);
    ASSERT_NE(toolBar, nullptr);
    EXPECT_EQ(PrintPreviewDialog::GetLayoutTools().size(), 10u);
    for (const char* name : PrintPreviewDialog::GetLayoutTools()) {
        const wxToolBarToolBase* tool = toolBar->FindById(XRCID(name));
        ASSERT_NE(tool, nullptr) << name;
        EXPECT_TRUE(tool->GetNormalBitmap().IsOk()) << name << " has no image";
    }
    dialog->Destroy();
    wxTheApp->ProcessIdle();
}

TEST(LayoutContract, CompanyWindowLayoutHasEveryNamedControlAndMenuItem)
{
    std::unique_ptr<RuntimeInformationType> rit = Norvel::CreateRuntimeInformation("norvel");
    auto* frame = new XmlFrame(nullptr, -1, rit.get(), "CompanyFrame");
    ASSERT_NE(frame->GetHandle(), nullptr);
    ExpectControls(frame, CompanyFrame::GetLayoutControls());
    for (const char* name : {"mainPanel", "logoStaticBitmap", "parkingStaticText"})
        EXPECT_NE(frame->FindWindow(XRCID(name)), nullptr) << name;
    // The text fields show the directory; nobody types into them.
    for (const auto& [name, classInfo] : CompanyFrame::GetLayoutControls()) {
        if (classInfo == wxCLASSINFO(wxTextCtrl)) {
            EXPECT_TRUE(frame->FindWindow(XRCID(name))->HasFlag(wxTE_READONLY)) << name;
        }
    }

    wxMenuBar* menuBar = frame->GetMenuBar();
    ASSERT_NE(menuBar, nullptr);
    ASSERT_EQ(CompanyFrame::GetLayoutMenuItems().size(), 8u);
    ExpectShortcuts(menuBar, {{"printMenuItem", wxACCEL_CTRL, 'P'},
                              {"printPreviewMenuItem", wxACCEL_CTRL | wxACCEL_SHIFT, 'P'},
                              {"closeMenuItem", wxACCEL_CTRL, 'W'},
                              {"showOnMapMenuItem", wxACCEL_CTRL, 'K'},
                              {"copyAddressMenuItem", wxACCEL_CTRL | wxACCEL_SHIFT, 'C'},
                              {"saveVCardMenuItem", wxACCEL_CTRL, 'S'}});
    for (const char* name : CompanyFrame::GetLayoutMenuItems())
        EXPECT_NE(menuBar->FindItem(XRCID(name)), nullptr) << name;
    DestroyNow(frame);
}

TEST(LayoutContract, ExportAndAboutDialogLayoutsHaveEveryNamedControl)
{
    std::unique_ptr<RuntimeInformationType> rit = Norvel::CreateRuntimeInformation("norvel");
    auto* exportDialog = new XmlDialog(nullptr, -1, rit.get(), "ExportDialog");
    ASSERT_NE(exportDialog->GetHandle(), nullptr);
    ExpectControls(exportDialog, ExportDialog::GetLayoutControls());
    DestroyNow(exportDialog);

    auto* aboutDialog = new XmlDialog(nullptr, -1, rit.get(), "AboutDialog");
    ASSERT_NE(aboutDialog->GetHandle(), nullptr);
    ExpectControls(aboutDialog, AboutDialog::GetLayoutControls());
    DestroyNow(aboutDialog);

    auto* labelDialog = new XmlDialog(nullptr, -1, rit.get(), "LabelDialog");
    ASSERT_NE(labelDialog->GetHandle(), nullptr);
    ExpectControls(labelDialog, LabelDialog::GetLayoutControls());
    DestroyNow(labelDialog);
}
