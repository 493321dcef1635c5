#include "TfrmDadosGerRel.h"

#include "host/ui/Guard.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace host {

namespace {

QToolButton* button(QWidget* parent, const QString& name, const QString& text,
                    QStyle::StandardPixmap icon)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(text);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setAutoRaise(true);
    return b;
}

} // namespace

TfrmDadosGerRel::TfrmDadosGerRel(const QString& reportCode, const QString& caption,
                                 QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmRel") + reportCode);
    setWindowTitle(caption);
    resize(820, 600);
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    sbtImprimir = button(this, QStringLiteral("sbtImprimir"), QStringLiteral("Imprimir"),
                         QStyle::SP_FileDialogContentsView);
    sbtSalvarPdf = button(this, QStringLiteral("sbtSalvarPdf"), QStringLiteral("Salvar como PDF"),
                          QStyle::SP_DialogSaveButton);
    sbtFechar = button(this, QStringLiteral("sbtFechar"), QStringLiteral("Fechar"),
                       QStyle::SP_DialogCloseButton);
    lblCodRel = new QLabel(reportCode, this);
    lblCodRel->setObjectName(QStringLiteral("lblCodRel"));
    lblCodRel->setEnabled(false);
    bar->addWidget(sbtImprimir);
    bar->addWidget(sbtSalvarPdf);
    bar->addStretch(1);
    bar->addWidget(lblCodRel);
    bar->addWidget(sbtFechar);
    layout->addLayout(bar);
    m_view = new QTextBrowser(this);
    m_view->setObjectName(QStringLiteral("txtRelatorio"));
    m_view->setDocument(&m_document);
    layout->addWidget(m_view, 1);

    connectGuarded(sbtImprimir, &QToolButton::clicked, this, [this](bool) { sbtImprimirClick(); });
    connectGuarded(sbtSalvarPdf, &QToolButton::clicked, this, [this](bool) { sbtSalvarPdfClick(); });
    connectGuarded(sbtFechar, &QToolButton::clicked, this, [this](bool) { accept(); });
}

void TfrmDadosGerRel::refresh(Database& db)
{
    rpddPadrao.build(db, m_document);
}

bool TfrmDadosGerRel::savePdf(const QString& fileName)
{
    QPdfWriter writer(fileName);
    if (!writer.setPageSize(QPageSize(QPageSize::A4)))
        return false;
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    writer.setTitle(windowTitle());
    writer.setCreator(QStringLiteral("SUP01700"));
    m_document.print(&writer);
    return QFileInfo(fileName).size() > 0;
}

void TfrmDadosGerRel::sbtImprimirClick()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(windowTitle());
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* p) { m_document.print(p); });
    Ui::current().execModal(preview, QStringLiteral("VISUALIZAR_IMPRESSAO"));
}

void TfrmDadosGerRel::sbtSalvarPdfClick()
{
    QFileDialog dialog(this, QStringLiteral("Salvar como PDF"), QString(),
                       QStringLiteral("Documentos PDF (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(windowTitle() + QStringLiteral(".pdf"));
    if (Ui::current().execModal(dialog, QStringLiteral("SALVAR_PDF")) != QDialog::Accepted ||
        dialog.selectedFiles().isEmpty())
        return;
    const QString file = dialog.selectedFiles().first();
    if (!savePdf(file))
        MensErro(QStringLiteral("Não foi possível gravar o arquivo %1.").arg(file));
    Ui::current().message(MessageKind::Information,
                          QStringLiteral("Relatório gravado em %1.").arg(file), this);
}

} // namespace host
