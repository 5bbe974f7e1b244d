-- VHD Config.db: a machine whose IP is exactly 0.0.0.0 is not carried over.
create table comp (
  id integer primary key,
  name text,
  mac text,
  ip4 text
);
insert into comp (name, mac, ip4) values
  ('vhd01', '00-1a-2b-3c-4d-01', '172.16.0.11'),
  ('vhd02', '00-1a-2b-3c-4d-02', '0.0.0.0'),
  ('vhd03', '00-1a-2b-3c-4d-03', ''),
  ('vhd04', '00-1a-2b-3c-4d-04', 2886729740);
