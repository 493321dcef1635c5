#pragma once

#include "BoundSql.h"

#include <QByteArray>
#include <functional>
#include <string_view>

namespace host {
class Database;
}

namespace appserver::modules {

// One item of a quotation as the worksheet reads it: its key codes as stored (raw text,
// valid only while the row is handed over) and its numbers.
struct WorksheetItemRow
{
    std::string_view region, supplier, product, brand;
    double unitPrice = 0, economicPrice = 0, economicPricePI = 0, quantity = 0, discount = 0;
};

// Runs the items statement and hands every row to `row`. On SQLite the rows are read
// straight from the engine (a worksheet has hundreds of thousands of items); on other
// databases through the Qt driver. The statement's columns are, in this order: CDREGIAO,
// CDFORNECED, CDPRODUTO, CDMARCA, VRPRECUNIITM, VRPRECECOITM, VRPRECECOPIITM,
// QTACMPITMCOL, VRPERDESITM. Throws host::EDatabaseError.
void forEachWorksheetItem(host::Database& db, const BoundSql& sql,
                          const std::function<void(const WorksheetItemRow&)>& row);

} // namespace appserver::modules
