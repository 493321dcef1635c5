#include "ItemChanges.h"

#include "ItemDelta.h"
#include "ItemRights.h"
#include "Statement.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/Database.h"
#include "host/core/Exceptions.h"

#include <QHash>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <optional>

namespace appserver::modules {

namespace {

using rpc::Refusal;
using Op = host::Change::Op;

const QString kKey = QStringLiteral(
    "CDFILIAL = ? AND NRCOLEPRECO = ? AND CDREGIAO = ? AND CDFORNECED = ? AND CDPRODUTO = ? AND "
    "CDMARCA = ?");
// The stored price is the one the buyer saw, to the fifth decimal (an empty price read as 0).
const QString kStillPriced = QStringLiteral(" AND ABS(COALESCE(VRPRECUNIITM, 0) - ?) < 0.000005");
// Likewise the discount, when the change carries the one the buyer saw.
const QString kStillDiscounted =
    QStringLiteral(" AND ABS(COALESCE(VRPERDESITM, 0) - ?) < 0.000005");

// What an inserted item takes from its supplier.
struct SupplierTerms
{
    double discount = 0; // percent, when the supplier grants it on every item
    QString freight;
};

class ItemWriter
{
public:
    ItemWriter(host::Database& db, const ItemDelta& items, const ItemSaveTarget& target)
        : m_db(db), m_items(items), m_target(target),
          m_price(db, QStringLiteral("SELECT VRPRECUNIITM FROM ITEMCOLE WHERE ") + kKey),
          m_update(db, QStringLiteral("UPDATE ITEMCOLE SET VRPRECUNIITM = ? WHERE ") + kKey +
                           kStillPriced),
          m_delete(db, QStringLiteral("DELETE FROM ITEMCOLE WHERE ") + kKey + kStillPriced)
    {
    }

    void apply(const ItemChange& change)
    {
        switch (change.op) {
        case Op::Insert:
            insert(change);
            break;
        case Op::Update:
            if (change.rekeys())
                move(change);
            else
                update(change);
            break;
        case Op::Delete:
            remove(change);
            break;
        }
    }

    void applyToOtherRegions();

private:
    // Binds the branch, number and item codes from `first`; returns the next index.
    int bindKey(Statement& statement, int first, const ItemKey& key)
    {
        statement.bind(first, m_target.branch).bind(first + 1, m_target.number);
        statement.bind(first + 2, key.region).bind(first + 3, key.supplier);
        statement.bind(first + 4, key.product).bind(first + 5, key.brand);
        return first + 6;
    }
    std::optional<double> storedPrice(const ItemKey& key)
    {
        bindKey(m_price, 0, key);
        return m_price.readNumber();
    }
    // Binds the original price, and the original discount when the change carries one, from
    // `at`: the conditions that the item is still as the buyer saw it.
    void bindSeen(Statement& statement, int at, const ItemChange& change)
    {
        statement.bind(at, change.oldPrice);
        if (change.oldDiscount)
            statement.bind(at + 1, *change.oldDiscount);
    }
    // True when the item is stored with the change's new price (and new discount).
    bool holdsNew(const ItemChange& change, const ItemKey& key)
    {
        const std::optional<double> stored = storedPrice(key);
        if (!stored || !samePrice(*stored, change.newPrice))
            return false;
        if (!change.newDiscount)
            return true;
        Statement& discount =
            prepared(m_discount, QStringLiteral("SELECT VRPERDESITM FROM ITEMCOLE WHERE ") + kKey);
        bindKey(discount, 0, key);
        // Discounts are kept to the precision of prices.
        return samePrice(discount.readNumber().value_or(0), *change.newDiscount);
    }
    Statement& prepared(std::optional<Statement>& statement, const QString& sql)
    {
        if (!statement)
            statement.emplace(m_db, sql);
        return *statement;
    }
    [[noreturn]] void refuseConflict(const ItemChange& change, bool gone)
    {
        throw Refusal(QStringLiteral("Item alterado por outro operador: %1%2")
                          .arg(m_items.describe(change),
                               gone ? QStringLiteral(" (o item não existe mais na cotação).")
                                    : QStringLiteral(".")));
    }

    void update(const ItemChange& change)
    {
        Statement& update =
            change.newDiscount
                ? prepared(m_updateDiscounted,
                           QStringLiteral("UPDATE ITEMCOLE SET VRPRECUNIITM = ?, VRPERDESITM = ? "
                                          "WHERE ") +
                               kKey + kStillPriced + kStillDiscounted)
                : m_update;
        int at = 0;
        update.bind(at++, change.newPrice);
        if (change.newDiscount)
            update.bind(at++, *change.newDiscount);
        bindSeen(update, bindKey(update, at, change.oldKey), change);
        if (update.execute() == 1)
            return;
        if (!holdsNew(change, change.oldKey))
            refuseConflict(change, !storedPrice(change.oldKey));
    }

    void remove(const ItemChange& change)
    {
        Statement& remove =
            change.oldDiscount
                ? prepared(m_deleteDiscounted, QStringLiteral("DELETE FROM ITEMCOLE WHERE ") +
                                                   kKey + kStillPriced + kStillDiscounted)
                : m_delete;
        bindSeen(remove, bindKey(remove, 0, change.oldKey), change);
        if (remove.execute() == 1)
            return;
        if (storedPrice(change.oldKey))
            refuseConflict(change, false);
    }

    void insert(const ItemChange& change)
    {
        const SupplierTerms& terms = checkCodes(change);
        if (!m_insert) {
            readValidity();
            m_insert.emplace(
                m_db, QStringLiteral("INSERT INTO ITEMCOLE (CDFILIAL, NRCOLEPRECO, CDREGIAO, "
                                     "CDFORNECED, CDPRODUTO, CDMARCA, VRPRECUNIITM, "
                                     "QTACMPITMCOL, VRPERDESITM, DTINIVALITM, DTFINVALITM, "
                                     "IDITMCOTPREC, IDTIPFREITM) VALUES (?, ?, ?, ?, ?, ?, ?, "
                                     "0, ?, ?, ?, 'N', ?) ON CONFLICT DO NOTHING"));
        }
        Statement& insert = *m_insert;
        int at = bindKey(insert, 0, change.newKey);
        insert.bind(at, change.newPrice);
        insert.bind(at + 1, change.newDiscount.value_or(terms.discount));
        at += 2;
        for (const QString& value : {m_validFrom, m_validTo, terms.freight}) {
            if (value.isEmpty())
                insert.bindNull(at++);
            else
                insert.bind(at++, value);
        }
        if (insert.execute() == 1)
            return;
        if (!holdsNew(change, change.newKey))
            refuseConflict(change, false);
    }

    // An item given another key keeps its row: the payment terms and taxes follow it.
    void move(const ItemChange& change)
    {
        checkCodes(change);
        if (storedPrice(change.newKey)) {
            // Done already by an earlier try of this save.
            if (!storedPrice(change.oldKey) && holdsNew(change, change.newKey))
                return;
            throw Refusal(QStringLiteral("O item já existe na cotação: %1.")
                              .arg(describeItemKey(change.newKey)));
        }
        const bool discounted = change.newDiscount.has_value();
        std::optional<Statement>& slot = discounted ? m_moveDiscounted : m_move;
        if (!slot)
            slot.emplace(m_db, QStringLiteral("UPDATE ITEMCOLE SET CDREGIAO = ?, CDFORNECED = "
                                              "?, CDPRODUTO = ?, CDMARCA = ?, VRPRECUNIITM = ?") +
                                   (discounted ? QStringLiteral(", VRPERDESITM = ? WHERE ") + kKey +
                                                     kStillPriced + kStillDiscounted
                                               : QStringLiteral(" WHERE ") + kKey + kStillPriced));
        Statement& move = *slot;
        move.bind(0, change.newKey.region).bind(1, change.newKey.supplier);
        move.bind(2, change.newKey.product).bind(3, change.newKey.brand);
        int at = 4;
        move.bind(at++, change.newPrice);
        if (discounted)
            move.bind(at++, *change.newDiscount);
        bindSeen(move, bindKey(move, at, change.oldKey), change);
        if (move.execute() != 1)
            refuseConflict(change, !storedPrice(change.oldKey));
    }

    // The new codes of an insert or move must name register rows; the supplier's terms.
    const SupplierTerms& checkCodes(const ItemChange& change);
    void readValidity();
    bool exists(QHash<QString, bool>& known, const QString& sql, const QString& code)
    {
        auto it = known.constFind(code);
        if (it == known.constEnd())
            it = known.insert(code, m_db.run(sql, {code}).next());
        return *it;
    }

    host::Database& m_db;
    const ItemDelta& m_items;
    const ItemSaveTarget& m_target;
    Statement m_price, m_update, m_delete;
    std::optional<Statement> m_insert, m_move;
    // Statements of the changes that carry a discount, and the read of a stored discount.
    std::optional<Statement> m_updateDiscounted, m_deleteDiscounted, m_moveDiscounted, m_discount;
    QString m_validFrom, m_validTo;
    QHash<QString, bool> m_regions, m_products, m_brands;
    QHash<QString, std::optional<SupplierTerms>> m_suppliers;
};

const SupplierTerms& ItemWriter::checkCodes(const ItemChange& change)
{
    const ItemKey& key = change.newKey;
    const auto missing = [&](const QString& what) {
        return Refusal(QStringLiteral("%1: %2.").arg(what, describeItemKey(change.newKey)));
    };
    if (!exists(m_regions, QStringLiteral("SELECT 1 FROM REGIAO WHERE CDREGIAO = ?"), key.region))
        throw missing(QStringLiteral("Região não cadastrada"));
    if (!exists(m_products, QStringLiteral("SELECT 1 FROM PRODUTO WHERE CDPRODUTO = ?"),
                key.product))
        throw missing(QStringLiteral("Produto não cadastrado"));
    if (!exists(m_brands, QStringLiteral("SELECT 1 FROM MARCA WHERE CDMARCA = ?"), key.brand))
        throw missing(QStringLiteral("Marca não cadastrada"));
    auto supplier = m_suppliers.find(key.supplier);
    if (supplier == m_suppliers.end()) {
        QSqlQuery query = m_db.run(QStringLiteral("SELECT IDTPDESCFORN, VRPEDESCFORN, "
                                                  "IDTPFRETFORN FROM FORNECEDOR WHERE "
                                                  "CDFORNECED = ?"),
                                   {key.supplier});
        std::optional<SupplierTerms> terms;
        if (query.next()) {
            terms.emplace();
            if (query.value(0).toString().trimmed() == QLatin1String("C"))
                terms->discount = query.value(1).toDouble();
            terms->freight = query.value(2).toString().trimmed();
        }
        supplier = m_suppliers.insert(key.supplier, terms);
    }
    if (!*supplier)
        throw missing(QStringLiteral("Fornecedor não cadastrado"));
    return **supplier;
}

void ItemWriter::readValidity()
{
    QSqlQuery query = m_db.run(QStringLiteral("SELECT DTINIVALCOL, DTFINVALCOL FROM COLETAPR "
                                              "WHERE CDFILIAL = ? AND NRCOLEPRECO = ?"),
                               {m_target.branch, m_target.number});
    if (query.next()) {
        m_validFrom = query.value(0).toString();
        m_validTo = query.value(1).toString();
    }
}

void ItemWriter::applyToOtherRegions()
{
    // The items the save itself names keep the prices it gives them.
    QSet<ItemKey> named;
    for (const ItemChange& change : m_items.changes()) {
        if (change.op != Op::Insert)
            named.insert(change.oldKey);
        if (change.prices())
            named.insert(change.newKey);
    }
    QStringList regions;
    QSqlQuery query = m_db.run(QStringLiteral("SELECT DISTINCT CDREGIAO FROM ITEMCOLE WHERE "
                                              "CDFILIAL = ? AND NRCOLEPRECO = ?"),
                               {m_target.branch, m_target.number});
    while (query.next())
        regions.append(query.value(0).toString());

    Statement price(m_db, QStringLiteral("UPDATE ITEMCOLE SET VRPRECUNIITM = ? WHERE ") + kKey);
    for (const ItemChange& change : m_items.changes()) {
        if (!change.prices())
            continue;
        ItemKey other = change.newKey;
        for (const QString& region : regions) {
            other.region = region;
            if (named.contains(other))
                continue;
            price.bind(0, change.newPrice);
            bindKey(price, 1, other);
            price.execute(); // no item there: nothing to do
        }
    }
}

} // namespace

void applyItemChanges(host::Database& db, const ItemDelta& items, const ItemPermission& permission,
                      const ItemSaveTarget& target)
{
    if (items.isEmpty())
        return;
    if (permission.byProduct()) {
        const ProductTree products(db);
        for (const ItemChange& change : items.changes())
            permission.check(change, items, products);
    }
    ItemWriter writer(db, items, target);
    for (const ItemChange& change : items.changes())
        writer.apply(change);
    if (target.applyToOtherRegions)
        writer.applyToOtherRegions();
}

} // namespace appserver::modules
