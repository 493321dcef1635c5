#pragma once

// The worksheet's item table as the screen holds it between a load and a save: loaded with
// GetStringList, prices typed, items inserted, removed or given another brand, and its
// change packet sent to GravaPlanCota.

#include "SaveTestSupport.h"

#include "host/core/DataSet.h"

#include <optional>

namespace itemtest {

// The codes of one item of a quotation (stored codes).
struct Item
{
    QString region;
    QString supplier;
    QString product;
    QString brand;
};

// The composite values of an item, with names that only have to be readable.
QVariantList itemValues(const Item& item, double price);

class ItemTable
{
public:
    explicit ItemTable(const host::Packet& loaded);

    host::DataSet& table() { return m_table; }
    void setPrice(const Item& item, double price);
    void insert(const Item& item, double price);
    void remove(const Item& item);
    // Gives the item another brand, as the brand change does.
    void changeBrand(const Item& item, const QString& brand);
    // The change packet the screen sends: null when nothing changed.
    QVariant changes() const;

private:
    void moveTo(const Item& item);
    host::DataSet m_table{QStringLiteral("cdsAltCotacao")};
};

// The stored price of an item of quotation `number` (branch 0001); nothing when absent.
std::optional<double> storedPrice(host::Database& db, const QString& number, const Item& item);
// How many rows of a table (ITEMCOLE, PZOPGTITMCOL, IMPCOLET) the item has.
int rowsOf(host::Database& db, const QString& table, const QString& number, const Item& item);

class ItemSaveFixture : public savetest::SaveFixture
{
protected:
    // The item table of the quotation, all regions, as the worksheet loads it.
    ItemTable load(const QString& token, const QString& number);
    // GravaPlanCota with the table's changes (and the record packet), as `operatorCode`.
    QString saveItems(const QString& token, const QString& operatorCode, const QString& number,
                      const ItemTable& items, bool applyToOtherRegions = false,
                      const QString& requestId = {}, const QVariant& records = {});
};

} // namespace itemtest
