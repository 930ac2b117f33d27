-- The kalcore functions: NULL for NULL and for a text that is no date,
-- errors for misused arguments, the clock only where no century is given.
SET datestyle = ISO;
CREATE EXTENSION kalcore;

-- Layouts, two-digit years in the century given, and texts that are no dates.
SELECT d, kal_convert(d, 'G', 4) AS iso, kal_parse(d, 5) AS in_20xx, kal_is_date(d, 4) AS ok
FROM (VALUES ('12/31/98'), ('Dec/31/1998'), ('1998-12-31'), ('31-Dec-98'), ('19981231'),
             ('7Sep99'), ('Jul-4-98   '), ('02/30/98'), ('02/29/1900'), ('25/12/1998'),
             ('12/31/1998x'), ('12/31/1998 10:30'), (''), (NULL)) AS t(d);

-- Every output code.
SELECT code, kal_convert('07/04/1998', code, 4) AS "4 July 1998",
       kal_convert('Dec/25/1998', lower(code), 5) AS "Christmas 2098"
FROM regexp_split_to_table('123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ*#@&$[]{}<>+=', '')
     WITH ORDINALITY AS c(code, n)
ORDER BY n;

-- The forms without a century read the clock: keywords and the current century.
SELECT kal_parse('TODAY') IN (current_date, current_date + 1) AS today,
       kal_convert('yester', 'G') = (kal_parse('TODAY') - 1)::text AS yesterday,
       kal_parse('TODAY', 5) IS NULL AS no_keyword_with_a_century,
       kal_is_date('NOW', 5) AS now_with_a_century,
       extract(year FROM kal_parse('12/31/98')) =
           extract(century FROM current_date) * 100 - 2 AS current_century;

-- Every day of three centuries against PostgreSQL's own calendar.
SELECT count(*) AS days,
       count(*) FILTER (WHERE kal_parse(t) <> d) AS parse_differs,
       count(*) FILTER (WHERE kal_weekday(t) <> extract(dow FROM d) + 1) AS weekday_differs,
       count(*) FILTER (WHERE kal_julian(t) <> extract(year FROM d) * 1000 + extract(doy FROM d))
           AS julian_differs,
       count(*) FILTER (WHERE kal_days('01/01/1900', t) <> d - date '1900-01-01') AS days_differ,
       count(*) FILTER (WHERE kal_add_days(1000, t) <> d + 1000) AS add_differs
FROM (SELECT d::date, to_char(d, 'MM/DD/YYYY') FROM generate_series(date '1900-01-01',
      date '2199-12-31', interval '1 day') AS g(d)) AS s(d, t);

SELECT kal_days('12/31/1998', '01/01/1998') AS days, kal_add_days(-1, '01/01/2000') AS back,
       kal_add_days(1, '12/31/9999') AS past_9999, kal_days('12/31/98', 'x') AS no_date;

-- Easter Sunday, and a year that has none here.
SELECT kal_easter(2026) AS y2026, kal_easter(1818) AS y1818, kal_easter(0) AS y0;

-- Holidays of the key year (the current one): Thanksgiving stops work.
WITH november AS (SELECT make_date(extract(year FROM current_date)::int, 11, 1) AS first),
     thanksgiving AS (SELECT first + ((11 - extract(dow FROM first)::int) % 7 + 21) AS day
                      FROM november)
SELECT kal_is_holiday(to_char(day, 'MM/DD/YYYY')) AS holiday,
       kal_is_holiday(to_char(day - 1, 'MM/DD/YYYY')) AS day_before,
       kal_next_working_day(to_char(day - 1, 'MM/DD/YYYY'), 1) = day + 1 AS skips_it,
       kal_next_working_day(to_char(day - 1, 'MM/DD/YYYY'), 1, false) = day AS without_holidays,
       kal_next_working_day(to_char(day - 1, 'MM/DD/YYYY'), 3) = day + 5 AS past_the_weekend
FROM thanksgiving;

-- Cleaning a column: the rows that are no dates become NULL, the rest dates.
CREATE TABLE legacy (id serial, d text, born date);
INSERT INTO legacy (d) VALUES ('12/31/98'), ('n/a'), ('Jan-5-01'), ('13/45/98'), ('19990704');
UPDATE legacy SET born = kal_parse(d, 4);
SELECT id, d, born FROM legacy ORDER BY id;
SELECT d, code, kal_convert(d, code, 4) FROM (VALUES ('n/a', 'G'), ('12/31/98', 'k'), ('x', 'G'),
    ('12/31/98', 'G')) AS t(d, code);

-- Two-digit years by a window: 1950 reads 49 as 2049 and 50 as 1950; four-digit
-- years stay as written; keywords are no dates.
SELECT d, kal_parse(d, 1950) AS w1950, kal_parse(d, 1930) AS w1930,
       kal_convert(d, 'G', 1969) AS w1969, kal_is_date(d, 1950) AS ok
FROM (VALUES ('12/31/49'), ('01/01/50'), ('12/31/1849'), ('29-Feb-00'), ('680101'), ('TODAY'),
             ('12/31/98 10:30')) AS t(d);
CREATE INDEX legacy_window ON legacy (kal_parse(d, 1950));

-- The forms with a century index and generate columns; the others cannot.
ALTER TABLE legacy ADD COLUMN iso text GENERATED ALWAYS AS (kal_convert(d, 'G', 4)) STORED;
CREATE INDEX legacy_born ON legacy (kal_parse(d, 4));
SELECT id, iso FROM legacy WHERE kal_parse(d, 4) = date '1999-07-04';
CREATE INDEX legacy_today ON legacy (kal_parse(d));

-- Misused arguments are errors.
SELECT kal_convert('12/31/98', '0');
SELECT kal_convert(d, code, 4) FROM (VALUES ('n/a', 'G'), ('12/31/98', 'k'), ('x', 'G'),
    ('12/31/98', 'G'), ('z', '!')) AS t(d, code);
SELECT kal_convert('12/31/98', 'GG');
SELECT kal_convert('12/31/98', 'G', 0);
SELECT kal_parse('12/31/98', 10);
SELECT kal_parse('12/31/98', 999);
SELECT kal_is_date('12/31/98', 9901);
SELECT kal_next_working_day('12/31/1998', 0);

-- How each function is declared.
SELECT p.oid::regprocedure AS function, provolatile AS volatility, proparallel AS parallel,
       proisstrict AS strict
FROM pg_proc p JOIN pg_depend d ON d.objid = p.oid
     JOIN pg_extension e ON e.oid = d.refobjid AND e.extname = 'kalcore'
ORDER BY p.oid::regprocedure::text;
