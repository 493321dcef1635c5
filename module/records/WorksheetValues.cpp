#include "WorksheetValues.h"

#include "QuotationRecords.h"

#include "host/core/consiste/Consiste.h"
#include "host/core/consiste/DisplayFormat.h"

#include <algorithm>

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
    // Written in place: the room for the longest line is taken, then given back. A number
    // that needs the exact formatting sends the whole line the general way.
    const qsizetype before = lines.size();
    const qsizetype room = region.size() + supplier.size() + product.size() + unit.size() +
                           treeCode.size() + 3 * m_money.fastLength() + m_quantity.fastLength() +
                           m_discount.fastLength() + 4 * kPriceSeparator.size() +
                           kUnitSeparator.size() + 2 * kDiscountSeparator.size() +
                           kTreeSeparator.size() + 2;
    lines.resize(before + room);
    char16_t* out = reinterpret_cast<char16_t*>(lines.data()) + before;
    auto put = [&out](QStringView text) {
        out = std::copy_n(text.utf16(), text.size(), out);
    };
    auto number = [&out](const host::FloatFormat& format, double value) {
        out = out ? format.writeFast(out, value) : nullptr;
    };
    put(region);
    put(supplier);
    put(product);
    put(kPriceSeparator);
    number(m_money, unitPrice);
    if (out)
        put(kPriceSeparator);
    number(m_money, economicPrice);
    if (out)
        put(kPriceSeparator);
    number(m_money, economicPricePI);
    if (out)
        put(kPriceSeparator);
    number(m_quantity, quantity);
    if (out) {
        put(kUnitSeparator);
        put(unit);
        put(kDiscountSeparator);
    }
    number(m_discount, discount);
    if (out) {
        put(kDiscountSeparator);
        *out++ = changed ? u'S' : u'N';
        put(kTreeSeparator);
        put(treeCode);
        *out++ = u'\n';
        lines.truncate(out - reinterpret_cast<const char16_t*>(lines.constData()));
        return;
    }
    lines.truncate(before);
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
