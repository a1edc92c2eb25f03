#!/usr/bin/env bash
# Draws every Button style in its four looks (up, pressed, disabled, up with focus) with
# orvalin-render and assembles them into docs/gallery/buttons.png, one row per style.
# The single pictures stay beside it in docs/gallery/buttons/.
#
# usage: scripts/make-gallery.sh [ORVALIN_RENDER]
#   ORVALIN_RENDER  path of the orvalin-render program; by default build/tools/render/orvalin-render
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
render=${1:-$root/build/tools/render/orvalin-render}
if [ ! -x "$render" ]; then
    echo "make-gallery: no se encuentra el programa orvalin-render en «$render»;" \
         "compílelo (cmake --build build --target orvalin-render) o indique su ruta" >&2
    exit 2
fi
if ! command -v montage > /dev/null; then
    echo "make-gallery: falta «montage» de ImageMagick (apt-get install imagemagick)" >&2
    exit 2
fi

out=$root/docs/gallery
tiles=$out/buttons
mkdir -p "$tiles"
rm -f "$tiles"/*.png

size=90x27
caption='&Buscar'
font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
styles=(1:Beveled 2:Classic 3:Gradient 4:Rounded 5:Etched 6:ThickEdge 7:ThinEdge)
looks=(up pressed disabled focus)

args=()
for entry in "${styles[@]}"; do
    type=${entry%%:*}
    name=${entry#*:}
    for look in "${looks[@]}"; do
        label="$name $look"
        case $look in
            up) options=() ;;
            pressed) options=(--state down) ;;
            disabled) options=(--disabled) ;;
            focus)
                options=(--focus)
                # Classic shows its focus rectangle only as the default button.
                if [ "$name" = Classic ]; then
                    options+=(--default)
                    label="$name focus+default"
                fi
                ;;
        esac
        file=$tiles/$(printf '%d-%s-%s.png' "$type" "$name" "$look")
        "$render" button -o "$file" --size "$size" --type "$type" --caption "$caption" \
            "${options[@]}"
        args+=(-label "$label" "$file")
    done
done

# Twice the size with square pixels, on a grey that shows the cut corners.
montage -font "$font" -pointsize 11 -depth 8 -background '#b8c4cc' -filter point \
    -geometry 180x54+10+8 -tile 4x "${args[@]}" "$out/buttons.png"
echo "make-gallery: $out/buttons.png"
