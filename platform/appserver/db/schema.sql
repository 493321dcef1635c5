-- Shared database of the purchasing module: quotations (price collections), their items
-- and the registers they are checked against.
--
-- Conventions
--   * Codes are fixed-width text and are stored at their full width, as the screens
--     normalise them before comparing: branch 4, quotation number 10, region 3,
--     supplier 21, product 10, product tree code 20 (digits only, shown through the
--     product picture), brand 5, operator 12. All-digit codes are left-padded with '0'.
--   * Dates are ISO text 'YYYY-MM-DD', date-times 'YYYY-MM-DDThh:mm:ss', so that text
--     comparison is date order and LAST_DAY(d) can read them.
--   * Flags are one letter: 'S' yes, 'N' no, unless a column says otherwise.
--   * Money, quantities and percentages are FLOAT (double precision).
--   * Every statement ends with ';' at the end of a line and comments sit on their own
--     lines: the loader splits the script there.
--
-- The script is idempotent: it only creates what is missing.

-- Version of this schema; migrations add one row per step.
CREATE TABLE IF NOT EXISTS VERSAOBD (
    NRVERSAOBD INTEGER NOT NULL,
    DSVERSAOBD VARCHAR(60) NOT NULL,
    PRIMARY KEY (NRVERSAOBD)
);

INSERT INTO VERSAOBD (NRVERSAOBD, DSVERSAOBD)
SELECT 1, 'Cotação de preços: esquema inicial'
WHERE NOT EXISTS (SELECT 1 FROM VERSAOBD WHERE NRVERSAOBD = 1);

INSERT INTO VERSAOBD (NRVERSAOBD, DSVERSAOBD)
SELECT 2, 'Respostas das gravações já aplicadas'
WHERE NOT EXISTS (SELECT 1 FROM VERSAOBD WHERE NRVERSAOBD = 2);

INSERT INTO VERSAOBD (NRVERSAOBD, DSVERSAOBD)
SELECT 3, 'Cotações não duplicadas'
WHERE NOT EXISTS (SELECT 1 FROM VERSAOBD WHERE NRVERSAOBD = 3);

INSERT INTO VERSAOBD (NRVERSAOBD, DSVERSAOBD)
SELECT 4, 'Sessões e tentativas de entrada no banco'
WHERE NOT EXISTS (SELECT 1 FROM VERSAOBD WHERE NRVERSAOBD = 4);

INSERT INTO VERSAOBD (NRVERSAOBD, DSVERSAOBD)
SELECT 5, 'Versões dos itens das cotações'
WHERE NOT EXISTS (SELECT 1 FROM VERSAOBD WHERE NRVERSAOBD = 5);

-- [postgresql]
-- The functions the query texts use, which SQLite connections get from the program:
-- NVLSTR(a, b) is b where a is NULL or blank; LAST_DAY(d) the last day of the month of an
-- ISO date (or date-time) text; INSTR(a, b) the position of b in a, from 1, 0 when absent;
-- GROUP_CONCAT(text, separator) the texts of a group joined; ROUND(x, places) below.
CREATE OR REPLACE FUNCTION NVLSTR(a TEXT, b TEXT) RETURNS TEXT
LANGUAGE sql IMMUTABLE AS $$
SELECT CASE WHEN a IS NULL OR BTRIM(a, ' ') = '' THEN b ELSE a END
$$;

CREATE OR REPLACE FUNCTION LAST_DAY(d TEXT) RETURNS TEXT
LANGUAGE sql IMMUTABLE AS $$
SELECT CASE WHEN d ~ '^[0-9]{4}-[0-9]{2}-[0-9]{2}'
    THEN TO_CHAR(DATE_TRUNC('month', SUBSTR(d, 1, 10)::DATE) + INTERVAL '1 month - 1 day',
                 'YYYY-MM-DD') END
$$;

CREATE OR REPLACE FUNCTION INSTR(a TEXT, b TEXT) RETURNS INTEGER
LANGUAGE sql IMMUTABLE AS $$
SELECT STRPOS(a, b)
$$;

-- ROUND(x, places) of a FLOAT column, which PostgreSQL rounds only as NUMERIC.
CREATE OR REPLACE FUNCTION ROUND(x DOUBLE PRECISION, places INTEGER) RETURNS DOUBLE PRECISION
LANGUAGE sql IMMUTABLE AS $$
SELECT ROUND(x::NUMERIC, places)::DOUBLE PRECISION
$$;

CREATE OR REPLACE FUNCTION GROUP_CONCAT_STEP(acc TEXT, value TEXT, separator TEXT) RETURNS TEXT
LANGUAGE sql IMMUTABLE AS $$
SELECT CASE WHEN value IS NULL THEN acc WHEN acc IS NULL THEN value
            ELSE acc || separator || value END
$$;

CREATE OR REPLACE AGGREGATE GROUP_CONCAT(TEXT, TEXT) (
    SFUNC = GROUP_CONCAT_STEP,
    STYPE = TEXT
);
-- [all]

-- ---------------------------------------------------------------------------------------
-- Organisation: branches, operators, buyers and their managers, regions
-- ---------------------------------------------------------------------------------------

-- Branches. CDFILCENTCMP is the purchasing centre that buys for the branch; a branch
-- without one is its own centre.
CREATE TABLE IF NOT EXISTS FILIAL (
    CDFILIAL VARCHAR(4) NOT NULL,
    NMFILIAL VARCHAR(30) NOT NULL,
    CDFILCENTCMP VARCHAR(4),
    PRIMARY KEY (CDFILIAL)
);

CREATE INDEX IF NOT EXISTS FILIAL_CENTCMP ON FILIAL (CDFILCENTCMP);

-- System operators. CDFILIAL is the operator's home branch. The password is kept as a
-- PBKDF2-HMAC-SHA256 derived key (DSSENHAHASH, lower-case hex) of the UTF-8 password
-- with a random salt (DSSENHASALT, hex) and NRSENHAITER iterations; never in clear.
CREATE TABLE IF NOT EXISTS OPERADOR (
    CDOPERADOR VARCHAR(12) NOT NULL,
    NMOPERADOR VARCHAR(40) NOT NULL,
    CDFILIAL VARCHAR(4),
    DSSENHAHASH VARCHAR(128),
    DSSENHASALT VARCHAR(64),
    NRSENHAITER INTEGER,
    PRIMARY KEY (CDOPERADOR)
);

-- Operators who are buyers.
CREATE TABLE IF NOT EXISTS COMPRADOR (
    CDOPERADOR VARCHAR(12) NOT NULL,
    PRIMARY KEY (CDOPERADOR)
);

-- Purchasing managers (CDOPERGERE) and the buyers they manage (CDOPERCOMP).
CREATE TABLE IF NOT EXISTS GERECOMP (
    CDOPERGERE VARCHAR(12) NOT NULL,
    CDOPERCOMP VARCHAR(12) NOT NULL,
    PRIMARY KEY (CDOPERGERE, CDOPERCOMP)
);

CREATE INDEX IF NOT EXISTS GERECOMP_COMP ON GERECOMP (CDOPERCOMP);

-- Delivery regions. CDFILIAL is the regional branch that buys for the region.
CREATE TABLE IF NOT EXISTS REGIAO (
    CDREGIAO VARCHAR(3) NOT NULL,
    NMREGIAO VARCHAR(30) NOT NULL,
    CDFILIAL VARCHAR(4),
    PRIMARY KEY (CDREGIAO)
);

-- ---------------------------------------------------------------------------------------
-- Suppliers
-- ---------------------------------------------------------------------------------------

-- Supplier qualification classes. IDPERCOTCMP: '1' the supplier may quote; '2' only
-- when the supplier is automatic (FORNECEDOR.IDFORNAUTO = 'S').
CREATE TABLE IF NOT EXISTS QUALIFICACAO (
    CDQUALIF VARCHAR(2) NOT NULL,
    NMQUALIF VARCHAR(40),
    IDPERCOTCMP VARCHAR(1) NOT NULL,
    PRIMARY KEY (CDQUALIF)
);

-- Suppliers.
--   IDTPIJURFORN  person type: 'J' company (CNPJ), 'F' person (CPF), 'I' registration
--                 number, 'O' other; NRINSJURFORN holds the document digits only.
--   IDTIPOFORN    'A' alternative supplier, anything else normal.
--   IDSITUCADA    'A' active, 'I' inactive.
--   CDQUALIF      qualification class (null: not subject to qualification), valid up to
--                 DTVALQUALIF (to the day or to the end of its month, per PARASUPRI).
--   IDFORNAUTO    'S' automatic supplier.
--   Payment terms: CDFORMPGTO payment form, IDTPFORPGTFO 'V' cash or 'P' instalments,
--                 NRPARCPGTOFO number of instalments, NRDIAPGFIXFO fixed day of the
--                 month, IDUTDIAPGTFO 'S' when that fixed day is used.
--   IDTPDESCFORN  'C' the supplier grants VRPEDESCFORN percent on every quoted item.
--   IDTPFRETFORN  freight: 'C' CIF (paid by the supplier), 'F' FOB (paid by the buyer).
CREATE TABLE IF NOT EXISTS FORNECEDOR (
    CDFORNECED VARCHAR(21) NOT NULL,
    IDTPIJURFORN VARCHAR(1) NOT NULL,
    NRINSJURFORN VARCHAR(20) NOT NULL,
    NMRAZSOCFORN VARCHAR(40) NOT NULL,
    NMFANTFORN VARCHAR(40),
    IDTIPOFORN VARCHAR(1),
    IDSITUCADA VARCHAR(1) NOT NULL,
    CDQUALIF VARCHAR(2),
    DTVALQUALIF VARCHAR(10),
    IDFORNAUTO VARCHAR(1),
    CDFORMPGTO VARCHAR(3),
    IDTPFORPGTFO VARCHAR(1),
    NRPARCPGTOFO INTEGER,
    NRDIAPGFIXFO INTEGER,
    IDUTDIAPGTFO VARCHAR(1),
    IDTPDESCFORN VARCHAR(1),
    VRPEDESCFORN FLOAT,
    IDTPFRETFORN VARCHAR(1),
    PRIMARY KEY (CDFORNECED)
);

CREATE INDEX IF NOT EXISTS FORNECEDOR_INSJUR ON FORNECEDOR (NRINSJURFORN);

CREATE INDEX IF NOT EXISTS FORNECEDOR_QUALIF ON FORNECEDOR (CDQUALIF);

-- Restrictions of suppliers by region. A row without delivery period (CDPERIENTR null)
-- means the supplier does not serve the region at all; a row with a period restricts
-- only deliveries in that period. A supplier serves every region it has no row for.
CREATE TABLE IF NOT EXISTS REFOREG (
    CDFORNECED VARCHAR(21) NOT NULL,
    CDREGIAO VARCHAR(3) NOT NULL,
    CDPERIENTR VARCHAR(3)
);

CREATE INDEX IF NOT EXISTS REFOREG_FORNREG ON REFOREG (CDFORNECED, CDREGIAO);

-- ---------------------------------------------------------------------------------------
-- Products and brands
-- ---------------------------------------------------------------------------------------

-- Product tree. Groups and products are rows alike: CDNVPRODUTO is the level (1 group,
-- 2 subgroup, 3 product) and CDARVPROD the tree code, each level extending its parent's
-- code. Products carry their stock product CDPRODESTO (itself for a stock product, another
-- product for a purchase product; null for groups). IDPRODATIVPR 'N' inactive, null or
-- 'S' active. CDUNIDMED is the unit of measure shown beside a quoted price.
CREATE TABLE IF NOT EXISTS PRODUTO (
    CDPRODUTO VARCHAR(10) NOT NULL,
    CDARVPROD VARCHAR(20) NOT NULL,
    NMPRODUTO VARCHAR(50) NOT NULL,
    CDNVPRODUTO INTEGER NOT NULL,
    CDPRODESTO VARCHAR(10),
    IDPRODATIVPR VARCHAR(1),
    CDUNIDMED VARCHAR(3),
    PRIMARY KEY (CDPRODUTO)
);

CREATE UNIQUE INDEX IF NOT EXISTS PRODUTO_ARVPROD ON PRODUTO (CDARVPROD);

-- Brands.
CREATE TABLE IF NOT EXISTS MARCA (
    CDMARCA VARCHAR(5) NOT NULL,
    NMMARCA VARCHAR(20) NOT NULL,
    PRIMARY KEY (CDMARCA)
);

-- Brands registered for a product (or for every product under a tree node).
CREATE TABLE IF NOT EXISTS MARCPROD (
    CDPRODUTO VARCHAR(10) NOT NULL,
    CDMARCA VARCHAR(5) NOT NULL,
    PRIMARY KEY (CDPRODUTO, CDMARCA)
);

CREATE INDEX IF NOT EXISTS MARCPROD_MARCA ON MARCPROD (CDMARCA);

-- Qualification of a brand for a product: approved (IDAPRMARPRO) up to DTVALAPROVA, or
-- authorised (IDAUTMARPRO) without date. Neither approved nor authorised means refused.
CREATE TABLE IF NOT EXISTS QFOMARPROD (
    CDPRODUTO VARCHAR(10) NOT NULL,
    CDMARCA VARCHAR(5) NOT NULL,
    IDAPRMARPRO VARCHAR(1) NOT NULL,
    IDAUTMARPRO VARCHAR(1) NOT NULL,
    DTVALAPROVA VARCHAR(10),
    PRIMARY KEY (CDPRODUTO, CDMARCA)
);

-- Qualification of a supplier for a product, same rules as QFOMARPROD: approved
-- (IDFORNAPROV) up to DTVALPRFORN, or authorised (IDFORNAUTOR). No row: qualified.
CREATE TABLE IF NOT EXISTS QFOPRODFORN (
    CDPRODUTO VARCHAR(10) NOT NULL,
    CDFORNECED VARCHAR(21) NOT NULL,
    IDFORNAPROV VARCHAR(1) NOT NULL,
    IDFORNAUTOR VARCHAR(1) NOT NULL,
    DTVALPRFORN VARCHAR(10),
    PRIMARY KEY (CDPRODUTO, CDFORNECED)
);

-- Products (or tree nodes) a buyer negotiates.
CREATE TABLE IF NOT EXISTS PRODCOMP (
    CDOPERADOR VARCHAR(12) NOT NULL,
    CDPRODUTO VARCHAR(10) NOT NULL,
    PRIMARY KEY (CDOPERADOR, CDPRODUTO)
);

CREATE INDEX IF NOT EXISTS PRODCOMP_PRODUTO ON PRODCOMP (CDPRODUTO);

-- Products (or tree nodes) a supplier supplies.
CREATE TABLE IF NOT EXISTS PRODFORN (
    CDFORNECED VARCHAR(21) NOT NULL,
    CDPRODUTO VARCHAR(10) NOT NULL,
    PRIMARY KEY (CDFORNECED, CDPRODUTO)
);

CREATE INDEX IF NOT EXISTS PRODFORN_PRODUTO ON PRODFORN (CDPRODUTO);

-- Products a branch does not negotiate: IDNEGPRODFI = 'N' for the product, or for every
-- product under the tree node named. Products without a row are negotiated. Checked for
-- the purchasing centre (corporate branch) and for the region's branch (regional branch).
CREATE TABLE IF NOT EXISTS PRODFILI (
    CDFILIAL VARCHAR(4) NOT NULL,
    CDPRODUTO VARCHAR(10) NOT NULL,
    IDNEGPRODFI VARCHAR(1) NOT NULL,
    PRIMARY KEY (CDFILIAL, CDPRODUTO)
);

-- ---------------------------------------------------------------------------------------
-- Parameters
-- ---------------------------------------------------------------------------------------

-- Purchasing parameters of a purchasing centre.
--   IDUTLPROCMP   'S' only purchase products (CDPRODUTO <> CDPRODESTO) are quoted.
--   IDULTIDTVALQ  qualification validity: 'D' up to the day, 'M' to the end of its month.
--   IDMARSEMQUA   brand qualification rule for pairs without a QFOMARPROD row.
--   IDVISCOTPLA   'N' shows the short quotation filter.
--   IDUMPRODCMP   'S' each product is negotiated by one buyer.
--   CDMARCA       default brand of a new item.
--   IDPROSEMMAR   'S' products may be quoted without a registered brand.
CREATE TABLE IF NOT EXISTS PARASUPRI (
    CDFILIAL VARCHAR(4) NOT NULL,
    IDUTLPROCMP VARCHAR(1) NOT NULL,
    IDULTIDTVALQ VARCHAR(1) NOT NULL,
    IDMARSEMQUA VARCHAR(1) NOT NULL,
    IDVISCOTPLA VARCHAR(1) NOT NULL,
    IDUMPRODCMP VARCHAR(1) NOT NULL,
    CDMARCA VARCHAR(5),
    IDPROSEMMAR VARCHAR(1) NOT NULL,
    PRIMARY KEY (CDFILIAL)
);

-- General parameters of the installation: one row. IDSISDOS '3' forces a buyer list
-- when quotations of a validity period are duplicated.
CREATE TABLE IF NOT EXISTS PARAMGERAL (
    CDFILIAL VARCHAR(4) NOT NULL,
    IDSISDOS VARCHAR(1),
    PRIMARY KEY (CDFILIAL)
);

-- ---------------------------------------------------------------------------------------
-- Purchase requests: the quantities to buy and the request notes a quotation loads
-- ---------------------------------------------------------------------------------------

-- One requested product per row. CDFILIAL is the requesting branch, CDREGIAO the region
-- it is delivered to. IDSITUSOLIC 'A' open (still to buy), 'F' closed.
CREATE TABLE IF NOT EXISTS SOLICOMP (
    CDFILIAL VARCHAR(4) NOT NULL,
    NRSOLICOMP VARCHAR(10) NOT NULL,
    CDPRODUTO VARCHAR(10) NOT NULL,
    CDREGIAO VARCHAR(3) NOT NULL,
    DTSOLICOMP VARCHAR(10) NOT NULL,
    QTSOLICOMP FLOAT NOT NULL,
    DSOBSSOLIC VARCHAR(1000),
    IDSITUSOLIC VARCHAR(1) NOT NULL,
    PRIMARY KEY (CDFILIAL, NRSOLICOMP, CDPRODUTO)
);

CREATE INDEX IF NOT EXISTS SOLICOMP_PRODREG ON SOLICOMP (CDPRODUTO, CDREGIAO);

-- ---------------------------------------------------------------------------------------
-- Quotations
-- ---------------------------------------------------------------------------------------

-- Quotation (price collection) of a purchasing centre.
--   NRSEMAINIC, NRSEMAFINAL  first and last ISO week of the validity, two digits.
--   CDOPERADOR    the buyer.
--   IDTIPCOLREG   how prices are collected: 'E' e-mail, 'W' web, 'L' or empty not yet
--                 sent; 'G' once the buyer priced on the worksheet.
--   IDDISMONTLIS  'S' offered to the price-list assembly.
CREATE TABLE IF NOT EXISTS COLETAPR (
    CDFILIAL VARCHAR(4) NOT NULL,
    NRCOLEPRECO VARCHAR(10) NOT NULL,
    DTCOLEPREC VARCHAR(10) NOT NULL,
    NRSEMAINIC VARCHAR(2),
    NRSEMAFINAL VARCHAR(2),
    DTINIVALCOL VARCHAR(10),
    DTFINVALCOL VARCHAR(10),
    CDOPERADOR VARCHAR(12) NOT NULL,
    IDTIPCOLREG VARCHAR(1),
    IDDISMONTLIS VARCHAR(1),
    PRIMARY KEY (CDFILIAL, NRCOLEPRECO)
);

CREATE INDEX IF NOT EXISTS COLETAPR_VALIDADE ON COLETAPR (CDFILIAL, DTINIVALCOL, DTFINVALCOL);

CREATE INDEX IF NOT EXISTS COLETAPR_OPERADOR ON COLETAPR (CDOPERADOR);

-- Quotation items: one price per region, supplier, product and brand.
--   VRPRECUNIITM    unit price quoted (0: not quoted yet).
--   VRPRECECOITM    economic price: the unit price net of discount and freight.
--   VRPRECECOPIITM  economic price PI shown beside it on the worksheet; may be negative.
--   QTACMPITMCOL    quantity to buy.
--   VRPERDESITM     discount, percent.
--   DTINIVALITM, DTFINVALITM  validity of the price.
--   IDITMCOTPREC    'S' the buyer changed the item on an assignment page, 'N' otherwise.
--   IDTIPFREITM     freight type ('C' CIF, 'F' FOB), from the supplier.
--   DSOBSITMCOL     observation of the supplier's quotation.
CREATE TABLE IF NOT EXISTS ITEMCOLE (
    CDFILIAL VARCHAR(4) NOT NULL,
    NRCOLEPRECO VARCHAR(10) NOT NULL,
    CDREGIAO VARCHAR(3) NOT NULL,
    CDFORNECED VARCHAR(21) NOT NULL,
    CDPRODUTO VARCHAR(10) NOT NULL,
    CDMARCA VARCHAR(5) NOT NULL,
    VRPRECUNIITM FLOAT,
    VRPRECECOITM FLOAT,
    VRPRECECOPIITM FLOAT,
    QTACMPITMCOL FLOAT,
    VRPERDESITM FLOAT,
    DTINIVALITM VARCHAR(10),
    DTFINVALITM VARCHAR(10),
    IDITMCOTPREC VARCHAR(1),
    IDTIPFREITM VARCHAR(1),
    DSOBSITMCOL VARCHAR(1000),
    PRIMARY KEY (CDFILIAL, NRCOLEPRECO, CDREGIAO, CDFORNECED, CDPRODUTO, CDMARCA),
    FOREIGN KEY (CDFILIAL, NRCOLEPRECO) REFERENCES COLETAPR (CDFILIAL, NRCOLEPRECO)
        ON DELETE CASCADE
);

-- Price history of one product and brand across quotations.
CREATE INDEX IF NOT EXISTS ITEMCOLE_HISTORICO ON ITEMCOLE (CDPRODUTO, CDMARCA, CDREGIAO, CDFORNECED);

-- Quotations a supplier took part in.
CREATE INDEX IF NOT EXISTS ITEMCOLE_FORNECED ON ITEMCOLE (CDFORNECED);

-- Payment terms of an item: one row per instalment, NRDIAPGTO days after delivery,
-- VRPERCPARC percent of the value, paid with CDFORMPGTO.
CREATE TABLE IF NOT EXISTS PZOPGTITMCOL (
    CDFILIAL VARCHAR(4) NOT NULL,
    NRCOLEPRECO VARCHAR(10) NOT NULL,
    CDREGIAO VARCHAR(3) NOT NULL,
    CDFORNECED VARCHAR(21) NOT NULL,
    CDPRODUTO VARCHAR(10) NOT NULL,
    CDMARCA VARCHAR(5) NOT NULL,
    NRPARCPGTO INTEGER NOT NULL,
    NRDIAPGTO INTEGER NOT NULL,
    VRPERCPARC FLOAT NOT NULL,
    CDFORMPGTO VARCHAR(3),
    PRIMARY KEY (CDFILIAL, NRCOLEPRECO, CDREGIAO, CDFORNECED, CDPRODUTO, CDMARCA, NRPARCPGTO),
    FOREIGN KEY (CDFILIAL, NRCOLEPRECO, CDREGIAO, CDFORNECED, CDPRODUTO, CDMARCA)
        REFERENCES ITEMCOLE (CDFILIAL, NRCOLEPRECO, CDREGIAO, CDFORNECED, CDPRODUTO, CDMARCA)
        ON DELETE CASCADE ON UPDATE CASCADE
);

-- Taxes of an item: rate VRALIQIMPOS (percent) of tax CDIMPOSTO ('ICMS', 'IPI', ...).
CREATE TABLE IF NOT EXISTS IMPCOLET (
    CDFILIAL VARCHAR(4) NOT NULL,
    NRCOLEPRECO VARCHAR(10) NOT NULL,
    CDREGIAO VARCHAR(3) NOT NULL,
    CDFORNECED VARCHAR(21) NOT NULL,
    CDPRODUTO VARCHAR(10) NOT NULL,
    CDMARCA VARCHAR(5) NOT NULL,
    CDIMPOSTO VARCHAR(6) NOT NULL,
    VRALIQIMPOS FLOAT NOT NULL,
    PRIMARY KEY (CDFILIAL, NRCOLEPRECO, CDREGIAO, CDFORNECED, CDPRODUTO, CDMARCA, CDIMPOSTO),
    FOREIGN KEY (CDFILIAL, NRCOLEPRECO, CDREGIAO, CDFORNECED, CDPRODUTO, CDMARCA)
        REFERENCES ITEMCOLE (CDFILIAL, NRCOLEPRECO, CDREGIAO, CDFORNECED, CDPRODUTO, CDMARCA)
        ON DELETE CASCADE ON UPDATE CASCADE
);

-- Quotations a duplication did not copy, for the report the buyer prints afterwards.
-- NRCOTNDUP numbers the rows of a centre one after the other (zero-padded, 10), so the rows
-- of one duplication form one range. NRCOLEPRECO, CDOPERADOR (its buyer), DTINIVALCOL and
-- DTFINVALCOL describe the quotation left out, DSMOTIVO says why; NRSEMAINIC and
-- NRSEMAFINAL are the new weeks asked, DTREGISTRO the local moment of the duplication
-- ('YYYY-MM-DDThh:mm:ss') and CDOPERREG the operator who asked for it.
CREATE TABLE IF NOT EXISTS COTNDUPLIC (
    CDFILIAL VARCHAR(4) NOT NULL,
    NRCOTNDUP VARCHAR(10) NOT NULL,
    NRCOLEPRECO VARCHAR(10) NOT NULL,
    CDOPERADOR VARCHAR(12),
    DTINIVALCOL VARCHAR(10),
    DTFINVALCOL VARCHAR(10),
    DSMOTIVO VARCHAR(200) NOT NULL,
    NRSEMAINIC VARCHAR(2),
    NRSEMAFINAL VARCHAR(2),
    DTREGISTRO VARCHAR(19),
    CDOPERREG VARCHAR(12),
    PRIMARY KEY (CDFILIAL, NRCOTNDUP)
);

-- ---------------------------------------------------------------------------------------
-- Application server
-- ---------------------------------------------------------------------------------------

-- Answers of the writing calls already applied, by the request id the client keeps across
-- the retries of one call (a save whose answer was lost on the way): a retry is answered
-- from here and not applied again. The row is written in the transaction of the call's
-- own work. DSRESPOSTA is the answer as encoded on the wire; DTREGISTRO the UTC moment,
-- 'YYYY-MM-DDThh:mm:ss'. Rows older than a day are removed.
CREATE TABLE IF NOT EXISTS REQGRAVACAO (
    CDOPERADOR VARCHAR(12) NOT NULL,
    IDREQUISICAO VARCHAR(64) NOT NULL,
    NMMETODO VARCHAR(60) NOT NULL,
    DSRESPOSTA TEXT NOT NULL,
    DTREGISTRO VARCHAR(19) NOT NULL,
    PRIMARY KEY (CDOPERADOR, IDREQUISICAO)
);

CREATE INDEX IF NOT EXISTS REQGRAVACAO_REGISTRO ON REQGRAVACAO (DTREGISTRO);

-- Sessions of the logged-in operators, shared by every application server of the site so
-- that a call may reach any of them and a server may restart without logging anyone out.
-- DSTOKENHASH is the SHA-256 (lower-case hex) of the token the client holds: the token
-- itself is never stored. CDFILIAL is the branch logged in at, CDFILCENTCMP its purchasing
-- centre. DTULTUSO is the last use and DTEXPIRA the moment the session ends unless used
-- again (last use plus the idle time), both UTC 'YYYY-MM-DDThh:mm:ss'.
CREATE TABLE IF NOT EXISTS SESSAOAPP (
    DSTOKENHASH VARCHAR(64) NOT NULL,
    CDOPERADOR VARCHAR(12) NOT NULL,
    NMOPERADOR VARCHAR(40),
    CDFILIAL VARCHAR(4) NOT NULL,
    CDFILCENTCMP VARCHAR(4) NOT NULL,
    DTULTUSO VARCHAR(19) NOT NULL,
    DTEXPIRA VARCHAR(19) NOT NULL,
    PRIMARY KEY (DSTOKENHASH)
);

CREATE INDEX IF NOT EXISTS SESSAOAPP_EXPIRA ON SESSAOAPP (DTEXPIRA);

-- Failed logins of an operator (by the code typed, known or not) within the current
-- window: NRFALHAS failures since DTPRIMFALHA; after a few, the next attempt is refused
-- until DTLIBERA. Shared by the servers, so that going round them gains nothing. UTC
-- 'YYYY-MM-DDThh:mm:ss'; the row goes with the next successful login.
CREATE TABLE IF NOT EXISTS FALHALOGIN (
    CDOPERADOR VARCHAR(12) NOT NULL,
    NRFALHAS INTEGER NOT NULL,
    DTPRIMFALHA VARCHAR(19) NOT NULL,
    DTLIBERA VARCHAR(19),
    PRIMARY KEY (CDOPERADOR)
);

-- Versions of what a worksheet shows, so that a client holding a quotation's items can ask
-- whether they changed instead of reading them again: NRVERSAO is the stamp of the last
-- transaction that wrote the items of one quotation (an insert, a delete or a change of a
-- column the worksheet shows), and of the row ('*', '*') the last that changed a register
-- name the worksheet shows with them. Kept by the database itself, so that no writer can
-- forget it; each transaction writes a quotation's row once, not once per item.
CREATE TABLE IF NOT EXISTS VERSAOCOLETA (
    CDFILIAL VARCHAR(4) NOT NULL,
    NRCOLEPRECO VARCHAR(10) NOT NULL,
    NRVERSAO BIGINT NOT NULL,
    PRIMARY KEY (CDFILIAL, NRCOLEPRECO)
);

-- [sqlite]
CREATE TRIGGER IF NOT EXISTS ITEMCOLE_VERSAO_INCLUSAO AFTER INSERT ON ITEMCOLE
WHEN (SELECT NRVERSAO FROM VERSAOCOLETA WHERE CDFILIAL = NEW.CDFILIAL AND NRCOLEPRECO = NEW.NRCOLEPRECO) IS NOT WRITE_STAMP()
BEGIN INSERT INTO VERSAOCOLETA (CDFILIAL, NRCOLEPRECO, NRVERSAO) VALUES (NEW.CDFILIAL, NEW.NRCOLEPRECO, WRITE_STAMP()) ON CONFLICT (CDFILIAL, NRCOLEPRECO) DO UPDATE SET NRVERSAO = excluded.NRVERSAO; END;

CREATE TRIGGER IF NOT EXISTS ITEMCOLE_VERSAO_EXCLUSAO AFTER DELETE ON ITEMCOLE
WHEN (SELECT NRVERSAO FROM VERSAOCOLETA WHERE CDFILIAL = OLD.CDFILIAL AND NRCOLEPRECO = OLD.NRCOLEPRECO) IS NOT WRITE_STAMP()
BEGIN INSERT INTO VERSAOCOLETA (CDFILIAL, NRCOLEPRECO, NRVERSAO) VALUES (OLD.CDFILIAL, OLD.NRCOLEPRECO, WRITE_STAMP()) ON CONFLICT (CDFILIAL, NRCOLEPRECO) DO UPDATE SET NRVERSAO = excluded.NRVERSAO; END;

-- An item's quotation never changes (it is part of its key).
CREATE TRIGGER IF NOT EXISTS ITEMCOLE_VERSAO_ALTERACAO
AFTER UPDATE OF CDREGIAO, CDFORNECED, CDPRODUTO, CDMARCA, VRPRECUNIITM, VRPRECECOITM, VRPRECECOPIITM, QTACMPITMCOL, VRPERDESITM ON ITEMCOLE
WHEN (SELECT NRVERSAO FROM VERSAOCOLETA WHERE CDFILIAL = NEW.CDFILIAL AND NRCOLEPRECO = NEW.NRCOLEPRECO) IS NOT WRITE_STAMP()
BEGIN INSERT INTO VERSAOCOLETA (CDFILIAL, NRCOLEPRECO, NRVERSAO) VALUES (NEW.CDFILIAL, NEW.NRCOLEPRECO, WRITE_STAMP()) ON CONFLICT (CDFILIAL, NRCOLEPRECO) DO UPDATE SET NRVERSAO = excluded.NRVERSAO; END;

CREATE TRIGGER IF NOT EXISTS REGIAO_VERSAO AFTER UPDATE OF NMREGIAO ON REGIAO
WHEN (SELECT NRVERSAO FROM VERSAOCOLETA WHERE CDFILIAL = '*' AND NRCOLEPRECO = '*') IS NOT WRITE_STAMP()
BEGIN INSERT INTO VERSAOCOLETA (CDFILIAL, NRCOLEPRECO, NRVERSAO) VALUES ('*', '*', WRITE_STAMP()) ON CONFLICT (CDFILIAL, NRCOLEPRECO) DO UPDATE SET NRVERSAO = excluded.NRVERSAO; END;

CREATE TRIGGER IF NOT EXISTS FORNECEDOR_VERSAO AFTER UPDATE OF NMFANTFORN ON FORNECEDOR
WHEN (SELECT NRVERSAO FROM VERSAOCOLETA WHERE CDFILIAL = '*' AND NRCOLEPRECO = '*') IS NOT WRITE_STAMP()
BEGIN INSERT INTO VERSAOCOLETA (CDFILIAL, NRCOLEPRECO, NRVERSAO) VALUES ('*', '*', WRITE_STAMP()) ON CONFLICT (CDFILIAL, NRCOLEPRECO) DO UPDATE SET NRVERSAO = excluded.NRVERSAO; END;

CREATE TRIGGER IF NOT EXISTS MARCA_VERSAO AFTER UPDATE OF NMMARCA ON MARCA
WHEN (SELECT NRVERSAO FROM VERSAOCOLETA WHERE CDFILIAL = '*' AND NRCOLEPRECO = '*') IS NOT WRITE_STAMP()
BEGIN INSERT INTO VERSAOCOLETA (CDFILIAL, NRCOLEPRECO, NRVERSAO) VALUES ('*', '*', WRITE_STAMP()) ON CONFLICT (CDFILIAL, NRCOLEPRECO) DO UPDATE SET NRVERSAO = excluded.NRVERSAO; END;

CREATE TRIGGER IF NOT EXISTS PRODUTO_VERSAO AFTER UPDATE OF NMPRODUTO, CDARVPROD, CDUNIDMED ON PRODUTO
WHEN (SELECT NRVERSAO FROM VERSAOCOLETA WHERE CDFILIAL = '*' AND NRCOLEPRECO = '*') IS NOT WRITE_STAMP()
BEGIN INSERT INTO VERSAOCOLETA (CDFILIAL, NRCOLEPRECO, NRVERSAO) VALUES ('*', '*', WRITE_STAMP()) ON CONFLICT (CDFILIAL, NRCOLEPRECO) DO UPDATE SET NRVERSAO = excluded.NRVERSAO; END;
-- [all]

-- [postgresql]
-- On PostgreSQL one statement-level trigger per table: the transaction's id is its stamp,
-- and the rows before and after the statement tell which quotations, or whether the names,
-- changed.
CREATE OR REPLACE FUNCTION VERSAOCOLETA_MARCA(filiais TEXT[], coletas TEXT[]) RETURNS VOID
LANGUAGE sql AS $$
INSERT INTO VERSAOCOLETA (CDFILIAL, NRCOLEPRECO, NRVERSAO)
SELECT DISTINCT f, c, txid_current() FROM UNNEST(filiais, coletas) AS u(f, c)
ON CONFLICT (CDFILIAL, NRCOLEPRECO) DO UPDATE SET NRVERSAO = EXCLUDED.NRVERSAO
WHERE VERSAOCOLETA.NRVERSAO IS DISTINCT FROM EXCLUDED.NRVERSAO
$$;

CREATE OR REPLACE FUNCTION ITEMCOLE_VERSAO() RETURNS TRIGGER
LANGUAGE plpgsql AS $$
DECLARE
    filiais TEXT[];
    coletas TEXT[];
BEGIN
    IF TG_OP = 'INSERT' THEN
        SELECT ARRAY_AGG(CDFILIAL), ARRAY_AGG(NRCOLEPRECO) INTO filiais, coletas
          FROM (SELECT DISTINCT CDFILIAL, NRCOLEPRECO FROM NOVOS) q;
    ELSIF TG_OP = 'DELETE' THEN
        SELECT ARRAY_AGG(CDFILIAL), ARRAY_AGG(NRCOLEPRECO) INTO filiais, coletas
          FROM (SELECT DISTINCT CDFILIAL, NRCOLEPRECO FROM ANTIGOS) q;
    ELSE
        SELECT ARRAY_AGG(CDFILIAL), ARRAY_AGG(NRCOLEPRECO) INTO filiais, coletas
          FROM (SELECT DISTINCT CDFILIAL, NRCOLEPRECO FROM (
                    SELECT CDFILIAL, NRCOLEPRECO, CDREGIAO, CDFORNECED, CDPRODUTO, CDMARCA,
                           VRPRECUNIITM, VRPRECECOITM, VRPRECECOPIITM, QTACMPITMCOL, VRPERDESITM
                      FROM NOVOS
                    EXCEPT ALL
                    SELECT CDFILIAL, NRCOLEPRECO, CDREGIAO, CDFORNECED, CDPRODUTO, CDMARCA,
                           VRPRECUNIITM, VRPRECECOITM, VRPRECECOPIITM, QTACMPITMCOL, VRPERDESITM
                      FROM ANTIGOS) mudados) q;
    END IF;
    IF filiais IS NOT NULL THEN
        PERFORM VERSAOCOLETA_MARCA(filiais, coletas);
    END IF;
    RETURN NULL;
END
$$;

CREATE OR REPLACE FUNCTION NOMES_VERSAO() RETURNS TRIGGER
LANGUAGE plpgsql AS $$
DECLARE
    mudou BOOLEAN;
BEGIN
    -- The names the worksheet shows, whatever the table: its rows before and after, as text.
    SELECT EXISTS (SELECT ROW(n.*)::TEXT FROM NOVOS n EXCEPT SELECT ROW(a.*)::TEXT FROM ANTIGOS a)
      INTO mudou;
    IF mudou THEN
        PERFORM VERSAOCOLETA_MARCA(ARRAY['*'], ARRAY['*']);
    END IF;
    RETURN NULL;
END
$$;

DROP TRIGGER IF EXISTS ITEMCOLE_VERSAO_INCLUSAO ON ITEMCOLE;
CREATE TRIGGER ITEMCOLE_VERSAO_INCLUSAO AFTER INSERT ON ITEMCOLE
REFERENCING NEW TABLE AS NOVOS FOR EACH STATEMENT EXECUTE FUNCTION ITEMCOLE_VERSAO();

DROP TRIGGER IF EXISTS ITEMCOLE_VERSAO_EXCLUSAO ON ITEMCOLE;
CREATE TRIGGER ITEMCOLE_VERSAO_EXCLUSAO AFTER DELETE ON ITEMCOLE
REFERENCING OLD TABLE AS ANTIGOS FOR EACH STATEMENT EXECUTE FUNCTION ITEMCOLE_VERSAO();

DROP TRIGGER IF EXISTS ITEMCOLE_VERSAO_ALTERACAO ON ITEMCOLE;
CREATE TRIGGER ITEMCOLE_VERSAO_ALTERACAO AFTER UPDATE ON ITEMCOLE
REFERENCING OLD TABLE AS ANTIGOS NEW TABLE AS NOVOS FOR EACH STATEMENT EXECUTE FUNCTION ITEMCOLE_VERSAO();

-- The names: a change of any column of these registers counts (PostgreSQL gives no column
-- list to statement triggers with transition tables); they change seldom.
DROP TRIGGER IF EXISTS REGIAO_VERSAO ON REGIAO;
CREATE TRIGGER REGIAO_VERSAO AFTER UPDATE ON REGIAO
REFERENCING OLD TABLE AS ANTIGOS NEW TABLE AS NOVOS FOR EACH STATEMENT EXECUTE FUNCTION NOMES_VERSAO();

DROP TRIGGER IF EXISTS FORNECEDOR_VERSAO ON FORNECEDOR;
CREATE TRIGGER FORNECEDOR_VERSAO AFTER UPDATE ON FORNECEDOR
REFERENCING OLD TABLE AS ANTIGOS NEW TABLE AS NOVOS FOR EACH STATEMENT EXECUTE FUNCTION NOMES_VERSAO();

DROP TRIGGER IF EXISTS MARCA_VERSAO ON MARCA;
CREATE TRIGGER MARCA_VERSAO AFTER UPDATE ON MARCA
REFERENCING OLD TABLE AS ANTIGOS NEW TABLE AS NOVOS FOR EACH STATEMENT EXECUTE FUNCTION NOMES_VERSAO();

DROP TRIGGER IF EXISTS PRODUTO_VERSAO ON PRODUTO;
CREATE TRIGGER PRODUTO_VERSAO AFTER UPDATE ON PRODUTO
REFERENCING OLD TABLE AS ANTIGOS NEW TABLE AS NOVOS FOR EACH STATEMENT EXECUTE FUNCTION NOMES_VERSAO();

-- [all]
