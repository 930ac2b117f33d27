-- The functions are parallel safe: a count over a large table runs in
-- parallel workers, each of which loads the library.
SET datestyle = ISO;
CREATE TABLE dates AS
    SELECT to_char(date '1950-01-01' + i % 36500, 'MM/DD/YY') AS d
    FROM generate_series(1, 200000) AS i;
ANALYZE dates;
SET parallel_setup_cost = 0;
SET parallel_tuple_cost = 0;
SET min_parallel_table_scan_size = 0;
SET max_parallel_workers_per_gather = 2;

EXPLAIN (COSTS OFF) SELECT count(kal_convert(d, 'G')) FROM dates;
EXPLAIN (COSTS OFF) SELECT d FROM dates WHERE kal_parse(d, 4) = date '1998-12-31';

-- The workers ran, and counted what one process counts.
CREATE FUNCTION workers_launched(query text) RETURNS text LANGUAGE plpgsql AS $$
DECLARE line text;
BEGIN
    FOR line IN EXECUTE 'EXPLAIN (ANALYZE, COSTS OFF, TIMING OFF, SUMMARY OFF) ' || query LOOP
        IF line ~ 'Workers Launched' THEN RETURN trim(line); END IF;
    END LOOP;
    RETURN 'no workers';
END $$;
SELECT workers_launched('SELECT count(kal_convert(d, ''G'')) FROM dates');
SELECT count(kal_convert(d, 'G')) AS n, count(kal_parse(d, 4)) AS dates_in_19xx,
       min(kal_parse(d, 4)) AS first, max(kal_parse(d, 4)) AS last
FROM dates;
SET max_parallel_workers_per_gather = 0;
SELECT workers_launched('SELECT count(kal_convert(d, ''G'')) FROM dates');
SELECT count(kal_convert(d, 'G')) AS n, count(kal_parse(d, 4)) AS dates_in_19xx,
       min(kal_parse(d, 4)) AS first, max(kal_parse(d, 4)) AS last
FROM dates;
