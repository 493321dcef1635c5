#include "DemoModel.h"

#include <cmath>
#include <stdexcept>

namespace appserver::db::demo {

QString supplierCode(int number)
{
    return QString::number(number).rightJustified(21, u'0');
}

QString productCodeAt(int position)
{
    return QString::number(position).rightJustified(10, u'0');
}

QStringList words(const char* list)
{
    if (!list)
        return {};
    return QString::fromUtf8(list).split(u' ', Qt::SkipEmptyParts);
}

double fraction(QStringView key)
{
    // FNV-1a over the UTF-16 code units, then a final avalanche.
    quint32 hash = 2166136261u;
    for (const QChar c : key) {
        hash ^= c.unicode();
        hash *= 16777619u;
    }
    hash ^= hash >> 16;
    hash *= 0x7feb352du;
    hash ^= hash >> 15;
    return double(hash) / 4294967296.0;
}

double roundTo(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

DemoModel::DemoModel(const QDate& reference)
    : m_reference(reference), m_monday(reference.addDays(1 - reference.dayOfWeek()))
{
    const auto rows = products();
    for (int i = 0; i < int(rows.size()); ++i)
        m_productByTree.insert(QString::fromUtf8(rows[i].tree), i);
}

QString DemoModel::dayFromMonday(int offset) const
{
    return m_monday.addDays(offset).toString(Qt::ISODate);
}

QString DemoModel::date(Validity validity) const
{
    const int year = m_reference.year();
    switch (validity) {
    case Validity::None:
        return QString();
    case Validity::Valid:
        return QDate(year + 1, 12, 31).toString(Qt::ISODate);
    case Validity::Lapsed:
        return QDate(year - 1, 6, 30).toString(Qt::ISODate);
    case Validity::StartOfMonth:
        return QDate(year, m_reference.month(), 1).toString(Qt::ISODate);
    }
    return QString();
}

QString DemoModel::productCode(const QString& tree) const
{
    const auto it = m_productByTree.constFind(tree);
    if (it == m_productByTree.constEnd())
        throw std::invalid_argument("unknown demo product " + tree.toStdString());
    return productCodeAt(*it + 1);
}

const ProductRow& DemoModel::product(const QString& tree) const
{
    const auto it = m_productByTree.constFind(tree);
    if (it == m_productByTree.constEnd())
        throw std::invalid_argument("unknown demo product " + tree.toStdString());
    return products()[*it];
}

const SupplierRow& DemoModel::supplier(int number) const
{
    for (const SupplierRow& row : suppliers())
        if (row.number == number)
            return row;
    throw std::invalid_argument("unknown demo supplier " + std::to_string(number));
}

QString DemoModel::document(const SupplierRow& supplier)
{
    const QString digits = QString::fromLatin1(supplier.document);
    if (qstrcmp(supplier.personType, "J") == 0)
        return cnpjWithCheckDigits(digits);
    if (qstrcmp(supplier.personType, "F") == 0)
        return cpfWithCheckDigits(digits);
    return digits;
}

QString DemoModel::regionBranch(const QString& region) const
{
    for (const RegionRow& row : regions())
        if (region == QLatin1String(row.code))
            return QString::fromLatin1(row.branch);
    return QString();
}

bool DemoModel::underAny(const QString& tree, const QStringList& nodes)
{
    for (const QString& node : nodes)
        if (tree.startsWith(node))
            return true;
    return false;
}

bool DemoModel::serves(int supplier, const QString& region) const
{
    for (const RestrictionRow& row : restrictions())
        if (row.supplier == supplier && !row.deliveryPeriod && region == QLatin1String(row.region))
            return false;
    return true;
}

bool DemoModel::supplies(int supplier, const QString& tree) const
{
    return underAny(tree, words(this->supplier(supplier).supplies));
}

bool DemoModel::negotiates(const QString& buyer, const QString& tree) const
{
    QStringList nodes;
    for (const AssignmentRow& row : assignments())
        if (buyer == QLatin1String(row.buyer))
            nodes << QString::fromLatin1(row.tree);
    return underAny(tree, nodes);
}

bool DemoModel::branchNegotiates(const QString& branch, const QString& tree) const
{
    for (const BranchProductRow& row : branchProducts())
        if (branch == QLatin1String(row.branch) && tree.startsWith(QLatin1String(row.tree)) &&
            qstrcmp(row.negotiated, "N") == 0)
            return false;
    return true;
}

bool DemoModel::supplierQualified(int number, const QDate& day) const
{
    const SupplierRow& row = supplier(number);
    if (!row.qualification)
        return true;
    const char* rule = nullptr;
    for (const QualificationRow& q : qualifications())
        if (qstrcmp(q.code, row.qualification) == 0)
            rule = q.quoteRule;
    const bool mayQuote =
        qstrcmp(rule, "1") == 0 || (qstrcmp(rule, "2") == 0 && qstrcmp(row.automatic, "S") == 0);
    const QDate validUntil = QDate::fromString(date(row.qualificationValidity), Qt::ISODate);
    return mayQuote && validUntil.isValid() && day <= validUntil;
}

bool DemoModel::approvalHolds(const char* approved, const char* authorised, Validity validity,
                              const QDate& day) const
{
    if (qstrcmp(approved, "S") == 0) {
        const QDate validUntil = QDate::fromString(date(validity), Qt::ISODate);
        return validUntil.isValid() && day <= validUntil;
    }
    return qstrcmp(authorised, "S") == 0;
}

bool DemoModel::qualifiedForProduct(int supplier, const QString& tree, const QDate& day) const
{
    for (const SupplierQualificationRow& row : supplierQualifications())
        if (row.supplier == supplier && tree == QLatin1String(row.tree))
            return approvalHolds(row.approved, row.authorised, row.validity, day);
    return true;
}

bool DemoModel::brandQualified(const QString& tree, const QString& brand, const QDate& day) const
{
    for (const BrandQualificationRow& row : brandQualifications())
        if (tree == QLatin1String(row.tree) && brand == QLatin1String(row.brand))
            return approvalHolds(row.approved, row.authorised, row.validity, day);
    return true;
}

bool DemoModel::boughtForByCentre(const char* branch)
{
    for (const BranchRow& row : branches())
        if (qstrcmp(row.code, branch) == 0)
            return qstrcmp(row.centre ? row.centre : row.code, kDemoCentre) == 0;
    return false;
}

double DemoModel::openRequests(const QString& tree, const QString& region) const
{
    double total = 0;
    for (const RequestRow& row : requests())
        if (tree == QLatin1String(row.tree) && region == QLatin1String(row.region) &&
            qstrcmp(row.status, "A") == 0 && boughtForByCentre(row.branch))
            total += row.quantity;
    return total;
}

} // namespace appserver::db::demo
