#pragma once

// The main window over the demo centre's quotations, opened the way the host opens it,
// with the list loaded through the window's own list reload (AtualizaCotacao), so that the
// list page is tried without the filter dialog.

#include "support/ModuleFixture.h"

#include "host/core/Database.h"
#include "host/widgets/PageControl.h"
#include "host/widgets/grid/DBGrid.h"
#include "module/entry/Cli_Sup01700.h"
#include "module/entry/PlanCotaPrecPages.h"
#include "register/QuotationListPage.h"
#include "shell/TfrmPlanCotaPrec.h"

#include <QApplication>
#include <QSqlQuery>
#include <QVariant>

namespace listtest {

// Demo quotations of the centre 0001 and their buyers.
inline const QString kAnaQuotation = QStringLiteral("0000000003");     // ANA.CARVALHO, 5 regions
inline const QString kCarlosQuotation = QStringLiteral("0000000002");  // CARLOS.NUNES
inline const QString kDanielaQuotation = QStringLiteral("0000000004"); // DANIELA.LIMA
inline const QString kSingleItem = QStringLiteral("0000000006");       // DANIELA.LIMA, one item
inline const QString kAna = QStringLiteral("ANA.CARVALHO");
inline const QString kCarlos = QStringLiteral("CARLOS.NUNES");
inline const QString kManager = QStringLiteral("FERNANDA.LUZ");

class ListFixture : public moduletest::ModuleFixture
{
protected:
    // Logs `operatorCode` in, creates the main window as its entry routine does (without the
    // filter dialog) and loads every quotation of the centre.
    module::TfrmPlanCotaPrec& openAs(const QString& operatorCode)
    {
        loginAs(operatorCode);
        auto* form = module::NovoPlanCotaPrec(session());
        Cli_Sup01700::frmPlanCotaPrec = form;
        Cli_Sup01700::boStCriado = true;
        form->create();
        form->show();
        form->activate();
        // All buyers, all regions, all suppliers, any period.
        form->AtualizaCotacao(QString(), QStringLiteral("T"), QStringLiteral("T"),
                              QStringLiteral("T"), QStringLiteral("T"), QDate(), QDate());
        // The centre's purchasing parameters, as the filter's confirmation loads them.
        form->cdsParaSupri.SetData(form->netSuprimentos.AppServer()
                                       .call(QStringLiteral("GetParaSupri"), {Cli_Sup01700::stCdCentCmp})
                                       .value<host::Packet>());
        QApplication::processEvents();
        ui().clearRecords();
        return *form;
    }

    module::TfrmPlanCotaPrec& form() { return *mainForm(); }
    host::DataSet& list() { return form().cdsColetapr; }

    // Makes a quotation the current one of the list, as a click on its row would.
    void goTo(const QString& number)
    {
        ASSERT_TRUE(list().Locate(QStringLiteral("NRCOLEPRECO"), number)) << number.toStdString();
    }

    // A value read straight from the shared database ("" for null, QVariant() for no row).
    QVariant dbValue(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery query(db().sql());
        query.prepare(sql);
        for (const QVariant& v : values)
            query.addBindValue(v);
        EXPECT_TRUE(query.exec()) << sql.toStdString();
        return query.next() ? query.value(0) : QVariant();
    }
    int count(const QString& sql, const QVariantList& values = {})
    {
        return dbValue(sql, values).toInt();
    }
    QString quotationColumn(const QString& column, const QString& number)
    {
        return dbValue(QStringLiteral("SELECT %1 FROM COLETAPR WHERE CDFILIAL = '0001' AND "
                                      "NRCOLEPRECO = ?")
                           .arg(column),
                       {number})
            .toString();
    }
    void setPurchasingParameter(const QString& column, const QString& value)
    {
        db().exec(QStringLiteral("UPDATE PARASUPRI SET %1 = '%2' WHERE CDFILIAL = '0001'")
                      .arg(column, value));
        const QVariant answer = form().netSuprimentos.AppServer().call(
            QStringLiteral("GetParaSupri"), {QStringLiteral("0001")});
        form().cdsParaSupri.SetData(answer.value<host::Packet>());
    }
};

} // namespace listtest
