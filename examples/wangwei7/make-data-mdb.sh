#!/bin/sh
# Writes Data.mdb, the sample of this folder, with the tests' Jet 4 writer:
#   sh examples/wangwei7/make-data-mdb.sh build/tests/support/make-jet4-database \
#      examples/wangwei7/Data.mdb
# Row values are separated by tabs; \N is NULL.
set -eu
"$1" "$2" <<'END'
table computer
column id long
column name text
column ip text
column mac text
row	1	pc001	192.168.1.101	00-e0-4c-68-01-01
row	2	pc002	192.168.1.102	00-e0-4c-68-01-02
row	3	pc003	192.168.1.103	00e04c680103
row	4	前台	192.168.1.100	00-1a-2b-3c-4d-5e
row	5	备用机	192.168.1.199	\N
row	6	VIP-01	\N	00-e0-4c-68-02-01
END
