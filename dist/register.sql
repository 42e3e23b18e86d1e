-- The gauge register of the tolm47x benches (PostgreSQL), version 1.
-- Run once as the owner of the database; the benches then connect with a
-- role that may only insert and select, for example:
--   CREATE ROLE bench LOGIN PASSWORD '...';
--   GRANT SELECT ON register_schema TO bench;
--   GRANT SELECT, INSERT ON register_record TO bench;
--   GRANT USAGE ON SEQUENCE register_record_id_seq TO bench;
BEGIN;
CREATE TABLE register_schema (version INTEGER NOT NULL);
CREATE TABLE register_record (
  id BIGSERIAL PRIMARY KEY,
  record_key TEXT NOT NULL UNIQUE,
  bench TEXT NOT NULL,
  bench_seq BIGINT NOT NULL,
  plant INTEGER NOT NULL,
  kind TEXT NOT NULL,
  model TEXT NOT NULL,
  hard_version INTEGER NOT NULL,
  soft_version INTEGER NOT NULL,
  program_type INTEGER NOT NULL,
  user_name TEXT NOT NULL,
  program_version TEXT NOT NULL,
  time_utc TEXT NOT NULL,
  utc_offset INTEGER NOT NULL,
  passed INTEGER,
  summary TEXT NOT NULL,
  details TEXT NOT NULL,
  document_name TEXT NOT NULL,
  document BYTEA
);
CREATE INDEX register_record_plant ON register_record (plant, time_utc);
CREATE INDEX register_record_time ON register_record (time_utc);
INSERT INTO register_schema (version) VALUES (1);
COMMIT;
