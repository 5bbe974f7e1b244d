-- 网维8XXX有盘: the tbl_Computer table of barserver.db.
create table tbl_Computer (
  Id integer primary key,
  ComputerName nvarchar(50),
  Mac nvarchar(17),
  Ip nvarchar(15),
  AreaName nvarchar(50)
);
insert into tbl_Computer (ComputerName, Mac, Ip, AreaName) values
  ('收银台', '00-16-3e-5a-00-01', '192.168.10.1', '前台'),
  ('pc001', '00-16-3e-5a-00-65', '192.168.10.101', '普通区'),
  ('pc002', '00-16-3e-5a-00-66', '192.168.10.102', '普通区'),
  ('vip01', '00-16-3e-5a-00-c9', '192.168.10.201', 'VIP区');
