#include "SpreadsheetMenu.h"

#include "module/entry/PlanCotaPrecPages.h"
#include "shell/TfrmPlanCotaPrec.h"
#include "worksheet/Worksheet.h"

#include "host/ui/Guard.h"
#include "host/widgets/PageControl.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <stdexcept>

namespace module {

SpreadsheetMenu::SpreadsheetMenu(TfrmPlanCotaPrec& form)
    : QObject(&form), m_form(form), m_texts(host::Messages::load(QStringLiteral("PLANILHA")))
{
    setObjectName(QStringLiteral("SpreadsheetMenu"));
    mnuArqPlanilha = form.menuBar()->addMenu(m_texts.Msg(QStringLiteral("Menu")));
    mnuArqPlanilha->setObjectName(QStringLiteral("mnuArqPlanilha"));
    mnuExportarPlanilha = command("mnuExportarPlanilha", "ExportarPlanilha", QStyle::SP_DialogSaveButton);
    mnuExportarLista = command("mnuExportarLista", "ExportarLista", QStyle::SP_FileDialogDetailedView);
    mnuImportarPrecos = command("mnuImportarPrecos", "ImportarPrecos", QStyle::SP_DialogOpenButton);
    mnuArqPlanilha->addSeparator();
    mnuMelhorPreco = command("mnuMelhorPreco", "MelhorPreco", QStyle::SP_FileDialogInfoView);
    mnuMelhorPreco->setCheckable(true);
    mnuArqPlanilha->addSeparator();
    mnuImprimirPlanilha = command("mnuImprimirPlanilha", "ImprimirPlanilha", QStyle::SP_FileIcon);
    sbtExportarPlanilha = form.addToolButton(mnuExportarPlanilha, QStringLiteral("sbtExportarPlanilha"));
    sbtImportarPrecos = form.addToolButton(mnuImportarPrecos, QStringLiteral("sbtImportarPrecos"));
    sbtMelhorPreco = form.addToolButton(mnuMelhorPreco, QStringLiteral("sbtMelhorPreco"));
    sbtImprimirPlanilha = form.addToolButton(mnuImprimirPlanilha, QStringLiteral("sbtImprimirPlanilha"));
    form.addStateStep([this] { commandStates(); });
}

QAction* SpreadsheetMenu::command(const char* name, const char* textKey, int icon)
{
    auto* action = new QAction(m_form.style()->standardIcon(QStyle::StandardPixmap(icon)),
                               m_texts.Msg(QString::fromLatin1(textKey)), this);
    action->setObjectName(QString::fromLatin1(name));
    action->setEnabled(false);
    mnuArqPlanilha->addAction(action);
    host::connectGuarded(action, &QAction::triggered, this, [this, action](bool) {
        if (const std::function<void()> handler = m_handlers.value(action))
            handler();
    });
    return action;
}

void SpreadsheetMenu::setHandler(QAction* command, std::function<void()> handler)
{
    if (handler)
        m_handlers.insert(command, std::move(handler));
    else
        m_handlers.remove(command);
    commandStates();
}

void SpreadsheetMenu::commandStates()
{
    const Worksheet& worksheet = worksheetOf(m_form);
    const bool onWorksheet = m_form.pgcPadrao->ActivePage() == m_form.tshPadrao;
    const bool items = onWorksheet && worksheet.holdsCurrentQuotation() &&
                       !worksheet.cdsAltCotacao.IsEmpty();
    const bool list = m_form.cdsColetapr.Active() && !m_form.cdsColetapr.IsEmpty();
    auto enable = [this](QAction* command, bool allowed) {
        command->setEnabled(allowed && m_handlers.contains(command));
    };
    enable(mnuExportarPlanilha, items);
    enable(mnuImportarPrecos, items && !worksheet.pending());
    enable(mnuImprimirPlanilha, items);
    enable(mnuExportarLista, list);
    // The mark is a way of showing the worksheet: always at hand once it is there.
    enable(mnuMelhorPreco, true);
}

SpreadsheetMenu& spreadsheetMenuOf(const TfrmPlanCotaPrec& form)
{
    auto* menu = form.findChild<SpreadsheetMenu*>(QStringLiteral("SpreadsheetMenu"),
                                                  Qt::FindDirectChildrenOnly);
    if (!menu)
        throw std::logic_error("the main window lacks its spreadsheet menu");
    return *menu;
}

} // namespace module
