// The quotation list page against the demo centre: what the list shows, deleting a
// quotation, a manager handing a quotation to another buyer, and the "Lista" flag.

#include "ListTestSupport.h"

#include "support/QtPrinters.h"

#include "host/core/Exceptions.h"
#include "host/ui/Guard.h"

#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QTest>

using namespace listtest;

namespace {

QString dbDate(const QVariant& iso)
{
    return QDate::fromString(iso.toString(), Qt::ISODate).toString(QStringLiteral("dd/MM/yyyy"));
}

// The window is shown and active, so that keys and clicks reach its grid as on a desktop.
void activateWindow(QWidget& window)
{
    QApplication::setActiveWindow(&window);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

QRect cellRect(host::DBGrid& grid, const host::DataSet& list, const QString& field)
{
    return grid.visualRect(grid.model()->index(list.currentRow(), grid.IndiceCol(field)));
}

bool hasColour(const QImage& image, const QRect& rect, const QColor& colour)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

} // namespace

TEST_F(ListFixture, TheListShowsEachQuotationWithItsQuotedSuppliers)
{
    module::TfrmPlanCotaPrec& window = openAs(kAna);
    EXPECT_EQ(list().RecordCount(),
              count(QStringLiteral("SELECT COUNT(*) FROM COLETAPR WHERE CDFILIAL = '0001'")));

    host::DBGrid& grid = *module::listPageOf(window).dbgCotacao;
    QStringList columns;
    for (const host::DBGrid::Column& column : grid.Columns())
        columns << column.fieldName;
    EXPECT_EQ(columns, (QStringList{"IDTIPCOLREG", "NRCOLEPRECO", "DTCOLEPREC", "CDOPERADOR",
                                    "Semana", "Data", "IDDISMONTLIS"}));
    EXPECT_EQ(grid.horizontalHeader()->sectionSize(0), 26);
    EXPECT_EQ(grid.horizontalHeader()->sectionSize(3), 188);
    EXPECT_EQ(grid.model()->headerData(5, Qt::Horizontal).toString(), "Validade (Data)");
    EXPECT_EQ(grid.model()->headerData(6, Qt::Horizontal).toString(), "Lista");

    // Weeks and validity as the quotation stores them.
    goTo(kAnaQuotation);
    const QString first = quotationColumn(QStringLiteral("NRSEMAINIC"), kAnaQuotation);
    const QString last = quotationColumn(QStringLiteral("NRSEMAFINAL"), kAnaQuotation);
    EXPECT_EQ(list().FieldByName(QStringLiteral("Semana")).DisplayText(), first + " a " + last);
    EXPECT_EQ(list().FieldByName(QStringLiteral("Data")).DisplayText(),
              dbDate(quotationColumn(QStringLiteral("DTINIVALCOL"), kAnaQuotation)) + " a " +
                  dbDate(quotationColumn(QStringLiteral("DTFINVALCOL"), kAnaQuotation)));

    // The lower pane holds the current quotation's suppliers only, and follows the list.
    const QString suppliersOf = QStringLiteral("SELECT COUNT(DISTINCT CDFORNECED) FROM ITEMCOLE "
                                               "WHERE CDFILIAL = '0001' AND NRCOLEPRECO = ?");
    host::DataSet& suppliers = window.cdsFornCotados;
    EXPECT_EQ(suppliers.RecordCount(), count(suppliersOf, {kAnaQuotation}));
    goTo(kSingleItem);
    ASSERT_EQ(suppliers.RecordCount(), 1);
    EXPECT_EQ(suppliers.FieldByName(QStringLiteral("NRCOLEPRECO")).AsString(), kSingleItem);
    const QString type =
        dbValue(QStringLiteral("SELECT F.IDTPIJURFORN FROM ITEMCOLE I JOIN FORNECEDOR F "
                               "ON F.CDFORNECED = I.CDFORNECED WHERE I.NRCOLEPRECO = ?"),
                {kSingleItem})
            .toString();
    const QMap<QString, QString> typeTexts{
        {"J", "Jurídica"}, {"F", "Física"}, {"I", "Insc. Jurídica"}, {"O", "Outros"}};
    EXPECT_EQ(suppliers.FieldByName(QStringLiteral("IDTPIJURFORN")).DisplayText(),
              typeTexts.value(type));

    // The status line names the current quotation, in bold.
    EXPECT_EQ(window.statusPanel(0)->text(), kSingleItem);
    EXPECT_EQ(window.statusPanel(1)->text(),
              dbDate(quotationColumn(QStringLiteral("DTCOLEPREC"), kSingleItem)));
    EXPECT_EQ(window.statusPanel(2)->text(), "Daniela Souza Lima");
    EXPECT_TRUE(window.statusPanel(2)->font().bold());
}

TEST_F(ListFixture, TheListDrawsTheCollectionTypeAndTheListaCheck)
{
    module::TfrmPlanCotaPrec& window = openAs(kAna);
    host::DBGrid& grid = *module::listPageOf(window).dbgCotacao;
    const QColor alertYellow(255, 204, 0);
    const QColor tickGreen(0, 110, 0);
    auto paintedRow = [&](const QString& number) {
        goTo(number);
        QApplication::processEvents();
        return grid.viewport()->grab().toImage();
    };
    // "L" (not sent yet) shows the alert; "N" an empty box.
    QImage image = paintedRow(kAnaQuotation);
    EXPECT_TRUE(hasColour(image, cellRect(grid, list(), "IDTIPCOLREG"), alertYellow));
    EXPECT_FALSE(hasColour(image, cellRect(grid, list(), "IDDISMONTLIS"), tickGreen));
    // "G" (priced on the worksheet) shows no picture; "S" the ticked box.
    image = paintedRow(QStringLiteral("0000000005"));
    EXPECT_FALSE(hasColour(image, cellRect(grid, list(), "IDTIPCOLREG"), alertYellow));
    EXPECT_TRUE(hasColour(image, cellRect(grid, list(), "IDDISMONTLIS"), tickGreen));
}

TEST_F(ListFixture, TheBuyerDeletesHisQuotationOnTheServer)
{
    module::TfrmPlanCotaPrec& window = openAs(kAna);
    goTo(kAnaQuotation);
    const int before = list().RecordCount();

    // "No" keeps everything.
    ui().answerNo();
    window.Excluir->trigger();
    EXPECT_EQ(callsOf(QStringLiteral("DelColetaPr")), 0);
    EXPECT_EQ(list().RecordCount(), before);

    ui().answerYes();
    window.Excluir->trigger();
    ASSERT_EQ(ui().questions().size(), 2);
    EXPECT_EQ(ui().questions().last().text, "Confirma a exclusão do registro?");
    EXPECT_EQ(list().RecordCount(), before - 1);
    EXPECT_FALSE(list().Locate(QStringLiteral("NRCOLEPRECO"), kAnaQuotation));
    EXPECT_EQ(list().ChangeCount(), 0) << "the deletion is not sent again by a later save";
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM COLETAPR WHERE NRCOLEPRECO = ?"),
                    {kAnaQuotation}),
              0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ITEMCOLE WHERE NRCOLEPRECO = ?"),
                    {kAnaQuotation}),
              0);
    ASSERT_FALSE(ui().busyEvents().isEmpty());
    EXPECT_EQ(ui().busyEvents().first().text, "Excluindo cotação de preços no servidor...");
    EXPECT_TRUE(ui().messages().isEmpty());
}

TEST_F(ListFixture, TheManagerDeletesHisBuyersQuotation)
{
    module::TfrmPlanCotaPrec& window = openAs(kManager);
    goTo(kDanielaQuotation);
    ASSERT_TRUE(window.Excluir->isEnabled());
    ui().answerYes();
    window.Excluir->trigger();
    EXPECT_FALSE(list().Locate(QStringLiteral("NRCOLEPRECO"), kDanielaQuotation));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM COLETAPR WHERE NRCOLEPRECO = ?"),
                    {kDanielaQuotation}),
              0);
}

TEST_F(ListFixture, TheServersRefusalKeepsAnotherBuyersQuotation)
{
    module::TfrmPlanCotaPrec& window = openAs(kCarlos);
    goTo(kAnaQuotation);
    EXPECT_FALSE(window.Excluir->isEnabled());
    const int before = list().RecordCount();

    // Even when asked directly, the server decides and its text is shown.
    ui().answerYes();
    host::guarded([&] { module::listPageOf(window).ExcluiCotacao(); });
    EXPECT_EQ(callsOf(QStringLiteral("DelColetaPr")), 1);
    EXPECT_EQ(ui().messageTexts(host::MessageKind::Error),
              QStringList{"Somente o comprador da cotação ou seu gerente pode excluí-la."});
    EXPECT_EQ(list().RecordCount(), before);
    EXPECT_EQ(list().FieldByName(QStringLiteral("NRCOLEPRECO")).AsString(), kAnaQuotation);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM COLETAPR WHERE NRCOLEPRECO = ?"),
                    {kAnaQuotation}),
              1);
    EXPECT_EQ(ui().busyDepth(), 0);
}

TEST_F(ListFixture, AManagerTypesAnotherBuyerAndConfirms)
{
    module::TfrmPlanCotaPrec& window = openAs(kManager);
    activateWindow(window);
    goTo(kAnaQuotation);
    host::DBGrid& grid = *module::listPageOf(window).dbgCotacao;
    ASSERT_TRUE(window.Alterar->isEnabled());

    window.Alterar->trigger();
    EXPECT_EQ(list().State(), host::DataSetState::Edit);
    EXPECT_EQ(grid.SelectedField()->FieldName(), "CDOPERADOR");
    EXPECT_TRUE(grid.ColumnButtonAt(grid.IndiceCol("CDOPERADOR")));
    EXPECT_TRUE(window.Confirmar->isEnabled());

    for (const QChar c : kCarlos)
        QTest::keyClicks(QApplication::focusWidget(), QString(c));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // leaving the column checks him
    EXPECT_EQ(list().FieldByName(QStringLiteral("NMOPERADOR")).AsString(), "Carlos Eduardo Nunes");

    window.Confirmar->trigger();
    EXPECT_EQ(list().State(), host::DataSetState::Browse);
    EXPECT_EQ(list().ChangeCount(), 0);
    EXPECT_EQ(quotationColumn(QStringLiteral("CDOPERADOR"), kAnaQuotation), kCarlos);
    EXPECT_EQ(callsOf(QStringLiteral("GravaPlanCota")), 1);
    EXPECT_EQ(ui().busyEvents().first().text, "Gravando planilha de cotação de preços...");
    EXPECT_TRUE(ui().messages().isEmpty()) << ui().messageTexts().join('\n').toStdString();
}

TEST_F(ListFixture, TheBuyerSearchOffersTheManagersBuyersAndChecksWhatIsTyped)
{
    module::TfrmPlanCotaPrec& window = openAs(kManager);
    goTo(kAnaQuotation);
    window.Alterar->trigger();

    ui().answerSearch(QStringLiteral("DANIELA.LIMA"));
    module::listPageOf(window).PesquisaComprador();
    ASSERT_EQ(ui().searches().size(), 1);
    EXPECT_EQ(ui().searches().first().title, "Comprador");
    EXPECT_EQ(list().FieldByName(QStringLiteral("CDOPERADOR")).AsString(), "DANIELA.LIMA");
    EXPECT_EQ(list().FieldByName(QStringLiteral("NMOPERADOR")).AsString(), "Daniela Souza Lima");

    // Someone he does not manage, then nobody: the row stays in edit, nothing is saved.
    host::Field& buyer = list().FieldByName(QStringLiteral("CDOPERADOR"));
    buyer.SetAsString(kManager);
    EXPECT_TRUE(list().FieldByName(QStringLiteral("NMOPERADOR")).AsString().isEmpty());
    window.Confirmar->trigger();
    buyer.SetAsString(QString());
    window.Confirmar->trigger();
    EXPECT_EQ(ui().messageTexts(host::MessageKind::Error),
              (QStringList{"Comprador não cadastrado para o gerente logado no sistema.",
                           "Comprador deve ser informado."}));
    EXPECT_EQ(list().State(), host::DataSetState::Edit);
    EXPECT_EQ(callsOf(QStringLiteral("GravaPlanCota")), 0);

    // Cancel puts the quotation's buyer back.
    ui().answerYes();
    window.Cancelar->trigger();
    EXPECT_EQ(ui().questions().last().text, "Confirma o cancelamento das alterações?");
    EXPECT_EQ(list().State(), host::DataSetState::Browse);
    EXPECT_EQ(buyer.AsString(), kAna);
    EXPECT_EQ(quotationColumn(QStringLiteral("CDOPERADOR"), kAnaQuotation), kAna);
}

TEST_F(ListFixture, ABuyerCannotTypeInTheList)
{
    module::TfrmPlanCotaPrec& window = openAs(kAna);
    goTo(kAnaQuotation);
    host::DBGrid& grid = *module::listPageOf(window).dbgCotacao;
    EXPECT_FALSE(window.Alterar->isEnabled());
    for (int column = 0; column < grid.Columns().size(); ++column) {
        const QModelIndex cell = grid.model()->index(list().currentRow(), column);
        EXPECT_FALSE(grid.model()->flags(cell) & Qt::ItemIsEditable)
            << grid.Columns()[column].fieldName.toStdString();
    }
    // A buyer changed from the program is still checked: he manages nobody.
    list().Edit();
    list().FieldByName(QStringLiteral("CDOPERADOR")).SetAsString(kCarlos);
    window.Confirmar->trigger();
    EXPECT_EQ(ui().messageTexts(host::MessageKind::Error),
              QStringList{"Comprador não cadastrado para o gerente logado no sistema."});
    EXPECT_EQ(quotationColumn(QStringLiteral("CDOPERADOR"), kAnaQuotation), kAna);
}

TEST_F(ListFixture, ClickingListaTogglesTheFlagAndSavesIt)
{
    db().exec(QStringLiteral("UPDATE COLETAPR SET IDDISMONTLIS = NULL WHERE NRCOLEPRECO = '%1'")
                  .arg(kAnaQuotation));
    module::TfrmPlanCotaPrec& window = openAs(kAna);
    activateWindow(window);
    goTo(kAnaQuotation);
    host::DBGrid& grid = *module::listPageOf(window).dbgCotacao;

    // An empty flag becomes "S".
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                      cellRect(grid, list(), "IDDISMONTLIS").center());
    EXPECT_EQ(list().FieldByName(QStringLiteral("IDDISMONTLIS")).AsString(), "S");
    EXPECT_EQ(quotationColumn(QStringLiteral("IDDISMONTLIS"), kAnaQuotation), "S");
    EXPECT_EQ(list().State(), host::DataSetState::Browse);
    EXPECT_EQ(list().ChangeCount(), 0);

    // Space on the column acts as the click: "S" becomes "N".
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Space);
    EXPECT_EQ(quotationColumn(QStringLiteral("IDDISMONTLIS"), kAnaQuotation), "N");
    EXPECT_EQ(callsOf(QStringLiteral("GravaPlanCota")), 2);

    // Ctrl+PageDown goes down to the quoted suppliers (not to the next quotation), Ctrl+PageUp
    // back up; Ctrl+Delete deletes nothing there.
    const int row = list().RecNo();
    QTest::keyClick(&grid, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_TRUE(module::listPageOf(window).dbgForns->hasFocus());
    EXPECT_EQ(list().RecNo(), row);
    QTest::keyClick(module::listPageOf(window).dbgForns, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_TRUE(ui().questions().isEmpty());
    QTest::keyClick(module::listPageOf(window).dbgForns, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_TRUE(grid.hasFocus());
    EXPECT_TRUE(ui().messages().isEmpty()) << ui().messageTexts().join('\n').toStdString();
}

TEST_F(ListFixture, NewQuotationsDoNotComeFromTheList)
{
    openAs(kAna);
    const int before = list().RecordCount();
    EXPECT_THROW(list().Append(), host::EAbort);
    EXPECT_EQ(list().RecordCount(), before);
    EXPECT_EQ(list().State(), host::DataSetState::Browse);
}
