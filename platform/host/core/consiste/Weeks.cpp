#include "Consiste.h"

#include <array>

namespace host {

int NumeroSemana(const QDate& date)
{
    return date.isValid() ? date.weekNumber() : 0;
}

int AnoSemana(const QDate& date)
{
    if (!date.isValid())
        return 0;
    int year = 0;
    date.weekNumber(&year);
    return year;
}

QString NomeSemana(const QDate& date)
{
    if (!date.isValid())
        return QString();
    // Indexed by QDate::dayOfWeek(): 1 = Monday ... 7 = Sunday.
    static const std::array<QString, 7> names{
        QStringLiteral("Segunda-feira"), QStringLiteral("Terça-feira"),
        QStringLiteral("Quarta-feira"),  QStringLiteral("Quinta-feira"),
        QStringLiteral("Sexta-feira"),   QStringLiteral("Sábado"),
        QStringLiteral("Domingo"),
    };
    return names[std::size_t(date.dayOfWeek() - 1)];
}

bool YearHasWeek53(int year)
{
    const QDate lateDecember(year, 12, 28);
    return lateDecember.isValid() && lateDecember.weekNumber() == 53;
}

int WeeksInYear(int year)
{
    return YearHasWeek53(year) ? 53 : 52;
}

QDate DataSemana(int week, const QString& edge, int year)
{
    if (week < 1 || week > WeeksInYear(year))
        return QDate();
    // 4 January always lies in week 1; its week's Monday starts the week-year.
    const QDate fourthJanuary(year, 1, 4);
    if (!fourthJanuary.isValid())
        return QDate();
    const QDate firstMonday = fourthJanuary.addDays(1 - fourthJanuary.dayOfWeek());
    const QDate monday = firstMonday.addDays(qint64(week - 1) * 7);
    return edge.trimmed() == QLatin1String("F") ? monday.addDays(6) : monday;
}

QDate UltDiaMes(const QDate& date)
{
    if (!date.isValid())
        return QDate();
    return QDate(date.year(), date.month(), date.daysInMonth());
}

QDate UltDiaMes(int month, int year)
{
    return UltDiaMes(QDate(year, month, 1));
}

} // namespace host
