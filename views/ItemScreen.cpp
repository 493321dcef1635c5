#include "ItemScreen.h"

#include "shell/ItemChecks.h"

#include "host/core/Query.h"
#include "host/core/consiste/Consiste.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/ui/Ui.h"
#include "host/widgets/grid/DBGrid.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace module {

namespace {

QVariantMap keyParams(const ItemKey& key)
{
    return {{QStringLiteral("P_CDFILIAL"), key.branch},     {QStringLiteral("P_NRCOLEPRECO"), key.number},
            {QStringLiteral("P_CDREGIAO"), key.region},     {QStringLiteral("P_CDFORNECED"), key.supplier},
            {QStringLiteral("P_CDPRODUTO"), key.product},   {QStringLiteral("P_CDMARCA"), key.brand}};
}

} // namespace

TfrmItemScreen::TfrmItemScreen(const QString& screenCode, QWidget* parent)
    : host::TfrmRotiGeral(screenCode, QString(), parent)
{
    setWindowTitle(msgPadrao.Msg(QStringLiteral("Caption")));
    // Nothing to confirm: the screen is read and closed.
    sbtConfirma->hide();
    m_lines = new QFormLayout;
    clientLayout()->addLayout(m_lines);
    resize(780, 480);
}

TfrmItemScreen::~TfrmItemScreen() = default;

bool TfrmItemScreen::CarregaItem(const ItemKey& key)
{
    m_key = key;
    m_item = openFormQuery(QStringLiteral("qryItemCotacao"), keyParams(key));
    if (m_item->IsEmpty())
        return false;
    auto text = [this](const char* field) {
        return m_item->FieldByName(QString::fromLatin1(field)).AsString().trimmed();
    };
    addLine(QStringLiteral("Lbl_Item"),
            QStringLiteral("%1 — %2 — %3 %4 — %5")
                .arg(text("NMREGIAO"), text("NMFANTFORN"),
                     host::FormatMaskText(
                         host::Halvore::instance().DBPict(host::Halvore::ProductPicture),
                         text("CDARVPROD")),
                     text("NMPRODUTO"), text("NMMARCA")));
    showItem();
    return true;
}

void TfrmItemScreen::addLine(const QString& labelKey, const QString& text)
{
    auto* value = new QLineEdit(text, clientArea());
    value->setReadOnly(true);
    value->setObjectName(QStringLiteral("edt") + labelKey.mid(4));
    m_lines->addRow(msgPadrao.Msg(labelKey), value);
}

host::DBGrid* TfrmItemScreen::addTable(const QString& captionKey, const QString& queryName,
                                       const QList<TableColumn>& columns)
{
    auto* group = new QGroupBox(msgPadrao.Msg(captionKey), clientArea());
    auto* layout = new QVBoxLayout(group);
    auto query = std::make_unique<host::Query>(*host::Halvore::instance().database(), queryName);
    query->LoadSQL(screenCode());
    const QVariantMap params = keyParams(m_key);
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        if (query->SQL().contains(QLatin1Char(':') + it.key()))
            query->SetParam(it.key(), it.value());
    host::FieldDefs formats;
    for (const TableColumn& column : columns)
        if (*column.format) {
            host::FieldDef number = host::FieldDef::of(QString::fromLatin1(column.field),
                                                       host::FieldType::Float);
            number.displayFormat = QString::fromLatin1(column.format);
            formats.append(number);
        }
    query->SetFieldDefs(formats);
    query->Open();
    auto* grid = new host::DBGrid(group);
    grid->setObjectName(QStringLiteral("dbg") + queryName.mid(3));
    grid->SetReadOnly(true);
    QList<host::DBGrid::Column> shown;
    for (const TableColumn& column : columns)
        shown.append(host::DBGrid::Column{QString::fromLatin1(column.field),
                                          msgPadrao.Msg(QString::fromLatin1(column.titleKey)),
                                          column.width});
    grid->SetColumns(shown);
    grid->SetDataSet(query.get());
    layout->addWidget(grid);
    clientLayout()->addWidget(group, 1);
    m_tables.push_back(std::move(query));
    return grid;
}

std::optional<ItemKey> itemKeyOf(const QVariantList& values, int offset)
{
    // centre, number, supplier, product, tree code, brand, region, "" after the offset.
    if (values.size() != offset + 8)
        return std::nullopt;
    for (int i = offset; i < values.size(); ++i)
        if (values.at(i).metaType().id() != QMetaType::QString)
            return std::nullopt;
    auto at = [&](int i) { return values.at(offset + i).toString(); };
    ItemKey key{at(0), at(1), at(6), at(2), at(3), at(4), at(5)};
    if (key.branch.isEmpty() || key.number.isEmpty() || key.region.isEmpty() ||
        key.supplier.isEmpty() || key.product.isEmpty() || key.brand.isEmpty())
        return std::nullopt;
    return key;
}

void runItemScreen(TfrmItemScreen& screen, const QVariantList& values, int offset)
{
    const std::optional<ItemKey> key = itemKeyOf(values, offset);
    if (!key)
        host::MensErro(screen.msgPadrao.Msg(QStringLiteral("Valores_Inv")).arg(screen.screenCode()));
    if (!screen.CarregaItem(*key))
        host::MensErro(screen.msgPadrao.Msg(QStringLiteral("Item_N_Cad")));
    host::Ui::current().execModal(screen, screen.screenCode());
}

} // namespace module
