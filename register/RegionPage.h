#pragma once

#include "shell/PageHandler.h"

class QKeyEvent;

namespace host {
class DBGrid;
}

namespace module {

class TfrmPlanCotaPrec;

// The region page of the main window (tshRegiao): the regions of the current quotation
// (cdsServRegiao in dbgRegiao), loaded when the page is shown or the list moves to another
// quotation, keeping the chosen region when the new quotation has it too.
class RegionPage final : public PageHandler
{
public:
    // `suppliersGrid` is the quoted-supplier pane that Ctrl+PageDown jumps to.
    RegionPage(TfrmPlanCotaPrec& form, host::DBGrid* suppliersGrid);
    RegionPage(const RegionPage&) = delete;
    RegionPage& operator=(const RegionPage&) = delete;

    host::DBGrid* dbgRegiao = nullptr;

    // Loads the regions of the current quotation unless the table holds them already
    // (force loads them anyway); the region chosen before stays chosen when it is there.
    void CarregaRegioes(bool force);

    void activated() override;
    void focus() override;
    void quotationScrolled() override;
    void commandStates() override;
    void search() override;
    void refresh() override;

private:
    bool regionKey(QKeyEvent& key);

    TfrmPlanCotaPrec& m_form;
    host::DBGrid* m_suppliersGrid;
};

} // namespace module
