#pragma once

// The items a product gets when a buyer adds it to the quotation on the worksheet: every
// region of the worksheet, with every supplier of the worksheet that may quote the product
// there, in every brand the product may be quoted in. Nothing is written; the worksheet
// adds the rows to its item table and stores them with its save.

#include "WorksheetLists.h"

#include "host/core/Packet.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace host {
class Database;
}

namespace appserver::modules {

struct ProductInsertion
{
    QString centre;  // the purchasing centre
    QString product; // CDPRODUTO as sent
    // The brands the buyer chose (stored codes, in the order chosen); none: the brands the
    // product may be quoted in.
    std::optional<QStringList> brands;
    QDate collected;
    QList<ListedValue> suppliers; // COCFORNECED values of the worksheet
    QList<ListedValue> regions;   // COCREGIAO values of the worksheet
};

// Packet COCREGIAO, COCFORNECED, COCPRODUTO, CONTA (0), regions outermost, then suppliers,
// then brands. A supplier is kept when it is offered at the collection date (active, and
// its qualification lets it quote), the product is registered for it and it is qualified
// for the product (as Vd_ProdForn decides), and it serves the region. The brands are those
// registered and qualified for the product (Vd_Marca's rules), or the centre's default brand
// for a product without any where the centre quotes such products (IDPROSEMMAR); a chosen
// brand outside them is left out. Refuses (rpc::Refusal) an unknown product or chosen brand
// and a centre without purchasing parameters.
host::Packet productInsertionItems(host::Database& db, const ProductInsertion& insertion);

} // namespace appserver::modules
