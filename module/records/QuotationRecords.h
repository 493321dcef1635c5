#pragma once

// The quotation header and item records, and the identities every screen of the module
// shares (branch, buyer, region, supplier, product, brand), as field definitions of the
// in-memory tables. Every data set builds its columns from these helpers, so a code has
// one width, one mask and one label everywhere.

#include "host/core/FieldDef.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace module {

// Widths (characters) of the codes, names and flags.
namespace Width {
inline constexpr int Branch = 4;            // CDFILIAL
inline constexpr int BranchName = 30;       // NMFILIAL
inline constexpr int QuotationNumber = 10;  // NRCOLEPRECO
inline constexpr int Week = 2;              // NRSEMAINIC, NRSEMAFINAL
inline constexpr int Operator = 12;         // CDOPERADOR (buyer, manager)
inline constexpr int OperatorName = 40;     // NMOPERADOR
inline constexpr int Region = 3;            // CDREGIAO
inline constexpr int RegionName = 30;       // NMREGIAO
inline constexpr int Supplier = 21;         // CDFORNECED
inline constexpr int SupplierName = 40;     // NMRAZSOCFORN, NMFANTFORN
inline constexpr int SupplierDocument = 20; // NRINSJURFORN
inline constexpr int Product = 10;          // CDPRODUTO
inline constexpr int ProductTreeCode = 20;  // CDARVPROD
inline constexpr int ProductName = 50;      // NMPRODUTO
inline constexpr int Brand = 5;             // CDMARCA
inline constexpr int BrandName = 20;        // NMMARCA
inline constexpr int Flag = 1;              // every ID... indicator
inline constexpr int CalculatedText = 70;   // Semana, Data of the quotation list
inline constexpr int Observation = 1000;    // DSOBSITMCOL
} // namespace Width

// Edit masks of the typed codes.
QString regionEditMask(); // "999;0; "
QString brandEditMask();  // "99999;0; "

// Display / edit formats of the item values.
namespace ItemFormat {
inline constexpr const char* PriceDisplay = "####,##0.00000";
inline constexpr const char* PriceEdit = "#0.00000";
inline constexpr const char* QuantityDisplay = "#0.000";
inline constexpr const char* QuantityEdit = "#0.000";
inline constexpr const char* DiscountDisplay = "#0.00 %";
inline constexpr const char* DiscountEdit = "#0.00";
} // namespace ItemFormat

// ---- Identity fields (label optional: a screen may give its own column title) ----------

host::FieldDef branchCodeField(const QString& label = QString());         // CDFILIAL 4
host::FieldDef branchNameField(const QString& label = QString());         // NMFILIAL 30
host::FieldDef quotationNumberField(const QString& label = QString());    // NRCOLEPRECO 10
host::FieldDef operatorCodeField(const QString& label = QString());       // CDOPERADOR 12
host::FieldDef operatorNameField(const QString& label = QString());       // NMOPERADOR 40
host::FieldDef regionCodeField(const QString& label = QString());         // CDREGIAO 3, "999;0; "
host::FieldDef regionNameField(const QString& label = QString());         // NMREGIAO 30
host::FieldDef supplierCodeField(const QString& label = QString());       // CDFORNECED 21
host::FieldDef supplierLegalNameField(const QString& label = QString());  // NMRAZSOCFORN 40
host::FieldDef supplierTradeNameField(const QString& label = QString());  // NMFANTFORN 40
host::FieldDef supplierPersonTypeField(const QString& label = QString()); // IDTPIJURFORN 1
host::FieldDef supplierDocumentField(const QString& label = QString());   // NRINSJURFORN 20
host::FieldDef supplierKindField(const QString& label = QString());       // IDTIPOFORN 1
host::FieldDef supplierStatusField(const QString& label = QString());     // IDSITUCADA 1
host::FieldDef productCodeField(const QString& label = QString());        // CDPRODUTO 10
// CDARVPROD 20; its edit mask is the product code picture the host gives (Halvore.DBPict(0)).
host::FieldDef productTreeCodeField(const QString& productPicture,
                                    const QString& label = QString());
host::FieldDef productNameField(const QString& label = QString()); // NMPRODUTO 50
host::FieldDef brandCodeField(const QString& label = QString());   // CDMARCA 5, "99999;0; "
host::FieldDef brandNameField(const QString& label = QString());   // NMMARCA 20

// The same definition, not shown in grids.
host::FieldDef hidden(host::FieldDef field);

// The columns of a supplier choice list: the mark, the code and person type (hidden), the
// document, the trade name and the legal name.
host::FieldDefs supplierChoiceFields();

// ---- Quotation header (the quotation list cdsColetapr) ---------------------------------

// CDFILIAL, NRCOLEPRECO, DTCOLEPREC, NRSEMAINIC, NRSEMAFINAL, DTINIVALCOL, DTFINVALCOL,
// CDOPERADOR, NMOPERADOR, Semana (calculated), Data (calculated), IDTIPCOLREG, IDDISMONTLIS.
host::FieldDefs quotationHeaderFields();

// Text of the calculated `Semana`: the first and last week joined by the connector (the
// text of message "msgA", taken without its surrounding blanks and written between single
// blanks): ("05", "07", "a") -> "05 a 07". "" when both weeks are empty.
QString weekRangeText(const QString& firstWeek, const QString& lastWeek, const QString& connector);

// Text of the calculated `Data`: both validity dates in the operator's short date format
// joined as above ("01/03/2025 a 15/03/2025"); an empty date shows as nothing; "" when
// both are empty.
QString validityRangeText(const QDate& first, const QDate& last, const QString& connector);

// ---- Quotation item (ITEMCOLE) ----------------------------------------------------------

// Names of the item key, in key order:
// CDFILIAL, NRCOLEPRECO, CDREGIAO, CDFORNECED, CDPRODUTO, CDMARCA.
QStringList quotationItemKeyNames();

// The key fields followed by VRPRECUNIITM, VRPRECECOITM, QTACMPITMCOL, VRPERDESITM,
// DTINIVALITM, DTFINVALITM, IDITMCOTPREC, IDTIPFREITM, DSOBSITMCOL.
host::FieldDefs quotationItemFields();

// The value fields alone, for tables that carry the key in their own way.
host::FieldDef unitPriceField();       // VRPRECUNIITM "Preço Unitário"
host::FieldDef economicPriceField();   // VRPRECECOITM "Preço Econômico"
host::FieldDef quantityToBuyField();   // QTACMPITMCOL "Quantidade"
host::FieldDef discountField();        // VRPERDESITM "Desconto"
host::FieldDef itemMarkerField();      // IDITMCOTPREC " " (its text is never shown)
host::FieldDef itemObservationField(); // DSOBSITMCOL memo 1000

} // namespace module
