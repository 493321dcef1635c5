#pragma once

#include "MaintenanceDialog.h"

class QLineEdit;

namespace host {
class TMaskEdit;
}

namespace module {

// "Exclusão de Marca" (screen "SUP01704"): the brand of the worksheet's selected cell taken
// out of its product, in every region and for every supplier. Nothing to type: the brand
// is shown and the buyer confirms or cancels.
class TfrmMarcaDelete final : public MaintenanceDialog
{
    Q_OBJECT
public:
    explicit TfrmMarcaDelete(TfrmPlanCotaPrec& form);

    host::TMaskEdit* medMarca01 = nullptr;
    QLineEdit* edtNmMarca01 = nullptr;

protected:
    void sbtConfirmaClick() override;
    void showEvent(QShowEvent* event) override;

private:
    bool m_shown = false;
};

} // namespace module
