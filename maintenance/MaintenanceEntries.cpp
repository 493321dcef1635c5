#include "MaintenanceEntries.h"

#include "ShowDialog.h"
#include "TfrmForneInsert.h"
#include "TfrmMarcaAlter.h"
#include "TfrmMarcaInsert.h"
#include "TfrmProdutoInsert.h"
#include "TfrmRegiaoInsert.h"

#include "shell/TfrmPlanCotaPrec.h"

#include "host/ui/Ui.h"

#include <QPointer>
#include <memory>

namespace module {

namespace {

// The kept product insertion of each main window.
QPointer<TfrmProdutoInsert> frmProdutoInsert;

} // namespace

void CriaProdutoInsert(TfrmPlanCotaPrec& form)
{
    if (!frmProdutoInsert || &frmProdutoInsert->mainForm() != &form) {
        frmProdutoInsert = new TfrmProdutoInsert(form);
        form.addCloseStep([] { delete frmProdutoInsert.data(); });
    } else {
        frmProdutoInsert->reset();
    }
    host::Ui::current().execModal(*frmProdutoInsert, frmProdutoInsert->screenCode());
}

void CriaForneInsert(TfrmPlanCotaPrec& form)
{
    showNew<TfrmForneInsert>(form);
}

void CriaRegiaoInsert(TfrmPlanCotaPrec& form)
{
    showNew<TfrmRegiaoInsert>(form);
}

void CriaMarcaInsert(TfrmPlanCotaPrec& form)
{
    showNew<TfrmMarcaInsert>(form);
}

void CriaMarcaAlter(TfrmPlanCotaPrec& form)
{
    showNew<TfrmMarcaAlter>(form);
}

} // namespace module
