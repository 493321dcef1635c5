#include "TfrmImportPrecos.h"

#include "PriceImportPlan.h"

#include "host/core/consiste/DisplayFormat.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>
#include <iterator>

namespace module {

namespace {

// The lines of the preview, read where the plan keeps them (a file may bring hundreds of
// thousands): the file's labels of their column and row, their prices and reasons.
class ImportLinesModel final : public QAbstractTableModel
{
public:
    enum Column
    {
        Situation,
        FileRow,
        Region,
        Supplier,
        Product,
        Brand,
        Current,
        Price,
        Reason,
        Count
    };

    ImportLinesModel(const ImportPlan& plan, const host::Messages& texts, QObject* parent)
        : QAbstractTableModel(parent), m_plan(plan)
    {
        for (const char* key : {"Sit_Recusado", "Sit_Fora", "Sit_Invalido", "Sit_Alterar"})
            m_kinds << texts.Msg(QString::fromLatin1(key));
        for (const char* key : {"Col_Situacao", "Col_Linha", "Col_Regiao", "Col_Fornecedor",
                                "Col_Produto", "Col_Marca", "Col_Atual", "Col_Novo", "Col_Motivo"})
            m_headers << texts.Msg(QString::fromLatin1(key));
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_plan.lines.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : Count;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < Count)
            return m_headers.value(section);
        return {};
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || size_t(index.row()) >= m_plan.lines.size())
            return {};
        if (role == Qt::TextAlignmentRole)
            return index.column() == FileRow || index.column() == Current || index.column() == Price
                       ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                       : QVariant();
        if (role != Qt::DisplayRole)
            return {};
        const ImportLine& line = m_plan.lines[size_t(index.row())];
        const ImportPlan::Label* column =
            line.column >= 0 ? &m_plan.fileColumns[size_t(line.column)] : nullptr;
        const ImportPlan::Label* row = line.row >= 0 ? &m_plan.fileRows[size_t(line.row)] : nullptr;
        switch (index.column()) {
        case Situation:
            return m_kinds.value(int(line.kind));
        case FileRow:
            return line.fileRow;
        case Region:
            return column ? column->first : QString();
        case Supplier:
            return column ? column->second : QString();
        case Product:
            return row ? row->first : QString();
        case Brand:
            return row ? row->second : QString();
        case Current:
            return money(line.current);
        case Price:
            return money(line.price);
        case Reason:
            return line.reason;
        default:
            return {};
        }
    }

private:
    static QString money(double value)
    {
        return std::isnan(value) ? QString()
                                 : host::FormatFloat(QStringLiteral("#,##0.00000"), value);
    }

    const ImportPlan& m_plan;
    QStringList m_kinds, m_headers;
};

} // namespace

TfrmImportPrecos::TfrmImportPrecos(QWidget* parent, const ImportPlan& plan,
                                   const host::Messages& texts, const QString& fileName)
    : host::TfrmRotiGeral(QStringLiteral("SUP01722"), texts.Msg(QStringLiteral("Titulo")), parent)
{
    lblArquivo = new QLabel(texts.Msg(QStringLiteral("Arquivo")).arg(fileName), clientArea());
    lblArquivo->setObjectName(QStringLiteral("lblArquivo"));
    lblResumo = new QLabel(texts.Msg(QStringLiteral("Resumo"))
                               .arg(plan.changes.size())
                               .arg(plan.unchanged)
                               .arg(plan.unknown)
                               .arg(plan.invalid)
                               .arg(plan.refused),
                           clientArea());
    lblResumo->setObjectName(QStringLiteral("lblResumo"));
    lblResumo->setWordWrap(true);

    grdPrecos = new QTableView(clientArea());
    grdPrecos->setObjectName(QStringLiteral("grdPrecos"));
    grdPrecos->setModel(new ImportLinesModel(plan, texts, grdPrecos));
    grdPrecos->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdPrecos->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdPrecos->setWordWrap(false);
    grdPrecos->verticalHeader()->hide();
    grdPrecos->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdPrecos->verticalHeader()->setDefaultSectionSize(grdPrecos->fontMetrics().height() + 4);
    QHeaderView* header = grdPrecos->horizontalHeader();
    header->setStretchLastSection(true);
    const int widths[] = {110, 50, 150, 190, 240, 150, 100, 100};
    for (int column = 0; column < int(std::size(widths)); ++column)
        header->resizeSection(column, widths[column]);

    clientLayout()->addWidget(lblArquivo);
    clientLayout()->addWidget(lblResumo);
    clientLayout()->addWidget(grdPrecos, 1);
    sbtConfirma->setEnabled(!plan.changes.empty());
    resize(1200, 560);
}

} // namespace module
