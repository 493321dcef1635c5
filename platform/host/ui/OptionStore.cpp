#include "OptionStore.h"

#include "host/core/Exceptions.h"
#include "host/core/Messages.h"

#include <QSettings>
#include <QUrl>

namespace host {

// ---- OptionList -------------------------------------------------------------------------

void OptionList::setValue(const QString& name, const QString& value)
{
    for (auto& item : m_items)
        if (item.first == name) {
            item.second = value;
            return;
        }
    m_items.append({name, value});
}

QString OptionList::value(const QString& name, const QString& fallback) const
{
    for (const auto& item : m_items)
        if (item.first == name)
            return item.second;
    return fallback;
}

bool OptionList::contains(const QString& name) const
{
    for (const auto& item : m_items)
        if (item.first == name)
            return true;
    return false;
}

void OptionList::remove(const QString& name)
{
    m_items.removeIf([&](const QPair<QString, QString>& item) { return item.first == name; });
}

QStringList OptionList::names() const
{
    QStringList result;
    for (const auto& item : m_items)
        result.append(item.first);
    return result;
}

// ---- OptionStore ------------------------------------------------------------------------

namespace {

const QString kArray = QStringLiteral("opcoes");
const QString kName = QStringLiteral("nome");
const QString kValue = QStringLiteral("valor");

// Section of a screen and operator. Operator codes are stored padded to their width;
// blanks do not make another operator. The parts are percent-encoded so that no code
// can open a sub-section of another one.
QString sectionOf(const QString& screen, const QString& operatorCode)
{
    const auto encode = [](const QString& part) {
        return QString::fromLatin1(QUrl::toPercentEncoding(part.trimmed()));
    };
    return encode(screen) + QLatin1Char('/') + encode(operatorCode);
}

} // namespace

OptionStore::OptionStore() : m_file(defaultFile()) {}

OptionStore::OptionStore(const QString& filePath)
    : m_file(filePath.isEmpty() ? defaultFile() : filePath)
{
}

void OptionStore::setFile(const QString& filePath)
{
    m_file = filePath.isEmpty() ? defaultFile() : filePath;
}

QString OptionStore::defaultFile()
{
    const QSettings user(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Suprimentos"),
                         QStringLiteral("SUP01700"));
    return user.fileName();
}

void OptionStore::save(const QString& screen, const QString& operatorCode,
                       const OptionList& options)
{
    QSettings settings(m_file, QSettings::IniFormat);
    const QString section = sectionOf(screen, operatorCode);
    settings.remove(section);
    settings.beginGroup(section);
    settings.beginWriteArray(kArray, options.size());
    const QStringList names = options.names();
    for (int i = 0; i < names.size(); ++i) {
        settings.setArrayIndex(i);
        settings.setValue(kName, names[i]);
        settings.setValue(kValue, options.value(names[i]));
    }
    settings.endArray();
    settings.endGroup();
    settings.sync();
    if (settings.status() != QSettings::NoError)
        throw Exception(Messages::shared().Msg(QStringLiteral("Opc_N_Gravou")).arg(m_file));
}

OptionList OptionStore::load(const QString& screen, const QString& operatorCode) const
{
    QSettings settings(m_file, QSettings::IniFormat);
    OptionList options;
    settings.beginGroup(sectionOf(screen, operatorCode));
    const int count = settings.beginReadArray(kArray);
    for (int i = 0; i < count; ++i) {
        settings.setArrayIndex(i);
        options.setValue(settings.value(kName).toString(), settings.value(kValue).toString());
    }
    settings.endArray();
    settings.endGroup();
    return options;
}

void OptionStore::remove(const QString& screen, const QString& operatorCode)
{
    QSettings settings(m_file, QSettings::IniFormat);
    settings.remove(sectionOf(screen, operatorCode));
    settings.sync();
}

} // namespace host
