-- A database whose extension came from version 1.0 names the C functions
-- behind kal_parse by their old names, which the module no longer has. Its
-- catalogue is made here as 1.0 left it: the old names fail with an error
-- (never a call into the wrong function), and ALTER EXTENSION UPDATE mends it.
SET client_min_messages = warning;
DROP EXTENSION IF EXISTS kalcore CASCADE;
RESET client_min_messages;
CREATE EXTENSION kalcore;
UPDATE pg_proc SET prosrc = CASE pronargs WHEN 1 THEN 'kal_parse' ELSE 'kal_parse_century' END
    WHERE proname = 'kal_parse' AND pronamespace = 'public'::regnamespace;
UPDATE pg_extension SET extversion = '1.0' WHERE extname = 'kalcore';
DO $$ BEGIN
    PERFORM kal_parse('12/31/98'::text, 4);
EXCEPTION WHEN OTHERS THEN
    RAISE NOTICE 'before the update: error %', SQLSTATE;
END $$;
ALTER EXTENSION kalcore UPDATE TO '1.1';
SELECT extversion FROM pg_extension WHERE extname = 'kalcore';
SELECT proname, pronargs, prosrc FROM pg_proc
    WHERE proname = 'kal_parse' AND pronamespace = 'public'::regnamespace ORDER BY pronargs;
SELECT kal_parse('12/31/98'::text, 4), kal_parse('12/31/49'::text, 1950),
    kal_parse('12/31/50'::text, 1950), kal_parse('not a date'::text, 1950);
DROP EXTENSION kalcore;
