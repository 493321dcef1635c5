#pragma once

namespace host {

class DataSet;
class Field;

// What a data set tells the controls that show it. Nothing is sent between
// DisableControls and EnableControls; EnableControls then sends one dataSetChanged.
class DataSetObserver
{
public:
    virtual ~DataSetObserver() = default;
    // Rows, order, filter or structure changed: show everything again.
    virtual void dataSetChanged(DataSet&) {}
    // The current record moved.
    virtual void recordScrolled(DataSet&) {}
    // A field of the current record changed (nullptr: the whole record).
    virtual void recordChanged(DataSet&, Field*) {}
    // Inactive / Browse / Edit / Insert changed.
    virtual void stateChanged(DataSet&) {}
    // The data set is being destroyed.
    virtual void dataSetDestroyed(DataSet&) {}
};

} // namespace host
