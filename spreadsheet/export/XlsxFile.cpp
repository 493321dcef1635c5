#include "XlsxFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <xlsxwriter.h>

namespace module {

namespace {

QString temporaryBeside(const QString& path)
{
    const QFileInfo target(path);
    QString candidate;
    do {
        candidate = target.absoluteDir().filePath(
            QStringLiteral(".%1.%2.part")
                .arg(target.fileName())
                .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
    } while (QFileInfo::exists(candidate));
    return candidate;
}

} // namespace

XlsxFile::XlsxFile(const QString& path) : m_path(path), m_temporary(temporaryBeside(path))
{
    // Without constant memory the texts go to the shared string table, as spreadsheet
    // programs write them.
    lxw_workbook_options options{};
    m_book = workbook_new_opt(QFile::encodeName(m_temporary).constData(), &options);
    if (!m_book)
        throw EExportFile(QString::fromUtf8(lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED)));
}

XlsxFile::~XlsxFile()
{
    if (m_book)
        lxw_workbook_free(m_book);
    QFile::remove(m_temporary);
}

lxw_worksheet* XlsxFile::addSheet(const QString& name)
{
    lxw_worksheet* sheet = workbook_add_worksheet(m_book, utf8(name).constData());
    if (!sheet)
        throw EExportFile(QStringLiteral("worksheet '%1'").arg(name));
    return sheet;
}

lxw_format* XlsxFile::addFormat(bool bold, const QString& numberFormat)
{
    lxw_format* format = workbook_add_format(m_book);
    if (!format)
        throw EExportFile(QString::fromUtf8(lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED)));
    if (bold)
        format_set_bold(format);
    if (!numberFormat.isEmpty())
        format_set_num_format(format, utf8(numberFormat).constData());
    return format;
}

void XlsxFile::commit()
{
    // workbook_close frees the workbook whatever it answers.
    lxw_workbook* book = std::exchange(m_book, nullptr);
    check(workbook_close(book));
    replaceFile(m_temporary, m_path);
}

void XlsxFile::check(int error)
{
    if (error != LXW_NO_ERROR)
        throw EExportFile(QString::fromUtf8(lxw_strerror(lxw_error(error))));
}

void replaceFile(const QString& temporary, const QString& target)
{
    std::error_code failure;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(temporary).toStdString()),
                            std::filesystem::path(QFile::encodeName(target).toStdString()),
                            failure);
    if (failure) {
        QFile::remove(temporary);
        throw EExportFile(QString::fromLocal8Bit(failure.message()));
    }
}

QString columnName(int column)
{
    QString name;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        name.prepend(QChar(u'A' + (n - 1) % 26));
    return name;
}

double fittedWidth(qsizetype characters)
{
    // A little room for the cell's margins; very long names are cut on screen, not in the
    // cell.
    return std::clamp(double(characters) * 1.1 + 2.0, 8.0, 80.0);
}

} // namespace module
