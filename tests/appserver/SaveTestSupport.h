#pragma once

// What the worksheet screen does before it saves the quotation list: it holds the list
// in an in-memory table, edits a row, posts it and sends the table's change packet to
// GravaPlanCota with the other eleven arguments.

#include "RpcTestSupport.h"

#include "host/core/DataSet.h"

#include <QVariantMap>
#include <ostream>

// Readable texts in test failures.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace savetest {

inline const QString kAna = QStringLiteral("ANA.CARVALHO");
inline const QString kCarlos = QStringLiteral("CARLOS.NUNES");
inline const QString kDaniela = QStringLiteral("DANIELA.LIMA");
inline const QString kFernanda = QStringLiteral("FERNANDA.LUZ"); // manages the three buyers
inline const QString kBranch = QStringLiteral("0001");

// Quotations of the demo: 0000000003 belongs to Ana, collection type "L", not on the list;
// 0000000004 to Daniela, no collection type, on the list.
inline const QString kAnaQuotation = QStringLiteral("0000000003");
inline const QString kDanielaQuotation = QStringLiteral("0000000004");

// The quotation list (cdsColetapr) as loaded from the database: every quotation with
// its buyer's name.
class QuotationList
{
public:
    explicit QuotationList(host::Database& db);

    host::DataSet& table() { return m_table; }
    // Edits the quotation's row with these field values and posts it.
    void change(const QString& number, const QVariantMap& values);
    // Appends a row with these field values and posts it.
    void insert(const QVariantMap& values);
    // Deletes the quotation's row.
    void remove(const QString& number);
    // The change packet the screen sends: null when nothing changed.
    QVariant changes() const;
    host::Delta delta() const { return m_table.Delta(); }

private:
    void moveTo(const QString& number);
    void setAndPost(const QVariantMap& values);
    host::DataSet m_table{QStringLiteral("cdsColetapr")};
};

// A change packet of the item table: the unit price of the quotation's first item.
QVariant itemPriceChange(host::Database& db, const QString& number, double price);

// The stored record of a quotation, columns joined by '|'.
QString storedRecord(host::Database& db, const QString& number);

// The application server with the demo, and the save call as the screen makes it.
class SaveFixture : public rpctest::RpcFixture
{
protected:
    // GravaPlanCota for the quotation (branch 0001) with the record packet, the item
    // packet and the operator code of argument 12; the answer as text.
    QString save(const QString& token, const QVariant& records, const QString& number,
                 const QString& operatorCode, const QVariant& items = QVariant());
    QVariantList saveArgs(const QVariant& records, const QString& number,
                          const QString& operatorCode, const QVariant& items = QVariant());
    // Everything stored, to show that a refused call changed nothing.
    QStringList snapshot();
};

} // namespace savetest
