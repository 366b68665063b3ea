#!/usr/bin/env bash
# Builds the seed corpora of the fuzz targets from the test fixtures:
#   receive_path   the replay captures and the device output fixtures, whole and cut in pieces
#   settings_store config.ini files as operators and the demo write them, each with a key to write
#   sim_cli        the command lines the simulator tests type and the commands echoed in the captures
# Usage: fuzz/make_corpus.sh OUT_DIR   (makes OUT_DIR/<target>/; the input format is in FuzzInput.h)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:?usage: fuzz/make_corpus.sh OUT_DIR}
rm -rf "$out"
mkdir -p "$out/receive_path" "$out/settings_store" "$out/sim_cli"
fixtures=tests/fixtures

# Writes the header bytes (printf escapes) and then the file into the corpus under a stable name.
seed() { # target name header file
  printf "$3" >"$out/$1/$2"
  cat "$4" >>"$out/$1/$2"
}

# --- receive path: flags byte, cut count, cut sizes (see FuzzInput.h) -------------------------------
headers=(
  '\x00\x00'                 # whole, the replay tool's empty settings
  '\x0f\x01\x06'             # 7-byte pieces, account and automatic switches on, GPON, fields, ticked
  '\x21\x03\xfa\x00\x40'     # 251, 1 and 65 bytes, a registration and a move pending
  '\x13\x02\x02\x0c'         # 3 and 13 bytes, a new connection halfway
)
n=0
for f in "$fixtures"/replay/*.bin "$fixtures"/display_*/*.txt "$fixtures"/sim/*.txt; do
  [ -f "$f" ] || continue
  for h in "${headers[@]}"; do
    seed receive_path "$(basename "$f").$n" "$h" "$f"
    n=$((n + 1))
  done
done

# --- settings store: key byte, value byte, config.ini ------------------------------------------------
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
gbk() { iconv -f UTF-8 -t GBK; }
printf '[OLT]\r\nIP地址=127.0.0.1\r\n端口=2323\r\n帐号=root\r\n密码=0123456789ABCDEF\r\n标识=演示OLT\r\n开启日志=真\r\n自动重连=真\r\n自动移机=真\r\n开启IPTV=真\r\n[基本]\r\ngemport=1,2\r\n点播外层=3444\r\n' | gbk >"$tmp/demo.ini"
printf '; 手工注释\n[OLT]\nIP地址 = 1.2.3.4\n  junk line without equals\n端口=23\n\n[基本]\n业务外层=200\nGPON业务流=service-port vlan 业务外层 gpon 0/槽号/端口号 ont 编号 gemport 1\n[映射]\n1/0=300\n[其他]\n定时保存=假' | gbk >"$tmp/hand-edited.ini"
printf 'orphan=1\n[OLT]\n帐号=first\n帐号=second\n[olt]\n帐号=b\n[基本]\r\n递增数值1=7\r\n端口数1=3\r\n' | gbk >"$tmp/duplicates.ini"
printf '\x00\x01[\x02\n[OLT]\n\xfe\n\xa1\xa1帐号\xa1\xa1=r\n[' >"$tmp/binary.ini"
: >"$tmp/empty.ini"
k=0
for f in "$tmp"/*.ini; do
  for h in '\x00\x00' '\x03\x06' '\x0b\x05' '\x25\x0a' '\x3a\x08'; do
    seed settings_store "$(basename "$f").$k" "$h" "$f"
    k=$((k + 1))
  done
done

# --- simulator command line: flags byte, cut count, cut sizes, lines ---------------------------------
{
  grep -ohE '(run|reply|send|typeCommand)\("[^"\\]*"' tests/sim/*.cpp tests/sim/*.h tests/e2e/*.cpp |
    sed -E 's/^[a-zA-Z]+\("//; s/"$//'
  for f in "$fixtures"/replay/*.bin; do
    iconv -f GBK -t UTF-8 -c "$f" | tr '\r' '\n' | grep -aoE '^MA5680T[^#>]*[#>][a-z].*' | sed -E 's/^MA5680T[^#>]*[#>]//'
  done
} | LC_ALL=C sort -u >"$tmp/lines.txt"
split -l 8 -d -a 3 "$tmp/lines.txt" "$tmp/lines."
m=0
for f in "$tmp"/lines.[0-9]*; do
  sed 's/$/\r/' "$f" | gbk >"$f.gbk" 2>/dev/null || continue
  seed sim_cli "lines.$m" '\x00\x00' "$f.gbk"
  seed sim_cli "lines-cut.$m" '\x07\x02\x00\x04' "$f.gbk"
  m=$((m + 1))
done
printf '\x01plug 0/1/4 sn 48575443ABCDEF01\ndisplay ont autofind all\r\ninterface gpon 0/1\r\nont add 4 sn-auth 48575443ABCDEF01 omci ont-lineprofile-id 1 ont-srvprofile-id 1\r\n\r\nquit\r\n\x01move 48575443ABCDEF01 0/2/3\n\x01fault alarm\ndisplay ont info 0 1 4 all\r\n\x01dump\n' >"$tmp/control.txt"
seed sim_cli control '\x00\x00' "$tmp/control.txt"
printf 'diagnose\r\nload configuration tftp 10.0.0.9 MA5680T.cfg\r\ny\r\nquit\r\nbackup configuration tftp 10.0.0.9 MA5680T.cfg\r\n' >"$tmp/transfer.txt"
seed sim_cli transfer-done '\x00\x00' "$tmp/transfer.txt"
seed sim_cli transfer-refused '\x08\x00' "$tmp/transfer.txt"

for t in receive_path settings_store sim_cli; do
  echo "seed corpus $t: $(find "$out/$t" -type f | wc -l) inputs"
done
