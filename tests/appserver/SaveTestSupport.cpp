#include "SaveTestSupport.h"

#include "DbTestSupport.h"

#include "host/core/Exceptions.h"
#include "host/core/Query.h"
#include "module/records/QuotationRecords.h"

namespace savetest {

QuotationList::QuotationList(host::Database& db)
{
    m_table.SetData(host::Query::toPacket(
        db,
        QStringLiteral(
            "SELECT C.CDFILIAL, C.NRCOLEPRECO, C.DTCOLEPREC, C.NRSEMAINIC, C.NRSEMAFINAL, "
            "C.DTINIVALCOL, C.DTFINVALCOL, C.CDOPERADOR, O.NMOPERADOR, C.IDTIPCOLREG, "
            "C.IDDISMONTLIS FROM COLETAPR C LEFT JOIN OPERADOR O ON O.CDOPERADOR = C.CDOPERADOR "
            "ORDER BY C.NRCOLEPRECO"),
        {}, module::quotationHeaderFields()));
}

void QuotationList::moveTo(const QString& number)
{
    if (!m_table.Locate(QStringLiteral("NRCOLEPRECO"), number))
        throw host::EDatabaseError(QStringLiteral("quotation %1 not in the list").arg(number));
}

void QuotationList::change(const QString& number, const QVariantMap& values)
{
    moveTo(number);
    m_table.Edit();
    setAndPost(values);
}

void QuotationList::insert(const QVariantMap& values)
{
    m_table.Append();
    setAndPost(values);
}

void QuotationList::setAndPost(const QVariantMap& values)
{
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        m_table.FieldByName(it.key()).SetValue(it.value());
    m_table.Post();
}

void QuotationList::remove(const QString& number)
{
    moveTo(number);
    m_table.Delete();
}

QVariant QuotationList::changes() const
{
    return m_table.ChangeCount() == 0 ? QVariant() : QVariant::fromValue(m_table.Delta());
}

QVariant itemPriceChange(host::Database& db, const QString& number, double price)
{
    host::DataSet items(QStringLiteral("cdsAltCotacao"));
    items.SetData(host::Query::toPacket(
        db,
        QStringLiteral("SELECT CDFILIAL, NRCOLEPRECO, CDREGIAO, CDFORNECED, CDPRODUTO, CDMARCA, "
                       "VRPRECUNIITM FROM ITEMCOLE WHERE NRCOLEPRECO = :P_NRCOLEPRECO "
                       "ORDER BY CDREGIAO, CDFORNECED, CDPRODUTO, CDMARCA"),
        {{QStringLiteral("P_NRCOLEPRECO"), number}}, module::quotationItemFields()));
    items.First();
    items.Edit();
    items.FieldByName(QStringLiteral("VRPRECUNIITM")).SetValue(price);
    items.Post();
    return QVariant::fromValue(items.Delta());
}

QString storedRecord(host::Database& db, const QString& number)
{
    const QStringList found = dbtest::rows(
        db,
        QStringLiteral("SELECT CDFILIAL, NRCOLEPRECO, DTCOLEPREC, NRSEMAINIC, NRSEMAFINAL, "
                       "DTINIVALCOL, DTFINVALCOL, CDOPERADOR, IDTIPCOLREG, IDDISMONTLIS "
                       "FROM COLETAPR WHERE NRCOLEPRECO = ?"),
        {number});
    return found.value(0);
}

QVariantList SaveFixture::saveArgs(const QVariant& records, const QString& number,
                                   const QString& operatorCode, const QVariant& items)
{
    const QDate date = QDate::fromString(
        dbtest::scalar(
            db(), QStringLiteral("SELECT DTCOLEPREC FROM COLETAPR WHERE NRCOLEPRECO = ?"), {number})
            .toString(),
        Qt::ISODate);
    return {records, items, kBranch, number, false,   date.isValid() ? QVariant(date) : QVariant(),
            false,   false, false,   false,  kBranch, operatorCode};
}

QString SaveFixture::save(const QString& token, const QVariant& records, const QString& number,
                          const QString& operatorCode, const QVariant& items)
{
    const QVariant answer = call(rpctest::kPlan, QStringLiteral("GravaPlanCota"),
                                 saveArgs(records, number, operatorCode, items), token);
    EXPECT_EQ(answer.metaType().id(), QMetaType::QString) << "the answer is a text";
    return answer.toString();
}

QStringList SaveFixture::snapshot()
{
    return dbtest::dump(db());
}

} // namespace savetest
