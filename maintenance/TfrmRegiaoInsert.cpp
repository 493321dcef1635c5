#include "TfrmRegiaoInsert.h"

#include "ItemBatch.h"
#include "LookupField.h"
#include "RegionItems.h"

#include "module/entry/Cli_Sup01700.h"
#include "module/records/WorksheetValues.h"
#include "shell/TfrmPlanCotaPrec.h"
#include "worksheet/Worksheet.h"

#include "host/widgets/MaskEdit.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>

namespace module {

TfrmRegiaoInsert::TfrmRegiaoInsert(TfrmPlanCotaPrec& form)
    : MaintenanceDialog(form, QStringLiteral("SUP01709"), QStringLiteral("Inclusão de Região")),
      m_suppliers(worksheetList(QStringLiteral("F"), true)),
      m_regions(worksheetList(QStringLiteral("R"), true)),
      m_products(worksheetList(QStringLiteral("PM"), true))
{
    fillQuotationRegions(cdsRegCota, m_regions);
    QGridLayout& grid = fieldGrid();
    regiao = new LookupField(grid, 0, QStringLiteral("Região"), QStringLiteral("999"),
                             {QStringLiteral("medCdRegiao"), QStringLiteral("btnRegiao"),
                              QStringLiteral("edtNmRegiao"), {}, {}},
                             this);
    searchAllRegions(*regiao);
    checkOnExit(*regiao, [this] { Vd_Regiao(false); });

    auto* forWhom = new QGroupBox(QStringLiteral("Para"));
    forWhom->setObjectName(QStringLiteral("drgForne"));
    auto* choices = new QHBoxLayout(forWhom);
    rbtFornCorrente = new QRadioButton(QStringLiteral("Fornecedor Corrente"));
    rbtFornCorrente->setChecked(true);
    rbtTodosForn = new QRadioButton(QStringLiteral("Todos Fornecedores"));
    choices->addWidget(rbtFornCorrente);
    choices->addWidget(rbtTodosForn);
    grid.addWidget(forWhom, 1, 0, 1, 4);

    auto* load = new QGroupBox(QStringLiteral("Carregar Preços da Região"));
    load->setObjectName(QStringLiteral("grbCargReg"));
    auto* loadGrid = new QGridLayout(load);
    cargReg = new LookupField(*loadGrid, 0, QString(), QStringLiteral("999"),
                              {QStringLiteral("medCargReg"), QStringLiteral("btpCargReg"),
                               QStringLiteral("edtCargReg"), {}, {}},
                              this);
    searchQuotationRegions(*cargReg, cdsRegCota);
    checkOnExit(*cargReg, [this] { Vd_RegCot(); });
    grid.addWidget(load, 2, 0, 1, 4);
    regiao->code->setFocus();
}

QString TfrmRegiaoInsert::regionKey() const
{
    return regiao->text() + kCodeSeparator + regiao->name->text();
}

QString TfrmRegiaoInsert::currentSupplierKey() const
{
    return Cli_Sup01700::stCdForneced + kCodeSeparator + Cli_Sup01700::stNmForneced;
}

void TfrmRegiaoInsert::Vd_Regiao(bool force)
{
    if (!checkRegion(*regiao, force, QStringLiteral("Reg_N_Inf")) || !force)
        return;
    host::DataSet& items = worksheet().cdsAltCotacao;
    if (rbtFornCorrente->isChecked()) {
        if (items.Locate(QStringLiteral("COCFORNECED;COCREGIAO"),
                         QVariantList{currentSupplierKey(), regionKey()}, host::LoCaseInsensitive))
            fail(regiao->code, QStringLiteral("Reg_J_Cad"));
        serverCheck(regiao->code, QStringLiteral("VdRegSrv"), QStringLiteral("Vd_RefoReg"),
                    {regiao->text(), Cli_Sup01700::stCdForneced, true},
                    {{QStringLiteral("S"), QStringLiteral("Reg_N_Cad_Forn_Cor")}});
    } else {
        if (items.Locate(QStringLiteral("COCREGIAO"), regionKey(), host::LoCaseInsensitive))
            fail(regiao->code, QStringLiteral("Reg_J_Cad"));
        serverCheck(regiao->code, QStringLiteral("VdRegSrv"), QStringLiteral("Vd_RefoReg"),
                    {regiao->text(), listText(m_suppliers), false},
                    {{QStringLiteral("S"), QStringLiteral("Reg_N_Cad_Forn")}});
    }
}

void TfrmRegiaoInsert::Vd_Fornecedor()
{
    if (rbtFornCorrente->isChecked()) {
        if (!supplierOffered(Cli_Sup01700::stCdForneced))
            fail(regiao->code, QStringLiteral("N_FornCorr_Cad"));
    } else if (!anySupplierOffered(m_suppliers)) {
        fail(regiao->code, QStringLiteral("N_Forn_Cad"));
    }
}

void TfrmRegiaoInsert::Vd_RegCot()
{
    checkQuotationRegion(*cargReg, cdsRegCota);
}

void TfrmRegiaoInsert::sbtConfirmaClick()
{
    if (QApplication::focusWidget() == cargReg->code) {
        Vd_RegCot();
        Vd_Regiao(true);
        Vd_Fornecedor();
    } else {
        Vd_Fornecedor();
        Vd_RegCot();
        Vd_Regiao(true);
    }
    QStringList suppliers;
    if (rbtTodosForn->isChecked()) {
        cdsFornAtend.SetData(serverPacket(QString(), QStringLiteral("GetFornAtend"),
                                          {regiao->text(), listText(m_suppliers)}));
        for (cdsFornAtend.First(); !cdsFornAtend.Eof(); cdsFornAtend.Next())
            suppliers << cdsFornAtend.FieldByName(QStringLiteral("COCFORNECED")).AsString();
    } else {
        suppliers << currentSupplierKey();
    }
    const QString loadFrom =
        cargReg->isEmpty() ? QString() : cargReg->text() + kCodeSeparator + cargReg->name->text();
    {
        ItemBatch batch(worksheet(), true);
        if (addRegionItems(batch, regionKey(), suppliers, m_products, loadFrom) > 0)
            mainForm().boIncRegiao = true;
        batch.commit();
    }
    refreshAssignmentView();
    accept();
}

} // namespace module
