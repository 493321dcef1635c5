#include "FieldChecks.h"

#include "host/core/Exceptions.h"
#include "host/core/Messages.h"
#include "host/ui/Guard.h"
#include "host/widgets/DateEditPlus.h"
#include "host/widgets/MaskEdit.h"

#include <QDate>
#include <QScopedValueRollback>

namespace module {

FieldChecks::FieldChecks(const host::Messages& texts, QObject* parent)
    : QObject(parent), m_texts(texts)
{
}

void FieldChecks::onExit(host::TMaskEdit* field, std::function<void()> check)
{
    host::connectGuarded(field, &host::TMaskEdit::exited, this, [this, check] {
        if (!m_refocusing)
            check();
    });
}

void FieldChecks::refocus(QWidget* field)
{
    const QScopedValueRollback<bool> taking(m_refocusing, true);
    field->setFocus();
}

void FieldChecks::fail(QWidget* field, const QString& key)
{
    refocus(field);
    host::MensErro(m_texts.Msg(key));
    throw host::EAbort();
}

void FieldChecks::checkDate(host::TDateEditPlus* date)
{
    // The date field focuses itself before its message.
    const QScopedValueRollback<bool> taking(m_refocusing, true);
    date->CheckValidDate();
}

void FieldChecks::checkNotAfterToday(host::TDateEditPlus* date, bool mandatory,
                                     const QString& emptyKey, const QString& futureKey)
{
    if (date->IsEmpty()) {
        if (mandatory)
            fail(date, emptyKey);
        return;
    }
    if (mandatory)
        checkDate(date);
    const QDate value = date->GetDate();
    if (value.isValid() && value > QDate::currentDate())
        fail(date, futureKey);
}

void FieldChecks::checkPeriod(host::TDateEditPlus* initial, host::TDateEditPlus* final,
                              const PeriodKeys& keys)
{
    if (initial->IsEmpty())
        fail(initial, keys.initialEmpty);
    if (final->IsEmpty())
        fail(final, keys.finalEmpty);
    checkDate(initial);
    checkDate(final);
    if (final->GetDate() < initial->GetDate())
        fail(initial, keys.order);
}

} // namespace module
