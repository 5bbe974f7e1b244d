-- 网维8XXX有盘 barserver.db: Chinese names written in the ANSI code page.
create table tbl_Computer (
  Id integer primary key,
  ComputerName nvarchar(50),
  Ip nvarchar(15),
  Mac nvarchar(17)
);
insert into tbl_Computer (ComputerName, Ip, Mac) values
  ('收银台', '192.168.10.1', '00-16-3e-00-00-01'),
  ('网吧vip01', '192.168.10.21', '00-16-3e-00-00-15'),
  ('包间甲', '192.168.10.31', '00-16-3e-00-00-1f');
