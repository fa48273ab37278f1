#!/bin/bash
# Times "new picture to composed bitmap" (sized load, Lanczos fit, uncompressed
# bitmap save) for Dayglass, vipsthumbnail, ImageMagick and Pillow on the same
# photo-like JPEGs, with peak memory and PSNR against a full-resolution
# Lanczos reference (full decode, then Lanczos to the same size).
# Usage: bench/wallpaper_bench.sh [build dir] [work dir] [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
work=${2:-/tmp/dayglass-wallpaper-bench}
runs=${3:-3}
bench=$build/bench/WallpaperBench
convert=/usr/bin/convert
python=/usr/bin/python3
mkdir -p "$work"
cd "$work"

# ImageMagick's default policy is too tight for 48-megapixel work pictures.
limits=(-limit memory 1GiB -limit map 2GiB -limit disk 4GiB -limit area 1GiB)

# Photo-like pictures: libjpeg-turbo's test photo upscaled with Lanczos, a
# blurred plasma fractal overlaid for detail at every scale and Gaussian grain;
# the larger one is that picture upscaled again with fresh grain. Saved as
# camera-style JPEGs (quality 90, 4:2:0).
[ -s photo4000x3000.jpg ] || "$convert" "${limits[@]}" "$root/tests/data/wallpaper/testorig.jpg" \
    -filter Lanczos -resize '4000x3000!' \( -size 4000x3000 plasma:fractal -blur 0x1 \) \
    -compose overlay -composite -attenuate 0.3 +noise Gaussian -quality 90 \
    -sampling-factor 2x2 photo4000x3000.jpg
[ -s photo8000x6000.jpg ] || "$convert" "${limits[@]}" photo4000x3000.jpg -filter Lanczos \
    -resize '8000x6000!' -attenuate 0.2 +noise Gaussian -quality 90 -sampling-factor 2x2 \
    photo8000x6000.jpg

cat >pillow_job.py <<'PY'
import sys
from PIL import Image
picture, width, height, out = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
im = Image.open(picture)
im.draft("RGB", (width, height))
im.convert("RGB").resize((width, height), Image.LANCZOS).save(out, "BMP")
PY

# The aspect-keeping fit of the picture onto the screen, halves to even.
fit() {
    "$python" -c "
import sys
iw, ih, bw, bh = map(int, sys.argv[1:])
s = bw / iw if iw / bw > ih / bh else bh / ih
print(round(iw * s), round(ih * s))" "$@"
}

psnr() { "$convert" "$1" "$2" -metric PSNR -compare -format '%[distortion]' info: 2>/dev/null || true; }

# Runs a command $runs times; prints best wall seconds, its CPU seconds and peak RSS in MB.
measure() {
    local best="" line
    for _ in $(seq "$runs"); do
        line=$(/usr/bin/time -f '%e %U %S %M' "$@" 2>&1 >/dev/null | tail -1)
        if [ -z "$best" ] || awk -v a="${line%% *}" -v b="${best%% *}" 'BEGIN{exit !(a<b)}'; then
            best=$line
        fi
    done
    awk '{printf "%6.3f %6.3f %7.1f", $1, $2 + $3, $4 / 1024}' <<<"$best"
}

printf '%-20s %-10s %-10s %-14s %7s %7s %8s %7s\n' picture screen result tool wall_s cpu_s peak_MB psnr_dB
for picture in photo4000x3000.jpg photo8000x6000.jpg; do
    size=$("$convert" -ping "$picture" -format '%w %h' info:)
    for screen in "1920 1080" "3840 2160"; do
        read -r sw sh <<<"$screen"
        read -r fw fh < <(fit $size $sw $sh)
        ref=ref-${picture%.jpg}-${fw}x${fh}.ppm
        [ -s "$ref" ] || "$convert" "${limits[@]}" "$picture" -filter Lanczos -resize "${fw}x${fh}!" "$ref"
        declare -A cmd=(
            [dayglass]="$bench $picture $sw $sh out-dayglass.bmp"
            [vipsthumbnail]="vipsthumbnail $picture --size ${fw}x${fh}! -o out-vipsthumbnail.ppm"
            [imagemagick]="$convert -define jpeg:size=${fw}x${fh} $picture -filter Lanczos -resize ${fw}x${fh}! -type TrueColor BMP3:out-imagemagick.bmp"
            [pillow]="$python pillow_job.py $picture $fw $fh out-pillow.bmp"
        )
        for tool in dayglass vipsthumbnail imagemagick pillow; do
            # shellcheck disable=SC2086
            stats=$(measure ${cmd[$tool]})
            out=$(ls out-$tool.* | head -1)
            printf '%-20s %-10s %-10s %-14s %s %7.2f\n' "$picture" "${sw}x${sh}" "${fw}x${fh}" \
                "$tool" "$stats" "$(psnr "$out" "$ref")"
            rm -f out-$tool.*
        done
    done
done
