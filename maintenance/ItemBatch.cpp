#include "ItemBatch.h"

#include "module/entry/Cli_Sup01700.h"
#include "worksheet/Worksheet.h"

#include <QtGlobal>

namespace module {

ItemBatch::ItemBatch(Worksheet& worksheet, bool appendLines) : m_worksheet(worksheet)
{
    host::DataSet& table = items();
    m_items = table.TakeSnapshot();
    if (Cli_Sup01700::stlCotacao)
        m_lines = *Cli_Sup01700::stlCotacao;
    m_indexName = table.IndexName();
    m_filterOptions = table.FilterOptions();
    m_worksheet.ActiveDecision(false);
    table.DisableControls();
    m_worksheet.beginItemBatch(appendLines);
    // New items go to the end of an unordered table instead of being placed one by one.
    if (appendLines)
        table.SetIndexName(QString());
}

ItemBatch::~ItemBatch()
{
    host::DataSet& table = items();
    try {
        if (table.State() != host::DataSetState::Browse)
            table.Cancel();
        if (!m_committed) {
            table.RestoreSnapshot(m_items);
            if (Cli_Sup01700::stlCotacao)
                *Cli_Sup01700::stlCotacao = m_lines;
        }
        table.SetFiltered(false);
        table.SetFilter(QString());
        table.SetFilterOptions(m_filterOptions);
        if (table.IndexName() != m_indexName)
            table.SetIndexName(m_indexName);
    } catch (const std::exception& e) {
        qWarning("The worksheet's items could not be put back in order: %s", e.what());
    }
    m_worksheet.endItemBatch();
    table.EnableControls();
    m_worksheet.ActiveDecision(true);
    m_worksheet.ContaRegs(QStringLiteral("T"));
}

host::DataSet& ItemBatch::items() const
{
    return m_worksheet.cdsAltCotacao;
}

void ItemBatch::filter(const QString& text)
{
    items().SetFilterOptions(host::FoCaseInsensitive);
    items().SetFilter(text);
    items().SetFiltered(true);
}

int ItemBatch::removeMatching(const QString& filterText)
{
    filter(filterText);
    host::DataSet& table = items();
    // From the last one: nothing behind a deleted item has to move.
    int removed = 0;
    while (!table.IsEmpty()) {
        table.Last();
        table.Delete();
        ++removed;
    }
    return removed;
}

QString ItemBatch::equals(const QString& field, const QString& value)
{
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QStringLiteral("[%1] = '%2'").arg(field, quoted);
}

void ItemBatch::insert(const QString& region, const QString& supplier, const QString& product,
                       double value)
{
    host::DataSet& table = items();
    table.Append();
    table.FieldByName(QStringLiteral("COCREGIAO")).SetAsString(region);
    table.FieldByName(QStringLiteral("COCFORNECED")).SetAsString(supplier);
    table.FieldByName(QStringLiteral("COCPRODUTO")).SetAsString(product);
    table.FieldByName(QStringLiteral("CONTA")).SetAsFloat(value);
    table.Post();
}

} // namespace module
