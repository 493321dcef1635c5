#include "Messages.h"

#include "Exceptions.h"

#include <QFile>
#include <QMutex>
#include <QtGlobal>

namespace host {

namespace {

Messages::MissingKeyHandler& missingKeyHandler()
{
    static Messages::MissingKeyHandler handler = [](const QString& table, const QString& key) {
        qWarning("Mensagem \"%s\" não existe na tabela %s", qPrintable(key), qPrintable(table));
    };
    return handler;
}

QMutex& handlerMutex()
{
    static QMutex mutex;
    return mutex;
}

} // namespace

Messages Messages::parse(const QString& text, const QString& name)
{
    Messages table;
    table.m_name = name;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.trimmed().startsWith(QLatin1Char('#')))
            continue;
        const qsizetype bar = line.indexOf(QLatin1Char('|'));
        const QString key = bar < 0 ? QString() : line.left(bar).trimmed();
        if (key.isEmpty())
            throw EDatabaseError(
                QStringLiteral("%1, linha %2: esperado \"Chave|Texto\".").arg(name).arg(i + 1));
        if (table.m_texts.contains(key))
            throw EDatabaseError(
                QStringLiteral("%1, linha %2: chave %3 repetida.").arg(name).arg(i + 1).arg(key));
        QString value = line.mid(bar + 1);
        value.replace(QLatin1String("\\n"), QLatin1String("\n"));
        table.m_texts.insert(key, value);
    }
    return table;
}

Messages Messages::load(const QString& screen)
{
    QFile file(QStringLiteral(":/forms/%1.msg").arg(screen));
    if (!file.open(QIODevice::ReadOnly))
        throw EDatabaseError(QStringLiteral("Mensagens da tela %1 não encontradas.").arg(screen));
    return parse(QString::fromUtf8(file.readAll()), screen);
}

const Messages& Messages::shared()
{
    static const Messages table = load(QStringLiteral("DBGERAL"));
    return table;
}

const Messages& Messages::base()
{
    static const Messages table = load(QStringLiteral("PADRAO"));
    return table;
}

const QString* Messages::find(const QString& key) const
{
    for (const Messages* t = this; t; t = t->m_fallback.get()) {
        auto it = t->m_texts.constFind(key);
        if (it != t->m_texts.constEnd())
            return &it.value();
    }
    return nullptr;
}

bool Messages::Has(const QString& key) const
{
    return find(key) != nullptr;
}

QString Messages::Msg(const QString& key) const
{
    if (const QString* text = find(key))
        return *text;
    MissingKeyHandler handler;
    {
        QMutexLocker lock(&handlerMutex());
        handler = missingKeyHandler();
    }
    if (handler)
        handler(m_name, key);
    return QStringLiteral("[%1:%2]").arg(m_name, key);
}

Messages::MissingKeyHandler Messages::setMissingKeyHandler(MissingKeyHandler handler)
{
    QMutexLocker lock(&handlerMutex());
    MissingKeyHandler previous = std::move(missingKeyHandler());
    missingKeyHandler() = std::move(handler);
    return previous;
}

} // namespace host
