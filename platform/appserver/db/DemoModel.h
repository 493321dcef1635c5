#pragma once

#include "DemoData.h"
#include "DocumentDigits.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>

namespace appserver::db::demo {

// Stored code of a demo supplier (its number, zero-padded to the full code width).
QString supplierCode(int number);

// Stored code of the n-th product of the tree (1-based, zero-padded to the code width).
QString productCodeAt(int position);

// The words of a blank-separated list of the demo tables.
QStringList words(const char* list);

// A number in [0, 1) that depends only on the key: the demo's stand-in for chance, so that
// every run writes the same prices.
double fraction(QStringView key);

// Rounds to the given number of decimals, half away from zero.
double roundTo(double value, int decimals);

// The demo tables resolved for one reference day: stored codes, dates, and the register
// rules a quotation item has to satisfy.
class DemoModel
{
public:
    explicit DemoModel(const QDate& reference);

    // Monday of the reference day's ISO week: quotations are placed around it.
    QDate monday() const { return m_monday; }
    QString dayFromMonday(int offset) const;
    QString date(Validity validity) const;

    QString productCode(const QString& tree) const;
    const ProductRow& product(const QString& tree) const;
    const SupplierRow& supplier(int number) const;
    // The supplier's document digits, check digits included for CNPJ and CPF.
    static QString document(const SupplierRow& supplier);
    QString regionBranch(const QString& region) const;

    bool serves(int supplier, const QString& region) const;
    bool supplies(int supplier, const QString& tree) const;
    bool negotiates(const QString& buyer, const QString& tree) const;
    bool branchNegotiates(const QString& branch, const QString& tree) const;
    // Supplier qualification on a day, validity counted to the day.
    bool supplierQualified(int supplier, const QDate& day) const;
    bool qualifiedForProduct(int supplier, const QString& tree, const QDate& day) const;
    bool brandQualified(const QString& tree, const QString& brand, const QDate& day) const;
    // Sum of the open purchase requests of a product for a region, from the branches the
    // demo centre buys for.
    double openRequests(const QString& tree, const QString& region) const;

private:
    static bool underAny(const QString& tree, const QStringList& nodes);
    static bool boughtForByCentre(const char* branch);
    bool approvalHolds(const char* approved, const char* authorised, Validity validity,
                       const QDate& day) const;

    QDate m_reference;
    QDate m_monday;
    QHash<QString, int> m_productByTree; // tree code -> index in products()
};

} // namespace appserver::db::demo
