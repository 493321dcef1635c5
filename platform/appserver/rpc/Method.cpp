#include "Method.h"

#include "RpcErrors.h"

#include "host/core/Packet.h"

#include <cmath>

namespace appserver::rpc {

namespace {

QString key(const QString& module, const QString& name)
{
    return module + QLatin1Char('/') + name;
}

QString kindName(Arg kind)
{
    switch (kind) {
    case Arg::Text:
        return QStringLiteral("texto");
    case Arg::Date:
        return QStringLiteral("data");
    case Arg::Boolean:
        return QStringLiteral("lógico");
    case Arg::Variant:
        return QStringLiteral("valor");
    case Arg::Number:
        return QStringLiteral("número");
    }
    return {};
}

bool fits(Arg kind, const QVariant& v)
{
    const int t = v.metaType().id();
    switch (kind) {
    case Arg::Text:
        return v.isNull() || t == QMetaType::QString;
    case Arg::Date:
        return v.isNull() || t == QMetaType::QDate;
    case Arg::Boolean:
        return t == QMetaType::Bool;
    case Arg::Number:
        return (t == QMetaType::Double && std::isfinite(v.toDouble())) || t == QMetaType::LongLong;
    case Arg::Variant:
        return true;
    }
    return false;
}

} // namespace

void MethodRegistry::add(Method method)
{
    const QString k = key(method.module, method.name);
    m_methods.insert(k, std::move(method));
}

const Method* MethodRegistry::find(const QString& module, const QString& name) const
{
    auto it = m_methods.constFind(key(module, name));
    return it == m_methods.constEnd() ? nullptr : &it.value();
}

bool MethodRegistry::hasModule(const QString& module) const
{
    for (const Method& m : m_methods)
        if (m.module == module)
            return true;
    return false;
}

QList<const Method*> MethodRegistry::methods() const
{
    QList<const Method*> list;
    for (const Method& m : m_methods)
        list.append(&m);
    return list;
}

QVariantList MethodRegistry::checkArguments(const Method& method, const QVariantList& args)
{
    if (args.size() != method.args.size())
        throw BadRequest(QStringLiteral("%1 espera %2 argumento(s); recebeu %3.")
                             .arg(method.name)
                             .arg(method.args.size())
                             .arg(args.size()));
    QVariantList checked = args;
    for (int i = 0; i < args.size(); ++i) {
        if (!fits(method.args[i], args[i]))
            throw BadRequest(QStringLiteral("%1: o argumento %2 deve ser %3.")
                                 .arg(method.name)
                                 .arg(i + 1)
                                 .arg(kindName(method.args[i])));
        if (method.args[i] == Arg::Text && args[i].isNull())
            checked[i] = QString();
    }
    return checked;
}

} // namespace appserver::rpc
