-- 易游 diskless.db: dashes become colons, rows without a MAC are no machines.
create table client (
  ID integer primary key,
  Name varchar(64),
  macaddress varchar(32),
  ipaddress varchar(16),
  GroupName varchar(64)
);
insert into client (Name, macaddress, ipaddress, GroupName) values
  ('pc001', '00-e0-4c-68-01-01', '192.168.1.101', 'A区'),
  ('pc002', NULL, '192.168.1.102', 'A区'),
  ('pc003', '', '192.168.1.103', 'A区'),
  (NULL, '00-e0-4c-68-01-04', NULL, 'B区'),
  ('pc005', '00E04C680105', '0.0.0.0', 'B区');
