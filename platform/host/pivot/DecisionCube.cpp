#include "DecisionCube.h"

#include "host/core/DataSet.h"
#include "host/core/Exceptions.h"
#include "host/core/Field.h"
#include "host/ui/Guard.h"

#include <algorithm>

namespace host {

TDecisionCube::TDecisionCube(QObject* parent) : QObject(parent) {}

TDecisionCube::~TDecisionCube()
{
    if (m_dataSet)
        m_dataSet->removeObserver(this);
}

void TDecisionCube::SetDataSet(DataSet* dataSet)
{
    if (dataSet == m_dataSet)
        return;
    if (m_dataSet)
        m_dataSet->removeObserver(this);
    m_dataSet = dataSet;
    if (m_dataSet)
        m_dataSet->addObserver(this);
    markStale();
}

int TDecisionCube::AddDimension(const QString& fieldName, const QString& displayName)
{
    if (DimensionCount() >= MaxDimensions)
        throw EDatabaseError(
            QStringLiteral("O cubo de decisão aceita no máximo %1 dimensões.").arg(MaxDimensions));
    m_def.dimensionFields.append(fieldName);
    m_displayNames.append(displayName);
    if (!m_pivotSet) {
        // Default pivot: the last dimension down, the others across.
        m_def.rowDims = {DimensionCount() - 1};
        m_def.colDims.clear();
        for (int d = 0; d < DimensionCount() - 1; ++d)
            m_def.colDims.push_back(d);
    }
    markStale();
    return DimensionCount() - 1;
}

void TDecisionCube::checkDimension(int dimension) const
{
    if (dimension < 0 || dimension >= DimensionCount())
        throw EDatabaseError(
            QStringLiteral("Dimensão %1 inexistente no cubo de decisão.").arg(dimension));
}

QString TDecisionCube::DimensionField(int dimension) const
{
    checkDimension(dimension);
    return m_def.dimensionFields[dimension];
}

QString TDecisionCube::DisplayName(int dimension) const
{
    checkDimension(dimension);
    return m_displayNames[dimension].isEmpty() ? m_def.dimensionFields[dimension]
                                               : m_displayNames[dimension];
}

void TDecisionCube::SetDisplayName(int dimension, const QString& name)
{
    checkDimension(dimension);
    m_displayNames[dimension] = name;
    Q_EMIT Changed();
}

void TDecisionCube::SetSummaryField(const QString& fieldName)
{
    m_def.summaryField = fieldName;
    markStale();
}

void TDecisionCube::SetPivot(const std::vector<int>& rowDimensions,
                             const std::vector<int>& colDimensions)
{
    std::vector<int> all = rowDimensions;
    all.insert(all.end(), colDimensions.begin(), colDimensions.end());
    for (int d : all)
        checkDimension(d);
    std::sort(all.begin(), all.end());
    if (std::adjacent_find(all.begin(), all.end()) != all.end())
        throw EDatabaseError(QStringLiteral("Uma dimensão aparece duas vezes no cubo de decisão."));
    m_def.rowDims = rowDimensions;
    m_def.colDims = colDimensions;
    m_pivotSet = true;
    markStale();
}

std::vector<int> TDecisionCube::RowDimensions() const
{
    return m_def.rowDims;
}

std::vector<int> TDecisionCube::ColDimensions() const
{
    return m_def.colDims;
}

void TDecisionCube::SetSparseRows(bool sparse)
{
    if (sparse == m_def.sparseRows)
        return;
    m_def.sparseRows = sparse;
    markStale();
}

void TDecisionCube::SetSparseCols(bool sparse)
{
    if (sparse == m_def.sparseCols)
        return;
    m_def.sparseCols = sparse;
    markStale();
}

void TDecisionCube::SetActive(bool active)
{
    if (!active) {
        if (!m_active)
            return;
        m_active = false;
        clearResult();
        Q_EMIT Changed();
        return;
    }
    // Built now, so that a wrong definition fails here and not while painting.
    m_result = internal::buildCube(m_dataSet, m_def);
    m_active = true;
    m_stale = false;
    ++m_generation;
    Q_EMIT Changed();
}

void TDecisionCube::clearResult()
{
    m_result = internal::CubeResult();
    m_result.values.resize(size_t(DimensionCount()));
    m_result.rows = {};
    m_result.cols = {};
    m_stale = false;
    ++m_generation;
}

void TDecisionCube::markStale()
{
    if (!m_active)
        return;
    m_stale = true;
    Q_EMIT Changed();
}

void TDecisionCube::dataSetChanged(DataSet&)
{
    markStale();
}

void TDecisionCube::recordChanged(DataSet&, Field* field)
{
    // A record's other fields change nothing of the cube (a price typed on a count-only
    // worksheet); its dimensions or its summed value do.
    if (!field || field->FieldName().compare(m_def.summaryField, Qt::CaseInsensitive) == 0 ||
        m_def.dimensionFields.contains(field->FieldName(), Qt::CaseInsensitive))
        markStale();
}

void TDecisionCube::dataSetDestroyed(DataSet&)
{
    m_dataSet = nullptr;
    markStale();
}

const internal::CubeResult& TDecisionCube::result() const
{
    if (m_active && m_stale) {
        m_stale = false;
        try {
            m_result = internal::buildCube(m_dataSet, m_def);
        } catch (...) {
            // Read while painting: show nothing rather than stale values, and say why.
            m_result = internal::CubeResult();
            m_result.values.resize(size_t(DimensionCount()));
            reportHandlerException(std::current_exception());
        }
        ++m_generation;
    }
    return m_result;
}

const QStringList& TDecisionCube::Values(int dimension) const
{
    static const QStringList none;
    const auto& values = result().values;
    return dimension >= 0 && dimension < int(values.size()) ? values[size_t(dimension)] : none;
}

int TDecisionCube::ValueIndex(int dimension, const QString& value) const
{
    return result().valueIndex(dimension, value);
}

CubeSummary TDecisionCube::Total() const
{
    const internal::CubeResult& r = result();
    return r.summary({0, r.rows.Count()}, {0, r.cols.Count()});
}

quint64 TDecisionCube::Generation() const
{
    result();
    return m_generation;
}

} // namespace host
