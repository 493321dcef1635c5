#pragma once

#include "MaintenanceDialog.h"

namespace module {

class LookupField;

// "Exclusão de Fornecedor" (screen "SUP01708"): a supplier of the current quotation taken
// out of it with all its items. The supplier is named by its document number; the search
// lists only the quotation's suppliers, and the selected cell's supplier is proposed.
class TfrmForneDelete final : public MaintenanceDialog
{
    Q_OBJECT
public:
    explicit TfrmForneDelete(TfrmPlanCotaPrec& form);

    LookupField* fornecedor = nullptr; // medNrInsJurForn, btnPesqForn, edtNmRazSocForn

protected:
    void sbtConfirmaClick() override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    host::Query& suppliers();
    // Shows a supplier: its number with the mask of its person type and its company name.
    void showSupplier(const QString& type, const QString& number, const QString& companyName);
    void Vd_Fornecedor(bool force);

    QStringList m_supplierCodes; // the quotation's
    // The supplier the last check found.
    QString m_supplierCode;
    QString m_tradeName;
    bool m_shown = false;
};

} // namespace module
