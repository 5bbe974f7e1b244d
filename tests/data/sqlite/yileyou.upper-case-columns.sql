-- 易乐游 ews.dat: columns declared in capitals, a repeated MAC kept twice.
create table WORKSTATION (
  COMPUTER text,
  MAC text,
  IP text
);
insert into WORKSTATION values
  ('ws-01', 'a0:b1:c2:d3:e4:01', '10.1.0.1'),
  ('ws-02', 'a0-b1-c2-d3-e4-02', '10.1.0.2'),
  ('ws-02b', 'a0-b1-c2-d3-e4-02', '10.1.0.22');
