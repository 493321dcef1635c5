// The deletion dialogs over Daniela's produce worksheet: what each takes out of the
// quotation, what the save then stores, a deletion that fails half-way, and the copy that
// keeps a single item in sight without ever being saved.

#include "worksheet/WorksheetTestSupport.h"

#include "support/Widgets.h"

#include "maintenance/MaintenanceEntries.h"

#include "host/widgets/MaskEdit.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <stdexcept>

using namespace listtest;
using namespace worksheettest;
using testsupport::click;
using testsupport::findWidget;
using testsupport::typeInto;

namespace {

// Products and suppliers of the produce quotation (0000000004).
const QString kBanana = QStringLiteral("0000000035");          // 0301001, two brands
const QString kApple = QStringLiteral("0000000036");           // 0301002, two brands
const QString kFarm = QStringLiteral("000000000000000000021"); // "Sítio Santa Luzia", a CPF

class DeletionFixture : public WorksheetFixture
{
protected:
    // The items whose value in `field` has `code` as its code part.
    int itemsOf(const char* field, QString (*codeOf)(const QString&), const QString& code)
    {
        int found = 0;
        for (items().First(); !items().Eof(); items().Next())
            if (codeOf(items().FieldByName(QString::fromLatin1(field)).AsString()) == code)
                ++found;
        return found;
    }
    int productItems(const QString& code)
    {
        return itemsOf("COCPRODUTO", module::productCodeOf, code);
    }
    QStringList keys()
    {
        QStringList all;
        for (items().First(); !items().Eof(); items().Next())
            all << currentKey();
        return all;
    }
    QVariantList counters()
    {
        QVariantList values;
        for (const char* name : {"NRREGIAO", "NRFORN", "NRPROD", "NRMARCA"})
            values << form().cdsCount.FieldByName(QString::fromLatin1(name)).Value();
        return values;
    }
    // The product deletion confirmed for a typed tree code.
    void scriptProductDeletion(const QString& treeCode)
    {
        ui().onModal(QStringLiteral("SUP01706"), [treeCode](QDialog& dialog) {
            findWidget<host::TMaskEdit>(dialog, QStringLiteral("medCdProduto"))->SetText(treeCode);
            click(dialog, QStringLiteral("sbtConfirma"));
        });
    }
};

} // namespace

TEST_F(DeletionFixture, AProductGoesUnderEveryBrandAndAProductNamedWithItsCodeStays)
{
    // The banana's name holds the apple's code.
    db().exec(
        QStringLiteral("UPDATE PRODUTO SET NMPRODUTO = 'BANANA %1' WHERE CDARVPROD = '0301001'")
            .arg(kApple));
    openWorksheet(kDaniela, kDanielaQuotation);
    const int all = items().RecordCount();
    const int apples = productItems(kApple);
    ASSERT_EQ(apples, 30);
    ASSERT_EQ(productItems(kBanana), 30);
    ASSERT_EQ(itemCount(kDanielaQuotation, QStringLiteral("AND CDPRODUTO = '%1'").arg(kBanana)),
              30);

    scriptProductDeletion(QStringLiteral("0301002"));
    module::CriaProdutoDelete(form());
    EXPECT_TRUE(ui().messageTexts(host::MessageKind::Error).isEmpty())
        << ui().lastMessage().toStdString();
    EXPECT_EQ(productItems(kApple), 0);
    EXPECT_EQ(productItems(kBanana), 30);
    EXPECT_EQ(items().RecordCount(), all - apples);
    EXPECT_FALSE(items().Filtered());
    EXPECT_TRUE(form().boExcProd);
    // No detail line is left of the apple's items; the banana's stay.
    const QString appleCode = module::kCodeSeparator + kApple + module::kBrandSeparator;
    EXPECT_FALSE(lines().join(QLatin1Char('\n')).contains(appleCode));
    EXPECT_TRUE(lines()
                    .join(QLatin1Char('\n'))
                    .contains(module::kCodeSeparator + kBanana + module::kBrandSeparator));

    form().Confirmar->trigger();
    EXPECT_TRUE(ui().messageTexts(host::MessageKind::Error).isEmpty())
        << ui().lastMessage().toStdString();
    EXPECT_EQ(itemCount(kDanielaQuotation, QStringLiteral("AND CDPRODUTO = '%1'").arg(kApple)), 0);
    EXPECT_EQ(itemCount(kDanielaQuotation, QStringLiteral("AND CDPRODUTO = '%1'").arg(kBanana)),
              30);
    EXPECT_EQ(itemCount(kDanielaQuotation), all - apples);
    EXPECT_FALSE(form().boExcProd);
}

TEST_F(DeletionFixture, ADeletionFailingHalfWayLeavesTheWorksheetAsItWas)
{
    openWorksheet(kDaniela, kDanielaQuotation);
    const QStringList keysBefore = keys();
    const QStringList linesBefore = lines();
    // Counted for the selection as it is now, as the end of the deletion counts again.
    sheet().ContaRegs(QStringLiteral("T"));
    const QVariantList countersBefore = counters();
    ASSERT_EQ(items().ChangeCount(), 0);

    // The second item deleted fails.
    const host::DataSet::Event beforeDelete = items().BeforeDelete;
    int deletes = 0;
    items().BeforeDelete = [&](host::DataSet& table) {
        if (++deletes == 2)
            throw std::runtime_error("Falha ao excluir o item.");
        if (beforeDelete)
            beforeDelete(table);
    };
    ui().onModal(QStringLiteral("SUP01706"), [](QDialog& dialog) {
        findWidget<host::TMaskEdit>(dialog, QStringLiteral("medCdProduto"))
            ->SetText(QStringLiteral("0301002"));
        click(dialog, QStringLiteral("sbtConfirma"));
        // The failure is told and the dialog stays open.
        EXPECT_TRUE(dialog.isVisible());
        click(dialog, QStringLiteral("sbtCancel"));
    });
    module::CriaProdutoDelete(form());
    items().BeforeDelete = beforeDelete;

    EXPECT_EQ(deletes, 2);
    EXPECT_EQ(ui().lastMessage(), QStringLiteral("Falha ao excluir o item."));
    EXPECT_EQ(keys(), keysBefore);
    EXPECT_EQ(items().ChangeCount(), 0);
    EXPECT_EQ(lines(), linesBefore);
    EXPECT_EQ(counters(), countersBefore);
    EXPECT_FALSE(items().Filtered());
    EXPECT_FALSE(form().boExcProd);
}

TEST_F(DeletionFixture, TheLastItemLeftKeepsItsDisplayCopyOutOfTheSave)
{
    // Only the apple of one supplier in one region is left, under two brands.
    db().exec(QStringLiteral("DELETE FROM ITEMCOLE WHERE NRCOLEPRECO = '%1' AND NOT (CDREGIAO = "
                             "'001' AND CDFORNECED = '000000000000000000013' AND CDPRODUTO = '%2')")
                  .arg(kDanielaQuotation, kApple));
    openWorksheet(kDaniela, kDanielaQuotation);
    ASSERT_EQ(items().RecordCount(), 2);
    items().First();
    const QString deleted = currentKey();
    items().Last();
    const QString kept = currentKey();
    ASSERT_NE(deleted, kept);
    select(cellOf(deleted));
    const QString brand = Cli_Sup01700::stCdMarca;
    ASSERT_EQ(brand, module::brandCodeOf(deleted));

    ui().onModal(QStringLiteral("SUP01704"), [&](QDialog& dialog) {
        auto* code = findWidget<host::TMaskEdit>(dialog, QStringLiteral("medMarca01"));
        EXPECT_EQ(code->Text().trimmed(), brand);
        EXPECT_FALSE(code->isEnabled());
        EXPECT_EQ(findWidget<QLineEdit>(dialog, QStringLiteral("edtNmMarca01"))->text(),
                  Cli_Sup01700::stNmMarca);
        click(dialog, QStringLiteral("sbtConfirma"));
    });
    module::CriaMarcaDelete(form());
    EXPECT_EQ(keys(), (QStringList{kept, kept}));
    EXPECT_TRUE(form().boAltMarca);
    // The save sends the deleted item and nothing else.
    const host::Delta delta = items().Delta();
    ASSERT_EQ(delta.changes.size(), 1u);
    EXPECT_EQ(delta.changes.front().op, host::Change::Op::Delete);

    form().Confirmar->trigger();
    EXPECT_TRUE(ui().messageTexts(host::MessageKind::Error).isEmpty())
        << ui().lastMessage().toStdString();
    EXPECT_EQ(itemCount(kDanielaQuotation), 1);
    EXPECT_EQ(itemCount(kDanielaQuotation, QStringLiteral("AND CDMARCA = '%1'").arg(brand)), 0);
}

TEST_F(DeletionFixture, ASupplierOutsideTheQuotationIsRefusedAndOneOfItsOwnIsTakenOut)
{
    openWorksheet(kDaniela, kDanielaQuotation);
    const int all = items().RecordCount();
    const int farmItems = itemsOf("COCFORNECED", module::supplierCodeOf, kFarm);
    ASSERT_EQ(farmItems, 24);

    ui().onModal(QStringLiteral("SUP01708"), [&](QDialog& dialog) {
        // "Atacadão Paulista" quotes no produce.
        typeInto(dialog, QStringLiteral("medNrInsJurForn"), QStringLiteral("48291537000184"));
        click(dialog, QStringLiteral("sbtConfirma"));
        EXPECT_EQ(ui().lastMessage(),
                  QStringLiteral("Fornecedor informado não cadastrado na cotação."));
        EXPECT_EQ(items().RecordCount(), all);
        EXPECT_EQ(findWidget<QLineEdit>(dialog, QStringLiteral("edtNmRazSocForn"))->text(),
                  QStringLiteral("Atacadão Paulista de Alimentos Ltda"));
        // A CPF typed with its punctuation.
        typeInto(dialog, QStringLiteral("medNrInsJurForn"), QStringLiteral("318.745.269-82"));
        click(dialog, QStringLiteral("sbtConfirma"));
    });
    module::CriaForneDelete(form());
    EXPECT_EQ(itemsOf("COCFORNECED", module::supplierCodeOf, kFarm), 0);
    EXPECT_EQ(items().RecordCount(), all - farmItems);
    EXPECT_TRUE(form().boExcForn);
}
