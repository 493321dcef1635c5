#include "TfrmMarcaDelete.h"

#include "ItemBatch.h"

#include "module/entry/Cli_Sup01700.h"
#include "module/records/QuotationRecords.h"
#include "shell/TfrmPlanCotaPrec.h"
#include "worksheet/Worksheet.h"

#include "host/widgets/MaskEdit.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

namespace module {

TfrmMarcaDelete::TfrmMarcaDelete(TfrmPlanCotaPrec& form)
    : MaintenanceDialog(form, QStringLiteral("SUP01704"), QStringLiteral("Exclusão de Marca"))
{
    QGridLayout& grid = fieldGrid();
    auto* label = new QLabel(QStringLiteral("Marca"));
    medMarca01 = new host::TMaskEdit;
    medMarca01->setObjectName(QStringLiteral("medMarca01"));
    medMarca01->SetEditMask(brandEditMask());
    medMarca01->setEnabled(false);
    label->setBuddy(medMarca01);
    edtNmMarca01 = new QLineEdit;
    edtNmMarca01->setObjectName(QStringLiteral("edtNmMarca01"));
    edtNmMarca01->setReadOnly(true);
    edtNmMarca01->setFocusPolicy(Qt::NoFocus);
    edtNmMarca01->setMinimumWidth(220);
    grid.addWidget(label, 0, 0);
    grid.addWidget(medMarca01, 0, 1);
    grid.addWidget(edtNmMarca01, 0, 3);
}

void TfrmMarcaDelete::showEvent(QShowEvent* event)
{
    MaintenanceDialog::showEvent(event);
    if (event->spontaneous() || m_shown)
        return;
    m_shown = true;
    medMarca01->SetText(Cli_Sup01700::stCdMarca);
    edtNmMarca01->setText(Cli_Sup01700::stNmMarca);
}

void TfrmMarcaDelete::sbtConfirmaClick()
{
    bool removed = false;
    {
        ItemBatch batch(worksheet());
        // The selected cell's product and brand, under every region and supplier.
        removed =
            batch.removeMatching(ItemBatch::equals(
                QStringLiteral("COCPRODUTO"), worksheet().RetornaVlr(QStringLiteral("P")))) > 0;
        batch.items().SetFiltered(false);
        worksheet().addDisplayCopy();
        batch.commit();
    }
    if (removed)
        mainForm().boAltMarca = true;
    accept();
}

} // namespace module
