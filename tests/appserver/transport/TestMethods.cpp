#include "TestMethods.h"

#include "host/core/Database.h"
#include "host/core/Exceptions.h"

#include <QSqlQuery>
#include <chrono>
#include <thread>

namespace transporttest {

using appserver::rpc::Arg;
using appserver::rpc::CallContext;
using appserver::rpc::Method;

void addTestMethods(appserver::rpc::MethodRegistry& registry, SleepProbe& probe)
{
    registry.add(
        Method{kTestModule, QStringLiteral("Eco"), {Arg::Variant}, false, [](CallContext& call) {
                   return call.value(0);
               }});
    registry.add(Method{kTestModule,
                        QStringLiteral("Espera"),
                        {Arg::Number},
                        false,
                        [&probe](CallContext& call) -> QVariant {
                            ++probe.started;
                            std::this_thread::sleep_for(
                                std::chrono::milliseconds(qint64(call.number(0))));
                            ++probe.finished;
                            return QStringLiteral("pronto");
                        }});
    registry.add(Method{kTestModule,
                        QStringLiteral("RenomeiaRegiao"),
                        {Arg::Text, Arg::Text},
                        true,
                        [](CallContext& call) -> QVariant {
                            QSqlQuery query(call.db().sql());
                            query.prepare(QStringLiteral(
                                "UPDATE REGIAO SET NMREGIAO = ? WHERE CDREGIAO = ?"));
                            query.addBindValue(call.text(1));
                            query.addBindValue(call.text(0));
                            if (!query.exec())
                                throw host::EDatabaseError(QStringLiteral("Falha ao renomear."));
                            return qlonglong(query.numRowsAffected());
                        }});
    registry.add(Method{
        kTestModule, QStringLiteral("Falha"), {}, false, [](CallContext&) -> QVariant {
            throw host::EDatabaseError(QStringLiteral("Falha proposital do método de teste."));
        }});
}

} // namespace transporttest
