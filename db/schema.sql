/*
  Database of the optician shop, as far as the contact-lens module and the
  stand-in host use it (Firebird 3, dialect 3, UTF8).

  This file is the only definition of the database: the host builds a new
  database from it on first run, and every database test starts from it.
  It holds, in this order: generators, tables with their primary keys,
  indexes, the key triggers, the ID_ procedures (key of the last insert),
  the BUSCAR_ procedures (single-row lookups), the placeholder rows and the
  role of the workstations with its rights.

  Run it with the script runner of the project (or isql-fb) on a database
  created with DEFAULT CHARACTER SET UTF8. Every statement must be committed
  before the next one runs (as isql does with AUTODDL): the placeholder rows
  at the end go into tables created by this same script. Comments hold no
  semicolons or quotes, so that a plain statement splitter can read the file.

  Rules kept on purpose:
  - No foreign keys, CHECKs, unique constraints or NOT NULL outside the
    primary keys: the screens store whatever the user left (a lens type -1,
    a reference 0, the key of a doctor deleted since), and the rest of the
    application shares these tables.
  - Every generated key has a generator and a BEFORE INSERT trigger that
    takes the next value only when the insert brings no key, and records the
    key in the context of the attachment (USER_SESSION, ID_<table>). The ID_
    procedures read it back, so two workstations inserting at the same moment
    never get the key of the other.
  - BUSCAR_ procedures: an input of -1 (numbers) or the text -1 (texts) takes
    no part in the search. All the other inputs must match, and the lowest
    key wins. The found flag is 1 or 0. When nothing is found, or no
    criterion was given, the other outputs stay NULL.
*/

/* ======================================================================
   Generators
   ====================================================================== */

CREATE SEQUENCE GEN_ACCESO;
CREATE SEQUENCE GEN_AGENDA;
CREATE SEQUENCE GEN_AGENTE;
CREATE SEQUENCE GEN_AVISO_REPOSICION;
CREATE SEQUENCE GEN_ALMACEN;
CREATE SEQUENCE GEN_ARTICULO;
CREATE SEQUENCE GEN_ARTOBSERVACIONES;
CREATE SEQUENCE GEN_CUENTA;
CREATE SEQUENCE GEN_DLENTILLA;
CREATE SEQUENCE GEN_DOBSERVACIONES;
CREATE SEQUENCE GEN_DOCTOR;
CREATE SEQUENCE GEN_EXISTENCIA;
CREATE SEQUENCE GEN_FAMILIA;
CREATE SEQUENCE GEN_FORMA_PAGO;
CREATE SEQUENCE GEN_GRUPO;
CREATE SEQUENCE GEN_IVA;
CREATE SEQUENCE GEN_LOBSERVACIONES;
CREATE SEQUENCE GEN_LOCALIDAD;
CREATE SEQUENCE GEN_MARCA_AUD;
CREATE SEQUENCE GEN_MARCA_MON;
CREATE SEQUENCE GEN_MLENTILLA;
CREATE SEQUENCE GEN_MONEDA;
CREATE SEQUENCE GEN_PACIENTE;
CREATE SEQUENCE GEN_PLENTILLA;
CREATE SEQUENCE GEN_PLOBSERVACIONES;
CREATE SEQUENCE GEN_POBSERVACIONES;
CREATE SEQUENCE GEN_PROVEEDOR;
CREATE SEQUENCE GEN_PROVINCIA;
CREATE SEQUENCE GEN_REPOSICION;
CREATE SEQUENCE GEN_SMS_DETALLE;
CREATE SEQUENCE GEN_SMS_MAESTRO;
CREATE SEQUENCE GEN_TARTICULO;
CREATE SEQUENCE GEN_TCRISTAL;
CREATE SEQUENCE GEN_TIENDA;
CREATE SEQUENCE GEN_TLENTILLA;
CREATE SEQUENCE GEN_TRATAMIENTO;
CREATE SEQUENCE GEN_USUARIO;
CREATE SEQUENCE GEN_VENTA;
CREATE SEQUENCE GEN_DVENTA;
CREATE SEQUENCE GEN_ENCARGO;
CREATE SEQUENCE GEN_DENCARGO;

/* ======================================================================
   Contact lenses
   ====================================================================== */

-- One lens record (ficha) of a patient. NUMERO_FICHA is 1, 2, 3 ... in FECHA
-- order within the patient. Graduation values keep their codes as stored:
-- 98 no value, 97 Neutro, 99 Compen, 400 an axis left empty.
CREATE TABLE MLENTILLA (
  ID_MLENTILLA            INTEGER NOT NULL,
  ID_PACIENTE             INTEGER,
  NUMERO_FICHA            INTEGER,
  FECHA                   TIMESTAMP,
  FECHA_REVISION          TIMESTAMP,
  FECHA_LIMPIEZA          TIMESTAMP,
  FECHA_CADUCIDAD         TIMESTAMP,
  FECHA_REPOSICION        TIMESTAMP,
  ID_DOCTOR               INTEGER,
  PROPIA_AJENA            INTEGER,
  ID_AGENTE               INTEGER,
  LIQUIDOS                VARCHAR(255),
  OD_ABERTURA_PARPEBRAL   DOUBLE PRECISION,
  OD_DIAMETRO_PUPILAR     DOUBLE PRECISION,
  OD_DIAMETRO_IRIS        DOUBLE PRECISION,
  OI_ABERTURA_PARPEBRAL   DOUBLE PRECISION,
  OI_DIAMETRO_PUPILAR     DOUBLE PRECISION,
  OI_DIAMETRO_IRIS        DOUBLE PRECISION,
  OD_ESFERA               DOUBLE PRECISION,
  OD_CILINDRO             DOUBLE PRECISION,
  OD_EJE                  INTEGER,
  OD_AGUDEZA_VISUAL_CC    DOUBLE PRECISION,
  OD_ADICION              DOUBLE PRECISION,
  OD_DIAMETRO             DOUBLE PRECISION,
  OD_ZONA_OPTICA          DOUBLE PRECISION,
  OD_RADIO_1              VARCHAR(20),
  OD_RADIO_2              VARCHAR(20),
  OD_QUERATOMETRIA        VARCHAR(50),
  OI_ESFERA               DOUBLE PRECISION,
  OI_CILINDRO             DOUBLE PRECISION,
  OI_EJE                  INTEGER,
  OI_AGUDEZA_VISUAL_CC    DOUBLE PRECISION,
  OI_ADICION              DOUBLE PRECISION,
  OI_DIAMETRO             DOUBLE PRECISION,
  OI_ZONA_OPTICA          DOUBLE PRECISION,
  OI_RADIO_1              VARCHAR(20),
  OI_RADIO_2              VARCHAR(20),
  OI_QUERATOMETRIA        VARCHAR(50),
  ID_TIENDA               INTEGER,
  -- Which version of the record this is (one more at every change), and who
  -- wrote it last and when: a workstation saving a record another one has
  -- changed since it was read is told, instead of overwriting that change.
  VERSION                 INTEGER DEFAULT 0 NOT NULL,
  MODIFICADO_POR          VARCHAR(63),
  MODIFICADO_EN           TIMESTAMP,
  -- The fitting test the record was made from ("Definitiva"), if any: a
  -- second record from the same test is asked about first.
  ID_PRUEBA_ORIGEN        INTEGER,
  CONSTRAINT PK_MLENTILLA PRIMARY KEY (ID_MLENTILLA)
);

-- Free observations of a lens record, at most one row per record.
CREATE TABLE LOBSERVACIONES (
  ID_LOBSERVACIONES       INTEGER NOT NULL,
  ID_MLENTILLA            INTEGER,
  OBSERVACIONES           BLOB SUB_TYPE TEXT,
  CONSTRAINT PK_LOBSERVACIONES PRIMARY KEY (ID_LOBSERVACIONES)
);

-- Lenses supplied with a record, one line per eye (OJO 1 right, 2 left).
-- Lines are deleted and inserted again on every save, never updated.
CREATE TABLE DLENTILLA (
  ID_DLENTILLA            INTEGER NOT NULL,
  ID_MLENTILLA            INTEGER,
  OJO                     INTEGER,
  REFERENCIA              VARCHAR(30),
  DESCRIPCION             VARCHAR(255),
  ID_TLENTILLA            INTEGER,
  MODELO                  VARCHAR(50),
  RADIO_1                 VARCHAR(20),
  RADIO_2                 VARCHAR(20),
  DIAMETRO                DOUBLE PRECISION,
  COLOR                   VARCHAR(50),
  IMPORTE_M1              DOUBLE PRECISION,
  IMPORTE_M2              DOUBLE PRECISION,
  FECHA_GARANTIA          TIMESTAMP,
  LOTE                    VARCHAR(50),
  UNIDADES                INTEGER,
  -- The expiry printed on the box the lens came in (read from its GS1 code).
  CADUCIDAD_CAJA          TIMESTAMP,
  CONSTRAINT PK_DLENTILLA PRIMARY KEY (ID_DLENTILLA)
);

-- Fitting tests (pruebas) of a patient, numbered 1, 2, 3 ... per patient.
-- The SOB columns are the over-refraction measured over the trial lens,
-- the _ART columns the trial lens article of each eye.
CREATE TABLE PLENTILLA (
  ID_PRUEBA_LENTILLAS     INTEGER NOT NULL,
  ID_PACIENTE             INTEGER,
  NUMERO_FICHA            INTEGER,
  FECHA                   TIMESTAMP,
  OD_RADIO_1              VARCHAR(20),
  OD_RADIO_2              VARCHAR(20),
  OD_ESFERA               DOUBLE PRECISION,
  OD_CILINDRO             DOUBLE PRECISION,
  OD_EJE                  INTEGER,
  OD_DIAMETRO             DOUBLE PRECISION,
  OD_ZONA_OPTICA          DOUBLE PRECISION,
  OD_ADICION              DOUBLE PRECISION,
  OD_AGUDEZA_VISUAL       DOUBLE PRECISION,
  OI_RADIO_1              VARCHAR(20),
  OI_RADIO_2              VARCHAR(20),
  OI_ESFERA               DOUBLE PRECISION,
  OI_CILINDRO             DOUBLE PRECISION,
  OI_EJE                  INTEGER,
  OI_DIAMETRO             DOUBLE PRECISION,
  OI_ZONA_OPTICA          DOUBLE PRECISION,
  OI_ADICION              DOUBLE PRECISION,
  OI_AGUDEZA_VISUAL       DOUBLE PRECISION,
  OD_SOB_ESFERA           DOUBLE PRECISION,
  OD_SOB_CILINDRO         DOUBLE PRECISION,
  OD_SOB_EJE              INTEGER,
  OD_SOB_AGUDEZA_VISUAL   DOUBLE PRECISION,
  OI_SOB_ESFERA           DOUBLE PRECISION,
  OI_SOB_CILINDRO         DOUBLE PRECISION,
  OI_SOB_EJE              INTEGER,
  OI_SOB_AGUDEZA_VISUAL   DOUBLE PRECISION,
  OD_TLENTILLA_ART        INTEGER,
  OD_REFERENCIA_ART       VARCHAR(30),
  OD_DESCRIPCION_ART      VARCHAR(100),
  OD_MODELO_ART           VARCHAR(50),
  OD_RADIO_1_ART          VARCHAR(20),
  OD_RADIO_2_ART          VARCHAR(20),
  OD_DIAMETRO_ART         DOUBLE PRECISION,
  OD_COlOR_ART            VARCHAR(50),
  OI_TLENTILLA_ART        INTEGER,
  OI_REFERENCIA_ART       VARCHAR(30),
  OI_DESCRIPCION_ART      VARCHAR(100),
  OI_MODELO_ART           VARCHAR(50),
  OI_RADIO_1_ART          VARCHAR(20),
  OI_RADIO_2_ART          VARCHAR(20),
  OI_DIAMETRO_ART         DOUBLE PRECISION,
  OI_COlOR_ART            VARCHAR(50),
  ID_AGENTE               INTEGER,
  OD_LOTE                 VARCHAR(50),
  OI_LOTE                 VARCHAR(50),
  -- As a lens record: the test's version, and who changed it last and when.
  VERSION                 INTEGER DEFAULT 0 NOT NULL,
  MODIFICADO_POR          VARCHAR(63),
  MODIFICADO_EN           TIMESTAMP,
  CONSTRAINT PK_PLENTILLA PRIMARY KEY (ID_PRUEBA_LENTILLAS)
);

-- Observations of a fitting test. ID_MLENTILLA holds the key of the test
-- (ID_PRUEBA_LENTILLAS), not of a lens record. The row outlives its test.
CREATE TABLE PLOBSERVACIONES (
  ID_PLOBSERVACIONES      INTEGER NOT NULL,
  ID_MLENTILLA            INTEGER,
  OBSERVACIONES           BLOB SUB_TYPE TEXT,
  CONSTRAINT PK_PLOBSERVACIONES PRIMARY KEY (ID_PLOBSERVACIONES)
);

-- Lens types. The row with key 0 is a placeholder that no list shows.
CREATE TABLE TLENTILLA (
  ID_TLENTILLA            INTEGER NOT NULL,
  CODIGO                  VARCHAR(10),
  DESCRIPCION             VARCHAR(255),
  DIAS_REPOSICION         INTEGER,
  CONSTRAINT PK_TLENTILLA PRIMARY KEY (ID_TLENTILLA)
);

-- Replacements, cleanings and revisions of a patient. Shared by several
-- modules, each with its own TIPO_REPOSICION (contact lenses: 2).
-- TIPO 0 cleaning, 1 revision, 2 replacement, OJO 1 right, 2 left, 3 both.
CREATE TABLE REPOSICION (
  ID_REPOSICION           INTEGER NOT NULL,
  ID_PACIENTE             INTEGER,
  NUMERO_FICHA            INTEGER,
  TIPO_REPOSICION         INTEGER,
  FECHA                   TIMESTAMP,
  TIPO                    INTEGER,
  OJO                     INTEGER,
  IMPORTE_M1              DOUBLE PRECISION,
  IMPORTE_M2              DOUBLE PRECISION,
  OBSERVACIONES           VARCHAR(1000),
  CONSTRAINT PK_REPOSICION PRIMARY KEY (ID_REPOSICION)
);

/* ======================================================================
   Access log and users
   ====================================================================== */

-- One row per opening, closing, consultation, creation, change, deletion
-- and print, and per sibling module started.
CREATE TABLE ACCESO (
  ID_ACCESO               INTEGER NOT NULL,
  ID_USUARIO              INTEGER,
  ID_OPCION               INTEGER,
  ID_OPERACION            INTEGER,
  ID_TIENDA               INTEGER,
  FECHA_SISTEMA           TIMESTAMP,
  FECHA_PROGRAMA          TIMESTAMP,
  USUARIO_NOM             VARCHAR(100),
  OPCION_NOM              VARCHAR(100),
  OPERACION_COD           VARCHAR(50),
  OPERACION_DET           VARCHAR(1000),
  OPERACION_IMP           DOUBLE PRECISION,
  OPERACION_TIP           INTEGER,
  OPERACION_ENT           INTEGER,
  OPERACION_FECHA         TIMESTAMP,
  CONSTRAINT PK_ACCESO PRIMARY KEY (ID_ACCESO)
);

-- Users of the application, with the rights and options the host hands to
-- the modules (flags are 1 for on).
CREATE TABLE USUARIO (
  ID_USUARIO              INTEGER NOT NULL,
  NOMBRE_USUARIO          VARCHAR(100),
  PUEDE_MODIFICAR         INTEGER DEFAULT 1,
  COPIAR_GRADUACION_OI    INTEGER DEFAULT 0,
  COPIAR_LENTE_OI         INTEGER DEFAULT 0,
  COPIAR_ULTIMA_GRADUACION INTEGER DEFAULT 1,
  COPIAR_ULTIMOS_LENTES   INTEGER DEFAULT 1,
  PREGUNTAR_COPIA         INTEGER DEFAULT 1,
  FORMATO_FICHA           VARCHAR(255),
  FORMATO_RECETA          VARCHAR(255),
  FORMATO_GARANTIA        VARCHAR(255),
  CONSTRAINT PK_USUARIO PRIMARY KEY (ID_USUARIO)
);

-- The company that owns the shops (one row), with its options for the lens
-- records: warranty and revision periods in months (0 = none), a revision
-- reminder in the diary when a record is saved, and the transposition of
-- positive cylinders when an axis is typed.
CREATE TABLE EMPRESA (
  ID_EMPRESA              INTEGER NOT NULL,
  CODIGO                  INTEGER,
  NOMBRE                  VARCHAR(100),
  NOMBRE_COMERCIAL        VARCHAR(100),
  DIRECCION               VARCHAR(100),
  NIF                     VARCHAR(20),
  ID_LOCALIDAD            INTEGER,
  TELEFONO                VARCHAR(20),
  FAX                     VARCHAR(20),
  E_MAIL                  VARCHAR(100),
  WEB                     VARCHAR(100),
  MESES_GARANTIA          INTEGER DEFAULT 0,
  MESES_REVISION          INTEGER DEFAULT 0,
  AVISO_REVISION          INTEGER DEFAULT 0,
  TRASPONER_CILINDROS     INTEGER DEFAULT 0,
  CONSTRAINT PK_EMPRESA PRIMARY KEY (ID_EMPRESA)
);

/* ======================================================================
   Money, articles and stock
   ====================================================================== */

-- The two currencies of the shop (one row). CONVERSION: units of the second
-- currency per unit of the main one.
CREATE TABLE MONEDA (
  ID_MONEDA               INTEGER NOT NULL,
  DESCRIPCION_M1          VARCHAR(50),
  DESCRIPCION_M2          VARCHAR(50),
  SIMBOLO_M1              VARCHAR(10),
  SIMBOLO_M2              VARCHAR(10),
  DECIMALES_M1            INTEGER,
  DECIMALES_M2            INTEGER,
  CONVERSION              DOUBLE PRECISION,
  USAR_SEGUNDA_MONEDA     INTEGER,
  CONSTRAINT PK_MONEDA PRIMARY KEY (ID_MONEDA)
);

-- Every lens, liquid, frame, glass or hearing aid the shop sells.
-- ID_MARCA and ID_TIPO point at the table of the kind of the article (frame or
-- hearing-aid brand, glass type, lens type).
CREATE TABLE ARTICULO (
  ID_ARTICULO             INTEGER NOT NULL,
  ID_TARTICULO            INTEGER,
  REFERENCIA              VARCHAR(30),
  CODIGO_BARRAS           BIGINT,
  REFERENCIA_PROVEEDOR    VARCHAR(30),
  DESCRIPCION             VARCHAR(100),
  MODELO                  VARCHAR(50),
  ID_FAMILIA              INTEGER,
  ID_PROVEEDOR            INTEGER,
  ID_PROVEEDOR_ULTIMO     INTEGER,
  ID_IVA_COMPRA           INTEGER,
  ID_IVA_VENTA            INTEGER,
  ID_MARCA                INTEGER,
  ID_TIPO                 INTEGER,
  ID_TRATAMIENTO_1        INTEGER,
  ID_TRATAMIENTO_2        INTEGER,
  ID_TRATAMIENTO_3        INTEGER,
  PRECIO_COSTE_M1         DOUBLE PRECISION,
  PRECIO_COSTE_M2         DOUBLE PRECISION,
  PRECIO_VENTA1_M1        DOUBLE PRECISION,
  PRECIO_VENTA1_M2        DOUBLE PRECISION,
  PRECIO_VENTA2_M1        DOUBLE PRECISION,
  PRECIO_VENTA2_M2        DOUBLE PRECISION,
  PRECIO_COSTE_MED_M1     DOUBLE PRECISION,
  PRECIO_COSTE_MED_M2     DOUBLE PRECISION,
  COMPRADAS_IMP_M1        DOUBLE PRECISION,
  COMPRADAS_IMP_M2        DOUBLE PRECISION,
  VENDIDAS_IMP_M1         DOUBLE PRECISION,
  VENDIDAS_IMP_M2         DOUBLE PRECISION,
  OFERTA_IMPORTE_M1       DOUBLE PRECISION,
  OFERTA_IMPORTE_M2       DOUBLE PRECISION,
  NUEVO_PRECIO_M1         DOUBLE PRECISION,
  NUEVO_PRECIO_M2         DOUBLE PRECISION,
  PRECIO_PVP1_PVP2        INTEGER,
  DESCUENTO_COMPRA        DOUBLE PRECISION,
  MARGEN_BENEFICIO        DOUBLE PRECISION,
  STOCK_MAXIMO            DOUBLE PRECISION,
  STOCK_MINIMO            DOUBLE PRECISION,
  STOCK_PEDIDO            DOUBLE PRECISION,
  ULTIMO_DESCUENTO        DOUBLE PRECISION,
  COMPRADAS_UNIDADES      DOUBLE PRECISION,
  VENDIDAS_UNIDADES       INTEGER,
  FECHA_GARANTIA          TIMESTAMP,
  FECHA_CADUCIDAD         TIMESTAMP,
  FECHA_ULTIMA_COMPRA     TIMESTAMP,
  FECHA_ULTIMA_VENTA      TIMESTAMP,
  OFERTA_DESDE            TIMESTAMP,
  OFERTA_HASTA            TIMESTAMP,
  NUEVO_DESDE             TIMESTAMP,
  FECHA_CREACION          TIMESTAMP,
  DIAMETRO                DOUBLE PRECISION,
  ESFERA                  DOUBLE PRECISION,
  CILINDRO                DOUBLE PRECISION,
  RADIO_1                 VARCHAR(20),
  RADIO_2                 VARCHAR(20),
  TAMANO                  VARCHAR(20),
  COLOR                   VARCHAR(50),
  VARILLA                 VARCHAR(20),
  IMAGEN                  VARCHAR(255),
  DIGITO_CONTROL          INTEGER,
  CONSTRAINT PK_ARTICULO PRIMARY KEY (ID_ARTICULO)
);

CREATE TABLE ARTOBSERVACIONES (
  ID_ARTOBSERVACIONES     INTEGER NOT NULL,
  ID_ARTICULO             INTEGER,
  OBSERVACIONES           BLOB SUB_TYPE TEXT,
  CONSTRAINT PK_ARTOBSERVACIONES PRIMARY KEY (ID_ARTOBSERVACIONES)
);

-- Article kinds. The descriptions "Lentilla", "Cristal", "Montura" and
-- "Audifono" change how an article is shown.
CREATE TABLE TARTICULO (
  ID_TARTICULO            INTEGER NOT NULL,
  DESCRIPCION             VARCHAR(50),
  CONSTRAINT PK_TARTICULO PRIMARY KEY (ID_TARTICULO)
);

CREATE TABLE ALMACEN (
  ID_ALMACEN              INTEGER NOT NULL,
  CODIGO                  VARCHAR(10),
  DESCRIPCION             VARCHAR(100),
  CONSTRAINT PK_ALMACEN PRIMARY KEY (ID_ALMACEN)
);

CREATE TABLE EXISTENCIA (
  ID_EXISTENCIA           INTEGER NOT NULL,
  ID_ARTICULO             INTEGER,
  ID_ALMACEN              INTEGER,
  EXISTENCIAS             DOUBLE PRECISION,
  CONSTRAINT PK_EXISTENCIA PRIMARY KEY (ID_EXISTENCIA)
);

/* ======================================================================
   Sales and orders to the supplier, as the sales and orders modules store
   what a lens record hands them. Amounts twice, main and second currency;
   each line keeps the VAT rate it was charged at.
   ====================================================================== */

-- A direct sale: the patient, the lens record it came from (-1: none), the
-- payment method and the totals.
CREATE TABLE VENTA (
  ID_VENTA                INTEGER NOT NULL,
  ID_PACIENTE             INTEGER,
  ID_MLENTILLA            INTEGER,
  ID_TIENDA               INTEGER,
  ID_USUARIO              INTEGER,
  ID_FORMA_PAGO           INTEGER,
  FECHA                   TIMESTAMP,
  BASE_M1                 DOUBLE PRECISION,
  BASE_M2                 DOUBLE PRECISION,
  IVA_M1                  DOUBLE PRECISION,
  IVA_M2                  DOUBLE PRECISION,
  TOTAL_M1                DOUBLE PRECISION,
  TOTAL_M2                DOUBLE PRECISION,
  CONSTRAINT PK_VENTA PRIMARY KEY (ID_VENTA)
);

CREATE TABLE DVENTA (
  ID_DVENTA               INTEGER NOT NULL,
  ID_VENTA                INTEGER,
  LINEA                   INTEGER,
  ID_ARTICULO             INTEGER,
  REFERENCIA              VARCHAR(30),
  DESCRIPCION             VARCHAR(255),
  CANTIDAD                INTEGER,
  IMPORTE_M1              DOUBLE PRECISION,
  IMPORTE_M2              DOUBLE PRECISION,
  ID_IVA                  INTEGER,
  PORCENTAJE_IVA          DOUBLE PRECISION,
  IVA_M1                  DOUBLE PRECISION,
  IVA_M2                  DOUBLE PRECISION,
  CONSTRAINT PK_DVENTA PRIMARY KEY (ID_DVENTA)
);

-- A customer order placed with the supplier of each article (ID_PROVEEDOR of
-- the line); the payment method is the one the customer pays it with.
CREATE TABLE ENCARGO (
  ID_ENCARGO              INTEGER NOT NULL,
  ID_PACIENTE             INTEGER,
  ID_MLENTILLA            INTEGER,
  ID_TIENDA               INTEGER,
  ID_USUARIO              INTEGER,
  ID_FORMA_PAGO           INTEGER,
  FECHA                   TIMESTAMP,
  BASE_M1                 DOUBLE PRECISION,
  BASE_M2                 DOUBLE PRECISION,
  IVA_M1                  DOUBLE PRECISION,
  IVA_M2                  DOUBLE PRECISION,
  TOTAL_M1                DOUBLE PRECISION,
  TOTAL_M2                DOUBLE PRECISION,
  CONSTRAINT PK_ENCARGO PRIMARY KEY (ID_ENCARGO)
);

CREATE TABLE DENCARGO (
  ID_DENCARGO             INTEGER NOT NULL,
  ID_ENCARGO              INTEGER,
  LINEA                   INTEGER,
  ID_ARTICULO             INTEGER,
  ID_PROVEEDOR            INTEGER,
  REFERENCIA              VARCHAR(30),
  DESCRIPCION             VARCHAR(255),
  CANTIDAD                INTEGER,
  IMPORTE_M1              DOUBLE PRECISION,
  IMPORTE_M2              DOUBLE PRECISION,
  ID_IVA                  INTEGER,
  PORCENTAJE_IVA          DOUBLE PRECISION,
  IVA_M1                  DOUBLE PRECISION,
  IVA_M2                  DOUBLE PRECISION,
  CONSTRAINT PK_DENCARGO PRIMARY KEY (ID_DENCARGO)
);

/* ======================================================================
   Reference catalogues of the articles
   ====================================================================== */

CREATE TABLE IVA (
  ID_IVA                  INTEGER NOT NULL,
  DESCRIPCION             VARCHAR(100),
  PORCENTAJE              DOUBLE PRECISION,
  RECARGO_EQUIVALENCIA    DOUBLE PRECISION,
  TIPO                    DOUBLE PRECISION,
  IVA_INCLUIDO            INTEGER,
  INTRACOMUNITARIO        INTEGER,
  ID_CUEN_REPERCUTIDO     INTEGER,
  ID_CUEN_SOPORTADO       INTEGER,
  ID_CUEN_INMOVI          INTEGER,
  ID_CUEN_RE_SOPORTADO    INTEGER,
  ID_CUEN_RE_REPERCUTIDO  INTEGER,
  CONSTRAINT PK_IVA PRIMARY KEY (ID_IVA)
);

CREATE TABLE FORMA_PAGO (
  ID_FORMA_PAGO           INTEGER NOT NULL,
  CODIGO                  INTEGER,
  DESCRIPCION             VARCHAR(100),
  TIPO                    INTEGER,
  COMISION                DOUBLE PRECISION,
  VENCIMIENTO             INTEGER,
  DIAS_VENCIMIENTO_1      INTEGER,
  DIAS_ENTRE_VENCIMIENTO  INTEGER,
  TIPO_PAGO               INTEGER,
  ID_CUENTA               INTEGER,
  CONSTRAINT PK_FORMA_PAGO PRIMARY KEY (ID_FORMA_PAGO)
);

-- Ledger accounts.
CREATE TABLE CUENTA (
  ID_CUENTA               INTEGER NOT NULL,
  CODIGO                  VARCHAR(20),
  DESCRIPCION             VARCHAR(100),
  ANYO_CREACION           INTEGER,
  BORRADO                 INTEGER DEFAULT 0,
  CONSTRAINT PK_CUENTA PRIMARY KEY (ID_CUENTA)
);

-- Sales groups.
CREATE TABLE GRUPO (
  ID_GRUPO                INTEGER NOT NULL,
  CODIGO                  VARCHAR(10),
  DESCRIPCION             VARCHAR(100),
  ID_CUENTA               INTEGER,
  CONSTRAINT PK_GRUPO PRIMARY KEY (ID_GRUPO)
);

CREATE TABLE FAMILIA (
  ID_FAMILIA              INTEGER NOT NULL,
  CODIGO                  VARCHAR(10),
  DESCRIPCION             VARCHAR(100),
  ID_IVA_COMPRA           INTEGER,
  ID_IVA_VENTA            INTEGER,
  ID_CUENTA_VENTA         INTEGER,
  ID_CUENTA_COMPRA        INTEGER,
  ID_GRUPO                INTEGER,
  DESCUENTO               DOUBLE PRECISION,
  DESCUENTO_DESDE         TIMESTAMP,
  DESCUENTO_HASTA         TIMESTAMP,
  CAMBIO_COSTE            INTEGER,
  VENDER_NEGATIVO         INTEGER,
  CONSTRAINT PK_FAMILIA PRIMARY KEY (ID_FAMILIA)
);

CREATE TABLE PROVEEDOR (
  ID_PROVEEDOR            INTEGER NOT NULL,
  CODIGO                  INTEGER,
  NOMBRE                  VARCHAR(100),
  ROTULO                  VARCHAR(100),
  PERSONA_CONTACTO        VARCHAR(100),
  DIRECCION               VARCHAR(100),
  ID_LOCALIDAD            INTEGER,
  CIF                     VARCHAR(20),
  TELEFONO                VARCHAR(20),
  TELEFONO_MOVIL          VARCHAR(20),
  FAX                     VARCHAR(20),
  WEB                     VARCHAR(100),
  E_MAIL                  VARCHAR(100),
  TOTAL_COMPRADO          DOUBLE PRECISION,
  FECHA_ULTIMA_COMPRA     TIMESTAMP,
  CLIENTE                 VARCHAR(30),
  ID_FPAGO                INTEGER,
  ID_CUENTA               INTEGER,
  MARCAS                  VARCHAR(255),
  ACREEDOR                INTEGER,
  CONSTRAINT PK_PROVEEDOR PRIMARY KEY (ID_PROVEEDOR)
);

-- Glass types, glass treatments, frame brands and hearing-aid brands.
CREATE TABLE TCRISTAL (
  ID_TCRISTAL             INTEGER NOT NULL,
  DESCRIPCION             VARCHAR(100),
  CONSTRAINT PK_TCRISTAL PRIMARY KEY (ID_TCRISTAL)
);

CREATE TABLE TRATAMIENTO (
  ID_TRATAMIENTO          INTEGER NOT NULL,
  DESCRIPCION             VARCHAR(100),
  CONSTRAINT PK_TRATAMIENTO PRIMARY KEY (ID_TRATAMIENTO)
);

CREATE TABLE MARCA_MON (
  ID_MARCA                INTEGER NOT NULL,
  DESCRIPCION             VARCHAR(100),
  CONSTRAINT PK_MARCA_MON PRIMARY KEY (ID_MARCA)
);

CREATE TABLE MARCA_AUD (
  ID_MARCA                INTEGER NOT NULL,
  DESCRIPCION             VARCHAR(100),
  CONSTRAINT PK_MARCA_AUD PRIMARY KEY (ID_MARCA)
);

/* ======================================================================
   People and places
   ====================================================================== */

CREATE TABLE TIENDA (
  ID_TIENDA               INTEGER NOT NULL,
  CODIGO                  INTEGER,
  DESCRIPCION             VARCHAR(100),
  DIRECCION               VARCHAR(100),
  ID_LOCALIDAD            INTEGER,
  CONSTRAINT PK_TIENDA PRIMARY KEY (ID_TIENDA)
);

-- SEXO 1 man, 2 woman, anything else not stated. TIENDA is the shop key.
CREATE TABLE PACIENTE (
  ID_PACIENTE             INTEGER NOT NULL,
  CODIGO                  INTEGER,
  APELLIDOS               VARCHAR(100),
  NOMBRE                  VARCHAR(50),
  NOMBRE_COMPLETO         VARCHAR(150),
  BORRADO                 INTEGER DEFAULT 0,
  DIRECCION               VARCHAR(100),
  ID_LOCALIDAD            INTEGER,
  NIF                     VARCHAR(20),
  TELEFONO                VARCHAR(20),
  TELEFONO_MOVIL          VARCHAR(20),
  PROFESION               VARCHAR(50),
  VIENE_POR               VARCHAR(100),
  SEXO                    INTEGER,
  FECHA_NACIMIENTO        TIMESTAMP,
  FECHA_PRIMERA_VISITA    TIMESTAMP,
  FECHA_ULTIMA_VISITA     TIMESTAMP,
  FECHA_CARNET            TIMESTAMP,
  ULTIMO_DESCUENTO        DOUBLE PRECISION,
  TOTAL_COMPRADO_M1       DOUBLE PRECISION,
  TOTAL_COMPRADO_M2       DOUBLE PRECISION,
  CORREO                  INTEGER,
  LICENCIA                DOUBLE PRECISION,
  TIENDA                  INTEGER,
  FOTOGRAFIA              VARCHAR(255),
  EMAIL                   VARCHAR(100),
  WEB                     VARCHAR(100),
  CONSTRAINT PK_PACIENTE PRIMARY KEY (ID_PACIENTE)
);

CREATE TABLE POBSERVACIONES (
  ID_POBSERVACIONES       INTEGER NOT NULL,
  ID_PACIENTE             INTEGER,
  OBSERVACIONES           BLOB SUB_TYPE TEXT,
  CONSTRAINT PK_POBSERVACIONES PRIMARY KEY (ID_POBSERVACIONES)
);

-- Doctors. The row with key 0 is a placeholder that no list shows.
-- PROPIA_AJENA: 0 own prescription, 1 of another, 2 not stated.
CREATE TABLE DOCTOR (
  ID_DOCTOR               INTEGER NOT NULL,
  CODIGO                  INTEGER,
  NOMBRE                  VARCHAR(50),
  APELLIDOS               VARCHAR(100),
  DIRECCION               VARCHAR(100),
  TELEFONO                VARCHAR(20),
  TELEFONO_MOVIL          VARCHAR(20),
  E_MAIL                  VARCHAR(100),
  WEB                     VARCHAR(100),
  NIF                     VARCHAR(20),
  COLEGIADO               VARCHAR(30),
  BORRADO                 INTEGER DEFAULT 0,
  ID_LOCALIDAD            INTEGER,
  PROPIA_AJENA            INTEGER,
  CONSTRAINT PK_DOCTOR PRIMARY KEY (ID_DOCTOR)
);

CREATE TABLE DOBSERVACIONES (
  ID_DOBSERVACIONES       INTEGER NOT NULL,
  ID_DOCTOR               INTEGER,
  OBSERVACIONES           BLOB SUB_TYPE TEXT,
  CONSTRAINT PK_DOBSERVACIONES PRIMARY KEY (ID_DOBSERVACIONES)
);

-- Agents (staff credited with a sale). The row with key 0 is a placeholder
-- that no list shows. COMISION_TIPO: 0 fixed, 1 variable, 2 by family
-- (-1 when none was chosen).
CREATE TABLE AGENTE (
  ID_AGENTE               INTEGER NOT NULL,
  CODIGO                  INTEGER,
  NOMBRE                  VARCHAR(50),
  APELLIDOS               VARCHAR(100),
  DIRECCION               VARCHAR(100),
  ID_LOCALIDAD            INTEGER,
  NIF                     VARCHAR(20),
  E_MAIL                  VARCHAR(100),
  COMISION_TIPO           INTEGER,
  COMISION_PORCENTAJE     DOUBLE PRECISION,
  TELEFONO                VARCHAR(20),
  TELEFONO_MOVIL          VARCHAR(20),
  WEB                     VARCHAR(100),
  BORRADO                 INTEGER DEFAULT 0,
  CONSTRAINT PK_AGENTE PRIMARY KEY (ID_AGENTE)
);

CREATE TABLE PROVINCIA (
  ID_PROVINCIA            INTEGER NOT NULL,
  CODIGO                  INTEGER,
  DESCRIPCION             VARCHAR(100),
  CONSTRAINT PK_PROVINCIA PRIMARY KEY (ID_PROVINCIA)
);

CREATE TABLE LOCALIDAD (
  ID_LOCALIDAD            INTEGER NOT NULL,
  ID_PROVINCIA            INTEGER,
  CODIGO_POSTAL           INTEGER,
  DESCRIPCION             VARCHAR(100),
  CONSTRAINT PK_LOCALIDAD PRIMARY KEY (ID_LOCALIDAD)
);

/* ======================================================================
   SMS log and diary
   ====================================================================== */

-- One row per SMS request sent through the gateway. ESTADO 1 scheduled,
-- 0 sent at once. TIPO_OPERACION 4 and ID_OPERACION = lens record key for the
-- messages sent from a lens record. A request is noted before it goes, under
-- the key it is sent with (CLAVE_ENVIO), with SITUACION 1 (pending) and the
-- time it was noted (ANOTADO); the gateway's answer makes it 0 (accepted,
-- with its numbers: also every row written before SITUACION existed) or 2
-- (refused). A pending request is one whose answer never came: asked for
-- again under its key, the gateway answers what it answered and sends
-- nothing twice.
CREATE TABLE sms_maestro (
  id_sms_maestro          INTEGER NOT NULL,
  id_mensaje              INTEGER,
  id_operacion            INTEGER,
  tipo_operacion          INTEGER,
  de                      VARCHAR(50),
  mensaje                 BLOB SUB_TYPE TEXT,
  fecha                   TIMESTAMP,
  estado                  INTEGER,
  proveedor               INTEGER,
  clave_envio             VARCHAR(64),
  situacion               SMALLINT,
  anotado                 TIMESTAMP,
  CONSTRAINT PK_SMS_MAESTRO PRIMARY KEY (id_sms_maestro)
);

-- One row per phone of a request, id_sms -1 when the gateway gave none.
CREATE TABLE sms_detalle (
  id_sms_detalle          INTEGER NOT NULL,
  id_sms_maestro          INTEGER,
  id_sms                  INTEGER,
  estado                  INTEGER,
  prefijo                 INTEGER,
  telefono                VARCHAR(30),
  CONSTRAINT PK_SMS_DETALLE PRIMARY KEY (id_sms_detalle)
);

-- The diary of the shop. An entry that belongs to a record carries its kind
-- (tipo_ficha, 2 = lens record) and key (id_ficha), -1 there means none.
-- hora and hora_aviso keep the time of day (their date part is not used).
CREATE TABLE agenda (
  id_agenda               INTEGER NOT NULL,
  id_usuario              INTEGER,
  fecha                   TIMESTAMP,
  hora                    TIMESTAMP,
  tipo                    INTEGER,
  persona                 VARCHAR(255),
  avisar                  INTEGER,
  fecha_aviso             TIMESTAMP,
  hora_aviso              TIMESTAMP,
  repeticion              INTEGER,
  prioridad               INTEGER,
  observaciones           BLOB SUB_TYPE TEXT,
  tipo_ficha              INTEGER,
  id_ficha                INTEGER,
  fecha_fin               TIMESTAMP,
  status                  INTEGER,
  CONSTRAINT PK_AGENDA PRIMARY KEY (id_agenda)
);

-- The run-out reminders sent: one row per lens record and replacement date
-- a patient was texted about, so that the same reminder never goes twice.
-- ID_SMS_MAESTRO is the request that carried it.
CREATE TABLE AVISO_REPOSICION (
  ID_AVISO_REPOSICION     INTEGER NOT NULL,
  ID_MLENTILLA            INTEGER,
  FECHA_REPOSICION        TIMESTAMP,
  FECHA                   TIMESTAMP,
  ID_USUARIO              INTEGER,
  ID_SMS_MAESTRO          INTEGER,
  CONSTRAINT PK_AVISO_REPOSICION PRIMARY KEY (ID_AVISO_REPOSICION)
);

/* ======================================================================
   Indexes
   ====================================================================== */

-- The records of a patient by number (navigation, last record) and by date
-- (renumbering), descending for "previous" and "last".
-- A record number is unique within its patient, whichever workstation wrote it.
CREATE UNIQUE INDEX IX_MLENTILLA_PAC_NUM ON MLENTILLA (ID_PACIENTE, NUMERO_FICHA);
CREATE DESCENDING INDEX IX_MLENTILLA_PAC_NUM_D ON MLENTILLA (ID_PACIENTE, NUMERO_FICHA);
CREATE INDEX IX_MLENTILLA_PAC_FECHA ON MLENTILLA (ID_PACIENTE, FECHA);
CREATE INDEX IX_MLENTILLA_PRUEBA ON MLENTILLA (ID_PRUEBA_ORIGEN);
CREATE INDEX IX_LOBSERVACIONES_FICHA ON LOBSERVACIONES (ID_MLENTILLA);
CREATE INDEX IX_DLENTILLA_FICHA ON DLENTILLA (ID_MLENTILLA);
CREATE INDEX IX_DVENTA_VENTA ON DVENTA (ID_VENTA);
CREATE INDEX IX_DENCARGO_ENCARGO ON DENCARGO (ID_ENCARGO);
CREATE INDEX IX_PLENTILLA_PAC_NUM ON PLENTILLA (ID_PACIENTE, NUMERO_FICHA);
CREATE INDEX IX_PLOBSERVACIONES_PRUEBA ON PLOBSERVACIONES (ID_MLENTILLA);
CREATE INDEX IX_TLENTILLA_CODIGO ON TLENTILLA (CODIGO);
CREATE INDEX IX_REPOSICION_PAC_TIPO ON REPOSICION (ID_PACIENTE, TIPO_REPOSICION);

-- Lot recalls: a whole lot through these, part of one through the lot
-- suffixes (LOTE_SUFIJO, with the search helpers at the end).
CREATE INDEX IX_DLENTILLA_LOTE ON DLENTILLA (LOTE);
CREATE INDEX IX_PLENTILLA_OD_LOTE ON PLENTILLA (OD_LOTE);
CREATE INDEX IX_PLENTILLA_OI_LOTE ON PLENTILLA (OI_LOTE);
-- Run-out reminders: the records whose lenses run out in the next days, and
-- whether a record's reminder went already (two workstations cannot both
-- send it).
CREATE INDEX IX_MLENTILLA_REPOSICION ON MLENTILLA (FECHA_REPOSICION);
CREATE UNIQUE INDEX IX_AVISO_REPOSICION_FICHA ON AVISO_REPOSICION (ID_MLENTILLA, FECHA_REPOSICION);
CREATE INDEX IX_AVISO_REPOSICION_SMS ON AVISO_REPOSICION (ID_SMS_MAESTRO);

CREATE INDEX IX_ACCESO_USUARIO_FECHA ON ACCESO (ID_USUARIO, FECHA_SISTEMA);
CREATE INDEX IX_ACCESO_FECHA ON ACCESO (FECHA_SISTEMA);

CREATE INDEX IX_ARTICULO_REFERENCIA ON ARTICULO (REFERENCIA);
CREATE INDEX IX_ARTICULO_CBARRAS ON ARTICULO (CODIGO_BARRAS);
CREATE INDEX IX_ARTICULO_DESCRIPCION ON ARTICULO (DESCRIPCION);
CREATE INDEX IX_ARTOBSERVACIONES_ART ON ARTOBSERVACIONES (ID_ARTICULO);
CREATE INDEX IX_EXISTENCIA_ART ON EXISTENCIA (ID_ARTICULO, ID_ALMACEN);

CREATE INDEX IX_FORMA_PAGO_CODIGO ON FORMA_PAGO (CODIGO);
CREATE INDEX IX_CUENTA_CODIGO ON CUENTA (CODIGO);
CREATE INDEX IX_GRUPO_CODIGO ON GRUPO (CODIGO);
CREATE INDEX IX_FAMILIA_CODIGO ON FAMILIA (CODIGO);
CREATE INDEX IX_PROVEEDOR_CODIGO ON PROVEEDOR (CODIGO);

CREATE INDEX IX_PACIENTE_CODIGO ON PACIENTE (CODIGO);
CREATE INDEX IX_PACIENTE_APELLIDOS ON PACIENTE (APELLIDOS);
CREATE INDEX IX_POBSERVACIONES_PAC ON POBSERVACIONES (ID_PACIENTE);
CREATE INDEX IX_DOCTOR_CODIGO ON DOCTOR (CODIGO);
CREATE INDEX IX_DOBSERVACIONES_DOCTOR ON DOBSERVACIONES (ID_DOCTOR);
CREATE INDEX IX_AGENTE_CODIGO ON AGENTE (CODIGO);
CREATE INDEX IX_LOCALIDAD_PROVINCIA ON LOCALIDAD (ID_PROVINCIA);
CREATE INDEX IX_LOCALIDAD_CPOSTAL ON LOCALIDAD (CODIGO_POSTAL);
CREATE INDEX IX_PROVINCIA_CODIGO ON PROVINCIA (CODIGO);

CREATE INDEX IX_SMS_MAESTRO_OPERACION ON sms_maestro (tipo_operacion, id_operacion);
CREATE INDEX IX_SMS_DETALLE_MAESTRO ON sms_detalle (id_sms_maestro);
CREATE INDEX IX_SMS_MAESTRO_SITUACION ON sms_maestro (situacion);

-- Reminders of a record (deleted before a new one is written) and the
-- entries of a day (the day count compares CAST(FECHA AS DATE)).
CREATE INDEX IX_AGENDA_FICHA ON agenda (tipo_ficha, id_ficha);
CREATE INDEX IX_AGENDA_FECHA ON agenda (fecha);
CREATE INDEX IX_AGENDA_DIA ON agenda COMPUTED BY (CAST(fecha AS DATE));

/* ======================================================================
   Key triggers
   A row without key takes the next value of its generator. A row that
   brings its own key (the placeholders below, rows copied from another
   database) moves the generator past it, so later inserts never collide.
   Either way the key is left in the context of the attachment for the ID_
   procedures.
   ====================================================================== */

SET TERM ^ ;

CREATE TRIGGER ACCESO_BI FOR ACCESO
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_ACCESO IS NULL) THEN
    NEW.ID_ACCESO = NEXT VALUE FOR GEN_ACCESO;
  ELSE IF (NEW.ID_ACCESO > GEN_ID(GEN_ACCESO, 0)) THEN
    PASO = GEN_ID(GEN_ACCESO, NEW.ID_ACCESO - GEN_ID(GEN_ACCESO, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_ACCESO', NEW.ID_ACCESO);
END^

CREATE TRIGGER AGENDA_BI FOR agenda
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.id_agenda IS NULL) THEN
    NEW.id_agenda = NEXT VALUE FOR GEN_AGENDA;
  ELSE IF (NEW.id_agenda > GEN_ID(GEN_AGENDA, 0)) THEN
    PASO = GEN_ID(GEN_AGENDA, NEW.id_agenda - GEN_ID(GEN_AGENDA, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_AGENDA', NEW.id_agenda);
END^

CREATE TRIGGER AVISO_REPOSICION_BI FOR AVISO_REPOSICION
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_AVISO_REPOSICION IS NULL) THEN
    NEW.ID_AVISO_REPOSICION = NEXT VALUE FOR GEN_AVISO_REPOSICION;
  ELSE IF (NEW.ID_AVISO_REPOSICION > GEN_ID(GEN_AVISO_REPOSICION, 0)) THEN
    PASO = GEN_ID(GEN_AVISO_REPOSICION, NEW.ID_AVISO_REPOSICION - GEN_ID(GEN_AVISO_REPOSICION, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_AVISO_REPOSICION', NEW.ID_AVISO_REPOSICION);
END^

CREATE TRIGGER AGENTE_BI FOR AGENTE
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_AGENTE IS NULL) THEN
    NEW.ID_AGENTE = NEXT VALUE FOR GEN_AGENTE;
  ELSE IF (NEW.ID_AGENTE > GEN_ID(GEN_AGENTE, 0)) THEN
    PASO = GEN_ID(GEN_AGENTE, NEW.ID_AGENTE - GEN_ID(GEN_AGENTE, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_AGENTE', NEW.ID_AGENTE);
END^

CREATE TRIGGER ALMACEN_BI FOR ALMACEN
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_ALMACEN IS NULL) THEN
    NEW.ID_ALMACEN = NEXT VALUE FOR GEN_ALMACEN;
  ELSE IF (NEW.ID_ALMACEN > GEN_ID(GEN_ALMACEN, 0)) THEN
    PASO = GEN_ID(GEN_ALMACEN, NEW.ID_ALMACEN - GEN_ID(GEN_ALMACEN, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_ALMACEN', NEW.ID_ALMACEN);
END^

CREATE TRIGGER ARTICULO_BI FOR ARTICULO
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_ARTICULO IS NULL) THEN
    NEW.ID_ARTICULO = NEXT VALUE FOR GEN_ARTICULO;
  ELSE IF (NEW.ID_ARTICULO > GEN_ID(GEN_ARTICULO, 0)) THEN
    PASO = GEN_ID(GEN_ARTICULO, NEW.ID_ARTICULO - GEN_ID(GEN_ARTICULO, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_ARTICULO', NEW.ID_ARTICULO);
END^

CREATE TRIGGER ARTOBSERVACIONES_BI FOR ARTOBSERVACIONES
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_ARTOBSERVACIONES IS NULL) THEN
    NEW.ID_ARTOBSERVACIONES = NEXT VALUE FOR GEN_ARTOBSERVACIONES;
  ELSE IF (NEW.ID_ARTOBSERVACIONES > GEN_ID(GEN_ARTOBSERVACIONES, 0)) THEN
    PASO = GEN_ID(GEN_ARTOBSERVACIONES, NEW.ID_ARTOBSERVACIONES - GEN_ID(GEN_ARTOBSERVACIONES, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_ARTOBSERVACIONES', NEW.ID_ARTOBSERVACIONES);
END^

CREATE TRIGGER CUENTA_BI FOR CUENTA
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_CUENTA IS NULL) THEN
    NEW.ID_CUENTA = NEXT VALUE FOR GEN_CUENTA;
  ELSE IF (NEW.ID_CUENTA > GEN_ID(GEN_CUENTA, 0)) THEN
    PASO = GEN_ID(GEN_CUENTA, NEW.ID_CUENTA - GEN_ID(GEN_CUENTA, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_CUENTA', NEW.ID_CUENTA);
END^

CREATE TRIGGER DLENTILLA_BI FOR DLENTILLA
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_DLENTILLA IS NULL) THEN
    NEW.ID_DLENTILLA = NEXT VALUE FOR GEN_DLENTILLA;
  ELSE IF (NEW.ID_DLENTILLA > GEN_ID(GEN_DLENTILLA, 0)) THEN
    PASO = GEN_ID(GEN_DLENTILLA, NEW.ID_DLENTILLA - GEN_ID(GEN_DLENTILLA, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_DLENTILLA', NEW.ID_DLENTILLA);
END^

CREATE TRIGGER DOBSERVACIONES_BI FOR DOBSERVACIONES
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_DOBSERVACIONES IS NULL) THEN
    NEW.ID_DOBSERVACIONES = NEXT VALUE FOR GEN_DOBSERVACIONES;
  ELSE IF (NEW.ID_DOBSERVACIONES > GEN_ID(GEN_DOBSERVACIONES, 0)) THEN
    PASO = GEN_ID(GEN_DOBSERVACIONES, NEW.ID_DOBSERVACIONES - GEN_ID(GEN_DOBSERVACIONES, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_DOBSERVACIONES', NEW.ID_DOBSERVACIONES);
END^

CREATE TRIGGER DOCTOR_BI FOR DOCTOR
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_DOCTOR IS NULL) THEN
    NEW.ID_DOCTOR = NEXT VALUE FOR GEN_DOCTOR;
  ELSE IF (NEW.ID_DOCTOR > GEN_ID(GEN_DOCTOR, 0)) THEN
    PASO = GEN_ID(GEN_DOCTOR, NEW.ID_DOCTOR - GEN_ID(GEN_DOCTOR, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_DOCTOR', NEW.ID_DOCTOR);
END^

CREATE TRIGGER EXISTENCIA_BI FOR EXISTENCIA
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_EXISTENCIA IS NULL) THEN
    NEW.ID_EXISTENCIA = NEXT VALUE FOR GEN_EXISTENCIA;
  ELSE IF (NEW.ID_EXISTENCIA > GEN_ID(GEN_EXISTENCIA, 0)) THEN
    PASO = GEN_ID(GEN_EXISTENCIA, NEW.ID_EXISTENCIA - GEN_ID(GEN_EXISTENCIA, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_EXISTENCIA', NEW.ID_EXISTENCIA);
END^

CREATE TRIGGER FAMILIA_BI FOR FAMILIA
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_FAMILIA IS NULL) THEN
    NEW.ID_FAMILIA = NEXT VALUE FOR GEN_FAMILIA;
  ELSE IF (NEW.ID_FAMILIA > GEN_ID(GEN_FAMILIA, 0)) THEN
    PASO = GEN_ID(GEN_FAMILIA, NEW.ID_FAMILIA - GEN_ID(GEN_FAMILIA, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_FAMILIA', NEW.ID_FAMILIA);
END^

CREATE TRIGGER FORMA_PAGO_BI FOR FORMA_PAGO
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_FORMA_PAGO IS NULL) THEN
    NEW.ID_FORMA_PAGO = NEXT VALUE FOR GEN_FORMA_PAGO;
  ELSE IF (NEW.ID_FORMA_PAGO > GEN_ID(GEN_FORMA_PAGO, 0)) THEN
    PASO = GEN_ID(GEN_FORMA_PAGO, NEW.ID_FORMA_PAGO - GEN_ID(GEN_FORMA_PAGO, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_FORMA_PAGO', NEW.ID_FORMA_PAGO);
END^

CREATE TRIGGER GRUPO_BI FOR GRUPO
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_GRUPO IS NULL) THEN
    NEW.ID_GRUPO = NEXT VALUE FOR GEN_GRUPO;
  ELSE IF (NEW.ID_GRUPO > GEN_ID(GEN_GRUPO, 0)) THEN
    PASO = GEN_ID(GEN_GRUPO, NEW.ID_GRUPO - GEN_ID(GEN_GRUPO, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_GRUPO', NEW.ID_GRUPO);
END^

CREATE TRIGGER IVA_BI FOR IVA
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_IVA IS NULL) THEN
    NEW.ID_IVA = NEXT VALUE FOR GEN_IVA;
  ELSE IF (NEW.ID_IVA > GEN_ID(GEN_IVA, 0)) THEN
    PASO = GEN_ID(GEN_IVA, NEW.ID_IVA - GEN_ID(GEN_IVA, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_IVA', NEW.ID_IVA);
END^

CREATE TRIGGER LOBSERVACIONES_BI FOR LOBSERVACIONES
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_LOBSERVACIONES IS NULL) THEN
    NEW.ID_LOBSERVACIONES = NEXT VALUE FOR GEN_LOBSERVACIONES;
  ELSE IF (NEW.ID_LOBSERVACIONES > GEN_ID(GEN_LOBSERVACIONES, 0)) THEN
    PASO = GEN_ID(GEN_LOBSERVACIONES, NEW.ID_LOBSERVACIONES - GEN_ID(GEN_LOBSERVACIONES, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_LOBSERVACIONES', NEW.ID_LOBSERVACIONES);
END^

CREATE TRIGGER LOCALIDAD_BI FOR LOCALIDAD
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_LOCALIDAD IS NULL) THEN
    NEW.ID_LOCALIDAD = NEXT VALUE FOR GEN_LOCALIDAD;
  ELSE IF (NEW.ID_LOCALIDAD > GEN_ID(GEN_LOCALIDAD, 0)) THEN
    PASO = GEN_ID(GEN_LOCALIDAD, NEW.ID_LOCALIDAD - GEN_ID(GEN_LOCALIDAD, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_LOCALIDAD', NEW.ID_LOCALIDAD);
END^

CREATE TRIGGER MARCA_AUD_BI FOR MARCA_AUD
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_MARCA IS NULL) THEN
    NEW.ID_MARCA = NEXT VALUE FOR GEN_MARCA_AUD;
  ELSE IF (NEW.ID_MARCA > GEN_ID(GEN_MARCA_AUD, 0)) THEN
    PASO = GEN_ID(GEN_MARCA_AUD, NEW.ID_MARCA - GEN_ID(GEN_MARCA_AUD, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_MARCA_AUD', NEW.ID_MARCA);
END^

CREATE TRIGGER MARCA_MON_BI FOR MARCA_MON
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_MARCA IS NULL) THEN
    NEW.ID_MARCA = NEXT VALUE FOR GEN_MARCA_MON;
  ELSE IF (NEW.ID_MARCA > GEN_ID(GEN_MARCA_MON, 0)) THEN
    PASO = GEN_ID(GEN_MARCA_MON, NEW.ID_MARCA - GEN_ID(GEN_MARCA_MON, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_MARCA_MON', NEW.ID_MARCA);
END^

CREATE TRIGGER MLENTILLA_BI FOR MLENTILLA
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_MLENTILLA IS NULL) THEN
    NEW.ID_MLENTILLA = NEXT VALUE FOR GEN_MLENTILLA;
  ELSE IF (NEW.ID_MLENTILLA > GEN_ID(GEN_MLENTILLA, 0)) THEN
    PASO = GEN_ID(GEN_MLENTILLA, NEW.ID_MLENTILLA - GEN_ID(GEN_MLENTILLA, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_MLENTILLA', NEW.ID_MLENTILLA);
  NEW.VERSION = 0;
  NEW.MODIFICADO_POR = CURRENT_USER;
  NEW.MODIFICADO_EN = CURRENT_TIMESTAMP;
END^

-- Every change of a lens record is a new version, signed with who made it.
CREATE TRIGGER MLENTILLA_BU FOR MLENTILLA
ACTIVE BEFORE UPDATE POSITION 0
AS
BEGIN
  NEW.VERSION = OLD.VERSION + 1;
  NEW.MODIFICADO_POR = CURRENT_USER;
  NEW.MODIFICADO_EN = CURRENT_TIMESTAMP;
END^

CREATE TRIGGER MONEDA_BI FOR MONEDA
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_MONEDA IS NULL) THEN
    NEW.ID_MONEDA = NEXT VALUE FOR GEN_MONEDA;
  ELSE IF (NEW.ID_MONEDA > GEN_ID(GEN_MONEDA, 0)) THEN
    PASO = GEN_ID(GEN_MONEDA, NEW.ID_MONEDA - GEN_ID(GEN_MONEDA, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_MONEDA', NEW.ID_MONEDA);
END^

CREATE TRIGGER PACIENTE_BI FOR PACIENTE
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_PACIENTE IS NULL) THEN
    NEW.ID_PACIENTE = NEXT VALUE FOR GEN_PACIENTE;
  ELSE IF (NEW.ID_PACIENTE > GEN_ID(GEN_PACIENTE, 0)) THEN
    PASO = GEN_ID(GEN_PACIENTE, NEW.ID_PACIENTE - GEN_ID(GEN_PACIENTE, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_PACIENTE', NEW.ID_PACIENTE);
END^

CREATE TRIGGER PLENTILLA_BI FOR PLENTILLA
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_PRUEBA_LENTILLAS IS NULL) THEN
    NEW.ID_PRUEBA_LENTILLAS = NEXT VALUE FOR GEN_PLENTILLA;
  ELSE IF (NEW.ID_PRUEBA_LENTILLAS > GEN_ID(GEN_PLENTILLA, 0)) THEN
    PASO = GEN_ID(GEN_PLENTILLA, NEW.ID_PRUEBA_LENTILLAS - GEN_ID(GEN_PLENTILLA, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_PLENTILLA', NEW.ID_PRUEBA_LENTILLAS);
  NEW.VERSION = 0;
  NEW.MODIFICADO_POR = CURRENT_USER;
  NEW.MODIFICADO_EN = CURRENT_TIMESTAMP;
END^

-- Every change of a fitting test is a new version, signed with who made it.
CREATE TRIGGER PLENTILLA_BU FOR PLENTILLA
ACTIVE BEFORE UPDATE POSITION 0
AS
BEGIN
  NEW.VERSION = OLD.VERSION + 1;
  NEW.MODIFICADO_POR = CURRENT_USER;
  NEW.MODIFICADO_EN = CURRENT_TIMESTAMP;
END^

CREATE TRIGGER PLOBSERVACIONES_BI FOR PLOBSERVACIONES
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_PLOBSERVACIONES IS NULL) THEN
    NEW.ID_PLOBSERVACIONES = NEXT VALUE FOR GEN_PLOBSERVACIONES;
  ELSE IF (NEW.ID_PLOBSERVACIONES > GEN_ID(GEN_PLOBSERVACIONES, 0)) THEN
    PASO = GEN_ID(GEN_PLOBSERVACIONES, NEW.ID_PLOBSERVACIONES - GEN_ID(GEN_PLOBSERVACIONES, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_PLOBSERVACIONES', NEW.ID_PLOBSERVACIONES);
END^

CREATE TRIGGER POBSERVACIONES_BI FOR POBSERVACIONES
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_POBSERVACIONES IS NULL) THEN
    NEW.ID_POBSERVACIONES = NEXT VALUE FOR GEN_POBSERVACIONES;
  ELSE IF (NEW.ID_POBSERVACIONES > GEN_ID(GEN_POBSERVACIONES, 0)) THEN
    PASO = GEN_ID(GEN_POBSERVACIONES, NEW.ID_POBSERVACIONES - GEN_ID(GEN_POBSERVACIONES, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_POBSERVACIONES', NEW.ID_POBSERVACIONES);
END^

CREATE TRIGGER PROVEEDOR_BI FOR PROVEEDOR
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_PROVEEDOR IS NULL) THEN
    NEW.ID_PROVEEDOR = NEXT VALUE FOR GEN_PROVEEDOR;
  ELSE IF (NEW.ID_PROVEEDOR > GEN_ID(GEN_PROVEEDOR, 0)) THEN
    PASO = GEN_ID(GEN_PROVEEDOR, NEW.ID_PROVEEDOR - GEN_ID(GEN_PROVEEDOR, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_PROVEEDOR', NEW.ID_PROVEEDOR);
END^

CREATE TRIGGER PROVINCIA_BI FOR PROVINCIA
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_PROVINCIA IS NULL) THEN
    NEW.ID_PROVINCIA = NEXT VALUE FOR GEN_PROVINCIA;
  ELSE IF (NEW.ID_PROVINCIA > GEN_ID(GEN_PROVINCIA, 0)) THEN
    PASO = GEN_ID(GEN_PROVINCIA, NEW.ID_PROVINCIA - GEN_ID(GEN_PROVINCIA, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_PROVINCIA', NEW.ID_PROVINCIA);
END^

CREATE TRIGGER REPOSICION_BI FOR REPOSICION
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_REPOSICION IS NULL) THEN
    NEW.ID_REPOSICION = NEXT VALUE FOR GEN_REPOSICION;
  ELSE IF (NEW.ID_REPOSICION > GEN_ID(GEN_REPOSICION, 0)) THEN
    PASO = GEN_ID(GEN_REPOSICION, NEW.ID_REPOSICION - GEN_ID(GEN_REPOSICION, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_REPOSICION', NEW.ID_REPOSICION);
END^

CREATE TRIGGER SMS_DETALLE_BI FOR sms_detalle
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.id_sms_detalle IS NULL) THEN
    NEW.id_sms_detalle = NEXT VALUE FOR GEN_SMS_DETALLE;
  ELSE IF (NEW.id_sms_detalle > GEN_ID(GEN_SMS_DETALLE, 0)) THEN
    PASO = GEN_ID(GEN_SMS_DETALLE, NEW.id_sms_detalle - GEN_ID(GEN_SMS_DETALLE, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_SMS_DETALLE', NEW.id_sms_detalle);
END^

CREATE TRIGGER SMS_MAESTRO_BI FOR sms_maestro
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.id_sms_maestro IS NULL) THEN
    NEW.id_sms_maestro = NEXT VALUE FOR GEN_SMS_MAESTRO;
  ELSE IF (NEW.id_sms_maestro > GEN_ID(GEN_SMS_MAESTRO, 0)) THEN
    PASO = GEN_ID(GEN_SMS_MAESTRO, NEW.id_sms_maestro - GEN_ID(GEN_SMS_MAESTRO, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_SMS_MAESTRO', NEW.id_sms_maestro);
END^

-- A reminder whose message the gateway refused was never given: it goes, so
-- that the patient is reminded by the next sending.
CREATE TRIGGER SMS_MAESTRO_AU FOR sms_maestro
ACTIVE AFTER UPDATE POSITION 0
AS
BEGIN
  IF (NEW.situacion = 2 AND OLD.situacion IS DISTINCT FROM 2) THEN
    DELETE FROM AVISO_REPOSICION WHERE ID_SMS_MAESTRO = NEW.id_sms_maestro;
END^

CREATE TRIGGER TARTICULO_BI FOR TARTICULO
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_TARTICULO IS NULL) THEN
    NEW.ID_TARTICULO = NEXT VALUE FOR GEN_TARTICULO;
  ELSE IF (NEW.ID_TARTICULO > GEN_ID(GEN_TARTICULO, 0)) THEN
    PASO = GEN_ID(GEN_TARTICULO, NEW.ID_TARTICULO - GEN_ID(GEN_TARTICULO, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_TARTICULO', NEW.ID_TARTICULO);
END^

CREATE TRIGGER TCRISTAL_BI FOR TCRISTAL
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_TCRISTAL IS NULL) THEN
    NEW.ID_TCRISTAL = NEXT VALUE FOR GEN_TCRISTAL;
  ELSE IF (NEW.ID_TCRISTAL > GEN_ID(GEN_TCRISTAL, 0)) THEN
    PASO = GEN_ID(GEN_TCRISTAL, NEW.ID_TCRISTAL - GEN_ID(GEN_TCRISTAL, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_TCRISTAL', NEW.ID_TCRISTAL);
END^

CREATE TRIGGER TIENDA_BI FOR TIENDA
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_TIENDA IS NULL) THEN
    NEW.ID_TIENDA = NEXT VALUE FOR GEN_TIENDA;
  ELSE IF (NEW.ID_TIENDA > GEN_ID(GEN_TIENDA, 0)) THEN
    PASO = GEN_ID(GEN_TIENDA, NEW.ID_TIENDA - GEN_ID(GEN_TIENDA, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_TIENDA', NEW.ID_TIENDA);
END^

CREATE TRIGGER TLENTILLA_BI FOR TLENTILLA
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_TLENTILLA IS NULL) THEN
    NEW.ID_TLENTILLA = NEXT VALUE FOR GEN_TLENTILLA;
  ELSE IF (NEW.ID_TLENTILLA > GEN_ID(GEN_TLENTILLA, 0)) THEN
    PASO = GEN_ID(GEN_TLENTILLA, NEW.ID_TLENTILLA - GEN_ID(GEN_TLENTILLA, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_TLENTILLA', NEW.ID_TLENTILLA);
END^

CREATE TRIGGER TRATAMIENTO_BI FOR TRATAMIENTO
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_TRATAMIENTO IS NULL) THEN
    NEW.ID_TRATAMIENTO = NEXT VALUE FOR GEN_TRATAMIENTO;
  ELSE IF (NEW.ID_TRATAMIENTO > GEN_ID(GEN_TRATAMIENTO, 0)) THEN
    PASO = GEN_ID(GEN_TRATAMIENTO, NEW.ID_TRATAMIENTO - GEN_ID(GEN_TRATAMIENTO, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_TRATAMIENTO', NEW.ID_TRATAMIENTO);
END^

CREATE TRIGGER USUARIO_BI FOR USUARIO
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_USUARIO IS NULL) THEN
    NEW.ID_USUARIO = NEXT VALUE FOR GEN_USUARIO;
  ELSE IF (NEW.ID_USUARIO > GEN_ID(GEN_USUARIO, 0)) THEN
    PASO = GEN_ID(GEN_USUARIO, NEW.ID_USUARIO - GEN_ID(GEN_USUARIO, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_USUARIO', NEW.ID_USUARIO);
END^

CREATE TRIGGER VENTA_BI FOR VENTA
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_VENTA IS NULL) THEN
    NEW.ID_VENTA = NEXT VALUE FOR GEN_VENTA;
  ELSE IF (NEW.ID_VENTA > GEN_ID(GEN_VENTA, 0)) THEN
    PASO = GEN_ID(GEN_VENTA, NEW.ID_VENTA - GEN_ID(GEN_VENTA, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_VENTA', NEW.ID_VENTA);
END^

CREATE TRIGGER DVENTA_BI FOR DVENTA
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_DVENTA IS NULL) THEN
    NEW.ID_DVENTA = NEXT VALUE FOR GEN_DVENTA;
  ELSE IF (NEW.ID_DVENTA > GEN_ID(GEN_DVENTA, 0)) THEN
    PASO = GEN_ID(GEN_DVENTA, NEW.ID_DVENTA - GEN_ID(GEN_DVENTA, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_DVENTA', NEW.ID_DVENTA);
END^

CREATE TRIGGER ENCARGO_BI FOR ENCARGO
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_ENCARGO IS NULL) THEN
    NEW.ID_ENCARGO = NEXT VALUE FOR GEN_ENCARGO;
  ELSE IF (NEW.ID_ENCARGO > GEN_ID(GEN_ENCARGO, 0)) THEN
    PASO = GEN_ID(GEN_ENCARGO, NEW.ID_ENCARGO - GEN_ID(GEN_ENCARGO, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_ENCARGO', NEW.ID_ENCARGO);
END^

CREATE TRIGGER DENCARGO_BI FOR DENCARGO
ACTIVE BEFORE INSERT POSITION 0
AS
  DECLARE VARIABLE PASO BIGINT;
BEGIN
  IF (NEW.ID_DENCARGO IS NULL) THEN
    NEW.ID_DENCARGO = NEXT VALUE FOR GEN_DENCARGO;
  ELSE IF (NEW.ID_DENCARGO > GEN_ID(GEN_DENCARGO, 0)) THEN
    PASO = GEN_ID(GEN_DENCARGO, NEW.ID_DENCARGO - GEN_ID(GEN_DENCARGO, 0));
  PASO = RDB$SET_CONTEXT('USER_SESSION', 'ID_DENCARGO', NEW.ID_DENCARGO);
END^

SET TERM ; ^


/* ======================================================================
   ID_ procedures: the key that the last insert of this attachment into the
   table received (set by the trigger of the table). Run on the same connection
   right after the insert. -1 when this attachment has inserted nothing
   there yet. Never GEN_ID(..., 0): that is the last key of any workstation.
   ====================================================================== */

SET TERM ^ ;

CREATE PROCEDURE ID_MLENTILLA
RETURNS (ID INTEGER)
AS
BEGIN
  ID = COALESCE(CAST(RDB$GET_CONTEXT('USER_SESSION', 'ID_MLENTILLA') AS INTEGER), -1);
END^

CREATE PROCEDURE ID_DLENTILLA
RETURNS (ID INTEGER)
AS
BEGIN
  ID = COALESCE(CAST(RDB$GET_CONTEXT('USER_SESSION', 'ID_DLENTILLA') AS INTEGER), -1);
END^

CREATE PROCEDURE ID_TLENTILLA
RETURNS (ID INTEGER)
AS
BEGIN
  ID = COALESCE(CAST(RDB$GET_CONTEXT('USER_SESSION', 'ID_TLENTILLA') AS INTEGER), -1);
END^

CREATE PROCEDURE ID_PLENTILLA
RETURNS (ID INTEGER)
AS
BEGIN
  ID = COALESCE(CAST(RDB$GET_CONTEXT('USER_SESSION', 'ID_PLENTILLA') AS INTEGER), -1);
END^

CREATE PROCEDURE ID_ARTICULO
RETURNS (ID INTEGER)
AS
BEGIN
  ID = COALESCE(CAST(RDB$GET_CONTEXT('USER_SESSION', 'ID_ARTICULO') AS INTEGER), -1);
END^

CREATE PROCEDURE ID_VENTA
RETURNS (ID INTEGER)
AS
BEGIN
  ID = COALESCE(CAST(RDB$GET_CONTEXT('USER_SESSION', 'ID_VENTA') AS INTEGER), -1);
END^

CREATE PROCEDURE ID_ENCARGO
RETURNS (ID INTEGER)
AS
BEGIN
  ID = COALESCE(CAST(RDB$GET_CONTEXT('USER_SESSION', 'ID_ENCARGO') AS INTEGER), -1);
END^

CREATE PROCEDURE ID_REPOSICION
RETURNS (ID INTEGER)
AS
BEGIN
  ID = COALESCE(CAST(RDB$GET_CONTEXT('USER_SESSION', 'ID_REPOSICION') AS INTEGER), -1);
END^

CREATE PROCEDURE ID_DOCTOR
RETURNS (ID INTEGER)
AS
BEGIN
  ID = COALESCE(CAST(RDB$GET_CONTEXT('USER_SESSION', 'ID_DOCTOR') AS INTEGER), -1);
END^

CREATE PROCEDURE ID_AGENTE
RETURNS (ID INTEGER)
AS
BEGIN
  ID = COALESCE(CAST(RDB$GET_CONTEXT('USER_SESSION', 'ID_AGENTE') AS INTEGER), -1);
END^

CREATE PROCEDURE ID_DOBSERVACIONES
RETURNS (ID INTEGER)
AS
BEGIN
  ID = COALESCE(CAST(RDB$GET_CONTEXT('USER_SESSION', 'ID_DOBSERVACIONES') AS INTEGER), -1);
END^

CREATE PROCEDURE ID_SMS_MAESTRO
RETURNS (ID INTEGER)
AS
BEGIN
  ID = COALESCE(CAST(RDB$GET_CONTEXT('USER_SESSION', 'ID_SMS_MAESTRO') AS INTEGER), -1);
END^

CREATE PROCEDURE ID_SMS_DETALLE
RETURNS (ID INTEGER)
AS
BEGIN
  ID = COALESCE(CAST(RDB$GET_CONTEXT('USER_SESSION', 'ID_SMS_DETALLE') AS INTEGER), -1);
END^

SET TERM ; ^

/* ======================================================================
   BUSCAR_ procedures: one row by any of their ORG_ inputs. An input of -1
   (numbers) or the text -1 (texts) takes no part. Every other input must
   match. Of the rows that match, the one with the lowest key is returned.
   The found flag is 1 when a row was found and 0 when not. The RES_ outputs
   of a search that found nothing stay NULL. A call that gives no criterion at all finds nothing (the deleted
   filters ORG_BORRADO are not criteria). The search first looks for the key
   through the index of the first input given, then reads the row by its key.
   ====================================================================== */

SET TERM ^ ;

-- A lens record by key, or by patient and record number.
CREATE PROCEDURE BUSCAR_MLENTILLA (
  ORG_ID INTEGER,
  ORG_ID_PACIENTE INTEGER,
  ORG_NUMERO_FICHA INTEGER
)
RETURNS (
  RES_RESULTADO INTEGER,
  RES_ID INTEGER,
  RES_NUMERO_FICHA INTEGER,
  RES_ID_PACIENTE INTEGER,
  RES_ID_DOCTOR INTEGER,
  RES_ID_AGENTE INTEGER,
  RES_FECHA TIMESTAMP,
  RES_FECHA_REVISION TIMESTAMP,
  RES_FECHA_LIMPIEZA TIMESTAMP,
  RES_FECHA_CADUCIDAD TIMESTAMP,
  RES_FECHA_REPOSICION TIMESTAMP,
  RES_PROPIA_AJENA INTEGER,
  RES_OD_ABERTURA_PARPEBRAL DOUBLE PRECISION,
  RES_OD_DIAMETRO_IRIS DOUBLE PRECISION,
  RES_OD_DIAMETRO_PUPILAR DOUBLE PRECISION,
  RES_OI_ABERTURA_PARPEBRAL DOUBLE PRECISION,
  RES_OI_DIAMETRO_IRIS DOUBLE PRECISION,
  RES_OI_DIAMETRO_PUPILAR DOUBLE PRECISION,
  RES_OD_ESFERA DOUBLE PRECISION,
  RES_OD_CILINDRO DOUBLE PRECISION,
  RES_OD_EJE INTEGER,
  RES_OD_AGUDEZA_VISUAL_CC DOUBLE PRECISION,
  RES_OD_ADICION DOUBLE PRECISION,
  RES_OD_DIAMETRO DOUBLE PRECISION,
  RES_OD_ZONA_OPTICA DOUBLE PRECISION,
  RES_OD_RADIO_1 VARCHAR(20),
  RES_OD_RADIO_2 VARCHAR(20),
  RES_OI_ESFERA DOUBLE PRECISION,
  RES_OI_CILINDRO DOUBLE PRECISION,
  RES_OI_EJE INTEGER,
  RES_OI_AGUDEZA_VISUAL_CC DOUBLE PRECISION,
  RES_OI_ADICION DOUBLE PRECISION,
  RES_OI_DIAMETRO DOUBLE PRECISION,
  RES_OI_ZONA_OPTICA DOUBLE PRECISION,
  RES_OI_RADIO_1 VARCHAR(20),
  RES_OI_RADIO_2 VARCHAR(20),
  RES_OD_QUERATOMETRIA VARCHAR(50),
  RES_OI_QUERATOMETRIA VARCHAR(50),
  RES_LIQUIDOS VARCHAR(255),
  RES_ID_TIENDA INTEGER,
  RES_VERSION INTEGER
)
AS
  DECLARE VARIABLE CLAVE INTEGER;
BEGIN
  RES_RESULTADO = 0;
  IF (ORG_ID IS NULL) THEN ORG_ID = -1;
  IF (ORG_ID_PACIENTE IS NULL) THEN ORG_ID_PACIENTE = -1;
  IF (ORG_NUMERO_FICHA IS NULL) THEN ORG_NUMERO_FICHA = -1;
  IF (ORG_ID <> -1) THEN
    SELECT MIN(ID_MLENTILLA + 0) FROM MLENTILLA
     WHERE ID_MLENTILLA = :ORG_ID
       AND (:ORG_ID_PACIENTE = -1 OR ID_PACIENTE = :ORG_ID_PACIENTE)
       AND (:ORG_NUMERO_FICHA = -1 OR NUMERO_FICHA = :ORG_NUMERO_FICHA)
      INTO :CLAVE;
  ELSE IF (ORG_ID_PACIENTE <> -1) THEN
    SELECT MIN(ID_MLENTILLA + 0) FROM MLENTILLA
     WHERE ID_PACIENTE = :ORG_ID_PACIENTE
       AND (:ORG_NUMERO_FICHA = -1 OR NUMERO_FICHA = :ORG_NUMERO_FICHA)
      INTO :CLAVE;
  ELSE IF (ORG_NUMERO_FICHA <> -1) THEN
    SELECT MIN(ID_MLENTILLA + 0) FROM MLENTILLA
     WHERE (:ORG_NUMERO_FICHA = -1 OR NUMERO_FICHA = :ORG_NUMERO_FICHA)
      INTO :CLAVE;
  IF (CLAVE IS NOT NULL) THEN
  BEGIN
    SELECT ID_MLENTILLA,
           NUMERO_FICHA,
           ID_PACIENTE,
           ID_DOCTOR,
           ID_AGENTE,
           FECHA,
           FECHA_REVISION,
           FECHA_LIMPIEZA,
           FECHA_CADUCIDAD,
           FECHA_REPOSICION,
           PROPIA_AJENA,
           OD_ABERTURA_PARPEBRAL,
           OD_DIAMETRO_IRIS,
           OD_DIAMETRO_PUPILAR,
           OI_ABERTURA_PARPEBRAL,
           OI_DIAMETRO_IRIS,
           OI_DIAMETRO_PUPILAR,
           OD_ESFERA,
           OD_CILINDRO,
           OD_EJE,
           OD_AGUDEZA_VISUAL_CC,
           OD_ADICION,
           OD_DIAMETRO,
           OD_ZONA_OPTICA,
           OD_RADIO_1,
           OD_RADIO_2,
           OI_ESFERA,
           OI_CILINDRO,
           OI_EJE,
           OI_AGUDEZA_VISUAL_CC,
           OI_ADICION,
           OI_DIAMETRO,
           OI_ZONA_OPTICA,
           OI_RADIO_1,
           OI_RADIO_2,
           OD_QUERATOMETRIA,
           OI_QUERATOMETRIA,
           LIQUIDOS,
           ID_TIENDA,
           VERSION
      FROM MLENTILLA
     WHERE ID_MLENTILLA = :CLAVE
      INTO :RES_ID,
           :RES_NUMERO_FICHA,
           :RES_ID_PACIENTE,
           :RES_ID_DOCTOR,
           :RES_ID_AGENTE,
           :RES_FECHA,
           :RES_FECHA_REVISION,
           :RES_FECHA_LIMPIEZA,
           :RES_FECHA_CADUCIDAD,
           :RES_FECHA_REPOSICION,
           :RES_PROPIA_AJENA,
           :RES_OD_ABERTURA_PARPEBRAL,
           :RES_OD_DIAMETRO_IRIS,
           :RES_OD_DIAMETRO_PUPILAR,
           :RES_OI_ABERTURA_PARPEBRAL,
           :RES_OI_DIAMETRO_IRIS,
           :RES_OI_DIAMETRO_PUPILAR,
           :RES_OD_ESFERA,
           :RES_OD_CILINDRO,
           :RES_OD_EJE,
           :RES_OD_AGUDEZA_VISUAL_CC,
           :RES_OD_ADICION,
           :RES_OD_DIAMETRO,
           :RES_OD_ZONA_OPTICA,
           :RES_OD_RADIO_1,
           :RES_OD_RADIO_2,
           :RES_OI_ESFERA,
           :RES_OI_CILINDRO,
           :RES_OI_EJE,
           :RES_OI_AGUDEZA_VISUAL_CC,
           :RES_OI_ADICION,
           :RES_OI_DIAMETRO,
           :RES_OI_ZONA_OPTICA,
           :RES_OI_RADIO_1,
           :RES_OI_RADIO_2,
           :RES_OD_QUERATOMETRIA,
           :RES_OI_QUERATOMETRIA,
           :RES_LIQUIDOS,
           :RES_ID_TIENDA,
           :RES_VERSION;
    RES_RESULTADO = 1;
  END
END^

-- A lens line by key, or the first line of a record.
CREATE PROCEDURE BUSCAR_DLENTILLA (
  ORG_ID_DLENTILLA INTEGER,
  ORG_ID_MLENTILLA INTEGER
)
RETURNS (
  RES_RESULTADO INTEGER,
  RES_OJO INTEGER,
  RES_REFERENCIA VARCHAR(30),
  RES_DESCRIPCION VARCHAR(255),
  RES_ID_TLENTILLA INTEGER,
  RES_MODELO VARCHAR(50),
  RES_DIAMETRO DOUBLE PRECISION,
  RES_RADIO_1 VARCHAR(20),
  RES_RADIO_2 VARCHAR(20),
  RES_COLOR VARCHAR(50),
  RES_IMPORTE_M1 DOUBLE PRECISION,
  RES_IMPORTE_M2 DOUBLE PRECISION,
  RES_FECHA_GARANTIA TIMESTAMP,
  RES_LOTE VARCHAR(50),
  RES_UNIDADES INTEGER,
  RES_CADUCIDAD_CAJA TIMESTAMP
)
AS
  DECLARE VARIABLE CLAVE INTEGER;
BEGIN
  RES_RESULTADO = 0;
  IF (ORG_ID_DLENTILLA IS NULL) THEN ORG_ID_DLENTILLA = -1;
  IF (ORG_ID_MLENTILLA IS NULL) THEN ORG_ID_MLENTILLA = -1;
  IF (ORG_ID_DLENTILLA <> -1) THEN
    SELECT MIN(ID_DLENTILLA + 0) FROM DLENTILLA
     WHERE ID_DLENTILLA = :ORG_ID_DLENTILLA
       AND (:ORG_ID_MLENTILLA = -1 OR ID_MLENTILLA = :ORG_ID_MLENTILLA)
      INTO :CLAVE;
  ELSE IF (ORG_ID_MLENTILLA <> -1) THEN
    SELECT MIN(ID_DLENTILLA + 0) FROM DLENTILLA
     WHERE ID_MLENTILLA = :ORG_ID_MLENTILLA
      INTO :CLAVE;
  IF (CLAVE IS NOT NULL) THEN
  BEGIN
    SELECT OJO,
           REFERENCIA,
           DESCRIPCION,
           ID_TLENTILLA,
           MODELO,
           DIAMETRO,
           RADIO_1,
           RADIO_2,
           COLOR,
           IMPORTE_M1,
           IMPORTE_M2,
           FECHA_GARANTIA,
           LOTE,
           UNIDADES,
           CADUCIDAD_CAJA
      FROM DLENTILLA
     WHERE ID_DLENTILLA = :CLAVE
      INTO :RES_OJO,
           :RES_REFERENCIA,
           :RES_DESCRIPCION,
           :RES_ID_TLENTILLA,
           :RES_MODELO,
           :RES_DIAMETRO,
           :RES_RADIO_1,
           :RES_RADIO_2,
           :RES_COLOR,
           :RES_IMPORTE_M1,
           :RES_IMPORTE_M2,
           :RES_FECHA_GARANTIA,
           :RES_LOTE,
           :RES_UNIDADES,
           :RES_CADUCIDAD_CAJA;
    RES_RESULTADO = 1;
  END
END^

-- A fitting test by key, or by patient and test number.
CREATE PROCEDURE BUSCAR_PRUEBA_LENTILLA (
  ORG_ID INTEGER,
  ORG_ID_PACIENTE INTEGER,
  ORG_NUMERO_FICHA INTEGER
)
RETURNS (
  RES_RESULTADO INTEGER,
  RES_ID_PACIENTE INTEGER,
  RES_NUMERO_FICHA INTEGER,
  RES_FECHA TIMESTAMP,
  RES_OD_ESFERA DOUBLE PRECISION,
  RES_OD_CILINDRO DOUBLE PRECISION,
  RES_OD_EJE INTEGER,
  RES_OD_AGUDEZA_VISUAL DOUBLE PRECISION,
  RES_OD_ADICION DOUBLE PRECISION,
  RES_OD_DIAMETRO DOUBLE PRECISION,
  RES_OD_ZONA_OPTICA DOUBLE PRECISION,
  RES_OI_ESFERA DOUBLE PRECISION,
  RES_OI_CILINDRO DOUBLE PRECISION,
  RES_OI_EJE INTEGER,
  RES_OI_AGUDEZA_VISUAL DOUBLE PRECISION,
  RES_OI_ADICION DOUBLE PRECISION,
  RES_OI_DIAMETRO DOUBLE PRECISION,
  RES_OI_ZONA_OPTICA DOUBLE PRECISION,
  RES_OD_RADIO_1 VARCHAR(20),
  RES_OD_RADIO_2 VARCHAR(20),
  RES_OI_RADIO_1 VARCHAR(20),
  RES_OI_RADIO_2 VARCHAR(20),
  RES_OD_SOB_ESFERA DOUBLE PRECISION,
  RES_OD_SOB_CILINDRO DOUBLE PRECISION,
  RES_OD_SOB_EJE INTEGER,
  RES_OD_SOB_AGUDEZA_VISUAL DOUBLE PRECISION,
  RES_OI_SOB_ESFERA DOUBLE PRECISION,
  RES_OI_SOB_CILINDRO DOUBLE PRECISION,
  RES_OI_SOB_EJE INTEGER,
  RES_OI_SOB_AGUDEZA_VISUAL DOUBLE PRECISION,
  RES_OD_TIPO_LENTILLA_ART INTEGER,
  RES_OD_REFERENCIA_ART VARCHAR(30),
  RES_OD_DESCRIPCION_ART VARCHAR(100),
  RES_OD_MODELO_ART VARCHAR(50),
  RES_OD_RADIO_1_ART VARCHAR(20),
  RES_OD_RADIO_2_ART VARCHAR(20),
  RES_OD_DIAMETRO_ART DOUBLE PRECISION,
  RES_OD_COLOR_ART VARCHAR(50),
  RES_OI_TIPO_LENTILLA_ART INTEGER,
  RES_OI_REFERENCIA_ART VARCHAR(30),
  RES_OI_DESCRIPCION_ART VARCHAR(100),
  RES_OI_MODELO_ART VARCHAR(50),
  RES_OI_RADIO_1_ART VARCHAR(20),
  RES_OI_RADIO_2_ART VARCHAR(20),
  RES_OI_DIAMETRO_ART DOUBLE PRECISION,
  RES_OI_COLOR_ART VARCHAR(50),
  RES_ID_AGENTE INTEGER,
  RES_OD_LOTE VARCHAR(50),
  RES_OI_LOTE VARCHAR(50),
  RES_VERSION INTEGER
)
AS
  DECLARE VARIABLE CLAVE INTEGER;
BEGIN
  RES_RESULTADO = 0;
  IF (ORG_ID IS NULL) THEN ORG_ID = -1;
  IF (ORG_ID_PACIENTE IS NULL) THEN ORG_ID_PACIENTE = -1;
  IF (ORG_NUMERO_FICHA IS NULL) THEN ORG_NUMERO_FICHA = -1;
  IF (ORG_ID <> -1) THEN
    SELECT MIN(ID_PRUEBA_LENTILLAS + 0) FROM PLENTILLA
     WHERE ID_PRUEBA_LENTILLAS = :ORG_ID
       AND (:ORG_ID_PACIENTE = -1 OR ID_PACIENTE = :ORG_ID_PACIENTE)
       AND (:ORG_NUMERO_FICHA = -1 OR NUMERO_FICHA = :ORG_NUMERO_FICHA)
      INTO :CLAVE;
  ELSE IF (ORG_ID_PACIENTE <> -1) THEN
    SELECT MIN(ID_PRUEBA_LENTILLAS + 0) FROM PLENTILLA
     WHERE ID_PACIENTE = :ORG_ID_PACIENTE
       AND (:ORG_NUMERO_FICHA = -1 OR NUMERO_FICHA = :ORG_NUMERO_FICHA)
      INTO :CLAVE;
  ELSE IF (ORG_NUMERO_FICHA <> -1) THEN
    SELECT MIN(ID_PRUEBA_LENTILLAS + 0) FROM PLENTILLA
     WHERE (:ORG_NUMERO_FICHA = -1 OR NUMERO_FICHA = :ORG_NUMERO_FICHA)
      INTO :CLAVE;
  IF (CLAVE IS NOT NULL) THEN
  BEGIN
    SELECT ID_PACIENTE,
           NUMERO_FICHA,
           FECHA,
           OD_ESFERA,
           OD_CILINDRO,
           OD_EJE,
           OD_AGUDEZA_VISUAL,
           OD_ADICION,
           OD_DIAMETRO,
           OD_ZONA_OPTICA,
           OI_ESFERA,
           OI_CILINDRO,
           OI_EJE,
           OI_AGUDEZA_VISUAL,
           OI_ADICION,
           OI_DIAMETRO,
           OI_ZONA_OPTICA,
           OD_RADIO_1,
           OD_RADIO_2,
           OI_RADIO_1,
           OI_RADIO_2,
           OD_SOB_ESFERA,
           OD_SOB_CILINDRO,
           OD_SOB_EJE,
           OD_SOB_AGUDEZA_VISUAL,
           OI_SOB_ESFERA,
           OI_SOB_CILINDRO,
           OI_SOB_EJE,
           OI_SOB_AGUDEZA_VISUAL,
           OD_TLENTILLA_ART,
           OD_REFERENCIA_ART,
           OD_DESCRIPCION_ART,
           OD_MODELO_ART,
           OD_RADIO_1_ART,
           OD_RADIO_2_ART,
           OD_DIAMETRO_ART,
           OD_COLOR_ART,
           OI_TLENTILLA_ART,
           OI_REFERENCIA_ART,
           OI_DESCRIPCION_ART,
           OI_MODELO_ART,
           OI_RADIO_1_ART,
           OI_RADIO_2_ART,
           OI_DIAMETRO_ART,
           OI_COLOR_ART,
           ID_AGENTE,
           OD_LOTE,
           OI_LOTE,
           VERSION
      FROM PLENTILLA
     WHERE ID_PRUEBA_LENTILLAS = :CLAVE
      INTO :RES_ID_PACIENTE,
           :RES_NUMERO_FICHA,
           :RES_FECHA,
           :RES_OD_ESFERA,
           :RES_OD_CILINDRO,
           :RES_OD_EJE,
           :RES_OD_AGUDEZA_VISUAL,
           :RES_OD_ADICION,
           :RES_OD_DIAMETRO,
           :RES_OD_ZONA_OPTICA,
           :RES_OI_ESFERA,
           :RES_OI_CILINDRO,
           :RES_OI_EJE,
           :RES_OI_AGUDEZA_VISUAL,
           :RES_OI_ADICION,
           :RES_OI_DIAMETRO,
           :RES_OI_ZONA_OPTICA,
           :RES_OD_RADIO_1,
           :RES_OD_RADIO_2,
           :RES_OI_RADIO_1,
           :RES_OI_RADIO_2,
           :RES_OD_SOB_ESFERA,
           :RES_OD_SOB_CILINDRO,
           :RES_OD_SOB_EJE,
           :RES_OD_SOB_AGUDEZA_VISUAL,
           :RES_OI_SOB_ESFERA,
           :RES_OI_SOB_CILINDRO,
           :RES_OI_SOB_EJE,
           :RES_OI_SOB_AGUDEZA_VISUAL,
           :RES_OD_TIPO_LENTILLA_ART,
           :RES_OD_REFERENCIA_ART,
           :RES_OD_DESCRIPCION_ART,
           :RES_OD_MODELO_ART,
           :RES_OD_RADIO_1_ART,
           :RES_OD_RADIO_2_ART,
           :RES_OD_DIAMETRO_ART,
           :RES_OD_COLOR_ART,
           :RES_OI_TIPO_LENTILLA_ART,
           :RES_OI_REFERENCIA_ART,
           :RES_OI_DESCRIPCION_ART,
           :RES_OI_MODELO_ART,
           :RES_OI_RADIO_1_ART,
           :RES_OI_RADIO_2_ART,
           :RES_OI_DIAMETRO_ART,
           :RES_OI_COLOR_ART,
           :RES_ID_AGENTE,
           :RES_OD_LOTE,
           :RES_OI_LOTE,
           :RES_VERSION;
    RES_RESULTADO = 1;
  END
END^

-- A lens type by key, code or description.
CREATE PROCEDURE BUSCAR_TLENTILLA (
  ORG_ID_TLENTILLA INTEGER,
  ORG_CODIGO VARCHAR(255),
  ORG_DESCRIPCION VARCHAR(255)
)
RETURNS (
  RES_RESULTADO INTEGER,
  RES_ID_TLENTILLA INTEGER,
  RES_CODIGO VARCHAR(10),
  RES_DESCRIPCION VARCHAR(255)
)
AS
  DECLARE VARIABLE CLAVE INTEGER;
BEGIN
  RES_RESULTADO = 0;
  IF (ORG_ID_TLENTILLA IS NULL) THEN ORG_ID_TLENTILLA = -1;
  IF (ORG_CODIGO IS NULL) THEN ORG_CODIGO = '-1';
  IF (ORG_DESCRIPCION IS NULL) THEN ORG_DESCRIPCION = '-1';
  IF (ORG_ID_TLENTILLA <> -1) THEN
    SELECT MIN(ID_TLENTILLA + 0) FROM TLENTILLA
     WHERE ID_TLENTILLA = :ORG_ID_TLENTILLA
       AND (:ORG_CODIGO = '-1' OR CODIGO = :ORG_CODIGO)
       AND (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
      INTO :CLAVE;
  ELSE IF (ORG_CODIGO <> '-1') THEN
    SELECT MIN(ID_TLENTILLA + 0) FROM TLENTILLA
     WHERE CODIGO = :ORG_CODIGO
       AND (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
      INTO :CLAVE;
  ELSE IF (ORG_DESCRIPCION <> '-1') THEN
    SELECT MIN(ID_TLENTILLA + 0) FROM TLENTILLA
     WHERE (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
      INTO :CLAVE;
  IF (CLAVE IS NOT NULL) THEN
  BEGIN
    SELECT ID_TLENTILLA,
           CODIGO,
           DESCRIPCION
      FROM TLENTILLA
     WHERE ID_TLENTILLA = :CLAVE
      INTO :RES_ID_TLENTILLA,
           :RES_CODIGO,
           :RES_DESCRIPCION;
    RES_RESULTADO = 1;
  END
END^

-- An article by key, barcode, reference or description: every column.
CREATE PROCEDURE BUSCAR_ARTICULO (
  ORG_ID_ARTICULO DOUBLE PRECISION,
  ORG_CBARRAS DOUBLE PRECISION,
  ORG_REFERENCIA VARCHAR(255),
  ORG_DESCRIPCION VARCHAR(255)
)
RETURNS (
  RES_RESULTADO INTEGER,
  RES_ID_ARTICULO INTEGER,
  RES_ID_TARTICULO INTEGER,
  RES_REFERENCIA VARCHAR(30),
  RES_CODIGO_BARRAS BIGINT,
  RES_REFERENCIA_PROVEEDOR VARCHAR(30),
  RES_DESCRIPCION VARCHAR(100),
  RES_MODELO VARCHAR(50),
  RES_ID_FAMILIA INTEGER,
  RES_ID_PROVEEDOR INTEGER,
  RES_ID_PROVEEDOR_ULTIMO INTEGER,
  RES_ID_IVA_COMPRA INTEGER,
  RES_ID_IVA_VENTA INTEGER,
  RES_ID_MARCA INTEGER,
  RES_ID_TIPO INTEGER,
  RES_ID_TRATAMIENTO_1 INTEGER,
  RES_ID_TRATAMIENTO_2 INTEGER,
  RES_ID_TRATAMIENTO_3 INTEGER,
  RES_PRECIO_COSTE_M1 DOUBLE PRECISION,
  RES_PRECIO_COSTE_M2 DOUBLE PRECISION,
  RES_PRECIO_VENTA1_M1 DOUBLE PRECISION,
  RES_PRECIO_VENTA1_M2 DOUBLE PRECISION,
  RES_PRECIO_VENTA2_M1 DOUBLE PRECISION,
  RES_PRECIO_VENTA2_M2 DOUBLE PRECISION,
  RES_PRECIO_COSTE_MED_M1 DOUBLE PRECISION,
  RES_PRECIO_COSTE_MED_M2 DOUBLE PRECISION,
  RES_COMPRADAS_IMP_M1 DOUBLE PRECISION,
  RES_COMPRADAS_IMP_M2 DOUBLE PRECISION,
  RES_VENDIDAS_IMP_M1 DOUBLE PRECISION,
  RES_VENDIDAS_IMP_M2 DOUBLE PRECISION,
  RES_OFERTA_IMPORTE_M1 DOUBLE PRECISION,
  RES_OFERTA_IMPORTE_M2 DOUBLE PRECISION,
  RES_NUEVO_PRECIO_M1 DOUBLE PRECISION,
  RES_NUEVO_PRECIO_M2 DOUBLE PRECISION,
  RES_PRECIO_PVP1_PVP2 INTEGER,
  RES_DESCUENTO_COMPRA DOUBLE PRECISION,
  RES_MARGEN_BENEFICIO DOUBLE PRECISION,
  RES_STOCK_MAXIMO DOUBLE PRECISION,
  RES_STOCK_MINIMO DOUBLE PRECISION,
  RES_STOCK_PEDIDO DOUBLE PRECISION,
  RES_ULTIMO_DESCUENTO DOUBLE PRECISION,
  RES_COMPRADAS_UNIDADES DOUBLE PRECISION,
  RES_VENDIDAS_UNIDADES INTEGER,
  RES_FECHA_GARANTIA TIMESTAMP,
  RES_FECHA_CADUCIDAD TIMESTAMP,
  RES_FECHA_ULTIMA_COMPRA TIMESTAMP,
  RES_FECHA_ULTIMA_VENTA TIMESTAMP,
  RES_OFERTA_DESDE TIMESTAMP,
  RES_OFERTA_HASTA TIMESTAMP,
  RES_NUEVO_DESDE TIMESTAMP,
  RES_FECHA_CREACION TIMESTAMP,
  RES_DIAMETRO DOUBLE PRECISION,
  RES_ESFERA DOUBLE PRECISION,
  RES_CILINDRO DOUBLE PRECISION,
  RES_RADIO_1 VARCHAR(20),
  RES_RADIO_2 VARCHAR(20),
  RES_TAMANO VARCHAR(20),
  RES_COLOR VARCHAR(50),
  RES_VARILLA VARCHAR(20),
  RES_IMAGEN VARCHAR(255),
  RES_DIGITO_CONTROL INTEGER
)
AS
  DECLARE VARIABLE CLAVE INTEGER;
  DECLARE VARIABLE CBARRAS BIGINT;
BEGIN
  RES_RESULTADO = 0;
  IF (ORG_ID_ARTICULO IS NULL) THEN ORG_ID_ARTICULO = -1;
  IF (ORG_CBARRAS IS NULL) THEN ORG_CBARRAS = -1;
  IF (ORG_REFERENCIA IS NULL) THEN ORG_REFERENCIA = '-1';
  IF (ORG_DESCRIPCION IS NULL) THEN ORG_DESCRIPCION = '-1';
  -- the barcode column is BIGINT: compare with a BIGINT copy so that its index
  -- is used, a number with decimals or out of range is no barcode at all
  CBARRAS = -1;
  IF (ORG_CBARRAS <> -1) THEN
  BEGIN
    IF (ORG_CBARRAS < 0 OR ORG_CBARRAS > 9.2e18) THEN EXIT;
    IF (ORG_CBARRAS <> CAST(ORG_CBARRAS AS BIGINT)) THEN EXIT;
    CBARRAS = ORG_CBARRAS;
  END
  IF (ORG_ID_ARTICULO <> -1) THEN
    SELECT MIN(ID_ARTICULO + 0) FROM ARTICULO
     WHERE ID_ARTICULO = :ORG_ID_ARTICULO
       AND (:CBARRAS = -1 OR CODIGO_BARRAS = :CBARRAS)
       AND (:ORG_REFERENCIA = '-1' OR REFERENCIA = :ORG_REFERENCIA)
       AND (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
      INTO :CLAVE;
  ELSE IF (ORG_CBARRAS <> -1) THEN
    SELECT MIN(ID_ARTICULO + 0) FROM ARTICULO
     WHERE CODIGO_BARRAS = :CBARRAS
       AND (:ORG_REFERENCIA = '-1' OR REFERENCIA = :ORG_REFERENCIA)
       AND (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
      INTO :CLAVE;
  ELSE IF (ORG_REFERENCIA <> '-1') THEN
    SELECT MIN(ID_ARTICULO + 0) FROM ARTICULO
     WHERE REFERENCIA = :ORG_REFERENCIA
       AND (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
      INTO :CLAVE;
  ELSE IF (ORG_DESCRIPCION <> '-1') THEN
    SELECT MIN(ID_ARTICULO + 0) FROM ARTICULO
     WHERE DESCRIPCION = :ORG_DESCRIPCION
      INTO :CLAVE;
  IF (CLAVE IS NOT NULL) THEN
  BEGIN
    SELECT ID_ARTICULO,
           ID_TARTICULO,
           REFERENCIA,
           CODIGO_BARRAS,
           REFERENCIA_PROVEEDOR,
           DESCRIPCION,
           MODELO,
           ID_FAMILIA,
           ID_PROVEEDOR,
           ID_PROVEEDOR_ULTIMO,
           ID_IVA_COMPRA,
           ID_IVA_VENTA,
           ID_MARCA,
           ID_TIPO,
           ID_TRATAMIENTO_1,
           ID_TRATAMIENTO_2,
           ID_TRATAMIENTO_3,
           PRECIO_COSTE_M1,
           PRECIO_COSTE_M2,
           PRECIO_VENTA1_M1,
           PRECIO_VENTA1_M2,
           PRECIO_VENTA2_M1,
           PRECIO_VENTA2_M2,
           PRECIO_COSTE_MED_M1,
           PRECIO_COSTE_MED_M2,
           COMPRADAS_IMP_M1,
           COMPRADAS_IMP_M2,
           VENDIDAS_IMP_M1,
           VENDIDAS_IMP_M2,
           OFERTA_IMPORTE_M1,
           OFERTA_IMPORTE_M2,
           NUEVO_PRECIO_M1,
           NUEVO_PRECIO_M2,
           PRECIO_PVP1_PVP2,
           DESCUENTO_COMPRA,
           MARGEN_BENEFICIO,
           STOCK_MAXIMO,
           STOCK_MINIMO,
           STOCK_PEDIDO,
           ULTIMO_DESCUENTO,
           COMPRADAS_UNIDADES,
           VENDIDAS_UNIDADES,
           FECHA_GARANTIA,
           FECHA_CADUCIDAD,
           FECHA_ULTIMA_COMPRA,
           FECHA_ULTIMA_VENTA,
           OFERTA_DESDE,
           OFERTA_HASTA,
           NUEVO_DESDE,
           FECHA_CREACION,
           DIAMETRO,
           ESFERA,
           CILINDRO,
           RADIO_1,
           RADIO_2,
           TAMANO,
           COLOR,
           VARILLA,
           IMAGEN,
           DIGITO_CONTROL
      FROM ARTICULO
     WHERE ID_ARTICULO = :CLAVE
      INTO :RES_ID_ARTICULO,
           :RES_ID_TARTICULO,
           :RES_REFERENCIA,
           :RES_CODIGO_BARRAS,
           :RES_REFERENCIA_PROVEEDOR,
           :RES_DESCRIPCION,
           :RES_MODELO,
           :RES_ID_FAMILIA,
           :RES_ID_PROVEEDOR,
           :RES_ID_PROVEEDOR_ULTIMO,
           :RES_ID_IVA_COMPRA,
           :RES_ID_IVA_VENTA,
           :RES_ID_MARCA,
           :RES_ID_TIPO,
           :RES_ID_TRATAMIENTO_1,
           :RES_ID_TRATAMIENTO_2,
           :RES_ID_TRATAMIENTO_3,
           :RES_PRECIO_COSTE_M1,
           :RES_PRECIO_COSTE_M2,
           :RES_PRECIO_VENTA1_M1,
           :RES_PRECIO_VENTA1_M2,
           :RES_PRECIO_VENTA2_M1,
           :RES_PRECIO_VENTA2_M2,
           :RES_PRECIO_COSTE_MED_M1,
           :RES_PRECIO_COSTE_MED_M2,
           :RES_COMPRADAS_IMP_M1,
           :RES_COMPRADAS_IMP_M2,
           :RES_VENDIDAS_IMP_M1,
           :RES_VENDIDAS_IMP_M2,
           :RES_OFERTA_IMPORTE_M1,
           :RES_OFERTA_IMPORTE_M2,
           :RES_NUEVO_PRECIO_M1,
           :RES_NUEVO_PRECIO_M2,
           :RES_PRECIO_PVP1_PVP2,
           :RES_DESCUENTO_COMPRA,
           :RES_MARGEN_BENEFICIO,
           :RES_STOCK_MAXIMO,
           :RES_STOCK_MINIMO,
           :RES_STOCK_PEDIDO,
           :RES_ULTIMO_DESCUENTO,
           :RES_COMPRADAS_UNIDADES,
           :RES_VENDIDAS_UNIDADES,
           :RES_FECHA_GARANTIA,
           :RES_FECHA_CADUCIDAD,
           :RES_FECHA_ULTIMA_COMPRA,
           :RES_FECHA_ULTIMA_VENTA,
           :RES_OFERTA_DESDE,
           :RES_OFERTA_HASTA,
           :RES_NUEVO_DESDE,
           :RES_FECHA_CREACION,
           :RES_DIAMETRO,
           :RES_ESFERA,
           :RES_CILINDRO,
           :RES_RADIO_1,
           :RES_RADIO_2,
           :RES_TAMANO,
           :RES_COLOR,
           :RES_VARILLA,
           :RES_IMAGEN,
           :RES_DIGITO_CONTROL;
    RES_RESULTADO = 1;
  END
END^

-- An article kind by key or description.
CREATE PROCEDURE BUSCAR_TARTICULO (
  ORG_ID_TARTICULO INTEGER,
  ORG_DESCRIPCION VARCHAR(255)
)
RETURNS (
  RES_RESULTADO INTEGER,
  RES_ID_TARTICULO INTEGER,
  RES_DESCRIPCION VARCHAR(50)
)
AS
  DECLARE VARIABLE CLAVE INTEGER;
BEGIN
  RES_RESULTADO = 0;
  IF (ORG_ID_TARTICULO IS NULL) THEN ORG_ID_TARTICULO = -1;
  IF (ORG_DESCRIPCION IS NULL) THEN ORG_DESCRIPCION = '-1';
  IF (ORG_ID_TARTICULO <> -1) THEN
    SELECT MIN(ID_TARTICULO + 0) FROM TARTICULO
     WHERE ID_TARTICULO = :ORG_ID_TARTICULO
       AND (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
      INTO :CLAVE;
  ELSE IF (ORG_DESCRIPCION <> '-1') THEN
    SELECT MIN(ID_TARTICULO + 0) FROM TARTICULO
     WHERE (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
      INTO :CLAVE;
  IF (CLAVE IS NOT NULL) THEN
  BEGIN
    SELECT ID_TARTICULO,
           DESCRIPCION
      FROM TARTICULO
     WHERE ID_TARTICULO = :CLAVE
      INTO :RES_ID_TARTICULO,
           :RES_DESCRIPCION;
    RES_RESULTADO = 1;
  END
END^

-- A VAT rate by key, type or description. Found: RES_ENCONTRADAS,
-- with RES_RESULTADO as its twin.
CREATE PROCEDURE BUSCAR_IVA (
  ORG_ID_IVA INTEGER,
  ORG_TIPO DOUBLE PRECISION,
  ORG_DESCRIPCION VARCHAR(255)
)
RETURNS (
  RES_ENCONTRADAS INTEGER,
  RES_RESULTADO INTEGER,
  RES_ID_IVA INTEGER,
  RES_DESCRIPCION VARCHAR(100),
  RES_PORCENTAJE DOUBLE PRECISION,
  RES_RECARGO_EQUIVALENCIA DOUBLE PRECISION,
  RES_TIPO DOUBLE PRECISION,
  RES_IVA_INCLUIDO INTEGER,
  RES_INTRACOMUNITARIO INTEGER,
  RES_ID_CUEN_REPERCUTIDO INTEGER,
  RES_ID_CUEN_SOPORTADO INTEGER,
  RES_ID_CUEN_INMOVI INTEGER,
  RES_ID_CUEN_RE_SOPORTADO INTEGER,
  RES_ID_CUEN_RE_REPERCUTIDO INTEGER
)
AS
  DECLARE VARIABLE CLAVE INTEGER;
BEGIN
  RES_ENCONTRADAS = 0;
  RES_RESULTADO = 0;
  IF (ORG_ID_IVA IS NULL) THEN ORG_ID_IVA = -1;
  IF (ORG_TIPO IS NULL) THEN ORG_TIPO = -1;
  IF (ORG_DESCRIPCION IS NULL) THEN ORG_DESCRIPCION = '-1';
  IF (ORG_ID_IVA <> -1) THEN
    SELECT MIN(ID_IVA + 0) FROM IVA
     WHERE ID_IVA = :ORG_ID_IVA
       AND (:ORG_TIPO = -1 OR TIPO = :ORG_TIPO)
       AND (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
      INTO :CLAVE;
  ELSE IF (ORG_TIPO <> -1 OR ORG_DESCRIPCION <> '-1') THEN
    SELECT MIN(ID_IVA + 0) FROM IVA
     WHERE (:ORG_TIPO = -1 OR TIPO = :ORG_TIPO)
       AND (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
      INTO :CLAVE;
  IF (CLAVE IS NOT NULL) THEN
  BEGIN
    SELECT ID_IVA,
           DESCRIPCION,
           PORCENTAJE,
           RECARGO_EQUIVALENCIA,
           TIPO,
           IVA_INCLUIDO,
           INTRACOMUNITARIO,
           ID_CUEN_REPERCUTIDO,
           ID_CUEN_SOPORTADO,
           ID_CUEN_INMOVI,
           ID_CUEN_RE_SOPORTADO,
           ID_CUEN_RE_REPERCUTIDO
      FROM IVA
     WHERE ID_IVA = :CLAVE
      INTO :RES_ID_IVA,
           :RES_DESCRIPCION,
           :RES_PORCENTAJE,
           :RES_RECARGO_EQUIVALENCIA,
           :RES_TIPO,
           :RES_IVA_INCLUIDO,
           :RES_INTRACOMUNITARIO,
           :RES_ID_CUEN_REPERCUTIDO,
           :RES_ID_CUEN_SOPORTADO,
           :RES_ID_CUEN_INMOVI,
           :RES_ID_CUEN_RE_SOPORTADO,
           :RES_ID_CUEN_RE_REPERCUTIDO;
    RES_ENCONTRADAS = 1;
    RES_RESULTADO = 1;
  END
END^

-- A payment method by key, code, description or type.
CREATE PROCEDURE BUSCAR_FORMA_PAGO (
  ORG_ID INTEGER,
  ORG_CODIGO INTEGER,
  ORG_DESCRIPCION VARCHAR(255),
  ORG_TIPO INTEGER
)
RETURNS (
  RES_RESULTADO INTEGER,
  RES_ID INTEGER,
  RES_CODIGO INTEGER,
  RES_COMISION DOUBLE PRECISION,
  RES_DESCRIPCION VARCHAR(100),
  RES_TIPO INTEGER,
  RES_VENCIMIENTO INTEGER,
  RES_DIAS_VENCIMIENTO_1 INTEGER,
  RES_DIAS_ENTRE_VENCIMIENTO INTEGER,
  RES_TIPO_PAGO INTEGER,
  RES_ID_CUENTA INTEGER
)
AS
  DECLARE VARIABLE CLAVE INTEGER;
BEGIN
  RES_RESULTADO = 0;
  IF (ORG_ID IS NULL) THEN ORG_ID = -1;
  IF (ORG_CODIGO IS NULL) THEN ORG_CODIGO = -1;
  IF (ORG_DESCRIPCION IS NULL) THEN ORG_DESCRIPCION = '-1';
  IF (ORG_TIPO IS NULL) THEN ORG_TIPO = -1;
  IF (ORG_ID <> -1) THEN
    SELECT MIN(ID_FORMA_PAGO + 0) FROM FORMA_PAGO
     WHERE ID_FORMA_PAGO = :ORG_ID
       AND (:ORG_CODIGO = -1 OR CODIGO = :ORG_CODIGO)
       AND (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
       AND (:ORG_TIPO = -1 OR TIPO = :ORG_TIPO)
      INTO :CLAVE;
  ELSE IF (ORG_CODIGO <> -1) THEN
    SELECT MIN(ID_FORMA_PAGO + 0) FROM FORMA_PAGO
     WHERE CODIGO = :ORG_CODIGO
       AND (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
       AND (:ORG_TIPO = -1 OR TIPO = :ORG_TIPO)
      INTO :CLAVE;
  ELSE IF (ORG_DESCRIPCION <> '-1' OR ORG_TIPO <> -1) THEN
    SELECT MIN(ID_FORMA_PAGO + 0) FROM FORMA_PAGO
     WHERE (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
       AND (:ORG_TIPO = -1 OR TIPO = :ORG_TIPO)
      INTO :CLAVE;
  IF (CLAVE IS NOT NULL) THEN
  BEGIN
    SELECT ID_FORMA_PAGO,
           CODIGO,
           COMISION,
           DESCRIPCION,
           TIPO,
           VENCIMIENTO,
           DIAS_VENCIMIENTO_1,
           DIAS_ENTRE_VENCIMIENTO,
           TIPO_PAGO,
           ID_CUENTA
      FROM FORMA_PAGO
     WHERE ID_FORMA_PAGO = :CLAVE
      INTO :RES_ID,
           :RES_CODIGO,
           :RES_COMISION,
           :RES_DESCRIPCION,
           :RES_TIPO,
           :RES_VENCIMIENTO,
           :RES_DIAS_VENCIMIENTO_1,
           :RES_DIAS_ENTRE_VENCIMIENTO,
           :RES_TIPO_PAGO,
           :RES_ID_CUENTA;
    RES_RESULTADO = 1;
  END
END^

-- A product family by key, code or description. Found: RES_ENCONTRADAS,
-- with RES_RESULTADO as its twin.
CREATE PROCEDURE BUSCAR_FAMILIA (
  ORG_ID INTEGER,
  ORG_CODIGO VARCHAR(255),
  ORG_DESCRIPCION VARCHAR(255)
)
RETURNS (
  RES_ENCONTRADAS INTEGER,
  RES_RESULTADO INTEGER,
  RES_ID_FAMILIA INTEGER,
  RES_CODIGO VARCHAR(10),
  RES_DESCRIPCION VARCHAR(100),
  RES_ID_IVA_COMPRA INTEGER,
  RES_ID_IVA_VENTA INTEGER,
  RES_ID_CUENTA_VENTA INTEGER,
  RES_ID_CUENTA_COMPRA INTEGER,
  RES_ID_GRUPO INTEGER,
  RES_DESCUENTO DOUBLE PRECISION,
  RES_DESCUENTO_DESDE TIMESTAMP,
  RES_DESCUENTO_HASTA TIMESTAMP,
  RES_CAMBIO_COSTE INTEGER,
  RES_VENDER_NEGATIVO INTEGER
)
AS
  DECLARE VARIABLE CLAVE INTEGER;
BEGIN
  RES_ENCONTRADAS = 0;
  RES_RESULTADO = 0;
  IF (ORG_ID IS NULL) THEN ORG_ID = -1;
  IF (ORG_CODIGO IS NULL) THEN ORG_CODIGO = '-1';
  IF (ORG_DESCRIPCION IS NULL) THEN ORG_DESCRIPCION = '-1';
  IF (ORG_ID <> -1) THEN
    SELECT MIN(ID_FAMILIA + 0) FROM FAMILIA
     WHERE ID_FAMILIA = :ORG_ID
       AND (:ORG_CODIGO = '-1' OR CODIGO = :ORG_CODIGO)
       AND (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
      INTO :CLAVE;
  ELSE IF (ORG_CODIGO <> '-1') THEN
    SELECT MIN(ID_FAMILIA + 0) FROM FAMILIA
     WHERE CODIGO = :ORG_CODIGO
       AND (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
      INTO :CLAVE;
  ELSE IF (ORG_DESCRIPCION <> '-1') THEN
    SELECT MIN(ID_FAMILIA + 0) FROM FAMILIA
     WHERE (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
      INTO :CLAVE;
  IF (CLAVE IS NOT NULL) THEN
  BEGIN
    SELECT ID_FAMILIA,
           CODIGO,
           DESCRIPCION,
           ID_IVA_COMPRA,
           ID_IVA_VENTA,
           ID_CUENTA_VENTA,
           ID_CUENTA_COMPRA,
           ID_GRUPO,
           DESCUENTO,
           DESCUENTO_DESDE,
           DESCUENTO_HASTA,
           CAMBIO_COSTE,
           VENDER_NEGATIVO
      FROM FAMILIA
     WHERE ID_FAMILIA = :CLAVE
      INTO :RES_ID_FAMILIA,
           :RES_CODIGO,
           :RES_DESCRIPCION,
           :RES_ID_IVA_COMPRA,
           :RES_ID_IVA_VENTA,
           :RES_ID_CUENTA_VENTA,
           :RES_ID_CUENTA_COMPRA,
           :RES_ID_GRUPO,
           :RES_DESCUENTO,
           :RES_DESCUENTO_DESDE,
           :RES_DESCUENTO_HASTA,
           :RES_CAMBIO_COSTE,
           :RES_VENDER_NEGATIVO;
    RES_ENCONTRADAS = 1;
    RES_RESULTADO = 1;
  END
END^

-- A supplier by key, code or name.
CREATE PROCEDURE BUSCAR_PROVEEDOR (
  ORG_ID_PROVEEDOR INTEGER,
  ORG_CODIGO INTEGER,
  ORG_NOMBRE VARCHAR(255)
)
RETURNS (
  RES_RESULTADO INTEGER,
  RES_ID_PROVEEDOR INTEGER,
  RES_CODIGO INTEGER,
  RES_NOMBRE VARCHAR(100),
  RES_ROTULO VARCHAR(100),
  RES_PERSONA_CONTACTO VARCHAR(100),
  RES_DIRECCION VARCHAR(100),
  RES_ID_LOCALIDAD INTEGER,
  RES_CIF VARCHAR(20),
  RES_TELEFONO VARCHAR(20),
  RES_TELEFONO_MOVIL VARCHAR(20),
  RES_FAX VARCHAR(20),
  RES_WEB VARCHAR(100),
  RES_E_MAIL VARCHAR(100),
  RES_TOTAL_COMPRADO DOUBLE PRECISION,
  RES_FECHA_ULTIMA_COMPRA TIMESTAMP,
  RES_CLIENTE VARCHAR(30),
  RES_ID_FPAGO INTEGER,
  RES_ID_CUENTA INTEGER,
  RES_MARCAS VARCHAR(255),
  RES_ACREEDOR INTEGER
)
AS
  DECLARE VARIABLE CLAVE INTEGER;
BEGIN
  RES_RESULTADO = 0;
  IF (ORG_ID_PROVEEDOR IS NULL) THEN ORG_ID_PROVEEDOR = -1;
  IF (ORG_CODIGO IS NULL) THEN ORG_CODIGO = -1;
  IF (ORG_NOMBRE IS NULL) THEN ORG_NOMBRE = '-1';
  IF (ORG_ID_PROVEEDOR <> -1) THEN
    SELECT MIN(ID_PROVEEDOR + 0) FROM PROVEEDOR
     WHERE ID_PROVEEDOR = :ORG_ID_PROVEEDOR
       AND (:ORG_CODIGO = -1 OR CODIGO = :ORG_CODIGO)
       AND (:ORG_NOMBRE = '-1' OR NOMBRE = :ORG_NOMBRE)
      INTO :CLAVE;
  ELSE IF (ORG_CODIGO <> -1) THEN
    SELECT MIN(ID_PROVEEDOR + 0) FROM PROVEEDOR
     WHERE CODIGO = :ORG_CODIGO
       AND (:ORG_NOMBRE = '-1' OR NOMBRE = :ORG_NOMBRE)
      INTO :CLAVE;
  ELSE IF (ORG_NOMBRE <> '-1') THEN
    SELECT MIN(ID_PROVEEDOR + 0) FROM PROVEEDOR
     WHERE (:ORG_NOMBRE = '-1' OR NOMBRE = :ORG_NOMBRE)
      INTO :CLAVE;
  IF (CLAVE IS NOT NULL) THEN
  BEGIN
    SELECT ID_PROVEEDOR,
           CODIGO,
           NOMBRE,
           ROTULO,
           PERSONA_CONTACTO,
           DIRECCION,
           ID_LOCALIDAD,
           CIF,
           TELEFONO,
           TELEFONO_MOVIL,
           FAX,
           WEB,
           E_MAIL,
           TOTAL_COMPRADO,
           FECHA_ULTIMA_COMPRA,
           CLIENTE,
           ID_FPAGO,
           ID_CUENTA,
           MARCAS,
           ACREEDOR
      FROM PROVEEDOR
     WHERE ID_PROVEEDOR = :CLAVE
      INTO :RES_ID_PROVEEDOR,
           :RES_CODIGO,
           :RES_NOMBRE,
           :RES_ROTULO,
           :RES_PERSONA_CONTACTO,
           :RES_DIRECCION,
           :RES_ID_LOCALIDAD,
           :RES_CIF,
           :RES_TELEFONO,
           :RES_TELEFONO_MOVIL,
           :RES_FAX,
           :RES_WEB,
           :RES_E_MAIL,
           :RES_TOTAL_COMPRADO,
           :RES_FECHA_ULTIMA_COMPRA,
           :RES_CLIENTE,
           :RES_ID_FPAGO,
           :RES_ID_CUENTA,
           :RES_MARCAS,
           :RES_ACREEDOR;
    RES_RESULTADO = 1;
  END
END^

-- A ledger account by key, code, description or year. ORG_BORRADO 0 takes
-- only active accounts, 1 only deleted ones, anything else both.
CREATE PROCEDURE BUSCAR_CUENTA (
  ORG_ID INTEGER,
  ORG_CODIGO VARCHAR(255),
  ORG_DESCRIPCION VARCHAR(255),
  ORG_BORRADO INTEGER,
  ORG_ANYO_CREACION INTEGER
)
RETURNS (
  RES_RESULTADO INTEGER,
  RES_ID INTEGER,
  RES_CODIGO VARCHAR(20),
  RES_DESCRIPCION VARCHAR(100),
  RES_ANYO_CREACION INTEGER,
  RES_BORRADO INTEGER
)
AS
  DECLARE VARIABLE CLAVE INTEGER;
BEGIN
  RES_RESULTADO = 0;
  IF (ORG_ID IS NULL) THEN ORG_ID = -1;
  IF (ORG_CODIGO IS NULL) THEN ORG_CODIGO = '-1';
  IF (ORG_DESCRIPCION IS NULL) THEN ORG_DESCRIPCION = '-1';
  IF (ORG_BORRADO IS NULL) THEN ORG_BORRADO = -1;
  IF (ORG_ANYO_CREACION IS NULL) THEN ORG_ANYO_CREACION = -1;
  IF (ORG_ID <> -1) THEN
    SELECT MIN(ID_CUENTA + 0) FROM CUENTA
     WHERE ID_CUENTA = :ORG_ID
       AND (:ORG_CODIGO = '-1' OR CODIGO = :ORG_CODIGO)
       AND (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
       AND (:ORG_BORRADO NOT IN (0, 1) OR COALESCE(BORRADO, 0) = :ORG_BORRADO)
       AND (:ORG_ANYO_CREACION = -1 OR ANYO_CREACION = :ORG_ANYO_CREACION)
      INTO :CLAVE;
  ELSE IF (ORG_CODIGO <> '-1') THEN
    SELECT MIN(ID_CUENTA + 0) FROM CUENTA
     WHERE CODIGO = :ORG_CODIGO
       AND (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
       AND (:ORG_BORRADO NOT IN (0, 1) OR COALESCE(BORRADO, 0) = :ORG_BORRADO)
       AND (:ORG_ANYO_CREACION = -1 OR ANYO_CREACION = :ORG_ANYO_CREACION)
      INTO :CLAVE;
  ELSE IF (ORG_DESCRIPCION <> '-1' OR ORG_ANYO_CREACION <> -1) THEN
    SELECT MIN(ID_CUENTA + 0) FROM CUENTA
     WHERE (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
       AND (:ORG_BORRADO NOT IN (0, 1) OR COALESCE(BORRADO, 0) = :ORG_BORRADO)
       AND (:ORG_ANYO_CREACION = -1 OR ANYO_CREACION = :ORG_ANYO_CREACION)
      INTO :CLAVE;
  IF (CLAVE IS NOT NULL) THEN
  BEGIN
    SELECT ID_CUENTA,
           CODIGO,
           DESCRIPCION,
           ANYO_CREACION,
           BORRADO
      FROM CUENTA
     WHERE ID_CUENTA = :CLAVE
      INTO :RES_ID,
           :RES_CODIGO,
           :RES_DESCRIPCION,
           :RES_ANYO_CREACION,
           :RES_BORRADO;
    RES_RESULTADO = 1;
  END
END^

-- A sales group by key, code or description.
CREATE PROCEDURE BUSCAR_GRUPO (
  ORG_ID_GRUPO INTEGER,
  ORG_CODIGO VARCHAR(255),
  ORG_DESCRIPCION VARCHAR(255)
)
RETURNS (
  RES_RESULTADO INTEGER,
  RES_ID_GRUPO INTEGER,
  RES_CODIGO VARCHAR(10),
  RES_DESCRIPCION VARCHAR(100),
  RES_ID_CUENTA INTEGER
)
AS
  DECLARE VARIABLE CLAVE INTEGER;
BEGIN
  RES_RESULTADO = 0;
  IF (ORG_ID_GRUPO IS NULL) THEN ORG_ID_GRUPO = -1;
  IF (ORG_CODIGO IS NULL) THEN ORG_CODIGO = '-1';
  IF (ORG_DESCRIPCION IS NULL) THEN ORG_DESCRIPCION = '-1';
  IF (ORG_ID_GRUPO <> -1) THEN
    SELECT MIN(ID_GRUPO + 0) FROM GRUPO
     WHERE ID_GRUPO = :ORG_ID_GRUPO
       AND (:ORG_CODIGO = '-1' OR CODIGO = :ORG_CODIGO)
       AND (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
      INTO :CLAVE;
  ELSE IF (ORG_CODIGO <> '-1') THEN
    SELECT MIN(ID_GRUPO + 0) FROM GRUPO
     WHERE CODIGO = :ORG_CODIGO
       AND (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
      INTO :CLAVE;
  ELSE IF (ORG_DESCRIPCION <> '-1') THEN
    SELECT MIN(ID_GRUPO + 0) FROM GRUPO
     WHERE (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
      INTO :CLAVE;
  IF (CLAVE IS NOT NULL) THEN
  BEGIN
    SELECT ID_GRUPO,
           CODIGO,
           DESCRIPCION,
           ID_CUENTA
      FROM GRUPO
     WHERE ID_GRUPO = :CLAVE
      INTO :RES_ID_GRUPO,
           :RES_CODIGO,
           :RES_DESCRIPCION,
           :RES_ID_CUENTA;
    RES_RESULTADO = 1;
  END
END^

-- A glass type by key or description.
CREATE PROCEDURE BUSCAR_TCRISTAL (
  ORG_ID_TCRISTAL INTEGER,
  ORG_DESCRIPCION VARCHAR(255)
)
RETURNS (
  RES_RESULTADO INTEGER,
  RES_ID_TCRISTAL INTEGER,
  RES_DESCRIPCION VARCHAR(100)
)
AS
  DECLARE VARIABLE CLAVE INTEGER;
BEGIN
  RES_RESULTADO = 0;
  IF (ORG_ID_TCRISTAL IS NULL) THEN ORG_ID_TCRISTAL = -1;
  IF (ORG_DESCRIPCION IS NULL) THEN ORG_DESCRIPCION = '-1';
  IF (ORG_ID_TCRISTAL <> -1) THEN
    SELECT MIN(ID_TCRISTAL + 0) FROM TCRISTAL
     WHERE ID_TCRISTAL = :ORG_ID_TCRISTAL
       AND (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
      INTO :CLAVE;
  ELSE IF (ORG_DESCRIPCION <> '-1') THEN
    SELECT MIN(ID_TCRISTAL + 0) FROM TCRISTAL
     WHERE (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
      INTO :CLAVE;
  IF (CLAVE IS NOT NULL) THEN
  BEGIN
    SELECT ID_TCRISTAL,
           DESCRIPCION
      FROM TCRISTAL
     WHERE ID_TCRISTAL = :CLAVE
      INTO :RES_ID_TCRISTAL,
           :RES_DESCRIPCION;
    RES_RESULTADO = 1;
  END
END^

-- A glass treatment by key or description.
CREATE PROCEDURE BUSCAR_TRATAMIENTO (
  ORG_ID_TRATAMIENTO INTEGER,
  ORG_DESCRIPCION VARCHAR(255)
)
RETURNS (
  RES_RESULTADO INTEGER,
  RES_ID_TRATAMIENTO INTEGER,
  RES_DESCRIPCION VARCHAR(100)
)
AS
  DECLARE VARIABLE CLAVE INTEGER;
BEGIN
  RES_RESULTADO = 0;
  IF (ORG_ID_TRATAMIENTO IS NULL) THEN ORG_ID_TRATAMIENTO = -1;
  IF (ORG_DESCRIPCION IS NULL) THEN ORG_DESCRIPCION = '-1';
  IF (ORG_ID_TRATAMIENTO <> -1) THEN
    SELECT MIN(ID_TRATAMIENTO + 0) FROM TRATAMIENTO
     WHERE ID_TRATAMIENTO = :ORG_ID_TRATAMIENTO
       AND (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
      INTO :CLAVE;
  ELSE IF (ORG_DESCRIPCION <> '-1') THEN
    SELECT MIN(ID_TRATAMIENTO + 0) FROM TRATAMIENTO
     WHERE (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
      INTO :CLAVE;
  IF (CLAVE IS NOT NULL) THEN
  BEGIN
    SELECT ID_TRATAMIENTO,
           DESCRIPCION
      FROM TRATAMIENTO
     WHERE ID_TRATAMIENTO = :CLAVE
      INTO :RES_ID_TRATAMIENTO,
           :RES_DESCRIPCION;
    RES_RESULTADO = 1;
  END
END^

-- A frame brand by key or description.
CREATE PROCEDURE BUSCAR_MARCA_MON (
  ORG_ID_MARCA INTEGER,
  ORG_DESCRIPCION VARCHAR(255)
)
RETURNS (
  RES_RESULTADO INTEGER,
  RES_ID_MARCA INTEGER,
  RES_DESCRIPCION VARCHAR(100)
)
AS
  DECLARE VARIABLE CLAVE INTEGER;
BEGIN
  RES_RESULTADO = 0;
  IF (ORG_ID_MARCA IS NULL) THEN ORG_ID_MARCA = -1;
  IF (ORG_DESCRIPCION IS NULL) THEN ORG_DESCRIPCION = '-1';
  IF (ORG_ID_MARCA <> -1) THEN
    SELECT MIN(ID_MARCA + 0) FROM MARCA_MON
     WHERE ID_MARCA = :ORG_ID_MARCA
       AND (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
      INTO :CLAVE;
  ELSE IF (ORG_DESCRIPCION <> '-1') THEN
    SELECT MIN(ID_MARCA + 0) FROM MARCA_MON
     WHERE (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
      INTO :CLAVE;
  IF (CLAVE IS NOT NULL) THEN
  BEGIN
    SELECT ID_MARCA,
           DESCRIPCION
      FROM MARCA_MON
     WHERE ID_MARCA = :CLAVE
      INTO :RES_ID_MARCA,
           :RES_DESCRIPCION;
    RES_RESULTADO = 1;
  END
END^

-- A hearing-aid brand by key or description.
CREATE PROCEDURE BUSCAR_MARCA_AUD (
  ORG_ID_MARCA INTEGER,
  ORG_DESCRIPCION VARCHAR(255)
)
RETURNS (
  RES_RESULTADO INTEGER,
  RES_ID_MARCA INTEGER,
  RES_DESCRIPCION VARCHAR(100)
)
AS
  DECLARE VARIABLE CLAVE INTEGER;
BEGIN
  RES_RESULTADO = 0;
  IF (ORG_ID_MARCA IS NULL) THEN ORG_ID_MARCA = -1;
  IF (ORG_DESCRIPCION IS NULL) THEN ORG_DESCRIPCION = '-1';
  IF (ORG_ID_MARCA <> -1) THEN
    SELECT MIN(ID_MARCA + 0) FROM MARCA_AUD
     WHERE ID_MARCA = :ORG_ID_MARCA
       AND (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
      INTO :CLAVE;
  ELSE IF (ORG_DESCRIPCION <> '-1') THEN
    SELECT MIN(ID_MARCA + 0) FROM MARCA_AUD
     WHERE (:ORG_DESCRIPCION = '-1' OR DESCRIPCION = :ORG_DESCRIPCION)
      INTO :CLAVE;
  IF (CLAVE IS NOT NULL) THEN
  BEGIN
    SELECT ID_MARCA,
           DESCRIPCION
      FROM MARCA_AUD
     WHERE ID_MARCA = :CLAVE
      INTO :RES_ID_MARCA,
           :RES_DESCRIPCION;
    RES_RESULTADO = 1;
  END
END^

-- A patient by key, code or surnames (the empty text leaves the surnames
-- out, like the text -1). ORG_BORRADO 0 takes only active patients, 1 only
-- deleted ones, anything else (2, -1) both.
CREATE PROCEDURE BUSCAR_PACIENTE (
  ORG_ID INTEGER,
  ORG_CODIGO INTEGER,
  ORG_APELLIDOS VARCHAR(255),
  ORG_BORRADO INTEGER
)
RETURNS (
  RES_RESULTADO INTEGER,
  RES_ID INTEGER,
  RES_CODIGO INTEGER,
  RES_APELLIDOS VARCHAR(100),
  RES_NOMBRE VARCHAR(50),
  RES_NOMBRE_COMPLETO VARCHAR(150),
  RES_BORRADO INTEGER,
  RES_DIRECCION VARCHAR(100),
  RES_ID_LOCALIDAD INTEGER,
  RES_NIF VARCHAR(20),
  RES_TELEFONO VARCHAR(20),
  RES_TELEFONO_MOVIL VARCHAR(20),
  RES_PROFESION VARCHAR(50),
  RES_VIENE_POR VARCHAR(100),
  RES_SEXO INTEGER,
  RES_FECHA_NACIMIENTO TIMESTAMP,
  RES_FECHA_PRIMERA_VISITA TIMESTAMP,
  RES_FECHA_ULTIMA_VISITA TIMESTAMP,
  RES_FECHA_CARNET TIMESTAMP,
  RES_ULTIMO_DESCUENTO DOUBLE PRECISION,
  RES_TOTAL_COMPRADO_M1 DOUBLE PRECISION,
  RES_TOTAL_COMPRADO_M2 DOUBLE PRECISION,
  RES_CORREO INTEGER,
  RES_LICENCIA DOUBLE PRECISION,
  RES_TIENDA INTEGER,
  RES_FOTOGRAFIA VARCHAR(255),
  RES_EMAIL VARCHAR(100),
  RES_WEB VARCHAR(100)
)
AS
  DECLARE VARIABLE CLAVE INTEGER;
BEGIN
  RES_RESULTADO = 0;
  IF (ORG_ID IS NULL) THEN ORG_ID = -1;
  IF (ORG_CODIGO IS NULL) THEN ORG_CODIGO = -1;
  IF (ORG_APELLIDOS IS NULL) THEN ORG_APELLIDOS = '-1';
  IF (ORG_BORRADO IS NULL) THEN ORG_BORRADO = -1;
  IF (ORG_ID <> -1) THEN
    SELECT MIN(ID_PACIENTE + 0) FROM PACIENTE
     WHERE ID_PACIENTE = :ORG_ID
       AND (:ORG_CODIGO = -1 OR CODIGO = :ORG_CODIGO)
       AND (:ORG_APELLIDOS IN ('-1', '') OR APELLIDOS = :ORG_APELLIDOS)
       AND (:ORG_BORRADO NOT IN (0, 1) OR COALESCE(BORRADO, 0) = :ORG_BORRADO)
      INTO :CLAVE;
  ELSE IF (ORG_CODIGO <> -1) THEN
    SELECT MIN(ID_PACIENTE + 0) FROM PACIENTE
     WHERE CODIGO = :ORG_CODIGO
       AND (:ORG_APELLIDOS IN ('-1', '') OR APELLIDOS = :ORG_APELLIDOS)
       AND (:ORG_BORRADO NOT IN (0, 1) OR COALESCE(BORRADO, 0) = :ORG_BORRADO)
      INTO :CLAVE;
  ELSE IF (ORG_APELLIDOS NOT IN ('-1', '')) THEN
    SELECT MIN(ID_PACIENTE + 0) FROM PACIENTE
     WHERE APELLIDOS = :ORG_APELLIDOS
       AND (:ORG_BORRADO NOT IN (0, 1) OR COALESCE(BORRADO, 0) = :ORG_BORRADO)
      INTO :CLAVE;
  IF (CLAVE IS NOT NULL) THEN
  BEGIN
    SELECT ID_PACIENTE,
           CODIGO,
           APELLIDOS,
           NOMBRE,
           NOMBRE_COMPLETO,
           BORRADO,
           DIRECCION,
           ID_LOCALIDAD,
           NIF,
           TELEFONO,
           TELEFONO_MOVIL,
           PROFESION,
           VIENE_POR,
           SEXO,
           FECHA_NACIMIENTO,
           FECHA_PRIMERA_VISITA,
           FECHA_ULTIMA_VISITA,
           FECHA_CARNET,
           ULTIMO_DESCUENTO,
           TOTAL_COMPRADO_M1,
           TOTAL_COMPRADO_M2,
           CORREO,
           LICENCIA,
           TIENDA,
           FOTOGRAFIA,
           EMAIL,
           WEB
      FROM PACIENTE
     WHERE ID_PACIENTE = :CLAVE
      INTO :RES_ID,
           :RES_CODIGO,
           :RES_APELLIDOS,
           :RES_NOMBRE,
           :RES_NOMBRE_COMPLETO,
           :RES_BORRADO,
           :RES_DIRECCION,
           :RES_ID_LOCALIDAD,
           :RES_NIF,
           :RES_TELEFONO,
           :RES_TELEFONO_MOVIL,
           :RES_PROFESION,
           :RES_VIENE_POR,
           :RES_SEXO,
           :RES_FECHA_NACIMIENTO,
           :RES_FECHA_PRIMERA_VISITA,
           :RES_FECHA_ULTIMA_VISITA,
           :RES_FECHA_CARNET,
           :RES_ULTIMO_DESCUENTO,
           :RES_TOTAL_COMPRADO_M1,
           :RES_TOTAL_COMPRADO_M2,
           :RES_CORREO,
           :RES_LICENCIA,
           :RES_TIENDA,
           :RES_FOTOGRAFIA,
           :RES_EMAIL,
           :RES_WEB;
    RES_RESULTADO = 1;
  END
END^

-- An agent by key or code. ORG_BORRADO 0 takes only active agents, 1 only
-- deleted ones, anything else (2, -1) both.
CREATE PROCEDURE BUSCAR_AGENTE (
  ORG_ID_AGENTE DOUBLE PRECISION,
  ORG_CODIGO DOUBLE PRECISION,
  ORG_BORRADO INTEGER
)
RETURNS (
  RES_RESULTADO INTEGER,
  RES_ID_AGENTE INTEGER,
  RES_CODIGO INTEGER,
  RES_NOMBRE VARCHAR(50),
  RES_APELLIDOS VARCHAR(100),
  RES_DIRECCION VARCHAR(100),
  RES_ID_LOCALIDAD INTEGER,
  RES_NIF VARCHAR(20),
  RES_E_MAIL VARCHAR(100),
  RES_COMISION_TIPO INTEGER,
  RES_COMISION_PORCENTAJE DOUBLE PRECISION,
  RES_TELEFONO VARCHAR(20),
  RES_TELEFONO_MOVIL VARCHAR(20),
  RES_WEB VARCHAR(100),
  RES_BORRADO INTEGER
)
AS
  DECLARE VARIABLE CLAVE INTEGER;
BEGIN
  RES_RESULTADO = 0;
  IF (ORG_ID_AGENTE IS NULL) THEN ORG_ID_AGENTE = -1;
  IF (ORG_CODIGO IS NULL) THEN ORG_CODIGO = -1;
  IF (ORG_BORRADO IS NULL) THEN ORG_BORRADO = -1;
  IF (ORG_ID_AGENTE <> -1) THEN
    SELECT MIN(ID_AGENTE + 0) FROM AGENTE
     WHERE ID_AGENTE = :ORG_ID_AGENTE
       AND (:ORG_CODIGO = -1 OR CODIGO = :ORG_CODIGO)
       AND (:ORG_BORRADO NOT IN (0, 1) OR COALESCE(BORRADO, 0) = :ORG_BORRADO)
      INTO :CLAVE;
  ELSE IF (ORG_CODIGO <> -1) THEN
    SELECT MIN(ID_AGENTE + 0) FROM AGENTE
     WHERE CODIGO = :ORG_CODIGO
       AND (:ORG_BORRADO NOT IN (0, 1) OR COALESCE(BORRADO, 0) = :ORG_BORRADO)
      INTO :CLAVE;
  IF (CLAVE IS NOT NULL) THEN
  BEGIN
    SELECT ID_AGENTE,
           CODIGO,
           NOMBRE,
           APELLIDOS,
           DIRECCION,
           ID_LOCALIDAD,
           NIF,
           E_MAIL,
           COMISION_TIPO,
           COMISION_PORCENTAJE,
           TELEFONO,
           TELEFONO_MOVIL,
           WEB,
           BORRADO
      FROM AGENTE
     WHERE ID_AGENTE = :CLAVE
      INTO :RES_ID_AGENTE,
           :RES_CODIGO,
           :RES_NOMBRE,
           :RES_APELLIDOS,
           :RES_DIRECCION,
           :RES_ID_LOCALIDAD,
           :RES_NIF,
           :RES_E_MAIL,
           :RES_COMISION_TIPO,
           :RES_COMISION_PORCENTAJE,
           :RES_TELEFONO,
           :RES_TELEFONO_MOVIL,
           :RES_WEB,
           :RES_BORRADO;
    RES_RESULTADO = 1;
  END
END^

SET TERM ; ^

/* ======================================================================
   Placeholder rows
   Key 0 stands for "none" in the rows that point at these tables. The
   lists of the screens leave it out (ID_TLENTILLA != 0, ID_AGENTE != 0,
   id_doctor > 0).
   ====================================================================== */

INSERT INTO TLENTILLA (ID_TLENTILLA, CODIGO, DESCRIPCION) VALUES (0, '', '');
INSERT INTO AGENTE (ID_AGENTE, CODIGO, NOMBRE, APELLIDOS, COMISION_TIPO, COMISION_PORCENTAJE, BORRADO)
  VALUES (0, 0, '', '', 0, 0, 0);
INSERT INTO DOCTOR (ID_DOCTOR, CODIGO, NOMBRE, APELLIDOS, BORRADO, PROPIA_AJENA)
  VALUES (0, 0, '', '', 0, 0);

-- The article types whose descriptions change how an article is handled.
INSERT INTO TARTICULO (ID_TARTICULO, DESCRIPCION) VALUES (1, 'Cristal');
INSERT INTO TARTICULO (ID_TARTICULO, DESCRIPCION) VALUES (2, 'Montura');
INSERT INTO TARTICULO (ID_TARTICULO, DESCRIPCION) VALUES (3, 'Lentilla');
INSERT INTO TARTICULO (ID_TARTICULO, DESCRIPCION) VALUES (4, 'Audifono');

/* ======================================================================
   Rights
   The shop works as ordinary server users, never as SYSDBA or as the owner
   of the database. Every workstation user is given the role OPTICA_USUARIO
   (GRANT OPTICA_USUARIO TO <user>) and connects with it. The role may do
   what the program does and nothing more: read every table; insert, change
   or delete only where the program does (the access log and the SMS log are
   only ever added to; users, rights, shops and the other reference tables
   are only read); run the procedures. It takes no value from a generator
   itself: each key trigger is granted its own generator. Changing the schema
   stays with the owner. The engine embedded in the program works as SYSDBA
   and needs none of it.
   ====================================================================== */

CREATE ROLE OPTICA_USUARIO;

GRANT SELECT, INSERT, UPDATE, DELETE ON MLENTILLA TO ROLE OPTICA_USUARIO;
GRANT SELECT, INSERT, UPDATE, DELETE ON LOBSERVACIONES TO ROLE OPTICA_USUARIO;
GRANT SELECT, INSERT, UPDATE, DELETE ON DLENTILLA TO ROLE OPTICA_USUARIO;
GRANT SELECT, INSERT, UPDATE, DELETE ON PLENTILLA TO ROLE OPTICA_USUARIO;
GRANT SELECT, INSERT, UPDATE ON PLOBSERVACIONES TO ROLE OPTICA_USUARIO;
GRANT SELECT, INSERT, UPDATE ON TLENTILLA TO ROLE OPTICA_USUARIO;
GRANT SELECT, INSERT, UPDATE, DELETE ON REPOSICION TO ROLE OPTICA_USUARIO;
GRANT SELECT, INSERT ON ACCESO TO ROLE OPTICA_USUARIO;
GRANT SELECT ON USUARIO TO ROLE OPTICA_USUARIO;
GRANT SELECT ON EMPRESA TO ROLE OPTICA_USUARIO;
GRANT SELECT ON MONEDA TO ROLE OPTICA_USUARIO;
GRANT SELECT, INSERT, UPDATE ON ARTICULO TO ROLE OPTICA_USUARIO;
GRANT SELECT, INSERT, UPDATE ON ARTOBSERVACIONES TO ROLE OPTICA_USUARIO;
GRANT SELECT ON TARTICULO TO ROLE OPTICA_USUARIO;
GRANT SELECT ON ALMACEN TO ROLE OPTICA_USUARIO;
GRANT SELECT ON EXISTENCIA TO ROLE OPTICA_USUARIO;
GRANT SELECT ON IVA TO ROLE OPTICA_USUARIO;
GRANT SELECT ON FORMA_PAGO TO ROLE OPTICA_USUARIO;
GRANT SELECT ON CUENTA TO ROLE OPTICA_USUARIO;
GRANT SELECT ON GRUPO TO ROLE OPTICA_USUARIO;
GRANT SELECT ON FAMILIA TO ROLE OPTICA_USUARIO;
GRANT SELECT ON PROVEEDOR TO ROLE OPTICA_USUARIO;
GRANT SELECT ON TCRISTAL TO ROLE OPTICA_USUARIO;
GRANT SELECT ON TRATAMIENTO TO ROLE OPTICA_USUARIO;
GRANT SELECT ON MARCA_MON TO ROLE OPTICA_USUARIO;
GRANT SELECT ON MARCA_AUD TO ROLE OPTICA_USUARIO;
GRANT SELECT ON TIENDA TO ROLE OPTICA_USUARIO;
GRANT SELECT, UPDATE ON PACIENTE TO ROLE OPTICA_USUARIO;
GRANT SELECT ON POBSERVACIONES TO ROLE OPTICA_USUARIO;
GRANT SELECT, INSERT ON DOCTOR TO ROLE OPTICA_USUARIO;
GRANT SELECT, INSERT ON DOBSERVACIONES TO ROLE OPTICA_USUARIO;
GRANT SELECT, INSERT ON AGENTE TO ROLE OPTICA_USUARIO;
GRANT SELECT ON PROVINCIA TO ROLE OPTICA_USUARIO;
GRANT SELECT ON LOCALIDAD TO ROLE OPTICA_USUARIO;
GRANT SELECT, INSERT ON sms_maestro TO ROLE OPTICA_USUARIO;
GRANT SELECT, INSERT ON sms_detalle TO ROLE OPTICA_USUARIO;
-- A noted request is settled by the gateway's answer: its numbers and its
-- situation, nothing else of the log.
GRANT UPDATE (id_mensaje, situacion) ON sms_maestro TO ROLE OPTICA_USUARIO;
GRANT UPDATE (id_sms) ON sms_detalle TO ROLE OPTICA_USUARIO;
GRANT SELECT, INSERT ON VENTA TO ROLE OPTICA_USUARIO;
GRANT SELECT, INSERT ON DVENTA TO ROLE OPTICA_USUARIO;
GRANT SELECT, INSERT ON ENCARGO TO ROLE OPTICA_USUARIO;
GRANT SELECT, INSERT ON DENCARGO TO ROLE OPTICA_USUARIO;
GRANT SELECT, INSERT, DELETE ON agenda TO ROLE OPTICA_USUARIO;
GRANT SELECT, INSERT, UPDATE ON AVISO_REPOSICION TO ROLE OPTICA_USUARIO;

GRANT EXECUTE ON PROCEDURE ID_MLENTILLA TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE ID_DLENTILLA TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE ID_TLENTILLA TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE ID_PLENTILLA TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE ID_REPOSICION TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE ID_DOCTOR TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE ID_ARTICULO TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE ID_VENTA TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE ID_ENCARGO TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE ID_AGENTE TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE ID_DOBSERVACIONES TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE ID_SMS_MAESTRO TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE ID_SMS_DETALLE TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE BUSCAR_MLENTILLA TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE BUSCAR_DLENTILLA TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE BUSCAR_PRUEBA_LENTILLA TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE BUSCAR_TLENTILLA TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE BUSCAR_ARTICULO TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE BUSCAR_TARTICULO TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE BUSCAR_IVA TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE BUSCAR_FORMA_PAGO TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE BUSCAR_FAMILIA TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE BUSCAR_PROVEEDOR TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE BUSCAR_CUENTA TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE BUSCAR_GRUPO TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE BUSCAR_TCRISTAL TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE BUSCAR_TRATAMIENTO TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE BUSCAR_MARCA_MON TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE BUSCAR_MARCA_AUD TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE BUSCAR_PACIENTE TO ROLE OPTICA_USUARIO;
GRANT EXECUTE ON PROCEDURE BUSCAR_AGENTE TO ROLE OPTICA_USUARIO;

GRANT DELETE ON AVISO_REPOSICION TO TRIGGER SMS_MAESTRO_AU;
GRANT USAGE ON SEQUENCE GEN_ACCESO TO TRIGGER ACCESO_BI;
GRANT USAGE ON SEQUENCE GEN_AGENDA TO TRIGGER AGENDA_BI;
GRANT USAGE ON SEQUENCE GEN_AVISO_REPOSICION TO TRIGGER AVISO_REPOSICION_BI;
GRANT USAGE ON SEQUENCE GEN_AGENTE TO TRIGGER AGENTE_BI;
GRANT USAGE ON SEQUENCE GEN_ALMACEN TO TRIGGER ALMACEN_BI;
GRANT USAGE ON SEQUENCE GEN_ARTICULO TO TRIGGER ARTICULO_BI;
GRANT USAGE ON SEQUENCE GEN_ARTOBSERVACIONES TO TRIGGER ARTOBSERVACIONES_BI;
GRANT USAGE ON SEQUENCE GEN_CUENTA TO TRIGGER CUENTA_BI;
GRANT USAGE ON SEQUENCE GEN_DLENTILLA TO TRIGGER DLENTILLA_BI;
GRANT USAGE ON SEQUENCE GEN_DOBSERVACIONES TO TRIGGER DOBSERVACIONES_BI;
GRANT USAGE ON SEQUENCE GEN_DOCTOR TO TRIGGER DOCTOR_BI;
GRANT USAGE ON SEQUENCE GEN_EXISTENCIA TO TRIGGER EXISTENCIA_BI;
GRANT USAGE ON SEQUENCE GEN_FAMILIA TO TRIGGER FAMILIA_BI;
GRANT USAGE ON SEQUENCE GEN_FORMA_PAGO TO TRIGGER FORMA_PAGO_BI;
GRANT USAGE ON SEQUENCE GEN_GRUPO TO TRIGGER GRUPO_BI;
GRANT USAGE ON SEQUENCE GEN_IVA TO TRIGGER IVA_BI;
GRANT USAGE ON SEQUENCE GEN_LOBSERVACIONES TO TRIGGER LOBSERVACIONES_BI;
GRANT USAGE ON SEQUENCE GEN_LOCALIDAD TO TRIGGER LOCALIDAD_BI;
GRANT USAGE ON SEQUENCE GEN_MARCA_AUD TO TRIGGER MARCA_AUD_BI;
GRANT USAGE ON SEQUENCE GEN_MARCA_MON TO TRIGGER MARCA_MON_BI;
GRANT USAGE ON SEQUENCE GEN_MLENTILLA TO TRIGGER MLENTILLA_BI;
GRANT USAGE ON SEQUENCE GEN_MONEDA TO TRIGGER MONEDA_BI;
GRANT USAGE ON SEQUENCE GEN_PACIENTE TO TRIGGER PACIENTE_BI;
GRANT USAGE ON SEQUENCE GEN_PLENTILLA TO TRIGGER PLENTILLA_BI;
GRANT USAGE ON SEQUENCE GEN_PLOBSERVACIONES TO TRIGGER PLOBSERVACIONES_BI;
GRANT USAGE ON SEQUENCE GEN_POBSERVACIONES TO TRIGGER POBSERVACIONES_BI;
GRANT USAGE ON SEQUENCE GEN_PROVEEDOR TO TRIGGER PROVEEDOR_BI;
GRANT USAGE ON SEQUENCE GEN_PROVINCIA TO TRIGGER PROVINCIA_BI;
GRANT USAGE ON SEQUENCE GEN_REPOSICION TO TRIGGER REPOSICION_BI;
GRANT USAGE ON SEQUENCE GEN_SMS_DETALLE TO TRIGGER SMS_DETALLE_BI;
GRANT USAGE ON SEQUENCE GEN_SMS_MAESTRO TO TRIGGER SMS_MAESTRO_BI;
GRANT USAGE ON SEQUENCE GEN_TARTICULO TO TRIGGER TARTICULO_BI;
GRANT USAGE ON SEQUENCE GEN_TCRISTAL TO TRIGGER TCRISTAL_BI;
GRANT USAGE ON SEQUENCE GEN_TIENDA TO TRIGGER TIENDA_BI;
GRANT USAGE ON SEQUENCE GEN_TLENTILLA TO TRIGGER TLENTILLA_BI;
GRANT USAGE ON SEQUENCE GEN_TRATAMIENTO TO TRIGGER TRATAMIENTO_BI;
GRANT USAGE ON SEQUENCE GEN_USUARIO TO TRIGGER USUARIO_BI;
GRANT USAGE ON SEQUENCE GEN_VENTA TO TRIGGER VENTA_BI;
GRANT USAGE ON SEQUENCE GEN_DVENTA TO TRIGGER DVENTA_BI;
GRANT USAGE ON SEQUENCE GEN_ENCARGO TO TRIGGER ENCARGO_BI;
GRANT USAGE ON SEQUENCE GEN_DENCARGO TO TRIGGER DENCARGO_BI;

/* ======================================================================
   Search helpers
   A lot recall by part of a lot would otherwise read every lens line and
   fitting test, and take longer the more the shop keeps. It has a table of
   its own, kept by triggers alone (no workstation writes it, each trigger
   is granted what it writes). A database made before it is given this
   whole section, from the marker below to the end
   (TScriptSQL::Anadir_Ayudas_Busqueda, optica-dbscript --update), and its
   last statement fills the table from the rows there.
   ====================================================================== */
-- AYUDAS_BUSQUEDA

-- Every suffix of every lot, in upper case: a lot contains a text (no case,
-- as CONTAINING compares) when one of its suffixes starts with it, and the
-- index answers that. ORIGEN 0 is a lens line (ID its ID_DLENTILLA), 1 and 2
-- the right and left trial lens of a fitting test (ID its
-- ID_PRUEBA_LENTILLAS), and POSICION is where the suffix starts in the lot. A
-- suffix that starts with a space is left out: the text searched for never
-- does.
CREATE TABLE LOTE_SUFIJO (
  ORIGEN                  SMALLINT NOT NULL,
  ID                      INTEGER NOT NULL,
  POSICION                SMALLINT NOT NULL,
  SUFIJO                  VARCHAR(50),
  CONSTRAINT PK_LOTE_SUFIJO PRIMARY KEY (ORIGEN, ID, POSICION)
);
CREATE INDEX IX_LOTE_SUFIJO ON LOTE_SUFIJO (ORIGEN, SUFIJO);

SET TERM ^ ;

-- The suffixes of the lot of a lens line (lines are deleted and inserted again,
-- and their units updated, which leaves the lot as it was).
CREATE TRIGGER DLENTILLA_LOTE FOR DLENTILLA
ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 10
AS
  DECLARE VARIABLE I INTEGER;
BEGIN
  IF (UPDATING AND NEW.ID_DLENTILLA = OLD.ID_DLENTILLA AND NEW.LOTE IS NOT DISTINCT FROM OLD.LOTE) THEN
    EXIT;
  IF (NOT INSERTING) THEN
    DELETE FROM LOTE_SUFIJO WHERE ORIGEN = 0 AND ID = OLD.ID_DLENTILLA;
  IF (NOT DELETING) THEN
  BEGIN
    I = 1;
    WHILE (I <= CHAR_LENGTH(NEW.LOTE)) DO
    BEGIN
      IF (SUBSTRING(NEW.LOTE FROM I FOR 1) <> ' ') THEN
        INSERT INTO LOTE_SUFIJO (ORIGEN, ID, POSICION, SUFIJO)
          VALUES (0, NEW.ID_DLENTILLA, :I, UPPER(SUBSTRING(NEW.LOTE FROM :I)));
      I = I + 1;
    END
  END
END^

-- The suffixes of the lots of both trial lenses of a fitting test.
CREATE TRIGGER PLENTILLA_LOTE FOR PLENTILLA
ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 10
AS
  DECLARE VARIABLE I INTEGER;
  DECLARE VARIABLE OJO SMALLINT;
  DECLARE VARIABLE LOTE VARCHAR(50);
BEGIN
  IF (UPDATING AND NEW.ID_PRUEBA_LENTILLAS = OLD.ID_PRUEBA_LENTILLAS AND NEW.OD_LOTE IS NOT DISTINCT FROM
      OLD.OD_LOTE AND NEW.OI_LOTE IS NOT DISTINCT FROM OLD.OI_LOTE) THEN
    EXIT;
  IF (NOT INSERTING) THEN
    DELETE FROM LOTE_SUFIJO WHERE ORIGEN IN (1, 2) AND ID = OLD.ID_PRUEBA_LENTILLAS;
  IF (NOT DELETING) THEN
  BEGIN
    OJO = 1;
    WHILE (OJO <= 2) DO
    BEGIN
      LOTE = IIF(OJO = 1, NEW.OD_LOTE, NEW.OI_LOTE);
      I = 1;
      WHILE (I <= CHAR_LENGTH(LOTE)) DO
      BEGIN
        IF (SUBSTRING(LOTE FROM I FOR 1) <> ' ') THEN
          INSERT INTO LOTE_SUFIJO (ORIGEN, ID, POSICION, SUFIJO)
            VALUES (:OJO, NEW.ID_PRUEBA_LENTILLAS, :I, UPPER(SUBSTRING(:LOTE FROM :I)));
        I = I + 1;
      END
      OJO = OJO + 1;
    END
  END
END^

SET TERM ; ^

GRANT SELECT ON LOTE_SUFIJO TO ROLE OPTICA_USUARIO;
GRANT SELECT, INSERT, DELETE ON LOTE_SUFIJO TO TRIGGER DLENTILLA_LOTE;
GRANT SELECT, INSERT, DELETE ON LOTE_SUFIJO TO TRIGGER PLENTILLA_LOTE;

-- The lots already there (none in a new database).
SET TERM ^ ;
EXECUTE BLOCK
AS
  DECLARE VARIABLE I INTEGER;
  DECLARE VARIABLE ORIGEN SMALLINT;
  DECLARE VARIABLE ID INTEGER;
  DECLARE VARIABLE LOTE VARCHAR(50);
BEGIN
  FOR SELECT 0, ID_DLENTILLA, LOTE FROM DLENTILLA WHERE LOTE > ''
      UNION ALL SELECT 1, ID_PRUEBA_LENTILLAS, OD_LOTE FROM PLENTILLA WHERE OD_LOTE > ''
      UNION ALL SELECT 2, ID_PRUEBA_LENTILLAS, OI_LOTE FROM PLENTILLA WHERE OI_LOTE > ''
      INTO :ORIGEN, :ID, :LOTE
  DO
  BEGIN
    I = 1;
    WHILE (I <= CHAR_LENGTH(LOTE)) DO
    BEGIN
      IF (SUBSTRING(LOTE FROM I FOR 1) <> ' ') THEN
        INSERT INTO LOTE_SUFIJO (ORIGEN, ID, POSICION, SUFIJO) VALUES (:ORIGEN, :ID, :I, UPPER(SUBSTRING(:LOTE FROM :I)));
      I = I + 1;
    END
  END
END^
SET TERM ; ^
