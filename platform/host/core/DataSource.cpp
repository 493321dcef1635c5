#include "DataSource.h"

namespace host {

DataSource::DataSource(DataSet* dataSet)
{
    SetDataSet(dataSet);
}

DataSource::~DataSource()
{
    SetDataSet(nullptr);
}

void DataSource::SetDataSet(DataSet* dataSet)
{
    if (m_dataSet == dataSet)
        return;
    if (m_dataSet)
        m_dataSet->removeObserver(this);
    m_dataSet = dataSet;
    if (m_dataSet)
        m_dataSet->addObserver(this);
}

DataSetState DataSource::State() const
{
    return m_dataSet ? m_dataSet->State() : DataSetState::Inactive;
}

void DataSource::dataSetChanged(DataSet&)
{
    if (OnDataChange)
        OnDataChange(*this, nullptr);
}

void DataSource::recordScrolled(DataSet&)
{
    if (OnDataChange)
        OnDataChange(*this, nullptr);
}

void DataSource::recordChanged(DataSet&, Field* field)
{
    if (OnDataChange)
        OnDataChange(*this, field);
}

void DataSource::stateChanged(DataSet&)
{
    if (OnStateChange)
        OnStateChange(*this);
}

void DataSource::dataSetDestroyed(DataSet&)
{
    m_dataSet = nullptr;
}

} // namespace host
