#include "PriceImport.h"

#include "PriceImportPlan.h"
#include "PriceSheet.h"
#include "TfrmImportPrecos.h"

#include "module/entry/PlanCotaPrecPages.h"
#include "shell/ItemChecks.h"
#include "shell/TfrmPlanCotaPrec.h"
#include "spreadsheet/SpreadsheetMenu.h"
#include "worksheet/Worksheet.h"

#include "host/core/Exceptions.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/ui/Ui.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>

namespace module {

namespace {

const QString kScreen = QStringLiteral("SUP01722");
const QString kFolderOption = QStringLiteral("PastaImportacao");

PriceFileChooser& fileChooser()
{
    static PriceFileChooser chooser;
    return chooser;
}

QString askForFile(TfrmPlanCotaPrec& form, const host::Messages& texts)
{
    if (fileChooser())
        return fileChooser()(&form);
    host::Halvore& halvore = host::Halvore::instance();
    host::OptionList options = halvore.loadOptions(kScreen);
    QFileDialog dialog(&form, texts.Msg(QStringLiteral("Escolha")), options.value(kFolderOption),
                       texts.Msg(QStringLiteral("Filtro")));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (host::Ui::current().execModal(dialog, QStringLiteral("ABRIR_PLANILHA")) !=
            QDialog::Accepted ||
        dialog.selectedFiles().isEmpty())
        return {};
    const QString file = dialog.selectedFiles().constFirst();
    options.setValue(kFolderOption, QFileInfo(file).absolutePath());
    try {
        halvore.saveOptions(kScreen, options);
    } catch (const host::Exception&) {
        // The folder is only a convenience for the next time.
    }
    return file;
}

} // namespace

void ImportarPrecos(TfrmPlanCotaPrec& form)
{
    Worksheet& worksheet = worksheetOf(form);
    // Prices typed and not saved yet would mix with the file's.
    if (!worksheet.holdsCurrentQuotation() || worksheet.cdsAltCotacao.IsEmpty() ||
        worksheet.pending())
        return;
    const host::Messages texts = host::Messages::load(QStringLiteral("PLANIMP"));
    // Whoever may not type a price on this quotation imports none either.
    vd_OperSistema(form);
    const QString path = askForFile(form, texts);
    if (path.isEmpty())
        return;
    const QString fileName = QFileInfo(path).fileName();

    ImportPlan plan;
    {
        host::BusyScope busy(&form, texts.Msg(QStringLiteral("Lendo")));
        PriceSheet file;
        try {
            file = priceSheetOf(readSpreadsheet(path));
        } catch (const PriceFileError& error) {
            busy.hide();
            host::MensErro(texts.Msg(error.key()).arg(fileName));
        }
        PriceEntryRules rules(form);
        plan = planPriceImport(worksheet, file, rules, texts);
    }

    TfrmImportPrecos preview(&form, plan, texts, fileName);
    if (host::Ui::current().execModal(preview, preview.screenCode()) != QDialog::Accepted ||
        plan.changes.empty())
        return;
    {
        host::BusyScope busy(&form, texts.Msg(QStringLiteral("Aplicando")));
        applyPriceImport(worksheet, plan);
    }
    worksheet.stCdProdAnterior.clear();
    worksheet.degCotacao->viewport()->update();
}

void installPriceImport(SpreadsheetMenu& menu)
{
    TfrmPlanCotaPrec& form = menu.form();
    menu.setHandler(menu.mnuImportarPrecos, [&form] { ImportarPrecos(form); });
}

void setPriceFileChooser(PriceFileChooser chooser)
{
    fileChooser() = std::move(chooser);
}

} // namespace module
