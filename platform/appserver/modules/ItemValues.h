#pragma once

// The worksheet's item table as the client sends it back (the whole table for validation,
// its change packet for saving): fields COCREGIAO, COCFORNECED, COCPRODUTO and CONTA. The
// composite values are read strictly: a value that is not region code + "¤¤" + name,
// supplier code + "¤¤" + name, or product name + "¤¤" + product code + "¥¥" + brand code
// + "¤¤" + brand name is refused, never guessed at.

#include "host/core/FieldDef.h"

#include <QHash>
#include <QPair>
#include <QString>
#include <QVariant>

namespace appserver::modules {

// Most items a worksheet packet or change packet may carry: far above any quotation
// (a large one has a few hundred thousand items).
inline constexpr qsizetype kMaxWorksheetItems = 500000;
// The largest unit price the price dialog lets a buyer type: 10 integer and 5 decimal digits.
inline constexpr double kMaxUnitPrice = 9999999999.99999;

// The stored codes of one item of a quotation.
struct ItemKey
{
    QString region;   // CDREGIAO, 3
    QString supplier; // CDFORNECED, 21
    QString product;  // CDPRODUTO, 10
    QString brand;    // CDMARCA, 5

    bool operator==(const ItemKey&) const = default;
};
size_t qHash(const ItemKey& key, size_t seed = 0) noexcept;

// The positions of the item fields in a packet or change packet.
struct ItemLayout
{
    int region = -1;
    int supplier = -1;
    int product = -1;
    int price = -1;
};

// Where each item field is in `fields`; refuses (rpc::Refusal, the text beginning with
// `packetName`, e.g. "O pacote de itens da planilha é inválido") a field list that lacks
// one of the four, names another field or gives one a type it cannot have.
ItemLayout itemLayout(const host::FieldDefs& fields, const QString& packetName);

// The codes of an item from its three composite values; refuses a malformed value.
ItemKey readItemKey(const QVariant& region, const QVariant& supplier, const QVariant& product,
                    const QString& packetName);

// The code parts of each composite value, or a refusal of the value.
QString readRegionCode(const QString& regionValue, const QString& packetName);
// The supplier code as the value carries it (the stored code without trailing blanks).
QString readSupplierCode(const QString& supplierValue, const QString& packetName);
// Product code and brand code.
QPair<QString, QString> readProductAndBrand(const QString& productValue, const QString& packetName);
// A text value of a packet; refuses null.
QString readItemText(const QVariant& value, const QString& field, const QString& packetName);

// A unit price as sent: a finite number from 0 to kMaxUnitPrice; null reads as 0 (an item
// loaded without a price) unless `required`. Refuses anything else.
double readItemPrice(const QVariant& price, bool required, const QString& packetName);

// True when two unit prices are the same to the fifth decimal, the precision of the
// worksheet's prices.
bool samePrice(double a, double b);

// A value as a refusal text may quote it: one line, at most 60 characters.
QString shownValue(const QString& value);

// An item as the buyer reads it from its codes alone: "região 001, fornecedor
// 000000000000000000001, produto 0000000002, marca 00002".
QString describeItemKey(const ItemKey& key);

// An item as the buyer reads it, from its composite values: "região 001 - Sul, fornecedor
// 000000000000000000001 - Atacadão, produto 0000000002 - ARROZ, marca 00002 - SABOR".
QString describeItem(const QString& regionValue, const QString& supplierValue,
                     const QString& productValue);

} // namespace appserver::modules
