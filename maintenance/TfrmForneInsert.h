#pragma once

#include "MaintenanceDialog.h"

#include "host/core/DataSet.h"

class QCheckBox;

namespace module {

class LookupField;

// "Inclusão de Fornecedor" (screen "SUP01707"): a supplier added to the stored quotation
// by the server, in the regions it serves, optionally starting from the prices of a
// supplier of the quotation in one of its regions; the worksheet is then read again.
// Nothing pending in the worksheet may be lost by that: with changes not saved the
// dialog refuses.
class TfrmForneInsert final : public MaintenanceDialog
{
    Q_OBJECT
public:
    explicit TfrmForneInsert(TfrmPlanCotaPrec& form);

    LookupField* fornecedor = nullptr; // medNrInsJurForn, btnPesqForn, edtNmRazSocForn
    LookupField* fornCarg = nullptr;   // medFornCarg, btpFornCarg, edtNmFornCarg
    LookupField* cargReg = nullptr;    // medCargReg, btpCargReg, edtCargReg
    QCheckBox* chbCargTReg = nullptr;
    host::DataSet cdsRegCota{QStringLiteral("cdsRegCota")};
    host::DataSet cdsRegAtend{QStringLiteral("cdsRegAtend")};

protected:
    void sbtConfirmaClick() override;

private:
    void bindSupplierSearch(LookupField& field, const QString& queryName, QString& chosen);
    // The supplier of a document number typed in `field` (normalised, shown with its mask);
    // false when the field is empty.
    bool readSupplier(LookupField& field, const QString& queryName);
    void Vd_Fornecedor(bool force);
    void Vd_FornCarg();
    void Vd_ProdForn();
    void Vd_RegCot();
    bool inQuotation(const QString& code, const QString& tradeName) const;

    QStringList m_suppliers;    // whole values
    QStringList m_productCodes; // codes
    QStringList m_regions;      // whole values
    QString m_supplier;     // the supplier to add
    QString m_loadSupplier; // the supplier whose prices the new one starts from
};

} // namespace module
