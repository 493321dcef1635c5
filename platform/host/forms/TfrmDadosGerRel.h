#pragma once

#include "ReportDesigner.h"

#include <QDialog>
#include <QTextDocument>

class QTextBrowser;
class QToolButton;
class QLabel;

namespace host {

class Database;

// Base of the report forms: the report component (rpddPadrao) fetches and lays out the
// data; the form shows the document and offers a print preview and saving as PDF.
class TfrmDadosGerRel : public QDialog
{
    Q_OBJECT
public:
    TfrmDadosGerRel(const QString& reportCode, const QString& caption, QWidget* parent = nullptr);

    ReportDesigner rpddPadrao;
    QToolButton* sbtImprimir = nullptr;
    QToolButton* sbtSalvarPdf = nullptr;
    QToolButton* sbtFechar = nullptr;
    QLabel* lblCodRel = nullptr;

    // Fetches the data from `db` and shows the document.
    void refresh(Database& db);
    QTextDocument& document() { return m_document; }
    // Writes the document as a PDF file; false when the file cannot be written.
    bool savePdf(const QString& fileName);

protected:
    virtual void sbtImprimirClick();
    virtual void sbtSalvarPdfClick();

private:
    QTextDocument m_document;
    QTextBrowser* m_view = nullptr;
};

} // namespace host
