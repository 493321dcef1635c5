#pragma once

#include "BrandDialog.h"

namespace module {

// "Inclusão de Marca" (screen "SUP01703"): another brand of the selected product, added
// with no price in every region and for every supplier of the quotation. A second brand
// may be named and is checked, but nothing is added for it.
class TfrmMarcaInsert final : public BrandDialog
{
    Q_OBJECT
public:
    explicit TfrmMarcaInsert(TfrmPlanCotaPrec& form);

    LookupField* marca01 = nullptr;
    LookupField* marca02 = nullptr;

protected:
    void sbtConfirmaClick() override;

private:
    void vd_Fornecedor();
    QStringList m_suppliers; // whole values
    QStringList m_regions;   // whole values
};

} // namespace module
