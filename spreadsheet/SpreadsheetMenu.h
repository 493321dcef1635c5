#pragma once

#include "host/core/Messages.h"

#include <QHash>
#include <QObject>
#include <functional>

class QAction;
class QMenu;
class QToolButton;

namespace module {

class TfrmPlanCotaPrec;

// The menu "Planilha" of the main window: the worksheet to and from spreadsheet files, the
// best price marked in the pivot, and the worksheet printed. Each command gets its work
// from the part that does it (setHandler); until then it stays disabled. The worksheet's
// commands are offered while the worksheet holds the current quotation's items.
class SpreadsheetMenu final : public QObject
{
    Q_OBJECT
public:
    explicit SpreadsheetMenu(TfrmPlanCotaPrec& form);

    TfrmPlanCotaPrec& form() const { return m_form; }
    // The texts of these commands (forms/PLANILHA.msg).
    const host::Messages& texts() const { return m_texts; }

    QMenu* mnuArqPlanilha = nullptr;
    QAction* mnuExportarPlanilha = nullptr;
    QAction* mnuExportarLista = nullptr;
    QAction* mnuImportarPrecos = nullptr;
    QAction* mnuMelhorPreco = nullptr; // a toggle
    QAction* mnuImprimirPlanilha = nullptr;
    QToolButton* sbtExportarPlanilha = nullptr;
    QToolButton* sbtImportarPrecos = nullptr;
    QToolButton* sbtMelhorPreco = nullptr;
    QToolButton* sbtImprimirPlanilha = nullptr;

    void setHandler(QAction* command, std::function<void()> handler);
    // Enables each command with a handler that its page and data allow.
    void commandStates();

private:
    QAction* command(const char* name, const char* textKey, int icon);

    TfrmPlanCotaPrec& m_form;
    host::Messages m_texts;
    QHash<QAction*, std::function<void()>> m_handlers;
};

// The menu of a window made by NovoPlanCotaPrec.
SpreadsheetMenu& spreadsheetMenuOf(const TfrmPlanCotaPrec& form);

} // namespace module
