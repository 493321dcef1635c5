#include "ListExport.h"

#include "XlsxFile.h"

#include "module/records/SupplierDisplay.h"
#include "shell/TfrmPlanCotaPrec.h"

#include "host/core/DataSet.h"
#include "host/core/Messages.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QLocale>
#include <QSaveFile>
#include <algorithm>
#include <xlsxwriter.h>

namespace module {

namespace {

struct ColumnSource
{
    const char* field;
    const char* headingKey;
};

// The quotation list's columns, stored values (the screen's combined texts are made of them).
constexpr ColumnSource kQuotationColumns[] = {
    {"CDFILIAL", "Col_Filial"},          {"NRCOLEPRECO", "Col_Numero"},
    {"DTCOLEPREC", "Col_Data"},          {"NRSEMAINIC", "Col_SemanaIni"},
    {"NRSEMAFINAL", "Col_SemanaFin"},    {"DTINIVALCOL", "Col_ValidadeIni"},
    {"DTFINVALCOL", "Col_ValidadeFin"},  {"CDOPERADOR", "Col_Comprador"},
    {"NMOPERADOR", "Col_NomeComprador"}, {"IDTIPCOLREG", "Col_TipoColeta"},
    {"IDDISMONTLIS", "Col_Lista"},
};

QVariant cleaned(const QVariant& value)
{
    // Codes are stored padded with blanks; the file shows them as the screen does.
    if (value.typeId() == QMetaType::QString)
        return value.toString().trimmed();
    return value;
}

const QLocale& brazil()
{
    static const QLocale locale = [] {
        QLocale l(QLocale::Portuguese, QLocale::Brazil);
        // Thousands dots would make a number a text for some programs.
        l.setNumberOptions(QLocale::OmitGroupSeparator);
        return l;
    }();
    return locale;
}

QString csvText(const QVariant& value)
{
    if (value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    case QMetaType::Double:
    case QMetaType::Float:
        return brazil().toString(value.toDouble(), 'f', QLocale::FloatingPointShortest);
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return brazil().toString(value.toLongLong());
    default:
        return value.toString();
    }
}

QString csvField(const QString& text)
{
    static const QString special = QStringLiteral(";\"\r\n");
    if (std::none_of(text.cbegin(), text.cend(), [](QChar c) { return special.contains(c); }))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QByteArray csvLine(const QStringList& fields)
{
    QStringList out;
    out.reserve(fields.size());
    for (const QString& field : fields)
        out.append(csvField(field));
    return (out.join(QLatin1Char(';')) + QStringLiteral("\r\n")).toUtf8();
}

} // namespace

QList<ExportTable> quotationListTables(const TfrmPlanCotaPrec& form, const host::Messages& texts)
{
    ExportTable quotations;
    quotations.name = texts.Msg(QStringLiteral("Aba_Cotacoes"));
    const host::DataSet& list = form.cdsColetapr;
    if (!list.Active())
        return {};
    const host::Table& stored = list.table();
    std::vector<int> fields;
    for (const ColumnSource& column : kQuotationColumns) {
        quotations.headings.append(texts.Msg(QString::fromLatin1(column.headingKey)));
        fields.push_back(stored.indexOf(QString::fromLatin1(column.field)));
    }
    // The list in the order and with the filter the buyer sees it.
    const int numberField = stored.indexOf(QStringLiteral("NRCOLEPRECO"));
    QHash<QString, int> listPosition;
    for (const quint32 slot : list.view()) {
        QVariantList row;
        for (const int field : fields)
            row.append(field < 0 ? QVariant() : cleaned(stored.value(slot, field)));
        quotations.rows.append(row);
        listPosition.insert(stored.value(slot, numberField).toString(), int(listPosition.size()));
    }

    ExportTable suppliers;
    suppliers.name = texts.Msg(QStringLiteral("Aba_Fornecedores"));
    for (const char* key :
         {"Col_Cotacao", "Col_Tipo", "Col_Inscricao", "Col_RazaoSocial", "Col_NomeFantasia"})
        suppliers.headings.append(texts.Msg(QString::fromLatin1(key)));
    // Every quoted supplier, not only those of the quotation shown below the list.
    const host::Packet all =
        form.cdsFornCotados.Active() ? form.cdsFornCotados.Data() : host::Packet();
    const host::Table* forn = all.table().get();
    auto fieldOf = [forn](const char* name) {
        return forn ? forn->indexOf(QString::fromLatin1(name)) : -1;
    };
    const int number = fieldOf("NRCOLEPRECO");
    const int type = fieldOf("IDTPIJURFORN");
    const int document = fieldOf("NRINSJURFORN");
    const int legalName = fieldOf("NMRAZSOCFORN");
    const int tradeName = fieldOf("NMFANTFORN");
    std::vector<std::pair<int, QVariantList>> ordered;
    const qsizetype supplierRows =
        number < 0 || type < 0 || document < 0 || legalName < 0 || tradeName < 0 ? 0
                                                                                 : all.rowCount();
    for (qsizetype r = 0; r < supplierRows; ++r) {
        const QString quotation = all.value(r, number).toString();
        const QString personType = all.value(r, type).toString().trimmed();
        const QString typeKey = personTypeMessageKey(personType);
        ordered.emplace_back(
            listPosition.value(quotation, int(listPosition.size())),
            QVariantList{quotation.trimmed(),
                         typeKey.isEmpty() ? personType : form.msgPadrao.Msg(typeKey),
                         supplierDocumentText(personType, all.value(r, document).toString()),
                         cleaned(all.value(r, legalName)), cleaned(all.value(r, tradeName))});
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [position, row] : ordered)
        suppliers.rows.append(std::move(row));
    return {quotations, suppliers};
}

void writeTablesCsv(const QList<ExportTable>& tables, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw EExportFile(file.errorString());
    file.write("\xEF\xBB\xBF");
    bool first = true;
    for (const ExportTable& table : tables) {
        if (!first)
            file.write("\r\n");
        first = false;
        file.write(csvLine(table.headings));
        for (const QVariantList& row : table.rows) {
            QStringList fields;
            fields.reserve(row.size());
            for (const QVariant& value : row)
                fields.append(csvText(value));
            file.write(csvLine(fields));
        }
    }
    // A failed write leaves nothing: the file is renamed into place only here.
    if (!file.commit())
        throw EExportFile(file.errorString());
}

void writeTablesXlsx(const QList<ExportTable>& tables, const QString& path)
{
    XlsxFile file(path);
    lxw_format* heading = file.addFormat(true);
    format_set_bg_color(heading, 0xDDE4EE);
    format_set_border(heading, LXW_BORDER_THIN);
    lxw_format* date = file.addFormat(false, QStringLiteral("dd/mm/yyyy"));
    lxw_format* dateTime = file.addFormat(false, QStringLiteral("dd/mm/yyyy hh:mm:ss"));
    for (const ExportTable& table : tables) {
        lxw_worksheet* sheet = file.addSheet(table.name);
        std::vector<qsizetype> widest(size_t(table.headings.size()), 0);
        auto fit = [&widest](int column, qsizetype characters) {
            if (size_t(column) >= widest.size())
                widest.resize(size_t(column) + 1, 0);
            widest[size_t(column)] = std::max(widest[size_t(column)], characters);
        };
        for (int c = 0; c < table.headings.size(); ++c) {
            XlsxFile::check(worksheet_write_string(
                sheet, 0, lxw_col_t(c), file.utf8(table.headings.at(c)).constData(), heading));
            fit(c, table.headings.at(c).size());
        }
        for (int r = 0; r < table.rows.size(); ++r) {
            const QVariantList& row = table.rows.at(r);
            const lxw_row_t at = lxw_row_t(r + 1);
            for (int c = 0; c < row.size(); ++c) {
                const QVariant& value = row.at(c);
                if (value.isNull())
                    continue;
                const lxw_col_t col = lxw_col_t(c);
                switch (value.typeId()) {
                case QMetaType::QDate:
                case QMetaType::QDateTime: {
                    const QDateTime moment = value.toDateTime();
                    const QTime time = moment.time();
                    lxw_datetime when{moment.date().year(), moment.date().month(),
                                      moment.date().day(),  time.hour(),
                                      time.minute(),        double(time.second())};
                    const bool withTime = value.typeId() == QMetaType::QDateTime;
                    XlsxFile::check(worksheet_write_datetime(sheet, at, col, &when,
                                                             withTime ? dateTime : date));
                    fit(c, withTime ? 19 : 10);
                    break;
                }
                case QMetaType::Double:
                case QMetaType::Float:
                case QMetaType::Int:
                case QMetaType::LongLong:
                case QMetaType::UInt:
                case QMetaType::ULongLong:
                    XlsxFile::check(
                        worksheet_write_number(sheet, at, col, value.toDouble(), nullptr));
                    fit(c, csvText(value).size());
                    break;
                default: {
                    const QString text = value.toString();
                    XlsxFile::check(worksheet_write_string(sheet, at, col,
                                                           file.utf8(text).constData(), nullptr));
                    fit(c, text.size());
                }
                }
            }
        }
        for (size_t c = 0; c < widest.size(); ++c)
            XlsxFile::check(worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c),
                                                 fittedWidth(widest[c]), nullptr));
        worksheet_freeze_panes(sheet, 1, 0);
    }
    file.commit();
}

} // namespace module
