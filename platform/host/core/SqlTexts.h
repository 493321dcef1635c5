#pragma once

#include <QHash>
#include <QString>

namespace host {

// The query texts of one screen, kept in forms/<SCREEN>.sql as named blocks:
//
//   -- qryCentCmp
//   SELECT ...
//   -- qryCentCmp [sqlite]
//   SELECT ...
//
// A block runs until the next name line. The plain block is the default text; a block
// tagged with a dialect replaces it on that kind of database.
class SqlTexts
{
public:
    // Parses a text; `origin` names it in error messages. Throws EDatabaseError.
    static SqlTexts parse(const QString& text, const QString& origin);
    // The texts of a screen, read once from the resource ":/forms/<screen>.sql".
    static const SqlTexts& forScreen(const QString& screen);

    bool contains(const QString& name) const;
    // Throws EDatabaseError for an unknown name.
    QString text(const QString& name, const QString& dialect) const;
    QStringList names() const;

private:
    QString m_origin;
    QHash<QString, QString> m_default;
    QHash<QString, QString> m_variants;  // "name[dialect]" -> text
};

} // namespace host
