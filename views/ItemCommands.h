#pragma once

#include <QObject>

namespace module {

class TfrmPlanCotaPrec;

// The main window's commands on its current item (the worksheet's selected cell or an
// assignment page's row): negotiate/simulate (checks on the client and the server, the
// supplier's payment terms for the item, then screen "SUP01802"), the worksheet
// information (screen "SUP01803") and the item's observation (dialog "SUP01719").
class ItemCommands final : public QObject
{
    Q_OBJECT
public:
    explicit ItemCommands(TfrmPlanCotaPrec& form);

    void sbtSimulacaoClick();
    void sbtPlanilhaClick();
    void spbObsClick();

private:
    // The current item of the page shown; false (nothing to do) when it shows none.
    bool selectItem();
    // The current item, when the operator may work it (buyer, product, supplier checked).
    bool selectWorkableItem();
    void serverChecks();
    // "L" or an empty collection type becomes "G": the quotation was worked on.
    void markWorked();

    TfrmPlanCotaPrec& m_form;
};

} // namespace module
