#include "WorksheetValues.h"

#include "QuotationRecords.h"

#include "host/core/consiste/Consiste.h"
#include "host/core/consiste/DisplayFormat.h"

namespace module {

namespace {

constexpr int kFieldLimit = 25;

QString before(const QString& text, const QString& separator)
{
    const qsizetype at = text.indexOf(separator);
    return at < 0 ? text : text.left(at);
}

QString after(const QString& text, const QString& separator)
{
    const qsizetype at = text.indexOf(separator);
    return at < 0 ? QString() : text.mid(at + separator.size());
}

} // namespace

QString regionValue(const QString& code, const QString& name)
{
    return host::Ajusta(code, Width::Region) + kCodeSeparator + name.trimmed();
}

QString supplierValue(const QString& code, const QString& name)
{
    return code.trimmed() + kCodeSeparator + name.trimmed();
}

QString productValue(const QString& productName, const QString& productCode,
                     const QString& brandCode, const QString& brandName)
{
    return productName.trimmed().toUpper() + kCodeSeparator +
           host::Ajusta(productCode, Width::Product) + kBrandSeparator +
           host::Ajusta(brandCode, Width::Brand) + kCodeSeparator + brandName.trimmed();
}

QString regionCodeOf(const QString& value)
{
    return value.left(Width::Region);
}

QString regionNameOf(const QString& value)
{
    return after(value, kCodeSeparator);
}

QString supplierCodeOf(const QString& value)
{
    return before(value, kCodeSeparator);
}

QString supplierNameOf(const QString& value)
{
    return after(value, kCodeSeparator);
}

QString productNameOf(const QString& value)
{
    return before(value, kCodeSeparator);
}

QString productCodeOf(const QString& value)
{
    return after(value, kCodeSeparator).left(Width::Product);
}

QString brandCodeOf(const QString& value)
{
    return after(value, kBrandSeparator).left(Width::Brand);
}

QString brandNameOf(const QString& value)
{
    return after(after(value, kBrandSeparator), kCodeSeparator);
}

QString DetailLine::text() const
{
    return key + kPriceSeparator + unitPrice + kPriceSeparator + economicPrice + kPriceSeparator +
           economicPricePI + kPriceSeparator + quantity + kUnitSeparator + unit +
           kDiscountSeparator + discount + kDiscountSeparator + changed + kTreeSeparator +
           treeCode;
}

DetailLine DetailLine::parse(const QString& line)
{
    DetailLine d;
    QString rest = line;
    auto take = [&rest](const QString& separator) {
        const qsizetype at = rest.indexOf(separator);
        QString part = at < 0 ? rest : rest.left(at);
        rest = at < 0 ? QString() : rest.mid(at + separator.size());
        return part;
    };
    d.key = take(kPriceSeparator);
    d.unitPrice = take(kPriceSeparator).left(kFieldLimit);
    d.economicPrice = take(kPriceSeparator).left(kFieldLimit);
    d.economicPricePI = take(kPriceSeparator).left(kFieldLimit);
    d.quantity = take(kUnitSeparator).left(kFieldLimit);
    d.unit = take(kDiscountSeparator).left(kFieldLimit);
    d.discount = take(kDiscountSeparator).left(kFieldLimit);
    d.changed = take(kTreeSeparator).left(kFieldLimit);
    d.treeCode = rest.left(kFieldLimit);
    return d;
}

DetailLineWriter::DetailLineWriter()
    : m_money(QStringLiteral("#,##0.00000")), m_quantity(QStringLiteral("#,##0.000")),
      m_discount(QStringLiteral("#0.00 %"))
{
}

void DetailLineWriter::append(QString& lines, QStringView region, QStringView supplier,
                              QStringView product, double unitPrice, double economicPrice,
                              double economicPricePI, double quantity, QStringView unit,
                              double discount, bool changed, QStringView treeCode) const
{
    lines += region;
    lines += supplier;
    lines += product;
    lines += kPriceSeparator;
    m_money.appendTo(lines, unitPrice);
    lines += kPriceSeparator;
    m_money.appendTo(lines, economicPrice);
    lines += kPriceSeparator;
    m_money.appendTo(lines, economicPricePI);
    lines += kPriceSeparator;
    m_quantity.appendTo(lines, quantity);
    lines += kUnitSeparator;
    lines += unit;
    lines += kDiscountSeparator;
    m_discount.appendTo(lines, discount);
    lines += kDiscountSeparator;
    lines += changed ? QLatin1Char('S') : QLatin1Char('N');
    lines += kTreeSeparator;
    lines += treeCode;
    lines += QLatin1Char('\n');
}

DetailLine detailLine(const QString& key, double unitPrice, double economicPrice,
                      double economicPricePI, double quantity, const QString& unit,
                      double discount, bool changed, const QString& treeCode)
{
    const QString money = QStringLiteral("#,##0.00000");
    DetailLine d;
    d.key = key;
    d.unitPrice = host::FormatFloat(money, unitPrice);
    d.economicPrice = host::FormatFloat(money, economicPrice);
    d.economicPricePI = host::FormatFloat(money, economicPricePI);
    d.quantity = host::FormatFloat(QStringLiteral("#,##0.000"), quantity);
    d.unit = unit;
    d.discount = host::FormatFloat(QStringLiteral("#0.00 %"), discount);
    d.changed = changed ? QStringLiteral("S") : QStringLiteral("N");
    d.treeCode = treeCode;
    return d;
}

} // namespace module
