#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace host {
class Messages;
}

namespace module {

class TfrmPlanCotaPrec;

// A table written to a file: its name (the sheet of a workbook), its column headings and
// its rows. Values are texts, dates, numbers or null (an empty cell).
struct ExportTable
{
    QString name;
    QStringList headings;
    QList<QVariantList> rows;
};

// The quotation list as the buyer sees it (number, date, weeks, validity, buyer, collection
// type, list flag) and the suppliers quoted in those quotations (quotation number, person
// type, document, legal and trade names), in the list's order.
QList<ExportTable> quotationListTables(const TfrmPlanCotaPrec& form, const host::Messages& texts);

// CSV as spreadsheet programs in pt_BR read it: UTF-8 with a byte order mark, ";" between
// fields, decimal comma, dates as dd/MM/yyyy, lines ended by CR LF. The tables follow one
// another in one file, each with its heading line, separated by an empty line. The file is
// replaced only when completely written. Throws EExportFile.
void writeTablesCsv(const QList<ExportTable>& tables, const QString& path);

// One sheet per table, the heading row in bold and frozen, dates and numbers as such,
// columns fitted to their texts. Throws EExportFile.
void writeTablesXlsx(const QList<ExportTable>& tables, const QString& path);

} // namespace module
