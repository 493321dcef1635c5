#pragma once

#include "host/core/Messages.h"
#include "host/core/Query.h"
#include "host/forms/TfrmDadosGerRel.h"

#include <QVariantList>
#include <memory>

namespace module {

// The printed quotation (screen "SUP07000"): the quotation's header (number, collection
// date, weeks, buyer, validity) and its items by region and supplier, with product, brand
// and unit price, in a preview that prints and saves as PDF.
class TfrmImpCotacao : public host::TfrmDadosGerRel
{
    Q_OBJECT
public:
    explicit TfrmImpCotacao(QWidget* parent = nullptr);

    host::Messages msgPadrao;

    // Reads quotation `number` of the purchasing centre of the operator's `branch` and lays
    // out its document; false when the centre has no such quotation.
    bool Carrega(host::Database& db, const QString& branch, const QString& number);
    // The items read by the last Carrega (one row per region, supplier, product and brand).
    host::DataSet* itens() const { return m_itens.get(); }

private:
    QStringList headerLines(const host::DataSet& header) const;

    std::unique_ptr<host::Query> m_itens;
};

// Opens the printed quotation modally; values[0] is the quotation number. A number the
// operator's purchasing centre does not have is reported and nothing opens.
void CriaImpCotacao(const QVariantList& values);

// Makes "SUP07000" a screen the session opens by code (Halvore.LoadBPL).
void registerPrintQuotationScreen();

} // namespace module
