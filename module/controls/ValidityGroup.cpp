#include "ValidityGroup.h"

#include "WeekDateLink.h"

#include "host/widgets/DateEditPlus.h"
#include "host/widgets/SpinEdit.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace module {

ValidityGroup::ValidityGroup(const QString& title, const QString& initialCaption,
                             const QString& finalCaption, const QString& invalidDateText,
                             QWidget* parent, const QString& nameSuffix)
    : QGroupBox(title, parent)
{
    setObjectName(QStringLiteral("grbValidade") + nameSuffix);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setVerticalSpacing(2);
    auto addRow = [&](int row, const QString& caption, const QString& suffix,
                      host::TWeekSpinEdit*& week, host::TDateEditPlus*& date, QLineEdit*& name) {
        week = new host::TWeekSpinEdit(this);
        week->setObjectName(QStringLiteral("spe") + suffix + nameSuffix);
        date = new host::TDateEditPlus(this);
        date->setObjectName(QStringLiteral("depDt") + suffix + nameSuffix);
        date->SetInvalidDateText(invalidDateText);
        name = new QLineEdit(this);
        name->setObjectName(QStringLiteral("edtNmSem") + suffix + nameSuffix);
        name->setReadOnly(true);
        name->setFocusPolicy(Qt::NoFocus);
        grid->addWidget(new QLabel(caption, this), row, 0);
        grid->addWidget(week, row, 1);
        grid->addWidget(date, row, 2);
        grid->addWidget(name, row, 3);
    };
    addRow(0, initialCaption, QStringLiteral("Inicial"), speInicial, depDtInicial, edtNmSemInicial);
    addRow(1, finalCaption, QStringLiteral("Final"), speFinal, depDtFinal, edtNmSemFinal);
    grid->setColumnStretch(3, 1);
    initialWeek = new WeekDateLink(speInicial, depDtInicial, edtNmSemInicial, WeekEdge::Initial, this);
    finalWeek = new WeekDateLink(speFinal, depDtFinal, edtNmSemFinal, WeekEdge::Final, this);
}

void ValidityGroup::datesChanged()
{
    initialWeek->dateChanged();
    finalWeek->dateChanged();
}

} // namespace module
