-- The download archive: the raw memory image of one download, the unit's
-- identity and its dive list. The build turns this file into the template
-- Tpls/dat.tpl; each download fills a copy and stores it under "data".

PRAGMA user_version = 1;

-- The unit the download came from (one row).
CREATE TABLE DCInfo (
    DCName      TEXT COLLATE NOCASE,   -- model name
    DCCode      INTEGER,               -- model id
    DCSerialNo  INTEGER                -- the unit's serial number
);

-- One row per device page 0..4095, in page order. The columns are read by
-- position: PAGE first, then the 16 data bytes, then the page checksum.
CREATE TABLE DATA (
    PAGE      INTEGER,
    B0  INTEGER, B1  INTEGER, B2  INTEGER, B3  INTEGER,
    B4  INTEGER, B5  INTEGER, B6  INTEGER, B7  INTEGER,
    B8  INTEGER, B9  INTEGER, B10 INTEGER, B11 INTEGER,
    B12 INTEGER, B13 INTEGER, B14 INTEGER, B15 INTEGER,
    CHECKSUM  INTEGER
);
CREATE INDEX DATA_PAGE ON DATA (PAGE);

-- The device's dive list as it stood at the download.
CREATE TABLE DivesIndex (
    DiveNo    INTEGER,
    DiveDate  TEXT COLLATE NOCASE,   -- as the device list holds it, 10 characters
    DiveTime  TEXT COLLATE NOCASE,   -- "hh:mm"
    SA        INTEGER,               -- first profile page
    EA        INTEGER,               -- last profile page
    DiveMode  INTEGER,
    IsSaved   INTEGER                -- Yes/No
);
