// Writes the demo quotations, their items and the items' payment terms and taxes.

#include "DemoQuotations.h"
#include "PaymentTerms.h"
#include "SeedInternal.h"
#include "TableWriter.h"

namespace appserver::db::Internal {

using namespace demo;

namespace {

const QStringList kItemKey = {"CDFILIAL",   "NRCOLEPRECO", "CDREGIAO",
                              "CDFORNECED", "CDPRODUTO",   "CDMARCA"};

// ICMS rate of each region's state, percent.
double icmsRate(const QString& region)
{
    if (region == u"003")
        return 20.0;
    if (region == u"005")
        return 19.5;
    if (region == u"006")
        return 20.5;
    return 18.0;
}

class QuotationWriter
{
public:
    explicit QuotationWriter(host::Database& db)
        : m_header(db, QStringLiteral("COLETAPR"),
                   {"CDFILIAL", "NRCOLEPRECO", "DTCOLEPREC", "NRSEMAINIC", "NRSEMAFINAL",
                    "DTINIVALCOL", "DTFINVALCOL", "CDOPERADOR", "IDTIPCOLREG", "IDDISMONTLIS"}),
          m_item(db, QStringLiteral("ITEMCOLE"),
                 kItemKey + QStringList{"VRPRECUNIITM", "VRPRECECOITM", "VRPRECECOPIITM",
                                        "QTACMPITMCOL", "VRPERDESITM", "DTINIVALITM", "DTFINVALITM",
                                        "IDITMCOTPREC", "IDTIPFREITM", "DSOBSITMCOL"}),
          m_terms(db, QStringLiteral("PZOPGTITMCOL"),
                  kItemKey + QStringList{"NRPARCPGTO", "NRDIAPGTO", "VRPERCPARC", "CDFORMPGTO"}),
          m_taxes(db, QStringLiteral("IMPCOLET"),
                  kItemKey + QStringList{"CDIMPOSTO", "VRALIQIMPOS"})
    {
    }

    void write(const DemoModel& model, const DemoQuotation& quotation)
    {
        const QuotationPlan& plan = *quotation.plan;
        const QString centre = QString::fromLatin1(kDemoCentre);
        const QString number = QString::fromLatin1(plan.number);
        const QString from = quotation.validFrom.toString(Qt::ISODate);
        const QString to = quotation.validTo.toString(Qt::ISODate);
        m_header.insert({centre, number, quotation.collection.toString(Qt::ISODate),
                         quotation.firstWeek(), quotation.lastWeek(), from, to,
                         QString::fromLatin1(plan.buyer), textOrNull(plan.collectionType),
                         QString::fromLatin1(plan.priceList)});
        for (const DemoItem& item : quotation.items) {
            const QVariantList key = {
                centre, number, item.region, supplierCode(item.supplier), item.product, item.brand};
            m_item.insert(key + QVariantList{item.price, item.economicPrice, item.economicPricePi,
                                             item.quantity, item.discount, from, to, item.marker,
                                             item.freight, textOrNull(item.observation)});
            if (plan.paymentTermsAndTaxes) {
                writeTerms(key, model.supplier(item.supplier));
                writeTaxes(key, item);
            }
        }
    }

private:
    void writeTerms(const QVariantList& key, const SupplierRow& supplier)
    {
        const bool cash = qstrcmp(supplier.paymentType, "V") == 0;
        for (const Instalment& term : supplierInstalments(cash, supplier.instalments))
            m_terms.insert(key + QVariantList{term.number, term.days, term.percent,
                                              QString::fromLatin1(supplier.paymentForm)});
    }

    void writeTaxes(const QVariantList& key, const DemoItem& item)
    {
        m_taxes.insert(key + QVariantList{QStringLiteral("ICMS"), icmsRate(item.region)});
        // Cleaning and hygiene products bear IPI as well.
        if (item.tree.startsWith(u"02") || item.tree.startsWith(u"05"))
            m_taxes.insert(key + QVariantList{QStringLiteral("IPI"), 5.0});
    }

    TableWriter m_header;
    TableWriter m_item;
    TableWriter m_terms;
    TableWriter m_taxes;
};

} // namespace

void writeQuotations(host::Database& db, const DemoModel& model)
{
    QuotationWriter writer(db);
    for (const QuotationPlan& plan : quotationPlans())
        writer.write(model, buildQuotation(model, plan));
}

} // namespace appserver::db::Internal
