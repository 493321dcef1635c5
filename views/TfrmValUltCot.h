#pragma once

#include "host/forms/TfrmRotiGeral.h"

namespace module {

class TfrmPlanCotaPrec;
class ValidityGroup;

// "Última Cotação" (screen "SUP01718"): a validity period whose best prices the server
// loads into the current quotation's items that have no price yet.
class TfrmValUltCot final : public host::TfrmRotiGeral
{
    Q_OBJECT
public:
    explicit TfrmValUltCot(TfrmPlanCotaPrec& form);

    ValidityGroup* grbValidade = nullptr;

protected:
    // Checks the period, has the server load the best prices (CargMelhorsPrs) and closes;
    // a refusal of the server keeps the dialog open.
    void sbtConfirmaClick() override;

private:
    TfrmPlanCotaPrec& m_form;
};

// Runs the dialog for the current quotation; true when the best prices were loaded.
bool CriaValUltCot(TfrmPlanCotaPrec& form);

} // namespace module
