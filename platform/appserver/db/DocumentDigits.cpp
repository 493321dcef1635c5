#include "DocumentDigits.h"

#include <stdexcept>

namespace appserver::db {
namespace {

// Check digit over the digits with weights given from the leftmost digit.
QChar checkDigit(const QString& digits, const int* weights)
{
    int sum = 0;
    for (int i = 0; i < digits.size(); ++i)
        sum += digits.at(i).digitValue() * weights[i];
    const int rest = sum % 11;
    return QChar(u'0' + (rest < 2 ? 0 : 11 - rest));
}

void requireDigits(const QString& text, int count)
{
    if (text.size() != count)
        throw std::invalid_argument("document base has the wrong number of digits");
    for (const QChar c : text)
        if (!c.isDigit())
            throw std::invalid_argument("document base must hold digits only");
}

} // namespace

QString cnpjWithCheckDigits(const QString& base12)
{
    requireDigits(base12, 12);
    static const int first[12] = {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    static const int second[13] = {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    QString number = base12;
    number += checkDigit(number, first);
    number += checkDigit(number, second);
    return number;
}

QString cpfWithCheckDigits(const QString& base9)
{
    requireDigits(base9, 9);
    static const int first[9] = {10, 9, 8, 7, 6, 5, 4, 3, 2};
    static const int second[10] = {11, 10, 9, 8, 7, 6, 5, 4, 3, 2};
    QString number = base9;
    number += checkDigit(number, first);
    number += checkDigit(number, second);
    return number;
}

} // namespace appserver::db
