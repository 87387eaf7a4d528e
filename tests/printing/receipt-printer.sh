#!/bin/bash
# A receipt printer on our own print server, driven by $1 (Receipt):
# - an 80 mm roll queue (cups-pdf with a roll as its default paper): the bill
#   prints on the roll, as long as the bill, its item lines whole; with A4
#   kept as this till's paper it prints on A4;
# - a raw queue whose printer is a listener on 127.0.0.1:9100 started by the
#   program: the cash drawer's pulse arrives there, byte for byte.
# cups-pdf runs as root only, so the roll is skipped for anyone else.
tools="pdftotext pdfinfo"
source "$(dirname "$0")/cupsd.sh"
status=0
fail() {
    echo "$*"
    status=1
}

lpadmin -p drawer -E -v socket://127.0.0.1:9100 -m raw 2>/dev/null || exit 1
got=$(PRINTER=drawer "$1" drawer)
[ "$got" = "1b 70 00 19 fa" ] || fail "the drawer received: $got"

[ "$(id -u)" = 0 ] || { [ $status = 0 ] && echo "roll skipped: cups-pdf prints for root only"; exit $((status ? 1 : 77)); }
# The roll: 227 x 842 points (80 x 297 mm), 6 points of margin each side.
sed -e 's/^\*Default\(PageSize\|PageRegion\|ImageableArea\|PaperDimension\): A4/*Default\1: Roll80/' \
    -e '/^\*PageSize A4\//i *PageSize Roll80/80 mm Roll: "<</PageSize[227 842]/ImagingBBox null>>setpagedevice"' \
    -e '/^\*PageRegion A4\//i *PageRegion Roll80/80 mm Roll: "<</PageSize[227 842]/ImagingBBox null>>setpagedevice"' \
    -e '/^\*ImageableArea A4\//i *ImageableArea Roll80/80 mm Roll: "6 6 221 836"' \
    -e '/^\*PaperDimension A4\//i *PaperDimension Roll80/80 mm Roll: "227 842"' \
    $ppd >"$dir/roll.ppd"
lpadmin -p roll -E -v cups-pdf:/ -P "$dir/roll.ppd" 2>/dev/null || exit 1
# cups-pdf writes where the machine's settings say, ${HOME}/PDF as installed;
# its PDFs are named after the job. Ours are removed once read.
out=$(sed -n 's/^Out *//p' /etc/cups/cups-pdf.conf)
out=${out:-/var/spool/cups-pdf/\${USER\}}
out=${out//\$\{HOME\}/$(getent passwd root | cut -d: -f6)}
out=${out//\$\{USER\}/root}
touch "$dir/before"

# Bill #12 printed, and its PDF once cups-pdf has written it.
bill() {
    [ "$(PRINTER=roll "$1")" = printed ] || { fail "the bill was refused"; return 1; }
    until [ -z "$(lpstat -o roll)" ]; do
        ((SECONDS < 120)) || { fail "the bill did not print"; return 1; }
    done
    pdf=$(find "$out" -maxdepth 1 -name 'Tallybird_bill_*12*.pdf' -newer "$dir/before" | head -1)
    [ -n "$pdf" ] || { fail "no PDF named after bill #12 in $out"; return 1; }
    mv "$pdf" "$dir/bill.pdf" && pdf=$dir/bill.pdf
}
size() { pdfinfo "$pdf" | sed -n 's/^Page size: *\([0-9.]*\) x \([0-9.]*\) pts.*/\1 \2/p'; }

# The roll: the glyphs that cups-pdf's PostScript round trip leaves cannot be
# read back as text, but their places can: the 13 lines with text (the
# header's two among them, the long item's amount on a line of its own), all
# 35 words, every one inside the paper.
if bill "$1"; then
    read -r width height <<<"$(size)"
    [ "${width%.*}" -ge 226 ] && [ "${width%.*}" -le 227 ] || fail "roll width: $width pts"
    [ "${height%.*}" -lt 400 ] || fail "roll page length: $height pts"
    [ "$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')" = 1 ] || fail "not one page"
    lines=$(pdftotext -layout "$pdf" - | awk NF | wc -l)
    [ "$lines" = 13 ] || fail "lines with text: $lines"
    words=$(pdftotext -bbox "$pdf" - | grep -o 'xMax="[0-9.]*"' | tr -dc '0-9.\n' |
        awk -v w="$width" '$1 <= w { n++ } END { print n + 0 "/" NR }')
    [ "$words" = 35/35 ] || fail "words inside the roll/all words: $words"
fi

# This till's paper, kept from an earlier Printer Setup, wins over the queue's.
mkdir -p "$dir/config/Tallybird"
printf '[Printer]\nName=roll\nPaper=A4\nPaperSizeMillimetres=@Size(210 297)\n' \
    >"$dir/config/Tallybird/Tallybird.conf"
if bill "$1"; then
    [ "$(size)" = "595 842" ] || fail "kept paper: $(size) pts"
fi
[ $status = 0 ] && echo "roll bill and drawer pulse as expected"
exit $status
