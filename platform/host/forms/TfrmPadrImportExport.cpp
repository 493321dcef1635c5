#include "TfrmPadrImportExport.h"

#include "host/ui/Guard.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace host {

TfrmPadrImportExport::TfrmPadrImportExport(const QString& screenCode, const QString& caption,
                                           QWidget* parent)
    : TfrmRotiGeral(screenCode, caption, parent)
{
    // The execute button takes the confirm button's place.
    sbtConfirma->hide();
    sbtImportExport = new QToolButton(buttonBar());
    sbtImportExport->setObjectName(QStringLiteral("sbtImportExport"));
    sbtImportExport->setText(QStringLiteral("Executar"));
    sbtImportExport->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    sbtImportExport->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    sbtImportExport->setAutoRaise(true);
    auto* bar = static_cast<QHBoxLayout*>(buttonBar()->layout());
    bar->insertWidget(bar->indexOf(sbtConfirma), sbtImportExport);

    panProgresso = new QWidget(this);
    panProgresso->setObjectName(QStringLiteral("panProgresso"));
    auto* progress = new QVBoxLayout(panProgresso);
    progress->setContentsMargins(0, 0, 0, 0);
    lblProgresso = new QLabel(panProgresso);
    lblProgresso->setObjectName(QStringLiteral("lblProgresso"));
    pgbProgresso = new QProgressBar(panProgresso);
    pgbProgresso->setObjectName(QStringLiteral("pgbProgresso"));
    progress->addWidget(lblProgresso);
    progress->addWidget(pgbProgresso);
    panProgresso->hide();
    static_cast<QVBoxLayout*>(layout())->insertWidget(1, panProgresso);

    connectGuarded(sbtImportExport, &QToolButton::clicked, this,
                   [this](bool) { sbtImportExportClick(); });
}

void TfrmPadrImportExport::beginProgress(const QString& text, int steps)
{
    lblProgresso->setText(text);
    pgbProgresso->setRange(0, steps);
    pgbProgresso->setValue(0);
    panProgresso->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TfrmPadrImportExport::stepProgress(int done)
{
    pgbProgresso->setValue(done);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TfrmPadrImportExport::endProgress()
{
    panProgresso->hide();
}

} // namespace host
