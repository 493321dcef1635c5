#pragma once

#include "DataSet.h"

#include <functional>

namespace host {

// Links a data set to the controls of a form (the screens' "dts..." components) and
// tells the form when the table's state or the current record's data change.
class DataSource : public DataSetObserver
{
public:
    explicit DataSource(DataSet* dataSet = nullptr);
    ~DataSource() override;
    DataSource(const DataSource&) = delete;
    DataSource& operator=(const DataSource&) = delete;

    void SetDataSet(DataSet* dataSet);
    DataSet* dataSet() const { return m_dataSet; }
    DataSetState State() const;

    // Inactive / Browse / Edit / Insert changed.
    std::function<void(DataSource&)> OnStateChange;
    // A field of the current record (nullptr: the record as a whole) changed or the
    // cursor moved.
    std::function<void(DataSource&, Field*)> OnDataChange;

    void dataSetChanged(DataSet&) override;
    void recordScrolled(DataSet&) override;
    void recordChanged(DataSet&, Field* field) override;
    void stateChanged(DataSet&) override;
    void dataSetDestroyed(DataSet&) override;

private:
    DataSet* m_dataSet = nullptr;
};

} // namespace host
