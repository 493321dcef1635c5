#include "MaintenanceEntries.h"

#include "ShowDialog.h"
#include "TfrmForneDelete.h"
#include "TfrmMarcaDelete.h"
#include "TfrmProdutoDelete.h"
#include "TfrmRegiaoDelete.h"

namespace module {

void CriaMarcaDelete(TfrmPlanCotaPrec& form)
{
    showNew<TfrmMarcaDelete>(form);
}

void CriaProdutoDelete(TfrmPlanCotaPrec& form)
{
    showNew<TfrmProdutoDelete>(form);
}

void CriaForneDelete(TfrmPlanCotaPrec& form)
{
    showNew<TfrmForneDelete>(form);
}

void CriaRegiaoDelete(TfrmPlanCotaPrec& form)
{
    showNew<TfrmRegiaoDelete>(form);
}

} // namespace module
