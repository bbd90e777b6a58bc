#ifndef SORTIVANE_BRACKETGEOMETRY_H
#define SORTIVANE_BRACKETGEOMETRY_H

// The measures of a laid-out bracket, in pixels at 96 dpi: shared by the
// layout and by what lays one result out again on a kept layout.
namespace bracketgeometry
{
inline constexpr double MARGIN = 16;
// A column is as wide as its widest text needs, from BOX_WIDTH up to
// MAX_BOX_WIDTH, room for a nickname of the 64 widest letters the window
// takes and a nation beside it; past that, clans are cut. The champion's box
// takes the champion's name whole.
inline constexpr double BOX_WIDTH = 232;
inline constexpr double MAX_BOX_WIDTH = 1400;
inline constexpr double COLUMN_GAP = 56;
inline constexpr double PITCH = BOX_WIDTH + COLUMN_GAP;
inline constexpr double HEADING_HEIGHT = 30;
inline constexpr double NOTE_HEIGHT = 20;
inline constexpr double COLUMN_TITLE_HEIGHT = 20;
// A game: its title above a box of one row per side.
inline constexpr double CAPTION_HEIGHT = 13;
inline constexpr double ROW_HEIGHT = 17;
inline constexpr double QUALIFIED_HEIGHT = 19;
inline constexpr double CHAMPION_HEIGHT = 56;
// The height a first-round game takes, gap included; a side that came from
// no game of the round before takes half of it.
inline constexpr double SLOT = 54;
inline constexpr double NATION_WIDTH = 100;
inline constexpr double LIST_ROW_HEIGHT = 18;
// Texts are cut a little short of their room: a viewer of the SVG may use a
// font somewhat wider than the one measured here.
inline constexpr double FONT_ALLOWANCE = 0.92;
}

#endif
