#!/bin/sh
# Makes the demo mails' RTF bodies from their HTML sources with headless LibreOffice, once: the
# RTF files are kept beside the sources, so that the demo needs no word processor.
#   tools/demo/rtf/make-rtf.sh          the demo's RTF files
#   tools/demo/rtf/make-rtf.sh --bench  also bench/data/report-1mb.rtf
set -eu
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
profile="-env:UserInstallation=file://$work/profile"
cp "$here"/*.html "$work"/
if [ "${1:-}" = --bench ]; then
  python3 "$here/make-sources.py" "$work" --bench "$work/report-1mb.html"
else
  python3 "$here/make-sources.py" "$work"
fi
for source in "$work"/*.html; do
  soffice --headless "$profile" --convert-to rtf --infilter="HTML (StarWriter)" \
    --outdir "$work/rtf" "$source" >/dev/null
done
for rtf in "$work"/rtf/*.rtf; do
  case $(basename "$rtf") in
    report-1mb.rtf) cp "$rtf" "$here/../../../bench/data/" ;;
    *) cp "$rtf" "$here/" ;;
  esac
done
ls -l "$here"/*.rtf
