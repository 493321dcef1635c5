#pragma once

#include <QList>
#include <QMetaType>
#include <QString>

namespace host {

enum class FieldType { String, Integer, Float, Boolean, Date, DateTime, Memo };

QString fieldTypeName(FieldType type);
// Throws ECodecError for an unknown name.
FieldType fieldTypeFromName(const QString& name);
bool isTextType(FieldType type);

// Static description of one column of an in-memory table: what a packet carries
// ("name", "type", "size") plus the presentation the screens give it.
struct FieldDef
{
    QString name;
    FieldType type = FieldType::String;
    int size = 0;          // characters, for text fields
    QString label;         // column title; the name when empty
    bool visible = true;
    bool calculated = false;  // computed on read, never stored nor sent
    bool readOnly = false;
    int displayWidth = 0;  // characters; 0 = derived from size
    QString displayFormat; // e.g. "####,##0.00000"
    QString editFormat;    // e.g. "#0.00000"
    QString editMask;      // e.g. "999;0; "

    static FieldDef text(const QString& name, int size, const QString& label = QString())
    {
        FieldDef d;
        d.name = name;
        d.type = FieldType::String;
        d.size = size;
        d.label = label;
        return d;
    }
    static FieldDef of(const QString& name, FieldType type, const QString& label = QString())
    {
        FieldDef d;
        d.name = name;
        d.type = type;
        d.label = label;
        return d;
    }
};

using FieldDefs = QList<FieldDef>;

} // namespace host
