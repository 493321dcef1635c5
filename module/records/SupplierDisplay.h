#pragma once

// How a supplier's person type, document number and kind are shown in every grid and
// search of the module. The functions give message KEYS: the caller looks them up in its
// form's message table (texts "Jurídica", "Física", "Insc. Jurídica", "Outros", ...).

#include <QString>

namespace host {
class DataSet;
class Messages;
} // namespace host

namespace module {

// Person type of a supplier row (IDTPIJURFORN) -> message key of its text:
// "J" -> "CGC", "F" -> "CPF", "I" -> "JURIDICA", "O" -> "OUTROS", anything else -> "".
QString personTypeMessageKey(const QString& type);

// The same for the supplier searches' type column:
// "J" -> "CGC_Pesq", "F" -> "CPF_Pesq", "I" -> "JUR_Pesq", "O" -> "OUTROS_Pesq", else "".
QString personTypeSearchMessageKey(const QString& type);

// Document number (NRINSJURFORN) as shown: the stored digits with the mask PictPess gives
// for the row's person type ("J": "11.222.333/0001-81"; an unknown type: as stored);
// blanks around the stored number are dropped.
QString supplierDocumentText(const QString& type, const QString& digits);

// Supplier kind (IDTIPOFORN) -> message key: "A" (alternative) -> "Display_TipFornA",
// anything else (normal) -> "Display_TipFornN".
QString supplierKindMessageKey(const QString& kind);

// Shows the supplier fields of a table as every list of the module does: the person type
// by its name, the document with its mask, and (when the table has it) the supplier kind;
// the texts come from `texts`, which must outlive the table's use.
void bindSupplierDisplay(host::DataSet& suppliers, const host::Messages& texts);

} // namespace module
