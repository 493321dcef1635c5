#pragma once

#include "DbTestSupport.h"

#include "appserver/rpc/Service.h"

#include <gtest/gtest.h>
#include <memory>

namespace rpctest {

// The demo purchasing centre behind an application server reached in-process: the same
// request handling the HTTP listener uses.
class RpcFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    appserver::rpc::Service& service() { return *m_service; }
    // A second connection on the database, for checking what a call changed.
    host::Database& db() { return m_db.db(); }
    QString connectionString() const;

    // Logs in (password "demo", branch "0001") and returns the token; fails the test on error.
    QString login(const QString& operatorCode = QStringLiteral("ANA.CARVALHO"));
    // Posts a raw body, with the client's request id when one is given.
    appserver::rpc::RpcResponse post(const QString& path, const QByteArray& body,
                                     const QString& token, const QString& requestId = {});
    // Calls a method and returns its decoded result; a non-200 answer fails the test.
    QVariant call(const QString& module, const QString& method, const QVariantList& args,
                  const QString& token, const QString& requestId = {});
    // Calls a method expected to fail; returns the status, and the error text in `text`.
    int callError(const QString& module, const QString& method, const QVariantList& args,
                  const QString& token, QString* text = nullptr);

    QStringList log;

private:
    dbtest::TempDatabase m_db;
    std::unique_ptr<appserver::rpc::Service> m_service;
};

inline const QString kPlan = QStringLiteral("Sup.rdmPlanCotaPrec");
inline const QString kSupri = QStringLiteral("Sup.rdmSuprimentos");

} // namespace rpctest
