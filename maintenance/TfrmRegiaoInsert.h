#pragma once

#include "MaintenanceDialog.h"

#include "host/core/DataSet.h"

class QRadioButton;

namespace module {

class LookupField;

// "Inclusão de Região" (screen "SUP01709"): a region added to the quotation for the
// selected supplier or for every supplier of the quotation that serves it, with every
// product and brand of the quotation, priced from another region of the quotation or 0.
class TfrmRegiaoInsert final : public MaintenanceDialog
{
    Q_OBJECT
public:
    explicit TfrmRegiaoInsert(TfrmPlanCotaPrec& form);

    LookupField* regiao = nullptr;    // medCdRegiao, btnRegiao, edtNmRegiao
    QRadioButton* rbtFornCorrente = nullptr; // drgForne, item 0
    QRadioButton* rbtTodosForn = nullptr;    // drgForne, item 1
    LookupField* cargReg = nullptr;   // medCargReg, btpCargReg, edtCargReg
    host::DataSet cdsRegCota{QStringLiteral("cdsRegCota")};
    host::DataSet cdsFornAtend{QStringLiteral("cdsFornAtend")};

protected:
    void sbtConfirmaClick() override;

private:
    void Vd_Regiao(bool force);
    void Vd_Fornecedor();
    void Vd_RegCot();
    QString regionKey() const;
    QString currentSupplierKey() const;

    QStringList m_suppliers; // whole values
    QStringList m_regions;   // whole values
    QStringList m_products;  // product and brand values
};

} // namespace module
