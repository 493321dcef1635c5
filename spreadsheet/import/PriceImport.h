#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace module {

class SpreadsheetMenu;
class TfrmPlanCotaPrec;

// "Importar Preços...": a supplier's prices read back from a spreadsheet file laid out as the
// exported worksheet (the whole worksheet or one supplier's column), shown in a preview and,
// once the buyer confirms, typed into the worksheet as the price entry does: the same checks,
// each price posted to the item table and its detail line rewritten, all pending until the
// buyer saves.
void ImportarPrecos(TfrmPlanCotaPrec& form);

// Makes the command of the menu "Planilha" import prices.
void installPriceImport(SpreadsheetMenu& menu);

// How the file to read is asked for: the chosen path, empty when the buyer gives up. By
// default a file dialog that opens in the folder the operator read from last.
using PriceFileChooser = std::function<QString(QWidget* parent)>;
// Replaces the way the file is asked for (an empty function puts the file dialog back).
void setPriceFileChooser(PriceFileChooser chooser);

} // namespace module
