#include "WorksheetPrint.h"

#include "WorksheetPrinter.h"

#include "shell/TfrmPlanCotaPrec.h"
#include "spreadsheet/SpreadsheetMenu.h"

#include "host/ui/Guard.h"

#include <QAction>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace module {

void ImprimePlanilha(TfrmPlanCotaPrec& form)
{
    const WorksheetPrinter worksheet(form);
    const host::Messages texts = host::Messages::load(QStringLiteral("PLANPRT"));
    const QString title = texts.Msg(QStringLiteral("Caption")).arg(form.currentNumber());

    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    printer.setCreator(QStringLiteral("SUP01700"));
    // Suppliers run across: a wide page shows more of them.
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    QPrintPreviewDialog preview(&printer, &form);
    preview.setWindowTitle(title);
    host::connectGuarded(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [&worksheet](QPrinter* target) { worksheet.print(*target); });
    host::Ui::current().execModal(preview, QStringLiteral("VISUALIZAR_IMPRESSAO"));
}

void installWorksheetPrint(SpreadsheetMenu& menu)
{
    menu.setHandler(menu.mnuImprimirPlanilha, [&menu] { ImprimePlanilha(menu.form()); });
}

} // namespace module
