#pragma once

namespace module {

// What a page of the main window does with the window's record commands and its part of
// the command states. Every page brings its logic through this interface
// (TfrmPlanCotaPrec::installPage): the quotation list and the region page, the price
// worksheet, the two assignment pages and the new-quotation page. A page without a handler
// has its record commands disabled.
class PageHandler
{
public:
    virtual ~PageHandler() = default;

    // The window changed to the page (the worksheet builds its pivot here, the list shows
    // the current quotation's suppliers, the region page loads its regions).
    virtual void activated() {}
    // The page was made active from its menu item without its page-change handling: it
    // brings itself up to date with the current quotation where that is cheap, and its
    // main control takes the focus.
    virtual void focus() {}
    // Another quotation became the current one of the list while the page is active.
    virtual void quotationScrolled() {}
    // The quotation list was loaded anew: whatever the page loaded for the former list is
    // asked for again when it is next shown.
    virtual void quotationListReloaded() {}
    // The quotation's items changed on the server (a tool of the window): what the page
    // loaded is asked for again when it is next shown.
    virtual void itemsChanged() {}
    // Refreshes the page's items from the server (force: even when it holds the current
    // quotation already), as the tools do with the page that is shown.
    virtual void reloadItems(bool force) { (void)force; }
    // The window became active.
    virtual void windowActivated() {}
    // Makes the page's current item the one of the selection globals (Cli_Sup01700) for a
    // command that acts on it; false when the page shows no item there.
    virtual bool selectCurrentItem() { return false; }
    // The page's own command states, run by BarraFerramenta while the page is active,
    // before the rules that hold on every page.
    virtual void commandStates() {}
    // Tools the page enables after the rules that hold on every page.
    virtual void extraCommandStates() {}
    // The page holds changes not yet saved (the list and region pages are then disabled).
    virtual bool pending() const { return false; }

    // The record commands while the page is active.
    virtual void include() {}
    virtual void change() {}
    virtual void remove() {}
    virtual void confirm() {}
    virtual void cancel() {}
    virtual void search() {}
    virtual void refresh() {}
};

} // namespace module
