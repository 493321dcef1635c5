#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace host {

// Options a person saved on a screen (the filter dialog's chosen lists, ...): name=value
// pairs kept in the order they were first put.
class OptionList
{
public:
    // Replaces the value of a name already present, else appends the pair.
    void setValue(const QString& name, const QString& value);
    QString value(const QString& name, const QString& fallback = QString()) const;
    bool contains(const QString& name) const;
    void remove(const QString& name);
    QStringList names() const;
    int size() const { return int(m_items.size()); }
    bool isEmpty() const { return m_items.isEmpty(); }
    void clear() { m_items.clear(); }
    bool operator==(const OptionList& other) const { return m_items == other.m_items; }

private:
    QList<QPair<QString, QString>> m_items;
};

// Where the saved options live: an INI file read and written through QSettings, one
// section per screen and operator, so that each buyer finds his own choices again on
// each screen. The file is the user's settings file unless another one is given
// (tests point it at a temporary file).
class OptionStore
{
public:
    OptionStore();
    explicit OptionStore(const QString& filePath);

    // Empty path: back to the user's settings file.
    void setFile(const QString& filePath);
    QString file() const { return m_file; }

    // Replaces what was saved for the screen and operator; throws host::Exception when
    // the file cannot be written.
    void save(const QString& screen, const QString& operatorCode, const OptionList& options);
    // What was saved for the screen and operator; empty when nothing was.
    OptionList load(const QString& screen, const QString& operatorCode) const;
    void remove(const QString& screen, const QString& operatorCode);

    // The user's settings file.
    static QString defaultFile();

private:
    QString m_file;
};

} // namespace host
