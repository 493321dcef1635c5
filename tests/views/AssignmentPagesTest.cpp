// The two assignment pages: each row typed is checked, stored at once, offered to the other
// regions and read back; a refused change goes back to what is stored.

#include "register/ListTestSupport.h"

#include "views/AssignmentPage.h"

#include "host/widgets/grid/DBGrid.h"

#include <QAction>
#include <QDialog>
#include <QTest>

using namespace listtest;

namespace {

class AssignmentFixture : public ListFixture
{
protected:
    // Ana's quotation on one of the two pages, the worksheet hidden.
    module::AssignmentPage& open(QAction* (module::TfrmPlanCotaPrec::*menu), host::TTabSheet* (module::TfrmPlanCotaPrec::*sheet))
    {
        module::TfrmPlanCotaPrec& window = openAs(kAna);
        window.MostraPaginasPlanilha(false);
        goTo(kAnaQuotation);
        (window.*menu)->trigger();
        auto* page = dynamic_cast<module::AssignmentPage*>(window.pageHandler(window.*sheet));
        EXPECT_NE(page, nullptr);
        ui().clearRecords();
        return *page;
    }
    module::AssignmentPage& productSupplier()
    {
        return open(&module::TfrmPlanCotaPrec::mnuProdForn, &module::TfrmPlanCotaPrec::tshProdForn);
    }
    module::AssignmentPage& supplierProduct()
    {
        return open(&module::TfrmPlanCotaPrec::mnuFornProd, &module::TfrmPlanCotaPrec::tshFornProd);
    }
    host::DataSet& items() { return form().cdsProdForn; }
    QString field(host::DataSet& table, const char* name)
    {
        return table.FieldByName(QString::fromLatin1(name)).AsString();
    }
    double storedPrice(const QString& region, const QString& supplier, const QString& product,
                       const QString& brand)
    {
        return dbValue(QStringLiteral("SELECT VRPRECUNIITM FROM ITEMCOLE WHERE CDFILIAL = '0001' "
                                      "AND NRCOLEPRECO = ? AND CDREGIAO = ? AND CDFORNECED = ? "
                                      "AND CDPRODUTO = ? AND CDMARCA = ?"),
                       {kAnaQuotation, region, supplier, product, brand})
            .toDouble();
    }
};

} // namespace

TEST_F(AssignmentFixture, ARowIsCheckedFieldByFieldAndTheFirstFailureKeepsItsCell)
{
    module::AssignmentPage& page = productSupplier();
    module::TfrmPlanCotaPrec& window = form();
    ASSERT_TRUE(window.Incluir->isEnabled());
    window.Incluir->trigger();
    ASSERT_EQ(items().State(), host::DataSetState::Insert);
    // Nothing typed: the product is asked for first, and its cell keeps the focus.
    window.Confirmar->trigger();
    EXPECT_EQ(ui().lastMessage(), QStringLiteral("Produto deve ser informado."));
    EXPECT_EQ(page.itemGrid->SelectedField()->FieldName(), QStringLiteral("CDARVPROD"));
    EXPECT_EQ(items().State(), host::DataSetState::Insert);

    // A product Ana does not negotiate.
    items().FieldByName(QStringLiteral("CDARVPROD")).SetAsString(QStringLiteral("0501001"));
    window.Confirmar->trigger();
    EXPECT_EQ(ui().lastMessage(),
              QStringLiteral("Produto não cadastrado para o comprador da cotação."));
    // One the pair quotes already with the default brand.
    items().FieldByName(QStringLiteral("CDARVPROD")).SetAsString(QStringLiteral("0101001"));
    items().FieldByName(QStringLiteral("CDMARCA")).SetAsString(QStringLiteral("00002"));
    window.Confirmar->trigger();
    EXPECT_EQ(ui().lastMessage(), QStringLiteral("Cotação já cadastrada."));
    ui().answerYes();
    window.Cancelar->trigger();
    EXPECT_EQ(items().State(), host::DataSetState::Browse);
    EXPECT_EQ(callsOf(QStringLiteral("GravaItemCole")), 0);
}

TEST_F(AssignmentFixture, APriceChangedIsStoredOfferedToTheOtherRegionsAndReadBack)
{
    productSupplier();
    module::TfrmPlanCotaPrec& window = form();
    const QString region = field(form().cdsRegForn, "CDREGIAO");
    const QString supplier = field(form().cdsRegForn, "CDFORNECED");
    const QString product = field(items(), "CDPRODUTO");
    const QString brand = field(items(), "CDMARCA");
    window.Alterar->trigger();
    items().FieldByName(QStringLiteral("VRPRECUNIITM")).SetAsFloat(31.5);
    ui().answerYes();
    window.Confirmar->trigger();
    EXPECT_TRUE(ui().messages().isEmpty()) << ui().lastMessage().toStdString();
    ASSERT_EQ(ui().questions().size(), 1);
    EXPECT_EQ(ui().questions().first().text,
              QStringLiteral("Deseja atualizar os preços para as outras regiões?"));
    EXPECT_DOUBLE_EQ(storedPrice(region, supplier, product, brand), 31.5);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ITEMCOLE WHERE CDFILIAL = '0001' AND "
                                   "NRCOLEPRECO = ? AND CDFORNECED = ? AND CDPRODUTO = ? AND "
                                   "CDMARCA = ? AND VRPRECUNIITM = 31.5"),
                    {kAnaQuotation, supplier, product, brand}),
              count(QStringLiteral("SELECT COUNT(*) FROM ITEMCOLE WHERE CDFILIAL = '0001' AND "
                                   "NRCOLEPRECO = ? AND CDFORNECED = ? AND CDPRODUTO = ? AND "
                                   "CDMARCA = ?"),
                    {kAnaQuotation, supplier, product, brand}));
    // Read back from the server, on the same item, marked as changed.
    EXPECT_EQ(items().State(), host::DataSetState::Browse);
    EXPECT_EQ(items().ChangeCount(), 0);
    EXPECT_EQ(field(items(), "CDPRODUTO"), product);
    EXPECT_DOUBLE_EQ(items().FieldByName(QStringLiteral("VRPRECUNIITM")).AsFloat(), 31.5);
    EXPECT_EQ(field(items(), "IDITMCOTPREC"), QStringLiteral("S"));
}

TEST_F(AssignmentFixture, ADeletionIsStoredAndARefusedChangeGoesBackToWhatIsStored)
{
    productSupplier();
    module::TfrmPlanCotaPrec& window = form();
    const QString product = field(items(), "CDPRODUTO");
    const QString brand = field(items(), "CDMARCA");
    const int before = items().RecordCount();
    ui().answerYes();
    window.Excluir->trigger();
    EXPECT_TRUE(ui().messages().isEmpty()) << ui().lastMessage().toStdString();
    EXPECT_EQ(items().RecordCount(), before - 1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ITEMCOLE WHERE NRCOLEPRECO = ? AND "
                                   "CDREGIAO = ? AND CDFORNECED = ? AND CDPRODUTO = ? AND "
                                   "CDMARCA = ?"),
                    {kAnaQuotation, field(form().cdsRegForn, "CDREGIAO"),
                     field(form().cdsRegForn, "CDFORNECED"), product, brand}),
              0);

    // Another operator removed the next item meanwhile: its new price is refused.
    const double stored = items().FieldByName(QStringLiteral("VRPRECUNIITM")).AsFloat();
    db().exec(QStringLiteral("DELETE FROM ITEMCOLE WHERE NRCOLEPRECO = '%1' AND CDREGIAO = '%2' "
                             "AND CDFORNECED = '%3' AND CDPRODUTO = '%4' AND CDMARCA = '%5'")
                  .arg(kAnaQuotation, field(form().cdsRegForn, "CDREGIAO"),
                       field(form().cdsRegForn, "CDFORNECED"), field(items(), "CDPRODUTO"),
                       field(items(), "CDMARCA")));
    window.Alterar->trigger();
    items().FieldByName(QStringLiteral("VRPRECUNIITM")).SetAsFloat(stored + 1);
    window.Confirmar->trigger();
    EXPECT_FALSE(ui().lastMessage().isEmpty());
    EXPECT_EQ(items().ChangeCount(), 0);
    EXPECT_DOUBLE_EQ(items().FieldByName(QStringLiteral("VRPRECUNIITM")).AsFloat(), stored);
}

TEST_F(AssignmentFixture, TheKeyOfAnExistingItemIsTypedOnlyOnANewRow)
{
    module::AssignmentPage& page = supplierProduct();
    host::DataSet& rows = form().cdsFornProd;
    const QString region = rows.FieldByName(QStringLiteral("CDREGIAO")).AsString();
    page.itemGrid->setFocus();
    page.itemGrid->SetSelectedField(QStringLiteral("CDREGIAO"));
    QTest::keyClicks(page.itemGrid, QStringLiteral("9"));
    QTest::keyClick(page.itemGrid, Qt::Key_Delete);
    EXPECT_EQ(rows.State(), host::DataSetState::Browse);
    EXPECT_EQ(rows.FieldByName(QStringLiteral("CDREGIAO")).AsString(), region);
    EXPECT_FALSE(page.itemGrid->ColumnButtonAt(page.itemGrid->IndiceCol(QStringLiteral("CDREGIAO"))));

    // A new row takes it, with its search, and an unknown region is refused.
    form().Incluir->trigger();
    ASSERT_EQ(rows.State(), host::DataSetState::Insert);
    EXPECT_TRUE(page.itemGrid->ColumnButtonAt(page.itemGrid->IndiceCol(QStringLiteral("CDREGIAO"))));
    rows.FieldByName(QStringLiteral("CDREGIAO")).SetAsString(QStringLiteral("999"));
    form().Confirmar->trigger();
    EXPECT_EQ(ui().lastMessage(), QStringLiteral("Região não cadastrada."));
    EXPECT_EQ(page.itemGrid->SelectedField()->FieldName(), QStringLiteral("CDREGIAO"));
}

TEST_F(AssignmentFixture, TheToolsWorkOnThePagesCurrentItem)
{
    supplierProduct();
    module::TfrmPlanCotaPrec& window = form();
    host::DataSet& rows = window.cdsFornProd;
    rows.Next();
    const QString region = rows.FieldByName(QStringLiteral("CDREGIAO")).AsString();
    const QString supplier = rows.FieldByName(QStringLiteral("CDFORNECED")).AsString();
    const QString product = window.cdsProdMarca.FieldByName(QStringLiteral("CDPRODUTO")).AsString();
    ASSERT_TRUE(window.mnuSimulacao->isEnabled());
    ui().onModal(QStringLiteral("SUP01802"), [](QDialog& screen) { screen.reject(); });
    window.mnuSimulacao->trigger();
    EXPECT_TRUE(ui().messages().isEmpty()) << ui().lastMessage().toStdString();
    // Negotiated: the item of the row shown, whatever the worksheet held before.
    EXPECT_EQ(ui().modals().size(), 1);
    EXPECT_EQ(Cli_Sup01700::stCdRegiao, region);
    EXPECT_EQ(Cli_Sup01700::stCdForneced, supplier);
    EXPECT_EQ(Cli_Sup01700::stCdProduto, product);
    // The page reads its items again and stays on the same one.
    EXPECT_EQ(rows.FieldByName(QStringLiteral("CDREGIAO")).AsString(), region);
    EXPECT_EQ(rows.FieldByName(QStringLiteral("CDFORNECED")).AsString(), supplier);
}
