// The dialogs that add to the current quotation and the brand change, over the demo
// worksheets: what each adds, what the save then stores, a batch that fails half-way, the
// supplier insertion that waits for pending prices, and the menus that offer them.

#include "worksheet/WorksheetTestSupport.h"

#include "support/Widgets.h"

#include "maintenance/MaintenanceEntries.h"
#include "maintenance/MaintenanceMenus.h"

#include "host/widgets/MaskEdit.h"

#include <QAction>
#include <QDialog>
#include <QRadioButton>
#include <stdexcept>

using namespace listtest;
using namespace worksheettest;
using testsupport::click;
using testsupport::findWidget;

namespace {

const QString kApple = QStringLiteral("0000000036"); // 0301002 in Daniela's quotation

class InsertionFixture : public WorksheetFixture
{
protected:
    // Selects a cell of the first item whose product value passes `wanted`.
    void selectItemOf(const std::function<bool(const QString&)>& wanted)
    {
        for (items().First(); !items().Eof(); items().Next())
            if (wanted(items().FieldByName(QStringLiteral("COCPRODUTO")).AsString()))
                break;
        ASSERT_FALSE(items().Eof());
        select(cellOf(currentKey()));
    }
    int itemsWith(const QString& text)
    {
        int found = 0;
        for (items().First(); !items().Eof(); items().Next())
            if (currentKey().contains(text))
                ++found;
        return found;
    }
    double priceOf(const QString& key)
    {
        for (items().First(); !items().Eof(); items().Next())
            if (currentKey() == key)
                return items().FieldByName(QStringLiteral("CONTA")).AsFloat();
        return -1;
    }
    void typeCode(QDialog& dialog, const char* field, const QString& code)
    {
        findWidget<host::TMaskEdit>(dialog, QString::fromLatin1(field))->SetText(code);
    }
    int regions() { return int(sheet().DegRegistros(QStringLiteral("R"), true).size()); }
    int suppliers() { return int(sheet().DegRegistros(QStringLiteral("F"), true).size()); }
    void expectNoError()
    {
        EXPECT_TRUE(ui().messageTexts(host::MessageKind::Error).isEmpty())
            << ui().lastMessage().toStdString();
    }
};

} // namespace

TEST_F(InsertionFixture, AProductComesFromTheServerAndTheSaveStoresIt)
{
    // The apple left the quotation before the worksheet was opened.
    db().exec(QStringLiteral("DELETE FROM ITEMCOLE WHERE NRCOLEPRECO = '%1' AND CDPRODUTO = '%2'")
                  .arg(kDanielaQuotation, kApple));
    openWorksheet(kDaniela, kDanielaQuotation);
    const int before = items().RecordCount();
    ui().onModal(QStringLiteral("SUP01705"), [this](QDialog& dialog) {
        // A product already quoted is refused and the dialog stays.
        typeCode(dialog, "medCdProduto", QStringLiteral("0301001"));
        click(dialog, QStringLiteral("sbtConfirma"));
        EXPECT_EQ(ui().lastMessage(), QStringLiteral("Produto já cadastrado."));
        typeCode(dialog, "medCdProduto", QStringLiteral("0301002"));
        click(dialog, QStringLiteral("sbtConfirma"));
    });
    module::CriaProdutoInsert(form());
    const int added = items().RecordCount() - before;
    EXPECT_GT(added, 0) << ui().lastMessage().toStdString();
    EXPECT_EQ(itemsWith(module::kCodeSeparator + kApple + module::kBrandSeparator), added);
    EXPECT_EQ(items().ChangeCount(), added);

    form().Confirmar->trigger();
    EXPECT_EQ(itemCount(kDanielaQuotation, QStringLiteral("AND CDPRODUTO = '%1'").arg(kApple)),
              added);
}

TEST_F(InsertionFixture, ABrandGoesToEveryRegionAndSupplierAndAChangeMovesItsItems)
{
    openWorksheet(kAna, kAnaQuotation);
    const QString coffee = dbValue(QStringLiteral("SELECT CDPRODUTO FROM PRODUTO WHERE "
                                                  "CDARVPROD = '0103001'"))
                               .toString();
    selectItemOf([&](const QString& value) { return module::productCodeOf(value) == coffee; });
    const QString newBrand =
        module::kCodeSeparator + coffee + module::kBrandSeparator + QStringLiteral("00002");
    const int before = items().RecordCount();
    const qsizetype linesBefore = lines().size();
    ui().onModal(QStringLiteral("SUP01703"), [this](QDialog& dialog) {
        typeCode(dialog, "medMarca01", QStringLiteral("16"));
        click(dialog, QStringLiteral("sbtConfirma"));
        EXPECT_EQ(ui().lastMessage(), QStringLiteral("Marca já cadastrada."));
        ui().clearRecords();
        typeCode(dialog, "medMarca01", QStringLiteral("2"));
        click(dialog, QStringLiteral("sbtConfirma"));
    });
    module::CriaMarcaInsert(form());
    expectNoError();
    const int cells = regions() * suppliers();
    EXPECT_EQ(items().RecordCount(), before + cells);
    EXPECT_EQ(itemsWith(newBrand), cells);
    EXPECT_EQ(lines().size(), linesBefore + cells);
    form().Confirmar->trigger();
    EXPECT_EQ(itemCount(kAnaQuotation, QStringLiteral("AND CDPRODUTO = '%1' AND CDMARCA = '00002'")
                                           .arg(coffee)),
              cells);

    // The soya oil's items of one brand go to another, keeping their prices, one line each.
    const QString oil = dbValue(QStringLiteral("SELECT CDPRODUTO FROM PRODUTO WHERE "
                                               "CDARVPROD = '0102001'"))
                            .toString();
    const QString terraBoa = module::kCodeSeparator + oil + module::kBrandSeparator +
                             QStringLiteral("00006¤¤TERRA BOA");
    const QString saborDoCampo = module::kCodeSeparator + oil + module::kBrandSeparator +
                                 QStringLiteral("00002¤¤SABOR DO CAMPO");
    selectItemOf([&](const QString& value) { return value.contains(terraBoa); });
    const int moved = itemsWith(terraBoa);
    ASSERT_GT(moved, 0);
    items().Locate(QStringLiteral("COCPRODUTO"), sheet().RetornaVlr(QStringLiteral("P")));
    items().Edit();
    items().FieldByName(QStringLiteral("CONTA")).SetAsFloat(12.5);
    items().Post();
    QString movedKey = currentKey();
    movedKey.replace(terraBoa, saborDoCampo);
    const qsizetype linesNow = lines().size();
    ui().onModal(QStringLiteral("SUP01714"), [this](QDialog& dialog) {
        typeCode(dialog, "medMarca", QStringLiteral("2"));
        click(dialog, QStringLiteral("sbtConfirma"));
    });
    module::CriaMarcaAlter(form());
    expectNoError();
    EXPECT_EQ(itemsWith(terraBoa), 0);
    EXPECT_EQ(itemsWith(saborDoCampo), moved);
    EXPECT_EQ(lines().size(), linesNow);
    EXPECT_FALSE(lines().join(QLatin1Char('\n')).contains(terraBoa));
    EXPECT_DOUBLE_EQ(priceOf(movedKey), 12.5);
    EXPECT_TRUE(form().boAltMarca);
    form().Confirmar->trigger();
    EXPECT_EQ(itemCount(kAnaQuotation,
                        QStringLiteral("AND CDPRODUTO = '%1' AND CDMARCA = '00002'").arg(oil)),
              moved);
}

TEST_F(InsertionFixture, ARegionCopiesPricesAndAFailureHalfWayLeavesTheWorksheetAsItWas)
{
    openWorksheet(kAna, kAnaQuotation);
    auto regionDialog = [this](bool cancelAfter) {
        ui().onModal(QStringLiteral("SUP01709"), [this, cancelAfter](QDialog& dialog) {
            typeCode(dialog, "medCdRegiao", QStringLiteral("5"));
            dialog.findChildren<QRadioButton*>().at(1)->setChecked(true); // "Todos Fornecedores"
            typeCode(dialog, "medCargReg", QStringLiteral("1"));
            click(dialog, QStringLiteral("sbtConfirma"));
            if (cancelAfter) {
                EXPECT_TRUE(dialog.isVisible());
                click(dialog, QStringLiteral("sbtCancel"));
            }
        });
        module::CriaRegiaoInsert(form());
    };
    QStringList keysBefore;
    for (items().First(); !items().Eof(); items().Next())
        keysBefore << currentKey();
    const QStringList linesBefore = lines();

    // The tenth item posted fails: nothing of the batch stays.
    const host::DataSet::Event afterPost = items().AfterPost;
    int posts = 0;
    items().AfterPost = [&](host::DataSet& table) {
        if (afterPost)
            afterPost(table);
        if (++posts == 10)
            throw std::runtime_error("Falha ao gravar o item.");
    };
    regionDialog(true);
    items().AfterPost = afterPost;
    EXPECT_EQ(ui().lastMessage(), QStringLiteral("Falha ao gravar o item."));
    QStringList keysAfter;
    for (items().First(); !items().Eof(); items().Next())
        keysAfter << currentKey();
    EXPECT_EQ(keysAfter, keysBefore);
    EXPECT_EQ(lines(), linesBefore);
    EXPECT_EQ(items().ChangeCount(), 0);
    EXPECT_FALSE(form().boIncRegiao);

    ui().clearRecords();
    const int products = int(sheet().DegRegistros(QStringLiteral("PM"), true).size());
    regionDialog(false);
    expectNoError();
    const int added = items().RecordCount() - int(keysBefore.size());
    EXPECT_GT(added, 0);
    EXPECT_EQ(added % products, 0);
    EXPECT_TRUE(form().boIncRegiao);
    // Each new item is priced as its supplier's item of the same product in region 001.
    int copied = 0;
    for (const QString& key : keysBefore) {
        if (!key.startsWith(QStringLiteral("001")))
            continue;
        const double price = priceOf(key);
        const double newPrice = priceOf(QStringLiteral("005¤¤Sul") + key.mid(key.indexOf(module::kCodeSeparator) + 2 + QStringLiteral("Grande São Paulo").size()));
        if (newPrice >= 0) {
            EXPECT_DOUBLE_EQ(newPrice, price) << key.toStdString();
            ++copied;
        }
    }
    EXPECT_GT(copied, 0);
}

TEST_F(InsertionFixture, ASupplierWaitsForThePricesTypedToBeSavedThenJoinsWithCopiedPrices)
{
    const QString grocer = QStringLiteral("000000000000000000033"); // Mercearia Paulistana
    db().exec(QStringLiteral("UPDATE FORNECEDOR SET DTVALQUALIF = '2099-12-31' WHERE CDFORNECED "
                             "= '%1'")
                  .arg(grocer));
    openWorksheet(kAna, kAnaQuotation);
    items().First();
    items().Edit();
    items().FieldByName(QStringLiteral("CONTA")).SetAsFloat(1.25);
    items().Post();
    const int stored = itemCount(kAnaQuotation);
    auto insertGrocer = [this](bool cancelAfter) {
        ui().onModal(QStringLiteral("SUP01707"), [this, cancelAfter](QDialog& dialog) {
            typeCode(dialog, "medNrInsJurForn", QStringLiteral("53469012000126"));
            // Prices of Atacadão Paulista in São Paulo.
            typeCode(dialog, "medFornCarg", QStringLiteral("48291537000184"));
            typeCode(dialog, "medCargReg", QStringLiteral("1"));
            click(dialog, QStringLiteral("sbtConfirma"));
            if (cancelAfter) {
                EXPECT_TRUE(dialog.isVisible());
                click(dialog, QStringLiteral("sbtCancel"));
            }
        });
        module::CriaForneInsert(form());
    };
    insertGrocer(true);
    EXPECT_EQ(ui().lastMessage(), QStringLiteral("Há preços não gravados na planilha. Grave ou "
                                                 "cancele as alterações antes de incluir um "
                                                 "fornecedor."));
    EXPECT_EQ(itemCount(kAnaQuotation), stored);
    EXPECT_EQ(items().ChangeCount(), 1);

    items().CancelUpdates();
    ui().clearRecords();
    insertGrocer(false);
    expectNoError();
    const int added = itemCount(kAnaQuotation, QStringLiteral("AND CDFORNECED = '%1'").arg(grocer));
    EXPECT_GT(added, 0);
    EXPECT_EQ(itemCount(kAnaQuotation), stored + added);
    // The worksheet is read again with the new supplier's items.
    EXPECT_EQ(itemsWith(grocer), added);
    EXPECT_EQ(items().ChangeCount(), 0);
}

TEST_F(InsertionFixture, TheMenusOfferWhatTheCountsAllow)
{
    openWorksheet(kAna, kAnaQuotation);
    auto* menus = form().findChild<module::MaintenanceMenus*>();
    ASSERT_NE(menus, nullptr);
    // The brands counted are the selected product's: one for the tomato paste, two for the
    // coffee. The last brand of a product is never offered for deletion.
    for (const auto& [product, brands] : {std::pair{"EXTRATO DE TOMATE", 1}, std::pair{"CAF", 2}}) {
        selectItemOf([product = QString::fromLatin1(product)](const QString& value) {
            return value.startsWith(product);
        });
        menus->prepareFerramenta(module::MaintenanceMenus::Mode::Delete);
        EXPECT_EQ(form().cdsCount.FieldByName(QStringLiteral("NRMARCA")).AsFloat() > 1, brands > 1);
        EXPECT_EQ(menus->mnuMarca->isEnabled(), brands > 1) << product;
        EXPECT_TRUE(menus->mnuForn->isEnabled());
        EXPECT_TRUE(menus->mnuProduto->isEnabled());
        menus->prepareFerramenta(module::MaintenanceMenus::Mode::Insert);
        EXPECT_TRUE(menus->mnuMarca->isEnabled());
    }
    // A region is added only while all regions are shown.
    form().cdsServRegiao.Locate(QStringLiteral("CDREGIAO"), QStringLiteral("001"));
    menus->prepareFerramenta(module::MaintenanceMenus::Mode::Insert);
    EXPECT_FALSE(menus->mnuRegiao->isEnabled());
    form().cdsServRegiao.Locate(QStringLiteral("CDREGIAO"), QStringLiteral("XXX"));
    menus->prepareFerramenta(module::MaintenanceMenus::Mode::Insert);
    EXPECT_TRUE(menus->mnuRegiao->isEnabled());

    // On the worksheet the automatic menu keeps its first two items only.
    ASSERT_TRUE(menus->prepareAuto());
    EXPECT_FALSE(menus->mnuInsProd->isVisible());
    EXPECT_FALSE(menus->mnuAlteracaodeMarca->isVisible());
    EXPECT_FALSE(menus->mnuAutoInsert->isEnabled());
    form().pgcPadrao->SelectPage(form().tshCotacao);
    EXPECT_FALSE(menus->prepareAuto());
}
