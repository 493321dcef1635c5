#include "SpreadsheetExport.h"

#include "ListExport.h"
#include "WorksheetXlsx.h"
#include "XlsxFile.h"

#include "module/entry/PlanCotaPrecPages.h"
#include "shell/TfrmPlanCotaPrec.h"
#include "spreadsheet/SpreadsheetMenu.h"
#include "worksheet/Worksheet.h"

#include "host/core/Messages.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <memory>
#include <optional>

namespace module {

namespace {

enum class FileKind
{
    Xlsx,
    Csv
};

struct ChosenFile
{
    QString path;
    FileKind kind = FileKind::Xlsx;
};

QString suffixOf(FileKind kind)
{
    return kind == FileKind::Csv ? QStringLiteral("csv") : QStringLiteral("xlsx");
}

QString filterOf(FileKind kind, const host::Messages& texts)
{
    return texts.Msg(kind == FileKind::Csv ? QStringLiteral("Filtro_Csv")
                                           : QStringLiteral("Filtro_Xlsx"));
}

ExportFileChoice qtSaveDialog(const ExportFileRequest& request)
{
    QString filter = request.filters.value(0);
    const QString path =
        QFileDialog::getSaveFileName(request.parent, request.caption, request.suggestedPath,
                                     request.filters.join(QStringLiteral(";;")), &filter);
    return {path, filter};
}

// Asks where to write, starting in the folder the operator used last, and remembers the
// folder chosen. The kind follows the name typed (".csv", ".xlsx") or else the type chosen
// in the dialog, whose suffix is then added. Nothing when the buyer cancels.
std::optional<ChosenFile> chooseFile(QWidget* parent, const host::Messages& texts,
                                     const QString& caption, const QString& baseName,
                                     const QList<FileKind>& kinds)
{
    host::Halvore& halvore = host::Halvore::instance();
    host::OptionList options = halvore.loadOptions(kExportOptions);
    QString folder = options.value(kExportFolderOption);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();

    ExportFileRequest request;
    request.parent = parent;
    request.caption = caption;
    request.suggestedPath =
        QDir(folder).filePath(baseName + QLatin1Char('.') + suffixOf(kinds.first()));
    for (const FileKind kind : kinds)
        request.filters.append(filterOf(kind, texts));
    const ExportFileChoice choice = exportFileDialog()(request);
    if (choice.path.isEmpty())
        return std::nullopt;

    ChosenFile chosen{QDir::cleanPath(choice.path), kinds.first()};
    const QString typed = QFileInfo(chosen.path).suffix();
    bool named = false;
    for (const FileKind kind : kinds) {
        if (typed.compare(suffixOf(kind), Qt::CaseInsensitive) == 0) {
            chosen.kind = kind;
            named = true;
        }
    }
    if (!named) {
        for (const FileKind kind : kinds)
            if (choice.filter == filterOf(kind, texts))
                chosen.kind = kind;
        chosen.path += QLatin1Char('.') + suffixOf(chosen.kind);
    }

    options.setValue(kExportFolderOption, QFileInfo(chosen.path).absolutePath());
    try {
        halvore.saveOptions(kExportOptions, options);
    } catch (const host::Exception&) {
        // The folder is a convenience: an options file that cannot be written does not
        // stop the export.
    }
    return chosen;
}

// Runs a write under its busy text; a failure is shown with the file's name.
template <typename Write>
void writeFile(TfrmPlanCotaPrec& form, const host::Messages& texts, const QString& busyKey,
               const QString& path, Write&& write)
{
    host::BusyScope busy(&form, texts.Msg(busyKey));
    try {
        write();
    } catch (const EExportFile& failure) {
        busy.hide();
        host::MensErro(texts.Msg(QStringLiteral("Erro_Gravar"))
                           .arg(QDir::toNativeSeparators(path), failure.message()));
    }
}

void exportWorksheet(TfrmPlanCotaPrec& form, const host::Messages& texts)
{
    Worksheet& worksheet = worksheetOf(form);
    host::DataSet& items = worksheet.cdsAltCotacao;
    if (!items.Active() || items.IsEmpty())
        return;
    // The item table holds one region or all of them: the name tells which.
    const QStringList regions = worksheet.DegRegistros(QStringLiteral("R"), false);
    const QString number = form.currentNumber().trimmed();
    const QString baseName =
        regions.size() == 1
            ? texts.Msg(QStringLiteral("Arq_PlanilhaRegiao")).arg(number, regions.first().trimmed())
            : texts.Msg(QStringLiteral("Arq_Planilha")).arg(number);
    const std::optional<ChosenFile> file = chooseFile(
        &form, texts, texts.Msg(QStringLiteral("Titulo_Planilha")), baseName, {FileKind::Xlsx});
    if (!file)
        return;
    writeFile(form, texts, QStringLiteral("Gerando_Planilha"), file->path,
              [&] { writeWorksheetXlsx(worksheetTable(items), file->path, texts); });
}

void exportList(TfrmPlanCotaPrec& form, const host::Messages& texts)
{
    if (!form.cdsColetapr.Active() || form.cdsColetapr.IsEmpty())
        return;
    const std::optional<ChosenFile> file =
        chooseFile(&form, texts, texts.Msg(QStringLiteral("Titulo_Lista")),
                   texts.Msg(QStringLiteral("Arq_Lista")), {FileKind::Csv, FileKind::Xlsx});
    if (!file)
        return;
    writeFile(form, texts, QStringLiteral("Gerando_Lista"), file->path, [&] {
        const QList<ExportTable> tables = quotationListTables(form, texts);
        if (file->kind == FileKind::Csv)
            writeTablesCsv(tables, file->path);
        else
            writeTablesXlsx(tables, file->path);
    });
}

} // namespace

ExportFileDialog& exportFileDialog()
{
    static ExportFileDialog dialog = qtSaveDialog;
    return dialog;
}

void installSpreadsheetExport(SpreadsheetMenu& menu)
{
    auto texts =
        std::make_shared<const host::Messages>(host::Messages::load(QStringLiteral("PLANEXP")));
    TfrmPlanCotaPrec& form = menu.form();
    menu.setHandler(menu.mnuExportarPlanilha, [&form, texts] { exportWorksheet(form, *texts); });
    menu.setHandler(menu.mnuExportarLista, [&form, texts] { exportList(form, *texts); });
}

} // namespace module
