-- From 1.0 to 1.1: the C functions behind kal_parse took new names, as the
-- library itself now exports kal_parse; and a number of 1000-9900 in place of
-- a century starts a window of 100 years for two-digit years.
\echo Use "ALTER EXTENSION kalcore UPDATE TO '1.1'" to load this file. \quit
CREATE OR REPLACE FUNCTION kal_parse(date text) RETURNS date
    AS 'MODULE_PATHNAME', 'kal_pg_parse' LANGUAGE C STRICT STABLE PARALLEL SAFE;
CREATE OR REPLACE FUNCTION kal_parse(date text, century integer) RETURNS date
    AS 'MODULE_PATHNAME', 'kal_pg_parse_century' LANGUAGE C STRICT IMMUTABLE PARALLEL SAFE;
COMMENT ON FUNCTION kal_parse(text, integer) IS
    'the date a text holds, a two-digit year in the century given (4 = 19xx, 5 = 20xx) or in the window starting in the year given (1950: 1950-2049)';
