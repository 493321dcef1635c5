#pragma once

#include "host/core/consiste/DisplayFormat.h"

#include <QString>
#include <QStringList>

// The worksheet's composite texts, shared by the client and the application server:
// the region, supplier and product/brand values of the item table (codes and names joined
// by two-character separators that never occur in codes or names) and the per-item
// detail lines.
namespace module {

inline const QString kCodeSeparator = QStringLiteral("¤¤");   // code and name
inline const QString kBrandSeparator = QStringLiteral("¥¥");  // product code and brand part
// Separators of a detail line.
inline const QString kPriceSeparator = QStringLiteral("øø");
inline const QString kUnitSeparator = QStringLiteral("¿¿");
inline const QString kDiscountSeparator = QStringLiteral("««");
inline const QString kTreeSeparator = QStringLiteral("££");

// COCREGIAO: region code (3) + "¤¤" + region name.
QString regionValue(const QString& code, const QString& name);
// COCFORNECED: supplier code + "¤¤" + trade name.
QString supplierValue(const QString& code, const QString& name);
// COCPRODUTO: product name in upper case + "¤¤" + product code (10) + "¥¥" + brand code (5)
// + "¤¤" + brand name.
QString productValue(const QString& productName, const QString& productCode,
                     const QString& brandCode, const QString& brandName);

// The parts of the composite values, read back by position and separator.
QString regionCodeOf(const QString& regionValue);
QString regionNameOf(const QString& regionValue);
QString supplierCodeOf(const QString& supplierValue);
QString supplierNameOf(const QString& supplierValue);
QString productNameOf(const QString& productValue);
QString productCodeOf(const QString& productValue);
QString brandCodeOf(const QString& productValue);
QString brandNameOf(const QString& productValue);

// One detail line: the item key and what the worksheet shows for the cell.
struct DetailLine
{
    QString key;           // COCREGIAO + COCFORNECED + COCPRODUTO, nothing between
    QString unitPrice;     // "#,##0.00000"
    QString economicPrice; // "#,##0.00000"
    QString economicPricePI;
    QString quantity;      // "#,##0.000"
    QString unit;
    QString discount;      // "#0.00 %"
    QString changed;       // "S" when written by the client since the load
    QString treeCode;

    QString text() const;
    // Splits a line into its eight parts (each cut to 25 characters); the key is kept whole.
    static DetailLine parse(const QString& line);
};

// Writes detail lines, each followed by a line break, at the end of a text of lines (the
// server's answer): the same layout as DetailLine::text(), the formats read once.
class DetailLineWriter
{
public:
    DetailLineWriter();
    void append(QString& lines, QStringView region, QStringView supplier, QStringView product,
                double unitPrice, double economicPrice, double economicPricePI, double quantity,
                QStringView unit, double discount, bool changed, QStringView treeCode) const;

private:
    host::FloatFormat m_money, m_quantity, m_discount;
};

// A line as the worksheet writes it for prices it knows (numbers in the operator's locale).
DetailLine detailLine(const QString& key, double unitPrice, double economicPrice,
                      double economicPricePI, double quantity, const QString& unit,
                      double discount, bool changed, const QString& treeCode);

} // namespace module
