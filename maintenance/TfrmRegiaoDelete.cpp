#include "TfrmRegiaoDelete.h"

#include "ItemBatch.h"
#include "LookupField.h"

#include "module/entry/Cli_Sup01700.h"
#include "module/records/QuotationRecords.h"
#include "module/records/WorksheetValues.h"
#include "shell/TfrmPlanCotaPrec.h"
#include "worksheet/Worksheet.h"

#include "host/widgets/Buttons.h"
#include "host/widgets/MaskEdit.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

namespace module {

TfrmRegiaoDelete::TfrmRegiaoDelete(TfrmPlanCotaPrec& form)
    : MaintenanceDialog(form, QStringLiteral("SUP01710"), QStringLiteral("Exclusão de Região"))
{
    buildControls();
    regiao->setText(Cli_Sup01700::stCdRegiao, Cli_Sup01700::stNmRegiao);
    regiao->code->setFocus();
}

void TfrmRegiaoDelete::buildControls()
{
    QGridLayout& grid = fieldGrid();
    regiao = new LookupField(grid, 0, QStringLiteral("Região"), regionEditMask(),
                             {QStringLiteral("medCdRegiao"), QStringLiteral("btnRegiao"),
                              QStringLiteral("edtNmRegiao"), {}, {}},
                             this);
    checkOnExit(*regiao, [this] { Vd_Regiao(false); });
    searchAllRegions(*regiao);

    drgForne = new QGroupBox(QStringLiteral("Para"));
    drgForne->setObjectName(QStringLiteral("drgForne"));
    auto* columns = new QGridLayout(drgForne);
    rbtFornCorrente = new QRadioButton(QStringLiteral("Fornecedor Corrente"));
    rbtFornCorrente->setObjectName(QStringLiteral("rbtFornCorrente"));
    rbtTodosForn = new QRadioButton(QStringLiteral("Todos Fornecedores"));
    rbtTodosForn->setObjectName(QStringLiteral("rbtTodosForn"));
    m_scope = new QButtonGroup(drgForne);
    m_scope->addButton(rbtFornCorrente, 0);
    m_scope->addButton(rbtTodosForn, 1);
    rbtFornCorrente->setChecked(true);
    columns->addWidget(rbtFornCorrente, 0, 0);
    columns->addWidget(rbtTodosForn, 0, 1);
    grid.addWidget(drgForne, 1, 0, 1, 4);
}

QString TfrmRegiaoDelete::deletionScope() const
{
    return m_scope->checkedId() == 1 ? QStringLiteral("T") : Cli_Sup01700::stCdForneced;
}

void TfrmRegiaoDelete::Vd_Regiao(bool force)
{
    checkRegion(*regiao, force, QStringLiteral("Reg_N_Inf"));
}

void TfrmRegiaoDelete::sbtConfirmaClick()
{
    Vd_Regiao(true);
    const QString scope = deletionScope();
    QString filter = ItemBatch::equals(QStringLiteral("COCREGIAO"),
                                       regionValue(regiao->text(), regiao->name->text()));
    if (scope != QLatin1String("T"))
        filter = ItemBatch::equals(QStringLiteral("COCFORNECED"),
                                   worksheet().RetornaVlr(QStringLiteral("F"))) +
                 QStringLiteral(" and ") + filter;
    {
        ItemBatch batch(worksheet());
        batch.removeMatching(filter);
        batch.items().SetFiltered(false);
        worksheet().addDisplayCopy();
        batch.commit();
    }
    refreshAssignmentView();
    accept();
}

} // namespace module
