#!/bin/bash
# The bill printed by $1 (PrintBill) to a CUPS queue that rejects jobs, then
# accepts them. The print server is our own, cupsd on a socket in a scratch
# folder with one paused cups-pdf queue as the default printer: the machine's
# print system is left as it is and nothing is printed. Exits 77 (skipped)
# where cupsd or cups-pdf is not installed.
PATH=$PATH:/usr/sbin:/sbin
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
for tool in cupsd lpadmin lpstat cupsaccept cupsreject cupsdisable; do
    command -v $tool >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
[ -e /usr/lib/cups/backend/cups-pdf ] && [ -e $ppd ] || { echo "skipped: no cups-pdf"; exit 77; }

dir=$(mktemp -d)
trap 'kill $pid; wait $pid; rm -rf "$dir"' EXIT
trap 'exit 1' INT TERM HUP
cat >"$dir/cups-files.conf" <<END
ServerRoot $dir
RequestRoot $dir/spool
CacheDir $dir
StateDir $dir
ErrorLog $dir/log
AccessLog $dir/log
PageLog $dir/log
END
# Anyone may do anything: the socket is in our scratch folder.
printf 'Listen %s\nBrowsing No\n<Policy default>\n<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n' \
    "$dir/sock" >"$dir/cupsd.conf"
export CUPS_SERVER=$dir/sock PRINTER=tallybird-test
unset LPDEST
cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" &
pid=$!
until lpstat -o >/dev/null 2>&1; do
    kill -0 $pid && ((SECONDS < 60)) || { echo "cupsd did not start"; exit 1; }
done
lpadmin -p $PRINTER -E -v cups-pdf:/ -P $ppd && cupsdisable $PRINTER || exit 1

jobs="lpstat -o $PRINTER | wc -l"
# The jobs queued before and after each bill.
got=$(echo $("$1" "cupsreject $PRINTER && $jobs" "$jobs && cupsaccept $PRINTER"; eval "$jobs"))
[ "$got" = "0 refused 0 printed 1" ] || { echo "jobs and bills: $got"; exit 1; }
