#include "TfrmProdutoInsert.h"

#include "ItemBatch.h"
#include "LookupField.h"

#include "module/controls/FieldChecks.h"
#include "module/entry/Cli_Sup01700.h"
#include "module/records/QuotationRecords.h"
#include "shell/TfrmPlanCotaPrec.h"

#include "host/core/ProductLookup.h"
#include "host/core/Query.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/widgets/Buttons.h"
#include "host/widgets/MaskEdit.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>

namespace module {

TfrmProdutoInsert::TfrmProdutoInsert(TfrmPlanCotaPrec& form)
    : MaintenanceDialog(form, QStringLiteral("SUP01705"), QStringLiteral("Inclusão de Produto"))
{
    setKeptOnClose(true);
    buildControls();
    reset();
}

void TfrmProdutoInsert::buildControls()
{
    QGridLayout& grid = fieldGrid();
    const QString picture = host::Halvore::instance().DBPict(host::Halvore::ProductPicture);
    produto = new LookupField(grid, 0, QStringLiteral("Produto"), picture,
                              {QStringLiteral("medCdProduto"), QStringLiteral("btnProduto"),
                               QStringLiteral("edtNmProduto"), {}, {}},
                              this);
    checkOnExit(*produto, [this] { Vd_Produto(false); });
    produto->search->OnPesquisa = [this] {
        host::Query& source = products();
        source.SetParam(QStringLiteral("P_IDUTLPROCMP"),
                        purchasingParameter(QStringLiteral("IDUTLPROCMP")));
        source.SetParam(QStringLiteral("P_CDPRODUTO"), QString());
        source.SetParam(QStringLiteral("P_TCDPRODUTO"), QStringLiteral("T"));
        source.Open();
        host::TreeSearchRequest request;
        request.source = &source;
        request.title = QStringLiteral("Produto");
        request.emptyText = QStringLiteral("Não há produto cadastrado.");
        request.parent = this;
        return host::Ui::current().PesquisaArvore(request);
    };
    produto->search->AfterPesq = [this] {
        host::Query& chosen = products();
        produto->setText(chosen.FieldByName(QStringLiteral("CDARVPROD")).AsString(),
                         chosen.FieldByName(QStringLiteral("NMPRODTRIM")).AsString());
    };

    auto* brands = new QGroupBox(msgPadrao.Msg(QStringLiteral("Marca")));
    brands->setObjectName(QStringLiteral("grbMarca"));
    auto* row = new QHBoxLayout(brands);
    rbtAuto = new QRadioButton(QStringLiteral("Automática"));
    rbtAuto->setObjectName(QStringLiteral("rbtAuto"));
    rbtAuto->setChecked(true);
    rbtLista = new QRadioButton(QStringLiteral("Lista"));
    rbtLista->setObjectName(QStringLiteral("rbtLista"));
    rbtLista->installEventFilter(this);
    sbtMarca = new host::TButtonFlat;
    sbtMarca->setObjectName(QStringLiteral("sbtMarca"));
    sbtMarca->setText(QStringLiteral("..."));
    sbtMarca->setToolTip(QStringLiteral("Pesquisar"));
    sbtMarca->setEnabled(false);
    static_cast<host::TButtonFlat*>(sbtMarca)->OnClick = [this] { chooseBrands(); };
    row->addWidget(rbtAuto);
    row->addWidget(rbtLista);
    row->addWidget(sbtMarca);
    row->addStretch();
    host::connectGuarded(rbtLista, &QRadioButton::toggled, this,
                         [this](bool list) { sbtMarca->setEnabled(list); });
    grid.addWidget(brands, 1, 0, 1, 4);
}

bool TfrmProdutoInsert::eventFilter(QObject* watched, QEvent* event)
{
    // F9 on "Lista" opens the brand list.
    if (watched == rbtLista && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F9 && rbtLista->isChecked()) {
        host::guarded([this] { chooseBrands(); });
        return true;
    }
    return MaintenanceDialog::eventFilter(watched, event);
}

void TfrmProdutoInsert::reset()
{
    produto->setText(QString(), QString());
    m_productCode.clear();
    m_suppliers = worksheetList(QStringLiteral("F"), true);
    m_productCodes = worksheetList(QStringLiteral("P"), false);
    m_regions = worksheetList(QStringLiteral("R"), true);
    produto->code->setFocus();
}

host::Query& TfrmProdutoInsert::products()
{
    return query(QStringLiteral("qryProduto"));
}

void TfrmProdutoInsert::chooseBrands()
{
    host::Query& brands = query(QStringLiteral("qryPesqMarca"),
                                {brandCodeField(QStringLiteral("Código")),
                                 brandNameField(QStringLiteral("Nome"))});
    brands.Open();
    if (brands.IsEmpty())
        fail(rbtLista, QStringLiteral("N_Marc"));
    host::MultiSearchRequest request;
    request.source = &brands;
    request.keyField = QStringLiteral("CDMARCA");
    request.title = msgPadrao.Msg(QStringLiteral("Title_PesqMarca"));
    request.chosen = m_chosenBrands;
    request.parent = this;
    if (const auto chosen = host::Ui::current().PesquisaLista(request))
        m_chosenBrands = *chosen;
}

// ---- validations -------------------------------------------------------------------------------

void TfrmProdutoInsert::Vd_Produto(bool force)
{
    if (produto->isEmpty()) {
        if (force)
            fail(produto->code, QStringLiteral("Prod_N_Inf"));
        return;
    }
    QString treeCode = produto->code->Text();
    host::Query& all = products();
    all.SetParam(QStringLiteral("P_IDUTLPROCMP"), QStringLiteral("N"));
    all.SetParam(QStringLiteral("P_CDPRODUTO"), QString());
    all.SetParam(QStringLiteral("P_TCDPRODUTO"), QStringLiteral("T"));
    all.Open();
    if (!host::ValidEx(treeCode, all))
        fail(produto->code, QStringLiteral("Prod_N_Cad"));
    host::Query& product = query(QStringLiteral("qryVdProd"));
    product.SetParam(QStringLiteral("P_CDPRODUTO"), treeCode);
    product.Open();
    if (product.IsEmpty())
        fail(produto->code, QStringLiteral("Prod_N_Cad"));
    produto->name->setText(product.FieldByName(QStringLiteral("NMPRODTRIM")).AsString());
    m_productCode = product.FieldByName(QStringLiteral("CDPRODUTO")).AsString();
    if (m_productCodes.contains(m_productCode, Qt::CaseInsensitive))
        fail(produto->code, QStringLiteral("Prod_J_Cad"));
    if (purchasingParameter(QStringLiteral("IDUTLPROCMP")) == QLatin1String("S") &&
        m_productCode == product.FieldByName(QStringLiteral("CDPRODESTO")).AsString())
        fail(produto->code, QStringLiteral("Prod_N_CMP"));
}

void TfrmProdutoInsert::vd_Marca()
{
    if (rbtLista->isChecked() && m_chosenBrands.isEmpty())
        fail(rbtLista, QStringLiteral("Marc_NInf"));
}

void TfrmProdutoInsert::vd_Fornecedor()
{
    if (!anySupplierOffered(m_suppliers))
        fail(produto->code, QStringLiteral("N_Forn_Cad"));
}

void TfrmProdutoInsert::vd_ProdComp()
{
    const QString treeCode = host::bareTreeCode(produto->code->Text());
    host::Query& count = query(QStringLiteral("qryProdComp"));
    count.SetParam(QStringLiteral("P_CDPRODUTO"), treeCode);
    count.SetParam(QStringLiteral("P_CDCOMPRADOR"), quotationBuyer());
    count.Open();
    if (count.FieldByName(QStringLiteral("CTPRODOPER")).AsInteger() > 0)
        return;
    if (purchasingParameter(QStringLiteral("IDUMPRODCMP")) != QLatin1String("S"))
        fail(produto->code, QStringLiteral("Prod_N_Cad_Comp"));
    host::Query& buyers = query(QStringLiteral("qryCompradorProd"));
    buyers.SetParam(QStringLiteral("P_CDPRODUTO"), treeCode);
    buyers.Open();
    if (buyers.IsEmpty())
        fail(produto->code, QStringLiteral("Prod_N_Cad_Comp"));
    failText(produto->code, msgPadrao.Msg(QStringLiteral("Comp_N_Autoriz")) + QLatin1Char(' ') +
                                buyers.FieldByName(QStringLiteral("CDOPERADOR")).AsString() +
                                QStringLiteral(" - ") +
                                buyers.FieldByName(QStringLiteral("NMOPERADOR")).AsString());
}

QString TfrmProdutoInsert::productCode() const
{
    const QVariantList product = host::Dados_Produto(*host::Halvore::instance().database(),
                                                     host::bareTreeCode(produto->code->Text()));
    return product.size() > 2 ? product.at(2).toString() : QString();
}

void TfrmProdutoInsert::Vd_FuncaoFili()
{
    serverCheck(produto->code, QStringLiteral("GetInsProd"), QStringLiteral("Vd_FuncaoFili"),
                {host::Halvore::instance().FiliProc(), Cli_Sup01700::stCdRegiao, productCode()},
                {{QStringLiteral("C"), QStringLiteral("Prod_NFilCor")},
                 {QStringLiteral("R"), QStringLiteral("Prod_NFilReg")}},
                6);
}

// ---- confirmation ------------------------------------------------------------------------------

void TfrmProdutoInsert::sbtConfirmaClick()
{
    Vd_Produto(true);
    vd_Marca();
    vd_Fornecedor();
    vd_ProdComp();
    Vd_FuncaoFili();
    const QString product = productCode();
    // Automatic brands send no list: the server finds the product's own.
    const QString brands = rbtLista->isChecked() ? m_chosenBrands : QString();
    cdsInsProd.SetData(serverPacket(
        QStringLiteral("GetInsProd"), QStringLiteral("GetInsProd"),
        {Cli_Sup01700::stCdCentCmp, product, brands, collectionDate(), listText(m_suppliers),
         listText(m_regions)}));
    if (cdsInsProd.IsEmpty()) {
        const bool withoutBrand = purchasingParameter(QStringLiteral("IDPROSEMMAR")) ==
                                  QLatin1String("S");
        failText(produto->code,
                 QStringList{msgPadrao.Msg(QStringLiteral("NDadIns")),
                             msgPadrao.Msg(QStringLiteral("Prod_N_Cad_Forn")),
                             msgPadrao.Msg(withoutBrand ? QStringLiteral("NMarcQualif")
                                                        : QStringLiteral("Marc_N_Cad_Prod"))}
                     .join(QLatin1Char('\n')));
    }
    {
        ItemBatch batch(worksheet(), true);
        for (cdsInsProd.First(); !cdsInsProd.Eof(); cdsInsProd.Next())
            batch.insert(cdsInsProd.FieldByName(QStringLiteral("COCREGIAO")).AsString(),
                         cdsInsProd.FieldByName(QStringLiteral("COCFORNECED")).AsString(),
                         cdsInsProd.FieldByName(QStringLiteral("COCPRODUTO")).AsString(), 0.0);
        batch.commit();
    }
    if (worksheetShown())
        locateRow(product, 0);
    else
        refreshAssignmentView();
    accept();
}

} // namespace module
