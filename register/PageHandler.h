#pragma once

namespace module {

// What a page of the main window does with the window's record commands and its part of
// the command states. The quotation list and the region page are the window's own; the
// price worksheet, the two assignment pages and the new-quotation page bring their logic
// through this interface (TfrmPlanCotaPrec::setPageHandler). A page without a handler has
// its record commands disabled.
class PageHandler
{
public:
    virtual ~PageHandler() = default;

    // The window changed to the page (the worksheet builds its pivot here).
    virtual void activated() {}
    // The page was made active from its menu item without being rebuilt: its main control
    // takes the focus.
    virtual void focus() {}
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
