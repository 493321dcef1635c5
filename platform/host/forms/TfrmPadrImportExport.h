#pragma once

#include "TfrmRotiGeral.h"

class QLabel;
class QProgressBar;

namespace host {

// Base of the import/export dialogs: an execute button (sbtImportExport), the cancel
// button and a progress panel with a bar and a text, hidden until a form shows it.
class TfrmPadrImportExport : public TfrmRotiGeral
{
    Q_OBJECT
public:
    TfrmPadrImportExport(const QString& screenCode, const QString& caption, QWidget* parent = nullptr);

    QToolButton* sbtImportExport = nullptr;
    QWidget* panProgresso = nullptr;
    QProgressBar* pgbProgresso = nullptr;
    QLabel* lblProgresso = nullptr;

    // Shows the progress panel with a text and the range of steps.
    void beginProgress(const QString& text, int steps);
    void stepProgress(int done);
    void endProgress();

protected:
    // The execute button's reaction (run through the handler guard).
    virtual void sbtImportExportClick() = 0;
};

} // namespace host
