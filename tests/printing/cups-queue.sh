#!/bin/bash
# The bill printed by $1 (PrintBill) to a CUPS queue that rejects jobs, then
# accepts them: one paused cups-pdf queue as the default printer of our own
# print server, so nothing is printed.
tools="cupsaccept cupsreject cupsdisable"
source "$(dirname "$0")/cupsd.sh"
export PRINTER=tallybird-test
lpadmin -p $PRINTER -E -v cups-pdf:/ -P $ppd && cupsdisable $PRINTER || exit 1

jobs="lpstat -o $PRINTER | wc -l"
# The jobs queued before and after each bill.
got=$(echo $("$1" "cupsreject $PRINTER && $jobs" "$jobs && cupsaccept $PRINTER"; eval "$jobs"))
[ "$got" = "0 refused 0 printed 1" ] || { echo "jobs and bills: $got"; exit 1; }
