#include "SqlTexts.h"

#include "Exceptions.h"

#include <QFile>
#include <QMutex>
#include <QRegularExpression>
#include <map>

namespace host {

SqlTexts SqlTexts::parse(const QString& text, const QString& origin)
{
    static const QRegularExpression nameLine(
        QStringLiteral("^--\\s*(qry\\w+|sql\\w+)\\s*(?:\\[(\\w+)\\])?\\s*$"));
    SqlTexts texts;
    texts.m_origin = origin;
    QString name, dialect, body;
    int lineNo = 0;
    auto flush = [&] {
        if (name.isEmpty())
            return;
        const QString sql = body.trimmed();
        if (sql.isEmpty())
            throw EDatabaseError(QStringLiteral("%1: consulta %2 sem texto.").arg(origin, name));
        auto& target = dialect.isEmpty() ? texts.m_default : texts.m_variants;
        const QString key = dialect.isEmpty() ? name : name + QLatin1Char('[') + dialect + QLatin1Char(']');
        if (target.contains(key))
            throw EDatabaseError(QStringLiteral("%1: consulta %2 repetida.").arg(origin, key));
        target.insert(key, sql);
    };
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        ++lineNo;
        const QString line = raw.trimmed();
        const auto m = nameLine.match(line);
        if (m.hasMatch()) {
            flush();
            name = m.captured(1);
            dialect = m.captured(2).toLower();
            body.clear();
            continue;
        }
        if (name.isEmpty()) {
            if (!line.isEmpty() && !line.startsWith(QLatin1String("--")))
                throw EDatabaseError(
                    QStringLiteral("%1, linha %2: texto fora de uma consulta.").arg(origin).arg(lineNo));
            continue;
        }
        body += raw + QLatin1Char('\n');
    }
    flush();
    for (auto it = texts.m_variants.cbegin(); it != texts.m_variants.cend(); ++it) {
        const QString base = it.key().left(it.key().indexOf(QLatin1Char('[')));
        if (!texts.m_default.contains(base))
            throw EDatabaseError(
                QStringLiteral("%1: a variante %2 não tem texto padrão.").arg(origin, it.key()));
    }
    return texts;
}

const SqlTexts& SqlTexts::forScreen(const QString& screen)
{
    static QMutex mutex;
    static std::map<QString, SqlTexts> cache;
    QMutexLocker lock(&mutex);
    auto it = cache.find(screen);
    if (it != cache.end())
        return it->second;
    const QString path = QStringLiteral(":/forms/%1.sql").arg(screen);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EDatabaseError(QStringLiteral("Consultas da tela %1 não encontradas.").arg(screen));
    SqlTexts texts = parse(QString::fromUtf8(file.readAll()), screen + QStringLiteral(".sql"));
    return cache.emplace(screen, std::move(texts)).first->second;
}

bool SqlTexts::contains(const QString& name) const
{
    return m_default.contains(name);
}

QString SqlTexts::text(const QString& name, const QString& dialect) const
{
    const QString variant = name + QLatin1Char('[') + dialect.toLower() + QLatin1Char(']');
    auto it = m_variants.constFind(variant);
    if (it != m_variants.constEnd())
        return it.value();
    it = m_default.constFind(name);
    if (it == m_default.constEnd())
        throw EDatabaseError(QStringLiteral("%1: consulta %2 não existe.").arg(m_origin, name));
    return it.value();
}

QStringList SqlTexts::names() const
{
    return m_default.keys();
}

} // namespace host
