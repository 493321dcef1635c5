#pragma once

#include "DemoModel.h"

#include <vector>

namespace appserver::db::demo {

// One quotation item of the demo, as stored in ITEMCOLE.
struct DemoItem
{
    QString region;
    int supplier = 0;
    QString tree; // product tree code
    QString product;
    QString brand;
    double price = 0;
    double economicPrice = 0;
    double economicPricePi = 0;
    double quantity = 0;
    double discount = 0;
    QString marker;  // IDITMCOTPREC
    QString freight; // IDTIPFREITM
    QString observation;
};

// A demo quotation with its dates resolved and its items generated.
struct DemoQuotation
{
    const QuotationPlan* plan = nullptr;
    QDate collection;
    QDate validFrom;
    QDate validTo;
    std::vector<DemoItem> items;

    QString firstWeek() const;
    QString lastWeek() const;
};

// Generates the quotation's items: every region, supplier, product and brand of the plan
// for which the registers allow an item on the collection date (the supplier serves the
// region, supplies the product and is qualified for it, the buyer and both branches
// negotiate the product, the brand is registered and qualified), then prices them.
DemoQuotation buildQuotation(const DemoModel& model, const QuotationPlan& plan);

} // namespace appserver::db::demo
