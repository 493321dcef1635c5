#include "FieldDef.h"

#include "Exceptions.h"

namespace host {
namespace {

struct TypeName
{
    FieldType type;
    const char* name;
};

constexpr TypeName kTypeNames[] = {
    {FieldType::String, "string"}, {FieldType::Integer, "integer"},
    {FieldType::Float, "float"},   {FieldType::Boolean, "boolean"},
    {FieldType::Date, "date"},     {FieldType::DateTime, "datetime"},
    {FieldType::Memo, "memo"},
};

} // namespace

QString fieldTypeName(FieldType type)
{
    for (const auto& entry : kTypeNames)
        if (entry.type == type)
            return QString::fromLatin1(entry.name);
    return QStringLiteral("string");
}

FieldType fieldTypeFromName(const QString& name)
{
    for (const auto& entry : kTypeNames)
        if (name == QLatin1String(entry.name))
            return entry.type;
    throw ECodecError(QStringLiteral("Tipo de campo desconhecido: \"%1\".").arg(name));
}

bool isTextType(FieldType type)
{
    return type == FieldType::String || type == FieldType::Memo;
}

} // namespace host
