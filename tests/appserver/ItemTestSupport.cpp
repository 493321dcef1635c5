#include "ItemTestSupport.h"

#include "DbTestSupport.h"

#include "host/core/Exceptions.h"
#include "module/records/WorksheetValues.h"

namespace itemtest {

QVariantList itemValues(const Item& item, double price)
{
    return {module::regionValue(item.region, QStringLiteral("Região ") + item.region),
            module::supplierValue(item.supplier, QStringLiteral("Fornecedor")),
            module::productValue(QStringLiteral("Produto ") + item.product, item.product,
                                 item.brand, QStringLiteral("Marca ") + item.brand),
            price};
}

ItemTable::ItemTable(const host::Packet& loaded)
{
    m_table.SetData(loaded);
}

void ItemTable::moveTo(const Item& item)
{
    for (m_table.First(); !m_table.Eof(); m_table.Next()) {
        const QString product = m_table.FieldByName(QStringLiteral("COCPRODUTO")).AsString();
        if (module::regionCodeOf(m_table.FieldByName(QStringLiteral("COCREGIAO")).AsString()) ==
                item.region &&
            module::supplierCodeOf(m_table.FieldByName(QStringLiteral("COCFORNECED")).AsString()) ==
                item.supplier &&
            module::productCodeOf(product) == item.product &&
            module::brandCodeOf(product) == item.brand)
            return;
    }
    throw host::Exception(QStringLiteral("item not in the worksheet"));
}

void ItemTable::setPrice(const Item& item, double price)
{
    moveTo(item);
    m_table.Edit();
    m_table.FieldByName(QStringLiteral("CONTA")).SetValue(price);
    m_table.Post();
}

void ItemTable::insert(const Item& item, double price)
{
    const QVariantList values = itemValues(item, price);
    m_table.Append();
    for (int f = 0; f < values.size(); ++f)
        m_table.Fields(f).SetValue(values[f]);
    m_table.Post();
}

void ItemTable::remove(const Item& item)
{
    moveTo(item);
    m_table.Delete();
}

void ItemTable::changeBrand(const Item& item, const QString& brand)
{
    moveTo(item);
    const QString product = m_table.FieldByName(QStringLiteral("COCPRODUTO")).AsString();
    m_table.Edit();
    m_table.FieldByName(QStringLiteral("COCPRODUTO"))
        .SetValue(module::productValue(module::productNameOf(product), item.product, brand,
                                       QStringLiteral("Marca ") + brand));
    m_table.Post();
}

QVariant ItemTable::changes() const
{
    return m_table.ChangeCount() == 0 ? QVariant() : QVariant::fromValue(m_table.Delta());
}

std::optional<double> storedPrice(host::Database& db, const QString& number, const Item& item)
{
    const QStringList found = dbtest::rows(
        db,
        QStringLiteral("SELECT COALESCE(VRPRECUNIITM, 0) FROM ITEMCOLE WHERE CDFILIAL = '0001' "
                       "AND NRCOLEPRECO = ? AND CDREGIAO = ? AND CDFORNECED = ? AND CDPRODUTO = "
                       "? AND CDMARCA = ?"),
        {number, item.region, item.supplier, item.product, item.brand});
    if (found.isEmpty())
        return std::nullopt;
    return found.first().toDouble();
}

int rowsOf(host::Database& db, const QString& table, const QString& number, const Item& item)
{
    return dbtest::scalar(db,
                          QStringLiteral("SELECT COUNT(*) FROM %1 WHERE CDFILIAL = '0001' AND "
                                         "NRCOLEPRECO = ? AND CDREGIAO = ? AND CDFORNECED = ? "
                                         "AND CDPRODUTO = ? AND CDMARCA = ?")
                              .arg(table),
                          {number, item.region, item.supplier, item.product, item.brand})
        .toInt();
}

ItemTable ItemSaveFixture::load(const QString& token, const QString& number)
{
    const QVariant loaded = call(rpctest::kPlan, QStringLiteral("GetStringList"),
                                 {savetest::kBranch, number, QStringLiteral("NULL"), false}, token);
    return ItemTable(loaded.toList().value(1).value<host::Packet>());
}

QString ItemSaveFixture::saveItems(const QString& token, const QString& operatorCode,
                                   const QString& number, const ItemTable& items,
                                   bool applyToOtherRegions, const QString& requestId,
                                   const QVariant& records)
{
    QVariantList args = saveArgs(records, number, operatorCode, items.changes());
    args[4] = applyToOtherRegions;
    const QVariant answer =
        call(rpctest::kPlan, QStringLiteral("GravaPlanCota"), args, token, requestId);
    EXPECT_EQ(answer.metaType().id(), QMetaType::QString) << "the answer is a text";
    return answer.toString();
}

} // namespace itemtest
