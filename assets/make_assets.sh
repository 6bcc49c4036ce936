#!/usr/bin/env bash
# Regenerates every picture that ships beside desktop.exe.
#
# Needs: ImageMagick 6 (convert, montage), rsvg-convert (librsvg2-bin),
# python3, the Tango icon theme (Debian: tango-icon-theme) and the
# DejaVu / Liberation fonts. The generated files are committed, so this is
# only run when a picture is to change:  bash assets/make_assets.sh
set -euo pipefail

ASSETS="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
TANGO="${TANGO:-/usr/share/icons/Tango}"
WORK="${WORK:-$(mktemp -d)}"
[[ -n "${KEEP_WORK:-}" ]] || trap 'rm -rf "$WORK"' EXIT

ICONS="$ASSETS/icons"
THEME="$ASSETS/theme"
WINDOW="$ASSETS/window"
mkdir -p "$ICONS" "$THEME" "$WINDOW"

FONT_BOLD="DejaVu-Sans-Bold"
FONT="DejaVu-Sans"

# The window's colours.
FRAME_BLUE="rgb(0,119,251)"       # page frames
PANEL_BLUE="rgb(114,167,254)"     # settings sub-panels
HIGHLIGHT="rgb(221,240,255)"      # entry highlight, gallery, page top
PROGRESS_BLUE="rgb(173,211,254)"  # progress bar
NAVY="rgb(0,0,128)"

# Gallery pictures are shown on several light blues (gallery, highlight,
# sub-panel, page); their soft edges are blended onto a blue between them,
# and GIF transparency (one bit) cuts at half opacity.
GALLERY_MATTE="$PROGRESS_BLUE"

tango_svg() {  # name -> path of the scalable picture
  local hit
  hit="$(find "$TANGO/scalable" -name "$1.svg" | sort | head -n1)"
  [[ -n "$hit" ]] || { echo "Tango picture $1 not found" >&2; exit 1; }
  printf '%s\n' "$hit"
}

render() {  # svg size out.png
  rsvg-convert -w "$2" -h "$2" "$1" -o "$3"
}

# RGBA PNG -> GIF whose half-transparent edge is blended onto a matte colour.
to_gif_matted() {  # in.png matte out.gif
  convert "$1" \
    \( -clone 0 -background "$2" -alpha remove -alpha off \) \
    \( -clone 0 -alpha extract -threshold 50% \) \
    -delete 0 -compose CopyOpacity -composite \
    -channel A -threshold 50% +channel "$3"
}

# RGBA PNG -> GIF flattened on the solid colour it is shown on; only fully
# clear pixels stay transparent, so it looks right with or without GIF
# transparency support in the viewer.
to_gif_on() {  # in.png colour out.gif
  convert "$1" \
    \( -clone 0 -background "$2" -alpha remove -alpha off \) \
    \( -clone 0 -alpha extract -threshold 3% \) \
    -delete 0 -compose CopyOpacity -composite \
    -channel A -threshold 50% +channel "$3"
}

# --- Program logo: a glossy blue tile with a white "M" ------------------------
cat > "$WORK/logo.svg" <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <defs>
    <linearGradient id="body" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#72a7fe"/>
      <stop offset="0.55" stop-color="#0077fb"/>
      <stop offset="1" stop-color="#0040b0"/>
    </linearGradient>
    <linearGradient id="gloss" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#ffffff" stop-opacity="0.75"/>
      <stop offset="1" stop-color="#ffffff" stop-opacity="0.08"/>
    </linearGradient>
  </defs>
  <rect x="8" y="8" width="240" height="240" rx="44" fill="url(#body)" stroke="#00287a" stroke-width="10"/>
  <rect x="20" y="20" width="216" height="216" rx="34" fill="none" stroke="#ffffff" stroke-opacity="0.35" stroke-width="6"/>
  <path d="M 16 60 Q 16 16 60 16 L 196 16 Q 240 16 240 60 L 240 112 Q 128 144 16 112 Z" fill="url(#gloss)"/>
  <path d="M 58 206 L 58 58 L 96 58 L 128 128 L 160 58 L 198 58 L 198 206 L 166 206 L 166 114 L 138 176 L 118 176 L 90 114 L 90 206 Z"
        fill="#001a66" fill-opacity="0.45" transform="translate(6,8)"/>
  <path d="M 58 206 L 58 58 L 96 58 L 128 128 L 160 58 L 198 58 L 198 206 L 166 206 L 166 114 L 138 176 L 118 176 L 90 114 L 90 206 Z"
        fill="#ffffff" stroke="#dceeff" stroke-width="2"/>
</svg>
SVG
for s in 16 32 48 64 96 112 128 256; do render "$WORK/logo.svg" "$s" "$WORK/logo$s.png"; done

# --- Gallery pictures icons/0.gif .. icons/19.gif ------------------------------
# Slot n is picture number n of the editor's gallery and icons/<n>.gif of the
# generated page. The default entries use 14, 5, 2, 13, 7, 1, 4, 0, 11 and 6.
GALLERY=(
  folder                          # 0  folder (default "Моя папка")
  x-office-document               # 1  documents
  system-file-manager             # 2  file manager (Explorer)
  applications-graphics           # 3  graphics / drawings
  image-x-generic                 # 4  pictures
  preferences-system              # 5  control panel
  preferences-desktop-wallpaper   # 6  desktop settings
  applications-system             # 7  system utility
  network-workgroup               # 8  network
  internet-web-browser            # 9  internet browser
  applications-multimedia         # 10 media / video
  application-x-executable        # 11 shortcut (gets a link arrow below)
  internet-mail                   # 12 mail
  user-trash                      # 13 recycle bin
  computer                        # 14 computer
  drive-harddisk                  # 15 hard drive
  printer                         # 16 printer
  help-browser                    # 17 help
  user-home                       # 18 home folder
  audio-x-generic                 # 19 music
)
SHORTCUT_SLOT=11
for n in "${!GALLERY[@]}"; do
  render "$(tango_svg "${GALLERY[$n]}")" 48 "$WORK/icon$n.png"
  if [[ $n -eq $SHORTCUT_SLOT ]]; then
    # The shortcut badge of a desktop link, at the lower left.
    cat > "$WORK/badge.svg" <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" width="20" height="20" viewBox="0 0 20 20">
  <rect x="0.5" y="0.5" width="19" height="19" rx="2" fill="#ffffff" stroke="#3465a4"/>
  <path d="M 5 16 C 5 9 8 7 12 7 L 12 4 L 17 9 L 12 14 L 12 11 C 9 11 7 12 5 16 Z"
        fill="#204a87" stroke="#0f2c5e" stroke-width="0.8" stroke-linejoin="round"/>
</svg>
SVG
    rsvg-convert "$WORK/badge.svg" -o "$WORK/badge.png"
    convert "$WORK/icon$n.png" "$WORK/badge.png" -geometry +1+27 -composite "$WORK/icon$n.png"
  fi
  to_gif_matted "$WORK/icon$n.png" "$GALLERY_MATTE" "$ICONS/$n.gif"
done

# --- Theme pictures (Themes/Blue Classic) ------------------------------------
# pal.gif: the page background, a fixed, full-screen tile 16 px wide. The top
# 200 px (title and emblem row) stay the light highlight blue; below, the
# colour deepens slowly. Faint 45-degree pinstripes (period 8) keep it from
# looking flat; 2400 rows and 16 columns are multiples of 8, so it tiles.
convert -size 16x200 "xc:$HIGHLIGHT" \
        -size 16x1200 "gradient:$HIGHLIGHT-rgb(160,202,253)" \
        -size 16x1000 "xc:rgb(160,202,253)" -append "$WORK/pal_base.png"
convert "$WORK/pal_base.png" -fx "((i+j)%8==7) ? u*0.965 : u" \
        +dither -colors 256 "$THEME/pal.gif"

# pal_column.gif: the navy column-title bar, 30 px high, glossy top half.
convert -size 8x1 "xc:rgb(110,150,230)" \
        -size 8x14 "gradient:rgb(40,80,190)-rgb(0,20,140)" \
        -size 8x14 "gradient:rgb(0,0,128)-rgb(0,0,96)" \
        -size 8x1 "xc:rgb(0,0,64)" -append +dither -colors 64 "$THEME/pal_column.gif"

# pal_bottom.gif: the bottom bar, 35 px high, a mirror of the column bar's
# light so the page closes with a lit edge at the top of the bar.
convert -size 8x1 "xc:rgb(0,0,64)" -size 8x1 "xc:rgb(120,160,235)" \
        -size 8x16 "gradient:rgb(30,70,180)-rgb(0,16,136)" \
        -size 8x16 "gradient:rgb(0,0,124)-rgb(0,0,90)" \
        -size 8x1 "xc:rgb(0,0,60)" -append +dither -colors 64 "$THEME/pal_bottom.gif"

# emblem.gif: 345 x 144, at the page's top right beside the desktop title.
# Drawn on the page's top colour, which is also made transparent.
cat > "$WORK/emblem.svg" <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" width="345" height="144" viewBox="0 0 345 144">
  <defs>
    <linearGradient id="word" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#0077fb"/>
      <stop offset="1" stop-color="#002a8c"/>
    </linearGradient>
    <linearGradient id="rule" x1="0" y1="0" x2="1" y2="0">
      <stop offset="0" stop-color="#000080"/>
      <stop offset="0.7" stop-color="#0077fb"/>
      <stop offset="1" stop-color="#0077fb" stop-opacity="0"/>
    </linearGradient>
  </defs>
  <ellipse cx="68" cy="130" rx="50" ry="6" fill="#00286e" fill-opacity="0.18"/>
  <g font-family="DejaVu Sans" font-weight="bold">
    <text x="140" y="72" font-size="50" fill="#ffffff" stroke="#ffffff" stroke-width="6" stroke-linejoin="round">Mirella</text>
    <text x="140" y="72" font-size="50" fill="url(#word)">Mirella</text>
  </g>
  <rect x="140" y="84" width="200" height="4" rx="2" fill="url(#rule)"/>
  <g font-family="DejaVu Sans" font-size="17" fill="#00308f">
    <text x="141" y="110">интерактивный</text>
    <text x="141" y="131" font-weight="bold">Рабочий стол</text>
  </g>
</svg>
SVG
rsvg-convert "$WORK/emblem.svg" -o "$WORK/emblem_text.png"
convert -size 345x144 "xc:$HIGHLIGHT" "$WORK/emblem_text.png" -composite \
        "$WORK/logo112.png" -geometry +12+12 -composite \
        -transparent "$HIGHLIGHT" +dither -colors 255 "$THEME/emblem.gif"

# --- Main window pictures ------------------------------------------------------
# background.gif: 400 x 393 behind the 398 x 392 client area. A header with
# the product name; below it a light body. The page frames (solid frame blue)
# cover x 24..376, y 128..376; they get a dark outline and a soft shadow. The
# page title (white) and the banner sit at x 132..376, y 98..127.
cat > "$WORK/background.svg" <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" width="400" height="393" viewBox="0 0 400 393">
  <defs>
    <linearGradient id="head" x1="0" y1="0" x2="1" y2="0">
      <stop offset="0" stop-color="#0a246a"/>
      <stop offset="0.55" stop-color="#0058d0"/>
      <stop offset="1" stop-color="#a6caf0"/>
    </linearGradient>
    <linearGradient id="headShade" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#ffffff" stop-opacity="0.22"/>
      <stop offset="0.5" stop-color="#ffffff" stop-opacity="0.04"/>
      <stop offset="1" stop-color="#000030" stop-opacity="0.18"/>
    </linearGradient>
    <linearGradient id="body" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#dde f0ff"/>
      <stop offset="1" stop-color="#addffe"/>
    </linearGradient>
    <filter id="blur" x="-10%" y="-10%" width="120%" height="120%">
      <feGaussianBlur stdDeviation="2.5"/>
    </filter>
  </defs>
  <rect width="400" height="393" fill="url(#body)"/>
  <rect x="0" y="0" width="400" height="86" fill="url(#head)"/>
  <rect x="0" y="0" width="400" height="86" fill="url(#headShade)"/>
  <g fill="#ffffff" fill-opacity="0.07">
    <circle cx="360" cy="10" r="70"/>
    <circle cx="395" cy="70" r="45"/>
  </g>
  <rect x="0" y="86" width="400" height="2" fill="#72a7fe"/>
  <rect x="0" y="88" width="400" height="1" fill="#00287a"/>
  <g font-family="DejaVu Sans">
    <text x="87" y="49" font-size="34" font-weight="bold" fill="#000840" fill-opacity="0.55">Mirella</text>
    <text x="85" y="47" font-size="34" font-weight="bold" fill="#ffffff">Mirella</text>
    <text x="87" y="70" font-size="12" fill="#dceeff">интерактивный Рабочий стол</text>
  </g>
  <rect x="26" y="130" width="354" height="250" fill="#002060" fill-opacity="0.45" filter="url(#blur)"/>
  <rect x="23" y="127" width="355" height="251" fill="#00287a"/>
  <rect x="24" y="128" width="353" height="249" fill="#0077fb"/>
</svg>
SVG
sed -i 's/#dde f0ff/#ddf0ff/; s/#addffe/#add3fe/' "$WORK/background.svg"
rsvg-convert "$WORK/background.svg" -o "$WORK/background.png"
convert "$WORK/background.png" "$WORK/logo64.png" -geometry +12+11 -composite \
        -alpha off "$WORK/background.png"
convert "$WORK/background.png" +dither -colors 256 "$WINDOW/background.gif"

# banner.gif: 245 x 30 at (132, 98): a tab rising from the page frame behind
# the white page title. Outside the tab it repeats the background, so it
# needs no transparency.
cat > "$WORK/banner.svg" <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" width="245" height="30" viewBox="0 0 245 30">
  <defs>
    <linearGradient id="tab" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#0a3aa8"/>
      <stop offset="1" stop-color="#0077fb"/>
    </linearGradient>
    <linearGradient id="edge" x1="0" y1="0" x2="1" y2="0">
      <stop offset="0" stop-color="#72a7fe" stop-opacity="0"/>
      <stop offset="0.3" stop-color="#72a7fe"/>
      <stop offset="1" stop-color="#ddf0ff"/>
    </linearGradient>
  </defs>
  <path d="M 0 31 C 14 31 18 1 34 0.5 L 245 0.5 L 245 31 Z" fill="url(#tab)" stroke="#00287a" stroke-width="1"/>
  <path d="M 14 22 C 20 12 24 2 35 1.5 L 244 1.5" fill="none" stroke="url(#edge)" stroke-width="1"/>
</svg>
SVG
rsvg-convert "$WORK/banner.svg" -o "$WORK/banner_tab.png"
convert "$WORK/background.png" -crop 245x30+132+98 +repage "$WORK/banner_tab.png" -composite \
        -alpha off +dither -colors 256 "$WINDOW/banner.gif"

# Main-menu and about-page pictures, 48 x 48, shown on the frame blue.
declare -A MENU_ICONS=(
  [iconik0]=system-installer               # install
  [iconik1]=preferences-desktop-wallpaper  # configure the desktop
  [icon2]=internet-web-browser             # visit the web site
  [icon3]=help-browser                     # help
  [icon4]=system-log-out                   # exit
  [icon5]=dialog-information               # about page
)
for name in "${!MENU_ICONS[@]}"; do
  render "$(tango_svg "${MENU_ICONS[$name]}")" 48 "$WORK/$name.png"
  to_gif_on "$WORK/$name.png" "$FRAME_BLUE" "$WINDOW/$name.gif"
done

# Small Tango pictures for the illustrations below.
for name in computer folder internet-web-browser user-trash image-x-generic x-office-document; do
  render "$(tango_svg "$name")" 16 "$WORK/s16-$name.png"
  render "$(tango_svg "$name")" 24 "$WORK/s24-$name.png"
done

# A miniature of a generated desktop page (title, emblem, column bar, two
# columns of entries, bottom bar), 150 x 112, for the splash.
cat > "$WORK/mini_desktop.svg" <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" width="150" height="112" viewBox="0 0 150 112">
  <defs>
    <linearGradient id="page" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#ddf0ff"/>
      <stop offset="1" stop-color="#add3fe"/>
    </linearGradient>
    <linearGradient id="bar" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#2850be"/>
      <stop offset="1" stop-color="#000070"/>
    </linearGradient>
  </defs>
  <rect x="3" y="4" width="146" height="107" rx="3" fill="#001a50" fill-opacity="0.25"/>
  <rect x="0.5" y="0.5" width="145" height="106" rx="3" fill="url(#page)" stroke="#00287a"/>
  <text x="10" y="17" font-family="DejaVu Sans" font-weight="bold" font-size="9" fill="#000000">Рабочий стол</text>
  <rect x="1" y="25" width="144" height="9" fill="url(#bar)"/>
  <rect x="14" y="28" width="40" height="3" rx="1" fill="#ffffff" fill-opacity="0.85"/>
  <rect x="88" y="28" width="40" height="3" rx="1" fill="#ffffff" fill-opacity="0.85"/>
  <g fill="#000080">
    <rect x="25" y="41" width="36" height="3" rx="1"/>
    <rect x="25" y="61" width="30" height="3" rx="1"/>
    <rect x="25" y="81" width="38" height="3" rx="1"/>
    <rect x="98" y="41" width="34" height="3" rx="1"/>
    <rect x="98" y="61" width="38" height="3" rx="1"/>
    <rect x="98" y="81" width="28" height="3" rx="1"/>
  </g>
  <g fill="#5a6e90">
    <rect x="25" y="47" width="44" height="2" rx="1"/>
    <rect x="25" y="67" width="40" height="2" rx="1"/>
    <rect x="25" y="87" width="42" height="2" rx="1"/>
    <rect x="98" y="47" width="40" height="2" rx="1"/>
    <rect x="98" y="67" width="44" height="2" rx="1"/>
    <rect x="98" y="87" width="36" height="2" rx="1"/>
  </g>
  <rect x="1" y="97" width="144" height="9" fill="url(#bar)"/>
  <rect x="45" y="100" width="56" height="3" rx="1" fill="#ffffff" fill-opacity="0.85"/>
</svg>
SVG
rsvg-convert "$WORK/mini_desktop.svg" -o "$WORK/mini_desktop.png"
convert "$WORK/mini_desktop.png" \
  "$WORK/logo16.png" -geometry +124+5 -composite \
  "$WORK/s16-computer.png" -geometry +6+38 -composite \
  "$WORK/s16-folder.png" -geometry +6+58 -composite \
  "$WORK/s16-user-trash.png" -geometry +6+78 -composite \
  "$WORK/s16-x-office-document.png" -geometry +79+38 -composite \
  "$WORK/s16-image-x-generic.png" -geometry +79+58 -composite \
  "$WORK/s16-internet-web-browser.png" -geometry +79+78 -composite \
  "$WORK/mini_desktop.png"

# about.jpg: 355 x 249, the whole about page. The lower part (from y 186) is
# the plain frame blue, where the program draws its texts; the version sits
# in the calm top right corner.
cat > "$WORK/about.svg" <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" width="355" height="249" viewBox="0 0 355 249">
  <defs>
    <linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#0a3aa8"/>
      <stop offset="0.72" stop-color="#0077fb"/>
      <stop offset="1" stop-color="#0077fb"/>
    </linearGradient>
    <radialGradient id="glow" cx="0.5" cy="0.42" r="0.5">
      <stop offset="0" stop-color="#72a7fe" stop-opacity="0.55"/>
      <stop offset="1" stop-color="#72a7fe" stop-opacity="0"/>
    </radialGradient>
    <linearGradient id="rule" x1="0" y1="0" x2="1" y2="0">
      <stop offset="0" stop-color="#ddf0ff" stop-opacity="0"/>
      <stop offset="0.5" stop-color="#ddf0ff" stop-opacity="0.9"/>
      <stop offset="1" stop-color="#ddf0ff" stop-opacity="0"/>
    </linearGradient>
  </defs>
  <rect width="355" height="249" fill="url(#sky)"/>
  <ellipse cx="177" cy="80" rx="170" ry="95" fill="url(#glow)"/>
  <g font-family="DejaVu Sans" text-anchor="middle">
    <text x="179" y="121" font-size="36" font-weight="bold" fill="#001a60" fill-opacity="0.5">Mirella</text>
    <text x="177" y="119" font-size="36" font-weight="bold" fill="#ffffff">Mirella</text>
    <text x="177" y="140" font-size="13" fill="#ddf0ff">интерактивный Рабочий стол</text>
  </g>
  <rect x="40" y="183" width="275" height="1" fill="url(#rule)"/>
</svg>
SVG
rsvg-convert "$WORK/about.svg" -o "$WORK/about.png"
convert "$WORK/about.png" "$WORK/logo64.png" -geometry +145+14 -composite \
  "$WORK/s24-computer.png" -geometry +103+150 -composite \
  "$WORK/s24-folder.png" -geometry +133+150 -composite \
  "$WORK/s24-internet-web-browser.png" -geometry +165+150 -composite \
  "$WORK/s24-image-x-generic.png" -geometry +197+150 -composite \
  "$WORK/s24-user-trash.png" -geometry +229+150 -composite \
  -alpha off -quality 92 "$WINDOW/about.jpg"

# splash.bmp: 624 x 204, kept uncompressed (24-bit BMP) because it is the first thing the
# program paints and a JPEG would need the system's picture decoder started first. The progress bar is drawn at x 192..537, y 152..169
# and the version label (dark text, right-aligned) at x 552..617, y 184..201;
# both lie on the calm light band at the bottom of the right part.
cat > "$WORK/splash.svg" <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" width="624" height="204" viewBox="0 0 624 204">
  <defs>
    <linearGradient id="side" x1="0" y1="0" x2="1" y2="1">
      <stop offset="0" stop-color="#0077fb"/>
      <stop offset="0.6" stop-color="#0a3aa8"/>
      <stop offset="1" stop-color="#0a246a"/>
    </linearGradient>
    <radialGradient id="sideGlow" cx="0.45" cy="0.45" r="0.55">
      <stop offset="0" stop-color="#72a7fe" stop-opacity="0.6"/>
      <stop offset="1" stop-color="#72a7fe" stop-opacity="0"/>
    </radialGradient>
    <linearGradient id="field" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#ffffff"/>
      <stop offset="0.62" stop-color="#ddf0ff"/>
      <stop offset="1" stop-color="#c4e1fe"/>
    </linearGradient>
    <linearGradient id="word" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#0077fb"/>
      <stop offset="1" stop-color="#002a8c"/>
    </linearGradient>
    <linearGradient id="rule" x1="0" y1="0" x2="1" y2="0">
      <stop offset="0" stop-color="#0077fb"/>
      <stop offset="1" stop-color="#0077fb" stop-opacity="0"/>
    </linearGradient>
  </defs>
  <rect width="624" height="204" fill="url(#field)"/>
  <rect width="184" height="204" fill="url(#side)"/>
  <rect width="184" height="204" fill="url(#sideGlow)"/>
  <rect x="184" y="0" width="2" height="204" fill="#72a7fe"/>
  <rect x="186" y="0" width="1" height="204" fill="#00287a"/>
  <g font-family="DejaVu Sans">
    <text x="204" y="72" font-size="54" font-weight="bold" fill="#ffffff" stroke="#ffffff" stroke-width="6" stroke-linejoin="round">Mirella</text>
    <text x="204" y="72" font-size="54" font-weight="bold" fill="url(#word)">Mirella</text>
    <text x="207" y="99" font-size="15" fill="#00308f">интерактивный</text>
    <text x="206" y="127" font-size="24" font-weight="bold" fill="#000080">Рабочий стол</text>
  </g>
  <rect x="192" y="139" width="345" height="2" fill="url(#rule)"/>
  <rect x="0.5" y="0.5" width="623" height="203" fill="none" stroke="#00287a"/>
</svg>
SVG
rsvg-convert "$WORK/splash.svg" -o "$WORK/splash.png"
convert "$WORK/splash.png" "$WORK/logo128.png" -geometry +28+38 -composite \
  "$WORK/mini_desktop.png" -geometry +458+14 -composite \
  -alpha off -type TrueColor BMP3:"$WINDOW/splash.bmp"

# hand.cur: the pointing hand of the command labels, hot spot (5, 0).
python3 "$ASSETS/make_cursor.py" "$WINDOW/hand.cur"

# mirella.ico: the program icon at 16, 32, 48 and 256 px (256 stored as PNG).
convert "$WORK/logo16.png" "$WORK/logo32.png" "$WORK/logo48.png" "$WORK/logo256.png" \
        "$WINDOW/mirella.ico"
