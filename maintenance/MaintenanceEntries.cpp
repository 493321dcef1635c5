#include "MaintenanceEntries.h"

#include "TfrmProdutoInsert.h"

#include "shell/TfrmPlanCotaPrec.h"

#include "host/ui/Guard.h"
#include "host/ui/Ui.h"

#include <QPointer>
#include <memory>

namespace module {

namespace {

template <typename Dialog>
void showNew(TfrmPlanCotaPrec& form)
{
    host::WaitCursor hourglass;
    Dialog dialog(form);
    host::Ui::current().execModal(dialog, dialog.screenCode());
}

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

} // namespace module
