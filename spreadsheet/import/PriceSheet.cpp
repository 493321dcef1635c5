// Reading a price worksheet from a file: the first sheet of an XLSX workbook (libzip for the
// package, Qt's stream reader for its XML parts) or a CSV text, and the worksheet's layout
// found in its cells.

#include "PriceSheet.h"

#include <QFile>
#include <QLocale>
#include <QStringDecoder>
#include <QXmlStreamReader>
#include <zip.h>

#include <algorithm>
#include <cmath>
#include <future>
#include <memory>

namespace module {

namespace {

// What a sheet may hold (the limits of the spreadsheet programs), and the largest part of a
// workbook read: a worksheet of a million prices stays far below it.
constexpr int kMaxRows = 1'048'576;
constexpr int kMaxColumns = 16'384;
constexpr zip_uint64_t kMaxPart = zip_uint64_t(512) * 1024 * 1024;

const QString kRelationships =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");

// ---- the workbook ----------------------------------------------------------------------------

struct ZipCloser
{
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ZipCloser>;

// A part of the package; empty when it is not there.
QByteArray part(zip_t* archive, const QString& name)
{
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(archive, name.toUtf8().constData(), ZIP_FL_NOCASE, &stat) != 0)
        return {};
    if (!(stat.valid & ZIP_STAT_SIZE) || !(stat.valid & ZIP_STAT_INDEX) || stat.size > kMaxPart)
        throw PriceFileError("Arq_NaoPlanilha");
    zip_file_t* file = zip_fopen_index(archive, stat.index, 0);
    if (!file)
        throw PriceFileError("Arq_NaoPlanilha");
    QByteArray data(qsizetype(stat.size), Qt::Uninitialized);
    const zip_int64_t read = zip_fread(file, data.data(), stat.size);
    zip_fclose(file);
    if (read < 0 || zip_uint64_t(read) != stat.size)
        throw PriceFileError("Arq_NaoPlanilha");
    return data;
}

// The text of a string item or an inline string: its runs' texts, without the phonetic
// readings.
QString richText(QXmlStreamReader& xml)
{
    QString text;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"t")
            text += xml.readElementText();
        else if (xml.name() == u"r")
            text += richText(xml);
        else
            xml.skipCurrentElement();
    }
    return text;
}

std::vector<QString> sharedStrings(const QByteArray& data)
{
    std::vector<QString> strings;
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"si")
            strings.push_back(richText(xml));
    }
    if (xml.hasError())
        throw PriceFileError("Arq_NaoPlanilha");
    return strings;
}

// The part of the workbook's first sheet.
QString firstSheetPart(zip_t* archive)
{
    const QByteArray workbook = part(archive, QStringLiteral("xl/workbook.xml"));
    if (workbook.isEmpty())
        throw PriceFileError("Arq_NaoPlanilha");
    QString relation;
    bool found = false;
    QXmlStreamReader xml(workbook);
    while (!xml.atEnd() && !found) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"sheet") {
            found = true;
            relation = xml.attributes().value(kRelationships, QStringLiteral("id")).toString();
        }
    }
    if (!found && xml.hasError())
        throw PriceFileError("Arq_NaoPlanilha");
    if (!found)
        throw PriceFileError("Arq_SemFolha");

    const QByteArray relations = part(archive, QStringLiteral("xl/_rels/workbook.xml.rels"));
    QXmlStreamReader rels(relations);
    while (!relation.isEmpty() && !rels.atEnd()) {
        if (rels.readNext() != QXmlStreamReader::StartElement || rels.name() != u"Relationship" ||
            rels.attributes().value(QStringLiteral("Id")) != relation)
            continue;
        const QString target = rels.attributes().value(QStringLiteral("Target")).toString();
        return target.startsWith(QLatin1Char('/')) ? target.mid(1) : QStringLiteral("xl/") + target;
    }
    // Without its relation the first sheet is the one the spreadsheet programs write first.
    return QStringLiteral("xl/worksheets/sheet1.xml");
}

// 0-based column of a cell reference ("B7" → 1); -1 when it has no letters.
int columnOf(QStringView reference)
{
    int column = 0, letters = 0;
    for (const QChar c : reference) {
        const char16_t u = c.unicode();
        if (u >= u'A' && u <= u'Z')
            column = column * 26 + (u - u'A' + 1);
        else if (u >= u'a' && u <= u'z')
            column = column * 26 + (u - u'a' + 1);
        else
            break;
        if (++letters > 3)
            return -1;
    }
    return letters == 0 ? -1 : column - 1;
}

void place(SheetGrid& grid, int row, int column, SheetCell cell)
{
    if (row < 0 || row >= kMaxRows || column < 0 || column >= kMaxColumns ||
        cell.kind == SheetCell::Kind::Empty)
        return;
    if (grid.size() <= size_t(row))
        grid.resize(size_t(row) + 1);
    auto& cells = grid[size_t(row)];
    if (cells.size() <= size_t(column))
        cells.resize(size_t(column) + 1);
    cells[size_t(column)] = std::move(cell);
}

SheetCell textCell(QString text)
{
    SheetCell cell;
    if (!text.trimmed().isEmpty()) {
        cell.kind = SheetCell::Kind::Text;
        cell.text = std::move(text);
    }
    return cell;
}

SheetGrid sheetCells(const QByteArray& data, const std::vector<QString>& strings)
{
    SheetGrid grid;
    QXmlStreamReader xml(data);
    int row = -1, column = -1;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"row") {
            bool ok = false;
            const int number = xml.attributes().value(QStringLiteral("r")).toInt(&ok);
            row = ok ? number - 1 : row + 1;
            column = -1;
            continue;
        }
        if (xml.name() != u"c")
            continue;
        // A sheet holds mostly numbers: theirs are read where the reader keeps them, without a
        // copy of their own.
        const QXmlStreamAttributes attributes = xml.attributes();
        const int referenced = columnOf(attributes.value(QStringLiteral("r")));
        column = referenced >= 0 ? referenced : column + 1;
        const QStringView type = attributes.value(QStringLiteral("t"));
        const bool number = type.isEmpty() || type == u"n";
        const bool shared = type == u"s";
        SheetCell cell;
        while (xml.readNextStartElement()) {
            if (xml.name() == u"v" && number) {
                if (xml.readNext() == QXmlStreamReader::Characters) {
                    bool ok = false;
                    cell.number = xml.text().trimmed().toDouble(&ok);
                    cell.kind = ok ? SheetCell::Kind::Number : SheetCell::Kind::Empty;
                    if (!ok)
                        cell = textCell(xml.text().toString());
                }
                if (xml.tokenType() != QXmlStreamReader::EndElement)
                    xml.skipCurrentElement();
            } else if (xml.name() == u"v" && shared) {
                bool ok = false;
                const qsizetype index = xml.readElementText().toLongLong(&ok);
                if (ok && index >= 0 && size_t(index) < strings.size())
                    cell = textCell(strings[size_t(index)]);
            } else if (xml.name() == u"v") {
                // Formula texts, booleans, errors and dates are read as their text.
                cell = textCell(xml.readElementText());
            } else if (xml.name() == u"is") {
                cell = textCell(richText(xml));
            } else {
                xml.skipCurrentElement();
            }
        }
        place(grid, row, column, std::move(cell));
    }
    if (xml.hasError())
        throw PriceFileError("Arq_NaoPlanilha");
    return grid;
}

// A worksheet of prices has many rows: its rows are read in two halves side by side, each
// half as a document of its own under the sheet's root element (which declares the
// namespaces). A sheet written otherwise (few rows, prefixed elements, rows without their
// numbers) is read in one go.
SheetGrid splitSheetCells(const QByteArray& data, const std::vector<QString>& strings)
{
    const qsizetype open = data.indexOf("<sheetData>");
    const qsizetype close = data.lastIndexOf("</sheetData>");
    const qsizetype root = data.indexOf("<worksheet");
    const qsizetype rootEnd = root < 0 ? -1 : data.indexOf('>', root);
    if (open < 0 || close - open < 1024 || root < 0 || rootEnd < 0 || rootEnd > open)
        return sheetCells(data, strings);
    const qsizetype split = data.indexOf("<row ", open + (close - open) / 2);
    const qsizetype splitEnd = split < 0 ? -1 : data.indexOf('>', split);
    if (split < 0 || split >= close || splitEnd < 0 ||
        !QByteArrayView(data).sliced(split, splitEnd - split).contains(" r=\""))
        return sheetCells(data, strings);

    const QByteArray end = "</sheetData></worksheet>";
    const QByteArray second =
        data.mid(root, rootEnd - root + 1) + "<sheetData>" + data.mid(split, close - split) + end;
    auto later =
        std::async(std::launch::async, [&second, &strings] { return sheetCells(second, strings); });
    SheetGrid grid = sheetCells(data.left(split) + end, strings);
    SheetGrid rest = later.get();
    if (rest.size() > grid.size())
        grid.resize(rest.size());
    for (size_t row = 0; row < rest.size(); ++row)
        if (!rest[row].empty())
            grid[row] = std::move(rest[row]);
    return grid;
}

SheetGrid readWorkbook(const QByteArray& bytes)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source =
        zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    if (!source) {
        zip_error_fini(&error);
        throw PriceFileError("Arq_NaoPlanilha");
    }
    Archive archive(zip_open_from_source(source, ZIP_RDONLY, &error));
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        throw PriceFileError("Arq_NaoPlanilha");
    }
    const QString sheet = firstSheetPart(archive.get());
    const QByteArray sheetData = part(archive.get(), sheet);
    if (sheetData.isEmpty())
        throw PriceFileError("Arq_SemFolha");
    return splitSheetCells(
        sheetData, sharedStrings(part(archive.get(), QStringLiteral("xl/sharedStrings.xml"))));
}

// ---- CSV ----------------------------------------------------------------------------------

SheetGrid readCsv(const QByteArray& bytes)
{
    // Text has no zero bytes: such a file is some other kind of document.
    if (bytes.contains('\0'))
        throw PriceFileError("Arq_NaoPlanilha");
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        throw PriceFileError("Arq_CsvIlegivel");
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    SheetGrid grid;
    std::vector<SheetCell> row;
    QString field;
    bool quoted = false;
    auto endField = [&] {
        row.push_back(textCell(field));
        field.clear();
    };
    auto endRow = [&] {
        endField();
        while (!row.empty() && row.back().kind == SheetCell::Kind::Empty)
            row.pop_back();
        grid.push_back(std::move(row));
        row.clear();
    };
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c != QLatin1Char('"'))
                field += c;
            else if (i + 1 < size && text.at(i + 1) == QLatin1Char('"'))
                field += text.at(++i);
            else
                quoted = false;
        } else if (c == QLatin1Char('"') && field.trimmed().isEmpty()) {
            field.clear();
            quoted = true;
        } else if (c == QLatin1Char(';')) {
            endField();
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            endRow();
        } else {
            field += c;
        }
    }
    if (!field.isEmpty() || !row.empty())
        endRow();
    if (grid.size() > size_t(kMaxRows))
        grid.resize(size_t(kMaxRows));
    return grid;
}

// A label compared without case, accents and surrounding blanks ("Região" = "REGIAO").
QString plain(const QString& text)
{
    QString folded;
    for (const QChar c : text.trimmed().normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing)
            folded += c.toUpper();
    return folded;
}

} // namespace

SheetGrid readSpreadsheet(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw PriceFileError("Arq_Abrir");
    const QByteArray bytes = file.readAll();
    if (bytes.startsWith("PK"))
        return readWorkbook(bytes);
    return readCsv(bytes);
}

QString cellText(const SheetCell& cell)
{
    switch (cell.kind) {
    case SheetCell::Kind::Text:
        return cell.text.trimmed();
    case SheetCell::Kind::Number:
        return QString::number(cell.number, 'g', 15);
    default:
        return {};
    }
}

QString labelCode(const QString& label)
{
    const qsizetype at = label.indexOf(QStringLiteral(" - "));
    return (at < 0 ? label : label.left(at)).trimmed();
}

bool cellPrice(const SheetCell& cell, double& price)
{
    if (cell.kind == SheetCell::Kind::Number) {
        price = cell.number;
        return std::isfinite(price);
    }
    QString text;
    for (const QChar c : cell.text)
        if (!c.isSpace())
            text += c;
    // With a comma it is written the pt_BR way: periods group the thousands.
    if (text.contains(QLatin1Char(','))) {
        text.remove(QLatin1Char('.'));
        text.replace(QLatin1Char(','), QLatin1Char('.'));
    }
    bool ok = false;
    price = QLocale::c().toDouble(text, &ok);
    return ok && std::isfinite(price);
}

PriceSheet priceSheetOf(SheetGrid grid)
{
    auto text = [&grid](size_t row, size_t column) {
        if (row >= grid.size() || column >= grid[row].size())
            return QString();
        return cellText(grid[row][column]);
    };
    if (plain(text(0, 0)) != QLatin1String("REGIAO") ||
        plain(text(1, 0)) != QLatin1String("FORNECEDOR") ||
        plain(text(2, 0)) != QLatin1String("PRODUTO"))
        throw PriceFileError("Arq_Layout");

    PriceSheet sheet;
    const size_t width = std::max(grid[0].size(), grid[1].size());
    QString region;
    for (size_t c = 2; c < width; ++c) {
        const QString regionText = text(0, c);
        // A region's name spans its suppliers' columns (merged cells): the first holds it.
        if (!regionText.isEmpty())
            region = regionText;
        const QString supplier = text(1, c);
        if (supplier.isEmpty() || region.isEmpty() || plain(supplier) == QLatin1String("TOTAL") ||
            plain(region) == QLatin1String("TOTAL"))
            continue;
        sheet.columns.push_back({int(c), region, supplier, labelCode(region), labelCode(supplier)});
    }
    QString product;
    for (size_t r = 3; r < grid.size(); ++r) {
        const QString productText = text(r, 0);
        const QString brand = text(r, 1);
        if (plain(productText) == QLatin1String("TOTAL"))
            continue;
        // Further brands of a product may leave its name out, as the pivot shows them.
        if (!productText.isEmpty())
            product = productText;
        if (productText.isEmpty() && brand.isEmpty())
            continue;
        sheet.rows.push_back({int(r), product, brand, labelCode(product), labelCode(brand)});
    }
    sheet.grid = std::move(grid);
    return sheet;
}

} // namespace module
