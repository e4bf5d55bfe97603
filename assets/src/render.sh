#!/bin/sh
# Regenerates every picture under assets/pictures from the drawings in svg/.
# Needs rsvg-convert, /usr/bin/python3 with PIL and the Noto CJK SC fonts; the
# build itself only embeds the committed results.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out="$here/../pictures"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# key colour of the BMP icons whose top-left pixel is drawn transparent;
# magenta appears in none of the drawings (finish.py checks this)
key=255,0,255

# render NAME WIDTH HEIGHT KIND MATTE
#   KIND jpg or bmp; MATTE is the colour the picture is flattened on, for a BMP
#   icon the background of the control that shows it.
render() {
    name=$1 width=$2 height=$3 kind=$4 matte=$5
    rsvg-convert -w "$width" -h "$height" "$here/svg/$name.svg" -o "$work/$name.png"
    if [ "$kind" = bmp ]; then
        /usr/bin/python3 "$here/finish.py" bmp "$work/$name.png" "$out/$name.bmp" "$matte" "$key"
    else
        /usr/bin/python3 "$here/finish.py" jpg "$work/$name.png" "$out/$name.jpg" "$matte"
    fi
}

navButton=159,203,240
white=255,255,255

# MainWindow
render background 176 766 jpg $white
render nav_syllabus 48 48 bmp $navButton
render nav_handbook 52 52 bmp $navButton
render nav_practice 48 48 bmp $navButton
render nav_exam 48 48 bmp $navButton
render nav_record 48 48 bmp $navButton
render splash 1024 666 jpg $white
render side_panel 232 70 jpg $white
render side_bar 232 33 jpg $white
render paper_list_head 590 65 jpg $white

# PracticeWindow and ExamWindow
render header_band 283 105 jpg $white
render title_logo 243 40 jpg $white
render arrow_left 15 14 jpg $white
render arrow_right 12 14 jpg $white
render zoom_out 45 26 jpg $white
render zoom_reset 47 25 jpg $white
render zoom_in 47 27 jpg $white
render step_first 73 20 jpg $white
render step_prev 73 20 jpg $white
render step_next 73 20 jpg $white
render step_last 73 20 jpg $white

# answer windows
render tick 227 249 jpg $white
render cross 484 501 jpg $white
render timer_panel 265 57 jpg $white
render submit_button 59 21 jpg $white
render answer_card_title 227 28 jpg $white

# ExamNoticeWindow
render notice_band 241 70 jpg $white
render notice_logo 243 40 jpg $white
render notice 930 572 jpg $white

# journal-entry grid: the "+" sits on entry boxes of 221 and 240 grey
render plus 17 20 bmp 230,230,230

# AccountChooserWindow
render tree_page 16 15 bmp $white
render tree_folder 16 15 bmp $white
render button_cross 20 19 bmp 240,240,240
render button_tick 20 19 bmp 240,240,240
