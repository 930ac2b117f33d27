-- The kalcore functions in the sqlite3 shell: NULL for NULL and for a text
-- that is no date, errors for misused arguments, deterministic forms where
-- a century is given.
.headers on
.nullvalue NULL
WITH t(d) AS (VALUES ('12/31/98'), ('Dec/31/1998'), ('1998-12-31'), ('31-Dec-98'), ('19981231'),
                     ('7Sep99'), ('Jul-4-98   '), ('02/30/98'), ('25/12/1998'), ('12/31/1998x'),
                     ('12/31/1998 10:30'), (''), (NULL))
SELECT d, kal_convert(d, 'G', 4) AS iso, kal_convert(d, 'b', 5) AS us_20xx,
       kal_is_date(d, 4) AS ok
FROM t;

-- Two-digit years by a window: 1950 reads 49 as 2049 and 50 as 1950; four-digit
-- years stay as written; keywords are no dates.
WITH t(d) AS (VALUES ('12/31/49'), ('01/01/50'), ('12/31/1849'), ('29-Feb-00'), ('680101'),
                     ('TODAY'), ('12/31/98 10:30'))
SELECT d, kal_convert(d, 'G', 1950) AS w1950, kal_convert(d, 'G', 1930) AS w1930,
       kal_convert(d, 'K', 1969) AS w1969, kal_is_date(d, 1950) AS ok
FROM t;

-- Keywords and the current century in the forms without a century only.
SELECT kal_convert('TODAY', 'G') IN (date('now', 'localtime'), date('now', 'localtime', '+1 day'))
           AS today,
       kal_convert('TODAY', 'G', 5) IS NULL AS no_keyword_with_a_century,
       kal_is_date('yester7', 5) AS yester_with_a_century,
       substr(kal_convert('12/31/98', 'G'), 1, 2) = substr(date('now'), 1, 2) AS current_century;

-- Every day of three centuries against SQLite's own date functions.
WITH RECURSIVE days(d) AS (SELECT '1900-01-01' UNION ALL
                           SELECT date(d, '+1 day') FROM days WHERE d < '2199-12-31'),
     texts(d, t) AS (SELECT d, strftime('%m/%d/%Y', d) FROM days)
SELECT count(*) AS days,
       sum(kal_convert(t, 'G') <> d) AS convert_differs,
       sum(kal_weekday(t) <> strftime('%w', d) + 1) AS weekday_differs,
       sum(kal_julian(t) <> strftime('%Y', d) * 1000 + strftime('%j', d)) AS julian_differs,
       sum(kal_days('01/01/1900', t) <> julianday(d) - julianday('1900-01-01')) AS days_differ,
       sum(kal_add_days(-1000, t) <> date(d, '-1000 days')) AS add_differs
FROM texts;

SELECT kal_days('12/31/1998', '01/01/1998') AS days, kal_add_days(-1, '01/01/2000') AS back,
       kal_add_days(1, '12/31/9999') AS past_9999, kal_add_days('x', '01/01/2000') AS no_count,
       kal_easter(2026) AS easter, kal_easter(0) AS no_easter;

-- Holidays of the key year (the current one): Thanksgiving stops work.
WITH first(day) AS (SELECT date('now', 'start of year', '+10 months')),
     thanksgiving(day) AS (SELECT date(day, 'weekday 4', '+21 days') FROM first),
     t(day, before) AS (SELECT day, strftime('%m/%d/%Y', day, '-1 day') FROM thanksgiving)
SELECT kal_is_holiday(strftime('%m/%d/%Y', day)) AS holiday, kal_is_holiday(before) AS day_before,
       kal_next_working_day(before, 1) = date(day, '+1 day') AS skips_it,
       kal_next_working_day(before, 1, 0) = day AS without_holidays,
       kal_next_working_day(before, 3) = date(day, '+5 days') AS past_the_weekend
FROM t;

-- Cleaning a column: the rows that are no dates become NULL, the rest dates.
CREATE TABLE legacy (id INTEGER PRIMARY KEY, d TEXT, born TEXT);
INSERT INTO legacy (d) VALUES ('12/31/98'), ('n/a'), ('Jan-5-01'), ('13/45/98'), ('19990704');
UPDATE legacy SET born = kal_convert(d, 'G', 4);
SELECT id, d, born FROM legacy;

-- The deterministic forms index and generate columns; the others cannot.
CREATE INDEX legacy_born ON legacy (kal_convert(d, 'G', 4));
ALTER TABLE legacy ADD COLUMN easter TEXT GENERATED ALWAYS AS (kal_easter(substr(born, 1, 4)));
SELECT id, easter FROM legacy WHERE kal_convert(d, 'G', 4) = '1999-07-04';
CREATE INDEX legacy_today ON legacy (kal_convert(d, 'G'));

-- Misused arguments are errors.
SELECT kal_convert('12/31/98', '0');
SELECT kal_convert('12/31/98', 'GG');
SELECT kal_convert('12/31/98', 'G', 0);
SELECT kal_next_working_day('12/31/1998', 0);
