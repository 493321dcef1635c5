// The printed quotation (screen "SUP07000") over the demo centre: its document holds the
// quotation's header and every item, grouped by region and supplier.

#include "ListTestSupport.h"

#include "support/QtPrinters.h"

#include "host/ui/Halvore.h"
#include "register/PrintQuotationScreen.h"

#include <QDialog>
#include <QLocale>
#include <QSqlQuery>

using namespace listtest;

namespace {

struct Item
{
    QString regionCode;
    QString region;
    QString supplier;
    QString product;
    QString brand;
    QVariant price;
};

class PrintedQuotation : public ListFixture
{
protected:
    void SetUp() override
    {
        ListFixture::SetUp();
        loginAs(kAna, QStringLiteral("0002")); // a branch that buys through the centre 0001
        module::registerPrintQuotationScreen();
    }

    // Opens the screen as the system does and returns the text of its document.
    QString printed(const QString& number)
    {
        QString text;
        ui().onModal(QStringLiteral("SUP07000"), [&text](QDialog& dialog) {
            text = static_cast<module::TfrmImpCotacao&>(dialog).document().toPlainText();
            dialog.accept();
        });
        host::Halvore::instance().LoadBPL(QStringLiteral("SUP07000"), {number});
        return text;
    }

    QList<Item> itemsOf(const QString& number)
    {
        QSqlQuery query(db().sql());
        query.prepare(QStringLiteral(
            "SELECT I.CDREGIAO, R.NMREGIAO, F.NMFANTFORN, P.NMPRODUTO, M.NMMARCA, I.VRPRECUNIITM "
            "FROM ITEMCOLE I "
            "JOIN REGIAO R ON R.CDREGIAO = I.CDREGIAO JOIN FORNECEDOR F ON F.CDFORNECED = "
            "I.CDFORNECED "
            "JOIN PRODUTO P ON P.CDPRODUTO = I.CDPRODUTO JOIN MARCA M ON M.CDMARCA = I.CDMARCA "
            "WHERE I.CDFILIAL = '0001' AND I.NRCOLEPRECO = ? ORDER BY I.CDREGIAO"));
        query.addBindValue(number);
        EXPECT_TRUE(query.exec());
        QList<Item> items;
        while (query.next())
            items.append({query.value(0).toString(), query.value(1).toString(),
                          query.value(2).toString(), query.value(3).toString(),
                          query.value(4).toString(), query.value(5)});
        return items;
    }
};

QString brazilianPrice(double value)
{
    return QLocale(QLocale::Portuguese, QLocale::Brazil).toString(value, 'f', 5);
}

} // namespace

TEST_F(PrintedQuotation, TheDocumentHoldsTheHeaderAndTheSingleItem)
{
    const QString text = printed(kSingleItem);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_TRUE(text.contains("Cotação de Preços"));
    EXPECT_TRUE(text.contains("Número: " + kSingleItem));
    EXPECT_TRUE(text.contains("Comprador: DANIELA.LIMA - Daniela Souza Lima"));
    const QDate from = QDate::fromString(quotationColumn("DTINIVALCOL", kSingleItem), Qt::ISODate);
    const QDate to = QDate::fromString(quotationColumn("DTFINVALCOL", kSingleItem), Qt::ISODate);
    EXPECT_TRUE(text.contains("Validade: " + from.toString("dd/MM/yyyy") + " a " +
                              to.toString("dd/MM/yyyy")));

    const QList<Item> items = itemsOf(kSingleItem);
    ASSERT_EQ(items.size(), 1);
    const Item& item = items.first();
    EXPECT_TRUE(text.contains("Região: ")) << text.toStdString();
    EXPECT_TRUE(text.contains(item.region));
    EXPECT_TRUE(text.contains("Fornecedor: " + item.supplier));
    EXPECT_TRUE(text.contains(item.product));
    EXPECT_TRUE(text.contains(item.brand));
    ASSERT_FALSE(item.price.isNull());
    EXPECT_TRUE(text.contains(brazilianPrice(item.price.toDouble()))) << text.toStdString();
}

TEST_F(PrintedQuotation, EveryItemIsPrintedUnderItsRegionInRegionOrder)
{
    const QString text = printed(kAnaQuotation);
    const QList<Item> items = itemsOf(kAnaQuotation);
    ASSERT_GT(items.size(), 10);
    int lastRegion = -1;
    for (const Item& item : items) {
        const QString heading = "Região: " + item.regionCode + " - " + item.region;
        const int at = text.indexOf(heading);
        ASSERT_GE(at, 0) << heading.toStdString();
        EXPECT_GE(at, lastRegion) << "regions are printed in code order";
        lastRegion = at;
        EXPECT_TRUE(text.contains(item.product)) << item.product.toStdString();
        if (!item.price.isNull()) {
            EXPECT_TRUE(text.contains(brazilianPrice(item.price.toDouble())));
        }
    }
}

TEST_F(PrintedQuotation, AnUnknownNumberOpensNothing)
{
    host::Halvore::instance().LoadBPL(QStringLiteral("SUP07000"), {QStringLiteral("9999999999")});
    EXPECT_TRUE(ui().modals().isEmpty());
    EXPECT_EQ(ui().messageTexts(host::MessageKind::Information),
              QStringList{"Cotação de preços 9999999999 não encontrada."});
}
