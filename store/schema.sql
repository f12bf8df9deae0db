-- The pristine empty database, generated at build time into build/twinscan.db:
-- the tables TABLE1, TABLE2 and TABLERESULT come from the field table
-- (store::TableDefinitions), this script follows them.
--
-- Types: INTEGER for whole numbers and line numbers, REAL for doubles, TEXT
-- COLLATE NOCASE for texts (text "=" and ORDER BY ignore case), dates as
-- 'YYYY-MM-DD' in DATE_TEXT columns and booleans as 0/1 in BOOL_INTEGER
-- columns. The declared types DATE_TEXT and BOOL_INTEGER keep the affinities
-- TEXT and INTEGER and tell the views how to show the values.

PRAGMA journal_mode = WAL;

-- The corrected-file writer and the views read the records in linenumber order.
CREATE INDEX TABLE1_linenumber ON TABLE1 (linenumber);
CREATE INDEX TABLE2_linenumber ON TABLE2 (linenumber);

-- The candidate search reads TABLE2 by these columns.
CREATE INDEX TABLE2_1A ON TABLE2 ("1A");
CREATE INDEX TABLE2_6A ON TABLE2 ("6A");
CREATE INDEX TABLE2_4A ON TABLE2 ("4A");
CREATE INDEX TABLE2_13Y ON TABLE2 ("13Y");
CREATE INDEX TABLE2_4C ON TABLE2 ("4C");
CREATE INDEX TABLE2_4CLONG_4CLAT ON TABLE2 ("4CLONG", "4CLAT");

CREATE INDEX TABLERESULT_linenumber ON TABLERESULT (linenumber);

-- The file last imported into TABLE1 (tag 'ff') and TABLE2 ('sf'); the
-- desktop app names it in the grid caption. Older working databases get the
-- table when opened.
CREATE TABLE IMPORTS (tag TEXT PRIMARY KEY, path TEXT, imported_at TEXT, records INTEGER, erroneous INTEGER);
