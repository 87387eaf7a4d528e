# Sourced by the printing tests: our own print server, cupsd on a socket in a
# scratch folder $dir, so that the machine's print system is left as it is.
# Exits 77 (skipped) where cupsd or cups-pdf is not installed. The caller
# names its tools in $tools beforehand.
PATH=$PATH:/usr/sbin:/sbin
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
for tool in cupsd lpadmin lpstat $tools; do
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
# The till settings of the program under test are its own as well.
export CUPS_SERVER=$dir/sock XDG_CONFIG_HOME=$dir/config
unset LPDEST PRINTER
cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" &
pid=$!
until lpstat -o >/dev/null 2>&1; do
    kill -0 $pid && ((SECONDS < 60)) || { echo "cupsd did not start"; exit 1; }
done
