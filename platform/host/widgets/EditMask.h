#pragma once

// Edit masks as the screens and the fields write them: "picture;saveLiterals;blank",
// e.g. "999;0; " (up to three digits, stored without literals, blank shown as a space),
// "99.99.999" (the product picture: literals stored, blank '_'),
// "99.999.999/9999-99" (a CNPJ).
//
// Picture characters: '0' digit required, '9' digit optional, '#' digit or sign optional,
// 'L'/'l' letter required/optional, 'A'/'a' letter or digit required/optional,
// 'C'/'c' any character required/optional, '>' upper case, '<' lower case, "<>" no case
// change, '\' makes the next character a literal, '_' a blank literal, '!' ignored;
// anything else is a literal.

#include <QChar>
#include <QList>
#include <QString>

namespace host {

class EditMask
{
public:
    EditMask() = default;
    // Reads a mask; an empty text means no mask.
    explicit EditMask(const QString& mask);

    bool isEmpty() const { return m_positions.isEmpty(); }
    const QString& source() const { return m_source; }
    // The same mask for a QLineEdit (setInputMask), blank character included.
    const QString& inputMask() const { return m_inputMask; }
    // Whether the value keeps the literals ('1', the default) or not ('0').
    bool saveLiterals() const { return m_saveLiterals; }
    QChar blank() const { return m_blank; }

    // The value of a line edit's displayed text (its displayText() under inputMask()).
    // Without saved literals: the characters typed in the placeholders, in order
    // ("12" typed in "999;0; " gives "12"). With saved literals: the text up to the last
    // typed character, literals included and skipped placeholders as blanks ("01" in
    // "99.99.999" gives "01", "0102" gives "01.02"). Nothing typed gives "".
    QString valueOf(const QString& displayText) const;

private:
    QString m_source;
    QString m_inputMask;
    bool m_saveLiterals = true;
    QChar m_blank = QLatin1Char('_');
    QList<bool> m_positions; // per displayed character: true for a placeholder
};

} // namespace host
