-- 易游: the client table of diskless.db.
create table client (
  ID integer primary key,
  Name varchar(64),
  macaddress varchar(32),
  ipaddress varchar(16),
  Area varchar(32)
);
insert into client (Name, macaddress, ipaddress, Area) values
  ('yy001', '00-e0-4c-12-3a-01', '192.168.0.101', '大厅'),
  ('yy002', '00-e0-4c-12-3a-02', '192.168.0.102', '大厅'),
  ('yy003', '00-e0-4c-12-3a-03', '192.168.0.103', '大厅'),
  ('包厢01', '00-e0-4c-12-3a-11', '192.168.0.111', '包厢'),
  ('备用机', NULL, '192.168.0.199', '仓库');
