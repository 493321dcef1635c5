#include "Consiste.h"

#include <QMutex>
#include <QMutexLocker>

namespace host {
namespace {

QMutex& localeMutex()
{
    static QMutex mutex;
    return mutex;
}

QLocale& storedLocale()
{
    static QLocale locale(QLocale::Portuguese, QLocale::Brazil);
    return locale;
}

} // namespace

QLocale operatorLocale()
{
    QMutexLocker lock(&localeMutex());
    return storedLocale();
}

void setOperatorLocale(const QLocale& locale)
{
    QMutexLocker lock(&localeMutex());
    storedLocale() = locale;
}

} // namespace host
