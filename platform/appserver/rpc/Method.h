#pragma once

#include "Sessions.h"

#include <QDate>
#include <QHash>
#include <QVariant>
#include <functional>

namespace host {
class Database;
}

namespace appserver::rpc {

// Kind of one argument of a remote method, as the client's call sites send it:
// text (s), date (d, or null when the date control was empty), Boolean (b), any value (v:
// a packet, a delta, null, ...), number (f). By-reference arguments travel as plain ones.
enum class Arg { Text, Date, Boolean, Variant, Number };

class CallContext;
using Handler = std::function<QVariant(CallContext&)>;

// One remote method of a module.
struct Method
{
    QString module;  // "Sup.rdmPlanCotaPrec"
    QString name;    // "GetColetaPr"
    QList<Arg> args;
    bool writes = false;  // runs in a write transaction
    Handler handler;
};

// What a method sees of the call: its checked arguments, the caller's session and a
// connection to the shared database (already inside the call's transaction).
class CallContext
{
public:
    CallContext(host::Database& db, const Session& session, const Method& method,
                const QVariantList& args)
        : m_db(db), m_session(session), m_method(method), m_args(args)
    {
    }

    host::Database& db() const { return m_db; }
    const Session& session() const { return m_session; }
    const Method& method() const { return m_method; }
    int argCount() const { return int(m_args.size()); }

    // Text argument; null arrives as "".
    QString text(int i) const { return m_args[i].toString(); }
    // Date argument; invalid when the client sent null.
    QDate date(int i) const { return m_args[i].toDate(); }
    bool boolean(int i) const { return m_args[i].toBool(); }
    double number(int i) const { return m_args[i].toDouble(); }
    const QVariant& value(int i) const { return m_args[i]; }

private:
    host::Database& m_db;
    const Session& m_session;
    const Method& m_method;
    const QVariantList& m_args;
};

// The methods of the two remote modules, by module and name.
class MethodRegistry
{
public:
    void add(Method method);
    const Method* find(const QString& module, const QString& name) const;
    bool hasModule(const QString& module) const;
    QList<const Method*> methods() const;

    // Checks and normalises the arguments of a call; throws BadRequest.
    static QVariantList checkArguments(const Method& method, const QVariantList& args);

private:
    QHash<QString, Method> m_methods;  // "module/name"
};

} // namespace appserver::rpc
