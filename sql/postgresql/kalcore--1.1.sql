-- The kalcore date functions. A NULL argument or a text that is no date
-- gives NULL. Forms with a rule for two-digit years, a century (1-9: 4 =
-- 19xx, 5 = 20xx) or the first year of a window (1000-9900: 1950 reads 49 as
-- 2049 and 50 as 1950), read no clock and are IMMUTABLE, so they can index
-- and generate columns; in them the keywords TODAY, NOW and YESTER.. are no
-- dates. Forms without one give a
-- two-digit year the current century, accept the keywords and are STABLE,
-- like the functions that read the library's holiday file.
\echo Use "CREATE EXTENSION kalcore" to load this file. \quit

CREATE FUNCTION kal_convert(date text, code text) RETURNS text
    AS 'MODULE_PATHNAME', 'kal_convert' LANGUAGE C STRICT STABLE PARALLEL SAFE;
CREATE FUNCTION kal_convert(date text, code text, century integer) RETURNS text
    AS 'MODULE_PATHNAME', 'kal_convert_century' LANGUAGE C STRICT IMMUTABLE PARALLEL SAFE;
CREATE FUNCTION kal_parse(date text) RETURNS date
    AS 'MODULE_PATHNAME', 'kal_pg_parse' LANGUAGE C STRICT STABLE PARALLEL SAFE;
CREATE FUNCTION kal_parse(date text, century integer) RETURNS date
    AS 'MODULE_PATHNAME', 'kal_pg_parse_century' LANGUAGE C STRICT IMMUTABLE PARALLEL SAFE;
CREATE FUNCTION kal_is_date(date text) RETURNS boolean
    AS 'MODULE_PATHNAME', 'kal_is_date' LANGUAGE C STRICT STABLE PARALLEL SAFE;
CREATE FUNCTION kal_is_date(date text, century integer) RETURNS boolean
    AS 'MODULE_PATHNAME', 'kal_is_date_century' LANGUAGE C STRICT IMMUTABLE PARALLEL SAFE;
CREATE FUNCTION kal_days(first text, second text) RETURNS integer
    AS 'MODULE_PATHNAME', 'kal_days' LANGUAGE C STRICT STABLE PARALLEL SAFE;
CREATE FUNCTION kal_add_days(days integer, date text) RETURNS date
    AS 'MODULE_PATHNAME', 'kal_add_days' LANGUAGE C STRICT STABLE PARALLEL SAFE;
CREATE FUNCTION kal_weekday(date text) RETURNS integer
    AS 'MODULE_PATHNAME', 'kal_weekday' LANGUAGE C STRICT STABLE PARALLEL SAFE;
CREATE FUNCTION kal_julian(date text) RETURNS integer
    AS 'MODULE_PATHNAME', 'kal_julian' LANGUAGE C STRICT STABLE PARALLEL SAFE;
CREATE FUNCTION kal_is_holiday(date text) RETURNS boolean
    AS 'MODULE_PATHNAME', 'kal_is_holiday' LANGUAGE C STRICT STABLE PARALLEL SAFE;
CREATE FUNCTION kal_next_working_day(date text, n integer, holidays boolean DEFAULT true)
    RETURNS date
    AS 'MODULE_PATHNAME', 'kal_next_working_day' LANGUAGE C STRICT STABLE PARALLEL SAFE;
CREATE FUNCTION kal_easter(year integer) RETURNS date
    AS 'MODULE_PATHNAME', 'kal_easter' LANGUAGE C STRICT IMMUTABLE PARALLEL SAFE;

COMMENT ON FUNCTION kal_convert(text, text) IS
    'the date in an output format code (G: CCYY-MM-DD); NULL when the text is no date';
COMMENT ON FUNCTION kal_parse(text, integer) IS
    'the date a text holds, a two-digit year in the century given (4 = 19xx, 5 = 20xx) or in the window starting in the year given (1950: 1950-2049)';
COMMENT ON FUNCTION kal_weekday(text) IS 'the day of the week, 1 (Sunday) to 7 (Saturday)';
COMMENT ON FUNCTION kal_julian(text) IS 'the Julian date CCYYDDD: year and day of the year';
