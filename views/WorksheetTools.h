#pragma once

#include <QObject>
#include <QString>

namespace module {

class TfrmPlanCotaPrec;

// The tools of the main window over the current quotation: the quantities to buy from the
// open purchase requests, the readjustment (the page shown read again), the removal of the
// items without a price, and the best prices of a period. Each refreshes the page shown.
class WorksheetTools final : public QObject
{
    Q_OBJECT
public:
    explicit WorksheetTools(TfrmPlanCotaPrec& form);

    void sbtQtComprarClick();
    void sbtReajustPrClick();
    void sbtExclPrZeroClick();
    void sbtAutoMelhorClick();

    // Has the server set the quantities to buy of the quotation's items (CargAcomprar).
    void CarregarAComprar(const QString& branch, const QString& number);

private:
    TfrmPlanCotaPrec& m_form;
};

} // namespace module
