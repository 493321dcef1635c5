#include "BestPriceMark.h"

#include "module/entry/PlanCotaPrecPages.h"
#include "spreadsheet/SpreadsheetMenu.h"
#include "shell/TfrmPlanCotaPrec.h"
#include "worksheet/Worksheet.h"

#include "host/core/DataSet.h"
#include "host/core/consiste/DisplayFormat.h"
#include "host/pivot/NewDecisionGrid.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "module/records/WorksheetValues.h"

#include <QAction>
#include <QLabel>

namespace module {

namespace {

const QString kOptions = QStringLiteral("SUP01700.MelhorPreco");
const QString kActive = QStringLiteral("Destacar");
const QString kRegion = QStringLiteral("COCREGIAO");
const QString kSupplier = QStringLiteral("COCFORNECED");
const QString kProduct = QStringLiteral("COCPRODUTO");

// Chains a handler after the one the item table has.
void chain(host::DataSet::Event& event, std::function<void(host::DataSet&)> next, bool after)
{
    host::DataSet::Event previous = event;
    event = [previous, next, after](host::DataSet& items) {
        if (!after)
            next(items);
        if (previous)
            previous(items);
        if (after)
            next(items);
    };
}

} // namespace

BestPriceMark::BestPriceMark(SpreadsheetMenu& menu, Worksheet& worksheet)
    : QObject(&menu), m_menu(menu), m_worksheet(worksheet)
{
    host::DataSet& items = worksheet.cdsAltCotacao;
    chain(items.BeforePost, [this](host::DataSet& t) { beforePost(t); }, false);
    chain(items.AfterPost, [this](host::DataSet& t) { afterPost(t); }, true);
    chain(items.BeforeDelete, [this](host::DataSet& t) { beforeDelete(t); }, false);
    items.addObserver(this);
    m_observing = true;
    menu.setHandler(menu.mnuMelhorPreco, [this] {
        setActive(m_menu.mnuMelhorPreco->isChecked());
        saveChoice();
    });
    const host::Halvore& session = host::Halvore::instance();
    setActive(session.loadOptions(kOptions).value(kActive) == QLatin1String("S"));
}

BestPriceMark::~BestPriceMark()
{
    if (m_observing)
        m_worksheet.cdsAltCotacao.removeObserver(this);
}

void BestPriceMark::setActive(bool active)
{
    m_active = active;
    m_menu.mnuMelhorPreco->setChecked(active);
    if (active) {
        m_stale = true;
        m_worksheet.IsMarkedItem = [this](const QString& key) { return prices().isBest(key); };
        m_worksheet.SelectionNote = [this](const QString& region, const QString& product) {
            return note(region, product);
        };
    } else {
        m_worksheet.IsMarkedItem = nullptr;
        m_worksheet.SelectionNote = nullptr;
        m_prices.clear();
    }
    if (m_worksheet.degCotacao)
        m_worksheet.degCotacao->viewport()->update();
    if (m_worksheet.lblNota && !active)
        m_worksheet.lblNota->hide();
}

void BestPriceMark::saveChoice()
{
    host::OptionList options;
    options.setValue(kActive, m_active ? QStringLiteral("S") : QStringLiteral("N"));
    host::Halvore::instance().saveOptions(kOptions, options);
}

const BestPrices& BestPriceMark::prices()
{
    if (m_stale) {
        m_prices.rebuild(m_worksheet.cdsAltCotacao);
        m_stale = false;
    }
    return m_prices;
}

QString BestPriceMark::note(const QString& region, const QString& product)
{
    const BestPrices::Best best = prices().best(region, product);
    if (best.suppliers.isEmpty())
        return QString();
    return m_menu.texts()
        .Msg(QStringLiteral("NotaMelhorPreco"))
        .arg(host::FormatFloat(QStringLiteral("#,##0.00000"), best.price),
             supplierNameOf(best.suppliers.first()));
}

void BestPriceMark::dataSetChanged(host::DataSet&)
{
    // Loaded, filtered or changed wholesale: taken again when next asked.
    m_stale = true;
}

void BestPriceMark::dataSetDestroyed(host::DataSet&)
{
    m_observing = false;
}

void BestPriceMark::beforePost(host::DataSet& items)
{
    m_oldRegion = items.FieldByName(kRegion).StoredValue().toString();
    m_oldSupplier = items.FieldByName(kSupplier).StoredValue().toString();
    m_oldProduct = items.FieldByName(kProduct).StoredValue().toString();
}

void BestPriceMark::afterPost(host::DataSet& items)
{
    if (!m_active || m_stale)
        return;
    const QString region = items.FieldByName(kRegion).AsString();
    const QString supplier = items.FieldByName(kSupplier).AsString();
    const QString product = items.FieldByName(kProduct).AsString();
    if (!m_oldProduct.isEmpty() &&
        (m_oldRegion != region || m_oldSupplier != supplier || m_oldProduct != product))
        m_prices.remove(m_oldRegion, m_oldSupplier, m_oldProduct);
    m_prices.setPrice(region, supplier, product, items.FieldByName(QStringLiteral("CONTA")).AsFloat());
}

void BestPriceMark::beforeDelete(host::DataSet& items)
{
    if (!m_active || m_stale)
        return;
    m_prices.remove(items.FieldByName(kRegion).AsString(), items.FieldByName(kSupplier).AsString(),
                    items.FieldByName(kProduct).AsString());
}

void installBestPriceMark(SpreadsheetMenu& menu)
{
    new BestPriceMark(menu, worksheetOf(menu.form()));
}

} // namespace module
