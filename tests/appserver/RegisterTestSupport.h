#pragma once

// Helpers of the quotation register's server tests: reading the packets the methods
// answer with, and calling the quotation filter with its ten arguments.

#include "RpcTestSupport.h"

#include "host/core/Packet.h"

#include <QDate>
#include <QStringList>
#include <ostream>

// Texts in failure messages as readable text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace registertest {

// The packet inside a result; fails the test when the result is not one.
host::Packet packetOf(const QVariant& result);

QStringList fieldNames(const host::Packet& packet);
// Definition of a field of the packet; fails the test and returns an empty one if absent.
host::FieldDef fieldOf(const host::Packet& packet, const QString& name);

// A value as dbtest::rows writes it: dates as ISO text, null as "<null>".
QString cellText(const QVariant& value);
// The values of one column, and rows of some columns joined by '|', as dbtest::rows does.
QStringList columnOf(const host::Packet& packet, const QString& name);
QStringList rowsOf(const host::Packet& packet, const QStringList& names);

// A text list of SQL rows or packet values, sorted, for comparing sets.
QStringList sorted(QStringList list);

// The quotation numbers of the demo centre, newest first.
QStringList demoQuotationNumbers();

// The ten arguments of the quotation filter; each criterion starts at "all".
struct FilterArgs
{
    QString centre = QStringLiteral("0001");
    QString buyers;
    QString buyerMarker = QStringLiteral("T");
    QVariant from; // a QDate, or null
    QVariant to;
    QString periodMarker = QStringLiteral("T");
    QString suppliers;
    QString supplierMarker = QStringLiteral("T");
    QString regions;
    QString regionMarker = QStringLiteral("T");

    FilterArgs& buyerList(const QString& list);
    FilterArgs& supplierList(const QString& list);
    FilterArgs& regionList(const QString& list);
    FilterArgs& period(const QVariant& first, const QVariant& last);
    QVariantList toList() const;
};

// What every method answers when a branch argument is not the session's purchasing centre.
inline QString otherCentreRefusal(const QString& centre = QStringLiteral("0001"))
{
    return QStringLiteral("A filial informada não é a central de compras do operador conectado "
                          "(%1): a operação não é permitida.")
        .arg(centre);
}

// Both packets of a quotation filter's answer.
struct Listing
{
    host::Packet quotations;
    host::Packet suppliers;

    QStringList numbers() const { return columnOf(quotations, QStringLiteral("NRCOLEPRECO")); }
};

class RegisterFixture : public rpctest::RpcFixture
{
protected:
    void SetUp() override;

    // Logs in at another branch than the demo's default one.
    QString loginAt(const QString& operatorCode, const QString& branch);

    // Runs the quotation filter; fails the test unless it answers two packets.
    Listing listQuotations(const FilterArgs& args);
    // Runs it expecting a failure; returns the status and the text in `text`.
    int listQuotationsError(const FilterArgs& args, QString* text);

    // Numbers of the quotations (of the centre) a statement selects, as text, in its order.
    QStringList numbersFrom(const QString& sql, const QVariantList& values = {});

    QString token; // ANA.CARVALHO at branch 0001
};

} // namespace registertest
