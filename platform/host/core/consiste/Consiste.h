#pragma once

// The host's non-visual helpers ("Consiste"): code padding, document numbers and their
// masks, ISO weeks, reading displayed numbers and guarding number keystrokes.
// Everything here is a pure function of its arguments, except the operator's locale,
// which is one process-wide setting.

#include <QChar>
#include <QDate>
#include <QLocale>
#include <QString>

namespace host {

// ---- Operator's locale ------------------------------------------------------------------

// The locale numbers and dates are shown and read in; Portuguese (Brazil) unless changed.
QLocale operatorLocale();
void setOperatorLocale(const QLocale& locale);

// ---- Codes and texts --------------------------------------------------------------------

// Normalises a code to its fixed width. Surrounding blanks are dropped first; then a code
// made only of digits is left-padded with '0' ("7" -> "007"), any other code is
// right-padded with blanks ("AB" -> "AB   " for width 5). A code longer than the width is
// returned as it is (never cut). An empty or blank code gives "" so that the caller can
// still tell "nothing typed" apart from a code.
QString Ajusta(const QString& code, int width);

// `count` copies of `c`; "" when count <= 0.
QString Replicate(QChar c, int count);

// True for an empty text or one made only of blanks (spaces, tabs, line breaks).
bool EmptyString(const QString& text);

// ---- Document numbers (CNPJ / CPF / state registration) --------------------------------

// Result of normalising a supplier's document number.
struct Inscricao
{
    // Person type the number implies: "J" (14 digits, CNPJ), "F" (11 digits, CPF) or "I"
    // (anything else that is not empty, e.g. a state registration); "" for an empty number.
    QString type;
    // "" when the number is acceptable; "CGC_NOT_OK" when a 14-digit number fails the CNPJ
    // check digits; "CPF_NOT_OK" when an 11-digit number fails the CPF check digits.
    QString errorKey;

    bool ok() const { return errorKey.isEmpty(); }
};

// Normalises a typed document number in place and derives its person type.
// Punctuation, symbols and blanks are removed ("11.222.333/0001-81" -> "11222333000181");
// letters and digits stay, so a registration with letters keeps them (type "I").
// A CNPJ or CPF whose digits are all equal (e.g. 11111111111) counts as invalid.
// The type is returned even when the check digits fail.
Inscricao Ajusta_Inscricao(QString& document);

// Check digits of a CNPJ (14 digits) and of a CPF (11 digits); false for anything else.
bool IsValidCnpj(const QString& digits);
bool IsValidCpf(const QString& digits);

// Display mask of a person type: "J" -> "99.999.999/9999-99", "F" -> "999.999.999-99",
// any other type ("I", "O", unknown, empty) -> "" (the number is shown as stored).
QString PictPess(const QString& type);

// Applies a picture mask to a raw value for display.
// Placeholders ('9', '0', '#', 'A', 'a', 'L', 'l', 'C', 'c') each take the next character of
// the value; '\' makes the next mask character a literal; '>' and '<' switch the following
// characters to upper or lower case ("<>" switches back); '!' is ignored. Every other mask
// character is a literal, written only while value characters remain (so a short value
// shows what there is: "99.999" with "123" gives "12.3"). A literal that the value already
// carries at that place is taken from the value, so formatting a formatted value changes
// nothing. Characters beyond the mask are appended, never dropped.
// The mask may end with the usual ";saveLiterals;blank" fields ("999;0; "), which do not
// change the display. An empty mask returns the value unchanged.
QString FormatMaskText(const QString& mask, const QString& value);

// ---- Weeks (ISO 8601: Monday first; week 1 holds the year's first Thursday) -----------

// Week number (1..53) of a date; 0 for an invalid date.
int NumeroSemana(const QDate& date);

// ISO week-year of a date (the year its week belongs to: 2024-12-30 belongs to 2025);
// 0 for an invalid date.
int AnoSemana(const QDate& date);

// Text shown beside a date: its weekday name, "Segunda-feira" ... "Domingo";
// "" for an invalid date.
QString NomeSemana(const QDate& date);

// First day (edge "I": the Monday) or last day (edge "F": the Sunday) of week `week` of the
// ISO week-year `year`. Any edge other than "F" means the first day. Returns an invalid
// date when the week does not exist in that year (below 1, or above WeeksInYear(year)).
QDate DataSemana(int week, const QString& edge, int year);

// True when the ISO week-year has a week 53 (its 28 December falls in week 53).
bool YearHasWeek53(int year);

// Number of weeks of the ISO week-year (52 or 53): the week "of 31 December".
int WeeksInYear(int year);

// Last day of the month of a date (invalid date -> invalid date), or of month/year.
QDate UltDiaMes(const QDate& date);
QDate UltDiaMes(int month, int year);

// ---- Numbers typed and displayed --------------------------------------------------------

// Reads a displayed number: thousands separators, blanks and '%' are ignored and the
// locale's decimal separator is the decimal point ("1.234,50" -> 1234.5 and
// "12,50 %" -> 12.5 in pt_BR). A leading '-' makes it negative. An empty or unreadable
// text gives 0.
double FloatMaskOut(const QString& text, const QLocale& locale = operatorLocale());

// Number-length guard of a number edit: decides whether the key `typed`, pressed with the
// caret at `caretPos` and `selectionLength` characters selected from there, may go into
// `text`. Returns true to accept the key, false to refuse it.
// A digit is refused when the resulting text would have more than `integerDigits` digits
// before the decimal separator or more than `decimalDigits` after it; the locale's decimal
// separator is refused when there already is one outside the selection, when no decimals
// are allowed, or when it would leave too many digits after it. Control keys (backspace,
// ...) and other characters are not this guard's concern and are accepted.
bool MaxNumber(const QString& text, int integerDigits, int decimalDigits, QChar typed, int caretPos,
               int selectionLength, const QLocale& locale = operatorLocale());

} // namespace host
