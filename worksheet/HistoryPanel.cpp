#include "HistoryPanel.h"

#include "host/core/DataSet.h"
#include "host/core/Messages.h"
#include "host/core/consiste/Consiste.h"
#include "host/widgets/NumberEdit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace module {

namespace {

QLineEdit* readOnly(QWidget* parent, const QString& name, int width = 0)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    if (width > 0)
        edit->setMaximumWidth(width);
    return edit;
}

host::TNumberEdit* number(QWidget* parent, const QString& name, int decimals)
{
    auto* edit = new host::TNumberEdit(parent);
    edit->setObjectName(name);
    edit->SetDecimals(decimals);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setMaximumWidth(110);
    return edit;
}

} // namespace

HistoryPanel::HistoryPanel(const host::Messages& texts, QWidget* parent)
    : QWidget(parent), m_texts(texts)
{
    setObjectName(QStringLiteral("panHistorico"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(group(QStringLiteral("grbMinPrNorm"), texts.Msg(QStringLiteral("Grb_MinPrNorm")),
                         &edtFornMarc_Normal, minPrFN, nedPrUn_FornN, nedPrEco_FornN, nullptr));
    row->addWidget(group(QStringLiteral("grbMinPrAlter"),
                         texts.Msg(QStringLiteral("Grb_MinPrAlter")), &edtFornMarc_Altern, minPrFA,
                         nedPrUn_FornA, nedPrEco_FornA, nullptr));
    row->addWidget(group(QStringLiteral("grbUltCot"), texts.Msg(QStringLiteral("Grb_UltCot")),
                         nullptr, ultCot, nedPrUn_UltCot, nedPrEco_UltCot, &nedVariacao));
    edtFornMarc_Normal->setObjectName(QStringLiteral("edtFornMarc_Normal"));
    edtFornMarc_Altern->setObjectName(QStringLiteral("edtFornMarc_Altern"));
    nedPrUn_FornN->setObjectName(QStringLiteral("nedPrUn_FornN"));
    nedPrEco_FornN->setObjectName(QStringLiteral("nedPrEco_FornN"));
    nedPrUn_FornA->setObjectName(QStringLiteral("nedPrUn_FornA"));
    nedPrEco_FornA->setObjectName(QStringLiteral("nedPrEco_FornA"));
    nedPrUn_UltCot->setObjectName(QStringLiteral("nedPrUn_UltCot"));
    nedPrEco_UltCot->setObjectName(QStringLiteral("nedPrEco_UltCot"));
    const std::pair<Period*, const char*> periods[] = {
        {&minPrFN, "MinPrFN"}, {&minPrFA, "MinPrFA"}, {&ultCot, "UltCot"}};
    for (const auto& [period, suffix] : periods) {
        const QString s = QString::fromLatin1(suffix);
        period->weekStart->setObjectName(QStringLiteral("edtSemIni_") + s);
        period->start->setObjectName(QStringLiteral("edtValIni_") + s);
        period->weekEnd->setObjectName(QStringLiteral("edtSemFin_") + s);
        period->end->setObjectName(QStringLiteral("edtValFin_") + s);
    }
}

QWidget* HistoryPanel::group(const QString& name, const QString& caption, QLineEdit** supplier,
                             Period& period, host::TNumberEdit*& unit,
                             host::TNumberEdit*& economic, host::TNumberEdit** variation)
{
    auto* box = new QGroupBox(caption, this);
    box->setObjectName(name);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setVerticalSpacing(2);
    // The period keeps to the left; the room that is left goes to the last column.
    grid->setColumnStretch(5, 1);
    int row = 0;
    if (supplier) {
        *supplier = readOnly(box, QString());
        grid->addWidget(*supplier, row++, 0, 1, 6);
    }
    period.weekStart = readOnly(box, QString(), 30);
    period.start = readOnly(box, QString(), 90);
    period.weekEnd = readOnly(box, QString(), 30);
    period.end = readOnly(box, QString(), 90);
    grid->addWidget(period.weekStart, row, 0);
    grid->addWidget(period.start, row, 1);
    grid->addWidget(new QLabel(m_texts.Msg(QStringLiteral("msgA")), box), row, 2);
    grid->addWidget(period.weekEnd, row, 3);
    grid->addWidget(period.end, row, 4);
    ++row;
    unit = number(box, QString(), 5);
    economic = number(box, QString(), 5);
    grid->addWidget(new QLabel(m_texts.Msg(QStringLiteral("Lbl_PrecoUnitario")), box), row, 0, 1, 2);
    grid->addWidget(unit, row, 2, 1, 3);
    ++row;
    grid->addWidget(new QLabel(m_texts.Msg(QStringLiteral("Lbl_PrecoEconomico")), box), row, 0, 1, 2);
    grid->addWidget(economic, row, 2, 1, 3);
    if (variation) {
        ++row;
        *variation = number(box, QStringLiteral("nedVariacao"), 2);
        grid->addWidget(new QLabel(m_texts.Msg(QStringLiteral("Lbl_Variacao")), box), row, 0, 1, 2);
        grid->addWidget(*variation, row, 2, 1, 3);
    }
    return box;
}

void HistoryPanel::showHistory(const host::DataSet& history)
{
    const bool any = history.Active() && !history.IsEmpty();
    auto value = [&](const char* field) {
        return any ? history.FieldByName(QString::fromLatin1(field)).AsFloat() : 0.0;
    };
    auto showGroup = [&](const char* unitField, const char* ecoField, const char* startField,
                         const char* endField, const char* nameField, host::TNumberEdit* unit,
                         host::TNumberEdit* economic, const Period& period, QLineEdit* name) {
        unit->SetValue(value(unitField));
        economic->SetValue(value(ecoField));
        const bool quoted = unit->Value() != 0.0;
        const QDate start = quoted ? history.FieldByName(QString::fromLatin1(startField)).AsDate()
                                   : QDate();
        const QDate end =
            quoted ? history.FieldByName(QString::fromLatin1(endField)).AsDate() : QDate();
        auto dateText = [](const QDate& d) {
            return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString();
        };
        auto weekText = [](const QDate& d) {
            return d.isValid() ? QString::number(host::NumeroSemana(d)) : QString();
        };
        period.start->setText(dateText(start));
        period.end->setText(dateText(end));
        period.weekStart->setText(weekText(start));
        period.weekEnd->setText(weekText(end));
        if (name)
            name->setText(quoted ? history.FieldByName(QString::fromLatin1(nameField)).AsString()
                                 : QString());
    };
    showGroup("P_VRFNORM_PRUN", "P_VRFNORM_ECO", "P_DTINIVAL_MINPRFN", "P_DTFINVAL_MINPRFN",
              "P_NMFORN_NORM", nedPrUn_FornN, nedPrEco_FornN, minPrFN, edtFornMarc_Normal);
    showGroup("P_VRFALTER_PRUN", "P_VRFALTER_ECO", "P_DTINIVAL_MINPRFA", "P_DTFINVAL_MINPRFA",
              "P_NMFORN_ALTER", nedPrUn_FornA, nedPrEco_FornA, minPrFA, edtFornMarc_Altern);
    showGroup("P_VRULTCOT_PRUN", "P_VRULTCOT_ECO", "P_DTINIVAL_ULTCOT", "P_DTFINVAL_ULTCOT",
              nullptr, nedPrUn_UltCot, nedPrEco_UltCot, ultCot, nullptr);
    nedVariacao->SetValue(value("P_PERVARIACAO"));
}

} // namespace module
