#pragma once

#include "host/core/FieldDef.h"
#include "host/core/Packet.h"
#include "host/forms/TfrmRotiGeral.h"

#include <QDate>
#include <QStringList>
#include <QVariantList>
#include <map>
#include <memory>

class QGridLayout;

namespace host {
class DataSet;
}

namespace host {
class Query;
}

namespace module {

class FieldChecks;
class LookupField;
class TfrmPlanCotaPrec;
class Worksheet;

// What every dialog that changes the regions, suppliers, products or brands of the
// current quotation shares: the quotation they work on (read from the main window), the
// worksheet's own lists, the field checks with the dialog's messages, the server calls
// under the busy text, the dialog's queries, and what follows a change (the assignment
// page shown read again, a row of the worksheet found).
//
// A check that fails shows its message, takes the focus back to its field and ends the
// running handler (host::EAbort): confirming stops at the first failure, and nothing has
// changed by then.
class MaintenanceDialog : public host::TfrmRotiGeral
{
    Q_OBJECT
public:
    MaintenanceDialog(TfrmPlanCotaPrec& form, const QString& screenCode, const QString& caption);
    ~MaintenanceDialog() override;

    TfrmPlanCotaPrec& mainForm() const { return m_form; }
    Worksheet& worksheet() const;

protected:
    // ---- the quotation -------------------------------------------------------------------
    QString quotationNumber() const;
    QDate collectionDate() const;
    QString quotationBuyer() const;
    QString purchasingParameter(const QString& name) const;

    // The worksheet's distinct regions ("R"), suppliers ("F"), products ("P"), brands ("M")
    // or product-and-brand values ("PM"); whole values or codes.
    QStringList worksheetList(const QString& kind, bool whole) const;
    // A list as the server takes it: each entry followed by a line break.
    static QString listText(const QStringList& entries);
    // Code parts of the composite values.
    static QString codeBeforeSeparator(const QString& value);

    // ---- checks --------------------------------------------------------------------------
    FieldChecks& checks() const { return *m_checks; }
    // Focuses the field and stops with the message of `key` / with the text itself.
    [[noreturn]] void fail(QWidget* field, const QString& key);
    [[noreturn]] void failText(QWidget* field, const QString& text);
    // Leaving the field checks it without force.
    void checkOnExit(LookupField& field, std::function<void()> check);

    // A supplier (its code) active and qualified at the quotation's date.
    bool supplierOffered(const QString& supplier) const;
    // Whether any of the suppliers (whole values) is.
    bool anySupplierOffered(const QStringList& suppliers) const;

    // ---- the server ----------------------------------------------------------------------
    // A method answering a text, under the busy text of `busyKey` (none when empty).
    QString serverText(const QString& busyKey, const QString& method, const QVariantList& args,
                       int busyKind = 1);
    // A check on the server answering "" when it passes: an answer listed in `codes` fails
    // with its message key, any other answer with its own text; focus back to `field`.
    void serverCheck(QWidget* field, const QString& busyKey, const QString& method,
                     const QVariantList& args, const QList<std::pair<QString, QString>>& codes,
                     int busyKind = 1);
    // A method answering a data packet.
    host::Packet serverPacket(const QString& busyKey, const QString& method,
                              const QVariantList& args);

    // ---- queries and layout --------------------------------------------------------------
    // A query of the dialog's own query file, prepared once and kept; `fields` name and
    // present its columns (given where it is first asked for).
    host::Query& query(const QString& name, const host::FieldDefs& fields = {});
    // The registered regions and brands (qryRegiao, qryMarca), their columns captioned.
    host::Query& regions();
    host::Query& brands();
    // The client area's grid of fields (caption, code, search, name, marks).
    QGridLayout& fieldGrid();

    // ---- regions -------------------------------------------------------------------------
    // The region field's search over every region (the dialog's query qryRegiao).
    void searchAllRegions(LookupField& field);
    // The region typed: given (when forced, else `emptyKey` is not shown), padded to its
    // width and registered; its name shown. False when empty.
    bool checkRegion(LookupField& field, bool force, const QString& emptyKey);
    // The quotation's own regions (cdsRegCota: CDREGIAO, NMREGIAO, COCREGIAO) from the
    // worksheet's whole values, and a field's search over them.
    void fillQuotationRegions(host::DataSet& regions, const QStringList& values);
    void searchQuotationRegions(LookupField& field, host::DataSet& regions);
    // A region to copy prices from, when typed: registered and one of `regions`.
    void checkQuotationRegion(LookupField& field, host::DataSet& regions);

    // ---- after a change --------------------------------------------------------------------
    bool worksheetShown() const;
    // The assignment page shown reads its pairs again (nothing while the worksheet shows).
    void refreshAssignmentView();
    // The worksheet's grid on the first row at or after `row` whose label holds the code.
    void locateRow(const QString& code, int row);

private:
    TfrmPlanCotaPrec& m_form;
    std::unique_ptr<FieldChecks> m_checks;
    std::map<QString, std::unique_ptr<host::Query>> m_queries;
    QGridLayout* m_grid = nullptr;
};

} // namespace module
