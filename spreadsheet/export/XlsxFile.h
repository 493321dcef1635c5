#pragma once

#include "host/core/Exceptions.h"

#include <QString>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace module {

// A spreadsheet file that could not be written; the text says why, for the error box.
class EExportFile : public host::Exception
{
public:
    using host::Exception::Exception;
};

// An XLSX workbook written by libxlsxwriter under a temporary name beside its file and
// put in the file's place only when complete (commit): a failure half-way leaves the
// buyer's folder as it was, an older file of the same name included.
class XlsxFile
{
public:
    explicit XlsxFile(const QString& path);
    ~XlsxFile();
    XlsxFile(const XlsxFile&) = delete;
    XlsxFile& operator=(const XlsxFile&) = delete;

    lxw_workbook* workbook() const { return m_book; }
    lxw_worksheet* addSheet(const QString& name);
    // A new cell format; bold, and a number format code when given (e.g. "#,##0.00000").
    lxw_format* addFormat(bool bold, const QString& numberFormat = QString());
    // Writes the workbook and puts it in place; throws EExportFile.
    void commit();

    // Throws EExportFile when libxlsxwriter refused something.
    static void check(int error);
    static QByteArray utf8(const QString& text) { return text.toUtf8(); }

private:
    QString m_path;
    QString m_temporary;
    lxw_workbook* m_book = nullptr;
};

// Moves a finished temporary file over the target (replacing it); throws EExportFile.
void replaceFile(const QString& temporary, const QString& target);

// Column name of a zero-based column: 0 "A", 25 "Z", 26 "AA".
QString columnName(int column);

// Excel column width (in characters of the default font) fitting a text of `characters`.
double fittedWidth(qsizetype characters);

} // namespace module
