// The "Localizar" screen (SUP01717) over a small worksheet grid: positioning by a product
// or brand code from another screen, and the find window stepping through the rows.

#include "maintenance/locate/LocateScreen.h"

#include "support/QtPrinters.h"
#include "support/ScriptedUi.h"
#include "support/TestApplication.h"

#include "host/core/DataSet.h"
#include "host/core/Packet.h"
#include "host/pivot/DecisionCube.h"
#include "host/pivot/NewDecisionGrid.h"
#include "host/ui/Halvore.h"

#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>

namespace {

using Grid = host::TNewDecisionGrid;

QString product(const char* name, const char* code, const char* brand, const char* brandName)
{
    return QString::fromUtf8(name) + QStringLiteral("¤¤") + QString::fromLatin1(code) +
           QStringLiteral("¥¥") + QString::fromLatin1(brand) + QStringLiteral("¤¤") +
           QString::fromUtf8(brandName);
}

const QString kRiceTio = product("ARROZ", "0000000001", "00001", "TIO JOÃO");
const QString kRiceCamil = product("ARROZ", "0000000001", "00002", "CAMIL");
const QString kBeans = product("FEIJÃO PRETO", "0000000002", "00001", "TIO JOÃO");
// A kit whose name carries codes of other products and brands.
const QString kKit =
    product("KIT 0000000002 0000000007 00002 00007", "0000000009", "00009", "CESTA");
const QString kOil = product("ÓLEO", "0000000004", "00002", "SOYA");

// The worksheet's cube (region and supplier across, product and brand down) over a
// handful of items, shown in a grid inside a window.
class LocateScreen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testsupport::application();
        module::registerLocateScreen();
        using host::FieldDef;
        host::Packet packet(
            host::FieldDefs{FieldDef::text(QStringLiteral("COCREGIAO"), 35),
                            FieldDef::text(QStringLiteral("COCFORNECED"), 63),
                            FieldDef::text(QStringLiteral("COCPRODUTO"), 91),
                            FieldDef::of(QStringLiteral("CONTA"), host::FieldType::Float)});
        for (const QString& label : {kRiceTio, kRiceCamil, kBeans, kKit, kOil, kBeans})
            packet.appendRow(
                {QStringLiteral("001¤¤NORTE"),
                 label == kBeans ? QStringLiteral("002¤¤BETA") : QStringLiteral("001¤¤ALFA"), label,
                 1.0});
        items.SetData(packet);
        for (const char* field : {"COCREGIAO", "COCFORNECED", "COCPRODUTO"})
            cube.AddDimension(QString::fromLatin1(field));
        cube.SetSummaryField(QStringLiteral("CONTA"));
        cube.SetPivot({2}, {0, 1});
        cube.SetDataSet(&items);
        cube.SetActive(true);

        window = std::make_unique<QWidget>();
        grid = new Grid(window.get());
        auto* layout = new QVBoxLayout(window.get());
        layout->addWidget(grid);
        grid->SetDecisionCube(&cube);
        window->resize(900, 120); // a few rows in sight: finding scrolls
        window->show();
    }

    void TearDown() override
    {
        window.reset(); // the find window goes with it
        host::Halvore::instance().reset();
    }

    // The data row labelled `label`; fails when the grid has none.
    int rowOf(const QString& label) const
    {
        for (int row = 0; row < grid->DataRowCount(); ++row)
            if (grid->Cells(-1, row) == label)
                return row;
        ADD_FAILURE() << "no row labelled " << label.toStdString();
        return -1;
    }

    QString currentLabel() const { return grid->Cells(-1, grid->Row()); }

    static void load(const QVariantList& values)
    {
        host::Halvore::instance().LoadBPL(QStringLiteral("SUP01717"), values);
    }
    void locate(const QString& code, int startRow)
    {
        load({QStringLiteral("L"), code, QStringLiteral("4"), QVariant::fromValue<QObject*>(grid),
              -1, startRow});
    }
    void openFind(Grid* target)
    {
        load({QStringLiteral("P"), QVariant::fromValue<QObject*>(target), -1, true});
    }

    // Types `text` into the find window, key by key (accents included), and presses Enter.
    void findNext(const QString& text)
    {
        QLineEdit* edit = module::frmLocaliza()->edtProcura;
        edit->clear();
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        ASSERT_EQ(edit->text(), text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    testsupport::ScriptedUi ui;
    host::DataSet items;
    host::TDecisionCube cube;
    std::unique_ptr<QWidget> window;
    Grid* grid = nullptr;
};

TEST_F(LocateScreen, CodesLandOnTheRowsOfTheirProductOrBrand)
{
    ASSERT_TRUE(grid->IsSumRow(grid->DataRowCount() - 1)); // the grand total closes the rows
    ASSERT_TRUE(grid->GotoCell(1, 0));

    // A product code, from the top and from a row past its match: the kit, whose name
    // carries the code, is passed over and the search goes round to the beans.
    locate(QStringLiteral("0000000002"), -1);
    EXPECT_EQ(currentLabel(), kBeans);
    locate(QStringLiteral("0000000002"), rowOf(kBeans) + 1);
    EXPECT_EQ(currentLabel(), kBeans);

    // A brand code: CAMIL, then the oil after it (the kit's name does not count), then
    // round again from the total row and from a row past the end.
    locate(QStringLiteral("00002"), -1);
    EXPECT_EQ(currentLabel(), kRiceCamil);
    locate(QStringLiteral("00002"), rowOf(kRiceCamil) + 1);
    EXPECT_EQ(currentLabel(), kOil);
    locate(QStringLiteral("00002"), grid->DataRowCount() - 1);
    EXPECT_EQ(currentLabel(), kRiceCamil);
    locate(QStringLiteral("00002"), 999);
    EXPECT_EQ(currentLabel(), kRiceCamil);
    EXPECT_EQ(grid->Col(), 1);

    // Codes only in a product's name, unknown codes and values of another shape leave the
    // grid where it is; another kind of code is looked for anywhere in the label.
    ASSERT_TRUE(grid->GotoCell(0, rowOf(kOil)));
    for (const char* code : {"0000000007", "00007", "0000000099"})
        locate(QString::fromLatin1(code), -1);
    load({QStringLiteral("L"), QStringLiteral("00001")});
    load({QStringLiteral("P"), QVariant(), -1, true});
    EXPECT_EQ(currentLabel(), kOil);
    EXPECT_EQ(module::frmLocaliza(), nullptr);
    locate(QStringLiteral("KIT"), -1);
    EXPECT_EQ(currentLabel(), kKit);
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(LocateScreen, FindWindowStepsThroughTheRowsOfTheLastGrid)
{
    ASSERT_TRUE(grid->GotoCell(2, 0));
    openFind(grid);
    module::TfrmLocaliza* find = module::frmLocaliza();
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(find->isVisible() && !find->isModal());

    // Without accents and in lower case, from the row after the current one and round to
    // the top; Enter and the button both find the next row.
    findNext(QStringLiteral("joao"));
    EXPECT_EQ(currentLabel(), kBeans);
    EXPECT_EQ(grid->Col(), 2);
    QTest::keyClick(find->edtProcura, Qt::Key_Return);
    EXPECT_EQ(currentLabel(), kRiceTio);
    QTest::mouseClick(find->sbtProximo, Qt::LeftButton);
    EXPECT_EQ(currentLabel(), kBeans);
    // Accents typed match the label's; the row found is brought into sight.
    findNext(QStringLiteral("óleo"));
    EXPECT_EQ(currentLabel(), kOil);
    EXPECT_GE(grid->Row(), grid->TopRow());
    EXPECT_LT(grid->Row(), grid->TopRow() + std::max(1, grid->VisibleRowCount()));
    EXPECT_TRUE(ui.messages().isEmpty());

    // Nothing holds the text: the buyer is told and the grid stays.
    findNext(QStringLiteral("macarrão"));
    EXPECT_EQ(currentLabel(), kOil);
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.lastMessage(), QStringLiteral("Produto ou marca não encontrado."));

    // Another grid opens the same window, which then searches that grid; when that grid
    // goes away, searching does nothing.
    auto* other = new Grid(window.get());
    other->SetDecisionCube(&cube);
    openFind(other);
    EXPECT_EQ(module::frmLocaliza(), find);
    findNext(QStringLiteral("camil"));
    EXPECT_EQ(other->Cells(-1, other->Row()), kRiceCamil);
    EXPECT_EQ(currentLabel(), kOil);
    delete other;
    EXPECT_FALSE(find->LocalizaProximo());
    EXPECT_EQ(ui.messages().size(), 1);

    // Escape closes it; opening it again brings the same window back up.
    QTest::keyClick(find->edtProcura, Qt::Key_Escape);
    EXPECT_FALSE(find->isVisible());
    openFind(grid);
    EXPECT_EQ(module::frmLocaliza(), find);
    EXPECT_TRUE(find->isVisible());
    findNext(QStringLiteral("Feijao p"));
    EXPECT_EQ(currentLabel(), kBeans);
}

} // namespace
