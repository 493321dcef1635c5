#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace module {

class SpreadsheetMenu;

// Gives the commands "Exportar Planilha..." (the worksheet shown, as an XLSX file in the
// pivot's layout) and "Exportar Lista..." (the quotation list and its quoted suppliers, as
// CSV or XLSX) of the menu "Planilha" their work.
void installSpreadsheetExport(SpreadsheetMenu& menu);

// What the exports ask the save dialog: its title, the path it opens on (the operator's
// last folder and a suggested name) and the file types offered, the first one chosen.
struct ExportFileRequest
{
    QWidget* parent = nullptr;
    QString caption;
    QString suggestedPath;
    QStringList filters;
};
// The dialog's answer: the path (empty when the buyer cancelled) and the file type chosen.
struct ExportFileChoice
{
    QString path;
    QString filter;
};
using ExportFileDialog = std::function<ExportFileChoice(const ExportFileRequest&)>;

// The save dialog the exports ask: Qt's, unless replaced (tests answer with a path).
ExportFileDialog& exportFileDialog();

// Where the exports keep each operator's last folder among the saved options.
inline const QString kExportOptions = QStringLiteral("SUP01700.Planilha");
inline const QString kExportFolderOption = QStringLiteral("Pasta");

} // namespace module
