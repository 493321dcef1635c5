#include "TfrmForneInsert.h"

#include "LookupField.h"

#include "module/entry/Cli_Sup01700.h"
#include "module/records/QuotationRecords.h"
#include "module/records/SupplierDisplay.h"
#include "module/records/WorksheetValues.h"
#include "shell/ItemChecks.h"
#include "shell/TfrmPlanCotaPrec.h"
#include "worksheet/Worksheet.h"

#include "host/core/Query.h"
#include "host/core/consiste/Consiste.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/widgets/Buttons.h"
#include "host/widgets/MaskEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>

namespace module {

namespace {

const QString kAllSuppliers = QStringLiteral("qryPesqForn");
const QString kQuotationSuppliers = QStringLiteral("qryPesqFornCot");

// The supplier searches' columns: the number, the names and, hidden, the rest.
host::FieldDefs supplierSearchFields()
{
    return {supplierDocumentField(QStringLiteral("Inscrição")),
            supplierLegalNameField(QStringLiteral("Razão Social")),
            supplierTradeNameField(QStringLiteral("Nome Fantasia")),
            hidden(supplierPersonTypeField(QStringLiteral("Tipo"))),
            hidden(supplierCodeField()),
            hidden(supplierStatusField())};
}

} // namespace

TfrmForneInsert::TfrmForneInsert(TfrmPlanCotaPrec& form)
    : MaintenanceDialog(form, QStringLiteral("SUP01707"),
                        QStringLiteral("Inclusão de Fornecedor")),
      m_suppliers(worksheetList(QStringLiteral("F"), true)),
      m_productCodes(worksheetList(QStringLiteral("P"), false)),
      m_regions(worksheetList(QStringLiteral("R"), true))
{
    fillQuotationRegions(cdsRegCota, m_regions);
    // The quotation's suppliers as one text the search looks each code up in.
    QString filter = QStringLiteral("_");
    for (const QString& supplier : m_suppliers)
        filter += codeBeforeSeparator(supplier) + QLatin1Char('_');
    query(kAllSuppliers, supplierSearchFields());
    query(kQuotationSuppliers, supplierSearchFields()).SetParam(QStringLiteral("P_CDFORNECED"), filter);

    QGridLayout& grid = fieldGrid();
    fornecedor = new LookupField(grid, 0, QStringLiteral("Fornecedor"), QString(),
                                 {QStringLiteral("medNrInsJurForn"), QStringLiteral("btnPesqForn"),
                                  QStringLiteral("edtNmRazSocForn"), {}, {}},
                                 this);
    bindSupplierSearch(*fornecedor, kAllSuppliers, m_supplier);
    checkOnExit(*fornecedor, [this] { Vd_Fornecedor(false); });

    auto* loadSupplier = new QGroupBox(QStringLiteral("Carregar Preços do Fornecedor"));
    loadSupplier->setObjectName(QStringLiteral("grbCargForn"));
    auto* supplierGrid = new QGridLayout(loadSupplier);
    fornCarg = new LookupField(*supplierGrid, 0, QString(), QString(),
                               {QStringLiteral("medFornCarg"), QStringLiteral("btpFornCarg"),
                                QStringLiteral("edtNmFornCarg"), {}, {}},
                               this);
    bindSupplierSearch(*fornCarg, kQuotationSuppliers, m_loadSupplier);
    checkOnExit(*fornCarg, [this] { Vd_FornCarg(); });
    grid.addWidget(loadSupplier, 1, 0, 1, 4);

    auto* loadRegion = new QGroupBox(QStringLiteral("Carregar Preços da Região"));
    loadRegion->setObjectName(QStringLiteral("grbCargReg"));
    auto* regionGrid = new QGridLayout(loadRegion);
    cargReg = new LookupField(*regionGrid, 0, QString(), QStringLiteral("999"),
                              {QStringLiteral("medCargReg"), QStringLiteral("btpCargReg"),
                               QStringLiteral("edtCargReg"), {}, {}},
                              this);
    searchQuotationRegions(*cargReg, cdsRegCota);
    checkOnExit(*cargReg, [this] { Vd_RegCot(); });
    grid.addWidget(loadRegion, 2, 0, 1, 4);

    chbCargTReg = new QCheckBox(QStringLiteral("Carregar Todas as Regiões Atendidas"));
    chbCargTReg->setObjectName(QStringLiteral("chbCargTReg"));
    chbCargTReg->setChecked(true);
    grid.addWidget(chbCargTReg, 3, 0, 1, 4);
    fornecedor->code->setFocus();
}

void TfrmForneInsert::bindSupplierSearch(LookupField& field, const QString& queryName,
                                         QString& chosen)
{
    // A typed number is free text until it is known: its mask follows its person type.
    host::connectGuarded(field.code, &QLineEdit::textEdited, this, [&field, &chosen](const QString&) {
        chosen.clear();
        if (!field.code->EditMaskText().isEmpty()) {
            const QString typed = field.code->Text();
            field.code->SetEditMask(host::PictPess(QStringLiteral("I")));
            field.code->SetText(typed);
        }
    });
    field.search->BeforePesq = [this, queryName] {
        host::Query& suppliers = query(queryName);
        bindSupplierDisplay(suppliers, msgPadrao);
        suppliers.SetParam(QStringLiteral("P_NRINSJURFORN"), QString());
        suppliers.SetParam(QStringLiteral("P_TNRINSJURFORN"), QStringLiteral("T"));
        suppliers.Open();
    };
    host::SearchRequest search;
    search.keyField = QStringLiteral("NRINSJURFORN");
    search.title = QStringLiteral("Fornecedor");
    search.emptyText = QStringLiteral("Não há fornecedor cadastrado.");
    search.parent = this;
    field.search->OnPesquisa = [this, search, queryName]() mutable {
        search.source = &query(queryName);
        return host::Ui::current().Pesquisar(search);
    };
    field.search->AfterPesq = [this, &field, &chosen, queryName] {
        host::Query& suppliers = query(queryName);
        const QString type = suppliers.FieldByName(QStringLiteral("IDTPIJURFORN")).AsString();
        field.code->SetEditMask(host::PictPess(type));
        field.setText(suppliers.FieldByName(QStringLiteral("NRINSJURFORN")).AsString().trimmed(),
                      suppliers.FieldByName(QStringLiteral("NMRAZSOCFORN")).AsString());
        chosen = suppliers.FieldByName(QStringLiteral("CDFORNECED")).AsString();
    };
}

bool TfrmForneInsert::readSupplier(LookupField& field, const QString& queryName)
{
    QString number = field.code->Text();
    const host::Inscricao document = host::Ajusta_Inscricao(number);
    host::Query& supplier = query(queryName);
    supplier.SetParam(QStringLiteral("P_NRINSJURFORN"), number);
    supplier.SetParam(QStringLiteral("P_TNRINSJURFORN"), QString());
    supplier.Open();
    if (supplier.IsEmpty())
        fail(field.code, QStringLiteral("Forn_N_Cad"));
    field.code->SetEditMask(host::PictPess(document.type));
    field.setText(supplier.FieldByName(QStringLiteral("NRINSJURFORN")).AsString().trimmed(),
                  supplier.FieldByName(QStringLiteral("NMRAZSOCFORN")).AsString());
    return true;
}

bool TfrmForneInsert::inQuotation(const QString& code, const QString& tradeName) const
{
    return m_suppliers.contains(code + kCodeSeparator + tradeName.trimmed(), Qt::CaseInsensitive);
}

void TfrmForneInsert::Vd_Fornecedor(bool force)
{
    if (fornecedor->isEmpty()) {
        m_supplier.clear();
        if (force)
            fail(fornecedor->code, QStringLiteral("Forn_Empty"));
        return;
    }
    readSupplier(*fornecedor, kAllSuppliers);
    host::Query& supplier = query(kAllSuppliers);
    m_supplier = supplier.FieldByName(QStringLiteral("CDFORNECED")).AsString();
    if (inQuotation(m_supplier, supplier.FieldByName(QStringLiteral("NMFANTFORN")).AsString()))
        fail(fornecedor->code, QStringLiteral("Forn_J_Cad"));
    if (supplier.FieldByName(QStringLiteral("IDSITUCADA")).AsString() == QLatin1String("I"))
        fail(fornecedor->code, QStringLiteral("Forn_Ina"));
    const auto qualified = openFormQuery(
        QStringLiteral("qryQualifForn"),
        {{QStringLiteral("P_IDULTIDTVALQ"), purchasingParameter(QStringLiteral("IDULTIDTVALQ"))},
         {QStringLiteral("P_CDFORNECED"), m_supplier},
         {QStringLiteral("P_DTCOLEPREC"), collectionDate().toString(Qt::ISODate)}});
    if (qualified->IsEmpty())
        fail(fornecedor->code, QStringLiteral("Qualif_Forn"));
}

void TfrmForneInsert::Vd_FornCarg()
{
    if (fornCarg->isEmpty()) {
        // A cleared supplier copies no prices.
        m_loadSupplier.clear();
        return;
    }
    readSupplier(*fornCarg, kQuotationSuppliers);
    host::Query& supplier = query(kQuotationSuppliers);
    m_loadSupplier = supplier.FieldByName(QStringLiteral("CDFORNECED")).AsString();
    if (!inQuotation(m_loadSupplier, supplier.FieldByName(QStringLiteral("NMFANTFORN")).AsString()))
        fail(fornCarg->code, QStringLiteral("Forn_N_CadCot"));
}

void TfrmForneInsert::Vd_ProdForn()
{
    serverCheck(fornecedor->code, QStringLiteral("VdFornSrv"), QStringLiteral("Vd_ProdForn"),
                {Cli_Sup01700::stCdCentCmp, m_supplier, collectionDate(),
                 listText(m_productCodes)},
                {{QStringLiteral("S"), QStringLiteral("Forn_N_Cad_Prod")}});
}

void TfrmForneInsert::Vd_RegCot()
{
    if (cargReg->isEmpty())
        return;
    checkQuotationRegion(*cargReg, cdsRegCota);
    if (fornCarg->isEmpty())
        fail(cargReg->code, QStringLiteral("FornCargNInfReg"));
}

void TfrmForneInsert::sbtConfirmaClick()
{
    // The worksheet is read again afterwards: prices not saved would be lost.
    if (worksheet().pending())
        host::MensErro(msgPadrao.Msg(QStringLiteral("Pend_Planilha")));
    const QWidget* focused = QApplication::focusWidget();
    if (focused == fornCarg->code) {
        Vd_FornCarg();
        Vd_Fornecedor(true);
        Vd_ProdForn();
        Vd_RegCot();
    } else if (focused == cargReg->code) {
        Vd_RegCot();
        Vd_FornCarg();
        Vd_Fornecedor(true);
        Vd_ProdForn();
    } else {
        Vd_Fornecedor(true);
        Vd_FornCarg();
        Vd_ProdForn();
        Vd_RegCot();
    }
    const bool allServed = chbCargTReg->isChecked();
    cdsRegAtend.SetData(serverPacket(QString(), QStringLiteral("GetRegAtend"),
                                     {m_supplier, listText(m_regions), allServed}));
    if (cdsRegAtend.IsEmpty())
        fail(fornecedor->code, allServed ? QStringLiteral("Forn_N_AtendReg_Ger")
                                         : QStringLiteral("Forn_N_AtendReg"));
    serverPacket(QStringLiteral("IncFornecedor"), QStringLiteral("IncFornecedor"),
                 {Cli_Sup01700::stCdCentCmp, quotationNumber(), m_supplier,
                  host::Halvore::instance().Operador(),
                  allServed ? QStringLiteral("S") : QStringLiteral("N"),
                  fornCarg->isEmpty() ? QString() : m_loadSupplier, cargReg->text()});
    accept();
    // The quotation has a new supplier, perhaps in new regions: both are read again and the
    // worksheet shows all regions.
    TfrmPlanCotaPrec& form = mainForm();
    form.CarregaRegioes();
    form.cdsServRegiao.Locate(QStringLiteral("CDREGIAO"), QStringLiteral("XXX"),
                              host::LoCaseInsensitive);
    worksheet().PreencheAltCotacao(true);
    refreshAssignmentView();
}

} // namespace module
