#ifndef SORTIVANE_BRACKETMARKUP_H
#define SORTIVANE_BRACKETMARKUP_H

#include <QString>

class BracketLayout;
class Championship;
class QIODevice;

// Writes a bracket layout as markup: SVG with real, searchable text, and a
// self-contained HTML page (no external resources, no scripts).
class BracketMarkup
{
public:
    // Written to the device as it is made, in one pass over the layout: the
    // markup of a bracket of thousands is never held whole. False when the
    // device takes less than it is given.
    static bool writeSvg( const BracketLayout& layout_cp, QIODevice* device_p );
    // The bracket as inline SVG, then a results table per drawn round and
    // the protocol of the recorded draws.
    static bool writeHtml( const BracketLayout& layout_cp, const Championship& champ_cp, QIODevice* device_p );
    static QString svg( const BracketLayout& layout_cp );
    static QString html( const BracketLayout& layout_cp, const Championship& champ_cp );

    // The smallest scale of the bracket in a page: its 9-pixel notes at 6
    // pixels, its names at 8.
    static constexpr double MIN_LEGIBLE_SCALE = 2.0 / 3;

    // Text made safe for XML and HTML content and attribute values.
    static QString escaped( const QString& text_cp );

private:
    class Out;

    static void writeSvgElement( Out& out_rp, const BracketLayout& layout_cp, bool fluid_p );
    static void writeResultsTables( Out& out_rp, const Championship& champ_cp );
    // Each recorded draw: its round, time, commitment, seed and attempts.
    static QString protocolTable( const Championship& champ_cp );
};

#endif
