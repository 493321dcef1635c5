#pragma once

#include <QWidget>

class QLineEdit;

namespace host {
class DataSet;
class TNumberEdit;
class Messages;
} // namespace host

namespace module {

// The price history below the worksheet grid (panHistorico): for the selected item, the
// lowest price quoted by a normal and by an alternative supplier, and the supplier's last
// quotation, each with its validity period as weeks and dates. All read-only.
class HistoryPanel final : public QWidget
{
    Q_OBJECT
public:
    HistoryPanel(const host::Messages& texts, QWidget* parent);

    // One group's period: week and date at the start, "a", week and date at the end.
    struct Period
    {
        QLineEdit* weekStart = nullptr;
        QLineEdit* start = nullptr;
        QLineEdit* weekEnd = nullptr;
        QLineEdit* end = nullptr;
    };

    // "Menor Preço - Normal"
    QLineEdit* edtFornMarc_Normal = nullptr;
    Period minPrFN;
    host::TNumberEdit* nedPrUn_FornN = nullptr;
    host::TNumberEdit* nedPrEco_FornN = nullptr;
    // "Menor Preço - Alternativo"
    QLineEdit* edtFornMarc_Altern = nullptr;
    Period minPrFA;
    host::TNumberEdit* nedPrUn_FornA = nullptr;
    host::TNumberEdit* nedPrEco_FornA = nullptr;
    // "Última Cotação do Fornecedor"
    Period ultCot;
    host::TNumberEdit* nedPrUn_UltCot = nullptr;
    host::TNumberEdit* nedPrEco_UltCot = nullptr;
    host::TNumberEdit* nedVariacao = nullptr;

    // Shows the history record (cdsHistorico): the prices always; dates, weeks and names
    // only for a group whose unit price is not 0.
    void showHistory(const host::DataSet& history);

private:
    QWidget* group(const QString& name, const QString& caption, QLineEdit** supplier,
                   Period& period, host::TNumberEdit*& unit, host::TNumberEdit*& economic,
                   host::TNumberEdit** variation);

    const host::Messages& m_texts;
};

} // namespace module
