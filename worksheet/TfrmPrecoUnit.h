#pragma once

#include "host/forms/TfrmRotiGeral.h"

namespace host {
class TButtonFlat;
class TNumberEdit;
} // namespace host

namespace module {

class Worksheet;

// "Alteração no Preço Unitário" (screen "SUP01711"): the unit price of the worksheet's
// selected cell. Created on first use and kept hidden between uses; each showing starts
// from the item's price (or from the character typed on the grid). A confirmed price is
// stored in the worksheet's item table; nothing goes to the server here.
class TfrmPrecoUnit final : public host::TfrmRotiGeral
{
    Q_OBJECT
public:
    explicit TfrmPrecoUnit(Worksheet& worksheet);
    ~TfrmPrecoUnit() override;

    host::TNumberEdit* nedPrecoUnit = nullptr;
    // Confirms and opens the worksheet information screen (also Ctrl+I).
    host::TButtonFlat* sbtPlanilha = nullptr;

    // Prepares the next showing for the selected cell: the opening price, the typed
    // character (Cli_Sup01700::chKeyNum) or the price selected, the result marker at 0.
    void AtualizaItemCole();
    // 99 once a price other than the opening one was confirmed, 0 otherwise.
    int marker() const { return m_marker; }
    double openingPrice() const { return m_openingPrice; }

protected:
    void sbtConfirmaClick() override;
    void sbtCancelClick() override;
    void done(int result) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // The price typed, checked and stored; false when the dialog stays open.
    void confirmPrice();
    void vd_Comprador();
    void PrecoUnit(double price);
    void sbtPlanilhaClick();
    void nedPrecoUnitChange();
    void showOpeningPrice();

    Worksheet& m_sheet;
    double m_openingPrice = 0.0;
    int m_marker = 0;
    bool m_trackChanges = true;
};

// Runs the price dialog for the worksheet's selected cell, creating it the first time; true
// when a price other than the one the cell had was confirmed.
bool CriaPrecoUnit(Worksheet& worksheet);
// Destroys the kept dialog (the main window is closing); a failure is ignored.
void DestroiPrecoUnit();

} // namespace module
