// The loads of the two assignment pages against the demo purchasing centre: which rows
// each packet carries, and the columns (titles, widths, visibility) the pages show.

#include "SaveTestSupport.h"

#include "DbTestSupport.h"

#include "host/core/DataSet.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

const QString kBranch = QStringLiteral("0001");

// What a page shows of a column: name, width, title, shown or hidden.
struct Column
{
    const char* name;
    int size;
    const char* label; // nullptr: no title of its own
    bool visible;
};

class AssignmentMethodsTest : public rpctest::RpcFixture
{
protected:
    void SetUp() override
    {
        RpcFixture::SetUp();
        token = login();
        quotations = dbtest::column(db(), QStringLiteral("SELECT NRCOLEPRECO FROM COLETAPR "
                                                         "WHERE CDFILIAL = '0001' ORDER BY 1"));
        ASSERT_EQ(quotations.size(), 6);
    }

    host::Packet load(const char* method, const QString& number, const QString& branch = kBranch)
    {
        const QVariant answer =
            call(rpctest::kPlan, QString::fromLatin1(method), {branch, number}, token);
        EXPECT_EQ(answer.metaType(), QMetaType::fromType<host::Packet>()) << method;
        return answer.value<host::Packet>();
    }

    static QString text(const QVariant& value)
    {
        if (value.isNull())
            return QStringLiteral("<null>");
        if (value.typeId() == QMetaType::Double)
            return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
        if (value.typeId() == QMetaType::QDate)
            return value.toDate().toString(Qt::ISODate);
        return value.toString();
    }
    // Rows of the packet in the database's notation, sorted.
    static QStringList rowsOf(const host::Packet& packet)
    {
        QStringList result;
        for (qsizetype r = 0; r < packet.rowCount(); ++r) {
            QStringList fields;
            for (int f = 0; f < packet.fieldCount(); ++f)
                fields << text(packet.value(r, f));
            result << fields.join(u'|');
        }
        result.sort();
        return result;
    }
    QStringList expected(const QString& sql, const QString& number)
    {
        QStringList result = dbtest::rows(db(), sql, {kBranch, number});
        result.sort();
        return result;
    }
    static QStringList namesOf(const host::Packet& packet)
    {
        QStringList names;
        for (const host::FieldDef& field : packet.fields())
            names << field.name;
        return names;
    }
    static void expectColumns(const host::Packet& packet, std::initializer_list<Column> columns)
    {
        ASSERT_EQ(packet.fieldCount(), int(columns.size()));
        int i = 0;
        for (const Column& column : columns) {
            const host::FieldDef& field = packet.fields()[i++];
            SCOPED_TRACE(column.name);
            EXPECT_EQ(field.name, QString::fromLatin1(column.name));
            EXPECT_EQ(field.visible, column.visible);
            if (column.size > 0) {
                EXPECT_EQ(field.type, host::FieldType::String);
                EXPECT_EQ(field.size, column.size);
            }
            if (column.label) {
                EXPECT_EQ(field.label, QString::fromUtf8(column.label));
            }
        }
    }
    static const host::FieldDef& field(const host::Packet& packet, const char* name)
    {
        for (const host::FieldDef& f : packet.fields())
            if (f.name == QLatin1String(name))
                return f;
        throw std::runtime_error(name);
    }
    int itemCount(const QString& where, const QVariantList& values)
    {
        return dbtest::scalar(db(), QStringLiteral("SELECT COUNT(*) FROM ITEMCOLE WHERE ") + where,
                              values)
            .toInt();
    }

    QString token;
    QStringList quotations;
};

TEST_F(AssignmentMethodsTest, RegionSupplierPairsOfEachQuotation)
{
    const QString sql = QStringLiteral(
        "SELECT I.CDREGIAO, R.NMREGIAO, I.CDFORNECED, F.NMFANTFORN, I.NRCOLEPRECO "
        "FROM ITEMCOLE I, REGIAO R, FORNECEDOR F "
        "WHERE R.CDREGIAO = I.CDREGIAO AND F.CDFORNECED = I.CDFORNECED "
        "AND I.CDFILIAL = ? AND I.NRCOLEPRECO = ? GROUP BY I.CDREGIAO, R.NMREGIAO, I.CDFORNECED, F.NMFANTFORN, I.NRCOLEPRECO");
    for (const QString& number : quotations) {
        SCOPED_TRACE(number.toStdString());
        const QStringList pairs = expected(sql, number);
        ASSERT_FALSE(pairs.isEmpty());
        EXPECT_EQ(rowsOf(load("GetRegForn", number)), pairs) << "each pair once";
    }
    // The big worksheet has several suppliers in several regions.
    EXPECT_GT(load("GetRegForn", QStringLiteral("0000000003")).rowCount(), 20);

    expectColumns(load("GetRegForn", quotations.first()), {{"CDREGIAO", 3, nullptr, false},
                                                           {"NMREGIAO", 30, "Região", true},
                                                           {"CDFORNECED", 21, nullptr, false},
                                                           {"NMFANTFORN", 40, "Fornecedor", true},
                                                           {"NRCOLEPRECO", 10, nullptr, true}});
}

TEST_F(AssignmentMethodsTest, ItemsForTheProductSupplierPage)
{
    const QString sql = QStringLiteral(
        "SELECT I.CDFILIAL, I.NRCOLEPRECO, I.CDREGIAO, I.CDFORNECED, I.CDPRODUTO, P.NMPRODUTO, "
        "I.CDMARCA, M.NMMARCA, I.VRPRECUNIITM, I.VRPRECECOITM, I.QTACMPITMCOL, I.VRPERDESITM, "
        "I.DTINIVALITM, I.DTFINVALITM, I.IDITMCOTPREC, I.IDTIPFREITM, P.CDARVPROD "
        "FROM ITEMCOLE I, PRODUTO P, MARCA M WHERE P.CDPRODUTO = I.CDPRODUTO "
        "AND M.CDMARCA = I.CDMARCA AND I.CDFILIAL = ? AND I.NRCOLEPRECO = ?");
    for (const QString& number : quotations) {
        SCOPED_TRACE(number.toStdString());
        const QStringList items = expected(sql, number);
        ASSERT_EQ(items.size(), itemCount(QStringLiteral("NRCOLEPRECO = ?"), {number}));
        EXPECT_EQ(rowsOf(load("GetProdForn", number)), items);
    }

    const host::Packet packet = load("GetProdForn", quotations.first());
    expectColumns(packet, {{"CDFILIAL", 4, nullptr, false},
                           {"NRCOLEPRECO", 10, nullptr, false},
                           {"CDREGIAO", 3, nullptr, false},
                           {"CDFORNECED", 21, nullptr, false},
                           {"CDPRODUTO", 10, "Produto", true},
                           {"NMPRODUTO", 50, "Nome do Produto", true},
                           {"CDMARCA", 5, "Marca", true},
                           {"NMMARCA", 20, "Nome da Marca", true},
                           {"VRPRECUNIITM", 0, "Preço Unitário", true},
                           {"VRPRECECOITM", 0, "Preço Econômico", true},
                           {"QTACMPITMCOL", 0, "Quantidade", true},
                           {"VRPERDESITM", 0, "Desconto", true},
                           {"DTINIVALITM", 0, nullptr, false},
                           {"DTFINVALITM", 0, nullptr, false},
                           {"IDITMCOTPREC", 1, " ", false},
                           {"IDTIPFREITM", 1, nullptr, false},
                           {"CDARVPROD", 20, nullptr, true}});
    EXPECT_EQ(field(packet, "CDMARCA").editMask, "99999;0; ");
    EXPECT_EQ(field(packet, "VRPRECUNIITM").displayFormat, "####,##0.00000");
    EXPECT_EQ(field(packet, "VRPRECUNIITM").editFormat, "#0.00000");
    EXPECT_EQ(field(packet, "VRPERDESITM").displayFormat, "#0.00 %");
    EXPECT_EQ(field(packet, "QTACMPITMCOL").displayFormat, "#0.000");
    EXPECT_EQ(field(packet, "DTINIVALITM").type, host::FieldType::Date);
    for (const char* name : {"NMPRODUTO", "NMMARCA", "VRPRECECOITM", "QTACMPITMCOL"})
        EXPECT_TRUE(field(packet, name).readOnly) << name;
    for (const char* name : {"CDPRODUTO", "CDMARCA", "VRPRECUNIITM", "VRPERDESITM"})
        EXPECT_FALSE(field(packet, name).readOnly) << name;
}

TEST_F(AssignmentMethodsTest, ProductSupplierPageFiltersItemsByTheSelectedPair)
{
    const QString number = QStringLiteral("0000000003");
    host::DataSet pairs(QStringLiteral("cdsRegForn"));
    host::DataSet items(QStringLiteral("cdsProdForn"));
    pairs.SetData(load("GetRegForn", number));
    items.SetData(load("GetProdForn", number));
    int shown = 0;
    for (pairs.First(); !pairs.Eof(); pairs.Next()) {
        const QString region = pairs.FieldByName(QStringLiteral("CDREGIAO")).AsString();
        const QString supplier = pairs.FieldByName(QStringLiteral("CDFORNECED")).AsString();
        // The quotation the page compares to decide whether to reload.
        EXPECT_EQ(pairs.FieldByName(QStringLiteral("NRCOLEPRECO")).AsString(), number);
        items.SetFilter("[CDREGIAO]   = '" + region + "'" + " and " + "[CDFORNECED] = " + "'" +
                        supplier + "'");
        items.SetFiltered(true);
        EXPECT_EQ(items.RecordCount(),
                  itemCount(QStringLiteral("NRCOLEPRECO = ? AND CDREGIAO = ? AND CDFORNECED = ?"),
                            {number, region, supplier}));
        EXPECT_GT(items.RecordCount(), 0) << "every pair has items";
        shown += items.RecordCount();
    }
    EXPECT_EQ(shown, itemCount(QStringLiteral("NRCOLEPRECO = ?"), {number}));
}

TEST_F(AssignmentMethodsTest, ProductBrandPairsOfEachQuotation)
{
    const QString sql =
        QStringLiteral("SELECT I.CDPRODUTO, P.CDARVPROD, P.NMPRODUTO, I.CDMARCA, M.NMMARCA "
                       "FROM ITEMCOLE I, PRODUTO P, MARCA M WHERE P.CDPRODUTO = I.CDPRODUTO "
                       "AND M.CDMARCA = I.CDMARCA AND I.CDFILIAL = ? AND I.NRCOLEPRECO = ? "
                       "GROUP BY I.CDPRODUTO, P.CDARVPROD, P.NMPRODUTO, I.CDMARCA, M.NMMARCA");
    for (const QString& number : quotations) {
        SCOPED_TRACE(number.toStdString());
        const QStringList pairs = expected(sql, number);
        ASSERT_FALSE(pairs.isEmpty());
        EXPECT_EQ(rowsOf(load("GetProdMarca", number)), pairs) << "each pair once";
    }

    const host::Packet packet = load("GetProdMarca", quotations.first());
    expectColumns(packet, {{"CDPRODUTO", 10, "Produto", false},
                           {"CDARVPROD", 20, "Produto", true},
                           {"NMPRODUTO", 50, "Nome do Produto", true},
                           {"CDMARCA", 5, "Marca", true},
                           {"NMMARCA", 20, "Nome da Marca", true}});
}

TEST_F(AssignmentMethodsTest, ItemsForTheSupplierProductPage)
{
    const QString sql = QStringLiteral(
        "SELECT I.CDFILIAL, I.NRCOLEPRECO, I.CDPRODUTO, I.CDMARCA, I.CDREGIAO, R.NMREGIAO, "
        "I.CDFORNECED, F.IDTPIJURFORN, F.NRINSJURFORN, F.NMFANTFORN, I.DTINIVALITM, "
        "I.DTFINVALITM, I.VRPRECUNIITM, I.VRPRECECOITM, I.QTACMPITMCOL, I.VRPERDESITM, "
        "I.IDITMCOTPREC, I.IDTIPFREITM FROM ITEMCOLE I, REGIAO R, FORNECEDOR F "
        "WHERE R.CDREGIAO = I.CDREGIAO AND F.CDFORNECED = I.CDFORNECED "
        "AND I.CDFILIAL = ? AND I.NRCOLEPRECO = ?");
    for (const QString& number : quotations) {
        SCOPED_TRACE(number.toStdString());
        const QStringList items = expected(sql, number);
        ASSERT_EQ(items.size(), itemCount(QStringLiteral("NRCOLEPRECO = ?"), {number}));
        EXPECT_EQ(rowsOf(load("GetFornProd", number)), items);
    }

    const host::Packet packet = load("GetFornProd", quotations.first());
    expectColumns(packet, {{"CDFILIAL", 4, nullptr, false},
                           {"NRCOLEPRECO", 10, nullptr, false},
                           {"CDPRODUTO", 10, nullptr, false},
                           {"CDMARCA", 5, nullptr, false},
                           {"CDREGIAO", 3, "Região", true},
                           {"NMREGIAO", 30, "Nome da Região", true},
                           {"CDFORNECED", 21, nullptr, false},
                           {"IDTPIJURFORN", 1, nullptr, false},
                           {"NRINSJURFORN", 20, "Inscrição", true},
                           {"NMFANTFORN", 40, "Fornecedor", true},
                           {"DTINIVALITM", 0, nullptr, false},
                           {"DTFINVALITM", 0, nullptr, false},
                           {"VRPRECUNIITM", 0, "Preço Unitário", true},
                           {"VRPRECECOITM", 0, "Preço Econômico", true},
                           {"QTACMPITMCOL", 0, "Quantidade", true},
                           {"VRPERDESITM", 0, "Desconto", true},
                           {"IDITMCOTPREC", 1, " ", false},
                           {"IDTIPFREITM", 1, nullptr, false}});
    EXPECT_EQ(field(packet, "CDREGIAO").editMask, "999;0; ");
    EXPECT_EQ(field(packet, "VRPRECECOITM").displayFormat, "####,##0.00000");
    EXPECT_EQ(field(packet, "VRPRECECOITM").editFormat, "#0.00000");
    for (const char* name : {"NMREGIAO", "NMFANTFORN", "VRPRECECOITM", "QTACMPITMCOL"})
        EXPECT_TRUE(field(packet, name).readOnly) << name;
}

TEST_F(AssignmentMethodsTest, SupplierProductPageFiltersItemsByTheSelectedPair)
{
    const QString number = QStringLiteral("0000000003");
    host::DataSet pairs(QStringLiteral("cdsProdMarca"));
    host::DataSet items(QStringLiteral("cdsFornProd"));
    pairs.SetData(load("GetProdMarca", number));
    items.SetData(load("GetFornProd", number));
    int shown = 0;
    for (pairs.First(); !pairs.Eof(); pairs.Next()) {
        const QString product = pairs.FieldByName(QStringLiteral("CDPRODUTO")).AsString();
        const QString brand = pairs.FieldByName(QStringLiteral("CDMARCA")).AsString();
        items.SetFilter("[CDPRODUTO] = '" + product + "'" + " and " + "[CDMARCA]   = " + "'" +
                        brand + "'");
        items.SetFiltered(true);
        EXPECT_EQ(items.RecordCount(),
                  itemCount(QStringLiteral("NRCOLEPRECO = ? AND CDPRODUTO = ? AND CDMARCA = ?"),
                            {number, product, brand}));
        EXPECT_GT(items.RecordCount(), 0) << "every pair has items";
        shown += items.RecordCount();
    }
    EXPECT_EQ(shown, itemCount(QStringLiteral("NRCOLEPRECO = ?"), {number}));
    // The quotation the page compares to decide whether to reload.
    items.SetFiltered(false);
    for (items.First(); !items.Eof(); items.Next())
        ASSERT_EQ(items.FieldByName(QStringLiteral("NRCOLEPRECO")).AsString(), number);
}

TEST_F(AssignmentMethodsTest, UnknownQuotationGivesEmptyPacketsWithTheirColumns)
{
    for (const char* method : {"GetRegForn", "GetProdForn", "GetProdMarca", "GetFornProd"}) {
        SCOPED_TRACE(method);
        const QStringList columns = namesOf(load(method, QStringLiteral("0000000003")));
        for (const QString& number :
             {QStringLiteral("0000000099"), QStringLiteral("' OR '1'='1"), QString()}) {
            const host::Packet packet = load(method, number);
            EXPECT_EQ(packet.rowCount(), 0) << number.toStdString();
            EXPECT_EQ(namesOf(packet), columns);
        }
        // Another centre's branch, or none, is refused.
        for (const QString& branch : {QStringLiteral("0005"), QString()})
            EXPECT_EQ(call(rpctest::kPlan, QString::fromLatin1(method),
                           {branch, QStringLiteral("0000000003")}, token),
                      QVariant(QStringLiteral("A filial informada não é a central de compras do "
                                              "operador conectado (0001): a operação não é "
                                              "permitida.")));
        // A number typed without its leading zeros is the stored one.
        EXPECT_EQ(rowsOf(load(method, QStringLiteral("3"))),
                  rowsOf(load(method, QStringLiteral("0000000003"))));
    }
}

} // namespace
