#include "Consiste.h"

#include <array>

namespace host {
namespace {

bool isAsciiDigits(const QString& text)
{
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

bool allSameCharacter(const QString& text)
{
    for (const QChar c : text)
        if (c != text.front())
            return false;
    return true;
}

int digitAt(const QString& digits, int index)
{
    return digits.at(index).unicode() - '0';
}

// Modulo-11 check digit over the first weights.size() digits.
template <std::size_t N> int checkDigit(const QString& digits, const std::array<int, N>& weights)
{
    int sum = 0;
    for (std::size_t i = 0; i < N; ++i)
        sum += digitAt(digits, int(i)) * weights[i];
    const int rest = sum % 11;
    return rest < 2 ? 0 : 11 - rest;
}

bool looksLikeNumber(const QString& digits, int length)
{
    return digits.size() == length && isAsciiDigits(digits) && !allSameCharacter(digits);
}

} // namespace

bool IsValidCnpj(const QString& digits)
{
    if (!looksLikeNumber(digits, 14))
        return false;
    static constexpr std::array<int, 12> first{5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    static constexpr std::array<int, 13> second{6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    return checkDigit(digits, first) == digitAt(digits, 12) &&
           checkDigit(digits, second) == digitAt(digits, 13);
}

bool IsValidCpf(const QString& digits)
{
    if (!looksLikeNumber(digits, 11))
        return false;
    static constexpr std::array<int, 9> first{10, 9, 8, 7, 6, 5, 4, 3, 2};
    static constexpr std::array<int, 10> second{11, 10, 9, 8, 7, 6, 5, 4, 3, 2};
    return checkDigit(digits, first) == digitAt(digits, 9) &&
           checkDigit(digits, second) == digitAt(digits, 10);
}

Inscricao Ajusta_Inscricao(QString& document)
{
    QString kept;
    kept.reserve(document.size());
    for (const QChar c : document)
        if (c.isLetterOrNumber())
            kept.append(c);
    document = kept;

    Inscricao result;
    if (kept.isEmpty())
        return result;
    const bool digitsOnly = isAsciiDigits(kept);
    if (digitsOnly && kept.size() == 14) {
        result.type = QStringLiteral("J");
        if (!IsValidCnpj(kept))
            result.errorKey = QStringLiteral("CGC_NOT_OK");
    } else if (digitsOnly && kept.size() == 11) {
        result.type = QStringLiteral("F");
        if (!IsValidCpf(kept))
            result.errorKey = QStringLiteral("CPF_NOT_OK");
    } else {
        result.type = QStringLiteral("I");
    }
    return result;
}

QString PictPess(const QString& type)
{
    const QString code = type.trimmed();
    if (code == QLatin1String("J"))
        return QStringLiteral("99.999.999/9999-99");
    if (code == QLatin1String("F"))
        return QStringLiteral("999.999.999-99");
    return QString();
}

} // namespace host
