#!/usr/bin/env bash
# Starts a print service with two PDF queues for the test run, or stops it again.
# Their drivers differ only in the printable area: the whole A4 sheet, or
# margins of 12 points left and right and 18 points top and bottom.
#   cups-queue.sh start DIR   -> DIR/queue holds the first queue's name, DIR/out receives its PDFs;
#                                DIR/queue2 and DIR/out2 the same for the second
#   cups-queue.sh stop DIR
# When no print service can be started the queue file is left out and the
# test that needs it skips; the script itself never fails the run.
set -u
action=$1
dir=$2
queue=PlaklabelsTest
tag=plaklabelstest
queue2=PlaklabelsMarges
tag2=plaklabelsmarges

stop() {
    lpadmin -x "$queue" 2>/dev/null
    lpadmin -x "$queue2" 2>/dev/null
    if [ -f "$dir/cupsd.pid" ]; then
        pid=$(cat "$dir/cupsd.pid")
        kill -TERM "$pid" 2>/dev/null
        for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        rm -f "$dir/cupsd.pid"
    fi
    rm -f "$dir/queue" "$dir/queue2" "/etc/cups/cups-pdf-$tag.conf" "/etc/cups/cups-pdf-$tag2.conf"
}

if [ "$action" = stop ]; then
    stop
    exit 0
fi

command -v cupsd >/dev/null && command -v lpadmin >/dev/null && [ "$(id -u)" -eq 0 ] || exit 0
mkdir -p "$dir/out" "$dir/out2" "$dir/log" "$dir/spool" "$dir/ppd"
chmod 1777 "$dir/out" "$dir/out2"
rm -f "$dir/queue" "$dir/queue2" "$dir/out"/* "$dir/out2"/*

if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    cat > "$dir/cupsd.conf" <<CONF
Listen /run/cups/cups.sock
Listen localhost:631
Browsing No
WebInterface No
ErrorPolicy abort-job
<Location />
  Order allow,deny
  Allow localhost
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
  <Limit CUPS-Add-Modify-Printer CUPS-Delete-Printer CUPS-Add-Modify-Class CUPS-Delete-Class CUPS-Set-Default Enable-Printer Disable-Printer Pause-Printer Resume-Printer CUPS-Accept-Jobs CUPS-Reject-Jobs Cancel-Job Purge-Jobs>
    AuthType Default
    Require user @SYSTEM
    Order deny,allow
  </Limit>
</Policy>
CONF
    cat > "$dir/cups-files.conf" <<CONF
SystemGroup root lpadmin
PeerCred on
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
ServerRoot $dir
RequestRoot $dir/spool
CONF
    mkdir -p /run/cups
    setsid /usr/sbin/cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >/dev/null 2>&1 &
    echo $! > "$dir/cupsd.pid"
    for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q "is running" && break; sleep 0.1; done
fi

printf 'Out %s\nAnonDirName %s\n' "$dir/out" "$dir/out" > "/etc/cups/cups-pdf-$tag.conf"
if lpadmin -p "$queue" -v "cups-pdf:/$tag" -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd \
        -o pdftops-renderer-default=pdftocairo -E 2>"$dir/log/lpadmin" \
    && cupsenable "$queue" && cupsaccept "$queue"; then
    echo "$queue" > "$dir/queue"
fi

# The same driver with a smaller printable area on A4.
sed -e 's|^\*ImageableArea A4/A4: .*|*ImageableArea A4/A4: "12 18 583 824"|' \
    -e 's|^\*HWMargins: .*|*HWMargins: 12 18 12 18|' \
    /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd > "$dir/ppd/marges.ppd"
printf 'Out %s\nAnonDirName %s\n' "$dir/out2" "$dir/out2" > "/etc/cups/cups-pdf-$tag2.conf"
if lpadmin -p "$queue2" -v "cups-pdf:/$tag2" -P "$dir/ppd/marges.ppd" \
        -o pdftops-renderer-default=pdftocairo -E 2>>"$dir/log/lpadmin" \
    && cupsenable "$queue2" && cupsaccept "$queue2"; then
    echo "$queue2" > "$dir/queue2"
fi
exit 0
