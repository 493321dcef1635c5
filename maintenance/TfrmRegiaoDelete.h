#pragma once

#include "MaintenanceDialog.h"

class QButtonGroup;
class QGroupBox;
class QRadioButton;

namespace module {

class LookupField;

// "Exclusão de Região" (screen "SUP01710"): a region taken out of the current quotation,
// for the selected cell's supplier only or for all suppliers. The selected cell's region
// is proposed.
class TfrmRegiaoDelete final : public MaintenanceDialog
{
    Q_OBJECT
public:
    explicit TfrmRegiaoDelete(TfrmPlanCotaPrec& form);

    LookupField* regiao = nullptr; // medCdRegiao, btnRegiao, edtNmRegiao
    // "Para": 0 "Fornecedor Corrente", 1 "Todos Fornecedores".
    QGroupBox* drgForne = nullptr;
    QRadioButton* rbtFornCorrente = nullptr;
    QRadioButton* rbtTodosForn = nullptr;

    // The suppliers the deletion reaches: "T" for all, else the selected cell's supplier.
    QString deletionScope() const;

protected:
    void sbtConfirmaClick() override;

private:
    void buildControls();
    void Vd_Regiao(bool force);

    QButtonGroup* m_scope = nullptr;
};

} // namespace module
