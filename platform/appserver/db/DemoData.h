#pragma once

// The demo purchasing centre, as plain tables. Codes are written here the way the
// database stores them; suppliers are numbered and products named by tree code, and
// DemoModel turns those into stored codes. Dates depend on a reference day (see Validity
// and the day/week offsets), everything else is fixed.

#include <span>

namespace appserver::db::demo {

// Where a validity date of the demo lies, relative to the reference day.
enum class Validity
{
    None,        // no date
    Valid,       // 31 December of the year after the reference day
    Lapsed,      // 30 June of the year before the reference day
    StartOfMonth // first day of the reference day's month
};

struct BranchRow
{
    const char* code;
    const char* name;
    const char* centre; // purchasing centre; nullptr: its own centre
};

struct OperatorRow
{
    const char* code; // exactly 12 characters, so the stored code is the typed one
    const char* name;
    const char* branch;
    bool buyer;
};

struct ManagementRow
{
    const char* manager;
    const char* buyer;
};

struct RegionRow
{
    const char* code;
    const char* name;
    const char* branch; // regional branch
};

struct QualificationRow
{
    const char* code;
    const char* name;
    const char* quoteRule; // IDPERCOTCMP
};

struct ParametersRow
{
    const char* branch;
    const char* purchaseProductsOnly; // IDUTLPROCMP
    const char* qualificationRule;    // IDULTIDTVALQ
    const char* brandRule;            // IDMARSEMQUA
    const char* filterSize;           // IDVISCOTPLA
    const char* oneBuyerPerProduct;   // IDUMPRODCMP
    const char* defaultBrand;         // CDMARCA
    const char* productsWithoutBrand; // IDPROSEMMAR
};

struct SupplierRow
{
    int number;
    const char* personType; // J, F, I, O
    const char* document;   // J: 12 base digits; F: 9 base digits; I, O: the whole number
    const char* legalName;
    const char* tradeName;
    const char* kind;   // "N" normal, "A" alternative
    const char* status; // "A" active, "I" inactive
    const char* qualification;
    Validity qualificationValidity;
    const char* automatic;
    const char* paymentForm; // 001 bank slip, 002 bank deposit, 003 cheque
    const char* paymentType; // "V" cash, "P" instalments
    int instalments;
    int fixedDay;
    const char* usesFixedDay;
    const char* discountType; // "C" discount on every item
    double discount;
    const char* freight;  // "C" CIF, "F" FOB
    const char* supplies; // tree codes, blank separated
};

struct RestrictionRow
{
    int supplier;
    const char* region;
    const char* deliveryPeriod; // nullptr: the region is not served at all
};

struct ProductRow
{
    const char* tree; // 2 digits group, 4 subgroup, 7 product
    const char* name;
    const char* unit;
    const char* active;    // "S", "N" or nullptr (active)
    const char* stockTree; // purchase product: its stock product; nullptr: itself
    double price;          // typical unit price, R$
    const char* brands;    // brand codes, blank separated, preferred first
};

struct BrandRow
{
    const char* code;
    const char* name;
};

struct BrandQualificationRow
{
    const char* tree;
    const char* brand;
    const char* approved;
    const char* authorised;
    Validity validity;
};

struct SupplierQualificationRow
{
    const char* tree;
    int supplier;
    const char* approved;
    const char* authorised;
    Validity validity;
};

struct AssignmentRow
{
    const char* buyer;
    const char* tree;
};

struct BranchProductRow
{
    const char* branch;
    const char* tree;
    const char* negotiated;
};

struct RequestRow
{
    const char* branch;
    const char* number;
    const char* tree;
    const char* region;
    int dayOffset; // from the Monday of the reference week
    double quantity;
    const char* note;
    const char* status; // "A" open, "F" closed
};

// A quotation of the demo and how its items are generated.
struct QuotationPlan
{
    const char* number;
    const char* buyer;
    int collectionDayOffset;    // from the Monday of the reference week, never after it
    int firstWeekOffset;        // validity starts this many weeks after the reference week
    int weeks;                  // validity length in weeks
    const char* collectionType; // IDTIPCOLREG; nullptr: empty
    const char* priceList;      // IDDISMONTLIS
    const char* regions;        // blank separated
    const char* suppliers;      // supplier numbers, blank separated
    const char* products;       // tree codes, blank separated
    int brandsPerProduct;       // at most this many qualified brands of each product
    double unpricedShare;       // share of items left at price 0
    double observationShare;    // share of priced items with an observation
    bool paymentTermsAndTaxes;  // items carry PZOPGTITMCOL and IMPCOLET rows
    bool quantitiesToBuy;       // quantities loaded from the open purchase requests
};

std::span<const BranchRow> branches();
std::span<const OperatorRow> operators();
std::span<const ManagementRow> managements();
std::span<const RegionRow> regions();
std::span<const QualificationRow> qualifications();
std::span<const ParametersRow> parameters();
const char* generalParametersBranch();
const char* generalParametersDosFlag();

std::span<const SupplierRow> suppliers();
std::span<const RestrictionRow> restrictions();
std::span<const SupplierQualificationRow> supplierQualifications();

std::span<const ProductRow> products();
std::span<const BrandRow> brands();
std::span<const BrandQualificationRow> brandQualifications();
std::span<const AssignmentRow> assignments();
std::span<const BranchProductRow> branchProducts();
std::span<const RequestRow> requests();

std::span<const QuotationPlan> quotationPlans();
std::span<const char* const> itemObservations();

// Password of every demo operator.
inline constexpr const char* kDemoPassword = "demo";
// Purchasing centre the demo quotations belong to.
inline constexpr const char* kDemoCentre = "0001";

} // namespace appserver::db::demo
