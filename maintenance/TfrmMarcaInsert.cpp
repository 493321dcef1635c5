#include "TfrmMarcaInsert.h"

#include "ItemBatch.h"
#include "LookupField.h"

#include "module/entry/Cli_Sup01700.h"

#include "host/widgets/MaskEdit.h"

#include <QApplication>
#include <QLineEdit>

namespace module {

TfrmMarcaInsert::TfrmMarcaInsert(TfrmPlanCotaPrec& form)
    : BrandDialog(form, QStringLiteral("SUP01703"), QStringLiteral("Inclusão de Marca")),
      m_suppliers(worksheetList(QStringLiteral("F"), true)),
      m_regions(worksheetList(QStringLiteral("R"), true))
{
    marca01 = addBrandField(0, QStringLiteral("Marca"), QStringLiteral("01"));
    marca02 = addBrandField(1, QStringLiteral("2ª Marca"), QStringLiteral("02"));
    checkOnExit(*marca01, [this] { Vd_Marca(*marca01, false, marca02, true); });
    checkOnExit(*marca02, [this] { Vd_Marca(*marca02, false, marca01, false); });
    marca01->code->setFocus();
}

void TfrmMarcaInsert::vd_Fornecedor()
{
    if (!anySupplierOffered(m_suppliers))
        fail(marca01->code, QStringLiteral("N_Forn_Cad"));
}

void TfrmMarcaInsert::sbtConfirmaClick()
{
    vd_Fornecedor();
    // Only the first brand is checked on the server.
    if (QApplication::focusWidget() == marca01->code) {
        Vd_Marca(*marca01, true, marca02, true);
        Vd_Marca(*marca02, false, marca01, false);
    } else {
        Vd_Marca(*marca02, false, marca01, false);
        Vd_Marca(*marca01, true, marca02, true);
    }
    const QString brand = marca01->text();
    const QString item = itemKey(brand, marca01->name->text());
    {
        ItemBatch batch(worksheet(), true);
        for (const QString& region : m_regions)
            for (const QString& supplier : m_suppliers)
                batch.insert(region, supplier, item, 0.0);
        batch.commit();
    }
    locateRow(Cli_Sup01700::stCdProduto, 0);
    locateRow(brand, Cli_Sup01700::ActiveRow);
    accept();
}

} // namespace module
