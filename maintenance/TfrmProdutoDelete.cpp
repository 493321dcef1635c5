#include "TfrmProdutoDelete.h"

#include "ItemBatch.h"
#include "LookupField.h"

#include "module/entry/Cli_Sup01700.h"
#include "module/records/QuotationRecords.h"
#include "module/records/WorksheetValues.h"
#include "shell/TfrmPlanCotaPrec.h"
#include "worksheet/Worksheet.h"

#include "host/core/ProductLookup.h"
#include "host/core/Query.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/widgets/Buttons.h"
#include "host/widgets/MaskEdit.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace module {

TfrmProdutoDelete::TfrmProdutoDelete(TfrmPlanCotaPrec& form)
    : MaintenanceDialog(form, QStringLiteral("SUP01706"), QStringLiteral("Exclusão de Produto"))
{
    buildProducts();
    buildControls();
    produto->setText(Cli_Sup01700::stCdArvProd, Cli_Sup01700::stNmProduto);
    produto->code->setFocus();
}

void TfrmProdutoDelete::buildProducts()
{
    const QString picture = host::Halvore::instance().DBPict(host::Halvore::ProductPicture);
    cdsProduto.SetFieldDefs({hidden(productCodeField()),
                             productTreeCodeField(picture, QStringLiteral("Código")),
                             productNameField(QStringLiteral("Nome"))});
    cdsProduto.CreateDataSet();
    // One row per product of the worksheet: its name and code as the items carry them.
    for (const QString& value : worksheetList(QStringLiteral("P"), true)) {
        const QString code = productCodeOf(value);
        cdsProduto.Append();
        cdsProduto.FieldByName(QStringLiteral("CDPRODUTO")).SetAsString(code);
        cdsProduto.FieldByName(QStringLiteral("CDARVPROD"))
            .SetAsString(Worksheet::BuscaCdArvProd(code));
        cdsProduto.FieldByName(QStringLiteral("NMPRODUTO")).SetAsString(productNameOf(value));
        cdsProduto.Post();
    }
    cdsProduto.First();
}

void TfrmProdutoDelete::buildControls()
{
    const QString picture = host::Halvore::instance().DBPict(host::Halvore::ProductPicture);
    produto = new LookupField(fieldGrid(), 0, QStringLiteral("Produto"), picture,
                              {QStringLiteral("medCdProduto"), QStringLiteral("btnProduto"),
                               QStringLiteral("edtNmProduto"), {}, {}},
                              this);
    produto->code->installEventFilter(this);
    produto->search->OnPesquisa = [this] {
        host::TreeSearchRequest request;
        request.source = &cdsProduto;
        request.title = QStringLiteral("Produto");
        request.emptyText = QStringLiteral("Não há produto cadastrado para a cotação");
        request.parent = this;
        return host::Ui::current().PesquisaArvore(request);
    };
    produto->search->AfterPesq = [this] {
        produto->setText(cdsProduto.FieldByName(QStringLiteral("CDARVPROD")).AsString(),
                         cdsProduto.FieldByName(QStringLiteral("NMPRODUTO")).AsString());
    };
}

bool TfrmProdutoDelete::eventFilter(QObject* watched, QEvent* event)
{
    // Tab released on the code checks it as it stands and selects it for retyping.
    if (watched == produto->code && event->type() == QEvent::KeyRelease &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Tab) {
        host::guarded([this] {
            Vd_Produto(false);
            produto->code->selectAll();
        });
    }
    return MaintenanceDialog::eventFilter(watched, event);
}

void TfrmProdutoDelete::Vd_Produto(bool force)
{
    if (produto->isEmpty()) {
        if (force)
            fail(produto->code, QStringLiteral("Prod_N_Inf"));
        return;
    }
    const QString treeCode = host::bareTreeCode(produto->code->Text());
    host::Query& product = query(QStringLiteral("qryVd_Produto"));
    product.SetParam(QStringLiteral("P_CDPRODUTO"), treeCode);
    product.Open();
    if (product.IsEmpty())
        fail(produto->code, QStringLiteral("Prod_N_Cad"));
    produto->name->setText(product.FieldByName(QStringLiteral("NMPRODUTO")).AsString());
    // A registered product must also be one of the quotation's.
    if (!cdsProduto.Locate(QStringLiteral("CDARVPROD"), treeCode, host::LoCaseInsensitive))
        fail(produto->code, QStringLiteral("Prod_N_Cad_Item"));
}

QString TfrmProdutoDelete::productItemsFilter(const QStringList& productValues,
                                              const QString& productCode)
{
    // The code is compared as a part of its own, never searched for in the whole value:
    // a product whose name holds another product's code keeps its items.
    QStringList terms;
    if (productCode.isEmpty())
        return QString();
    for (const QString& value : productValues)
        if (productCodeOf(value).compare(productCode, Qt::CaseInsensitive) == 0)
            terms.append(ItemBatch::equals(QStringLiteral("COCPRODUTO"), value));
    return terms.join(QStringLiteral(" or "));
}

void TfrmProdutoDelete::sbtConfirmaClick()
{
    Vd_Produto(true);
    const QVariantList product = host::Dados_Produto(*host::Halvore::instance().database(),
                                                     host::bareTreeCode(produto->code->Text()));
    const QString code = product.size() > 2 ? product.at(2).toString() : QString();
    const QString filter = productItemsFilter(worksheetList(QStringLiteral("PM"), true), code);
    bool removed = false;
    if (!filter.isEmpty()) {
        ItemBatch batch(worksheet());
        removed = batch.removeMatching(filter) > 0;
        batch.items().SetFiltered(false);
        worksheet().addDisplayCopy();
        batch.commit();
    }
    if (removed)
        mainForm().boExcProd = true;
    refreshAssignmentView();
    accept();
}

} // namespace module
