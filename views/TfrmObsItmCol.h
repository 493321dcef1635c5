#pragma once

#include "host/forms/TfrmRotiGeral.h"

#include <memory>

class QPlainTextEdit;

namespace host {
class Query;
}

namespace module {

// "Observação" (screen "SUP01719"): the supplier's observation of one quotation item,
// read straight from the database and shown read-only. It has no commands of its own;
// the window's close button (or Escape) closes it.
class TfrmObsItmCol final : public host::TfrmRotiGeral
{
    Q_OBJECT
public:
    explicit TfrmObsItmCol(QWidget* parent = nullptr);
    ~TfrmObsItmCol() override;

    QPlainTextEdit* dbmObsItm = nullptr;
    std::unique_ptr<host::Query> qryObsItmCol;

    // Reads the observation of the item (branch, quotation, region, supplier, product,
    // brand); an item without one, or none at all, shows an empty memo.
    void Carrega(const QString& branch, const QString& number, const QString& region,
                 const QString& supplier, const QString& product, const QString& brand);
};

// Shows the observation of an item modally; the six codes in this order.
void CriaObsItmCol(const QString& branch, const QString& number, const QString& region,
                   const QString& supplier, const QString& product, const QString& brand,
                   QWidget* parent = nullptr);

} // namespace module
