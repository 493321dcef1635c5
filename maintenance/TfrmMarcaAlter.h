#pragma once

#include "BrandDialog.h"

namespace module {

// "Alteração de Marca" (screen "SUP01714"): the selected product's brand replaced by
// another in every region and for every supplier, each item keeping its price.
class TfrmMarcaAlter final : public BrandDialog
{
    Q_OBJECT
public:
    explicit TfrmMarcaAlter(TfrmPlanCotaPrec& form);

    LookupField* marca = nullptr;

protected:
    void sbtConfirmaClick() override;
};

} // namespace module
