-- 易乐游: the workstation table of ews.dat.
create table workstation (
  id integer primary key,
  computer text,
  mac text,
  ip text,
  disk text
);
insert into workstation (computer, mac, ip, disk) values
  ('ws01', '1c-6f-65-a0-00-01', '10.0.0.1', 'game'),
  ('ws02', '1c-6f-65-a0-00-02', '10.0.0.2', 'game'),
  ('ws03', '1c6f65a00003', '10.0.0.3', 'game'),
  ('吧台', '1c-6f-65-a0-00-fe', '10.0.0.254', 'office');
