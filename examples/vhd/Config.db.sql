-- VHD: the comp table of Config.db; a machine at 0.0.0.0 is not carried over.
create table comp (
  id integer primary key,
  name text,
  mac text,
  ip4 text,
  vdisk text
);
insert into comp (name, mac, ip4, vdisk) values
  ('vhd-01', '00-25-90-ab-cd-01', '172.16.1.11', 'win7.vhd'),
  ('vhd-02', '00-25-90-ab-cd-02', '172.16.1.12', 'win7.vhd'),
  ('模板机', '00-25-90-ab-cd-ff', '0.0.0.0', 'win7.vhd'),
  ('vhd-03', '00-25-90-ab-cd-03', '172.16.1.13', 'win10.vhd');
