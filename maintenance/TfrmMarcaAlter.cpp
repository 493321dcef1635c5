#include "TfrmMarcaAlter.h"

#include "ItemBatch.h"
#include "LookupField.h"

#include "module/entry/Cli_Sup01700.h"
#include "shell/TfrmPlanCotaPrec.h"
#include "worksheet/Worksheet.h"

#include "host/core/consiste/Consiste.h"
#include "module/records/QuotationRecords.h"
#include "host/widgets/MaskEdit.h"
#include "host/widgets/PageControl.h"

#include <QLineEdit>

namespace module {

TfrmMarcaAlter::TfrmMarcaAlter(TfrmPlanCotaPrec& form)
    : BrandDialog(form, QStringLiteral("SUP01714"), QStringLiteral("Alteração de Marca"))
{
    marca = addBrandField(0, QStringLiteral("Marca"), QString());
    checkOnExit(*marca, [this] { Vd_Marca(*marca, false, nullptr, true); });
    marca->code->setFocus();
}

void TfrmMarcaAlter::sbtConfirmaClick()
{
    if (!marca->isEmpty() &&
        host::Ajusta(marca->text(), Width::Brand) == Cli_Sup01700::stCdMarca) {
        accept();
        return;
    }
    Vd_Marca(*marca, true, nullptr, true);
    const QString brand = marca->text();
    const QString newItem = itemKey(brand, marca->name->text());
    mainForm().boAltMarca = true;
    {
        // The items are found first and then re-keyed one by one through the item table's
        // own events, which move each item's detail line to its new key.
        ItemBatch batch(worksheet());
        host::DataSet& items = batch.items();
        const QString oldItem = worksheet().RetornaVlr(QStringLiteral("P"));
        host::Field& product = items.FieldByName(QStringLiteral("COCPRODUTO"));
        QList<QVariantList> keys;
        for (items.First(); !items.Eof(); items.Next())
            if (product.AsString().compare(oldItem, Qt::CaseInsensitive) == 0)
                keys.append({items.FieldByName(QStringLiteral("COCFORNECED")).AsString(),
                             items.FieldByName(QStringLiteral("COCREGIAO")).AsString(), oldItem});
        for (const QVariantList& key : keys) {
            if (!items.Locate(QStringLiteral("COCFORNECED;COCREGIAO;COCPRODUTO"), key,
                              host::LoCaseInsensitive))
                continue;
            items.Edit();
            product.SetAsString(newItem);
            items.Post();
        }
        batch.commit();
    }
    if (mainForm().pgcPadrao->ActivePage() == mainForm().tshPadrao) {
        locateRow(Cli_Sup01700::stCdProduto, 0);
        locateRow(brand, Cli_Sup01700::ActiveRow);
    } else {
        refreshAssignmentView();
    }
    accept();
}

} // namespace module
